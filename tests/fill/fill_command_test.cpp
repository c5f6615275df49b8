// "Remplir la grille" in the program: the fill lands as one undoable change
// that keeps the typed letters, the progress window counts and stops the
// search, every case that leaves the grid alone says why, and a word set to
// 0 in the browser stays out of the next fill; « Chercher plus de mots
// courants », chosen in the fill options, leaves fewer unknown words.
#include "dictionary/dictionary_browser.h"
#include "dictionary/fill_options_dialog.h"
#include "dictionary/scramble.h"
#include "fill/fill_progress_window.h"
#include "grid/grid_slots.h"
#include "grid/grid_text.h"
#include "support/fill_checker.h"
#include "support/planted_grid.h"
#include "support/synthetic_words.h"
#include "support/test_app.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>

using namespace orv;
using namespace orv::test;

namespace {

// Waits in the progress window until the search closes it.
void waitForTheEnd(QDialog& window) { QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 60000); }

// The grid's words of 3 letters or more scoring below the known words' 50.
int unknownWords(const Grille& g, const WordScores& scores) {
    int unknown = 0;
    const GridSlots slots(g);
    for (const Slot& slot : slots.slots())
        unknown += slot.length() >= 3 && scores.score(slotPattern(g, slot)) < kFrequentScore;
    return unknown;
}

} // namespace

class FillCommandTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The fill options are kept between runs: each test starts from none.
    void init() { QSettings().clear(); }
    void fillsKeepingTypedLettersAsOneStep();
    void progressCountsAndStopLeavesTheGrid();
    void namesTheSlotThatNoWordFits();
    void casesWithNothingToDo();
    void followsTheDictionary();
    void browserScoreKeepsAWordOutOfTheNextFill();
    void thoroughSearchLeavesFewerUnknownWords();
    void refusesAtOnceAndOffersTheGridMaker();
};

void FillCommandTest::fillsKeepingTypedLettersAsOneStep() {
    TestApp app;
    const Planted p = plant(10, 14, 300, 21);
    TMainForm& w = startWith(app, listOf(p.words));
    QAction* fill = child<QAction>(&w, "fill");
    QVERIFY(fill);
    QCOMPARE(fill->text(), QStringLiteral("&Remplir la grille"));
    QCOMPARE(fill->statusTip(),
             QStringLiteral("Remplir les cases vides avec des mots du dictionnaire"));
    QCOMPARE(fill->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));

    Grille start = p.empty;
    for (int c = 2; c <= 10; c += 4)
        if (start.cell(c, 3) != '#')
            start.cell(c, 3) = p.solution.cell(c, 3);
    setGrid(w, start);
    QVERIFY(!w.document().isModified());
    app.fakes.modal.scripts.append([](QDialog& window) {
        QCOMPARE(window.windowTitle(), QStringLiteral("Remplissage de la grille"));
        waitForTheEnd(window);
    });
    QApplication::setActiveWindow(&w);
    QTest::keyClick(&w, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(app.fakes.modal.shown, QStringList{"FillProgress"});
    QCOMPARE(app.fakes.messages.infos, QStringList{});
    const QSet<QByteArray> words(p.words.begin(), p.words.end());
    const QStringList problems = fillProblems(start, w.grille(), words);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    QVERIFY(w.document().isModified());
    // One step takes the whole fill back.
    trigger(w, "undo");
    QCOMPARE(gridText(w.grille()), gridText(start));
    QVERIFY(!w.document().isModified());
}

