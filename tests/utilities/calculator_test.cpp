// The calculator's numbers and rules without the window: the 48-bit real's
// bytes and rounding, the display reading, the number format, and key
// sequences as a user types them, with the display and the messages after.
#include "common/errors.h"
#include "utilities/calculator.h"

#include <QTest>
#include <cmath>

using namespace orv;

Q_DECLARE_METATYPE(long double)

namespace {

QString hexOf(const Real48& r) {
    const auto& b = r.bytes();
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(b.data()), 6).toHex(' ').toUpper());
}

long double pow2(int n) { return std::ldexp(1.0L, n); }

// Types a sequence of keys; every error message is collected as the
// standard error box shows it (with its full stop).
QStringList typeKeys(Calculator& calc, const QString& keys) {
    QStringList errors;
    for (QChar k : keys) {
        const auto command = calculatorKey(k);
        if (!command) {
            errors << QStringLiteral("no command for %1").arg(k);
            continue;
        }
        try {
            runCommand(calc, *command);
        } catch (const OrvError& e) {
            errors << e.message() + QLatin1Char('.');
        }
    }
    return errors;
}

// The exact text of 2^-128, the smallest magnitude of the 48-bit real.
QString smallestText() {
    return QStringLiteral("0,") + QString(38, u'0') +
           QStringLiteral("293873587705571876992184134305561419454666389193021880377187926569604314"
                          "863681793212890625");
}

const QString kMaxText = QStringLiteral("170141183460314489226776631181521715200");

} // namespace

class CalculatorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void real48Layout_data();
    void real48Layout();
    void real48Rounding_data();
    void real48Rounding();
    void real48OverflowAtTheLimit();
    void readingTheDisplay_data();
    void readingTheDisplay();
    void refusedDisplayTexts_data();
    void refusedDisplayTexts();
    void generalFormat_data();
    void generalFormat();
    void resultTextOfTheAccumulator_data();
    void resultTextOfTheAccumulator();
    void keySequences_data();
    void keySequences();
    void failedOperationsKeepTheState();
    void clearStartsANewCalculation();
};

void CalculatorTest::real48Layout_data() {
    QTest::addColumn<long double>("value");
    QTest::addColumn<QString>("bytes");
    QTest::newRow("zero") << 0.0L << "00 00 00 00 00 00";
    QTest::newRow("one") << 1.0L << "81 00 00 00 00 00";
    QTest::newRow("minus one") << -1.0L << "81 00 00 00 00 80";
    QTest::newRow("half") << 0.5L << "80 00 00 00 00 00";
    QTest::newRow("three") << 3.0L << "82 00 00 00 00 40";
    QTest::newRow("ten") << 10.0L << "84 00 00 00 00 20";
    QTest::newRow("one tenth") << 0.1L << "7D CD CC CC CC 4C";
    QTest::newRow("one third") << 1.0L / 3 << "7F AB AA AA AA 2A";
    QTest::newRow("-2.5") << -2.5L << "82 00 00 00 00 A0";
    QTest::newRow("largest") << real48Max() << "FF FF FF FF FF 7F";
    QTest::newRow("smallest") << pow2(-128) << "01 00 00 00 00 00";
}

void CalculatorTest::real48Layout() {
    QFETCH(long double, value);
    QFETCH(QString, bytes);
    const Real48 r = Real48::fromExtended(value);
    QCOMPARE(hexOf(r), bytes);
    // The bytes load back to the value they were rounded from (exact here
    // except for the two fractions).
    const Real48 again = Real48::fromBytes(r.bytes());
    QCOMPARE(hexOf(Real48::fromExtended(again.toExtended())), bytes);
    if (value == std::ldexp(std::round(std::ldexp(value, 20)), -20))
        QVERIFY(again.toExtended() == value);
}

void CalculatorTest::real48Rounding_data() {
    QTest::addColumn<long double>("value");
    QTest::addColumn<long double>("stored");
    const long double ulp = pow2(-39); // of values in [1, 2)
    QTest::newRow("half an ulp rounds away") << 1 + ulp / 2 << 1 + ulp;
    QTest::newRow("negative half rounds away") << -(1 + ulp / 2) << -(1 + ulp);
    QTest::newRow("below half rounds down") << 1 + ulp / 2 - pow2(-60) << 1.0L;
    QTest::newRow("above half rounds up") << 1 + ulp / 2 + pow2(-60) << 1 + ulp;
    QTest::newRow("carry into the exponent") << 2 - ulp / 2 << 2.0L;
    QTest::newRow("too small is zero") << pow2(-129) << 0.0L;
    QTest::newRow("negative too small is zero") << -pow2(-130) << 0.0L;
    QTest::newRow("just below the smallest rounds up to it")
        << pow2(-128) * (1 - pow2(-42)) << pow2(-128);
    QTest::newRow("just above the largest rounds down to it")
        << real48Max() + pow2(84) << real48Max();
    QTest::newRow("the display's zero with an exponent") << 0.0L << 0.0L;
}

