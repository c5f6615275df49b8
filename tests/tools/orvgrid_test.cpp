// orvgrid fill end to end on real files: the filled grid on standard output
// and in the output file (text or .grd), the exit statuses, and the one-line
// French message of each bad input.
#include "tools/orvgrid_tool.h"

#include "common/text_file.h"
#include "dictionary/scramble.h"
#include "grid/grid_file.h"
#include "grid/grid_text.h"
#include "publish/ipuz_file.h"

#include "support/fill_checker.h"
#include "support/orvgrid_run.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace orv;
using namespace orv::test;

namespace {

const QList<QByteArray> kWords{"AB", "CD", "AC", "BD", "ABE", "CDF", "OR", "ET"};

} // namespace

class OrvgridTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void fillsATextGridFromAWordList();
    void fillsAGridFileFromADictionary();
    void fillsAnIpuzGridIntoAnIpuzFile();
    void differentFillsAsked();
    void provedImpossible();
    void notFilledInTime();
    void badInputs_data();
    void badInputs();
    void help();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void OrvgridTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    writeWholeFile(path("grid.txt"), "..\n..\n");
    writeWholeFile(path("wide.txt"), "...\n...\n");
    writeWholeFile(path("list.txt"), "ab\r\ncd\nac\nbd\nabe\n");
    QList<QByteArray> scrambled;
    for (const QByteArray& w : kWords)
        scrambled.append(Crypte(w));
    writeTextLines(path("Dicogrd.dat"), scrambled);
}

void OrvgridTest::fillsATextGridFromAWordList() {
    // Every word alike (no scores): the seed alone picks one of the two fills,
    // on one thread.
    const Run r = orvgrid({"fill", path("grid.txt"), "--words", path("list.txt"), "-o",
                           path("out.txt"), "--seed", "3", "--no-scores", "--threads", "1"});
    QCOMPARE(r.status, int(OrvgridOk));
    QCOMPARE(r.out, QStringLiteral("AB\nCD\n"));
    QCOMPARE(readWholeFile(path("out.txt")), QByteArray("AB\nCD\n"));
    QVERIFY(r.err.contains(QStringLiteral("chargement")));
    QVERIFY(r.err.contains(QStringLiteral("remplissage")));
    QVERIFY(r.err.contains(QStringLiteral("1 recherche\n")));
    // By default one search per core, and said so.
    const Run all = orvgrid({"fill", path("grid.txt"), "--words", path("list.txt"), "--no-scores"});
    QCOMPARE(all.status, int(OrvgridOk));
    QVERIFY(all.out == QStringLiteral("AB\nCD\n") || all.out == QStringLiteral("AC\nBD\n"));
    QVERIFY2(all.err.contains(QStringLiteral("(une par cœur de la machine)")), qPrintable(all.err));
}

void OrvgridTest::fillsAGridFileFromADictionary() {
    Grille g = readGridText("..\n..\n");
    g.cell(2, 2) = 'D';
    writeGridFile(path("g.grd"), g);
    const Run r = orvgrid({"fill", path("g.grd"), "-d", path("Dicogrd.dat"), "-o", path("f.grd")});
    QCOMPARE(r.status, int(OrvgridOk));
    const Grille filled = readGridFile(readWholeFile(path("f.grd")), Grille{}, "f.grd");
    const QStringList problems =
        test::fillProblems(g, filled, QSet<QByteArray>(kWords.begin(), kWords.end()));
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    QCOMPARE(r.out.toLatin1(), gridText(filled));
}

void OrvgridTest::fillsAnIpuzGridIntoAnIpuzFile() {
    writeIpuzFile(path("grid.ipuz"), readGridText("AB\n..\n"));
    const Run r = orvgrid({"fill", path("grid.ipuz"), "--words", path("list.txt"), "-o",
                           path("filled.ipuz"), "--no-scores"});
    QCOMPARE(r.status, int(OrvgridOk));
    QCOMPARE(r.out, QStringLiteral("AB\nCD\n"));
    const Grille filled = readIpuz(readWholeFile(path("filled.ipuz")), Grille{}, "filled.ipuz");
    QCOMPARE(gridText(filled), QByteArray("AB\nCD\n"));
}

void OrvgridTest::provedImpossible() {
    writeWholeFile(path("z.txt"), "Z.\n..\n");
    Run r = orvgrid({"fill", path("z.txt"), "--words", path("list.txt")});
    QCOMPARE(r.status, int(OrvgridImpossible));
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.contains(
                 QStringLiteral("Aucun mot du dictionnaire ne convient pour la ligne 1 : Z.")),
             qPrintable(r.err));
    r = orvgrid({"fill", path("wide.txt"), "--words", path("list.txt")});
    QCOMPARE(r.status, int(OrvgridImpossible));
    QVERIFY(!QFile::exists(path("out.txt")));
}

void OrvgridTest::notFilledInTime() {
    // A 19x19 grid without black squares and its words: the limit strikes first.
    QByteArray grid;
    for (int r = 0; r < 19; ++r)
        grid += QByteArray(19, '.') + '\n';
    writeWholeFile(path("big.txt"), grid);
    QByteArray list;
    for (int k = 0; k < 3000; ++k) {
        QByteArray w(19, 'A');
        for (int i = 0; i < 19; ++i)
            w[i] = char('A' + (k * 7 + i * (k % 13 + 1)) % 26);
        list += w + '\n';
    }
    writeWholeFile(path("big.lst"), list);
    const Run r = orvgrid({"fill", path("big.txt"), "--words", path("big.lst"), "--time-limit",
                           "0.000001", "-o", path("never.txt")});
    QVERIFY2(r.status == int(OrvgridNotFilled) || r.status == int(OrvgridImpossible),
             qPrintable(r.err));
    QVERIFY(!QFile::exists(path("never.txt")));
}

