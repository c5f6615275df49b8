// The commands that open the dictionary browser and the statistics.
#include "app/main_window.h"
#include "dictionary/dictionary_browser.h"
#include "dictionary/statistics_window.h"

namespace orv {

void TMainForm::Dictionnaire1Click() {
    guard([this] {
        Dico->Init(ListeMots);
        services_.modal.run(*Dico);
    });
}

void TMainForm::Statistiques1Click() {
    guard([this] {
        Stats->Init(ListeMots);
        services_.modal.run(*Stats);
    });
}

} // namespace orv
