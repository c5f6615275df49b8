// Dispatch of orvgrid's subcommands, and the help made of their paragraphs.
#include "tools/orvgrid_tool.h"

#include "common/program_version.h"

#include <QTextStream>
#include <algorithm>
#include <array>

namespace orv {
namespace {

constexpr std::array kCoreCommands{
    OrvgridCommand{"fill", orvgridFillUsage, orvgridFill},
    OrvgridCommand{"make", orvgridMakeUsage, orvgridMake},
    OrvgridCommand{"make-fleches", orvgridMakeArrowsUsage, orvgridMakeArrows},
    OrvgridCommand{"check", orvgridCheckUsage, orvgridCheck},
};

bool isHelpOption(const QString& a) {
    return a == QLatin1String("--help") || a == QLatin1String("-h");
}

} // namespace

std::span<const OrvgridCommand> orvgridCoreCommands() { return kCoreCommands; }

QString orvgridUsageWith(std::span<const OrvgridCommand> commands) {
    QString text = QStringLiteral("Usage : orvgrid COMMANDE ...\n"
                                  "Outil des grilles d'Orv Grille.\n"
                                  "\n");
    for (const OrvgridCommand& c : commands)
        text += c.usage();
    return text + helpOptionsText(QStringLiteral("orvgrid"));
}

QString orvgridUsage() { return orvgridUsageWith(kCoreCommands); }

int runOrvgridWith(std::span<const OrvgridCommand> commands, const QStringList& args,
                   QTextStream& out, QTextStream& err) {
    if (args.isEmpty()) {
        err << QStringLiteral("orvgrid : il manque la commande (essayez « orvgrid --help »)")
            << Qt::endl;
        return OrvgridBadInput;
    }
    const QString command = args[0];
    if (isHelpOption(command) || command == QLatin1String("help")) {
        out << orvgridUsageWith(commands) << Qt::flush;
        return OrvgridOk;
    }
    if (command == QLatin1String("--version")) {
        out << versionText(QStringLiteral("orvgrid")) << Qt::flush;
        return OrvgridOk;
    }
    for (const OrvgridCommand& c : commands) {
        if (command != QLatin1String(c.name))
            continue;
        const QStringList rest = args.mid(1);
        if (std::any_of(rest.begin(), rest.end(), isHelpOption)) {
            out << c.usage() << Qt::flush;
            return OrvgridOk;
        }
        return c.run(rest, out, err);
    }
    err << QStringLiteral("orvgrid : commande inconnue « %1 » (essayez « orvgrid --help »)")
               .arg(command)
        << Qt::endl;
    return OrvgridBadInput;
}

int runOrvgrid(const QStringList& args, QTextStream& out, QTextStream& err) {
    return runOrvgridWith(kCoreCommands, args, out, err);
}

} // namespace orv
