// The words' classes as the first aim of the fill and the maker, on the real
// French list: the classes of every indexed word agree with the shipped table
// and the user's scores; the search never returns a grid with more weak words
// than the one it started from, and keeps the letters typed; a refused word
// leaves the grid with every cell outside the refilled part kept, and never
// comes back; one seed gives one grid.
#include "common/text_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/scored_word_index.h"
#include "dictionary/scramble.h"
#include "dictionary/word_index.h"
#include "dictionary/word_list.h"
#include "dictionary/word_scores.h"
#include "fill/fill_scores.h"
#include "fill/grid_maker.h"
#include "fill/grid_statistics.h"
#include "fill/word_quality.h"
#include "grid/grid_slots.h"
#include "grid/grid_text.h"
#include "support/fill_checker.h"

#include <QFile>
#include <QSet>
#include <QTest>
#include <cstdlib>

using namespace orv;

namespace {

const QString kFrench = QStringLiteral("/usr/share/dict/french");

// The French list, folded to capitals as the program's dictionary holds it,
// indexed with the shipped scores; built once for every test.
struct French {
    WordIndex index;
    WordScores scores;
    QSet<QByteArray> words;
};

const French& french() {
    static const French* f = [] {
        auto* out = new French;
        WordList list;
        importLines(list, wordListLines(readWholeFile(kFrench), true));
        out->index.build(list);
        setIndexScores(out->index, out->scores);
        for (const QByteArray& e : list.entries())
            out->words.insert(Decrypte(e));
        return out;
    }();
    return *f;
}

// A 10x10 layout with its black squares fixed, and a 9x9 one.
const QByteArray k10 = "....#.....\n"
                       ".#...#....\n"
                       "...#...#..\n"
                       "..........\n"
                       "#...#.....\n"
                       "....#...#.\n"
                       ".#......#.\n"
                       "..#.......\n"
                       "......#...\n"
                       "...#......\n";

QSet<QByteArray> wordsOf(const Grille& g) {
    QSet<QByteArray> out;
    const GridSlots slots(g);
    for (const Slot& s : slots.slots())
        out.insert(slotPattern(g, s));
    return out;
}

// The cells where two grids differ.
QList<Cell> changedCells(const Grille& a, const Grille& b) {
    QList<Cell> out;
    for (int c = 1; c <= a.playingCols(); ++c)
        for (int r = 1; r <= a.playingRows(); ++r)
            if (a.cell(c, r) != b.cell(c, r))
                out.append({c, r});
    return out;
}

// A fill that takes every word alike: the grid a search for quality starts from.
Grille plainFill(const Grille& layout, std::uint64_t seed) {
    FillOptions o;
    o.seed = seed;
    o.minScore = 1;
    const FillResult r = fillGrid(layout, french().index, o);
    if (r.status != FillStatus::Filled)
        qFatal("the plain fill failed");
    return r.grille;
}

} // namespace

class WordQualityTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        if (!QFile::exists(kFrench))
            QSKIP("no French word list on this machine");
    }
    void indexClassesFollowTableAndUserScores();
    void makerTakesGeneralVocabularyWordsAsWeak();
    void searchNeverEndsWithMoreWeakWords();
    void makerNeverReturnsMoreWeakWordsThanItsStart();
    void refusedWordNeverComesBackAndOtherCellsStay();
    void oneSeedOneGrid();
    void weakWordCellsAndStatistics();
};

// The merge that classes every indexed word agrees with the table's own
// look-up, word for word, on every word of 4 and 7 letters; a user's score
// moves a word to the class it names.
void WordQualityTest::indexClassesFollowTableAndUserScores() {
    const French& f = french();
    IndexClasses classes(f.index, f.scores);
    int counted[3] = {0, 0, 0};
    for (const int length : {4, 7})
        for (std::uint32_t id = 0; id < f.index.idCount(length); ++id) {
            const QByteArray word = f.index.word(length, id);
            const WordClass c = classes.classOf(length, id);
            QCOMPARE(int(c), int(f.scores.wordClass(word)));
            ++counted[int(c)];
        }
    // Each class is well represented among those words.
    QVERIFY(counted[int(WordClass::Known)] > 1000);
    QVERIFY(counted[int(WordClass::Fair)] > 500);
    QVERIFY(counted[int(WordClass::Weak)] > 5000);

    WordScores own;
    own.user().set("MAISON", 5);    // a known word the user lowers
    own.user().set("BETISERA", 70); // a weak form the user wants
    IndexClasses mine(f.index, own);
    auto classOf = [&](const QByteArray& w) {
        const std::int64_t id = f.index.find(w);
        return mine.classOf(int(w.size()), std::uint32_t(id));
    };
    QCOMPARE(classOf("MAISON"), WordClass::Weak);
    QCOMPARE(classOf("BETISERA"), WordClass::Known);
    QCOMPARE(classOf("MAISONS"), WordClass::Known);
}

