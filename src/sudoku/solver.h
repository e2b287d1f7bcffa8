#pragma once

#include "sudoku/board.h"
#include "sudoku/celltexts.h"
#include "sudoku/search.h"

#include <array>
#include <cstdint>
#include <string_view>

// The "Completa per me!!!" command without its widgets: load the player's board, refuse a
// board with a repeated digit, complete it with the search. The board widget turns off
// editing before, writes the given marks, shows the message, and writes the result.
namespace Sudoku {

inline constexpr std::string_view InvalidCombinationsMessage = "Combinazioni inserite non valide!";
inline constexpr std::string_view UnsolvableMessage = "Il sudoku attuale non può essere risolto!";

struct LoadedBoard
{
    Board digits;
    // By scan-order index: 1 for each cell whose text was not empty, a typed 0 included.
    std::array<std::uint8_t, CellCount> given{};

    int givenMark(int column, int row) const
    {
        return isValidCell(column, row) ? given[static_cast<std::size_t>(cellIndex(column, row))] : 0;
    }
};

// A cell with a text gives its number and given mark 1 (a typed 0 loads as an empty cell
// with mark 1); an empty cell gives 0 and mark 0.
LoadedBoard loadBoard(const CellTexts &texts);

enum class SolveOutcome { Solved, InvalidCombinations, Unsolvable };

struct SolveResult
{
    SolveOutcome outcome = SolveOutcome::Unsolvable;
    // The completed board when solved; otherwise the board the search stopped on (the
    // widget keeps what the last periodic write showed) or the input when refused.
    Board board;
    int passes = 0;
};

// The error text to show for an outcome; empty for Solved.
std::string_view messageFor(SolveOutcome outcome);

// Checks the board for repeated digits, then runs the search; `write` sees the board at
// every 50th pass. A full board without clashes comes back as it is, solved.
SolveResult solveBoard(const Board &board, const PeriodicWrite &write = {});

} // namespace Sudoku
