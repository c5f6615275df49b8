// The program never loses what was typed: data files that cannot be read
// (a folder, a FIFO in their place), a second program in the same folder, a
// lock left behind, data files from which the load had to leave lines out,
// and a disk that fills up before the exit.
#include "app/exit_writes.h"
#include "dictionary/word_dialog.h"
#include "support/test_app.h"
#include "support/word_lists.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace orv;
using namespace orv::test;

namespace {

void addWord(TestApp& app, const char* word) {
    app.fakes.modal.scripts.append([word](QDialog& d) {
        QTest::keyClicks(child<QLineEdit>(&d, "Edit1"), QString::fromLatin1(word));
        QTest::mouseClick(child<QPushButton>(&d, "Button1"), Qt::LeftButton);
    });
    trigger(app.main(), "Ajoutermot1");
}

void replaceByFolder(TestApp& app, const char* name) {
    QFile::remove(app.path(QString::fromLatin1(name)));
    QVERIFY(QDir().mkdir(app.path(QString::fromLatin1(name))));
}

} // namespace

class DataFilesWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wordsTypedOverAnUnreadableDictionaryGoBeside();
    void definitionsTypedOverAnUnreadableFileGoBeside();
    void fifoDataFilesDoNotHoldTheStart();
    void secondInstanceMayOpenReadOnly();
    void secondInstanceMayQuit();
    void secondInstanceMayOpenAnyway();
    void lockLeftEmptyDoesNotHoldTheStart();
    void readOnlyInstanceLosesNoScore();
    void droppedLinesAreToldAndTheFileKeptOnce();
    void fullDiskAtExitLetsTheWordsGoHome();
    void fullDiskAtExitMayStayOrQuitWithoutSaving();
};

void DataFilesWindowTest::wordsTypedOverAnUnreadableDictionaryGoBeside() {
    TestApp app;
    replaceByFolder(app, "Dicogrd.dat");
    TMainForm& w = app.start();
    QCOMPARE(app.fakes.messages.errors, QStringList{"Ne peut ouvrir le fichier Dicogrd.dat."});
    addWord(app, "zebre");
    addWord(app, "abri");
    QCOMPARE(plainOf(w.document().dictionary().words()), (QList<QByteArray>{"ABRI", "ZEBRE"}));
    app.fakes.messages.answers << MessageService::Answer::No;
    QVERIFY(w.close());
    // The clock of the fakes stands at 2026-12-07 14:05.
    const QString side = QStringLiteral("Dicogrd-2026-12-07-1405.dat");
    QCOMPARE(app.fakes.messages.infos,
             QStringList{QStringLiteral("Le fichier Dicogrd.dat n'a pu être lu au démarrage : il "
                                        "n'est pas remplacé. Les mots ajoutés pendant cette "
                                        "session sont enregistrés dans le fichier %1.")
                             .arg(side)});
    QCOMPARE(app.readFile(side), dictionaryFile({"ABRI", "ZEBRE"}));
    QVERIFY(QFileInfo(app.path(QStringLiteral("Dicogrd.dat"))).isDir());
    QCOMPARE(app.fakes.messages.errors.size(), 1);
}

void DataFilesWindowTest::definitionsTypedOverAnUnreadableFileGoBeside() {
    TestApp app;
    replaceByFolder(app, "Dicodef.dat");
    TMainForm& w = app.start();
    w.document().setDefinitions({"CHAT\tf\xE9lin"}, true);
    QVERIFY(w.close());
    const QString side = QStringLiteral("Dicodef-2026-12-07-1405.dat");
    QCOMPARE(app.readFile(side), QByteArray("CHAT\tf\xE9lin\r\n"));
    QCOMPARE(app.fakes.messages.infos.size(), 1);
    QVERIFY(app.fakes.messages.infos[0].contains(
        QStringLiteral("Les définitions ajoutées pendant cette session sont enregistrées dans "
                       "le fichier %1.")
            .arg(side)));
}

void DataFilesWindowTest::fifoDataFilesDoNotHoldTheStart() {
    TestApp app;
    for (const char* name : {"Dicogrd.dat", "Dicodef.dat"}) {
        QFile::remove(app.path(QString::fromLatin1(name)));
        QCOMPARE(::mkfifo(QFile::encodeName(app.path(QString::fromLatin1(name))).constData(), 0600),
                 0);
    }
    // Before, the start waited for a writer forever (the test's time limit
    // catches that); now the FIFOs are refused as files that cannot be read.
    TMainForm& w = app.start();
    QVERIFY(w.isVisible());
    QCOMPARE(app.fakes.messages.errors, (QStringList{"Ne peut ouvrir le fichier Dicogrd.dat.",
                                                     "Ne peut ouvrir le fichier Dicodef.dat."}));
    addWord(app, "mot");
    app.fakes.messages.answers << MessageService::Answer::No;
    QVERIFY(w.close());
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd-2026-12-07-1405.dat")), dictionaryFile({"MOT"}));
}

