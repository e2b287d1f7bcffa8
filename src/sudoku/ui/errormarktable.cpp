#include "sudoku/ui/errormarktable.h"

ErrorMarkTable::ErrorMarkTable(QWidget *parent) : QWidget(parent)
{
    m_marks.fill(Sudoku::ErrorMark::None);
    setVisible(false);
}

Sudoku::ErrorMark ErrorMarkTable::mark(int column, int row) const
{
    if (!Sudoku::isValidCell(column, row))
        return Sudoku::ErrorMark::None;
    return m_marks[static_cast<std::size_t>(Sudoku::cellIndex(column, row))];
}

QString ErrorMarkTable::text(int column, int row) const
{
    const std::string_view text = Sudoku::errorMarkText(mark(column, row));
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void ErrorMarkTable::setMark(int column, int row, Sudoku::ErrorMark mark)
{
    if (!Sudoku::isValidCell(column, row))
        return;
    Sudoku::ErrorMark &cell = m_marks[static_cast<std::size_t>(Sudoku::cellIndex(column, row))];
    if (cell == mark)
        return;
    cell = mark;
    emit changed();
}

void ErrorMarkTable::clear()
{
    m_marks.fill(Sudoku::ErrorMark::None);
    emit changed();
}
