// The commands that open the definitions editor and the grid's clue sheet.
// The clue sheet's changes come back as one step of the grid's history.
#include "definitions/definitions_controller.h"

#include "definitions/clue_exchange.h"
#include "definitions/clue_sheet_window.h"
#include "definitions/definitions_sort.h"
#include "definitions/definitions_window.h"
#include "document/document.h"

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

TDefinitions& DefinitionsController::definitionsWindow() {
    return ownWindow(Definitions, [this] { return new TDefinitions(services_.messages, window_); });
}

TDefgrille& DefinitionsController::clueSheet() {
    return ownWindow(Defgrille, [this] { return new TDefgrille(window_); });
}

void DefinitionsController::Dfinitiondesmots1Click() {
    guard([this] {
        TDefinitions& window = definitionsWindow();
        window.Init(doc_.definitions());
        services_.modal.run(window);
        QList<QByteArray> list = doc_.definitions();
        bool changed = false;
        window.Result(list, changed);
        // Only typing reorders the list: clicks and deletions hand it back as it was.
        if (changed)
            sortDefinitions(list);
        doc_.setDefinitions(std::move(list), changed);
    });
}

void DefinitionsController::Dfinitions1Click() {
    guard([this] {
        const Grille& grille = doc_.grille();
        TDefgrille& Defgrille = clueSheet();
        Defgrille.Init(sheetRowCount(grille), sheetColumnCount(grille), doc_.labelStyle());
        Defgrille.setClues(cluesForSheet(grille));
        services_.modal.run(Defgrille);
        // Only what the sheet actually changed counts: a change makes one step
        // and marks the grid modified, whether it was typed or deleted.
        doc_.applyGridChange(cluesChange(grille, Defgrille.clues()));
    });
}

} // namespace orv
