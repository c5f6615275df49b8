// The arrow-word maker and fill: grids made at several sizes and seeds pass
// the layout check, hold a dictionary word in every word, each once, keep the
// usual frame and the short-word budget, and come back alike from one seed;
// the clues found for a pattern, and their refusal; a layout filled with its
// clues kept; orvgrid make-fleches and fill on .fleches files.
#include "arrowword/arrow_file.h"
#include "arrowword/arrow_maker.h"
#include "common/errors.h"
#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"
#include "fill/fill_scores.h"
#include "grid/grid_text.h"
#include "support/arrow_grids.h"
#include "support/orvgrid_run.h"
#include "support/synthetic_index.h"
#include "support/synthetic_words.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <set>

using namespace orv;
using namespace orv::test;
using D = ArrowDirection;

namespace {

// The faults of a complete grid: the layout check's, an empty cell, a word
// outside the dictionary or placed twice.
QStringList faultsOf(const ArrowGrid& g) {
    QStringList faults;
    for (const LayoutProblem& p : checkArrowLayout(g))
        faults << p.message;
    QSet<QByteArray> seen;
    if (!allLettersFilled(g))
        faults << QStringLiteral("case vide");
    for (const ArrowWord& w : arrowWords(g)) {
        const QByteArray word = arrowWordPattern(g, w);
        if (!syntheticSet().contains(word))
            faults << QStringLiteral("mot inconnu %1").arg(QString::fromLatin1(word));
        if (seen.contains(word))
            faults << QStringLiteral("mot deux fois %1").arg(QString::fromLatin1(word));
        seen.insert(word);
    }
    return faults;
}

// The arrows of each definition cell, whatever their order.
std::map<std::pair<int, int>, std::set<int>> arrowsOf(const ArrowGrid& g) {
    std::map<std::pair<int, int>, std::set<int>> arrows;
    for (int r = 1; r <= g.rows(); ++r)
        for (int c = 1; c <= g.columns(); ++c)
            for (const ArrowClue& clue : g.at({c, r}).clues)
                arrows[{c, r}].insert(int(clue.direction));
    return arrows;
}

MakeOptions plainOptions(std::uint64_t seed) {
    MakeOptions o;
    o.seed = seed;
    o.timeLimitSeconds = 120;
    return o;
}

} // namespace

class ArrowMakerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void madeGridsAreWholeAndReproducible_data();
    void madeGridsAreWholeAndReproducible();
    void madeWithWordClasses();
    void impossibleSizes();
    void cluesOfAPattern();
    void layoutFilledWithItsCluesKept();
    void commandLineRoundTrip();
};

void ArrowMakerTest::madeGridsAreWholeAndReproducible_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("seed");
    QTest::newRow("5x5") << 5 << 5 << 1;
    QTest::newRow("7x9") << 7 << 9 << 2;
    QTest::newRow("9x11") << 9 << 11 << 3;
    QTest::newRow("9x11 autre graine") << 9 << 11 << 44;
    QTest::newRow("12x8") << 12 << 8 << 5;
}

void ArrowMakerTest::madeGridsAreWholeAndReproducible() {
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(int, seed);
    const ArrowMakeResult r =
        makeArrowGrid(rows, columns, syntheticIndex(), plainOptions(std::uint64_t(seed)));
    QCOMPARE(r.made.status, MakeStatus::Made);
    const ArrowGrid& g = r.grid;
    QCOMPARE(g.rows(), rows);
    QCOMPARE(g.columns(), columns);
    const QStringList faults = faultsOf(g);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    // The frame: every other cell of the first row and column, from the corner.
    for (int c = 1; c <= columns; ++c)
        QCOMPARE(g.isDefinition({c, 1}), c % 2 == 1);
    for (int r = 1; r <= rows; ++r)
        QCOMPARE(g.isDefinition({1, r}), r % 2 == 1);
    // The short-word budget, and more definition cells than the frame's.
    const ArrowPatternLimits limits = arrowPatternLimits(rows, columns);
    int twoLetters = 0;
    for (const ArrowWord& w : arrowWords(g))
        twoLetters += w.length == 2;
    QVERIFY2(twoLetters <= limits.maxShortWords, qPrintable(QString::number(twoLetters)));
    int definitions = 0;
    for (int r = 2; r <= rows; ++r)
        for (int c = 2; c <= columns; ++c)
            definitions += g.isDefinition({c, r});
    QVERIFY(definitions > 0 || rows * columns < 30);
    for (const ArrowWord& w : arrowWords(g))
        QVERIFY(w.length <= 10);
    // The pattern given back is the grid itself.
    QCOMPARE(gridText(arrowPattern(g)), gridText(r.made.grille));
    // One seed, one grid.
    const ArrowMakeResult again =
        makeArrowGrid(rows, columns, syntheticIndex(), plainOptions(std::uint64_t(seed)));
    QVERIFY(again.grid == g);
}

