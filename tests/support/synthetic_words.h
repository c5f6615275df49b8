// A made-up dictionary for the fill and maker tests: every word of 2 to 4
// letters over nine common letters, and a random share of the longer ones,
// so that small grids can be made quickly but long runs need black squares.
#pragma once

#include <QByteArray>
#include <random>
#include <vector>

namespace orv::test {

inline constexpr char kSyntheticLetters[] = "AEIORSTNL";

inline std::vector<QByteArray> syntheticWords() {
    const QByteArray letters = kSyntheticLetters;
    std::vector<QByteArray> words;
    for (int len = 2; len <= 4; ++len) {
        int total = 1;
        for (int i = 0; i < len; ++i)
            total *= int(letters.size());
        for (int n = 0; n < total; ++n) {
            QByteArray w;
            for (int i = 0, k = n; i < len; ++i, k /= int(letters.size()))
                w.append(letters[k % letters.size()]);
            words.push_back(w);
        }
    }
    std::mt19937 rng(7);
    const int counts[] = {0, 0, 0, 0, 0, 12000, 12000, 8000, 4000};
    for (int len = 5; len <= 8; ++len)
        for (int n = 0; n < counts[len]; ++n) {
            QByteArray w;
            for (int i = 0; i < len; ++i)
                w.append(letters[int(rng() % letters.size())]);
            words.push_back(w);
        }
    return words;
}

// A 7x7 layout that the made-up words fill at once, and one word in 25 of
// theirs, drawn the same way every time: the words a test calls known, so
// that the common-words fill leaves some unknown words there.
inline constexpr char kSevenBySeven[] = "...#...\n"
                                        "....#..\n"
                                        "#......\n"
                                        "...#...\n"
                                        "......#\n"
                                        "..#....\n"
                                        "...#...\n";

inline std::vector<QByteArray> oneWordIn25(const std::vector<QByteArray>& words) {
    std::mt19937 rng(11);
    std::vector<QByteArray> drawn;
    for (const QByteArray& w : words)
        if (rng() % 25 == 0)
            drawn.push_back(w);
    return drawn;
}

// The same with a few random words of 9 to 19 letters: long runs then have
// candidates, yet a grid with few black squares almost never fills, and
// nothing proves it quickly.
inline std::vector<QByteArray> sparseLongWords() {
    std::vector<QByteArray> words = syntheticWords();
    std::mt19937 rng(3);
    for (int len = 9; len <= 19; ++len)
        for (int n = 0; n < 50; ++n) {
            QByteArray w;
            for (int i = 0; i < len; ++i)
                w.append(kSyntheticLetters[rng() % 9]);
            words.push_back(w);
        }
    return words;
}

} // namespace orv::test
