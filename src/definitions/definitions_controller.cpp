// The commands that open the definitions editor and the grid's clue sheet.
// The clue sheet's changes come back as one step of the grid's history.
#include "definitions/definitions_controller.h"

#include "definitions/clue_exchange.h"
#include "definitions/clue_sheet_window.h"
#include "definitions/definitions_sort.h"
#include "definitions/definitions_window.h"
#include "grid/document.h"

namespace orv {

DefinitionsController::DefinitionsController(Document& document, Services& services,
                                             QMainWindow* window, MainView& view)
    : Controller(document, services, window, view) {
    addCommand(this, "MotsMenu", "Dfinitiondesmots1", QStringLiteral("Dé&finition des mots"),
               QStringLiteral("Définition des mots"),
               &DefinitionsController::Dfinitiondesmots1Click);
    addCommand(this, "GrilleMenu", "Dfinitions1", QStringLiteral("Dé&finitions de grille"),
               QStringLiteral("Définitions des mots"), &DefinitionsController::Dfinitions1Click);
}

void DefinitionsController::Dfinitiondesmots1Click() {
    guard([this] {
        Definitions->Init(doc_.ListeDefs);
        services_.modal.run(*Definitions);
        bool changed = false;
        Definitions->Result(doc_.ListeDefs, changed);
        // Only typing reorders the list: clicks and deletions hand it back as it was.
        if (changed) {
            sortDefinitions(doc_.ListeDefs);
            doc_.noteDefinitionsChanged();
        }
    });
}

void DefinitionsController::Dfinitions1Click() {
    guard([this] {
        const Grille& grille = doc_.grille();
        Defgrille->Init(sheetRowCount(grille), sheetColumnCount(grille));
        Defgrille->setClues(cluesForSheet(grille));
        services_.modal.run(*Defgrille);
        // Only what the sheet actually changed counts: a change makes one step
        // and marks the grid modified, whether it was typed or deleted.
        doc_.applyGridChange(cluesChange(grille, Defgrille->clues()));
    });
}

} // namespace orv
