// Clearing and single-cell editing rules of the grid document.
#include "grid/grid_model.h"

#include "common/codec.h"
#include "common/keys.h"

namespace orv {

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

bool typeOnCell(Grille& grille, char& key, int col, int row) {
    char code;
    if (!cellCodeForKey(key, code))
        return false;
    grille.cell(col, row) = code;
    grille.Modifie = true;
    return true;
}

bool keyDownOnCell(Grille& grille, int virtualKey, int col, int row) {
    if (virtualKey != vk::Delete)
        return false;
    grille.cell(col, row) = ' ';
    grille.Modifie = true;
    return true;
}

} // namespace orv
