// Fills to choose from, through the real main window: « Autre remplissage »
// gives every other fill of the last fill's cells once and no more, each as
// one undoable step, keeping the setter's letters and the words he keeps;
// « Remplir la sélection » fills the selected rectangle (chosen with Shift
// and the arrows or by dragging the mouse) and never changes another cell.
#include "common/string_grid.h"
#include "dictionary/word_scores.h"
#include "fill/fill_controller.h"
#include "fill/fill_progress_window.h"
#include "fill/grid_fill.h"
#include "grid/grid_slots.h"
#include "grid/grid_text.h"
#include "support/controller_harness.h"
#include "support/fill_checker.h"
#include "support/synthetic_words.h"
#include "support/test_app.h"
#include "support/word_lists.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <thread>

using namespace orv;
using namespace orv::test;

namespace {

QByteArray bytes(std::initializer_list<char> letters) {
    return QByteArray(letters.begin(), qsizetype(letters.size()));
}

// Triggers a command that runs a fill, the progress window left to close
// itself when the search ends.
void runFill(TestApp& app, TMainForm& w, const char* command) {
    app.fakes.modal.scripts.append(
        [](QDialog& window) { QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 60000); });
    trigger(w, command);
}

// Every 2-letter word over A, B and C: a 2x2 corner has a known number of
// fills, counted here by trying every letter in every cell.
QList<QByteArray> twoLetterWords() {
    QList<QByteArray> words;
    for (char a : {'A', 'B', 'C'})
        for (char b : {'A', 'B', 'C'})
            words.append(bytes({a, b}));
    return words;
}

// The 2x2 corner's fills with four different words (rows ab, cd; columns ac,
// bd); with a first row given, only those with it.
int cornerFills(const QByteArray& firstRow = {}) {
    int n = 0;
    const QByteArray letters = "ABC";
    for (char a : letters)
        for (char b : letters)
            for (char c : letters)
                for (char d : letters) {
                    const QList<QByteArray> words{bytes({a, b}), bytes({c, d}), bytes({a, c}),
                                                  bytes({b, d})};
                    if (QSet<QByteArray>(words.begin(), words.end()).size() == 4 &&
                        (firstRow.isEmpty() || words[0] == firstRow))
                        ++n;
                }
    return n;
}

QByteArray corner(const Grille& g) {
    return bytes({g.cell(1, 1), g.cell(2, 1), g.cell(1, 2), g.cell(2, 2)});
}

const char kCorner[] = "..#####\n..#####\n#######\n#######\n#######\n#######\n#######\n";

// « Autre remplissage » until the program says none is left: the corners
// given, in order (the grid as it stands first).
QList<QByteArray> everyOtherFill(TestApp& app, TMainForm& w) {
    QList<QByteArray> given{corner(w.grille())};
    const QString none = QStringLiteral("Il n'y a pas d'autre remplissage.");
    for (int k = 0; k < 60 && !app.fakes.messages.infos.contains(none); ++k) {
        runFill(app, w, "otherFill");
        if (!app.fakes.messages.infos.contains(none))
            given.append(corner(w.grille()));
    }
    return given;
}

