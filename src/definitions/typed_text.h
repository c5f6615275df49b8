// What the definitions windows accept as typed text: which key events type a
// character, and validators that keep their fields within what the
// Windows-1252 files can hold, also for pasted text.
#pragma once

#include <QValidator>

class QKeyEvent;

namespace orv {

// A key that types a character, as opposed to one that moves or deletes:
// Backspace counts; Delete, the arrows, Tab and Escape do not.
bool isTypedCharacter(const QKeyEvent* event);

// Text on one line made only of characters that Windows-1252 holds.
class LineTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// The capital letters A to Z; plain lower-case letters are turned to capitals.
class CapitalsValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

} // namespace orv
