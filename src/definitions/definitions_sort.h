// The order of the definitions list: the word comparison (the user locale's
// case-insensitive collation) applied to whole lines.
#pragma once

#include <QByteArray>
#include <QList>

namespace orv {

// Below zero, zero or above zero as line a sorts before, with or after line b.
int compareDefinitionLines(const QByteArray& a, const QByteArray& b);

// Sorts the lines in ascending order; lines that compare equal keep their order.
void sortDefinitions(QList<QByteArray>& lines);

} // namespace orv
