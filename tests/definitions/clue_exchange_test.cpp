// The clue exchange between the grid document and the clue sheet: the ranges
// exchanged for each size, the slots beyond left alone, the labels, and the
// modified flag raised only by typing.
#include "definitions/clue_exchange.h"
#include "document/document.h"

#include <QTest>

using namespace orv;

namespace {

Grille gridWithClues(int lignes, int colonnes) {
    Grille g;
    g.NbLignes = lignes;
    g.NbColonnes = colonnes;
    for (int k = 0; k < kCellSide; ++k) {
        g.DefHoriz[std::size_t(k)] = "H" + QByteArray::number(k);
        g.DefVert[std::size_t(k)] = "V" + QByteArray::number(k);
    }
    return g;
}

QList<QByteArray> replaced(const char* prefix, int count) {
    QList<QByteArray> clues;
    for (int i = 0; i < count; ++i)
        clues.append(prefix + QByteArray::number(i) +
                     " d\xe9"
                     "fini");
    return clues;
}

} // namespace

class ClueExchangeTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rangesFollowTheDimensions_data();
    void rangesFollowTheDimensions();
    void onlyAChangedSheetModifiesTheDocument();
    void labels();
};

void ClueExchangeTest::rangesFollowTheDimensions_data() {
    QTest::addColumn<int>("lignes");
    QTest::addColumn<int>("colonnes");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::newRow("7 by 7") << 8 << 8 << 7 << 7;
    QTest::newRow("10 rows by 6 columns") << 11 << 7 << 10 << 6;
    QTest::newRow("20 by 20") << 21 << 21 << 20 << 20;
    QTest::newRow("model's limit") << 23 << 23 << 22 << 22;
    QTest::newRow("beyond the arrays") << 40 << 30 << 23 << 23;
    QTest::newRow("before the first showing") << 0 << 0 << 0 << 0;
}

void ClueExchangeTest::rangesFollowTheDimensions() {
    QFETCH(int, lignes);
    QFETCH(int, colonnes);
    QFETCH(int, rows);
    QFETCH(int, columns);
    Grille g = gridWithClues(lignes, colonnes);
    const SheetClues out = cluesForSheet(g);
    QCOMPARE(out.horiz.size(), rows);
    QCOMPARE(out.vert.size(), columns);
    for (int i = 0; i < rows; ++i)
        QCOMPARE(out.horiz.at(i), g.DefHoriz[std::size_t(i)]);
    for (int j = 0; j < columns; ++j)
        QCOMPARE(out.vert.at(j), g.DefVert[std::size_t(j)]);

    // Back from the sheet: exactly the same ranges, the rest untouched, even
    // when the sheet hands back more lines than the grid has.
    cluesFromSheet(g, {replaced("h", 23), replaced("v", 23)});
    for (int k = 0; k < kCellSide; ++k) {
        const auto i = std::size_t(k);
        QCOMPARE(g.DefHoriz[i], k < rows ? replaced("h", 23).at(k) : "H" + QByteArray::number(k));
        QCOMPARE(g.DefVert[i], k < columns ? replaced("v", 23).at(k) : "V" + QByteArray::number(k));
    }
}

void ClueExchangeTest::onlyAChangedSheetModifiesTheDocument() {
    Document doc;
    doc.start();
    QVERIFY(!doc.applyGridChange(cluesChange(doc.grille(), cluesForSheet(doc.grille()))));
    QVERIFY(!doc.isModified());
    SheetClues typed = cluesForSheet(doc.grille());
    typed.vert[2] = "Fleuve";
    QVERIFY(doc.applyGridChange(cluesChange(doc.grille(), typed)));
    QVERIFY(doc.isModified());
    QCOMPARE(doc.grille().DefVert[2], QByteArray("Fleuve"));
    QVERIFY(doc.undo());
    QVERIFY(!doc.isModified());
}

void ClueExchangeTest::labels() {
    QCOMPARE(rowLabels(7), (QStringList{"1", "2", "3", "4", "5", "6", "7"}));
    QCOMPARE(columnLabels(7), (QStringList{"A", "B", "C", "D", "E", "F", "G"}));
    QCOMPARE(rowLabels(20).last(), QStringLiteral("20"));
    QCOMPARE(columnLabels(20).last(), QStringLiteral("T"));
    QVERIFY(rowLabels(0).isEmpty());
    // French usage, as printed: Roman rows, numbered columns, and cells named
    // row first.
    QCOMPARE(rowLabels(4, LabelStyle::French), (QStringList{"I", "II", "III", "IV"}));
    QCOMPARE(rowLabels(20, LabelStyle::French).last(), QStringLiteral("XX"));
    QCOMPARE(columnLabels(20, LabelStyle::French).last(), QStringLiteral("20"));
    QCOMPARE(cellName({3, 4}), QStringLiteral("C4"));
    QCOMPARE(cellName({3, 4}, LabelStyle::French), QStringLiteral("IV-3"));
    QCOMPARE(cellName({12, 19}, LabelStyle::French), QStringLiteral("XIX-12"));
    QCOMPARE(mirrorCell({2, 2}, 10, 10), (Cell{9, 9}));
    QCOMPARE(mirrorCell({1, 3}, 7, 12), (Cell{12, 5}));
}

QTEST_APPLESS_MAIN(ClueExchangeTest)
#include "clue_exchange_test.moc"
