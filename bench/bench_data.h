// The data the benchmarks work on: the real French dictionary, built from
// Debian's wfrench list (/usr/share/dict/french, or $ORV_FRENCH_LIST) the way
// orvdico builds the default "Dicogrd.dat": accents folded, 2 to 19 capital
// letters, once each, in dictionary order; about 325,000 words.
#pragma once

#include "dictionary/word_index.h"
#include "dictionary/word_list.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <vector>

namespace orv::bench {

// The scrambled dictionary, sorted. Built once, on first use.
const WordList& frenchDictionary();

// Its plain words (capital letters), in the same order.
const QList<QByteArray>& frenchWords();

// Indexes of its plain words: `plain` with every word alike, `scored` with
// the program's scores (the shipped table and no user file).
struct FrenchIndexes {
    WordIndex plain;
    WordIndex scored;
};
FrenchIndexes frenchIndexes();

// The folded words of the list in its own order, in small letters, as a
// word list that a user imports holds them; one per line, CR LF ends.
const QByteArray& frenchWordListText();

// A file path in a temporary folder that lasts for the whole run.
QString scratchFile(const QString& name);

// The median of some figures (0 when there are none).
double median(std::vector<double> figures);

} // namespace orv::bench
