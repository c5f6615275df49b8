// The dictionary's word comparison: the user locale's case-insensitive
// collation. Words of capital letters alone, nearly every word the dictionary
// holds, compare by their bytes, which gives the collator's order at a
// fraction of its cost; any other byte sends the pair through the collator.
#pragma once

#include <QByteArray>

namespace orv {

// Negative, zero or positive as plain word a sorts before, with or after b.
int compareWords(const QByteArray& a, const QByteArray& b);

// The same order on scrambled entries, unscrambling on the fly.
int compareScrambled(const QByteArray& a, const QByteArray& b);

inline bool scrambledLess(const QByteArray& a, const QByteArray& b) {
    return compareScrambled(a, b) < 0;
}

} // namespace orv
