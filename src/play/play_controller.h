// The command that plays the editor's grid as a puzzle.
#pragma once

#include "common/controller.h"

namespace orv {

class TGrilleJeu;

class PlayController : public Controller {
    Q_OBJECT
public:
    PlayController(Document& document, Services& services, QMainWindow* window, MainView& view);

    TGrilleJeu* GrilleJeu = nullptr;

public Q_SLOTS:
    void Jouer1Click();
};

} // namespace orv
