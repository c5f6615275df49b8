// Entry of orvgrid, the grids' command-line companion. The export subcommand
// paints pages, which needs Qt Gui: the tool runs a QGuiApplication, on the
// offscreen platform when there is no display. The other subcommands go to
// the dispatcher of orv_core.
#include "tools/orvgrid_export.h"
#include "tools/orvgrid_tool.h"

#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (!args.isEmpty() && args[0] == QLatin1String("export"))
        return orv::orvgridExport(args.mid(1), out, err);
    const int status = orv::runOrvgrid(args, out, err);
    if (!args.isEmpty() && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h") ||
                            args[0] == QLatin1String("help")))
        out << orv::orvgridExportUsage() << Qt::flush;
    return status;
}
