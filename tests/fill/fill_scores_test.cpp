// Word scores in the fill: the better-known word wins when two fit, a word
// scored 0 is never placed, the fill that demands known words still fills
// where they cannot all be had, the search for a fill with fewer unknown
// words after the first, and the quality figures of a filled grid.
#include "common/text_file.h"
#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"
#include "fill/fill_scores.h"
#include "fill/grid_fill.h"
#include "grid/grid_slots.h"
#include "grid/grid_text.h"
#include "support/fill_checker.h"
#include "support/synthetic_words.h"
#include "tools/orvgrid_tool.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <atomic>
#include <functional>

using namespace orv;

namespace {

// One row of three cells between black squares: one slot, no crossing.
const QByteArray kOneSlot = "#...#\n";
// Two by two white cells: two rows and two columns crossing.
const QByteArray kSquare = "..\n..\n";

// A table where XYZ and the two-letter AB and CD are known words.
ScoreTable knownTable() { return ScoreTable("XYZ\t90\nAB\t80\nCD\t70\n", "QQQ\n"); }

WordIndex scoredIndex(const std::vector<QByteArray>& words, const WordScores& scores) {
    WordIndex index;
    index.buildFromPlain(words);
    setIndexScores(index, scores);
    return index;
}

// The options of the program's « Mots courants » fill, for one seed.
FillOptions commonOptions(std::uint64_t seed) {
    FillOptions o;
    o.seed = seed;
    o.scoreWeight = kScoreWeight;
    o.minScore = vocabularyFill(Vocabulary::Common).minScore;
    return o;
}

QByteArray slotWord(const Grille& g, int slot) { return slotPattern(g, GridSlots(g)[slot]); }

QSet<QByteArray> wordsOf(const Grille& g) {
    QSet<QByteArray> out;
    const GridSlots slots(g);
    for (int s = 0; s < slots.count(); ++s)
        out.insert(slotPattern(g, slots[s]));
    return out;
}

} // namespace

class FillScoresTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void indexTakesEveryWordsScore();
    void betterKnownWordWinsWhenTwoFit();
    void zeroScoreKeepsAWordOutOfTheFill();
    void demandingKnownWordsStillFillsWhereTheyLack();
    void knownWordsComeFirstAcrossCrossings();
    void slotWithFewKnownWordsIsFilledFirst();
    void hardGridHandsOverAfterTheBudget();
    void betterFillHasFewerUnknownWords();
    void betterFillKeepsTheFirstWhenNoneIsBetter();
    void thoroughSearchFindsFewerUnknownWords();
    void longFillEarnsALongerSearch();
    void firstRunDemandsFewUnknownWords();
    void vocabulariesOfTheFill();
    void qualityOfAFilledGrid();
    void orvgridFillTakesScoresFromTheUsersFile();
};

void FillScoresTest::indexTakesEveryWordsScore() {
    const ScoreTable table = knownTable();
    WordScores scores(table);
    scores.user().set("ABC", 0);
    const WordIndex index = scoredIndex({"ABC", "XYZ", "QQQ", "DEF", "AB"}, scores);
    const auto scoreOf = [&](const char* w) {
        const QByteArray word(w);
        return int(index.score(int(word.size()), std::uint32_t(index.find(word))));
    };
    QCOMPARE(scoreOf("ABC"), 0);
    QCOMPARE(scoreOf("XYZ"), 90);
    QCOMPARE(scoreOf("QQQ"), kRareFormScore);
    QCOMPARE(scoreOf("DEF"), kUnknownScore);
    QCOMPARE(scoreOf("AB"), 80);
    QCOMPARE(index.count("...", 50), std::size_t(1));
}

void FillScoresTest::betterKnownWordWinsWhenTwoFit() {
    const ScoreTable table = knownTable();
    const WordScores scores(table);
    const WordIndex index = scoredIndex({"ABC", "XYZ", "DEF"}, scores);
    const Grille grid = readGridText(kOneSlot);
    QSet<QByteArray> withoutScores;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        FillOptions o;
        o.seed = seed;
        o.scoreWeight = kScoreWeight;
        const FillResult r = fillGrid(grid, index, o);
        QCOMPARE(r.status, FillStatus::Filled);
        QCOMPARE(slotWord(r.grille, 0), QByteArray("XYZ"));
        o.scoreWeight = 0;
        withoutScores.insert(slotWord(fillGrid(grid, index, o).grille, 0));
    }
    // Without the scores the choice is the seed's: the scores made the difference.
    QVERIFY(withoutScores.size() > 1);
}

