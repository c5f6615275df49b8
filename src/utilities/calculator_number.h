// The calculator's numbers: the 6-byte real that holds the accumulator and
// the operand, the reading of the display text and the writing of numbers
// with the decimal comma. Arithmetic itself runs in 80-bit extended precision
// (long double on x86-64) on values loaded from the 6-byte form.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace orv {

// The 48-bit real: byte 0 the exponent biased by 129 (0 means the value 0),
// bytes 1 to 5 a 39-bit fraction least significant byte first, the top bit
// of byte 5 the sign. Value (-1)^s * (1 + f / 2^39) * 2^(e - 129).
class Real48 {
public:
    using Bytes = std::array<std::uint8_t, 6>;

    Real48() = default;
    static Real48 fromBytes(const Bytes& bytes) { return Real48(bytes); }
    // Rounds to the nearest 40-bit significand, a half away from zero; a
    // magnitude too small becomes 0, one too large throws "Débordement flottant".
    static Real48 fromExtended(long double value);

    long double toExtended() const;
    const Bytes& bytes() const { return bytes_; }
    bool isZero() const { return bytes_[0] == 0; }

    friend bool operator==(const Real48& a, const Real48& b) {
        return a.toExtended() == b.toExtended();
    }

private:
    explicit Real48(const Bytes& bytes) : bytes_(bytes) {}
    Bytes bytes_{};
};

// The largest magnitude the 48-bit real holds, (2 - 2^-39) * 2^126.
long double real48Max();
// The smallest non-zero magnitude, 2^-128.
long double real48Min();

// The display text as a number: blanks, an optional sign, digits with an
// optional ',' and fraction, an optional exponent, blanks; a lone ',' is 0.
// Anything else throws "'<text>' n'est pas une valeur flottante correcte".
long double readNumber(const QString& text);

// The general number format: rounded to `digits` significant digits, trailing
// zeros dropped, fixed notation from 0.0001 up to 10^digits, scientific
// ("1,5E-7", "2E20") otherwise; ',' as the decimal separator.
QString formatGeneral(long double value, int digits = 15);

// The text that "=" shows for the accumulator. An integer the 48-bit real
// holds exactly (below 2^40) is written whole; any other value with the 11
// significant digits the format always carries, so that the noise of the
// binary fraction (1,05 held as 1,04999999999927) never reaches the display.
QString resultText(const Real48& value);

// The calculator's error texts, as the standard error box shows them.
QString notFloatMessage(const QString& text);
QString zeroDivideMessage();       // "Division flottante par zéro"
QString invalidOperationMessage(); // "Opération flottante incorrecte"
QString overflowMessage();         // "Débordement flottant"

} // namespace orv
