// The ipuz exchange: what a written file holds, grids and clues coming back
// whole from the reader, files of other programs, and the files refused with
// their reasons. Also the plain text grids that the command line reads.
#include "common/codec.h"
#include "common/errors.h"
#include "document/document.h"
#include "grid/grid_file.h"
#include "ipuz_samples.h"
#include "publish/grid_source.h"
#include "publish/ipuz_file.h"
#include "publish/roman.h"
#include "support/sample_grid.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;

namespace {

QString refusal(const QByteArray& data, const Grille& base = Grille()) {
    try {
        readIpuz(data, base, QStringLiteral("x.ipuz"));
    } catch (const OrvError& e) {
        return e.message();
    }
    return {};
}

void compareGrids(const Grille& a, const Grille& b) {
    QCOMPARE(a.NbLignes, b.NbLignes);
    QCOMPARE(a.NbColonnes, b.NbColonnes);
    for (int r = 1; r <= kMaxIndex; ++r)
        for (int c = 1; c <= kMaxIndex; ++c)
            QVERIFY2(a.cell(c, r) == b.cell(c, r),
                     qPrintable(QStringLiteral("%1,%2").arg(c).arg(r)));
    for (int k = 0; k < kCellSide; ++k) {
        QCOMPARE(a.DefHoriz[std::size_t(k)], b.DefHoriz[std::size_t(k)]);
        QCOMPARE(a.DefVert[std::size_t(k)], b.DefVert[std::size_t(k)]);
    }
}

} // namespace

class IpuzFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void romanNumeralsBothWays();
    void writtenFileHoldsTheFrenchMapping();
    void gridComesBackWhole_data();
    void gridComesBackWhole();
    void cluesBeyondTheGridKeepTheirValues();
    void numberedFileOfAnotherProgram();
    void refusedFiles_data();
    void refusedFiles();
    void brokenJsonIsExplainedInFrench_data();
    void brokenJsonIsExplainedInFrench();
    void plainTextGrids();
    void refusedPlainGrids_data();
    void refusedPlainGrids();
    void anyGridByItsExtension();
    void openingNamesOnlyGridFiles();
};

void IpuzFileTest::romanNumeralsBothWays() {
    const QStringList expected = {"I",    "II", "III", "IV", "V",   "VI",  "VII",
                                  "VIII", "IX", "X",   "XI", "XIV", "XIX", "XX"};
    const QList<int> values = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 19, 20};
    for (int i = 0; i < values.size(); ++i) {
        QCOMPARE(romanNumeral(values[i]), expected[i]);
        QCOMPARE(romanValue(expected[i]), values[i]);
    }
    QCOMPARE(romanValue(QStringLiteral("xviii")), 18);
    for (const char* bad : {"IIII", "VX", "IC", "", "A", "12"})
        QCOMPARE(romanValue(QString::fromLatin1(bad)), 0);
    QVERIFY(romanNumeral(0).isEmpty());
}

