// The fill's one entry point: what a caller wants of a fill (the words, the
// seed, the time, the threads, the words refused, which fills it takes, the
// stop flag, the progress), from which the one place below builds the
// search's options and picks the fill: plain, preferring known words, or
// with the words' classes first and the search for better words after it.
#pragma once

#include "fill/grid_fill.h"
#include "grid/grid_slots.h"

#include <QByteArray>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace orv {

class FillSearch;
class IndexClasses;
class WordIndex;

// How hard the search for better words works after a fill.
enum class FillEffort {
    None,     // the first fill as it comes
    Default,  // the program's fill
    Thorough, // « Chercher plus de mots courants »
};

struct FillRequest {
    // The words: none scoring under minScore; with preferredScore above it,
    // the words scoring at least that are taken first (the known words).
    int minScore = 0;
    int preferredScore = 0;
    // How much a word's score weighs in the choice of the next word.
    double scoreWeight = 0;
    // With the words' classes (and the words they refuse), the fill takes
    // no weak word first where it can, then searches for better words with
    // `effort`; without them, the fill only prefers the known words.
    IndexClasses* classes = nullptr;
    FillEffort effort = FillEffort::Default;
    std::uint64_t seed = 1;
    double timeLimitSeconds = 0; // 0: no limit
    int threads = 1;             // 0: one per core
    std::uint64_t maxFailures = 0;
    // As in FillOptions.
    std::function<bool(int length, std::uint32_t id)> allowed;
    std::function<bool(const Grille& filled)> accept;
    const std::atomic<bool>* stop = nullptr;
    std::function<void(const FillProgress&)> progress;
};

// The search's options for a request; the tuning of the known words'
// preference is added by the fill that prefers them.
FillOptions fillOptions(const FillRequest& request);

// Fills `grille` as the request asks. With request.classes, `index` must be
// their index.
FillResult fill(const Grille& grille, const WordIndex& index, const FillRequest& request);

// The fills of one grid, each with one word more written in (the look-ahead
// from suggested words), for one request: the slots, the candidates and their
// propagation are built once, and each fill places its word in that state
// and searches from there, as fill() of the grid with the word written in
// would, at the cost of the search alone. A request that fill() answers with
// more than one plain search (the words' classes, a band of known words,
// several threads), and a word that fill() would take otherwise than as a
// candidate of its slot (one the slot's candidates never held, or one that
// completes a crossing slot with a word that is not a candidate of it), are
// answered by fill() itself.
class PreparedFill {
public:
    PreparedFill(const Grille& grille, const WordIndex& index, const FillRequest& request);
    ~PreparedFill();
    PreparedFill(const PreparedFill&) = delete;
    PreparedFill& operator=(const PreparedFill&) = delete;

    const Grille& grille() const { return grille_; }
    const GridSlots& slots() const { return slots_; }
    // fill() of the grid with `word` (which fits the slot's letters) written
    // in slot `slot`, the request's time limit replaced by timeLimitSeconds.
    FillResult fill(int slot, const QByteArray& word, double timeLimitSeconds);

private:
    bool candidate(int length, const QByteArray& word, std::uint32_t& id) const;
    bool takesAsCandidate(int v, const QByteArray& word, std::uint32_t& id) const;

    const Grille grille_;
    const GridSlots slots_;
    const WordIndex& index_;
    FillRequest request_;
    FillOptions options_;
    std::unique_ptr<FillSearch> search_; // none when the request is not prepared
    bool noFill_ = false;                // the grid itself has no fill
    std::vector<int> emptyCells_;        // per slot variable
};

} // namespace orv
