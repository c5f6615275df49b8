// Word scores: the shipped table, the user's file and their combination.
#include "dictionary/word_scores.h"

#include "common/codec.h"
#include "common/errors.h"
#include "common/text_file.h"
#include "dictionary/dictionary_rules.h"

#include <QFile>
#include <QResource>
#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>

namespace orv {
namespace {

constexpr std::uint32_t kRareBit = 1u << 31;
constexpr std::uint32_t kOffsetMask = (1u << 24) - 1;

std::uint32_t hashOf(QByteArrayView word) {
    std::uint32_t h = 2166136261u;
    for (char c : word)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

bool endsWord(char c) { return c == '\t' || c == '\n' || c == '\r'; }

bool isPlainWord(QByteArrayView w) {
    return !w.isEmpty() && std::all_of(w.begin(), w.end(), [](char c) { return isCapital(c); });
}

} // namespace

int minimumScore(Vocabulary v) {
    switch (v) {
    case Vocabulary::Common:
        return kFrequentScore;
    case Vocabulary::Extended:
        // Between the rare forms and the unknown words: keeps every word of
        // the dictionary but the rare verb forms and those the user lowered.
        return (kRareFormScore + kUnknownScore) / 2;
    case Vocabulary::Whole:
        return 1;
    }
    return 1;
}

// A resource's bytes without a copy when it is stored uncompressed.
QByteArray shippedTable(const QString& path) {
    QResource r(path);
    if (!r.isValid())
        return {};
    if (r.compressionAlgorithm() == QResource::NoCompression)
        return QByteArray::fromRawData(reinterpret_cast<const char*>(r.data()), r.size());
    return r.uncompressedData();
}

QString vocabularyName(Vocabulary v) {
    switch (v) {
    case Vocabulary::Common:
        return QStringLiteral("Mots courants");
    case Vocabulary::Extended:
        return QStringLiteral("Vocabulaire étendu");
    case Vocabulary::Whole:
        return QStringLiteral("Tout le dictionnaire");
    }
    return {};
}

ScoreTable::ScoreTable(QByteArray frequent, QByteArray rare)
    : frequent_(std::move(frequent)), rare_(std::move(rare)) {
    if (frequent_.size() >= qsizetype(kOffsetMask) || rare_.size() >= qsizetype(kOffsetMask))
        throw OrvError(QStringLiteral("Table des scores trop grande"));
    const qsizetype lines = frequent_.count('\n') + rare_.count('\n') + 2;
    const std::uint32_t capacity = std::bit_ceil(std::uint32_t(lines * 2));
    slots_.assign(capacity, 0);
    scores_.assign(capacity, 0);
    mask_ = capacity - 1;
    index(frequent_, -1, frequentCount_);
    index(rare_, kRareFormScore, rareCount_);
}

const ScoreTable& ScoreTable::french() {
    static const ScoreTable table(shippedTable(QStringLiteral(":/scores/scores_fr.txt")),
                                  shippedTable(QStringLiteral(":/scores/rare_forms_fr.txt")));
    return table;
}

void ScoreTable::index(const QByteArray& text, int fixedScore, qsizetype& counted) {
    const char* p = text.constData();
    const qsizetype n = text.size();
    const std::uint32_t tag = fixedScore < 0 ? 0 : kRareBit;
    qsizetype i = 0;
    while (i < n) {
        const char* nl = static_cast<const char*>(std::memchr(p + i, '\n', n - i));
        const qsizetype end = nl ? nl - p : n;
        qsizetype w = i;
        while (w < end && !endsWord(p[w]))
            ++w;
        const QByteArrayView word(p + i, w - i);
        int score = fixedScore;
        if (fixedScore < 0 && w < end && p[w] == '\t') {
            score = 0;
            for (qsizetype d = w + 1; d < end && p[d] >= '0' && p[d] <= '9'; ++d)
                score = score * 10 + (p[d] - '0');
        }
        if (p[i] != '#' && isPlainWord(word) && score >= 0 && score <= kMaxScore) {
            const qsizetype s = slotOf(word);
            if (slots_[s] == 0) {
                slots_[s] = std::uint32_t(i + 1) | tag;
                scores_[s] = std::uint8_t(score);
                ++counted;
            }
        }
        i = end + 1;
    }
}

QByteArrayView ScoreTable::wordAt(std::uint32_t slot) const {
    const QByteArray& text = (slot & kRareBit) ? rare_ : frequent_;
    const qsizetype start = (slot & kOffsetMask) - 1;
    qsizetype end = start;
    while (end < text.size() && !endsWord(text[end]))
        ++end;
    return QByteArrayView(text.constData() + start, end - start);
}

// The slot holding the word, or the free slot where it would go.
qsizetype ScoreTable::slotOf(QByteArrayView word) const {
    std::uint32_t s = hashOf(word) & mask_;
    while (slots_[s] != 0 && wordAt(slots_[s]) != word)
        s = (s + 1) & mask_;
    return s;
}

std::optional<int> ScoreTable::find(QByteArrayView word) const {
    if (slots_.empty())
        return std::nullopt;
    const qsizetype s = slotOf(word);
    if (slots_[s] == 0)
        return std::nullopt;
    return scores_[s];
}

bool ScoreTable::isFrequent(QByteArrayView word) const {
    if (slots_.empty())
        return false;
    const std::uint32_t slot = slots_[slotOf(word)];
    return slot != 0 && !(slot & kRareBit);
}

namespace {

// One counter for every set of scores, so that two sets never share a
// revision unless one is a copy of the other, as it stood.
quint64 freshRevision() {
    static std::atomic<quint64> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

UserScores::UserScores() : revision_(freshRevision()) {}

std::optional<int> UserScores::find(QByteArrayView word) const {
    if (scores_.isEmpty())
        return std::nullopt;
    const auto it = scores_.constFind(word.toByteArray());
    if (it == scores_.constEnd())
        return std::nullopt;
    return *it;
}

void UserScores::set(const QByteArray& word, int score) {
    score = std::clamp(score, 0, kMaxScore);
    auto it = scores_.find(word);
    if (it != scores_.end() && *it == score)
        return;
    scores_.insert(word, score);
    modified_ = true;
    revision_ = freshRevision();
}

void UserScores::remove(const QByteArray& word) {
    if (scores_.remove(word) > 0) {
        modified_ = true;
        revision_ = freshRevision();
    }
}

void UserScores::load(const QString& path, const QString& displayName) {
    loadBytes(fileExists(path) ? readWholeFile(path, displayName) : QByteArray());
}

void UserScores::loadBytes(const QByteArray& bytes) {
    scores_.clear();
    modified_ = false;
    revision_ = freshRevision();
    for (const QByteArray& line : splitTextLines(bytes)) {
        const qsizetype tab = line.indexOf('\t');
        if (tab <= 0)
            continue;
        const QByteArray word = line.left(tab);
        bool ok = false;
        const int score = line.mid(tab + 1).trimmed().toInt(&ok);
        if (ok && isPlainWord(word) && score >= 0 && score <= kMaxScore)
            scores_.insert(word, score);
    }
}

QByteArray UserScores::fileBytes() const {
    QList<QByteArray> words = scores_.keys();
    std::sort(words.begin(), words.end());
    QList<QByteArray> lines;
    lines.reserve(words.size());
    for (const QByteArray& w : words)
        lines.append(w + '\t' + QByteArray::number(scores_.value(w)));
    return joinTextLines(lines);
}

void UserScores::saveIfModified(const QString& path, const QString& displayName) {
    if (!modified_)
        return;
    writeWholeFile(path, fileBytes(), displayName);
    modified_ = false;
}

WordClass WordScores::wordClass(QByteArrayView word) const {
    if (const auto own = user_.find(word))
        return *own >= minimumScore(Vocabulary::Common)     ? WordClass::Known
               : *own >= minimumScore(Vocabulary::Extended) ? WordClass::Fair
                                                            : WordClass::Weak;
    return WordClasses::french().classOf(word);
}

int WordScores::score(QByteArrayView word) const {
    if (const auto own = user_.find(word))
        return *own;
    if (const auto shipped = table_->find(word))
        return *shipped;
    return kUnknownScore;
}

std::vector<std::uint8_t> WordScores::scoresOf(const QList<QByteArray>& plainWords) const {
    std::vector<std::uint8_t> out;
    out.reserve(plainWords.size());
    for (const QByteArray& w : plainWords)
        out.push_back(std::uint8_t(score(w)));
    return out;
}

void WordScores::noteAdded(const QByteArray& word) {
    if (score(word) < kUserAddedScore)
        user_.set(word, kUserAddedScore);
}

} // namespace orv
