// "Créer une grille complète..." driven through the real menu command, its
// dialog and the progress window, with the fake services: the dialog's
// choices reach the maker, the grid made is one undoable change, and Stop,
// Annuler or an impossible request leave the grid as it was.
#include "common/string_grid.h"
#include "fill/grid_maker_dialog.h"
#include "grid/grid_text.h"
#include "support/synthetic_words.h"
#include "support/test_app.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

using namespace orv;
using namespace orv::test;

namespace {

void typeOn(TMainForm& w, int col, int row, char key) {
    QVERIFY(w.StringGrid1->setCurrent(col, row));
    QTest::keyClick(w.StringGrid1, key);
}

// The dialog's script: checks its default maximum, sets the choices, presses a button.
FakeModal::Script choose(int expectedDefault, int maxBlacks, bool symmetric, const char* button) {
    return [=](QDialog& d) {
        auto* max = child<QSpinBox>(&d, "maxBlackSquares");
        QVERIFY(max);
        QCOMPARE(max->value(), expectedDefault);
        max->setValue(maxBlacks);
        child<QCheckBox>(&d, "Symetrie")->setChecked(symmetric);
        QTest::mouseClick(child<QPushButton>(&d, button), Qt::LeftButton);
    };
}

// The progress window's script: waits until the work ends and the window closes.
FakeModal::Script waitForTheEnd() {
    return [](QDialog& d) { QTRY_VERIFY_WITH_TIMEOUT(!d.isVisible(), 60000); };
}

int blacksOf(const Grille& g) {
    int n = 0;
    for (int r = 1; r < g.NbLignes; ++r)
        for (int c = 1; c < g.NbColonnes; ++c)
            n += g.cell(c, r) == '#';
    return n;
}

} // namespace

class GridMakerWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void madeGridIsOneUndoableChange();
    void stopLeavesTheGridAsItWas();
    void cancelAndImpossibleChangeNothing();
    void vocabularyReachesTheMaker();
};

void GridMakerWindowTest::madeGridIsOneUndoableChange() {
    TestApp app;
    TMainForm& w = startWith(app, listOf(syntheticWords()));
    typeOn(w, 1, 1, 's');
    typeOn(w, 2, 1, 'e');
    typeOn(w, 3, 1, 'l');
    typeOn(w, 5, 4, ' ');
    const Grille typed = w.document().grille();
    const int stepsBefore = w.document().undoCount();

    // 7 by 7 playing cells: 12 % of 49 rounds to 6.
    app.fakes.modal.scripts << choose(6, 9, true, "BoutonOK") << waitForTheEnd();
    trigger(w, "makeGrid");
    QCOMPARE(app.fakes.modal.shown,
             QStringList({QStringLiteral("GridMakerDialog"), QStringLiteral("FillProgress")}));
    QVERIFY2(app.fakes.messages.total() == 0, qPrintable(app.fakes.messages.infos.join(u'|')));

    const Grille& made = w.document().grille();
    QCOMPARE(made.cell(1, 1), 'S');
    QCOMPARE(made.cell(2, 1), 'E');
    QCOMPARE(made.cell(3, 1), 'L');
    QCOMPARE(made.cell(5, 4), '#');
    QVERIFY(blacksOf(made) <= 9);
    for (int r = 1; r <= 7; ++r)
        for (int c = 1; c <= 7; ++c) {
            const char ch = made.cell(c, r);
            QVERIFY((ch >= 'A' && ch <= 'Z') || ch == '#');
            QCOMPARE(ch == '#', made.cell(8 - c, 8 - r) == '#'); // the symmetry asked for
        }
    QVERIFY(w.document().isModified());
    QCOMPARE(w.document().undoCount(), stepsBefore + 1);

    trigger(w, "undo");
    QCOMPARE(w.document().grille().Cases, typed.Cases);
}

