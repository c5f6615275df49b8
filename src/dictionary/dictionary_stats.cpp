// Dictionary counts and their texts.
#include "dictionary/dictionary_stats.h"

namespace orv {

WordCounts countWords(const QList<QByteArray>& entries) {
    WordCounts counts;
    counts.total = entries.size();
    for (const QByteArray& entry : entries) {
        const qsizetype n = entry.size();
        if (n >= kShortestCounted && n <= kLongestCounted)
            ++counts.byLength[size_t(n)];
    }
    return counts;
}

WordCounts countWords(const WordList& list) {
    WordCounts counts;
    counts.total = list.count();
    for (int n = kShortestCounted; n <= kLongestCounted; ++n)
        counts.byLength[size_t(n)] = list.byLength(n);
    return counts;
}

QString totalText(qsizetype total) {
    return QStringLiteral("Nombre total de mots : ") + QString::number(total);
}

QString lengthText(int length, qsizetype count) {
    return QStringLiteral("Mots de %1 lettres : %2").arg(length).arg(count);
}

} // namespace orv
