#include "sudoku/search.h"

#include <cstdint>
#include <utility>

// How a pass is computed. A pass, as the game defines it, rebuilds the column, row and box
// sets from the board, then visits all 81 cells column by column, computes each cell's
// candidates from the sets as they stand at that moment, and places a cell with exactly
// one. Here the same result comes from state kept between passes:
// - for each digit, the set of empty cells that may still take it, and each empty cell's
//   candidate count as four bit planes (binary digits of the count) over all 81 cells;
//   both are updated when a digit is placed and saved with each decision, so they always
//   equal what a rebuild from the board would give;
// - the visit becomes jumps: the next cell placed is the first cell after the last one
//   placed whose count is 1 now. The cells jumped over have no single candidate and would
//   not have changed, because nothing was placed between them;
// - the decision's "first empty cell with the fewest candidates" is the first cell of the
//   lowest count plane pattern that has any cell.
// The board after every pass, the pass count and the stack depth are the same; the tests
// compare them with a plain cell-by-cell rendering pass by pass.
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
        m_sets.counts.empty |= cell;
        DigitSet options = sets.candidates(i);
        const int count = options.count();
        for (std::size_t b = 0; b < m_sets.counts.bits.size(); ++b) {
            if ((count >> b & 1) != 0)
                m_sets.counts.bits[b] |= cell;
        }
        for (int digit = options.takeLowest(); digit != 0; digit = options.takeLowest()) {
            const std::size_t d = static_cast<std::size_t>(digit - 1);
            m_sets.digitWords[0][d] |= cell.low;
            m_sets.digitWords[1][d] |= cell.high;
        }
    }
    m_depth = 1;
    m_passes = 0;
    m_state = SearchState::Running;
}

// The helpers of a pass are inlined: a pass runs millions of times. The counts are passed
// apart from the digit sets so that a pass can keep them in registers.
[[gnu::always_inline]] inline void Search::place(Candidates &sets, Counts &counts, int cell, int digit)
{
    if (cell < 0 || cell >= CellCount || digit < 1 || digit > 9)
        return;
    const std::size_t d = static_cast<std::size_t>(digit - 1);
    const CellBits self = CellBits::cell(cell);
    const CellBits unit = UnitCells[static_cast<std::size_t>(cell)];
    counts.empty = without(counts.empty, self);
    // The empty cells of the column, row and box that could take the digit lose it:
    // their counts go down by one (binary subtraction, the borrow running up the bits).
    // The placed cell's count becomes 0.
    CellBits borrow = sets.cellsFor(d) & unit & counts.empty;
    sets.digitWords[0][d] &= ~unit.low;
    sets.digitWords[1][d] &= ~unit.high;

    const CellBits c0 = counts.bits[0], c1 = counts.bits[1], c2 = counts.bits[2], c3 = counts.bits[3];
    counts.bits[0] = without(c0 ^ borrow, self);
    borrow = without(borrow, c0);
    counts.bits[1] = without(c1 ^ borrow, self);
    borrow = without(borrow, c1);
    counts.bits[2] = without(c2 ^ borrow, self);
    borrow = without(borrow, c2);
    counts.bits[3] = without(c3 ^ borrow, self);
    m_board.setAt(cell, digit);
}

[[gnu::always_inline]] inline DigitSet Search::candidatesOf(const Candidates &sets, int cell)
{
    if (cell < 0 || cell >= CellCount)
        return {};
    const std::array<std::uint64_t, 9> &words = sets.digitWords[cell < 64 ? 0 : 1];
    const unsigned shift = static_cast<unsigned>(cell) & 63u;
    const auto digitBits = [&]<std::size_t... d>(std::index_sequence<d...>) {
        return ((static_cast<unsigned>(words[d] >> shift & 1u) << (d + 1)) | ...);
    };
    return DigitSet::fromMask(digitBits(std::make_index_sequence<9>()));
}

// The empty cells with exactly one candidate (filled cells count 0).
[[gnu::always_inline]] inline CellBits Search::singles(const Counts &counts)
{
    return without(counts.bits[0], counts.bits[1] | counts.bits[2] | counts.bits[3]);
}

// The first empty cell with exactly `count` candidates, -1 when there is none.
template <int count>
int Search::firstWithCount(const Counts &counts)
{
    CellBits cells = counts.empty;
    cells = (count & 1) != 0 ? cells & counts.bits[0] : without(cells, counts.bits[0]);
    cells = (count & 2) != 0 ? cells & counts.bits[1] : without(cells, counts.bits[1]);
    cells = (count & 4) != 0 ? cells & counts.bits[2] : without(cells, counts.bits[2]);
    cells = (count & 8) != 0 ? cells & counts.bits[3] : without(cells, counts.bits[3]);
    return cells.any() ? cells.first() : -1;
}

SearchState Search::pass(const PeriodicWrite &write)
{
    if (m_state != SearchState::Running)
        return m_state;

    const CellBits emptyBefore = m_sets.counts.empty;
    bool placed = false;
    Counts counts = m_sets.counts;
    for (CellBits next = singles(counts); next.any();) {
        const int cell = next.first();
        place(m_sets, counts, cell, candidatesOf(m_sets, cell).takeLowest());
        placed = true;
        next = singles(counts) & CellBits::from(cell + 1);
    }
    m_sets.counts = counts;

    // While an empty cell is left the search goes on, also when that cell has no
    // candidate: that is a dead end for the next decision to undo, not a finished board.
    const bool finished = !m_sets.counts.empty.any() && scanLeavesNoCandidates(emptyBefore);

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
    const auto firstWithFewest = [this, &cell]<int... count>(std::integer_sequence<int, count...>) {
        ((cell < 0 ? cell = firstWithCount<count>(m_sets.counts) : 0), ...);
    };
    firstWithFewest(std::make_integer_sequence<int, 9>());
    // Every empty cell has all 9 candidates only on an empty board; the search starts
    // with its first cell rather than giving up on a board that has solutions.
    if (cell < 0 && m_sets.counts.empty.any())
        cell = m_sets.counts.empty.first();

    DigitSet untried = candidatesOf(m_sets, cell);
    int digit = untried.takeLowest();
    bool restored = false;
    while (digit == 0 && m_depth > 1) {
        --m_depth;
        const Decision &entry = m_stack[static_cast<std::size_t>(m_depth - 1)];
        m_board = entry.before;
        m_sets = entry.candidates;
        cell = entry.cell;
        untried = entry.untried;
        digit = untried.takeLowest();
        restored = true;
    }
    if (digit == 0)
        return false;

    // After a restore the entry already holds this cell and board; only the untried
    // candidates change.
    Decision &entry = m_stack[static_cast<std::size_t>(m_depth - 1)];
    if (!restored) {
        entry.before = m_board;
        entry.candidates = m_sets;
        entry.cell = cell;
    }
    entry.untried = untried;
    if (m_depth < StackSize)
        ++m_depth;
    place(m_sets, m_sets.counts, cell, digit);
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