void ArrowMakerTest::madeWithWordClasses() {
    // The quality search moves definition cells into weak words: the grids
    // it returns keep to the same rules.
    const WordScores scores;
    IndexClasses classes(syntheticIndex(), scores);
    for (const std::uint64_t seed : {7u, 8u}) {
        MakeOptions o = plainOptions(seed);
        o.classes = &classes;
        o.quality = QualityEffort{60, 50, 2};
        const ArrowMakeResult r = makeArrowGrid(7, 9, syntheticIndex(), o);
        QCOMPARE(r.made.status, MakeStatus::Made);
        const QStringList faults = faultsOf(r.grid);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        QVERIFY(r.made.rank.weak <= r.made.firstRank.weak);
    }
}

void ArrowMakerTest::impossibleSizes() {
    for (const auto& [rows, columns] : {std::pair{2, 9}, std::pair{9, kMaxFilledArrowSide + 1}}) {
        const ArrowMakeResult r = makeArrowGrid(rows, columns, syntheticIndex(), plainOptions(1));
        QCOMPARE(r.made.status, MakeStatus::Impossible);
        QVERIFY(r.made.reason.contains(u"de 3 à 21"));
    }
    const ArrowMakeResult empty = makeArrowGrid(9, 9, WordIndex{}, plainOptions(1));
    QCOMPARE(empty.made.status, MakeStatus::Impossible);
}

void ArrowMakerTest::cluesOfAPattern() {
    // The pattern of the sample grid gets back the sample's arrows, bent ones
    // for the words that start on the edge.
    const ArrowGrid sample = sampleArrowGrid();
    const Grille pattern = arrowPattern(sample);
    const std::optional<ArrowGrid> layout = arrowLayoutOf(pattern);
    QVERIFY(layout);
    QVERIFY(checkArrowLayout(*layout).empty());
    QVERIFY(arrowsOf(*layout) == arrowsOf(sample));
    QVERIFY(arrowPatternFits(pattern, {1, 4}));
    // The words of two letters count against the limit.
    QVERIFY(arrowPatternFits(readGridText("#.#\n...\n#..\n"), {2, 0}));
    QVERIFY(!arrowPatternFits(readGridText("#.#\n...\n#..\n"), {1, 0}));

    // A definition cell in the corner has no word to give, a letter cell in
    // no word is left out, a cell of the first row would give three words:
    // each is refused.
    for (const char* text :
         {"#.#.\n....\n#...\n...#\n", "#.#.\n.#..\n#...\n....\n", "#.#..\n.....\n#....\n"}) {
        const Grille g = readGridText(text);
        QVERIFY2(!arrowLayoutOf(g), text);
        QVERIFY(!arrowPatternFits(g, {99, 99}));
    }

    // Letters are kept; the frame is the usual one.
    Grille lettered = pattern;
    lettered.cell(2, 2) = 'Z';
    QCOMPARE(arrowLayoutOf(lettered)->at({2, 2}).letter, 'Z');
    QCOMPARE(gridText(arrowFrame(3, 4)), QByteArray("#.#.\n....\n#...\n"));
}

