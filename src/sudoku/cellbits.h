#pragma once

#include "sudoku/board.h"

#include <array>
#include <bit>
#include <cstdint>

// A set of the 81 cells as two machine words, bit i standing for the cell of scan-order
// index i. The search keeps, for each digit, the set of empty cells that may still take it.
namespace Sudoku {

struct CellBits
{
    std::uint64_t low = 0;  // cells 0..63
    std::uint64_t high = 0; // cells 64..80 in bits 0..16

    static constexpr CellBits cell(int index)
    {
        CellBits bits;
        if (index >= 0 && index < 64)
            bits.low = std::uint64_t{1} << index;
        else if (index >= 64 && index < CellCount)
            bits.high = std::uint64_t{1} << (index - 64);
        return bits;
    }
    // The cells from `index` to 80 (all for an index below 0, none above 80).
    static constexpr CellBits from(int index)
    {
        const unsigned first = index < 0 ? 0u : index > CellCount ? unsigned{CellCount} : static_cast<unsigned>(index);
        CellBits bits;
        bits.low = first < 64 ? ~std::uint64_t{0} << first : 0;
        bits.high = (first <= 64 ? ~std::uint64_t{0} : ~std::uint64_t{0} << (first - 64)) & HighMask;
        return bits;
    }

    constexpr bool any() const { return (low | high) != 0; }
    // 1 when the cell of scan-order index 0..80 is in the set, else 0.
    constexpr unsigned bit(int index) const
    {
        const std::uint64_t word = index < 64 ? low : high;
        return static_cast<unsigned>(word >> (index & 63)) & 1u;
    }
    constexpr bool has(int index) const { return index >= 0 && index < CellCount && bit(index) != 0; }
    // Scan-order index of the first cell; only for a non-empty set.
    constexpr int first() const
    {
        return low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(high);
    }

    friend constexpr CellBits operator&(CellBits a, CellBits b) { return {a.low & b.low, a.high & b.high}; }
    friend constexpr CellBits operator|(CellBits a, CellBits b) { return {a.low | b.low, a.high | b.high}; }
    friend constexpr CellBits operator^(CellBits a, CellBits b) { return {a.low ^ b.low, a.high ^ b.high}; }
    // The cells of `a` that are not in `b`.
    friend constexpr CellBits without(CellBits a, CellBits b) { return {a.low & ~b.low, a.high & ~b.high}; }
    constexpr CellBits operator~() const { return {~low, ~high & HighMask}; }
    constexpr CellBits &operator&=(CellBits b) { return *this = *this & b; }
    constexpr CellBits &operator|=(CellBits b) { return *this = *this | b; }
    constexpr bool operator==(const CellBits &other) const = default;

    static constexpr std::uint64_t HighMask = (std::uint64_t{1} << (CellCount - 64)) - 1;
};

// For each cell, the cells of its column, its row and its box, the cell itself included.
inline constexpr std::array<CellBits, CellCount> UnitCells = [] {
    std::array<CellBits, CellCount> units{};
    for (int i = 0; i < CellCount; ++i) {
        for (int j = 0; j < CellCount; ++j) {
            const bool sameColumn = columnOf(i) == columnOf(j);
            const bool sameRow = rowOf(i) == rowOf(j);
            const bool sameBox = boxOf(columnOf(i), rowOf(i)) == boxOf(columnOf(j), rowOf(j));
            if (sameColumn || sameRow || sameBox)
                units[static_cast<std::size_t>(i)] |= CellBits::cell(j);
        }
    }
    return units;
}();

} // namespace Sudoku
