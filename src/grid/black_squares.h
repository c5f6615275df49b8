// Automatic placement of black squares: a random scatter over the playing
// area, then repair passes until no two black squares touch side by side or
// one above the other and every playing row and column holds at least two.
// The order in which numbers are drawn is part of the rule, so a given
// sequence of random numbers always gives the same grid.
#pragma once

#include "common/random_source.h"
#include "grid/grid_model.h"

namespace orv {

// Each repair returns true when it found nothing to repair and false when it
// changed the grid.

// Clears the last black square (in reading order) that has another one to its
// right or below it, the cells just outside the playing area included, then
// puts one black square at random.
bool ControleVoisines(Grille& grille, RandomSource& random);
// Gives every playing row with fewer than two black squares one more at
// random, and a row with exactly one a second one more on grids of 10 or
// more playing columns.
bool ControleLignes(Grille& grille, RandomSource& random);
// The same as ControleLignes for the playing columns.
bool ControleColonnes(Grille& grille, RandomSource& random);

// Beyond this many passes the repairs stop, whatever the grid looks like.
constexpr int kMaxRepairPasses = 5000;

struct PlacementOutcome {
    int scattered = 0;         // black squares of the first scatter
    int passes = 0;            // repair passes run
    bool limitReached = false; // stopped by the pass limit with repairs still pending
};

// The number of black squares of the first scatter: one per seven playing
// cells, plus a random extra below a third of that.
int scatterCount(const Grille& grille, RandomSource& random);

// The whole placement. Letters and black squares already there stay unless a
// placement hits them or the adjacency repair clears them; only playing
// cells are written. Modifie, the dimensions and the clues are not touched.
PlacementOutcome placeBlackSquares(Grille& grille, RandomSource& random);

} // namespace orv
