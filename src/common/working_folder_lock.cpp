// The working folder's lock: its file, the judgement of a lock found there,
// and the start decision that follows from it.
#include "common/working_folder_lock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QMutex>
#include <QSysInfo>
#include <QTemporaryFile>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace orv {
namespace {

// A lock file is a few short lines; more is not a lock.
constexpr qint64 kMaxLockBytes = 4096;

// The lock files held by this process, by full name: a lock naming this
// process is live only when one of them is it.
QMutex heldMutex;
QHash<QString, int>& heldHere() {
    static QHash<QString, int> held;
    return held;
}

bool isHeldHere(const QString& path) {
    const QMutexLocker locker(&heldMutex);
    return heldHere().value(path) > 0;
}

void noteHeld(const QString& path, bool held) {
    const QMutexLocker locker(&heldMutex);
    int& count = heldHere()[path];
    count += held ? 1 : -1;
    if (count <= 0)
        heldHere().remove(path);
}

QByteArray procFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    return f.read(kMaxLockBytes);
}

// The program a process runs, as Qt's own lock files name it: the file name
// of its executable ("" when it cannot be seen).
QString processProgram(qint64 pid) {
    QString target = QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid));
    target.remove(QStringLiteral(" (deleted)"));
    return QFileInfo(target).fileName();
}

bool processRunning(qint64 pid) {
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

enum class Verdict { Stale, Live, Elsewhere };

struct Judgement {
    Verdict verdict = Verdict::Stale;
    QString why; // of a stale lock, for the status bar
};

Judgement judge(const std::optional<LockOwner>& owner, const LockOwner& self, bool heldHere) {
    if (!owner)
        return {Verdict::Stale, QStringLiteral("il était vide ou illisible")};
    const QString gone =
        QStringLiteral("le programme qui l'avait posé (processus %1) ne tourne plus")
            .arg(owner->pid);
    const bool sameMachine = !owner->machineId.isEmpty() && !self.machineId.isEmpty()
                                 ? owner->machineId == self.machineId
                                 : owner->host.isEmpty() || owner->host == self.host;
    if (!sameMachine)
        return {Verdict::Elsewhere, {}};
    if (!owner->bootId.isEmpty() && !self.bootId.isEmpty() && owner->bootId != self.bootId)
        return {Verdict::Stale,
                QStringLiteral("il datait d'avant le dernier démarrage de l'ordinateur")};
    // Another pid namespace (another container) is another computer as far
    // as its processes can be seen from here.
    if (!owner->pidNamespace.isEmpty() && !self.pidNamespace.isEmpty() &&
        owner->pidNamespace != self.pidNamespace)
        return {Verdict::Elsewhere, {}};
    if (owner->pid == self.pid)
        return heldHere ? Judgement{Verdict::Live, {}} : Judgement{Verdict::Stale, gone};
    if (!processRunning(owner->pid))
        return {Verdict::Stale, gone};
    // The pid may have been given to another process since.
    if (owner->startTime >= 0) {
        const qint64 started = processStartTime(owner->pid);
        if (started >= 0 && started != owner->startTime)
            return {Verdict::Stale, gone};
    } else if (!owner->program.isEmpty()) {
        const QString program = processProgram(owner->pid);
        if (!program.isEmpty() && program != owner->program)
            return {Verdict::Stale, gone};
    }
    return {Verdict::Live, {}};
}

struct Reading {
    bool missing = false;
    QByteArray bytes;
    bool readable = false;
};

// The lock file's bytes; a FIFO, a device or a folder in its place is no
// lock (and a FIFO is never opened: that would wait for a writer).
Reading readLock(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {true, {}, false};
    if (!info.isFile())
        return {false, {}, false};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {!QFileInfo::exists(path), {}, false};
    return {false, f.read(kMaxLockBytes), true};
}

bool isLinkUnsupported(int error) {
    return error == EPERM || error == ENOSYS || error == EXDEV || error == EMLINK ||
           error == EOPNOTSUPP;
}

} // namespace

