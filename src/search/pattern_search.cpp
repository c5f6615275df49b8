// Pattern rules and the search over the words grouped by length.
#include "search/pattern_search.h"

#include "dictionary/scramble.h"

#include <algorithm>

namespace orv {

bool SearchPattern::acceptsClick(int position, int length) {
    if (position < 1 || position > kPatternBoxes)
        return false;
    return position <= kMinSearchLength || length >= position;
}

bool SearchPattern::click(int position, int length) {
    if (!acceptsClick(position, length))
        return false;
    PositionChoisie = position;
    return true;
}

void SearchPattern::pick(char character) {
    LettreChoisie = character;
    Lettre();
}

void SearchPattern::Lettre() {
    if (PositionChoisie >= 1 && PositionChoisie <= kPatternBoxes)
        boxes_[size_t(PositionChoisie - 1)] = LettreChoisie;
}

void SearchPattern::clear() { boxes_.fill(kFreePosition); }

QByteArray SearchPattern::Motif(int length) const {
    const int n = std::clamp(length, 0, kPatternBoxes);
    return QByteArray(boxes_.data(), n);
}

void WordSearchIndex::assign(const QList<QByteArray>& entries) {
    WordList list;
    list.assign(entries);
    assign(list);
}

void WordSearchIndex::assign(const WordList& list) {
    clear();
    entries_ = list; // shared, not copied: the list cannot change while searching
    std::array<qsizetype, kLongestGrouped + 1> counts{};
    list.forEach([&counts](QByteArrayView entry) {
        if (entry.size() <= kLongestGrouped)
            ++counts[size_t(entry.size())];
    });
    for (size_t n = 0; n < byLength_.size(); ++n)
        byLength_[n].reserve(size_t(counts[n]) * n);
    list.forEach([this](QByteArrayView entry) {
        if (entry.size() <= kLongestGrouped)
            byLength_[size_t(entry.size())].append(entry.data(), size_t(entry.size()));
    });
}

void WordSearchIndex::clear() {
    entries_.clear();
    for (std::string& words : byLength_)
        std::string().swap(words);
}

namespace {

struct KnownByte {
    qsizetype offset;
    char scrambled;
};

std::vector<KnownByte> scrambledPattern(QByteArrayView motif) {
    std::vector<KnownByte> known;
    for (qsizetype i = 0; i < motif.size(); ++i)
        if (motif[i] != kFreePosition)
            known.push_back(
                {i, char(scrambleByte(static_cast<unsigned char>(motif[i]), int(i + 1)))});
    return known;
}

bool fits(const char* scrambled, const std::vector<KnownByte>& known) {
    for (const KnownByte& k : known)
        if (scrambled[k.offset] != k.scrambled)
            return false;
    return true;
}

} // namespace

WordBlock WordSearchIndex::search(QByteArrayView motif) const {
    const qsizetype n = motif.size();
    const std::vector<KnownByte> known = scrambledPattern(motif);
    WordBlock found;
    // Empty entries leave no bytes in a group to count them by: they and the
    // longest words are read from the entries themselves.
    if (n == 0 || n > kLongestGrouped) {
        entries_.forEach([&](QByteArrayView entry) {
            if (entry.size() == n && fits(entry.data(), known))
                found.appendUnscrambled(entry);
        });
        return found;
    }
    const std::string& words = byLength_[size_t(n)];
    if (known.empty()) {
        found.appendUnscrambledRun(words.data(), qsizetype(words.size()) / n, n);
        return found;
    }
    for (size_t at = 0; at < words.size(); at += size_t(n))
        if (fits(words.data() + at, known))
            found.appendUnscrambled(QByteArrayView(words.data() + at, n));
    return found;
}

QString countText(qsizetype count) {
    return QString::number(count) + (count <= 1 ? QStringLiteral(" mot") : QStringLiteral(" mots"));
}

} // namespace orv