void DataFilesWindowTest::secondInstanceMayOpenReadOnly() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ZOO"}));
    app.writeFile(QStringLiteral("Dicodef.dat"), "ZOO\tparc\r\n");
    WorkingFolderLock other; // the first program, in the same folder
    QCOMPARE(other.acquire(), WorkingFolderLock::State::Held);
    app.fakes.messages.choiceAnswers << OpenReadOnly;
    TMainForm& w = app.start();
    QCOMPARE(app.fakes.messages.choiceTexts, QStringList{secondInstanceText(w.folderLock)});
    QCOMPARE(app.fakes.messages.choiceSets,
             (QList<QStringList>{{"Ouvrir en lecture seule", "Ouvrir quand même", "Quitter"}}));
    QVERIFY(w.isVisible());
    QCOMPARE(plainOf(w.document().dictionary().words()), QList<QByteArray>{"ZOO"});
    addWord(app, "lion");
    w.document().setDefinitions(w.document().definitions() + QList<QByteArray>{"LION\tfauve"},
                                true);
    app.fakes.messages.answers << MessageService::Answer::No;
    QVERIFY(w.close());
    // Neither file is replaced; the changes are kept beside and the user told where.
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), dictionaryFile({"ZOO"}));
    QCOMPARE(app.readFile(QStringLiteral("Dicodef.dat")), QByteArray("ZOO\tparc\r\n"));
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd-2026-12-07-1405.dat")),
             dictionaryFile({"LION", "ZOO"}));
    QCOMPARE(app.readFile(QStringLiteral("Dicodef-2026-12-07-1405.dat")),
             QByteArray("ZOO\tparc\r\nLION\tfauve\r\n"));
    // The scores of the added word too, beside their file.
    QVERIFY(!QFile::exists(app.path(QStringLiteral("Dicoscore.dat"))));
    QVERIFY(app.readFile(QStringLiteral("Dicoscore-2026-12-07-1405.dat")).startsWith("LION\t"));
    QCOMPARE(app.fakes.messages.infos.size(), 3);
    for (const QString& info : app.fakes.messages.infos)
        QVERIFY2(info.startsWith(QStringLiteral("Orv Grille a été ouvert en lecture seule")),
                 qPrintable(info));
}

void DataFilesWindowTest::secondInstanceMayQuit() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ZOO"}));
    WorkingFolderLock other;
    QCOMPARE(other.acquire(), WorkingFolderLock::State::Held);
    app.fakes.messages.choiceAnswers << QuitInstead;
    TMainForm& w = app.start();
    QTRY_VERIFY(!w.isVisible());
    QCOMPARE(w.document().dictionary().words().count(), qsizetype(0)); // nothing was even read
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), dictionaryFile({"ZOO"}));
    QCOMPARE(app.fakes.messages.total(), 1);
    // The first program gone, the next start takes the folder without a question.
    other.release();
    TMainForm& next = app.start();
    QCOMPARE(app.fakes.messages.choiceTexts.size(), 1);
    QCOMPARE(plainOf(next.document().dictionary().words()), QList<QByteArray>{"ZOO"});
}

void DataFilesWindowTest::droppedLinesAreToldAndTheFileKeptOnce() {
    TestApp app;
    const QByteArray damaged = dictionaryFile({"ABRI", "X", "ZOO"}) + QByteArray("\0", 1) +
                               dictionaryFile({"LION", "TIGRE"});
    app.writeFile(QStringLiteral("Dicogrd.dat"), damaged);
    TMainForm& w = app.start();
    QCOMPARE(plainOf(w.document().dictionary().words()), (QList<QByteArray>{"ABRI", "ZOO"}));
    QCOMPARE(w.panel0->text(),
             QStringLiteral("Dicogrd.dat : 3 lignes écartées à la lecture ; le fichier lu sera "
                            "gardé dans Dicogrd.dat.bak avant d'être réécrit"));
    addWord(app, "chat");
    // The first write of the run keeps the file as read.
    w.document().dictionary().write(QDateTime::currentDateTime());
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat.bak")), damaged);
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), dictionaryFile({"ABRI", "CHAT", "ZOO"}));
    addWord(app, "puma");
    app.fakes.messages.answers << MessageService::Answer::No;
    QVERIFY(w.close());
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat.bak")), damaged);
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")),
             dictionaryFile({"ABRI", "CHAT", "PUMA", "ZOO"}));
    QVERIFY(app.fakes.messages.infos.isEmpty());
}

