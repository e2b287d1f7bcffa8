#include "sudoku/seededdraw.h"

namespace Sudoku {

int SeededDraw::operator()(int n)
{
    if (n < 1)
        return 0;
    constexpr std::uint64_t range = std::uint64_t{1} << 32;
    const std::uint64_t bound = static_cast<std::uint64_t>(n);
    const std::uint64_t limit = range - range % bound;
    std::uint64_t value = m_engine();
    while (value >= limit)
        value = m_engine();
    return static_cast<int>(value % bound);
}

} // namespace Sudoku
