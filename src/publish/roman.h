// Roman numerals, the labels of the rows in a French crossword (I, II, III ...).
#pragma once

#include <QString>

namespace orv {

// The Roman numeral of 1 .. 3999; an empty text outside that range.
QString romanNumeral(int n);
// The number a Roman numeral stands for (upper or lower case), or 0 when the
// text is not one written the usual way ("IIII" and "VX" are not).
int romanValue(const QString& text);

} // namespace orv
