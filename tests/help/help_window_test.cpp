// The help window through the program's help service: every topic that F1 can
// ask for opens its own page, every page and every link exists, and the
// contents list, the search box and the history work as a reader uses them.
#include "help/help_pages.h"
#include "help/help_service.h"
#include "help/help_window.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <memory>

using namespace orv;

namespace {

QString readPage(const QString& file) {
    QFile f(help::resourceFolder() + QLatin1Char('/') + file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList listed(const QListWidget* list) {
    QStringList files;
    for (int i = 0; i < list->count(); ++i)
        files << list->item(i)->data(Qt::UserRole).toString();
    return files;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTopicOpensItsPage();
    void everyPageAndLinkExists();
    void contentsListAndLinksMoveThroughHistory();
    void searchBoxFiltersAndOpensFirstPage();
    void serviceReusesOneWindowOwnedByTheMainWindow();
};

void HelpWindowTest::everyTopicOpensItsPage() {
    HelpWindowService service;
    for (int topic : help::topics()) {
        service.showTopic(nullptr, topic);
        HelpWindow* w = service.window();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        const QString page = help::pageForTopic(topic);
        QCOMPARE(w->currentPage(), page);
        // The page really loaded: its title and its text are those of the file.
        QCOMPARE(w->Texte->documentTitle(), help::pageTitle(readPage(page)));
        QVERIFY(!w->Texte->documentTitle().isEmpty());
        QVERIFY(w->Texte->toPlainText().size() > 100);
        QVERIFY(w->windowTitle().endsWith(w->Texte->documentTitle()));
        QCOMPARE(w->Pages->currentItem()->text(), w->Texte->documentTitle());
    }
    service.showTopic(nullptr, help::MainWindowTopic);
    QVERIFY(service.window()->Texte->toPlainText().contains(QStringLiteral("Alt+X")));
}

void HelpWindowTest::everyPageAndLinkExists() {
    QStringList files;
    for (const help::Page& page : help::pages())
        files << page.file;
    // Every page shipped is in the contents, and no entry of the contents is missing.
    QStringList shipped = QDir(help::resourceFolder()).entryList(QDir::Files);
    shipped.sort();
    QStringList sorted = files;
    sorted.sort();
    QCOMPARE(shipped, sorted);

    // The contents page links every other page.
    const QString contents = readPage(help::pageForTopic(help::ContentsTopic));
    static const QRegularExpression href(QStringLiteral("href=\"([^\"#]*)"));
    for (const QString& file : files) {
        const QString html = readPage(file);
        QVERIFY2(!help::pageTitle(html).isEmpty(), qPrintable(file));
        if (file != help::pageForTopic(help::ContentsTopic))
            QVERIFY2(contents.contains(QStringLiteral("href=\"%1\"").arg(file)), qPrintable(file));
        for (const QRegularExpressionMatch& m : href.globalMatch(html)) {
            const QString target = m.captured(1);
            QVERIFY2(files.contains(target), qPrintable(file + QStringLiteral(" -> ") + target));
        }
    }
}

void HelpWindowTest::contentsListAndLinksMoveThroughHistory() {
    HelpWindow w;
    w.show();
    w.showTopic(help::ContentsTopic);
    QCOMPARE(w.Pages->count(), help::pages().size());
    QVERIFY(!w.Precedente->isEnabled());

    // A click in the contents list.
    const int row = listed(w.Pages).indexOf(QStringLiteral("recherche.html"));
    QVERIFY(row > 0);
    QListWidgetItem* item = w.Pages->item(row);
    QTest::mouseClick(w.Pages->viewport(), Qt::LeftButton, {},
                      w.Pages->visualItemRect(item).center());
    QCOMPARE(w.currentPage(), QStringLiteral("recherche.html"));
    QVERIFY(w.Texte->toPlainText().contains(QStringLiteral("Rechercher")));

    // A link inside the page.
    w.Texte->setSource(QUrl(QStringLiteral("dictionnaire.html")));
    QCOMPARE(w.currentPage(), QStringLiteral("dictionnaire.html"));
    QCOMPARE(w.Pages->currentItem()->data(Qt::UserRole).toString(),
             QStringLiteral("dictionnaire.html"));

    QVERIFY(w.Precedente->isEnabled());
    QTest::mouseClick(w.Precedente, Qt::LeftButton);
    QCOMPARE(w.currentPage(), QStringLiteral("recherche.html"));
    QTest::mouseClick(w.Precedente, Qt::LeftButton);
    QCOMPARE(w.currentPage(), QStringLiteral("sommaire.html"));
    QVERIFY(!w.Precedente->isEnabled());
    QVERIFY(w.Suivante->isEnabled());
    QTest::mouseClick(w.Suivante, Qt::LeftButton);
    QCOMPARE(w.currentPage(), QStringLiteral("recherche.html"));

    QTest::mouseClick(w.Sommaire, Qt::LeftButton);
    QCOMPARE(w.currentPage(), QStringLiteral("sommaire.html"));

    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
}

void HelpWindowTest::searchBoxFiltersAndOpensFirstPage() {
    HelpWindow w;
    w.show();
    w.showTopic(help::ContentsTopic);
    QCOMPARE(w.Trouvees->text(), QStringLiteral("Sommaire"));

    QTest::keyClicks(w.Recherche, QStringLiteral("Racine SQR"));
    QCOMPARE(listed(w.Pages), QStringList{QStringLiteral("calculatrice.html")});
    QCOMPARE(w.Trouvees->text(), QStringLiteral("1 page trouvée"));
    QTest::keyClick(w.Recherche, Qt::Key_Return);
    QCOMPARE(w.currentPage(), QStringLiteral("calculatrice.html"));
    QCOMPARE(w.Texte->textCursor().selectedText().toLower(), QStringLiteral("racine"));

    // Accents need not be typed; the page whose title names the word comes first.
    w.Recherche->clear();
    QTest::keyClicks(w.Recherche, QStringLiteral("definitions"));
    const QStringList found = listed(w.Pages);
    QVERIFY(found.size() > 2);
    QVERIFY(found.first() == QStringLiteral("definitions.html") ||
            found.first() == QStringLiteral("definitions_grille.html"));
    QCOMPARE(w.Trouvees->text(), QStringLiteral("%1 pages trouvées").arg(found.size()));

    w.Recherche->setText(QStringLiteral("xylophone"));
    QCOMPARE(w.Pages->count(), 0);
    QCOMPARE(w.Trouvees->text(), QStringLiteral("Aucune page trouvée"));
    QTest::keyClick(w.Recherche, Qt::Key_Return);
    QCOMPARE(w.currentPage(), QStringLiteral("calculatrice.html"));

    w.Recherche->clear();
    QCOMPARE(w.Pages->count(), help::pages().size());
    QCOMPARE(w.Pages->currentItem()->data(Qt::UserRole).toString(),
             QStringLiteral("calculatrice.html"));
}

void HelpWindowTest::serviceReusesOneWindowOwnedByTheMainWindow() {
    auto main = std::make_unique<QWidget>();
    auto* inner = new QWidget(main.get());
    HelpWindowService service;
    service.showTopic(inner, help::FileMenuTopic);
    HelpWindow* first = service.window();
    QCOMPARE(first->parentWidget(), main.get());
    QVERIFY(first->isWindow());
    first->close();
    service.showTopic(main.get(), help::WordsMenuTopic);
    QCOMPARE(service.window(), first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->currentPage(), QStringLiteral("menu_mots.html"));
    // Closing the main window takes the help with it; the service then starts afresh.
    main.reset();
    QVERIFY(!service.window());
    service.showTopic(nullptr, help::HelpMenuTopic);
    QVERIFY(service.window());
    QCOMPARE(service.window()->currentPage(), QStringLiteral("menu_aide.html"));
}

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
