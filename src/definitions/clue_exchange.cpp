// Clue exchange between the grid document and the clue sheet.
#include "definitions/clue_exchange.h"

#include <algorithm>

namespace orv {
namespace {

// The counts come from the dimensions; they never reach outside the arrays.
int slots(std::int32_t controlCount) { return std::clamp(int(controlCount) - 1, 0, kCellSide); }

void copyBack(std::array<QByteArray, kCellSide>& target, const QList<QByteArray>& source,
              int count) {
    const int n = std::min(count, int(source.size()));
    for (int i = 0; i < n; ++i)
        target[std::size_t(i)] = source.at(i);
}

} // namespace

int sheetRowCount(const Grille& grille) { return slots(grille.NbLignes); }
int sheetColumnCount(const Grille& grille) { return slots(grille.NbColonnes); }

SheetClues cluesForSheet(const Grille& grille) {
    SheetClues clues;
    for (int i = 0; i < sheetRowCount(grille); ++i)
        clues.horiz.append(grille.DefHoriz[std::size_t(i)]);
    for (int j = 0; j < sheetColumnCount(grille); ++j)
        clues.vert.append(grille.DefVert[std::size_t(j)]);
    return clues;
}

void cluesFromSheet(Grille& grille, const SheetClues& clues) {
    copyBack(grille.DefHoriz, clues.horiz, sheetRowCount(grille));
    copyBack(grille.DefVert, clues.vert, sheetColumnCount(grille));
}

GridChange cluesChange(const Grille& grille, const SheetClues& clues) {
    Grille after = grille;
    cluesFromSheet(after, clues);
    return gridDifference(grille, after,
                          QStringLiteral("la modification des définitions de la grille"));
}

QStringList rowLabels(int count, LabelStyle style) {
    QStringList labels;
    for (int i = 1; i <= count; ++i)
        labels.append(rowLabel(i, style));
    return labels;
}

QStringList columnLabels(int count, LabelStyle style) {
    QStringList labels;
    for (int j = 1; j <= count; ++j)
        labels.append(columnLabel(j, style));
    return labels;
}

} // namespace orv
