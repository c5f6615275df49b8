// The word comparison of the dictionary: bytes for capital-letter words, the
// locale collator for the rest.
#include "dictionary/word_order.h"

#include "common/codec.h"
#include "common/locale.h"
#include "dictionary/scramble.h"

#include <QCollator>

namespace orv {
namespace {

const QCollator& collator() {
    static const QCollator c = [] {
        QCollator made(userLocale());
        made.setCaseSensitivity(Qt::CaseInsensitive);
        return made;
    }();
    return c;
}

int collate(const QByteArray& plainA, const QByteArray& plainB) {
    return collator().compare(toUi(plainA), toUi(plainB));
}

bool allCapitals(const QByteArray& plain) {
    for (char c : plain)
        if (!isCapital(c))
            return false;
    return true;
}

bool allCapitalsScrambled(const QByteArray& scrambled) {
    const qsizetype n = scrambled.size();
    for (qsizetype i = 0; i < n; ++i)
        if (!isCapital(char(unscrambleByte(static_cast<unsigned char>(scrambled[i]), int(i + 1)))))
            return false;
    return true;
}

} // namespace

int compareWords(const QByteArray& a, const QByteArray& b) {
    // Byte order puts a word before every longer word it begins, as the
    // collator does.
    if (allCapitals(a) && allCapitals(b))
        return a.compare(b, Qt::CaseSensitive);
    return collate(a, b);
}

int compareScrambled(const QByteArray& a, const QByteArray& b) {
    if (!allCapitalsScrambled(a) || !allCapitalsScrambled(b))
        return collate(Decrypte(a), Decrypte(b));
    // Scrambling depends on the position only, so the first differing
    // scrambled byte is also the first differing plain byte.
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (a[i] != b[i]) {
            const auto pa = unscrambleByte(static_cast<unsigned char>(a[i]), int(i + 1));
            const auto pb = unscrambleByte(static_cast<unsigned char>(b[i]), int(i + 1));
            return pa < pb ? -1 : 1;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

} // namespace orv
