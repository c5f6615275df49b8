// The command that opens the play window on a copy of the editor's grid.
#include "play/play_controller.h"

#include "document/document.h"
#include "play/play_window.h"

#include <algorithm>

namespace orv {

PlayController::PlayController(Document& document, Services& services, QMainWindow* window,
                               MainView& view)
    : Controller(document, services, window, view) {
    addCommand(this, "JeuMenu", "Jouer1", QStringLiteral("&Jouer"),
               QStringLiteral("Joueur aux mots-croisés"), &PlayController::Jouer1Click);
}

void PlayController::setLinks(std::function<void()> browse, std::function<void()> search,
                              std::function<TLettre*()> letterPicker) {
    browse_ = std::move(browse);
    search_ = std::move(search);
    letterPicker_ = std::move(letterPicker);
}

TGrilleJeu& PlayController::playWindow() {
    return ownWindow(GrilleJeu, [this] {
        return new TGrilleJeu(
            services_,
            {[this] { browse_(); }, [this] { search_(); }, [this] { return letterPicker_(); }},
            window_);
    });
}

void PlayController::Jouer1Click() {
    guard([this] {
        // The window gets copies: playing never changes the editor's grid.
        const Grille& grille = doc_.grille();
        TGrilleJeu& GrilleJeu = playWindow();
        const int lignes = std::min<int>(grille.NbLignes, kCellSide);
        const int colonnes = std::min<int>(grille.NbColonnes, kCellSide);
        GrilleJeu.Init(grille.NbLignes, grille.NbColonnes);
        for (int y = 1; y < lignes; ++y)
            for (int x = 1; x < colonnes; ++x)
                GrilleJeu.InitA(y, x, grille.cell(x, y));
        for (int i = 0; i < lignes - 1; ++i)
            GrilleJeu.InitDefHoriz(i, grille.DefHoriz[std::size_t(i)]);
        for (int j = 0; j < colonnes - 1; ++j)
            GrilleJeu.InitDefVert(j, grille.DefVert[std::size_t(j)]);
        services_.modal.run(GrilleJeu);
    });
}

} // namespace orv
