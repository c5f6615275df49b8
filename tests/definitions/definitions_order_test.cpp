// The order of the definitions list: the user locale's case-insensitive
// collation applied to whole lines of Windows-1252 bytes.
#include "definitions/definitions_sort.h"

#include <QTest>

using namespace orv;

class DefinitionsOrderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pairsCompare_data();
    void pairsCompare();
    void sortGivesAlphabeticalOrder();
    void equalLinesKeepTheirOrder();
};

void DefinitionsOrderTest::pairsCompare_data() {
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::newRow("a word before a longer word it begins")
        << QByteArray("ABAT\tz") << QByteArray("ABATTRE\ta");
    QTest::newRow("alphabetical") << QByteArray("ABAQUE\tz") << QByteArray("ABAT\ta");
    QTest::newRow("case is ignored") << QByteArray("abaque\tz") << QByteArray("ABAT\ta");
    QTest::newRow("accent after the plain letter")
        << QByteArray("ETE\tx") << QByteArray("\xc9T\xc9\tx");
    QTest::newRow("accent weighs less than a later letter")
        << QByteArray("\xc9T\xc9\tx") << QByteArray("ETEINDRE\tx");
    QTest::newRow("c cedilla with c") << QByteArray("FA\xc7"
                                                    "ADE\tx")
                                      << QByteArray("FACILE\tx");
    QTest::newRow("oe ligature as o e") << QByteArray("\x8c"
                                                      "UF\tx")
                                        << QByteArray("OEUVRE\tx");
    QTest::newRow("same word, definitions decide")
        << QByteArray("MOT\tapr\xe8s") << QByteArray("MOT\tz\xe8le");
}

void DefinitionsOrderTest::pairsCompare() {
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QVERIFY(compareDefinitionLines(first, second) < 0);
    QVERIFY(compareDefinitionLines(second, first) > 0);
    QList<QByteArray> lines{second, first};
    sortDefinitions(lines);
    QCOMPARE(lines, (QList<QByteArray>{first, second}));
}

void DefinitionsOrderTest::sortGivesAlphabeticalOrder() {
    QList<QByteArray> lines{"ZEBRE\tanimal ray\xe9",
                            "ABATTRE\tfaire tomber",
                            "\xc9T\xc9\tsaison",
                            "ABA\tnouveau",
                            "ABAT\tpluie",
                            "MOT",
                            "ETE\tsaison"};
    sortDefinitions(lines);
    const QList<QByteArray> expected{
        "ABA\tnouveau",      "ABAT\tpluie", "ABATTRE\tfaire tomber", "ETE\tsaison",
        "\xc9T\xc9\tsaison", "MOT",         "ZEBRE\tanimal ray\xe9"};
    QCOMPARE(lines, expected);
}

void DefinitionsOrderTest::equalLinesKeepTheirOrder() {
    QCOMPARE(compareDefinitionLines("abat\tx", "ABAT\tX"), 0);
    QList<QByteArray> lines{"ZOO\tz", "abat\tx", "ABAT\tX", "Abat\tx"};
    sortDefinitions(lines);
    QCOMPARE(lines, (QList<QByteArray>{"abat\tx", "ABAT\tX", "Abat\tx", "ZOO\tz"}));
    QList<QByteArray> none;
    sortDefinitions(none);
    QVERIFY(none.isEmpty());
}

QTEST_APPLESS_MAIN(DefinitionsOrderTest)
#include "definitions_order_test.moc"