void CalculatorTest::real48Rounding() {
    QFETCH(long double, value);
    QFETCH(long double, stored);
    QVERIFY(Real48::fromExtended(value).toExtended() == stored);
}

void CalculatorTest::real48OverflowAtTheLimit() {
    // Half an ulp above the largest value rounds away from zero, out of range.
    for (long double v :
         {real48Max() + pow2(86), -(real48Max() + pow2(86)), pow2(127), pow2(200)}) {
        try {
            Real48::fromExtended(v);
            QFAIL("no overflow");
        } catch (const OrvError& e) {
            QCOMPARE(e.message(), QStringLiteral("Débordement flottant"));
        }
    }
    QVERIFY(Real48::fromExtended(-real48Max()).toExtended() == -real48Max());
}

void CalculatorTest::readingTheDisplay_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<long double>("value");
    QTest::newRow("digits") << "15" << 15.0L;
    QTest::newRow("leading zero") << "02" << 2.0L;
    QTest::newRow("blanks around") << "  15 " << 15.0L;
    QTest::newRow("plus sign") << "+3" << 3.0L;
    QTest::newRow("minus sign") << "-3,5" << -3.5L;
    QTest::newRow("comma alone") << "," << 0.0L;
    QTest::newRow("comma first") << ",5" << 0.5L;
    QTest::newRow("comma last") << "5," << 5.0L;
    QTest::newRow("result with a comma after it") << "15," << 15.0L;
    QTest::newRow("exponent") << "1,5E3" << 1500.0L;
    QTest::newRow("small exponent") << "1,5e-3" << 0.0015L;
    QTest::newRow("signed exponent") << "2E+2" << 200.0L;
    QTest::newRow("zeros only") << "0,000" << 0.0L;
    QTest::newRow("zero with a huge exponent") << "0E99999" << 0.0L;
    QTest::newRow("below the extended range") << "1E-99999" << 0.0L;
    QTest::newRow("many digits") << QString(60, u'1')
                                 << std::strtold(QString(60, u'1').toLatin1(), nullptr);
}

void CalculatorTest::readingTheDisplay() {
    QFETCH(QString, text);
    QFETCH(long double, value);
    QVERIFY(readNumber(text) == value);
}

void CalculatorTest::refusedDisplayTexts_data() {
    QTest::addColumn<QString>("text");
    for (const char* t : {"", " ", "1,,2", ",,", "1.5", "E5", "1E", "1E+", "--1", "+-1", "1 2", "a",
                          "+", "1,5E3,", "1E5E5", "1E99999", "- 1", "12a"})
        QTest::newRow(t[0] ? t : "empty") << QString::fromLatin1(t);
}

void CalculatorTest::refusedDisplayTexts() {
    QFETCH(QString, text);
    try {
        readNumber(text);
        QFAIL("read");
    } catch (const OrvError& e) {
        QCOMPARE(e.message(),
                 QStringLiteral("'%1' n'est pas une valeur flottante correcte").arg(text));
    }
}

void CalculatorTest::generalFormat_data() {
    QTest::addColumn<long double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0L << 15 << "0";
    QTest::newRow("integer") << 15.0L << 15 << "15";
    QTest::newRow("fraction") << 2.5L << 15 << "2,5";
    QTest::newRow("negative") << -2.5L << 15 << "-2,5";
    QTest::newRow("below one") << 0.125L << 15 << "0,125";
    QTest::newRow("smallest fixed") << 0.0001L << 15 << "0,0001";
    QTest::newRow("below fixed") << 0.00001L << 15 << "1E-5";
    QTest::newRow("scientific fraction") << -0.000015L << 15 << "-1,5E-5";
    QTest::newRow("largest fixed") << 999999999999999.0L << 15 << "999999999999999";
    QTest::newRow("rounded into scientific") << 999999999999999.6L << 15 << "1E15";
    QTest::newRow("large") << 123456789012345678.0L << 15 << "1,23456789012346E17";
    QTest::newRow("one third") << 1.0L / 3 << 15 << "0,333333333333333";
    QTest::newRow("two thirds") << 2.0L / 3 << 15 << "0,666666666666667";
    QTest::newRow("root of two") << std::sqrt(2.0L) << 15 << "1,4142135623731";
    QTest::newRow("half rounds away") << 0.2384185791015625L << 15 << "0,238418579101563";
    QTest::newRow("48-bit 1,05") << Real48::fromExtended(1.05L).toExtended() << 15
                                 << "1,04999999999927";
    QTest::newRow("48-bit one third")
        << Real48::fromExtended(1.0L / 3).toExtended() << 15 << "0,333333333333485";
    QTest::newRow("eleven digits") << 2.0L / 3 << 11 << "0,66666666667";
    QTest::newRow("eleven digits scientific") << 1234567890123.0L << 11 << "1,2345678901E12";
    QTest::newRow("eleven digits round up") << 99999999999.5L << 11 << "1E11";
    QTest::newRow("huge") << 1.5e38L << 15 << "1,5E38";
}

