// Word scores in the fill: the index's scores, the quality figures of a
// filled grid, and the fill that demands known words where it can.
#include "fill/fill_scores.h"

#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"
#include "grid/grid_slots.h"

#include <algorithm>
#include <chrono>

namespace orv {

void applyScores(WordIndex& index, const WordScores& scores) {
    for (int length = WordIndex::kMinLength; length <= WordIndex::kMaxLength; ++length) {
        const std::uint32_t ids = index.idCount(length);
        for (std::uint32_t id = 0; id < ids; ++id) {
            const QByteArrayView word(index.letters(length, id), length);
            index.setScore(word, std::uint8_t(scores.score(word)));
        }
    }
}

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
        if (slot.length() >= 3) {
            ++q.longWords;
            q.frequentLong += scores.isFrequent(word);
        }
    }
    q.meanScore = q.words ? double(total) / q.words : 0;
    return q;
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

// Failures allowed to the first try, where the slots that many known words
// fit take nothing else: a grid that fills so mostly does it at once, and a
// longer try costs more than it wins on the grids that do not.
constexpr std::uint64_t kStrictFailures = 40;
// The preference for known words in the choice of a word: what a known word
// adds to its weighing (ten is about the room of e^10 more crossing words,
// so a known word that leaves its crossings any room comes first), how much
// an unknown crossing candidate counts in that room, and the share of the
// caller's score weight kept to rank the known words among themselves.
constexpr double kPreferredBonus = 10;
constexpr double kOffBandFactor = 0.1;
constexpr double kBandScoreWeightShare = 0.05;
// After a few restarts the preference fades, so that a grid that known
// words make hard still fills about as fast as without scores.
constexpr int kBiasRestarts = 3;
constexpr double kBiasDecay = 0.8;
// The failures of the first run of the whole vocabulary, and their growth
// from one run to the next.
constexpr double kFirstRunFailures = 2000;
constexpr double kRunGrowth = 1.5;

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

FillResult fillPreferringKnownWords(const Grille& grille, const WordIndex& index,
                                    const FillOptions& options, int preferred,
                                    std::size_t fewKnownWords) {
    if (preferred <= options.minScore)
        return fillGrid(grille, index, options);
    const auto start = std::chrono::steady_clock::now();
    FillOptions o = options;
    o.preferredScore = preferred;
    o.preferredBonus = kPreferredBonus;
    o.offBandFactor = kOffBandFactor;
    o.scoreWeight = options.scoreWeight * kBandScoreWeightShare;
    o.biasRestarts = kBiasRestarts;
    o.biasDecay = kBiasDecay;

    std::uint64_t decisions = 0, failures = 0;
    int restarts = 0;
    const auto finish = [&](FillResult r) {
        r.decisions += decisions;
        r.failures += failures;
        r.restarts += restarts;
        r.seconds = secondsSince(start);
        return r;
    };

    // First try: every slot that enough known words fit takes only them.
    const GridSlots slots(grille);
    std::vector<int> floors(std::size_t(slots.count()), 0);
    bool strict = false;
    for (int s = 0; s < slots.count(); ++s) {
        const QByteArray pattern = slotPattern(grille, slots[s]);
        if (pattern.contains('.') && index.count(pattern, preferred) >= fewKnownWords) {
            floors[std::size_t(s)] = preferred;
            strict = true;
        }
    }
    if (strict) {
        FillOptions first = o;
        first.minScoreOfSlot = floors;
        first.maxFailures = options.maxFailures > 0 ? std::min(options.maxFailures, kStrictFailures)
                                                    : kStrictFailures;
        FillResult r = fillGrid(grille, index, first);
        if (r.status == FillStatus::Filled || r.status == FillStatus::Stopped)
            return finish(r);
        decisions += r.decisions;
        failures += r.failures;
        restarts += r.restarts;
        const bool outOfTime =
            options.timeLimitSeconds > 0 && secondsSince(start) >= options.timeLimitSeconds;
        if (outOfTime || (options.maxFailures > 0 && failures >= options.maxFailures)) {
            r.status = FillStatus::TimedOut;
            return finish(r);
        }
    }
    // Then the whole vocabulary, known words first wherever they leave room,
    // in runs from a new seed with growing failure limits: on the grids
    // where the search at times goes astray for long, a fresh start ends it.
    double runFailures = kFirstRunFailures;
    for (int run = 0;; ++run) {
        FillOptions next = o;
        next.seed = options.seed + std::uint64_t(run);
        if (options.timeLimitSeconds > 0) {
            next.timeLimitSeconds = options.timeLimitSeconds - secondsSince(start);
            if (next.timeLimitSeconds <= 0)
                next.timeLimitSeconds = 1e-3;
        }
        const std::uint64_t callerLeft =
            options.maxFailures > 0 ? options.maxFailures - std::min(options.maxFailures, failures)
                                    : 0;
        next.maxFailures = std::uint64_t(runFailures);
        if (options.maxFailures > 0 && callerLeft <= next.maxFailures)
            next.maxFailures = std::max<std::uint64_t>(1, callerLeft);
        FillResult r = fillGrid(grille, index, next);
        const bool runOut = r.status == FillStatus::TimedOut && r.failures >= next.maxFailures;
        const bool outOfTime =
            options.timeLimitSeconds > 0 && secondsSince(start) >= options.timeLimitSeconds;
        if (!runOut || outOfTime || (options.maxFailures > 0 && next.maxFailures >= callerLeft)) {
            if (r.status != FillStatus::Filled)
                r.grille = grille;
            return finish(r);
        }
        decisions += r.decisions;
        failures += r.failures;
        restarts += r.restarts + 1;
        runFailures *= kRunGrowth;
    }
}

} // namespace orv