void FillScoresTest::zeroScoreKeepsAWordOutOfTheFill() {
    const ScoreTable table = knownTable();
    WordScores scores(table);
    scores.user().set("XYZ", 0);
    const WordIndex index = scoredIndex({"ABC", "XYZ"}, scores);
    for (Vocabulary v : {Vocabulary::Common, Vocabulary::Extended, Vocabulary::Whole}) {
        for (std::uint64_t seed = 1; seed <= 10; ++seed) {
            FillOptions o;
            o.seed = seed;
            o.scoreWeight = kScoreWeight;
            o.minScore = std::max(vocabularyFill(v).minScore, minimumScore(Vocabulary::Whole));
            const FillResult r = fillPreferringKnownWords(readGridText(kOneSlot), index, o,
                                                          vocabularyFill(v).preferred);
            // ABC, an unknown word, is admitted by every vocabulary; XYZ never.
            QCOMPARE(r.status, FillStatus::Filled);
            QCOMPARE(slotWord(r.grille, 0), QByteArray("ABC"));
        }
    }
    // The one word that fits is hidden: no fill, though the dictionary holds it.
    FillOptions o;
    o.minScore = minimumScore(Vocabulary::Whole);
    const FillResult r = fillGrid(readGridText("#X..#\n"), index, o);
    QCOMPARE(r.status, FillStatus::NoFill);
    QCOMPARE(r.blockedPattern, QByteArray("X.."));
}

void FillScoresTest::demandingKnownWordsStillFillsWhereTheyLack() {
    // Rows AB and CD are known; the columns can then only be AC and BD,
    // which are not: demanding known words everywhere has no fill, so the
    // hardest slots fall back and the grid fills, with the known words kept.
    const ScoreTable table = knownTable();
    const WordScores scores(table);
    const WordIndex index = scoredIndex({"AB", "CD", "AC", "BD"}, scores);
    const Grille grid = readGridText(kSquare);
    FillOptions strictOnly;
    strictOnly.minScore = minimumScore(Vocabulary::Common);
    QCOMPARE(fillGrid(grid, index, strictOnly).status, FillStatus::NoFill);

    for (std::uint64_t seed = 1; seed <= 10; ++seed) {
        const FillOptions o = commonOptions(seed);
        const FillResult r = fillPreferringKnownWords(grid, index, o, kFrequentScore, 0);
        QCOMPARE(r.status, FillStatus::Filled);
        QCOMPARE(wordsOf(r.grille), (QSet<QByteArray>{"AB", "CD", "AC", "BD"}));
        const FillQuality q = fillQuality(r.grille, scores);
        QCOMPARE(q.words, 4);
        QCOMPARE(q.meanScore, (80 + 70 + 2 * kUnknownScore) / 4.0);
    }
}

void FillScoresTest::knownWordsComeFirstAcrossCrossings() {
    // Two ways to fill the square: the known rows AB, CD with columns AC, BD,
    // or the unknown EF, GH with EG, FH. No slot demands known words (more
    // are demanded than exist), so only the order of the choices picks.
    const ScoreTable table("AB\t80\nCD\t70\nAC\t60\nBD\t60\n", "");
    const std::vector<QByteArray> words{"AB", "CD", "AC", "BD", "EF", "GH", "EG", "FH"};
    const Grille grid = readGridText(kSquare);
    const QSet<QByteArray> known{"AB", "CD", "AC", "BD"};
    const QSet<QByteArray> unknown{"EF", "GH", "EG", "FH"};
    const auto fill = [&](const WordIndex& index, std::uint64_t seed) {
        const FillOptions o = commonOptions(seed);
        return fillPreferringKnownWords(grid, index, o, kFrequentScore, 1000);
    };
    {
        const WordScores scores(table);
        const WordIndex index = scoredIndex(words, scores);
        QSet<QByteArray> seen;
        for (std::uint64_t seed = 1; seed <= 30; ++seed) {
            const FillResult r = fill(index, seed);
            QCOMPARE(r.status, FillStatus::Filled);
            QCOMPARE(wordsOf(r.grille), known);
            FillOptions plain;
            plain.seed = seed;
            seen.unite(wordsOf(fillGrid(grid, index, plain).grille));
        }
        // Without the scores both fills come up: the preference chose.
        QCOMPARE(seen, known | unknown);
    }
    {
        // AB hidden: the known fill is gone and the unknown one is taken.
        WordScores scores(table);
        scores.user().set("AB", 0);
        const WordIndex index = scoredIndex(words, scores);
        for (std::uint64_t seed = 1; seed <= 10; ++seed) {
            const FillResult r = fill(index, seed);
            QCOMPARE(r.status, FillStatus::Filled);
            QCOMPARE(wordsOf(r.grille), unknown);
        }
    }
}

