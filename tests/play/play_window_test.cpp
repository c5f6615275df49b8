// The play window driven as a player would: opened from the menu and the
// tool bar on the editor's grid, typed into, helped by its two paid commands
// and the letter picker, laid out on resizing, and closed with the editor's
// grid untouched.
#include "common/string_grid.h"
#include "play/play_controller.h"
#include "play/play_window.h"
#include "search/letter_picker.h"
#include "solution.h"
#include "support/test_app.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

using namespace orv;
using namespace orv::test;

namespace {

void fillGrid(Grille& grille) {
    for (int y = 1; y < 8; ++y)
        for (int x = 1; x < 8; ++x)
            grille.cell(x, y) = kSolution[y - 1][x - 1];
    for (int k = 0; k < 7; ++k) {
        grille.DefHoriz[k] = "Horizontale " + QByteArray::number(k + 1);
        grille.DefVert[k] = "Verticale " + QByteArray(1, char('A' + k));
    }
    // Clues are kept in Windows-1252, accents included.
    grille.DefHoriz[0] = "Eau sal\xe9\x65. \xc9t\xe9.";
    grille.DefVert[6] = "Prot\xe8ge la t\xeate. Mal.";
    // A clue beyond the playing area, never shown.
    grille.DefHoriz[7] = "Hors grille";
}

TGrilleJeu& window(TestApp& app) { return app.main().play().playWindow(); }

// Opens the play window from the menu, runs the script on it, and lets it close.
void play(TestApp& app, std::function<void(TGrilleJeu&)> script) {
    app.fakes.modal.scripts.append([script](QDialog& d) { script(static_cast<TGrilleJeu&>(d)); });
    app.main().findChild<QAction*>(QStringLiteral("Jouer1"))->trigger();
}

// The next letter picker picks the button of this object name; empty: closed by its box.
void pickNext(TestApp& app, const char* button) {
    if (!*button) {
        app.fakes.modal.scripts.append(FakeModal::Script());
        return;
    }
    app.fakes.modal.scripts.append([button](QDialog& d) {
        QTest::mouseClick(child<QToolButton>(&d, button), Qt::LeftButton);
    });
}

void click(TGrilleJeu& w, const char* name) {
    QTest::mouseClick(child<QToolButton>(&w, name), Qt::LeftButton);
}

QString clue(QTableWidget* list, int row, int col) {
    const QTableWidgetItem* item = list->item(row, col);
    return item ? item->text() : QString();
}

struct Snapshot {
    Grille grille;
    explicit Snapshot(const Grille& g) : grille(g) {}
    bool same(const Grille& g) const {
        return g.Cases == grille.Cases && g.DefHoriz == grille.DefHoriz &&
               g.DefVert == grille.DefVert && g.NbLignes == grille.NbLignes &&
               g.NbColonnes == grille.NbColonnes;
    }
};

} // namespace

class PlayWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensOnTheEditorsGrid_data();
    void opensOnTheEditorsGrid();
    void largestGridCounter();
    void typingInThePlayGrid_data();
    void typingInThePlayGrid();
    void showLetterCosts();
    void placeLetter_data();
    void placeLetter();
    void editorGridUnchangedAfterAGame_data();
    void editorGridUnchangedAfterAGame();
    void reopeningStartsAFreshMaximisedGame();
    void dictionaryAndSearchRunTheMainCommands();
    void dictionaryAndSearchOpenOverThePlayWindow();
    void layoutFollowsTheWindowSize_data();
    void layoutFollowsTheWindowSize();
    void clueListsCannotBeEdited();
};

void PlayWindowTest::opensOnTheEditorsGrid_data() {
    QTest::addColumn<bool>("fromToolBar");
    QTest::newRow("menu Jeu, Jouer") << false;
    QTest::newRow("tool bar Jouer") << true;
}

