// The help of the three programs: each command of orvgrid and orvdico
// explains itself with --help wherever it stands, naming its options, and
// orvgrille answers --help without a window and refuses to start when Qt
// would find no display.
#include "app/command_line.h"
#include "dictionary/orvdico_tool.h"
#include "support/orvgrid_run.h"

#include <QProcessEnvironment>
#include <QTest>
#include <QTextStream>

using namespace orv;
using namespace orv::test;

class ToolHelpTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commandHelp_data();
    void commandHelp();
    void orvgrilleHelpNeedsNoWindow();
    void windowsCanShow_data();
    void windowsCanShow();
};

void ToolHelpTest::commandHelp_data() {
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("options");
    QTest::newRow("fill") << "orvgrid" << QStringList{"fill", "--help"}
                          << QStringList{"-d",           "--words",     "--seed",
                                         "--time-limit", "-o",          "--vocabulary",
                                         "--min-score",  "--no-scores", "--thorough",
                                         ".ipuz",        ".fleches"};
    // Help wins over arguments that would be refused.
    QTest::newRow("make") << "orvgrid" << QStringList{"make", "99x2", "--fast", "-h"}
                          << QStringList{"--from",       "--max-blacks",
                                         "--symmetric",  "--adjacent-blacks",
                                         "--max-length", "--words",
                                         "--vocabulary", "--seed",
                                         "--time-limit", "-o"};
    QTest::newRow("make-fleches") << "orvgrid" << QStringList{"make-fleches", "--help"}
                                  << QStringList{"--max-length", "--words",      "--vocabulary",
                                                 "--seed",       "--time-limit", "-o",
                                                 ".fleches"};
    QTest::newRow("check") << "orvgrid" << QStringList{"check", "absente.txt", "--help"}
                           << QStringList{"-d", "--french-labels", ".ipuz"};
    QTest::newRow("build") << "orvdico" << QStringList{"build", "--help"}
                           << QStringList{"--fold-accents", "-o", "Code de sortie"};
    QTest::newRow("words") << "orvdico" << QStringList{"words", "a", "b", "--help"}
                           << QStringList{"orvdico words FICHIER"};
    QTest::newRow("stats") << "orvdico" << QStringList{"stats", "-h"}
                           << QStringList{"orvdico stats FICHIER"};
}

void ToolHelpTest::commandHelp() {
    QFETCH(QString, tool);
    QFETCH(QStringList, args);
    QFETCH(QStringList, options);
    const bool grid = tool == QLatin1String("orvgrid");
    const Run r = grid ? orvgrid(args) : runCommand(runOrvdico, args);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, QString());
    QVERIFY2(r.out.startsWith(QStringLiteral("  %1 %2").arg(tool, args[0])), qPrintable(r.out));
    for (const QString& option : options)
        QVERIFY2(r.out.contains(option), qPrintable(option));
    // The command's paragraph alone, the one of the whole help.
    const QString whole = grid ? orvgridUsage() : orvdicoUsage();
    const QString paragraph = r.out.section(QStringLiteral("\n\n"), 0, 0);
    QVERIFY(whole.contains(paragraph));
    QVERIFY(whole.size() > r.out.size() + 200);
}

void ToolHelpTest::orvgrilleHelpNeedsNoWindow() {
    for (const char* option : {"--help", "-h"}) {
        QString out;
        QTextStream stream(&out);
        const std::optional<int> status =
            answerWithoutWindow({"orvgrille", "grille.grd", option}, stream);
        stream.flush();
        QCOMPARE(status, std::optional<int>(0));
        QVERIFY2(out.startsWith(QStringLiteral("Usage : orvgrille [GRILLE]\n")), qPrintable(out));
        QVERIFY(out.contains(QStringLiteral("--version")));
        QVERIFY(out.contains(QStringLiteral("écran graphique")));
    }
}

void ToolHelpTest::windowsCanShow_data() {
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("shows");
    QTest::newRow("nothing") << QStringList{} << QStringList{} << false;
    QTest::newRow("empty display") << QStringList{"DISPLAY="} << QStringList{} << false;
    QTest::newRow("X11") << QStringList{"DISPLAY=:0"} << QStringList{} << true;
    QTest::newRow("Wayland") << QStringList{"WAYLAND_DISPLAY=wayland-0"} << QStringList{} << true;
    QTest::newRow("offscreen") << QStringList{"QT_QPA_PLATFORM=offscreen"} << QStringList{} << true;
    QTest::newRow("with options") << QStringList{"QT_QPA_PLATFORM=offscreen:fontengine=freetype"}
                                  << QStringList{} << true;
    QTest::newRow("xcb") << QStringList{"QT_QPA_PLATFORM=xcb"} << QStringList{} << false;
    QTest::newRow("wayland only") << QStringList{"QT_QPA_PLATFORM=wayland", "DISPLAY=:0"}
                                  << QStringList{} << false;
    QTest::newRow("fallback") << QStringList{"QT_QPA_PLATFORM=xcb;minimal"} << QStringList{}
                              << true;
    QTest::newRow("argument") << QStringList{} << QStringList{"-platform", "offscreen"} << true;
    QTest::newRow("argument wins")
        << QStringList{"QT_QPA_PLATFORM=offscreen"} << QStringList{"-platform", "xcb"} << false;
}

void ToolHelpTest::windowsCanShow() {
    QFETCH(QStringList, environment);
    QFETCH(QStringList, args);
    QFETCH(bool, shows);
    QProcessEnvironment env;
    for (const QString& pair : environment)
        env.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    const QStringList arguments = QStringList{QStringLiteral("orvgrille")} + args;
    QCOMPARE(orv::windowsCanShow(arguments, env), shows);
    QString err;
    QTextStream stream(&err);
    const std::optional<int> status = refuseWithoutDisplay(arguments, env, stream);
    stream.flush();
    QCOMPARE(status.has_value(), !shows);
    if (!shows) {
        QCOMPARE(*status, 1);
        QVERIFY2(err.startsWith(QStringLiteral("orvgrille : Orv Grille a besoin d'un écran")),
                 qPrintable(err));
    }
}

QTEST_GUILESS_MAIN(ToolHelpTest)
#include "tool_help_test.moc"
