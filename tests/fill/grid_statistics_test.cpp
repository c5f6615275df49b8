// The grid's figures on a grid worked out by hand.
#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"
#include "fill/grid_statistics.h"

#include <QTest>

using namespace orv;

class GridStatisticsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void figuresOfAKnownGrid();
};

void GridStatisticsTest::figuresOfAKnownGrid() {
    // Across: CAR, AMIE, SE. and TU (row 4); down: CAS, AME and RI.T;
    // column D holds no word (E and U between black squares).
    const QList<QByteArray> rows{"CAR#", "AMIE", "SE #", "##TU"};
    Grille g(4, 4);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            g.cell(c + 1, r + 1) = rows[r][c];
    const GridSlots slots(g);
    WordIndex index;
    index.buildFromPlain({"AMIE", "CAR", "CAS", "RIAT", "TU"});
    // A frequency table of CAR and AMIE only (AME would be there in the French one).
    const ScoreTable table(QByteArray("# test\nAMIE\t70\nCAR\t80\n"), QByteArray("# none\n"));
    const WordScores scores(table);

    const GridStatistics s = gridStatistics(g, slots, index, scores);
    QCOMPARE(s.cells(), 16);
    QCOMPARE(s.blacks, 4);
    QCOMPARE(s.emptyCells, 1);
    QCOMPARE(s.words, 7);
    QCOMPARE(s.completeWords, 5);
    QCOMPARE(s.wordsByLength[2], 1);
    QCOMPARE(s.wordsByLength[3], 4);
    QCOMPARE(s.wordsByLength[4], 2);
    QCOMPARE(s.longWords, 4);
    QCOMPARE(s.frequentLong, 2);
    QCOMPARE(s.singleWordCells, 2); // D2 and D4
    QCOMPARE(s.notInDictionary, std::vector<QByteArray>{"AME"});

    const QList<QPair<QString, QString>> lines = gridStatisticsLines(s);
    const auto value = [&](const QString& caption) {
        for (const auto& [c, v] : lines)
            if (c.trimmed() == caption)
                return v;
        return QString();
    };
    QCOMPARE(value(QStringLiteral("Grille")), QStringLiteral("4 × 4, 16 cases"));
    QCOMPARE(value(QStringLiteral("Cases noires")), QStringLiteral("4 (25 %)"));
    QCOMPARE(value(QStringLiteral("Mots")), QStringLiteral("7, dont 5 complets"));
    QCOMPARE(value(QStringLiteral("de 3 lettres")), QStringLiteral("4"));
    QCOMPARE(value(QStringLiteral("de 5 lettres")),
             QString()); // no line for a length without words
    QCOMPARE(value(QStringLiteral("Mots courants (3 lettres ou plus)")),
             QStringLiteral("2 sur 4 (50 %)"));
    QCOMPARE(value(QStringLiteral("Cases d'un seul mot")), QStringLiteral("2"));
    QCOMPARE(value(QStringLiteral("Mots absents du dictionnaire")), QStringLiteral("1 : AME"));

    // The same word twice is named once; an empty grid has no complete word.
    g.cell(1, 1) = 'A';
    g.cell(1, 2) = 'M';
    g.cell(1, 3) = 'E'; // columns A and B both hold AME
    const GridStatistics twice = gridStatistics(g, GridSlots(g), index, scores);
    QCOMPARE(twice.notInDictionary, (std::vector<QByteArray>{"AAR", "MMIE", "AME"}));
    g.Raz();
    const GridStatistics empty = gridStatistics(g, GridSlots(g), index, scores);
    QCOMPARE(empty.blacks, 0);
    QCOMPARE(empty.wordsByLength[4], 8);
    QCOMPARE(empty.completeWords, 0);
    QCOMPARE(empty.singleWordCells, 0);
}

QTEST_GUILESS_MAIN(GridStatisticsTest)
#include "grid_statistics_test.moc"
