// Word scores in the fill: the index's per-word scores set from the word
// scores, and the figures that tell how well known a filled grid's words are.
#pragma once

#include "grid/grid_model.h"

namespace orv {

class WordIndex;
class WordScores;

// Gives every word of the index (dead ones too, so that a word deleted and
// added again keeps it) its score.
void applyScores(WordIndex& index, const WordScores& scores);

struct FillQuality {
    int words = 0;         // words of the grid (slots without an empty cell)
    double meanScore = 0;  // their mean score
    int longWords = 0;     // those of 3 letters or more
    int frequentLong = 0;  // those of them that the frequency table holds
    double frequentShare() const { return longWords ? double(frequentLong) / longWords : 0; }
};

FillQuality fillQuality(const Grille& grille, const WordScores& scores);

} // namespace orv
