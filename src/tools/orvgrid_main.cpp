// Entry of orvgrid, the grids' command-line companion. Painting the exported
// pages needs Qt Gui; without a display it runs on the offscreen platform.
#include "tools/orvgrid_export.h"

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
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        (args.isEmpty() ? err : out)
            << QStringLiteral("Usage : orvgrid COMMANDE ...\nOutil des grilles d'Orv Grille.\n\n")
            << orv::orvgridExportUsage() << Qt::flush;
        return args.isEmpty() ? 3 : 0;
    }
    if (args[0] == QLatin1String("export"))
        return orv::orvgridExport(args.mid(1), out, err);
    err << QStringLiteral("orvgrid : commande inconnue « %1 » (essayez « orvgrid --help »)")
               .arg(args[0])
        << Qt::endl;
    return 3;
}
