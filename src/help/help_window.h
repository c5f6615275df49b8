// The help window: the contents list, a search box over the pages, back and
// forward, and the page itself. It stays open beside the main window.
#pragma once

#include "help/help_search.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;
class QToolButton;
class QUrl;

namespace orv {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the page of a topic number (the contents for an unknown number).
    void showTopic(int topic);
    void showPage(const QString& file);
    // The file name of the page shown, or an empty text.
    QString currentPage() const;

    QTextBrowser* Texte = nullptr;
    QListWidget* Pages = nullptr;
    QLineEdit* Recherche = nullptr;
    QLabel* Trouvees = nullptr;
    QToolButton* Precedente = nullptr;
    QToolButton* Suivante = nullptr;
    QToolButton* Sommaire = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void loadPages();
    void listPages(const QStringList& files);
    void search(const QString& query);
    void openFirstFound();
    void sourceChanged(const QUrl& url);
    void selectCurrentInList();

    help::HelpIndex index_;
    QString current_;
};

} // namespace orv
