#include "sudoku/generator.h"

#include <array>

namespace Sudoku {

namespace {

constexpr std::array<int, LevelCount> CluesByLevel = {50, 46, 44, 41, 38};
constexpr int CluesWithoutLevel = 44;

// A generator that keeps drawing the same few cells would never reach the target; after
// this many draws the remaining clues are taken in scan order. A uniform generator needs
// about 80 draws for 50 clues; running past 65536 is beyond any real chance.
constexpr int MaxClueDraws = 1 << 16;

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

    // The clue mask starts empty; `clues` is its count of non-empty cells.
    const int target = clueTarget(levelIndex);
    int clues = 0;
    for (int draws = 0; clues < target && draws < MaxClueDraws; ++draws) {
        const int column = drawBelow(draw, Side);
        const int row = drawBelow(draw, Side);
        const bool wasEmpty = game.clues.digit(column, row) == 0;
        game.clues.setDigit(column, row, game.solution.digit(column, row));
        if (wasEmpty && game.clues.digit(column, row) != 0)
            ++clues;
    }
    for (int i = 0; i < CellCount && clues < target; ++i) {
        if (game.clues.at(i) == 0 && game.solution.at(i) != 0) {
            game.clues.setAt(i, game.solution.at(i));
            ++clues;
        }
    }
    return game;
}

} // namespace Sudoku
