#include "sudoku/board.h"

namespace Sudoku {

int Board::digit(int column, int row) const
{
    return isValidCell(column, row) ? m_cells[static_cast<std::size_t>(cellIndex(column, row))] : 0;
}

bool Board::setDigit(int column, int row, int digit)
{
    if (!isValidCell(column, row))
        return false;
    return setAt(cellIndex(column, row), digit);
}

int Board::filledCount() const
{
    int count = 0;
    for (const std::uint8_t cell : m_cells)
        count += cell != 0 ? 1 : 0;
    return count;
}

std::optional<Board> Board::fromRows(std::string_view text)
{
    if (text.size() != static_cast<std::size_t>(CellCount))
        return std::nullopt;
    Board board;
    for (int i = 0; i < CellCount; ++i) {
        const char ch = text[static_cast<std::size_t>(i)];
        int value = 0;
        if (ch >= '1' && ch <= '9')
            value = ch - '0';
        else if (ch != '0' && ch != '.')
            return std::nullopt;
        board.setDigit(i % Side, i / Side, value);
    }
    return board;
}

std::string Board::toRows() const
{
    std::string text;
    text.reserve(CellCount);
    for (int row = 0; row < Side; ++row) {
        for (int column = 0; column < Side; ++column)
            text.push_back(static_cast<char>('0' + digit(column, row)));
    }
    return text;
}

bool hasDuplicates(const Board &board)
{
    std::array<unsigned, Side> columns{}, rows{}, boxes{};
    for (int column = 0; column < Side; ++column) {
        for (int row = 0; row < Side; ++row) {
            const int value = board.digit(column, row);
            if (value == 0)
                continue;
            const unsigned bit = 1u << value;
            unsigned &inColumn = columns[static_cast<std::size_t>(column)];
            unsigned &inRow = rows[static_cast<std::size_t>(row)];
            unsigned &inBox = boxes[static_cast<std::size_t>(boxOf(column, row))];
            if ((inColumn | inRow | inBox) & bit)
                return true;
            inColumn |= bit;
            inRow |= bit;
            inBox |= bit;
        }
    }
    return false;
}

bool isSolved(const Board &board)
{
    return board.isFull() && !hasDuplicates(board);
}

} // namespace Sudoku
