// The commands that open the calendar, the calculator and the clock.
#include "utilities/utilities_controller.h"

#include "utilities/calculator_window.h"
#include "utilities/calendar_window.h"
#include "utilities/clock_window.h"

namespace orv {

UtilitiesController::UtilitiesController(Document& document, Services& services,
                                         QMainWindow* window, MainView& view)
    : Controller(document, services, window, view) {
    addCommand(this, "UtilitairesMenu", "Calendrier1", QStringLiteral("&Calendrier"),
               QStringLiteral("Calendrier"), &UtilitiesController::Calendrier1Click);
    addCommand(this, "UtilitairesMenu", "Calculatrice1", QStringLiteral("C&alculatrice"),
               QStringLiteral("Calculatrice"), &UtilitiesController::Calculatrice1Click);
    addCommand(this, "UtilitairesMenu", "Hotloge1", QStringLiteral("&Horloge"),
               QStringLiteral("Horloge"), &UtilitiesController::Hotloge1Click);
}

TCalendrier& UtilitiesController::calendar() {
    return ownWindow(Calendrier, [this] { return new TCalendrier(services_, window_); });
}

THorloge& UtilitiesController::clock() {
    return ownWindow(Horloge, [this] { return new THorloge(services_, window_); });
}

TPocket& UtilitiesController::calculator() {
    return ownWindow(Pocket, [this] { return new TPocket(services_, window_); });
}

void UtilitiesController::Calendrier1Click() {
    guard([&] { services_.modal.run(calendar()); });
}

void UtilitiesController::Calculatrice1Click() {
    guard([&] { services_.modal.run(calculator()); });
}

void UtilitiesController::Hotloge1Click() {
    guard([&] { services_.modal.run(clock()); });
}

} // namespace orv
