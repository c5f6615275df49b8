// orvgrille's options that are answered on the terminal.
#include "app/command_line.h"

#include "common/program_version.h"

#include <QProcessEnvironment>
#include <QTextStream>
#include <algorithm>

namespace orv {

QStringList commandLineArguments(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

QString orvgrilleUsage() {
    return QStringLiteral(
        "Usage : orvgrille [GRILLE]\n"
        "Atelier de mots croisés d'Orv Grille.\n"
        "\n"
        "  GRILLE\n"
        "      Ouvre cette grille au démarrage (un fichier .grd, .ipuz ou .fleches,\n"
        "      celui-ci dans la fenêtre Mots fléchés). Un fichier illisible est signalé\n"
        "      et le programme démarre avec une grille vide.\n"
        "  --help, -h\n"
        "      Affiche cette aide.\n"
        "  --version\n"
        "      Affiche la version et la licence.\n"
        "\n"
        "Le programme a besoin d'un écran graphique (DISPLAY ou WAYLAND_DISPLAY) ;\n"
        "sans écran, « xvfb-run orvgrille » le démarre sur un écran virtuel.\n"
        "Les options de Qt, comme -platform, sont aussi acceptées.\n"
        "L'aide complète s'ouvre dans le programme par F1.\n");
}

std::optional<int> answerWithoutWindow(const QStringList& arguments, QTextStream& out) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--version")) {
            out << versionText(QStringLiteral("orvgrille")) << Qt::flush;
            return 0;
        }
        if (arguments[i] == QLatin1String("--help") || arguments[i] == QLatin1String("-h")) {
            out << orvgrilleUsage() << Qt::flush;
            return 0;
        }
    }
    return std::nullopt;
}

bool windowsCanShow(const QStringList& arguments, const QProcessEnvironment& environment) {
    QString platforms = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i)
        if (arguments[i] == QLatin1String("-platform") ||
            arguments[i] == QLatin1String("--platform"))
            platforms = arguments[i + 1];
    const bool x11 = !environment.value(QStringLiteral("DISPLAY")).isEmpty();
    const bool wayland = !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
    // Each name may carry its options after ":" ("offscreen:fontengine=freetype").
    const QStringList names = platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (names.isEmpty())
        return x11 || wayland;
    return std::any_of(names.begin(), names.end(), [&](const QString& entry) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0).trimmed();
        if (name == QLatin1String("xcb"))
            return x11;
        if (name.startsWith(QLatin1String("wayland")))
            return wayland;
        // offscreen, minimal, eglfs, linuxfb, vnc... draw without a display;
        // a name Qt does not know is left to Qt to refuse.
        return true;
    });
}

std::optional<int> refuseWithoutDisplay(const QStringList& arguments,
                                        const QProcessEnvironment& environment, QTextStream& err) {
    if (windowsCanShow(arguments, environment))
        return std::nullopt;
    err << QStringLiteral("orvgrille : Orv Grille a besoin d'un écran graphique (DISPLAY ou "
                          "WAYLAND_DISPLAY) et n'en trouve aucun ; essayez « xvfb-run orvgrille ».")
        << Qt::endl;
    return 1;
}

} // namespace orv