void FillCommandTest::progressCountsAndStopLeavesTheGrid() {
    TestApp app;
    // A planted 13x13 with many decoys: far longer to fill than this test waits.
    const Planted p = plant(13, 30, 3000, 44);
    TMainForm& w = startWith(app, listOf(p.words));
    setGrid(w, p.empty);
    const QByteArray before = gridText(w.grille());
    const int steps = w.document().undoCount();
    qint64 stopAnswered = -1;
    app.fakes.modal.scripts.append([&](QDialog& window) {
        auto* placed = child<QLabel>(&window, "PlacedLabel");
        auto* elapsed = child<QLabel>(&window, "ElapsedLabel");
        auto* stop = child<QPushButton>(&window, "StopButton");
        QVERIFY(placed && elapsed && stop);
        QCOMPARE(stop->text(), QStringLiteral("Arrêter"));
        QTRY_VERIFY(placed->text().startsWith(QStringLiteral("Mots placés : ")));
        QVERIFY(placed->text().contains(QStringLiteral(" sur ")));
        QTRY_VERIFY(elapsed->text().startsWith(QStringLiteral("Temps écoulé : ")));
        QTRY_VERIFY(!elapsed->text().endsWith(QStringLiteral(" 0,0 s")));
        QVERIFY(window.isVisible());
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(stop, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 5000);
        stopAnswered = clock.elapsed();
    });
    trigger(w, "fill");
    QVERIFY(stopAnswered >= 0);
    QCOMPARE(app.fakes.messages.infos,
             QStringList{"Remplissage arrêté : la grille est restée telle quelle."});
    QCOMPARE(gridText(w.grille()), before);
    QVERIFY(!w.document().isModified());
    QCOMPARE(w.document().undoCount(), steps);
}

void FillCommandTest::namesTheSlotThatNoWordFits() {
    TestApp app;
    TMainForm& w = startWith(app, {"CAFE", "ZOO", "ABCDE", "CA", "AB"});
    setGrid(w, readGridText("#...#..\n"
                            "#..#...\n"
                            "C..Z#..\n"
                            ".......\n"
                            ".......\n"
                            ".......\n"
                            ".......\n"));
    trigger(w, "fill");
    QCOMPARE(app.fakes.messages.infos,
             QStringList{"Aucun mot du dictionnaire ne convient pour la ligne 3 : C..Z."});
    QVERIFY(!w.document().isModified());
}

void FillCommandTest::casesWithNothingToDo() {
    TestApp app;
    TMainForm& w = startWith(app, {"AB", "CD", "AC", "BD"});
    Grille full = readGridText("AB#####\nCD#####\n#######\n#######\n#######\n#######\n#######\n");
    setGrid(w, full);
    trigger(w, "fill");
    setGrid(w, readGridText("#.#.#.#\n.#.#.#.\n#######\n#######\n#######\n#######\n#######\n"));
    trigger(w, "fill");
    QCOMPARE(app.fakes.messages.infos,
             (QStringList{"La grille est déjà pleine.", "La grille n'a aucun mot à remplir."}));
    QCOMPARE(app.fakes.modal.shown, QStringList{});

    TestApp emptyApp;
    TMainForm& e = startWith(emptyApp, {});
    trigger(e, "fill");
    QCOMPARE(emptyApp.fakes.messages.infos, QStringList{"Le dictionnaire ne contient aucun mot."});
    QVERIFY(!e.document().isModified());
}

// Words added after the start are found by the next fill.
void FillCommandTest::followsTheDictionary() {
    TestApp app;
    TMainForm& w = startWith(app, {"AB", "CD"});
    setGrid(w, readGridText("..#####\n..#####\n#######\n#######\n#######\n#######\n#######\n"));
    trigger(w, "fill");
    QCOMPARE(app.fakes.messages.infos.size(), 1);
    QVERIFY(app.fakes.messages.infos[0].startsWith(QStringLiteral("Aucun remplissage")));
    w.document().dictionary().addWord("AC");
    w.document().dictionary().addWord("BD");
    app.fakes.modal.scripts.append([](QDialog& window) { waitForTheEnd(window); });
    trigger(w, "fill");
    QCOMPARE(app.fakes.messages.infos.size(), 1);
    const QByteArray filled = gridText(w.grille()).left(10);
    QVERIFY2(filled == "AB#####\nCD" || filled == "AC#####\nBD", filled.constData());
}