void DataFilesWindowTest::secondInstanceMayOpenAnyway() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ZOO"}));
    WorkingFolderLock other;
    QCOMPARE(other.acquire(), WorkingFolderLock::State::Held);
    app.fakes.messages.choiceAnswers << OpenAnyway;
    TMainForm& w = app.start();
    // The question names the lock and warns of what opening anyway risks.
    QCOMPARE(app.fakes.messages.choiceTexts.size(), 1);
    const QString text = app.fakes.messages.choiceTexts[0];
    QVERIFY2(text.contains(app.path(WorkingFolderLock::fileName())), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Ouvrir quand même : le verrou est repris")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Attention")));
    QVERIFY(w.folderLock.held());
    addWord(app, "lion");
    app.fakes.messages.answers << MessageService::Answer::No;
    QVERIFY(w.close());
    // Not read-only: the dictionary itself is written.
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), dictionaryFile({"LION", "ZOO"}));
    QVERIFY(app.fakes.messages.infos.isEmpty());
}

void DataFilesWindowTest::lockLeftEmptyDoesNotHoldTheStart() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ZOO"}));
    // As a crash on a shared folder leaves it.
    app.writeFile(WorkingFolderLock::fileName(), {});
    TMainForm& w = app.start();
    QCOMPARE(app.fakes.messages.total(), 0);
    QCOMPARE(w.panel0->text(),
             QStringLiteral("Verrou Orvgrille.lock repris : il était vide ou illisible"));
    QCOMPARE(plainOf(w.document().dictionary().words()), QList<QByteArray>{"ZOO"});
    const auto owner = parseLockFile(app.readFile(WorkingFolderLock::fileName()));
    QVERIFY(owner);
    QCOMPARE(owner->pid, QCoreApplication::applicationPid());
    addWord(app, "lion");
    app.fakes.messages.answers << MessageService::Answer::No;
    QVERIFY(w.close());
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), dictionaryFile({"LION", "ZOO"}));
}

void DataFilesWindowTest::readOnlyInstanceLosesNoScore() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ZOO"}));
    app.writeFile(QStringLiteral("Dicodef.dat"), "ZOO\tparc\r\n");
    app.writeFile(QStringLiteral("Dicoscore.dat"), "ZOO\t70\r\n");
    TMainForm& first = app.start();
    // A second program in the same folder, opened read-only.
    FakeServices fakes;
    fakes.messages.choiceAnswers << OpenReadOnly;
    TMainForm second(fakes.services);
    second.show();
    QCOMPARE(fakes.messages.choiceTexts.size(), 1);
    QCOMPARE(second.document().dictionary().score("ZOO"), 70);
    // Each gives a word its score: the added word's.
    addWord(app, "lion");
    fakes.modal.scripts.append([](QDialog& d) {
        QTest::keyClicks(child<QLineEdit>(&d, "Edit1"), QStringLiteral("tigre"));
        QTest::mouseClick(child<QPushButton>(&d, "Button1"), Qt::LeftButton);
    });
    trigger(second, "Ajoutermot1");
    QCOMPARE(second.document().dictionary().score("TIGRE"), kUserAddedScore);
    second.document().dictionary().setUserScore("ZOO", 5);
    // The first quits first and saves its scores; the read-only one then
    // replaces none of the folder's data files.
    app.fakes.messages.answers << MessageService::Answer::No;
    QVERIFY(first.close());
    const QByteArray saved =
        QByteArray("LION\t") + QByteArray::number(kUserAddedScore) + QByteArray("\r\nZOO\t70\r\n");
    QCOMPARE(app.readFile(QStringLiteral("Dicoscore.dat")), saved);
    fakes.messages.answers << MessageService::Answer::No;
    QVERIFY(second.close());
    QCOMPARE(app.readFile(QStringLiteral("Dicoscore.dat")), saved);
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), dictionaryFile({"LION", "ZOO"}));
    QCOMPARE(app.readFile(QStringLiteral("Dicodef.dat")), QByteArray("ZOO\tparc\r\n"));
    // Its own scores are kept beside, and the user told where.
    const QString side = QStringLiteral("Dicoscore-2026-12-07-1405.dat");
    QCOMPARE(app.readFile(side), QByteArray("TIGRE\t") + QByteArray::number(kUserAddedScore) +
                                     QByteArray("\r\nZOO\t5\r\n"));
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd-2026-12-07-1405.dat")),
             dictionaryFile({"TIGRE", "ZOO"}));
    QCOMPARE(fakes.messages.infos.size(), 2);
    QCOMPARE(fakes.messages.infos[1],
             QStringLiteral("Orv Grille a été ouvert en lecture seule : le fichier Dicoscore.dat "
                            "n'est pas remplacé. Les scores des mots, avec les changements de "
                            "cette session, sont enregistrés dans le fichier %1.")
                 .arg(side));
}

