// The working folder: which folder the program works in, by where it was
// started, and what the user's own data folder holds after the first start.
#include "common/errors.h"
#include "desktop/working_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

} // namespace

class WorkingFolderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void choice_data();
    void choice();
    void firstStartFillsTheUserFolder();
    void laterStartsKeepTheUserFiles();
    void withoutDefaultDictionaryStartsEmpty();
    void folderThatCannotBeMadeIsReported();
    void enteringMovesTheProcess();
    void installedDictionaryLiesBesideThePrograms();

private:
    QTemporaryDir root_;
    QString path(const QString& name) const { return root_.filePath(name); }
};

void WorkingFolderTest::init() {
    // Each case gets its own tree: a folder with data, one without, a build
    // tree, an installation and a home.
    for (const char* d : {"withdata", "empty", "build/tests", "build-dev2", "usr/bin", "home"})
        QDir().mkpath(path(QString::fromLatin1(d)));
    write(path(QStringLiteral("withdata/Dicogrd.dat")), "DSJS\r\n");
}

void WorkingFolderTest::choice_data() {
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("xdg");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("prepare");
    QTest::newRow("installed, folder with a dictionary") << "withdata"
                                                         << "usr/bin"
                                                         << "/xdg"
                                                         << "withdata" << false;
    QTest::newRow("installed, XDG_DATA_HOME set") << "empty"
                                                  << "usr/bin"
                                                  << "/xdg"
                                                  << "/xdg/OrvGrille" << true;
    QTest::newRow("installed, XDG_DATA_HOME unset") << "empty"
                                                    << "usr/bin"
                                                    << ""
                                                    << "home/.local/share/OrvGrille" << true;
    QTest::newRow("installed, XDG_DATA_HOME relative: ignored")
        << "empty"
        << "usr/bin"
        << "data"
        << "home/.local/share/OrvGrille" << true;
    QTest::newRow("build tree, any folder") << "empty"
                                            << "build"
                                            << "/xdg"
                                            << "empty" << false;
    QTest::newRow("build tree, a folder below") << "empty"
                                                << "build/tests"
                                                << ""
                                                << "empty" << false;
    QTest::newRow("a folder named like the build tree is not it") << "empty"
                                                                  << "build-dev2"
                                                                  << "/xdg"
                                                                  << "/xdg/OrvGrille" << true;
    QTest::newRow("build tree, folder with a dictionary") << "withdata"
                                                          << "build"
                                                          << ""
                                                          << "withdata" << false;
}

void WorkingFolderTest::choice() {
    QFETCH(QString, current);
    QFETCH(QString, program);
    QFETCH(QString, xdg);
    QFETCH(QString, expected);
    QFETCH(bool, prepare);
    const StartPlace place{path(current), path(program), path(QStringLiteral("build")), xdg,
                           path(QStringLiteral("home"))};
    const WorkingFolder chosen = chooseWorkingFolder(place);
    QCOMPARE(chosen.folder, expected.startsWith(QLatin1Char('/')) ? expected : path(expected));
    QCOMPARE(chosen.prepare, prepare);
}

void WorkingFolderTest::firstStartFillsTheUserFolder() {
    const QString folder = path(QStringLiteral("home/.local/share/OrvGrille"));
    const QByteArray dictionary = "DSJS\r\nEFHJ\r\n";
    write(path(QStringLiteral("usr/share/orvgrille/Dicogrd.dat")), dictionary);
    prepareWorkingFolder(folder, path(QStringLiteral("usr/share/orvgrille/Dicogrd.dat")));
    QCOMPARE(read(folder + QStringLiteral("/Dicogrd.dat")), dictionary);
    QCOMPARE(read(folder + QStringLiteral("/Dicodef.dat")), QByteArray());
    QCOMPARE(QDir(folder).entryList(QDir::Files),
             (QStringList{QStringLiteral("Dicodef.dat"), QStringLiteral("Dicogrd.dat")}));
    // The user's copy can be written even when the installed one is read-only.
    QVERIFY(QFileInfo(folder + QStringLiteral("/Dicogrd.dat")).isWritable());
}

