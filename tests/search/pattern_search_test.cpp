// The pattern boxes' rules, the search's results and order, and the search
// over words grouped by length checked against a plain scan that unscrambles
// every entry.
#include "dictionary/scramble.h"
#include "search/pattern_search.h"
#include "support/word_lists.h"

#include <QRandomGenerator>
#include <QTest>
#include <array>

using namespace orv;
using namespace orv::test;

namespace {

// The search as the window's rule states it: every entry of the length is
// unscrambled and compared with the motif position by position.
QList<QByteArray> plainScan(const QList<QByteArray>& entries, const QByteArray& motif) {
    QList<QByteArray> found;
    for (const QByteArray& entry : entries) {
        if (entry.size() != motif.size())
            continue;
        const QByteArray word = Decrypte(entry);
        bool fits = true;
        for (qsizetype i = 0; i < motif.size() && fits; ++i)
            fits = motif[i] == '.' || motif[i] == word[i];
        if (fits)
            found.append(word);
    }
    return found;
}

} // namespace

class PatternSearchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void boxesAcceptClicks_data();
    void boxesAcceptClicks();
    void pickingFillsTheChosenBox();
    void motifTakesTheFirstBoxesOnly();
    void search_data();
    void search();
    void searchAgreesWithPlainScan();
    void searchAfterReassignAndClear();
    void countText_data();
    void countText();
};

void PatternSearchTest::boxesAcceptClicks_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("box 1 at 6") << 1 << 6 << true;
    QTest::newRow("box 6 at 6") << 6 << 6 << true;
    QTest::newRow("box 7 at 6") << 7 << 6 << false;
    QTest::newRow("box 7 at 7") << 7 << 7 << true;
    QTest::newRow("box 9 at 8") << 9 << 8 << false;
    QTest::newRow("box 9 at 12") << 9 << 12 << true;
    QTest::newRow("box 12 at 11") << 12 << 11 << false;
    QTest::newRow("box 12 at 12") << 12 << 12 << true;
    QTest::newRow("no box 0") << 0 << 12 << false;
    QTest::newRow("no box 13") << 13 << 12 << false;
}

void PatternSearchTest::boxesAcceptClicks() {
    QFETCH(int, position);
    QFETCH(int, length);
    QFETCH(bool, accepted);
    QCOMPARE(SearchPattern::acceptsClick(position, length), accepted);
    SearchPattern pattern;
    pattern.click(3, 6);
    QCOMPARE(pattern.click(position, length), accepted);
    // A refused click leaves the earlier choice.
    QCOMPARE(pattern.PositionChoisie, accepted ? position : 3);
}

void PatternSearchTest::pickingFillsTheChosenBox() {
    SearchPattern pattern;
    QCOMPARE(pattern.Motif(12), QByteArray("............"));
    // Before any box is chosen a picked letter goes nowhere.
    pattern.pick('Q');
    QCOMPARE(pattern.Motif(12), QByteArray("............"));

    QVERIFY(pattern.click(1, 6));
    pattern.pick('C');
    QVERIFY(pattern.click(6, 6));
    pattern.pick('E');
    QCOMPARE(pattern.Motif(6), QByteArray("C....E"));
    QCOMPARE(pattern.LettreChoisie, 'E');
    // "." frees a position again.
    QVERIFY(pattern.click(1, 6));
    pattern.pick('.');
    QCOMPARE(pattern.Motif(6), QByteArray(".....E"));
    pattern.clear();
    QCOMPARE(pattern.Motif(12), QByteArray("............"));
}

void PatternSearchTest::motifTakesTheFirstBoxesOnly() {
    SearchPattern pattern;
    QVERIFY(pattern.click(9, 9));
    pattern.pick('E');
    QCOMPARE(pattern.Motif(8), QByteArray("........"));
    QCOMPARE(pattern.Motif(9), QByteArray("........E"));
    QCOMPARE(pattern.box(9), 'E');
    QCOMPARE(pattern.Motif(6).size(), 6);
    QCOMPARE(pattern.Motif(12).size(), 12);
}