void IpuzFileTest::writtenFileHoldsTheFrenchMapping() {
    const Grille g = test::sampleGrid();
    const QJsonObject root =
        QJsonDocument::fromJson(ipuzBytes(g, {QStringLiteral("Essai"), QStringLiteral("Moi")}))
            .object();
    QCOMPARE(root.value("version").toString(), QStringLiteral("http://ipuz.org/v2"));
    QCOMPARE(root.value("kind").toArray().at(0).toString(),
             QStringLiteral("http://ipuz.org/crossword#1"));
    QCOMPARE(root.value("dimensions").toObject().value("width").toInt(), 10);
    QCOMPARE(root.value("title").toString(), QStringLiteral("Essai"));
    QCOMPARE(root.value("author").toString(), QStringLiteral("Moi"));
    const QJsonArray puzzle = root.value("puzzle").toArray();
    QCOMPARE(puzzle.size(), 10);
    QCOMPARE(puzzle.at(1).toArray().at(4).toString(), QStringLiteral("#")); // MERE#ARENE
    QCOMPARE(puzzle.at(1).toArray().at(3).toInt(-1), 0);
    QCOMPARE(root.value("solution").toArray().at(1).toArray().at(3).toString(),
             QStringLiteral("E"));

    const QJsonArray across = root.value("clues").toObject().value("Across").toArray();
    QCOMPARE(across.size(), 10);
    const QJsonObject second = across.at(1).toObject();
    QCOMPARE(second.value("number").toString(), QStringLiteral("II"));
    QCOMPARE(second.value("clue").toString(), test::sampleAcross(2));
    // Row II is MERE#ARENE: the cells of its two words, the black square left out.
    const QJsonArray cells = second.value("cells").toArray();
    QCOMPARE(cells.size(), 9);
    QCOMPARE(cells.at(0).toArray(), (QJsonArray{1, 2}));
    QCOMPARE(cells.at(4).toArray(), (QJsonArray{6, 2}));
    const QJsonArray down = root.value("clues").toObject().value("Down").toArray();
    QCOMPARE(down.at(9).toObject().value("number").toString(), QStringLiteral("10"));
    QCOMPARE(down.at(0).toObject().value("clue").toString(), test::sampleDown(1));
}

void IpuzFileTest::gridComesBackWhole_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<bool>("emptyCells");
    QTest::newRow("sample 10x10") << 10 << 10 << false;
    QTest::newRow("sample with empty cells") << 10 << 10 << true;
    QTest::newRow("smallest") << 1 << 1 << true;
    QTest::newRow("largest, not square") << 20 << 17 << true;
}

void IpuzFileTest::gridComesBackWhole() {
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(bool, emptyCells);
    Grille g = test::sampleGrid();
    g.NbLignes = rows + 1;
    g.NbColonnes = cols + 1;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c)
            if (r > 10 || c > 10)
                g.cell(c, r) = char('A' + (r * 7 + c) % 26);
            else if (emptyCells && (r + c) % 4 == 0)
                g.cell(c, r) = ' ';
    for (int k = 10; k < 20; ++k) {
        g.DefHoriz[std::size_t(k)] = "Ligne " + QByteArray::number(k + 1) + " \xe9t\xe9";
        g.DefVert[std::size_t(k)] = "Colonne " + QByteArray::number(k + 1);
    }
    // Cells outside the playing area are not part of an ipuz grid; the reader
    // gives them the spaces of a cleared grid.
    Grille expected = g;
    for (int r = 1; r <= kMaxIndex; ++r)
        for (int c = 1; c <= kMaxIndex; ++c)
            if (r > rows || c > cols)
                expected.cell(c, r) = ' ';
    Grille base;
    base.DefHoriz = g.DefHoriz;
    base.DefVert = g.DefVert;
    compareGrids(readIpuz(ipuzBytes(g), base, QStringLiteral("x.ipuz")), expected);
}

void IpuzFileTest::cluesBeyondTheGridKeepTheirValues() {
    Grille base = test::sampleGrid();
    base.DefHoriz[15] = "quinze";
    base.DefVert[12] = "treize";
    const Grille read = readIpuz(ipuzBytes(test::sampleGrid()), base, QStringLiteral("x.ipuz"));
    QCOMPARE(read.DefHoriz[15], QByteArray("quinze"));
    QCOMPARE(read.DefVert[12], QByteArray("treize"));
}

void IpuzFileTest::numberedFileOfAnotherProgram() {
    IpuzInfo info;
    const Grille g = readIpuz(numberedFile(), Grille(), QStringLiteral("x.ipuz"), &info);
    QCOMPARE(g.NbLignes, 3);
    QCOMPARE(g.NbColonnes, 6);
    QCOMPARE(g.cell(1, 1), 'A'); // lower case letters come in as capitals
    QCOMPARE(g.cell(3, 2), '#');
    QCOMPARE(g.cell(5, 2), 'H');
    QCOMPARE(g.DefHoriz[0], QByteArray("Deux - Autre"));
    QCOMPARE(g.DefHoriz[1], QByteArray("Bas"));
    QCOMPARE(g.DefVert[0], QByteArray("Col un"));
    QCOMPARE(g.DefVert[4], QByteArray("Col cinq"));
    QVERIFY(g.DefVert[1].isEmpty());
    QVERIFY(info.title.isEmpty());
}

