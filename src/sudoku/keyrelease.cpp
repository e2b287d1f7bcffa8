#include "sudoku/keyrelease.h"

namespace Sudoku {

std::string_view errorMarkText(ErrorMark mark)
{
    switch (mark) {
    case ErrorMark::None:
        return {};
    case ErrorMark::No:
        return "NO";
    case ErrorMark::Si:
        return "SI";
    }
    return {};
}

bool clashes(const CellTexts &board, const CellTexts &clues, int column, int row)
{
    if (!isValidCell(column, row))
        return false;
    const int value = board.positiveNumber(column, row);
    if (value == 0 || clues.positiveNumber(column, row) != 0)
        return false;
    for (int i = 0; i < Side; ++i) {
        if (i != row && board.text(column, i) == value)
            return true;
        if (i != column && board.text(i, row) == value)
            return true;
    }
    const int left = column / 3 * 3;
    const int top = row / 3 * 3;
    for (int c = left; c < left + 3; ++c) {
        for (int r = top; r < top + 3; ++r) {
            if (c != column && r != row && board.text(c, r) == value)
                return true;
        }
    }
    return false;
}

std::optional<KeyRelease> keyReleased(CellTexts &board, const CellTexts &clues, int column, int row,
                                      bool errorCheck)
{
    if (!isValidCell(column, row))
        return std::nullopt;
    KeyRelease result;
    const int clue = clues.positiveNumber(column, row);
    if (clue != 0) {
        result.clueRestored = true;
        board.setText(column, row, clue);
    }
    const bool complete = board.isComplete();
    const bool clash = errorCheck && clashes(board, clues, column, row);
    result.mark = clash ? ErrorMark::Si : ErrorMark::No;
    result.runSolver = !clash && complete;
    return result;
}

} // namespace Sudoku
