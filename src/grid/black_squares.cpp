// The rules of the automatic black-square placement.
#include "grid/black_squares.h"

namespace orv {
namespace {

constexpr char kBlack = '#';

// The row is drawn before the column.
void placeAtRandom(Grille& g, RandomSource& random) {
    const int row = random.Random(g.playingRows()) + 1;
    const int col = random.Random(g.playingCols()) + 1;
    g.cell(col, row) = kBlack;
}

// The adjacency repair reads the row and column just outside the playing
// area, which must still lie inside the cell array.
bool dimensionsFit(const Grille& g) {
    return g.NbLignes >= 2 && g.NbColonnes >= 2 && g.NbLignes <= kMaxIndex &&
           g.NbColonnes <= kMaxIndex;
}

} // namespace

bool ControleVoisines(Grille& g, RandomSource& random) {
    int lastCol = 0;
    int lastRow = 0;
    for (int r = 1; r <= g.playingRows(); ++r)
        for (int c = 1; c <= g.playingCols(); ++c)
            if (g.cell(c, r) == kBlack &&
                (g.cell(c + 1, r) == kBlack || g.cell(c, r + 1) == kBlack)) {
                lastCol = c;
                lastRow = r;
            }
    if (lastCol == 0)
        return true;
    g.cell(lastCol, lastRow) = ' ';
    placeAtRandom(g, random);
    return false;
}

bool ControleLignes(Grille& g, RandomSource& random) {
    bool result = true;
    for (int r = 1; r <= g.playingRows(); ++r) {
        int n = 0;
        for (int c = 1; c <= g.playingCols(); ++c)
            n += g.cell(c, r) == kBlack;
        if (n < 2) {
            g.cell(random.Random(g.playingCols()) + 1, r) = kBlack;
            result = false;
        }
        if (n == 1 && g.NbColonnes > 10) {
            g.cell(random.Random(g.playingCols()) + 1, r) = kBlack;
            result = false;
        }
    }
    return result;
}

bool ControleColonnes(Grille& g, RandomSource& random) {
    bool result = true;
    for (int c = 1; c <= g.playingCols(); ++c) {
        int n = 0;
        for (int r = 1; r <= g.playingRows(); ++r)
            n += g.cell(c, r) == kBlack;
        if (n < 2) {
            g.cell(c, random.Random(g.playingRows()) + 1) = kBlack;
            result = false;
        }
        if (n == 1 && g.NbLignes > 10) {
            g.cell(c, random.Random(g.playingRows()) + 1) = kBlack;
            result = false;
        }
    }
    return result;
}

int scatterCount(const Grille& g, RandomSource& random) {
    const int cells = g.playingRows() * g.playingCols();
    const int base = cells / 7;
    return base + random.Random(base / 3);
}

PlacementOutcome placeBlackSquares(Grille& g, RandomSource& random) {
    PlacementOutcome outcome;
    if (!dimensionsFit(g))
        return outcome;
    outcome.scattered = scatterCount(g, random);
    for (int i = 0; i < outcome.scattered; ++i)
        placeAtRandom(g, random);
    for (int pass = 1;; ++pass) {
        const bool repaired =
            ControleVoisines(g, random) && ControleLignes(g, random) && ControleColonnes(g, random);
        outcome.passes = pass;
        if (repaired)
            break;
        if (pass > kMaxRepairPasses) {
            outcome.limitReached = true;
            break;
        }
    }
    return outcome;
}

} // namespace orv
