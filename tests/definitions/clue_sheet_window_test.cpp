// The grid clue sheet driven through the main window's command: its labels
// and columns, which keys count as typing, what is copied back into the grid
// and when Modifie is raised; docked beside the grid, it follows the grid's
// cursor and moves it, shows each line's words, offers the clues already
// written for a word and counts the words still without one.
#include "common/codec.h"
#include "common/string_grid.h"
#include "definitions/clue_base.h"
#include "definitions/clue_sheet_window.h"
#include "definitions/typing.h"
#include "grid/grid_file.h"
#include "publish/grid_source.h"
#include "publish/ipuz_file.h"
#include "support/sample_grid.h"
#include "support/test_app.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

using namespace orv;
using namespace orv::test;

namespace {

// Opens the sheet from the tool bar, runs the script on it while it is shown
// and closes it.
void runSheet(TestApp& app, std::function<void(TDefgrille&)> script) {
    // Docked, the sheet works in the main window, active as on a desktop.
    app.main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&app.main()));
    QTest::mouseClick(child<QToolButton>(&app.main(), "SpeedButton3"), Qt::LeftButton);
    auto* sheet = child<TDefgrille>(&app.main(), "Defgrille");
    QVERIFY(sheet);
    QVERIFY(sheet->isVisible());
    script(*sheet);
    sheet->close();
    QVERIFY(!sheet->isVisible());
}

// Starts editing a clue cell from the keyboard and returns its editor.
QLineEdit* editClue(QTableWidget* grid, int row) {
    grid->setFocus();
    grid->setCurrentCell(row, 1);
    QTest::keyClick(grid, Qt::Key_F2);
    // Editors closed earlier are hidden until they are deleted.
    for (QLineEdit* edit : grid->viewport()->findChildren<QLineEdit*>())
        if (edit->isVisible())
            return edit;
    return nullptr;
}

QStringList column(const QTableWidget* grid, int col) {
    QStringList texts;
    for (int r = 0; r < grid->rowCount(); ++r)
        texts.append(grid->item(r, col) ? grid->item(r, col)->text() : QString());
    return texts;
}

void setClues(TMainForm& w, int count) {
    editGrid(w, [count](Grille& g) {
        for (int k = 0; k < count; ++k) {
            g.DefHoriz[std::size_t(k)] = "Horizontale " + QByteArray::number(k + 1) + " \xe9t\xe9";
            g.DefVert[std::size_t(k)] = "Verticale " + QByteArray::number(k + 1);
        }
    });
}

// Row 1 holds ROI and MER on either side of a black square; the other cells
// are empty. Words: rows 1 (two) and 2 to 7, columns 1 to 7 (column D from row 2).
void setRoiMer(TMainForm& w) {
    editGrid(w, [](Grille& g) {
        const char* row = "ROI#MER";
        for (int c = 1; c <= 7; ++c)
            g.cell(c, 1) = row[c - 1];
    });
}

TDefgrille& openSheet(TMainForm& w) {
    w.activateWindow();
    if (!QTest::qWaitForWindowActive(&w))
        qFatal("the main window is not active");
    trigger(w, "Dfinitions1");
    auto* sheet = w.findChild<TDefgrille*>(QStringLiteral("Defgrille"));
    if (!sheet)
        qFatal("no clue sheet");
    return *sheet;
}

QString words(const QTableWidget* grid, int row) {
    return grid->item(row, 1)->data(ClueDelegate::WordsRole).toString();
}

QStringList listed(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->data(Qt::UserRole).toString());
    return texts;
}

void clickRow(QTableWidget* grid, int row) {
    const QRect rect = grid->visualItemRect(grid->item(row, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
}

} // namespace

class ClueSheetWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Ending an edit must never hand the view an editor it let go of.
    void init() {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("does not belong to this view")));
    }
    void showsOneClueForEachPlayingRowAndColumn();
    void closingWithoutTypingLeavesModifie_data();
    void closingWithoutTypingLeavesModifie();
    void typedClueWithAccentsReachesTheGrid();
    void backspaceAfterACharacterCounts();
    void deleteAndArrowsAloneDoNotCount();
    void cluesOfALargerGridKeptAfterShrinking();
    void tabEndsTheEditAndLeavesTheGrid();
    void typedCluesSurviveASaveAndAnOpen();
    void longCluesAreNeverCutWithoutAsking();
    void followsTheGridCursorAndMovesIt();
    void storedCluesArePlacedByAKeyAndJoined();
    void cluesWrittenInTheDockAreStepsOfTheGrid();
    void clueBeingTypedIsKeptBySaveAndQuestion();
};

