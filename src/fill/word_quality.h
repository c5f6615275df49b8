// The words of a filled grid judged by their classes, and the search that
// makes a filled grid better by them: fewer weak words first, then fewer
// fair ones, then more frequent ones. It refills a part of the grid around
// one word at a time (the cells within a few cells of it, every other cell
// kept), the refilled slots taking only better words, and keeps a refill
// only when the whole grid ranks better; so the grid it returns never ranks
// worse than the one it was given. Every budget counts refills and failures,
// never time, so one seed gives one grid (unless the time limit or the stop
// flag ends the search first).
#pragma once

#include "dictionary/word_classes.h"
#include "fill/grid_fill.h"
#include "grid/grid_model.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

namespace orv {

class WordIndex;
class WordScores;

// How good a grid's complete words are, compared in this order: fewer weak
// words, fewer fair words (of 3 letters or more), more words of 3 letters or
// more from the frequency table, a higher total score.
struct WordRank {
    int weak = 0;
    int fair = 0;
    int frequent = 0;
    long score = 0;
    bool betterThan(const WordRank& o) const;
};

// The class of each word of an index (the user's scores first), found for
// every word on first use and kept; and the words refused for a grid, which
// no fill that asks it may place. One search at a time: the first look-up
// fills the table.
class IndexClasses {
public:
    IndexClasses(const WordIndex& index, const WordScores& scores);

    WordClass classOf(int length, std::uint32_t id);
    WordClass classOf(QByteArrayView word) const;
    void forbid(const QByteArray& word);
    void forbid(const QList<QByteArray>& words);
    bool isForbidden(int length, std::uint32_t id) const;
    bool hasForbidden() const { return !forbidden_.isEmpty(); }
    const QSet<QByteArray>& forbidden() const { return forbidden_; }

    // Whether a fill without weak words is worth trying: at least 5 % of the
    // index's words are not weak (a list of the user's own words that the
    // classes do not know is all weak).
    bool hasWordsBeyondWeak();

    // The maker's demand, before the first look-up: a fair word only as one
    // of the general vocabulary, outside the frequency list, counts as weak
    // (a maker can move its black squares rather than take it).
    void demandFrequentFairWords();

    WordRank rank(const Grille& grille) const;
    const WordIndex& index() const { return index_; }
    const WordScores& scores() const { return scores_; }

private:
    const WordIndex& index_;
    const WordScores& scores_;
    void prepare();
    // Per length, per id: the word's class.
    std::vector<std::vector<std::uint8_t>> cache_;
    bool prepared_ = false;
    bool rareGeneralWeak_ = false;
    std::size_t notWeak_ = 0;
    std::size_t total_ = 0;
    QSet<QByteArray> forbidden_;
};

// How long the search works: refills in all, failures per refill, and the
// widest part (cells around the word) it refills. A weak word that no part
// up to maxRadius could replace gets wider parts, up to wideRadius, with
// wideFailures failures each: few grids keep one, and those are worth the
// longer search.
constexpr std::uint64_t kBoundedFailuresDefault = 2000;
struct QualityEffort {
    int refills = 60;
    std::uint64_t partFailures = 100;
    int maxRadius = 2;
    int wideRadius = 0;
    std::uint64_t wideFailures = 0;
    // A fill of fixed black squares that keeps weak words: whole fills with
    // fewer of them are searched for, the bound one lower after each one
    // found, within this many failures in all (0: none).
    std::uint64_t boundedFailures = 0;
};
// The fill's default keeps it within a few times the fill without scores
// where its weak words go at once; the maker, whose grids are judged word
// by word, works longer.
constexpr QualityEffort kFillQuality{60, 100, 2, 4, 1000, kBoundedFailuresDefault};
constexpr QualityEffort kThoroughQuality{400, 200, 3, 5, 2000, 4 * kBoundedFailuresDefault};
constexpr QualityEffort kMakerQuality{600, 200, 3};
// A refused word: its slot alone first, then up to three cells around.
constexpr QualityEffort kRefusalEffort{0, 2000, 3};

// splitmix64's mix: a seed drawn from another, the same on every machine.
inline std::uint64_t mixSeed(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

struct QualityOptions {
    std::uint64_t seed = 1;
    int minScore = 0;            // as in the fill
    double scoreWeight = 0;      // as in the fill
    double timeLimitSeconds = 0; // 0: no limit
    QualityEffort effort;
    const std::atomic<bool>* stop = nullptr;
    // As in the fill: the grids the search may end with (none refused when
    // unset).
    std::function<bool(const Grille&)> accept;
};

class QualitySearch {
public:
    // `given`: the grid before any fill; its letters and black squares are
    // never cleared.
    QualitySearch(IndexClasses& classes, const Grille& given, const QualityOptions& options);

    // What the refilled slots may take: no weak word, only well-known words,
    // only well-known words from the frequency table, or any word (never a
    // refused one).
    enum class Aim { NoWeak, NoFair, Frequent, Any };

    // The search over the whole grid, one stage per aim in turn, each
    // working on the words that the aim's refills would better; returns the
    // best grid found.
    Grille improve(const Grille& filled,
                   const std::vector<Aim>& aims = {Aim::NoWeak, Aim::NoFair, Aim::Frequent});

    // Refills the part of `grille` within `radius` cells of `cells` (playing
    // cells, 1-based; the given grid's cells stay), the refilled slots taking
    // only the words `aim` allows or the grid's other words than `target`.
    // True when the refill ranks better than `rank` (then `grille` and `rank`
    // are the new ones); one refill of the budget.
    bool refillAround(Grille& grille, WordRank& rank, const std::vector<Cell>& cells, int radius,
                      Aim aim, QByteArrayView target);
    // The same part refilled, whatever its rank: the fill's result.
    FillResult refillPart(const Grille& grille, const std::vector<Cell>& cells, int radius, Aim aim,
                          QByteArrayView target);
    // Whether the budget, the time or the stop flag ended the search.
    bool spent() const;
    int refills() const { return refills_; }

private:
    IndexClasses& classes_;
    Grille given_;
    QualityOptions options_;
    std::uint64_t rng_;
    int refills_ = 0;
    std::chrono::steady_clock::time_point start_;
    std::uint64_t nextSeed();
    double secondsLeft() const;
};

// Refuses the word of slot `slot` (of GridSlots(grille)) in a filled grid:
// the word joins the refused words of `classes`, and its slot and as little
// around it as will do (every other cell kept) are refilled with none of the
// refused words, better-known words first. Filled with the new grid; NoFill
// when no part up to the widest gives one; Stopped.
FillResult refuseWord(const Grille& grille, int slot, IndexClasses& classes,
                      const QualityOptions& options);

} // namespace orv