void ArrowMakerTest::layoutFilledWithItsCluesKept() {
    const ArrowGrid made = makeArrowGrid(7, 9, syntheticIndex(), plainOptions(9)).grid;
    ArrowGrid layout = withoutLetters(made);
    layout.setClueText({1, 1}, 0, QStringLiteral("Pour commencer"));
    const Grille pattern = fillablePattern(layout);
    FillOptions o;
    o.seed = 5;
    const FillResult r = fillGrid(pattern, syntheticIndex(), o);
    QCOMPARE(r.status, FillStatus::Filled);
    const ArrowGrid filled = withLetters(layout, r.grille);
    const QStringList faults = faultsOf(filled);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    QCOMPARE(filled.at({1, 1}).clues.front().text, QStringLiteral("Pour commencer"));
    QVERIFY(withoutLetters(filled) == layout);

    // A layout with a fault is not filled: the message says which.
    ArrowGrid broken = layout;
    broken.removeClue({1, 1}, 0);
    broken.removeClue({1, 1}, 0);
    try {
        fillablePattern(broken);
        QFAIL("a broken layout was taken");
    } catch (const OrvError& e) {
        QVERIFY2(e.message().startsWith(u"La grille de mots fléchés ne peut être remplie : "),
                 qPrintable(e.message()));
        QVERIFY2(e.message().contains(u"A1"), qPrintable(e.message()));
    }
    ArrowGrid huge(kMaxArrowSide, kMaxArrowSide);
    QVERIFY_THROWS_EXCEPTION(OrvError, arrowPattern(huge));
}

void ArrowMakerTest::commandLineRoundTrip() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString list = dir.filePath(QStringLiteral("mots.txt"));
    QVERIFY(writeSyntheticList(list));
    const QString made = dir.filePath(QStringLiteral("grille.fleches"));
    Run r = orvgrid({"make-fleches", "7x9", "--words", list, "--seed", "4", "-o", made});
    QVERIFY2(r.status == OrvgridOk, qPrintable(r.err));
    QVERIFY2(r.out.startsWith(u"#"), qPrintable(r.out));
    QVERIFY(r.out.contains(u"cases de définition : "));
    const ArrowGrid grid = loadArrowFile(made);
    QVERIFY2(faultsOf(grid).isEmpty(), qPrintable(faultsOf(grid).join(u'\n')));
    QVERIFY(r.out.startsWith(QString::fromLatin1(gridText(arrowPattern(grid)))));

    // The layout emptied and filled again by orvgrid fill: its clues and
    // definition cells stay, every word is filled.
    const QString empty = dir.filePath(QStringLiteral("vide.fleches"));
    ArrowGrid layout = withoutLetters(grid);
    layout.setClueText({1, 1}, 0, QStringLiteral("Début"));
    writeArrowFile(empty, layout);
    const QString filledPath = dir.filePath(QStringLiteral("remplie.fleches"));
    r = orvgrid({"fill", empty, "--words", list, "--threads", "1", "-o", filledPath});
    QVERIFY2(r.status == OrvgridOk, qPrintable(r.err));
    const ArrowGrid filled = loadArrowFile(filledPath);
    QVERIFY2(faultsOf(filled).isEmpty(), qPrintable(faultsOf(filled).join(u'\n')));
    QVERIFY(withoutLetters(filled) == layout);

    // Refusals: sizes, the crossword's own options, a crossword output, a
    // broken layout.
    ArrowGrid broken = layout;
    broken.setDefinition({5, 5}, false);
    broken.setDefinition({4, 4}, true);
    const QString brokenPath = dir.filePath(QStringLiteral("cassee.fleches"));
    writeArrowFile(brokenPath, broken);
    const QStringList bad[] = {{"make-fleches", "2x9", "--words", list},
                               {"make-fleches", "9x22", "--words", list},
                               {"make-fleches", "9x9", "--symmetric", "--words", list},
                               {"make-fleches", "9x9", "--words", list, "-o", "g.grd"},
                               {"make-fleches", "--words", list}};
    for (const QStringList& args : bad) {
        r = orvgrid(args);
        QCOMPARE(r.status, int(OrvgridBadInput));
        QVERIFY2(r.err.startsWith(u"orvgrid make-fleches : ") && r.err.count(u'\n') == 1,
                 qPrintable(r.err));
    }
    r = orvgrid({"fill", empty, "--words", list, "-o", dir.filePath(QStringLiteral("g.grd"))});
    QCOMPARE(r.status, int(OrvgridBadInput));
    QVERIFY(r.err.contains(u".fleches"));
    r = orvgrid({"fill", brokenPath, "--words", list});
    QCOMPARE(r.status, int(OrvgridBadInput));
    QVERIFY2(r.err.contains(u"ne peut être remplie"), qPrintable(r.err));
}

QTEST_GUILESS_MAIN(ArrowMakerTest)
#include "arrow_maker_test.moc"
