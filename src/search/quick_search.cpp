// The quick search over the pattern index. A pattern is cut at its stars:
// for each length it can take, its first and last pieces are fixed letters at
// known positions, which the index intersects; the pieces between stars are
// then looked for in order in each candidate's middle letters. The hits come
// out length by length, each length's words in alphabetical order; a
// counting sort by score and a merge of those runs within each score ranks
// them without comparing more than a few words with each other.
#include "search/quick_search.h"

#include "common/errors.h"
#include "dictionary/word_index.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace orv {
namespace {

constexpr char kOneLetter = '?';
constexpr char kAnyRun = '*';

// The typed text as capitals, '?' and '*' (see the header).
QByteArray readTyped(const QString& typed) {
    QByteArray out;
    const QString decomposed = typed.normalized(QString::NormalizationForm_D);
    for (const QChar c : decomposed) {
        if (c.isSpace() || c.category() == QChar::Mark_NonSpacing)
            continue;
        const char16_t u = c.toUpper().unicode();
        if (u >= u'A' && u <= u'Z')
            out += char(u);
        else if (u == u'Œ')
            out += "OE";
        else if (u == u'Æ')
            out += "AE";
        else if (u == u'?' || u == u'.')
            out += kOneLetter;
        else if (u == u'*')
            out += kAnyRun;
        else
            throw OrvError(QStringLiteral("« %1 » n'est ni une lettre, ni ? ou . (une lettre), "
                                          "ni * (des lettres)")
                               .arg(c));
    }
    return out;
}

bool fitsAt(const char* letters, QByteArrayView piece) {
    for (qsizetype i = 0; i < piece.size(); ++i)
        if (piece[i] != kOneLetter && piece[i] != letters[i])
            return false;
    return true;
}

// Whether the pieces stand in this order, apart, within the letters: the
// leftmost place of each piece leaves the most room to the next ones.
bool piecesFit(const char* letters, int size, const std::vector<QByteArray>& pieces,
               std::size_t first, std::size_t last) {
    int at = 0;
    for (std::size_t k = first; k < last; ++k) {
        const int n = int(pieces[k].size());
        while (at + n <= size && !fitsAt(letters + at, pieces[k]))
            ++at;
        if (at + n > size)
            return false;
        at += n;
    }
    return true;
}

} // namespace

QByteArray readSearchPattern(const QString& typed) {
    QByteArray pattern;
    for (const char c : readTyped(typed))
        if (c != kAnyRun || !pattern.endsWith(kAnyRun))
            pattern += c;
    const qsizetype letters = pattern.size() - pattern.count(kAnyRun);
    if (pattern.isEmpty())
        throw OrvError(QStringLiteral("Tapez un motif : des lettres, ? ou . pour une lettre, "
                                      "* pour des lettres"));
    if (letters > WordIndex::kMaxLength)
        throw OrvError(QStringLiteral("Le motif a plus de 19 lettres (il en a %1)").arg(letters));
    if (!pattern.contains(kAnyRun) && letters < WordIndex::kMinLength)
        throw OrvError(
            QStringLiteral("Le motif doit avoir de 2 à 19 lettres (il en a %1)").arg(letters));
    return pattern;
}

QByteArray readAnagramLetters(const QString& typed) {
    QByteArray letters = readTyped(typed);
    letters.replace(kAnyRun, kOneLetter);
    if (letters.count(kOneLetter) > 1)
        throw OrvError(QStringLiteral("Un seul joker (?) est permis parmi les lettres"));
    if (letters.size() < WordIndex::kMinLength || letters.size() > WordIndex::kMaxLength)
        throw OrvError(
            QStringLiteral("Il faut de 2 à 19 lettres (il y en a %1)").arg(letters.size()));
    return letters;
}

// Collects the hits as (length, id) and turns them into the ranked result.
// The index's tables are read directly, each length's found once.
class QuickSearchBuilder {
public:
    explicit QuickSearchBuilder(const WordIndex& index) {
        for (int length = WordIndex::kMinLength; length <= WordIndex::kMaxLength; ++length) {
            text_[std::size_t(length)] = index.text(length);
            scores_[std::size_t(length)] = index.scores(length);
        }
    }

    void reserve(std::size_t more) {
        if (refs_.size() + more > refs_.capacity())
            refs_.reserve(std::max(refs_.size() + more, 2 * refs_.capacity()));
    }

    void add(int length, std::uint32_t id) {
        // The first twelve letters, five bits each from the top, so that
        // comparing keys compares those letters (a shorter word first).
        const char* letters = this->letters(length, id);
        std::uint64_t key = 0;
        for (int p = 0; p < kKeyLetters; ++p)
            key = key << 5 | (p < length ? std::uint64_t(letters[p] - 'A' + 1) : 0);
        Ref r;
        r.key = key;
        r.id = id;
        r.length = std::uint8_t(length);
        r.score = std::min<std::uint8_t>(scores_[std::size_t(length)][id], 100);
        refs_.push_back(r);
    }

