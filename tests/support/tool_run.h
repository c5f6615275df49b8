// Running a command of one of the command-line tools in the test's own
// process, its exit status, output and error output kept.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace orv::test {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// Runs `command` (a tool's entry, or one of its subcommands) with the arguments.
template <typename Command> Run runCommand(Command command, const QStringList& args) {
    Run r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.status = command(args, out, err);
    out.flush();
    err.flush();
    return r;
}

} // namespace orv::test
