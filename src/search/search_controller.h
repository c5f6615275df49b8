// The word search command.
#pragma once

#include "common/controller.h"

namespace orv {

class TRMots;
class TLettre;
class QuickSearchPanel;

class SearchController : public Controller {
    Q_OBJECT
public:
    SearchController(Document& document, Services& services, QMainWindow* window, MainView& view);

    // The windows, made on first use: the word search, and the letter
    // picker that it shares with the play window.
    TRMots& searchWindow();
    TLettre& letterPicker();
    // « Recherche rapide », docked in the main window on first use.
    QuickSearchPanel& quickSearchPanel();

public Q_SLOTS:
    void Recherchedemots1Click();
    void quickSearchClick();

Q_SIGNALS:
    // A word of the search's list (or the quick search's) was double-clicked.
    void wordDoubleClicked(QWidget* searchWindow, const QByteArray& word);

private:
    TRMots* RMots = nullptr;
    TLettre* Lettre = nullptr;
    QuickSearchPanel* quick_ = nullptr;
};

} // namespace orv
