// The word classes' table: read in place, looked up by binary search.
#include "dictionary/word_classes.h"

#include "dictionary/word_scores.h"

#include <algorithm>

namespace orv {

QString wordClassName(WordClass c) {
    switch (c) {
    case WordClass::Known:
        return QStringLiteral("courant");
    case WordClass::Fair:
        return QStringLiteral("acceptable");
    case WordClass::Weak:
        break;
    }
    return QStringLiteral("rare");
}

WordClasses::WordClasses(QByteArray text) : text_(std::move(text)) {
    qsizetype i = 0;
    const qsizetype n = text_.size();
    while (i < n) {
        qsizetype end = text_.indexOf('\n', i);
        if (end < 0)
            end = n;
        const QByteArrayView line(text_.constData() + i, end - i);
        const qsizetype tab = line.indexOf('\t');
        if (!line.startsWith('#') && tab > 0 && tab < 256 && line.size() > tab + 1) {
            const char mark = line[tab + 1];
            if (mark == 'K' || mark == 'F' || mark == 'G')
                entries_.push_back({std::uint32_t(i), std::uint8_t(tab),
                                    mark == 'K' ? WordClass::Known : WordClass::Fair, mark == 'G'});
        }
        i = end + 1;
    }
    auto less = [this](const Entry& a, const Entry& b) { return wordOf(a) < wordOf(b); };
    if (!std::is_sorted(entries_.begin(), entries_.end(), less))
        std::sort(entries_.begin(), entries_.end(), less);
    for (const Entry& e : entries_)
        ++counts_[std::size_t(e.cls)];
}

const WordClasses& WordClasses::french() {
    static const WordClasses table(shippedTable(QStringLiteral(":/scores/word_classes_fr.txt")));
    return table;
}

const WordClasses::Entry* WordClasses::find(QByteArrayView plainWord) const {
    const auto it =
        std::lower_bound(entries_.begin(), entries_.end(), plainWord,
                         [this](const Entry& e, QByteArrayView w) { return wordOf(e) < w; });
    return it != entries_.end() && wordOf(*it) == plainWord ? &*it : nullptr;
}

WordClass WordClasses::classOf(QByteArrayView plainWord) const {
    const Entry* e = find(plainWord);
    return e ? e->cls : WordClass::Weak;
}

bool WordClasses::isRareGeneral(QByteArrayView plainWord) const {
    const Entry* e = find(plainWord);
    return e && e->rareGeneral;
}

} // namespace orv
