// The publishing commands of the "&Fichier" menu: "&Imprimer..." (Ctrl+P)
// and "E&xporter...", run on the document's grid.
#pragma once

#include "common/controller.h"

namespace orv {

class PublishCommands;

class PublishController : public Controller {
    Q_OBJECT
public:
    PublishController(Document& document, Services& services, QMainWindow* window, MainView& view);
    PublishCommands& commands() { return *commands_; }

public Q_SLOTS:
    void printGridClick();
    void exportGridClick();

private:
    PublishCommands* commands_;
};

} // namespace orv
