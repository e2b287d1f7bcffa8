#pragma once

#include <bit>
#include <cstdint>

namespace Sudoku {

// A set of the digits 1..9: bits 1..9 of a 16-bit mask stand for the digits.
class DigitSet
{
public:
    static constexpr std::uint16_t AllDigits = 0x3FE;

    constexpr DigitSet() = default;
    // Bits outside 1..9 are dropped.
    static constexpr DigitSet fromMask(unsigned mask)
    {
        DigitSet set;
        set.m_mask = static_cast<std::uint16_t>(mask & AllDigits);
        return set;
    }

    constexpr void clear() { m_mask = 0; }
    // Digits outside 1..9 are ignored.
    constexpr void add(int digit)
    {
        if (digit >= 1 && digit <= 9)
            m_mask = static_cast<std::uint16_t>(m_mask | (1u << digit));
    }
    constexpr bool contains(int digit) const
    {
        return digit >= 1 && digit <= 9 && (m_mask >> digit & 1u) != 0;
    }
    constexpr int count() const { return std::popcount(m_mask); }
    constexpr bool empty() const { return m_mask == 0; }
    constexpr std::uint16_t mask() const { return m_mask; }

    // Removes and returns the smallest member; 0 when the set is empty.
    constexpr int takeLowest()
    {
        // Without a branch: an empty mask counts 16 trailing zeros, and 16 & 15 is 0.
        const int digit = std::countr_zero(m_mask | 0x10000u) & 15;
        m_mask = static_cast<std::uint16_t>(m_mask & (m_mask - 1));
        return digit;
    }

    constexpr bool operator==(const DigitSet &other) const = default;

private:
    std::uint16_t m_mask = 0;
};

} // namespace Sudoku
