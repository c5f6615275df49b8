// The commands that open the calendar, the calculator and the clock.
#pragma once

#include "common/controller.h"

namespace orv {

class TCalendrier;
class THorloge;
class TPocket;

class UtilitiesController : public Controller {
    Q_OBJECT
public:
    UtilitiesController(Document& document, Services& services, QMainWindow* window,
                        MainView& view);

    // The windows, made on first use.
    TCalendrier& calendar();
    THorloge& clock();
    TPocket& calculator();

public Q_SLOTS:
    void Calendrier1Click();
    void Calculatrice1Click();
    void Hotloge1Click();

private:
    TCalendrier* Calendrier = nullptr;
    THorloge* Horloge = nullptr;
    TPocket* Pocket = nullptr;
};

} // namespace orv
