// The grids that « Remplir la grille » refuses before any search, with the
// reason told at once: a run longer than every word of the dictionary, which
// no fill can take, and a grid without a black square, whose every word spans
// a whole row or column and which almost never has a fill.
#pragma once

#include "grid/grid_model.h"
#include "grid/grid_slots.h"

#include <QString>

namespace orv {

class WordIndex;

enum class FillRefusalKind { None, RunTooLong, NoBlackSquare };

struct FillRefusal {
    FillRefusalKind kind = FillRefusalKind::None;
    QString text; // the sentence that tells the user, "" for None
};

// The first reason to refuse the fill of `grille`, runs named in `style`:
// the first run with an empty cell that no word fits, when no word has its
// length; else a grid without black squares. A word of score 0 counts as no word.
FillRefusal fillRefusal(const Grille& grille, const GridSlots& slots, const WordIndex& index,
                        LabelStyle style = LabelStyle::Letters);

} // namespace orv
