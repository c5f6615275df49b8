#include "hard_layouts.h"

#include <algorithm>

namespace orv::bench {
namespace {

// A small generator of its own (splitmix64), so that a seed gives the same
// layout whatever the standard library.
struct SplitMix {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % std::uint64_t(n)); }
};

constexpr int kLongestWord = 19;

struct Board {
    int side;
    std::vector<char> black;
    bool isBlack(int r, int c) const {
        return r < 0 || c < 0 || r >= side || c >= side || black[std::size_t(r * side + c)];
    }
    // The run of white cells through (r, c) along a direction.
    int run(int r, int c, int dr, int dc) const {
        int n = 1;
        for (int k = 1; !isBlack(r + k * dr, c + k * dc); ++k)
            ++n;
        for (int k = 1; !isBlack(r - k * dr, c - k * dc); ++k)
            ++n;
        return n;
    }
    bool inWord(int r, int c) const { return run(r, c, 0, 1) >= 2 || run(r, c, 1, 0) >= 2; }
    bool joined() const {
        std::vector<char> seen(black.size());
        std::vector<int> todo;
        int whites = 0;
        for (int i = 0; i < side * side; ++i)
            if (!black[std::size_t(i)]) {
                ++whites;
                if (todo.empty()) {
                    todo.push_back(i);
                    seen[std::size_t(i)] = 1;
                }
            }
        int reached = 0;
        while (!todo.empty()) {
            const int i = todo.back();
            todo.pop_back();
            ++reached;
            const int r = i / side, c = i % side;
            const int next[4][2] = {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
            for (const auto& n : next)
                if (!isBlack(n[0], n[1]) && !seen[std::size_t(n[0] * side + n[1])]) {
                    seen[std::size_t(n[0] * side + n[1])] = 1;
                    todo.push_back(n[0] * side + n[1]);
                }
        }
        return reached == whites;
    }
    int longestRun() const {
        int longest = 0;
        for (int r = 0; r < side; ++r)
            for (int c = 0; c < side; ++c)
                if (!isBlack(r, c))
                    longest = std::max({longest, run(r, c, 0, 1), run(r, c, 1, 0)});
        return longest;
    }
};

} // namespace

const std::vector<LayoutKind>& hardLayoutKinds() {
    static const std::vector<LayoutKind> kinds{
        {13, 22, 24}, {15, 30, 34}, {17, 40, 45}, {20, 50, 60}};
    return kinds;
}

QByteArray hardLayout(const LayoutKind& kind, std::uint64_t seed) {
    SplitMix rng{seed * 0x2545F4914F6CDD1Dull + std::uint64_t(kind.side)};
    const int n = kind.side;
    const int blacks = kind.minBlacks + rng.below(kind.maxBlacks - kind.minBlacks + 1);
    for (;;) {
        Board b{n, std::vector<char>(std::size_t(n * n), 0)};
        int placed = 0;
        for (int tries = 0; placed < blacks && tries < 100000; ++tries) {
            const int r = rng.below(n), c = rng.below(n);
            if (b.isBlack(r, c) || (r > 0 && b.isBlack(r - 1, c)) ||
                (r + 1 < n && b.isBlack(r + 1, c)) || (c > 0 && b.isBlack(r, c - 1)) ||
                (c + 1 < n && b.isBlack(r, c + 1)))
                continue;
            b.black[std::size_t(r * n + c)] = 1;
            bool fine = true;
            const int near[4][2] = {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
            for (const auto& m : near)
                if (!b.isBlack(m[0], m[1]) && !b.inWord(m[0], m[1]))
                    fine = false;
            if (!fine) {
                b.black[std::size_t(r * n + c)] = 0;
                continue;
            }
            ++placed;
        }
        if (placed < blacks || !b.joined() || b.longestRun() > kLongestWord)
            continue; // drawn again from where the generator stands
        QByteArray text;
        for (int r = 0; r < n; ++r) {
            for (int c = 0; c < n; ++c)
                text += b.isBlack(r, c) ? '#' : '.';
            text += '\n';
        }
        return text;
    }
}

} // namespace orv::bench
