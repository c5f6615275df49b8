// The command that opens the play window.
#include "app/main_window.h"

namespace orv {

void TMainForm::Jouer1Click() {}

} // namespace orv
