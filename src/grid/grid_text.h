// Grids as plain text, one playing row per line: "#" a black square, "."
// an empty cell, "A" to "Z" a letter. The command-line tools and the tests
// read and write grids this way.
#pragma once

#include "grid/grid_model.h"

#include <QByteArray>

namespace orv {

// The grid of a text. Small letters count as capitals; blank lines and
// spaces at the ends of lines are ignored. Throws OrvError with a French
// message when the rows differ in length, a character is none of the above,
// or the grid has more than 21 rows or columns.
Grille readGridText(const QByteArray& text);

// One line per playing row, LF after each.
QByteArray gridText(const Grille& grille);

} // namespace orv
