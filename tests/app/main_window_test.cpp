// The main window: start-up state, the grid's keys and drawing geometry,
// hints and clock, the close question and which data files get written.
#include "common/string_grid.h"
#include "support/test_app.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace orv;
using namespace orv::test;

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsWithSevenBySevenGrid();
    void typedKeysFollowTheCellRules_data();
    void typedKeysFollowTheCellRules();
    void gridGeometryFollowsTheDimensions();
    void hintsReachPanelZeroAndClockTicks();
    void panelZeroFollowsTheWindowWidth();
    void helpKeyOpensTheTopicOfMenuOrWindow();
    void toolBarButtonsCarryTheirHints();
    void quittingUnmodifiedAsksNothingAndWritesNothing();
    void quittingAfterAnEdit_data();
    void quittingAfterAnEdit();
    void missingDictionaryIsReportedAndCreatedAtExit();
    void unreadableDataFilesAreNeverOverwritten();
    void failedWriteAtExitKeepsTheWindowOpen();
    void aboutBoxShowsTheProduct();
};

void MainWindowTest::startsWithSevenBySevenGrid() {
    TestApp app;
    TMainForm& w = app.start();
    QCOMPARE(w.grille().NbLignes, 8);
    QCOMPARE(w.grille().NbColonnes, 8);
    QCOMPARE(w.windowTitle(), QStringLiteral("Orv Grille"));
    QVERIFY(w.windowState() & Qt::WindowMaximized);
    QCOMPARE(w.StringGrid1->size(), QSize(179, 179));
    QCOMPARE(w.StringGrid1->cell(0, 1), QStringLiteral("1"));
    QCOMPARE(w.StringGrid1->cell(0, 7), QStringLiteral("7"));
    QCOMPARE(w.StringGrid1->cell(1, 0), QStringLiteral("A"));
    QCOMPARE(w.StringGrid1->cell(7, 0), QStringLiteral("G"));
    for (int c = 1; c <= 22; ++c)
        for (int r = 1; r <= 22; ++r)
            QCOMPARE(w.grille().cell(c, r), ' ');
    QCOMPARE(w.document().isModified(), false);
    QCOMPARE(app.fakes.messages.total(), 0);
}

void MainWindowTest::typedKeysFollowTheCellRules_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<char>("before");
    QTest::addColumn<char>("after");
    QTest::addColumn<bool>("modified");
    const int none = Qt::NoModifier;
    QTest::newRow("lower-case letter") << "q" << int(Qt::Key_Q) << none << ' ' << 'Q' << true;
    QTest::newRow("capital letter") << "E" << int(Qt::Key_E) << none << ' ' << 'E' << true;
    QTest::newRow("space makes a black square")
        << " " << int(Qt::Key_Space) << none << 'A' << '#' << true;
    QTest::newRow("backspace empties")
        << "\b" << int(Qt::Key_Backspace) << none << '#' << ' ' << true;
    QTest::newRow("delete empties") << "" << int(Qt::Key_Delete) << none << 'A' << ' ' << true;
    QTest::newRow("digit ignored") << "5" << int(Qt::Key_5) << none << 'A' << 'A' << false;
    QTest::newRow("accented letter ignored")
        << "é" << int(Qt::Key_Eacute) << none << ' ' << ' ' << false;
    QTest::newRow("enter ignored") << "\r" << int(Qt::Key_Return) << none << 'B' << 'B' << false;
    QTest::newRow("alt+x is a command, not a letter")
        << "x" << int(Qt::Key_X) << int(Qt::AltModifier) << ' ' << ' ' << false;
    QTest::newRow("ctrl+a is a command, not a letter")
        << "\x01" << int(Qt::Key_A) << int(Qt::ControlModifier) << 'B' << 'B' << false;
    QTest::newRow("altgr still types")
        << "e" << int(Qt::Key_E) << int(Qt::AltModifier | Qt::ControlModifier) << ' ' << 'E'
        << true;
}