void FillScoresTest::slotWithFewKnownWordsIsFilledFirst() {
    // A row of four crossing a column of three at its first letter. The row
    // has one known word, KAAA, among a hundred unknown ones that start with
    // B; the column has two known words, KBB and BCC. Taken first for its
    // fewer candidates, the column would pick BCC, the letter that leaves the
    // row the most words, and the row could only take an unknown word; the
    // row, which has fewer known words, comes first when the slots are chosen
    // by their known words, and both then hold known words.
    const Grille grid = readGridText("....\n.###\n.###\n");
    QCOMPARE(GridSlots(grid).count(), 2);
    std::vector<QByteArray> words{"KAAA", "KBB", "BCC"};
    for (char a = 'A'; a <= 'J'; ++a)
        for (char b = 'A'; b <= 'J'; ++b)
            words.push_back(QByteArray("BA") + a + b);
    const ScoreTable table("KAAA\t90\nKBB\t90\nBCC\t90\n", "");
    const WordScores scores(table);
    const WordIndex index = scoredIndex(words, scores);
    const auto fill = [&](std::uint64_t seed, bool knownFirst) {
        FillOptions o;
        o.seed = seed;
        o.minScore = vocabularyFill(Vocabulary::Common).minScore;
        o.scoreWeight = 0.1;
        o.preferredScore = kFrequentScore;
        o.preferredBonus = 10;
        o.offBandFactor = 0.1;
        o.knownWordsFirst = knownFirst;
        const FillResult r = fillGrid(grid, index, o);
        if (r.status != FillStatus::Filled)
            qFatal("the row and the column were not filled");
        return wordsOf(r.grille);
    };
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        QCOMPARE(fill(seed, true), (QSet<QByteArray>{"KAAA", "KBB"}));
        const QSet<QByteArray> bySize = fill(seed, false);
        QVERIFY(bySize.contains("BCC"));
    }
    // The fill that prefers known words gets them without a failure (its
    // first run demands that neither slot holds an unknown word, which
    // settles both at the root).
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        const FillOptions o = commonOptions(seed);
        const FillResult r = fillPreferringKnownWords(grid, index, o, kFrequentScore);
        QCOMPARE(r.status, FillStatus::Filled);
        QCOMPARE(wordsOf(r.grille), (QSet<QByteArray>{"KAAA", "KBB"}));
        QCOMPARE(r.failures, std::uint64_t(0));
    }
}

