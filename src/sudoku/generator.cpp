#include "sudoku/generator.h"

#include <array>

namespace Sudoku {

namespace {

constexpr std::array<int, LevelCount> CluesByLevel = {50, 46, 44, 41, 38};
constexpr int CluesWithoutLevel = 44;

// A generator that keeps drawing the same few cells would never reach the target; after
// this many draws the remaining clues are taken in scan order. A uniform generator needs
// about 80 draws for 50 clues, so this never happens with one.
constexpr int MaxClueDraws = 1 << 20;

int drawBelow(const Draw &draw, int n)
{
    if (!draw || n < 1)
        return 0;
    const int value = draw(n) % n;
    return value < 0 ? value + n : value;
}

} // namespace

int clueTarget(int levelIndex)
{
    if (levelIndex < 0 || levelIndex >= LevelCount)
        return CluesWithoutLevel;
    return CluesByLevel[static_cast<std::size_t>(levelIndex)];
}

NewGame newGame(int levelIndex, const Draw &draw, const PeriodicWrite &write)
{
    NewGame game;
    game.seedDigit = drawBelow(draw, Side) + 1;
    game.seedRow = drawBelow(draw, Side);
    game.seedColumn = drawBelow(draw, Side);

    Board start;
    start.setDigit(game.seedColumn, game.seedRow, game.seedDigit);
    const SearchResult grown = runSearch(start, write);
    game.solution = grown.board;
    game.passes = grown.passes;

    const int target = clueTarget(levelIndex);
    int draws = 0;
    while (game.clues.filledCount() < target && draws < MaxClueDraws) {
        const int column = drawBelow(draw, Side);
        const int row = drawBelow(draw, Side);
        game.clues.setDigit(column, row, game.solution.digit(column, row));
        ++draws;
    }
    for (int i = 0; i < CellCount && game.clues.filledCount() < target; ++i)
        game.clues.setAt(i, game.solution.at(i));
    return game;
}

} // namespace Sudoku
