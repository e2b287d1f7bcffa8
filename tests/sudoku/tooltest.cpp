#include "commands.h"

#include "sudoku/board.h"
#include "sudoku/generator.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct Output
{
    int status = -1;
    std::string out;
    std::string err;
};

Output runTool(const std::vector<std::string> &words)
{
    std::vector<std::string_view> args(words.begin(), words.end());
    std::ostringstream out, err;
    Output result;
    result.status = SudokuTool::run(args, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);)
        parts.push_back(part);
    return parts;
}

const std::string Hard = "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......";

} // namespace

TEST(Tool, UsageErrorsAreOneLineWithStatus2)
{
    const std::vector<std::vector<std::string>> calls = {
        {},
        {"bogus"},
        {"grid"},
        {"grid", "1", "0"},
        {"grid", "1", "0", "0", "0"},
        {"grid", "0", "0", "0"},
        {"grid", "10", "0", "0"},
        {"grid", "1", "9", "0"},
        {"grid", "1", "0", "-1"},
        {"grid", "1", "0", "0x"},
        {"grid", "1", " 0", "0"},
        {"grid", "1", "", "0"},
        {"grid", "99999999999999999999", "0", "0"},
        {"all", "1"},
        {"solve"},
        {"solve", Hard, Hard},
        {"solve", Hard.substr(1)},
        {"solve", Hard + "."},
        {"solve", "x" + Hard.substr(1)},
        {"solve", " " + Hard.substr(1)},
        {"solve", ""},
        {"new"},
        {"new", "1"},
        {"new", "5", "1"},
        {"new", "-1", "1"},
        {"new", "0", "-1"},
        {"new", "0", "4294967296"},
        {"new", "0", "1e3"},
    };
    for (const std::vector<std::string> &call : calls) {
        std::string line;
        for (const std::string &word : call)
            line += "[" + word + "]";
        SCOPED_TRACE(line);
        const Output result = runTool(call);
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(result.out.empty());
        EXPECT_EQ(split(result.err, '\n').size(), 1u);
        EXPECT_NE(result.err.find("usage: sintonia-sudoku"), std::string::npos);
    }
}

TEST(Tool, SolveRefusalsPrintTheSolverTextWithStatus1)
{
    const std::vector<std::pair<std::string, std::string>> calls = {
        {"55" + std::string(79, '.'), "Combinazioni inserite non valide!\n"},
        {"12345678.........9" + std::string(63, '0'), "Il sudoku attuale non pu\xC3\xB2 essere risolto!\n"},
    };
    for (const auto &[board, text] : calls) {
        const Output result = runTool({"solve", board});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, text);
        EXPECT_TRUE(result.err.empty());
    }
}

TEST(Tool, SolvePrintsTheSolutionAndPasses)
{
    const Output result = runTool({"solve", Hard});
    ASSERT_EQ(result.status, 0);
    const std::vector<std::string> fields = split(result.out.substr(0, result.out.size() - 1), ' ');
    ASSERT_EQ(fields.size(), 2u);
    const std::optional<Sudoku::Board> solution = Sudoku::Board::fromRows(fields[0]);
    ASSERT_TRUE(solution);
    EXPECT_TRUE(Sudoku::isSolved(*solution));
    for (std::size_t i = 0; i < Hard.size(); ++i) {
        if (Hard[i] != '.') {
            EXPECT_EQ(fields[0][i], Hard[i]);
        }
    }
    EXPECT_GT(std::stoi(fields[1]), 0);
}

TEST(Tool, AllListsEverySeedInOrderWithAValidGrid)
{
    const Output result = runTool({"all"});
    ASSERT_EQ(result.status, 0);
    const std::vector<std::string> lines = split(result.out, '\n');
    ASSERT_EQ(lines.size(), 729u);
    std::size_t n = 0;
    for (int digit = 1; digit <= 9; ++digit) {
        for (int column = 0; column < 9; ++column) {
            for (int row = 0; row < 9; ++row, ++n) {
                SCOPED_TRACE(lines[n]);
                const std::vector<std::string> fields = split(lines[n], ' ');
                ASSERT_EQ(fields.size(), 5u);
                EXPECT_EQ(fields[0], std::to_string(digit));
                EXPECT_EQ(fields[1], std::to_string(column));
                EXPECT_EQ(fields[2], std::to_string(row));
                const std::optional<Sudoku::Board> grid = Sudoku::Board::fromRows(fields[3]);
                ASSERT_TRUE(grid);
                EXPECT_TRUE(Sudoku::isSolved(*grid));
                EXPECT_EQ(grid->digit(column, row), digit);
                EXPECT_LT(std::stoi(fields[4]), 100);
                if (n % 97 == 0) {
                    const Output single = runTool({"grid", fields[0], fields[1], fields[2]});
                    EXPECT_EQ(single.status, 0);
                    EXPECT_EQ(single.out, fields[3] + " " + fields[4] + "\n");
                }
            }
        }
    }
}

TEST(Tool, NewPrintsAPuzzleOfTheLevelAndItsSolution)
{
    for (int level = 0; level < Sudoku::LevelCount; ++level) {
        for (const char *seed : {"0", "1", "4294967295"}) {
            SCOPED_TRACE(std::to_string(level) + " " + seed);
            const Output result = runTool({"new", std::to_string(level), seed});
            ASSERT_EQ(result.status, 0);
            EXPECT_EQ(runTool({"new", std::to_string(level), seed}).out, result.out);
            const std::vector<std::string> fields = split(result.out.substr(0, result.out.size() - 1), ' ');
            ASSERT_EQ(fields.size(), 2u);
            const std::optional<Sudoku::Board> puzzle = Sudoku::Board::fromRows(fields[0]);
            const std::optional<Sudoku::Board> solution = Sudoku::Board::fromRows(fields[1]);
            ASSERT_TRUE(puzzle && solution);
            EXPECT_EQ(puzzle->filledCount(), Sudoku::clueTarget(level));
            EXPECT_TRUE(Sudoku::isSolved(*solution));
            for (int i = 0; i < Sudoku::CellCount; ++i) {
                if (puzzle->at(i) != 0) {
                    EXPECT_EQ(puzzle->at(i), solution->at(i));
                }
            }
        }
    }
}

TEST(Tool, NewIsTheSameFromOneBuildToTheNext)
{
    // Level 2 from seed 42, as the seeded generator and the draw order give it.
    EXPECT_EQ(runTool({"new", "2", "42"}).out,
              "200860793300791002607230080068370000079128000100006079700903000835640917040017030 "
              "251864793384791562697235481468379125579128346123456879712983654835642917946517238\n");
}