// A fill controller alone on a document holding these words, with this grid.
void startFills(ControllerHarness& h, const QList<QByteArray>& words, const Grille& layout) {
    QFile file(h.path(QStringLiteral("Dicogrd.dat")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(dictionaryFile(words));
    file.close();
    Dictionary& dictionary = h.doc.dictionary();
    dictionary.load();
    dictionary.check();
    QVERIFY(dictionary.index().wordCount() > 0);
    h.doc.start();
    h.make<FillController>();
    Grille g = h.doc.grille();
    g.NbLignes = layout.NbLignes;
    g.NbColonnes = layout.NbColonnes;
    for (int c = 1; c < layout.NbColonnes; ++c)
        for (int r = 1; r < layout.NbLignes; ++r)
            g.cell(c, r) = layout.cell(c, r);
    h.doc.applyGridChange(gridDifference(h.doc.grille(), g, QStringLiteral("test")));
}

// Waits, without processing the events (the window stays as it is, its end
// not yet answered), until `done`; false after 60 s.
bool holdUntil(const std::function<bool()>& done) {
    QDeadlineTimer deadline(60000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// In the progress window, once its search holds a fill: « Autre remplissage »,
// then the window's own events (and nothing queued meanwhile) until the fill
// is in the grid and the next search has started.
void askAnotherFill(ControllerHarness& h, FillProgressWindow& window) {
    QVERIFY(holdUntil([&] { return window.fillFound(); }));
    const int steps = h.doc.undoCount();
    window.otherFill();
    QVERIFY(holdUntil([&] {
        QCoreApplication::sendPostedEvents(&window, QEvent::MetaCall);
        return h.doc.undoCount() > steps;
    }));
    QCOMPARE(h.doc.undoCount(), steps + 1);
}

} // namespace

class FillChoiceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void otherFillsNeverRepeatUntilNoneIsLeft();
    void keptWordStaysInEveryOtherFill();
    void threeOtherFillsAreThreeUndoableSteps();
    void selectionFillNeverChangesAnotherCell();
    void progressWindowWalksThroughEveryFill();
    void progressWindowTakesTheFillOfASearchForBetterWords();
};

void FillChoiceTest::otherFillsNeverRepeatUntilNoneIsLeft() {
    TestApp app;
    TMainForm& w = startWith(app, twoLetterWords());
    QAction* other = child<QAction>(&w, "otherFill");
    QVERIFY(other);
    QCOMPARE(other->text(), QStringLiteral("&Autre remplissage"));
    QVERIFY(!other->isEnabled()); // nothing filled yet
    setGrid(w, readGridText(kCorner));
    runFill(app, w, "fill");
    QVERIFY(other->isEnabled());

    const QList<QByteArray> given = everyOtherFill(app, w);
    QCOMPARE(app.fakes.messages.infos, QStringList{"Il n'y a pas d'autre remplissage."});
    // Every fill of the corner, each once.
    QCOMPARE(QSet<QByteArray>(given.begin(), given.end()).size(), given.size());
    QCOMPARE(given.size(), cornerFills());
    const QList<QByteArray> list = twoLetterWords();
    const QSet<QByteArray> words(list.begin(), list.end());
    // The last one stays when none is left.
    QCOMPARE(corner(w.grille()), given.last());
    const QStringList problems = fillProblems(readGridText(kCorner), w.grille(), words);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
}

void FillChoiceTest::keptWordStaysInEveryOtherFill() {
    TestApp app;
    TMainForm& w = startWith(app, twoLetterWords());
    QAction* keep = child<QAction>(&w, "keepWord");
    QVERIFY(keep);
    QCOMPARE(keep->text(), QStringLiteral("&Garder ce mot"));
    QVERIFY(w.StringGrid1->actions().contains(keep)); // under the right button too
    setGrid(w, readGridText(kCorner));
    runFill(app, w, "fill");
    const QByteArray row = corner(w.grille()).left(2);
    QVERIFY(w.StringGrid1->setCurrent(2, 1));
    trigger(w, "keepWord");
    QVERIFY(w.panel0->text().startsWith(QString::fromLatin1(row) + QStringLiteral(" gardé")));

    const QList<QByteArray> given = everyOtherFill(app, w);
    for (const QByteArray& c : given)
        QCOMPARE(c.left(2), row);
    QCOMPARE(QSet<QByteArray>(given.begin(), given.end()).size(), given.size());
    QCOMPARE(given.size(), cornerFills(row));
    QVERIFY(given.size() > 1);
}

void FillChoiceTest::threeOtherFillsAreThreeUndoableSteps() {
    TestApp app;
    const std::vector<QByteArray> list = syntheticWords();
    TMainForm& w = startWith(app, listOf(list));
    // The setter's two letters.
    Grille start = readGridText(kSevenBySeven);
    start.cell(2, 2) = 'S';
    start.cell(6, 7) = 'E';
    setGrid(w, start);
    runFill(app, w, "fill");
    QList<QByteArray> grids{gridText(w.grille())};
    for (int k = 0; k < 3; ++k) {
        runFill(app, w, "otherFill");
        QVERIFY2(app.fakes.messages.infos.isEmpty(),
                 qPrintable(app.fakes.messages.infos.join('|')));
        grids.append(gridText(w.grille()));
        QVERIFY(grids.last() != grids[k]);
        const QSet<QByteArray> words(list.begin(), list.end());
        const QStringList problems = fillProblems(start, w.grille(), words);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }
    QCOMPARE(QSet<QByteArray>(grids.begin(), grids.end()).size(), 4);
    // Each step undoes to the grid before it, then the fill to the start.
    for (int k = 2; k >= 0; --k) {
        trigger(w, "undo");
        QCOMPARE(gridText(w.grille()), grids[k]);
    }
    trigger(w, "undo");
    QCOMPARE(gridText(w.grille()), gridText(start));
    // Redone to the first fill, the next one differs from all four seen.
    trigger(w, "redo");
    QCOMPARE(gridText(w.grille()), grids[0]);
    runFill(app, w, "otherFill");
    QVERIFY(app.fakes.messages.infos.isEmpty());
    QVERIFY(!grids.contains(gridText(w.grille())));
}

void FillChoiceTest::selectionFillNeverChangesAnotherCell() {
    TestApp app;
    const std::vector<QByteArray> list = syntheticWords();
    TMainForm& w = startWith(app, listOf(list));
    setGrid(w, readGridText(kSevenBySeven));
    QAction* fillSelection = child<QAction>(&w, "fillSelection");
    QVERIFY(fillSelection);
    QCOMPARE(fillSelection->text(), QStringLiteral("Rempl&ir la sélection"));
    QVERIFY(!fillSelection->isEnabled());

    // Shift and the arrows: from C2, three columns and three rows.
    StringGrid& grid = *w.StringGrid1;
    QVERIFY(grid.setCurrent(3, 2));
    grid.setFocus();
    for (auto key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down})
        QTest::keyClick(&grid, key, Qt::ShiftModifier);
    QCOMPARE(grid.selection(), QRect(QPoint(3, 2), QPoint(5, 4)));
    QVERIFY(fillSelection->isEnabled());

    const Grille before = w.grille();
    runFill(app, w, "fillSelection");
    QCOMPARE(app.fakes.messages.infos, QStringList{});
    const Grille after = w.grille();
    const QRect sel = grid.selection();
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r) {
            if (!sel.contains(c, r))
                QCOMPARE(after.cell(c, r), before.cell(c, r));
            else if (before.cell(c, r) != '#')
                QVERIFY(isLetterCell(after.cell(c, r)));
        }
    // The selected letters extend to a full fill.
    WordIndex index;
    index.buildFromPlain(list);
    QCOMPARE(fillGrid(after, index).status, FillStatus::Filled);
    // « Autre remplissage » after it fills the same cells again, and only them.
    runFill(app, w, "otherFill");
    QCOMPARE(app.fakes.messages.infos, QStringList{});
    QVERIFY(gridText(w.grille()) != gridText(after));
    for (int c = 1; c <= 7; ++c)
        for (int r = 1; r <= 7; ++r)
            if (!sel.contains(c, r))
                QCOMPARE(w.grille().cell(c, r), before.cell(c, r));
    trigger(w, "undo");
    trigger(w, "undo");
    QCOMPARE(gridText(w.grille()), gridText(before));

    // An arrow alone leaves the selection; a drag of the mouse makes one.
    QTest::keyClick(&grid, Qt::Key_Left);
    QVERIFY(grid.selection().isNull());
    QVERIFY(!fillSelection->isEnabled());
    QTest::mousePress(&grid, Qt::LeftButton, {}, grid.cellRect(2, 5).center());
    QTest::mouseMove(&grid, grid.cellRect(3, 6).center());
    QTest::mouseMove(&grid, grid.cellRect(4, 7).center());
    QTest::mouseRelease(&grid, Qt::LeftButton, {}, grid.cellRect(4, 7).center());
    QCOMPARE(grid.selection(), QRect(QPoint(2, 5), QPoint(4, 7)));
    QVERIFY(fillSelection->isEnabled());

    // A letter no word holds, outside the selection: no fill completes it,
    // and the grid stays as it was.
    Grille blocked = before;
    const Cell z = before.cell(7, 1) != '#' ? Cell{7, 1} : Cell{6, 1};
    QVERIFY(before.cell(z) != '#');
    blocked.cell(z) = 'Z';
    setGrid(w, blocked);
    const int steps = w.document().undoCount();
    runFill(app, w, "fillSelection");
    QCOMPARE(app.fakes.messages.infos,
             QStringList{"Aucun remplissage de la grille ne complète la sélection avec les mots "
                         "du dictionnaire : la grille est restée telle quelle."});
    QCOMPARE(gridText(w.grille()), gridText(blocked));
    QCOMPARE(w.document().undoCount(), steps);
}

