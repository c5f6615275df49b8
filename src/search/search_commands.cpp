// The command that opens the word search.
#include "app/main_window.h"

namespace orv {

void TMainForm::Recherchedemots1Click() {}

} // namespace orv
