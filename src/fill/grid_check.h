// The grid check: what stands in the way of a finished grid. Full slots
// whose word the dictionary lacks, words placed twice, and slots with empty
// cells that no dictionary word fits, each found on a slot so that the user
// can be taken to it.
#pragma once

#include "grid/grid_model.h"
#include "grid/grid_slots.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace orv {

class WordIndex;

enum class FindingKind {
    NotInDictionary, // a full slot whose word is not in the dictionary
    UsedTwice,       // a word already placed in an earlier slot
    NoWordFits,      // a slot with empty cells that no word fits
};

struct GridFinding {
    FindingKind kind = FindingKind::NotInDictionary;
    int slot = -1;
    int firstSlot = -1; // UsedTwice: the earlier slot holding the same word
    QByteArray letters; // the word, or the pattern with "." for empty cells
    QString text;       // the line shown to the user
};

// How the findings name rows and columns: as the program's grid labels them
// ("Ligne 3", "Colonne C", a cell "C3"), or as a printed French grid does
// ("Ligne III", "Colonne 3", a cell "III-3").
enum class CheckLabels { Program, French };

// Findings in the slots' order (rows, then columns).
std::vector<GridFinding> checkGrid(const Grille& grille, const GridSlots& slots,
                                   const WordIndex& index,
                                   CheckLabels labels = CheckLabels::Program);

} // namespace orv
