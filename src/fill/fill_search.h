// The fill's search on top of the constraint core (used by grid_fill.cpp,
// and by fill_request.cpp for the fills from a prepared state). Its parts,
// each in its own file:
//   fill_search.cpp      the backtracking search: dom/wdeg for the next slot,
//                        the value ordering, restarts (Luby or geometric),
//                        nogoods learnt at each restart, the portfolio's claim;
//   fill_vocabulary.cpp  the vocabulary policy: the preference for known
//                        words (score bias, known-words-first, the bound on
//                        unknown words);
//   fill_improve.cpp     the improvement of a fill by large-neighbourhood
//                        search: parts of the grid searched again, the rest
//                        frozen.
#pragma once

#include "fill/constraint_core.h"
#include "fill/fill_nogoods.h"
#include "fill/grid_fill.h"
#include "grid/grid_slots.h"

#include <array>
#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <random>
#include <vector>

namespace orv {

// What the searches of a portfolio share: the first to fill the grid or to
// prove that it cannot be filled claims the win, and `over` tells the others
// to stop. The nogoods each learns at its restarts are published here, and
// each takes the others' at its own restarts: they all search the same
// problem (same grid, words and refusals; only the order of the choices
// differs), so what one proved holds for all.
struct Portfolio {
    std::atomic<int> winner{-1};
    std::atomic<bool> over{false};
    std::mutex mutex;                                            // guards `learnt`
    std::vector<std::pair<int, std::vector<FillChoice>>> learnt; // (member, nogood)
    static constexpr std::size_t kMaxLearnt = 200000;
};

enum class RunEnd { Solved, Exhausted, Restart, Stopped, TimedOut, BudgetSpent };

class FillSearch final : private CoreWatcher {
public:
    FillSearch(const Grille& grille, const WordIndex& index, const FillOptions& options,
               Portfolio* portfolio = nullptr, int member = 0);

    FillResult run();

    // Tries from one state prepared for many (PreparedFill): prepare()
    // propagates the grid's candidates once, false when that proves that the
    // grid has no fill; each tryWord() then gives slot variable v the word
    // (live in its prepared candidates), searches from there as run() would
    // with the word written in the grid, and leaves the prepared state as it
    // found it, so that no try depends on the tries before it.
    bool prepare();
    FillResult tryWord(int v, std::uint32_t word);
    const ConstraintCore& core() const { return core_; }

private:
    using Var = CoreVar;
    using Clock = std::chrono::steady_clock;
    static constexpr int kNoVar = ConstraintCore::kNoVar;

    // fill_search.cpp
    ConstraintCore::Settings coreSettings(const FillOptions& options);
    bool bounded() const { return options_.bounded && options_.maxBounded >= 0; }
    FillResult finish(FillResult& result, FillStatus status) const;
    FillStatus restartLoop(FillResult& result);
    // The choices of one run of the search, and (when it learns) the words
    // refuted on its current branch with the depth of the stack below which
    // each was refuted: what a restart leaves as nogoods.
    struct Decision {
        int var;
        std::uint32_t word; // ~0u: every candidate was held elsewhere
        std::size_t mark;
    };
    struct Refuted {
        int var;
        std::uint32_t word;
        std::size_t depth;
    };
    struct Branch {
        std::vector<Decision> stack;
        std::vector<Refuted> refuted;
        bool learning = false;
        std::uint64_t failures = 0;
        std::uint64_t failureLimit = 0;
    };
    RunEnd search(std::uint64_t failureLimit);
    bool decide(int v, Branch& branch);
    std::optional<RunEnd> backtrack(Branch& branch);
    void learnNogoods(const Branch& branch);
    void importNogoods();
    int selectVar() const;
    void countCrossingLetters(const Var& x);
    std::uint32_t selectValue(int v);
    double weigh(const Var& x, std::uint32_t id);
    std::uint32_t bestOfAll(int v);
    std::uint32_t bestOfSample(int v);
    bool held(int v, std::uint32_t word) override;
    bool choiceMade(FillChoice c) const;
    bool forbid(FillChoice c);
    bool claim();
    bool interrupted(RunEnd& why);
    int placed() const;
    void report(bool force);
    void writeWords(Grille& g) const;
    bool acceptable() const;

    // fill_vocabulary.cpp
    void setBias(double bias);
    bool isUnknown(const Var& x, std::uint32_t id) const;
    bool knownLeft(const Var& x) const { return !knownFirst_ || x.length < 3 || x.known > 0; }
    bool withinBound();
    void keepKnownWords(int v);
    bool demandFirstRun();

    // fill_improve.cpp
    bool improving() const;
    void improve(FillResult& result);
    bool improvePart(int u, int distance, int unknown, const std::vector<std::uint32_t>& best,
                     RunEnd& end);
    bool freeze(int v, std::uint32_t word);
    void markNear(int u, int distance, std::vector<char>& open) const;
    void narrowOpen(int v);
    void restoreOpen();

    const Grille& grille_;
    const WordIndex& index_;
    const FillOptions& options_;
    GridSlots slots_;
    // Under FillOptions::bounded, the scores the search reads: 0 for the
    // words it marks, at least 1 for the others, so that the known words are
    // the unmarked ones (the core counts them) and the bound counts the
    // marked ones.
    std::vector<std::vector<std::uint8_t>> boundedScores_;
    ConstraintCore core_;
    std::vector<Var>& vars_ = core_.vars();
    std::mt19937_64 rng_;
    std::size_t rootMark_ = 0;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastReport_ = start_;
    Clock::time_point lastStep_ = start_; // the last reading of the clock by interrupted()
    std::uint64_t decisions_ = 0;
    std::uint64_t failures_ = 0;
    // Scratch space for the value choice.
    std::vector<double> histogram_;
    // What a crossing candidate of each score counts for in the histogram:
    // all alike without scores, exp(weight * score / 10) with them, so that a
    // letter weighs by the best-known words it leaves the crossing slot.
    std::array<double, 101> scoreFactor_{};
    // What a word of each score adds to its own weighing.
    std::array<double, 101> valueBonus_{};
    double bias_ = 1; // the share of the score preference in force
    // Whether the next slot is the one with the fewest known words.
    const bool knownFirst_ = bounded() || (options_.knownWordsFirst && options_.preferredScore > 0);
    // Below it a word is unknown.
    const int knownScore_ = bounded() ? 1 : options_.preferredScore;
    // The unknown words (of 3 letters or more, scoring below knownScore_)
    // that a fill may still hold: the bound of FillOptions::bounded, or the first run's
    // demand, then, in the search for a better fill, one fewer than the best
    // fill so far; -1 for any. The revision count that ends that search.
    int unknownBound_ = -1;
    std::uint64_t improveEnd_ = ~std::uint64_t(0);
    // The domains of the open slots as they stood before the part was
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
    std::size_t imported_ = 0; // the portfolio's nogoods already looked at
    std::uint64_t taken_ = 0;  // the other searches' nogoods added here
    bool won_ = false;
    // The prepared state: its trail mark, and each variable's candidates in
    // their order then (a try reorders them, and the order steers the
    // search).
    std::size_t preparedMark_ = 0;
    std::vector<std::vector<std::uint32_t>> preparedDoms_;
};

} // namespace orv