void CalculatorTest::generalFormat() {
    QFETCH(long double, value);
    QFETCH(int, digits);
    QFETCH(QString, text);
    QCOMPARE(formatGeneral(value, digits), text);
}

void CalculatorTest::resultTextOfTheAccumulator_data() {
    QTest::addColumn<long double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("integer") << 15.0L << "15";
    QTest::newRow("zero") << 0.0L << "0";
    QTest::newRow("1,05 without its binary noise") << 1.05L << "1,05";
    QTest::newRow("0,05") << 0.05L << "0,05";
    QTest::newRow("one third") << 1.0L / 3 << "0,33333333333";
    QTest::newRow("largest exact integer") << pow2(40) - 1 << "1099511627775";
    QTest::newRow("beyond the exact integers") << pow2(40) << "1,0995116278E12";
    QTest::newRow("large with its exponent") << 1.23456789012345e20L << "1,2345678901E20";
    QTest::newRow("round large") << 1e20L << "1E20";
    QTest::newRow("negative") << -0.5L << "-0,5";
    QTest::newRow("largest") << real48Max() << "1,7014118346E38";
}

void CalculatorTest::resultTextOfTheAccumulator() {
    QFETCH(long double, value);
    QFETCH(QString, text);
    QCOMPARE(resultText(Real48::fromExtended(value)), text);
}

void CalculatorTest::keySequences_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QStringList>("errors");
    const QStringList none;
    const QString overflow = QStringLiteral("Débordement flottant.");
    const QString zeroDivide = QStringLiteral("Division flottante par zéro.");
    const QString invalid = QStringLiteral("Opération flottante incorrecte.");
    QTest::newRow("12+3=") << "12+3="
                           << "15" << none;
    QTest::newRow("= again repeats") << "12+3=="
                                     << "30" << none;
    QTest::newRow("number after =") << "12+3==4="
                                    << "34" << none;
    QTest::newRow("no operator drops the second number") << "5=3="
                                                         << "5" << none;
    QTest::newRow("first = keeps the typed text") << "05="
                                                  << "05" << none;
    QTest::newRow("10/4=") << "10/4="
                           << "2,5" << none;
    QTest::newRow("1/8=") << "1/8="
                          << "0,125" << none;
    QTest::newRow("1/3=") << "1/3="
                          << "0,33333333333" << none;
    QTest::newRow("1,05+0=") << "1,05+0="
                             << "1,05" << none;
    QTest::newRow("1,05+0== reads the shown 1,05") << "1,05+0=="
                                                   << "2,1" << none;
    QTest::newRow("tenths add up") << "0,1+0,2="
                                   << "0,3" << none;
    QTest::newRow("no precedence") << "2+3*4="
                                   << "20" << none;
    QTest::newRow("subtraction below zero") << "3-5="
                                            << "-2" << none;
    QTest::newRow("point key is the comma") << "1.5*2="
                                            << "3" << none;
    QTest::newRow("reciprocal") << "8x"
                                << "0,125" << none;
    QTest::newRow("reciprocal is not cut") << "7x"
                                           << "0,142857142857143" << none;
    QTest::newRow("root of 2") << "2s"
                               << "1,4142135623731" << none;
    QTest::newRow("root of 9") << "9s"
                               << "3" << none;
    QTest::newRow("capital keys") << "9S"
                                  << "3" << none;
    QTest::newRow("reciprocal under a pending +") << "5+4x="
                                                  << "0,5" << none;
    QTest::newRow("root then operator") << "9s+1="
                                        << "4" << none;
    QTest::newRow("division by zero") << "5/0="
                                      << "0" << QStringList{zeroDivide};
    QTest::newRow("digit after division by zero") << "5/0=2"
                                                  << "02" << QStringList{zeroDivide};
    QTest::newRow("0/0") << "0/0="
                         << "0" << QStringList{invalid};
    QTest::newRow("reciprocal of 0") << "0x"
                                     << "0" << QStringList{zeroDivide};
    QTest::newRow("root of a negative") << "1-2=s"
                                        << "-1" << QStringList{invalid};
    QTest::newRow(",,+ is silent") << ",,+"
                                   << "" << none;
    QTest::newRow(",,+ still sets +") << ",,+5=="
                                      << "10" << none;
    QTest::newRow("1,,2 is no number")
        << "5+1,,2="
        << "1,,2" << QStringList{QStringLiteral("'1,,2' n'est pas une valeur flottante correcte.")};
    QTest::newRow("comma after a result") << "12+3=,"
                                          << "15," << none;
    QTest::newRow("digit after result and comma") << "12+3=,7"
                                                  << "7" << none;
    QTest::newRow("reciprocal of nothing")
        << "x"
        << "" << QStringList{QStringLiteral("'' n'est pas une valeur flottante correcte.")};
    QTest::newRow("root of nothing")
        << "s"
        << "" << QStringList{QStringLiteral("'' n'est pas une valeur flottante correcte.")};
    QTest::newRow("long entry") << QString(40, u'7') << QString(40, u'7') << none;
    QTest::newRow("scientific result") << "1000000*1000000*1000000="
                                       << "1E18" << none;
    QTest::newRow("largest value") << "0+" + kMaxText + "="
                                   << "1,7014118346E38" << none;
    QTest::newRow("product over the limit") << "100000000000000000000*100000000000000000000="
                                            << "100000000000000000000" << QStringList{overflow};
    QTest::newRow("operand over the limit")
        << "5+170141183460391860479231967448702910464="
        << "170141183460391860479231967448702910464" << QStringList{overflow};
    QTest::newRow("first number over the limit is silent")
        << "170141183460391860479231967448702910464="
        << "" << none;
    QTest::newRow("reciprocal of the smallest")
        << smallestText() + "x" << smallestText() << QStringList{overflow};
    QTest::newRow("too small is zero") << "2*0," + QString(39, u'0') + "1="
                                       << "0" << none;
}