void MainWindowTest::typedKeysFollowTheCellRules() {
    QFETCH(QString, typed);
    QFETCH(int, qtKey);
    QFETCH(int, modifiers);
    QFETCH(char, before);
    QFETCH(char, after);
    QFETCH(bool, modified);
    TestApp app;
    TMainForm& w = app.start();
    QVERIFY(w.StringGrid1->setCurrent(3, 2));
    editGrid(w, [&](Grille& g) { g.cell(3, 2) = before; });
    w.document().markSaved(); // the key's own effect is measured
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::KeyboardModifiers(modifiers), typed);
    QApplication::sendEvent(w.StringGrid1, &press);
    QCOMPARE(w.grille().cell(3, 2), after);
    QCOMPARE(w.document().isModified(), modified);
    // The current cell does not move after a key.
    QCOMPARE(w.StringGrid1->col(), 3);
    QCOMPARE(w.StringGrid1->row(), 2);
}

void MainWindowTest::gridGeometryFollowsTheDimensions() {
    TestApp app;
    TMainForm& w = app.start();
    for (int j = 0; j < 8; ++j)
        for (int i = 0; i < 8; ++i)
            QCOMPARE(w.StringGrid1->cellRect(j, i), QRect(j * 22, i * 22, 20, 20));
    editGrid(w, [](Grille& g) {
        g.NbLignes = 11;
        g.NbColonnes = 14;
        g.cell(12, 10) = 'Z';
    });
    w.DessinGrille();
    QCOMPARE(w.StringGrid1->rowCount(), 11);
    QCOMPARE(w.StringGrid1->colCount(), 14);
    QCOMPARE(w.StringGrid1->size(), QSize(14 * 22 + 3, 11 * 22 + 3));
    QCOMPARE(w.StringGrid1->cell(0, 10), QStringLiteral("10"));
    QCOMPARE(w.StringGrid1->cell(13, 0), QStringLiteral("M"));
    // Shrinking and growing again never clears a cell.
    editGrid(w, [](Grille& g) { g.NbLignes = g.NbColonnes = 8; });
    w.DessinGrille();
    QCOMPARE(w.StringGrid1->rowCount(), 8);
    QCOMPARE(w.grille().cell(12, 10), 'Z');
    editGrid(w, [](Grille& g) {
        g.NbLignes = 11;
        g.NbColonnes = 14;
    });
    w.DessinGrille();
    QCOMPARE(w.grille().cell(12, 10), 'Z');
    // The header row and column cannot become current; arrows stop at the edges.
    QVERIFY(!w.StringGrid1->setCurrent(0, 3));
    QVERIFY(!w.StringGrid1->setCurrent(3, 0));
    QVERIFY(w.StringGrid1->setCurrent(1, 1));
    QTest::keyClick(w.StringGrid1, Qt::Key_Left);
    QTest::keyClick(w.StringGrid1, Qt::Key_Up);
    QCOMPARE(QPoint(w.StringGrid1->col(), w.StringGrid1->row()), QPoint(1, 1));
    QTest::keyClick(w.StringGrid1, Qt::Key_Right);
    QTest::keyClick(w.StringGrid1, Qt::Key_Down);
    QCOMPARE(QPoint(w.StringGrid1->col(), w.StringGrid1->row()), QPoint(2, 2));
    QTest::mouseClick(w.StringGrid1, Qt::LeftButton, {}, w.StringGrid1->cellRect(5, 4).center());
    QCOMPARE(QPoint(w.StringGrid1->col(), w.StringGrid1->row()), QPoint(5, 4));
}

