// The dictionary's rules that the main window's commands apply: the re-sort,
// the start-up clean-up, the import's admissible line and the import itself.
#pragma once

#include "common/data_file.h"
#include "dictionary/word_list.h"
#include "dictionary/word_source.h"

#include <QByteArray>
#include <QList>
#include <atomic>
#include <functional>

namespace orv {

// Lengths of the words that the dictionary keeps from one run to the next.
constexpr int kMinWordLength = 2;
constexpr int kMaxWordLength = 19;

// Sorts the dictionary by plain word; every entry stays scrambled.
void Tri(WordList& words);

// Drops the entries whose length lies outside 2 to 19, keeping the order;
// returns how many were dropped.
qsizetype Verifie(WordList& words);

// 2 to 19 bytes, each a capital letter A to Z; nothing is trimmed.
bool MotAdmissible(const QByteArray& line);

// What the user is told at exit when the run's words went to a side file
// beside Dicogrd.dat (unreadable at start, or a read-only run).
QString dictionaryKeptBesideMessage(const DataFile& file, const QString& sideFile);
// The same for the words' scores, beside Dicoscore.dat.
QString scoresKeptBesideMessage(const DataFile& file, const QString& sideFile);

// Upper case of the plain letters a to z only.
QByteArray upperLine(QByteArray line);

// Called before line i of n with i * 100 / n.
using ImportProgress = std::function<void(int percent)>;

// Appends, scrambled, every admissible upper-cased line that the dictionary
// does not hold yet (a word repeated in the lines is added once). The words
// stand at the end until the caller's Tri. Returns how many were added.
qsizetype importLines(WordList& words, const QList<QByteArray>& lines,
                      const ImportProgress& progress = {});

struct ImportReport {
    qsizetype lines = 0;      // lines read
    qsizetype admissible = 0; // admissible lines among them
    qsizetype added = 0;      // words new to the dictionary
    qsizetype distinct = 0;   // distinct admissible words of the list
    // No admissible word, and a NUL byte ended the text early: the list is
    // in an encoding that was not recognised.
    bool unknownEncoding = false;
    bool cancelled = false;
};

// The first half of an import, which touches no dictionary and may run on
// another thread: reads the list line by line and keeps its admissible
// words, upper-cased, in the batch, each once: memory follows the distinct
// words of the list, not its size. Progress is the share of the list's bytes read
// before each line, reported when it changes. Stops, cancelled, as soon as
// `cancel` is set.
ImportReport readWordBatch(WordListReader& reader, WordBatch& batch,
                           const ImportProgress& progress = {},
                           const std::atomic<bool>* cancel = nullptr);

// The whole import: the batch read, then merged into the dictionary in one
// pass, in order. A list that fails or is cancelled half-way leaves the
// dictionary as it was. The result is the same as importLines followed by
// Tri on the list's lines.
ImportReport importWordList(WordList& words, WordListReader& reader,
                            const ImportProgress& progress = {},
                            const std::atomic<bool>* cancel = nullptr);

} // namespace orv