void PlayWindowTest::opensOnTheEditorsGrid() {
    QFETCH(bool, fromToolBar);
    TestApp app;
    TMainForm& main = app.start();
    editGrid(main, fillGrid);
    bool ran = false;
    app.fakes.modal.scripts.append([&](QDialog& d) {
        ran = true;
        auto& w = static_cast<TGrilleJeu&>(d);
        QCOMPARE(w.windowTitle(), QStringLiteral("Joeur aux mots-croisés"));
        QVERIFY(w.isMaximized());
        QTRY_VERIFY(w.StringGrid1->hasFocus());
        QCOMPARE(w.Label3->text(), QStringLiteral("64 points"));
        QCOMPARE(w.Button1->text(), QStringLiteral("Fermer"));
        const char* names[] = {"SpeedButton31", "SpeedButton30", "SpeedButton1", "SpeedButton2"};
        const char* hints[] = {"Dictionnaire", "Recherche de mot", "Montrer la lettre",
                               "Placer une lettre"};
        for (int i = 0; i < 4; ++i) {
            auto* b = child<QToolButton>(&w, names[i]);
            QVERIFY(b);
            QCOMPARE(b->toolTip(), QString::fromUtf8(hints[i]));
            QCOMPARE(b->geometry(), QRect(4 + 25 * i, 4, 25, 25));
        }
        // The grid: same geometry and labels as the editor's.
        QCOMPARE(w.StringGrid1->rowCount(), 8);
        QCOMPARE(w.StringGrid1->colCount(), 8);
        QCOMPARE(w.StringGrid1->size(), QSize(179, 179));
        QCOMPARE(w.StringGrid1->cellRect(3, 2), QRect(66, 44, 20, 20));
        QCOMPARE(w.StringGrid1->cell(0, 7), QStringLiteral("7"));
        QCOMPARE(w.StringGrid1->cell(7, 0), QStringLiteral("G"));
        // Letters hidden, black squares shown.
        for (int y = 1; y < 8; ++y)
            for (int x = 1; x < 8; ++x)
                QCOMPARE(w.Jeu.joueur(x, y), kSolution[y - 1][x - 1] == '#' ? '#' : ' ');
        // One numbered row per playing row, one lettered row per playing column.
        QCOMPARE(child<QLabel>(&w, "Label1")->text(), QStringLiteral("Horizontalement"));
        QCOMPARE(child<QLabel>(&w, "Label2")->text(), QStringLiteral("Verticalement"));
        QCOMPARE(w.StringGrid2->rowCount(), 7);
        QCOMPARE(w.StringGrid3->rowCount(), 7);
        for (int k = 0; k < 7; ++k) {
            QCOMPARE(clue(w.StringGrid2, k, 0), QString::number(k + 1));
            QCOMPARE(clue(w.StringGrid3, k, 0), QString(QChar(u'A' + k)));
        }
        QCOMPARE(clue(w.StringGrid2, 0, 1), QStringLiteral("Eau salée. Été."));
        QCOMPARE(clue(w.StringGrid2, 6, 1), QStringLiteral("Horizontale 7"));
        QCOMPARE(clue(w.StringGrid3, 0, 1), QStringLiteral("Verticale A"));
        QCOMPARE(clue(w.StringGrid3, 6, 1), QStringLiteral("Protège la tête. Mal."));
        QCOMPARE(w.StringGrid2->columnWidth(0), 30);
        QCOMPARE(w.StringGrid2->columnWidth(1), 424);
        // "Fermer" closes it.
        QTest::mouseClick(w.Button1, Qt::LeftButton);
        QVERIFY(!w.isVisible());
    });
    if (fromToolBar)
        QTest::mouseClick(child<QToolButton>(&main, "ExitBtn"), Qt::LeftButton);
    else
        main.findChild<QAction*>(QStringLiteral("Jouer1"))->trigger();
    QVERIFY(ran);
    QCOMPARE(app.fakes.modal.shown, QStringList{QStringLiteral("GrilleJeu")});
    QCOMPARE(app.fakes.messages.total(), 0);
}

void PlayWindowTest::largestGridCounter() {
    TestApp app;
    TMainForm& main = app.start();
    editGrid(main, [](Grille& g) { g.NbLignes = g.NbColonnes = 21; });
    play(app, [](TGrilleJeu& w) {
        QCOMPARE(w.Label3->text(), QStringLiteral("441 points"));
        QCOMPARE(w.StringGrid1->size(), QSize(21 * 22 + 3, 21 * 22 + 3));
        QCOMPARE(w.StringGrid2->rowCount(), 20);
        QCOMPARE(w.StringGrid3->rowCount(), 20);
        QCOMPARE(clue(w.StringGrid3, 19, 0), QStringLiteral("T"));
    });
    QCOMPARE(window(app).Jeu.Points, 441);
}

