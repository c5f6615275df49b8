// French typography of the printed texts: the spaces that French puts before
// « : ; ! ? » and inside « », made non-breaking (a thin one where printers
// use it), typographic apostrophes and the dash between clues. It is applied
// to the text at painting time only; the files keep what the user typed.
#pragma once

#include <QChar>
#include <QString>

namespace orv {

constexpr QChar kNoBreakSpace = QChar(0x00A0);
constexpr QChar kThinNoBreakSpace = QChar(0x202F);

// The text as it is printed:
// - before « : » a non-breaking space, before « ; ! ? » a thin one, and a
//   thin one after « « » and before « » »: a space typed there becomes one,
//   and where none was typed one is put, except inside numbers and
//   addresses (« 10:30 », « http://… », « page?id »);
// - a straight apostrophe after a letter becomes « ’ »;
// - a hyphen between two spaces becomes a dash « – ».
// Non-breaking spaces already typed are kept, so a text already right is
// left as it is.
QString frenchTypography(const QString& text);

} // namespace orv
