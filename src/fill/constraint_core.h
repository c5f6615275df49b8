// The constraint core shared by the fill, the grid maker, the fillability
// marks, the suggestions and the grid check: one variable per slot with an
// empty cell, whose domain is a set of word ids of the shared WordIndex; the
// letters still possible in each cell; the all-different rule on words, for
// the fill (a word stands in one slot at most, and never in a slot when a
// full slot of the grid already holds it); one trail of changes, undone back to a mark;
// and arc-consistent propagation between the slots' domains and the cells'
// letters (AC-3 over the crossings, with the index's letter bitsets for the
// large domains).
//
// A domain is a sparse set: the live ids are dom[0, size), and a removed id
// is swapped past the live part, so that undoing a removal only restores a
// size; `bits` marks the live ids too, so that a large domain is filtered a
// block of 64 words at a time.
//
// In the fill, a slot whose domain empties is a failure and propagation
// stops. With Settings::keepEmptied (the marks), an emptied slot is recorded
// and stops constraining its crossings instead, so that one impossible slot
// does not spread its emptiness through the whole grid.
#pragma once

#include "grid/grid_model.h"
#include "grid/grid_slots.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace orv {

class WordIndex;

constexpr std::uint32_t kAllLetters = (1u << 26) - 1;

// One slot with an empty cell: a variable of the core.
struct CoreVar {
    int slot = 0;
    int length = 0;
    std::vector<int> cells;    // cell number per position
    std::vector<int> crossVar; // crossing variable per position, or kNoVar
    std::vector<int> crossPos;
    // The domain: ids [0, size) of dom are live, and `bits` marks them too.
    std::vector<std::uint32_t> dom;
    std::uint32_t size = 0;
    // Live words scoring at least Settings::knownScore (0: not counted).
    std::uint32_t known = 0;
    std::vector<std::uint64_t> bits;
    // Under Settings::lazyIds, a large domain whose ids are not laid out in
    // dom: `bits` alone holds its live words (size counts them).
    bool stale = false;
    const char* text = nullptr;           // the index's letters for this length
    const std::uint8_t* scores = nullptr; // and its words' scores
    std::uint32_t dirty = 0; // positions whose cell mask narrowed since the last revision
    bool needSupport = true;
    bool queued = false;
    // Emptied under Settings::keepEmptied: no longer revised nor constraining.
    bool emptied = false;
    // The conflict weight that dom/wdeg reads: grows each time the domain
    // of this slot (a little for its crossings) runs out.
    double weight = 1;
    // A slot kept out of the search (large-neighbourhood search of a part of
    // the grid): it holds frozenWord, and only its letters count.
    bool frozen = false;
    std::uint32_t frozenWord = 0;
    std::uint32_t word() const { return frozen ? frozenWord : dom[0]; }
    const char* wordText(std::uint32_t id) const {
        return text + std::size_t(id) * std::size_t(length);
    }
};

// Told when a slot comes down to one word (the fill's nogoods watch it):
// false makes that a failure.
class CoreWatcher {
public:
    virtual bool held(int v, std::uint32_t word) = 0;

protected:
    ~CoreWatcher() = default;
};

class ConstraintCore {
public:
    static constexpr int kNoVar = -1;
    static constexpr int kFixedWord = -2; // a word standing in a full slot of the grid

    struct Settings {
        int minScore = 0;
        // When set, the only words a slot may take (asked once per candidate).
        std::function<bool(int length, std::uint32_t id)> allowed;
        // Counted in CoreVar::known when above 0.
        int knownScore = 0;
        // Whether a word may stand in one slot only (the fill's rule). Without
        // it (the marks) propagation is plain arc consistency over the
        // crossings.
        bool allDifferent = true;
        // An emptied slot stops constraining its crossings rather than failing.
        bool keepEmptied = false;
        // A large domain is kept as its bitset alone, its ids laid out in dom
        // only once it comes down small; the domains then cannot be undone
        // (the marks propagate once, from the grid, and never undo).
        bool lazyIds = false;
        // When set, the words' scores by length (ids as in the index) in
        // place of the index's own, for the known words and the search's
        // weighing; a length without its table reads the index's.
        const std::vector<std::vector<std::uint8_t>>* scores = nullptr;
    };

    // Sets the variables and their domains up; nothing is propagated yet
    // (every variable with words is queued: propagate() reaches the fixpoint).
    ConstraintCore(const Grille& grille, const GridSlots& slots, const WordIndex& index,
                   Settings settings);

