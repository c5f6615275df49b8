// orvdico, the command-line companion of the program's dictionary: builds a
// "Dicogrd.dat" from plain word lists, prints its words, counts them, and
// searches it by pattern or anagram. Kept
// apart from main() so that the commands run in tests like any other rule.
#pragma once

#include <QStringList>

class QTextStream;

namespace orv {

// Exit statuses: 0 done, 1 a file could not be read or written, 2 bad
// arguments, 3 the file to write is one of those read, or a pattern or
// letters that cannot be searched.
enum OrvdicoStatus {
    OrvdicoOk = 0,
    OrvdicoFileError = 1,
    OrvdicoUsageError = 2,
    OrvdicoWritesOverInput = 3,
    OrvdicoBadInput = 3
};

// Runs one command; args excludes the program name.
int runOrvdico(const QStringList& args, QTextStream& out, QTextStream& err);

QString orvdicoUsage();

} // namespace orv
