#include "fixtures.h"

#include "sudoku/generator.h"
#include "sudoku/seededdraw.h"
#include "sudoku/solver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Sudoku;

namespace {

Board rows(const std::string &text)
{
    const std::optional<Board> board = Board::fromRows(text + std::string(81 - text.size(), '.'));
    if (!board)
        throw std::invalid_argument(text);
    return *board;
}

const std::string Solved = "123456789456789123789123456214365897365897214897214365531642978642978531978531642";

} // namespace

TEST(Solver, MessagesAreTheGameTexts)
{
    EXPECT_EQ(messageFor(SolveOutcome::InvalidCombinations), "Combinazioni inserite non valide!");
    EXPECT_EQ(messageFor(SolveOutcome::Unsolvable), "Il sudoku attuale non pu\xC3\xB2 essere risolto!");
    EXPECT_TRUE(messageFor(SolveOutcome::Solved).empty());
}

TEST(Solver, RefusesARepeatedDigit)
{
    const std::vector<std::pair<const char *, std::string>> boards = {
        {"row", "5.......5"},
        {"column", "4........" "........." "........." "........." "4........"},
        {"box, other row and column", "...7....." "....7...."},
        {"last cell of a full board", Solved.substr(0, 80) + "1"},
    };
    for (const auto &[what, text] : boards) {
        SCOPED_TRACE(what);
        const SolveResult result = solveBoard(rows(text));
        EXPECT_EQ(result.outcome, SolveOutcome::InvalidCombinations);
        EXPECT_EQ(result.board, rows(text));
        EXPECT_EQ(result.passes, 0);
    }
}

TEST(Solver, ReportsABoardThatCannotBeCompleted)
{
    const std::vector<std::pair<const char *, std::string>> boards = {
        {"cell without candidate", "12345678." "........9"},
        {"two cells that need the same digit", "..3456789" "2........" "........." "........." "........."
                                               ".2......."},
    };
    for (const auto &[what, text] : boards) {
        SCOPED_TRACE(what);
        ASSERT_FALSE(hasCompletion(rows(text))) << "fixture must be unsolvable";
        EXPECT_EQ(solveBoard(rows(text)).outcome, SolveOutcome::Unsolvable);
    }
    // No cell of the top-left box can take a 1 (rows 0 and 1 and columns 0 and 1 hold one,
    // the last cell holds a 5), yet every cell has candidates: only the search finds out.
    const Board noPlaceForOne = rows("...1....." "......1.." "..5......" "........." "........." "1........"
                                     "........." ".1.......");
    EXPECT_EQ(solveBoard(noPlaceForOne).outcome, SolveOutcome::Unsolvable);
}

TEST(Solver, AgreesWithAPlainSearchOnPlayerBoards)
{
    int unsolvable = 0, solved = 0;
    for (std::uint32_t seed = 100; seed < 160; ++seed) {
        SeededDraw draw(seed);
        const NewGame game = newGame(static_cast<int>(seed % LevelCount), std::ref(draw));
        // One wrong digit typed into an empty cell, clashing with nothing.
        Board board = game.clues;
        for (int i = 0; i < CellCount; ++i) {
            const int at = (i + draw(CellCount)) % CellCount;
            if (board.at(at) != 0)
                continue;
            const int wrong = game.solution.at(at) % 9 + 1;
            board.setAt(at, wrong);
            if (!hasDuplicates(board))
                break;
            board.setAt(at, 0);
        }
        SCOPED_TRACE(board.toRows());
        const SolveResult result = solveBoard(board);
        if (hasCompletion(board)) {
            ++solved;
            ASSERT_EQ(result.outcome, SolveOutcome::Solved);
            EXPECT_TRUE(isSolved(result.board));
            EXPECT_TRUE(keepsDigits(board, result.board));
        } else {
            ++unsolvable;
            EXPECT_EQ(result.outcome, SolveOutcome::Unsolvable);
        }
    }
    EXPECT_GT(unsolvable, 0);
    EXPECT_GT(solved, 0);
}

TEST(Solver, ConfirmsAFullValidBoard)
{
    const SolveResult result = solveBoard(rows(Solved));
    EXPECT_EQ(result.outcome, SolveOutcome::Solved);
    EXPECT_EQ(result.board, rows(Solved));
    EXPECT_EQ(result.passes, 1);
}

TEST(Solver, CompletesTheEmptyBoard)
{
    const SolveResult result = solveBoard(Board{});
    EXPECT_EQ(result.outcome, SolveOutcome::Solved);
    EXPECT_TRUE(isSolved(result.board));
}

TEST(Solver, LoadsATypedZeroAsAnEmptyCellWithGivenMark)
{
    CellTexts texts;
    texts.setText(0, 0, 0);
    texts.setText(4, 2, 7);
    const LoadedBoard loaded = loadBoard(texts);
    EXPECT_EQ(loaded.digits.digit(0, 0), 0);
    EXPECT_EQ(loaded.givenMark(0, 0), 1);
    EXPECT_EQ(loaded.digits.digit(4, 2), 7);
    EXPECT_EQ(loaded.givenMark(4, 2), 1);
    EXPECT_EQ(loaded.digits.filledCount(), 1);
    int marks = 0;
    for (const std::uint8_t mark : loaded.given)
        marks += mark;
    EXPECT_EQ(marks, 2);
    EXPECT_EQ(loaded.givenMark(9, 0), 0);
}

TEST(Solver, PassesTheBoardToThePeriodicWrite)
{
    std::vector<int> passes;
    const SolveResult result = solveBoard(top95()[1], [&passes](const Board &, int pass) { passes.push_back(pass); });
    ASSERT_EQ(result.outcome, SolveOutcome::Solved);
    ASSERT_FALSE(passes.empty());
    for (std::size_t i = 0; i < passes.size(); ++i)
        EXPECT_EQ(passes[i], static_cast<int>(i) * 50);
}
