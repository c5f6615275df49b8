// What the grid tool's subcommands share: reading and writing a grid given
// on the command line (a .grd file or a text grid), and loading the words
// (the dictionary or a plain list, with the user's scores) into an index.
#pragma once

#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"
#include "grid/grid_model.h"

#include <QString>
#include <QStringList>

class QTextStream;

namespace orv {

// Whether the path names a .grd file (any case); anything else is a text grid.
bool isGridFile(const QString& path);
// The grid of a .grd file, an .ipuz file or a text grid; throws OrvError,
// the text grid's message led by the path.
Grille readToolGrid(const QString& path);
// Writes the grid as a .grd file, an .ipuz file or a text grid, by the path's suffix.
// Before a .grd file is written, each clue longer than it holds is named on
// err, led by "orvgrid COMMAND : ".
void writeToolGrid(const QString& path, const Grille& grid, QTextStream& err,
                   const QString& command);
// One line on err for each clue that a .grd file would cut.
void warnOfCutClues(const Grille& grid, QTextStream& err, const QString& command);

// The words a subcommand works with, and how long they took to load and index.
struct ToolWords {
    WordIndex index;
    WordScores scores;
    qint64 loadingNs = 0;
    qint64 indexingNs = 0;
    // What the reading left out or could not read, one line each, for the
    // error output (the lines of a dictionary file left out, a list in an
    // unknown encoding), as the program tells them.
    QStringList warnings;
};

// Loads the dictionary file as the program reads it at start, or the plain
// list `words` when it is not empty as « Importer fichier » reads it, into
// the index; with `withScores`, gives each word its score, the user's
// own taken from "Dicoscore.dat" beside the dictionary (or in the current
// folder for a plain list), as the program keeps them. Throws OrvError.
void loadToolWords(const QString& dictionary, const QString& words, bool withScores,
                   ToolWords& out);

// The user's scores read with the words: "Dicoscore.dat" beside the
// dictionary, or in the current folder for a plain list.
QString toolScoresPath(const QString& dictionary);

// The number of a numeric option; `ok` false when the text is not a finite number.
double finiteNumberOf(const QString& text, bool& ok);

// The words of --forbid: "MOT,AUTRE", accents dropped, in capitals; throws
// OrvError when a part is not a word.
QList<QByteArray> forbiddenWordsOf(const QString& text);

// Nanoseconds as milliseconds with one decimal, for the timing lines.
QString millisecondsText(qint64 nanoseconds);

} // namespace orv
