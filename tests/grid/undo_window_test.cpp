// Undo and redo through the real main window: every kind of grid change taken
// back and done again from the keyboard and the "Edition" menu, the menu's
// state and hints, and the faults that lost work without a word (black
// squares not marked as a change, a file replaced without a question).
#include "common/string_grid.h"
#include "definitions/clue_sheet_window.h"
#include "grid/dimensions_dialog.h"
#include "support/test_app.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace orv;
using namespace orv::test;
using Answer = MessageService::Answer;

namespace {

void typeOn(TMainForm& w, int col, int row, int key) {
    QVERIFY(w.StringGrid1->setCurrent(col, row));
    QTest::keyClick(w.StringGrid1, Qt::Key(key));
}

void typeOn(TMainForm& w, int col, int row, char key) {
    QVERIFY(w.StringGrid1->setCurrent(col, row));
    QTest::keyClick(w.StringGrid1, key);
}

void undoKey(TMainForm& w) { QTest::keyClick(w.StringGrid1, Qt::Key_Z, Qt::ControlModifier); }

QAction* action(TMainForm& w, const char* name) { return child<QAction>(&w, name); }

// The grid's content as the file keeps it, to compare states.
struct State {
    int lignes;
    int colonnes;
    std::array<char, kCellSide * kCellSide> cases;
    std::array<QByteArray, kCellSide> horiz;
    std::array<QByteArray, kCellSide> vert;
    explicit State(const Grille& g)
        : lignes(g.NbLignes), colonnes(g.NbColonnes), cases(g.Cases), horiz(g.DefHoriz),
          vert(g.DefVert) {}
    bool operator==(const State&) const = default;
};

enum Kind { Letter, BlackSquare, Backspace, Delete, AutoBlackSquares, Dimensions, ClueSheet };

} // namespace

class UndoWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyKindOfChangeIsUndoneAndRedone_data();
    void everyKindOfChangeIsUndoneAndRedone();
    void editionMenuStandsBetweenFileAndWords();
    void undoneTypingSavesTheFileThatWasThere();
    void newAndOpenClearTheHistory();
    void blackSquaresAskTheSaveQuestionAtExit();
    void blackSquaresOverLettersAreOneStepBack();
    void saveAsAsksBeforeReplacingAFile();
};

void UndoWindowTest::everyKindOfChangeIsUndoneAndRedone_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("hint");
    QTest::newRow("letter") << int(Letter) << "Annuler la saisie de la lettre Q en C4";
    QTest::newRow("black square") << int(BlackSquare) << "Annuler la case noire en C4";
    QTest::newRow("backspace") << int(Backspace) << "Annuler l'effacement de la case B2";
    QTest::newRow("delete") << int(Delete) << "Annuler l'effacement de la case B2";
    QTest::newRow("automatic black squares")
        << int(AutoBlackSquares) << "Annuler le placement des cases noires";
    QTest::newRow("dimensions") << int(Dimensions) << "Annuler le changement des dimensions";
    QTest::newRow("clue sheet") << int(ClueSheet)
                                << "Annuler la modification des définitions de la grille";
}

