// --version of the three programs: the number of the top-level CMake project
// and the licence, printed with status 0 and nothing on the error output;
// orvgrille answers it before any window, and starts as usual without it.
#include "app/command_line.h"
#include "dictionary/orvdico_tool.h"
#include "tools/orvgrid_tool.h"

#include "support/orvgrid_run.h"

#include <QTest>
#include <QTextStream>

using namespace orv;
using namespace orv::test;

namespace {

Run orvgrille(const QStringList& args) {
    Run r;
    QTextStream out(&r.out);
    const std::optional<int> status =
        answerWithoutWindow(QStringList{QStringLiteral("orvgrille")} + args, out);
    r.status = status.value_or(-1);
    out.flush();
    return r;
}

} // namespace

class VersionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyProgramPrintsTheProjectVersion();
    void orvgrilleStartsWithoutTheOption();
    void argumentsComeFromMain();
    void usagesListTheOption();
};

void VersionTest::everyProgramPrintsTheProjectVersion() {
    const QString version = QStringLiteral(ORV_PROJECT_VERSION);
    const QList<std::pair<QString, Run>> runs{
        {"orvgrille", orvgrille({"--version"})},
        {"orvgrille", orvgrille({"grille.grd", "--version"})},
        {"orvdico", runCommand(runOrvdico, {"--version"})},
        {"orvgrid", orvgrid({"--version"})},
    };
    for (const auto& [program, r] : runs) {
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        const QStringList lines = r.out.split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0), QStringLiteral("%1 (Orv Grille) %2").arg(program, version));
        QVERIFY2(lines.value(1).startsWith(QStringLiteral("Licence GPL-3.0-or-later : ")),
                 qPrintable(r.out));
        QVERIFY(r.out.endsWith(QLatin1Char('\n')));
    }
}

void VersionTest::orvgrilleStartsWithoutTheOption() {
    for (const QStringList& args : {QStringList{}, QStringList{"grille.grd"},
                                    QStringList{"-version"}, QStringList{"--versions"}}) {
        QString out;
        QTextStream stream(&out);
        QVERIFY(!answerWithoutWindow(QStringList{QStringLiteral("orvgrille")} + args, stream));
        stream.flush();
        QVERIFY(out.isEmpty());
    }
    // The program's own name is never taken for the option.
    QString out;
    QTextStream stream(&out);
    QVERIFY(!answerWithoutWindow({QStringLiteral("--version")}, stream));
}

void VersionTest::argumentsComeFromMain() {
    const char* argv[] = {"orvgrille", "--version", "Grille été.grd"};
    QCOMPARE(commandLineArguments(3, argv),
             (QStringList{"orvgrille", "--version", QStringLiteral("Grille été.grd")}));
}

void VersionTest::usagesListTheOption() {
    QVERIFY(orvdicoUsage().contains(QStringLiteral("orvdico --version")));
    QVERIFY(orvgridUsage().contains(QStringLiteral("orvgrid --version")));
}

QTEST_GUILESS_MAIN(VersionTest)
#include "version_test.moc"