void IpuzFileTest::refusedFiles_data() { addRefusedIpuzRows(); }

void IpuzFileTest::refusedFiles() {
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);
    const QString message = refusal(data);
    QVERIFY2(message.startsWith(
                 QStringLiteral("Le fichier x.ipuz n'est pas une grille ipuz utilisable : ")),
             qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
}

void IpuzFileTest::brokenJsonIsExplainedInFrench_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");
    QTest::newRow("object not closed")
        << QByteArray("{\"a\": 1 \"b\": 2}") << "un objet n'est pas fermé par « } »";
    QTest::newRow("no colon") << QByteArray("{\"kind\" 1}") << "il manque « : » après un nom";
    QTest::newRow("array not closed")
        << QByteArray("{\"kind\": [1, 2}") << "un tableau n'est pas fermé par « ] »";
    QTest::newRow("no comma") << QByteArray("[1 2]") << "il manque une virgule entre deux valeurs";
    QTest::newRow("bad value") << QByteArray("{\"a\": tru}") << "une valeur est incorrecte";
    QTest::newRow("bad number") << QByteArray("{\"a\": -}") << "un nombre est incorrect";
    QTest::newRow("number at the end")
        << QByteArray("{\"a\": 12") << "le texte s'arrête au milieu d'un nombre";
    QTest::newRow("bad escape") << QByteArray("{\"a\": \"\\u12\"}")
                                << "une séquence d'échappement est incorrecte";
    QTest::newRow("string not closed")
        << QByteArray("{\"a\": \"abc") << "un texte n'est pas fermé par un guillemet";
    QTest::newRow("text after the end") << QByteArray("{} x") << "du texte suit la fin";
    QTest::newRow("bad UTF-8") << QByteArray("{\"a\": \"\xff\xfe\"}")
                               << "un texte n'est pas de l'UTF-8 correct";
    // The byte is counted in the file, before the spaces and the wrapping are taken off.
    QTest::newRow("wrapped, spaces first")
        << QByteArray("  \n ipuz({\"a\" 1})") << "il manque « : » après un nom, octet 16)";
}

void IpuzFileTest::brokenJsonIsExplainedInFrench() {
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);
    const QString message = refusal(data);
    QVERIFY2(message.startsWith(QStringLiteral("Le fichier x.ipuz n'est pas une grille ipuz "
                                               "utilisable : le texte JSON est mal formé (")),
             qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral(", octet ")), qPrintable(message));
    // Nothing of the parser's own English text.
    QJsonParseError error;
    QJsonDocument::fromJson(data.trimmed(), &error);
    QVERIFY(error.error != QJsonParseError::NoError);
    QVERIFY2(!message.contains(error.errorString()), qPrintable(message));
}

void IpuzFileTest::plainTextGrids() {
    Grille base = test::sampleGrid();
    const Grille g = readPlainGrid("\r\nab#.\n#..Z\r\n\n", base, QStringLiteral("g.txt"));
    QCOMPARE(g.NbLignes, 3);
    QCOMPARE(g.NbColonnes, 5);
    QCOMPARE(g.cell(1, 1), 'A');
    QCOMPARE(g.cell(3, 1), '#');
    QCOMPARE(g.cell(4, 1), ' ');
    QCOMPARE(g.cell(4, 2), 'Z');
    QCOMPARE(g.cell(5, 1), ' '); // the column outside the grid is cleared
    QCOMPARE(g.cell(1, 5), ' ');
    QCOMPARE(g.DefHoriz[0], base.DefHoriz[0]);
}

