// The grid named on the command line: which argument it is, and the program
// started on it, on a file that cannot be read, or on no file.
#include "app/start_grid.h"
#include "common/string_grid.h"
#include "grid/grid_file.h"
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

QTEST_MAIN(StartGridTest)
#include "start_grid_test.moc"
