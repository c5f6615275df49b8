// Counting the dictionary: all entries, and those of each length from 2 to 19.
// Only lengths are read, so nothing is unscrambled.
#pragma once

#include "dictionary/word_list.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>

namespace orv {

constexpr int kShortestCounted = 2;
constexpr int kLongestCounted = 19;

struct WordCounts {
    qsizetype total = 0;
    // byLength[n] for n from 2 to 19; the other slots stay 0.
    std::array<qsizetype, kLongestCounted + 1> byLength{};
};

WordCounts countWords(const QList<QByteArray>& entries);
// The same from the list's own counters, without a pass over its words.
WordCounts countWords(const WordList& list);

// "Nombre total de mots : 4" and "Mots de 3 lettres : 2".
QString totalText(qsizetype total);
QString lengthText(int length, qsizetype count);

} // namespace orv
