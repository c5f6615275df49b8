// The look-ahead from suggested words: one bounded fill per word, on a worker
// thread that takes the newest request and drops the answers to older ones.
#include "fill/suggestion_lookahead.h"

#include "fill/fill_request.h"
#include "grid/grid_slots.h"

#include <QMetaObject>
#include <algorithm>
#include <memory>

namespace orv {

namespace {

WordOutlook outlookOf(FillStatus status) {
    switch (status) {
    case FillStatus::Filled:
    case FillStatus::NothingToFill: // the word completed the grid
        return WordOutlook::Leads;
    case FillStatus::NoFill:
        return WordOutlook::DeadEnd;
    case FillStatus::TimedOut:
    case FillStatus::Stopped:
        break;
    }
    return WordOutlook::Unknown;
}

} // namespace

FillRequest lookAheadRequest(int minScore, LookAheadBound bound, const std::atomic<bool>* stop) {
    FillRequest request;
    request.minScore = minScore;
    request.effort = FillEffort::None;
    request.maxFailures = bound.maxFailures;
    request.timeLimitSeconds = bound.seconds;
    request.stop = stop;
    return request;
}

WordOutlook lookAhead(const Grille& grille, const Slot& slot, const QByteArray& word,
                      const WordIndex& index, int minScore, LookAheadBound bound,
                      const std::atomic<bool>* stop) {
    if (!fitsPattern(word, slotPattern(grille, slot)))
        return WordOutlook::DeadEnd;
    return outlookOf(
        fill(withWord(grille, slot, word), index, lookAheadRequest(minScore, bound, stop)).status);
}

WordOutlook lookAhead(PreparedFill& prepared, int slot, const QByteArray& word,
                      LookAheadBound bound) {
    const GridSlots& slots = prepared.slots();
    if (slot < 0 || slot >= slots.count() ||
        !fitsPattern(word, slotPattern(prepared.grille(), slots[slot])))
        return WordOutlook::DeadEnd;
    return outlookOf(prepared.fill(slot, word, bound.seconds).status);
}

SuggestionLookAhead::SuggestionLookAhead(QObject* parent) : QObject(parent) {
    qRegisterMetaType<WordOutlook>();
    worker_ = std::thread([this] { work(); });
}

SuggestionLookAhead::~SuggestionLookAhead() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        stop_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

double lookAheadSeconds(const LookAheadBound& bound, std::size_t tried, double spent) {
    if (bound.averageSeconds <= 0)
        return bound.seconds;
    const double left = bound.averageSeconds * double(tried + 1) - spent;
    return std::clamp(left, bound.seconds / 10, bound.seconds);
}

void SuggestionLookAhead::start(const Grille& grille, std::vector<LookAheadItem> items,
                                const WordIndex& index, int minScore, LookAheadBound bound) {
    {
        std::lock_guard lock(mutex_);
        ++generation_;
        grille_ = grille;
        items_ = std::move(items);
        next_ = 0;
        index_ = &index;
        minScore_ = minScore;
        bound_ = bound;
        requestStart_ = std::chrono::steady_clock::now();
        // The try in flight belongs to the older request.
        stop_ = running_;
    }
    wake_.notify_all();
}

void SuggestionLookAhead::cancel() {
    std::lock_guard lock(mutex_);
    ++generation_;
    items_.clear();
    next_ = 0;
    stop_ = running_;
}

void SuggestionLookAhead::wait() {
    cancel();
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !running_; });
}

bool SuggestionLookAhead::busy() const {
    std::lock_guard lock(mutex_);
    return running_ || next_ < items_.size();
}

void SuggestionLookAhead::work() {
    // The state prepared for the request being worked, built at its first
    // item and dropped once it is done, so that the index is no longer read.
    std::unique_ptr<PreparedFill> prepared;
    quint64 preparedFor = 0;
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || next_ < items_.size(); });
        if (quit_)
            return;
        const LookAheadItem item = items_[next_++];
        const std::size_t tried = next_ - 1;
        const quint64 generation = generation_;
        const bool prepare = !prepared || preparedFor != generation;
        const Grille grille = prepare ? grille_ : Grille();
        const WordIndex& index = *index_;
        const int minScore = minScore_;
        LookAheadBound bound = bound_;
        const std::chrono::steady_clock::time_point requestStart = requestStart_;
        running_ = true;
        lock.unlock();

        if (prepare) {
            prepared.reset();
            prepared = std::make_unique<PreparedFill>(grille, index,
                                                      lookAheadRequest(minScore, bound, &stop_));
            preparedFor = generation;
        }
        // The time the preparation took counts in the request's budget.
        bound.seconds = lookAheadSeconds(
            bound, tried,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - requestStart).count());
        WordOutlook outlook = WordOutlook::Unknown;
        if (item.slot >= 0 && item.slot < prepared->slots().count())
            outlook = lookAhead(*prepared, item.slot, item.word, bound);

        lock.lock();
        if (next_ >= items_.size())
            prepared.reset();
        running_ = false;
        stop_ = false; // a stop raised meanwhile was meant for this try only
        idle_.notify_all();
        if (generation == generation_)
            QMetaObject::invokeMethod(
                this,
                [this, generation, item, outlook] {
                    if (generation == generation_)
                        Q_EMIT outlookFound(item.slot, item.word, outlook);
                },
                Qt::QueuedConnection);
        if (next_ >= items_.size())
            QMetaObject::invokeMethod(this, &SuggestionLookAhead::idle, Qt::QueuedConnection);
    }
}

} // namespace orv
