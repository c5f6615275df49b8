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
    // Opens that exact file in the arrow-word window, as the command line
    // asks; a file that cannot be read gets the usual error box. True when
    // the grid was opened.
    bool openArrowFile(const QString& path);

public Q_SLOTS:
    void newArrowGridClick();
    void openArrowGridClick();

private:
    void showArrowFile(const QString& path);

    ArrowWordWindow* arrowWindow_ = nullptr;
    ArrowSizeDialog* sizeDialog_ = nullptr;
};

} // namespace orv
