#pragma once

#include <cstdint>
#include <random>

// A reproducible stand-in for the program's random generator, for the command-line tool
// and tests: std::mt19937 seeded with the 32-bit seed. draw(n) takes the next 32-bit
// output u, takes another while u >= 2^32 - (2^32 mod n), and returns u mod n; n < 1 gives
// 0 without using an output. The same seed gives the same draws with every compiler.
namespace Sudoku {

class SeededDraw
{
public:
    explicit SeededDraw(std::uint32_t seed) : m_engine(seed) {}

    int operator()(int n);

private:
    std::mt19937 m_engine;
};

} // namespace Sudoku
