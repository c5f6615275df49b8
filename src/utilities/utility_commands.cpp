// The commands that open the calendar, the calculator and the clock.
#include "app/main_window.h"

namespace orv {

void TMainForm::Calendrier1Click() {}
void TMainForm::Calculatrice1Click() {}
void TMainForm::Hotloge1Click() {}

} // namespace orv
