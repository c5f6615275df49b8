// A setter's day at the main window: the standard file shortcuts, the
// symmetry of typed black squares, the grid fitted to the window and the
// French labels of rows and columns, each kept between runs.
#include "common/string_grid.h"
#include "definitions/clue_sheet_window.h"
#include "support/test_app.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

using namespace orv;
using namespace orv::test;

namespace {

// An empty grid of n by n playing cells, saved as it stands.
void squareGrid(TMainForm& w, int n) {
    editGrid(w, [n](Grille& g) {
        g.NbLignes = g.NbColonnes = n + 1;
        g.Raz();
    });
    w.DessinGrille();
    w.document().markSaved();
}

// A key typed on a cell of the grid, as the user does.
void typeAt(TMainForm& w, int col, int row, Qt::Key key) {
    QVERIFY(w.StringGrid1->setCurrent(col, row));
    QTest::keyClick(w.StringGrid1, key, Qt::NoModifier);
}

QStringList headerColumn(const StringGrid& grid) {
    QStringList labels;
    for (int r = 1; r < grid.rowCount(); ++r)
        labels.append(grid.cell(0, r));
    return labels;
}

QStringList headerRow(const StringGrid& grid) {
    QStringList labels;
    for (int c = 1; c < grid.colCount(); ++c)
        labels.append(grid.cell(c, 0));
    return labels;
}

QStringList sheetLabels(const QTableWidget* table) {
    QStringList labels;
    for (int r = 0; r < table->rowCount(); ++r)
        labels.append(table->item(r, 0)->text());
    return labels;
}

void activate(TMainForm& w) {
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

} // namespace

class SetterViewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QSettings().clear(); }
    void fileShortcutsWorkAndShowInTheMenu();
    void typedBlackSquaresGetTheirMirror();
    void fittedSizeFillsThePanelAndFollowsIt();
    void frenchLabelsOnScreenSheetAndMessages();
};

