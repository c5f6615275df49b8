// The word-list import on the real main window: the open dialog, the
// example file of mixed lines, the progress bar that stands in for the
// status bar and really paints as it advances, and the failures.
#include "dictionary/scramble.h"
#include "support/test_app.h"
#include "support/word_lists.h"

#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QPaintEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStringEncoder>
#include <QTest>
#include <algorithm>
#include <sys/stat.h>

using namespace orv;
using namespace orv::test;

namespace {

void importFile(TestApp& app, const QString& path) {
    app.fakes.files.openPaths.append(path);
    QAction* a = child<QAction>(&app.main(), "Importerfichier1");
    QVERIFY(a);
    a->trigger();
}

// Records what the progress bar shows each time it really paints.
class PaintLog : public QObject {
public:
    PaintLog(QProgressBar* bar, QStatusBar* status) : bar_(bar), status_(status) {
        bar_->installEventFilter(this);
    }
    QList<int> values;
    bool inPlaceWhilePainting = true;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && bar_->isVisible()) {
            values.append(bar_->value());
            // Laid out along the bottom of the window, where the status bar was.
            const QRect g = bar_->geometry();
            const QWidget* parent = bar_->parentWidget();
            if (status_->isVisible() || g.height() != 20 || g.width() != parent->width() ||
                g.bottom() != parent->height() - 1 ||
                bar_->mapTo(bar_->window(), QPoint(0, g.height())).y() != bar_->window()->height())
                inPlaceWhilePainting = false;
        }
        return false;
    }

private:
    QProgressBar* bar_;
    QStatusBar* status_;
};

} // namespace

class ImportCommandTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void importsTheExampleFile();
    void admissibleLines_data();
    void admissibleLines();
    void progressBarPaintsInPlaceOfTheStatusBar();
    void emptyFileStillMarksTheDictionaryChanged();
    void cancelledMissingAndUnreadableFiles();
    void importedWordsAreWrittenAtExit();
    void marksAndWideEncodingsAreRead();
    void listInAnUnknownEncodingIsReported();
    void dialogTakesANameThatDoesNotExist();
    void fifoListIsRefusedAtOnce();
    void annulerLeavesTheDictionaryAsItWas();
};

void ImportCommandTest::importsTheExampleFile() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ABRI", "CHIENNE", "ZOO"}));
    app.writeFile(QStringLiteral("mots.txt"),
                  "chat\r\nCHAT\r\nChien\r\na\r\nx-ray\r\n" + QByteArray(20, 'w') + "\r\n");
    TMainForm& w = app.start();
    importFile(app, app.path(QStringLiteral("mots.txt")));
    QCOMPARE(
        app.fakes.files.openFilters,
        QStringList{QStringLiteral("Fichiers texte (*.txt)|*.txt|tous les fichiers (*.*)|*.*")});
    QCOMPARE(plainOf(w.document().dictionary().words()),
             (QList<QByteArray>{"ABRI", "CHAT", "CHIEN", "CHIENNE", "ZOO"}));
    QVERIFY(w.document().dictionary().words().isSorted());
    QVERIFY(w.document().isModified());
    QVERIFY(w.document().dictionary().isModified());
    QCOMPARE(app.fakes.messages.total(), 0);
    QVERIFY(!w.ProgressBar1->isVisible());
    QVERIFY(w.StatusBar->isVisible());
}

void ImportCommandTest::admissibleLines_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("added");
    QTest::newRow("accented capitals") << QByteArray("\xC9T\xC9") << QByteArray();
    QTest::newRow("trailing space") << QByteArray("lion ") << QByteArray();
    QTest::newRow("two letters") << QByteArray("ou") << QByteArray("OU");
    QTest::newRow("nineteen letters") << QByteArray(19, 'k') << QByteArray(19, 'K');
    QTest::newRow("already present") << QByteArray("Zoo") << QByteArray();
}

void ImportCommandTest::admissibleLines() {
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, added);
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ZOO"}));
    app.writeFile(QStringLiteral("mots.txt"), line + "\n");
    TMainForm& w = app.start();
    importFile(app, app.path(QStringLiteral("mots.txt")));
    QList<QByteArray> expected{"ZOO"};
    if (!added.isEmpty())
        expected.prepend(added);
    QCOMPARE(plainOf(w.document().dictionary().words()), expected);
}

