// The grids a command or the open dialog may name: a ".grd" grid file, an
// ipuz file, or a plain text grid (one line per row: "#" a black square,
// "." an empty cell, "A" to "Z" a letter).
#pragma once

#include "grid/grid_model.h"
#include "publish/ipuz_file.h"

#include <QByteArray>
#include <QString>

namespace orv {

// A plain text grid read over a copy of `base` (cells emptied first, clues and
// names kept). Blank lines are skipped; every row must have the same length,
// 1 to 20 cells, and at most 20 rows. OrvError naming `displayName` otherwise.
Grille readPlainGrid(const QByteArray& data, const Grille& base, const QString& displayName);

// Reads the file at `path` by its kind: ".ipuz" as ipuz, ".grd" as a grid
// file, anything else as a plain text grid; `info` receives an ipuz file's
// title and author.
Grille loadAnyGrid(const QString& path, IpuzInfo* info = nullptr);

// What opening a file puts in place of `current`, read and checked whole
// (OrvError otherwise, `current` untouched).
Grille openGridFile(const QString& path, const Grille& current);
// Whether the opened file becomes the grid's file: a grid file does; an ipuz
// file does not, so that saving asks for a grid file's name and never writes a
// grid file over the ipuz file.
bool opensWithName(const QString& path);

} // namespace orv