void FillScoresTest::hardGridHandsOverAfterTheBudget() {
    // Three slots that do not cross, and only two words of the common
    // vocabulary's floor: no fill without QQQ, a rare form, but only the
    // search (each word once) finds that out, after a few failures.
    const ScoreTable table = knownTable();
    WordScores scores(table);
    scores.user().set("XYZ", 0);
    const WordIndex index = scoredIndex({"ABC", "ABD", "QQQ", "XYZ"}, scores);
    const Grille grid = readGridText("...#...#...\n");
    const int floor = vocabularyFill(Vocabulary::Common).minScore;
    const auto fill = [&](std::uint64_t seed, int minScore, std::uint64_t budget,
                          std::uint64_t maxFailures = 0) {
        FillOptions o;
        o.seed = seed;
        o.scoreWeight = kScoreWeight;
        o.minScore = minScore;
        o.maxFailures = maxFailures;
        return fillPreferringKnownWords(grid, index, o, kFrequentScore, budget);
    };
    for (std::uint64_t seed = 1; seed <= 10; ++seed) {
        // Past its budget, the fill over every word not hidden takes over:
        // the rare form comes in, the hidden word never.
        const FillResult r = fill(seed, floor, 1);
        QCOMPARE(r.status, FillStatus::Filled);
        QCOMPARE(wordsOf(r.grille), (QSet<QByteArray>{"ABC", "ABD", "QQQ"}));
        QVERIFY(r.failures >= 1);
        // Without a budget the common vocabulary proves that it has no fill.
        QCOMPARE(fill(seed, floor, 0).status, FillStatus::NoFill);
        // A floor of the caller's own, above the common vocabulary's, stays.
        const FillResult kept = fill(seed, floor + 5, 1);
        QVERIFY(kept.status != FillStatus::Filled);
        QCOMPARE(slotWord(kept.grille, 0), QByteArray("..."));
        // The caller's failure limit, within the budget, ends the whole fill.
        QCOMPARE(fill(seed, floor, 1000, 1).status, FillStatus::TimedOut);
    }
}

namespace {

// Two word squares of three by three that share no letter, so that a fill
// is one square or the other: the known one (rows CAT ORE WED, columns COW
// ARE TED) and one of words no table holds.
const QByteArray kSquare3 = "...\n...\n...\n";
const std::vector<QByteArray> kKnownSquare{"CAT", "ORE", "WED", "COW", "ARE", "TED"};
const std::vector<QByteArray> kUnknownSquare{"PQB", "SUF", "VXG", "PSV", "QUX", "BFG"};
ScoreTable squareTable() {
    QByteArray text;
    for (const QByteArray& w : kKnownSquare)
        text += w + "\t60\n";
    return ScoreTable(text, "");
}

int unknownWords(const Grille& g, const WordScores& scores) {
    const FillQuality q = fillQuality(g, scores);
    return q.longWords - q.frequentLong;
}

// The fill with the known words weighing nothing in the choices, so that
// the first fill is the seed's, then searched for a better one with `effort`.
FillOptions betterFillOptions(std::uint64_t seed, std::uint64_t effort) {
    FillOptions o;
    o.seed = seed;
    o.minScore = minimumScore(Vocabulary::Whole);
    o.preferredScore = kFrequentScore;
    o.improveEffort = effort;
    return o;
}

FillResult squareFill(const Grille& grid, const WordIndex& index, std::uint64_t seed,
                      std::uint64_t effort) {
    return fillGrid(grid, index, betterFillOptions(seed, effort));
}

} // namespace

void FillScoresTest::betterFillHasFewerUnknownWords() {
    const ScoreTable table = squareTable();
    const WordScores scores(table);
    std::vector<QByteArray> words = kKnownSquare;
    words.insert(words.end(), kUnknownSquare.begin(), kUnknownSquare.end());
    const WordIndex index = scoredIndex(words, scores);
    const Grille grid = readGridText(kSquare3);
    const QSet<QByteArray> known(kKnownSquare.begin(), kKnownSquare.end());
    int unknownFirst = 0;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        const FillResult first = squareFill(grid, index, seed, 0);
        QCOMPARE(first.status, FillStatus::Filled);
        const FillResult better = squareFill(grid, index, seed, 1000);
        QCOMPARE(better.status, FillStatus::Filled);
        // The unknown square is left for the known one.
        QVERIFY(unknownWords(better.grille, scores) <= unknownWords(first.grille, scores));
        QCOMPARE(wordsOf(better.grille), known);
        unknownFirst += unknownWords(first.grille, scores) > 0;
        // Without the band of known words there is nothing to make better.
        FillOptions plain;
        plain.seed = seed;
        plain.improveEffort = 1000;
        QCOMPARE(fillGrid(grid, index, plain).grille.Cases, first.grille.Cases);
    }
    // The first fill took the unknown square for some seeds: the search made the difference.
    QVERIFY(unknownFirst > 0);
    QVERIFY(unknownFirst < 30);

    // A failure limit that ends the search for a better fill keeps the fill
    // already found: the grid is filled, not timed out.
    int cut = 0;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        const FillResult first = squareFill(grid, index, seed, 0);
        if (first.failures > 0 || unknownWords(first.grille, scores) == 0)
            continue;
        FillOptions o = betterFillOptions(seed, 1000);
        o.maxFailures = 1;
        const FillResult r = fillGrid(grid, index, o);
        QCOMPARE(r.status, FillStatus::Filled);
        QVERIFY(wordsOf(r.grille) == known || r.grille.Cases == first.grille.Cases);
        cut += r.failures >= 1;
    }
    QVERIFY(cut > 0);

    // "Arrêter" while a better fill is sought leaves the grid as it was.
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        std::atomic<bool> stop{false};
        FillOptions o = betterFillOptions(seed, 1000);
        o.stop = &stop;
        o.progress = [&stop](const FillProgress& p) {
            if (p.placed == p.total)
                stop = true; // the first fill is found
        };
        QCOMPARE(fillGrid(grid, index, o).status, FillStatus::Stopped);
    }
}

