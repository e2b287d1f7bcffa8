#include "commands.h"

#include "sudoku/board.h"
#include "sudoku/generator.h"
#include "sudoku/search.h"
#include "sudoku/seededdraw.h"
#include "sudoku/solver.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

namespace SudokuTool {

namespace {

constexpr std::string_view Usage =
    "usage: sintonia-sudoku grid D C R | all | solve <81 characters> | new LEVEL SEED";

enum Status { Ok = 0, Refused = 1, UsageError = 2 };

int usageError(std::ostream &err, std::string_view reason)
{
    err << "sintonia-sudoku: " << reason << "; " << Usage << '\n';
    return UsageError;
}

// A whole argument as a decimal number within [low, high].
template <typename T>
std::optional<T> parseNumber(std::string_view text, T low, T high)
{
    T value{};
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < low || value > high)
        return std::nullopt;
    return value;
}

Sudoku::SearchResult grow(int digit, int column, int row)
{
    Sudoku::Board start;
    start.setDigit(column, row, digit);
    return Sudoku::runSearch(start);
}

int gridCommand(std::span<const std::string_view> args, std::ostream &out, std::ostream &err)
{
    if (args.size() != 3)
        return usageError(err, "grid takes D C R");
    const auto digit = parseNumber(args[0], 1, 9);
    const auto column = parseNumber(args[1], 0, 8);
    const auto row = parseNumber(args[2], 0, 8);
    if (!digit || !column || !row)
        return usageError(err, "grid needs D in 1..9, C and R in 0..8");
    const Sudoku::SearchResult grown = grow(*digit, *column, *row);
    out << grown.board.toRows() << ' ' << grown.passes << '\n';
    return Ok;
}

int allCommand(std::span<const std::string_view> args, std::ostream &out, std::ostream &err)
{
    if (!args.empty())
        return usageError(err, "all takes no arguments");
    std::string lines;
    for (int digit = 1; digit <= 9; ++digit) {
        for (int column = 0; column < Sudoku::Side; ++column) {
            for (int row = 0; row < Sudoku::Side; ++row) {
                const Sudoku::SearchResult grown = grow(digit, column, row);
                lines += std::to_string(digit) + ' ' + std::to_string(column) + ' ' + std::to_string(row) + ' '
                    + grown.board.toRows() + ' ' + std::to_string(grown.passes) + '\n';
            }
        }
    }
    out << lines;
    return Ok;
}

int solveCommand(std::span<const std::string_view> args, std::ostream &out, std::ostream &err)
{
    if (args.size() != 1)
        return usageError(err, "solve takes one board");
    const std::optional<Sudoku::Board> board = Sudoku::Board::fromRows(args[0]);
    if (!board)
        return usageError(err, "the board must be 81 characters, digits 1-9 and 0 or . for empty");
    const Sudoku::SolveResult result = Sudoku::solveBoard(*board);
    if (result.outcome != Sudoku::SolveOutcome::Solved) {
        out << Sudoku::messageFor(result.outcome) << '\n';
        return Refused;
    }
    out << result.board.toRows() << ' ' << result.passes << '\n';
    return Ok;
}

int newCommand(std::span<const std::string_view> args, std::ostream &out, std::ostream &err)
{
    if (args.size() != 2)
        return usageError(err, "new takes LEVEL SEED");
    const auto level = parseNumber(args[0], 0, Sudoku::LevelCount - 1);
    const auto seed = parseNumber<std::uint32_t>(args[1], 0, UINT32_MAX);
    if (!level || !seed)
        return usageError(err, "new needs LEVEL in 0..4 and SEED in 0..4294967295");
    Sudoku::SeededDraw draw(*seed);
    const Sudoku::NewGame game = Sudoku::newGame(*level, [&draw](int n) { return draw(n); });
    out << game.clues.toRows() << ' ' << game.solution.toRows() << '\n';
    return Ok;
}

} // namespace

int run(std::span<const std::string_view> args, std::ostream &out, std::ostream &err)
{
    if (args.empty())
        return usageError(err, "no command");
    const std::string_view command = args[0];
    const std::span<const std::string_view> rest = args.subspan(1);
    if (command == "grid")
        return gridCommand(rest, out, err);
    if (command == "all")
        return allCommand(rest, out, err);
    if (command == "solve")
        return solveCommand(rest, out, err);
    if (command == "new")
        return newCommand(rest, out, err);
    return usageError(err, "unknown command");
}

} // namespace SudokuTool
