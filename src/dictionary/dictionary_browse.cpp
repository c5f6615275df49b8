// Listing the words of one initial letter.
#include "dictionary/dictionary_browse.h"

#include "dictionary/scramble.h"

namespace orv {

WordBlock wordsWithInitial(const QList<QByteArray>& entries, char letter) {
    const char first = char(scrambleByte(static_cast<unsigned char>(letter), 1));
    WordBlock words;
    for (const QByteArray& entry : entries)
        if (!entry.isEmpty() && entry.front() == first)
            words.appendUnscrambled(entry);
    return words;
}

char nextInitial(char letter) { return letter >= 'Z' ? 'Z' : char(letter + 1); }

char previousInitial(char letter) { return letter <= 'A' ? 'A' : char(letter - 1); }

} // namespace orv
