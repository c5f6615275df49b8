// The fill search: candidate lists per slot kept as sparse sets (a removed
// word is swapped past the live part, so undoing a change only restores a
// size), a letter mask per cell, one trail of changes for backtracking.
#include "fill/grid_fill.h"

#include "dictionary/word_index.h"
#include "fill/fill_nogoods.h"
#include "grid/grid_slots.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

namespace orv {
namespace {

constexpr std::uint32_t kAllLetters = (1u << 26) - 1;
constexpr int kNoVar = -1;
constexpr int kFixedWord = -2; // a word standing in a full slot of the grid
constexpr int kScoreDraws = 4;
// The search for a better fill: how far around an unknown word the grid is
// searched again at first (in cells; at most FillOptions::improveMaxDistance),
// and what setting up a part costs, counted as revisions.
constexpr int kImproveDistance = 1;
constexpr std::uint64_t kPartRevisions = 20;

// Above one live word per this many bits, a set is filtered by blocks.
constexpr std::size_t kDenseRatio = 4;

using Clock = std::chrono::steady_clock;

// How much more each run of the search is allowed under the geometric
// schedule.
constexpr double kGeometricGrowth = 1.3;

// What the searches of a portfolio share: the first to fill the grid or to
// prove that it cannot be filled claims the win, and `over` tells the others
// to stop.
struct Portfolio {
    std::atomic<int> winner{-1};
    std::atomic<bool> over{false};
};

struct Var {
    int slot = 0;
    int length = 0;
    std::vector<int> cells;    // cell number per position
    std::vector<int> crossVar; // crossing variable per position, or kNoVar
    std::vector<int> crossPos;
    // The candidates: ids [0, size) of dom are live, and `bits` marks them too,
    // so that a large set is filtered a block of 64 words at a time.
    std::vector<std::uint32_t> dom;
    std::uint32_t size = 0;
    // Live words scoring at least options.preferredScore (counted only with
    // options.knownWordsFirst).
    std::uint32_t known = 0;
    std::vector<std::uint64_t> bits;
    const char* text = nullptr;           // the index's letters for this length
    const std::uint8_t* scores = nullptr; // and its words' scores
    std::uint32_t dirty = 0; // positions whose cell mask narrowed since the last revision
    bool needSupport = true;
    bool queued = false;
    double weight = 1;
    // In the search for a better fill, a slot outside the part searched
    // again keeps its word, and only its letters count.
    bool frozen = false;
    std::uint32_t frozenWord = 0;
    std::uint32_t word() const { return frozen ? frozenWord : dom[0]; }
};

struct TrailEntry {
    enum Kind : std::uint8_t { Size, Mask, Used } kind;
    int who;
    std::uint32_t old;
};

enum class RunEnd { Solved, Exhausted, Restart, Stopped, TimedOut, BudgetSpent };

class Filler {
public:
    Filler(const Grille& grille, const WordIndex& index, const FillOptions& options,
           Portfolio* portfolio = nullptr, int member = 0)
        : grille_(grille), index_(index), options_(options), slots_(grille), rng_(options.seed),
          portfolio_(portfolio), member_(member) {
        setBias(1);
    }

    FillResult run();

private:
    void setBias(double bias);
    bool setUp(FillResult& result);
    bool propagate();
    bool revise(int v);
    void blame(int v);
    void enqueue(int v);
    void setMask(int cell, std::uint32_t mask);
    void shrinkTo(int v, std::uint32_t size);
    bool filterBlocks(int v, const int* positions, const std::uint32_t* allowed, int n);
    void keepOnly(int v, std::vector<std::uint64_t>& keep);
    bool improving() const;
    bool isUnknown(const Var& x, std::uint32_t id) const;
    // Counted in Var::known only when the slots are chosen by their known words.
    bool isKnown(const Var& x, std::uint32_t id) const {
        return knownFirst_ && x.scores[id] >= options_.preferredScore;
    }
    // Counts the known words of the live part afresh.
    void countKnown(Var& x) const {
        x.known = 0;
        for (std::uint32_t i = 0; i < x.size; ++i)
            x.known += isKnown(x, x.dom[i]);
    }
    bool withinBound();
    bool knownLeft(const Var& x) const { return !knownFirst_ || x.length < 3 || x.known > 0; }
    bool demandFirstRun();
    void keepKnownWords(int v);
    void recordFill(FillResult& result);
    bool acceptable() const;
    void writeWords(Grille& g) const;
    void improve(FillResult& result);
    bool freeze(int v, std::uint32_t word);
    void markNear(int u, int distance, std::vector<char>& open) const;
    void narrowOpen(int v);
    void restoreOpen();
    bool hasLetter(const Var& x, int position, int letter) const;
    void removeAt(int v, std::uint32_t i);
    bool markUsed(int v);
    void undo(std::size_t mark);
    int selectVar();
    std::uint32_t selectValue(int v);
    void assign(int v, std::uint32_t at);
    RunEnd search(std::uint64_t failureLimit);
    bool claim();
    bool choiceMade(FillChoice c) const;
    bool forbid(FillChoice c);
    bool interrupted(RunEnd& why);
    int placed() const;
    void report(bool force);
    static const char* wordOf(const Var& x, std::uint32_t id) {
        return x.text + std::size_t(id) * std::size_t(x.length);
    }

