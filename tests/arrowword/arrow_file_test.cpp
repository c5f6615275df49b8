// The arrow-word file: written and read back unchanged, and every malformed
// file refused with its French reason.
#include "arrowword/arrow_file.h"
#include "common/errors.h"
#include "support/arrow_grids.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;
using namespace orv::test;

namespace {

QString refusal(const QByteArray& data) {
    try {
        readArrowFile(data, QStringLiteral("essai.fleches"));
    } catch (const OrvError& e) {
        return e.message();
    }
    return {};
}

QByteArray withBody(const QByteArray& rest) {
    return R"({"format": "orv-fleches", "version": 1, )" + rest + "}";
}

} // namespace

class ArrowFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTripKeepsEverything();
    void savesAtomicallyAndLoads();
    void refusals_data();
    void refusals();
    void refusesTooLongFile();
};

void ArrowFileTest::roundTripKeepsEverything() {
    ArrowGrid grid = sampleArrowGrid();
    grid.setClueText({1, 2}, 0, QStringLiteral("Voie « urbaine » \"bis\"\n\\ é à ç œ"));
    const QByteArray bytes = arrowFileBytes(grid);
    QVERIFY(bytes.contains("\"format\": \"orv-fleches\""));
    QVERIFY(bytes.contains("\"arrow\": \"right-down\""));
    QVERIFY(bytes.contains("\"arrow\": \"down-right\""));
    QVERIFY(bytes.contains("\"#ORL\"") || bytes.contains("\"#O#L\""));
    const ArrowGrid back = readArrowFile(bytes, QStringLiteral("essai.fleches"));
    QCOMPARE(back, grid);
    QCOMPARE(arrowFileBytes(back), bytes);
    // The largest grid, every cell a definition cell with two clues of the longest text.
    ArrowGrid big(kMaxArrowSide, kMaxArrowSide);
    for (int r = 1; r <= kMaxArrowSide; ++r)
        for (int c = 1; c <= kMaxArrowSide; ++c) {
            big.setDefinition({c, r}, true);
            big.setArrow({c, r}, 0, ArrowDirection::Down);
            big.setArrow({c, r}, 1, ArrowDirection::DownThenRight);
            big.setClueText({c, r}, 0, QString(kMaxArrowClueLength, QChar(0x00E9)));
        }
    const QByteArray bigBytes = arrowFileBytes(big);
    QVERIFY(bigBytes.size() <= kMaxArrowFileBytes);
    QCOMPARE(readArrowFile(bigBytes, QStringLiteral("grand.fleches")), big);
}

void ArrowFileTest::savesAtomicallyAndLoads() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grille.fleches"));
    writeArrowFile(path, sampleArrowGrid());
    QCOMPARE(loadArrowFile(path), sampleArrowGrid());
    // A file that cannot be written leaves the earlier one whole.
    const QString blocked = dir.filePath(QStringLiteral("absent/grille.fleches"));
    try {
        writeArrowFile(blocked, ArrowGrid(9, 11));
        QFAIL("written into a missing folder");
    } catch (const OrvError& e) {
        QVERIFY(e.message().startsWith(QStringLiteral("Ne peut créer le fichier")));
    }
    QCOMPARE(arrowFileName(QStringLiteral("/x/grille")), QStringLiteral("/x/grille.fleches"));
    QCOMPARE(arrowFileName(QStringLiteral("/x/g.FLECHES")), QStringLiteral("/x/g.FLECHES"));
}

