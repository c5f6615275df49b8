// The reading of a dictionary file ("Dicogrd.dat"), shared by the program's
// start and by the command-line tools, so that one file gives the same words
// and the same warning everywhere: the lines up to a NUL byte (the text ends
// there), then, as the start-up clean-up does, only the entries of 2 to 19
// letters. What was left out is counted, and told: in the status bar by the
// program, on the error output by the tools.
#pragma once

#include "dictionary/word_list.h"

#include <QByteArray>
#include <QString>

namespace orv {

// The lines of a dictionary file's bytes.
struct DictionaryFileLines {
    WordList words;         // every line before the first NUL byte
    qsizetype afterNul = 0; // the lines after it, left out
};
DictionaryFileLines splitDictionaryFile(const QByteArray& data);

// A dictionary file as the program keeps it after its start.
struct DictionaryFileWords {
    WordList words;        // the entries of 2 to 19 letters before a NUL
    qsizetype dropped = 0; // the lines left out: after a NUL, or of another length
};
// Reads the file (a regular file of at most 512 Mo); throws OrvError
// "Ne peut ouvrir le fichier <displayName>".
DictionaryFileWords readDictionaryFile(const QString& path, const QString& displayName);

} // namespace orv
