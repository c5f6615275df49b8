// Helpers of the dictionary tests: scrambling lists of plain words, reading
// them back, and the bytes of a dictionary file. Core only (no widgets).
#pragma once

#include "common/text_file.h"
#include "dictionary/scramble.h"
#include "dictionary/word_list.h"

#include <QByteArray>
#include <QList>

namespace orv::test {

inline QList<QByteArray> scrambled(const QList<QByteArray>& plain) {
    QList<QByteArray> out;
    for (const QByteArray& word : plain)
        out.append(Crypte(word));
    return out;
}

inline QList<QByteArray> plainOf(const QList<QByteArray>& entries) {
    QList<QByteArray> out;
    for (const QByteArray& entry : entries)
        out.append(Decrypte(entry));
    return out;
}

inline QList<QByteArray> plainOf(const WordList& list) { return plainOf(list.entries()); }

// A dictionary file holding the words, scrambled, one per line with CR LF.
inline QByteArray dictionaryFile(const QList<QByteArray>& plain) {
    return joinTextLines(scrambled(plain));
}

} // namespace orv::test
