// The definitions file at start-up and exit, and the commands that open the
// definitions editor and the grid's clue sheet.
#include "app/main_window.h"

#include "common/text_file.h"

#include <QFileInfo>

namespace orv {
namespace {
const QString kDefinitionsFile = QStringLiteral("Dicodef.dat");
}

void TMainForm::ChargeDefinitions() {
    ListeDefs.clear();
    DefsIllisibles = false;
    try {
        ListeDefs = readTextLines(kDefinitionsFile, kDefinitionsFile);
    } catch (...) {
        DefsIllisibles = QFileInfo::exists(kDefinitionsFile);
        throw;
    }
}

void TMainForm::EcritDefinitions() {
    if (DefsIllisibles)
        return;
    writeTextLines(kDefinitionsFile, ListeDefs, kDefinitionsFile);
    DefsModifiees = false;
}

void TMainForm::Dfinitiondesmots1Click() {}
void TMainForm::Dfinitions1Click() {}

} // namespace orv