void PlayWindowTest::typingInThePlayGrid_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("keys"); // typed one after the other; '~' stands for Delete
    QTest::addColumn<char>("shown");
    // Keys reach the game's rules through the grid control; the rules
    // themselves are tabled with the game state.
    // (1, 1) hides M; (4, 3) is empty in the editor; (4, 1) is a black square.
    QTest::newRow("lower-case e shows E") << 1 << 1 << "e" << 'E';
    QTest::newRow("empty editor cell is typeable") << 4 << 3 << "x" << 'X';
    QTest::newRow("digit ignored") << 1 << 1 << "5" << ' ';
    QTest::newRow("backspace empties") << 1 << 1 << "e\b" << ' ';
    QTest::newRow("delete empties") << 1 << 1 << "e~" << ' ';
    QTest::newRow("letter on a black square") << 4 << 1 << "a" << 'A';
    QTest::newRow("accented letter ignored") << 1 << 1 << "é" << ' ';
}

void PlayWindowTest::typingInThePlayGrid() {
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(QString, keys);
    QFETCH(char, shown);
    TestApp app;
    TMainForm& main = app.start();
    editGrid(main, fillGrid);
    play(app, [&](TGrilleJeu& w) {
        QVERIFY(w.StringGrid1->setCurrent(col, row));
        for (QChar k : keys) {
            if (k == u'~')
                QTest::keyClick(w.StringGrid1, Qt::Key_Delete);
            else if (k == u'\b')
                QTest::keyClick(w.StringGrid1, Qt::Key_Backspace);
            else {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(k));
                QApplication::sendEvent(w.StringGrid1, &press);
            }
        }
        QCOMPARE(w.Jeu.joueur(col, row), shown);
        // The current cell does not move, and typing is free.
        QCOMPARE(w.StringGrid1->col(), col);
        QCOMPARE(w.StringGrid1->row(), row);
        QCOMPARE(w.Label3->text(), QStringLiteral("64 points"));
    });
    QCOMPARE(main.grille().cell(col, row), kSolution[row - 1][col - 1]);
}

void PlayWindowTest::showLetterCosts() {
    TestApp app;
    TMainForm& main = app.start();
    editGrid(main, fillGrid);
    play(app, [](TGrilleJeu& w) {
        // The arrows move to the cell (2, 1), which hides an E.
        QTest::keyClick(w.StringGrid1, Qt::Key_Right);
        QCOMPARE(w.StringGrid1->col(), 2);
        click(w, "SpeedButton1");
        QCOMPARE(w.Jeu.joueur(2, 1), 'E');
        QCOMPARE(w.Label3->text(), QStringLiteral("63 points"));
        click(w, "SpeedButton1");
        QCOMPARE(w.Label3->text(), QStringLiteral("62 points"));
        // A black square costs a point and stays black.
        QVERIFY(w.StringGrid1->setCurrent(4, 1));
        click(w, "SpeedButton1");
        QCOMPARE(w.Jeu.joueur(4, 1), '#');
        QCOMPARE(w.Label3->text(), QStringLiteral("61 points"));
    });
}

void PlayWindowTest::placeLetter_data() {
    QTest::addColumn<QStringList>("picks"); // object names of the picker's buttons; "" = close box
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("shownE");
    QTest::newRow("E twice") << QStringList{"SpeedButton5", "SpeedButton5"} << "54 points" << 5;
    QTest::newRow("Q, absent from the solution")
        << QStringList{"SpeedButton17"} << "64 points" << 0;
    QTest::newRow("blank button") << QStringList{"SpeedButton27"} << "64 points" << 0;
    QTest::newRow("close box after an E") << QStringList{"SpeedButton5", ""} << "59 points" << 5;
}

