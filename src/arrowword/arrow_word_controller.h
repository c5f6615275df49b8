// The arrow-word commands of the « Fichier » menu: a new grid of a chosen
// size, and opening a grid file, each shown in the arrow-word window.
#pragma once

#include "common/controller.h"

namespace orv {

class ArrowSizeDialog;
class ArrowWordWindow;

class ArrowWordController : public Controller {
    Q_OBJECT
public:
    ArrowWordController(Document& document, Services& services, QMainWindow* window,
                        MainView& view);

    ArrowWordWindow& arrowWindow();
    ArrowSizeDialog& sizeDialog();

public Q_SLOTS:
    void newArrowGridClick();
    void openArrowGridClick();

private:
    ArrowWordWindow* arrowWindow_ = nullptr;
    ArrowSizeDialog* sizeDialog_ = nullptr;
};

} // namespace orv
