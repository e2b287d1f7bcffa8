#include "fixtures.h"

#include "sudoku/generator.h"
#include "sudoku/seededdraw.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <utility>
#include <vector>

using namespace Sudoku;

namespace {

// Hands out scripted draws and records every request.
struct ScriptedDraw
{
    std::deque<int> script;
    std::vector<int> requests;
    int operator()(int n)
    {
        requests.push_back(n);
        if (script.empty())
            return 0;
        const int value = script.front();
        script.pop_front();
        return value;
    }
};

} // namespace

TEST(Generator, EveryLevelGivesItsClueCount)
{
    const std::vector<std::pair<int, int>> levels = {{0, 50}, {1, 46}, {2, 44}, {3, 41}, {4, 38},
                                                     {-1, 44}, {5, 44}, {1000, 44}};
    for (const auto &[level, clues] : levels) {
        EXPECT_EQ(clueTarget(level), clues) << "level " << level;
        for (std::uint32_t seed = 0; seed < 25; ++seed) {
            SCOPED_TRACE("level " + std::to_string(level) + " seed " + std::to_string(seed));
            SeededDraw draw(seed);
            const NewGame game = newGame(level, std::ref(draw));
            EXPECT_TRUE(isSolved(game.solution));
            EXPECT_EQ(game.clues.filledCount(), clues);
            EXPECT_TRUE(keepsDigits(game.clues, game.solution));
            EXPECT_EQ(game.solution.digit(game.seedColumn, game.seedRow), game.seedDigit);
            EXPECT_LT(game.passes, 100);
        }
    }
}

TEST(Generator, DrawsSeedDigitThenRowThenColumnThenClueCells)
{
    ScriptedDraw draw;
    draw.script = {4, 2, 7}; // digit 5, row 2, column 7
    // Clue cells as (column, row): the first 38 cells of rows 0..4, with one cell drawn twice.
    std::vector<std::pair<int, int>> cells;
    for (int i = 0; i < 38; ++i)
        cells.emplace_back(i % 9, i / 9);
    cells.insert(cells.begin() + 10, cells[3]);
    for (const auto &[column, row] : cells) {
        draw.script.push_back(column);
        draw.script.push_back(row);
    }
    draw.script.push_back(8); // never used: the target is reached
    const NewGame game = newGame(static_cast<int>(Level::Esperto), std::ref(draw));

    EXPECT_EQ(game.seedDigit, 5);
    EXPECT_EQ(game.seedRow, 2);
    EXPECT_EQ(game.seedColumn, 7);
    Board seed;
    seed.setDigit(7, 2, 5);
    EXPECT_EQ(game.solution, runSearch(seed).board);

    EXPECT_EQ(draw.script.size(), 1u);
    EXPECT_EQ(draw.requests, std::vector<int>(3 + 2 * cells.size(), 9));
    for (int row = 0; row < Side; ++row) {
        for (int column = 0; column < Side; ++column) {
            const bool drawn = row * 9 + column < 38;
            EXPECT_EQ(game.clues.digit(column, row), drawn ? game.solution.digit(column, row) : 0)
                << column << "," << row;
        }
    }
}

TEST(Generator, CopesWithAGeneratorOutOfRange)
{
    ScriptedDraw draw;
    draw.script = {13, -5, 9}; // taken modulo 9: digit 5, row 4, column 0
    const NewGame game = newGame(static_cast<int>(Level::Medio), std::ref(draw));
    EXPECT_EQ(game.seedDigit, 5);
    EXPECT_EQ(game.seedRow, 4);
    EXPECT_EQ(game.seedColumn, 0);
    // The script then runs dry and every draw is 0: one cell only, yet the target is met.
    EXPECT_EQ(game.clues.filledCount(), 44);
    EXPECT_TRUE(keepsDigits(game.clues, game.solution));
}

TEST(Generator, WithoutAGeneratorStillGivesAGame)
{
    const NewGame game = newGame(0, Draw{});
    EXPECT_TRUE(isSolved(game.solution));
    EXPECT_EQ(game.clues.filledCount(), 50);
}

TEST(Generator, TheSameSeedGivesTheSameGame)
{
    std::set<std::string> puzzles;
    for (std::uint32_t seed = 0; seed < 20; ++seed) {
        SeededDraw first(seed), second(seed);
        const NewGame a = newGame(3, std::ref(first));
        const NewGame b = newGame(3, std::ref(second));
        EXPECT_EQ(a.clues, b.clues);
        EXPECT_EQ(a.solution, b.solution);
        puzzles.insert(a.clues.toRows());
    }
    EXPECT_GT(puzzles.size(), 15u);
}

TEST(SeededDraw, StaysInRange)
{
    SeededDraw draw(7);
    for (int n : {1, 2, 3, 9, 81, 1000, 1 << 30, 2147483647}) {
        for (int i = 0; i < 200; ++i) {
            const int value = draw(n);
            ASSERT_GE(value, 0);
            ASSERT_LT(value, n);
        }
    }
    EXPECT_EQ(draw(0), 0);
    EXPECT_EQ(draw(-4), 0);
}

TEST(SeededDraw, FollowsTheDocumentedMapping)
{
    // std::mt19937 seeded with 5489 gives 3499211612 first; 3499211612 mod 9 = 2.
    SeededDraw draw(5489);
    EXPECT_EQ(draw(9), 2);
    std::mt19937 engine(12345);
    SeededDraw same(12345);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(same(9), static_cast<int>(engine() % 9)); // only outputs >= 2^32 - 4 are drawn again
}