void PlayWindowTest::placeLetter() {
    QFETCH(QStringList, picks);
    QFETCH(QString, label);
    QFETCH(int, shownE);
    TestApp app;
    TMainForm& main = app.start();
    editGrid(main, fillGrid);
    QList<QByteArray> names;
    for (const QString& p : picks)
        names.append(p.toLatin1());
    play(app, [&](TGrilleJeu& w) {
        for (const QByteArray& name : names) {
            pickNext(app, name.constData());
            click(w, "SpeedButton2");
        }
    });
    QStringList expected{QStringLiteral("GrilleJeu")};
    for (int i = 0; i < picks.size(); ++i)
        expected << QStringLiteral("Lettre");
    QCOMPARE(app.fakes.modal.shown, expected);
    QCOMPARE(window(app).Label3->text(), label);
    int e = 0;
    for (int y = 1; y < 8; ++y)
        for (int x = 1; x < 8; ++x) {
            const char c = window(app).Jeu.joueur(x, y);
            QVERIFY(c == ' ' || c == '#' || c == 'E');
            e += c == 'E';
        }
    QCOMPARE(e, shownE);
}

void PlayWindowTest::editorGridUnchangedAfterAGame_data() {
    QTest::addColumn<bool>("modified");
    QTest::newRow("saved grid") << false;
    QTest::newRow("unsaved changes") << true;
}

void PlayWindowTest::editorGridUnchangedAfterAGame() {
    QFETCH(bool, modified);
    TestApp app;
    TMainForm& main = app.start();
    editGrid(main, fillGrid);
    if (!modified)
        main.document().markSaved();
    const Snapshot before(main.grille());
    play(app, [&](TGrilleJeu& w) {
        QVERIFY(w.StringGrid1->setCurrent(1, 1));
        QTest::keyClicks(w.StringGrid1, QStringLiteral("z"));
        QTest::keyClick(w.StringGrid1, Qt::Key_Delete);
        QTest::keyClick(w.StringGrid1, Qt::Key_Down);
        QTest::keyClicks(w.StringGrid1, QStringLiteral("q"));
        click(w, "SpeedButton1");
        pickNext(app, "SpeedButton1");
        click(w, "SpeedButton2");
        QCOMPARE(w.Label3->text(), QStringLiteral("57 points"));
        QTest::keyClick(&w, Qt::Key_Escape);
    });
    QVERIFY(before.same(main.grille()));
    QCOMPARE(main.document().isModified(), modified);
    // The editor's keys still work on its own grid afterwards.
    QVERIFY(main.StringGrid1->setCurrent(1, 1));
    QTest::keyClicks(main.StringGrid1, QStringLiteral("b"));
    QCOMPARE(main.grille().cell(1, 1), 'B');
}

void PlayWindowTest::reopeningStartsAFreshMaximisedGame() {
    TestApp app;
    TMainForm& main = app.start();
    editGrid(main, fillGrid);
    play(app, [&](TGrilleJeu& w) {
        QVERIFY(w.StringGrid1->setCurrent(2, 3));
        QTest::keyClicks(w.StringGrid1, QStringLiteral("w"));
        click(w, "SpeedButton1");
        pickNext(app, "SpeedButton1");
        click(w, "SpeedButton2");
        w.setWindowState(Qt::WindowNoState); // the player restores the window
    });
    QCOMPARE(window(app).Jeu.Points, 57);
    // A smaller grid with another letter at (2, 3).
    editGrid(main, [](Grille& g) {
        g.NbColonnes = 7;
        g.cell(2, 3) = 'O';
    });
    play(app, [](TGrilleJeu& w) {
        QVERIFY(w.isMaximized());
        QCOMPARE(w.Label3->text(), QStringLiteral("56 points"));
        QCOMPARE(w.StringGrid1->colCount(), 7);
        QCOMPARE(w.StringGrid3->rowCount(), 6);
        QCOMPARE(w.Jeu.joueur(2, 3), ' ');
        QCOMPARE(w.Jeu.joueur(1, 2), ' '); // an A revealed in the last game
        QCOMPARE(w.Jeu.joueur(2, 2), '#');
        click(w, "SpeedButton1");
        QCOMPARE(w.Label3->text(), QStringLiteral("55 points"));
    });
}

