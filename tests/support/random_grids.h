// Small random grids and word lists over a few letters, so that the slots of
// a small grid have choices and their crossings often rule words out.
#pragma once

#include "grid/grid_model.h"
#include "grid/grid_text.h"

#include <QByteArray>
#include <cstring>
#include <random>
#include <set>
#include <vector>

namespace orv::test {

// Whether `word` fits `pattern` ('.' for any letter).
inline bool fits(const QByteArray& word, const QByteArray& pattern) {
    if (word.size() != pattern.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i)
        if (pattern[i] != '.' && pattern[i] != word[i])
            return false;
    return true;
}

// `n` distinct words of 2 to 5 letters over `letters`, sorted.
inline std::vector<QByteArray> randomWords(std::mt19937& rng, int n, const char* letters) {
    const int k = int(std::strlen(letters));
    std::set<QByteArray> words;
    while (int(words.size()) < n) {
        QByteArray w;
        const int length = 2 + int(rng() % 4);
        for (int i = 0; i < length; ++i)
            w.append(letters[rng() % unsigned(k)]);
        words.insert(w);
    }
    return {words.begin(), words.end()};
}

// A square grid with about two tenths of black squares and `letterTenths`
// tenths of letters, the rest empty.
inline Grille randomGrid(std::mt19937& rng, int side, const char* letters,
                         unsigned letterTenths = 2) {
    QByteArray text;
    const int k = int(std::strlen(letters));
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            const unsigned roll = rng() % 10;
            text.append(roll < 2                  ? '#'
                        : roll < 2 + letterTenths ? letters[rng() % unsigned(k)]
                                                  : '.');
        }
        text.append('\n');
    }
    return readGridText(text);
}

} // namespace orv::test
