// The command that opens the word search on the document's dictionary.
#include "search/search_controller.h"

#include "grid/document.h"
#include "search/word_search_window.h"

namespace orv {

SearchController::SearchController(Document& document, Services& services, QMainWindow* window,
                                   MainView& view)
    : Controller(document, services, window, view) {
    addCommand(this, "MotsMenu", "Recherchedemots1", QStringLiteral("&Recherche de mots"),
               QStringLiteral("Rechercher un mot"), &SearchController::Recherchedemots1Click);
}

void SearchController::Recherchedemots1Click() {
    guard([this] {
        RMots->Init(doc_.ListeMots);
        services_.modal.run(*RMots);
    });
}

} // namespace orv