std::optional<LockOwner> parseLockFile(const QByteArray& bytes) {
    if (bytes.isEmpty() || !bytes.endsWith('\n'))
        return std::nullopt;
    const QList<QByteArray> lines = bytes.left(bytes.size() - 1).split('\n');
    if (lines.size() < 3)
        return std::nullopt;
    LockOwner owner;
    bool ok = false;
    owner.pid = lines[0].toLongLong(&ok);
    if (!ok || owner.pid <= 0)
        return std::nullopt;
    owner.program = QString::fromUtf8(lines[1]);
    owner.host = QString::fromUtf8(lines[2]);
    if (lines.size() >= 5) {
        owner.machineId = lines[3];
        owner.bootId = lines[4];
    }
    if (lines.size() >= 6) {
        owner.startTime = lines[5].toLongLong(&ok);
        if (!ok || owner.startTime < 0)
            owner.startTime = -1;
    }
    if (lines.size() >= 7)
        owner.pidNamespace = lines[6];
    return owner;
}

QByteArray lockFileBytes(const LockOwner& owner) {
    QByteArray out = QByteArray::number(owner.pid) + '\n' + owner.program.toUtf8() + '\n' +
                     owner.host.toUtf8() + '\n' + owner.machineId + '\n' + owner.bootId + '\n';
    out += (owner.startTime >= 0 ? QByteArray::number(owner.startTime) : QByteArray()) + '\n';
    out += owner.pidNamespace + '\n';
    return out;
}

LockOwner currentLockOwner() {
    LockOwner self;
    self.pid = QCoreApplication::applicationPid();
    self.program = processProgram(self.pid);
    self.host = QSysInfo::machineHostName();
    self.machineId = QSysInfo::machineUniqueId();
    self.bootId = QSysInfo::bootUniqueId();
    self.startTime = processStartTime(self.pid);
    // "pid:[4026531836]": no path, so read raw rather than through QFileInfo.
    char buffer[128];
    const ssize_t n = ::readlink("/proc/self/ns/pid", buffer, sizeof buffer);
    if (n > 0)
        self.pidNamespace = QByteArray(buffer, qsizetype(n));
    return self;
}

qint64 processStartTime(qint64 pid) {
    const QByteArray stat = procFile(QStringLiteral("/proc/%1/stat").arg(pid));
    // "pid (name) state ppid ...": the name may hold spaces and parentheses;
    // the start time is the 22nd field, the 20th after the name.
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return -1;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    bool ok = false;
    const qint64 ticks = fields[19].toLongLong(&ok);
    return ok ? ticks : -1;
}

WorkingFolderLock::WorkingFolderLock(const QString& folder)
    : path_(QDir::cleanPath(
          QDir(folder.isEmpty() ? QDir::currentPath() : folder).absoluteFilePath(fileName()))),
      self_(currentLockOwner()) {}

WorkingFolderLock::~WorkingFolderLock() { release(); }

WorkingFolderLock::Made WorkingFolderLock::create() {
    const QByteArray bytes = lockFileBytes(self_);
    const QByteArray target = QFile::encodeName(path_);
    // Written whole beside, then linked into place: whoever finds the lock
    // finds it complete.
    QTemporaryFile temp(path_ + QStringLiteral(".XXXXXX"));
    if (temp.open() && temp.write(bytes) == bytes.size() && temp.flush()) {
        if (::link(QFile::encodeName(temp.fileName()).constData(), target.constData()) == 0)
            return Made::Made;
        if (errno == EEXIST)
            return Made::Exists;
        if (!isLinkUnsupported(errno))
            return Made::Failed;
    }
    // A file system without hard links, or no room for the temporary file.
    const int fd = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno == EEXIST ? Made::Exists : Made::Failed;
    const bool written = ::write(fd, bytes.constData(), std::size_t(bytes.size())) == bytes.size();
    ::close(fd);
    if (!written) {
        QFile::remove(path_);
        return Made::Failed;
    }
    return Made::Made;
}

WorkingFolderLock::Made WorkingFolderLock::replace(const std::optional<QByteArray>& expected) {
    // Two programs finding the same stale lock: the first to hold the
    // removal lock replaces it, the other then finds the new one.
    QLockFile removal(path_ + QStringLiteral(".rmlock"));
    if (!removal.tryLock(2000))
        return removal.error() == QLockFile::LockFailedError ? Made::Exists : Made::Failed;
    const Reading now = readLock(path_);
    if (!now.missing) {
        // Changed since it was judged: judged again.
        if (expected && (now.readable ? now.bytes : QByteArray()) != *expected)
            return Made::Exists;
        if (!QFile::remove(path_) && ::unlink(QFile::encodeName(path_).constData()) != 0)
            return Made::Failed;
    }
    return create();
}

