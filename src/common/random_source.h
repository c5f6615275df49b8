// Random numbers for the rules that draw them (black-square placement).
// Random(n) is uniform in 0 .. n-1, and 0 when n is 0 or less.
#pragma once

#include <cstdint>
#include <random>

namespace orv {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual int Random(int n) = 0;
};

// The program's generator: seeded once (from the clock in the program,
// from a fixed value in tests).
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed = 0) : engine_(seed) {}
    void Randomize(std::uint64_t seed) { engine_.seed(seed); }
    int Random(int n) override {
        if (n <= 0)
            return 0;
        return std::uniform_int_distribution<int>(0, n - 1)(engine_);
    }

private:
    std::mt19937_64 engine_;
};

} // namespace orv