// The maker's demand: the fair words that only the general vocabulary holds
// (outside the frequency list) count as weak, by id, by word and in a
// grid's rank, whatever the order of the look-ups; the other classes and a
// user's own score stay as they are. A fill's classes keep them fair.
void WordQualityTest::makerTakesGeneralVocabularyWordsAsWeak() {
    const French& f = french();
    const WordClasses& table = WordClasses::french();
    QVERIFY(table.isRareGeneral("BUVARD"));
    QVERIFY(!table.isRareGeneral("PORTA")); // fair by the frequency list
    QVERIFY(!table.isRareGeneral("MAISON"));
    QCOMPARE(table.classOf("BUVARD"), WordClass::Fair);
    // Every G word of 6 letters is fair for a fill and weak for the maker.
    IndexClasses fill(f.index, f.scores), maker(f.index, f.scores);
    const auto buvard = std::uint32_t(f.index.find("BUVARD"));
    QCOMPARE(fill.classOf(6, buvard), WordClass::Fair);
    QCOMPARE(maker.classOf(6, buvard), WordClass::Fair);
    maker.demandFrequentFairWords(); // after a first look-up: the table is made anew
    int general = 0;
    for (std::uint32_t id = 0; id < f.index.idCount(6); ++id) {
        const QByteArray word = f.index.word(6, id);
        const bool rare = table.isRareGeneral(word);
        general += rare;
        QCOMPARE(int(maker.classOf(6, id)), int(rare ? WordClass::Weak : fill.classOf(6, id)));
        QCOMPARE(int(maker.classOf(word)), int(maker.classOf(6, id)));
    }
    QVERIFY(general > 500);

    Grille g(1, 6);
    for (int c = 1; c <= 6; ++c)
        g.cell(c, 1) = "BUVARD"[c - 1];
    QCOMPARE(fill.rank(g).weak, 0);
    QCOMPARE(maker.rank(g).weak, 1);

    WordScores own;
    own.user().set("BUVARD", 30); // the user's own score wins
    IndexClasses mine(f.index, own);
    mine.demandFrequentFairWords();
    QCOMPARE(mine.classOf("BUVARD"), WordClass::Fair);
    QCOMPARE(mine.classOf(6, std::uint32_t(f.index.find("BUVARD"))), WordClass::Fair);
}

// From a fill that took every word alike (many weak words), the search ends
// with fewer weak words, never more, every word a distinct word of the list,
// the typed letters kept; its own rank is the grid's.
void WordQualityTest::searchNeverEndsWithMoreWeakWords() {
    const French& f = french();
    Grille layout = readGridText(k10);
    layout.cell(1, 1) = 'C'; // typed by the user
    int lowered = 0;
    for (std::uint64_t seed = 1; seed <= 3; ++seed) {
        const Grille start = plainFill(layout, seed);
        IndexClasses classes(f.index, f.scores);
        const WordRank before = classes.rank(start);
        QualityOptions o;
        o.seed = seed;
        o.minScore = 1;
        o.scoreWeight = kScoreWeight;
        o.effort = kFillQuality;
        QualitySearch search(classes, layout, o);
        const Grille after = search.improve(start);
        const WordRank rank = classes.rank(after);
        QVERIFY(rank.weak <= before.weak);
        QVERIFY(!before.betterThan(rank));
        lowered += rank.weak < before.weak;
        QCOMPARE(after.cell(1, 1), 'C');
        const QStringList problems = test::fillProblems(layout, after, f.words);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QCOMPARE(fillQuality(after, f.scores).weakWords.size(), qsizetype(rank.weak));
    }
    QCOMPARE(lowered, 3);
}

