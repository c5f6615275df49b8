// The arrow-word window driven as a user would: « Nouvelle grille de mots
// fléchés... », definition cells and arrows made with the keys and the cell
// menu, clues and letters typed, undo and redo, saved, reopened unchanged;
// clues written in the side list, too long ones marked, stored ones offered
// shortest first and placed; a magazine grid clued, saved, reopened and printed.
#include "arrowword/arrow_file.h"
#include "arrowword/arrow_word_controller.h"
#include "arrowword/arrow_word_window.h"
#include "definitions/clue_base.h"
#include "publish/arrow_grid_export.h"
#include "publish/print_layout.h"
#include "support/arrow_grids.h"
#include "support/controller_harness.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

using namespace orv;
using namespace orv::test;
using D = ArrowDirection;

namespace {

void clickCell(ArrowWordWindow& w, Cell cell, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(w.view, button, {}, w.view->cellCentre(cell).toPoint());
}

QAction* menuAction(ArrowWordWindow& w, const QString& name) {
    QMenu* menu = w.cellMenu();
    for (QAction* a : menu->actions())
        if (a->objectName() == name)
            return a;
    return nullptr;
}

const QString kTooLong = QStringLiteral("Trop long pour sa case");
const QString kStory = QStringLiteral(
    "Une définition bien trop longue pour tenir dans une case de mots fléchés, même en tout "
    "petit, puisqu'elle raconte toute une histoire");

// The row of the side list that holds the clue at `index` of `cell`, or -1.
int clueRow(const ArrowWordWindow& w, Cell cell, int index) {
    for (int row = 0; row < w.clueList->rowCount(); ++row) {
        const QTableWidgetItem* where = w.clueList->item(row, 0);
        if (where->data(Qt::UserRole).toPoint() == QPoint(cell.col, cell.row) &&
            where->data(Qt::UserRole + 1).toInt() == index)
            return row;
    }
    return -1;
}

// Types a text key by key, the accented letters as a French keyboard sends them.
void typeText(QWidget* edit, const QString& text) {
    for (const QChar ch : text)
        if (ch.unicode() < 128)
            QTest::keyClick(edit, char(ch.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), {});
}

// Types a clue into the side list's row, as F2 and the keys would.
void typeInList(ArrowWordWindow& w, int row, const QString& text) {
    w.clueList->setFocus();
    w.clueList->setCurrentCell(row, 2);
    QTest::keyClick(w.clueList, Qt::Key_F2);
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : w.clueList->viewport()->findChildren<QLineEdit*>())
        if (e->isVisible())
            editor = e;
    QVERIFY(editor);
    editor->selectAll();
    typeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The list takes the text once back in its event loop, and drops the editor.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Pixels of the red that marks a clue too long, in a cell of the window's grid.
int redPixels(ArrowWordWindow& w, Cell cell) {
    const QImage image = w.view->grab().toImage();
    const double half = w.view->cellSize() / 2;
    const QPointF centre = w.view->cellCentre(cell);
    int red = 0;
    for (int y = int(centre.y() - half); y < int(centre.y() + half); ++y)
        for (int x = int(centre.x() - half); x < int(centre.x() + half); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 60 && c.blue() < 60;
        }
    return red;
}

// Dark pixels of a rectangle of the printed page (tenths of a point) in its PNG.
int pageInk(const QImage& page, const QRectF& rect, double dotsPerInch) {
    const double scale = dotsPerInch / kLayoutUnitsPerInch;
    const QRect r =
        QRectF(rect.topLeft() * scale, rect.size() * scale).toRect().adjusted(3, 3, -3, -3);
    int dark = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            dark += qGray(page.pixel(x, y)) < 100;
    return dark;
}

} // namespace

class ArrowWordWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newGridEditedSavedAndReopened();
    void openRefusesABrokenFile();
    void cluesTooLongForTheirCellAreMarked();
    void storedCluesComeShortestFirstAndArePlaced();
    void magazineGridCluedSavedReopenedAndPrinted();
    void everyKeyOfTheWindowReachesOneControl();
};

