// The grid check: what stands in the way of a finished grid. Full slots
// whose word the dictionary lacks, words placed twice, slots with empty
// cells that no dictionary word fits, alone or once the crossings of the
// whole grid are propagated, each found on a slot so that the user can be
// taken to it; then a bounded search of a fill, which either finds one,
// proves that none exists, or says that it could not tell in time.
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
    // A slot with empty cells whose fitting words the crossings of the whole
    // grid all rule out (arc consistency over every slot).
    NoWordAfterCrossings,
    NoFillPossible, // the bounded search proved that no fill exists
};

struct GridFinding {
    FindingKind kind = FindingKind::NotInDictionary;
    int slot = -1;
    int firstSlot = -1; // UsedTwice: the earlier slot holding the same word
    QByteArray letters; // the word, or the pattern with "." for empty cells
    QString text;       // the line shown to the user
};

// Findings in the slots' order (rows, then columns), their rows, columns and
// cells named in `style`. Words scoring under minScore do not count.
std::vector<GridFinding> checkGrid(const Grille& grille, const GridSlots& slots,
                                   const WordIndex& index, LabelStyle style = LabelStyle::Letters,
                                   int minScore = 0);

// What a bounded search of a fill says of a grid that checkGrid finds sound.
struct FillabilityCheck {
    enum class Verdict {
        Full,     // no empty cell
        Fillable, // a fill was found
        Unknown,  // neither found nor proved impossible within the bound
        Unfillable,
    };
    Verdict verdict = Verdict::Full;
    // Unfillable: the finding that says so, on the slots where the search
    // failed most.
    GridFinding finding;
    double seconds = 0; // the bound
};

// Searches a fill of `grille` (as the automatic fill does, with the same
// words) for at most `seconds`.
FillabilityCheck checkFillability(const Grille& grille, const GridSlots& slots,
                                  const WordIndex& index, LabelStyle style, int minScore,
                                  double seconds);

// The line above the findings: "2 points à revoir :", or, for a sound grid,
// what the bounded search found ("Rien à signaler dans la grille : elle peut
// être remplie.").
QString checkSummary(const std::vector<GridFinding>& findings, const FillabilityCheck& fill);

// The whole check: checkGrid, then, when it finds nothing, the bounded
// search, whose proof of no fill becomes a finding.
struct GridCheckReport {
    std::vector<GridFinding> findings;
    FillabilityCheck fill;
    QString summary;
};
GridCheckReport checkWholeGrid(const Grille& grille, const GridSlots& slots, const WordIndex& index,
                               LabelStyle style, int minScore = 0, double seconds = 1.0);

} // namespace orv
