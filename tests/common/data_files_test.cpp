// The readers' refusals (FIFO, device, files beyond their bound), the line
// reader that works a block at a time, the data files that never lose a
// run's list, and the lock of the working folder.
#include "common/data_file.h"
#include "common/errors.h"
#include "common/text_file.h"
#include "common/working_folder_lock.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

using namespace orv;
using orv::test::readBytes;
using orv::test::writeBytes;

namespace {

// The error text of a call that must throw, or "" when it did not.
template <typename F> QString errorOf(F&& call) {
    try {
        call();
    } catch (const OrvError& e) {
        return e.message();
    }
    return {};
}

// Runs the read on another thread: a reader that blocked on the FIFO would
// otherwise hang the test. On a timeout a writer is opened, which frees the
// reader, and the test fails.
QString readFifoUnderTimeout(const QString& fifo, std::function<void()> read) {
    auto done = std::async(std::launch::async, [read] { return errorOf(read); });
    if (done.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
        done.wait();
        return QStringLiteral("blocked");
    }
    return done.get();
}

QList<QByteArray> readAllLines(TextLineReader& reader) {
    QList<QByteArray> lines;
    QByteArray line;
    while (reader.next(line))
        lines.append(line);
    return lines;
}

// The lines taken as views, or by both calls in turn (`mixed`).
QList<QByteArray> readAllViews(TextLineReader& reader, bool mixed) {
    QList<QByteArray> lines;
    QByteArray line;
    QByteArrayView view;
    for (int i = 0;; ++i) {
        if (mixed && i % 3 == 0) {
            if (!reader.next(line))
                break;
            lines.append(line);
        } else {
            if (!reader.nextView(view))
                break;
            lines.append(view.toByteArray());
        }
    }
    return lines;
}

} // namespace

class DataFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fifoAndDeviceAreRefusedAtOnce();
    void filesBeyondTheirBoundAreRefused();
    void lineReaderAgreesWithTheWholeReadAcrossBlocks();
    void linesAfterNulAreCounted_data();
    void linesAfterNulAreCounted();
    void unreadableFileTakesTheRunsListBeside();
    void readOnlyRunWritesOnlyASideFile();
    void droppedLinesKeepTheFileAsReadOnce();
    void secondLockInTheFolderIsRefused();
};

void DataFilesTest::fifoAndDeviceAreRefusedAtOnce() {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("Dicogrd.dat"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QCOMPARE(
        readFifoUnderTimeout(fifo, [&] { readWholeFile(fifo, QStringLiteral("Dicogrd.dat")); }),
        QStringLiteral("Ne peut ouvrir le fichier Dicogrd.dat"));
    QCOMPARE(readFifoUnderTimeout(fifo, [&] { openForReading(fifo, QStringLiteral("liste.txt")); }),
             QStringLiteral("Ne peut ouvrir le fichier liste.txt"));
    // A data file that is a FIFO exists but cannot be read: never replaced.
    QDir::setCurrent(dir.path());
    DataFile file(QStringLiteral("Dicogrd.dat"));
    QCOMPARE(readFifoUnderTimeout(fifo, [&] { file.read(); }),
             QStringLiteral("Ne peut ouvrir le fichier Dicogrd.dat"));
    QVERIFY(file.unreadable());
    QVERIFY(!file.mayReplace());
    // A device that never ends.
    QCOMPARE(errorOf([] { readWholeFile(QStringLiteral("/dev/zero"), QStringLiteral("zero")); }),
             QStringLiteral("Ne peut ouvrir le fichier zero"));
}

void DataFilesTest::filesBeyondTheirBoundAreRefused() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grande.grd"));
    writeBytes(path, QByteArray(kMaxGridFileBytes, ' '));
    QCOMPARE(readWholeFile(path, {}, kMaxGridFileBytes).size(), kMaxGridFileBytes);
    writeBytes(path, QByteArray(kMaxGridFileBytes + 1, ' '));
    QCOMPARE(errorOf([&] { readWholeFile(path, QStringLiteral("grande.grd"), kMaxGridFileBytes); }),
             QStringLiteral("Le fichier grande.grd est trop gros (plus de 1 Mo)"));
    QCOMPARE(tooLargeMessage(QStringLiteral("liste.txt"), kMaxListFileBytes),
             QStringLiteral("Le fichier liste.txt est trop gros (plus de 512 Mo)"));
    // A sparse file beyond the bound of word lists costs nothing on disk.
    QFile big(dir.filePath(QStringLiteral("liste.txt")));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(kMaxListFileBytes + 1));
    big.close();
    QCOMPARE(errorOf([&] { openForReading(big.fileName(), QStringLiteral("liste.txt")); }),
             tooLargeMessage(QStringLiteral("liste.txt"), kMaxListFileBytes));
}

