// The command that opens the word search.
#include "app/main_window.h"
#include "search/word_search_window.h"

namespace orv {

void TMainForm::Recherchedemots1Click() {
    guard([this] {
        RMots->Init(ListeMots);
        services_.modal.run(*RMots);
    });
}

} // namespace orv