void ArrowWordWindowTest::newGridEditedSavedAndReopened() {
    ControllerHarness h;
    h.make<ArrowWordController>();
    const QString saved = h.path(QStringLiteral("essai.fleches"));
    ArrowGrid edited;
    h.fakes.modal.scripts.append([](QDialog& d) {
        auto& size = dynamic_cast<ArrowSizeDialog&>(d);
        size.rowsBox->setValue(9);
        size.columnsBox->setValue(11);
        size.accept();
    });
    h.fakes.modal.scripts.append([&](QDialog& d) {
        auto& w = dynamic_cast<ArrowWordWindow&>(d);
        QCOMPARE(w.document().grid().rows(), 9);
        QCOMPARE(w.document().grid().columns(), 11);
        // A1 by the keys: a definition cell with ↴ (key 3) and ↓ (Ctrl+Down).
        w.view->setFocus();
        QTest::keyClick(w.view, Qt::Key_Space);
        QTest::keyClick(w.view, '3');
        QTest::keyClick(w.view, Qt::Key_Down, Qt::ControlModifier);
        const ArrowCell& a1 = w.document().grid().at({1, 1});
        QVERIFY(a1.definition);
        QCOMPARE(a1.clues.size(), std::size_t(2));
        QCOMPARE(a1.clues[0].direction, D::RightThenDown);
        QCOMPARE(a1.clues[1].direction, D::Down);
        // Its first clue typed in the side panel after Enter.
        QTest::keyClick(w.view, Qt::Key_Return);
        QVERIFY(w.clueEdits[0]->hasFocus());
        QTest::keyClicks(w.clueEdits[0], QStringLiteral("Fleuve "));
        w.clueEdits[0]->insert(QStringLiteral("côtier")); // as a compose key would
        QTest::keyClick(w.clueEdits[0], Qt::Key_Return);
        QCOMPARE(w.document().grid().at({1, 1}).clues[0].text, QStringLiteral("Fleuve côtier"));

        // C1 with the mouse: the cell menu makes it a definition cell with → .
        clickCell(w, {3, 1});
        QCOMPARE(w.current(), (Cell{3, 1}));
        menuAction(w, QStringLiteral("definitionAction"))->trigger();
        QVERIFY(w.document().grid().isDefinition({3, 1}));
        QAction* right = menuAction(w, QStringLiteral("arrowAction1"));
        QVERIFY(!right->isChecked());
        right->trigger();
        QVERIFY(menuAction(w, QStringLiteral("arrowAction1"))->isChecked());
        // The side panel's second arrow, stepped down to its last choice, gives ↳ .
        for (int k = 0; k < 4; ++k)
            QTest::keyClick(w.arrowBoxes[1], Qt::Key_Down);
        QCOMPARE(w.document().grid().at({3, 1}).clues.size(), std::size_t(2));
        QCOMPARE(w.document().grid().at({3, 1}).clues[1].direction, D::DownThenRight);

        // Letters typed from B2, accents dropped, the cursor moving right.
        clickCell(w, {2, 2});
        QTest::sendKeyEvent(QTest::Click, w.view, Qt::Key_Eacute, QStringLiteral("é"), {});
        QTest::keyClick(w.view, 't');
        QTest::sendKeyEvent(QTest::Click, w.view, Qt::Key_Eacute, QStringLiteral("é"), {});
        // A1's ↴ word runs down column B from B1.
        QCOMPARE(arrowWordPattern(w.document().grid(), arrowWords(w.document().grid())[0]),
                 QByteArray(".E......."));
        QCOMPARE(w.document().grid().at({2, 2}).letter, 'E');
        QCOMPARE(w.document().grid().at({3, 2}).letter, 'T');
        QCOMPARE(w.document().grid().at({4, 2}).letter, 'E');
        QCOMPARE(w.current(), (Cell{5, 2}));

        // Undo twice, redo once.
        QTest::mouseClick(w.undoButton, Qt::LeftButton);
        QTest::mouseClick(w.undoButton, Qt::LeftButton);
        QCOMPARE(w.document().grid().at({4, 2}).letter, ' ');
        QCOMPARE(w.document().grid().at({3, 2}).letter, ' ');
        QTest::mouseClick(w.redoButton, Qt::LeftButton);
        QCOMPARE(w.document().grid().at({3, 2}).letter, 'T');
        // Backspace on the empty D2 goes back and erases C2.
        clickCell(w, {4, 2});
        QTest::keyClick(w.view, Qt::Key_Backspace);
        QCOMPARE(w.document().grid().at({3, 2}).letter, ' ');
        QCOMPARE(w.current(), (Cell{3, 2}));
        // The layout check lists the faults of the half-made grid.
        QVERIFY(w.problems->count() > 0);
        QVERIFY(
            !w.problems->findItems(QStringLiteral("n'appartient à aucun mot"), Qt::MatchContains)
                 .isEmpty());

        QVERIFY(w.windowTitle().endsWith(QLatin1Char('*')));
        h.fakes.files.savePaths.append(h.path(QStringLiteral("essai")));
        QTest::mouseClick(w.saveButton, Qt::LeftButton);
        QCOMPARE(w.windowTitle(), QStringLiteral("Mots fléchés - essai.fleches"));
        edited = w.document().grid();
    });
    h.trigger("newArrowGrid");
    QCOMPARE(h.fakes.modal.shown,
             QStringList({QStringLiteral("ArrowSizeDialog"), QStringLiteral("ArrowWordWindow")}));
    QVERIFY(h.fakes.messages.errors.isEmpty());
    QVERIFY(QFile::exists(saved));
    QCOMPARE(loadArrowFile(saved), edited);

    // Reopened unchanged; a change left unsaved at closing keeps the file as it was.
    const QByteArray before = arrowFileBytes(edited);
    h.fakes.files.openPaths.append(saved);
    h.fakes.messages.answers.append(MessageService::Answer::No);
    h.fakes.modal.scripts.append([&](QDialog& d) {
        auto& w = dynamic_cast<ArrowWordWindow&>(d);
        QCOMPARE(w.document().grid(), edited);
        QVERIFY(!w.document().modified());
        clickCell(w, {5, 5});
        QTest::keyClick(w.view, 'Z');
        QVERIFY(w.document().modified());
    });
    h.trigger("openArrowGrid");
    QCOMPARE(h.fakes.messages.questions.size(), 1);
    QVERIFY(h.fakes.messages.questions[0].contains(QStringLiteral("Faut-il l'enregistrer")));
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

void ArrowWordWindowTest::openRefusesABrokenFile() {
    ControllerHarness h;
    h.make<ArrowWordController>();
    const QString path = h.path(QStringLiteral("abime.fleches"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "orv-fleches", "version": 1, "rows": 40, "columns": 9})");
    file.close();
    h.fakes.files.openPaths.append(path);
    h.trigger("openArrowGrid");
    QCOMPARE(h.fakes.messages.errors.size(), 1);
    QVERIFY2(h.fakes.messages.errors[0].startsWith(
                 QStringLiteral("Le fichier abime.fleches n'est pas une grille de mots fléchés "
                                "utilisable : la grille a 40 lignes")),
             qPrintable(h.fakes.messages.errors[0]));
    QVERIFY(h.fakes.modal.shown.isEmpty());
    QCOMPARE(h.fakes.files.openFilters, QStringList({arrowFileFilter()}));
}

void ArrowWordWindowTest::cluesTooLongForTheirCellAreMarked() {
    ControllerHarness h;
    ArrowWordWindow w(h.fakes.services);
    w.startGrid(magazineArrowGrid());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // One line per clue of the grid, its word beside it.
    QCOMPARE(w.clueList->rowCount(), int(arrowWords(magazineArrowGrid()).size()));
    QCOMPARE(w.clueList->item(clueRow(w, {9, 1}, 0), 1)->text(), QStringLiteral("ENTRAINEES"));
    QCOMPARE(w.tooLongLabel->text(), QStringLiteral("Chaque définition tient dans sa case"));

    // Typed in the cell's field: marked while it is typed, then everywhere.
    w.setCurrent({1, 1});
    w.view->setFocus();
    QTest::keyClick(w.view, Qt::Key_Return);
    typeText(w.clueEdits[0], kStory.left(40));
    QVERIFY(w.clueEdits[0]->toolTip().isEmpty());
    typeText(w.clueEdits[0], kStory.mid(40));
    QCOMPARE(w.clueEdits[0]->toolTip(), kTooLong);
    QTest::keyClick(w.clueEdits[0], Qt::Key_Return);
    QCOMPARE(w.document().grid().at({1, 1}).clues[0].text, kStory);
    QVERIFY(!clueFitsPrintedCell(w.document().grid(), kStory, 0, 2));
    QCOMPARE(w.tooLongLabel->text(), QStringLiteral("1 définition trop longue pour sa case"));
    const QTableWidgetItem* story = w.clueList->item(clueRow(w, {1, 1}, 0), 2);
    QCOMPARE(story->text(), kStory);
    QCOMPARE(story->toolTip(), kTooLong);
    QCOMPARE(story->foreground().color(), QColor(0xc0, 0x00, 0x00));
    // In the grid: a red frame in that cell, none in a cell whose clue fits.
    w.setCurrent({5, 5});
    QVERIFY(redPixels(w, {1, 1}) > 20);
    QCOMPARE(redPixels(w, {3, 1}), 0);

    // Typed in the side list: the list's row becomes the current clue.
    typeInList(w, clueRow(w, {3, 1}, 1), QStringLiteral("Énervé"));
    QCOMPARE(w.current(), (Cell{3, 1}));
    QCOMPARE(w.currentClue(), 1);
    QCOMPARE(w.document().grid().at({3, 1}).clues[1].text, QStringLiteral("Énervé"));
    QCOMPARE(w.clueEdits[1]->text(), QStringLiteral("Énervé"));
    typeInList(w, clueRow(w, {7, 1}, 1), kStory);
    QCOMPARE(w.tooLongLabel->text(), QStringLiteral("2 définitions trop longues pour leur case"));
    QCOMPARE(w.current(), (Cell{7, 1}));
    QCOMPARE(w.clueEdits[1]->toolTip(), kTooLong);
    QCOMPARE(w.document().undoLabel(), QStringLiteral("Définition"));

    // Shortened, the marks go.
    w.undoClick();
    w.setCurrent({1, 1});
    w.clueEdits[0]->setFocus();
    w.clueEdits[0]->selectAll();
    typeText(w.clueEdits[0], QStringLiteral("Exquises"));
    QTest::keyClick(w.clueEdits[0], Qt::Key_Return);
    QVERIFY(w.clueEdits[0]->toolTip().isEmpty());
    QCOMPARE(w.tooLongLabel->text(), QStringLiteral("Chaque définition tient dans sa case"));
    w.setCurrent({5, 5});
    QCOMPARE(redPixels(w, {1, 1}), 0);
    QCOMPARE(w.clueList->item(clueRow(w, {1, 1}, 0), 2)->toolTip(), QStringLiteral("Exquises"));
}

void ArrowWordWindowTest::storedCluesComeShortestFirstAndArePlaced() {
    ControllerHarness h;
    h.doc.useClueBase(h.path(ClueBase::fileName()), h.fakes.clock.current);
    QVERIFY(h.doc.clueBase());
    const QString grid = QStringLiteral("fleuves.grd");
    h.doc.clueBase()->add(
        {{0, QStringLiteral("SEINE"), QStringLiteral("Elle arrose Rouen"), grid,
          QStringLiteral("2026-10-01 09:00")},
         {0, QStringLiteral("SEINE"), QStringLiteral("Fleuve"), grid,
          QStringLiteral("2026-11-01 09:00")},
         {0, QStringLiteral("SEINE"), QStringLiteral("Flotte"), grid,
          QStringLiteral("2026-12-01 09:00")},
         {0, QStringLiteral("SEINE"), kStory, grid, QStringLiteral("2026-12-02 09:00")},
         {0, QStringLiteral("RHONE"), QStringLiteral("Fleuve"), grid,
          QStringLiteral("2026-12-02 09:00")}});
    h.doc.setDefinitions({QByteArray("SEINE\tCours d'eau parisien")}, false);
    auto& controller = h.make<ArrowWordController>();
    ArrowWordWindow& w = controller.arrowWindow();
    using D = ArrowDirection;
    w.startGrid(arrowGridFrom(
        {QStringLiteral("#SEINE"), QStringLiteral("#....."), QStringLiteral("#.....")},
        {{{1, 1}, D::Right, {}},
         {{1, 1}, D::DownThenRight, {}},
         {{1, 2}, D::Right, {}},
         {{1, 3}, D::Right, {}}}));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // The word of A1's first clue is full: its clues, shortest first, the most recent
    // first among the same length, the definitions list's with them.
    QVERIFY(w.storedLabel->text().contains(QStringLiteral("SEINE")));
    QStringList offered;
    for (int i = 0; i < w.storedList->count(); ++i)
        offered.append(w.storedList->item(i)->text());
    QCOMPARE(offered, QStringList({QStringLiteral("Flotte"), QStringLiteral("Fleuve"),
                                   QStringLiteral("Elle arrose Rouen"),
                                   QStringLiteral("Cours d'eau parisien"), kStory}));
    QCOMPARE(w.storedList->item(3)->toolTip(), QStringLiteral("Définition des mots (Dicodef.dat)"));
    QCOMPARE(w.storedList->item(1)->toolTip(),
             QStringLiteral("Écrite le 2026-11-01 09:00 pour fleuves.grd"));
    QVERIFY(w.storedList->item(4)->toolTip().startsWith(kTooLong));

    // Reached by its caption's key, then Down and Enter place the second.
    QTest::keyClick(&w, Qt::Key_C, Qt::AltModifier);
    QVERIFY(w.storedList->hasFocus());
    QTest::keyClick(w.storedList, Qt::Key_Down);
    QTest::keyClick(w.storedList, Qt::Key_Return);
    QCOMPARE(w.document().grid().at({1, 1}).clues[0].text, QStringLiteral("Fleuve"));
    QCOMPARE(w.clueEdits[0]->text(), QStringLiteral("Fleuve"));
    // A double click places another, in one undo step.
    w.storedList->scrollToItem(w.storedList->item(2));
    const QRect third = w.storedList->visualItemRect(w.storedList->item(2));
    QVERIFY(w.storedList->viewport()->rect().contains(third.center()));
    QTest::mouseClick(w.storedList->viewport(), Qt::LeftButton, {}, third.center());
    QCOMPARE(w.document().grid().at({1, 1}).clues[0].text, QStringLiteral("Fleuve"));
    QTest::mouseDClick(w.storedList->viewport(), Qt::LeftButton, {}, third.center());
    QCOMPARE(w.document().grid().at({1, 1}).clues[0].text, QStringLiteral("Elle arrose Rouen"));
    w.undoClick();
    QCOMPARE(w.document().grid().at({1, 1}).clues[0].text, QStringLiteral("Fleuve"));

    // The word of A2's clue has no letter yet: nothing is offered.
    w.setCurrent({1, 2});
    QCOMPARE(w.storedList->count(), 0);
    QVERIFY(w.storedLabel->text().contains(QStringLiteral("mot complet")));
    QTest::keyClick(w.storedList, Qt::Key_Return);
    QCOMPARE(w.document().grid().at({1, 2}).clues[0].text, QString());
}

void ArrowWordWindowTest::magazineGridCluedSavedReopenedAndPrinted() {
    ControllerHarness h;
    h.doc.useClueBase(h.path(ClueBase::fileName()), h.fakes.clock.current);
    h.doc.clueBase()->add({{0,
                            QStringLiteral("LEVE"),
                            QStringLiteral("Sorti du lit"),
                            {},
                            QStringLiteral("2026-11-01 09:00")},
                           {0,
                            QStringLiteral("LEVE"),
                            QStringLiteral("Debout"),
                            {},
                            QStringLiteral("2026-10-01 09:00")}});
    h.make<ArrowWordController>();
    // The grid as the maker leaves it: filled, its clues to write.
    const QString file = h.path(QStringLiteral("magazine.fleches"));
    QVERIFY(checkArrowLayout(magazineArrowGrid()).empty());
    writeArrowFile(file, magazineArrowGrid());

    ArrowGrid clued;
    h.fakes.files.openPaths.append(file);
    h.fakes.files.savePaths = {h.path(QStringLiteral("magazine.pdf")),
                               h.path(QStringLiteral("magazine.png"))};
    h.fakes.modal.scripts.append([&](QDialog& d) {
        auto& w = dynamic_cast<ArrowWordWindow&>(d);
        QCOMPARE(w.document().grid(), magazineArrowGrid());
        // In the cell: A1, Enter, its first clue.
        clickCell(w, {1, 1});
        QTest::keyClick(w.view, Qt::Key_Return);
        typeText(w.clueEdits[0], QStringLiteral("Exquises"));
        QTest::keyClick(w.clueEdits[0], Qt::Key_Return);
        // In the side list: I1's clue.
        typeInList(w, clueRow(w, {9, 1}, 0), QStringLiteral("Emmenées"));
        // A stored clue for A3's word LEVE, the shortest.
        clickCell(w, {1, 3});
        QCOMPARE(w.storedList->item(0)->text(), QStringLiteral("Debout"));
        w.storedList->setFocus();
        QTest::keyClick(w.storedList, Qt::Key_Return);
        QVERIFY(w.windowTitle().endsWith(QLatin1Char('*')));
        QTest::mouseClick(w.saveButton, Qt::LeftButton);
        QVERIFY(!w.document().modified());
        clued = w.document().grid();
        QTest::mouseClick(w.exportButton, Qt::LeftButton);
        QTest::mouseClick(w.exportButton, Qt::LeftButton);
    });
    h.trigger("openArrowGrid");
    QVERIFY2(h.fakes.messages.errors.isEmpty(), qPrintable(h.fakes.messages.errors.join(' ')));
    ArrowGrid expected = magazineArrowGrid();
    expected.setClueText({1, 1}, 0, QStringLiteral("Exquises"));
    expected.setClueText({9, 1}, 0, QStringLiteral("Emmenées"));
    expected.setClueText({1, 3}, 0, QStringLiteral("Debout"));
    QCOMPARE(clued, expected);

    // Reopened unchanged.
    h.fakes.files.openPaths.append(file);
    ArrowGrid reopened;
    h.fakes.modal.scripts.append([&](QDialog& d) {
        auto& w = dynamic_cast<ArrowWordWindow&>(d);
        reopened = w.document().grid();
        QVERIFY(!w.document().modified());
        QCOMPARE(w.windowTitle(), QStringLiteral("Mots fléchés - magazine.fleches"));
        QCOMPARE(w.clueList->item(clueRow(w, {9, 1}, 0), 2)->text(), QStringLiteral("Emmenées"));
    });
    h.trigger("openArrowGrid");
    QCOMPARE(reopened, expected);
    QVERIFY(h.fakes.messages.questions.isEmpty());

    // The printed page: a PDF, and the same page as PNG with the three clues
    // in their cells, the other definition cells blank, the letters only in
    // the solution.
    QFile pdf(h.path(QStringLiteral("magazine.pdf")));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().startsWith("%PDF"));
    QImage page, before;
    QVERIFY(page.load(h.path(QStringLiteral("magazine.png"))));
    QVERIFY(
        before.loadFromData(arrowPngBytes(magazineArrowGrid(), QStringLiteral("magazine")), "PNG"));
    const ArrowPage layout = arrowPageLayout(expected);
    for (int r = 1; r <= expected.rows(); ++r)
        for (int c = 1; c <= expected.columns(); ++c) {
            const QRectF cell = arrowCellRect(layout.grid, layout.gridOrigin, {c, r});
            const int added = pageInk(page, cell, 150) - pageInk(before, cell, 150);
            if (expected.at({c, r}).clues.empty() || expected.at({c, r}).clues[0].text.isEmpty())
                QCOMPARE(added, 0);
            else
                QVERIFY2(added > 20, qPrintable(cellName({c, r})));
            // The letters in the solution.
            if (!expected.isDefinition({c, r}))
                QVERIFY(pageInk(page, arrowCellRect(layout.solution, layout.solutionOrigin, {c, r}),
                                150) > 0);
        }
}

QTEST_MAIN(ArrowWordWindowTest)
void ArrowWordWindowTest::everyKeyOfTheWindowReachesOneControl() {
    // Two captions with the same Alt key would leave one of them out of reach.
    ControllerHarness h;
    ArrowWordWindow& w = h.make<ArrowWordController>().arrowWindow();
    QMap<QChar, QStringList> byKey;
    const auto note = [&byKey](const QString& caption) {
        const qsizetype amp = caption.indexOf(QLatin1Char('&'));
        if (amp >= 0 && amp + 1 < caption.size())
            byKey[caption[amp + 1].toLower()].append(caption);
    };
    for (const QAbstractButton* b : w.findChildren<QAbstractButton*>())
        note(b->text());
    for (const QLabel* l : w.findChildren<QLabel*>())
        if (l->buddy())
            note(l->text());
    QVERIFY(byKey.size() > 8);
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it)
        QVERIFY2(it->size() == 1, qPrintable(it->join(QStringLiteral(" / "))));
}

#include "arrow_word_window_test.moc"
