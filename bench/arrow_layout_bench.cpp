// The arrow-word layout check and the words derived from the clues, on the
// largest magazine size (15 x 21) and on the largest grid the files hold
// (25 x 25), laid out in the usual pattern: definition cells along the first
// row and column, one every few cells elsewhere, each with its clues.
#include "arrowword/arrow_grid.h"

#include <benchmark/benchmark.h>

namespace orv::bench {
namespace {

ArrowGrid magazineLayout(int rows, int columns) {
    ArrowGrid g(rows, columns);
    for (int c = 1; c <= columns; c += 2) {
        g.setDefinition({c, 1}, true);
        g.setArrow({c, 1}, 0, ArrowDirection::Down);
        if (c + 1 <= columns)
            g.setArrow({c, 1}, 1, ArrowDirection::RightThenDown);
    }
    for (int r = 3; r <= rows; r += 2) {
        g.setDefinition({1, r}, true);
        g.setArrow({1, r}, 0, ArrowDirection::Right);
        if (r + 1 <= rows)
            g.setArrow({1, r}, 1, ArrowDirection::DownThenRight);
    }
    for (int r = 4; r <= rows - 2; r += 3)
        for (int c = 3 + r % 4; c <= columns - 2; c += 4) {
            g.setDefinition({c, r}, true);
            g.setArrow({c, r}, 0, ArrowDirection::Right);
            g.setArrow({c, r}, 1, ArrowDirection::Down);
        }
    return g;
}

void BM_ArrowLayoutCheck(benchmark::State& state) {
    const ArrowGrid g = magazineLayout(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        auto problems = checkArrowLayout(g);
        benchmark::DoNotOptimize(problems);
    }
}
BENCHMARK(BM_ArrowLayoutCheck)->Args({21, 15})->Args({25, 25})->Unit(benchmark::kMicrosecond);

void BM_ArrowSlots(benchmark::State& state) {
    const ArrowGrid g = magazineLayout(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        auto slots = arrowSlots(g);
        benchmark::DoNotOptimize(slots);
    }
}
BENCHMARK(BM_ArrowSlots)->Args({21, 15})->Args({25, 25})->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace orv::bench
