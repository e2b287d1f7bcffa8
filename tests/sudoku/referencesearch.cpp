#include "referencesearch.h"

#include <cstring>

void ReferenceSearch::DigitSet::add(int digit)
{
    if (!has(digit)) {
        mask |= 1u << digit;
        ++count;
    }
}

int ReferenceSearch::DigitSet::takeLowest()
{
    for (int digit = 1; digit <= 9; ++digit) {
        if (has(digit)) {
            mask &= ~(1u << digit);
            --count;
            return digit;
        }
    }
    return 0;
}

ReferenceSearch::ReferenceSearch(const Sudoku::Board &start)
{
    for (int c = 1; c <= 9; ++c) {
        for (int r = 1; r <= 9; ++r)
            m_board[c][r] = start.digit(c - 1, r - 1);
    }
}

Sudoku::Board ReferenceSearch::board() const
{
    Sudoku::Board out;
    for (int c = 1; c <= 9; ++c) {
        for (int r = 1; r <= 9; ++r)
            out.setDigit(c - 1, r - 1, m_board[c][r]);
    }
    return out;
}

ReferenceSearch::DigitSet ReferenceSearch::candidates(int column, int row) const
{
    DigitSet set;
    for (int digit = 1; digit <= 9; ++digit) {
        if (!m_columns[column].has(digit) && !m_rows[row].has(digit) && !m_boxes[box(column, row)].has(digit))
            set.add(digit);
    }
    return set;
}

Sudoku::SearchState ReferenceSearch::pass()
{
    if (m_state != Sudoku::SearchState::Running)
        return m_state;

    for (int i = 1; i <= 9; ++i) {
        m_columns[i].clear();
        m_rows[i].clear();
        m_boxes[i].clear();
    }
    for (int c = 1; c <= 9; ++c) {
        for (int r = 1; r <= 9; ++r) {
            if (m_board[c][r] != 0) {
                m_columns[c].add(m_board[c][r]);
                m_rows[r].add(m_board[c][r]);
                m_boxes[box(c, r)].add(m_board[c][r]);
            }
        }
    }

    bool placed = false;
    for (int c = 1; c <= 9; ++c) {
        for (int r = 1; r <= 9; ++r) {
            m_k[c][r] = candidates(c, r);
            if (m_board[c][r] == 0 && m_k[c][r].count == 1) {
                const int digit = m_k[c][r].takeLowest();
                m_board[c][r] = digit;
                m_columns[c].add(digit);
                m_rows[r].add(digit);
                m_boxes[box(c, r)].add(digit);
                placed = true;
            }
        }
    }

    bool finished = true;
    for (int c = 1; c <= 9; ++c) {
        for (int r = 1; r <= 9; ++r) {
            // An empty cell left over keeps the search going (a dead end, not a result).
            if (m_k[c][r].count != 0 || m_board[c][r] == 0)
                finished = false;
        }
    }

    if (!placed && !finished) {
        int bound = 9;
        int column = 0, row = 0;
        DigitSet s;
        for (int c = 1; c <= 9; ++c) {
            for (int r = 1; r <= 9; ++r) {
                if (m_board[c][r] == 0 && m_k[c][r].count < bound) {
                    column = c, row = r, s = m_k[c][r];
                    bound = m_k[c][r].count;
                }
            }
        }
        // Only an empty board has no cell below the bound: start with its first cell.
        if (column == 0) {
            for (int c = 1; c <= 9 && column == 0; ++c) {
                for (int r = 1; r <= 9 && column == 0; ++r) {
                    if (m_board[c][r] == 0)
                        column = c, row = r, s = m_k[c][r];
                }
            }
        }
        int v = s.takeLowest();
        while (v == 0 && m_depth > 1) {
            --m_depth;
            const Entry &entry = m_stack[static_cast<std::size_t>(m_depth)];
            std::memcpy(m_board, entry.board, sizeof m_board);
            column = entry.column, row = entry.row, s = entry.untried;
            v = s.takeLowest();
        }
        if (v == 0) {
            m_state = Sudoku::SearchState::NoSolution;
            return m_state;
        }
        Entry &entry = m_stack[static_cast<std::size_t>(m_depth)];
        entry.column = column, entry.row = row, entry.untried = s;
        std::memcpy(entry.board, m_board, sizeof m_board);
        if (m_depth < 81)
            ++m_depth;
        m_board[column][row] = v;
    }

    ++m_passes;
    if (finished)
        m_state = Sudoku::SearchState::Solved;
    return m_state;
}
