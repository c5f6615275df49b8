// « Créer une grille de mots fléchés » and « Remplir » in the arrow-word
// window, through the real command, the progress window and the fake
// services: a made grid of the window's size passes the layout check with
// every cell filled, as one undo step; a layout is filled with its clues
// kept; a broken layout, an empty dictionary and the time running out leave
// the grid as it was.
#include "arrowword/arrow_maker.h"
#include "arrowword/arrow_word_controller.h"
#include "arrowword/arrow_word_window.h"
#include "dictionary/word_list.h"
#include "document/document.h"
#include "support/arrow_grids.h"
#include "support/controller_harness.h"
#include "support/synthetic_words.h"

#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

using namespace orv;
using namespace orv::test;

namespace {

void loadSyntheticWords(Document& doc) {
    WordBatch batch;
    for (const QByteArray& w : syntheticWords())
        batch.addPlain(w);
    batch.finish();
    doc.dictionary().importWords(std::move(batch));
}

// The progress window's script: waits until the work ends and the window closes.
FakeModal::Script waitForTheEnd() {
    return [](QDialog& d) { QTRY_VERIFY_WITH_TIMEOUT(!d.isVisible(), 60000); };
}

// Opens a new grid of this size in the window and runs `script` on it.
void onNewGrid(ControllerHarness& h, int rows, int columns,
               std::function<void(ArrowWordWindow&)> script) {
    h.fakes.modal.scripts.append([rows, columns](QDialog& d) {
        auto& size = dynamic_cast<ArrowSizeDialog&>(d);
        size.rowsBox->setValue(rows);
        size.columnsBox->setValue(columns);
        size.accept();
    });
    h.fakes.modal.scripts.append(
        [script](QDialog& d) { script(dynamic_cast<ArrowWordWindow&>(d)); });
    h.trigger("newArrowGrid");
}

} // namespace

class ArrowMakeWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void madeThenFilled();
    void refusalsLeaveTheGrid();
};

void ArrowMakeWindowTest::madeThenFilled() {
    ControllerHarness h;
    h.make<ArrowWordController>();
    loadSyntheticWords(h.doc);
    ArrowGrid made;
    onNewGrid(h, 7, 9, [&](ArrowWordWindow& w) {
        const ArrowGrid empty = w.document().grid();
        h.fakes.modal.scripts.prepend(waitForTheEnd());
        QTest::mouseClick(w.makeButton, Qt::LeftButton);
        made = w.document().grid();
        QCOMPARE(made.rows(), 7);
        QCOMPARE(made.columns(), 9);
        QVERIFY(checkArrowLayout(made).empty());
        QVERIFY(allLettersFilled(made));
        QCOMPARE(w.undoButton->isEnabled(), true);
        QCOMPARE(w.document().undoLabel(), QStringLiteral("Création de la grille"));
        QVERIFY(w.problems->count() == 1); // « La grille est bien construite. »
        w.undoClick();
        QVERIFY(w.document().grid() == empty);
        w.redoClick();
        QVERIFY(w.document().grid() == made);

        // The layout emptied, a clue written: « Remplir » fills every word.
        ArrowGrid layout = withoutLetters(made);
        layout.setClueText({1, 1}, 0, QStringLiteral("Au coin"));
        w.startGrid(layout);
        h.fakes.modal.scripts.prepend(waitForTheEnd());
        QTest::mouseClick(w.fillButton, Qt::LeftButton);
        const ArrowGrid filled = w.document().grid();
        QVERIFY(allLettersFilled(filled));
        QVERIFY(checkArrowLayout(filled).empty());
        QVERIFY(withoutLetters(filled) == layout);
        QCOMPARE(w.document().undoLabel(), QStringLiteral("Remplissage"));
        w.undoClick();
        QVERIFY(w.document().grid() == layout);
    });
    // Nothing told but the question of the changes at closing.
    QCOMPARE(h.fakes.messages.questions.size(), 1);
    QVERIFY2(h.fakes.messages.infos.isEmpty() && h.fakes.messages.errors.isEmpty(),
             qPrintable(h.fakes.messages.infos.join(u'|') + h.fakes.messages.errors.join(u'|')));
    QCOMPARE(h.fakes.modal.shown,
             QStringList({"ArrowSizeDialog", "ArrowWordWindow", "FillProgress", "FillProgress"}));
    // Different seeds from the random source give different grids.
    h.fakes.random.next = {12345};
    ArrowGrid other;
    onNewGrid(h, 7, 9, [&](ArrowWordWindow& w) {
        h.fakes.modal.scripts.prepend(waitForTheEnd());
        QTest::mouseClick(w.makeButton, Qt::LeftButton);
        other = w.document().grid();
    });
    QVERIFY(checkArrowLayout(other).empty());
    QVERIFY(!(other == made));
}

void ArrowMakeWindowTest::refusalsLeaveTheGrid() {
    ControllerHarness h;
    h.make<ArrowWordController>();
    onNewGrid(h, 7, 9, [&](ArrowWordWindow& w) {
        // No words: told so, nothing changes.
        const ArrowGrid before = w.document().grid();
        QTest::mouseClick(w.makeButton, Qt::LeftButton);
        QCOMPARE(h.fakes.messages.infos.value(0),
                 QStringLiteral("Le dictionnaire ne contient aucun mot."));
        QVERIFY(w.document().grid() == before);
        QVERIFY(!w.document().canUndo());

        // A layout with a fault is not filled: the error names it.
        loadSyntheticWords(h.doc);
        QTest::mouseClick(w.fillButton, Qt::LeftButton);
        QCOMPARE(h.fakes.messages.errors.size(), 1);
        QVERIFY2(h.fakes.messages.errors[0].contains(
                     QStringLiteral("La grille de mots fléchés ne peut être remplie")),
                 qPrintable(h.fakes.messages.errors[0]));
        QVERIFY(w.document().grid() == before);

        // No grid within the time allowed: told so, the grid stays.
        w.words.timeLimitSeconds = 1e-9;
        h.fakes.modal.scripts.prepend(waitForTheEnd());
        QTest::mouseClick(w.makeButton, Qt::LeftButton);
        QCOMPARE(h.fakes.messages.infos.size(), 2);
        QVERIFY2(h.fakes.messages.infos[1].endsWith(
                     QStringLiteral("secondes : la grille n'a pas changé.")),
                 qPrintable(h.fakes.messages.infos[1]));
        QVERIFY(w.document().grid() == before);
        QVERIFY(!w.document().canUndo());
    });
}

QTEST_MAIN(ArrowMakeWindowTest)
#include "arrow_make_window_test.moc"
