// The 7 by 7 solution that the play tests share (rows top to bottom): five
// E's, black squares and a few empty cells.
#pragma once

namespace orv::test {

// clang-format off
inline const char* const kSolution[7] = {
    "MER#ETE",
    "A#A#T#A",
    "IDE  US",
    "##RAS##",
    "CAB#OIE",
    "  OR# U",
    "SOL#MAL",
};
// clang-format on

} // namespace orv::test
