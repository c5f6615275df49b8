// The exchange of clues between the grid document and the clue sheet: one
// clue per playing row and per playing column, labelled "1", "2", ... and
// "A", "B", ...; the slots beyond the grid's size are never touched, so the
// clues of a larger grid come back when it grows again.
#pragma once

#include "grid/grid_change.h"
#include "grid/grid_model.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace orv {

struct SheetClues {
    QList<QByteArray> horiz; // clue of playing row i + 1
    QList<QByteArray> vert;  // clue of playing column j + 1
};

// Number of clue slots that the sheet shows for the rows and the columns.
int sheetRowCount(const Grille& grille);
int sheetColumnCount(const Grille& grille);

// DefHoriz[0 .. NbLignes-2] and DefVert[0 .. NbColonnes-2].
SheetClues cluesForSheet(const Grille& grille);

// Writes the same ranges back, whatever was typed.
void cluesFromSheet(Grille& grille, const SheetClues& clues);

// The clues the sheet hands back, written over the same ranges, as one change
// of the grid's history (empty when the sheet changed nothing).
GridChange cluesChange(const Grille& grille, const SheetClues& clues);

// The labels of the sheet's fixed column: "1" .. "n" for the rows, "A", "B", ...
// for the columns (in French usage "I" .. for the rows, "1" .. for the columns).
QStringList rowLabels(int count, LabelStyle style = LabelStyle::Letters);
QStringList columnLabels(int count, LabelStyle style = LabelStyle::Letters);

} // namespace orv
