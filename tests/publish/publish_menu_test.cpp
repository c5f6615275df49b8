// The publishing commands in the running program: their place in the menus
// with their shortcuts, export and printing of the open grid, ipuz files
// opened through "&Ouvrir..." (and refused ones that change nothing), and the
// view zoom of the grid.
#include "common/string_grid.h"
#include "grid/grid_file.h"
#include "publish/grid_source.h"
#include "publish/ipuz_file.h"
#include "support/sample_grid.h"
#include "support/test_app.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace orv;
using namespace orv::test;

namespace {

QStringList menuItems(TMainForm& w, const char* menu) {
    QStringList out;
    for (QAction* a : w.findChild<QMenu*>(QString::fromLatin1(menu))->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

QAction* action(TMainForm& w, const char* name) {
    return w.findChild<QAction*>(QString::fromLatin1(name));
}

void typeOn(TMainForm& w, int col, int row, char key) {
    QVERIFY(w.StringGrid1->setCurrent(col, row));
    QTest::keyClick(w.StringGrid1, key);
}

void loadSample(TMainForm& w) {
    editGrid(w, [](Grille& g) {
        const Grille s = sampleGrid();
        g.NbLignes = s.NbLignes;
        g.NbColonnes = s.NbColonnes;
        g.Cases = s.Cases;
        g.DefHoriz = s.DefHoriz;
        g.DefVert = s.DefVert;
    });
    w.DessinGrille();
}

} // namespace

class PublishMenuTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commandsStandInTheirMenus();
    void exportAndPrintTheOpenGrid();
    void exportToAGridFileAsksBeforeCuttingAClue();
    void ipuzOpensAsTheSameGrid();
    void refusedIpuzLeavesTheGridAsItWas();
    void zoomScalesTheGridAndComesBack();
};

void PublishMenuTest::commandsStandInTheirMenus() {
    TestApp app;
    TMainForm& w = app.start();
    QCOMPARE(menuItems(w, "FileMenu"),
             (QStringList{"&Nouvelle grille", "&Ouvrir...", "-", "&Enregistrer",
                          "Enregistrer &sous...", "-", "Nouvelle grille de &mots fléchés...",
                          "Ouvrir une grille de mots &fléchés...", "-", "&Imprimer...",
                          "E&xporter...", "-", "Im&porter fichier...", "-", "&Quitter"}));
    QCOMPARE(menuItems(w, "AffichageMenu").mid(6),
             (QStringList{"Zoom +", "Zoom -", "Taille normale", "&Taille ajustée", "-",
                          "Repères à la &française"}));
    QStringList bar;
    for (QAction* a : w.menuBar()->actions())
        bar << a->text();
    const qsizetype view = bar.indexOf(QStringLiteral("Affi&chage"));
    QVERIFY(view > 0);
    QCOMPARE(bar.at(view - 1), QStringLiteral("&Grille"));
    QCOMPARE(bar.at(view + 1), QStringLiteral("&Jeu"));
    QCOMPARE(action(w, "printGrid")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    QCOMPARE(action(w, "zoomIn")->shortcut(), QKeySequence(QStringLiteral("Ctrl++")));
    QCOMPARE(action(w, "zoomOut")->shortcut(), QKeySequence(QStringLiteral("Ctrl+-")));
    QCOMPARE(action(w, "normalSize")->shortcut(), QKeySequence(QStringLiteral("Ctrl+0")));
    QVERIFY(!action(w, "exportGrid")->statusTip().isEmpty());
}

void PublishMenuTest::exportAndPrintTheOpenGrid() {
    TestApp app;
    TMainForm& w = app.start();
    loadSample(w);
    const bool modified = w.document().isModified();
    app.fakes.files.savePaths = {app.path("grille.ipuz")};
    app.fakes.modal.scripts = {[](QDialog& d) {
        QCOMPARE(d.findChild<QLineEdit*>(QStringLiteral("TitleEdit"))->text(),
                 QStringLiteral("Mots croisés")); // a grid without a file
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
    }};
    trigger(w, "exportGrid");
    QCOMPARE(app.fakes.messages.total(), 0);
    const Grille back = loadAnyGrid(app.path("grille.ipuz"));
    QCOMPARE(back.DefHoriz[9], sampleGrid().DefHoriz[9]);
    QCOMPARE(back.cell(5, 2), '#');
    // Exporting saves nothing: the grid keeps its state and its (lack of a) name.
    QCOMPARE(w.document().isModified(), modified);
    QVERIFY(w.document().fileName().isEmpty());

    // Ctrl+P, typed on the grid, opens the printing options.
    app.fakes.modal.shown.clear();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.StringGrid1, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(app.fakes.modal.shown, QStringList{QStringLiteral("ExportDialog")});
}

void PublishMenuTest::exportToAGridFileAsksBeforeCuttingAClue() {
    TestApp app;
    TMainForm& w = app.start();
    loadSample(w);
    const QByteArray longClue = QByteArray(256, 'v');
    editGrid(w, [&](Grille& g) { g.DefVert[0] = longClue; });
    const bool modifiedBefore = w.document().isModified();
    app.fakes.files.savePaths = {app.path("copie.grd")};
    trigger(w, "exportGrid");
    QCOMPARE(app.fakes.messages.choiceTexts.size(), 1);
    QVERIFY2(app.fakes.messages.choiceTexts[0].startsWith(QStringLiteral(
                 "La définition de la colonne A sera coupée à 255 caractères (elle en a 256).")),
             qPrintable(app.fakes.messages.choiceTexts[0]));
    QCOMPARE(app.fakes.messages.choiceSets[0],
             (QStringList{QStringLiteral("Couper et exporter"), QStringLiteral("Annuler")}));
    QVERIFY(!QFile::exists(app.path("copie.grd")));

    app.fakes.files.savePaths = {app.path("copie.grd")};
    app.fakes.messages.choiceAnswers << 0;
    trigger(w, "exportGrid");
    QCOMPARE(loadAnyGrid(app.path("copie.grd")).DefVert[0], longClue.left(255));
    // An export leaves the grid itself whole.
    QCOMPARE(w.grille().DefVert[0], longClue);
    QCOMPARE(w.document().isModified(), modifiedBefore);
    QCOMPARE(app.fakes.messages.total(), 2);
}

void PublishMenuTest::ipuzOpensAsTheSameGrid() {
    TestApp app;
    TMainForm& w = app.start();
    Grille exported = sampleGrid();
    exported.cell(3, 3) = ' ';
    writeIpuzFile(app.path("autre.ipuz"), exported);
    app.fakes.files.openPaths << app.path("autre.ipuz");
    trigger(w, "OpenItem");
    QCOMPARE(app.fakes.messages.total(), 0);
    QCOMPARE(w.grille().NbLignes, 11);
    QCOMPARE(w.grille().NbColonnes, 11);
    for (int r = 1; r <= 10; ++r) {
        QCOMPARE(w.grille().DefHoriz[r - 1], exported.DefHoriz[r - 1]);
        QCOMPARE(w.grille().DefVert[r - 1], exported.DefVert[r - 1]);
        for (int c = 1; c <= 10; ++c)
            QCOMPARE(w.grille().cell(c, r), exported.cell(c, r));
    }
    QCOMPARE(w.StringGrid1->rowCount(), 11);
    QVERIFY(!w.document().isModified());
    // Unnamed: saving asks for a grid file's name and leaves the ipuz file alone.
    QCOMPARE(w.windowTitle(), QStringLiteral("Orv Grille"));
    typeOn(w, 3, 3, 'x');
    app.fakes.files.savePaths << app.path("autre");
    trigger(w, "Enregistrer1");
    QCOMPARE(w.document().shortName(), QStringLiteral("autre.grd"));
    QCOMPARE(loadAnyGrid(app.path("autre.grd")).cell(3, 3), 'X');
    QCOMPARE(loadAnyGrid(app.path("autre.ipuz")).cell(3, 3), ' ');
}

void PublishMenuTest::refusedIpuzLeavesTheGridAsItWas() {
    TestApp app;
    TMainForm& w = app.start();
    typeOn(w, 2, 2, 'k');
    QVERIFY(w.document().isModified());
    const Grille before = w.grille();
    app.writeFile(QStringLiteral("rebus.ipuz"),
                  R"({"kind":["http://ipuz.org/crossword#1"],"dimensions":{"width":2,"height":1},
                      "puzzle":[[0,0]],"solution":[["A","ST"]]})");
    app.fakes.messages.answers << MessageService::Answer::No;
    app.fakes.files.openPaths << app.path("rebus.ipuz");
    trigger(w, "OpenItem");
    QCOMPARE(app.fakes.messages.errors.size(), 1);
    QVERIFY2(app.fakes.messages.errors[0].contains(
                 QStringLiteral("une case ne peut contenir qu'une lettre")),
             qPrintable(app.fakes.messages.errors[0]));
    QCOMPARE(w.grille().Cases, before.Cases);
    QCOMPARE(w.grille().NbLignes, before.NbLignes);
    QVERIFY(w.document().isModified());
    QCOMPARE(w.grille().cell(2, 2), 'K');
}

void PublishMenuTest::zoomScalesTheGridAndComesBack() {
    TestApp app;
    TMainForm& w = app.start();
    StringGrid& grid = *w.StringGrid1;
    const QSize normal = grid.size();
    QCOMPARE(grid.cellRect(1, 1).width(), 20);
    QCOMPARE(w.zoom(), 100);
    trigger(w, "zoomIn");
    trigger(w, "zoomIn");
    QCOMPARE(w.zoom(), 150);
    QCOMPARE(grid.cellRect(1, 1).width(), 30);
    QCOMPARE(grid.size(), QSize(8 * 33 + 4, 8 * 33 + 4));
    QCOMPARE(grid.font().pixelSize(), 26);
    // A grid resized while zoomed keeps the zoomed cells.
    editGrid(w, [](Grille& g) { g.NbLignes = 11; });
    w.DessinGrille();
    QCOMPARE(grid.height(), 11 * 33 + 4);
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.StringGrid1, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(w.zoom(), 100);
    QCOMPARE(grid.cellRect(1, 1).width(), 20);
    QCOMPARE(grid.height(), 11 * 22 + 3);
    trigger(w, "zoomOut");
    QCOMPARE(w.zoom(), 75);
    QCOMPARE(grid.cellRect(1, 1).width(), 15);
    trigger(w, "normalSize");
    editGrid(w, [](Grille& g) { g.NbLignes = 8; });
    w.DessinGrille();
    QCOMPARE(grid.size(), normal);
}

QTEST_MAIN(PublishMenuTest)
#include "publish_menu_test.moc"
