#pragma once

#include <QLabel>

// A label that acts as a link: a click, or Return/Enter/Space while it has the keyboard
// focus, emits clicked(). It takes focus with Tab like a button.
class ClickableLabel final : public QLabel
{
    Q_OBJECT

signals:
    void clicked();

public:
    explicit ClickableLabel(QWidget *parent = nullptr);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
