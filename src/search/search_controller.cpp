// The command that opens the word search on the document's dictionary.
#include "search/search_controller.h"

#include "document/document.h"
#include "search/letter_picker.h"
#include "search/word_search_window.h"

#include <QListView>

namespace orv {

SearchController::SearchController(Document& document, Services& services, QMainWindow* window,
                                   MainView& view)
    : Controller(document, services, window, view) {
    addCommand(this, "MotsMenu", "Recherchedemots1", QStringLiteral("&Recherche de mots"),
               QStringLiteral("Rechercher un mot"), &SearchController::Recherchedemots1Click);
}

TRMots& SearchController::searchWindow() {
    return ownWindow(RMots, [this] {
        auto* window = new TRMots(window_);
        connect(window->ListBox1, &QListView::doubleClicked, this,
                [this, window](const QModelIndex& i) {
                    Q_EMIT wordDoubleClicked(window, i.data().toString().toLatin1());
                });
        return window;
    });
}

TLettre& SearchController::letterPicker() {
    return ownWindow(Lettre, [this] { return new TLettre(window_); });
}

void SearchController::Recherchedemots1Click() {
    guard([this] {
        searchWindow().Init(doc_.dictionary().words());
        services_.modal.run(searchWindow());
    });
}

} // namespace orv
