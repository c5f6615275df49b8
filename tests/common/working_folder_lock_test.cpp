// The working folder's lock is judged by the process it names: a lock that
// names no live process of this computer, or nothing readable, is taken
// over; one of a live process, or of another computer, stands.
#include "common/working_folder_lock.h"
#include "support/file_bytes.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace orv;
using orv::test::readBytes;
using orv::test::writeBytes;

namespace {

// A pid no process has: beyond any pid_max.
constexpr qint64 kNoSuchPid = 2147483600;

// A lock of this computer naming `pid`, as this version writes it.
QByteArray lockOf(qint64 pid, qint64 startTime) {
    LockOwner owner = currentLockOwner();
    owner.pid = pid;
    owner.startTime = startTime;
    owner.program = QStringLiteral("orvgrille");
    return lockFileBytes(owner);
}

// The three lines that the oldest lock files hold.
QByteArray oldLockOf(qint64 pid, const QString& program) {
    return QByteArray::number(pid) + '\n' + program.toUtf8() + '\n' +
           currentLockOwner().host.toUtf8() + '\n';
}

} // namespace

class WorkingFolderLockTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void staleLocksAreTakenOver_data();
    void staleLocksAreTakenOver();
    void locksOfLiveProcessesStand();
    void lockOfAnotherComputerStandsAndIsNamed();
    void takenOverLockIsNotRemovedByItsFormerHolder();

private:
    // Another process of this computer, alive for the whole test.
    QProcess live_;
    qint64 livePid_ = 0;
};

void WorkingFolderLockTest::initTestCase() {
    live_.start(QStringLiteral("sleep"), {QStringLiteral("600")});
    QVERIFY(live_.waitForStarted());
    livePid_ = live_.processId();
    QVERIFY(processStartTime(livePid_) > 0);
}

void WorkingFolderLockTest::cleanupTestCase() {
    live_.kill();
    live_.waitForFinished();
}

void WorkingFolderLockTest::staleLocksAreTakenOver_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("why");
    const QString unreadable = QStringLiteral("il était vide ou illisible");
    const QString gone =
        QStringLiteral("le programme qui l'avait posé (processus %1) ne tourne plus");
    QTest::newRow("empty") << QByteArray() << unreadable;
    QTest::newRow("garbage") << QByteArray("\xff\xfe\x01zz\x00\r\n", 8) << unreadable;
    QTest::newRow("cut short") << QByteArray("12345") << unreadable;
    QTest::newRow("no pid") << QByteArray("\norvgrille\nici\n") << unreadable;
    QTest::newRow("process gone") << lockOf(kNoSuchPid, 1) << gone.arg(kNoSuchPid);
    // After a crash, a later start (in a container, say) may get the same pid.
    const qint64 self = QCoreApplication::applicationPid();
    QTest::newRow("own pid, not held") << lockOf(self, processStartTime(self)) << gone.arg(self);
    // The pid went to another process since: it started at another time.
    const qint64 live = live_.processId();
    QTest::newRow("pid reused") << lockOf(live, processStartTime(live) + 1) << gone.arg(live);
    QTest::newRow("old lock, pid reused by another program")
        << oldLockOf(live, QStringLiteral("orvgrille")) << gone.arg(live);
    LockOwner beforeBoot = currentLockOwner();
    beforeBoot.pid = live;
    beforeBoot.startTime = processStartTime(live);
    beforeBoot.bootId = "another-boot";
    QTest::newRow("before the last boot")
        << lockFileBytes(beforeBoot)
        << QStringLiteral("il datait d'avant le dernier démarrage de l'ordinateur");
}

void WorkingFolderLockTest::staleLocksAreTakenOver() {
    QFETCH(QByteArray, content);
    QFETCH(QString, why);
    QTemporaryDir dir;
    const QString path = dir.filePath(WorkingFolderLock::fileName());
    writeBytes(path, content);
    WorkingFolderLock lock(dir.path());
    QCOMPARE(lock.acquire(), WorkingFolderLock::State::Held);
    QCOMPARE(lock.takeOverNote(), QStringLiteral("Verrou Orvgrille.lock repris : ") + why);
    const std::optional<LockOwner> now = parseLockFile(readBytes(path));
    QVERIFY(now);
    QCOMPARE(now->pid, QCoreApplication::applicationPid());
    QCOMPARE(now->startTime, processStartTime(QCoreApplication::applicationPid()));
    // Held here now: a second lock of this process finds it live.
    WorkingFolderLock second(dir.path());
    QCOMPARE(second.acquire(), WorkingFolderLock::State::HeldByOther);
    QCOMPARE(second.owner()->pid, QCoreApplication::applicationPid());
    lock.release();
    QVERIFY(!QFile::exists(path));
    // Only the lock file is left behind, nothing else.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden), QStringList());
}

