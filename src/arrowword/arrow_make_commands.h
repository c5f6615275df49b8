// « Créer une grille de mots fléchés » and « Remplir » of the arrow-word
// window: the maker or the fill runs on its own thread with the progress
// window and its stop button, reading the dictionary's index, held
// unchanged meanwhile; the window gets the grid back once, as one change.
#pragma once

#include "arrowword/arrow_grid.h"
#include "common/services.h"
#include "dictionary/word_scores.h"

#include <QByteArray>
#include <QList>
#include <functional>
#include <optional>

class QWidget;

namespace orv {

class Dictionary;

// The words that the maker and the fill place: the dictionary's, in the
// vocabulary chosen for the fill, without the words refused in the grid.
struct ArrowWords {
    Dictionary* dictionary = nullptr;
    std::function<Vocabulary()> vocabulary;
    std::function<QList<QByteArray>()> refused;
    double timeLimitSeconds = 60;
};

// A complete grid of this size, or nothing when none was made (the user is
// told why, or stopped it).
std::optional<ArrowGrid> makeArrowGridCommand(int rows, int columns, const ArrowWords& words,
                                              Services& services, QWidget* parent);

// The layout with every word filled, its clues kept, or nothing when it was
// not filled (the user is told why, or stopped it).
std::optional<ArrowGrid> fillArrowGridCommand(const ArrowGrid& layout, const ArrowWords& words,
                                              Services& services, QWidget* parent);

} // namespace orv
