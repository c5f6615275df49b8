// The program's help as a user reaches it: F1 on the main window and in every
// menu, and "Aide > Sommaire de l'aide", through the real help service and
// window, each landing on a page of the help.
#include "common/string_grid.h"
#include "help/help_pages.h"
#include "help/help_search.h"
#include "help/help_service.h"
#include "support/test_app.h"

#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>

using namespace orv;
using namespace orv::test;

namespace {

// The real service, noting each topic asked for on the way.
class RecordingHelp : public HelpService {
public:
    void showTopic(QWidget* parent, int topic) override {
        asked.append(topic);
        real.showTopic(parent, topic);
    }
    HelpWindowService real;
    QList<int> asked;
};

} // namespace

class ProgramHelpTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyPlaceOfF1ShowsAPage();
    void contentsCommandShowsTheContents();
};

void ProgramHelpTest::everyPlaceOfF1ShowsAPage() {
    TestApp app;
    RecordingHelp help;
    FakeServices& f = app.fakes;
    Services services{f.messages, f.files, f.modal, f.random, f.clock, help};
    TMainForm w(services);
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    QTest::keyClick(w.StringGrid1, Qt::Key_F1);
    QVERIFY(help.real.window());
    QCOMPARE(help.real.window()->currentPage(), QStringLiteral("fenetre_principale.html"));
    QCOMPARE(help.real.window()->Texte->documentTitle(), QStringLiteral("La fenêtre principale"));

    // Every menu of the menu bar, whatever its topic.
    const QList<QMenu*> menus = w.menuBar()->findChildren<QMenu*>();
    QVERIFY(menus.size() >= 6);
    for (QMenu* menu : menus) {
        help.asked.clear();
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(menu, &f1);
        QCOMPARE(help.asked.size(), 1);
        const int topic = help.asked.front();
        QVERIFY2(help::topics().contains(topic), qPrintable(menu->objectName()));
        QCOMPARE(help.real.window()->currentPage(), help::pageForTopic(topic));
        QVERIFY(help.real.window()->isVisible());
    }
    // One help window all along, owned by the main window.
    QCOMPARE(w.findChildren<HelpWindow*>().size(), 1);
    QCOMPARE(f.messages.total(), 0);
}

void ProgramHelpTest::contentsCommandShowsTheContents() {
    TestApp app;
    RecordingHelp help;
    FakeServices& f = app.fakes;
    Services services{f.messages, f.files, f.modal, f.random, f.clock, help};
    TMainForm w(services);
    w.show();
    QAction* contents = child<QAction>(&w, "Sommaire1");
    QVERIFY(contents);
    QCOMPARE(contents->text(), QStringLiteral("&Sommaire de l'aide"));
    QVERIFY(child<QMenu>(&w, "AideMenu")->actions().contains(contents));
    contents->trigger();
    QCOMPARE(help.asked, QList<int>{help::ContentsTopic});
    HelpWindow* window = help.real.window();
    QCOMPARE(window->currentPage(), QStringLiteral("sommaire.html"));
    QVERIFY(window->Texte->toPlainText().contains(QStringLiteral("Le menu Fichier")));
    QCOMPARE(window->Pages->count(), help::pages().size());
}

QTEST_MAIN(ProgramHelpTest)
#include "program_help_test.moc"