// « Autre remplissage » in the progress window, asked as soon as each search
// holds a fill: one window for the whole walk, each fill one undo step, every
// fill of the corner once, then the usual message.
void FillChoiceTest::progressWindowWalksThroughEveryFill() {
    ControllerHarness h;
    startFills(h, twoLetterWords(), readGridText(kCorner));
    const int start = h.doc.undoCount();
    QList<QByteArray> given;
    h.fakes.modal.settle = false;
    h.fakes.modal.scripts.append([&](QDialog& d) {
        auto* window = qobject_cast<FillProgressWindow*>(&d);
        QVERIFY(window);
        QCOMPARE(window->OtherFillButton->text(), QStringLiteral("&Autre remplissage"));
        QVERIFY(!window->OtherFillButton->isEnabled()); // no fill yet
        for (int k = 0; k < cornerFills(); ++k) {
            askAnotherFill(h, *window);
            QVERIFY(window->isVisible());
            given.append(corner(h.doc.grille()));
        }
        QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 60000);
    });
    h.trigger("fill");
    QCOMPARE(h.fakes.modal.shown, QStringList{"FillProgress"});
    QCOMPARE(h.fakes.messages.infos, QStringList{"Il n'y a pas d'autre remplissage."});
    QCOMPARE(given.size(), cornerFills());
    QCOMPARE(QSet<QByteArray>(given.begin(), given.end()).size(), given.size());
    QCOMPARE(h.doc.undoCount(), start + cornerFills());
    QCOMPARE(corner(h.doc.grille()), given.last());
    // The menu's command knows those fills too: none is left.
    h.trigger("otherFill");
    QCOMPARE(h.fakes.messages.infos.size(), 2);
    QCOMPARE(h.doc.undoCount(), start + cornerFills());
    // Each fill undoes to the one before it.
    for (int k = int(given.size()) - 2; k >= 0; --k) {
        h.doc.undo();
        QCOMPARE(corner(h.doc.grille()), given[k]);
    }
}

