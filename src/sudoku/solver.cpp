#include "sudoku/solver.h"

namespace Sudoku {

LoadedBoard loadBoard(const CellTexts &texts)
{
    LoadedBoard loaded;
    for (int column = 0; column < Side; ++column) {
        for (int row = 0; row < Side; ++row) {
            const int value = texts.text(column, row);
            if (value == CellTexts::Empty)
                continue;
            loaded.digits.setDigit(column, row, value);
            loaded.given[static_cast<std::size_t>(cellIndex(column, row))] = 1;
        }
    }
    return loaded;
}

std::string_view messageFor(SolveOutcome outcome)
{
    switch (outcome) {
    case SolveOutcome::Solved:
        return {};
    case SolveOutcome::InvalidCombinations:
        return InvalidCombinationsMessage;
    case SolveOutcome::Unsolvable:
        return UnsolvableMessage;
    }
    return {};
}

SolveResult solveBoard(const Board &board, const PeriodicWrite &write)
{
    if (hasDuplicates(board))
        return {SolveOutcome::InvalidCombinations, board, 0};
    const SearchResult found = runSearch(board, write);
    const SolveOutcome outcome = found.state == SearchState::Solved ? SolveOutcome::Solved : SolveOutcome::Unsolvable;
    return {outcome, found.board, found.passes};
}

} // namespace Sudoku