// The fill reads the document's index, scored again (not rebuilt) after a
// score changed in the browser.
void FillCommandTest::browserScoreKeepsAWordOutOfTheNextFill() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicoscore.dat"), "AB\t100\r\nCD\t25\r\n");
    TMainForm& w = startWith(app, {"AB", "CD"});
    // One slot of two cells: either word fills it, the better known first.
    setGrid(w, readGridText("..#####\n#######\n#######\n#######\n#######\n#######\n#######\n"));
    app.fakes.modal.scripts.append([](QDialog& window) { waitForTheEnd(window); });
    trigger(w, "fill");
    QCOMPARE(gridText(w.grille()).left(2), QByteArray("AB"));
    trigger(w, "undo");
    QCOMPARE(gridText(w.grille()).left(2), QByteArray(".."));

    app.fakes.modal.scripts.append([](QDialog& d) {
        auto& dico = static_cast<TDico&>(d);
        QAbstractItemModel* model = dico.ListBox1->model();
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("AB"));
        dico.ListBox1->setCurrentIndex(model->index(0, 0));
        QCOMPARE(dico.SpinScore->value(), 100);
        dico.SpinScore->selectAll();
        QTest::keyClick(dico.SpinScore, Qt::Key_0);
        QCOMPARE(dico.SpinScore->value(), 0);
    });
    trigger(w, "Dictionnaire1");
    QCOMPARE(w.document().dictionary().score("AB"), 0);
    app.fakes.modal.scripts.append([](QDialog& window) { waitForTheEnd(window); });
    trigger(w, "fill");
    QCOMPARE(app.fakes.messages.infos, QStringList{});
    QCOMPARE(gridText(w.grille()).left(2), QByteArray("CD"));
    QCOMPARE(w.document().dictionary().scoredIndex().builds(), 1);
    QVERIFY(w.document().dictionary().words().contains(Crypte("AB")));

    // Hidden, AB is not used even where it is the only word that fits.
    trigger(w, "undo");
    editGrid(w, [](Grille& g) { g.cell(1, 1) = 'A'; });
    app.fakes.modal.scripts.append([](QDialog& window) { waitForTheEnd(window); });
    trigger(w, "fill");
    QCOMPARE(app.fakes.messages.infos.size(), 1);
    QCOMPARE(gridText(w.grille()).left(2), QByteArray("A."));
}

void FillCommandTest::thoroughSearchLeavesFewerUnknownWords() {
    // The made-up words, one in 25 scored 60 by the user and the others as
    // unknown words, filled with the same seeds twice.
    TestApp app;
    const std::vector<QByteArray> words = syntheticWords();
    TMainForm& w = startWith(app, listOf(words));
    Document& doc = w.document();
    for (const QByteArray& word : words)
        doc.dictionary().setUserScore(word, kUnknownScore);
    for (const QByteArray& word : oneWordIn25(words))
        doc.dictionary().setUserScore(word, 60);
    const Grille layout = readGridText(kSevenBySeven);
    setGrid(w, layout);
    const QSet<QByteArray> wordSet(words.begin(), words.end());
    const auto fillWithSeeds = [&] {
        int unknown = 0;
        for (int seed : {3, 5, 8, 13}) {
            app.fakes.random.next = {seed};
            app.fakes.modal.scripts.append([](QDialog& window) { waitForTheEnd(window); });
            trigger(w, "fill");
            const QStringList problems = fillProblems(layout, w.grille(), wordSet);
            if (!problems.isEmpty())
                qFatal("%s", qPrintable(problems.join('\n')));
            unknown += unknownWords(w.grille(), doc.dictionary().scores());
            trigger(w, "undo");
        }
        return unknown;
    };
    const int quick = fillWithSeeds();

    // Chosen in the options with the keyboard; shown only with « Mots courants ».
    workFillOptions(app, w, [](FillOptionsDialog& o) {
        QCOMPARE(o.thoroughBox->text(), QStringLiteral("Chercher plus de mots courants"));
        QVERIFY(o.thoroughBox->isEnabled());
        QVERIFY(!o.thoroughBox->isChecked());
        o.thoroughBox->setFocus();
        QTest::keyClick(o.thoroughBox, Qt::Key_Space);
        QVERIFY(o.thoroughBox->isChecked());
        QTest::keyClick(&o, Qt::Key_Return);
    });
    QVERIFY(doc.FillThorough);
    const int thorough = fillWithSeeds();
    // The search by the words' classes after every fill leaves few unknown
    // words already: the longer search never leaves more.
    QVERIFY2(thorough <= quick,
             qPrintable(QStringLiteral("%1 unknown words, then %2").arg(quick).arg(thorough)));
    QCOMPARE(app.fakes.messages.infos, QStringList{});

    // Off with another vocabulary, and kept for when « Mots courants » comes back.
    workFillOptions(app, w, [](FillOptionsDialog& o) {
        QVERIFY(o.thoroughBox->isChecked());
        clickMark(o.RadioTout);
        QVERIFY(!o.thoroughBox->isEnabled());
        QTest::mouseClick(o.Button1, Qt::LeftButton);
    });
    QCOMPARE(doc.FillVocabulary, Vocabulary::Whole);
    QVERIFY(doc.FillThorough);
    // "Annuler" keeps what was in force.
    workFillOptions(app, w, [](FillOptionsDialog& o) {
        QVERIFY(!o.thoroughBox->isEnabled());
        clickMark(o.RadioCourants);
        QVERIFY(o.thoroughBox->isEnabled());
        clickMark(o.thoroughBox);
        QVERIFY(!o.thoroughBox->isChecked());
        QTest::mouseClick(o.Button2, Qt::LeftButton);
    });
    QCOMPARE(doc.FillVocabulary, Vocabulary::Whole);
    QVERIFY(doc.FillThorough);
}

