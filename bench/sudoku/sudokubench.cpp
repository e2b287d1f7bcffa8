// Figures for the Sudoku library: growing all 729 seed grids, generating puzzles per level,
// and solving the 95 hard published puzzles of data/top95.txt. Prints figures only; the
// times are for reading, nothing fails on them.
//
//   sintonia-sudoku-bench [path/to/top95.txt] [repetitions]

#include "sudoku/board.h"
#include "sudoku/generator.h"
#include "sudoku/search.h"
#include "sudoku/seededdraw.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::vector<Sudoku::Board> readPuzzles(const std::string &path)
{
    std::vector<Sudoku::Board> boards;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (const std::optional<Sudoku::Board> board = Sudoku::Board::fromRows(line))
            boards.push_back(*board);
    }
    return boards;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void benchAll(int repetitions)
{
    double best = 1e9;
    long passes = 0;
    for (int rep = 0; rep < repetitions; ++rep) {
        passes = 0;
        const Clock::time_point start = Clock::now();
        for (int digit = 1; digit <= 9; ++digit) {
            for (int i = 0; i < Sudoku::CellCount; ++i) {
                Sudoku::Board seed;
                seed.setAt(i, digit);
                passes += Sudoku::runSearch(seed).passes;
            }
        }
        best = std::min(best, secondsSince(start));
    }
    std::printf("all 729 seed grids: %.3f ms (%.2f us a grid), %ld passes, %.0f ns a pass\n", best * 1e3,
                best * 1e6 / 729, passes, best * 1e9 / static_cast<double>(passes));
}

void benchGeneration()
{
    constexpr int games = 2000;
    std::printf("\nnew game, %d puzzles a level (seeded generator):\n", games);
    std::printf("  %-12s %6s %12s\n", "level", "clues", "us a puzzle");
    const char *names[] = {"Elementare", "Facile", "Medio", "Difficile", "Esperto"};
    for (int level = 0; level < Sudoku::LevelCount; ++level) {
        const Clock::time_point start = Clock::now();
        int clues = 0;
        for (int seed = 0; seed < games; ++seed) {
            Sudoku::SeededDraw draw(static_cast<std::uint32_t>(seed));
            clues += Sudoku::newGame(level, [&draw](int n) { return draw(n); }).clues.filledCount();
        }
        const double seconds = secondsSince(start);
        std::printf("  %-12s %6d %12.2f\n", names[level], clues / games, seconds * 1e6 / games);
    }
}

void benchTop95(const std::string &path, int repetitions)
{
    const std::vector<Sudoku::Board> puzzles = readPuzzles(path);
    if (puzzles.empty()) {
        std::printf("\nno puzzles read from %s\n", path.c_str());
        return;
    }
    std::printf("\nhard puzzles of %s, best of %d runs each:\n", path.c_str(), repetitions);
    std::printf("  %4s %9s %10s %8s %s\n", "line", "passes", "time us", "ns/pass", "result");
    std::vector<double> times;
    double total = 0;
    long totalPasses = 0;
    int solved = 0;
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
        double best = 1e9;
        Sudoku::SearchResult result;
        for (int rep = 0; rep < repetitions; ++rep) {
            const Clock::time_point start = Clock::now();
            result = Sudoku::runSearch(puzzles[i]);
            best = std::min(best, secondsSince(start));
        }
        const bool ok = result.state == Sudoku::SearchState::Solved && Sudoku::isSolved(result.board);
        solved += ok ? 1 : 0;
        times.push_back(best);
        total += best;
        totalPasses += result.passes;
        std::printf("  %4zu %9d %10.1f %8.1f %s\n", i + 1, result.passes, best * 1e6, best * 1e9 / result.passes,
                    ok ? "solved" : "NOT SOLVED");
    }

    // The whole set once more in one go, as a user would run it.
    const Clock::time_point start = Clock::now();
    for (const Sudoku::Board &puzzle : puzzles)
        Sudoku::runSearch(puzzle);
    const double oneGo = secondsSince(start);

    std::printf("\n  solved %d of %zu, %ld passes\n", solved, puzzles.size(), totalPasses);
    std::printf("  fastest %.1f us, median %.1f us, slowest %.1f us\n", *std::min_element(times.begin(), times.end()) * 1e6,
                median(times) * 1e6, *std::max_element(times.begin(), times.end()) * 1e6);
    std::printf("  sum of best times %.2f ms; all in one go %.2f ms\n", total * 1e3, oneGo * 1e3);
    std::printf("  %.1f million passes a second, %.1f ns a pass\n", static_cast<double>(totalPasses) / total / 1e6,
                total * 1e9 / static_cast<double>(totalPasses));
}

} // namespace

int main(int argc, char **argv)
{
    const std::string path = argc > 1 ? argv[1] : SUDOKU_BENCH_DATA_DIR "/top95.txt";
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    benchAll(repetitions);
    benchGeneration();
    benchTop95(path, repetitions);
    return 0;
}
