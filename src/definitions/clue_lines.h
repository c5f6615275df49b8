// The clue sheet's lines as a setter reads them: the words of each playing
// row and column ("I. CROATE · CAMAIS"), one clue per word inside the line's
// clue, joined the French way ("Clue one. – Clue two."), the words that still
// have no clue, and the clues already written for a word (the clue base and
// the definitions list, the most recent first).
#pragma once

#include "grid/grid_model.h"
#include "grid/grid_slots.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

namespace orv {

class ClueBase;

// The words of every playing row (horizontal) or column (vertical), in order:
// entry i holds the words of line i + 1, a cell without a letter as ".".
QList<QStringList> lineWords(const Grille& grille, const GridSlots& slots, SlotDirection direction);

// "I. CROATE · CAMAIS"; just "I." for a line without a word.
QString lineCaption(const QString& label, const QStringList& words);

// The clue of each word of a line: the line's clue cut at its dashes « – ».
// A dash inside a word ("1914–1918") does not cut.
QStringList splitClues(const QString& lineClue);

// The clues of a line's words joined the French way: each ends with a full
// stop (unless it ends with « . ! ? … »), separated by « – »; an empty clue
// keeps its place, trailing empty ones are dropped.
QString joinClues(const QStringList& clues);

// The line's clue once the word at `ordinal` of its `wordCount` words takes
// `clue`; a line of one word takes it as it is.
QString placeClue(const QString& lineClue, int ordinal, int wordCount, const QString& clue);

// Whether the word at `ordinal` of a line of `wordCount` words has a clue.
bool wordHasClue(const QString& lineClue, int ordinal, int wordCount);

// How many words of the grid (runs of two cells or more) have no clue yet.
int wordsWithoutClue(const Grille& grille, const GridSlots& slots);

struct StoredClue {
    QString clue;
    QString source; // the grid file, or the definitions file's name
    QString date;   // "" for the definitions list
    bool operator==(const StoredClue&) const = default;
};

// The clues already written for a word: the base's, the most recent first,
// then the definitions list's ("WORD<TAB>definition" lines) when the base does
// not hold it already. `base` may be null.
std::vector<StoredClue> storedClues(ClueBase* base, const QList<QByteArray>& definitions,
                                    const QString& word);

// Where a stored clue comes from, as its tooltip says: « Écrite le 2026-12-08
// 14:30 pour grille.grd », or « Définition des mots (Dicodef.dat) ».
QString storedClueOrigin(const StoredClue& clue);

// The same clues, shortest first, as an arrow-word grid offers them (its clue
// must fit a cell); clues of one length keep their order.
std::vector<StoredClue> shortestFirst(std::vector<StoredClue> clues);

} // namespace orv
