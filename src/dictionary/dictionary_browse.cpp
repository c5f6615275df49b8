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

WordBlock wordsWithInitial(const WordList& list, char letter) {
    WordBlock words;
    qsizetype first = 0;
    qsizetype last = 0;
    if (list.initialRange(letter, first, last)) {
        list.appendPlain(first, last, words);
        return words;
    }
    const char firstByte = char(scrambleByte(static_cast<unsigned char>(letter), 1));
    list.forEach([&words, firstByte](QByteArrayView v) {
        if (!v.isEmpty() && v.front() == firstByte)
            words.appendUnscrambled(v);
    });
    return words;
}

char nextInitial(char letter) { return letter >= 'Z' ? 'Z' : char(letter + 1); }

char previousInitial(char letter) { return letter <= 'A' ? 'A' : char(letter - 1); }

} // namespace orv