void MainWindowTest::hintsReachPanelZeroAndClockTicks() {
    TestApp app;
    TMainForm& w = app.start();
    QCOMPARE(w.panel1->text(), QStringLiteral("    14:05:09"));
    app.fakes.clock.current = app.fakes.clock.current.addSecs(3);
    QSignalSpy ticks(w.Timer1, &QTimer::timeout);
    QVERIFY(ticks.wait(2500));
    QCOMPARE(w.panel1->text(), QStringLiteral("    14:05:12"));

    w.findChild<QAction*>(QStringLiteral("Dimensions1"))->showStatusText(&w);
    QCOMPARE(w.panel0->text(), QStringLiteral("Dimensions de la grille"));
    auto* button = child<QToolButton>(&w, "SpeedButton30");
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(button, &enter);
    QCOMPARE(w.panel0->text(), QStringLiteral("Recherche de mot"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    QCOMPARE(w.panel0->text(), QString());
}

void MainWindowTest::panelZeroFollowsTheWindowWidth() {
    TestApp app;
    TMainForm& w = app.start();
    w.setWindowState(Qt::WindowNoState);
    w.resize(640, 480);
    QTRY_COMPARE(w.width(), 640);
    QCOMPARE(w.panel0->width(), 540);
    w.resize(900, 480);
    QTRY_COMPARE(w.panel0->width(), 800);
}

void MainWindowTest::helpKeyOpensTheTopicOfMenuOrWindow() {
    TestApp app;
    TMainForm& w = app.start();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.StringGrid1, Qt::Key_F1);
    QCOMPARE(app.fakes.help.topics, QList<int>{2});
    const QList<std::pair<const char*, int>> menus = {
        {"FileMenu", 3}, {"MotsMenu", 4}, {"UtilitairesMenu", 6}, {"AideMenu", 7}};
    for (auto [name, topic] : menus) {
        app.fakes.help.topics.clear();
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(child<QMenu>(&w, name), &f1);
        QCOMPARE(app.fakes.help.topics, QList<int>{topic});
    }
}

void MainWindowTest::toolBarButtonsCarryTheirHints() {
    TestApp app;
    TMainForm& w = app.start();
    const QList<std::pair<const char*, const char*>> buttons = {
        {"OpenBtn", "Nouvelle grille"},
        {"SpeedButton2", "Ouvrir"},
        {"SpeedButton1", "Enregistrer"},
        {"SpeedButton28", "Ajouter mot"},
        {"SpeedButton27", "Supprimer mot"},
        {"SpeedButton31", "Dictionnaire"},
        {"SpeedButton32", "Statistiques"},
        {"SpeedButton30", "Recherche de mot"},
        {"SpeedButton34", "Dimensions de la grille"},
        {"SpeedButton3", "Définitions"},
        {"SpeedButton4", "Placer cases noires"},
        {"ExitBtn", "Jouer"}};
    int lastX = -1;
    for (auto [name, hint] : buttons) {
        auto* b = child<QToolButton>(&w, name);
        QVERIFY2(b, name);
        QCOMPARE(b->toolTip(), QString::fromUtf8(hint));
        QCOMPARE(b->size(), QSize(25, 25));
        QVERIFY(b->x() > lastX); // left to right in the table's order
        lastX = b->x();
    }
    QCOMPARE(w.findChild<QAction*>(QStringLiteral("ExitItem"))->shortcut(),
             QKeySequence(Qt::ALT | Qt::Key_X));
}

void MainWindowTest::quittingUnmodifiedAsksNothingAndWritesNothing() {
    TestApp app;
    // Lone LF ends: a rewrite would turn them into CR LF.
    app.writeFile(QStringLiteral("Dicogrd.dat"), "AB\nCD\n");
    app.writeFile(QStringLiteral("Dicodef.dat"), "AB\tdef\n");
    TMainForm& w = app.start();
    QVERIFY(w.close());
    QCOMPARE(app.fakes.messages.total(), 0);
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), QByteArray("AB\nCD\n"));
    QCOMPARE(app.readFile(QStringLiteral("Dicodef.dat")), QByteArray("AB\tdef\n"));
}

void MainWindowTest::quittingAfterAnEdit_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("dictionaryWritten");
    QTest::newRow("Non closes and rewrites the dictionary")
        << int(MessageService::Answer::No) << true << true;
    QTest::newRow("Annuler keeps the program running")
        << int(MessageService::Answer::Cancel) << false << false;
    // No name yet: the save dialog is cancelled, and the program still closes.
    QTest::newRow("Oui with a cancelled save dialog closes")
        << int(MessageService::Answer::Yes) << true << true;
}

void MainWindowTest::quittingAfterAnEdit() {
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(bool, dictionaryWritten);
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), "AB\nCD");
    TMainForm& w = app.start();
    QTest::keyClick(w.StringGrid1, Qt::Key_E);
    QVERIFY(w.document().isModified());
    app.fakes.messages.answers << MessageService::Answer(answer);
    QCOMPARE(w.close(), closes);
    QCOMPARE(app.fakes.messages.questions,
             QStringList{QStringLiteral("Enregistrer changements dans  ?")});
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")),
             dictionaryWritten ? QByteArray("AB\r\nCD\r\n") : QByteArray("AB\nCD"));
    QCOMPARE(app.fakes.messages.errors, QStringList());
}

