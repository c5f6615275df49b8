// orvgrid export on real files: each kind of grid in, each format out, the
// options reaching the page, and the one-line refusals of bad requests.
#include "arrowword/arrow_file.h"
#include "common/text_file.h"
#include "grid/grid_file.h"
#include "publish/grid_source.h"
#include "publish/ipuz_file.h"
#include "support/arrow_grids.h"
#include "support/orvgrid_run.h"
#include "support/sample_grid.h"
#include "tools/orvgrid_export.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace orv;
using namespace orv::test;

namespace {

Run exportWith(const QStringList& args) { return runCommand(orvgridExport, args); }

QString pdfText(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

} // namespace

class OrvgridExportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        QVERIFY(dir_.isValid());
        path_ = [this](const char* name) { return dir_.filePath(QString::fromLatin1(name)); };
    }
    void plainGridToPdfWithTitle();
    void gridFileThroughIpuzComesBackTheSame();
    void ipuzTitleAndAuthorReachThePage();
    void longCluesAreKeptOrNamedBeforeAGridFileCutsThem();
    void brokenIpuzIsRefusedInFrench();
    void badRequests_data();
    void badRequests();
    void refusesToWriteOverItsGrid();
    void arrowGridToPdfWithItsCluesAndSolution();

private:
    QTemporaryDir dir_;
    std::function<QString(const char*)> path_;
};

void OrvgridExportTest::plainGridToPdfWithTitle() {
    QFile f(path_("g.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("AB#\n.C.\nDEF\n");
    f.close();
    const Run r = exportWith({path_("g.txt"), QStringLiteral("-o"), path_("g.pdf"),
                              QStringLiteral("--title"), QStringLiteral("Ma grille"),
                              QStringLiteral("--solution"), QStringLiteral("none")});
    QCOMPARE(r.status, 0);
    QVERIFY(r.err.isEmpty());
    const QString text = pdfText(path_("g.pdf"));
    QVERIFY2(text.startsWith(QStringLiteral("Ma grille 1 2 3 I II III HORIZONTALEMENT I. II. "
                                            "III. VERTICALEMENT 1. 2. 3.")),
             qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("Solution")));
}

void OrvgridExportTest::gridFileThroughIpuzComesBackTheSame() {
    const Grille g = test::sampleGrid();
    writeGridFile(path_("a.grd"), g);
    QCOMPARE(exportWith({path_("a.grd"), QStringLiteral("-o"), path_("a.ipuz")}).status, 0);
    QCOMPARE(exportWith({path_("a.ipuz"), QStringLiteral("-o"), path_("b.grd")}).status, 0);
    QFile a(path_("a.grd")), b(path_("b.grd"));
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    // The sample's clues fill the 10 rows and columns; the slots beyond are empty in both.
    QCOMPARE(b.readAll(), a.readAll());
    IpuzInfo info;
    loadAnyGrid(path_("a.ipuz"), &info);
    QCOMPARE(info.title, QStringLiteral("a"));
}

void OrvgridExportTest::ipuzTitleAndAuthorReachThePage() {
    writeIpuzFile(path_("t.ipuz"), test::sampleGrid(),
                  {QStringLiteral("Grille du dimanche"), QStringLiteral("Léon")});
    QCOMPARE(exportWith({path_("t.ipuz"), QStringLiteral("-o"), path_("t.pdf")}).status, 0);
    QVERIFY(pdfText(path_("t.pdf")).startsWith(QStringLiteral("Grille du dimanche Léon")));
    QCOMPARE(exportWith({path_("t.ipuz"), QStringLiteral("-o"), path_("t.svg"),
                         QStringLiteral("--solution"), QStringLiteral("pied")})
                 .status,
             0);
    QCOMPARE(exportWith({path_("t.ipuz"), QStringLiteral("-o"), path_("t.png"),
                         QStringLiteral("--dpi"), QStringLiteral("60")})
                 .status,
             0);
    QVERIFY(QFile::exists(path_("t.svg")) && QFile::exists(path_("t.png")));
}

void OrvgridExportTest::longCluesAreKeptOrNamedBeforeAGridFileCutsThem() {
    Grille g = test::sampleGrid();
    const QByteArray across = "Ch\xe2teau " + QByteArray(292, 'a'); // 300 characters
    const QByteArray down = QByteArray(270, 'b');
    g.DefHoriz[1] = across;
    g.DefVert[2] = down;
    writeIpuzFile(path_("a.ipuz"), g);

    // ipuz to ipuz: whole, and nothing to say.
    Run r = exportWith({path_("a.ipuz"), QStringLiteral("-o"), path_("b.ipuz")});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    QCOMPARE(loadAnyGrid(path_("b.ipuz")).DefHoriz[1], across);

    // To a grid file: each clue it cuts is named first on the error output.
    r = exportWith({path_("a.ipuz"), QStringLiteral("-o"), path_("a.grd")});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
             (QStringList{QStringLiteral("orvgrid export : attention, la définition de la ligne 2 "
                                         "sera coupée à 255 caractères (elle en a 300) : un "
                                         "fichier .grd n'en garde pas plus."),
                          QStringLiteral("orvgrid export : attention, la définition de la "
                                         "colonne C sera coupée à 255 caractères (elle en a "
                                         "270) : un fichier .grd n'en garde pas plus.")}));
    const Grille cut = loadAnyGrid(path_("a.grd"));
    QCOMPARE(cut.DefHoriz[1], across.left(kMaxClueLength));
    QCOMPARE(cut.DefVert[2], down.left(kMaxClueLength));
    QCOMPARE(cut.DefHoriz[0], g.DefHoriz[0]);

    // A grid file whose clue line is longer (made by hand or by an older
    // writer) is read whole, so its clue reaches an ipuz file whole.
    QByteArray bytes = gridFileBytes(test::sampleGrid());
    const QByteArray line = QByteArray("\x01!") + test::sampleGrid().DefHoriz[1] + "\r\n";
    QVERIFY(bytes.contains(line));
    bytes.replace(line, QByteArray("\x01!") + across + "\r\n");
    QFile hand(path_("main.grd"));
    QVERIFY(hand.open(QIODevice::WriteOnly));
    hand.write(bytes);
    hand.close();
    r = exportWith({path_("main.grd"), QStringLiteral("-o"), path_("main.ipuz")});
    QCOMPARE(r.status, 0);
    QCOMPARE(loadAnyGrid(path_("main.ipuz")).DefHoriz[1], across);
}

