// The command "Créer une grille complète..." of the Grille menu: the maker's
// dialog, then the maker on a worker thread behind the progress window; the
// grid it makes is one undoable change.
#pragma once

#include "common/controller.h"
#include "grid/document.h"

namespace orv {

class GridMakerDialog;

class GridMakerController : public Controller {
    Q_OBJECT
public:
    GridMakerController(Document& document, Services& services, QMainWindow* window,
                        MainView& view);

    GridMakerDialog* Dialogue = nullptr; // created once, kept between showings
    // Seconds after which the maker gives up.
    double timeLimitSeconds = 120;

public Q_SLOTS:
    void Creergrillecomplete1Click();

private:
    void make();
};

} // namespace orv
