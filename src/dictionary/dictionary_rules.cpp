// The dictionary's re-sort, clean-up and import.
#include "dictionary/dictionary_rules.h"

#include "common/codec.h"
#include "dictionary/scramble.h"

#include <QSet>
#include <algorithm>

namespace orv {

void Tri(WordList& words) { words.sort(); }

qsizetype Verifie(WordList& words) {
    QList<QByteArray> kept;
    kept.reserve(words.count());
    for (const QByteArray& e : words.entries())
        if (e.size() >= kMinWordLength && e.size() <= kMaxWordLength)
            kept.append(e);
    const qsizetype dropped = words.count() - kept.size();
    if (dropped > 0)
        words.assign(std::move(kept));
    return dropped;
}

bool MotAdmissible(const QByteArray& line) {
    if (line.size() < kMinWordLength || line.size() > kMaxWordLength)
        return false;
    for (char c : line)
        if (!isCapital(c))
            return false;
    return true;
}

QString dictionaryKeptBesideMessage(const DataFile& file, const QString& sideFile) {
    return keptBesideMessage(
        file, sideFile, QStringLiteral("Les mots ajoutés pendant cette session sont enregistrés"),
        QStringLiteral("Le dictionnaire, avec les changements de cette session, est enregistré"));
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

namespace orv {

ImportReport importWordList(WordList& words, WordListReader& reader,
                            const ImportProgress& progress) {
    ImportReport report;
    QList<QByteArray> added;
    QSet<QByteArray> seen;
    QByteArray line;
    const qint64 size = std::max<qint64>(reader.size(), 1);
    int shown = -1;
    for (;;) {
        const int percent = int(std::min<qint64>(reader.position(), size) * 100 / size);
        if (!reader.next(line))
            break;
        if (progress && percent != shown) {
            progress(percent);
            shown = percent;
        }
        ++report.lines;
        const QByteArray word = upperLine(line);
        if (!MotAdmissible(word))
            continue;
        ++report.admissible;
        QByteArray scrambled = Crypte(word);
        if (seen.contains(scrambled) || words.contains(scrambled))
            continue;
        seen.insert(scrambled);
        added.append(std::move(scrambled));
    }
    report.unknownEncoding = report.admissible == 0 && reader.stoppedEarly();
    for (const QByteArray& word : std::as_const(added))
        words.append(word);
    report.added = added.size();
    return report;
}

} // namespace orv
