// Listing the dictionary by initial letter, the letter steps, and the counts
// by length, on scrambled lists built from plain words.
#include "dictionary/dictionary_browse.h"
#include "dictionary/dictionary_stats.h"
#include "dictionary/scramble.h"
#include "support/word_lists.h"

#include <QTest>

using namespace orv;
using namespace orv::test;

namespace {} // namespace

class BrowseAndStatsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wordsWithInitial_data();
    void wordsWithInitial();
    void initialSteps_data();
    void initialSteps();
    void countWords_data();
    void countWords();
    void countTexts();
};

void BrowseAndStatsTest::wordsWithInitial_data() {
    QTest::addColumn<QList<QByteArray>>("dictionary");
    QTest::addColumn<char>("letter");
    QTest::addColumn<QList<QByteArray>>("expected");
    const QList<QByteArray> small{"ABRI", "ARBRE", "BAC"};
    QTest::newRow("A lists both in order") << small << 'A' << QList<QByteArray>{"ABRI", "ARBRE"};
    QTest::newRow("B") << small << 'B' << QList<QByteArray>{"BAC"};
    QTest::newRow("C lists nothing") << small << 'C' << QList<QByteArray>{};
    QTest::newRow("empty dictionary") << QList<QByteArray>{} << 'A' << QList<QByteArray>{};
    QTest::newRow("last letter") << QList<QByteArray>{"YETI", "ZOO", "ZEBRE"} << 'Z'
                                 << QList<QByteArray>{"ZOO", "ZEBRE"};
    QTest::newRow("file order kept when unsorted")
        << QList<QByteArray>{"ZOO", "ARBRE", "BAC", "ABRI"} << 'A'
        << QList<QByteArray>{"ARBRE", "ABRI"};
    QTest::newRow("duplicates listed each time")
        << QList<QByteArray>{"ABRI", "ABRI", "BAC"} << 'A' << QList<QByteArray>{"ABRI", "ABRI"};
    QTest::newRow("empty entry skipped")
        << QList<QByteArray>{"", "A", "", "AB"} << 'A' << QList<QByteArray>{"A", "AB"};
    // Only the first byte picks: the second letter's byte at position 1 would
    // be another letter's, so a word is never listed under its second letter.
    QTest::newRow("second letter does not count")
        << QList<QByteArray>{"BA", "AB"} << 'B' << QList<QByteArray>{"BA"};
    QTest::newRow("accented bytes unscrambled exactly")
        << QList<QByteArray>{"\xC9T\xC9", "ETE"} << 'E' << QList<QByteArray>{"ETE"};
}

void BrowseAndStatsTest::wordsWithInitial() {
    QFETCH(QList<QByteArray>, dictionary);
    QFETCH(char, letter);
    QFETCH(QList<QByteArray>, expected);
    QCOMPARE(orv::wordsWithInitial(scrambled(dictionary), letter).toList(), expected);
}

void BrowseAndStatsTest::initialSteps_data() {
    QTest::addColumn<char>("letter");
    QTest::addColumn<char>("next");
    QTest::addColumn<char>("previous");
    QTest::newRow("A") << 'A' << 'B' << 'A';
    QTest::newRow("M") << 'M' << 'N' << 'L';
    QTest::newRow("Y") << 'Y' << 'Z' << 'X';
    QTest::newRow("Z") << 'Z' << 'Z' << 'Y';
}

void BrowseAndStatsTest::initialSteps() {
    QFETCH(char, letter);
    QFETCH(char, next);
    QFETCH(char, previous);
    QCOMPARE(nextInitial(letter), next);
    QCOMPARE(previousInitial(letter), previous);
}

void BrowseAndStatsTest::countWords_data() {
    QTest::addColumn<QList<QByteArray>>("dictionary");
    QTest::addColumn<qsizetype>("total");
    QTest::addColumn<QList<int>>("lengths"); // byLength[2..19] in order
    QList<int> none(18, 0);
    QTest::newRow("empty") << QList<QByteArray>{} << qsizetype(0) << none;
    QList<int> small = none;
    small[0] = 1; // BU
    small[1] = 2; // BAC, ZOO
    small[2] = 1; // ABRI
    QTest::newRow("ABRI BAC BU ZOO")
        << QList<QByteArray>{"ABRI", "BAC", "BU", "ZOO"} << qsizetype(4) << small;
    QList<int> ends = none;
    ends[0] = 1;
    ends[17] = 1;
    QTest::newRow("outside 2 to 19 in the total only")
        << QList<QByteArray>{"", "A", "AB", QByteArray(19, 'E'), QByteArray(20, 'E')}
        << qsizetype(5) << ends;
}

void BrowseAndStatsTest::countWords() {
    QFETCH(QList<QByteArray>, dictionary);
    QFETCH(qsizetype, total);
    QFETCH(QList<int>, lengths);
    const WordCounts counts = orv::countWords(scrambled(dictionary));
    QCOMPARE(counts.total, total);
    for (int n = 2; n <= 19; ++n)
        QCOMPARE(counts.byLength[size_t(n)], qsizetype(lengths[n - 2]));
    QCOMPARE(counts.byLength[0], qsizetype(0));
    QCOMPARE(counts.byLength[1], qsizetype(0));
}

void BrowseAndStatsTest::countTexts() {
    QCOMPARE(totalText(325003), QStringLiteral("Nombre total de mots : 325003"));
    QCOMPARE(lengthText(2, 0), QStringLiteral("Mots de 2 lettres : 0"));
    QCOMPARE(lengthText(19, 12345), QStringLiteral("Mots de 19 lettres : 12345"));
}

QTEST_GUILESS_MAIN(BrowseAndStatsTest)
#include "browse_and_stats_test.moc"
