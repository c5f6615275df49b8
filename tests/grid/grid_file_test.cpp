// The ".grd" file: exact bytes, round trips, line ends, the reader's
// refusals and the naming rule of chosen paths.
#include "common/errors.h"
#include "grid/grid_file.h"

#include <QTest>
#include <random>

using namespace orv;

namespace {

Grille startGrid() {
    Grille g;
    g.NbLignes = 8;
    g.NbColonnes = 8;
    g.Raz();
    return g;
}

QByteArray crlf(const QList<QByteArray>& lines, const QByteArray& end = "\r\n") {
    QByteArray out;
    for (const auto& l : lines)
        out += l + end;
    return out;
}

// A small valid file of 3 by 2 playing cells and a few clues.
QList<QByteArray> smallFileLines() {
    return {"4",
            "3",
            "AB ",
            "#C ",
            "D# ",
            "   ",
            QByteArray("\x01 ligne un"),
            QByteArray("\x02!colonne B")};
}

Grille read(const QByteArray& data, const Grille& base = Grille()) {
    return readGridFile(data, base, QStringLiteral("essai.grd"));
}

QByteArray rowText(const Grille& g, int row) {
    QByteArray text;
    for (int c = 1; c <= g.NbColonnes; ++c)
        text += g.cell(c, row);
    return text;
}

} // namespace

class GridFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startGridGivesTheFiftyTwoLineFile();
    void roundTripKeepsEveryCellAndClue_data();
    void roundTripKeepsEveryCellAndClue();
    void longClueIsReadWholeAndWrittenAsTheFileHoldsIt();
    void structureBytesInCluesAreWrittenAsSpaces();
    void clueLinesMayComeFirstAndMayBeMissing();
    void readerReplacesCellsOfRowsAbsentFromTheFile();
    void everyLineEndReadsTheSame_data();
    void everyLineEndReadsTheSame();
    void acceptedEdges_data();
    void acceptedEdges();
    void refusedFiles_data();
    void refusedFiles();
    void chosenPathsGiveGridNames_data();
    void chosenPathsGiveGridNames();
};

void GridFileTest::startGridGivesTheFiftyTwoLineFile() {
    const QByteArray bytes = gridFileBytes(startGrid());
    QList<QByteArray> expected = {"8", "8"};
    for (int r = 0; r < 8; ++r)
        expected << QByteArray(8, ' ');
    for (char k = ' '; k <= '4'; ++k)
        expected << QByteArray("\x01") + k << QByteArray("\x02") + k;
    QCOMPARE(expected.size(), 52);
    QCOMPARE(bytes, crlf(expected));
    QCOMPARE(bytes.size(), 254);
    QVERIFY(bytes.startsWith("8\r\n8\r\n        \r\n"));
    QVERIFY(bytes.endsWith("\x01\x34\r\n\x02\x34\r\n"));
    QVERIFY(!bytes.contains(char(26)));
}

void GridFileTest::roundTripKeepsEveryCellAndClue_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::newRow("start grid") << 8 << 8;
    QTest::newRow("10 by 12") << 11 << 13;
    QTest::newRow("smallest of the dialog") << 7 << 7;
    QTest::newRow("largest of the dialog") << 21 << 21;
    QTest::newRow("largest the model holds") << 22 << 22;
    QTest::newRow("tall and narrow") << 21 << 7;
}

void GridFileTest::roundTripKeepsEveryCellAndClue() {
    QFETCH(int, rows);
    QFETCH(int, cols);
    std::mt19937 gen(rows * 100 + cols);
    const QByteArray codes = " #ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    Grille g;
    g.NbLignes = rows;
    g.NbColonnes = cols;
    g.Raz();
    // The row and column just outside the playing area travel too.
    for (int c = 1; c <= cols; ++c)
        for (int r = 1; r <= rows; ++r)
            g.cell(c, r) = codes[int(gen() % codes.size())];
    for (int k = 0; k < kFileClues; ++k) {
        g.DefHoriz[k] = "Horizontal " + QByteArray::number(k) + " \xe9t\xe9 \xe0 l'\xe2tre";
        g.DefVert[k] = k % 3 == 0 ? QByteArray()
                                  : "Vertical \xc7"
                                    "a " +
                                        QByteArray::number(k);
    }
    Grille base;
    base.DefHoriz[21] = "hors fichier";
    base.DefVert[22] = "hors fichier aussi";
    const Grille back = read(gridFileBytes(g), base);
    QCOMPARE(back.NbLignes, rows);
    QCOMPARE(back.NbColonnes, cols);
    for (int r = 1; r <= rows; ++r)
        QCOMPARE(rowText(back, r), rowText(g, r));
    for (int k = 0; k < kFileClues; ++k) {
        QCOMPARE(back.DefHoriz[k], g.DefHoriz[k]);
        QCOMPARE(back.DefVert[k], g.DefVert[k]);
    }
    QCOMPARE(back.DefHoriz[21], QByteArray("hors fichier"));
    QCOMPARE(back.DefVert[22], QByteArray("hors fichier aussi"));
    QCOMPARE(back.cell(0, 1), '\0');
    QCOMPARE(back.cell(1, 0), '\0');
}