void FillScoresTest::betterFillKeepsTheFirstWhenNoneIsBetter() {
    const ScoreTable table = squareTable();
    WordScores scores(table);
    const Grille grid = readGridText(kSquare3);
    const QSet<QByteArray> unknown(kUnknownSquare.begin(), kUnknownSquare.end());
    {
        // Only the unknown words fit: the grid is still filled with them.
        const WordIndex index = scoredIndex(kUnknownSquare, scores);
        for (std::uint64_t seed = 1; seed <= 5; ++seed) {
            const FillResult r = squareFill(grid, index, seed, 1000);
            QCOMPARE(r.status, FillStatus::Filled);
            QCOMPARE(wordsOf(r.grille), unknown);
        }
    }
    {
        // A word of the known square hidden: the search never places it, and
        // the common-words fill keeps the unknown square.
        scores.user().set("ORE", 0);
        std::vector<QByteArray> words = kKnownSquare;
        words.insert(words.end(), kUnknownSquare.begin(), kUnknownSquare.end());
        const WordIndex index = scoredIndex(words, scores);
        for (std::uint64_t seed = 1; seed <= 10; ++seed) {
            QCOMPARE(wordsOf(squareFill(grid, index, seed, 1000).grille), unknown);
            const FillOptions o = commonOptions(seed);
            const FillResult r = fillPreferringKnownWords(grid, index, o, kFrequentScore);
            QCOMPARE(r.status, FillStatus::Filled);
            QCOMPARE(wordsOf(r.grille), unknown);
        }
    }
}

void FillScoresTest::vocabulariesOfTheFill() {
    // Common words are demanded, never required; the extended vocabulary
    // keeps the rare verb forms out; the whole dictionary only the hidden words.
    QCOMPARE(vocabularyFill(Vocabulary::Common).preferred, kFrequentScore);
    QVERIFY(vocabularyFill(Vocabulary::Common).minScore > kRareFormScore);
    QVERIFY(vocabularyFill(Vocabulary::Common).minScore <= kUnknownScore);
    QCOMPARE(vocabularyFill(Vocabulary::Extended).preferred, 0);
    QVERIFY(vocabularyFill(Vocabulary::Extended).minScore > kRareFormScore);
    QCOMPARE(vocabularyFill(Vocabulary::Whole).minScore, 1);
}

void FillScoresTest::qualityOfAFilledGrid() {
    const ScoreTable table = knownTable();
    const WordScores scores(table);
    // Words: XYZ (90, table), DEF (30), AB (80, two letters: not counted in
    // the share), and an unfinished slot that does not count at all.
    const Grille grid = readGridText("XYZ#AB\n######\nDEF#.Q\n");
    const FillQuality q = fillQuality(grid, scores);
    QCOMPARE(q.words, 3);
    QCOMPARE(q.meanScore, (90 + 30 + 80) / 3.0);
    QCOMPARE(q.longWords, 2);
    QCOMPARE(q.frequentLong, 1);
    QCOMPARE(q.frequentShare(), 0.5);
    // The classes are the shipped ones: made-up words are weak.
    QCOMPARE(q.weakWords.size(), 3);
    const FillQuality real = fillQuality(readGridText("CHAT#ERSEAU#ERSEAU\n"), scores);
    QCOMPARE(real.weakWords, QList<QByteArray>{"ERSEAU"}); // named once
    QCOMPARE(weakWordsText(real), QStringLiteral("1 mot rare : ERSEAU"));
    QCOMPARE(weakWordsText(fillQuality(readGridText("CHAT\n"), scores)),
             QStringLiteral("aucun mot rare"));
}

