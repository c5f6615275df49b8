// Running an orvgrid command in the test's own process, its exit status,
// output and error output kept.
#pragma once

#include "tools/orvgrid_tool.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace orv::test {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// Runs `command` (runOrvgrid, or one subcommand) with the arguments.
template <typename Command> Run runCommand(Command command, const QStringList& args) {
    Run r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.status = command(args, out, err);
    out.flush();
    err.flush();
    return r;
}

inline Run orvgrid(const QStringList& args) { return runCommand(runOrvgrid, args); }

} // namespace orv::test
