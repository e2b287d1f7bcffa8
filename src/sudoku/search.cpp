#include "sudoku/search.h"

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
    m_candidates = {};
    m_empty = {};
    const UnitSets sets(start);
    for (int i = 0; i < CellCount; ++i) {
        if (start.at(i) != 0)
            continue;
        m_empty |= CellBits::cell(i);
        DigitSet options = sets.candidates(i);
        for (int digit = options.takeLowest(); digit != 0; digit = options.takeLowest())
            m_candidates[static_cast<std::size_t>(digit - 1)] |= CellBits::cell(i);
    }
    m_depth = 1;
    m_passes = 0;
    m_state = SearchState::Running;
}

void Search::place(int cell, int digit)
{
    if (cell < 0 || cell >= CellCount || digit < 1 || digit > 9)
        return;
    m_board.setAt(cell, digit);
    const CellBits others = ~CellBits::cell(cell);
    for (CellBits &cells : m_candidates)
        cells &= others;
    m_candidates[static_cast<std::size_t>(digit - 1)] &= ~UnitCells[static_cast<std::size_t>(cell)];
    m_empty &= others;
}

DigitSet Search::candidatesOf(int cell) const
{
    DigitSet options;
    for (int digit = 1; digit <= 9; ++digit) {
        if (m_candidates[static_cast<std::size_t>(digit - 1)].has(cell))
            options.add(digit);
    }
    return options;
}

SearchState Search::pass(const PeriodicWrite &write)
{
    if (m_state != SearchState::Running)
        return m_state;

    const CellBits emptyBefore = m_empty;
    bool placed = false;
    CellBits atLeastOne, atLeastTwo;
    int from = 0;
    for (;;) {
        atLeastOne = {};
        atLeastTwo = {};
        for (const CellBits &cells : m_candidates) {
            atLeastTwo |= atLeastOne & cells;
            atLeastOne |= cells;
        }
        const CellBits singles = atLeastOne & ~atLeastTwo & CellBits::from(from);
        if (!singles.any())
            break;
        const int cell = singles.first();
        place(cell, candidatesOf(cell).takeLowest());
        placed = true;
        from = cell + 1;
    }

    // While an empty cell is left the search goes on, also when that cell has no
    // candidate: that is a dead end for the next decision to undo, not a finished board.
    const bool finished = !m_empty.any() && scanLeavesNoCandidates(emptyBefore);

    if (!placed && !finished && !decide(atLeastOne)) {
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

bool Search::decide(CellBits atLeastOne)
{
    // The first empty cell with the fewest candidates, provided it has fewer than 9.
    int cell = -1;
    const CellBits dead = m_empty & ~atLeastOne;
    if (dead.any()) {
        cell = dead.first();
    } else {
        // atLeast[k]: the cells with k or more candidates.
        std::array<CellBits, 10> atLeast{};
        for (std::size_t d = 0; d < m_candidates.size(); ++d) {
            for (std::size_t k = d + 1; k >= 2; --k)
                atLeast[k] |= atLeast[k - 1] & m_candidates[d];
            atLeast[1] |= m_candidates[d];
        }
        for (std::size_t k = 1; k < 9 && cell < 0; ++k) {
            const CellBits exactly = atLeast[k] & ~atLeast[k + 1];
            if (exactly.any())
                cell = exactly.first();
        }
        // Every empty cell has all 9 candidates only on an empty board; it starts with
        // the first cell rather than giving up on a board that has solutions.
        if (cell < 0 && m_empty.any())
            cell = m_empty.first();
    }

    DigitSet untried = cell >= 0 ? candidatesOf(cell) : DigitSet();
    int digit = untried.takeLowest();
    while (digit == 0 && m_depth > 1) {
        --m_depth;
        const Decision &entry = m_stack[static_cast<std::size_t>(m_depth - 1)];
        m_board = entry.before;
        m_candidates = entry.candidates;
        m_empty = entry.empty;
        cell = entry.cell;
        untried = entry.untried;
        digit = untried.takeLowest();
    }
    if (digit == 0)
        return false;

    Decision &entry = m_stack[static_cast<std::size_t>(m_depth - 1)];
    entry.before = m_board;
    entry.candidates = m_candidates;
    entry.empty = m_empty;
    entry.untried = untried;
    entry.cell = cell;
    if (m_depth < StackSize)
        ++m_depth;
    place(cell, digit);
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