void ClueSheetWindowTest::showsOneClueForEachPlayingRowAndColumn() {
    TestApp app;
    TMainForm& w = app.start();
    setClues(w, 23);
    runSheet(app, [](TDefgrille& s) {
        QCOMPARE(s.windowTitle(), QStringLiteral("Définitions des grilles"));
        QCOMPARE(s.Label1->text(), QStringLiteral("Horizontalement"));
        QCOMPARE(s.Label2->text(), QStringLiteral("Verticalement"));
        QCOMPARE(s.Button1->text(), QStringLiteral("Fermer"));
        QCOMPARE(column(s.StringGrid1, 0), (QStringList{"1", "2", "3", "4", "5", "6", "7"}));
        QCOMPARE(column(s.StringGrid2, 0), (QStringList{"A", "B", "C", "D", "E", "F", "G"}));
        QCOMPARE(s.StringGrid1->item(6, 1)->text(), QStringLiteral("Horizontale 7 été"));
        QCOMPARE(s.StringGrid2->item(0, 1)->text(), QStringLiteral("Verticale 1"));
        for (QTableWidget* grid : {s.StringGrid1, s.StringGrid2}) {
            QCOMPARE(grid->columnCount(), 2);
            QCOMPARE(grid->columnWidth(0), 30);
            // Docked, the clue column takes the rest of the sheet's width.
            QCOMPARE(grid->columnWidth(0) + grid->columnWidth(1), grid->viewport()->width());
            // The fixed column is neither selected nor edited.
            QCOMPARE(grid->item(0, 0)->flags() & (Qt::ItemIsSelectable | Qt::ItemIsEditable),
                     Qt::ItemFlags());
            QVERIFY(grid->item(0, 1)->flags() & Qt::ItemIsEditable);
        }
        QTest::mouseClick(s.Button1, Qt::LeftButton);
        QVERIFY(!s.isVisible());
    });
    // Docked in the main window, not shown as a dialog.
    QVERIFY(app.fakes.modal.shown.isEmpty());
    QCOMPARE(w.dockWidgetArea(child<TDefgrille>(&w, "Defgrille")), Qt::RightDockWidgetArea);
    QCOMPARE(w.grille().DefHoriz[6], QByteArray("Horizontale 7 \xe9t\xe9"));
    QCOMPARE(w.grille().DefHoriz[7], QByteArray("Horizontale 8 \xe9t\xe9"));
}

void ClueSheetWindowTest::closingWithoutTypingLeavesModifie_data() {
    QTest::addColumn<bool>("modified");
    QTest::newRow("saved grid") << false;
    QTest::newRow("unsaved changes") << true;
}

void ClueSheetWindowTest::closingWithoutTypingLeavesModifie() {
    QFETCH(bool, modified);
    TestApp app;
    TMainForm& w = app.start();
    setClues(w, 7);
    if (!modified)
        w.document().markSaved();
    runSheet(app, [](TDefgrille& s) {
        // Moving around and opening an editor types nothing.
        s.StringGrid1->setFocus();
        QTest::keyClick(s.StringGrid1, Qt::Key_Down);
        QTest::keyClick(s.StringGrid1, Qt::Key_F2);
        QTest::keyClick(s.StringGrid1, Qt::Key_Escape);
        QVERIFY(!s.GetMd());
    });
    QCOMPARE(w.document().isModified(), modified);
    QCOMPARE(w.grille().DefHoriz[1], QByteArray("Horizontale 2 \xe9t\xe9"));
}

