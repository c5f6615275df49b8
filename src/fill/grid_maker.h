// A complete grid from a size and what the user already typed: the maker
// chooses further black squares and fills every word slot with dictionary
// words together. Letters and black squares already in the grid stay.
//
// It works on black-square patterns: a pattern is grown by splitting the
// longest runs of white cells, filled by the fill search within a failure
// budget, and on failure changed where that search ran out of words (a black
// square goes into the slot that failed most, one comes out where the slots
// were easy). It starts with few black squares and adds them one at a time up
// to the maximum, so that it keeps the fewest that it finds a fill for.
// Every draw comes from the seed and every budget counts failures, never
// time, so one seed gives one grid on any machine (unless the time limit or
// the stop flag ends the run first).
#pragma once

#include "fill/grid_fill.h"
#include "fill/word_quality.h"
#include "grid/grid_model.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>

namespace orv {

class WordIndex;

struct MakeOptions {
    std::uint64_t seed = 1;
    // Black squares of the result, those already in the grid included.
    int maxBlacks = 0;
    bool symmetric = false;      // black squares in central symmetry
    bool adjacentBlacks = false; // two black squares may touch side by side
    int maxWordLength = 0;       // 0: no limit beyond the dictionary's
    int minScore = 0;            // words scoring less are never placed
    double scoreWeight = 0;      // the fill's weight of scores in its choice of words
    double timeLimitSeconds = 0; // 0: no limit
    const std::atomic<bool>* stop = nullptr;
    std::function<void(const struct MakeProgress&)> progress;
    // The fill run on each pattern; fillGrid when empty. A caller may put a
    // fill that prefers better-scored words in its place.
    std::function<FillResult(const Grille&, const WordIndex&, const FillOptions&)> fill;
    // With the words' classes (of the same index), the grid found is made
    // better before it is returned: fewer weak words first, a black square
    // added or moved into a weak word that no refill of the words around it
    // replaces, then fewer fair words, then more frequent ones, within
    // `quality` and the time left. No refused word of `classes` is placed.
    IndexClasses* classes = nullptr;
    QualityEffort quality = kMakerQuality;
    // When set, a further rule on patterns (the definition cells of an
    // arrow-word grid, for one): a black square is placed or taken away only
    // when the pattern after it keeps to the rule, and a grid is made only
    // when it keeps to it. It sees the pattern's letters too.
    std::function<bool(const Grille& pattern)> patternRule;
    // With the words' classes: grids drafted, each from its own seed (the
    // first from `seed`), and the best kept: fewer weak words, then a
    // greater share of frequent words. A draft cut short by the time limit
    // leaves the best of those made before it.
    int drafts = 1;
};

// The drafts of « Créer une grille complète » and `orvgrid make`: the maker
// takes a fraction of its time limit for one, so a few cost little and each
// brings other black squares and other words to choose from.
constexpr int kMakerDrafts = 4;

struct MakeProgress {
    int attempts = 0; // patterns given to the fill search so far
    int blacks = 0;   // black squares of the pattern being filled
    int placed = 0;   // its slots holding a single word
    int total = 0;
    double seconds = 0;
};

enum class MakeStatus {
    Made,       // the result's grid is complete
    Impossible, // the request cannot be met; `reason` says why
    TimedOut,   // no grid found within the time allowed
    Stopped,    // the stop flag was raised
};

struct MakeResult {
    MakeStatus status = MakeStatus::Impossible;
    // The complete grid when Made, otherwise the grid given.
    Grille grille;
    QString reason; // French, when Impossible
    int blacks = 0;
    int attempts = 0;
    double seconds = 0;
    // The ranks of the first grid found and of the one returned.
    WordRank firstRank;
    WordRank rank;
};

// Default maximum of black squares: 12 % of the playing cells.
int defaultMaxBlacks(int rows, int columns);

MakeResult makeGrid(const Grille& grille, const WordIndex& index, const MakeOptions& options);

// What a made grid must satisfy, for the maker's own last check and for the
// tools: every white cell in a run of two or more cells in some direction,
// white cells connected, no black squares side by side unless allowed, black
// squares symmetric when asked, no run longer than the maximum. Empty when
// the pattern holds, otherwise a French description of the first fault.
QString patternFault(const Grille& grille, bool symmetric, bool adjacentBlacks, int maxWordLength);

} // namespace orv