// A fill that searches for better words after its first fill: asked in the
// window, « Autre remplissage » takes the fill the search holds and gives
// another, the window closing by itself at the end of that search; two undo
// steps lead back to the empty grid.
void FillChoiceTest::progressWindowTakesTheFillOfASearchForBetterWords() {
    ControllerHarness h;
    const std::vector<QByteArray> words = syntheticWords();
    const Grille layout = readGridText(kSevenBySeven);
    startFills(h, listOf(words), layout);
    for (const QByteArray& word : words)
        h.doc.dictionary().setUserScore(word, kUnknownScore);
    for (const QByteArray& word : oneWordIn25(words))
        h.doc.dictionary().setUserScore(word, 60);
    const QByteArray empty = gridText(h.doc.grille());
    const int start = h.doc.undoCount();
    QByteArray first;
    h.fakes.modal.settle = false;
    h.fakes.modal.scripts.append([&](QDialog& d) {
        auto* window = qobject_cast<FillProgressWindow*>(&d);
        QVERIFY(window);
        askAnotherFill(h, *window);
        first = gridText(h.doc.grille());
        QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 60000);
    });
    h.trigger("fill");
    QCOMPARE(h.fakes.modal.shown, QStringList{"FillProgress"});
    QCOMPARE(h.fakes.messages.infos, QStringList{});
    QCOMPARE(h.doc.undoCount(), start + 2);
    const QSet<QByteArray> wordSet(words.begin(), words.end());
    const Grille second = h.doc.grille();
    QVERIFY(gridText(second) != first);
    QStringList problems = fillProblems(layout, second, wordSet);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    h.doc.undo();
    QCOMPARE(gridText(h.doc.grille()), first);
    problems = fillProblems(layout, h.doc.grille(), wordSet);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    h.doc.undo();
    QCOMPARE(gridText(h.doc.grille()), empty);
}

QTEST_MAIN(FillChoiceTest)
#include "fill_choice_test.moc"
