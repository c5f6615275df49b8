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

// Failures allowed to a fill while some slots still demand known words: a
// grid that fills with them mostly does so within a few restarts.
constexpr std::uint64_t kStrictFailures = 300;
// The share of the still demanding slots that fall back after a failed try.
constexpr std::size_t kFallbackDivisor = 4;

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
    const GridSlots slots(grille);
    const int slotCount = slots.count();
    std::vector<int> floors(std::size_t(slotCount), preferred);
    for (int s = 0; s < slotCount; ++s)
        if (index.count(slotPattern(grille, slots[s]), preferred) < fewKnownWords)
            floors[std::size_t(s)] = options.minScore;

    std::uint64_t decisions = 0, failures = 0;
    int restarts = 0;
    for (int round = 0;; ++round) {
        FillOptions o = options;
        const bool strict =
            std::any_of(floors.begin(), floors.end(), [&](int f) { return f > options.minScore; });
        if (strict) {
            o.minScoreOfSlot = floors;
            o.maxFailures = kStrictFailures;
        }
        o.seed = options.seed + std::uint64_t(round);
        const double spent = secondsSince(start);
        if (options.timeLimitSeconds > 0)
            o.timeLimitSeconds = std::max(0.001, options.timeLimitSeconds - spent);
        FillResult r = fillGrid(grille, index, o);
        decisions += r.decisions;
        failures += r.failures;
        restarts += r.restarts;
        const bool outOfTime =
            options.timeLimitSeconds > 0 && secondsSince(start) >= options.timeLimitSeconds;
        const bool gaveUp = strict && r.status == FillStatus::TimedOut && !outOfTime;
        if (!strict || (r.status != FillStatus::NoFill && !gaveUp)) {
            r.decisions = decisions;
            r.failures = failures;
            r.restarts = restarts;
            r.seconds = secondsSince(start);
            return r;
        }
        // The slots that still demand known words, the hardest first.
        std::vector<int> demanding;
        for (int s = 0; s < slotCount; ++s)
            if (floors[std::size_t(s)] > options.minScore)
                demanding.push_back(s);
        const auto weight = [&](int s) {
            return s < int(r.slotWeights.size()) ? r.slotWeights[std::size_t(s)] : 0.0;
        };
        std::stable_sort(demanding.begin(), demanding.end(),
                         [&](int a, int b) { return weight(a) > weight(b); });
        if (r.blockedSlot >= 0 && floors[std::size_t(r.blockedSlot)] > options.minScore) {
            std::erase(demanding, r.blockedSlot);
            demanding.insert(demanding.begin(), r.blockedSlot);
        }
        const std::size_t fallBack =
            std::max<std::size_t>(1, (demanding.size() + kFallbackDivisor - 1) / kFallbackDivisor);
        for (std::size_t i = 0; i < fallBack && i < demanding.size(); ++i)
            floors[std::size_t(demanding[i])] = options.minScore;
    }
}

} // namespace orv
