// The grid value: clearing, naming cells, the rule of a typed key.
#include "grid/grid_model.h"

#include "common/codec.h"
#include "common/keys.h"
#include "publish/roman.h"

namespace orv {

QString rowLabel(int row, LabelStyle style) {
    return style == LabelStyle::French ? romanNumeral(row) : QString::number(row);
}

QString columnLabel(int col, LabelStyle style) {
    return style == LabelStyle::French ? QString::number(col) : QString(QChar(u'A' + col - 1));
}

QString cellName(Cell cell, LabelStyle style) {
    if (style == LabelStyle::French)
        return rowLabel(cell.row, style) + QLatin1Char('-') + columnLabel(cell.col, style);
    return columnLabel(cell.col, style) + rowLabel(cell.row, style);
}

Cell mirrorCell(Cell cell, int playingRows, int playingCols) {
    return {playingCols + 1 - cell.col, playingRows + 1 - cell.row};
}

Grille::Grille(int playingRows, int playingCols)
    : NbLignes(playingRows + 1), NbColonnes(playingCols + 1) {
    Raz();
}

void Grille::Raz() {
    for (int c = 1; c <= kMaxIndex; ++c)
        for (int r = 1; r <= kMaxIndex; ++r)
            cell(c, r) = ' ';
}

bool cellCodeForKey(char& key, char& code) {
    key = upperAscii(key);
    if (key == char(vk::Backspace))
        code = ' ';
    else if (key == ' ')
        code = '#';
    else if (isCapital(key))
        code = key;
    else
        return false;
    return true;
}

} // namespace orv
