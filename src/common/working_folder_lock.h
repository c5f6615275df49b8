// One program at a time in a working folder: a lock file beside the data
// files. A second instance started in the same folder would otherwise let
// the last one to quit overwrite the other's words; it is told so and may go
// on without writing the data files (read-only), open anyway, or quit.
//
// The lock names the process that holds it, and is judged by that process:
// a lock whose process no longer runs on this computer (or whose pid now
// belongs to another process, or that dates from before the computer last
// started), and a lock that holds nothing readable (empty, cut short, not a
// file), is stale and taken over. A lock naming another computer cannot be
// checked from here: it stands, and the user decides.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace orv {

// Who holds a lock, as its file says. The file is a few lines: the pid, the
// program's name, the computer's name, the computer's and the boot's unique
// ids, then the process's start time (clock ticks after boot) and its pid
// namespace. Files of earlier versions stop after the first three or five
// lines; those lines mean the same.
struct LockOwner {
    qint64 pid = 0;
    QString program;
    QString host;
    QByteArray machineId;
    QByteArray bootId;
    qint64 startTime = -1; // -1: not recorded
    QByteArray pidNamespace;
};

// The owner a lock file names, or nullopt when it names none (empty, cut
// short, no pid).
std::optional<LockOwner> parseLockFile(const QByteArray& bytes);
QByteArray lockFileBytes(const LockOwner& owner);
// This process as a lock names it.
LockOwner currentLockOwner();
// The start time of a running process (clock ticks after boot), -1 when
// unknown.
qint64 processStartTime(qint64 pid);

class WorkingFolderLock {
public:
    enum class State {
        Held,        // this instance holds the folder
        HeldByOther, // another instance holds it, or may: the user decides
        Unavailable  // no lock can be made (a folder that cannot be written)
    };
    // The lock file in `folder` (the current folder by default).
    explicit WorkingFolderLock(const QString& folder = QString());
    ~WorkingFolderLock();
    WorkingFolderLock(const WorkingFolderLock&) = delete;
    WorkingFolderLock& operator=(const WorkingFolderLock&) = delete;

    // Takes the folder, taking a stale lock over (see takeOverNote).
    State acquire();
    // Takes the folder whatever the lock says (the user chose to open anyway).
    State takeOver();
    // Gives the folder back: the lock file goes, unless it is no longer this
    // instance's (another took it over).
    void release();
    bool held() const { return held_; }

    static QString fileName() { return QStringLiteral("Orvgrille.lock"); }
    // The lock file's full name.
    const QString& path() const { return path_; }

    // After acquire() found the folder held: the owner the lock names (none
    // when it could not be read in time), and whether it is on another
    // computer, where it cannot be checked.
    const std::optional<LockOwner>& owner() const { return owner_; }
    bool ownerElsewhere() const { return elsewhere_; }
    // After acquire() took a stale lock over: what the status bar says of
    // it; "" otherwise.
    const QString& takeOverNote() const { return note_; }

private:
    enum class Made { Made, Exists, Failed };
    Made create();
    // Under the removal lock: removes the lock file when it still holds
    // `expected` (any content when nullopt), then makes this instance's.
    Made replace(const std::optional<QByteArray>& expected);

    QString path_;
    LockOwner self_;
    bool held_ = false;
    std::optional<LockOwner> owner_;
    bool elsewhere_ = false;
    QString note_;
};

// The question put to a second instance, and its answers in order.
QString secondInstanceText(const WorkingFolderLock& lock);
enum SecondInstanceChoice { OpenReadOnly = 0, OpenAnyway = 1, QuitInstead = 2 };
QStringList secondInstanceChoices(); // read-only, « Ouvrir quand même », « Quitter »

// Whether the start must first ask the user: only when another instance
// holds the folder. A folder where no lock can be made cannot take the data
// files either, and the exit's own error tells so.
bool mustAskSecondInstance(WorkingFolderLock::State state);

// What the start does with the answer to the question: the index of the
// chosen answer, -1 when the question was closed without one (quitting is
// the choice that risks nothing).
struct StartDecision {
    bool proceed = true;   // go on with the start
    bool readOnly = false; // never write the data files at exit
    bool takeOver = false; // take the lock from the other instance
};
StartDecision secondInstanceDecision(int choice);

} // namespace orv
