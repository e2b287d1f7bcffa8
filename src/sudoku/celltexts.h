#pragma once

#include "sudoku/board.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The texts of one of the game's 9 x 9 tables (board, clue mask, solution), addressed
// (column, row). A cell is empty or holds one digit 0..9: the board's cells accept at most
// one digit, and "0" is a text of its own, different from an empty cell.
namespace Sudoku {

class CellTexts
{
public:
    static constexpr int Empty = -1;

    // Empty, or the digit 0..9; Empty for a cell outside the grid.
    int text(int column, int row) const;
    bool isEmpty(int column, int row) const { return text(column, row) == Empty; }
    // The text as a number when it is one above 0, otherwise 0.
    int positiveNumber(int column, int row) const;

    // `value` is Empty or 0..9; anything else, or a cell outside the grid, is ignored.
    bool setText(int column, int row, int value);
    void clearAll() { m_cells.fill(Empty); }

    int filledCount() const;
    bool isComplete() const { return filledCount() == CellCount; }

    // A table cell's text: trimmed, it must be empty or one digit; nothing otherwise.
    static std::optional<int> parse(std::string_view text);
    // "" for Empty, else the digit.
    static std::string format(int value);

    // The digits 1..9 of a board as texts, empty cells for 0.
    static CellTexts fromBoard(const Board &board);

    bool operator==(const CellTexts &other) const = default;

private:
    std::array<std::int8_t, CellCount> m_cells = [] {
        std::array<std::int8_t, CellCount> cells{};
        cells.fill(Empty);
        return cells;
    }();
};

} // namespace Sudoku
