// The command that opens the play window on the editor's grid.
#include "app/main_window.h"
#include "play/play_window.h"

#include <algorithm>

namespace orv {

void TMainForm::Jouer1Click() {
    guard([this] {
        // The window gets copies: playing never changes the editor's grid.
        const int lignes = std::min<int>(grille.NbLignes, kCellSide);
        const int colonnes = std::min<int>(grille.NbColonnes, kCellSide);
        GrilleJeu->Init(grille.NbLignes, grille.NbColonnes);
        for (int y = 1; y < lignes; ++y)
            for (int x = 1; x < colonnes; ++x)
                GrilleJeu->InitA(y, x, grille.cell(x, y));
        for (int i = 0; i < lignes - 1; ++i)
            GrilleJeu->InitDefHoriz(i, grille.DefHoriz[std::size_t(i)]);
        for (int j = 0; j < colonnes - 1; ++j)
            GrilleJeu->InitDefVert(j, grille.DefVert[std::size_t(j)]);
        services_.modal.run(*GrilleJeu);
    });
}

} // namespace orv
