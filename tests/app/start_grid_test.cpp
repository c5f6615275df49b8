// The grid named on the command line: which argument it is, and the program
// started on it (a crossword grid, or an arrow-word grid in its window), on a
// file that cannot be read, or on no file.
#include "app/start_grid.h"
#include "arrowword/arrow_file.h"
#include "arrowword/arrow_word_window.h"
#include "common/string_grid.h"
#include "grid/grid_file.h"
#include "support/arrow_grids.h"
#include "support/test_app.h"

#include <QDir>
#include <QTest>

using namespace orv;
using namespace orv::test;

class StartGridTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void argumentIsMadeAbsolute_data();
    void argumentIsMadeAbsolute();
    void startsOnTheGridFile();
    void unreadableFileIsReportedAndTheProgramGoesOn_data();
    void unreadableFileIsReportedAndTheProgramGoesOn();
    void arrowWordFileOpensInItsWindow();
};

void StartGridTest::argumentIsMadeAbsolute_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    const QString prog = QStringLiteral("/usr/bin/orvgrille");
    QTest::newRow("none") << QStringList{prog} << QString();
    QTest::newRow("relative") << QStringList{prog, QStringLiteral("essai.grd")}
                              << QStringLiteral("/home/u/grilles/essai.grd");
    QTest::newRow("relative, up a folder")
        << QStringList{prog, QStringLiteral("../autres/v1.2/essai.grd")}
        << QStringLiteral("/home/u/autres/v1.2/essai.grd");
    QTest::newRow("absolute") << QStringList{prog, QStringLiteral("/tmp/a b/x.grd")}
                              << QStringLiteral("/tmp/a b/x.grd");
    QTest::newRow("options skipped")
        << QStringList{prog, QStringLiteral("-style=fusion"), QStringLiteral("x.grd")}
        << QStringLiteral("/home/u/grilles/x.grd");
}

void StartGridTest::argumentIsMadeAbsolute() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    QCOMPARE(gridFileArgument(arguments, QStringLiteral("/home/u/grilles")), expected);
}

void StartGridTest::startsOnTheGridFile() {
    TestApp app;
    // A folder with a dot in its name: the exact file given is opened.
    QDir().mkpath(app.path(QStringLiteral("v1.2")));
    const QString file = app.path(QStringLiteral("v1.2/essai.grd"));
    Grille saved;
    saved.NbLignes = 11;
    saved.NbColonnes = 9;
    saved.Raz();
    saved.cell(1, 1) = 'O';
    saved.cell(2, 1) = '#';
    saved.cell(8, 10) = 'Z';
    saved.DefHoriz[0] = "Premier rang";
    saved.DefVert[7] = "Dernière colonne";
    writeGridFile(file, saved);

    TMainForm& w = app.start();
    QVERIFY(openGridAtStart(w, file));
    QCOMPARE(app.fakes.messages.total(), 0);
    QCOMPARE(w.grille().NbLignes, 11);
    QCOMPARE(w.grille().NbColonnes, 9);
    QCOMPARE(w.grille().cell(1, 1), 'O');
    QCOMPARE(w.grille().cell(2, 1), '#');
    QCOMPARE(w.grille().cell(8, 10), 'Z');
    QCOMPARE(w.grille().DefHoriz[0], QByteArray("Premier rang"));
    QCOMPARE(w.grille().DefVert[7], saved.DefVert[7]);
    QCOMPARE(w.document().fileName(), file);
    QCOMPARE(w.document().shortName(), QStringLiteral("essai.grd"));
    QVERIFY(!w.document().isModified());
    QCOMPARE(w.windowTitle(), QStringLiteral("Orv Grille - essai.grd"));
    QCOMPARE(w.StringGrid1->rowCount(), 11);
    QCOMPARE(w.StringGrid1->colCount(), 9);

    // "&Enregistrer" after an edit writes back to that same file.
    w.StringGrid1->setFocus();
    QVERIFY(w.StringGrid1->setCurrent(3, 2));
    QTest::keyClick(w.StringGrid1, Qt::Key_K);
    trigger(w, "Enregistrer1");
    QCOMPARE(app.fakes.files.saveFilters.size(), 0);
    QVERIFY(!w.document().isModified());
    const Grille back =
        readGridFile(app.readFile(QStringLiteral("v1.2/essai.grd")), Grille(), file);
    QCOMPARE(back.cell(3, 2), 'K');
    QCOMPARE(back.cell(1, 1), 'O');
}

