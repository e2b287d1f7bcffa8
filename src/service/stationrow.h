#pragma once

#include <QLabel>

// A clickable text row of the lists panel and the top bar: it reports the pointer
// moving over it and clicks, by mouse or by Enter/Space when it has the keyboard focus.
class StationRow final : public QLabel
{
    Q_OBJECT

signals:
    void hovered();
    void clicked();

public:
    StationRow(const QString &name, const QString &text, QWidget *parent);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
};
