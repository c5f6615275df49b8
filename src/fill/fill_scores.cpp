// Word scores in the fill: the quality figures of a filled grid, and the fill that demands known
// words where it can.
#include "fill/fill_scores.h"

#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"
#include "grid/grid_slots.h"

#include <QStringList>
#include <algorithm>
#include <chrono>
#include <optional>

namespace orv {

FillQuality fillQuality(const Grille& grille, const WordScores& scores) {
    FillQuality q;
    long total = 0;
    const GridSlots slots(grille);
    for (const Slot& slot : slots.slots()) {
        const QByteArray word = slotPattern(grille, slot);
        if (word.contains('.'))
            continue;
        ++q.words;
        total += scores.score(word);
        if (scores.wordClass(word) == WordClass::Weak && !q.weakWords.contains(word))
            q.weakWords.append(word);
        if (slot.length() >= 3) {
            ++q.longWords;
            q.frequentLong += scores.isFrequent(word);
        }
    }
    q.meanScore = q.words ? double(total) / q.words : 0;
    return q;
}

std::vector<Cell> weakWordCells(const Grille& grille, const WordScores& scores) {
    std::vector<Cell> cells;
    const GridSlots slots(grille);
    for (const Slot& slot : slots.slots()) {
        const QByteArray word = slotPattern(grille, slot);
        if (word.contains('.') || scores.wordClass(word) != WordClass::Weak)
            continue;
        for (const SlotCell& c : slot.cells)
            cells.push_back({c.col, c.row});
    }
    std::sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) {
        return a.col != b.col ? a.col < b.col : a.row < b.row;
    });
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    return cells;
}

QString weakWordsText(const FillQuality& quality) {
    const qsizetype n = quality.weakWords.size();
    if (n == 0)
        return QStringLiteral("aucun mot rare");
    QStringList words;
    for (const QByteArray& w : quality.weakWords)
        words.append(QString::fromLatin1(w));
    return QStringLiteral("%1 mot%2 rare%2 : %3")
        .arg(n)
        .arg(n > 1 ? QStringLiteral("s") : QString())
        .arg(words.join(QStringLiteral(", ")));
}

VocabularyFill vocabularyFill(Vocabulary v) {
    switch (v) {
    case Vocabulary::Common:
        return {minimumScore(Vocabulary::Extended), minimumScore(Vocabulary::Common)};
    case Vocabulary::Extended:
        return {minimumScore(Vocabulary::Extended), 0};
    case Vocabulary::Whole:
        return {minimumScore(Vocabulary::Whole), 0};
    }
    return {};
}

