// The program's error type: its text is the French message shown to the user
// in the standard error box (which appends the full stop).
#pragma once

#include <QString>
#include <stdexcept>

namespace orv {

class OrvError : public std::runtime_error {
public:
    explicit OrvError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// The messages of the file errors, with the file name in place of %s.
QString cannotOpenMessage(const QString& fileName);   // "Ne peut ouvrir le fichier %s"
QString cannotCreateMessage(const QString& fileName); // "Ne peut créer le fichier %s"

} // namespace orv