void PlayWindowTest::dictionaryAndSearchRunTheMainCommands() {
    FakeServices fakes;
    TLettre picker;
    int dictionary = 0, search = 0;
    TGrilleJeu w(fakes.services,
                 {[&] { ++dictionary; }, [&] { ++search; }, [&] { return &picker; }});
    w.Init(8, 8);
    w.show();
    click(w, "SpeedButton31");
    QCOMPARE(dictionary, 1);
    QCOMPARE(search, 0);
    click(w, "SpeedButton30");
    QCOMPARE(search, 1);
    // The picker goes through the modal runner like every other window.
    fakes.modal.scripts.append([](QDialog& d) {
        QTest::mouseClick(child<QToolButton>(&d, "SpeedButton26"), Qt::LeftButton);
    });
    click(w, "SpeedButton2");
    QCOMPARE(fakes.modal.shown, QStringList{QStringLiteral("Lettre")});
    QCOMPARE(dictionary, 1);
    QCOMPARE(w.Label3->text(), QStringLiteral("64 points"));
}

void PlayWindowTest::dictionaryAndSearchOpenOverThePlayWindow() {
    TestApp app;
    TMainForm& main = app.start();
    app.fakes.modal.scripts.append([](QDialog& d) {
        auto& w = static_cast<TGrilleJeu&>(d);
        click(w, "SpeedButton31");
        click(w, "SpeedButton30");
    });
    main.findChild<QAction*>(QStringLiteral("Jouer1"))->trigger();
    QCOMPARE(app.fakes.modal.shown, (QStringList{QStringLiteral("GrilleJeu"),
                                                 QStringLiteral("Dico"), QStringLiteral("RMots")}));
}

void PlayWindowTest::layoutFollowsTheWindowSize_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("gridSide"); // playing rows and columns
    QTest::newRow("wide: the clue panel at its 460 limit") << QSize(1000, 700) << 7;
    QTest::newRow("narrow: the panel takes what the grid leaves") << QSize(480, 400) << 7;
    QTest::newRow("large grid") << QSize(900, 640) << 20;
}

void PlayWindowTest::layoutFollowsTheWindowSize() {
    QFETCH(QSize, size);
    QFETCH(int, gridSide);
    FakeServices fakes;
    TGrilleJeu w(fakes.services, {});
    w.Init(gridSide + 1, gridSide + 1);
    w.show();
    w.setWindowState(Qt::WindowNoState);
    w.resize(size);
    QTRY_COMPARE(w.size(), size);
    QCOMPARE(w.Panel1->width(), w.width());
    QCOMPARE(w.Button1->x(), w.Panel1->width() - 100);
    QCOMPARE(w.Label3->x(), w.Panel1->width() - 200);
    QCOMPARE(w.Label3->width(), 95);
    const int panel = std::min(w.frameGeometry().width() - w.StringGrid1->width() - 20, 460);
    QCOMPARE(w.Panel2->width(), panel);
    QCOMPARE(w.Panel2->geometry().right(), w.width() - 1);
    QCOMPARE(w.StringGrid2->width(), panel - 20);
    QCOMPARE(w.StringGrid3->width(), panel - 20);
    const int half = w.Panel2->height() / 2;
    QCOMPARE(w.StringGrid2->y(), 23);
    QCOMPARE(w.StringGrid2->height(), half - 30);
    QCOMPARE(w.Label2->y(), half);
    QCOMPARE(w.StringGrid3->y(), half + 16);
    QCOMPARE(w.StringGrid3->height(), half - 30);
    QCOMPARE(w.StringGrid2->columnWidth(0), 30);
    QCOMPARE(w.StringGrid3->columnWidth(0), 30);
}

void PlayWindowTest::clueListsCannotBeEdited() {
    TestApp app;
    TMainForm& main = app.start();
    editGrid(main, fillGrid);
    play(app, [](TGrilleJeu& w) {
        QTableWidget* list = w.StringGrid2;
        const QRect cell = list->visualItemRect(list->item(1, 1));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::keyClicks(list, QStringLiteral("abc"));
        QTest::keyClick(list, Qt::Key_F2);
        QTest::keyClicks(list, QStringLiteral("abc"));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(clue(list, 1, 1), QStringLiteral("Horizontale 2"));
        // Not in the tab order: Tab from the grid never lands in a clue list.
        QVERIFY(!(list->focusPolicy() & Qt::TabFocus));
    });
    QCOMPARE(main.grille().DefHoriz[1], QByteArray("Horizontale 2"));
}

QTEST_MAIN(PlayWindowTest)
#include "play_window_test.moc"