namespace {

// The preference for known words in the choice of a word: what a known word
// adds to its weighing (ten is about the room of e^10 more crossing words,
// so a known word that leaves its crossings any room comes first), how much
// an unknown crossing candidate counts in that room, and the share of the
// caller's score weight kept to rank the known words among themselves.
constexpr double kPreferredBonus = 10;
constexpr double kOffBandFactor = 0.1;
constexpr double kBandScoreWeightShare = 0.05;
// The first run of that fill takes only fills in which at most a third of
// the words of 3 letters or more are unknown: a first fill is then more often
// a good one, at the cost of one short run on a grid where none is found.
constexpr double kFirstRunUnknownShare = 1.0 / 3;
// After a few restarts the preference fades, so that a grid that known
// words make hard still fills about as fast as without scores.
constexpr int kBiasRestarts = 3;
constexpr double kBiasDecay = 0.8;
// When the fill without the preference had to take over, the grid is hard
// for the known words: the search for fewer unknown words is then allowed at
// least the work that fill took (which stands for what the fill without
// scores costs), over parts up to five cells wide, each with more failures.
constexpr double kHandOverWorkShare = 1;
constexpr int kHandOverDistance = 5;
constexpr std::uint64_t kHandOverPartFailures = 128;
double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The floor of a fill that takes every word that is not hidden: the whole
// dictionary's, unless the caller asked for one above the common
// vocabulary's own, which is the user's and stays.
int everyWordFloor(const FillOptions& options) {
    return options.minScore <= vocabularyFill(Vocabulary::Common).minScore
               ? minimumScore(Vocabulary::Whole)
               : options.minScore;
}

// Whole fills of `grille` holding fewer weak words than `r`'s: each searched
// over every word that is not refused nor hidden, with at most one weak word
// fewer than the last fill found, until one is not found or the failures of
// `quality` are spent, all searches together. The last one found, or nothing.
std::optional<Grille> fewerWeakWords(const Grille& grille, IndexClasses& classes,
                                     const FillOptions& options, FillResult& r,
                                     const QualityEffort& quality,
                                     std::chrono::steady_clock::time_point start) {
    FillOptions b;
    b.seed = options.seed;
    b.threads = options.threads;
    b.minScore = everyWordFloor(options);
    b.scoreWeight = options.scoreWeight;
    b.stop = options.stop;
    b.accept = options.accept;
    b.allowed = [&classes](int length, std::uint32_t id) {
        return !classes.isForbidden(length, id);
    };
    b.bounded = [&classes](int length, std::uint32_t id) {
        return classes.classOf(length, id) == WordClass::Weak;
    };
    // The weak words the bound counts: those of 3 letters or more in the
    // slots left open in `grille`.
    const GridSlots slots(grille);
    auto weakIn = [&](const Grille& filled) {
        int n = 0;
        for (const Slot& slot : slots.slots())
            n += slot.length() >= 3 && slotPattern(grille, slot).contains('.') &&
                 classes.classOf(slotPattern(filled, slot)) == WordClass::Weak;
        return n;
    };
    std::optional<Grille> found;
    std::uint64_t spent = 0; // the failures of the searches so far, against the budget
    for (int weak = weakIn(r.grille); weak > 0 && spent < quality.boundedFailures;) {
        b.maxBounded = weak - 1;
        b.maxFailures = quality.boundedFailures - spent;
        if (options.maxFailures > 0) {
            if (r.failures >= options.maxFailures)
                break;
            b.maxFailures = std::min(b.maxFailures, options.maxFailures - r.failures);
        }
        if (options.timeLimitSeconds > 0) {
            b.timeLimitSeconds = options.timeLimitSeconds - secondsSince(start);
            if (b.timeLimitSeconds <= 0)
                break;
        }
        const FillResult t = fillGrid(grille, classes.index(), b);
        r.decisions += t.decisions;
        r.failures += t.failures;
        spent += t.failures;
        if (t.status != FillStatus::Filled)
            break;
        const int left = weakIn(t.grille);
        if (left >= weak)
            break; // never met: the search keeps the bound
        found = t.grille;
        weak = left;
        b.seed = b.seed * 0x9E3779B97F4A7C15ull + 1;
    }
    return found;
}

} // namespace

FillResult fillPreferringKnownWords(const Grille& grille, const WordIndex& index,
                                    const FillOptions& options, int preferred,
                                    std::uint64_t preferredFailures, ImproveEffort effort) {
    if (preferred <= options.minScore)
        return fillGrid(grille, index, options);
    const auto start = std::chrono::steady_clock::now();
    FillOptions o = options;
    o.preferredScore = preferred;
    o.preferredBonus = kPreferredBonus;
    o.offBandFactor = kOffBandFactor;
    o.knownWordsFirst = true;
    o.firstRunUnknownShare = kFirstRunUnknownShare;
    o.scoreWeight = options.scoreWeight * kBandScoreWeightShare;
    o.biasRestarts = kBiasRestarts;
    o.biasDecay = kBiasDecay;
    o.improveEffort = effort.perUnknownWord;
    o.improveMaxDistance = effort.maxDistance;
    const bool callerCapped = options.maxFailures > 0 && options.maxFailures <= preferredFailures;
    if (preferredFailures > 0 && !callerCapped)
        o.maxFailures = preferredFailures;
    FillResult r = fillGrid(grille, index, o);
    r.seconds = secondsSince(start);
    const bool budgetSpent = r.status == FillStatus::TimedOut && !callerCapped &&
                             preferredFailures > 0 && r.failures >= preferredFailures;
    if (!budgetSpent)
        return r;

    // The known words did not fill the grid within their budget: the fill
    // without the preference takes over, over every word that is not hidden
    // (the rare forms, weighed by their scores, come last), which costs about
    // what the fill without scores costs, so the whole stays bounded; a floor
    // above the common vocabulary's own is the user's and stays.
    FillOptions fallback = options;
    fallback.minScore = everyWordFloor(options);
    if (options.timeLimitSeconds > 0)
        fallback.timeLimitSeconds = std::max(1e-3, options.timeLimitSeconds - r.seconds);
    // Its fill is then made better as the first one's would have been; the
    // band only counts the unknown words there, it weighs no choice.
    fallback.preferredScore = preferred;
    fallback.preferredBonus = 0;
    fallback.offBandFactor = 1;
    fallback.improveEffort = effort.perUnknownWord;
    fallback.improveMaxDistance = std::max(effort.maxDistance, kHandOverDistance);
    fallback.improvePartFailures = kHandOverPartFailures;
    fallback.improveWorkShare = kHandOverWorkShare;
    if (options.maxFailures > 0)
        fallback.maxFailures = std::max<std::uint64_t>(
            1, options.maxFailures - std::min(options.maxFailures, r.failures));
    FillResult last = fillGrid(grille, index, fallback);
    last.decisions += r.decisions;
    last.failures += r.failures;
    last.restarts += r.restarts + 1;
    last.seconds = secondsSince(start);
    return last;
}

