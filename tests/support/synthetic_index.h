// The made-up words of synthetic_words.h indexed for the fill and the
// makers, as a set for checking the grids they make (built once), and as
// a plain list for the tools.
#pragma once

#include "dictionary/word_index.h"
#include "support/synthetic_words.h"

#include <QFile>
#include <QSet>
#include <QString>

namespace orv::test {

inline const WordIndex& syntheticIndex() {
    static const WordIndex index = [] {
        WordIndex i;
        i.buildFromPlain(syntheticWords());
        return i;
    }();
    return index;
}

inline const QSet<QByteArray>& syntheticSet() {
    static const QSet<QByteArray> set = [] {
        QSet<QByteArray> s;
        for (const QByteArray& w : syntheticWords())
            s.insert(w);
        return s;
    }();
    return set;
}

// Writes the made-up words as a plain list, one a line, for the tools'
// --words; false when the file cannot be written.
inline bool writeSyntheticList(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    for (const QByteArray& w : syntheticWords())
        f.write(w + "\n");
    return true;
}

} // namespace orv::test