void MainWindowTest::missingDictionaryIsReportedAndCreatedAtExit() {
    TestApp app;
    QFile::remove(app.path(QStringLiteral("Dicogrd.dat")));
    TMainForm& w = app.start();
    QCOMPARE(app.fakes.messages.errors,
             QStringList{QStringLiteral("Ne peut ouvrir le fichier Dicogrd.dat.")});
    // The start goes on: a maximised window with the 7 by 7 grid.
    QCOMPARE(w.grille().NbLignes, 8);
    QVERIFY(w.windowState() & Qt::WindowMaximized);
    QCOMPARE(w.document().dictionary().words().count(), 0);
    QTest::keyClick(w.StringGrid1, Qt::Key_A);
    app.fakes.messages.answers << MessageService::Answer::No;
    QVERIFY(w.close());
    QVERIFY(QFile::exists(app.path(QStringLiteral("Dicogrd.dat"))));
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), QByteArray());
}

void MainWindowTest::unreadableDataFilesAreNeverOverwritten() {
    TestApp app;
    // A file that exists but cannot be read: here a folder of that name.
    for (const char* name : {"Dicogrd.dat", "Dicodef.dat"}) {
        QFile::remove(app.path(QString::fromLatin1(name)));
        QVERIFY(QDir().mkdir(app.path(QString::fromLatin1(name))));
    }
    TMainForm& w = app.start();
    QCOMPARE(app.fakes.messages.errors,
             (QStringList{QStringLiteral("Ne peut ouvrir le fichier Dicogrd.dat."),
                          QStringLiteral("Ne peut ouvrir le fichier Dicodef.dat.")}));
    QTest::keyClick(w.StringGrid1, Qt::Key_A);
    w.document().setDefinitions(w.document().definitions(), true);
    app.fakes.messages.answers << MessageService::Answer::No;
    QVERIFY(w.close());
    // No attempt to replace them was made (it would have failed with a message).
    QCOMPARE(app.fakes.messages.errors.size(), 2);
    QVERIFY(QFileInfo(app.path(QStringLiteral("Dicogrd.dat"))).isDir());
}

void MainWindowTest::failedWriteAtExitKeepsTheWindowOpen() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), "AB\r\n");
    TMainForm& w = app.start();
    QTest::keyClick(w.StringGrid1, Qt::Key_A);
    // The folder changes under the program: the file can no longer be replaced.
    QFile::remove(app.path(QStringLiteral("Dicogrd.dat")));
    QVERIFY(QDir().mkdir(app.path(QStringLiteral("Dicogrd.dat"))));
    app.fakes.messages.answers << MessageService::Answer::No;
    QVERIFY(!w.close());
    // The question of the failed write, closed without an answer: the
    // program stays open.
    QCOMPARE(app.fakes.messages.choiceTexts.size(), 1);
    QVERIFY(app.fakes.messages.choiceTexts[0].startsWith(
        QStringLiteral("Ne peut créer le fichier Dicogrd.dat : ")));
    QVERIFY(w.isVisible());
    QCOMPARE(w.grille().cell(1, 1), 'A');
    QCOMPARE(w.document().dictionary().words().count(), 1);
    // Once the way is clear again, quitting writes the file.
    QVERIFY(QDir().rmdir(app.path(QStringLiteral("Dicogrd.dat"))));
    app.fakes.messages.answers << MessageService::Answer::No;
    QVERIFY(w.close());
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), QByteArray("AB\r\n"));
}

void MainWindowTest::aboutBoxShowsTheProduct() {
    TestApp app;
    TMainForm& w = app.start();
    QStringList texts;
    app.fakes.modal.scripts << [&](QDialog& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("A propos"));
        for (auto* l : d.findChildren<QLabel*>()) {
            texts << l->text();
            // Every text is whole inside its panel.
            QVERIFY2(QRect(QPoint(0, 0), l->parentWidget()->size()).contains(l->geometry()),
                     qPrintable(l->text()));
        }
        QTest::mouseClick(child<QPushButton>(&d, "OKButton"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
    };
    w.findChild<QAction*>(QStringLiteral("About1"))->trigger();
    QCOMPARE(app.fakes.modal.shown, QStringList{QStringLiteral("AboutBox")});
    QVERIFY(texts.contains(QStringLiteral("Orv Grille")));
    // The number of the CMake project, and the licence of the code.
    QVERIFY(texts.contains(QStringLiteral("Version " ORV_PROJECT_VERSION)));
    QVERIFY(texts.contains(QStringLiteral("Licence GPL-3.0-or-later")));
    QVERIFY(texts.contains(QStringLiteral("Générateur de grilles de mots croisés")));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
