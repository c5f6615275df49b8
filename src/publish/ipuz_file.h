// The ipuz exchange format (JSON, http://ipuz.org/v2) for crosswords.
// A French grid has one clue per row and one per column: each row's clue is
// written under "Across" labelled with the row's Roman numeral, with the
// cells of the row's words; each column's clue under "Down" labelled with the
// column's number. The reader takes such files and the usual ones of other
// programs (clues numbered at the start of each word: the clues of one row or
// column are joined), and refuses what a grid of this program cannot hold.
#pragma once

#include "grid/grid_model.h"

#include <QByteArray>
#include <QString>

namespace orv {

// The ".ipuz" extension, and the file filter of the open and export dialogs.
bool isIpuzPath(const QString& path);
inline QString ipuzFileFilter() { return QStringLiteral("Grilles ipuz (*.ipuz)|*.ipuz"); }

struct IpuzInfo {
    QString title;
    QString author;
};

// The file for the playing area of a grid: its cells (a black square "#",
// a letter, an empty cell 0 in the solution) and its clues.
QByteArray ipuzBytes(const Grille& grille, const IpuzInfo& info = {});
// Replaces the file whole or not at all; OrvError "Ne peut créer le fichier ..." on failure.
void writeIpuzFile(const QString& path, const Grille& grille, const IpuzInfo& info = {});

// Reads a file over a copy of `base`: the dimensions, every cell (emptied
// first, as when a grid file is opened) and the clues of every playing row and
// column; clue slots beyond the grid, the names and Modifie are base's.
// A file that is not JSON, not a crossword, over 20 rows or columns, not
// rectangular, with shapes in its cells or more than one letter in a cell is
// refused with an OrvError that says why and names `displayName`.
Grille readIpuz(const QByteArray& data, const Grille& base, const QString& displayName,
                IpuzInfo* info = nullptr);

} // namespace orv
