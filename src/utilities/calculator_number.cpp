// The 48-bit real, the reading of the display and the general number format.
#include "calculator_number.h"

#include "common/errors.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <system_error>

namespace orv {
namespace {

constexpr int kBias = 129;
constexpr int kFractionBits = 39;

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The decimal digits of |value| rounded to `digits` significant digits, half
// away from zero, trailing zeros dropped, and the decimal exponent of the first.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

Decimal roundDecimal(long double magnitude, int digits) {
    // glibc writes long doubles exactly; 200 places leave the rounding digit
    // and everything after it visible.
    char buf[260];
    std::snprintf(buf, sizeof buf, "%.200Le", magnitude);
    std::string all = std::string(1, buf[0]) + std::string(buf + 2, buf + 202);
    Decimal d;
    d.exponent = std::atoi(buf + 203);
    const bool up = all[std::size_t(digits)] >= '5';
    d.digits = all.substr(0, std::size_t(digits));
    if (up) {
        int i = digits - 1;
        while (i >= 0 && d.digits[std::size_t(i)] == '9')
            d.digits[std::size_t(i--)] = '0';
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            d.digits.pop_back();
            ++d.exponent;
        } else {
            ++d.digits[std::size_t(i)];
        }
    }
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// A text whose reading overflowed or underflowed the extended range: true
// when its magnitude is below 1, so that it reads as 0.
bool isTiny(const std::string& mantissa, std::size_t intDigits, long long exponent) {
    std::size_t first = mantissa.find_first_not_of('0');
    return (long long)intDigits - (long long)first + exponent <= 0;
}

} // namespace

Real48 Real48::fromExtended(long double value) {
    if (std::isnan(value))
        throw OrvError(invalidOperationMessage());
    if (std::isinf(value))
        throw OrvError(overflowMessage());
    if (value == 0)
        return Real48();
    int k = 0;
    const long double m = std::frexp(std::fabs(value), &k); // [0.5, 1)
    const long double scaled = std::ldexp(m, kFractionBits + 1);
    long double q = std::floor(scaled);
    if (scaled - q >= 0.5L)
        q += 1;
    int e = k - 1 + kBias;
    if (q == std::ldexp(1.0L, kFractionBits + 1)) {
        q = std::ldexp(1.0L, kFractionBits);
        ++e;
    }
    if (e < 1)
        return Real48();
    if (e > 255)
        throw OrvError(overflowMessage());
    const std::uint64_t f = std::uint64_t(q) - (std::uint64_t(1) << kFractionBits);
    Bytes b{};
    b[0] = std::uint8_t(e);
    for (int i = 1; i <= 5; ++i)
        b[std::size_t(i)] = std::uint8_t(f >> (8 * (i - 1)));
    if (value < 0)
        b[5] |= 0x80;
    return Real48(b);
}

long double Real48::toExtended() const {
    if (bytes_[0] == 0)
        return 0;
    std::uint64_t f = 0;
    for (int i = 5; i >= 1; --i)
        f = (f << 8) | bytes_[std::size_t(i)];
    f &= (std::uint64_t(1) << kFractionBits) - 1;
    const long double v =
        std::ldexp(1.0L + std::ldexp((long double)f, -kFractionBits), int(bytes_[0]) - kBias);
    return (bytes_[5] & 0x80) ? -v : v;
}

long double real48Max() { return std::ldexp(2.0L - std::ldexp(1.0L, -kFractionBits), 255 - kBias); }

long double real48Min() { return std::ldexp(1.0L, 1 - kBias); }

long double readNumber(const QString& text) {
    const auto fail = [&text]() -> long double { throw OrvError(notFloatMessage(text)); };
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    std::string intPart, fracPart, expPart;
    while (i < n && isDigit(text[i]))
        intPart += char(text[i++].unicode());
    bool comma = false;
    if (i < n && text[i] == u',') {
        comma = true;
        ++i;
        while (i < n && isDigit(text[i]))
            fracPart += char(text[i++].unicode());
    }
    if (intPart.empty() && !comma)
        return fail();
    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            expPart += char(text[i++].unicode());
        const std::size_t signLength = expPart.size();
        while (i < n && isDigit(text[i]))
            expPart += char(text[i++].unicode());
        if (expPart.size() == signLength)
            return fail();
    }
    while (i < n && text[i] == u' ')
        ++i;
    if (i != n)
        return fail();

    const std::string mantissa = intPart + fracPart;
    if (mantissa.find_first_not_of('0') == std::string::npos)
        return 0;
    std::string normal = (intPart.empty() ? std::string("0") : intPart);
    if (!fracPart.empty())
        normal += '.' + fracPart;
    if (!expPart.empty())
        normal += 'e' + expPart;
    long double value = 0;
    const auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (ec == std::errc::result_out_of_range) {
        long long exponent = 0;
        for (char c : expPart)
            if (c >= '0' && c <= '9')
                exponent = std::min(exponent * 10 + (c - '0'), 1000000000LL);
        if (!expPart.empty() && expPart[0] == '-')
            exponent = -exponent;
        if (isTiny(mantissa, intPart.size(), exponent))
            return 0;
        return fail();
    }
    if (ec != std::errc() || end != normal.data() + normal.size())
        return fail();
    return negative ? -value : value;
}

QString formatGeneral(long double value, int digits) {
    if (value == 0)
        return QStringLiteral("0");
    const Decimal d = roundDecimal(std::fabs(value), digits);
    const int size = int(d.digits.size());
    std::string out = value < 0 ? "-" : "";
    if (d.exponent >= -4 && d.exponent < digits) {
        if (d.exponent < 0) {
            out += "0," + std::string(std::size_t(-d.exponent - 1), '0') + d.digits;
        } else {
            const int intDigits = d.exponent + 1;
            out += d.digits.substr(0, std::size_t(std::min(intDigits, size)));
            if (intDigits > size)
                out += std::string(std::size_t(intDigits - size), '0');
            else if (intDigits < size)
                out += ',' + d.digits.substr(std::size_t(intDigits));
        }
    } else {
        out += d.digits[0];
        if (size > 1)
            out += ',' + d.digits.substr(1);
        out += 'E' + std::to_string(d.exponent);
    }
    return QString::fromLatin1(out);
}

QString resultText(const Real48& value) {
    const long double x = value.toExtended();
    if (x == std::trunc(x) && std::fabs(x) < std::ldexp(1.0L, kFractionBits + 1))
        return formatGeneral(x, 15);
    return formatGeneral(x, 11);
}

QString notFloatMessage(const QString& text) {
    return QStringLiteral("'%1' n'est pas une valeur flottante correcte").arg(text);
}
QString zeroDivideMessage() { return QStringLiteral("Division flottante par zéro"); }
QString invalidOperationMessage() { return QStringLiteral("Opération flottante incorrecte"); }
QString overflowMessage() { return QStringLiteral("Débordement flottant"); }

} // namespace orv
