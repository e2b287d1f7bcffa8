#pragma once

#include <cstdint>
#include <random>

// The program's one random generator: seeded from the clock, it serves the mirror choice
// and the Sudoku generator. Tests substitute a generator that returns scripted draws.
class RandomGenerator
{
public:
    virtual ~RandomGenerator() = default;
    virtual void seedFromClock() = 0;
    // A uniformly drawn integer in 0..n-1; 0 when n < 1.
    virtual int draw(int n) = 0;
};

class ClockSeededRandom final : public RandomGenerator
{
public:
    explicit ClockSeededRandom(std::uint32_t seed = 0) : m_engine(seed) {}
    void seedFromClock() override;
    void seed(std::uint32_t value) { m_engine.seed(value); }
    int draw(int n) override;

private:
    std::mt19937 m_engine;
};
