// orvgrid export on real files: each kind of grid in, each format out, the
// options reaching the page, and the one-line refusals of bad requests.
#include "common/text_file.h"
#include "grid/grid_file.h"
#include "publish/grid_source.h"
#include "publish/ipuz_file.h"
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
    void badRequests_data();
    void badRequests();
    void refusesToWriteOverItsGrid();

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

QTEST_MAIN(OrvgridExportTest)
#include "orvgrid_export_test.moc"
