// Looking ahead from a suggested word: the word is placed in its slot and a
// bounded search tries to fill the rest of the grid. A fill found proves that
// the word leads to a full grid; a search that exhausts every choice proves
// that it leads nowhere; a search that runs out of its bound proves nothing.
// The bound keeps each try to a few milliseconds, so that the first words of
// both suggestion lists are marked within a fraction of a second.
//
// SuggestionLookAhead runs those tries on one worker thread, newest request
// first: a new request (after a key, a placed word, a move of the cursor)
// stops the try in flight and forgets the words not yet tried, and results of
// an older request never reach the receiver.
#pragma once

#include "grid/grid_model.h"

#include <QByteArray>
#include <QObject>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace orv {

class PreparedFill;
class WordIndex;
struct FillRequest;
struct Slot;

enum class WordOutlook : std::uint8_t {
    Pending, // not tried yet
    Leads,   // a full fill exists with the word in place
    Unknown, // the bounded search found neither a fill nor a proof
    DeadEnd, // no fill exists with the word in place
};

struct LookAheadBound {
    // Failures of the search before it gives up (0: no limit).
    std::uint64_t maxFailures = 300;
    // Seconds before it gives up (0: no limit).
    double seconds = 0.02;
    // For SuggestionLookAhead: the tries of one request share a budget of
    // this many seconds per word tried so far (0: none), so that a word whose
    // try ends early leaves its time to the next ones, and the first k words
    // take about k times this in all, however hard the grid.
    double averageSeconds = 0.01;
};

// Places `word` (which fits the slot's letters) in `slot` of a copy of
// `grille` and searches for a fill of every other empty cell with the words
// of `index` scoring at least minScore, each word at most once. Raising
// `stop` ends the try with Unknown.
WordOutlook lookAhead(const Grille& grille, const Slot& slot, const QByteArray& word,
                      const WordIndex& index, int minScore, LookAheadBound bound = {},
                      const std::atomic<bool>* stop = nullptr);

// The fill request of the tries (the seconds are each try's own).
FillRequest lookAheadRequest(int minScore, LookAheadBound bound = {},
                             const std::atomic<bool>* stop = nullptr);

// The same try from a fill prepared on the grid with lookAheadRequest(), the
// slot by its number: the tries of one request on one grid share the slots,
// the candidates and their propagation, and each costs its search alone.
WordOutlook lookAhead(PreparedFill& prepared, int slot, const QByteArray& word,
                      LookAheadBound bound = {});

// The time left to the try of a request's word after `tried` words took
// `spent` seconds (LookAheadBound::averageSeconds), never under a tenth of
// the word's own limit.
double lookAheadSeconds(const LookAheadBound& bound, std::size_t tried, double spent);

// One word of a suggestion list to try.
struct LookAheadItem {
    int slot = -1;
    QByteArray word;
};

class SuggestionLookAhead : public QObject {
    Q_OBJECT
public:
    explicit SuggestionLookAhead(QObject* parent = nullptr);
    ~SuggestionLookAhead() override;

    // Tries the items in order on the grid, replacing any earlier request.
    // The index must stay unchanged until the work ends or wait() returns.
    void start(const Grille& grille, std::vector<LookAheadItem> items, const WordIndex& index,
               int minScore, LookAheadBound bound = {});
    // Stops the work in flight and forgets the items not yet tried; returns at
    // once (results of that work are dropped).
    void cancel();
    // cancel(), then waits until the worker no longer reads the index.
    void wait();
    // Whether items remain to be tried or one is being tried.
    bool busy() const;
    // Bumped by each start and cancel: results carry the request they answer.
    quint64 generation() const { return generation_; }

Q_SIGNALS:
    // One item's outlook, on the receiver's thread, for the current request.
    void outlookFound(int slot, const QByteArray& word, orv::WordOutlook outlook);
    // The worker has nothing left to try (the current request is done, or
    // was cancelled and its try in flight has stopped).
    void idle();

private:
    void work();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    Grille grille_;
    std::vector<LookAheadItem> items_;
    std::size_t next_ = 0;
    const WordIndex* index_ = nullptr;
    int minScore_ = 0;
    LookAheadBound bound_;
    bool running_ = false; // the worker is trying an item
    bool quit_ = false;
    std::atomic<bool> stop_{false};
    quint64 generation_ = 0; // the request being worked (read under mutex_)
    std::chrono::steady_clock::time_point requestStart_;
    std::thread worker_;
};

} // namespace orv

Q_DECLARE_METATYPE(orv::WordOutlook)
