#include "sudoku/board.h"
#include "sudoku/celltexts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace Sudoku;

TEST(Board, ReadsAndWritesRowsInReadingOrder)
{
    std::string rows(81, '.');
    rows[1] = '7';  // column 1, row 0
    rows[9] = '3';  // column 0, row 1
    rows[80] = '0'; // "0" is empty too
    const std::optional<Board> board = Board::fromRows(rows);
    ASSERT_TRUE(board);
    EXPECT_EQ(board->digit(1, 0), 7);
    EXPECT_EQ(board->digit(0, 1), 3);
    EXPECT_EQ(board->filledCount(), 2);
    EXPECT_EQ(board->toRows(), "07" + std::string(7, '0') + "3" + std::string(71, '0'));
}

TEST(Board, RefusesBadRows)
{
    const std::vector<std::string> bad = {"", std::string(80, '.'), std::string(82, '.'),
                                          std::string(80, '.') + "x", std::string(80, '.') + " ",
                                          std::string(80, '.') + "-", std::string(40, '.') + '\0' + std::string(40, '.')};
    for (const std::string &rows : bad)
        EXPECT_FALSE(Board::fromRows(rows)) << rows;
}

TEST(Board, IgnoresCellsAndDigitsOutOfRange)
{
    Board board;
    EXPECT_FALSE(board.setDigit(9, 0, 1));
    EXPECT_FALSE(board.setDigit(0, -1, 1));
    EXPECT_FALSE(board.setDigit(0, 0, 10));
    EXPECT_FALSE(board.setDigit(0, 0, -1));
    EXPECT_FALSE(board.setAt(81, 1));
    EXPECT_EQ(board, Board{});
    EXPECT_EQ(board.digit(-1, 3), 0);
    EXPECT_EQ(board.at(200), 0);
}

TEST(CellTexts, ParsesTableTexts)
{
    const std::vector<std::pair<std::string, std::optional<int>>> cases = {
        {"", CellTexts::Empty}, {"   ", CellTexts::Empty}, {"0", 0}, {" 7 ", 7}, {"9", 9},
        {"10", std::nullopt},   {"a", std::nullopt},      {"-1", std::nullopt}, {"7 7", std::nullopt}};
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(CellTexts::parse(text), expected) << '"' << text << '"';
}

TEST(CellTexts, KeepsZeroApartFromEmpty)
{
    CellTexts texts;
    EXPECT_TRUE(texts.setText(2, 3, 0));
    EXPECT_FALSE(texts.isEmpty(2, 3));
    EXPECT_EQ(texts.positiveNumber(2, 3), 0);
    EXPECT_FALSE(texts.setText(2, 3, 10));
    EXPECT_FALSE(texts.setText(9, 3, 1));
    EXPECT_EQ(texts.filledCount(), 1);
    EXPECT_EQ(CellTexts::format(0), "0");
    EXPECT_EQ(CellTexts::format(CellTexts::Empty), "");
}
