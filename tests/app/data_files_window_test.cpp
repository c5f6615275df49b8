// The program never loses what was typed: data files that cannot be read
// (a folder, a FIFO in their place), a second program in the same folder,
// and data files from which the load had to leave lines out.
#include "dictionary/word_dialog.h"
#include "support/test_app.h"
#include "support/word_lists.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    void droppedLinesAreToldAndTheFileKeptOnce();
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
    app.fakes.messages.choiceAnswers << 0;
    TMainForm& w = app.start();
    QCOMPARE(app.fakes.messages.choiceTexts, QStringList{secondInstanceText()});
    QCOMPARE(app.fakes.messages.choiceSets,
             (QList<QStringList>{{"Ouvrir en lecture seule", "Quitter"}}));
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
    QCOMPARE(app.fakes.messages.infos.size(), 2);
    for (const QString& info : app.fakes.messages.infos)
        QVERIFY2(info.startsWith(QStringLiteral("Orv Grille a été ouvert en lecture seule")),
                 qPrintable(info));
}

void DataFilesWindowTest::secondInstanceMayQuit() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ZOO"}));
    WorkingFolderLock other;
    QCOMPARE(other.acquire(), WorkingFolderLock::State::Held);
    app.fakes.messages.choiceAnswers << 1; // "Quitter"
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

QTEST_MAIN(DataFilesWindowTest)
#include "data_files_window_test.moc"