void FillScoresTest::orvgridFillTakesScoresFromTheUsersFile() {
    QTemporaryDir dir;
    const QString grid = dir.filePath(QStringLiteral("grille.txt"));
    const QString words = dir.filePath(QStringLiteral("mots.txt"));
    writeWholeFile(grid, "#...#\n");
    // Two three-letter words that the shipped table does not hold.
    writeWholeFile(words, "qzx\nqzy\n");
    const auto run = [&](QStringList extra, QString& out, QString& err) {
        QTextStream o(&out), e(&err);
        const int status = runOrvgrid(
            QStringList{QStringLiteral("fill"), grid, QStringLiteral("--words"), words} + extra, o,
            e);
        o.flush();
        e.flush();
        return status;
    };
    QString out, err;
    // The user's file, read from the working folder for a word list, hides QZX.
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    writeWholeFile(QStringLiteral("Dicoscore.dat"), "QZX\t0\r\nQZY\t40\r\n");
    const int status = run({QStringLiteral("--vocabulary"), QStringLiteral("all")}, out, err);
    QCOMPARE(status, int(OrvgridOk));
    QCOMPARE(out, QStringLiteral("#QZY#\n"));
    QVERIFY2(err.contains(QStringLiteral("score moyen 40.0")), qPrintable(err));
    QVERIFY2(err.contains(QStringLiteral("0 sur 1 (0.0 %)")), qPrintable(err));
    // Above QZY's score nothing fits.
    out.clear();
    err.clear();
    QCOMPARE(run({QStringLiteral("--min-score"), QStringLiteral("41")}, out, err),
             int(OrvgridImpossible));
    out.clear();
    err.clear();
    QCOMPARE(run({QStringLiteral("--min-score"), QStringLiteral("101")}, out, err),
             int(OrvgridBadInput));
    // The longer search for known words: the same fill here, nothing being better.
    out.clear();
    err.clear();
    QCOMPARE(run({QStringLiteral("--thorough")}, out, err), int(OrvgridOk));
    QCOMPARE(out, QStringLiteral("#QZY#\n"));
    QVERIFY(QDir::setCurrent(previous));
}

// The made-up words, one in 25 of them known, and the 7x7 layout that they
// fill at once.
struct SevenBySevenOneIn25 {
    std::vector<QByteArray> words = test::syntheticWords();
    ScoreTable table{knownText(words), ""};
    WordScores scores{table};
    WordIndex index = scoredIndex(words, scores);
    Grille grid = readGridText(test::kSevenBySeven);
    QSet<QByteArray> wordSet{words.begin(), words.end()};

    static QByteArray knownText(const std::vector<QByteArray>& words) {
        QByteArray text;
        for (const QByteArray& w : test::oneWordIn25(words))
            text += w + "\t60\n";
        return text;
    }

    // Over seeds 1 to 12, the same fill searched longer for fewer unknown
    // words: each fill sound, never worse than the shorter search, and
    // better over all the seeds.
    using Fill = std::function<FillResult(std::uint64_t seed)>;
    void longerSearchIsBetter(const Fill& shorter, const Fill& longer) const {
        int shortUnknown = 0;
        int longUnknown = 0;
        for (std::uint64_t seed = 1; seed <= 12; ++seed) {
            const FillResult a = shorter(seed);
            const FillResult b = longer(seed);
            QCOMPARE(a.status, FillStatus::Filled);
            QCOMPARE(b.status, FillStatus::Filled);
            const QStringList problems = test::fillProblems(grid, b.grille, wordSet);
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
            const int s = unknownWords(a.grille, scores);
            const int l = unknownWords(b.grille, scores);
            QVERIFY(l <= s);
            shortUnknown += s;
            longUnknown += l;
        }
        QVERIFY2(longUnknown < shortUnknown,
                 qPrintable(QStringLiteral("%1 unknown words, %2 with the longer search")
                                .arg(shortUnknown)
                                .arg(longUnknown)));
    }
};