void GridMakerWindowTest::stopLeavesTheGridAsItWas() {
    TestApp app;
    TMainForm& w = startWith(app, listOf(sparseLongWords()));
    editGrid(w, [](Grille& g) {
        g.NbLignes = 21;
        g.NbColonnes = 21;
        g.cell(4, 2) = 'E';
    });
    w.document().markSaved();
    const Grille before = w.document().grille();
    const int steps = w.document().undoCount();

    // 20 by 20: 12 % of 400 is 48; 30 black squares leave runs that few words fit.
    app.fakes.modal.scripts << choose(48, 30, false, "BoutonOK") << [](QDialog& d) {
        auto* placed = child<QLabel>(&d, "PlacedLabel");
        QTRY_VERIFY_WITH_TIMEOUT(placed->text().startsWith(u"Mots placés"), 20000);
        QTest::mouseClick(child<QPushButton>(&d, "StopButton"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!d.isVisible(), 20000);
    };
    trigger(w, "makeGrid");
    QCOMPARE(
        app.fakes.messages.infos,
        QStringList(QStringLiteral("Création de la grille arrêtée : la grille n'a pas changé.")));
    QCOMPARE(w.document().grille().Cases, before.Cases);
    QCOMPARE(w.document().undoCount(), steps);
    QVERIFY(!w.document().isModified());

    // Closing the progress window stops the work the same way.
    app.fakes.messages.infos.clear();
    app.fakes.modal.scripts << choose(48, 30, false, "BoutonOK");
    trigger(w, "makeGrid");
    QCOMPARE(app.fakes.messages.infos.size(), 1);
    QCOMPARE(w.document().grille().Cases, before.Cases);
}

void GridMakerWindowTest::cancelAndImpossibleChangeNothing() {
    TestApp app;
    TMainForm& w = startWith(app, listOf(syntheticWords()));
    typeOn(w, 2, 2, ' ');
    typeOn(w, 3, 2, ' ');
    const Grille before = w.document().grille();

    app.fakes.modal.scripts << choose(6, 6, false, "cancelButton");
    trigger(w, "makeGrid");
    QCOMPARE(app.fakes.modal.shown, QStringList(QStringLiteral("GridMakerDialog")));
    QCOMPARE(app.fakes.messages.total(), 0);
    QCOMPARE(w.document().grille().Cases, before.Cases);

    // Two black squares typed side by side, and the dialog does not allow it.
    app.fakes.modal.scripts << choose(6, 6, false, "BoutonOK") << waitForTheEnd();
    trigger(w, "makeGrid");
    QCOMPARE(app.fakes.messages.infos,
             QStringList(QStringLiteral("Impossible de créer la grille : Deux cases noires de la "
                                        "grille se touchent en B2.")));
    QCOMPARE(w.document().grille().Cases, before.Cases);
}

void GridMakerWindowTest::vocabularyReachesTheMaker() {
    // The user scored every word below "Mots courants" but above the floor of
    // the whole dictionary.
    TestApp app;
    QList<QByteArray> lowered;
    for (const QByteArray& word : syntheticWords())
        lowered << word + "\t15";
    app.writeFile(QStringLiteral("Dicoscore.dat"), crlfLines(lowered));
    TMainForm& w = startWith(app, listOf(syntheticWords()));
    const Grille before = w.document().grille();

    auto make = [&](int vocabulary) {
        app.fakes.modal.scripts << [vocabulary](QDialog& d) {
            child<QComboBox>(&d, "Vocabulaire")->setCurrentIndex(vocabulary);
            QTest::mouseClick(child<QPushButton>(&d, "BoutonOK"), Qt::LeftButton);
        } << waitForTheEnd();
        trigger(w, "makeGrid");
    };
    make(0); // "Mots courants": no word left
    QCOMPARE(app.fakes.messages.infos.size(), 1);
    QVERIFY2(app.fakes.messages.infos[0].startsWith(u"Impossible de créer la grille"),
             qPrintable(app.fakes.messages.infos[0]));
    QCOMPARE(w.document().grille().Cases, before.Cases);

    make(2); // "Tout le dictionnaire"
    QCOMPARE(app.fakes.messages.infos.size(), 1);
    QVERIFY(w.document().grille().Cases != before.Cases);
    QVERIFY(!gridText(w.document().grille()).contains('.'));
}

QTEST_MAIN(GridMakerWindowTest)
#include "grid_maker_window_test.moc"
