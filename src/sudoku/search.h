#pragma once

#include "sudoku/board.h"
#include "sudoku/cellbits.h"
#include "sudoku/digitset.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

// The constraint search that grows a puzzle's solution from one seed digit and completes
// the player's board. It works in passes. Each pass places every cell that has a single
// candidate, scanning column by column so that a digit placed early in the scan already
// counts for the cells after it. When a pass places nothing, the search decides: the first
// empty cell with the fewest candidates (fewer than 9) takes its smallest candidate, the
// board as it was and the untried candidates go on a stack of 81 entries, and a cell
// without candidates sends the search back to the latest decision with an untried one.
// The search has no solution when that runs out at depth 1; it is finished when a pass saw
// no candidate in any cell and left no cell empty.
//
// On the empty board, where every cell has 9 candidates and none qualifies, the first
// decision takes cell (0, 0). A board that already repeats a digit is for the caller to
// refuse (the solver command does); the search runs on it without harm and gives no
// useful answer. From a single seed digit a search takes fewer than 100 passes.
//
// All state has a fixed size (about 25 KB); a pass allocates nothing.
namespace Sudoku {

enum class SearchState { Running, Solved, NoSolution };

// Called with the board at passes 0, 50, 100, ..., after the pass's work and before the
// pass counter goes up; the board widget repaints from it.
using PeriodicWrite = std::function<void(const Board &board, int pass)>;

class Search
{
public:
    static constexpr int StackSize = 81;
    static constexpr int WriteInterval = 50;

    Search() = default;
    explicit Search(const Board &start) { restart(start); }

    // Depth 1, pass counter 0, the given board.
    void restart(const Board &start);

    // Runs one pass; does nothing once the search has ended.
    SearchState pass(const PeriodicWrite &write = {});
    // Runs passes until the search ends.
    SearchState run(const PeriodicWrite &write = {});

    SearchState state() const { return m_state; }
    const Board &board() const { return m_board; }
    // Passes run so far.
    int passes() const { return m_passes; }
    // Depth of the decision stack, from 1.
    int depth() const { return m_depth; }

private:
    // Each empty cell's candidate count 0..9 in binary, bit b in bits[b]; 0 for filled
    // cells.
    struct Counts
    {
        std::array<CellBits, 4> bits{};
        CellBits empty;
    };
    // What the sets of the board say about its empty cells.
    struct Candidates
    {
        // For digit d + 1: the empty cells whose column, row and box do not hold it yet
        // (bits of filled cells mean nothing and are masked with `empty`). Stored as the
        // low words (cells 0..63) and the high words (cells 64..80) of the nine sets.
        std::array<std::array<std::uint64_t, 9>, 2> digitWords{};
        Counts counts;

        CellBits cellsFor(std::size_t d) const { return {digitWords[0][d], digitWords[1][d]}; }
    };
    struct Decision
    {
        Board before;
        Candidates candidates;
        DigitSet untried;
        int cell = 0;
    };

    void place(Candidates &sets, Counts &counts, int cell, int digit);
    static DigitSet candidatesOf(const Candidates &sets, int cell);
    static CellBits singles(const Counts &counts);
    template <int count>
    static int firstWithCount(const Counts &counts);
    bool decide();
    bool scanLeavesNoCandidates(CellBits placedThisPass) const;

    Board m_board;
    Candidates m_sets;
    std::array<Decision, StackSize> m_stack{};
    int m_depth = 1;
    int m_passes = 0;
    SearchState m_state = SearchState::NoSolution;
};

struct SearchResult
{
    SearchState state = SearchState::NoSolution;
    Board board;
    int passes = 0;
};

SearchResult runSearch(const Board &start, const PeriodicWrite &write = {});

} // namespace Sudoku
