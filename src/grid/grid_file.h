// The ".grd" grid file: its naming rule, its writer and its reader.
// The file is single-byte text with CR LF after every line: the two
// dimensions, one line of cells per row (header row and column counted, so
// the row and column just outside the playing area travel with the grid),
// then 21 pairs of clue lines, each opened by a type byte and an index byte.
#pragma once

#include "grid/grid_model.h"

#include <QByteArray>
#include <QString>

namespace orv {

// The filter of the grid file dialogs.
inline QString gridFileFilter() { return QStringLiteral("Grilles (*.grd)|*.grd"); }

// The file a chosen path names: cut before the first "." of its file-name
// part (never inside a folder name), then ".grd" appended.
QString gridFileName(const QString& chosenPath);
// The file-name part of a path, shown in the window caption.
QString gridShortName(const QString& path);

// The bytes of the file for a grid. Bytes that would break the line
// structure (CR, LF, byte 26) are written as spaces.
QByteArray gridFileBytes(const Grille& grille);

// Writes the grid's file, replacing any earlier one whole or not at all.
// Throws OrvError "Ne peut créer le fichier <path>" when it cannot be written,
// the earlier file then left as it was.
void writeGridFile(const QString& path, const Grille& grille);

// Reads a grid file's bytes over a copy of `base`: every cell of rows and
// columns 1 .. 22 is emptied, then the file's dimensions, cell lines and clue
// lines are taken; clue slots that the file lacks keep base's clues, and the
// names and Modifie are base's. A file that breaks the format is refused
// with an OrvError naming `displayName`; `base` is never touched.
Grille readGridFile(const QByteArray& data, const Grille& base, const QString& displayName);

// Longest clue text that the reader keeps; longer ones are cut.
constexpr int kMaxClueLength = 255;

} // namespace orv
