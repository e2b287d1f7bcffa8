#include "sudoku/keyrelease.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Sudoku;

namespace {

// Texts from 81 characters row by row: "." empty, "0".."9" a typed text.
CellTexts texts(const std::string &rows)
{
    CellTexts grid;
    for (std::size_t i = 0; i < rows.size() && i < 81; ++i) {
        if (rows[i] >= '0' && rows[i] <= '9')
            grid.setText(static_cast<int>(i % 9), static_cast<int>(i / 9), rows[i] - '0');
    }
    return grid;
}

// Clues: 5 at (0,0) and 3 at (4,4).
const CellTexts Clues = texts("5........" "........." "........." "........." "....3....");

struct Case
{
    const char *what;
    std::string board; // before the key release; the clues above are in it unless typed over
    int column, row;
    bool errorCheck;
    int textAfter;
    ErrorMark mark;
    bool runSolver;
};

} // namespace

TEST(KeyRelease, Cases)
{
    const std::vector<Case> cases = {
        {"a clue typed over comes back", "7........" "........." "........." "........." "....3....", 0, 0, true,
         5, ErrorMark::No, false},
        {"a clue typed over comes back with the check off", ".........", 0, 0, false, 5, ErrorMark::No, false},
        {"same digit in the column", "5........" "........." "..6......" "........." "..6.3....", 2, 2, true, 6,
         ErrorMark::Si, false},
        {"same digit in the row", "5........" "........." "..6.....6" "........." "....3....", 2, 2, true, 6,
         ErrorMark::Si, false},
        {"same digit in the box, other column and row", "5........" ".6......." "..6......" "........."
                                                        "....3....",
         2, 2, true, 6, ErrorMark::Si, false},
        {"box duplicate in the same row is found by the row test", "5........" "........." "6.6......"
                                                                   "........." "....3....",
         2, 2, true, 6, ErrorMark::Si, false},
        {"a clue as the other cell clashes too", "5........" "........." "..5......" "........." "....3....", 2,
         2, true, 5, ErrorMark::Si, false},
        {"a fitting digit", "5........" "........." "..6......" "........." "....3....", 2, 2, true, 6,
         ErrorMark::No, false},
        {"check off: a clash is not looked for", "5........" "........." "..6.....6" "........." "....3....", 2,
         2, false, 6, ErrorMark::No, false},
        {"a typed 0 never clashes", "5........" "........." "0.0......" "0........" "....3....", 2, 2, true, 0,
         ErrorMark::No, false},
        {"an emptied cell", "5........" "........." "........." "........." "....3....", 2, 2, true,
         CellTexts::Empty, ErrorMark::No, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        CellTexts board = texts(c.board);
        const std::optional<KeyRelease> result = keyReleased(board, Clues, c.column, c.row, c.errorCheck);
        ASSERT_TRUE(result);
        EXPECT_EQ(board.text(c.column, c.row), c.textAfter);
        EXPECT_EQ(result->clueRestored, Clues.positiveNumber(c.column, c.row) != 0);
        EXPECT_EQ(result->mark, c.mark);
        EXPECT_EQ(result->runSolver, c.runSolver);
    }
}

TEST(KeyRelease, AFullBoardRunsTheSolverUnlessTheLastEntryClashes)
{
    const std::string solved = "123456789456789123789123456214365897365897214897214365531642978642978531978531642";
    struct FullCase
    {
        const char *what;
        char typed; // at (8,8)
        bool errorCheck;
        ErrorMark mark;
        bool runSolver;
    };
    const std::vector<FullCase> cases = {
        {"fitting digit", '2', true, ErrorMark::No, true},
        {"clashing digit, check on", '5', true, ErrorMark::Si, false},
        {"clashing digit, check off", '5', false, ErrorMark::No, true},
        {"a typed 0 counts as filled", '0', true, ErrorMark::No, true},
    };
    for (const FullCase &c : cases) {
        SCOPED_TRACE(c.what);
        std::string rows = solved;
        rows[80] = c.typed;
        CellTexts board = texts(rows);
        const std::optional<KeyRelease> result = keyReleased(board, CellTexts{}, 8, 8, c.errorCheck);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->mark, c.mark);
        EXPECT_EQ(result->runSolver, c.runSolver);
    }
    CellTexts notFull = texts(solved.substr(0, 80));
    EXPECT_FALSE(keyReleased(notFull, CellTexts{}, 0, 8, true)->runSolver);
}

TEST(KeyRelease, CellsOutsideTheGridDoNothing)
{
    CellTexts board = texts("5");
    for (const auto &[column, row] : std::vector<std::pair<int, int>>{{-1, 0}, {0, -1}, {9, 0}, {0, 9}, {100, 100}}) {
        EXPECT_FALSE(keyReleased(board, Clues, column, row, true));
        EXPECT_FALSE(clashes(board, Clues, column, row));
    }
    EXPECT_EQ(board, texts("5"));
}

TEST(KeyRelease, MarkTexts)
{
    EXPECT_EQ(errorMarkText(ErrorMark::Si), "SI");
    EXPECT_EQ(errorMarkText(ErrorMark::No), "NO");
    EXPECT_EQ(errorMarkText(ErrorMark::None), "");
}