void StartGridTest::unreadableFileIsReportedAndTheProgramGoesOn_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << QStringLiteral("absente.grd") << QByteArray()
                             << QStringLiteral("Ne peut ouvrir le fichier %1.");
    QTest::newRow("a folder") << QStringLiteral("dossier.grd") << QByteArray()
                              << QStringLiteral("Ne peut ouvrir le fichier %1.");
    QTest::newRow("not a grid") << QStringLiteral("texte.grd") << QByteArray("bonjour\r\n")
                                << QString();
}

void StartGridTest::unreadableFileIsReportedAndTheProgramGoesOn() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    TestApp app;
    const QString path = app.path(name);
    if (name == QStringLiteral("dossier.grd"))
        QDir().mkpath(path);
    else if (!bytes.isEmpty())
        app.writeFile(name, bytes);

    TMainForm& w = app.start();
    QVERIFY(!openGridAtStart(w, path));
    QCOMPARE(app.fakes.messages.errors.size(), 1);
    if (!message.isEmpty())
        QCOMPARE(app.fakes.messages.errors.front(), message.arg(path));
    else
        QVERIFY(app.fakes.messages.errors.front().contains(path));
    // The program carries on with its start grid, nameless and unmodified.
    QCOMPARE(w.grille().NbLignes, 8);
    QCOMPARE(w.grille().NbColonnes, 8);
    QVERIFY(w.document().fileName().isEmpty());
    QVERIFY(!w.document().isModified());
    QCOMPARE(w.windowTitle(), QStringLiteral("Orv Grille"));
    QVERIFY(w.isVisible());
}

void StartGridTest::arrowWordFileOpensInItsWindow() {
    TestApp app;
    QDir().mkpath(app.path(QStringLiteral("v1.2")));
    // The extension in capitals, as some file managers keep it.
    const QString file = app.path(QStringLiteral("v1.2/Essai.FLECHES"));
    writeArrowFile(file, sampleArrowGrid());
    const QString broken = app.path(QStringLiteral("abime.fleches"));
    app.writeFile(QStringLiteral("abime.fleches"), "{\"format\": \"orv-fleches\", \"version\": 1");

    TMainForm& w = app.start();
    const QStringList shownAtStart = app.fakes.modal.shown;
    ArrowGrid seen;
    QString title, path;
    app.fakes.modal.scripts.append([&](QDialog& d) {
        auto& window = dynamic_cast<ArrowWordWindow&>(d);
        seen = window.document().grid();
        path = window.document().path();
        title = window.windowTitle();
    });
    QVERIFY(openGridAtStart(
        w, gridFileArgument({QStringLiteral("orvgrille"), QStringLiteral("v1.2/Essai.FLECHES")},
                            app.path(QString()))));
    QCOMPARE(app.fakes.messages.total(), 0);
    QCOMPARE(app.fakes.modal.shown, shownAtStart + QStringList{QStringLiteral("ArrowWordWindow")});
    QCOMPARE(seen, sampleArrowGrid());
    QCOMPARE(path, file);
    QCOMPARE(title, QStringLiteral("Mots fléchés - Essai.FLECHES"));
    // The crossword grid stays as it was.
    QCOMPARE(w.grille().NbLignes, 8);
    QVERIFY(w.document().fileName().isEmpty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Orv Grille"));

    // A file that is not an arrow-word grid: the reader's message, no window, the program goes on.
    QVERIFY(!openGridAtStart(w, broken));
    QCOMPARE(app.fakes.messages.errors.size(), 1);
    QVERIFY2(app.fakes.messages.errors.front().startsWith(
                 QStringLiteral("Le fichier abime.fleches n'est pas une grille de mots fléchés "
                                "utilisable")),
             qPrintable(app.fakes.messages.errors.front()));
    QCOMPARE(app.fakes.modal.shown.size(), shownAtStart.size() + 1);
    QVERIFY(w.isVisible());
    QVERIFY(!w.document().isModified());
}

QTEST_MAIN(StartGridTest)
#include "start_grid_test.moc"