void FillScoresTest::thoroughSearchFindsFewerUnknownWords() {
    // The common-words fill of the 7x7 layout leaves unknown words that a
    // longer search replaces.
    const SevenBySevenOneIn25 f;
    f.longerSearchIsBetter(
        [&](std::uint64_t seed) {
            return fillPreferringKnownWords(f.grid, f.index, commonOptions(seed), kFrequentScore);
        },
        [&](std::uint64_t seed) {
            return fillPreferringKnownWords(f.grid, f.index, commonOptions(seed), kFrequentScore,
                                            kPreferredFailures, kThoroughImprove);
        });
}

void FillScoresTest::longFillEarnsALongerSearch() {
    // The fill that takes over after the hand-over weighs no known word: the
    // search for fewer unknown words that follows is allowed a share of the
    // work the fill took, here far more than its budget per unknown word.
    const SevenBySevenOneIn25 f;
    const auto fill = [&](std::uint64_t seed, double workShare) {
        FillOptions o = betterFillOptions(seed, 1);
        o.improveMaxDistance = 5;
        o.improveWorkShare = workShare;
        return fillGrid(f.grid, f.index, o);
    };
    f.longerSearchIsBetter([&](std::uint64_t seed) { return fill(seed, 0); },
                           [&](std::uint64_t seed) { return fill(seed, 4); });
}

void FillScoresTest::firstRunDemandsFewUnknownWords() {
    // The 7x7 layout's 16 slots of 3 letters or more, at most one of them
    // unknown in the first run (up to its first restart, after 64 failures).
    const SevenBySevenOneIn25 f;
    const auto fill = [&](std::uint64_t seed, double share, std::uint64_t maxFailures) {
        FillOptions o = commonOptions(seed);
        o.preferredScore = kFrequentScore;
        o.preferredBonus = 10;
        o.offBandFactor = 0.1;
        o.knownWordsFirst = true;
        o.firstRunUnknownShare = share;
        o.maxFailures = maxFailures;
        return fillGrid(f.grid, f.index, o);
    };
    const double oneIn16 = 1.0 / 16;
    int freeOver = 0;
    int demandedFills = 0;
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        const FillResult free = fill(seed, 0, 63);
        if (free.status == FillStatus::Filled)
            freeOver += unknownWords(free.grille, f.scores) > 1;
        const FillResult demanded = fill(seed, oneIn16, 63);
        if (demanded.status != FillStatus::Filled)
            continue;
        ++demandedFills;
        const QStringList problems = test::fillProblems(f.grid, demanded.grille, f.wordSet);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QVERIFY(unknownWords(demanded.grille, f.scores) <= 1);
    }
    // Without the demand, first runs left more; with it, most still filled.
    QVERIFY2(freeOver >= 3, qPrintable(QString::number(freeOver)));
    QVERIFY2(demandedFills >= 15, qPrintable(QString::number(demandedFills)));

    // A demand that no fill meets only costs the first run: on the 3x3
    // square with a word of the known square hidden, only the unknown square
    // fits, and it is found after the demand of at most two unknown words.
    const ScoreTable table = squareTable();
    WordScores scores(table);
    scores.user().set("ORE", 0);
    std::vector<QByteArray> words = kKnownSquare;
    words.insert(words.end(), kUnknownSquare.begin(), kUnknownSquare.end());
    const WordIndex index = scoredIndex(words, scores);
    const QSet<QByteArray> unknown(kUnknownSquare.begin(), kUnknownSquare.end());
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        FillOptions o = commonOptions(seed);
        o.preferredScore = kFrequentScore;
        o.knownWordsFirst = true;
        o.firstRunUnknownShare = 1.0 / 3;
        const FillResult r = fillGrid(readGridText(kSquare3), index, o);
        QCOMPARE(r.status, FillStatus::Filled);
        QCOMPARE(wordsOf(r.grille), unknown);
    }
}

QTEST_GUILESS_MAIN(FillScoresTest)
#include "fill_scores_test.moc"