void WorkingFolderLockTest::locksOfLiveProcessesStand() {
    QTemporaryDir dir;
    const QString path = dir.filePath(WorkingFolderLock::fileName());
    const QList<QByteArray> live = {
        lockOf(livePid_, processStartTime(livePid_)),
        // An old lock names the program, not the start time: the program is the one running.
        oldLockOf(livePid_, QStringLiteral("sleep")),
    };
    for (const QByteArray& content : live) {
        writeBytes(path, content);
        WorkingFolderLock lock(dir.path());
        QCOMPARE(lock.acquire(), WorkingFolderLock::State::HeldByOther);
        QVERIFY(lock.owner());
        QCOMPARE(lock.owner()->pid, livePid_);
        QVERIFY(!lock.ownerElsewhere());
        QVERIFY(lock.takeOverNote().isEmpty());
        QCOMPARE(readBytes(path), content);
        const QString text = secondInstanceText(lock);
        QVERIFY2(text.contains(QStringLiteral("processus %1").arg(livePid_)), qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(path)), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Ouvrir quand même")));
    }
    // A FIFO in its place is no lock, and is never opened (that would block).
    QFile::remove(path);
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    WorkingFolderLock overFifo(dir.path());
    QCOMPARE(overFifo.acquire(), WorkingFolderLock::State::Held);
    QVERIFY(parseLockFile(readBytes(path)));
}

void WorkingFolderLockTest::lockOfAnotherComputerStandsAndIsNamed() {
    QTemporaryDir dir;
    const QString path = dir.filePath(WorkingFolderLock::fileName());
    LockOwner other;
    other.pid = kNoSuchPid; // cannot be checked from here, whatever it is
    other.program = QStringLiteral("orvgrille");
    other.host = QStringLiteral("atelier");
    other.machineId = "another-machine";
    other.bootId = "another-boot";
    // The same computer in another pid namespace (another container) cannot
    // be checked either.
    LockOwner container = currentLockOwner();
    container.pid = kNoSuchPid;
    container.pidNamespace = "pid:[1]";
    for (const LockOwner& owner : {other, container}) {
        writeBytes(path, lockFileBytes(owner));
        WorkingFolderLock lock(dir.path());
        QCOMPARE(lock.acquire(), WorkingFolderLock::State::HeldByOther);
        QVERIFY(lock.ownerElsewhere());
        QVERIFY(secondInstanceText(lock).contains(
            QStringLiteral("sur l'ordinateur « %1 » (processus %2), ce qui ne peut être vérifié")
                .arg(owner.host)
                .arg(kNoSuchPid)));
        QCOMPARE(readBytes(path), lockFileBytes(owner));
        // « Ouvrir quand même »: the lock is this process's from now on.
        QCOMPARE(lock.takeOver(), WorkingFolderLock::State::Held);
        QCOMPARE(parseLockFile(readBytes(path))->pid, QCoreApplication::applicationPid());
    }
}

void WorkingFolderLockTest::takenOverLockIsNotRemovedByItsFormerHolder() {
    QTemporaryDir dir;
    const QString path = dir.filePath(WorkingFolderLock::fileName());
    WorkingFolderLock first(dir.path());
    QCOMPARE(first.acquire(), WorkingFolderLock::State::Held);
    // Another program opened anyway and took the lock over.
    const QByteArray theirs = lockOf(livePid_, processStartTime(livePid_));
    writeBytes(path, theirs);
    first.release();
    QCOMPARE(readBytes(path), theirs);
}

QTEST_GUILESS_MAIN(WorkingFolderLockTest)
#include "working_folder_lock_test.moc"