void ClueSheetWindowTest::typedClueWithAccentsReachesTheGrid() {
    TestApp app;
    TMainForm& w = app.start();
    setClues(w, 7);
    runSheet(app, [](TDefgrille& s) {
        s.StringGrid1->setFocus();
        s.StringGrid1->setCurrentCell(2, 1);
        // The first character starts the edit and replaces the clue.
        typeText(s.StringGrid1, QStringLiteral("P"));
        QLineEdit* editor = s.StringGrid1->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        // Ω has no place in Windows-1252 and is refused where it is typed.
        typeText(editor, QStringLiteral("ièce d'œuvre Ω à 5 €"));
        QCOMPARE(editor->text(), QStringLiteral("Pièce d'œuvre  à 5 €"));
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(s.isVisible()); // Enter ends the edit, not the sheet
        QLineEdit* second = editClue(s.StringGrid2, 6);
        QVERIFY(second);
        typeText(second, QStringLiteral("Ça"));
        // Closed in the middle of the edit: what was typed is kept.
        QTest::mouseClick(s.Button1, Qt::LeftButton);
        QVERIFY(s.GetMd());
    });
    QVERIFY(w.document().isModified());
    QCOMPARE(w.grille().DefHoriz[2], QByteArray("Pi\xe8"
                                                "ce d'\x9cuvre  \xe0 5 \x80"));
    QCOMPARE(w.grille().DefVert[6], QByteArray("\xc7"
                                               "a"));
    QCOMPARE(w.grille().DefHoriz[1], QByteArray("Horizontale 2 \xe9t\xe9"));
    QCOMPARE(w.grille().DefVert[5], QByteArray("Verticale 6"));

    // Each opening refills every clue: the sheet shows the grid's clues again.
    editGrid(w, [](Grille& g) { g.DefVert[6] = "autre"; });
    runSheet(app, [](TDefgrille& s) {
        QCOMPARE(s.StringGrid2->item(6, 1)->text(), QStringLiteral("autre"));
        QVERIFY(!s.GetMd());
    });
    QCOMPARE(w.grille().DefVert[6], QByteArray("autre"));
}

void ClueSheetWindowTest::backspaceAfterACharacterCounts() {
    TestApp app;
    TMainForm& w = app.start();
    editGrid(w, [](Grille& g) { g.DefVert[0] = "ABC"; });
    runSheet(app, [](TDefgrille& s) {
        QLineEdit* editor = editClue(s.StringGrid2, 0);
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClick(editor, 'x');
        QTest::keyClick(editor, Qt::Key_Backspace);
        QCOMPARE(editor->text(), QStringLiteral("ABC"));
    });
    QVERIFY(w.document().isModified());
    QCOMPARE(w.grille().DefVert[0], QByteArray("ABC"));
    // Typed, but the clue is what it was: no step beside the set-up's own.
    QCOMPARE(w.document().undoCount(), 1);
}

void ClueSheetWindowTest::deleteAndArrowsAloneDoNotCount() {
    TestApp app;
    TMainForm& w = app.start();
    editGrid(w, [](Grille& g) { g.DefHoriz[0] = "ABC"; });
    w.document().markSaved();
    runSheet(app, [](TDefgrille& s) {
        QLineEdit* editor = editClue(s.StringGrid1, 0);
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Home);
        QTest::keyClick(editor, Qt::Key_Right);
        QTest::keyClick(editor, Qt::Key_Delete);
        QCOMPARE(editor->text(), QStringLiteral("AC"));
        QTest::keyClick(s.StringGrid1, Qt::Key_Up);
        QVERIFY(!s.GetMd());
    });
    // The sheet saw no typing, but the clue did change: it comes back as a
    // change to save, and one step that undo takes back.
    QCOMPARE(w.grille().DefHoriz[0], QByteArray("AC"));
    QVERIFY(w.document().isModified());
    QCOMPARE(w.document().undoDescription(),
             QStringLiteral("la modification des définitions de la grille"));
    trigger(w, "undo");
    QCOMPARE(w.grille().DefHoriz[0], QByteArray("ABC"));
    QVERIFY(!w.document().isModified());
}

