#include "platform/clickablelabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

ClickableLabel::ClickableLabel(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // Captions come from the station service: they are shown as they are, never as markup.
    setTextFormat(Qt::PlainText);
}

ClickableLabel::ClickableLabel(const QString &name, const QString &text, QWidget *parent)
    : ClickableLabel(parent)
{
    setObjectName(name);
    setText(text);
}

void ClickableLabel::mouseMoveEvent(QMouseEvent *event)
{
    emit hovered();
    QLabel::mouseMoveEvent(event);
}

void ClickableLabel::enterEvent(QEnterEvent *event)
{
    emit hovered();
    QLabel::enterEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void ClickableLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit clicked();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void ClickableLabel::focusInEvent(QFocusEvent *event)
{
    // Reaching a row by keyboard tells what it does, as the pointer does.
    emit hovered();
    QLabel::focusInEvent(event);
}
