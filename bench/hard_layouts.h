// Hard layouts of black squares for the fill's benchmark: French grids (no
// symmetry asked), made from a seed, so that the same seed gives the same
// layout on any machine.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace orv::bench {

struct LayoutKind {
    int side = 0;
    int minBlacks = 0;
    int maxBlacks = 0;
};

// The four kinds: 13x13 with 22 to 24 black squares, 15x15 with 30 to 34,
// 17x17 with 40 to 45, 20x20 with 50 to 60.
const std::vector<LayoutKind>& hardLayoutKinds();

// A layout of that kind as a text grid (# a black square, . an empty cell,
// one line per row). The black squares are drawn one at a time: never two
// side by side, no white cell outside every word of two letters or more,
// no run of white cells longer than 19 (the longest word), the white cells
// all joined; the count is drawn in the kind's range.
QByteArray hardLayout(const LayoutKind& kind, std::uint64_t seed);

} // namespace orv::bench