void PatternSearchTest::search_data() {
    QTest::addColumn<QList<QByteArray>>("dictionary");
    QTest::addColumn<QByteArray>("motif");
    QTest::addColumn<QList<QByteArray>>("expected");
    const QList<QByteArray> words{"CASSER", "ABRITE",  "CHAPEAU", "CAVEAU", "ABRI",
                                  "CASSER", "CABANES", "CARAFE",  "COLLEGE"};
    QTest::newRow("all free, every 6-letter word in list order")
        << words << QByteArray("......")
        << QList<QByteArray>{"CASSER", "ABRITE", "CAVEAU", "CASSER", "CARAFE"};
    QTest::newRow("first and last letter")
        << words << QByteArray("C.....E") << QList<QByteArray>{"COLLEGE"};
    QTest::newRow("duplicates listed each time")
        << words << QByteArray("..SS..") << QList<QByteArray>{"CASSER", "CASSER"};
    QTest::newRow("no word fits") << words << QByteArray("Z.....") << QList<QByteArray>{};
    QTest::newRow("no word of the length")
        << words << QByteArray("............") << QList<QByteArray>{};
    QTest::newRow("empty dictionary")
        << QList<QByteArray>{} << QByteArray("......") << QList<QByteArray>{};
    QTest::newRow("case-sensitive") << words << QByteArray("c.....") << QList<QByteArray>{};
    QTest::newRow("every position known")
        << words << QByteArray("CAVEAU") << QList<QByteArray>{"CAVEAU"};
    QTest::newRow("accented byte compared exactly")
        << QList<QByteArray>{"\xC9T\xC9", "ETE"} << QByteArray("\xC9..")
        << QList<QByteArray>{"\xC9T\xC9"};
    QTest::newRow("empty entries for an empty motif")
        << QList<QByteArray>{"", "AB", ""} << QByteArray() << QList<QByteArray>{"", ""};
    const QByteArray longWord = QByteArray("ANTICONSTITUTIONNELLEMENTPARFAITS");
    QTest::newRow("32 letters, the longest group")
        << QList<QByteArray>{longWord, "AB", longWord.left(32)}
        << QByteArray("A" + QByteArray(30, '.') + "T") << QList<QByteArray>{longWord.left(32)};
    QTest::newRow("33 letters, read from the entries")
        << QList<QByteArray>{longWord, "AB", longWord.left(32), longWord}
        << QByteArray("A" + QByteArray(31, '.') + "S") << QList<QByteArray>{longWord, longWord};
}

void PatternSearchTest::search() {
    QFETCH(QList<QByteArray>, dictionary);
    QFETCH(QByteArray, motif);
    QFETCH(QList<QByteArray>, expected);
    WordSearchIndex index;
    index.assign(scrambled(dictionary));
    QCOMPARE(index.search(motif).toList(), expected);
}

void PatternSearchTest::searchAgreesWithPlainScan() {
    // Arbitrary bytes and lengths, duplicates included, against many motifs.
    QRandomGenerator random(20240607);
    QList<QByteArray> entries;
    for (int i = 0; i < 4000; ++i) {
        const int length = random.bounded(0, 40);
        QByteArray entry(length, Qt::Uninitialized);
        for (char& c : entry)
            c = char(random.bounded(i % 2 ? 256 : 4) + (i % 2 ? 0 : 'A'));
        entries.append(entry);
        if (i % 97 == 0)
            entries.append(entry);
    }
    // Enough words of a few lengths that an all-free search unscrambles them
    // in several stretches.
    for (int length : {1, 5, 7, 13}) {
        for (int i = 0; i < 700; ++i) {
            QByteArray entry(length, Qt::Uninitialized);
            for (char& c : entry)
                c = char(random.bounded(256));
            entries.insert(random.bounded(entries.size() + 1), entry);
        }
    }
    WordSearchIndex index;
    index.assign(entries);
    for (int m = 0; m < 400; ++m) {
        const int length = m < 8 ? std::array{1, 5, 7, 13}[m % 4] : random.bounded(0, 40);
        const bool allFree = m < 4 || m % 4 == 0;
        QByteArray motif(length, '.');
        for (char& c : motif)
            if (!allFree && random.bounded(3) == 0)
                c = char('A' + random.bounded(4));
        QCOMPARE(index.search(motif).toList(), plainScan(entries, motif));
    }
}

void PatternSearchTest::searchAfterReassignAndClear() {
    WordSearchIndex index;
    index.assign(scrambled({"CASSER", "CARAFE"}));
    index.assign(scrambled({"CAVEAU"}));
    QCOMPARE(index.search("CA....").toList(), QList<QByteArray>{"CAVEAU"});
    index.clear();
    QVERIFY(index.search("CA....").isEmpty());
}

void PatternSearchTest::countText_data() {
    QTest::addColumn<qsizetype>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << qsizetype(0) << "0 mot";
    QTest::newRow("one") << qsizetype(1) << "1 mot";
    QTest::newRow("two") << qsizetype(2) << "2 mots";
    QTest::newRow("many") << qsizetype(26155) << "26155 mots";
}

void PatternSearchTest::countText() {
    QFETCH(qsizetype, count);
    QFETCH(QString, text);
    QCOMPARE(orv::countText(count), text);
}

QTEST_GUILESS_MAIN(PatternSearchTest)
#include "pattern_search_test.moc"
