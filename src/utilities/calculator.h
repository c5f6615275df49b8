// The desk calculator's state and what each of its buttons does, without the
// window: the display text, the accumulator and the pending operation. Errors
// are thrown as OrvError with the French message; the window shows them.
#pragma once

#include "utilities/calculator_number.h"

#include <QString>
#include <optional>

namespace orv {

class Calculator {
public:
    // The display: the only place where the entry being typed lives.
    const QString& display() const { return display_; }

    Real48 Accu;                 // the running result
    Real48 Operande;             // the last number read from the display
    char Operation = 0;          // NUL, '+', '-', '*' or '/'
    bool AccuDefini = false;     // Accu holds a value: "=" combines instead of loading
    bool NouvelleSaisie = false; // the next digit replaces the display

    void digit(int d);
    void comma();
    // "=": loads the display into Accu the first time (silently emptying an
    // unreadable display), then applies the pending operation.
    void equals();
    // "+", "-", "*", "/": completes the pending operation first; an error
    // there leaves the operator unset.
    void operate(char op);
    void reciprocal();
    void squareRoot();
    // The reset of every opening and of "C"; NouvelleSaisie is kept.
    void reset();

private:
    template <typename F> void replaceAccu(F&& compute);
    QString display_;
};

// What a button or a typed character asks of the calculator.
struct CalculatorCommand {
    enum Kind { Digit, Comma, Equals, Operator, Reciprocal, SquareRoot, Clear } kind;
    int digit = 0; // for Digit
    char op = 0;   // for Operator
};

// The command of a typed character ('0'..'9', ',', '.', '=', '+', '-', '*',
// '/', 'X', 'S', 'C' in either case); nothing for any other character.
std::optional<CalculatorCommand> calculatorKey(QChar key);

// Runs one command on the calculator.
void runCommand(Calculator& calculator, const CalculatorCommand& command);

} // namespace orv