void ClueSheetWindowTest::cluesOfALargerGridKeptAfterShrinking() {
    TestApp app;
    TMainForm& w = app.start();
    editGrid(w, [](Grille& g) { g.NbLignes = 11; });
    setClues(w, 10);
    runSheet(app, [](TDefgrille& s) { QCOMPARE(s.StringGrid1->rowCount(), 10); });
    editGrid(w, [](Grille& g) { g.NbLignes = 8; });
    runSheet(app, [](TDefgrille& s) {
        QCOMPARE(s.StringGrid1->rowCount(), 7);
        QCOMPARE(s.StringGrid2->rowCount(), 7);
        QLineEdit* editor = editClue(s.StringGrid1, 6);
        QVERIFY(editor);
        typeText(editor, QStringLiteral("nouvelle"));
    });
    QCOMPARE(w.grille().DefHoriz[6], QByteArray("nouvelle"));
    for (int k = 7; k < 10; ++k)
        QCOMPARE(w.grille().DefHoriz[std::size_t(k)],
                 "Horizontale " + QByteArray::number(k + 1) + " \xe9t\xe9");
    editGrid(w, [](Grille& g) { g.NbLignes = 11; });
    runSheet(app, [](TDefgrille& s) {
        QCOMPARE(s.StringGrid1->item(9, 1)->text(), QStringLiteral("Horizontale 10 été"));
    });
}

void ClueSheetWindowTest::tabEndsTheEditAndLeavesTheGrid() {
    TestApp app;
    TMainForm& w = app.start();
    runSheet(app, [](TDefgrille& s) {
        QLineEdit* editor = editClue(s.StringGrid1, 3);
        QVERIFY(editor);
        typeText(editor, QStringLiteral("Dé"));
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(s.StringGrid1->item(3, 1)->text(), QStringLiteral("Dé"));
        QCOMPARE(QApplication::focusWidget(), s.StringGrid2);
        QCOMPARE(s.StringGrid1->currentRow(), 3);
        QTest::keyClick(s.StringGrid2, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s.ListeIndices);
    });
    QCOMPARE(w.grille().DefHoriz[3], QByteArray("D\xe9"));
}

void ClueSheetWindowTest::typedCluesSurviveASaveAndAnOpen() {
    TestApp app;
    TMainForm& w = app.start();
    runSheet(app, [](TDefgrille& s) {
        QLineEdit* row = editClue(s.StringGrid1, 0);
        QVERIFY(row);
        typeText(row, QStringLiteral("Fête de l'été à Noël"));
        QTest::keyClick(row, Qt::Key_Return);
        QLineEdit* col = editClue(s.StringGrid2, 6);
        QVERIFY(col);
        typeText(col, QStringLiteral("Œuvre d'un maçon"));
        QTest::keyClick(col, Qt::Key_Return);
        QTest::mouseClick(s.Button1, Qt::LeftButton);
    });
    QVERIFY(w.document().isModified());
    app.fakes.files.savePaths << app.path(QStringLiteral("clues"));
    w.findChild<QAction*>(QStringLiteral("Enregistrersous1"))->trigger();
    QVERIFY(!w.document().isModified());
    QVERIFY(app.readFile(QStringLiteral("clues.grd"))
                .contains(QByteArray("\x01 F\xeate de l'\xe9t\xe9 \xe0 No\xebl\r\n")));

    // Other clues in memory, then the file is opened again.
    editGrid(w, [](Grille& g) { g.DefHoriz[0] = "autre"; });
    editGrid(w, [](Grille& g) { g.DefVert[6] = "autre"; });
    app.fakes.messages.answers << MessageService::Answer::No;
    app.fakes.files.openPaths << app.path(QStringLiteral("clues.grd"));
    w.findChild<QAction*>(QStringLiteral("OpenItem"))->trigger();
    QCOMPARE(app.fakes.messages.questions.size(), 1);
    runSheet(app, [](TDefgrille& s) {
        QCOMPARE(s.StringGrid1->item(0, 1)->text(), QStringLiteral("Fête de l'été à Noël"));
        QCOMPARE(s.StringGrid2->item(6, 1)->text(), QStringLiteral("Œuvre d'un maçon"));
    });
    QCOMPARE(app.fakes.messages.total(), 1);
}

