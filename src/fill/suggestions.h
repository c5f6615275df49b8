// Word suggestions for one slot of a grid: the dictionary words that fit its
// letters, best first. A word is better when it leaves its crossing slots
// more open (its openness is the product of the crossings' candidate counts
// once it is placed) and when it is better known (its score): the rank is
// the openness's logarithm plus a share of the score, so that ten points of
// score weigh as much as e times more crossing words. A word that would
// leave a crossing slot with no candidate at all is left out, since placing
// it could only lead to a dead end.
#pragma once

#include "grid/grid_model.h"
#include "grid/grid_slots.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace orv {

class GridMarks;
class WordIndex;

struct SlotSuggestions {
    int slot = -1; // -1: no slot (black square, or a cell in no word)
    int length = 0;
    QString title;      // "Ligne 3", "Colonne B"
    QByteArray pattern; // "C..Z."
    // The fitting words in rank order, as ids of the index's bucket of this
    // length (read them with WordIndex::letters and WordIndex::score), with
    // their openness and their rank (higher first).
    std::vector<std::uint32_t> ids;
    std::vector<double> openness;
    std::vector<double> rank;

    std::size_t count() const { return ids.size(); }
    // "Ligne 3 : C..Z."; empty without a slot.
    QString heading() const;
};

// How much a point of score adds to a word's rank, on the scale of the
// natural logarithm of its openness: ten points weigh as much as e times
// more crossing words.
constexpr double kSuggestionScoreWeight = 0.1;

// The rank of a word of this openness (above 0) and score (0 to 100): its
// openness times e^(kSuggestionScoreWeight x score), which orders words as
// ln(openness) + kSuggestionScoreWeight x score does, without a logarithm
// per word.
double suggestionRank(double openness, int score);

// The suggestions for slot `slot` of `slots` (built from `grille`). Words
// scoring under minScore are not offered and do not count for the crossings.
// With `marks` (propagated over the whole grid with the same minScore), a
// word is offered only if each of its letters in an empty cell is one the
// marks still allow there: never a word that the crossings rule out further
// away than its own crossings. A word already in another full slot of the
// grid is not offered either (a fill takes each word once).
SlotSuggestions suggestWords(const Grille& grille, const GridSlots& slots, int slot,
                             const WordIndex& index, int minScore = 0,
                             const GridMarks* marks = nullptr);

// "Ligne 3" or "Colonne B" ("Ligne III", "Colonne 2" in French usage): the
// slot's row or column as the grid labels it.
QString slotTitle(const Slot& slot, LabelStyle style = LabelStyle::Letters);

// "0 mot", "1 mot", "1 254 mots": a count with its thousands apart.
QString wordCountText(std::size_t n);

} // namespace orv
