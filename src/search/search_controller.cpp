// The commands that open the word search and the quick search on the
// document's dictionary.
#include "search/search_controller.h"

#include "document/document.h"
#include "search/letter_picker.h"
#include "search/quick_search_panel.h"
#include "search/word_search_window.h"

#include <QListView>
#include <QMainWindow>

namespace orv {

SearchController::SearchController(Document& document, Services& services, QMainWindow* window,
                                   MainView& view)
    : Controller(document, services, window, view) {
    addCommand(this, "MotsMenu", "Recherchedemots1", QStringLiteral("&Recherche de mots"),
               QStringLiteral("Rechercher un mot"), &SearchController::Recherchedemots1Click);
    addCommand(this, "MotsMenu", "quickSearch", QStringLiteral("Recherche ra&pide"),
               QStringLiteral("Chercher des mots par motif (C?A*) ou par anagramme"),
               &SearchController::quickSearchClick)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    // The words found follow the commands that change the words or their scores.
    for (const char* name : {"Ajoutermot1", "Supprimermot1", "Importerfichier1", "Dictionnaire1"})
        if (auto* action = window->findChild<QAction*>(QString::fromLatin1(name)))
            connect(action, &QAction::triggered, this, [this] {
                if (quick_ && quick_->isVisible())
                    quick_->search();
            });
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

QuickSearchPanel& SearchController::quickSearchPanel() {
    return ownWindow(quick_, [this] {
        auto* panel = new QuickSearchPanel(
            [this]() -> const WordIndex& { return doc_.dictionary().index(); }, window_);
        panel->hide();
        window_->addDockWidget(Qt::RightDockWidgetArea, panel);
        connect(panel, &QuickSearchPanel::wordChosen, this,
                [this, panel](const QByteArray& word) { Q_EMIT wordDoubleClicked(panel, word); });
        return panel;
    });
}

void SearchController::quickSearchClick() {
    guard([this] {
        QuickSearchPanel& panel = quickSearchPanel();
        panel.search(); // the words may have changed since it was last shown
        panel.showForTyping();
    });
}

void SearchController::Recherchedemots1Click() {
    guard([this] {
        searchWindow().Init(doc_.dictionary().words());
        services_.modal.run(searchWindow());
    });
}

} // namespace orv