void GridFileTest::longClueIsReadWholeAndWrittenAsTheFileHoldsIt() {
    // A clue line longer than the file holds (written by hand, or by an older
    // writer) opens whole: nothing is lost on reading.
    const QByteArray longLine = "\x02\x34" + QByteArray(300, 'x') + "fin";
    QByteArray data = gridFileBytes(startGrid());
    data.replace("\x02\x34\r\n", longLine + "\r\n");
    QCOMPARE(read(data).DefVert[20], QByteArray(300, 'x') + "fin");

    // The clues that a file cannot hold are named as the clue sheet labels them.
    Grille g = startGrid();
    g.DefVert[20] = QByteArray(300, 'x') + "fin";
    g.DefHoriz[2] = QByteArray(kMaxClueLength + 1, 'z');
    g.DefHoriz[0] = QByteArray(kMaxClueLength, 'y');
    g.DefHoriz[21] = QByteArray(400, 'w'); // beyond the file's 21 pairs
    const QList<LongClue> cut = cluesTooLongForGridFile(g);
    QCOMPARE(cut.size(), 2);
    QCOMPARE(clueCutSentence(cut.at(0)),
             QStringLiteral("La définition de la ligne 3 sera coupée à 255 caractères (elle en a "
                            "256)"));
    QCOMPARE(clueCutSentence(cut.at(1)),
             QStringLiteral("La définition de la colonne U sera coupée à 255 caractères (elle "
                            "en a 303)"));
    QVERIFY(clueCutQuestion(cut).startsWith(clueCutSentence(cut.at(0)) + ".\n" +
                                            clueCutSentence(cut.at(1)) + ".\n"));

    // The writer keeps what the file holds, so that every reader of it reads the same.
    const QByteArray bytes = gridFileBytes(g);
    QVERIFY(bytes.contains("\x02\x34" + QByteArray(kMaxClueLength, 'x') + "\r\n"));
    QVERIFY(bytes.contains("\x01\x22" + QByteArray(kMaxClueLength, 'z') + "\r\n"));
    const Grille back = read(bytes);
    const Grille expected = withCluesCutForGridFile(g);
    for (int k = 0; k < kFileClues; ++k) {
        QCOMPARE(back.DefHoriz[k], expected.DefHoriz[k]);
        QCOMPARE(back.DefVert[k], expected.DefVert[k]);
    }
    QCOMPARE(back.DefHoriz[0], QByteArray(kMaxClueLength, 'y'));
    QCOMPARE(expected.DefHoriz[21], g.DefHoriz[21]);
    QVERIFY(cluesTooLongForGridFile(back).isEmpty());
}

void GridFileTest::structureBytesInCluesAreWrittenAsSpaces() {
    Grille g = startGrid();
    g.DefHoriz[3] = QByteArray("un\rdeux\ntrois\x1a"
                               "quatre\r\n");
    const QByteArray bytes = gridFileBytes(g);
    QCOMPARE(bytes.count("\r\n"), 52);
    QVERIFY(!bytes.contains(char(26)));
    QVERIFY(bytes.contains("\x01#un deux trois quatre  \r\n"));
    const Grille back = read(bytes);
    QCOMPARE(back.DefHoriz[3], QByteArray("un deux trois quatre  "));
    QCOMPARE(back.DefVert[3], QByteArray());
}

void GridFileTest::clueLinesMayComeFirstAndMayBeMissing() {
    Grille base;
    for (int k = 0; k <= kMaxIndex; ++k) {
        base.DefHoriz[k] = "ancienne H" + QByteArray::number(k);
        base.DefVert[k] = "ancienne V" + QByteArray::number(k);
    }
    const QByteArray data =
        crlf({"4", "3", QByteArray("\x02\x22nouvelle V2"), "AB ", QByteArray("\x01 nouvelle H0"),
              "#C ", "D# ", "   ", QByteArray("\x01\x36tout au bout")});
    const Grille g = read(data, base);
    QCOMPARE(rowText(g, 1), QByteArray("AB "));
    QCOMPARE(rowText(g, 2), QByteArray("#C "));
    QCOMPARE(rowText(g, 3), QByteArray("D# "));
    QCOMPARE(g.DefHoriz[0], QByteArray("nouvelle H0"));
    QCOMPARE(g.DefVert[2], QByteArray("nouvelle V2"));
    QCOMPARE(g.DefHoriz[22], QByteArray("tout au bout"));
    QCOMPARE(g.DefHoriz[1], QByteArray("ancienne H1"));
    QCOMPARE(g.DefVert[0], QByteArray("ancienne V0"));
    QCOMPARE(g.DefVert[20], QByteArray("ancienne V20"));
}

