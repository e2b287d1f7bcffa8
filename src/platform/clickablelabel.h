#pragma once

#include <QLabel>

// A label that acts as a link or a button: a click, or Return/Enter/Space while it has the
// keyboard focus, emits clicked(); the pointer over it, or the keyboard focus reaching it,
// emits hovered(). It takes the focus with Tab like a button.
class ClickableLabel final : public QLabel
{
    Q_OBJECT

signals:
    void hovered();
    void clicked();

public:
    explicit ClickableLabel(QWidget *parent = nullptr);
    ClickableLabel(const QString &name, const QString &text, QWidget *parent);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
};
