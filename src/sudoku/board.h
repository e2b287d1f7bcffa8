#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The 9 x 9 grid of digits the search works on. Cells are addressed (column, row), both
// 0..8; internally they are stored column by column, which is the order in which the
// search scans them.
namespace Sudoku {

inline constexpr int Side = 9;
inline constexpr int CellCount = Side * Side;

constexpr bool isValidCell(int column, int row)
{
    return column >= 0 && column < Side && row >= 0 && row < Side;
}

// Position of (column, row) in scan order: column 0 rows 0..8 first, then column 1, ...
constexpr int cellIndex(int column, int row)
{
    return column * Side + row;
}

constexpr int columnOf(int index) { return index / Side; }
constexpr int rowOf(int index) { return index % Side; }

// Boxes 0, 1, 2 form the top band from left to right.
constexpr int boxOf(int column, int row)
{
    return column / 3 + (row / 3) * 3;
}

class Board
{
public:
    // The digit at the cell, 0 when empty or when the cell lies outside the grid.
    int digit(int column, int row) const;
    // Ignored (returns false) for a cell outside the grid or a digit outside 0..9.
    bool setDigit(int column, int row, int digit);

    // The same by scan-order index 0..80.
    int at(int index) const
    {
        return index >= 0 && index < CellCount ? m_cells[static_cast<std::size_t>(index)] : 0;
    }
    bool setAt(int index, int digit)
    {
        if (index < 0 || index >= CellCount || digit < 0 || digit > 9)
            return false;
        m_cells[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(digit);
        return true;
    }

    int filledCount() const;
    bool isFull() const { return filledCount() == CellCount; }
    void clear() { m_cells.fill(0); }

    // 81 characters row by row (row 0 first, column 0 first within a row): digits 1..9,
    // and "0" or "." for an empty cell. Anything else gives nothing.
    static std::optional<Board> fromRows(std::string_view text);
    // 81 digits row by row, "0" for an empty cell.
    std::string toRows() const;

    const std::array<std::uint8_t, CellCount> &cells() const { return m_cells; }

    bool operator==(const Board &other) const = default;

private:
    std::array<std::uint8_t, CellCount> m_cells{};
};

// True when a digit 1..9 stands twice in a column, a row or a box.
bool hasDuplicates(const Board &board);

// A complete grid that obeys the rules.
bool isSolved(const Board &board);

} // namespace Sudoku