void GridFileTest::readerReplacesCellsOfRowsAbsentFromTheFile() {
    Grille base;
    base.NbLignes = 11;
    base.NbColonnes = 11;
    for (int c = 1; c <= kMaxIndex; ++c)
        for (int r = 1; r <= kMaxIndex; ++r)
            base.cell(c, r) = 'Z';
    const Grille g = read(crlf({"8", "8", "ABCDEFGH"}), base);
    QCOMPARE(g.NbLignes, 8);
    QCOMPARE(rowText(g, 1), QByteArray("ABCDEFGH"));
    for (int c = 1; c <= kMaxIndex; ++c)
        for (int r = 1; r <= kMaxIndex; ++r)
            if (r != 1 || c > 8)
                QCOMPARE(g.cell(c, r), ' ');
    QCOMPARE(base.cell(1, 1), 'Z'); // the base is a separate grid
}

void GridFileTest::everyLineEndReadsTheSame_data() {
    QTest::addColumn<QByteArray>("data");
    const QList<QByteArray> lines = smallFileLines();
    QTest::newRow("CR LF") << crlf(lines);
    QTest::newRow("lone CR") << crlf(lines, "\r");
    QTest::newRow("lone LF") << crlf(lines, "\n");
    QTest::newRow("no end on the last line") << crlf(lines).chopped(2);
    QTest::newRow("mixed") << QByteArray("4\n3\rAB \r\n#C \nD# \r   \n\x01 ligne un\r\n"
                                         "\x02!colonne B");
    QTest::newRow("byte 26 ends the file") << crlf(lines) + "\x1a\x01 perdu\r\n\r\n@@";
    QTest::newRow("byte 26 inside the last line")
        << crlf(lines.mid(0, 7)) + "\x02!colonne B\x1asuite";
}

void GridFileTest::everyLineEndReadsTheSame() {
    QFETCH(QByteArray, data);
    const Grille g = read(data);
    QCOMPARE(g.NbLignes, 4);
    QCOMPARE(g.NbColonnes, 3);
    QCOMPARE(rowText(g, 1), QByteArray("AB "));
    QCOMPARE(rowText(g, 2), QByteArray("#C "));
    QCOMPARE(rowText(g, 3), QByteArray("D# "));
    QCOMPARE(rowText(g, 4), QByteArray("   "));
    QCOMPARE(g.DefHoriz[0], QByteArray("ligne un"));
    QCOMPARE(g.DefVert[1], QByteArray("colonne B"));
}

void GridFileTest::acceptedEdges_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::newRow("smallest dimensions") << crlf({"2", "2", "A "}) << 2 << 2;
    QTest::newRow("blanks and words after the numbers")
        << crlf({"  8 lignes", "\t8\t", "ABCDEFGH"}) << 8 << 8;
    QTest::newRow("cell line longer than the grid") << crlf({"3", "3", "ABCDEFG"}) << 3 << 3;
    QTest::newRow("leading zero") << crlf({"08", "8"}) << 8 << 8;
    QList<QByteArray> full = {"22", "22"};
    for (int r = 0; r < 22; ++r)
        full << QByteArray(22, 'A' + r);
    QTest::newRow("22 cell lines of 22 cells") << crlf(full) << 22 << 22;
    QTest::newRow("clue of slot 22, only the prefix")
        << crlf({"3", "3", QByteArray("\x02\x36"), QByteArray("\x01\x20")}) << 3 << 3;
}

void GridFileTest::acceptedEdges() {
    QFETCH(QByteArray, data);
    QFETCH(int, rows);
    QFETCH(int, cols);
    const Grille g = read(data);
    QCOMPARE(g.NbLignes, rows);
    QCOMPARE(g.NbColonnes, cols);
    if (rows == 22)
        QCOMPARE(g.cell(22, 22), 'V');
}

