// The word search command.
#pragma once

#include "common/controller.h"

namespace orv {

class TRMots;
class TLettre;

class SearchController : public Controller {
    Q_OBJECT
public:
    SearchController(Document& document, Services& services, QMainWindow* window, MainView& view);

    TRMots* RMots = nullptr;
    TLettre* Lettre = nullptr; // the letter picker, shared with the play window

public Q_SLOTS:
    void Recherchedemots1Click();
};

} // namespace orv
