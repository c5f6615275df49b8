// Grid documents: naming, saving, opening, new grid and dimensions.
#include "app/main_window.h"

namespace orv {

void TMainForm::SaveAs() {}
TMainForm::SaveOutcome TMainForm::Sauve() { return SaveOutcome::Cancelled; }
void TMainForm::Charge() {}
bool TMainForm::DemandeEnregistrer(const QString&) { return true; }
void TMainForm::NewItemClick() {}
void TMainForm::OpenItemClick() {}
void TMainForm::Enregistrer1Click() {}
void TMainForm::Enregistrersous1Click() {}
void TMainForm::Dimensions1Click() {}

} // namespace orv