void OrvgridTest::differentFillsAsked() {
    // The 2x2 grid has two fills with these words: asked for three, both
    // come, each once, the first in OUT and the second beside it.
    const Run r = orvgrid({"fill", path("grid.txt"), "--words", path("list.txt"), "-o",
                           path("out.txt"), "--no-scores", "--count", "3"});
    QCOMPARE(r.status, int(OrvgridOk));
    QStringList fills = r.out.split(QStringLiteral("\n\n"));
    QCOMPARE(fills.size(), 2);
    for (QString& fill : fills)
        fill = fill.trimmed() + QLatin1Char('\n');
    QCOMPARE(QSet<QString>(fills.begin(), fills.end()),
             (QSet<QString>{QStringLiteral("AB\nCD\n"), QStringLiteral("AC\nBD\n")}));
    QCOMPARE(readWholeFile(path("out.txt")), fills[0].toLatin1());
    QCOMPARE(readWholeFile(path("out-2.txt")), fills[1].toLatin1());
    QVERIFY(!QFile::exists(path("out-3.txt")));
    QVERIFY2(r.err.contains(QStringLiteral("2 remplissages différents trouvés sur 3 demandés")),
             qPrintable(r.err));
    // A numbered output may not be one of the files read either.
    writeWholeFile(path("g.txt"), "..\n..\n");
    writeWholeFile(path("g-2.txt"), "..\n..\n");
    const Run over = orvgrid({"fill", path("g-2.txt"), "--words", path("list.txt"), "-o",
                              path("g.txt"), "--no-scores", "--count", "2"});
    QCOMPARE(over.status, int(OrvgridBadInput));
    QCOMPARE(readWholeFile(path("g-2.txt")), QByteArray("..\n..\n"));
}

void OrvgridTest::badInputs_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("no command") << QStringList{} << "il manque la commande";
    QTest::newRow("unknown command") << QStringList{"paint"} << "commande inconnue « paint »";
    QTest::newRow("no grid") << QStringList{"fill"} << "fill attend une grille";
    QTest::newRow("two grids") << QStringList{"fill", "GRID", "GRID"} << "une seule grille";
    QTest::newRow("unknown option")
        << QStringList{"fill", "GRID", "--fast"} << "option inconnue « --fast »";
    QTest::newRow("seed") << QStringList{"fill", "GRID", "--seed", "x"} << "--seed attend";
    QTest::newRow("threads") << QStringList{"fill", "GRID", "--threads", "-2"}
                             << "--threads attend";
    QTest::newRow("count") << QStringList{"fill", "GRID", "--count", "0"} << "--count attend";
    QTest::newRow("limit") << QStringList{"fill", "GRID", "--time-limit", "-1"}
                           << "--time-limit attend";
    QTest::newRow("missing value")
        << QStringList{"fill", "GRID", "-d"} << "l'option -d attend une valeur";
    QTest::newRow("both lists") << QStringList{"fill", "GRID", "-d", "D", "--words", "W"}
                                << "-d et --words ne vont pas ensemble";
    QTest::newRow("missing grid file")
        << QStringList{"fill", "DIR/none.txt", "--words", "LIST"} << "Ne peut ouvrir le fichier";
    QTest::newRow("missing dictionary")
        << QStringList{"fill", "GRID", "-d", "DIR/none.dat"} << "Ne peut ouvrir le fichier";
    QTest::newRow("bad character") << QStringList{"fill", "DIR/bad.txt", "--words", "LIST"}
                                   << "Caractère « * » inattendu à la ligne 2";
    QTest::newRow("ragged rows") << QStringList{"fill", "DIR/ragged.txt", "--words", "LIST"}
                                 << "La ligne 2 de la grille n'a pas 3 cases";
    QTest::newRow("empty dictionary") << QStringList{"fill", "GRID", "--words", "DIR/empty.lst"}
                                      << "le dictionnaire ne contient aucun mot";
    QTest::newRow("output not writable")
        << QStringList{"fill", "GRID", "--words", "LIST", "-o", "DIR/no/such/dir/out.txt"}
        << "Ne peut créer le fichier";
}

void OrvgridTest::badInputs() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    writeWholeFile(path("bad.txt"), "...\n.*.\n");
    writeWholeFile(path("ragged.txt"), "...\n....\n");
    writeWholeFile(path("empty.lst"), "a\n");
    for (QString& a : args) {
        a.replace("DIR", dir_->path());
        if (a == "GRID")
            a = path("grid.txt");
        if (a == "LIST")
            a = path("list.txt");
    }
    const Run r = orvgrid(args);
    QCOMPARE(r.status, int(OrvgridBadInput));
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(r.out.isEmpty() || args.contains("-o"));
}

void OrvgridTest::help() {
    const Run r = orvgrid({"--help"});
    QCOMPARE(r.status, int(OrvgridOk));
    QVERIFY(r.out.contains("orvgrid fill GRILLE"));
}

QTEST_GUILESS_MAIN(OrvgridTest)
#include "orvgrid_test.moc"
