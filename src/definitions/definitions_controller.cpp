// The commands that open the definitions editor and the grid's clue sheet.
// The clue sheet's changes come back as one step of the grid's history.
#include "definitions/definitions_controller.h"

#include "common/errors.h"
#include "definitions/clue_base_window.h"
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
    addCommand(this, "MotsMenu", "clueBase", QStringLiteral("Base d'&indices"),
               QStringLiteral("Chercher parmi les définitions déjà écrites"),
               &DefinitionsController::clueBaseClick);
}

TDefinitions& DefinitionsController::definitionsWindow() {
    return ownWindow(Definitions, [this] { return new TDefinitions(services_.messages, window_); });
}

TDefgrille& DefinitionsController::clueSheet() {
    return ownWindow(Defgrille, [this] { return new TDefgrille(window_); });
}

ClueBaseWindow& DefinitionsController::clueBaseWindow() {
    return ownWindow(clueBase_, [this] { return new ClueBaseWindow(services_, window_); });
}

void DefinitionsController::clueBaseClick() {
    guard([this] {
        ClueBase* base = doc_.clueBase();
        if (!base)
            throw OrvError(QStringLiteral("La base d'indices n'est pas ouverte dans ce dossier"));
        ClueBaseWindow& window = clueBaseWindow();
        window.setBase(*base);
        services_.modal.run(window);
    });
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
