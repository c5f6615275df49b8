// The command "Créer une grille complète..." of the Grille menu: the maker's
// dialog, then the maker on a worker thread behind the progress window; the
// grid it makes is one undoable change.
#pragma once

#include "common/controller.h"
#include "document/document.h"

namespace orv {

class GridMakerDialog;

class GridMakerController : public Controller {
    Q_OBJECT
public:
    GridMakerController(Document& document, Services& services, QMainWindow* window,
                        MainView& view);

    // The dialog, made on first use and kept between showings.
    GridMakerDialog& dialog();
    // Seconds after which the maker gives up.
    double timeLimitSeconds = 120;

public Q_SLOTS:
    void makeGridClick();

private:
    GridMakerDialog* Dialogue = nullptr;
    void make();
};

} // namespace orv
