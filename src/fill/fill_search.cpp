// The backtracking search of a fill over the constraint core: each choice
// is "this slot takes this word", followed by arc-consistent propagation;
// the next slot by dom/wdeg, the word by the room it leaves its crossings;
// restarts on a schedule of failure limits, with nogoods learnt at each.
#include "fill/fill_search.h"

#include "dictionary/word_index.h"

#include <algorithm>
#include <cmath>

namespace orv {
namespace {

constexpr int kScoreDraws = 4;
// Above this many candidates, the value ordering weighs a sample of them.
constexpr std::uint32_t kValueSample = 256;
// No word weighed yet. Not x.size, which shrinks as held words leave: a
// stale bound would read as "none left" and fail a slot that has one.
constexpr std::uint32_t kNone = ~0u;
// How much more each run of the search is allowed under the geometric
// schedule.
constexpr double kGeometricGrowth = 1.3;

} // namespace

FillSearch::FillSearch(const Grille& grille, const WordIndex& index, const FillOptions& options,
                       Portfolio* portfolio, int member)
    : grille_(grille), index_(index), options_(options), slots_(grille),
      core_(grille, slots_, index, coreSettings(options)), rng_(options.seed),
      portfolio_(portfolio), member_(member) {
    core_.setWatcher(this);
    setBias(1);
}

ConstraintCore::Settings FillSearch::coreSettings(const FillOptions& options) {
    ConstraintCore::Settings s;
    s.minScore = options.minScore;
    s.allowed = options.allowed;
    if (options.knownWordsFirst && options.preferredScore > 0)
        s.knownScore = options.preferredScore;
    if (options.bounded && options.maxBounded >= 0) {
        // The lengths to fill, each asked about once per word.
        boundedScores_.resize(std::size_t(WordIndex::kMaxLength) + 1);
        for (const Slot& slot : slots_.slots()) {
            const int length = int(slot.cells.size());
            if (length < WordIndex::kMinLength || length > WordIndex::kMaxLength ||
                !boundedScores_[std::size_t(length)].empty())
                continue;
            std::vector<std::uint8_t>& scores = boundedScores_[std::size_t(length)];
            const std::uint32_t n = index_.idCount(length);
            const std::uint8_t* own = index_.scores(length);
            scores.resize(n);
            for (std::uint32_t id = 0; id < n; ++id)
                scores[id] = length >= 3 && options.bounded(length, id)
                                 ? 0
                                 : std::max<std::uint8_t>(1, own[id]);
        }
        s.scores = &boundedScores_;
        s.knownScore = 1;
    }
    return s;
}

FillResult FillSearch::finish(FillResult& result, FillStatus status) const {
    result.status = status;
    result.decisions = decisions_;
    result.failures = failures_;
    result.nogoods = nogoods_.size();
    result.nogoodsTaken = taken_;
    result.seconds = std::chrono::duration<double>(Clock::now() - start_).count();
    result.slotWeights.assign(std::size_t(slots_.count()), 0.0);
    for (const Var& x : vars_)
        result.slotWeights[std::size_t(x.slot)] = x.weight;
    return result;
}

FillResult FillSearch::run() {
    FillResult result;
    result.grille = grille_;
    result.slots = core_.varCount();
    if (vars_.empty())
        return finish(result, FillStatus::NothingToFill);
    if (core_.blockedVar() != kNoVar) {
        // Longer than any word, or no word fits: nothing to search.
        const Slot& slot = slots_[vars_[std::size_t(core_.blockedVar())].slot];
        result.blockedSlot = vars_[std::size_t(core_.blockedVar())].slot;
        result.blockedName = slotName(slot);
        result.blockedPattern = slotPattern(grille_, slot);
    }
    if (result.blockedSlot >= 0 || !core_.propagate())
        return finish(result, claim() ? FillStatus::NoFill : FillStatus::Stopped);
    return finish(result, restartLoop(result));
}

bool FillSearch::prepare() {
    if (core_.blockedVar() != kNoVar || !core_.propagate())
        return false;
    preparedMark_ = core_.mark();
    preparedDoms_.resize(vars_.size());
    for (std::size_t v = 0; v < vars_.size(); ++v)
        preparedDoms_[v].assign(vars_[v].dom.begin(), vars_[v].dom.begin() + vars_[v].size);
    return true;
}

FillResult FillSearch::tryWord(int v, std::uint32_t word) {
    // The time limit counts from here: going back to the prepared state is
    // part of the try.
    start_ = lastReport_ = lastStep_ = Clock::now();
    // Back to the prepared state, as a new search would find it.
    core_.undo(preparedMark_);
    for (std::size_t u = 0; u < vars_.size(); ++u) {
        Var& x = vars_[u];
        std::copy(preparedDoms_[u].begin(), preparedDoms_[u].end(), x.dom.begin());
        x.weight = 1;
    }
    nogoods_ = NogoodStore();
    rng_.seed(options_.seed);
    setBias(1);
    decisions_ = 0;
    failures_ = 0;

    FillResult result;
    result.grille = grille_;
    result.slots = core_.varCount() - 1;
    Var& x = vars_[std::size_t(v)];
    std::uint32_t at = 0;
    while (at < x.size && x.dom[at] != word)
        ++at;
    if (at == x.size)
        return finish(result, FillStatus::NoFill);
    core_.assign(v, at);
    if (!core_.propagate())
        return finish(result, FillStatus::NoFill);
    return finish(result, restartLoop(result));
}

// Runs of the search from the root with growing failure limits; the slot
// weights and the nogoods carry over from one run to the next.
FillStatus FillSearch::restartLoop(FillResult& result) {
    if (bounded()) {
        // The bound holds in every run: what the root cannot keep, no fill can.
        unknownBound_ = options_.maxBounded;
        if (!withinBound())
            return claim() ? FillStatus::NoFill : FillStatus::Stopped;
    }
    rootMark_ = core_.mark();
    // Without the first run's demand: what the root holds for every fill.
    const std::size_t freeRoot = rootMark_;
    if (!bounded() && demandFirstRun())
        rootMark_ = core_.mark();
    auto dropDemand = [&] {
        core_.undo(freeRoot);
        rootMark_ = freeRoot;
        unknownBound_ = -1;
    };
    report(true);
    const std::uint64_t unit = std::max<std::uint64_t>(1, options_.restartFailures);
    double limit = double(unit);
    for (int restart = 0;; ++restart) {
        result.restarts = restart;
        const std::uint64_t failures = options_.restarts == RestartSchedule::Luby
                                           ? unit * lubyTerm(std::uint64_t(restart) + 1)
                                           : std::uint64_t(limit);
        switch (search(failures)) {
        case RunEnd::Solved:
            if (!claim())
                return FillStatus::Stopped;
            writeWords(result.grille);
            report(true);
            if (improving())
                improve(result);
            // "Arrêter" leaves the grid as it was, even once a fill was found.
            if (options_.stop && options_.stop->load(std::memory_order_relaxed))
                return FillStatus::Stopped;
            return FillStatus::Filled;
        case RunEnd::Exhausted:
            // Only the first run's demand was proved impossible.
            if (unknownBound_ >= 0 && !bounded()) {
                dropDemand();
                break;
            }
            return claim() ? FillStatus::NoFill : FillStatus::Stopped;
        case RunEnd::Stopped:
            return FillStatus::Stopped;
        case RunEnd::TimedOut:
        case RunEnd::BudgetSpent:
            return FillStatus::TimedOut;
        case RunEnd::Restart:
            if (unknownBound_ >= 0 && !bounded())
                dropDemand();
            else
                core_.undo(rootMark_);
            importNogoods();
            limit *= kGeometricGrowth;
            if (options_.biasDecay < 1 && restart + 1 >= options_.biasRestarts)
                setBias(bias_ * options_.biasDecay);
            break;
        }
    }
}

// The first search of a portfolio to end with a fill or a proof wins;
// alone, a search always does.
bool FillSearch::claim() {
    if (!portfolio_)
        return true;
    int none = -1;
    won_ = portfolio_->winner.compare_exchange_strong(none, member_);
    if (won_)
        portfolio_->over.store(true);
    return won_;
}

// The core tells that slot v holds a word: the nogoods watching that choice
// may forbid others.
bool FillSearch::held(int v, std::uint32_t word) {
    if (nogoods_.empty() || improvingNow_)
        return true;
    return nogoods_.onMade(
        {v, word}, [this](FillChoice c) { return choiceMade(c); },
        [this](FillChoice c) { return forbid(c); });
}

bool FillSearch::choiceMade(FillChoice c) const {
    const Var& x = vars_[std::size_t(c.var)];
    return x.size == 1 && x.dom[0] == c.word;
}

// A nogood forbids slot c.var the word c.word: false when it holds it.
bool FillSearch::forbid(FillChoice c) {
    const Var& x = vars_[std::size_t(c.var)];
    if (!core_.isLive(x, c.word))
        return true;
    if (x.size == 1)
        return false;
    core_.removeWord(c.var, c.word);
    return true;
}

// dom/wdeg: the slot with the fewest candidates for its conflict weight.
int FillSearch::selectVar() const {
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

// Letter counts at the crossing place of each crossing slot of x, from a
// sample of its candidates when it has many, each count then weighed by its
// logarithm.
void FillSearch::countCrossingLetters(const Var& x) {
    constexpr std::uint32_t kHistogramSample = 1024;
    histogram_.assign(std::size_t(x.length) * 26, 0);
    for (int p = 0; p < x.length; ++p) {
        const int u = x.crossVar[std::size_t(p)];
        if (u == kNoVar || vars_[std::size_t(u)].frozen)
            continue;
        const Var& y = vars_[std::size_t(u)];
        const int q = x.crossPos[std::size_t(p)];
        double* h = histogram_.data() + std::size_t(p) * 26;
        auto count = [&](std::uint32_t id) {
            h[y.wordText(id)[q] - 'A'] += scoreFactor_[y.scores[id]];
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
    for (double& c : histogram_)
        c = c <= 0 ? -1000.0 : std::log(c);
}

// Value ordering: the place, in the live part, of the word that leaves the
// crossing slots the most candidates, among a random sample; words that
// another slot holds are dropped on the way. Returns x.size when none is left.
std::uint32_t FillSearch::selectValue(int v) {
    countCrossingLetters(vars_[std::size_t(v)]);
    return vars_[std::size_t(v)].size <= kValueSample ? bestOfAll(v) : bestOfSample(v);
}

// A word's weight: the room it leaves its crossings (the logarithms of the
// letter counts), its score's bonus, and a little noise.
double FillSearch::weigh(const Var& x, std::uint32_t id) {
    std::uniform_real_distribution<double> noise(0.0, 0.4);
    const char* w = x.wordText(id);
    double score = noise(rng_);
    score += valueBonus_[x.scores[id]];
    for (int p = 0; p < x.length; ++p) {
        const int u = x.crossVar[std::size_t(p)];
        if (u == kNoVar || vars_[std::size_t(u)].frozen)
            continue;
        score += histogram_[std::size_t(p) * 26 + std::size_t(w[p] - 'A')];
    }
    return score;
}

// Every candidate weighed; a removal brings the last one to place i.
std::uint32_t FillSearch::bestOfAll(int v) {
    Var& x = vars_[std::size_t(v)];
    std::uint32_t best = kNone;
    double bestScore = 0;
    std::uint32_t i = 0;
    while (i < x.size) {
        if (core_.holder(x.length, x.dom[i]) != kNoVar) {
            core_.removeAt(v, i);
            continue;
        }
        const double score = weigh(x, x.dom[i]);
        if (best == kNone || score > bestScore) {
            best = i;
            bestScore = score;
        }
        ++i;
    }
    return best == kNone ? x.size : best;
}

// kValueSample candidates drawn at random; with scores, each the best-scored
// of a few draws, so that the sample leans to the words people know.
std::uint32_t FillSearch::bestOfSample(int v) {
    Var& x = vars_[std::size_t(v)];
    const int draws =
        options_.scoreWeight > 0 || (options_.preferredScore > 0 && options_.preferredBonus > 0)
            ? kScoreDraws
            : 1;
    std::uint32_t best = kNone;
    double bestScore = 0;
    for (std::uint32_t tries = 0; tries < kValueSample && x.size > 0; ++tries) {
        std::uniform_int_distribution<std::uint32_t> pick(0, x.size - 1);
        std::uint32_t i = pick(rng_);
        for (int d = 1; d < draws; ++d) {
            const std::uint32_t j = pick(rng_);
            if (x.scores[x.dom[j]] > x.scores[x.dom[i]])
                i = j;
        }
        if (core_.holder(x.length, x.dom[i]) != kNoVar) {
            const bool bestWasLast = best != kNone && best == x.size - 1;
            core_.removeAt(v, i);
            if (bestWasLast)
                best = i;
            continue;
        }
        const double score = weigh(x, x.dom[i]);
        if (best == kNone || score > bestScore) {
            best = i;
            bestScore = score;
        }
    }
    return best == kNone ? x.size : best;
}

int FillSearch::placed() const {
    int n = 0;
    for (const Var& x : vars_)
        n += x.frozen || x.size == 1;
    return n;
}

void FillSearch::report(bool force) {
    if (!options_.progress)
        return;
    const Clock::time_point now = Clock::now();
    if (!force && now - lastReport_ < std::chrono::milliseconds(40))
        return;
    lastReport_ = now;
    options_.progress(
        {placed(), int(vars_.size()), std::chrono::duration<double>(now - start_).count()});
}

bool FillSearch::interrupted(RunEnd& why) {
    if ((options_.stop && options_.stop->load(std::memory_order_relaxed)) ||
        (portfolio_ && !won_ && portfolio_->over.load(std::memory_order_relaxed))) {
        why = RunEnd::Stopped;
        return true;
    }
    if (options_.maxFailures > 0 && failures_ >= options_.maxFailures) {
        why = RunEnd::TimedOut;
        return true;
    }
    if (unknownBound_ >= 0 && core_.revisions() >= improveEnd_) {
        why = RunEnd::BudgetSpent;
        return true;
    }
    // The clock is read at each step (a step of the search costs far more
    // than reading it), and no step is begun that would end past the time
    // limit if it took as long as the last one: a bound of a few
    // milliseconds (the look-ahead's) is kept, on an open grid too, where
    // one step's propagation takes a millisecond or more.
    core_.addRevisions(1);
    if (options_.timeLimitSeconds > 0) {
        const Clock::time_point now = Clock::now();
        const Clock::duration step = now - lastStep_;
        lastStep_ = now;
        if (std::chrono::duration<double>(now - start_ + step).count() >
            options_.timeLimitSeconds) {
            why = RunEnd::TimedOut;
            return true;
        }
    }
    report(false);
    return false;
}

// The slots' words written into `g`.
void FillSearch::writeWords(Grille& g) const {
    for (const Var& x : vars_) {
        const char* w = x.wordText(x.word());
        for (int p = 0; p < x.length; ++p) {
            const SlotCell c = core_.cellPlace(x.cells[std::size_t(p)]);
            g.cell(c.col, c.row) = w[p];
        }
    }
}

// Whether the caller takes the fill the slots hold now (FillOptions::accept).
bool FillSearch::acceptable() const {
    if (!options_.accept)
        return true;
    Grille g = grille_;
    writeWords(g);
    return options_.accept(g);
}

// One run of the search from the root, abandoned after `failureLimit`
// failures. Each choice is "this slot takes this word"; when it fails, the
// word is removed from the slot's candidates at the level above.
RunEnd FillSearch::search(std::uint64_t failureLimit) {
    Branch branch;
    branch.failureLimit = failureLimit;
    // A fixed bound holds in every run, so what a run proves under it holds
    // for the next ones too; the first run's demand does not.
    branch.learning = options_.learn && (unknownBound_ < 0 || bounded()) && !improvingNow_;
    for (;;) {
        RunEnd why;
        if (interrupted(why))
            return why;
        const int v = selectVar();
        if (v < 0 && acceptable())
            return RunEnd::Solved;
        // A fill the caller refused fails like a dead end, so that the search
        // goes on to the next fill.
        if (v >= 0 && decide(v, branch))
            continue;
        if (const std::optional<RunEnd> end = backtrack(branch))
            return *end;
    }
}

// Slot v takes the word that selectValue picks; false when that fails at
// once (or when every candidate was held elsewhere).
bool FillSearch::decide(int v, Branch& branch) {
    const std::size_t mark = core_.mark();
    const std::uint32_t at = selectValue(v);
    if (at >= vars_[std::size_t(v)].size) {
        branch.stack.push_back({v, ~0u, mark});
        return false;
    }
    ++decisions_;
    branch.stack.push_back({v, vars_[std::size_t(v)].dom[at], mark});
    core_.assign(v, at);
    return core_.propagate() && withinBound();
}

// Chronological backtracking after a failure: the last choice is undone and
// its word removed at the level above, until the propagation holds. Returns
// how the run ends (no choice left, or a restart at the failure limit), or
// nothing when the search goes on.
std::optional<RunEnd> FillSearch::backtrack(Branch& branch) {
    std::vector<Decision>& stack = branch.stack;
    for (;;) {
        ++branch.failures;
        ++failures_;
        if (stack.empty())
            return RunEnd::Exhausted;
        const Decision d = stack.back();
        stack.pop_back();
        core_.undo(d.mark);
        if (d.word == ~0u)
            continue; // the slot had nothing free at this level: the level above fails
        if (stack.empty())
            rootMark_ = d.mark; // what follows is proved for every later run
        if (branch.learning) {
            std::vector<Refuted>& refuted = branch.refuted;
            while (!refuted.empty() && refuted.back().depth > stack.size())
                refuted.pop_back();
            if (!stack.empty())
                refuted.push_back({d.var, d.word, stack.size()});
        }
        core_.removeWord(d.var, d.word);
        const bool ok = core_.propagate() && withinBound();
        if (stack.empty() && !ok)
            return RunEnd::Exhausted;
        if (stack.empty())
            rootMark_ = core_.mark();
        if (!ok)
            continue;
        if (branch.failures < branch.failureLimit)
            return std::nullopt;
        learnNogoods(branch);
        return RunEnd::Restart;
    }
}

// At a restart, each word refuted on the current branch becomes a nogood:
// that word with the choices above its refutation. In a portfolio, the
// others take it at their next restart.
void FillSearch::learnNogoods(const Branch& branch) {
    std::vector<std::vector<FillChoice>> learnt;
    for (const Refuted& r : branch.refuted) {
        std::vector<FillChoice> nogood;
        nogood.reserve(r.depth + 1);
        nogood.push_back({r.var, r.word});
        for (std::size_t k = 0; k < r.depth; ++k)
            nogood.push_back({branch.stack[k].var, branch.stack[k].word});
        if (portfolio_)
            learnt.push_back(nogood);
        nogoods_.add(std::move(nogood));
    }
    if (learnt.empty())
        return;
    std::lock_guard lock(portfolio_->mutex);
    for (std::vector<FillChoice>& nogood : learnt)
        if (portfolio_->learnt.size() < Portfolio::kMaxLearnt)
            portfolio_->learnt.emplace_back(member_, std::move(nogood));
}

// At the root, after a restart: the nogoods the other searches of the
// portfolio learnt since the last restart. No choice is made at the root,
// so each can be watched from there.
void FillSearch::importNogoods() {
    if (!portfolio_ || !options_.learn)
        return;
    std::lock_guard lock(portfolio_->mutex);
    for (; imported_ < portfolio_->learnt.size(); ++imported_) {
        const auto& [member, nogood] = portfolio_->learnt[imported_];
        if (member != member_ && nogoods_.add(nogood))
            ++taken_;
    }
}

} // namespace orv
