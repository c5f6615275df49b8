// Windows-1252 conversion table and helpers.
#include "common/codec.h"

#include <array>

namespace orv {
namespace {

// Bytes 0x80..0x9F; everything else maps to the Unicode code point of the same value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QChar charFromByte(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHigh[byte - 0x80]);
    return QChar(char16_t(byte));
}

std::optional<unsigned char> byteFromChar(QChar ch) {
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<unsigned char>(u);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

bool isEncodable(QChar ch) { return byteFromChar(ch).has_value(); }

QString toUi(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes)
        out.append(charFromByte(static_cast<unsigned char>(c)));
    return out;
}

std::optional<QByteArray> fromUi(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar ch : text) {
        auto b = byteFromChar(ch);
        if (!b)
            return std::nullopt;
        out.append(static_cast<char>(*b));
    }
    return out;
}

QByteArray fromUiLossy(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar ch : text) {
        auto b = byteFromChar(ch);
        out.append(b ? static_cast<char>(*b) : '?');
    }
    return out;
}

} // namespace orv