void GridFileTest::refusedFiles_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");
    const QString rowsReason = "le nombre de lignes (ligne 1) doit être un entier de 2 à 22";
    const QString colsReason = "le nombre de colonnes (ligne 2) doit être un entier de 2 à 22";
    const QString noDimensions = "il ne contient pas les dimensions de la grille";
    QTest::newRow("empty file") << QByteArray() << noDimensions;
    QTest::newRow("one line") << crlf({"8"}) << noDimensions;
    QTest::newRow("byte 26 first") << QByteArray("\x1a"
                                                 "8\r\n8\r\n")
                                   << noDimensions;
    QTest::newRow("rows 1") << crlf({"1", "8"}) << rowsReason;
    QTest::newRow("rows 23") << crlf({"23", "8"}) << rowsReason;
    QTest::newRow("rows huge") << crlf({"99999999999999999999", "8"}) << rowsReason;
    QTest::newRow("rows negative") << crlf({"-8", "8"}) << rowsReason;
    QTest::newRow("rows not a number") << crlf({"huit", "8"}) << rowsReason;
    QTest::newRow("rows glued to text") << crlf({"8x", "8"}) << rowsReason;
    QTest::newRow("empty first line") << crlf({"", "8", "8"}) << rowsReason;
    QTest::newRow("columns 0") << crlf({"8", "0"}) << colsReason;
    QTest::newRow("columns 23") << crlf({"8", "23"}) << colsReason;
    QTest::newRow("empty line among cells")
        << crlf({"3", "3", "AB ", "", "CD "}) << QStringLiteral("la ligne 4 est vide");
    QTest::newRow("trailing empty line") << crlf({"3", "3", "AB "}) + "\r\n"
                                         << QStringLiteral("la ligne 4 est vide");
    QTest::newRow("short cell line") << crlf({"8", "8", "ABCDEFGH", "ABCDEFG"})
                                     << QStringLiteral("la ligne 4 a moins de 8 cases");
    QList<QByteArray> tooMany = {"3", "3"};
    for (int r = 0; r < 23; ++r)
        tooMany << "ABC";
    QTest::newRow("23 cell lines")
        << crlf(tooMany) << QStringLiteral("il a plus de 22 lignes de cases");
    const QString badClue = QStringLiteral("la ligne 3 porte une définition sans numéro valide");
    QTest::newRow("clue index 31") << crlf({"3", "3", QByteArray("\x01\x1f texte")}) << badClue;
    QTest::newRow("clue index 55") << crlf({"3", "3", QByteArray("\x02\x37texte")}) << badClue;
    QTest::newRow("clue index high byte")
        << crlf({"3", "3", QByteArray("\x02\xe9texte")}) << badClue;
    QTest::newRow("clue without index") << crlf({"3", "3", QByteArray("\x01")}) << badClue;
}

void GridFileTest::refusedFiles() {
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);
    try {
        read(data);
        QFAIL("the file was read");
    } catch (const OrvError& e) {
        QCOMPARE(e.message(),
                 QStringLiteral("Le fichier essai.grd n'est pas une grille valide : ") + reason);
    }
}

void GridFileTest::chosenPathsGiveGridNames_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("shortName");
    QTest::newRow("no extension") << "/home/jean/essai"
                                  << "/home/jean/essai.grd"
                                  << "essai.grd";
    QTest::newRow("other extension") << "/home/jean/essai.txt"
                                     << "/home/jean/essai.grd"
                                     << "essai.grd";
    QTest::newRow("already .grd") << "/home/jean/essai.grd"
                                  << "/home/jean/essai.grd"
                                  << "essai.grd";
    QTest::newRow("several dots") << "/tmp/grille.v2.final"
                                  << "/tmp/grille.grd"
                                  << "grille.grd";
    QTest::newRow("dot in a folder name") << "/home/jean.dupont/grilles/essai"
                                          << "/home/jean.dupont/grilles/essai.grd"
                                          << "essai.grd";
    QTest::newRow("dots in folder and name") << "/home/jean.dupont/grilles.old/essai.bak"
                                             << "/home/jean.dupont/grilles.old/essai.grd"
                                             << "essai.grd";
    QTest::newRow("relative") << "essai"
                              << "essai.grd"
                              << "essai.grd";
    QTest::newRow("accents kept") << "/tmp/Grille d'été"
                                  << "/tmp/Grille d'été.grd"
                                  << "Grille d'été.grd";
}

void GridFileTest::chosenPathsGiveGridNames() {
    QFETCH(QString, chosen);
    QFETCH(QString, fileName);
    QFETCH(QString, shortName);
    QCOMPARE(gridFileName(chosen), fileName);
    QCOMPARE(gridShortName(gridFileName(chosen)), shortName);
}

QTEST_GUILESS_MAIN(GridFileTest)
#include "grid_file_test.moc"
