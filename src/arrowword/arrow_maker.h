// Arrow-word grids made and filled by the crossword's own maker and fill.
//
// A layout whose words are all whole runs of letter cells is a crossword
// pattern with its definition cells as black squares: the slots of that
// pattern (the runs of two letters or more) are the layout's words. The
// maker thus draws crossword patterns that keep to one more rule, that
// clues can be given to them: each run of two letters or more takes its
// clue from the definition cell before it (→ or ↓) or, with a bent arrow,
// from the definition cell beside its first cell (above it for a word
// across, on its left for a word down), each definition cell holding one or
// two clues. The grid starts from the usual frame: the first row and the
// first column hold a definition cell every other cell, from the corner;
// the rest come one every few cells, where the maker puts its black
// squares, with few words of two letters and few cells in a single word.
#pragma once

#include "arrowword/arrow_grid.h"
#include "fill/grid_fill.h"
#include "fill/grid_maker.h"

#include <optional>

namespace orv {

// The largest sides that the maker and the fill take: those of the crossword grid.
constexpr int kMaxFilledArrowSide = kMaxIndex - 1;

// How far a made grid may go from words crossing words.
struct ArrowPatternLimits {
    int maxShortWords = 0;  // words of two letters
    int maxSingleCells = 0; // letter cells in one word only, the first row and column apart
};

// The limits for a grid of this size: about one word of two letters and one
// single cell per 30 cells.
ArrowPatternLimits arrowPatternLimits(int rows, int columns);

// The crossword pattern of a layout: its definition cells as black squares,
// its letters kept. OrvError when a side is beyond kMaxFilledArrowSide.
Grille arrowPattern(const ArrowGrid& grid);

// The layout of a pattern: its black squares become definition cells, each
// run of two letters or more gets a clue (empty text) with its arrow, its
// letters are kept. Nothing when some definition cell would have no clue or
// some run none (more than two for one cell, or none beside it), or when a
// letter cell would be in no word.
std::optional<ArrowGrid> arrowLayoutOf(const Grille& pattern);

// Whether a pattern can be given its clues and keeps to the limits.
bool arrowPatternFits(const Grille& pattern, const ArrowPatternLimits& limits);

// The frame every made grid starts from: the first row and column of
// definition cells, the rest empty letter cells.
Grille arrowFrame(int rows, int columns);

struct ArrowMakeResult {
    MakeResult made; // the status, reason, figures and the filled pattern
    ArrowGrid grid;  // the layout with its letters when made
};

// Makes a complete arrow-word grid of this size. `options` says how words are
// chosen (seed, score floor and weight, fill, classes, time, stop, progress);
// the pattern settings (black squares, their rule) are the maker's own.
ArrowMakeResult makeArrowGrid(int rows, int columns, const WordIndex& index, MakeOptions options);

// The layout given back with the letters of a filled pattern (its clues kept).
ArrowGrid withLetters(const ArrowGrid& layout, const Grille& filled);

// The pattern of a layout that can be filled: OrvError with the first fault
// of the layout check, or when the grid is too large.
Grille fillablePattern(const ArrowGrid& layout);

} // namespace orv
