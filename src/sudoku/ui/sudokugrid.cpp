#include "sudoku/ui/sudokugrid.h"

#include "sudoku/ui/celldrawing.h"
#include "sudoku/ui/errormarktable.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using namespace SudokuDrawing;

SudokuGrid::SudokuGrid(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(gridSize());
    describeCurrentCell();
}

void SudokuGrid::setTexts(const Sudoku::CellTexts &texts)
{
    if (texts == m_texts)
        return;
    m_texts = texts;
    textsChanged();
}

void SudokuGrid::setText(int column, int row, int value)
{
    if (m_texts.text(column, row) == value || !m_texts.setText(column, row, value))
        return;
    textsChanged();
}

int SudokuGrid::givenMark(int column, int row) const
{
    return Sudoku::isValidCell(column, row) ? m_given[static_cast<std::size_t>(Sudoku::cellIndex(column, row))] : 0;
}

void SudokuGrid::setGivenMarks(const Marks &marks)
{
    m_given = marks;
    update();
}

void SudokuGrid::clearAll()
{
    m_given.fill(0);
    Sudoku::CellTexts empty;
    if (m_texts == empty) {
        update();
        return;
    }
    m_texts = empty;
    textsChanged();
}

void SudokuGrid::setEditing(bool on)
{
    m_editing = on;
    update();
}

void SudokuGrid::setCurrentCell(int column, int row)
{
    if (!Sudoku::isValidCell(column, row) || (column == m_column && row == m_row))
        return;
    m_column = column;
    m_row = row;
    update();
    describeCurrentCell();
}

void SudokuGrid::setLookSources(const SudokuGrid *clueMask, const ErrorMarkTable *errorMarks)
{
    if (m_clueMask)
        disconnect(m_clueMask, nullptr, this, nullptr);
    if (m_errorMarks)
        disconnect(m_errorMarks, nullptr, this, nullptr);
    m_clueMask = clueMask;
    m_errorMarks = errorMarks;
    const auto repaint = [this] { update(); };
    if (clueMask)
        connect(clueMask, &SudokuGrid::changed, this, repaint);
    if (errorMarks)
        connect(errorMarks, &ErrorMarkTable::changed, this, repaint);
    update();
}

QRect SudokuGrid::cellRect(int column, int row)
{
    return {1 + column * CellPitch, 1 + row * CellPitch, CellSide, CellSide};
}

QSize SudokuGrid::gridSize()
{
    const int side = 1 + Sudoku::Side * CellPitch;
    return {side, side};
}

void SudokuGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The frame and the grid lines between the cells.
    painter.fillRect(rect(), LineColour);
    for (int column = 0; column < Sudoku::Side; ++column) {
        for (int row = 0; row < Sudoku::Side; ++row) {
            const bool clue = m_clueMask && m_clueMask->texts().positiveNumber(column, row) > 0;
            const bool clashed = m_errorMarks && m_errorMarks->clashed(column, row);
            const CellLook look = cellLook(givenMark(column, row), clue, m_editing, clashed);
            drawCell(painter, cellRect(column, row), column, row,
                     QString::fromStdString(Sudoku::CellTexts::format(m_texts.text(column, row))), look, font());
        }
    }
    if (hasFocus()) {
        // Where typing goes: a frame inside the current cell, clear of its edges and its
        // text; solid while the cell editor is on.
        QPen pen(LineColour);
        pen.setStyle(m_editing ? Qt::SolidLine : Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cellRect(m_column, m_row).adjusted(2, 2, -3, -3));
    }
}

bool SudokuGrid::moveCurrent(int key)
{
    int column = m_column;
    int row = m_row;
    switch (key) {
    case Qt::Key_Left:
        --column;
        break;
    case Qt::Key_Right:
        ++column;
        break;
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    default:
        return false;
    }
    setCurrentCell(qBound(0, column, Sudoku::Side - 1), qBound(0, row, Sudoku::Side - 1));
    return true;
}

void SudokuGrid::keyPressEvent(QKeyEvent *event)
{
    if (!event->isAutoRepeat() && !m_pressedKeys.contains(event->key()))
        m_pressedKeys.append(event->key());
    if (moveCurrent(event->key())) {
        event->accept();
        return;
    }
    if (m_editing) {
        const QString typed = event->text();
        if (typed.size() == 1 && typed.at(0).isDigit() && typed.at(0).unicode() < 0x80) {
            setText(m_column, m_row, typed.at(0).unicode() - u'0');
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
            setText(m_column, m_row, Sudoku::CellTexts::Empty);
            event->accept();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void SudokuGrid::keyReleaseEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat() || !m_pressedKeys.removeOne(event->key())) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    emit keyReleased();
}

void SudokuGrid::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    const int column = (at.x() - 1) / CellPitch;
    const int row = (at.y() - 1) / CellPitch;
    if (at.x() >= 1 && at.y() >= 1)
        setCurrentCell(column, row);
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void SudokuGrid::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void SudokuGrid::focusOutEvent(QFocusEvent *event)
{
    // A key still down when the focus leaves goes up elsewhere.
    m_pressedKeys.clear();
    update();
    QWidget::focusOutEvent(event);
}

void SudokuGrid::textsChanged()
{
    update();
    describeCurrentCell();
    emit changed();
}

void SudokuGrid::describeCurrentCell()
{
    const int value = m_texts.text(m_column, m_row);
    const QString content = value == Sudoku::CellTexts::Empty ? QStringLiteral("vuota") : QString::number(value);
    const QString description = QStringLiteral("Colonna %1, riga %2: %3").arg(m_column + 1).arg(m_row + 1).arg(content);
    if (description != accessibleDescription())
        setAccessibleDescription(description);
}
