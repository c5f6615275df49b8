// The document commands driven through the real menu actions: naming,
// saving, opening, new grid, the save question of each command and of the
// close, failed writes and refused files.
#include "common/string_grid.h"
#include "support/test_app.h"
#include "support/word_lists.h"

#include <QAction>
#include <QDir>
#include <QTest>
#include <QToolButton>
#include <csignal>
#include <sys/resource.h>

using namespace orv;
using namespace orv::test;
using Answer = MessageService::Answer;

namespace {

const QString kFilter = QStringLiteral("Grilles (*.grd)|*.grd");

// Types a key on a cell through the grid control, as the user does.
void typeOn(TMainForm& w, int col, int row, char key) {
    QVERIFY(w.StringGrid1->setCurrent(col, row));
    QTest::keyClick(w.StringGrid1, key);
}

QByteArray startGridFile() {
    QByteArray out = "8\r\n8\r\n";
    for (int r = 0; r < 8; ++r)
        out += "        \r\n";
    for (char k = ' '; k <= '4'; ++k)
        out += QByteArray("\x01") + k + "\r\n" + QByteArray("\x02") + k + "\r\n";
    return out;
}

// Saves the grid under a name in the test folder through "Enregistrer sous".
void saveAs(TestApp& app, const QString& name) {
    app.fakes.files.savePaths << app.path(name);
    trigger(app.main(), "Enregistrersous1");
}

// Makes writing any file beyond a few bytes fail, as a full disk does.
class DiskFull {
public:
    DiskFull() {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved_;
        small.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~DiskFull() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

} // namespace

class GridDocumentTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveAsWritesTheStartGridFile();
    void chosenNamesAreCutInTheFileNameOnly_data();
    void chosenNamesAreCutInTheFileNameOnly();
    void savedGridOpensAsItWas();
    void openingSetsTheDimensions();
    void saveWritesOnlyAfterAChange();
    void saveAsCancelledKeepsTheName();
    void saveAsCancelledWithoutANameAsksTwice();
    void toolButtonsRunTheCommands();
    void newGridAsksWithTheShortName_data();
    void newGridAsksWithTheShortName();
    void newGridKeepsDimensionsAndClues();
    void yesWithoutANameAndCancelledSaveGoesOn();
    void openAsksWithTheFullPath_data();
    void openAsksWithTheFullPath();
    void cancelledOpenKeepsTheChanges();
    void quitAsksAndSaves_data();
    void quitAsksAndSaves();
    void writeIntoAMissingFolderFails();
    void fullDiskKeepsTheEarlierFile();
    void failedWriteAfterYesStopsNewGrid();
    void failedWriteAfterYesKeepsTheProgramOpen();
    void refusedOpenLosesNothing_data();
    void refusedOpenLosesNothing();
};

void GridDocumentTest::saveAsWritesTheStartGridFile() {
    TestApp app;
    TMainForm& w = app.start();
    saveAs(app, "essai");
    QCOMPARE(app.fakes.files.saveFilters, QStringList{kFilter});
    QCOMPARE(app.readFile("essai.grd"), startGridFile());
    QCOMPARE(w.document().fileName(), app.path("essai.grd"));
    QCOMPARE(w.document().shortName(), QStringLiteral("essai.grd"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Orv Grille - essai.grd"));
    QCOMPARE(w.document().isModified(), false);
    QCOMPARE(app.fakes.messages.total(), 0);
}

void GridDocumentTest::chosenNamesAreCutInTheFileNameOnly_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain name") << ""
                                << "essai"
                                << "essai.grd";
    QTest::newRow("other extension") << ""
                                     << "essai.txt"
                                     << "essai.grd";
    QTest::newRow("dot in the folder") << "jean.dupont"
                                       << "jean.dupont/essai"
                                       << "jean.dupont/essai.grd";
}

void GridDocumentTest::chosenNamesAreCutInTheFileNameOnly() {
    QFETCH(QString, folder);
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    TestApp app;
    TMainForm& w = app.start();
    if (!folder.isEmpty())
        QVERIFY(QDir(app.path("")).mkdir(folder));
    saveAs(app, chosen);
    QCOMPARE(app.readFile(written), startGridFile());
    QCOMPARE(w.document().fileName(), app.path(written));
    QCOMPARE(w.document().shortName(), QStringLiteral("essai.grd"));
    // Nothing lands beside the folder.
    QVERIFY(!QFile::exists(app.path("jean.grd")));
    QVERIFY(!QFile::exists(app.path(chosen)) || chosen == written);
}

void GridDocumentTest::savedGridOpensAsItWas() {
    TestApp app;
    TMainForm& w = app.start();
    editGrid(w, [](Grille& g) {
        g.NbLignes = 11;
        g.NbColonnes = 13;
    });
    w.DessinGrille();
    typeOn(w, 1, 1, 'm');
    typeOn(w, 12, 10, 'z');
    typeOn(w, 2, 1, ' ');
    editGrid(w, [](Grille& g) {
        g.cell(13, 11) = 'X'; // just outside the playing area
        for (int k = 0; k < kFileClues; ++k) {
            g.DefHoriz[k] = "Ligne " + QByteArray::number(k + 1) + " d\xe9j\xe0";
            g.DefVert[k] = "Colonne " + QByteArray(1, char('A' + k));
        }
    });
    const Grille saved = w.grille();
    saveAs(app, "essai");

    trigger(w, "NewItem");
    QCOMPARE(w.grille().cell(1, 1), ' ');
    editGrid(w, [](Grille& g) {
        g.NbLignes = g.NbColonnes = 8;
        for (int k = 0; k < kFileClues; ++k)
            g.DefHoriz[k] = g.DefVert[k] = "autre";
    });
    typeOn(w, 3, 3, 'q');

    app.fakes.messages.answers << Answer::No;
    app.fakes.files.openPaths << app.path("essai.grd");
    trigger(w, "OpenItem");
    // The grid files first, the default entry; then the ipuz files.
    QCOMPARE(app.fakes.files.openFilters,
             QStringList{kFilter + QStringLiteral("|Grilles ipuz (*.ipuz)|*.ipuz")});
    QCOMPARE(w.grille().NbLignes, 11);
    QCOMPARE(w.grille().NbColonnes, 13);
    for (int c = 1; c <= 13; ++c)
        for (int r = 1; r <= 11; ++r)
            QCOMPARE(w.grille().cell(c, r), saved.cell(c, r));
    QCOMPARE(w.grille().cell(1, 1), 'M');
    QCOMPARE(w.grille().cell(2, 1), '#');
    QCOMPARE(w.grille().cell(13, 11), 'X');
    QCOMPARE(w.grille().cell(3, 3), ' ');
    for (int k = 0; k < kFileClues; ++k) {
        QCOMPARE(w.grille().DefHoriz[k], saved.DefHoriz[k]);
        QCOMPARE(w.grille().DefVert[k], saved.DefVert[k]);
    }
    QCOMPARE(w.document().isModified(), false);
    QCOMPARE(w.document().shortName(), QStringLiteral("essai.grd"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Orv Grille - essai.grd"));
    QCOMPARE(w.StringGrid1->rowCount(), 11);
    QCOMPARE(w.StringGrid1->colCount(), 13);
    QCOMPARE(w.StringGrid1->cell(12, 0), QStringLiteral("L"));
    QCOMPARE(app.fakes.messages.errors, QStringList());
}

void GridDocumentTest::openingSetsTheDimensions() {
    TestApp app;
    TMainForm& w = app.start();
    QByteArray file = "11\r\n8\r\n";
    for (int r = 0; r < 11; ++r)
        file += "#ABCDEF \r\n";
    app.writeFile("dix.grd", file);
    // The chosen name is cut and given ".grd" before reading.
    app.fakes.files.openPaths << app.path("dix.txt");
    trigger(w, "OpenItem");
    QCOMPARE(w.grille().NbLignes, 11);
    QCOMPARE(w.grille().NbColonnes, 8);
    QCOMPARE(w.StringGrid1->rowCount(), 11);
    QCOMPARE(w.StringGrid1->cell(0, 10), QStringLiteral("10"));
    QCOMPARE(w.grille().cell(2, 10), 'A');
    QCOMPARE(w.document().fileName(), app.path("dix.grd"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Orv Grille - dix.grd"));
    QCOMPARE(app.fakes.messages.total(), 0);
}

void GridDocumentTest::saveWritesOnlyAfterAChange() {
    TestApp app;
    TMainForm& w = app.start();
    trigger(w, "Enregistrer1"); // unnamed and unmodified: no dialog either
    QVERIFY(app.fakes.files.saveFilters.isEmpty());
    saveAs(app, "essai");
    app.writeFile("essai.grd", "changed elsewhere");
    trigger(w, "Enregistrer1");
    QCOMPARE(app.readFile("essai.grd"), QByteArray("changed elsewhere"));
    typeOn(w, 1, 1, 'b');
    trigger(w, "Enregistrer1");
    QVERIFY(app.readFile("essai.grd").contains("\r\nB       \r\n"));
    QCOMPARE(w.document().isModified(), false);
    QCOMPARE(app.fakes.files.saveFilters.size(), 1); // named: no dialog after the first
}

void GridDocumentTest::saveAsCancelledKeepsTheName() {
    TestApp app;
    TMainForm& w = app.start();
    saveAs(app, "essai");
    typeOn(w, 1, 1, 'c');
    trigger(w, "Enregistrersous1"); // dialog cancelled: saved under the current name
    QCOMPARE(app.fakes.files.saveFilters.size(), 2);
    QVERIFY(app.readFile("essai.grd").contains("\r\nC       \r\n"));
    QCOMPARE(w.document().shortName(), QStringLiteral("essai.grd"));
    QCOMPARE(w.document().isModified(), false);
}

void GridDocumentTest::saveAsCancelledWithoutANameAsksTwice() {
    TestApp app;
    TMainForm& w = app.start();
    typeOn(w, 1, 1, 'c');
    trigger(w, "Enregistrersous1");
    QCOMPARE(app.fakes.files.saveFilters.size(), 2);
    QCOMPARE(QDir(app.path("")).entryList({"*.grd"}), QStringList());
    QCOMPARE(w.document().fileName(), QString());
    QCOMPARE(w.document().isModified(), true);
    QCOMPARE(w.windowTitle(), QStringLiteral("Orv Grille"));
    // The second dialog's answer is taken.
    app.fakes.files.savePaths << QString() << app.path("deux");
    trigger(w, "Enregistrersous1");
    QVERIFY(QFile::exists(app.path("deux.grd")));
    QCOMPARE(w.document().isModified(), false);
}

void GridDocumentTest::toolButtonsRunTheCommands() {
    TestApp app;
    TMainForm& w = app.start();
    typeOn(w, 1, 1, 't');
    app.fakes.files.savePaths << app.path("outil");
    QTest::mouseClick(child<QToolButton>(&w, "SpeedButton1"), Qt::LeftButton);
    QVERIFY(QFile::exists(app.path("outil.grd")));
    QTest::mouseClick(child<QToolButton>(&w, "OpenBtn"), Qt::LeftButton);
    QCOMPARE(w.grille().cell(1, 1), ' ');
    QCOMPARE(w.windowTitle(), QStringLiteral("Orv Grille"));
    app.fakes.files.openPaths << app.path("outil.grd");
    QTest::mouseClick(child<QToolButton>(&w, "SpeedButton2"), Qt::LeftButton);
    QCOMPARE(w.grille().cell(1, 1), 'T');
    QCOMPARE(app.fakes.messages.total(), 0);
}

void GridDocumentTest::newGridAsksWithTheShortName_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("cleared");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Oui saves, then clears") << Answer::Yes << true << true;
    QTest::newRow("Non clears without saving") << Answer::No << true << false;
    QTest::newRow("Annuler changes nothing") << Answer::Cancel << false << false;
}

void GridDocumentTest::newGridAsksWithTheShortName() {
    QFETCH(Answer, answer);
    QFETCH(bool, cleared);
    QFETCH(bool, saved);
    TestApp app;
    TMainForm& w = app.start();
    saveAs(app, "essai");
    const QByteArray before = app.readFile("essai.grd");
    typeOn(w, 2, 2, 'n');
    app.fakes.messages.answers << answer;
    trigger(w, "NewItem");
    QCOMPARE(app.fakes.messages.questions,
             QStringList{QStringLiteral("Enregistrer changements dans essai.grd ?")});
    QCOMPARE(app.readFile("essai.grd") != before, saved);
    QCOMPARE(w.grille().cell(2, 2), cleared ? ' ' : 'N');
    QCOMPARE(w.document().isModified(), !cleared);
    QCOMPARE(w.document().shortName(), cleared ? QString() : QStringLiteral("essai.grd"));
    QCOMPARE(w.document().fileName().isEmpty(), cleared);
    QCOMPARE(w.windowTitle(),
             cleared ? QStringLiteral("Orv Grille") : QStringLiteral("Orv Grille - essai.grd"));
}

void GridDocumentTest::newGridKeepsDimensionsAndClues() {
    TestApp app;
    TMainForm& w = app.start();
    editGrid(w, [](Grille& g) {
        g.NbLignes = 12;
        g.DefVert[4] = "reste";
    });
    w.DessinGrille();
    w.document().markSaved();
    trigger(w, "NewItem"); // unmodified: no question
    QCOMPARE(app.fakes.messages.total(), 0);
    QCOMPARE(w.grille().NbLignes, 12);
    QCOMPARE(w.grille().DefVert[4], QByteArray("reste"));
}

void GridDocumentTest::yesWithoutANameAndCancelledSaveGoesOn() {
    TestApp app;
    TMainForm& w = app.start();
    typeOn(w, 1, 1, 'y');
    app.fakes.messages.answers << Answer::Yes;
    trigger(w, "NewItem");
    QCOMPARE(app.fakes.messages.questions,
             QStringList{QStringLiteral("Enregistrer changements dans  ?")});
    QCOMPARE(app.fakes.files.saveFilters.size(), 1);
    QCOMPARE(w.grille().cell(1, 1), ' ');
    QCOMPARE(w.document().isModified(), false);

    typeOn(w, 1, 1, 'y');
    app.fakes.messages.answers << Answer::Yes;
    trigger(w, "OpenItem");
    QCOMPARE(app.fakes.files.saveFilters.size(), 2);
    QCOMPARE(app.fakes.files.openFilters.size(), 1);
    QCOMPARE(QDir(app.path("")).entryList({"*.grd"}), QStringList());
}

void GridDocumentTest::openAsksWithTheFullPath_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("dialogShown");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Oui saves, then opens") << Answer::Yes << true << true;
    QTest::newRow("Non opens without saving") << Answer::No << true << false;
    QTest::newRow("Annuler stops before the dialog") << Answer::Cancel << false << false;
}

void GridDocumentTest::openAsksWithTheFullPath() {
    QFETCH(Answer, answer);
    QFETCH(bool, dialogShown);
    QFETCH(bool, saved);
    TestApp app;
    TMainForm& w = app.start();
    saveAs(app, "autre");
    saveAs(app, "essai");
    typeOn(w, 4, 4, 'o');
    app.fakes.messages.answers << answer;
    app.fakes.files.openPaths << app.path("autre.grd");
    trigger(w, "OpenItem");
    QCOMPARE(app.fakes.messages.questions,
             QStringList{"Enregistrer changements dans " + app.path("essai.grd") + " ?"});
    QCOMPARE(app.fakes.files.openFilters.size(), dialogShown ? 1 : 0);
    QCOMPARE(app.readFile("essai.grd").contains("   O    "), saved);
    QCOMPARE(w.grille().cell(4, 4), dialogShown ? ' ' : 'O');
    QCOMPARE(w.document().shortName(),
             dialogShown ? QStringLiteral("autre.grd") : QStringLiteral("essai.grd"));
    QCOMPARE(w.document().isModified(), !dialogShown);
}

void GridDocumentTest::cancelledOpenKeepsTheChanges() {
    // The grid's changes are still unsaved after the dialog is cancelled, so
    // quitting must still ask about them.
    TestApp app;
    TMainForm& w = app.start();
    typeOn(w, 5, 5, 'k');
    app.fakes.messages.answers << Answer::No;
    trigger(w, "OpenItem");
    QCOMPARE(app.fakes.files.openFilters.size(), 1);
    QCOMPARE(w.grille().cell(5, 5), 'K');
    QCOMPARE(w.document().isModified(), true);
    app.fakes.messages.answers << Answer::Cancel;
    QVERIFY(!w.close());
    QCOMPARE(app.fakes.messages.questions.size(), 2);
}

void GridDocumentTest::quitAsksAndSaves_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Oui saves and quits") << Answer::Yes << true << true;
    QTest::newRow("Non quits") << Answer::No << true << false;
    QTest::newRow("Annuler stays") << Answer::Cancel << false << false;
}

void GridDocumentTest::quitAsksAndSaves() {
    QFETCH(Answer, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    TestApp app;
    TMainForm& w = app.start();
    saveAs(app, "essai");
    typeOn(w, 3, 1, 'q');
    app.fakes.messages.answers << answer;
    trigger(w, "ExitItem");
    QCOMPARE(app.fakes.messages.questions,
             QStringList{QStringLiteral("Enregistrer changements dans essai.grd ?")});
    QCOMPARE(w.isVisible(), !closed);
    QCOMPARE(app.readFile("essai.grd").contains("\r\n  Q     \r\n"), saved);
}

void GridDocumentTest::writeIntoAMissingFolderFails() {
    TestApp app;
    TMainForm& w = app.start();
    saveAs(app, "essai");
    typeOn(w, 1, 1, 'f');
    const QString target = app.path("absent/essai.grd");
    saveAs(app, "absent/essai");
    QCOMPARE(app.fakes.messages.errors,
             QStringList{QStringLiteral("Ne peut créer le fichier ") + target + "."});
    QCOMPARE(w.document().isModified(), true);
    QVERIFY(!QFile::exists(target));
    // The grid keeps the name of the file that does exist.
    QCOMPARE(w.document().fileName(), app.path("essai.grd"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Orv Grille - essai.grd"));
    QCOMPARE(app.readFile("essai.grd"), startGridFile());
}

void GridDocumentTest::fullDiskKeepsTheEarlierFile() {
    TestApp app;
    TMainForm& w = app.start();
    saveAs(app, "essai");
    typeOn(w, 1, 1, 'd');
    {
        DiskFull full;
        trigger(w, "Enregistrer1");
    }
    QCOMPARE(app.fakes.messages.errors,
             QStringList{"Ne peut créer le fichier " + app.path("essai.grd") + "."});
    QCOMPARE(app.readFile("essai.grd"), startGridFile());
    QCOMPARE(w.document().isModified(), true);
    QCOMPARE(QDir(app.path("")).entryList({"essai*"}), QStringList{"essai.grd"});
    trigger(w, "Enregistrer1"); // room again: the same command now succeeds
    QVERIFY(app.readFile("essai.grd").contains("\r\nD       \r\n"));
    QCOMPARE(w.document().isModified(), false);
}

void GridDocumentTest::failedWriteAfterYesStopsNewGrid() {
    TestApp app;
    TMainForm& w = app.start();
    typeOn(w, 2, 3, 'e');
    app.fakes.messages.answers << Answer::Yes;
    app.fakes.files.savePaths << app.path("absent/essai");
    trigger(w, "NewItem");
    QCOMPARE(app.fakes.messages.errors.size(), 1);
    QCOMPARE(w.grille().cell(2, 3), 'E');
    QCOMPARE(w.document().isModified(), true);
    QCOMPARE(w.document().fileName(), QString());
    QCOMPARE(w.windowTitle(), QStringLiteral("Orv Grille"));
}

void GridDocumentTest::failedWriteAfterYesKeepsTheProgramOpen() {
    TestApp app;
    TMainForm& w = app.start();
    typeOn(w, 2, 3, 'e');
    app.fakes.messages.answers << Answer::Yes;
    app.fakes.files.savePaths << app.path("absent/essai");
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QCOMPARE(app.fakes.messages.errors.size(), 1);
    QCOMPARE(w.document().isModified(), true);
    // "Oui" with the save dialog cancelled still lets the program close.
    app.fakes.messages.answers << Answer::Yes;
    QVERIFY(w.close());
}

void GridDocumentTest::refusedOpenLosesNothing_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("not a grid") << QByteArray("Bonjour\r\n")
                                << "le nombre de lignes (ligne 1) doit être un entier de 2 à 22";
    QTest::newRow("short cell line")
        << QByteArray("8\r\n8\r\n        \r\n  #\r\n") << "la ligne 4 a moins de 8 cases";
    QTest::newRow("bad clue index") << QByteArray("8\r\n8\r\n\x01\x7fx\r\n")
                                    << "la ligne 3 porte une définition sans numéro valide";
    QTest::newRow("missing file") << QByteArray() << QString();
}

void GridDocumentTest::refusedOpenLosesNothing() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    TestApp app;
    TMainForm& w = app.start();
    editGrid(w, [](Grille& g) {
        g.NbLignes = 10;
        g.DefHoriz[2] = "gard\xe9"
                        "e";
    });
    w.DessinGrille();
    saveAs(app, "essai");
    typeOn(w, 6, 2, 'g');
    const Grille before = w.grille();
    if (!message.isEmpty())
        app.writeFile("casse.grd", bytes);
    app.fakes.messages.answers << Answer::No;
    app.fakes.files.openPaths << app.path("casse.grd");
    trigger(w, "OpenItem");
    const QString expected = message.isEmpty()
                                 ? "Ne peut ouvrir le fichier " + app.path("casse.grd") + "."
                                 : "Le fichier " + app.path("casse.grd") +
                                       " n'est pas une grille valide : " + message + ".";
    QCOMPARE(app.fakes.messages.errors, QStringList{expected});
    QCOMPARE(w.grille().NbLignes, 10);
    QCOMPARE(w.StringGrid1->rowCount(), 10);
    QCOMPARE(w.grille().Cases, before.Cases);
    QCOMPARE(w.grille().DefHoriz, before.DefHoriz);
    QCOMPARE(w.document().fileName(), app.path("essai.grd"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Orv Grille - essai.grd"));
    QCOMPARE(w.document().isModified(), true);
}

QTEST_MAIN(GridDocumentTest)
#include "grid_document_test.moc"
