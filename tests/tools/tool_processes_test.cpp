// The three programs run as the user runs them, without a display and
// without XDG_RUNTIME_DIR: their help and their work leave the error output
// empty (no warning of Qt's), orvgrille refuses in French instead of letting
// Qt abort, and the manual pages name every command and option of the help.
#include "common/text_file.h"
#include "grid/grid_text.h"
#include "publish/ipuz_file.h"
#include "support/word_lists.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;

namespace {

struct Ran {
    int status = -1;
    QString out;
    QString err;
};

// Runs a built program in `folder`, with no display, no platform chosen and
// no runtime folder.
Ran runProgram(const QString& program, const QStringList& args, const QString& folder) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(QString::fromLatin1(name));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(folder);
    p.start(program, args);
    Ran r;
    if (!p.waitForFinished(120000))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class ToolProcessesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void quietWithoutDisplayOrRuntimeFolder_data();
    void quietWithoutDisplayOrRuntimeFolder();
    void orvgrilleRefusesWithoutDisplayInFrench();
    void manualPagesNameEveryOption_data();
    void manualPagesNameEveryOption();

private:
    QTemporaryDir dir_;
};

void ToolProcessesTest::initTestCase() {
    QVERIFY(dir_.isValid());
    writeWholeFile(dir_.filePath("g.txt"), "SUR\nE#.\nLES\n");
    writeIpuzFile(dir_.filePath("g.ipuz"), readGridText("SUR\nE#.\nLES\n"));
    writeWholeFile(dir_.filePath("Dicogrd.dat"),
                   test::dictionaryFile({"LES", "RUE", "SEL", "SUR", "RAS"}));
}

void ToolProcessesTest::quietWithoutDisplayOrRuntimeFolder_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    const QString grid = QStringLiteral(ORV_ORVGRID);
    const QString dico = QStringLiteral(ORV_ORVDICO);
    const QString program = QStringLiteral(ORV_ORVGRILLE);
    QTest::newRow("orvgrid help") << grid << QStringList{"--help"} << 0 << "orvgrid export";
    QTest::newRow("make help") << grid << QStringList{"make", "--help"} << 0 << "  orvgrid make";
    QTest::newRow("export help") << grid << QStringList{"export", "-h"} << 0 << "--dpi";
    QTest::newRow("check ipuz") << grid << QStringList{"check", "g.ipuz"} << 0 << "Rien à signaler";
    QTest::newRow("export png") << grid << QStringList{"export", "g.ipuz", "-o", "g.png"} << 0
                                << "";
    QTest::newRow("orvdico help") << dico << QStringList{"build", "--help"} << 0
                                  << "--fold-accents";
    QTest::newRow("orvdico stats")
        << dico << QStringList{"stats", "Dicogrd.dat"} << 0 << "Mots : 5";
    QTest::newRow("orvgrille help")
        << program << QStringList{"--help"} << 0 << "Usage : orvgrille [GRILLE]";
    QTest::newRow("orvgrille version")
        << program << QStringList{"--version"} << 0 << "orvgrille (Orv Grille)";
}

void ToolProcessesTest::quietWithoutDisplayOrRuntimeFolder() {
    QFETCH(QString, program);
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    const Ran r = runProgram(program, args, dir_.path());
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    QCOMPARE(r.status, status);
    QVERIFY2(r.out.contains(out), qPrintable(r.out));
}

void ToolProcessesTest::orvgrilleRefusesWithoutDisplayInFrench() {
    const Ran r = runProgram(QStringLiteral(ORV_ORVGRILLE), {"g.grd"}, dir_.path());
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QString());
    QCOMPARE(r.err, QStringLiteral("orvgrille : Orv Grille a besoin d'un écran graphique (DISPLAY "
                                   "ou WAYLAND_DISPLAY) et n'en trouve aucun ; essayez « xvfb-run "
                                   "orvgrille ».\n"));
}

void ToolProcessesTest::manualPagesNameEveryOption_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("page");
    QTest::newRow("orvgrid") << QStringLiteral(ORV_ORVGRID) << "orvgrid.1.in";
    QTest::newRow("orvdico") << QStringLiteral(ORV_ORVDICO) << "orvdico.1.in";
    QTest::newRow("orvgrille") << QStringLiteral(ORV_ORVGRILLE) << "orvgrille.1.in";
}

void ToolProcessesTest::manualPagesNameEveryOption() {
    QFETCH(QString, program);
    QFETCH(QString, page);
    const Ran help = runProgram(program, {"--help"}, dir_.path());
    QCOMPARE(help.status, 0);
    // The page as man shows it: "\-" is a hyphen, font changes are left out.
    QString manual =
        QString::fromUtf8(readWholeFile(QStringLiteral(ORV_SOURCE_DIR "/data/man/") + page));
    manual.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    manual.remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]")));
    QSet<QString> named;
    // Options, and the commands that lead a paragraph of the help ("  orvgrid fill").
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])(--?[a-z][a-z-]*)"));
    for (const QRegularExpressionMatch& m : option.globalMatch(help.out))
        named.insert(m.captured(1));
    static const QRegularExpression command(QStringLiteral("^  \\w+ ([a-z]+) "),
                                            QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch& m : command.globalMatch(help.out))
        named.insert(QStringLiteral(".B ") + m.captured(1));
    QVERIFY(named.size() >= 4);
    for (const QString& word : named)
        QVERIFY2(manual.contains(word), qPrintable(word + " manque dans " + page));
}

QTEST_GUILESS_MAIN(ToolProcessesTest)
#include "tool_processes_test.moc"
