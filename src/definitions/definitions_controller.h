// The definitions editor, the grid's clue sheet and the clue base.
#pragma once

#include "common/controller.h"

namespace orv {

class TDefinitions;
class TDefgrille;
class ClueBaseWindow;

class DefinitionsController : public Controller {
    Q_OBJECT
public:
    DefinitionsController(Document& document, Services& services, QMainWindow* window,
                          MainView& view);

    // The windows, made on first use.
    TDefinitions& definitionsWindow();
    TDefgrille& clueSheet();
    ClueBaseWindow& clueBaseWindow();

public Q_SLOTS:
    void Dfinitiondesmots1Click();
    void Dfinitions1Click();
    void clueBaseClick();

private:
    TDefinitions* Definitions = nullptr;
    TDefgrille* Defgrille = nullptr;
    ClueBaseWindow* clueBase_ = nullptr;
};

} // namespace orv
