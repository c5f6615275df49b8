// Grids with a fill planted in them, for the fill's tests: random black
// squares, a random letter in every white cell, and a word list holding the
// words of that fill and random others. A fill is then known to exist.
// Core only (no widgets).
#pragma once

#include "support/fill_checker.h"

#include <QSet>
#include <algorithm>
#include <random>
#include <vector>

namespace orv::test {

struct Planted {
    Grille empty;                  // the layout with its black squares
    Grille solution;               // one fill of it
    std::vector<QByteArray> words; // the solution's words and noise
};

// A layout with random black squares, a random letter in every white cell
// (drawn with French-like frequencies, so that crossing words share
// letters), and a word list of the solution's words plus `noise` random
// words per length. Drawn again until the solution repeats no word.
inline Planted plant(int side, int blacks, int noise, std::uint32_t seed) {
    static const char kLetters[] = "EEEEEEAAAASSSIIIINNNTTTRRRUULLOOOCDMPGBVHFQ";
    std::mt19937 rng(seed);
    for (;;) {
        Planted p;
        Grille& g = p.empty;
        g.NbLignes = g.NbColonnes = side + 1;
        g.Raz();
        for (int k = 0; k < blacks; ++k)
            g.cell(1 + int(rng() % unsigned(side)), 1 + int(rng() % unsigned(side))) = '#';
        p.solution = g;
        for (int c = 1; c <= side; ++c)
            for (int r = 1; r <= side; ++r)
                if (g.cell(c, r) != '#')
                    p.solution.cell(c, r) = kLetters[rng() % (sizeof kLetters - 1)];
        const QList<QByteArray> runs = gridRuns(p.solution);
        if (QSet<QByteArray>(runs.begin(), runs.end()).size() != runs.size() || runs.isEmpty() ||
            std::any_of(runs.begin(), runs.end(),
                        [](const QByteArray& w) { return w.size() > 19; }))
            continue;
        QSet<int> lengths;
        for (const QByteArray& w : runs) {
            p.words.push_back(w);
            lengths.insert(int(w.size()));
        }
        for (int len : lengths)
            for (int k = 0; k < noise; ++k) {
                QByteArray w(len, 'A');
                for (char& ch : w)
                    ch = kLetters[rng() % (sizeof kLetters - 1)];
                p.words.push_back(w);
            }
        return p;
    }
}

} // namespace orv::test
