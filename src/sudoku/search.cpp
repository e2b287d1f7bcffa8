#include "sudoku/search.h"

#include <utility>

// How a pass is computed. A pass conceptually rebuilds the column, row and box sets from
// the board, then visits all 81 cells column by column, computes each cell's candidates
// from the sets as they stand at that moment, and places a cell with exactly one. Here the
// candidates are kept per digit as sets of cells, updated when a digit is placed and saved
// with each decision, so they always equal what a rebuild would give. The visit is replaced
// by jumps: the next cell placed is the first cell after the last one placed that has a
// single candidate now; the cells jumped over have none and would not have changed,
// because nothing was placed between them. The board after every pass is the same.
namespace Sudoku {

namespace {

constexpr unsigned digitBit(int digit)
{
    return 1u << digit;
}

// The sets of a board as a pass rebuilds them: bits 1..9 for the digits present.
struct UnitSets
{
    std::array<unsigned, Side> columns{};
    std::array<unsigned, Side> rows{};
    std::array<unsigned, Side> boxes{};

    explicit UnitSets(const Board &board)
    {
        for (int i = 0; i < CellCount; ++i)
            add(i, board.at(i));
    }
    void add(int index, int digit)
    {
        if (digit < 1 || digit > 9)
            return;
        const int column = columnOf(index);
        const int row = rowOf(index);
        columns[static_cast<std::size_t>(column)] |= digitBit(digit);
        rows[static_cast<std::size_t>(row)] |= digitBit(digit);
        boxes[static_cast<std::size_t>(boxOf(column, row))] |= digitBit(digit);
    }
    DigitSet candidates(int index) const
    {
        const int column = columnOf(index);
        const int row = rowOf(index);
        const unsigned used = columns[static_cast<std::size_t>(column)] | rows[static_cast<std::size_t>(row)]
            | boxes[static_cast<std::size_t>(boxOf(column, row))];
        return DigitSet::fromMask(~used);
    }
};

} // namespace

void Search::restart(const Board &start)
{
    m_board = start;
    m_sets = {};
    const UnitSets sets(start);
    for (int i = 0; i < CellCount; ++i) {
        if (start.at(i) != 0)
            continue;
        const CellBits cell = CellBits::cell(i);
        m_sets.empty |= cell;
        DigitSet options = sets.candidates(i);
        const int count = options.count();
        for (std::size_t b = 0; b < m_sets.counts.size(); ++b) {
            if ((count >> b & 1) != 0)
                m_sets.counts[b] |= cell;
        }
        for (int digit = options.takeLowest(); digit != 0; digit = options.takeLowest())
            m_sets.cells[static_cast<std::size_t>(digit - 1)] |= cell;
    }
    m_depth = 1;
    m_passes = 0;
    m_state = SearchState::Running;
}

// The helpers of a pass are inlined: a pass runs millions of times.
[[gnu::always_inline]] inline void Search::place(Candidates &sets, int cell, int digit)
{
    if (cell < 0 || cell >= CellCount || digit < 1 || digit > 9)
        return;
    const CellBits self = CellBits::cell(cell);
    const CellBits unit = UnitCells[static_cast<std::size_t>(cell)];
    sets.empty &= ~self;
    CellBits &withDigit = sets.cells[static_cast<std::size_t>(digit - 1)];
    // The empty cells of the column, row and box that could take the digit lose it:
    // their counts go down by one (binary subtraction, the borrow running up the bits).
    // The placed cell's count becomes 0.
    CellBits borrow = withDigit & unit & sets.empty;
    withDigit &= ~unit;
    const CellBits others = ~self;
    for (CellBits &bit : sets.counts) {
        const CellBits before = bit;
        bit = (before ^ borrow) & others;
        borrow &= ~before;
    }
    m_board.setAt(cell, digit);
}

[[gnu::always_inline]] inline DigitSet Search::candidatesOf(const Candidates &sets, int cell)
{
    if (cell < 0 || cell >= CellCount)
        return {};
    // The cell's bit in each digit's set, gathered without a loop-carried chain.
    const std::uint64_t CellBits::*word = cell < 64 ? &CellBits::low : &CellBits::high;
    const unsigned shift = static_cast<unsigned>(cell) & 63u;
    const auto digitBits = [&]<std::size_t... d>(std::index_sequence<d...>) {
        return ((static_cast<unsigned>(sets.cells[d].*word >> shift & 1u) << (d + 1)) | ...);
    };
    return DigitSet::fromMask(digitBits(std::make_index_sequence<9>()));
}

// The empty cells with exactly `count` candidates.
[[gnu::always_inline]] inline CellBits Search::cellsWithCount(const Candidates &sets, int count)
{
    CellBits cells = sets.empty;
    for (std::size_t b = 0; b < sets.counts.size(); ++b)
        cells &= (count >> b & 1) != 0 ? sets.counts[b] : ~sets.counts[b];
    return cells;
}

SearchState Search::pass(const PeriodicWrite &write)
{
    if (m_state != SearchState::Running)
        return m_state;

    const CellBits emptyBefore = m_sets.empty;
    bool placed = false;
    // Worked on in a local copy, which the compiler can keep in registers.
    Candidates sets = m_sets;
    for (CellBits singles = cellsWithCount(sets, 1); singles.any();) {
        const int cell = singles.first();
        place(sets, cell, candidatesOf(sets, cell).takeLowest());
        placed = true;
        singles = cellsWithCount(sets, 1) & CellBits::from(cell + 1);
    }
    m_sets = sets;

    // While an empty cell is left the search goes on, also when that cell has no
    // candidate: that is a dead end for the next decision to undo, not a finished board.
    const bool finished = !m_sets.empty.any() && scanLeavesNoCandidates(emptyBefore);

    if (!placed && !finished && !decide()) {
        m_state = SearchState::NoSolution;
        return m_state;
    }

    if (m_passes % WriteInterval == 0 && write)
        write(m_board, m_passes);
    ++m_passes;
    if (finished)
        m_state = SearchState::Solved;
    return m_state;
}

// The board is full now. The search has finished when the pass, visiting every cell with
// the sets as they stood at that moment, found no candidate anywhere. A cell filled before
// the pass can have seen one while a later cell of its column, row or box was still empty,
// so that visit is replayed from the board as the pass found it.
bool Search::scanLeavesNoCandidates(CellBits placedThisPass) const
{
    Board board = m_board;
    for (int i = 0; i < CellCount; ++i) {
        if (placedThisPass.has(i))
            board.setAt(i, 0);
    }
    UnitSets sets(board);
    for (int i = 0; i < CellCount; ++i) {
        DigitSet options = sets.candidates(i);
        if (board.at(i) == 0 && options.count() == 1) {
            const int digit = options.takeLowest();
            board.setAt(i, digit);
            sets.add(i, digit);
        }
        if (!options.empty())
            return false;
    }
    return true;
}

bool Search::decide()
{
    // The first empty cell with the fewest candidates, provided it has fewer than 9.
    int cell = -1;
    for (int count = 0; count < 9 && cell < 0; ++count) {
        const CellBits cells = cellsWithCount(m_sets, count);
        if (cells.any())
            cell = cells.first();
    }
    // Every empty cell has all 9 candidates only on an empty board; the search starts
    // with its first cell rather than giving up on a board that has solutions.
    if (cell < 0 && m_sets.empty.any())
        cell = m_sets.empty.first();

    DigitSet untried = candidatesOf(m_sets, cell);
    int digit = untried.takeLowest();
    while (digit == 0 && m_depth > 1) {
        --m_depth;
        const Decision &entry = m_stack[static_cast<std::size_t>(m_depth - 1)];
        m_board = entry.before;
        m_sets = entry.candidates;
        cell = entry.cell;
        untried = entry.untried;
        digit = untried.takeLowest();
    }
    if (digit == 0)
        return false;

    Decision &entry = m_stack[static_cast<std::size_t>(m_depth - 1)];
    entry.before = m_board;
    entry.candidates = m_sets;
    entry.untried = untried;
    entry.cell = cell;
    if (m_depth < StackSize)
        ++m_depth;
    place(m_sets, cell, digit);
    return true;
}

SearchState Search::run(const PeriodicWrite &write)
{
    while (pass(write) == SearchState::Running) {
    }
    return m_state;
}

SearchResult runSearch(const Board &start, const PeriodicWrite &write)
{
    Search search(start);
    search.run(write);
    return {search.state(), search.board(), search.passes()};
}

} // namespace Sudoku
