#include "gamecells.h"

#include "sudoku/solver.h"

namespace {

bool inRow(const Sudoku::Board &b, int row, int digit)
{
    for (int c = 0; c < Sudoku::Side; ++c)
        if (b.digit(c, row) == digit)
            return true;
    return false;
}

bool inColumn(const Sudoku::Board &b, int column, int digit)
{
    for (int r = 0; r < Sudoku::Side; ++r)
        if (b.digit(column, r) == digit)
            return true;
    return false;
}

bool inBox(const Sudoku::Board &b, int column, int row, int digit, bool apartOnly)
{
    for (int c = column / 3 * 3; c < column / 3 * 3 + 3; ++c)
        for (int r = row / 3 * 3; r < row / 3 * 3 + 3; ++r)
            if (b.digit(c, r) == digit && (!apartOnly || (c != column && r != row)))
                return true;
    return false;
}

} // namespace

Qt::Key digitKey(int digit)
{
    return static_cast<Qt::Key>(Qt::Key_0 + digit);
}

Cell find(const Sudoku::NewGame &game, Entry entry)
{
    const Sudoku::Board &clues = game.clues;
    for (int column = 0; column < Sudoku::Side; ++column) {
        for (int row = 0; row < Sudoku::Side; ++row) {
            const int clue = clues.digit(column, row);
            if (entry == Entry::OverClue) {
                if (clue != 0)
                    return {column, row, clue % 9 + 1};
                continue;
            }
            if (clue != 0)
                continue;
            if (entry == Entry::Fitting)
                return {column, row, game.solution.digit(column, row)};
            if (entry == Entry::Zero)
                return {column, row, 0};
            for (int d = 1; d <= 9; ++d) {
                const bool inTheRow = inRow(clues, row, d), inTheColumn = inColumn(clues, column, d);
                const bool box = inBox(clues, column, row, d, false);
                const bool match = (entry == Entry::RowClash && inTheRow && !inTheColumn && !box)
                    || (entry == Entry::ColumnClash && inTheColumn && !inTheRow && !box)
                    || (entry == Entry::BoxClash && !inTheRow && !inTheColumn && inBox(clues, column, row, d, true));
                if (match)
                    return {column, row, d};
            }
        }
    }
    return {};
}

QList<Cell> emptyCells(const Sudoku::NewGame &game)
{
    QList<Cell> cells;
    for (int row = 0; row < Sudoku::Side; ++row)
        for (int column = 0; column < Sudoku::Side; ++column)
            if (game.clues.digit(column, row) == 0)
                cells.append({column, row, game.solution.digit(column, row)});
    return cells;
}

Sudoku::Board digitsOf(const Sudoku::CellTexts &texts)
{
    return Sudoku::loadBoard(texts).digits;
}
