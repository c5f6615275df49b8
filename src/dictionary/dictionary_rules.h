// The dictionary's rules that the main window's commands apply: the re-sort,
// the start-up clean-up, the import's admissible line and the import itself.
#pragma once

#include "dictionary/word_list.h"

#include <QByteArray>
#include <QList>
#include <functional>

namespace orv {

// Lengths of the words that the dictionary keeps from one run to the next.
constexpr int kMinWordLength = 2;
constexpr int kMaxWordLength = 19;

// Sorts the dictionary by plain word; every entry stays scrambled.
void Tri(WordList& words);

// Drops the entries whose length lies outside 2 to 19, keeping the order.
void Verifie(WordList& words);

// 2 to 19 bytes, each a capital letter A to Z; nothing is trimmed.
bool MotAdmissible(const QByteArray& line);

// Upper case of the plain letters a to z only.
QByteArray upperLine(QByteArray line);

// Called before line i of n with i * 100 / n.
using ImportProgress = std::function<void(int percent)>;

// Appends, scrambled, every admissible upper-cased line that the dictionary
// does not hold yet (a word repeated in the lines is added once). The words
// stand at the end until the caller's Tri. Returns how many were added.
qsizetype importLines(WordList& words, const QList<QByteArray>& lines,
                      const ImportProgress& progress = {});

} // namespace orv