void UndoWindowTest::everyKindOfChangeIsUndoneAndRedone() {
    QFETCH(int, kind);
    QFETCH(QString, hint);
    TestApp app;
    TMainForm& w = app.start();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    typeOn(w, 2, 2, 'm');
    w.document().markSaved(); // as after a save: the change below is the only one
    QVERIFY(!action(w, "undo")->isEnabled() || w.document().canUndo());
    const State before(w.grille());

    switch (Kind(kind)) {
    case Letter:
        typeOn(w, 3, 4, 'q');
        break;
    case BlackSquare:
        typeOn(w, 3, 4, ' ');
        break;
    case Backspace:
        typeOn(w, 2, 2, int(Qt::Key_Backspace));
        break;
    case Delete:
        typeOn(w, 2, 2, int(Qt::Key_Delete));
        break;
    case AutoBlackSquares:
        trigger(w, "Placercasesnoires1");
        break;
    case Dimensions:
        app.fakes.modal.scripts << [](QDialog& d) {
            auto* rows = child<SpinEdit>(&d, "SpinEdit1");
            QVERIFY(rows);
            rows->setValue(12);
            QTest::mouseClick(child<QPushButton>(&d, "Button2"), Qt::LeftButton);
        };
        trigger(w, "Dimensions1");
        break;
    case ClueSheet: {
        // The docked sheet hands each clue back as it is written: one step per clue.
        trigger(w, "Dfinitions1");
        auto* s = w.findChild<TDefgrille*>(QStringLiteral("Defgrille"));
        QVERIFY(s);
        s->StringGrid2->setFocus();
        s->StringGrid2->setCurrentCell(2, 1);
        QTest::keyClicks(s->StringGrid2, QStringLiteral("Deux"));
        QTest::keyClick(s->StringGrid2->viewport()->findChild<QLineEdit*>(), Qt::Key_Return);
        s->close();
        break;
    }
    }
    // A dialog took the focus for a while; the window has it back, as on a desktop.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const State after(w.grille());
    QVERIFY(!(after == before));
    QVERIFY(w.document().isModified());
    QAction* undo = action(w, "undo");
    QAction* redo = action(w, "redo");
    QVERIFY(undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    QCOMPARE(undo->statusTip(), hint);
    // The hint reaches the status bar as the mouse passes over the item.
    undo->showStatusText(&w);
    QCOMPARE(w.panel0->text(), hint);
    QCOMPARE(w.document().undoCount(), 2); // the set-up's letter, then this one step

    undoKey(w);
    QVERIFY(State(w.grille()) == before);
    QVERIFY(!w.document().isModified());
    QCOMPARE(w.StringGrid1->rowCount(), before.lignes);
    QVERIFY(redo->isEnabled());
    QCOMPARE(redo->statusTip(), QStringLiteral("Rétablir") + hint.mid(7));

    QTest::keyClick(w.StringGrid1, Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(State(w.grille()) == after);
    QVERIFY(w.document().isModified());
    QCOMPARE(w.StringGrid1->rowCount(), after.lignes);
    QVERIFY(!redo->isEnabled());

    // The menu items and the other redo key do the same.
    trigger(w, "undo");
    QVERIFY(State(w.grille()) == before);
    QTest::keyClick(w.StringGrid1, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(State(w.grille()) == after);
    trigger(w, "undo");
    trigger(w, "redo");
    QVERIFY(State(w.grille()) == after);
    QCOMPARE(app.fakes.messages.total(), 0);
}

void UndoWindowTest::editionMenuStandsBetweenFileAndWords() {
    TestApp app;
    TMainForm& w = app.start();
    QStringList titles;
    for (QAction* a : w.menuBar()->actions())
        titles << a->text();
    QCOMPARE(titles.mid(0, 3), (QStringList{"&Fichier", "&Edition", "&Mots"}));
    auto* edition = child<QMenu>(&w, "EditionMenu");
    QVERIFY(edition);
    QCOMPARE(edition->actions(), (QList<QAction*>{action(w, "undo"), action(w, "redo")}));
    QCOMPARE(action(w, "undo")->text(), QStringLiteral("&Annuler"));
    QCOMPARE(action(w, "redo")->text(), QStringLiteral("&Rétablir"));
    QCOMPARE(action(w, "undo")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(action(w, "redo")->shortcuts(),
             (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    // Nothing to take back at the start: both greyed out, and their keys do nothing.
    QVERIFY(!action(w, "undo")->isEnabled());
    QVERIFY(!action(w, "redo")->isEnabled());
    // The other menus keep their commands in their order.
    QStringList file;
    for (QAction* a : child<QMenu>(&w, "FileMenu")->actions())
        file << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    // (The arrow-word commands, then Imprimer and Exporter, stand between the save
    // commands and the import.)
    QCOMPARE(file, (QStringList{"NewItem", "OpenItem", "-", "Enregistrer1", "Enregistrersous1", "-",
                                "newArrowGrid", "openArrowGrid", "-", "printGrid", "exportGrid",
                                "-", "Importerfichier1", "-", "ExitItem"}));
}

void UndoWindowTest::undoneTypingSavesTheFileThatWasThere() {
    TestApp app;
    TMainForm& w = app.start();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    typeOn(w, 1, 1, 'o');
    typeOn(w, 2, 1, 'r');
    app.fakes.files.savePaths << app.path("avant");
    trigger(w, "Enregistrersous1");
    const QByteArray saved = app.readFile("avant.grd");
    QVERIFY(!saved.isEmpty());

    typeOn(w, 3, 1, 'v');
    typeOn(w, 4, 1, 'e');
    typeOn(w, 5, 1, 'r');
    typeOn(w, 6, 1, ' ');
    for (int i = 0; i < 4; ++i)
        undoKey(w);
    QVERIFY(!w.document().isModified());
    // Saving now writes exactly what was there before the typing.
    app.fakes.files.savePaths << app.path("apres");
    trigger(w, "Enregistrersous1");
    QCOMPARE(app.readFile("apres.grd"), saved);
    // A save keeps the history: one more undo goes past the saved state.
    undoKey(w);
    QCOMPARE(w.grille().cell(2, 1), ' ');
    QVERIFY(w.document().isModified());
}

void UndoWindowTest::newAndOpenClearTheHistory() {
    TestApp app;
    TMainForm& w = app.start();
    typeOn(w, 1, 1, 'a');
    app.fakes.files.savePaths << app.path("essai");
    trigger(w, "Enregistrersous1");
    typeOn(w, 2, 2, 'b');
    app.fakes.messages.answers << Answer::No;
    app.fakes.files.openPaths << app.path("essai.grd");
    trigger(w, "OpenItem");
    QVERIFY(!action(w, "undo")->isEnabled());
    QVERIFY(!action(w, "redo")->isEnabled());
    typeOn(w, 3, 3, 'c');
    trigger(w, "undo");
    QVERIFY(action(w, "redo")->isEnabled());
    trigger(w, "NewItem"); // nothing unsaved: no question
    QVERIFY(!action(w, "undo")->isEnabled());
    QVERIFY(!action(w, "redo")->isEnabled());
    QCOMPARE(app.fakes.messages.questions.size(), 1);
}

void UndoWindowTest::blackSquaresAskTheSaveQuestionAtExit() {
    TestApp app;
    TMainForm& w = app.start();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    trigger(w, "Placercasesnoires1");
    QVERIFY(w.document().isModified());
    QTest::keyClick(w.StringGrid1, Qt::Key_X, Qt::AltModifier);
    QCOMPARE(app.fakes.messages.questions, QStringList{"Enregistrer changements dans  ?"});
    QVERIFY(w.isVisible()); // "Annuler" keeps the program running
    // Undone, there is nothing left to lose: Alt+X closes without a word.
    trigger(w, "undo");
    QTest::keyClick(w.StringGrid1, Qt::Key_X, Qt::AltModifier);
    QCOMPARE(app.fakes.messages.questions.size(), 1);
    QVERIFY(!w.isVisible());
}

void UndoWindowTest::blackSquaresOverLettersAreOneStepBack() {
    TestApp app;
    TMainForm& w = app.start();
    const char* word = "ABRICOT";
    for (int r = 1; r <= 7; ++r)
        for (int c = 1; c <= 7; ++c)
            typeOn(w, c, r, char(word[(c + r) % 7] + 32));
    const State letters(w.grille());
    trigger(w, "Placercasesnoires1");
    // No question: the letters the placement covers come back with one undo.
    QCOMPARE(app.fakes.messages.total(), 0);
    QVERIFY(!(State(w.grille()) == letters));
    trigger(w, "undo");
    QVERIFY(State(w.grille()) == letters);
}

void UndoWindowTest::saveAsAsksBeforeReplacingAFile() {
    TestApp app;
    TMainForm& w = app.start();
    typeOn(w, 1, 1, 'a');
    app.fakes.files.savePaths << app.path("fini");
    trigger(w, "Enregistrersous1");
    QVERIFY(app.fakes.messages.confirmations.isEmpty()); // a new file: no question
    const QByteArray finished = app.readFile("fini.grd");

    trigger(w, "NewItem");
    typeOn(w, 5, 5, 'z');
    // "&Non" goes back to the dialog, which is then cancelled.
    app.fakes.files.savePaths << app.path("fini");
    app.fakes.messages.confirmAnswers << false;
    trigger(w, "Enregistrersous1");
    QCOMPARE(app.fakes.messages.confirmations,
             QStringList{"Le fichier fini.grd existe déjà. Voulez-vous le remplacer ?"});
    // The dialog again after "&Non"; once it is cancelled, nothing more.
    QCOMPARE(app.fakes.files.saveFilters.size(), 3);
    QCOMPARE(app.readFile("fini.grd"), finished);
    QVERIFY(w.document().isModified());
    QVERIFY(w.document().fileName().isEmpty());

    // "&Non", then another name: that one is written.
    app.fakes.files.savePaths << app.path("fini.grd") << app.path("autre");
    app.fakes.messages.confirmAnswers << false;
    trigger(w, "Enregistrersous1");
    QCOMPARE(app.readFile("fini.grd"), finished);
    QVERIFY(!app.readFile("autre.grd").isEmpty());
    QCOMPARE(w.document().shortName(), QStringLiteral("autre.grd"));

    // The grid's own file: "&Non", then a cancelled dialog writes nothing.
    app.fakes.files.savePaths << app.path("autre");
    app.fakes.messages.confirmAnswers << false;
    typeOn(w, 4, 4, 'x');
    const QByteArray other = app.readFile("autre.grd");
    trigger(w, "Enregistrersous1");
    QCOMPARE(app.readFile("autre.grd"), other);
    QVERIFY(w.document().isModified());
    QCOMPARE(app.fakes.messages.confirmations.size(), 3);

    // "&Oui" replaces it; the plain save of a named grid asks nothing.
    app.fakes.files.savePaths << app.path("fini");
    app.fakes.messages.confirmAnswers << true;
    trigger(w, "Enregistrersous1");
    QVERIFY(app.readFile("fini.grd") != finished);
    QCOMPARE(w.document().shortName(), QStringLiteral("fini.grd"));
    QVERIFY(!w.document().isModified());
    typeOn(w, 6, 6, 'y');
    trigger(w, "Enregistrer1");
    QCOMPARE(app.fakes.messages.confirmations.size(), 4);
    QVERIFY(!w.document().isModified());
}

QTEST_MAIN(UndoWindowTest)
#include "undo_window_test.moc"