void ArrowFileTest::refusals_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");
    const QByteArray cells3 = R"("rows": 3, "columns": 3, "cells": ["#..", "...", "..."])";
    QTest::newRow("json") << QByteArray("{\"format\": ")
                          << QStringLiteral("le texte JSON est mal formé (");
    QTest::newRow("array") << QByteArray("[1]")
                           << QStringLiteral("le texte JSON ne décrit pas une grille");
    QTest::newRow("ipuz") << QByteArray(R"({"version": "http://ipuz.org/v2"})")
                          << QStringLiteral("ce n'est pas une grille de mots fléchés d'Orv Grille");
    QTest::newRow("no version") << QByteArray(R"({"format": "orv-fleches"})")
                                << QStringLiteral("le numéro de version du format manque");
    QTest::newRow("later") << QByteArray(R"({"format": "orv-fleches", "version": 2})")
                           << QStringLiteral("il est écrit dans la version 2 du format, ce "
                                             "programme lit la version 1");
    QTest::newRow("rows") << withBody(R"("rows": 2.5, "columns": 3)")
                          << QStringLiteral("le nombre de lignes manque ou est incorrect");
    QTest::newRow("too wide") << withBody(R"("rows": 3, "columns": 26)")
                              << QStringLiteral(
                                     "la grille a 26 colonnes, de 3 à 25 sont possibles");
    QTest::newRow("too small") << withBody(R"("rows": 2, "columns": 9)")
                               << QStringLiteral("la grille a 2 lignes, de 3 à 25 sont possibles");
    QTest::newRow("row count") << withBody(R"("rows": 3, "columns": 3, "cells": ["...", "..."])")
                               << QStringLiteral("les cases ne forment pas 3 lignes");
    QTest::newRow("row length")
        << withBody(R"("rows": 3, "columns": 3, "cells": ["...", "....", "..."])")
        << QStringLiteral("la ligne 2 des cases n'a pas 3 cases");
    QTest::newRow("cell") << withBody(R"("rows": 3, "columns": 3, "cells": ["...", ".a.", "..."])")
                          << QStringLiteral("la case B2 contient « a » : seuls « # », « . » et les "
                                            "lettres A à Z sont possibles");
    QTest::newRow("clues") << withBody(cells3 + R"(, "clues": {})")
                           << QStringLiteral("les définitions ne forment pas une liste");
    QTest::newRow("outside")
        << withBody(cells3 + R"(, "clues": [{"row": 4, "column": 1, "arrow": "right"}])")
        << QStringLiteral("la définition n° 1 n'est pas dans une case de la grille");
    QTest::newRow("letter cell")
        << withBody(cells3 + R"(, "clues": [{"row": 1, "column": 2, "arrow": "right"}])")
        << QStringLiteral("la définition n° 1 est dans la case B1, qui n'est pas une case de "
                          "définition");
    QTest::newRow("arrow") << withBody(cells3 +
                                       R"(, "clues": [{"row": 1, "column": 1, "arrow": "up"}])")
                           << QStringLiteral("la définition n° 1 a une flèche « up » inconnue");
    QTest::newRow("text")
        << withBody(cells3 + R"(, "clues": [{"row": 1, "column": 1, "arrow": "down", "text": 3}])")
        << QStringLiteral("le texte de la définition n° 1 n'est pas un texte");
    QTest::newRow("long text")
        << withBody(cells3 + R"(, "clues": [{"row": 1, "column": 1, "arrow": "down", "text": ")" +
                    QByteArray(201, 'x') + "\"}]")
        << QStringLiteral("la définition n° 1 a 201 caractères, au plus 200 sont possibles");
    QTest::newRow("three clues")
        << withBody(cells3 + R"(, "clues": [{"row": 1, "column": 1, "arrow": "down"},
            {"row": 1, "column": 1, "arrow": "right"}, {"row": 1, "column": 1, "arrow": "down"}])")
        << QStringLiteral("la case A1 a plus de 2 définitions");
}

void ArrowFileTest::refusals() {
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);
    const QString message = refusal(data);
    QVERIFY2(message.startsWith(QStringLiteral("Le fichier essai.fleches n'est pas une grille de "
                                               "mots fléchés utilisable : ") +
                                reason),
             qPrintable(message));
}

void ArrowFileTest::refusesTooLongFile() {
    QByteArray data = arrowFileBytes(sampleArrowGrid());
    data.append(QByteArray(kMaxArrowFileBytes, ' '));
    QVERIFY2(refusal(data).contains(QStringLiteral("octets, au plus 1048576 sont possibles")),
             qPrintable(refusal(data)));
}

QTEST_MAIN(ArrowFileTest)
#include "arrow_file_test.moc"
