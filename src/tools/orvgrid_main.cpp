// Entry of orvgrid, the grids' command-line companion. Only export paints
// pages, which needs Qt Gui: it alone runs a QGuiApplication, on the
// offscreen platform unless QT_QPA_PLATFORM names another, so that it never
// needs a display. The other commands run a QCoreApplication.
#include "tools/orvgrid_export.h"
#include "tools/orvgrid_tool.h"

#include <QGuiApplication>
#include <QTextStream>
#include <cstring>
#include <memory>
#include <vector>

namespace {

QtMessageHandler qtHandler = nullptr;

// A QGuiApplication asks for the runtime folder while it picks its platform
// theme (Qt looks there for a Flatpak sandbox), and Qt warns when
// XDG_RUNTIME_DIR is not set. The export never uses that folder, so the
// warning is left out; any other message goes on.
void dropRuntimeFolderWarning(QtMsgType type, const QMessageLogContext& context,
                              const QString& message) {
    if (type == QtWarningMsg &&
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    qtHandler(type, context, message);
}

bool paints(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "export") != 0)
        return false;
    for (int i = 2; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::unique_ptr<QCoreApplication> app;
    if (paints(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qtHandler = qInstallMessageHandler(dropRuntimeFolderWarning);
        app = std::make_unique<QGuiApplication>(argc, argv);
        qInstallMessageHandler(qtHandler);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    std::vector<orv::OrvgridCommand> commands(orv::orvgridCoreCommands().begin(),
                                              orv::orvgridCoreCommands().end());
    commands.push_back({"export", orv::orvgridExportUsage, orv::orvgridExport});
    QTextStream out(stdout);
    QTextStream err(stderr);
    return orv::runOrvgridWith(commands, QCoreApplication::arguments().mid(1), out, err);
}
