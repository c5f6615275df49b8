// The definitions file at start-up and exit, and the commands that open the
// definitions editor and the grid's clue sheet.
#include "app/main_window.h"

#include "common/text_file.h"
#include "definitions/clue_exchange.h"
#include "definitions/clue_sheet_window.h"
#include "definitions/definitions_sort.h"
#include "definitions/definitions_window.h"

namespace orv {
void TMainForm::ChargeDefinitions() {
    ListeDefs.clear();
    const QByteArray data = FichierDefs.read();
    ListeDefs = splitTextLines(data);
    FichierDefs.noteDropped(linesAfterNul(data));
}

void TMainForm::EcritDefinitions() {
    const QString side = FichierDefs.write(joinTextLines(ListeDefs), services_.clock.now(),
                                           DefsModifiees && !ListeDefs.isEmpty());
    DefsModifiees = false;
    if (!side.isEmpty())
        services_.messages.information(this, definitionsKeptBesideMessage(FichierDefs, side));
}

void TMainForm::Dfinitiondesmots1Click() {
    guard([this] {
        Definitions->Init(ListeDefs);
        services_.modal.run(*Definitions);
        bool changed = false;
        Definitions->Result(ListeDefs, changed);
        // Only typing reorders the list: clicks and deletions hand it back as it was.
        if (changed) {
            sortDefinitions(ListeDefs);
            DefsModifiees = true;
        }
    });
}

void TMainForm::Dfinitions1Click() {
    guard([this] {
        Defgrille->Init(sheetRowCount(grille), sheetColumnCount(grille));
        Defgrille->setClues(cluesForSheet(grille));
        services_.modal.run(*Defgrille);
        cluesFromSheet(grille, Defgrille->clues(), Defgrille->GetMd());
    });
}

} // namespace orv
