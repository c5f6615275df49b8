// The ".grd" grid file: its naming rule, its writer and its reader.
// The file is single-byte text with CR LF after every line: the two
// dimensions, one line of cells per row (header row and column counted, so
// the row and column just outside the playing area travel with the grid),
// then 21 pairs of clue lines, each opened by a type byte and an index byte.
#pragma once

#include "grid/grid_model.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace orv {

// The filter of the grid file dialogs.
inline QString gridFileFilter() { return QStringLiteral("Grilles (*.grd)|*.grd"); }

// The file a chosen path names: cut before the first "." of its file-name
// part (never inside a folder name), then ".grd" appended.
QString gridFileName(const QString& chosenPath);
// The file-name part of a path, shown in the window caption.
QString gridShortName(const QString& path);

// Longest clue text that a grid file holds: its readers keep no more of a
// clue line. This reader keeps a longer line whole, so that nothing is lost
// on opening; the writer writes at most this many characters of a clue, and
// the commands that write grid files say first which clues it cuts.
constexpr int kMaxClueLength = 255;

// A clue that a grid file cannot hold whole.
struct LongClue {
    bool horizontal = true; // DefHoriz, else DefVert
    int index = 0;          // 0 .. 20
    qsizetype length = 0;
};

// The clues of the 21 pairs a grid file carries that are longer than it holds.
QList<LongClue> cluesTooLongForGridFile(const Grille& grille);
// "La définition de la ligne 3 sera coupée à 255 caractères (elle en a 300)",
// the row or column labelled as in the clue sheet ("3", "C").
QString clueCutSentence(const LongClue& clue);
// The question asked before a grid file that cuts these clues is written:
// one sentence per clue, then why.
QString clueCutQuestion(const QList<LongClue>& clues);
// The same grid with its clues cut to what the file holds.
Grille withCluesCutForGridFile(const Grille& grille);

// The bytes of the file for a grid. Bytes that would break the line
// structure (CR, LF, byte 26) are written as spaces; a clue longer than the
// file holds is cut.
QByteArray gridFileBytes(const Grille& grille);

// Writes the grid's file, replacing any earlier one whole or not at all.
// Throws OrvError "Ne peut créer le fichier <path>" when it cannot be written,
// the earlier file then left as it was.
void writeGridFile(const QString& path, const Grille& grille);

// Reads a grid file's bytes over a copy of `base`: every cell of rows and
// columns 1 .. 22 is emptied, then the file's dimensions, cell lines and clue
// lines (whole, however long) are taken; clue slots that the file lacks keep base's clues, and the
// names and Modifie are base's. A file that breaks the format is refused
// with an OrvError naming `displayName`; `base` is never touched.
Grille readGridFile(const QByteArray& data, const Grille& base, const QString& displayName);

} // namespace orv
