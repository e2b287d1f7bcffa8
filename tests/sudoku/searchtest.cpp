#include "fixtures.h"
#include "referencesearch.h"

#include "sudoku/generator.h"
#include "sudoku/search.h"
#include "sudoku/seededdraw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Sudoku;

namespace {

Board seeded(int digit, int column, int row)
{
    Board board;
    board.setDigit(column, row, digit);
    return board;
}

// Both searches side by side: the same state, board, pass count and depth after every pass.
void expectSameEveryPass(const Board &start)
{
    Search search(start);
    ReferenceSearch plain(start);
    for (;;) {
        const SearchState state = search.pass();
        const SearchState expected = plain.pass();
        ASSERT_EQ(state, expected) << "after pass " << plain.passes();
        ASSERT_EQ(search.board(), plain.board()) << "after pass " << plain.passes();
        ASSERT_EQ(search.passes(), plain.passes());
        ASSERT_EQ(search.depth(), plain.depth());
        ASSERT_LE(search.depth(), Search::StackSize);
        if (state != SearchState::Running)
            return;
    }
}

// Boards as a player leaves them: a generated puzzle plus digits typed into empty cells that
// clash with nothing (right or wrong), so some can be completed and some cannot.
std::vector<Board> playerBoards()
{
    std::vector<Board> boards;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SeededDraw draw(seed);
        const NewGame game = newGame(static_cast<int>(seed % LevelCount), std::ref(draw));
        Board board = game.clues;
        for (int typed = 0; typed < 6; ++typed) {
            const int column = draw(9), row = draw(9), digit = draw(9) + 1;
            if (board.digit(column, row) != 0)
                continue;
            board.setDigit(column, row, digit);
            if (hasDuplicates(board))
                board.setDigit(column, row, 0);
        }
        boards.push_back(board);
    }
    return boards;
}

} // namespace

TEST(Search, SameBoardAfterEveryPassForEverySeed)
{
    for (int digit = 1; digit <= 9; ++digit) {
        for (int column = 0; column < Side; ++column) {
            for (int row = 0; row < Side; ++row) {
                SCOPED_TRACE(std::to_string(digit) + " at " + std::to_string(column) + "," + std::to_string(row));
                expectSameEveryPass(seeded(digit, column, row));
            }
        }
    }
}

TEST(Search, SameBoardAfterEveryPassOnHardPuzzles)
{
    const std::vector<Board> puzzles = top95();
    ASSERT_EQ(puzzles.size(), 95u);
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
        SCOPED_TRACE("top95 line " + std::to_string(i + 1));
        expectSameEveryPass(puzzles[i]);
    }
}

TEST(Search, SameBoardAfterEveryPassOnPlayerBoards)
{
    int unsolvable = 0;
    for (const Board &board : playerBoards()) {
        SCOPED_TRACE(board.toRows());
        expectSameEveryPass(board);
        unsolvable += runSearch(board).state == SearchState::NoSolution ? 1 : 0;
    }
    // The mix must hold both kinds to mean something.
    EXPECT_GT(unsolvable, 0);
    EXPECT_LT(unsolvable, 40);
}

TEST(Search, SameBoardAfterEveryPassOnOddBoards)
{
    const std::vector<std::string> boards = {
        std::string(81, '.'),
        // Complete and valid.
        "123456789456789123789123456214365897365897214897214365531642978642978531978531642",
        // Complete, with a clash: no result can come of it.
        "113456789456789123789123456214365897365897214897214365531642978642978531978531642",
        // Cell (8,0) has no candidate from the start.
        "12345678.........9...............................................................",
        // Two cells of row 0 can only take a 1.
        "..3456789" "2........" "........." "........." "........." ".2......." ".........",
    };
    for (const std::string &rows : boards) {
        SCOPED_TRACE(rows);
        const std::optional<Board> board = Board::fromRows(rows + std::string(81 - rows.size(), '.'));
        ASSERT_TRUE(board);
        expectSameEveryPass(*board);
    }
}

TEST(Search, EverySeedGrowsAValidGridInFewerThan100Passes)
{
    for (int digit = 1; digit <= 9; ++digit) {
        for (int column = 0; column < Side; ++column) {
            for (int row = 0; row < Side; ++row) {
                SCOPED_TRACE(std::to_string(digit) + " at " + std::to_string(column) + "," + std::to_string(row));
                const SearchResult first = runSearch(seeded(digit, column, row));
                ASSERT_EQ(first.state, SearchState::Solved);
                EXPECT_TRUE(isSolved(first.board));
                EXPECT_EQ(first.board.digit(column, row), digit);
                EXPECT_LT(first.passes, 100);
                const SearchResult again = runSearch(seeded(digit, column, row));
                EXPECT_EQ(again.board, first.board);
                EXPECT_EQ(again.passes, first.passes);
            }
        }
    }
}

TEST(Search, WritesTheBoardEvery50thPass)
{
    const Board start = top95().front();
    std::vector<std::pair<int, Board>> writes;
    Search search(start);
    search.run([&writes](const Board &board, int pass) { writes.emplace_back(pass, board); });
    ASSERT_EQ(search.state(), SearchState::Solved);
    ASSERT_GT(search.passes(), 100);
    ASSERT_EQ(writes.size(), static_cast<std::size_t>((search.passes() - 1) / 50 + 1));

    ReferenceSearch plain(start);
    for (std::size_t i = 0; i < writes.size(); ++i) {
        const int pass = static_cast<int>(i) * 50;
        ASSERT_EQ(writes[i].first, pass);
        while (plain.passes() <= pass)
            plain.pass();
        EXPECT_EQ(writes[i].second, plain.board()) << "write at pass " << pass;
    }
}

TEST(Search, SolvesTheHardPuzzlesKeepingTheirClues)
{
    for (const Board &puzzle : top95()) {
        const SearchResult result = runSearch(puzzle);
        ASSERT_EQ(result.state, SearchState::Solved) << puzzle.toRows();
        EXPECT_TRUE(isSolved(result.board));
        EXPECT_TRUE(keepsDigits(puzzle, result.board));
    }
}

TEST(Search, RestartForgetsTheEarlierSearch)
{
    Search search(top95().front());
    for (int i = 0; i < 500; ++i)
        search.pass();
    search.restart(seeded(5, 3, 4));
    EXPECT_EQ(search.passes(), 0);
    EXPECT_EQ(search.depth(), 1);
    search.run();
    const SearchResult fresh = runSearch(seeded(5, 3, 4));
    EXPECT_EQ(search.board(), fresh.board);
    EXPECT_EQ(search.passes(), fresh.passes);
}

TEST(Search, AnEndedSearchStaysEnded)
{
    Search search(*Board::fromRows("12345678.........9" + std::string(63, '.')));
    EXPECT_EQ(search.run(), SearchState::NoSolution);
    const int passes = search.passes();
    EXPECT_EQ(search.pass(), SearchState::NoSolution);
    EXPECT_EQ(search.passes(), passes);
}
