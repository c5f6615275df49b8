// The definitions editor and the grid's clue sheet.
#pragma once

#include "common/controller.h"

namespace orv {

class TDefinitions;
class TDefgrille;

class DefinitionsController : public Controller {
    Q_OBJECT
public:
    DefinitionsController(Document& document, Services& services, QMainWindow* window,
                          MainView& view);

    // The windows, made on first use.
    TDefinitions& definitionsWindow();
    TDefgrille& clueSheet();

public Q_SLOTS:
    void Dfinitiondesmots1Click();
    void Dfinitions1Click();

private:
    TDefinitions* Definitions = nullptr;
    TDefgrille* Defgrille = nullptr;
};

} // namespace orv