// A maker whose fill ignores the classes starts from a grid full of weak
// words; the grid it returns has fewer, keeps the rules and its rank is the
// one it reports.
void WordQualityTest::makerNeverReturnsMoreWeakWordsThanItsStart() {
    const French& f = french();
    for (std::uint64_t seed : {3u, 4u}) {
        IndexClasses classes(f.index, f.scores);
        MakeOptions o;
        o.seed = seed;
        o.maxBlacks = defaultMaxBlacks(9, 9);
        o.minScore = 1;
        o.scoreWeight = kScoreWeight;
        o.timeLimitSeconds = 120; // a guard: the budgets count refills
        o.classes = &classes;
        o.quality = QualityEffort{150, 100, 2};
        o.fill = [](const Grille& g, const WordIndex& i, const FillOptions& fo) {
            FillOptions any = fo;
            any.allowed = nullptr;
            return fillGrid(g, i, any);
        };
        Grille empty;
        empty.NbLignes = 10;
        empty.NbColonnes = 10;
        empty.Raz();
        const MakeResult r = makeGrid(empty, f.index, o);
        QCOMPARE(r.status, MakeStatus::Made);
        QVERIFY(r.firstRank.weak > 0);
        QVERIFY(r.rank.weak < r.firstRank.weak);
        QCOMPARE(classes.rank(r.grille).weak, r.rank.weak);
        QVERIFY(patternFault(r.grille, false, false, 0).isEmpty());
        const QSet<QByteArray> words = wordsOf(r.grille);
        QCOMPARE(words.size(), GridSlots(r.grille).count()); // no word twice
        for (const QByteArray& w : words)
            QVERIFY2(f.words.contains(w), w.constData());
    }
}

// Refusing a word changes only cells within the widest part around its
// slot; the refused words never come back, neither in the next refusal nor
// in a new fill of the grid.
void WordQualityTest::refusedWordNeverComesBackAndOtherCellsStay() {
    const French& f = french();
    const Grille layout = readGridText(k10);
    Grille grid = plainFill(layout, 5);
    IndexClasses classes(f.index, f.scores);
    QualityOptions o;
    o.seed = 7;
    o.minScore = 1;
    o.scoreWeight = kScoreWeight;
    o.effort = kRefusalEffort;
    const GridSlots slots(grid);
    QList<QByteArray> refused;
    for (const int slot : {0, slots.count() - 1, 5}) {
        const Grille before = grid;
        const QByteArray word = slotPattern(before, slots[slot]);
        const FillResult r = refuseWord(before, slot, classes, o);
        QCOMPARE(r.status, FillStatus::Filled);
        refused.append(word);
        grid = r.grille;
        const QSet<QByteArray> words = wordsOf(grid);
        for (const QByteArray& w : refused)
            QVERIFY2(!words.contains(w), w.constData());
        QVERIFY(slotPattern(grid, slots[slot]) != word);
        for (const Cell& c : changedCells(before, grid)) {
            bool near = false;
            for (const SlotCell& sc : slots[slot].cells)
                near = near || (std::abs(sc.col - c.col) <= kRefusalEffort.maxRadius &&
                                std::abs(sc.row - c.row) <= kRefusalEffort.maxRadius);
            QVERIFY2(near, qPrintable(cellName(c)));
        }
        const QStringList problems = test::fillProblems(layout, grid, f.words);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }
    // A new fill of the layout, asked not to place them, places none.
    for (std::uint64_t seed = 1; seed <= 3; ++seed) {
        FillOptions fo;
        fo.seed = seed;
        fo.minScore = vocabularyFill(Vocabulary::Common).minScore;
        fo.scoreWeight = kScoreWeight;
        const FillResult r = fillForQuality(layout, classes, fo, kFrequentScore);
        QCOMPARE(r.status, FillStatus::Filled);
        const QSet<QByteArray> words = wordsOf(r.grille);
        for (const QByteArray& w : refused)
            QVERIFY2(!words.contains(w), w.constData());
    }
}

