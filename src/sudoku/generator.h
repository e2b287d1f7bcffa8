#pragma once

#include "sudoku/board.h"
#include "sudoku/search.h"

#include <functional>

// A new game: one random seed digit in a random cell grows into a complete solution by
// the search, then random cells of it are uncovered until the level's number of clues is
// reached. The widget part (hiding, busy flag, error-check box, focus) is the page's.
namespace Sudoku {

// The items of the level group, in order; "Medio" is selected at first.
enum class Level { Elementare = 0, Facile = 1, Medio = 2, Difficile = 3, Esperto = 4 };
inline constexpr int LevelCount = 5;
inline constexpr int DefaultLevel = static_cast<int>(Level::Medio);

// Clues for the level group's item index: 50, 46, 44, 41, 38; 44 when none is selected
// (any index outside 0..4).
int clueTarget(int levelIndex);

// The program's random generator: a uniform integer in 0..n-1.
using Draw = std::function<int(int n)>;

struct NewGame
{
    int seedDigit = 0;
    int seedColumn = 0;
    int seedRow = 0;
    // The solution the search grew; the solution table's given mark is 1 at the seed cell.
    Board solution;
    // The clue mask; the board starts with the same digits and given marks 0.
    Board clues;
    int passes = 0;
};

// Draws, in this order: the seed digit less one, the row, the column (each 0..8); then,
// for each clue, a column and a row, until the clue mask holds clueTarget(levelIndex)
// cells (a cell drawn twice adds nothing). `write` sees the growing solution every 50th
// pass. A draw outside 0..n-1 is taken modulo n.
NewGame newGame(int levelIndex, const Draw &draw, const PeriodicWrite &write = {});

} // namespace Sudoku