WorkingFolderLock::State WorkingFolderLock::acquire() {
    if (held_)
        return State::Held;
    owner_.reset();
    elsewhere_ = false;
    note_.clear();
    for (int attempt = 0; attempt < 5; ++attempt) {
        Made made = create();
        if (made == Made::Failed)
            return State::Unavailable;
        if (made == Made::Exists) {
            const Reading found = readLock(path_);
            if (found.missing)
                continue;
            const std::optional<LockOwner> owner =
                found.readable ? parseLockFile(found.bytes) : std::nullopt;
            const Judgement judgement = judge(owner, self_, isHeldHere(path_));
            if (judgement.verdict != Verdict::Stale) {
                owner_ = owner;
                elsewhere_ = judgement.verdict == Verdict::Elsewhere;
                return State::HeldByOther;
            }
            made = replace(found.readable ? found.bytes : QByteArray());
            if (made == Made::Failed)
                return State::Unavailable;
            if (made == Made::Exists) {
                QThread::msleep(20);
                continue;
            }
            note_ = QStringLiteral("Verrou %1 repris : %2").arg(fileName(), judgement.why);
        }
        held_ = true;
        noteHeld(path_, true);
        return State::Held;
    }
    return State::HeldByOther;
}

WorkingFolderLock::State WorkingFolderLock::takeOver() {
    if (held_)
        return State::Held;
    note_.clear();
    if (replace(std::nullopt) != Made::Made)
        return State::Unavailable;
    held_ = true;
    noteHeld(path_, true);
    return State::Held;
}

void WorkingFolderLock::release() {
    if (!held_)
        return;
    held_ = false;
    noteHeld(path_, false);
    // Taken over since (« Ouvrir quand même » in another program): it is
    // that program's now.
    const Reading found = readLock(path_);
    if (found.readable && found.bytes == lockFileBytes(self_))
        QFile::remove(path_);
}

QString secondInstanceText(const WorkingFolderLock& lock) {
    const std::optional<LockOwner>& owner = lock.owner();
    const QString file = QDir::toNativeSeparators(lock.path());
    QString who;
    if (!owner)
        who = QStringLiteral("Orv Grille est déjà ouvert dans ce dossier (verrou %1).").arg(file);
    else if (lock.ownerElsewhere())
        who = QStringLiteral("Le verrou %1 dit qu'Orv Grille est ouvert dans ce dossier sur "
                             "l'ordinateur « %2 » (processus %3), ce qui ne peut être vérifié "
                             "d'ici.")
                  .arg(file, owner->host.isEmpty() ? QStringLiteral("?") : owner->host)
                  .arg(owner->pid);
    else
        who = QStringLiteral("Orv Grille est déjà ouvert dans ce dossier (processus %1, verrou "
                             "%2).")
                  .arg(owner->pid)
                  .arg(file);
    return who +
           QStringLiteral(
               " Si les deux programmes enregistraient le dictionnaire, les définitions et les "
               "scores en quittant, le dernier effacerait les changements de l'autre.\n\n"
               "Ouvrir en lecture seule : aucun fichier de données de ce dossier ne sera "
               "remplacé en quittant ; les changements iront dans des fichiers datés à côté.\n\n"
               "Ouvrir quand même : le verrou est repris et ce programme enregistrera en "
               "quittant. Attention : à ne choisir que si l'autre Orv Grille est fermé ; sinon, "
               "le dernier à quitter effacera les changements de l'autre.");
}

QStringList secondInstanceChoices() {
    return {QStringLiteral("Ouvrir en lecture seule"), QStringLiteral("Ouvrir quand même"),
            QStringLiteral("Quitter")};
}

bool mustAskSecondInstance(WorkingFolderLock::State state) {
    return state == WorkingFolderLock::State::HeldByOther;
}

StartDecision secondInstanceDecision(int choice) {
    switch (choice) {
    case OpenReadOnly:
        return {true, true, false};
    case OpenAnyway:
        return {true, false, true};
    default:
        return {false, true, false};
    }
}

} // namespace orv
