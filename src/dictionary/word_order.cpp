// The word comparison of the dictionary: bytes for capital-letter words, the
// locale collator for the rest.
#include "dictionary/word_order.h"

#include "common/codec.h"
#include "common/locale.h"
#include "dictionary/scramble.h"

#include <QCollator>
#include <algorithm>

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

} // namespace

int compareWords(const QByteArray& a, const QByteArray& b) {
    // Byte order puts a word before every longer word it begins, as the
    // collator does.
    if (allCapitals(a) && allCapitals(b))
        return a.compare(b, Qt::CaseSensitive);
    return collate(a, b);
}

int compareScrambled(const QByteArray& a, const QByteArray& b) {
    // One pass both checks that the words are capitals and finds the first
    // plain difference; the collator is asked only about other words.
    const qsizetype na = a.size();
    const qsizetype nb = b.size();
    const qsizetype n = std::min(na, nb);
    int order = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const auto pa = unscrambleByte(static_cast<unsigned char>(a[i]), int(i + 1));
        const auto pb = unscrambleByte(static_cast<unsigned char>(b[i]), int(i + 1));
        if (!isCapital(char(pa)) || !isCapital(char(pb)))
            return collate(Decrypte(a), Decrypte(b));
        if (order == 0 && pa != pb)
            order = pa < pb ? -1 : 1;
    }
    const QByteArray& longer = na > nb ? a : b;
    for (qsizetype i = n; i < longer.size(); ++i)
        if (!isCapital(char(unscrambleByte(static_cast<unsigned char>(longer[i]), int(i + 1)))))
            return collate(Decrypte(a), Decrypte(b));
    if (order != 0)
        return order;
    return na < nb ? -1 : (na > nb ? 1 : 0);
}

} // namespace orv
