// The grid named on the command line ("orvgrille GRILLE.grd" or
// "orvgrille GRILLE.fleches", as a file manager starts the program on a grid
// file), opened once the program has started.
#pragma once

#include <QString>
#include <QStringList>

namespace orv {

class TMainForm;

// The grid file among the program's arguments (the first one after the
// program's name that is not an option), made absolute against the folder the
// program was started from, since the program then moves to its working
// folder. Empty when there is none.
QString gridFileArgument(const QStringList& arguments, const QString& startFolder);

// Opens that exact file as "&Ouvrir..." opens a chosen one; a « .fleches »
// file opens in the arrow-word window, as « Ouvrir une grille de mots
// fléchés... » would. A file that cannot be read gets the usual error box, and
// the program goes on with the grid it had. Returns true when the grid was opened.
bool openGridAtStart(TMainForm& w, const QString& path);

} // namespace orv
