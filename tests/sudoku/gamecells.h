#pragma once

#include "sudoku/celltexts.h"
#include "sudoku/generator.h"

#include <QList>
#include <Qt>

// Cells of a new game where the tests make their entries, and what to type there.

// A cell and the digit to type into it.
struct Cell
{
    int column = -1;
    int row = -1;
    int digit = 0;
    bool found() const { return column >= 0; }
};

// The entries the tests make into a new game's board.
enum class Entry {
    OverClue,      // a digit typed over a clue
    RowClash,      // a digit that stands in the cell's row only
    ColumnClash,   // ... in its column only
    BoxClash,      // ... in its box only, at a cell sharing neither row nor column
    Fitting,       // the solution's digit
    Zero,          // a typed 0
};

Qt::Key digitKey(int digit);

// The first cell of the game, column by column, that takes the entry, and the digit to
// type; not found() when the game has none.
Cell find(const Sudoku::NewGame &game, Entry entry);

// The cells without a clue, row by row, each with the solution's digit.
QList<Cell> emptyCells(const Sudoku::NewGame &game);

// The digits of cell texts; a typed 0 counts as empty.
Sudoku::Board digitsOf(const Sudoku::CellTexts &texts);