    QuickSearchResult finish() {
        // Best score first; a stable counting sort keeps each length's words
        // in their order within a score.
        std::array<std::size_t, 102> starts{};
        for (const Ref& r : refs_)
            ++starts[std::size_t(100 - r.score) + 1];
        for (std::size_t s = 1; s < starts.size(); ++s)
            starts[s] += starts[s - 1];
        std::vector<Ref> ranked(refs_.size());
        std::array<std::size_t, 102> next = starts;
        for (const Ref& r : refs_)
            ranked[next[std::size_t(100 - r.score)]++] = r;
        for (std::size_t s = 0; s + 1 < starts.size(); ++s)
            mergeRuns(ranked.begin() + std::ptrdiff_t(starts[s]),
                      ranked.begin() + std::ptrdiff_t(starts[s + 1]));

        QuickSearchResult result;
        std::size_t letters = 0;
        for (const Ref& r : ranked)
            letters += r.length;
        result.text_.resize(letters);
        result.hits_.resize(ranked.size());
        char* out = result.text_.data();
        for (std::size_t i = 0; i < ranked.size(); ++i) {
            const Ref& r = ranked[i];
            result.hits_[i] = {std::uint32_t(out - result.text_.data()), r.length, r.score};
            std::memcpy(out, this->letters(r.length, r.id), r.length);
            out += r.length;
        }
        return result;
    }

private:
    static constexpr int kKeyLetters = 12;
    struct Ref {
        std::uint64_t key;
        std::uint32_t id;
        std::uint8_t length;
        std::uint8_t score;
    };
    using Iter = std::vector<Ref>::iterator;

    const char* letters(int length, std::uint32_t id) const {
        return text_[std::size_t(length)] + std::size_t(id) * std::size_t(length);
    }

    bool before(const Ref& a, const Ref& b) const {
        if (a.key != b.key)
            return a.key < b.key;
        if (a.length <= kKeyLetters || b.length <= kKeyLetters)
            return a.length < b.length;
        const int n = std::min(a.length, b.length);
        const int c = std::memcmp(letters(a.length, a.id), letters(b.length, b.id), std::size_t(n));
        return c != 0 ? c < 0 : a.length < b.length;
    }

    // Sorts a range made of a few ascending runs by merging neighbouring
    // runs until one is left.
    void mergeRuns(Iter first, Iter last) {
        std::vector<Iter> bounds{first};
        for (Iter i = first; i != last; ++i)
            if (i != first && before(*i, *(i - 1)))
                bounds.push_back(i);
        bounds.push_back(last);
        const auto less = [this](const Ref& a, const Ref& b) { return before(a, b); };
        while (bounds.size() > 2) {
            std::vector<Iter> merged{bounds.front()};
            for (std::size_t k = 0; k + 2 < bounds.size(); k += 2) {
                std::inplace_merge(bounds[k], bounds[k + 1], bounds[k + 2], less);
                merged.push_back(bounds[k + 2]);
            }
            if (bounds.size() % 2 == 0) // an odd number of runs: the last one waits
                merged.push_back(bounds.back());
            bounds = std::move(merged);
        }
    }

    std::array<const char*, WordIndex::kMaxLength + 1> text_{};
    std::array<const std::uint8_t*, WordIndex::kMaxLength + 1> scores_{};
    std::vector<Ref> refs_;
};

QuickSearchResult searchPattern(const WordIndex& index, QByteArrayView pattern) {
    std::vector<QByteArray> pieces{QByteArray()};
    for (const char c : pattern) {
        if (c == kAnyRun)
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    int fixed = 0;
    for (const QByteArray& p : pieces)
        fixed += int(p.size());
    const bool open = pieces.size() > 1;
    const int shortest = open ? std::max(fixed, int(WordIndex::kMinLength)) : fixed;
    const int longest = open ? int(WordIndex::kMaxLength) : fixed;
    const QByteArray& head = pieces.front();
    const QByteArray& tail = pieces.back();

    QuickSearchBuilder found(index);
    for (int length = std::max(shortest, int(WordIndex::kMinLength));
         length <= std::min(longest, int(WordIndex::kMaxLength)); ++length) {
        QByteArray anchored(length, kOneLetter);
        std::copy(head.begin(), head.end(), anchored.begin());
        if (open)
            std::copy(tail.begin(), tail.end(), anchored.end() - tail.size());
        const std::vector<std::uint32_t> ids = index.candidates(anchored);
        found.reserve(ids.size());
        const int middle = length - int(head.size()) - (open ? int(tail.size()) : 0);
        for (const std::uint32_t id : ids)
            if (pieces.size() <= 2 || piecesFit(index.letters(length, id) + head.size(), middle,
                                                pieces, 1, pieces.size() - 1))
                found.add(length, id);
    }
    return found.finish();
}

QuickSearchResult searchAnagram(const WordIndex& index, QByteArrayView letters) {
    QuickSearchBuilder found(index);
    const int length = int(letters.size());
    if (length < WordIndex::kMinLength || length > WordIndex::kMaxLength)
        return found.finish();
    std::array<int, 26> wanted{};
    int jokers = 0;
    for (const char c : letters) {
        if (c >= 'A' && c <= 'Z')
            ++wanted[std::size_t(c - 'A')];
        else
            ++jokers;
    }
    const std::uint32_t ids = index.idCount(length);
    for (std::uint32_t id = 0; id < ids; ++id) {
        if (!index.isLive(length, id))
            continue;
        const char* word = index.letters(length, id);
        std::array<int, 26> left = wanted;
        int spare = jokers;
        bool fits = true;
        for (int p = 0; p < length && fits; ++p)
            if (--left[std::size_t(word[p] - 'A')] < 0)
                fits = spare-- > 0;
        if (fits)
            found.add(length, id);
    }
    return found.finish();
}

} // namespace orv
