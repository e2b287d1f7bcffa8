#include "service/stationrow.h"

#include <QKeyEvent>
#include <QMouseEvent>

StationRow::StationRow(const QString &name, const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void StationRow::mouseMoveEvent(QMouseEvent *event)
{
    emit hovered();
    QLabel::mouseMoveEvent(event);
}

void StationRow::enterEvent(QEnterEvent *event)
{
    emit hovered();
    QLabel::enterEvent(event);
}

void StationRow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void StationRow::keyPressEvent(QKeyEvent *event)
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

void StationRow::focusInEvent(QFocusEvent *event)
{
    // Reaching a row by keyboard tells what it does, as the pointer does.
    emit hovered();
    QLabel::focusInEvent(event);
}
