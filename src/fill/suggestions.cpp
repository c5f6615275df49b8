// Suggestions: a crossing's candidate count after a word is placed depends
// only on the letter the word puts in the shared cell, so each crossing is
// counted once for each of the 26 letters, and each fitting word is then
// ranked by table look-ups and its score alone.
#include "fill/suggestions.h"

#include "dictionary/word_index.h"
#include "fill/grid_marks.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace orv {

QString slotTitle(const Slot& slot, LabelStyle style) {
    if (slot.direction == SlotDirection::Horizontal)
        return QStringLiteral("Ligne %1").arg(rowLabel(slot.line, style));
    return QStringLiteral("Colonne %1").arg(columnLabel(slot.line, style));
}

QString wordCountText(std::size_t n) {
    QString digits = QString::number(n);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(' '));
    return digits + (n < 2 ? QStringLiteral(" mot") : QStringLiteral(" mots"));
}

namespace {

struct ScoreFactors {
    std::array<double, 101> factor{};
    ScoreFactors() {
        for (std::size_t s = 0; s < factor.size(); ++s)
            factor[s] = std::exp(kSuggestionScoreWeight * double(s));
    }
};
const ScoreFactors kScoreFactors;

} // namespace

double suggestionRank(double openness, int score) {
    return openness * kScoreFactors.factor[std::size_t(std::clamp(score, 0, 100))];
}

QString SlotSuggestions::heading() const {
    if (slot < 0)
        return {};
    return QStringLiteral("%1 : %2").arg(title, QString::fromLatin1(pattern));
}

namespace {

struct CrossingCounts {
    int position = 0;
    std::array<double, 26> count{};
};

// For a crossing at an empty cell of the slot: the candidates the crossing
// slot keeps with each letter in that cell.
CrossingCounts countCrossing(const Grille& grille, const GridSlots& slots, const SlotCrossing& c,
                             const WordIndex& index, int minScore) {
    CrossingCounts counts;
    counts.position = c.position;
    QByteArray other = slotPattern(grille, slots[c.other]);
    const WordIndex::LetterSets possible = index.possibleLetters(other, minScore);
    const std::uint32_t letters = possible.empty() ? 0 : possible[std::size_t(c.otherPosition)];
    for (int letter = 0; letter < 26; ++letter) {
        if (!(letters >> letter & 1))
            continue;
        other[c.otherPosition] = char('A' + letter);
        counts.count[std::size_t(letter)] = double(index.count(other, minScore));
    }
    return counts;
}

using Ranked = std::pair<std::uint64_t, std::uint32_t>;

// Sorts by key, then id (tens of thousands of words are ranked after every
// key): a byte at a time over the keys' upper half, which holds the
// exponent and the leading bits of the rank, then the few runs that share
// it by the whole key. A byte that every key shares costs only its count.
void sortByKey(std::vector<Ranked>& items) {
    std::vector<Ranked> other(items.size());
    for (int shift = 32; shift < 64; shift += 8) {
        std::array<std::size_t, 257> start{};
        for (const Ranked& r : items)
            ++start[std::size_t((r.first >> shift) & 0xFF) + 1];
        if (std::find(start.begin(), start.end(), items.size()) != start.end())
            continue;
        for (std::size_t b = 1; b < start.size(); ++b)
            start[b] += start[b - 1];
        for (const Ranked& r : items)
            other[start[(r.first >> shift) & 0xFF]++] = r;
        items.swap(other);
    }
    for (auto run = items.begin(); run != items.end();) {
        const auto end = std::find_if(
            run, items.end(), [&](const Ranked& r) { return r.first >> 32 != run->first >> 32; });
        if (end - run > 1)
            std::sort(run, end);
        run = end;
    }
}

} // namespace

SlotSuggestions suggestWords(const Grille& grille, const GridSlots& slots, int slot,
                             const WordIndex& index, int minScore, const GridMarks* marks) {
    SlotSuggestions out;
    if (slot < 0 || slot >= slots.count())
        return out;
    const Slot& s = slots[slot];
    out.slot = slot;
    out.length = s.length();
    out.title = slotTitle(s);
    out.pattern = slotPattern(grille, s);

    const std::vector<std::uint32_t> fitting = index.candidates(out.pattern, minScore);
    if (fitting.empty())
        return out;
    std::vector<CrossingCounts> crossings;
    for (const SlotCrossing& c : s.crossings)
        if (out.pattern[c.position] == '.')
            crossings.push_back(countCrossing(grille, slots, c, index, minScore));

    // A positive double's bits order as the double does, so the ranking
    // sorts plain integers: the rank's bits inverted, best first. The rank
    // is positive: counts are whole numbers, so a kept word's openness is at
    // least 1. Equal ranks keep the ids' order, the dictionary's for
    // every word but those added since the index was built.
    const int length = s.length();
    // The index's tables of this length, read without a call per word.
    const char* const text = index.text(length);
    const std::uint8_t* const scores = index.scores(length);
    const auto lettersOf = [&](std::uint32_t id) {
        return text + std::size_t(id) * std::size_t(length);
    };
    // The letters the whole grid's propagation leaves each empty cell.
    std::vector<std::pair<int, std::uint32_t>> allowed;
    if (marks)
        for (int p = 0; p < length; ++p)
            if (out.pattern[p] == '.') {
                const SlotCell& c = s.cells[std::size_t(p)];
                allowed.emplace_back(p, marks->letters(c.col, c.row));
            }
    const auto allowedByMarks = [&](std::uint32_t id) {
        const char* w = lettersOf(id);
        return std::all_of(allowed.begin(), allowed.end(), [w](const auto& a) {
            return (a.second >> (w[a.first] - 'A') & 1) != 0;
        });
    };
    const auto opennessOf = [&](std::uint32_t id) {
        const char* w = lettersOf(id);
        double openness = 1;
        for (const CrossingCounts& c : crossings)
            openness *= c.count[std::size_t(w[c.position] - 'A')];
        return openness;
    };
    // The words already in the grid's other full slots: placed again, a
    // word would stand twice, which no fill takes.
    std::vector<std::uint32_t> used;
    for (int k = 0; k < slots.count(); ++k) {
        if (k == slot || slots[k].length() != length)
            continue;
        const QByteArray word = slotPattern(grille, slots[k]);
        const std::int64_t id = word.contains('.') ? -1 : index.find(word);
        if (id >= 0)
            used.push_back(std::uint32_t(id));
    }
    std::sort(used.begin(), used.end());
    std::vector<Ranked> ranked;
    ranked.reserve(fitting.size());
    for (const std::uint32_t id : fitting) {
        if (!allowed.empty() && !allowedByMarks(id))
            continue;
        if (std::binary_search(used.begin(), used.end(), id))
            continue;
        const double openness = opennessOf(id);
        if (openness > 0) {
            const double rank = suggestionRank(openness, scores[id]);
            ranked.emplace_back(~std::bit_cast<std::uint64_t>(rank), id);
        }
    }
    sortByKey(ranked);
    out.ids.reserve(ranked.size());
    out.openness.reserve(ranked.size());
    out.rank.reserve(ranked.size());
    for (const auto& [key, id] : ranked) {
        out.ids.push_back(id);
        out.openness.push_back(opennessOf(id));
        out.rank.push_back(std::bit_cast<double>(~key));
    }
    return out;
}

} // namespace orv