// A grid that no search can fill, or almost never, is refused before any
// search, with the grid maker offered instead.
void FillCommandTest::refusesAtOnceAndOffersTheGridMaker() {
    TestApp app;
    TMainForm& w = startWith(app, {"ABCDEFG", "ABCDE", "CAFE", "ZOO", "AB", "CD"});
    FakeMessages& messages = app.fakes.messages;
    const QStringList withTry{"Créer une grille complète...", "Remplir quand même", "Annuler"};

    // No black square: told at once; « Annuler » leaves everything alone.
    setGrid(w, readGridText(".......\n.......\n.......\n.......\n.......\n.......\n.......\n"));
    messages.choiceAnswers = {2};
    trigger(w, "fill");
    QCOMPARE(messages.choiceTexts,
             QStringList{"La grille n'a aucune case noire : chaque mot y occupe toute une ligne ou "
                         "toute une colonne, et un tel remplissage n'existe presque jamais. "
                         "Placez des cases noires, ou créez une grille complète."});
    QCOMPARE(messages.choiceSets, QList<QStringList>{withTry});
    QCOMPARE(app.fakes.modal.shown, QStringList{});
    QVERIFY(!w.document().isModified());

    // The offer taken: the grid maker's dialog opens (closed here unanswered).
    messages.choiceAnswers = {0};
    trigger(w, "fill");
    QCOMPARE(app.fakes.modal.shown, QStringList{"GridMakerDialog"});
    QVERIFY(!w.document().isModified());

    // « Remplir quand même » searches all the same.
    messages.choiceAnswers = {1};
    app.fakes.modal.scripts.append([](QDialog& window) { waitForTheEnd(window); });
    trigger(w, "fill");
    QCOMPARE(app.fakes.modal.shown, (QStringList{"GridMakerDialog", "FillProgress"}));
    QCOMPARE(messages.infos.size(), 1);

    // A run longer than every word (here 9 cells, words of 7 at most), named
    // in the labels of the screen; no search is offered.
    trigger(w, "frenchLabels");
    setGrid(w, readGridText("#########\n#..#.....\n.........\n#########\n#########\n"
                            "#########\n#########\n#########\n#########\n"));
    messages.choiceAnswers = {1};
    trigger(w, "fill");
    QCOMPARE(messages.choiceTexts.last(),
             QStringLiteral("La ligne III compte 9 cases, et aucun mot du dictionnaire n'a 9 "
                            "lettres : la grille ne peut pas être remplie ainsi. Placez des cases "
                            "noires, ou créez une grille complète."));
    QCOMPARE(messages.choiceSets.last(), (QStringList{"Créer une grille complète...", "Annuler"}));
    QCOMPARE(app.fakes.modal.shown.size(), 2);
    QCOMPARE(messages.infos.size(), 1);
    QVERIFY(!w.document().isModified());
}

QTEST_MAIN(FillCommandTest)
#include "fill_command_test.moc"
