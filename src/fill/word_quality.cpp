// The search for better words in a filled grid: parts refilled around its
// weak words, then its fair ones, then the words outside the frequency table.
#include "fill/word_quality.h"

#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"
#include "fill/fill_request.h"
#include "grid/grid_slots.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <unordered_set>

namespace orv {

bool WordRank::betterThan(const WordRank& o) const {
    if (weak != o.weak)
        return weak < o.weak;
    if (fair != o.fair)
        return fair < o.fair;
    if (frequent != o.frequent)
        return frequent > o.frequent;
    return score > o.score;
}

IndexClasses::IndexClasses(const WordIndex& index, const WordScores& scores)
    : index_(index), scores_(scores), cache_(std::size_t(WordIndex::kMaxLength) + 1) {}

// Every word of the index gets its class at once: the shipped table and each
// length's words are both in the order of their bytes, so one merge per
// length classes them all; the user's scores then win.
void IndexClasses::prepare() {
    prepared_ = true;
    const WordClasses& table = WordClasses::french();
    std::vector<std::uint32_t> next(cache_.size(), 0);
    for (int len = WordIndex::kMinLength; len <= WordIndex::kMaxLength; ++len)
        cache_[std::size_t(len)].assign(index_.idCount(len), std::uint8_t(WordClass::Weak));
    for (qsizetype i = 0; i < table.size(); ++i) {
        const QByteArrayView word = table.wordAt(i);
        const int len = int(word.size());
        if (len < WordIndex::kMinLength || len > WordIndex::kMaxLength)
            continue;
        std::uint32_t& id = next[std::size_t(len)];
        const std::uint32_t count = index_.idCount(len);
        while (id < count && QByteArrayView(index_.letters(len, id), len) < word)
            ++id;
        if (id < count && QByteArrayView(index_.letters(len, id), len) == word)
            cache_[std::size_t(len)][id] = std::uint8_t(
                rareGeneralWeak_ && table.isRareGeneralAt(i) ? WordClass::Weak : table.classAt(i));
    }
    const QHash<QByteArray, int>& own = scores_.user().all();
    for (auto it = own.begin(); it != own.end(); ++it) {
        const std::int64_t id = index_.find(it.key());
        if (id >= 0)
            cache_[std::size_t(it.key().size())][std::size_t(id)] =
                std::uint8_t(scores_.wordClass(it.key()));
    }
    for (const std::vector<std::uint8_t>& c : cache_) {
        total_ += c.size();
        notWeak_ += std::size_t(std::count_if(
            c.begin(), c.end(), [](std::uint8_t k) { return k != std::uint8_t(WordClass::Weak); }));
    }
}

bool IndexClasses::hasWordsBeyondWeak() {
    if (!prepared_)
        prepare();
    return notWeak_ * 20 >= total_ && notWeak_ > 0;
}

WordClass IndexClasses::classOf(int length, std::uint32_t id) {
    if (!prepared_)
        prepare();
    return WordClass(cache_[std::size_t(length)][id]);
}

WordClass IndexClasses::classOf(QByteArrayView word) const {
    const WordClass c = scores_.wordClass(word);
    if (rareGeneralWeak_ && c == WordClass::Fair && !scores_.user().find(word) &&
        WordClasses::french().isRareGeneral(word))
        return WordClass::Weak;
    return c;
}

void IndexClasses::demandFrequentFairWords() {
    rareGeneralWeak_ = true;
    prepared_ = false;
    total_ = notWeak_ = 0;
}

void IndexClasses::forbid(const QByteArray& word) { forbidden_.insert(word); }

void IndexClasses::forbid(const QList<QByteArray>& words) {
    for (const QByteArray& w : words)
        forbid(w);
}

bool IndexClasses::isForbidden(int length, std::uint32_t id) const {
    return !forbidden_.isEmpty() &&
           forbidden_.contains(QByteArray(index_.letters(length, id), length));
}

WordRank IndexClasses::rank(const Grille& grille) const {
    WordRank r;
    const GridSlots slots(grille);
    for (const Slot& slot : slots.slots()) {
        const QByteArray word = slotPattern(grille, slot);
        if (word.contains('.'))
            continue;
        const WordClass c = classOf(word);
        r.weak += c == WordClass::Weak;
        r.score += scores_.score(word);
        if (slot.length() >= 3) {
            r.fair += c == WordClass::Fair;
            r.frequent += scores_.isFrequent(word);
        }
    }
    return r;
}

QualitySearch::QualitySearch(IndexClasses& classes, const Grille& given,
                             const QualityOptions& options)
    : classes_(classes), given_(given), options_(options),
      rng_(options.seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull),
      start_(std::chrono::steady_clock::now()) {}

// splitmix64: the search's own draws, the same on every machine.
std::uint64_t QualitySearch::nextSeed() { return mixSeed(rng_ += 0x9E3779B97F4A7C15ull); }

double QualitySearch::secondsLeft() const {
    if (options_.timeLimitSeconds <= 0)
        return 0;
    return options_.timeLimitSeconds -
           std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

bool QualitySearch::spent() const {
    if (refills_ >= options_.effort.refills)
        return true;
    if (options_.stop && options_.stop->load())
        return true;
    return options_.timeLimitSeconds > 0 && secondsLeft() <= 0;
}

FillResult QualitySearch::refillPart(const Grille& grille, const std::vector<Cell>& cells,
                                     int radius, Aim aim, QByteArrayView target) {
    Grille part = grille;
    bool cleared = false;
    for (int col = 1; col <= part.playingCols(); ++col)
        for (int row = 1; row <= part.playingRows(); ++row) {
            if (!isLetterCell(part.cell(col, row)) || isLetterCell(given_.cell(col, row)))
                continue;
            const bool near = std::any_of(cells.begin(), cells.end(), [&](const Cell& c) {
                return std::abs(c.col - col) <= radius && std::abs(c.row - row) <= radius;
            });
            if (near) {
                part.cell(col, row) = ' ';
                cleared = true;
            }
        }
    ++refills_;
    if (!cleared) {
        FillResult none;
        none.status = FillStatus::NothingToFill;
        none.grille = grille;
        return none;
    }
    FillRequest o;
    o.seed = nextSeed();
    o.minScore = options_.minScore;
    o.scoreWeight = options_.scoreWeight;
    const bool wide = radius > options_.effort.maxRadius && options_.effort.wideFailures > 0;
    o.maxFailures = wide ? options_.effort.wideFailures : options_.effort.partFailures;
    if (options_.timeLimitSeconds > 0)
        o.timeLimitSeconds = std::max(1e-3, secondsLeft());
    o.stop = options_.stop;
    o.accept = options_.accept;
    const WordIndex& index = classes_.index();
    // The grid's other words may stay where they are, or move within the
    // part, whatever their class: each is placed once at most, so the
    // refill never holds more words of a class than the grid did, and the
    // target's class loses one.
    std::unordered_set<std::uint64_t> present;
    const GridSlots slots(grille);
    for (const Slot& slot : slots.slots()) {
        const QByteArray word = slotPattern(grille, slot);
        if (word.contains('.') || word == target)
            continue;
        const std::int64_t id = index.find(word);
        if (id >= 0)
            present.insert(std::uint64_t(slot.length()) << 32 | std::uint64_t(id));
    }
    o.allowed = [this, aim, &index, &present](int length, std::uint32_t id) {
        if (classes_.isForbidden(length, id))
            return false;
        if (present.contains(std::uint64_t(length) << 32 | id))
            return true;
        switch (aim) {
        case Aim::Any:
            return true;
        case Aim::NoWeak:
            return classes_.classOf(length, id) != WordClass::Weak;
        case Aim::NoFair:
            return length < 3 || classes_.classOf(length, id) == WordClass::Known;
        case Aim::Frequent:
            return length < 3 || (classes_.classOf(length, id) == WordClass::Known &&
                                  index.score(length, id) >= kFrequentScore);
        }
        return true;
    };
    return fill(part, index, o);
}

bool QualitySearch::refillAround(Grille& grille, WordRank& rank, const std::vector<Cell>& cells,
                                 int radius, Aim aim, QByteArrayView target) {
    FillResult r = refillPart(grille, cells, radius, aim, target);
    if (r.status != FillStatus::Filled)
        return false;
    // A full slot that the fill kept as it was may not be a word (after a
    // black square moved): such a grid is no grid.
    const GridSlots slots(r.grille);
    for (const Slot& slot : slots.slots()) {
        const std::int64_t id = classes_.index().find(slotPattern(r.grille, slot));
        if (id < 0 || !classes_.index().isLive(slot.length(), std::uint32_t(id)))
            return false;
    }
    const WordRank next = classes_.rank(r.grille);
    if (!next.betterThan(rank))
        return false;
    grille = r.grille;
    rank = next;
    return true;
}

namespace {

// The words a stage of the search works on, each as its cells, in the slots'
// order: the weak words, the fair words of 3 letters or more, or the words of
// 3 letters or more outside the frequency table.
std::vector<std::pair<QByteArray, std::vector<Cell>>>
targetsOf(const Grille& grille, IndexClasses& classes, QualitySearch::Aim aim) {
    std::vector<std::pair<QByteArray, std::vector<Cell>>> out;
    const GridSlots slots(grille);
    for (const Slot& slot : slots.slots()) {
        const QByteArray word = slotPattern(grille, slot);
        if (word.contains('.'))
            continue;
        const WordClass c = classes.classOf(word);
        bool target = false;
        switch (aim) {
        case QualitySearch::Aim::NoWeak:
            target = c == WordClass::Weak;
            break;
        case QualitySearch::Aim::NoFair:
            target = slot.length() >= 3 && c == WordClass::Fair;
            break;
        case QualitySearch::Aim::Frequent:
            target = slot.length() >= 3 && !classes.scores().isFrequent(word);
            break;
        case QualitySearch::Aim::Any:
            break;
        }
        if (!target)
            continue;
        std::vector<Cell> cells;
        for (const SlotCell& sc : slot.cells)
            cells.push_back({sc.col, sc.row});
        out.emplace_back(word, std::move(cells));
    }
    return out;
}

} // namespace

Grille QualitySearch::improve(const Grille& filled, const std::vector<Aim>& aims) {
    Grille best = filled;
    WordRank rank = classes_.rank(best);
    for (const Aim aim : aims) {
        // The words that no part around them could better: left for this stage.
        QSet<QByteArray> stuck;
        while (!spent()) {
            auto targets = targetsOf(best, classes_, aim);
            std::erase_if(targets, [&](const auto& t) { return stuck.contains(t.first); });
            if (targets.empty())
                break;
            const auto& [word, cells] = targets[std::size_t(nextSeed() % targets.size())];
            bool bettered = false;
            const int widest = aim == Aim::NoWeak
                                   ? std::max(options_.effort.maxRadius, options_.effort.wideRadius)
                                   : options_.effort.maxRadius;
            for (int radius = 0; radius <= widest && !spent(); ++radius)
                if (refillAround(best, rank, cells, radius, aim, word)) {
                    bettered = true;
                    break;
                }
            if (!bettered)
                stuck.insert(word);
        }
    }
    return best;
}

FillResult refuseWord(const Grille& grille, int slot, IndexClasses& classes,
                      const QualityOptions& options) {
    const GridSlots slots(grille);
    FillResult result;
    result.grille = grille;
    result.status = FillStatus::NoFill;
    if (slot < 0 || slot >= slots.count())
        return result;
    const QByteArray word = slotPattern(grille, slots[slot]);
    if (!word.contains('.'))
        classes.forbid(word);
    std::vector<Cell> cells;
    for (const SlotCell& sc : slots[slot].cells)
        cells.push_back({sc.col, sc.row});
    // Every cell may be refilled, the nearest first; better-known words first.
    Grille given = grille;
    for (int col = 1; col <= given.playingCols(); ++col)
        for (int row = 1; row <= given.playingRows(); ++row)
            if (isLetterCell(given.cell(col, row)))
                given.cell(col, row) = ' ';
    QualityOptions o = options;
    o.effort.refills = std::numeric_limits<int>::max();
    QualitySearch search(classes, given, o);
    for (int radius = 0; radius <= options.effort.maxRadius; ++radius) {
        // A refill without a weak word first, where the old grid had none
        // more; else any word.
        for (const auto aim : {QualitySearch::Aim::NoWeak, QualitySearch::Aim::Any}) {
            FillResult r = search.refillPart(grille, cells, radius, aim, word);
            if (r.status == FillStatus::Stopped)
                return r;
            if (r.status == FillStatus::Filled)
                return r;
        }
    }
    return result;
}

} // namespace orv
