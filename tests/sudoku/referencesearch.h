#pragma once

#include "sudoku/board.h"
#include "sudoku/search.h"

#include <array>

// The search written the plain way, cell by cell, as the game describes it: sets rebuilt
// from the board on every pass, all 81 cells visited column by column, 1-based indices.
// The library's search must give the same board after every pass; it is slow and only
// serves as the yardstick in the tests.
class ReferenceSearch
{
public:
    explicit ReferenceSearch(const Sudoku::Board &start);

    Sudoku::SearchState pass();
    Sudoku::SearchState state() const { return m_state; }
    int passes() const { return m_passes; }
    int depth() const { return m_depth; }
    Sudoku::Board board() const;

private:
    // A count of members and a membership mask, bits 1..9.
    struct DigitSet
    {
        int count = 0;
        unsigned mask = 0;
        void clear() { count = 0, mask = 0; }
        void add(int digit);
        int takeLowest();
        bool has(int digit) const { return (mask >> digit & 1u) != 0; }
    };
    struct Entry
    {
        int column = 0;
        int row = 0;
        int board[10][10] = {};
        DigitSet untried;
    };

    static int box(int column, int row) { return (column - 1) / 3 + ((row - 1) / 3) * 3 + 1; }
    DigitSet candidates(int column, int row) const;

    int m_board[10][10] = {};
    DigitSet m_columns[10], m_rows[10], m_boxes[10];
    DigitSet m_k[10][10];
    std::array<Entry, 82> m_stack{};
    int m_depth = 1;
    int m_passes = 0;
    Sudoku::SearchState m_state = Sudoku::SearchState::Running;
};
