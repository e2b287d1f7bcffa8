#pragma once

#include "sudoku/board.h"
#include "sudoku/keyrelease.h"

#include <QString>
#include <QWidget>

#include <array>

// Sg_ErroriSudoku: the error mark of every board cell, "SI" for a cell whose last entry
// clashed, "NO" or empty otherwise. A table of the page that is never shown; the board
// reads it when it draws a cell.
class ErrorMarkTable final : public QWidget
{
    Q_OBJECT

signals:
    void changed();

public:
    explicit ErrorMarkTable(QWidget *parent = nullptr);

    // None for a cell outside the grid.
    Sudoku::ErrorMark mark(int column, int row) const;
    QString text(int column, int row) const;
    bool clashed(int column, int row) const { return mark(column, row) == Sudoku::ErrorMark::Si; }

    void setMark(int column, int row, Sudoku::ErrorMark mark);
    void clear();

private:
    std::array<Sudoku::ErrorMark, Sudoku::CellCount> m_marks{};
};
