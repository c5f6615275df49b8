// Roman numerals for the row labels.
#include "publish/roman.h"

#include <array>
#include <utility>

namespace orv {
namespace {

constexpr std::array<std::pair<int, const char*>, 13> kSymbols = {{{1000, "M"},
                                                                   {900, "CM"},
                                                                   {500, "D"},
                                                                   {400, "CD"},
                                                                   {100, "C"},
                                                                   {90, "XC"},
                                                                   {50, "L"},
                                                                   {40, "XL"},
                                                                   {10, "X"},
                                                                   {9, "IX"},
                                                                   {5, "V"},
                                                                   {4, "IV"},
                                                                   {1, "I"}}};

} // namespace

QString romanNumeral(int n) {
    if (n < 1 || n > 3999)
        return {};
    QString out;
    for (const auto& [value, symbol] : kSymbols)
        for (; n >= value; n -= value)
            out += QLatin1String(symbol);
    return out;
}

int romanValue(const QString& text) {
    const QString upper = text.trimmed().toUpper();
    if (upper.isEmpty() || upper.size() > 15)
        return 0;
    // Every value has one usual spelling: a text is a numeral when reading
    // it back gives the same letters.
    int value = 0;
    qsizetype i = 0;
    for (const auto& [v, symbol] : kSymbols) {
        const QLatin1String s(symbol);
        while (upper.mid(i, s.size()) == s) {
            value += v;
            i += s.size();
        }
    }
    if (i != upper.size())
        return 0;
    return romanNumeral(value) == upper ? value : 0;
}

} // namespace orv
