// Rules of a crossword game: opening, typing, and the two paid help commands.
#include "play/play_state.h"

#include "common/codec.h"
#include "common/keys.h"

namespace orv {

void EtatJeu::Init(int NbL, int NbC) {
    JeuLignes = NbL;
    JeuColonnes = NbC;
    Points = NbL * NbC;
    // Row 0 and column 0 are the headers and keep their NUL.
    for (int c = 1; c <= kMaxIndex; ++c)
        for (int r = 1; r <= kMaxIndex; ++r)
            joueur(c, r) = ' ';
}

void EtatJeu::InitA(int Row, int Col, char Ch) {
    if (inArray(Col, Row))
        solution(Col, Row) = Ch;
}

void EtatJeu::CacheLettres() {
    for (int r = 1; r < JeuLignes; ++r)
        for (int c = 1; c < JeuColonnes; ++c)
            if (isPlayingCell(c, r) && (solution(c, r) == '#' || solution(c, r) == ' '))
                joueur(c, r) = solution(c, r);
}

bool EtatJeu::Frappe(char& key, int col, int row) {
    key = upperAscii(key);
    if (!isPlayingCell(col, row))
        return false;
    if (key == char(vk::Backspace)) {
        joueur(col, row) = ' ';
        return true;
    }
    if (isCapital(key)) {
        joueur(col, row) = key;
        return true;
    }
    return false;
}

bool EtatJeu::ToucheBas(int virtualKey, int col, int row) {
    if (virtualKey != vk::Delete || !isPlayingCell(col, row))
        return false;
    joueur(col, row) = ' ';
    return true;
}

void EtatJeu::MontreLettre(int col, int row) {
    if (isPlayingCell(col, row))
        joueur(col, row) = solution(col, row);
    --Points;
}

int EtatJeu::PlaceLettre(char letter) {
    if (letter == '\0')
        return 0;
    int found = 0;
    for (int r = 1; r < JeuLignes; ++r)
        for (int c = 1; c < JeuColonnes; ++c)
            if (isPlayingCell(c, r) && solution(c, r) == letter) {
                joueur(c, r) = letter;
                ++found;
            }
    Points -= found;
    return found;
}

QString EtatJeu::TextePoints() const { return QString::number(Points) + QStringLiteral(" points"); }

} // namespace orv