void ImportCommandTest::progressBarPaintsInPlaceOfTheStatusBar() {
    TestApp app;
    QByteArray lines;
    for (int i = 0; i < 8; ++i)
        lines += QByteArray("mot") + char('a' + i) + "\n";
    app.writeFile(QStringLiteral("mots.txt"), lines);
    TMainForm& w = app.start();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.ProgressBar1->objectName(), QStringLiteral("ProgressBar1"));
    QVERIFY(!w.ProgressBar1->isVisible());
    PaintLog log(w.ProgressBar1, w.StatusBar);
    importFile(app, app.path(QStringLiteral("mots.txt")));
    // Painted at once, without a turn of the event loop, at each new figure:
    // 0 for the first line, never 100.
    log.values.erase(std::unique(log.values.begin(), log.values.end()), log.values.end());
    QCOMPARE(log.values, (QList<int>{0, 12, 25, 37, 50, 62, 75, 87}));
    QVERIFY(log.inPlaceWhilePainting);
    QVERIFY(!w.ProgressBar1->isVisible());
    QVERIFY(w.StatusBar->isVisible());
    QCOMPARE(w.document().dictionary().words().count(), qsizetype(8));
}

void ImportCommandTest::emptyFileStillMarksTheDictionaryChanged() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ZOO", "ABRI"}));
    app.writeFile(QStringLiteral("vide.txt"), QByteArray());
    TMainForm& w = app.start();
    importFile(app, app.path(QStringLiteral("vide.txt")));
    // Nothing added, but the whole dictionary is re-sorted.
    QCOMPARE(plainOf(w.document().dictionary().words()), (QList<QByteArray>{"ABRI", "ZOO"}));
    QVERIFY(w.document().isModified());
    QVERIFY(w.document().dictionary().isModified());
    QVERIFY(!w.ProgressBar1->isVisible());
    QVERIFY(w.StatusBar->isVisible());
    QCOMPARE(app.fakes.messages.total(), 0);
}

void ImportCommandTest::cancelledMissingAndUnreadableFiles() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ZOO"}));
    TMainForm& w = app.start();
    importFile(app, QString()); // cancelled
    QCOMPARE(app.fakes.messages.total(), 0);
    importFile(app, app.path(QStringLiteral("absent.txt")));
    QCOMPARE(app.fakes.messages.infos, QStringList{QStringLiteral("Le fichier n'existe pas")});
    // A folder exists but is no file that can be read.
    QVERIFY(QDir().mkdir(app.path(QStringLiteral("dossier.txt"))));
    importFile(app, app.path(QStringLiteral("dossier.txt")));
    QCOMPARE(
        app.fakes.messages.errors,
        QStringList{QStringLiteral("Ne peut ouvrir le fichier %1.")
                        .arg(QDir::toNativeSeparators(app.path(QStringLiteral("dossier.txt"))))});
    QCOMPARE(plainOf(w.document().dictionary().words()), QList<QByteArray>{"ZOO"});
    QVERIFY(!w.document().isModified());
    QVERIFY(!w.document().dictionary().isModified());
    QVERIFY(!w.ProgressBar1->isVisible());
    QVERIFY(w.StatusBar->isVisible());
}

void ImportCommandTest::importedWordsAreWrittenAtExit() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ZOO"}));
    app.writeFile(QStringLiteral("mots.txt"), "lion\ntigre\n");
    TMainForm& w = app.start();
    importFile(app, app.path(QStringLiteral("mots.txt")));
    w.document().markSaved(); // as a grid save leaves it
    QVERIFY(w.close());
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), dictionaryFile({"LION", "TIGRE", "ZOO"}));
}

void ImportCommandTest::marksAndWideEncodingsAreRead() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ZOO"}));
    // The first word follows the mark: it used to be lost with it.
    app.writeFile(QStringLiteral("bom.txt"), QByteArray("\xEF\xBB\xBF"
                                                        "chat\r\nchien\r\n"));
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    app.writeFile(QStringLiteral("utf16.txt"), utf16(QStringLiteral("lion\r\nzèbre\r\ntigre\r\n")));
    TMainForm& w = app.start();
    importFile(app, app.path(QStringLiteral("bom.txt")));
    importFile(app, app.path(QStringLiteral("utf16.txt")));
    QCOMPARE(plainOf(w.document().dictionary().words()),
             (QList<QByteArray>{"CHAT", "CHIEN", "LION", "TIGRE", "ZOO"}));
    QCOMPARE(app.fakes.messages.total(), 0);
}

