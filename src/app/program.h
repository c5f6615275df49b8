// Start-up helpers shared by the program and its tests.
#pragma once

class QCoreApplication;

namespace orv {

// Loads Qt's own French translations so that standard dialogs speak French.
void installFrenchTranslations(QCoreApplication& app);

} // namespace orv