void SetterViewTest::fileShortcutsWorkAndShowInTheMenu() {
    TestApp app;
    TMainForm& w = app.start();
    const struct {
        const char* name;
        QKeySequence keys;
        const char* caption;
    } expected[] = {
        {"NewItem", QKeySequence(QStringLiteral("Ctrl+N")), "&Nouvelle grille"},
        {"OpenItem", QKeySequence(QStringLiteral("Ctrl+O")), "&Ouvrir..."},
        {"Enregistrer1", QKeySequence(QStringLiteral("Ctrl+S")), "&Enregistrer"},
        {"Enregistrersous1", QKeySequence(QStringLiteral("Ctrl+Shift+S")), "Enregistrer &sous..."},
        {"ExitItem", QKeySequence(QStringLiteral("Alt+X")), "&Quitter"},
    };
    auto* fileMenu = child<QMenu>(&w, "FileMenu");
    for (const auto& e : expected) {
        auto* action = child<QAction>(&w, e.name);
        QVERIFY2(action, e.name);
        QCOMPARE(action->shortcut(), e.keys);
        // The mnemonic stays, and the menu shows the shortcut beside it.
        QCOMPARE(action->text(), QString::fromUtf8(e.caption));
        QVERIFY(fileMenu->actions().contains(action));
    }

    // Ctrl+S names a new grid's file and writes it; Ctrl+S again after a
    // change writes the change.
    activate(w);
    typeAt(w, 2, 2, Qt::Key_E);
    app.fakes.files.savePaths.append(app.path(QStringLiteral("essai.grd")));
    QTest::keyClick(w.StringGrid1, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(app.path(QStringLiteral("essai.grd"))));
    QVERIFY(!w.document().isModified());
    QCOMPARE(w.grille().cell(2, 2), 'E'); // the key was a command, not a letter
    typeAt(w, 3, 2, Qt::Key_T);
    QVERIFY(w.document().isModified());
    QTest::keyClick(w.StringGrid1, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!w.document().isModified());
    QVERIFY(app.readFile(QStringLiteral("essai.grd")).contains("ET"));
    QCOMPARE(app.fakes.files.saveFilters.size(), 1); // the name was asked once

    // Ctrl+Maj+S asks for another name, Ctrl+O for a file, Ctrl+N starts afresh.
    app.fakes.files.savePaths.append(app.path(QStringLiteral("copie.grd")));
    QTest::keyClick(w.StringGrid1, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(QFile::exists(app.path(QStringLiteral("copie.grd"))));
    QCOMPARE(w.document().shortName(), QStringLiteral("copie.grd"));
    QTest::keyClick(w.StringGrid1, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(app.fakes.files.openFilters.size(), 1);
    QTest::keyClick(w.StringGrid1, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(w.grille().cell(2, 2), ' ');
    QVERIFY(w.document().shortName().isEmpty());
}

void SetterViewTest::typedBlackSquaresGetTheirMirror() {
    {
        TestApp app;
        TMainForm& w = app.start();
        squareGrid(w, 10);
        activate(w);
        // Off by default: a black square stands alone.
        auto* symmetry = child<QAction>(&w, "blackSymmetry");
        QVERIFY(symmetry->isCheckable() && !symmetry->isChecked());
        QVERIFY(child<QMenu>(&w, "GrilleMenu")->actions().contains(symmetry));
        typeAt(w, 3, 4, Qt::Key_Space);
        QCOMPARE(w.grille().cell(3, 4), '#');
        QCOMPARE(w.grille().cell(8, 7), ' ');

        trigger(w, "blackSymmetry");
        // B2 of a 10 by 10 grid faces I9.
        typeAt(w, 2, 2, Qt::Key_Space);
        QCOMPARE(w.grille().cell(2, 2), '#');
        QCOMPARE(w.grille().cell(9, 9), '#');
        QCOMPARE(w.document().undoDescription(),
                 QStringLiteral("la case noire en B2 et sa symétrique en I9"));
        // One step: Annuler takes both back.
        trigger(w, "undo");
        QCOMPARE(w.grille().cell(2, 2), ' ');
        QCOMPARE(w.grille().cell(9, 9), ' ');
        trigger(w, "redo");
        QCOMPARE(w.grille().cell(9, 9), '#');

        // Erasing the black square erases its mirror; a letter there is kept.
        typeAt(w, 9, 9, Qt::Key_Backspace);
        QCOMPARE(w.grille().cell(2, 2), ' ');
        QCOMPARE(w.grille().cell(9, 9), ' ');
        typeAt(w, 5, 1, Qt::Key_A);
        typeAt(w, 6, 10, Qt::Key_Space);
        QCOMPARE(w.grille().cell(5, 1), '#'); // the symmetry's rule wins
        typeAt(w, 5, 1, Qt::Key_Delete);
        QCOMPARE(w.grille().cell(6, 10), ' ');
        typeAt(w, 3, 4, Qt::Key_Z);
        QCOMPARE(w.grille().cell(3, 4), 'Z');
        QCOMPARE(w.grille().cell(8, 7), ' ');
        QCOMPARE(w.document().undoDescription(), QStringLiteral("la saisie de la lettre Z en C4"));
        // The middle of an odd grid is its own mirror.
        squareGrid(w, 9);
        typeAt(w, 5, 5, Qt::Key_Space);
        QCOMPARE(w.document().undoDescription(), QStringLiteral("la case noire en E5"));
    }
    // Kept for the next run.
    TestApp again;
    TMainForm& w = again.start();
    QVERIFY(child<QAction>(&w, "blackSymmetry")->isChecked());
    squareGrid(w, 7);
    typeAt(w, 1, 1, Qt::Key_Space);
    QCOMPARE(w.grille().cell(7, 7), '#');
}

void SetterViewTest::fittedSizeFillsThePanelAndFollowsIt() {
    TestApp app;
    TMainForm& w = app.start();
    squareGrid(w, 10);
    auto* panel = child<QWidget>(&w, "Panel1");
    StringGrid& grid = *w.StringGrid1;
    QCOMPARE(grid.cellRect(1, 1).width(), 20);
    activate(w);
    QTest::keyClick(w.StringGrid1, Qt::Key_9, Qt::ControlModifier);
    QVERIFY(w.fitsGrid());
    // A 10 by 10 grid is higher than wide with its header: it fills the height.
    auto fillsHeight = [&] {
        const int pitch = grid.rowHeight(1) + grid.gridLineWidth();
        return grid.height() <= panel->height() && grid.height() > panel->height() - 11 &&
               grid.width() <= panel->width() && pitch > 22;
    };
    QTRY_VERIFY(fillsHeight());
    QVERIFY(grid.geometry().top() >= 0 && grid.geometry().bottom() < panel->height());

    // It follows the window.
    w.setWindowState(Qt::WindowNoState);
    w.resize(500, 420);
    QTRY_COMPARE(w.size(), QSize(500, 420));
    QTRY_VERIFY(fillsHeight() || grid.width() > panel->width() - 12);
    QVERIFY(grid.width() <= panel->width() && grid.height() <= panel->height());
    const int small = grid.cellRect(1, 1).width();
    w.resize(900, 800);
    QTRY_VERIFY(grid.cellRect(1, 1).width() > small);
    // New dimensions are fitted too.
    squareGrid(w, 16);
    QVERIFY(grid.width() <= panel->width() && grid.height() <= panel->height());
    QVERIFY(grid.height() > panel->height() - 17 || grid.width() > panel->width() - 17);

    // Kept for the next run; Ctrl+0 comes back to the normal size.
    QVERIFY(QSettings().value(QStringLiteral("Affichage/TailleAjustee")).toBool());
    QTest::keyClick(w.StringGrid1, Qt::Key_0, Qt::ControlModifier);
    QVERIFY(!w.fitsGrid());
    QCOMPARE(w.zoom(), 100);
    QCOMPARE(grid.cellRect(1, 1).width(), 20);
    QCOMPARE(grid.pos(), QPoint(0, 0));
    QVERIFY(!QSettings().value(QStringLiteral("Affichage/TailleAjustee")).toBool());
}

void SetterViewTest::frenchLabelsOnScreenSheetAndMessages() {
    TestApp app;
    TMainForm& w = app.start();
    squareGrid(w, 10);
    QCOMPARE(headerColumn(*w.StringGrid1).first(), QStringLiteral("1"));
    QCOMPARE(headerRow(*w.StringGrid1).first(), QStringLiteral("A"));
    auto* french = child<QAction>(&w, "frenchLabels");
    QVERIFY(child<QMenu>(&w, "AffichageMenu")->actions().contains(french));
    french->trigger();
    QCOMPARE(headerColumn(*w.StringGrid1),
             (QStringList{"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X"}));
    QCOMPARE(headerRow(*w.StringGrid1),
             (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    // "VIII" is wider than a cell: the header column makes room for it.
    const QFontMetrics metrics(w.StringGrid1->font());
    QVERIFY(w.StringGrid1->colWidth(0) >= metrics.horizontalAdvance(QStringLiteral("VIII")));

    // The undo hint in the status bar names the cell as the print does.
    activate(w);
    typeAt(w, 3, 2, Qt::Key_A);
    w.findChild<QAction*>(QStringLiteral("undo"))->showStatusText(&w);
    QCOMPARE(w.panel0->text(), QStringLiteral("Annuler la saisie de la lettre A en II-3"));

    // The clue sheet labels its rows and columns the same way.
    trigger(w, "Dfinitions1");
    auto* sheet = child<TDefgrille>(&w, "Defgrille");
    QVERIFY(sheet);
    QVERIFY(sheet->isVisible());
    QCOMPARE(sheetLabels(sheet->StringGrid1).mid(0, 4), (QStringList{"I", "II", "III", "IV"}));
    QCOMPARE(sheetLabels(sheet->StringGrid1).last(), QStringLiteral("X"));
    QCOMPARE(sheetLabels(sheet->StringGrid2).last(), QStringLiteral("10"));
    // "VIII" shows whole in the fixed column.
    QVERIFY(sheet->StringGrid1->columnWidth(0) >
            sheet->StringGrid1->fontMetrics().horizontalAdvance(QStringLiteral("VIII")));

    // Kept for the next run, and back to the program's labels when unchecked.
    QVERIFY(QSettings().value(QStringLiteral("Affichage/ReperesFrancais")).toBool());
    french->trigger();
    QCOMPARE(headerColumn(*w.StringGrid1).last(), QStringLiteral("10"));
    QCOMPARE(headerRow(*w.StringGrid1).last(), QStringLiteral("J"));
    QCOMPARE(w.StringGrid1->colWidth(0), 20);
    typeAt(w, 3, 2, Qt::Key_B);
    QCOMPARE(w.document().undoDescription(), QStringLiteral("la saisie de la lettre B en C2"));
}

QTEST_MAIN(SetterViewTest)
#include "setter_view_test.moc"