    const Grille& grille_;
    const WordIndex& index_;
    const FillOptions& options_;
    GridSlots slots_;
    std::mt19937_64 rng_;
    std::vector<Var> vars_;
    std::vector<std::uint32_t> masks_;
    std::vector<SlotCell> cellPlace_;
    // Per length, per word id: kNoVar, kFixedWord or the variable holding it.
    std::vector<std::vector<int>> usedBy_;
    std::vector<TrailEntry> trail_;
    std::vector<int> queue_;
    std::size_t rootMark_ = 0;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastReport_ = start_;
    std::uint64_t ticks_ = 0;
    std::uint64_t decisions_ = 0;
    std::uint64_t failures_ = 0;
    // Scratch space for the letter supports and the value choice.
    std::vector<std::uint32_t> support_;
    std::vector<std::uint64_t> scratchBits_;
    std::vector<double> histogram_;
    // What a crossing candidate of each score counts for in the histogram:
    // all alike without scores, exp(weight * score / 10) with them, so that a
    // letter weighs by the best-known words it leaves the crossing slot.
    std::array<double, 101> scoreFactor_{};
    // What a word of each score adds to its own weighing.
    std::array<double, 101> valueBonus_{};
    double bias_ = 1; // the share of the score preference in force
    // Whether the next slot is the one with the fewest known words.
    const bool knownFirst_ = options_.knownWordsFirst && options_.preferredScore > 0;
    // The unknown words (of 3 letters or more, scoring below
    // options_.preferredScore) that a fill may still hold: the first run's
    // demand, then, in the search for a better fill, one fewer than the best
    // fill so far; -1 for any. The revision count that ends that search.
    int unknownBound_ = -1;
    std::uint64_t improveEnd_ = ~std::uint64_t(0);
    // The candidates of the open slots as they stood before the part was
    // searched again.
    struct Stashed {
        int v;
        std::vector<std::uint32_t> dom;
        std::uint32_t size;
        std::vector<std::uint64_t> bits;
        std::uint32_t known;
    };
    std::vector<Stashed> stash_;
    // Learnt from the runs that ended in a restart; consulted outside the
    // search for a better fill only, whose parts have bounds of their own.
    NogoodStore nogoods_;
    bool improvingNow_ = false;
    Portfolio* portfolio_;
    int member_;
    bool won_ = false;
};

// Both tables at `bias` times the preference for scores (in the exponents):
// at 0 every word is alike, as without scores.
void Filler::setBias(double bias) {
    bias_ = bias;
    const FillOptions& o = options_;
    for (int s = 0; s <= 100; ++s) {
        const bool offBand = o.preferredScore > 0 && s < o.preferredScore;
        double factor = o.scoreWeight > 0 ? std::exp(bias * o.scoreWeight * (s - 50) / 10.0) : 1.0;
        if (offBand)
            factor *= std::pow(o.offBandFactor, bias);
        scoreFactor_[std::size_t(s)] = factor;
        valueBonus_[std::size_t(s)] =
            bias * (o.scoreWeight * s / 10.0 + (offBand ? 0.0 : o.preferredBonus));
    }
}

void Filler::enqueue(int v) {
    Var& x = vars_[std::size_t(v)];
    if (!x.queued) {
        x.queued = true;
        queue_.push_back(v);
    }
}

void Filler::setMask(int cell, std::uint32_t mask) {
    trail_.push_back({TrailEntry::Mask, cell, masks_[std::size_t(cell)]});
    masks_[std::size_t(cell)] = mask;
}

// The words at places [size, x.size) leave the live part.
void Filler::shrinkTo(int v, std::uint32_t size) {
    Var& x = vars_[std::size_t(v)];
    for (std::uint32_t i = size; i < x.size; ++i) {
        x.bits[x.dom[i] / 64] &= ~(std::uint64_t(1) << (x.dom[i] % 64));
        x.known -= isKnown(x, x.dom[i]);
    }
    trail_.push_back({TrailEntry::Size, v, x.size});
    x.size = size;
}

// Removes the word at place i of the live part.
void Filler::removeAt(int v, std::uint32_t i) {
    Var& x = vars_[std::size_t(v)];
    std::swap(x.dom[i], x.dom[x.size - 1]);
    shrinkTo(v, x.size - 1);
}

// Whether some live word has the letter at the position, by bitsets.
bool Filler::hasLetter(const Var& x, int position, int letter) const {
    const std::uint64_t* b = index_.letterBits(x.length, position, letter);
    for (std::size_t i = 0; i < x.bits.size(); ++i)
        if (x.bits[i] & b[i])
            return true;
    return false;
}

// Filters a large set a block at a time with the index's bitsets, then lays
// the live part out again: kept words first, removed ones after them (a
// permutation of the live part, so the sizes recorded earlier stay valid).
bool Filler::filterBlocks(int v, const int* positions, const std::uint32_t* allowed, int n) {
    Var& x = vars_[std::size_t(v)];
    const std::size_t blocks = x.bits.size();
    std::vector<std::uint64_t>& keep = scratchBits_;
    keep.assign(x.bits.begin(), x.bits.end());
    for (int k = 0; k < n; ++k) {
        const std::uint32_t mask = allowed[k];
        const int count = std::popcount(mask);
        const bool byMissing = count > 13;
        const std::uint32_t letters = byMissing ? ~mask & kAllLetters : mask;
        const std::uint64_t* sets[26];
        int m = 0;
        for (std::uint32_t l = letters; l; l &= l - 1)
            sets[m++] = index_.letterBits(x.length, positions[k], std::countr_zero(l));
        for (std::size_t b = 0; b < blocks; ++b) {
            if (!keep[b])
                continue;
            std::uint64_t any = 0;
            for (int j = 0; j < m; ++j)
                any |= sets[j][b];
            keep[b] &= byMissing ? ~any : any;
        }
    }
    std::uint32_t kept = 0;
    for (std::size_t b = 0; b < blocks; ++b)
        kept += std::uint32_t(std::popcount(keep[b]));
    if (kept == x.size)
        return false;
    keepOnly(v, keep);
    return true;
}

// Lays the live part out again, the words of `keep` (a subset of the live
// ones) first and the others after them, and keeps only the first.
void Filler::keepOnly(int v, std::vector<std::uint64_t>& keep) {
    Var& x = vars_[std::size_t(v)];
    const std::size_t blocks = x.bits.size();
    std::uint32_t kept = 0;
    for (std::size_t b = 0; b < blocks; ++b)
        kept += std::uint32_t(std::popcount(keep[b]));
    std::uint32_t front = 0;
    std::uint32_t back = kept;
    x.known = 0;
    for (std::size_t b = 0; b < blocks; ++b) {
        for (std::uint64_t y = keep[b]; y; y &= y - 1) {
            x.dom[front] = std::uint32_t(b * 64) + std::uint32_t(std::countr_zero(y));
            x.known += isKnown(x, x.dom[front++]);
        }
        for (std::uint64_t y = x.bits[b] & ~keep[b]; y; y &= y - 1)
            x.dom[back++] = std::uint32_t(b * 64) + std::uint32_t(std::countr_zero(y));
    }
    trail_.push_back({TrailEntry::Size, v, x.size});
    x.size = kept;
    x.bits.swap(keep);
}

bool Filler::improving() const { return options_.preferredScore > 0 && options_.improveEffort > 0; }

bool Filler::isUnknown(const Var& x, std::uint32_t id) const {
    return x.length >= 3 && x.scores[id] < options_.preferredScore;
}

// Leaves the slot its known words only.
void Filler::keepKnownWords(int v) {
    Var& x = vars_[std::size_t(v)];
    if (x.length < 3 || (knownFirst_ && x.known == x.size))
        return;
    std::uint32_t size = x.size;
    std::uint32_t i = 0;
    while (i < size) {
        if (isUnknown(x, x.dom[i]))
            std::swap(x.dom[i], x.dom[--size]);
        else
            ++i;
    }
    if (size == x.size)
        return;
    shrinkTo(v, size);
    x.needSupport = true;
    enqueue(v);
}

// Once a fill is found, a later one must hold fewer unknown words: the slots
// down to an unknown word count against the bound, and so do the open slots
// left without a known word (counted only when the slots are chosen by their
// known words); when they reach it every other slot keeps its known words
// only.
bool Filler::withinBound() {
    if (unknownBound_ < 0)
        return true;
    for (;;) {
        int unknown = 0;
        for (const Var& x : vars_)
            unknown += x.frozen || x.size == 1 ? isUnknown(x, x.word()) : !knownLeft(x);
        if (unknown > unknownBound_)
            return false;
        if (unknown < unknownBound_)
            return true;
        for (int v = 0; v < int(vars_.size()); ++v) {
            const Var& x = vars_[std::size_t(v)];
            if (!x.frozen && x.size > 1 && knownLeft(x))
                keepKnownWords(v);
        }
        if (queue_.empty())
            return true;
        if (!propagate())
            return false;
    }
}

// A variable down to one word holds it: no other slot may take it.
bool Filler::markUsed(int v) {
    const Var& x = vars_[std::size_t(v)];
    int& owner = usedBy_[std::size_t(x.length)][x.dom[0]];
    if (owner == v)
        return true;
    if (owner != kNoVar)
        return false;
    trail_.push_back({TrailEntry::Used, x.length, x.dom[0]});
    owner = v;
    if (nogoods_.empty() || improvingNow_)
        return true;
    return nogoods_.onMade(
        {v, x.dom[0]}, [this](FillChoice c) { return choiceMade(c); },
        [this](FillChoice c) { return forbid(c); });
}

bool Filler::choiceMade(FillChoice c) const {
    const Var& x = vars_[std::size_t(c.var)];
    return x.size == 1 && x.dom[0] == c.word;
}

// A nogood forbids slot c.var the word c.word: false when it holds it.
bool Filler::forbid(FillChoice c) {
    Var& x = vars_[std::size_t(c.var)];
    if (!(x.bits[c.word / 64] >> (c.word % 64) & 1))
        return true;
    if (x.size == 1)
        return false;
    for (std::uint32_t i = 0; i < x.size; ++i)
        if (x.dom[i] == c.word) {
            removeAt(c.var, i);
            break;
        }
    x.needSupport = true;
    enqueue(c.var);
    return true;
}

void Filler::undo(std::size_t mark) {
    while (trail_.size() > mark) {
        const TrailEntry e = trail_.back();
        trail_.pop_back();
        switch (e.kind) {
        case TrailEntry::Size: {
            Var& x = vars_[std::size_t(e.who)];
            for (std::uint32_t i = x.size; i < e.old; ++i) {
                x.bits[x.dom[i] / 64] |= std::uint64_t(1) << (x.dom[i] % 64);
                x.known += isKnown(x, x.dom[i]);
            }
            x.size = e.old;
            break;
        }
        case TrailEntry::Mask:
            masks_[std::size_t(e.who)] = e.old;
            break;
        case TrailEntry::Used:
            usedBy_[std::size_t(e.who)][e.old] = kNoVar;
            break;
        }
    }
    for (int v : queue_) {
        vars_[std::size_t(v)].queued = false;
        vars_[std::size_t(v)].dirty = 0;
    }
    queue_.clear();
}

// A slot ran out of words: it and its crossings weigh more in the choice of
// the next slot, so that the search turns to the hard part of the grid first.
void Filler::blame(int v) {
    Var& x = vars_[std::size_t(v)];
    x.weight += 1;
    for (int u : x.crossVar)
        if (u != kNoVar)
            vars_[std::size_t(u)].weight += 0.5;
}

// Drops the words that the narrowed cells exclude, then narrows the crossing
// cells to the letters that the remaining words still offer.
bool Filler::revise(int v) {
    Var& x = vars_[std::size_t(v)];
    const int L = x.length;
    const std::uint32_t dirty = x.dirty;
    x.dirty = 0;
    std::uint32_t size = x.size;
    if (dirty) {
        int positions[WordIndex::kMaxLength];
        std::uint32_t allowed[WordIndex::kMaxLength];
        int n = 0;
        for (int p = 0; p < L; ++p)
            if (dirty >> p & 1) {
                positions[n] = p;
                allowed[n++] = masks_[std::size_t(x.cells[std::size_t(p)])];
            }
        if (size >= x.bits.size() * kDenseRatio) {
            if (filterBlocks(v, positions, allowed, n))
                x.needSupport = true;
        } else {
            std::uint32_t* dom = x.dom.data();
            std::uint32_t i = 0;
            while (i < size) {
                const char* w = wordOf(x, dom[i]);
                bool fits = true;
                for (int k = 0; k < n && fits; ++k)
                    fits = allowed[k] >> (w[positions[k]] - 'A') & 1;
                if (fits)
                    ++i;
                else
                    std::swap(dom[i], dom[--size]);
            }
            if (size != x.size) {
                shrinkTo(v, size);
                x.needSupport = true;
            }
        }
        size = x.size;
    }
    if (size == 0 || (size == 1 && !markUsed(v))) {
        blame(v);
        return false;
    }
    if (!x.needSupport)
        return true;
    x.needSupport = false;

    std::uint32_t* sup = support_.data();
    std::uint32_t want[WordIndex::kMaxLength];
    int crossed[WordIndex::kMaxLength];
    int n = 0;
    for (int p = 0; p < L; ++p)
        if (x.crossVar[std::size_t(p)] != kNoVar) {
            crossed[n] = p;
            want[n] = masks_[std::size_t(x.cells[std::size_t(p)])];
            sup[n++] = 0;
        }
    if (n == 0)
        return true;
    // Stops as soon as every crossing letter still allowed is supported; a
    // large set looks for the rare letters with the bitsets.
    const bool dense = size >= x.bits.size() * kDenseRatio;
    const std::uint32_t scan = dense ? std::min<std::uint32_t>(size, 256) : size;
    for (std::uint32_t i = 0; i < scan; ++i) {
        const char* w = wordOf(x, x.dom[i]);
        for (int k = 0; k < n; ++k)
            sup[k] |= 1u << (w[crossed[k]] - 'A');
        if ((i & 31) == 31) {
            bool full = true;
            for (int k = 0; k < n && full; ++k)
                full = (sup[k] & want[k]) == want[k];
            if (full)
                return true;
        }
    }
    if (scan < size)
        for (int k = 0; k < n; ++k)
            for (std::uint32_t l = want[k] & ~sup[k]; l; l &= l - 1)
                if (hasLetter(x, crossed[k], std::countr_zero(l)))
                    sup[k] |= l & -l;
    for (int k = 0; k < n; ++k) {
        const int p = crossed[k];
        const int cell = x.cells[std::size_t(p)];
        const std::uint32_t narrowed = want[k] & sup[k];
        if (narrowed != want[k]) {
            setMask(cell, narrowed);
            const int u = x.crossVar[std::size_t(p)];
            vars_[std::size_t(u)].dirty |= 1u << x.crossPos[std::size_t(p)];
            enqueue(u);
        }
    }
    return true;
}

bool Filler::propagate() {
    while (!queue_.empty()) {
        // Short candidate lists first: they fail or narrow the most cheaply.
        std::size_t best = 0;
        for (std::size_t i = 1; i < queue_.size(); ++i)
            if (vars_[std::size_t(queue_[i])].size < vars_[std::size_t(queue_[best])].size)
                best = i;
        const int v = queue_[best];
        queue_[best] = queue_.back();
        queue_.pop_back();
        vars_[std::size_t(v)].queued = false;
        ++ticks_;
        if (!revise(v)) {
            for (int u : queue_) {
                vars_[std::size_t(u)].queued = false;
                vars_[std::size_t(u)].dirty = 0;
            }
            queue_.clear();
            return false;
        }
    }
    return true;
}

int Filler::selectVar() {
    int best = -1;
    double bestKey = 0;
    for (int v = 0; v < int(vars_.size()); ++v) {
        const Var& x = vars_[std::size_t(v)];
        if (x.size <= 1 || x.frozen)
            continue;
        // A slot left without known words, or too short to count, weighs
        // by all its candidates.
        const bool byKnown = knownFirst_ && x.length >= 3 && x.known > 0;
        const double key = double(byKnown ? x.known : x.size) / x.weight;
        if (best < 0 || key < bestKey ||
            (key == bestKey && x.length > vars_[std::size_t(best)].length)) {
            best = v;
            bestKey = key;
        }
    }
    return best;
}

// The place, in the live part, of the word that leaves the crossing slots
// the most candidates, among a random sample; words that another slot holds
// are dropped on the way. Returns x.size when none is left.
std::uint32_t Filler::selectValue(int v) {
    Var& x = vars_[std::size_t(v)];
    const int L = x.length;
    // Letter counts at the crossing place of each crossing slot, from a sample
    // of its candidates when it has many.
    constexpr std::uint32_t kHistogramSample = 1024;
    histogram_.assign(std::size_t(L) * 26, 0);
    for (int p = 0; p < L; ++p) {
        const int u = x.crossVar[std::size_t(p)];
        if (u == kNoVar || vars_[std::size_t(u)].frozen)
            continue;
        const Var& y = vars_[std::size_t(u)];
        const int q = x.crossPos[std::size_t(p)];
        double* h = histogram_.data() + std::size_t(p) * 26;
        auto count = [&](std::uint32_t id) {
            h[wordOf(y, id)[q] - 'A'] += scoreFactor_[y.scores[id]];
        };
        if (y.size <= kHistogramSample) {
            for (std::uint32_t i = 0; i < y.size; ++i)
                count(y.dom[i]);
        } else {
            std::uniform_int_distribution<std::uint32_t> pick(0, y.size - 1);
            for (std::uint32_t i = 0; i < kHistogramSample; ++i)
                count(y.dom[pick(rng_)]);
        }
    }
    // Each count weighs by its logarithm, worked out once per letter.
    for (double& c : histogram_)
        c = c <= 0 ? -1000.0 : std::log(c);
    constexpr std::uint32_t kValueSample = 256;
    std::uniform_real_distribution<double> noise(0.0, 0.4);
    // No word weighed yet. Not x.size, which shrinks as held words leave:
    // a stale bound would read as "none left" and fail a slot that has one.
    constexpr std::uint32_t kNone = ~0u;
    std::uint32_t best = kNone;
    double bestScore = 0;
    auto consider = [&](std::uint32_t i) {
        const char* w = wordOf(x, x.dom[i]);
        double score = noise(rng_);
        score += valueBonus_[x.scores[x.dom[i]]];
        for (int p = 0; p < L; ++p) {
            const int u = x.crossVar[std::size_t(p)];
            if (u == kNoVar || vars_[std::size_t(u)].frozen)
                continue;
            score += histogram_[std::size_t(p) * 26 + std::size_t(w[p] - 'A')];
        }
        if (best == kNone || score > bestScore) {
            best = i;
            bestScore = score;
        }
    };
    auto held = [&](std::uint32_t i) { return usedBy_[std::size_t(L)][x.dom[i]] != kNoVar; };
    if (x.size <= kValueSample) {
        // Every candidate is weighed; a removal brings the last one to place i.
        std::uint32_t i = 0;
        while (i < x.size) {
            if (held(i)) {
                removeAt(v, i);
                continue;
            }
            consider(i++);
        }
        return best == kNone ? x.size : best;
    }
    // With scores, each sampled place is the best-scored of a few draws, so
    // that the sample leans to the words people know.
    const int draws =
        options_.scoreWeight > 0 || (options_.preferredScore > 0 && options_.preferredBonus > 0)
            ? kScoreDraws
            : 1;
    for (std::uint32_t tries = 0; tries < kValueSample && x.size > 0; ++tries) {
        std::uniform_int_distribution<std::uint32_t> pick(0, x.size - 1);
        std::uint32_t i = pick(rng_);
        for (int d = 1; d < draws; ++d) {
            const std::uint32_t j = pick(rng_);
            if (x.scores[x.dom[j]] > x.scores[x.dom[i]])
                i = j;
        }
        if (held(i)) {
            const bool bestWasLast = best != kNone && best == x.size - 1;
            removeAt(v, i);
            if (bestWasLast)
                best = i;
            continue;
        }
        consider(i);
    }
    return best == kNone ? x.size : best;
}

void Filler::assign(int v, std::uint32_t at) {
    Var& x = vars_[std::size_t(v)];
    std::swap(x.dom[0], x.dom[at]);
    shrinkTo(v, 1);
    x.needSupport = true;
    enqueue(v);
}

int Filler::placed() const {
    int n = 0;
    for (const Var& x : vars_)
        n += x.frozen || x.size == 1;
    return n;
}

void Filler::report(bool force) {
    if (!options_.progress)
        return;
    const Clock::time_point now = Clock::now();
    if (!force && now - lastReport_ < std::chrono::milliseconds(40))
        return;
    lastReport_ = now;
    options_.progress(
        {placed(), int(vars_.size()), std::chrono::duration<double>(now - start_).count()});
}

bool Filler::interrupted(RunEnd& why) {
    if ((options_.stop && options_.stop->load(std::memory_order_relaxed)) ||
        (portfolio_ && !won_ && portfolio_->over.load(std::memory_order_relaxed))) {
        why = RunEnd::Stopped;
        return true;
    }
    if (options_.maxFailures > 0 && failures_ >= options_.maxFailures) {
        why = RunEnd::TimedOut;
        return true;
    }
    if (unknownBound_ >= 0 && ticks_ >= improveEnd_) {
        why = RunEnd::BudgetSpent;
        return true;
    }
    // The clock is read every few revisions, and before the first choice.
    if ((++ticks_ & 15) != 0 && decisions_ > 0)
        return false;
    if (options_.timeLimitSeconds > 0 &&
        std::chrono::duration<double>(Clock::now() - start_).count() > options_.timeLimitSeconds) {
        why = RunEnd::TimedOut;
        return true;
    }
    report(false);
    return false;
}

// One run of the search from the root, abandoned after `failureLimit`
// failures. Each choice is "this slot takes this word"; when it fails, the
// word is removed from the slot's candidates at the level above.
RunEnd Filler::search(std::uint64_t failureLimit) {
    struct Decision {
        int var;
        std::uint32_t word;
        std::size_t mark;
    };
    std::vector<Decision> stack;
    // The words refuted on the current branch, with the depth of the stack
    // below which each was refuted: what a restart leaves as nogoods.
    struct Refuted {
        int var;
        std::uint32_t word;
        std::size_t depth;
    };
    std::vector<Refuted> refuted;
    const bool learning = options_.learn && unknownBound_ < 0 && !improvingNow_;
    std::uint64_t failures = 0;
    for (;;) {
        RunEnd why;
        if (interrupted(why))
            return why;
        const int v = selectVar();
        if (v < 0 && acceptable())
            return RunEnd::Solved;
        // A fill the caller refused fails like a dead end, so that the search
        // goes on to the next fill.
        bool ok = false;
        if (v >= 0) {
            const std::size_t mark = trail_.size();
            const std::uint32_t at = selectValue(v);
            if (at >= vars_[std::size_t(v)].size) {
                stack.push_back({v, ~0u, mark}); // every candidate was held elsewhere
            } else {
                ++decisions_;
                stack.push_back({v, vars_[std::size_t(v)].dom[at], mark});
                assign(v, at);
                ok = propagate() && withinBound();
            }
        }
        while (!ok) {
            ++failures;
            ++failures_;
            if (stack.empty())
                return RunEnd::Exhausted;
            const Decision d = stack.back();
            stack.pop_back();
            undo(d.mark);
            if (d.word == ~0u) {
                // The slot had nothing free at this level: the level above fails.
                ok = false;
                continue;
            }
            if (stack.empty())
                rootMark_ = d.mark; // what follows is proved for every later run
            if (learning) {
                while (!refuted.empty() && refuted.back().depth > stack.size())
                    refuted.pop_back();
                if (!stack.empty())
                    refuted.push_back({d.var, d.word, stack.size()});
            }
            Var& x = vars_[std::size_t(d.var)];
            for (std::uint32_t i = 0; i < x.size; ++i)
                if (x.dom[i] == d.word) {
                    removeAt(d.var, i);
                    break;
                }
            x.needSupport = true;
            enqueue(d.var);
            ok = propagate() && withinBound();
            if (stack.empty() && !ok)
                return RunEnd::Exhausted;
            if (stack.empty())
                rootMark_ = trail_.size();
            if (ok && failures >= failureLimit) {
                for (const Refuted& r : refuted) {
                    std::vector<FillChoice> nogood;
                    nogood.reserve(r.depth + 1);
                    nogood.push_back({r.var, r.word});
                    for (std::size_t k = 0; k < r.depth; ++k)
                        nogood.push_back({stack[k].var, stack[k].word});
                    nogoods_.add(std::move(nogood));
                }
                return RunEnd::Restart;
            }
        }
    }
}

bool Filler::setUp(FillResult& result) {
    const int L = WordIndex::kMaxLength;
    usedBy_.resize(std::size_t(L) + 1);
    for (int len = WordIndex::kMinLength; len <= L; ++len)
        usedBy_[std::size_t(len)].assign(index_.idCount(len), kNoVar);

    std::vector<int> cellOf(std::size_t(kCellSide) * kCellSide, -1);
    auto cellNumber = [&](const SlotCell& c) {
        int& n = cellOf[std::size_t(c.col) * kCellSide + std::size_t(c.row)];
        if (n < 0) {
            n = int(masks_.size());
            const char ch = grille_.cell(c.col, c.row);
            masks_.push_back(isLetterCell(ch) ? 1u << (ch - 'A') : kAllLetters);
            cellPlace_.push_back(c);
        }
        return n;
    };
    std::vector<int> varOfSlot(std::size_t(slots_.count()), kNoVar);
    for (int s = 0; s < slots_.count(); ++s) {
        const Slot& slot = slots_[s];
        const QByteArray pattern = slotPattern(grille_, slot);
        if (!pattern.contains('.')) {
            const std::int64_t id = index_.find(pattern);
            if (id >= 0 && index_.isLive(slot.length(), std::uint32_t(id)))
                usedBy_[std::size_t(slot.length())][std::size_t(id)] = kFixedWord;
            continue;
        }
        Var x;
        x.slot = s;
        x.length = slot.length();
        for (const SlotCell& c : slot.cells)
            x.cells.push_back(cellNumber(c));
        x.crossVar.assign(std::size_t(x.length), kNoVar);
        x.crossPos.assign(std::size_t(x.length), 0);
        varOfSlot[std::size_t(s)] = int(vars_.size());
        vars_.push_back(std::move(x));
    }
    result.slots = int(vars_.size());
    if (vars_.empty())
        return false;
    for (Var& x : vars_) {
        for (const SlotCrossing& c : slots_[x.slot].crossings) {
            const int u = varOfSlot[std::size_t(c.other)];
            if (u == kNoVar)
                continue;
            x.crossVar[std::size_t(c.position)] = u;
            x.crossPos[std::size_t(c.position)] = c.otherPosition;
        }
    }
    support_.resize(std::size_t(L));
    for (int v = 0; v < int(vars_.size()); ++v) {
        Var& x = vars_[std::size_t(v)];
        const Slot& slot = slots_[x.slot];
        const QByteArray pattern = slotPattern(grille_, slot);
        x.dom = index_.candidates(pattern, options_.minScore);
        std::erase_if(x.dom, [&](std::uint32_t id) {
            return usedBy_[std::size_t(x.length)][id] == kFixedWord ||
                   (options_.allowed && !options_.allowed(x.length, id));
        });
        x.size = std::uint32_t(x.dom.size());
        if (x.size == 0) {
            // Longer than any word, or no word fits: nothing to search.
            if (result.blockedSlot < 0) {
                result.blockedSlot = x.slot;
                result.blockedName = slotName(slot);
                result.blockedPattern = pattern;
            }
            continue;
        }
        x.text = index_.text(x.length);
        x.scores = index_.scores(x.length);
        countKnown(x);
        x.bits.assign(index_.blockCount(x.length), 0);
        for (std::uint32_t id : x.dom)
            x.bits[id / 64] |= std::uint64_t(1) << (id % 64);
        enqueue(v);
    }
    return true;
}

// The first run's demand on unknown words (FillOptions::firstRunUnknownShare),
// set on the root; false when there is none or the root cannot meet it.
bool Filler::demandFirstRun() {
    if (!knownFirst_ || options_.firstRunUnknownShare <= 0)
        return false;
    int slots = 0;
    for (const Var& x : vars_)
        slots += x.length >= 3;
    unknownBound_ = int(options_.firstRunUnknownShare * slots + 1e-9);
    if (propagate() && withinBound())
        return true;
    undo(rootMark_);
    unknownBound_ = -1;
    return false;
}

// The slots' words written into `g`.
void Filler::writeWords(Grille& g) const {
    for (const Var& x : vars_) {
        const char* w = wordOf(x, x.word());
        for (int p = 0; p < x.length; ++p) {
            const SlotCell c = cellPlace_[std::size_t(x.cells[std::size_t(p)])];
            g.cell(c.col, c.row) = w[p];
        }
    }
}

// Whether the caller takes the fill the slots hold now (FillOptions::accept).
bool Filler::acceptable() const {
    if (!options_.accept)
        return true;
    Grille g = grille_;
    writeWords(g);
    return options_.accept(g);
}

// The grid takes the words of the fill found.
void Filler::recordFill(FillResult& result) { writeWords(result.grille); }

// Slot v keeps `word` while a part of the grid is searched again: the word
// is held, and the cells it crosses in open slots take its letters.
bool Filler::freeze(int v, std::uint32_t word) {
    Var& x = vars_[std::size_t(v)];
    int& owner = usedBy_[std::size_t(x.length)][word];
    if (owner != kNoVar && owner != v)
        return false;
    if (owner == kNoVar) {
        trail_.push_back({TrailEntry::Used, x.length, word});
        owner = v;
    }
    x.frozen = true;
    x.frozenWord = word;
    const char* w = wordOf(x, word);
    for (int p = 0; p < x.length; ++p) {
        const int u = x.crossVar[std::size_t(p)];
        if (u == kNoVar || vars_[std::size_t(u)].frozen)
            continue;
        const int cell = x.cells[std::size_t(p)];
        const std::uint32_t letter = 1u << (w[p] - 'A');
        const std::uint32_t mask = masks_[std::size_t(cell)];
        if (!(mask & letter))
            return false;
        if (mask == letter)
            continue;
        setMask(cell, letter);
        vars_[std::size_t(u)].dirty |= 1u << x.crossPos[std::size_t(p)];
        enqueue(u);
    }
    return true;
}

// An open slot starts from the words that fit the letters of the slots
// kept, taken a block at a time from the index's bitsets rather than by
// filtering its whole list, which the search puts back afterwards.
void Filler::narrowOpen(int v) {
    Var& x = vars_[std::size_t(v)];
    std::vector<std::uint64_t> keep = x.bits;
    for (int p = 0; p < x.length; ++p) {
        const std::uint32_t mask = masks_[std::size_t(x.cells[std::size_t(p)])];
        if (std::popcount(mask) != 1)
            continue;
        const std::uint64_t* b = index_.letterBits(x.length, p, std::countr_zero(mask));
        for (std::size_t i = 0; i < keep.size(); ++i)
            keep[i] &= b[i];
    }
    std::vector<std::uint32_t> dom;
    for (std::size_t b = 0; b < keep.size(); ++b)
        for (std::uint64_t y = keep[b]; y; y &= y - 1)
            dom.push_back(std::uint32_t(b * 64) + std::uint32_t(std::countr_zero(y)));
    stash_.push_back({v, std::move(x.dom), x.size, std::move(x.bits), x.known});
    x.size = std::uint32_t(dom.size());
    x.dom = std::move(dom);
    countKnown(x);
    x.bits = std::move(keep);
    x.needSupport = true;
    enqueue(v);
}

void Filler::restoreOpen() {
    for (Stashed& st : stash_) {
        Var& x = vars_[std::size_t(st.v)];
        x.dom = std::move(st.dom);
        x.size = st.size;
        x.bits = std::move(st.bits);
        x.known = st.known;
        x.needSupport = true;
    }
    stash_.clear();
}

// Opens the slots that pass within `distance` cells of slot u.
void Filler::markNear(int u, int distance, std::vector<char>& open) const {
    const Var& x = vars_[std::size_t(u)];
    for (std::size_t v = 0; v < vars_.size(); ++v) {
        if (open[v])
            continue;
        for (int a : vars_[v].cells) {
            const SlotCell ca = cellPlace_[std::size_t(a)];
            bool near = false;
            for (int b : x.cells) {
                const SlotCell cb = cellPlace_[std::size_t(b)];
                if (std::abs(ca.col - cb.col) <= distance &&
                    std::abs(ca.row - cb.row) <= distance) {
                    near = true;
                    break;
                }
            }
            if (near) {
                open[v] = 1;
                break;
            }
        }
    }
}

// The search for a better fill: around each unknown word of the best fill
// so far, the part of the grid within a few crossings is searched again,
// the rest keeping its words, for a fill of that part with fewer unknown
// words; a part whose words cannot do better widens next time.
void Filler::improve(FillResult& result) {
    std::vector<std::uint32_t> best(vars_.size());
    int unknown = 0;
    for (std::size_t v = 0; v < vars_.size(); ++v) {
        best[v] = vars_[v].word();
        unknown += isUnknown(vars_[v], best[v]);
    }
    if (unknown == 0)
        return;
    // ticks_ holds the revisions of the fill so far.
    improveEnd_ = ticks_ + std::max(options_.improveEffort * std::uint64_t(unknown),
                                    std::uint64_t(options_.improveWorkShare * double(ticks_)));
    setBias(1);
    undo(rootMark_);
    improvingNow_ = true;
    const std::size_t base = trail_.size();
    const std::size_t root = rootMark_;
    std::vector<char> open(vars_.size());
    std::vector<int> order;
    int distance = kImproveDistance;
    while (unknown > 0) {
        order.clear();
        for (int v = 0; v < int(vars_.size()); ++v)
            if (isUnknown(vars_[std::size_t(v)], best[std::size_t(v)]))
                order.push_back(v);
        std::shuffle(order.begin(), order.end(), rng_);
        bool better = false;
        for (int u : order) {
            ticks_ += kPartRevisions;
            if (ticks_ >= improveEnd_)
                return;
            std::fill(open.begin(), open.end(), 0);
            markNear(u, distance, open);
            unknownBound_ = unknown - 1;
            bool ok = true;
            for (std::size_t v = 0; v < vars_.size(); ++v)
                vars_[v].frozen = !open[v];
            for (int v = 0; v < int(vars_.size()) && ok; ++v)
                if (!open[std::size_t(v)])
                    ok = freeze(v, best[std::size_t(v)]);
            for (int v = 0; v < int(vars_.size()) && ok; ++v)
                if (open[std::size_t(v)] && vars_[std::size_t(v)].size > 1)
                    narrowOpen(v);
            RunEnd end = RunEnd::Exhausted;
            if (ok && propagate() && withinBound())
                end = search(std::max<std::uint64_t>(1, options_.improvePartFailures));
            if (end == RunEnd::Solved) {
                recordFill(result);
                unknown = 0;
                for (std::size_t v = 0; v < vars_.size(); ++v) {
                    best[v] = vars_[v].word();
                    unknown += isUnknown(vars_[v], best[v]);
                }
                better = true;
            }
            undo(base);
            restoreOpen();
            rootMark_ = root;
            for (Var& x : vars_)
                x.frozen = false;
            if (end == RunEnd::Stopped || end == RunEnd::TimedOut || end == RunEnd::BudgetSpent)
                return;
            if (better)
                break;
        }
        if (!better && ++distance > options_.improveMaxDistance)
            return;
    }
}

FillResult Filler::run() {
    FillResult result;
    result.grille = grille_;
    auto finish = [&](FillStatus status) {
        result.status = status;
        result.decisions = decisions_;
        result.failures = failures_;
        result.nogoods = nogoods_.size();
        result.seconds = std::chrono::duration<double>(Clock::now() - start_).count();
        result.slotWeights.assign(std::size_t(slots_.count()), 0.0);
        for (const Var& x : vars_)
            result.slotWeights[std::size_t(x.slot)] = x.weight;
        return result;
    };
    if (!setUp(result))
        return finish(FillStatus::NothingToFill);
    if (result.blockedSlot >= 0 || !propagate())
        return finish(claim() ? FillStatus::NoFill : FillStatus::Stopped);
    rootMark_ = trail_.size();
    // Without the first run's demand: what the root holds for every fill.
    const std::size_t freeRoot = rootMark_;
    if (demandFirstRun())
        rootMark_ = trail_.size();
    auto dropDemand = [&] {
        undo(freeRoot);
        rootMark_ = freeRoot;
        unknownBound_ = -1;
    };
    report(true);
    // Restarts with growing failure limits; the slot weights and the nogoods
    // carry over.
    const std::uint64_t unit = std::max<std::uint64_t>(1, options_.restartFailures);
    double limit = double(unit);
    for (int restart = 0;; ++restart) {
        result.restarts = restart;
        const std::uint64_t failures = options_.restarts == RestartSchedule::Luby
                                           ? unit * lubyTerm(std::uint64_t(restart) + 1)
                                           : std::uint64_t(limit);
        const RunEnd end = search(failures);
        switch (end) {
        case RunEnd::Solved:
            if (!claim())
                return finish(FillStatus::Stopped);
            recordFill(result);
            report(true);
            if (improving())
                improve(result);
            // "Arrêter" leaves the grid as it was, even once a fill was found.
            if (options_.stop && options_.stop->load(std::memory_order_relaxed))
                return finish(FillStatus::Stopped);
            return finish(FillStatus::Filled);
        case RunEnd::Exhausted:
            // Only the first run's demand was proved impossible.
            if (unknownBound_ >= 0) {
                dropDemand();
                break;
            }
            return finish(claim() ? FillStatus::NoFill : FillStatus::Stopped);
        case RunEnd::Stopped:
            return finish(FillStatus::Stopped);
        case RunEnd::TimedOut:
        case RunEnd::BudgetSpent:
            return finish(FillStatus::TimedOut);
        case RunEnd::Restart:
            if (unknownBound_ >= 0)
                dropDemand();
            else
                undo(rootMark_);
            limit *= kGeometricGrowth;
            if (options_.biasDecay < 1 && restart + 1 >= options_.biasRestarts)
                setBias(bias_ * options_.biasDecay);
            break;
        }
    }
}

// The first search of a portfolio to end with a fill or a proof wins;
// alone, a search always does.
bool Filler::claim() {
    if (!portfolio_)
        return true;
    int none = -1;
    won_ = portfolio_->winner.compare_exchange_strong(none, member_);
    if (won_)
        portfolio_->over.store(true);
    return won_;
}

} // namespace

int fillThreads(int threads) {
    if (threads > 0)
        return threads;
    return std::max(1, int(std::thread::hardware_concurrency()));
}

FillResult fillGrid(const Grille& grille, const WordIndex& index, const FillOptions& options) {
    const int n = fillThreads(options.threads);
    if (n == 1)
        return Filler(grille, index, options).run();
    // Each search has its own options, seed and state; the first keeps the
    // caller's seed and schedule, every other one the other schedule, so that
    // the two ways of restarting both run on a machine of two cores.
    Portfolio portfolio;
    std::vector<FillOptions> own(static_cast<std::size_t>(n), options);
    std::vector<FillResult> results(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        FillOptions& o = own[std::size_t(i)];
        o.threads = 1;
        if (i > 0) {
            o.seed = options.seed ^ (0x9E3779B97F4A7C15ull * std::uint64_t(i));
            if (i % 2 == 1)
                o.restarts = options.restarts == RestartSchedule::Luby ? RestartSchedule::Geometric
                                                                       : RestartSchedule::Luby;
            o.progress = nullptr; // the first search alone reports
        } else if (options.progress) {
            o.progress = [&options, n](const FillProgress& p) {
                FillProgress q = p;
                q.threads = n;
                options.progress(q);
            };
        }
    }
    {
        std::vector<std::jthread> workers;
        for (int i = 1; i < n; ++i)
            workers.emplace_back([&, i] {
                results[std::size_t(i)] =
                    Filler(grille, index, own[std::size_t(i)], &portfolio, i).run();
            });
        results[0] = Filler(grille, index, own[0], &portfolio, 0).run();
    } // the workers are joined here
    const int winner = portfolio.winner.load();
    FillResult result = std::move(results[std::size_t(std::max(0, winner))]);
    result.threads = n;
    return result;
}

} // namespace orv
