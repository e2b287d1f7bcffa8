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
        if (index < 0 || index >= CellCount)
            return {};
        const unsigned shift = static_cast<unsigned>(index) & 63u;
        return {std::uint64_t{index < 64} << shift, std::uint64_t{index >= 64} << shift};
    }
    // The cells from `index` to 80 (all for an index below 0, none above 80). Computed
    // without branches: a pass asks for it after every cell it places.
    static constexpr CellBits from(int index)
    {
        const unsigned first = index < 0 ? 0u : index > CellCount ? unsigned{CellCount} : static_cast<unsigned>(index);
        const std::uint64_t lowKept = std::uint64_t{0} - std::uint64_t{first < 64};
        const unsigned highShift = first > 64 ? first - 64 : 0;
        return {(~std::uint64_t{0} << (first & 63u)) & lowKept, (~std::uint64_t{0} << highShift) & HighMask};
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
        // Branch-free: pick the word first, then count its trailing zeros; the top bit,
        // never a cell of the word picked, keeps the count from testing for zero.
        const bool inLow = low != 0;
        const std::uint64_t word = inLow ? low : high;
        return (inLow ? 0 : 64) + std::countr_zero(word | (std::uint64_t{1} << 63));
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
