// Reading a dictionary file for the program and the tools alike.
#include "dictionary/dictionary_file.h"

#include "common/text_file.h"
#include "dictionary/dictionary_rules.h"

namespace orv {

DictionaryFileLines splitDictionaryFile(const QByteArray& data) {
    DictionaryFileLines lines;
    if (lines.words.parse(data) < data.size())
        lines.afterNul = linesAfterNul(data);
    return lines;
}

DictionaryFileWords readDictionaryFile(const QString& path, const QString& displayName) {
    DictionaryFileLines lines =
        splitDictionaryFile(readWholeFile(path, displayName, kMaxListFileBytes));
    DictionaryFileWords words{std::move(lines.words), lines.afterNul};
    words.dropped += Verifie(words.words);
    return words;
}

} // namespace orv