void OrvgridExportTest::brokenIpuzIsRefusedInFrench() {
    QFile broken(path_("casse.ipuz"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("{\"kind\": [\"http://ipuz.org/crossword#1\"], \"dimensions\": {\"width\": 3");
    broken.close();
    const Run r = exportWith({path_("casse.ipuz"), QStringLiteral("-o"), path_("x.pdf")});
    QCOMPARE(r.status, 3);
    QVERIFY2(r.err.contains(QStringLiteral("le texte JSON est mal formé (le texte s'arrête au "
                                           "milieu d'un nombre, octet 68)")),
             qPrintable(r.err));
}

void OrvgridExportTest::badRequests_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("no grid") << QStringList{"-o", "x.pdf"} << "il manque la grille";
    QTest::newRow("no output") << QStringList{"g.txt"} << "il manque le fichier de sortie";
    QTest::newRow("unknown format") << QStringList{"g.txt", "-o", "x.doc"} << "pdf, svg, png";
    QTest::newRow("bad solution") << QStringList{"g.txt", "-o", "x.pdf", "--solution", "dos"}
                                  << "page, pied ou aucune";
    QTest::newRow("bad dpi") << QStringList{"g.txt", "-o", "x.png", "--dpi", "9000"}
                             << "de 50 à 300";
    QTest::newRow("missing value") << QStringList{"g.txt", "-o"} << "il manque la valeur de -o";
    QTest::newRow("unknown option")
        << QStringList{"g.txt", "-o", "x.pdf", "--zoom"} << "option inconnue « --zoom »";
    QTest::newRow("missing grid file")
        << QStringList{"absent.grd", "-o", "x.pdf"} << "Ne peut ouvrir le fichier absent.grd";
}

void OrvgridExportTest::badRequests() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const Run r = exportWith(args);
    QCOMPARE(r.status, 3);
    QVERIFY2(r.err.startsWith(QStringLiteral("orvgrid export : ")) && r.err.contains(message),
             qPrintable(r.err));
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    QVERIFY(!QFile::exists(QStringLiteral("x.pdf")) && !QFile::exists(QStringLiteral("x.png")));
}

void OrvgridExportTest::refusesToWriteOverItsGrid() {
    writeGridFile(path_("g.grd"), sampleGrid());
    const QByteArray before = readWholeFile(path_("g.grd"));
    QVERIFY(QFile::link(path_("g.grd"), path_("lien.grd")));
    for (const char* output : {"g.grd", "lien.grd"}) {
        const Run r = exportWith({path_("g.grd"), QStringLiteral("-o"), path_(output)});
        QCOMPARE(r.status, 3);
        QCOMPARE(r.err, QStringLiteral("orvgrid export : Le fichier %1 est aussi un fichier lu : "
                                       "il n'est pas remplacé\n")
                            .arg(path_(output)));
        QCOMPARE(readWholeFile(path_("g.grd")), before);
    }
}

void OrvgridExportTest::arrowGridToPdfWithItsCluesAndSolution() {
    writeArrowFile(path_("f.fleches"), sampleArrowGrid());
    const Run r = exportWith({path_("f.fleches"), QStringLiteral("-o"), path_("f.pdf"),
                              QStringLiteral("--title"), QStringLiteral("Fléchés n° 1")});
    QCOMPARE(r.status, 0);
    QVERIFY(r.err.isEmpty());
    const QString text = pdfText(path_("f.pdf"));
    QVERIFY2(text.startsWith(QStringLiteral("Fléchés n° 1")), qPrintable(text));
    for (const QString& clue : {QStringLiteral("Minerai"), QStringLiteral("Voie"),
                                QStringLiteral("Saison"), QStringLiteral("Solution")})
        QVERIFY2(text.contains(clue), qPrintable(clue + QStringLiteral(" : ") + text));
    // The letters are printed once, in the solution.
    QCOMPARE(text.count(QStringLiteral("I S A R")) + text.count(QStringLiteral("ISAR")), 1);
    QCOMPARE(exportWith({path_("f.fleches"), QStringLiteral("-o"), path_("f.png"),
                         QStringLiteral("--dpi"), QStringLiteral("60")})
                 .status,
             0);
    QVERIFY(QFile::exists(path_("f.png")));
    const Run ipuz = exportWith({path_("f.fleches"), QStringLiteral("-o"), path_("f.ipuz")});
    QCOMPARE(ipuz.status, 3);
    QVERIFY2(ipuz.err.contains(QStringLiteral(
                 "une grille de mots fléchés se publie en pdf, svg ou png, pas en ipuz")),
             qPrintable(ipuz.err));
}

QTEST_MAIN(OrvgridExportTest)
#include "orvgrid_export_test.moc"
