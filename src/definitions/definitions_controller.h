// The definitions editor, the grid's clue sheet and the clue base.
#pragma once

#include "common/controller.h"
#include "grid/grid_model.h"
#include "grid/grid_slots.h"

namespace orv {

class TDefinitions;
class TDefgrille;
class ClueBaseWindow;
class StringGrid;

class DefinitionsController : public Controller {
    Q_OBJECT
public:
    DefinitionsController(Document& document, Services& services, QMainWindow* window,
                          MainView& view);

    // The windows, made on first use.
    TDefinitions& definitionsWindow();
    // Docked beside the grid; it follows the grid while it is shown.
    TDefgrille& clueSheet();
    ClueBaseWindow& clueBaseWindow();

public Q_SLOTS:
    void Dfinitiondesmots1Click();
    void Dfinitions1Click();
    void clueBaseClick();

private:
    // The word under the grid's cursor, in the sheet's direction first.
    struct CursorWord {
        int slot = -1;
        int wordCount = 0; // words of its line
    };
    CursorWord cursorWord(const GridSlots& slots) const;
    // The whole sheet from the document: labels, clues, words, count.
    void refreshSheet();
    // The sheet's lines and stored clues at the grid's cursor.
    void followGrid();
    void moveToLine(SlotDirection direction, int line);
    void writeLineClue(SlotDirection direction, int line, const QString& text);
    void placeStoredClue(int index);

    TDefinitions* Definitions = nullptr;
    TDefgrille* Defgrille = nullptr;
    ClueBaseWindow* clueBase_ = nullptr;
    StringGrid* grid_ = nullptr;
    // Set while a clue edited in the sheet goes into the grid: the sheet
    // already shows it.
    bool applying_ = false;
    LabelStyle sheetStyle_ = LabelStyle::Letters;
};

} // namespace orv
