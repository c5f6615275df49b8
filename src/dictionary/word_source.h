// Plain word lists from elsewhere (spelling lists, other programs): UTF-8 or
// Windows-1252, told apart by their bytes, read with the text-file line rules
// into lines of the program's own single-byte text, with accented letters and
// ligatures optionally folded to plain letters so that French lists keep
// their accented words.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace orv {

enum class ListEncoding { Utf8, Windows1252 };

// UTF-8 when the bytes are valid UTF-8 (plain ASCII included), Windows-1252 otherwise.
ListEncoding detectEncoding(const QByteArray& data);

// Accents dropped and ligatures spelled out: É to E, ç to c, Œ to OE, æ to ae, ß to ss.
QString foldAccents(const QString& word);

// The lines of a word list as Windows-1252 bytes; a character that the code
// page cannot hold becomes '?', which no word admits.
QList<QByteArray> wordListLines(const QByteArray& data, bool fold);

} // namespace orv
