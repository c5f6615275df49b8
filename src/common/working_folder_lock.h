// One program at a time in a working folder: a lock file beside the data
// files. A second instance started in the same folder would otherwise let
// the last one to quit overwrite the other's words; it is told so and may go
// on without writing the data files (read-only) or quit.
#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>
#include <memory>

namespace orv {

class WorkingFolderLock {
public:
    enum class State {
        Held,        // this instance holds the folder
        HeldByOther, // another running instance holds it
        Unavailable  // no lock can be made (a folder that cannot be written)
    };
    // The lock file in `folder` (the current folder by default).
    explicit WorkingFolderLock(const QString& folder = QString());
    ~WorkingFolderLock();
    State acquire();
    void release();

    static QString fileName() { return QStringLiteral("Orvgrille.lock"); }

private:
    std::unique_ptr<QLockFile> lock_;
};

// The question put to a second instance, and its two answers.
QString secondInstanceText();
QStringList secondInstanceChoices(); // "Ouvrir en lecture seule", "Quitter"

// Whether the start must first ask the user: only when another running
// instance holds the folder. A folder where no lock can be made cannot take
// the data files either, and the exit's own error tells so.
bool mustAskSecondInstance(WorkingFolderLock::State state);

// What the start does with the answer to the question: the index of the
// chosen answer, -1 when the question was closed without one (quitting is
// the choice that risks nothing).
struct StartDecision {
    bool proceed = true;   // go on with the start
    bool readOnly = false; // never write the data files at exit
};
StartDecision secondInstanceDecision(int choice);

} // namespace orv