namespace {

// $HOME for the time of a test.
class HomeFolder {
public:
    HomeFolder() : previous_(qgetenv("HOME")) { qputenv("HOME", QFile::encodeName(dir_.path())); }
    ~HomeFolder() { qputenv("HOME", previous_); }
    QString path(const QString& name) const { return dir_.filePath(name); }
    QByteArray read(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList files() const { return QDir(dir_.path()).entryList(QDir::Files); }

private:
    QTemporaryDir dir_;
    QByteArray previous_;
};

} // namespace

void DataFilesWindowTest::fullDiskAtExitLetsTheWordsGoHome() {
    HomeFolder home;
    TestApp app;
    TMainForm& w = startWith(app, {"ZOO"});
    addWord(app, "lion");
    // The dictionary can no longer be written, as on a full disk.
    replaceByFolder(app, "Dicogrd.dat");
    app.fakes.messages.answers << MessageService::Answer::No;
    app.fakes.messages.choiceAnswers << RetryWrite << WriteInHome;
    QVERIFY(w.close());
    QVERIFY(!w.isVisible());
    const QString copy = home.path(QStringLiteral("Dicogrd-2026-12-07-1405.dat"));
    // Asked again after the retry failed; the question names the home copy.
    QCOMPARE(app.fakes.messages.choiceTexts.size(), 2);
    QCOMPARE(app.fakes.messages.choiceSets[0], exitFailureChoices());
    QCOMPARE(app.fakes.messages.choiceTexts[0],
             QStringLiteral("Ne peut créer le fichier Dicogrd.dat : le dictionnaire n'a pu être "
                            "enregistré en quittant (le disque est peut-être plein).\n\n"
                            "Réessayer : après avoir fait de la place sur le disque.\n"
                            "Enregistrer dans le dossier personnel : dans le fichier %1.\n"
                            "Quitter sans enregistrer : les changements du dictionnaire faits "
                            "pendant cette session seront perdus.\n"
                            "Annuler : revenir au programme.")
                 .arg(copy));
    QCOMPARE(home.read(QStringLiteral("Dicogrd-2026-12-07-1405.dat")),
             dictionaryFile({"LION", "ZOO"}));
    QCOMPARE(app.fakes.messages.infos.size(), 1);
    QVERIFY2(app.fakes.messages.infos[0].startsWith(
                 QStringLiteral("Le dictionnaire est enregistré dans le fichier %1.").arg(copy)),
             qPrintable(app.fakes.messages.infos[0]));
    // The scores went to the folder as usual.
    QVERIFY(app.readFile(QStringLiteral("Dicoscore.dat")).startsWith("LION\t"));
}

void DataFilesWindowTest::fullDiskAtExitMayStayOrQuitWithoutSaving() {
    HomeFolder home;
    TestApp app;
    TMainForm& w = startWith(app, {"ZOO"});
    w.document().setDefinitions({"ZOO\tparc"}, true);
    replaceByFolder(app, "Dicodef.dat");
    // « Annuler »: back to the program, nothing lost.
    app.fakes.messages.choiceAnswers << StayOpen;
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QVERIFY(w.document().writesDefinitionsAtExit());
    w.document().dictionary().setUserScore("ZOO", 40);
    // Quitting without the definitions still writes what can be written.
    app.fakes.messages.choiceAnswers << QuitWithoutWriting;
    QVERIFY(w.close());
    QVERIFY(!w.isVisible());
    QCOMPARE(app.fakes.messages.choiceTexts.size(), 2);
    QVERIFY(app.fakes.messages.choiceTexts[1].contains(
        QStringLiteral("Quitter sans enregistrer : les changements des définitions faits pendant "
                       "cette session seront perdus.")));
    QVERIFY(QFileInfo(app.path(QStringLiteral("Dicodef.dat"))).isDir());
    QCOMPARE(app.readFile(QStringLiteral("Dicoscore.dat")), QByteArray("ZOO\t40\r\n"));
    QCOMPARE(home.files(), QStringList());
}

QTEST_MAIN(DataFilesWindowTest)
#include "data_files_window_test.moc"