FillResult fillForQuality(const Grille& grille, IndexClasses& classes, const FillOptions& options,
                          int preferred, ImproveEffort effort, QualityEffort quality) {
    const auto start = std::chrono::steady_clock::now();
    FillOptions o = options;
    FillResult r;
    if (quality.refills > 0 && classes.hasWordsBeyondWeak()) {
        // First a fill without weak words, within a failure budget: where
        // the layout allows one, no search afterwards would do as well.
        FillOptions strict = o;
        strict.allowed = [&classes](int length, std::uint32_t id) {
            return !classes.isForbidden(length, id) &&
                   classes.classOf(length, id) != WordClass::Weak;
        };
        if (options.maxFailures == 0 || options.maxFailures > kNoWeakFailures)
            strict.maxFailures = kNoWeakFailures;
        r = fillPreferringKnownWords(grille, classes.index(), strict, preferred, 0, effort);
        if (r.status == FillStatus::Stopped || r.status == FillStatus::NothingToFill)
            return r;
        if (options.timeLimitSeconds > 0)
            o.timeLimitSeconds = std::max(1e-3, options.timeLimitSeconds - secondsSince(start));
        if (options.maxFailures > 0)
            o.maxFailures = std::max<std::uint64_t>(
                1, options.maxFailures - std::min(options.maxFailures, r.failures));
    }
    if (r.status != FillStatus::Filled) {
        if (classes.hasForbidden())
            o.allowed = [&classes](int length, std::uint32_t id) {
                return !classes.isForbidden(length, id);
            };
        const FillResult strictRun = r;
        r = fillPreferringKnownWords(grille, classes.index(), o, preferred, kPreferredFailures,
                                     effort);
        r.decisions += strictRun.decisions;
        r.failures += strictRun.failures;
    }
    if (r.status != FillStatus::Filled || quality.refills <= 0)
        return r;
    QualityOptions q;
    q.seed = options.seed;
    q.minScore = options.minScore;
    q.scoreWeight = options.scoreWeight;
    q.effort = quality;
    q.stop = options.stop;
    q.accept = options.accept;
    if (options.timeLimitSeconds > 0)
        q.timeLimitSeconds = std::max(1e-3, options.timeLimitSeconds - secondsSince(start));
    QualitySearch search(classes, grille, q);
    r.grille = search.improve(r.grille);
    if (quality.boundedFailures > 0 && classes.hasWordsBeyondWeak()) {
        const std::optional<Grille> bounded =
            fewerWeakWords(grille, classes, options, r, quality, start);
        if (bounded) {
            // The new fill made better as the first one was, within what is left.
            if (options.timeLimitSeconds > 0)
                q.timeLimitSeconds = std::max(1e-3, options.timeLimitSeconds - secondsSince(start));
            QualitySearch again(classes, grille, q);
            const Grille better = again.improve(*bounded);
            if (classes.rank(better).betterThan(classes.rank(r.grille)))
                r.grille = better;
        }
    }
    r.seconds = secondsSince(start);
    return r;
}

} // namespace orv
