// orvgrid, the command-line companion for grids. Each subcommand lives in its
// own file and is listed in one table, so that new ones are added beside the
// others. Kept apart from main() so that the commands run in tests.
#pragma once

#include <QStringList>

class QTextStream;

namespace orv {

// Exit statuses shared by the subcommands.
enum OrvgridStatus {
    OrvgridOk = 0,
    OrvgridNotFilled = 1,  // no fill found within the time allowed
    OrvgridImpossible = 2, // proved impossible
    OrvgridBadInput = 3,   // bad arguments or unreadable input (one-line message)
};

// Runs one command; args excludes the program name.
int runOrvgrid(const QStringList& args, QTextStream& out, QTextStream& err);

// The subcommands.
int orvgridFill(const QStringList& args, QTextStream& out, QTextStream& err);

QString orvgridUsage();

} // namespace orv