void WorkingFolderTest::laterStartsKeepTheUserFiles() {
    const QString folder = path(QStringLiteral("mine"));
    write(folder + QStringLiteral("/Dicogrd.dat"), "MINE\r\n");
    write(folder + QStringLiteral("/Dicodef.dat"), "CHAT\tfelin\r\n");
    write(path(QStringLiteral("default.dat")), "DEFAULT\r\n");
    prepareWorkingFolder(folder, path(QStringLiteral("default.dat")));
    QCOMPARE(read(folder + QStringLiteral("/Dicogrd.dat")), QByteArray("MINE\r\n"));
    QCOMPARE(read(folder + QStringLiteral("/Dicodef.dat")), QByteArray("CHAT\tfelin\r\n"));

    // Only the missing one is made.
    QFile::remove(folder + QStringLiteral("/Dicodef.dat"));
    prepareWorkingFolder(folder, path(QStringLiteral("default.dat")));
    QCOMPARE(read(folder + QStringLiteral("/Dicogrd.dat")), QByteArray("MINE\r\n"));
    QCOMPARE(read(folder + QStringLiteral("/Dicodef.dat")), QByteArray());
}

void WorkingFolderTest::withoutDefaultDictionaryStartsEmpty() {
    const QString folder = path(QStringLiteral("fresh"));
    prepareWorkingFolder(folder, path(QStringLiteral("nowhere/Dicogrd.dat")));
    QCOMPARE(read(folder + QStringLiteral("/Dicogrd.dat")), QByteArray());
    QCOMPARE(read(folder + QStringLiteral("/Dicodef.dat")), QByteArray());
}

void WorkingFolderTest::folderThatCannotBeMadeIsReported() {
    write(path(QStringLiteral("afile")), "x");
    const QString folder = path(QStringLiteral("afile/OrvGrille"));
    try {
        prepareWorkingFolder(folder, QString());
        QFAIL("no error");
    } catch (const OrvError& e) {
        QCOMPARE(e.message(), QStringLiteral("Ne peut créer le dossier ") + folder);
    }
}

void WorkingFolderTest::enteringMovesTheProcess() {
    const QString before = QDir::currentPath();
    const StartPlace place{path(QStringLiteral("empty")), path(QStringLiteral("usr/bin")),
                           path(QStringLiteral("build")), path(QStringLiteral("xdg")),
                           path(QStringLiteral("home"))};
    const QString entered = enterWorkingFolder(place, QString());
    const QString now = QDir::currentPath();
    QDir::setCurrent(before);
    QCOMPARE(entered, path(QStringLiteral("xdg/OrvGrille")));
    QCOMPARE(QFileInfo(now).canonicalFilePath(), QFileInfo(entered).canonicalFilePath());
    QVERIFY(QFileInfo::exists(entered + QStringLiteral("/Dicogrd.dat")));

    // From a folder with data nothing is made anywhere.
    const StartPlace withData{path(QStringLiteral("withdata")), path(QStringLiteral("usr/bin")),
                              path(QStringLiteral("build")), path(QStringLiteral("other")),
                              path(QStringLiteral("home"))};
    QCOMPARE(enterWorkingFolder(withData, QString()), path(QStringLiteral("withdata")));
    QDir::setCurrent(before);
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("other"))));
    QCOMPARE(QDir(path(QStringLiteral("withdata"))).entryList(QDir::Files),
             QStringList{QStringLiteral("Dicogrd.dat")});
}

void WorkingFolderTest::installedDictionaryLiesBesideThePrograms() {
    // bin/ and share/ are siblings under the installation prefix.
    QCOMPARE(installedDictionary(QStringLiteral("/opt/orv/bin")),
             QStringLiteral("/opt/orv/share/orvgrille/Dicogrd.dat"));
}

QTEST_GUILESS_MAIN(WorkingFolderTest)
#include "working_folder_test.moc"
