// Grid changes: building them, and writing them forward, back and again.
#include "grid/grid_change.h"

namespace orv {
namespace {

bool inCellArray(int col, int row) {
    return col >= 0 && row >= 0 && col <= kMaxIndex && row <= kMaxIndex;
}

QByteArray& clueSlot(Grille& g, bool horizontal, int index) {
    return horizontal ? g.DefHoriz[std::size_t(index)] : g.DefVert[std::size_t(index)];
}

} // namespace

GridChange& GridChange::setCell(int col, int row, char code) {
    cells.push_back({col, row, ' ', code});
    return *this;
}

GridChange& GridChange::setDimensions(int nbLignes, int nbColonnes) {
    dimensions = DimensionsEdit{0, 0, nbLignes, nbColonnes};
    return *this;
}

GridChange& GridChange::setClue(bool horizontal, int index, const QByteArray& text) {
    clues.push_back({horizontal, index, {}, text});
    return *this;
}

GridChange gridDifference(const Grille& before, const Grille& after, const QString& description) {
    GridChange change(description);
    for (int c = 0; c <= kMaxIndex; ++c)
        for (int r = 0; r <= kMaxIndex; ++r)
            if (before.cell(c, r) != after.cell(c, r))
                change.setCell(c, r, after.cell(c, r));
    if (before.NbLignes != after.NbLignes || before.NbColonnes != after.NbColonnes)
        change.setDimensions(after.NbLignes, after.NbColonnes);
    for (int k = 0; k < kCellSide; ++k) {
        const auto i = std::size_t(k);
        if (before.DefHoriz[i] != after.DefHoriz[i])
            change.setClue(true, k, after.DefHoriz[i]);
        if (before.DefVert[i] != after.DefVert[i])
            change.setClue(false, k, after.DefVert[i]);
    }
    return change;
}

void applyForward(Grille& grille, GridChange& change) {
    // Edits that change nothing are dropped, so that an empty change records
    // no undo step.
    std::vector<CellEdit> cells;
    cells.reserve(change.cells.size());
    for (CellEdit e : change.cells) {
        if (!inCellArray(e.col, e.row))
            continue;
        e.before = grille.cell(e.col, e.row);
        if (e.before == e.after)
            continue;
        grille.cell(e.col, e.row) = e.after;
        cells.push_back(e);
    }
    change.cells = std::move(cells);
    if (change.dimensions) {
        DimensionsEdit& d = *change.dimensions;
        d.rowsBefore = grille.NbLignes;
        d.colsBefore = grille.NbColonnes;
        if (d.rowsBefore == d.rowsAfter && d.colsBefore == d.colsAfter) {
            change.dimensions.reset();
        } else {
            grille.NbLignes = d.rowsAfter;
            grille.NbColonnes = d.colsAfter;
        }
    }
    std::vector<ClueEdit> clues;
    for (ClueEdit& e : change.clues) {
        if (e.index < 0 || e.index >= kCellSide)
            continue;
        QByteArray& slot = clueSlot(grille, e.horizontal, e.index);
        if (slot == e.after)
            continue;
        e.before = slot;
        slot = e.after;
        clues.push_back(std::move(e));
    }
    change.clues = std::move(clues);
}

void applyBackward(Grille& grille, const GridChange& change) {
    for (auto e = change.clues.rbegin(); e != change.clues.rend(); ++e)
        clueSlot(grille, e->horizontal, e->index) = e->before;
    if (change.dimensions) {
        grille.NbLignes = change.dimensions->rowsBefore;
        grille.NbColonnes = change.dimensions->colsBefore;
    }
    for (auto e = change.cells.rbegin(); e != change.cells.rend(); ++e)
        grille.cell(e->col, e->row) = e->before;
}

void applyAgain(Grille& grille, const GridChange& change) {
    for (const CellEdit& e : change.cells)
        grille.cell(e.col, e.row) = e.after;
    if (change.dimensions) {
        grille.NbLignes = change.dimensions->rowsAfter;
        grille.NbColonnes = change.dimensions->colsAfter;
    }
    for (const ClueEdit& e : change.clues)
        clueSlot(grille, e.horizontal, e.index) = e.after;
}

} // namespace orv
