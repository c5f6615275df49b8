// orvgrid, the command-line companion for grids. Each subcommand lives in its
// own file and is listed, with its help, in one table, so that new ones are
// added beside the others. Kept apart from main() so that the commands run in
// tests.
#pragma once

#include <QStringList>
#include <span>

class QTextStream;

namespace orv {

// Exit statuses shared by the subcommands.
enum OrvgridStatus {
    OrvgridOk = 0,
    OrvgridNotFilled = 1,  // no fill found within the time allowed
    OrvgridImpossible = 2, // proved impossible
    OrvgridBadInput = 3,   // bad arguments or unreadable input (one-line message)
};
// orvgrid check: the grid has something to report.
constexpr int OrvgridFindings = 1;

// One subcommand: its name, its paragraph of the help, and what runs it
// (with the arguments after its name).
struct OrvgridCommand {
    const char* name;
    QString (*usage)();
    int (*run)(const QStringList&, QTextStream&, QTextStream&);
};

// The subcommands that need Qt Core only, in the order of the help. The tool
// adds export, which paints.
std::span<const OrvgridCommand> orvgridCoreCommands();

// Runs one command among `commands`; args excludes the program name.
// "orvgrid --help" lists every command, "orvgrid COMMAND --help" (or -h)
// prints that command's paragraph; both exit with 0.
int runOrvgridWith(std::span<const OrvgridCommand> commands, const QStringList& args,
                   QTextStream& out, QTextStream& err);
// The same with the core commands.
int runOrvgrid(const QStringList& args, QTextStream& out, QTextStream& err);

// The subcommands.
int orvgridFill(const QStringList& args, QTextStream& out, QTextStream& err);
int orvgridMake(const QStringList& args, QTextStream& out, QTextStream& err);
int orvgridCheck(const QStringList& args, QTextStream& out, QTextStream& err);
int orvgridMakeArrows(const QStringList& args, QTextStream& out, QTextStream& err);
QString orvgridFillUsage();
QString orvgridMakeUsage();
QString orvgridMakeArrowsUsage();
QString orvgridCheckUsage();

// The whole help, with the paragraphs of `commands`.
QString orvgridUsageWith(std::span<const OrvgridCommand> commands);
// The same with the core commands.
QString orvgridUsage();

} // namespace orv