void DataFilesTest::lineReaderAgreesWithTheWholeReadAcrossBlocks() {
    // Lines of every ending, some CR LF pairs cut by the block boundary
    // (blocks of 1 Mo), and a NUL far on.
    QRandomGenerator random(7);
    QByteArray data;
    const char* ends[] = {"\r\n", "\r", "\n", "\n\r"};
    while (data.size() < 3 * (1 << 20) + 100) {
        data += QByteArray(random.bounded(0, 30), char('a' + random.bounded(26)));
        data += ends[random.bounded(4)];
    }
    data[(1 << 20) - 1] = '\r';
    data[(1 << 20)] = '\n';
    data[2 * (1 << 20) - 1] = '\r';
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("l.txt"));
    writeBytes(path, data);
    TextLineReader whole(openForReading(path, {}), path);
    QCOMPARE(readAllLines(whole), splitTextLines(data));
    QVERIFY(!whole.stoppedAtNul());
    QCOMPARE(whole.position(), data.size());
    for (const bool mixed : {false, true}) {
        TextLineReader views(openForReading(path, {}), path);
        QCOMPARE(readAllViews(views, mixed), splitTextLines(data));
        QCOMPARE(views.position(), data.size());
    }

    data[data.size() / 2] = '\0';
    writeBytes(path, data);
    TextLineReader cut(openForReading(path, {}), path);
    QCOMPARE(readAllLines(cut), splitTextLines(data));
    QVERIFY(cut.stoppedAtNul());
    TextLineReader cutViews(openForReading(path, {}), path);
    QCOMPARE(readAllViews(cutViews, true), splitTextLines(data));
    QVERIFY(cutViews.stoppedAtNul());
}

void DataFilesTest::linesAfterNulAreCounted_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("lines");
    QTest::newRow("no nul") << QByteArray("AB\r\nCD\r\n") << 0;
    QTest::newRow("nul ends the last line") << QByteArray("AB\r\nCD\0", 7) << 1;
    QTest::newRow("nul mid-line, two more lines") << QByteArray("AB\r\nC\0D\r\nEF\r\nGH", 14) << 3;
    QTest::newRow("nul at the start of a line") << QByteArray("AB\r\n\0\r\n", 7) << 1;
}

void DataFilesTest::linesAfterNulAreCounted() {
    QFETCH(QByteArray, data);
    QFETCH(int, lines);
    QCOMPARE(linesAfterNul(data), qsizetype(lines));
}

void DataFilesTest::unreadableFileTakesTheRunsListBeside() {
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QVERIFY(QDir().mkdir(QStringLiteral("Dicogrd.dat")));
    DataFile file(QStringLiteral("Dicogrd.dat"));
    QCOMPARE(errorOf([&] { file.read(); }),
             QStringLiteral("Ne peut ouvrir le fichier Dicogrd.dat"));
    QVERIFY(file.unreadable());
    const QDateTime now(QDate(2026, 12, 7), QTime(14, 30, 12));
    // Nothing typed: nothing written anywhere.
    QCOMPARE(file.write("X\r\n", now, false), QString());
    QCOMPARE(file.write({}, now, true), QString());
    QCOMPARE(QDir().entryList(QDir::Files), QStringList());
    // Typed words go beside, under a name no file has yet.
    QCOMPARE(file.write("MOT\r\n", now, true), QStringLiteral("Dicogrd-2026-12-07-1430.dat"));
    QCOMPARE(file.write("MOTS\r\n", now, true), QStringLiteral("Dicogrd-2026-12-07-1430-2.dat"));
    QCOMPARE(readBytes(QStringLiteral("Dicogrd-2026-12-07-1430.dat")), QByteArray("MOT\r\n"));
    QCOMPARE(readBytes(QStringLiteral("Dicogrd-2026-12-07-1430-2.dat")), QByteArray("MOTS\r\n"));
    QVERIFY(QFileInfo(QStringLiteral("Dicogrd.dat")).isDir());
    QCOMPARE(keptBesideMessage(file, QStringLiteral("Dicogrd-2026-12-07-1430.dat"),
                               QStringLiteral("Les mots ajoutés sont enregistrés"),
                               QStringLiteral("Le dictionnaire est enregistré")),
             QStringLiteral("Le fichier Dicogrd.dat n'a pu être lu au démarrage : il n'est pas "
                            "remplacé. Les mots ajoutés sont enregistrés dans le fichier "
                            "Dicogrd-2026-12-07-1430.dat."));
    // A missing file is no loss: it is created at exit.
    DataFile missing(QStringLiteral("Dicodef.dat"));
    QVERIFY(!errorOf([&] { missing.read(); }).isEmpty());
    QVERIFY(!missing.unreadable());
    QCOMPARE(missing.write("A\tB\r\n", now, true), QString());
    QCOMPARE(readBytes(QStringLiteral("Dicodef.dat")), QByteArray("A\tB\r\n"));
}

