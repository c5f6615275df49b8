// A change of the grid as data: the cells, dimensions and clues it writes,
// and, once applied, the values they replaced. Commands build one (or take the
// difference of a worked copy) and hand it to the document, which records it
// as one undo step.
#pragma once

#include "grid/grid_model.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace orv {

struct CellEdit {
    int col = 0;
    int row = 0;
    char before = ' ';
    char after = ' ';
};

struct ClueEdit {
    bool horizontal = true; // DefHoriz, else DefVert
    int index = 0;          // 0 .. 22
    QByteArray before;
    QByteArray after;
};

// Dimensions as the grid control counts them (NbLignes, NbColonnes: the
// header row and column included).
struct DimensionsEdit {
    int rowsBefore = 0;
    int colsBefore = 0;
    int rowsAfter = 0;
    int colsAfter = 0;
};

// One change of the grid: the values it writes, in order, and (once applied)
// the values they replaced, so that a step costs memory in proportion to what
// it changed. The description names it in the undo hints, e.g.
// "la saisie de la lettre A en C4".
struct GridChange {
    QString description;
    std::vector<CellEdit> cells;
    std::optional<DimensionsEdit> dimensions;
    std::vector<ClueEdit> clues;

    explicit GridChange(QString text = {}) : description(std::move(text)) {}
    // The new values; the document notes the old ones when it applies the change.
    GridChange& setCell(int col, int row, char code);
    GridChange& setDimensions(int nbLignes, int nbColonnes);
    GridChange& setClue(bool horizontal, int index, const QByteArray& text);
    bool isEmpty() const { return cells.empty() && !dimensions && clues.empty(); }
};

// Everything that differs from `before` to `after` (cells, dimensions, clues),
// as one change: work on a copy of the grid, then hand the difference over.
GridChange gridDifference(const Grille& before, const Grille& after, const QString& description);

// Writes the change's new values into `grille`, noting in each edit the value
// it replaced (in order, so that a change writing one cell twice still undoes
// to where it started).
void applyForward(Grille& grille, GridChange& change);
// Puts back the values the change replaced, last edit first.
void applyBackward(Grille& grille, const GridChange& change);
// Writes the change's new values again, as recorded.
void applyAgain(Grille& grille, const GridChange& change);

} // namespace orv