void IpuzFileTest::refusedPlainGrids_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty") << QByteArray("\n\n") << "aucune ligne";
    QTest::newRow("ragged") << QByteArray("ABC\nAB\n") << "la ligne 2 n'a pas 3 cases";
    QTest::newRow("digit") << QByteArray("AB\nA1\n") << "« 1 »";
    QTest::newRow("too wide") << QByteArray(21, '.') << "plus de 20 cases";
    QTest::newRow("too high") << QByteArray("..\n").repeated(21) << "plus de 20 lignes";
}

void IpuzFileTest::refusedPlainGrids() {
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);
    try {
        readPlainGrid(data, Grille(), QStringLiteral("g.txt"));
        QFAIL("the grid was accepted");
    } catch (const OrvError& e) {
        QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
    }
}

void IpuzFileTest::anyGridByItsExtension() {
    QTemporaryDir dir;
    const Grille g = test::sampleGrid();
    writeIpuzFile(dir.filePath("a.ipuz"), g, {QStringLiteral("Titre"), {}});
    IpuzInfo info;
    const Grille fromIpuz = loadAnyGrid(dir.filePath("a.ipuz"), &info);
    QCOMPARE(info.title, QStringLiteral("Titre"));
    QCOMPARE(fromIpuz.cell(5, 2), '#');
    QCOMPARE(fromIpuz.DefHoriz[9], g.DefHoriz[9]);

    QFile plain(dir.filePath("a.txt"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.write("A#\n.B\n");
    plain.close();
    QCOMPARE(loadAnyGrid(dir.filePath("a.txt")).cell(2, 2), 'B');
    try {
        loadAnyGrid(dir.filePath("absent.grd"));
        QFAIL("a missing file was read");
    } catch (const OrvError& e) {
        QCOMPARE(e.message(), cannotOpenMessage(dir.filePath("absent.grd")));
    }
}

void IpuzFileTest::openingNamesOnlyGridFiles() {
    QTemporaryDir dir;
    Document doc;
    doc.start();
    writeGridFile(dir.filePath("courante.grd"), test::sampleGrid());
    doc.open(dir.filePath("courante.grd"));
    doc.applyGridChange(GridChange().setClue(true, 20, "vingt et un").setCell(2, 2, 'Y'));
    QVERIFY(doc.isModified());
    Grille other = test::sampleGrid();
    other.cell(1, 1) = 'Z';
    writeIpuzFile(dir.filePath("autre.ipuz"), other);
    writeGridFile(dir.filePath("autre.grd"), other);

    doc.open(dir.filePath("autre.ipuz"));
    QCOMPARE(doc.grille().cell(1, 1), 'Z');
    QVERIFY(doc.fileName().isEmpty() && doc.shortName().isEmpty());
    QVERIFY(!doc.isModified());
    QCOMPARE(doc.grille().DefHoriz[20], QByteArray("vingt et un")); // beyond the grid: kept
    doc.open(dir.filePath("autre.grd"));
    QCOMPARE(doc.fileName(), dir.filePath("autre.grd"));
    QCOMPARE(doc.shortName(), QStringLiteral("autre.grd"));
    QCOMPARE(doc.grille().cell(1, 1), 'Z');

    QFile bad(dir.filePath("mauvaise.ipuz"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(R"({"kind":["http://ipuz.org/crossword#1"],"dimensions":{"width":30,"height":3}})");
    bad.close();
    try {
        doc.open(dir.filePath("mauvaise.ipuz"));
        QFAIL("a grid of 30 columns was opened");
    } catch (const OrvError& e) {
        QVERIFY(e.message().contains(QStringLiteral("au plus 20")));
    }
    // A refused file leaves the document as it was.
    QCOMPARE(doc.fileName(), dir.filePath("autre.grd"));
    QCOMPARE(doc.grille().cell(1, 1), 'Z');
}

QTEST_GUILESS_MAIN(IpuzFileTest)
#include "ipuz_file_test.moc"