    const WordIndex& index() const { return index_; }
    std::vector<CoreVar>& vars() { return vars_; }
    const std::vector<CoreVar>& vars() const { return vars_; }
    int varCount() const { return int(vars_.size()); }
    CoreVar& var(int v) { return vars_[std::size_t(v)]; }
    const CoreVar& var(int v) const { return vars_[std::size_t(v)]; }
    // The variable of a slot, or kNoVar for a slot without an empty cell.
    int varOfSlot(int slot) const { return varOfSlot_[std::size_t(slot)]; }
    // The first variable that no word fits from the start, or kNoVar.
    int blockedVar() const { return blocked_; }
    std::uint32_t mask(int cell) const { return masks_[std::size_t(cell)]; }
    SlotCell cellPlace(int cell) const { return cellPlace_[std::size_t(cell)]; }
    // The letters still possible in a cell of a variable (kAllLetters elsewhere).
    std::uint32_t cellMask(int col, int row) const;
    // Which variable holds a word: kNoVar, kFixedWord or a variable.
    int holder(int length, std::uint32_t id) const { return usedBy_[std::size_t(length)][id]; }
    // The live words' letters at a position of v.
    std::uint32_t letterSupport(int v, int position) const;
    // Revisions done so far: the measure of the work of a search.
    std::uint64_t revisions() const { return revisions_; }
    void addRevisions(std::uint64_t n) { revisions_ += n; }
    void countKnown(CoreVar& x) const;
    std::uint32_t knownAmong(const CoreVar& x, std::uint32_t from, std::uint32_t to) const;
    void setWatcher(CoreWatcher* watcher) { watcher_ = watcher; }

    // Propagation to the arc-consistent fixpoint of the queued changes; false
    // when a domain empties (never with keepEmptied).
    bool propagate();
    void enqueue(int v);

    // Changes, each recorded on the trail.
    std::size_t mark() const { return trail_.size(); }
    void undo(std::size_t mark);
    void setMask(int cell, std::uint32_t mask);
    // Narrows the cell at position p of x to `mask` and queues its crossing
    // there.
    void narrowCrossing(const CoreVar& x, int p, std::uint32_t mask);
    void shrinkTo(int v, std::uint32_t size);
    void removeAt(int v, std::uint32_t i);
    // Removes a word from v's domain (if live) and queues v.
    void removeWord(int v, std::uint32_t word);
    // v takes the word at place `at` of its domain; queued.
    void assign(int v, std::uint32_t at);
    // v holds `word` for the all-different rule: false when another slot does.
    bool hold(int v, std::uint32_t word);
    // Whether v's domain holds the word (live).
    bool isLive(const CoreVar& x, std::uint32_t id) const {
        return x.bits[id / 64] >> (id % 64) & 1;
    }
    // Drops the queue without revising it.
    void clearQueue();

private:
    void setUp(const Grille& grille);
    void propagateInOrder();
    bool revise(int v);
    bool filterWords(int v);
    bool supportCrossings(int v);
    void blame(int v);
    void empty(int v);
    bool markUsed(int v);
    bool hasLetter(const CoreVar& x, int position, int letter) const;
    bool filterBlocks(int v, const int* positions, const std::uint32_t* allowed, int n);
    void keepOnly(int v, std::vector<std::uint64_t>& keep);
    void layOut(CoreVar& x);

    struct TrailEntry {
        enum Kind : std::uint8_t { Size, Mask, Used, Emptied } kind;
        int who;
        std::uint32_t old;
    };

    const GridSlots& slots_;
    const WordIndex& index_;
    Settings settings_;
    std::vector<CoreVar> vars_;
    std::vector<int> varOfSlot_;
    int blocked_ = kNoVar;
    std::vector<std::uint32_t> masks_;
    std::vector<SlotCell> cellPlace_;
    std::vector<int> cellOf_; // cell number by column and row, or -1
    // Per length, per word id: kNoVar, kFixedWord or the variable holding it.
    std::vector<std::vector<int>> usedBy_;
    std::vector<TrailEntry> trail_;
    std::vector<int> queue_;
    std::uint64_t revisions_ = 0;
    CoreWatcher* watcher_ = nullptr;
    // Scratch space for the letter supports and the block filters.
    std::vector<std::uint32_t> support_;
    std::vector<std::uint64_t> scratchBits_;
};

} // namespace orv
