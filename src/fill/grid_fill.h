// Automatic filling of a grid: every empty cell gets a letter so that every
// slot holds a word of the dictionary index, each word at most once. Letters
// already in the grid stay (a full slot whose word the dictionary lacks stays
// too and only constrains its crossings) and black squares never change.
//
// The search keeps arc consistency over the crossings after each choice,
// takes the slot with the fewest candidates for its weight next (a slot's
// weight grows each time it runs out of candidates, so the search learns
// where the grid is hard), tries first the word that leaves its crossings
// the most choice, and restarts on a schedule of failure limits, keeping
// across restarts what it learnt from its failures (nogoods). All randomness
// comes from the seed, so one seed on one thread gives one fill. It runs on
// any thread: it reads the grid copy and the index it is given, never the
// user interface, and watches a stop flag.
//
// With several threads it runs a portfolio: as many searches, each with its
// own seed and its own state (candidates, trail, nogoods, random numbers),
// some tuned differently; they share nothing but the grid and the index,
// which they only read, and two atomic flags (the caller's stop and the
// portfolio's end). The first that fills the grid or proves that no fill
// exists wins; the others stop at their next choice.
//
// Callers ask for a fill through fill_request.h (FillRequest and fill()),
// which builds these options in one place; the constraint core
// (constraint_core.h) holds the domains and their propagation, and
// fill_search.h the search on top of it.
#pragma once

#include "grid/grid_model.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace orv {

class WordIndex;

enum class FillStatus {
    Filled,        // every slot holds a word; the result's grid has them
    NoFill,        // proved: no fill exists
    TimedOut,      // no fill found within the time allowed
    Stopped,       // the stop flag was raised
    NothingToFill, // no slot has an empty cell
};

struct FillProgress {
    int placed = 0; // slots holding a single word at this moment
    int total = 0;  // slots that had an empty cell
    double seconds = 0;
    int threads = 1; // searches running side by side
};

enum class RestartSchedule {
    Geometric, // each run allowed 1.3 times the failures of the one before
    Luby,      // failure limits on the Luby sequence, times a unit
};

struct FillOptions {
    std::uint64_t seed = 1;
    double timeLimitSeconds = 0; // 0: no limit
    // Words scoring less are never placed.
    int minScore = 0;
    // The search gives up (TimedOut) after this many failures; 0: never.
    std::uint64_t maxFailures = 0;
    RestartSchedule restarts = RestartSchedule::Luby;
    // Failures allowed to the first run of the search (the unit of the Luby
    // schedule).
    std::uint64_t restartFailures = 64;
    // Whether a run that ends in a restart leaves nogoods to the next runs.
    bool learn = true;
    // Searches run side by side: 1 runs the search on the calling thread,
    // 0 one per core of the machine (see fillThreads).
    int threads = 1;
    // How much a word's score weighs against the choice it leaves its
    // crossings when the next word is picked: 0 ignores the scores; at 1, ten
    // points of score count as much as e times more crossing candidates.
    double scoreWeight = 0;
    // Words scoring at least `preferredScore` (0: no such band) are tried
    // first: each adds `preferredBonus` to its weighing, and a crossing's
    // candidates below the band count `offBandFactor` times as much in the
    // room a word leaves its crossings, so that a known word is chosen where
    // its crossings can still take known words.
    int preferredScore = 0;
    double preferredBonus = 0;
    double offBandFactor = 1;
    // With `preferredScore`, the next slot is the one with the fewest known
    // candidates for its weight rather than the fewest candidates, so that a
    // slot whose known words are few takes one before its crossings leave it
    // none (a slot of fewer than 3 letters, or left with no known word, counts
    // all its candidates).
    bool knownWordsFirst = false;
    // From restart `biasRestarts` on, each restart keeps `biasDecay` of the
    // preference for scores (1: all of it), so that a grid that the known
    // words make hard is filled as a fill without scores would fill it.
    int biasRestarts = 0;
    double biasDecay = 1;
    // With `preferredScore` and `knownWordsFirst`, the first run of the search
    // (up to its first restart) takes only fills in which at most this share
    // of the open slots of 3 letters or more hold words below that score, an
    // open slot left with no word of that score counting as one (0: no such
    // demand).
    // From the first restart on any fill will do, so that a grid that the
    // known words cannot fill that way costs one short run more; a run that
    // the demand exhausts proves nothing about the grid.
    double firstRunUnknownShare = 0;
    // With `preferredScore`, the search goes on after its first fill for fills
    // with fewer words of 3 letters or more below that score: the part of the
    // grid near each such word is searched again, the rest keeping its words.
    // `improveEffort` is the work allowed per such word of the first fill, in
    // revisions of a slot's candidates (0: no such search). The parts start
    // one cell around the word and widen, while none does better, up to
    // `improveMaxDistance` cells, and each part's search gives up after
    // `improvePartFailures` failures. With `improveWorkShare`, the work allowed
    // is at least that share of the revisions the fill itself took, so that a
    // grid that was long to fill is also searched longer for known words. The
    // best fill found is the result, even when the time, the failures or the
    // stop flag end that search.
    std::uint64_t improveEffort = 0;
    int improveMaxDistance = 2;
    std::uint64_t improvePartFailures = 8;
    double improveWorkShare = 0;
    // When set, the only words the fill may place: asked once for each
    // candidate of each slot to fill, with the word's length and its id in
    // the index (words already in full slots are not asked about).
    std::function<bool(int length, std::uint32_t id)> allowed;
    // When set, with `maxBounded` at 0 or more: a fill holds at most that
    // many words of 3 letters or more for which `bounded` is true (asked once
    // per word of each length to fill), in every run of the search, so that
    // NoFill proves that no fill has so few. Without `preferredScore` only.
    std::function<bool(int length, std::uint32_t id)> bounded;
    int maxBounded = -1;
    // When set, asked about each complete fill before it is taken: a fill it
    // refuses counts as a dead end and the search goes on, so that a caller
    // can ask for a fill other than those it has already seen (NoFill then
    // means that no other fill exists). Called from the searching thread.
    std::function<bool(const Grille& filled)> accept;
    const std::atomic<bool>* stop = nullptr;
    // Called from the searching thread, at most every few tens of milliseconds.
    std::function<void(const FillProgress&)> progress;
};

struct FillResult {
    FillStatus status = FillStatus::NothingToFill;
    // The filled grid when Filled, otherwise the grid given.
    Grille grille;
    // A slot that no word of the dictionary fits at all, with its letters
    // ("." where empty); blockedSlot is -1 when there is none.
    int blockedSlot = -1;
    QString blockedName;
    QByteArray blockedPattern;
    int slots = 0; // slots that had an empty cell
    std::uint64_t decisions = 0;
    std::uint64_t failures = 0;
    int restarts = 0;
    std::uint64_t nogoods = 0;      // kept when the search ended
    std::uint64_t nogoodsTaken = 0; // of those, taken from the other searches of a portfolio
    int threads = 1;                // searches that ran side by side
    double seconds = 0;
    // How hard each slot was to fill (grows each time its candidates ran
    // out), by slot number; 0 for the slots that had nothing to fill.
    std::vector<double> slotWeights;
};

// The searches that FillOptions::threads asks for: 0 gives the machine's
// cores (at least 1).
int fillThreads(int threads);

FillResult fillGrid(const Grille& grille, const WordIndex& index, const FillOptions& options = {});

} // namespace orv