void CalculatorTest::keySequences() {
    QFETCH(QString, keys);
    QFETCH(QString, display);
    QFETCH(QStringList, errors);
    Calculator calc;
    calc.reset();
    QCOMPARE(typeKeys(calc, keys), errors);
    QCOMPARE(calc.display(), display);
}

void CalculatorTest::failedOperationsKeepTheState() {
    Calculator calc;
    calc.reset();
    // An overflow in "=" leaves Accu, the display, the flags and the operator;
    // Operande already holds the number read.
    typeKeys(calc, QStringLiteral("100000000000000000000*100000000000000000000="));
    QVERIFY(calc.Accu.toExtended() == Real48::fromExtended(1e20L).toExtended());
    QVERIFY(calc.Operande.toExtended() == Real48::fromExtended(1e20L).toExtended());
    QCOMPARE(calc.Operation, '*');
    QCOMPARE(calc.AccuDefini, true);
    QCOMPARE(calc.NouvelleSaisie, false);

    // An operator whose "=" fails does not replace the pending operator.
    calc.reset();
    QCOMPARE(typeKeys(calc, QStringLiteral("5+1,,2*")).size(), 1);
    QCOMPARE(calc.Operation, '+');
    QVERIFY(calc.Accu.toExtended() == 5.0L);

    // A silent failure of the first "=" still sets the operator.
    calc.reset();
    QVERIFY(typeKeys(calc, QStringLiteral(",,-")).isEmpty());
    QCOMPARE(calc.Operation, '-');
    QCOMPARE(calc.AccuDefini, false);

    // A failed reciprocal keeps Accu and the display; Operande holds the 0 read.
    calc.reset();
    typeKeys(calc, QStringLiteral("7+0x"));
    QVERIFY(calc.Accu.toExtended() == 7.0L);
    QVERIFY(calc.Operande.isZero());
    QCOMPARE(calc.display(), QStringLiteral("0"));
}

void CalculatorTest::clearStartsANewCalculation() {
    Calculator calc;
    calc.reset();
    typeKeys(calc, QStringLiteral("12+3=c"));
    QCOMPARE(calc.display(), QString());
    QCOMPARE(calc.AccuDefini, false);
    QCOMPARE(calc.Operation, '\0');
    QVERIFY(calc.Accu.isZero());
    QVERIFY(calc.Operande.isZero());
    // NouvelleSaisie survives the reset: the next digit replaces the display.
    QCOMPARE(calc.NouvelleSaisie, true);
    typeKeys(calc, QStringLiteral("4=="));
    QCOMPARE(calc.display(), QStringLiteral("4"));
}

QTEST_APPLESS_MAIN(CalculatorTest)
#include "calculator_test.moc"
