// The grid value: clearing, naming cells, the rule of a typed key.
#include "grid/grid_model.h"

#include "common/codec.h"
#include "common/keys.h"

namespace orv {

QString cellName(Cell cell) {
    return QString(QChar(u'A' + cell.col - 1)) + QString::number(cell.row);
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