// The same seed gives the same grid, for the fill and for the maker (with
// one draft or several); another seed another one.
void WordQualityTest::oneSeedOneGrid() {
    const French& f = french();
    const Grille layout = readGridText(k10);
    auto fill = [&](std::uint64_t seed) {
        IndexClasses classes(f.index, f.scores);
        FillOptions fo;
        fo.seed = seed;
        fo.minScore = vocabularyFill(Vocabulary::Common).minScore;
        fo.scoreWeight = kScoreWeight;
        return fillForQuality(layout, classes, fo, kFrequentScore).grille;
    };
    QCOMPARE(gridText(fill(11)), gridText(fill(11)));
    QVERIFY(gridText(fill(11)) != gridText(fill(12)));
    auto make = [&](std::uint64_t seed, int drafts) {
        IndexClasses classes(f.index, f.scores);
        MakeOptions o;
        o.seed = seed;
        o.maxBlacks = defaultMaxBlacks(8, 8);
        o.minScore = vocabularyFill(Vocabulary::Common).minScore;
        o.scoreWeight = kScoreWeight;
        o.classes = &classes;
        o.quality = QualityEffort{80, 100, 2};
        o.drafts = drafts;
        Grille empty;
        empty.NbLignes = 9;
        empty.NbColonnes = 9;
        empty.Raz();
        return makeGrid(empty, f.index, o);
    };
    const MakeResult first = make(21, 1);
    QCOMPARE(first.status, MakeStatus::Made);
    QCOMPARE(gridText(make(21, 1).grille), gridText(first.grille));

    // Drafts: the first is the grid of the seed alone, and each further
    // draft can only leave a grid that reads as well or better (fewer weak
    // words, then a greater share of frequent ones), the same every time.
    auto reading = [&](const MakeResult& r) {
        int longWords = 0;
        const GridSlots slots(r.grille);
        for (const Slot& slot : slots.slots())
            longWords += slot.cells.size() >= 3;
        return std::pair{-r.rank.weak, double(r.rank.frequent) / std::max(1, longWords)};
    };
    const MakeResult three = make(21, 3);
    QCOMPARE(three.status, MakeStatus::Made);
    QCOMPARE(gridText(make(21, 3).grille), gridText(three.grille));
    QVERIFY(three.attempts > first.attempts);
    const MakeResult two = make(21, 2);
    QVERIFY(reading(two) >= reading(first));
    QVERIFY(reading(three) >= reading(two));
    // The rank told is the returned grid's own.
    IndexClasses judge(f.index, f.scores);
    judge.demandFrequentFairWords();
    const WordRank told = judge.rank(three.grille);
    QCOMPARE(told.weak, three.rank.weak);
    QCOMPARE(told.frequent, three.rank.frequent);
}

// The cells of the weak words, each once, and the statistics' list of them.
void WordQualityTest::weakWordCellsAndStatistics() {
    const French& f = french();
    const Grille g = readGridText("BETISERA\n"
                                  "########\n"
                                  "ERSEAU##\n"
                                  "########\n"
                                  "MAISON##\n");
    const std::vector<Cell> cells = weakWordCells(g, f.scores);
    QCOMPARE(int(cells.size()), 14);
    QCOMPARE(cells[0], (Cell{1, 1}));
    QCOMPARE(cells[1], (Cell{1, 3}));
    QCOMPARE(cells.back(), (Cell{8, 1}));
    const FillQuality q = fillQuality(g, f.scores);
    QCOMPARE(q.weakWords, (QList<QByteArray>{"BETISERA", "ERSEAU"}));
    QCOMPARE(weakWordsText(q), QStringLiteral("2 mots rares : BETISERA, ERSEAU"));
    const GridStatistics s = gridStatistics(g, GridSlots(g), f.index, f.scores);
    QCOMPARE(s.weakWords, (std::vector<QByteArray>{"BETISERA", "ERSEAU"}));
    const auto lines = gridStatisticsLines(s);
    QCOMPARE(lines.last().first, QStringLiteral("Mots rares"));
    QCOMPARE(lines.last().second, QStringLiteral("2 : BETISERA, ERSEAU"));
}

QTEST_GUILESS_MAIN(WordQualityTest)
#include "word_quality_test.moc"
