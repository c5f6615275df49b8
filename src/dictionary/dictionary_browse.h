// Browsing the dictionary one initial letter at a time. The first byte of an
// entry depends only on the first letter of its word, so the words of one
// letter are picked out by that byte and only they are unscrambled.
#pragma once

#include "dictionary/word_block.h"
#include "dictionary/word_list.h"

#include <QByteArray>
#include <QList>

namespace orv {

// The plain words whose first letter is `letter`, in the order of the entries
// (AffMots). Empty entries have no first letter and are skipped.
WordBlock wordsWithInitial(const QList<QByteArray>& entries, char letter);
// The same from the list itself: a range lookup when the list is in order.
WordBlock wordsWithInitial(const WordList& list, char letter);

// The browser's next and previous letter: one step, held within "A" to "Z".
char nextInitial(char letter);
char previousInitial(char letter);

} // namespace orv