void ImportCommandTest::listInAnUnknownEncodingIsReported() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ZOO"}));
    app.writeFile(QStringLiteral("binaire.txt"), QByteArray("\x01\x02\x03\0\0chat\n", 10));
    TMainForm& w = app.start();
    importFile(app, app.path(QStringLiteral("binaire.txt")));
    QCOMPARE(app.fakes.messages.infos,
             QStringList{QStringLiteral("Le fichier %1 ne contient aucun mot admissible : son "
                                        "codage n'est pas reconnu")
                             .arg(QDir::toNativeSeparators(app.path("binaire.txt")))});
    // The import's own rules still hold: nothing added, the dictionary marked.
    QCOMPARE(plainOf(w.document().dictionary().words()), QList<QByteArray>{"ZOO"});
    QVERIFY(w.document().isModified());
}

void ImportCommandTest::dialogTakesANameThatDoesNotExist() {
    TestApp app;
    app.start();
    importFile(app, app.path(QStringLiteral("absent.txt")));
    QCOMPARE(app.fakes.files.openExisting,
             QList<FileDialogService::Existing>{FileDialogService::Existing::NotRequired});
    QCOMPARE(app.fakes.messages.infos, QStringList{QStringLiteral("Le fichier n'existe pas")});
}

void ImportCommandTest::fifoListIsRefusedAtOnce() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ZOO"}));
    const QString fifo = app.path(QStringLiteral("liste.txt"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    TMainForm& w = app.start();
    // Before, the import waited for a writer forever (the test's time limit catches that).
    importFile(app, fifo);
    QCOMPARE(
        app.fakes.messages.errors,
        QStringList{
            QStringLiteral("Ne peut ouvrir le fichier %1.").arg(QDir::toNativeSeparators(fifo))});
    QCOMPARE(plainOf(w.document().dictionary().words()), QList<QByteArray>{"ZOO"});
    QVERIFY(!w.document().isModified());
    QVERIFY(!w.ProgressBar1->isVisible());
}

void ImportCommandTest::annulerLeavesTheDictionaryAsItWas() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ZOO", "ABRI"}));
    QByteArray list;
    for (int i = 0; i < 200000; ++i) {
        QByteArray word("mot");
        for (int n = i, k = 0; k < 4; ++k, n /= 26)
            word += char('a' + n % 26);
        list += word + "\r\n";
    }
    app.writeFile(QStringLiteral("grande.txt"), list);
    TMainForm& w = app.start();
    // The list is read while the event loop turns: the button answers at the
    // first figure the bar shows beyond 0.
    bool clicked = false;
    QObject::connect(w.ProgressBar1, &QProgressBar::valueChanged, w.ProgressBar1, [&] {
        auto* annuler = w.ProgressBar1->findChild<QPushButton*>(QStringLiteral("AnnulerImport"));
        if (clicked || !annuler || !annuler->isVisible())
            return;
        QCOMPARE(annuler->text(), QStringLiteral("Annuler"));
        QVERIFY(!w.menuBar()->isEnabled()); // no other command meanwhile
        QVERIFY(!w.close());                // nor a close
        clicked = true;
        QTest::mouseClick(annuler, Qt::LeftButton);
    });
    importFile(app, app.path(QStringLiteral("grande.txt")));
    QVERIFY(clicked);
    QCOMPARE(plainOf(w.document().dictionary().words()),
             (QList<QByteArray>{"ZOO", "ABRI"})); // not even sorted
    QVERIFY(!w.document().isModified());
    QVERIFY(!w.document().dictionary().isModified());
    QVERIFY(!w.ProgressBar1->isVisible());
    QVERIFY(w.StatusBar->isVisible());
    QVERIFY(w.menuBar()->isEnabled());
    // The same list, not cancelled, comes in whole.
    importFile(app, app.path(QStringLiteral("grande.txt")));
    QCOMPARE(w.document().dictionary().words().count(), qsizetype(200002));
    QVERIFY(w.document().dictionary().words().isSorted());
    QVERIFY(w.document().isModified());
}

QTEST_MAIN(ImportCommandTest)
#include "import_command_test.moc"
