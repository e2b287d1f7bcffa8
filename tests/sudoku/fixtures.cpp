#include "fixtures.h"

#include <fstream>
#include <optional>
#include <stdexcept>

std::vector<Sudoku::Board> top95()
{
    std::ifstream file(SUDOKU_TEST_DATA_DIR "/top95.txt");
    if (!file)
        throw std::runtime_error("cannot open top95.txt");
    std::vector<Sudoku::Board> boards;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const std::optional<Sudoku::Board> board = Sudoku::Board::fromRows(line);
        if (!board)
            throw std::runtime_error("bad line in top95.txt: " + line);
        boards.push_back(*board);
    }
    return boards;
}

namespace {

bool fits(const Sudoku::Board &board, int column, int row, int digit)
{
    for (int i = 0; i < Sudoku::Side; ++i) {
        if (board.digit(column, i) == digit || board.digit(i, row) == digit)
            return false;
    }
    const int left = column / 3 * 3, top = row / 3 * 3;
    for (int c = left; c < left + 3; ++c) {
        for (int r = top; r < top + 3; ++r) {
            if (board.digit(c, r) == digit)
                return false;
        }
    }
    return true;
}

// Fills the empty cell with the fewest fitting digits first, trying each in turn.
bool complete(Sudoku::Board &board)
{
    int bestColumn = -1, bestRow = -1, bestCount = 10;
    for (int row = 0; row < Sudoku::Side; ++row) {
        for (int column = 0; column < Sudoku::Side; ++column) {
            if (board.digit(column, row) != 0)
                continue;
            int count = 0;
            for (int digit = 1; digit <= 9; ++digit)
                count += fits(board, column, row, digit) ? 1 : 0;
            if (count < bestCount)
                bestColumn = column, bestRow = row, bestCount = count;
        }
    }
    if (bestColumn < 0)
        return true;
    for (int digit = 1; digit <= 9; ++digit) {
        if (fits(board, bestColumn, bestRow, digit)) {
            board.setDigit(bestColumn, bestRow, digit);
            if (complete(board))
                return true;
            board.setDigit(bestColumn, bestRow, 0);
        }
    }
    return false;
}

} // namespace

bool hasCompletion(const Sudoku::Board &board)
{
    if (Sudoku::hasDuplicates(board))
        return false;
    Sudoku::Board work = board;
    return complete(work);
}

bool keepsDigits(const Sudoku::Board &puzzle, const Sudoku::Board &solution)
{
    for (int i = 0; i < Sudoku::CellCount; ++i) {
        if (puzzle.at(i) != 0 && puzzle.at(i) != solution.at(i))
            return false;
    }
    return true;
}