void DataFilesTest::readOnlyRunWritesOnlyASideFile() {
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    writeBytes(QStringLiteral("Dicodef.dat"), "A\tun\r\n");
    DataFile file(QStringLiteral("Dicodef.dat"));
    QCOMPARE(file.read(), QByteArray("A\tun\r\n"));
    file.setReadOnly(true);
    const QDateTime now(QDate(2026, 1, 2), QTime(3, 4));
    QCOMPARE(file.write("A\tun\r\nB\tdeux\r\n", now, true),
             QStringLiteral("Dicodef-2026-01-02-0304.dat"));
    QCOMPARE(readBytes(QStringLiteral("Dicodef.dat")), QByteArray("A\tun\r\n"));
    QVERIFY(keptBesideMessage(file, QStringLiteral("Dicodef-2026-01-02-0304.dat"), {},
                              QStringLiteral("Les définitions sont enregistrées"))
                .startsWith(QStringLiteral("Orv Grille a été ouvert en lecture seule : le "
                                           "fichier Dicodef.dat n'est pas remplacé.")));
}

void DataFilesTest::droppedLinesKeepTheFileAsReadOnce() {
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const QByteArray damaged("AB\r\nX\r\nCD\0EF\r\nGH\r\n", 18);
    writeBytes(QStringLiteral("Dicogrd.dat"), damaged);
    DataFile file(QStringLiteral("Dicogrd.dat"));
    const QByteArray data = file.read();
    file.noteDropped(linesAfterNul(data)); // "EF" and "GH" with the NUL's own line
    file.noteDropped(1);                   // "X", too short
    QCOMPARE(file.dropped(), qsizetype(3));
    QCOMPARE(droppedLinesMessage(file),
             QStringLiteral("Dicogrd.dat : 3 lignes écartées à la lecture ; le fichier lu sera "
                            "gardé dans Dicogrd.dat.bak avant d'être réécrit"));
    const QDateTime now;
    QCOMPARE(file.write("AB\r\nCD\r\n", now, true), QString());
    QCOMPARE(readBytes(QStringLiteral("Dicogrd.dat.bak")), damaged);
    QCOMPARE(readBytes(QStringLiteral("Dicogrd.dat")), QByteArray("AB\r\nCD\r\n"));
    // A second write of the run leaves the copy as it was.
    QCOMPARE(file.write("AB\r\n", now, true), QString());
    QCOMPARE(readBytes(QStringLiteral("Dicogrd.dat.bak")), damaged);
    QCOMPARE(readBytes(QStringLiteral("Dicogrd.dat")), QByteArray("AB\r\n"));
    // A later run that drops lines again keeps the earlier copy too.
    writeBytes(QStringLiteral("Dicogrd.dat"), "Z\r\nAB\r\n");
    DataFile again(QStringLiteral("Dicogrd.dat"));
    again.read();
    again.noteDropped(1);
    QCOMPARE(again.backupName(), QStringLiteral("Dicogrd.dat.2.bak"));
    again.write("AB\r\n", now, true);
    QCOMPARE(readBytes(QStringLiteral("Dicogrd.dat.2.bak")), QByteArray("Z\r\nAB\r\n"));
    QCOMPARE(readBytes(QStringLiteral("Dicogrd.dat.bak")), damaged);
    // Nothing dropped: no copy.
    DataFile clean(QStringLiteral("Dicodef.dat"));
    QCOMPARE(droppedLinesMessage(clean), QString());
    clean.write("A\tB\r\n", now, true);
    QVERIFY(!QFile::exists(QStringLiteral("Dicodef.dat.bak")));
}

void DataFilesTest::secondLockInTheFolderIsRefused() {
    QTemporaryDir dir;
    WorkingFolderLock first(dir.path());
    QCOMPARE(first.acquire(), WorkingFolderLock::State::Held);
    QVERIFY(QFile::exists(dir.filePath(WorkingFolderLock::fileName())));
    WorkingFolderLock second(dir.path());
    QCOMPARE(second.acquire(), WorkingFolderLock::State::HeldByOther);
    QVERIFY(mustAskSecondInstance(WorkingFolderLock::State::HeldByOther));
    QVERIFY(!mustAskSecondInstance(WorkingFolderLock::State::Held));
    QVERIFY(!mustAskSecondInstance(WorkingFolderLock::State::Unavailable));
    const StartDecision readOnly = secondInstanceDecision(OpenReadOnly);
    QVERIFY(readOnly.proceed && readOnly.readOnly && !readOnly.takeOver);
    const StartDecision anyway = secondInstanceDecision(OpenAnyway);
    QVERIFY(anyway.proceed && !anyway.readOnly && anyway.takeOver);
    QVERIFY(!secondInstanceDecision(QuitInstead).proceed);
    QVERIFY(!secondInstanceDecision(-1).proceed);
    // The first one gone, the folder is free again.
    first.release();
    QCOMPARE(second.acquire(), WorkingFolderLock::State::Held);
    // A folder where no lock can be made.
    WorkingFolderLock nowhere(dir.filePath(QStringLiteral("absent/plus/loin")));
    QCOMPARE(nowhere.acquire(), WorkingFolderLock::State::Unavailable);
}

QTEST_MAIN(DataFilesTest)
#include "data_files_test.moc"
