// The calculator's rules: entry, the chain of operations from left to right
// without precedence, reciprocal and square root, and where each error leaves
// the state.
#include "utilities/calculator.h"

#include "common/errors.h"

#include <cmath>

namespace orv {

void Calculator::digit(int d) {
    if (NouvelleSaisie)
        display_.clear();
    display_ += QChar(u'0' + d);
    NouvelleSaisie = false;
}

void Calculator::comma() { display_ += u','; }

void Calculator::equals() {
    if (!AccuDefini) {
        // The first number of a calculation: an unreadable entry vanishes
        // without a word, the calculation simply has not begun.
        try {
            Accu = Real48::fromExtended(readNumber(display_));
        } catch (const OrvError&) {
            display_.clear();
            return;
        }
        AccuDefini = true;
        NouvelleSaisie = true;
        return;
    }
    Operande = Real48::fromExtended(readNumber(display_));
    const long double a = Accu.toExtended();
    const long double b = Operande.toExtended();
    long double r = a;
    switch (Operation) {
    case '+':
        r = a + b;
        break;
    case '-':
        r = a - b;
        break;
    case '*':
        r = a * b;
        break;
    case '/':
        if (b == 0)
            throw OrvError(a == 0 ? invalidOperationMessage() : zeroDivideMessage());
        r = a / b;
        break;
    default:
        break;
    }
    Accu = Real48::fromExtended(r);
    display_ = resultText(Accu);
    NouvelleSaisie = true;
}

void Calculator::operate(char op) {
    equals();
    Operation = op;
}

template <typename F> void Calculator::replaceAccu(F&& compute) {
    Operande = Real48::fromExtended(readNumber(display_));
    const long double r = compute(Operande.toExtended());
    // Stored before the display changes, so that an overflow leaves the
    // display as it was.
    Accu = Real48::fromExtended(r);
    display_ = formatGeneral(r);
    AccuDefini = true;
    NouvelleSaisie = true;
}

void Calculator::reciprocal() {
    replaceAccu([](long double x) {
        if (x == 0)
            throw OrvError(zeroDivideMessage());
        return 1.0L / x;
    });
}

void Calculator::squareRoot() {
    replaceAccu([](long double x) {
        if (x < 0)
            throw OrvError(invalidOperationMessage());
        return std::sqrt(x);
    });
}

void Calculator::reset() {
    display_.clear();
    Accu = Real48();
    Operande = Real48();
    AccuDefini = false;
    Operation = 0;
}

std::optional<CalculatorCommand> calculatorKey(QChar key) {
    using C = CalculatorCommand;
    const char16_t k = key.unicode();
    if (k >= u'0' && k <= u'9')
        return C{C::Digit, int(k - u'0')};
    switch (k) {
    case u',':
    case u'.':
        return C{C::Comma};
    case u'=':
        return C{C::Equals};
    case u'+':
    case u'-':
    case u'*':
    case u'/':
        return C{C::Operator, 0, char(k)};
    case u'X':
    case u'x':
        return C{C::Reciprocal};
    case u'S':
    case u's':
        return C{C::SquareRoot};
    case u'C':
    case u'c':
        return C{C::Clear};
    default:
        return std::nullopt;
    }
}

void runCommand(Calculator& calculator, const CalculatorCommand& command) {
    switch (command.kind) {
    case CalculatorCommand::Digit:
        calculator.digit(command.digit);
        break;
    case CalculatorCommand::Comma:
        calculator.comma();
        break;
    case CalculatorCommand::Equals:
        calculator.equals();
        break;
    case CalculatorCommand::Operator:
        calculator.operate(command.op);
        break;
    case CalculatorCommand::Reciprocal:
        calculator.reciprocal();
        break;
    case CalculatorCommand::SquareRoot:
        calculator.squareRoot();
        break;
    case CalculatorCommand::Clear:
        calculator.reset();
        break;
    }
}

} // namespace orv
