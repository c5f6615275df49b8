// The order of the definitions list: the word comparison (the user locale's
// case-insensitive collation) applied to whole lines.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace orv {

class DataFile;

// What the user is told at exit when the run's definitions went to a side
// file beside Dicodef.dat (unreadable at start, or a read-only run).
QString definitionsKeptBesideMessage(const DataFile& file, const QString& sideFile);

// Below zero, zero or above zero as line a sorts before, with or after line b.
int compareDefinitionLines(const QByteArray& a, const QByteArray& b);

// Sorts the lines in ascending order; lines that compare equal keep their order.
void sortDefinitions(QList<QByteArray>& lines);

} // namespace orv
