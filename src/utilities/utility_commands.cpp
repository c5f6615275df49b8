// The commands that open the calendar, the calculator and the clock.
#include "app/main_window.h"
#include "utilities/calculator_window.h"
#include "utilities/calendar_window.h"
#include "utilities/clock_window.h"

namespace orv {

void TMainForm::Calendrier1Click() {
    guard([&] { services_.modal.run(*Calendrier); });
}

void TMainForm::Calculatrice1Click() {
    guard([&] { services_.modal.run(*Pocket); });
}

void TMainForm::Hotloge1Click() {
    guard([&] { services_.modal.run(*Horloge); });
}

} // namespace orv