void ClueSheetWindowTest::longCluesAreNeverCutWithoutAsking() {
    TestApp app;
    TMainForm& w = app.start();
    // An ipuz file brings a clue longer than a grid file holds.
    Grille g = test::sampleGrid();
    const QByteArray longClue = "Tr\xe8s longue " + QByteArray(288, 'x'); // 300 characters
    g.DefHoriz[2] = longClue;
    writeIpuzFile(app.path(QStringLiteral("longue.ipuz")), g);
    app.fakes.files.openPaths << app.path(QStringLiteral("longue.ipuz"));
    trigger(w, "OpenItem");
    QCOMPARE(w.grille().DefHoriz[2], longClue);

    runSheet(app, [](TDefgrille& s) {
        QCOMPARE(
            s.LabelLongueur->text(),
            QStringLiteral("%1 / 255 caractères").arg(s.StringGrid1->item(0, 1)->text().size()));
        // Shown whole, and an edit opened and closed on it leaves it whole.
        QLineEdit* edit = editClue(s.StringGrid1, 2);
        QVERIFY(edit);
        QCOMPARE(edit->text().size(), 300);
        QCOMPARE(s.LabelLongueur->text(),
                 QStringLiteral("300 caractères : un fichier de grille n'en garde que 255"));
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_A); // no room to grow
        QCOMPARE(edit->text().size(), 300);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(s.StringGrid1->item(2, 1)->text().size(), 300);
        // Typing stops at what a grid file holds, and the count says so.
        edit = editClue(s.StringGrid1, 0);
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClicks(edit, QString(300, QLatin1Char('y')));
        QCOMPARE(edit->text(), QString(255, QLatin1Char('y')));
        QCOMPARE(s.LabelLongueur->text(), QStringLiteral("255 / 255 caractères"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    QCOMPARE(w.grille().DefHoriz[2], longClue);
    QCOMPARE(w.grille().DefHoriz[0], QByteArray(255, 'y'));

    // Saving as a grid file asks first; closing the question writes nothing
    // and leaves the grid, its clue and its lack of a name as they were.
    app.fakes.files.savePaths << app.path(QStringLiteral("longue"));
    trigger(w, "Enregistrersous1");
    QCOMPARE(app.fakes.messages.choiceTexts.size(), 1);
    QCOMPARE(app.fakes.messages.choiceTexts[0],
             QStringLiteral("La définition de la ligne 3 sera coupée à 255 caractères (elle en a "
                            "300).\n\nUn fichier de grille garde au plus 255 caractères par "
                            "définition ; l'export en ipuz les garde entières."));
    QCOMPARE(app.fakes.messages.choiceSets[0],
             (QStringList{QStringLiteral("Couper et enregistrer"), QStringLiteral("Annuler")}));
    QVERIFY(!QFile::exists(app.path(QStringLiteral("longue.grd"))));
    QVERIFY(w.document().fileName().isEmpty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Orv Grille"));
    QCOMPARE(w.grille().DefHoriz[2], longClue);
    QVERIFY(w.document().isModified());

    // The save question of « Nouvelle grille »: « Oui », then the cut refused,
    // stops the command, so the clue is not thrown away with the grid.
    app.fakes.messages.answers << MessageService::Answer::Yes;
    app.fakes.files.savePaths << app.path(QStringLiteral("longue"));
    trigger(w, "NewItem");
    QCOMPARE(app.fakes.messages.choiceTexts.size(), 2);
    QCOMPARE(w.grille().DefHoriz[2], longClue);
    QCOMPARE(w.grille().cell(1, 1), g.cell(1, 1));
    QVERIFY(!QFile::exists(app.path(QStringLiteral("longue.grd"))));

    // Agreed: the grid holds what its file holds, as one step that Annuler takes back.
    app.fakes.messages.choiceAnswers << 0;
    app.fakes.files.savePaths << app.path(QStringLiteral("longue"));
    trigger(w, "Enregistrersous1");
    QCOMPARE(w.grille().DefHoriz[2], longClue.left(255));
    QVERIFY(!w.document().isModified());
    QCOMPARE(w.document().shortName(), QStringLiteral("longue.grd"));
    QCOMPARE(loadAnyGrid(app.path(QStringLiteral("longue.grd"))).DefHoriz[2], longClue.left(255));
    trigger(w, "undo");
    QCOMPARE(w.grille().DefHoriz[2], longClue);
    QVERIFY(w.document().isModified());
    QCOMPARE(app.fakes.messages.total(), 4);
}

void ClueSheetWindowTest::followsTheGridCursorAndMovesIt() {
    TestApp app;
    TMainForm& w = app.start();
    setRoiMer(w);
    StringGrid* grid = w.StringGrid1;
    grid->setCurrent(5, 1);
    TDefgrille& s = openSheet(w);
    QVERIFY(s.isVisible());

    // Each line shows its words, a cell without a letter as ".".
    QCOMPARE(words(s.StringGrid1, 0), QStringLiteral("ROI \u00b7 MER"));
    QCOMPARE(s.StringGrid1->item(0, 1)->toolTip(), QStringLiteral("1. ROI \u00b7 MER"));
    QCOMPARE(words(s.StringGrid1, 1), QStringLiteral("......."));
    QCOMPARE(words(s.StringGrid2, 3), QStringLiteral("......"));
    QCOMPARE(words(s.StringGrid2, 4), QStringLiteral("M......"));
    // The cursor's row and column are the sheet's current lines; the word under it is named.
    QCOMPARE(s.StringGrid1->currentRow(), 0);
    QCOMPARE(s.StringGrid2->currentRow(), 4);
    QCOMPARE(s.LabelMot->text(), QStringLiteral("1. ROI \u00b7 [MER]"));

    // The grid stays in use while the sheet is open, and the sheet follows it.
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(s.StringGrid1->currentRow(), 1);
    QTest::keyClick(grid, Qt::Key_X);
    QCOMPARE(w.grille().cell(5, 2), 'X');
    QCOMPARE(words(s.StringGrid1, 1), QStringLiteral("....X.."));
    QCOMPARE(words(s.StringGrid2, 4), QStringLiteral("MX....."));

    // Moving in the sheet moves the grid's cursor along: the column stays
    // where a word of the new row passes it...
    s.StringGrid1->setFocus();
    QTest::keyClick(s.StringGrid1, Qt::Key_Down);
    QCOMPARE(QPoint(grid->col(), grid->row()), QPoint(5, 3));
    // ... and the cursor goes to the row's first word where the row is black there.
    grid->setCurrent(4, 3);
    QCOMPARE(s.StringGrid1->currentRow(), 2);
    QCOMPARE(s.StringGrid2->currentRow(), 3);
    clickRow(s.StringGrid1, 0);
    QCOMPARE(QPoint(grid->col(), grid->row()), QPoint(1, 1));
    QCOMPARE(s.LabelMot->text(), QStringLiteral("1. [ROI] \u00b7 MER"));
    // A column chosen in the sheet: the row stays, and the word is the column's.
    clickRow(s.StringGrid2, 6);
    QCOMPARE(QPoint(grid->col(), grid->row()), QPoint(7, 1));
    QCOMPARE(s.direction(), SlotDirection::Vertical);
    QCOMPARE(s.LabelMot->text(), QStringLiteral("G. R......"));

    // Labelled as the grid labels its lines.
    w.document().setLabelStyle(LabelStyle::French);
    QCOMPARE(s.StringGrid1->item(0, 0)->text(), QStringLiteral("I"));
    QCOMPARE(s.StringGrid1->item(0, 1)->toolTip(), QStringLiteral("I. ROI \u00b7 MER"));
    QCOMPARE(s.LabelMot->text(), QStringLiteral("7. R......"));
}

void ClueSheetWindowTest::storedCluesArePlacedByAKeyAndJoined() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicodef.dat"), "MER\t\xc9tendue d'eau sal\xe9"
                                                 "e\r\n");
    TMainForm& w = app.start();
    ClueBase* base = w.document().clueBase();
    QVERIFY(base);
    base->add({{0, QStringLiteral("ROI"), QStringLiteral("Souverain"), QStringLiteral("a.grd"),
                QStringLiteral("2024-01-01 10:00")},
               {0, QStringLiteral("ROI"), QStringLiteral("Chef d'État"), QStringLiteral("b.grd"),
                QStringLiteral("2025-06-01 10:00")},
               {0, QStringLiteral("ROI"), QStringLiteral("Pion du jeu"), QStringLiteral("c.grd"),
                QStringLiteral("2023-03-01 10:00")}});
    setRoiMer(w);
    w.document().markSaved();
    w.StringGrid1->setCurrent(2, 1);
    TDefgrille& s = openSheet(w);
    // 2 words in row 1, one in each of rows 2 to 7, columns A to G.
    QCOMPARE(s.LabelCompte->text(), QStringLiteral("15 mots sans définition"));

    // The most recent first, numbered for their keys.
    QCOMPARE(listed(s.ListeIndices), (QStringList{"Chef d'État", "Souverain", "Pion du jeu"}));
    QCOMPARE(s.ListeIndices->item(1)->text(), QStringLiteral("2. Souverain"));
    QCOMPARE(s.ListeIndices->item(1)->toolTip(),
             QStringLiteral("Écrite le 2024-01-01 10:00 pour a.grd"));
    QTest::keyClick(s.StringGrid1, Qt::Key_2, Qt::ControlModifier);
    QCOMPARE(w.grille().DefHoriz[0], QByteArray("Souverain."));
    QCOMPARE(s.StringGrid1->item(0, 1)->text(), QStringLiteral("Souverain."));
    QVERIFY(w.document().isModified());
    QCOMPARE(s.LabelCompte->text(), QStringLiteral("14 mots sans définition"));

    // The second word of the line: the definitions list's clue, once,
    // placed with Enter after its clue; the two are joined the French way.
    w.StringGrid1->setCurrent(6, 1);
    QCOMPARE(listed(s.ListeIndices), QStringList{"Étendue d'eau salée"});
    QCOMPARE(s.ListeIndices->item(0)->toolTip(),
             QStringLiteral("Définition des mots (Dicodef.dat)"));
    s.ListeIndices->setFocus();
    QTest::keyClick(s.ListeIndices, Qt::Key_Return);
    QCOMPARE(w.grille().DefHoriz[0], QByteArray("Souverain. \x96 \xc9tendue d'eau sal\xe9"
                                                "e."));
    QCOMPARE(s.LabelCompte->text(), QStringLiteral("13 mots sans définition"));

    // A double click replaces the first word's clue and keeps the second.
    w.StringGrid1->setCurrent(1, 1);
    const QRect first = s.ListeIndices->visualItemRect(s.ListeIndices->item(0));
    QTest::mouseClick(s.ListeIndices->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseDClick(s.ListeIndices->viewport(), Qt::LeftButton, {}, first.center());
    QCOMPARE(toUi(w.grille().DefHoriz[0]),
             QStringLiteral("Chef d'État. \u2013 Étendue d'eau salée."));
    QCOMPARE(s.StringGrid1->item(0, 1)->text(), toUi(w.grille().DefHoriz[0]));

    // A word not complete offers nothing; a key then places nothing.
    w.StringGrid1->setCurrent(1, 2);
    QCOMPARE(s.direction(), SlotDirection::Horizontal);
    QCOMPARE(s.ListeIndices->count(), 0);
    QTest::keyClick(s.StringGrid1, Qt::Key_1, Qt::ControlModifier);
    QVERIFY(w.grille().DefHoriz[1].isEmpty());

    // Each placing is one step back.
    QCOMPARE(w.document().undoCount(), 4); // the grid's set-up, then three clues
    trigger(w, "undo");
    QCOMPARE(s.StringGrid1->item(0, 1)->text(),
             QStringLiteral("Souverain. \u2013 Étendue d'eau salée."));
    trigger(w, "undo");
    trigger(w, "undo");
    QVERIFY(w.grille().DefHoriz[0].isEmpty());
    QCOMPARE(s.StringGrid1->item(0, 1)->text(), QString());
    QVERIFY(!w.document().isModified());
    QCOMPARE(s.LabelCompte->text(), QStringLiteral("15 mots sans définition"));
}

void ClueSheetWindowTest::cluesWrittenInTheDockAreStepsOfTheGrid() {
    TestApp app;
    TMainForm& w = app.start();
    editGrid(w, [](Grille& g) {
        g.NbLignes = 3; // two rows of words, a single word each
        g.NbColonnes = 3;
    });
    w.document().markSaved();
    TDefgrille& s = openSheet(w);
    QCOMPARE(s.LabelCompte->text(), QStringLiteral("4 mots sans définition"));
    QLineEdit* edit = editClue(s.StringGrid1, 0);
    QVERIFY(edit);
    typeText(edit, QStringLiteral("Premier"));
    // Still being typed: not yet in the grid.
    QVERIFY(w.grille().DefHoriz[0].isEmpty());
    QTest::keyClick(edit, Qt::Key_Return);
    // Written, with the sheet still open: the grid has it, and asks to be saved.
    QCOMPARE(w.grille().DefHoriz[0], QByteArray("Premier"));
    QVERIFY(w.document().isModified());
    QCOMPARE(s.LabelCompte->text(), QStringLiteral("3 mots sans définition"));
    edit = editClue(s.StringGrid2, 1);
    QVERIFY(edit);
    typeText(edit, QStringLiteral("Second"));
    // Moving to another line ends the edit.
    QTest::keyClick(s.StringGrid2, Qt::Key_Up);
    QCOMPARE(w.grille().DefVert[1], QByteArray("Second"));
    QCOMPARE(w.document().undoCount(), 3);
    QVERIFY(s.isVisible());

    // Undone from the menu while the sheet is open: the sheet shows it.
    trigger(w, "undo");
    QVERIFY(w.grille().DefVert[1].isEmpty());
    QCOMPARE(s.StringGrid2->item(1, 1)->text(), QString());
    trigger(w, "undo");
    QCOMPARE(s.StringGrid1->item(0, 1)->text(), QString());
    QVERIFY(!w.document().isModified());
    QCOMPARE(s.LabelCompte->text(), QStringLiteral("4 mots sans définition"));

    // A grid of another size: the sheet follows it.
    editGrid(w, [](Grille& g) { g.NbLignes = 6; });
    QCOMPARE(s.StringGrid1->rowCount(), 5);

    // Enter, then the sheet closed at once: the clue is written once, and
    // nothing is left for the event loop to hand the view afterwards.
    edit = editClue(s.StringGrid1, 4);
    QVERIFY(edit);
    typeText(edit, QStringLiteral("Cinq"));
    QTest::keyClick(edit, Qt::Key_Return);
    s.close();
    QCoreApplication::processEvents();
    QCOMPARE(w.grille().DefHoriz[4], QByteArray("Cinq"));
}

void ClueSheetWindowTest::clueBeingTypedIsKeptBySaveAndQuestion() {
    TestApp app;
    TMainForm& w = app.start();
    app.fakes.files.savePaths << app.path(QStringLiteral("typing"));
    trigger(w, "Enregistrersous1");
    QVERIFY(!w.document().isModified());
    TDefgrille& s = openSheet(w);
    // Typed, no Enter, and « Enregistrer » from the menu: the clue is saved.
    QLineEdit* edit = editClue(s.StringGrid1, 0);
    QVERIFY(edit);
    typeText(edit, QStringLiteral("En cours"));
    trigger(w, "Enregistrer1");
    QVERIFY(!w.document().isModified());
    QVERIFY(app.readFile(QStringLiteral("typing.grd")).contains(QByteArray("En cours\r\n")));
    // Typed, then the program is closed: the save question is asked.
    edit = editClue(s.StringGrid2, 0);
    QVERIFY(edit);
    typeText(edit, QStringLiteral("Autre"));
    app.fakes.messages.answers << MessageService::Answer::Yes;
    w.close();
    QCOMPARE(app.fakes.messages.questions.size(), 1);
    QVERIFY(app.readFile(QStringLiteral("typing.grd")).contains(QByteArray("Autre\r\n")));
}

QTEST_MAIN(ClueSheetWindowTest)
#include "clue_sheet_window_test.moc"
