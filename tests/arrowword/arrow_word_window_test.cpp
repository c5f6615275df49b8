// The arrow-word window driven as a user would: « Nouvelle grille de mots
// fléchés... », definition cells and arrows made with the keys and the cell
// menu, clues and letters typed, undo and redo, saved, reopened unchanged.
#include "arrowword/arrow_file.h"
#include "arrowword/arrow_word_controller.h"
#include "arrowword/arrow_word_window.h"
#include "support/arrow_grids.h"
#include "support/controller_harness.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

using namespace orv;
using namespace orv::test;
using D = ArrowDirection;

namespace {

void clickCell(ArrowWordWindow& w, Cell cell, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(w.view, button, {}, w.view->cellCentre(cell).toPoint());
}

QAction* menuAction(ArrowWordWindow& w, const QString& name) {
    QMenu* menu = w.cellMenu();
    for (QAction* a : menu->actions())
        if (a->objectName() == name)
            return a;
    return nullptr;
}

} // namespace

class ArrowWordWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newGridEditedSavedAndReopened();
    void openRefusesABrokenFile();
};

void ArrowWordWindowTest::newGridEditedSavedAndReopened() {
    ControllerHarness h;
    h.make<ArrowWordController>();
    const QString saved = h.path(QStringLiteral("essai.fleches"));
    ArrowGrid edited;
    h.fakes.modal.scripts.append([](QDialog& d) {
        auto& size = dynamic_cast<ArrowSizeDialog&>(d);
        size.rowsBox->setValue(9);
        size.columnsBox->setValue(11);
        size.accept();
    });
    h.fakes.modal.scripts.append([&](QDialog& d) {
        auto& w = dynamic_cast<ArrowWordWindow&>(d);
        QCOMPARE(w.document().grid().rows(), 9);
        QCOMPARE(w.document().grid().columns(), 11);
        // A1 by the keys: a definition cell with ↴ (key 3) and ↓ (Ctrl+Down).
        w.view->setFocus();
        QTest::keyClick(w.view, Qt::Key_Space);
        QTest::keyClick(w.view, '3');
        QTest::keyClick(w.view, Qt::Key_Down, Qt::ControlModifier);
        const ArrowCell& a1 = w.document().grid().at({1, 1});
        QVERIFY(a1.definition);
        QCOMPARE(a1.clues.size(), std::size_t(2));
        QCOMPARE(a1.clues[0].direction, D::RightThenDown);
        QCOMPARE(a1.clues[1].direction, D::Down);
        // Its first clue typed in the side panel after Enter.
        QTest::keyClick(w.view, Qt::Key_Return);
        QVERIFY(w.clueEdits[0]->hasFocus());
        QTest::keyClicks(w.clueEdits[0], QStringLiteral("Fleuve "));
        w.clueEdits[0]->insert(QStringLiteral("côtier")); // as a compose key would
        QTest::keyClick(w.clueEdits[0], Qt::Key_Return);
        QCOMPARE(w.document().grid().at({1, 1}).clues[0].text, QStringLiteral("Fleuve côtier"));

        // C1 with the mouse: the cell menu makes it a definition cell with → .
        clickCell(w, {3, 1});
        QCOMPARE(w.current(), (Cell{3, 1}));
        menuAction(w, QStringLiteral("definitionAction"))->trigger();
        QVERIFY(w.document().grid().isDefinition({3, 1}));
        QAction* right = menuAction(w, QStringLiteral("arrowAction1"));
        QVERIFY(!right->isChecked());
        right->trigger();
        QVERIFY(menuAction(w, QStringLiteral("arrowAction1"))->isChecked());
        // The side panel's second arrow, stepped down to its last choice, gives ↳ .
        for (int k = 0; k < 4; ++k)
            QTest::keyClick(w.arrowBoxes[1], Qt::Key_Down);
        QCOMPARE(w.document().grid().at({3, 1}).clues.size(), std::size_t(2));
        QCOMPARE(w.document().grid().at({3, 1}).clues[1].direction, D::DownThenRight);

        // Letters typed from B2, accents dropped, the cursor moving right.
        clickCell(w, {2, 2});
        QTest::sendKeyEvent(QTest::Click, w.view, Qt::Key_Eacute, QStringLiteral("é"), {});
        QTest::keyClick(w.view, 't');
        QTest::sendKeyEvent(QTest::Click, w.view, Qt::Key_Eacute, QStringLiteral("é"), {});
        // A1's ↴ word runs down column B from B1.
        QCOMPARE(arrowWordPattern(w.document().grid(), arrowWords(w.document().grid())[0]),
                 QByteArray(".E......."));
        QCOMPARE(w.document().grid().at({2, 2}).letter, 'E');
        QCOMPARE(w.document().grid().at({3, 2}).letter, 'T');
        QCOMPARE(w.document().grid().at({4, 2}).letter, 'E');
        QCOMPARE(w.current(), (Cell{5, 2}));

        // Undo twice, redo once.
        QTest::mouseClick(w.undoButton, Qt::LeftButton);
        QTest::mouseClick(w.undoButton, Qt::LeftButton);
        QCOMPARE(w.document().grid().at({4, 2}).letter, ' ');
        QCOMPARE(w.document().grid().at({3, 2}).letter, ' ');
        QTest::mouseClick(w.redoButton, Qt::LeftButton);
        QCOMPARE(w.document().grid().at({3, 2}).letter, 'T');
        // Backspace on the empty D2 goes back and erases C2.
        clickCell(w, {4, 2});
        QTest::keyClick(w.view, Qt::Key_Backspace);
        QCOMPARE(w.document().grid().at({3, 2}).letter, ' ');
        QCOMPARE(w.current(), (Cell{3, 2}));
        // The layout check lists the faults of the half-made grid.
        QVERIFY(w.problems->count() > 0);
        QVERIFY(
            !w.problems->findItems(QStringLiteral("n'appartient à aucun mot"), Qt::MatchContains)
                 .isEmpty());

        QVERIFY(w.windowTitle().endsWith(QLatin1Char('*')));
        h.fakes.files.savePaths.append(h.path(QStringLiteral("essai")));
        QTest::mouseClick(w.saveButton, Qt::LeftButton);
        QCOMPARE(w.windowTitle(), QStringLiteral("Mots fléchés - essai.fleches"));
        edited = w.document().grid();
    });
    h.trigger("newArrowGrid");
    QCOMPARE(h.fakes.modal.shown,
             QStringList({QStringLiteral("ArrowSizeDialog"), QStringLiteral("ArrowWordWindow")}));
    QVERIFY(h.fakes.messages.errors.isEmpty());
    QVERIFY(QFile::exists(saved));
    QCOMPARE(loadArrowFile(saved), edited);

    // Reopened unchanged; a change left unsaved at closing keeps the file as it was.
    const QByteArray before = arrowFileBytes(edited);
    h.fakes.files.openPaths.append(saved);
    h.fakes.messages.answers.append(MessageService::Answer::No);
    h.fakes.modal.scripts.append([&](QDialog& d) {
        auto& w = dynamic_cast<ArrowWordWindow&>(d);
        QCOMPARE(w.document().grid(), edited);
        QVERIFY(!w.document().modified());
        clickCell(w, {5, 5});
        QTest::keyClick(w.view, 'Z');
        QVERIFY(w.document().modified());
    });
    h.trigger("openArrowGrid");
    QCOMPARE(h.fakes.messages.questions.size(), 1);
    QVERIFY(h.fakes.messages.questions[0].contains(QStringLiteral("Faut-il l'enregistrer")));
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

void ArrowWordWindowTest::openRefusesABrokenFile() {
    ControllerHarness h;
    h.make<ArrowWordController>();
    const QString path = h.path(QStringLiteral("abime.fleches"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "orv-fleches", "version": 1, "rows": 40, "columns": 9})");
    file.close();
    h.fakes.files.openPaths.append(path);
    h.trigger("openArrowGrid");
    QCOMPARE(h.fakes.messages.errors.size(), 1);
    QVERIFY2(h.fakes.messages.errors[0].startsWith(
                 QStringLiteral("Le fichier abime.fleches n'est pas une grille de mots fléchés "
                                "utilisable : la grille a 40 lignes")),
             qPrintable(h.fakes.messages.errors[0]));
    QVERIFY(h.fakes.modal.shown.isEmpty());
    QCOMPARE(h.fakes.files.openFilters, QStringList({arrowFileFilter()}));
}

QTEST_MAIN(ArrowWordWindowTest)
#include "arrow_word_window_test.moc"
