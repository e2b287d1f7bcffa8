#pragma once

#include "sudoku/celltexts.h"

#include <optional>
#include <string_view>

// What a key released on the board does, without the widgets. The board widget skips it
// while the busy flag is set, unchecks and rechecks the error-check box around it, writes
// the results into its tables and runs the solver command when asked to.
namespace Sudoku {

// The error mark of a cell: an empty text, "NO" or "SI" (the last entry clashed).
enum class ErrorMark { None, No, Si };

std::string_view errorMarkText(ErrorMark mark);

// With the error check on: the cell's text is a number above 0, the cell is no clue, and
// the same text stands in another cell of its column, in another cell of its row, or in a
// cell of its box that differs from it in both column and row (the box cells sharing its
// column or row are already covered by the first two tests). False for a cell outside.
bool clashes(const CellTexts &board, const CellTexts &clues, int column, int row);

struct KeyRelease
{
    // The current cell is a clue: its text was written back (a typed-over clue returns).
    bool clueRestored = false;
    // The new error mark of the current cell: Si or No.
    ErrorMark mark = ErrorMark::No;
    // No clash and no empty cell left: the solver command runs next.
    bool runSolver = false;
};

// Applies the rule to `board` at the current cell: a clue typed over is restored, then,
// when `errorCheck` is on, the cell is tested for a clash. Nothing for a cell outside.
std::optional<KeyRelease> keyReleased(CellTexts &board, const CellTexts &clues, int column, int row,
                                      bool errorCheck);

} // namespace Sudoku
