// The dictionary's re-sort, clean-up and import.
#include "dictionary/dictionary_rules.h"

#include "common/codec.h"
#include "dictionary/scramble.h"

namespace orv {

void Tri(WordList& words) { words.sort(); }

void Verifie(WordList& words) {
    QList<QByteArray> kept;
    kept.reserve(words.count());
    for (const QByteArray& e : words.entries())
        if (e.size() >= kMinWordLength && e.size() <= kMaxWordLength)
            kept.append(e);
    if (kept.size() != words.count())
        words.assign(std::move(kept));
}

bool MotAdmissible(const QByteArray& line) {
    if (line.size() < kMinWordLength || line.size() > kMaxWordLength)
        return false;
    for (char c : line)
        if (!isCapital(c))
            return false;
    return true;
}

QByteArray upperLine(QByteArray line) {
    for (char& c : line)
        c = upperAscii(c);
    return line;
}

qsizetype importLines(WordList& words, const QList<QByteArray>& lines,
                      const ImportProgress& progress) {
    const qsizetype n = lines.size();
    qsizetype added = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (progress)
            progress(int(i * 100 / n));
        const QByteArray word = upperLine(lines[i]);
        if (!MotAdmissible(word))
            continue;
        const QByteArray scrambled = Crypte(word);
        if (!words.contains(scrambled)) {
            words.append(scrambled);
            ++added;
        }
    }
    return added;
}

} // namespace orv
