// orvgrid check end to end on real files: the findings on standard output
// and the exit status, for a text grid and a ".grd" file, and bad input.
#include "tools/orvgrid_tool.h"

#include "common/text_file.h"
#include "grid/grid_file.h"
#include "grid/grid_text.h"
#include "publish/ipuz_file.h"

#include "support/orvgrid_run.h"
#include "support/sample_grid.h"
#include "support/word_lists.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <memory>

using namespace orv;
using namespace orv::test;

class OrvgridCheckTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void soundGridExitsZero();
    void findingsExitOne();
    void gridFileAndDefaultDictionary();
    void ipuzGridsAndFrenchLabels();
    void badInput_data();
    void badInput();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
    QString dictionary_;
};

void OrvgridCheckTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    dictionary_ = path(QStringLiteral("mots.dat"));
    writeWholeFile(dictionary_, test::dictionaryFile({"LUE", "RUE", "SEL", "SUR"}));
}

void OrvgridCheckTest::soundGridExitsZero() {
    writeWholeFile(path(QStringLiteral("g.txt")), "SUR\nE#.\nL..\n");
    const Run r = orvgrid({QStringLiteral("check"), path(QStringLiteral("g.txt")),
                           QStringLiteral("-d"), dictionary_});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("Rien à signaler dans la grille : elle peut être remplie.\n"));
    QCOMPARE(r.err, QString());
}

void OrvgridCheckTest::findingsExitOne() {
    writeWholeFile(path(QStringLiteral("g.txt")), "SEL\nE#U\nLUS\n#.#\nQ..\n");
    const Run r = orvgrid({QStringLiteral("check"), path(QStringLiteral("g.txt")),
                           QStringLiteral("-d"), dictionary_});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QStringLiteral("Ligne 3 : LUS n'est pas dans le dictionnaire\n"
                                   "Ligne 5 : aucun mot ne convient à Q..\n"
                                   "Colonne A : SEL est déjà placé en ligne 1\n"
                                   "Colonne B : aucun mot ne convient à U..\n"
                                   "Colonne C : LUS n'est pas dans le dictionnaire\n"
                                   "Colonne C : LUS est déjà placé en ligne 3\n"));
}

void OrvgridCheckTest::gridFileAndDefaultDictionary() {
    Grille g = readGridText("SUR\nE#.\nLES\n");
    writeGridFile(path(QStringLiteral("g.grd")), g);
    QVERIFY(QDir::setCurrent(dir_->path()));
    writeWholeFile(path(QStringLiteral("Dicogrd.dat")),
                   test::dictionaryFile({"SUR", "SEL", "LES"}));
    const Run r = orvgrid({QStringLiteral("check"), QStringLiteral("g.grd")});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QStringLiteral("Colonne C : aucun mot ne convient à R.S\n"));
}

void OrvgridCheckTest::ipuzGridsAndFrenchLabels() {
    // A 10x10 ipuz file, as export writes it, is read as a grid, not as text.
    writeIpuzFile(path(QStringLiteral("sample.ipuz")), test::sampleGrid());
    Run r = orvgrid({QStringLiteral("check"), path(QStringLiteral("sample.ipuz")),
                     QStringLiteral("-d"), dictionary_});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, QString());
    QVERIFY2(
        r.out.startsWith(QStringLiteral("Ligne 1 : ABRICOTIER n'est pas dans le dictionnaire\n")),
        qPrintable(r.out));

    writeIpuzFile(path(QStringLiteral("g.ipuz")), readGridText("SEL\nE#U\nLUS\n#.#\nQ..\n"));
    const QStringList check{QStringLiteral("check"), path(QStringLiteral("g.ipuz")),
                            QStringLiteral("-d"), dictionary_};
    r = orvgrid(check + QStringList{QStringLiteral("--french-labels")});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QStringLiteral("Ligne III : LUS n'est pas dans le dictionnaire\n"
                                   "Ligne V : aucun mot ne convient à Q..\n"
                                   "Colonne 1 : SEL est déjà placé en ligne I\n"
                                   "Colonne 2 : aucun mot ne convient à U..\n"
                                   "Colonne 3 : LUS n'est pas dans le dictionnaire\n"
                                   "Colonne 3 : LUS est déjà placé en ligne III\n"));

    // Two words in one row are told apart by their first cell, in either labelling.
    writeWholeFile(path(QStringLiteral("row.txt")), "SEL#SEL\n");
    const QStringList row{QStringLiteral("check"), path(QStringLiteral("row.txt")),
                          QStringLiteral("-d"), dictionary_};
    QCOMPARE(orvgrid(row).out,
             QStringLiteral("Ligne 1 (E1) : SEL est déjà placé en ligne 1 (A1)\n"));
    QCOMPARE(orvgrid(row + QStringList{QStringLiteral("--french-labels")}).out,
             QStringLiteral("Ligne I (I-5) : SEL est déjà placé en ligne I (I-1)\n"));
}

void OrvgridCheckTest::badInput_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("no grid") << QStringList{QStringLiteral("check")}
                             << QStringLiteral("orvgrid check : check attend une grille.\n");
    QTest::newRow("missing grid")
        << QStringList{QStringLiteral("check"), QStringLiteral("absente.txt")}
        << QStringLiteral("orvgrid check : Ne peut ouvrir le fichier absente.txt.\n");
    QTest::newRow("unknown option")
        << QStringList{QStringLiteral("check"), QStringLiteral("g.txt"), QStringLiteral("-x")}
        << QStringLiteral("orvgrid check : option inconnue « -x ».\n");
}

void OrvgridCheckTest::badInput() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QVERIFY(QDir::setCurrent(dir_->path()));
    writeWholeFile(path(QStringLiteral("g.txt")), "SUR\n");
    const Run r = orvgrid(args);
    QCOMPARE(r.status, 3);
    QCOMPARE(r.err, message);
    QCOMPARE(r.out, QString());
}

QTEST_GUILESS_MAIN(OrvgridCheckTest)
#include "orvgrid_check_test.moc"
