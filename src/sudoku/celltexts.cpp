#include "sudoku/celltexts.h"

namespace Sudoku {

int CellTexts::text(int column, int row) const
{
    if (!isValidCell(column, row))
        return Empty;
    return m_cells[static_cast<std::size_t>(cellIndex(column, row))];
}

int CellTexts::positiveNumber(int column, int row) const
{
    const int value = text(column, row);
    return value > 0 ? value : 0;
}

bool CellTexts::setText(int column, int row, int value)
{
    if (!isValidCell(column, row) || value < Empty || value > 9)
        return false;
    m_cells[static_cast<std::size_t>(cellIndex(column, row))] = static_cast<std::int8_t>(value);
    return true;
}

int CellTexts::filledCount() const
{
    int count = 0;
    for (const std::int8_t cell : m_cells)
        count += cell != Empty ? 1 : 0;
    return count;
}

std::optional<int> CellTexts::parse(std::string_view text)
{
    constexpr std::string_view blanks = " \t\r\n\f\v";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return Empty;
    const std::size_t last = text.find_last_not_of(blanks);
    const std::string_view trimmed = text.substr(first, last - first + 1);
    if (trimmed.size() != 1 || trimmed[0] < '0' || trimmed[0] > '9')
        return std::nullopt;
    return trimmed[0] - '0';
}

std::string CellTexts::format(int value)
{
    if (value < 0 || value > 9)
        return {};
    return std::string(1, static_cast<char>('0' + value));
}

CellTexts CellTexts::fromBoard(const Board &board)
{
    CellTexts texts;
    for (int column = 0; column < Side; ++column) {
        for (int row = 0; row < Side; ++row) {
            const int value = board.digit(column, row);
            texts.setText(column, row, value == 0 ? Empty : value);
        }
    }
    return texts;
}

} // namespace Sudoku
