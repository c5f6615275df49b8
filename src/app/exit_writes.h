// What closing the program writes (the dictionary, the definitions, the
// words' scores), and the way out when a write fails, as on a full disk:
// the user may try again, keep the changes in a file of the home folder, or
// quit without them; never a program that cannot be left.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace orv {

class Document;
struct Services;

struct ExitWrite {
    QString file;   // "Dicogrd.dat"
    QString failed; // "le dictionnaire n'a pu être enregistré"
    QString kept;   // "Le dictionnaire est enregistré"
    QString lost;   // "les changements du dictionnaire faits pendant cette session"
    std::function<bool()> needed;
    // Writes the file (or its side file); returns what the user must be told, or "".
    std::function<QString(const QDateTime& now)> write;
    // The file's bytes, for a copy elsewhere.
    std::function<QByteArray()> bytes;
};

// The three writes of the exit, in order.
QList<ExitWrite> documentExitWrites(Document& document);

// The answers offered when a write at exit fails, in order.
enum ExitFailureChoice { RetryWrite = 0, WriteInHome = 1, QuitWithoutWriting = 2, StayOpen = 3 };
QStringList exitFailureChoices();
// The question: the error, what failed, and where the home copy would go.
QString exitFailureText(const ExitWrite& write, const QString& error, const QString& homeCopy);

// Runs the writes that are needed; a failed one asks the user what to do.
// Returns whether the program may close (false: the user chose to stay).
bool writeAtExit(const QList<ExitWrite>& writes, Services& services, QWidget* parent,
                 const QString& homeFolder);

} // namespace orv
