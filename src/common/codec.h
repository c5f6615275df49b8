// Windows-1252, the single-byte character set of every file of the program.
// The model keeps bytes; conversion to and from QString happens only here.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace orv {

// The character that a Windows-1252 byte stands for. The five bytes that the
// code page leaves undefined map to the C1 control of the same value.
QChar charFromByte(unsigned char byte);

// The byte that holds a character, or nothing when Windows-1252 cannot hold it.
std::optional<unsigned char> byteFromChar(QChar ch);

QString toUi(const QByteArray& bytes);
// Whole text to bytes; nothing when any character cannot be held.
std::optional<QByteArray> fromUi(const QString& text);
// Whole text to bytes, '?' in place of characters that cannot be held.
QByteArray fromUiLossy(const QString& text);

bool isEncodable(QChar ch);

// Upper case of the plain letters only: 'a'..'z' become 'A'..'Z'.
inline char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
inline bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }

} // namespace orv
