// The dictionary's re-sort, clean-up and import.
#include "dictionary/dictionary_rules.h"

#include "common/codec.h"
#include "dictionary/scramble.h"

#include <QSet>
#include <algorithm>

namespace orv {

void Tri(WordList& words) { words.sort(); }

qsizetype Verifie(WordList& words) {
    return words.removeLengthsOutside(kMinWordLength, kMaxWordLength);
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

QString scoresKeptBesideMessage(const DataFile& file, const QString& sideFile) {
    return keptBesideMessage(
        file, sideFile, QStringLiteral("Les scores donnés pendant cette session sont enregistrés"),
        QStringLiteral(
            "Les scores des mots, avec les changements de cette session, sont enregistrés"));
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
    // The entries not known to be in order, and the words appended here,
    // are looked up in a set; the rest by binary search.
    QSet<QByteArray> unordered;
    for (qsizetype i = words.orderedCount(); i < words.count(); ++i)
        unordered.insert(words.at(i));
    for (qsizetype i = 0; i < n; ++i) {
        if (progress)
            progress(int(i * 100 / n));
        const QByteArray word = upperLine(lines[i]);
        if (!MotAdmissible(word))
            continue;
        const QByteArray scrambled = Crypte(word);
        if (unordered.contains(scrambled) || words.indexInOrder(scrambled) >= 0)
            continue;
        words.append(scrambled);
        unordered.insert(scrambled);
        ++added;
    }
    return added;
}

} // namespace orv

namespace orv {

ImportReport readWordBatch(WordListReader& reader, WordBatch& batch, const ImportProgress& progress,
                           const std::atomic<bool>* cancel) {
    ImportReport report;
    QByteArrayView line;
    const qint64 size = std::max<qint64>(reader.size(), 1);
    int shown = -1;
    char word[kMaxWordLength];
    for (;;) {
        if (cancel && cancel->load(std::memory_order_relaxed)) {
            report.cancelled = true;
            return report;
        }
        const int percent = int(std::min<qint64>(reader.position(), size) * 100 / size);
        if (!reader.nextView(line))
            break;
        if (progress && percent != shown) {
            progress(percent);
            shown = percent;
        }
        ++report.lines;
        const qsizetype n = line.size();
        if (n < kMinWordLength || n > kMaxWordLength)
            continue;
        bool admissible = true;
        for (qsizetype i = 0; i < n && admissible; ++i) {
            word[i] = upperAscii(line[i]);
            admissible = isCapital(word[i]);
        }
        if (!admissible)
            continue;
        ++report.admissible;
        batch.addPlain(QByteArrayView(word, n));
    }
    report.unknownEncoding = report.admissible == 0 && reader.stoppedEarly();
    return report;
}

ImportReport importWordList(WordList& words, WordListReader& reader, const ImportProgress& progress,
                            const std::atomic<bool>* cancel) {
    WordBatch batch;
    ImportReport report = readWordBatch(reader, batch, progress, cancel);
    if (!report.cancelled) {
        batch.finish();
        report.distinct = batch.count();
        report.added = words.merge(std::move(batch));
    }
    return report;
}

} // namespace orv
