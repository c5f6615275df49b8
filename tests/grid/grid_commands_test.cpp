// The grid commands that change the grid's shape: the dimensions dialog and
// the automatic black squares, driven through the real actions and dialog,
// and a whole session from an empty grid to a file opened again after restart.
#include "common/string_grid.h"
#include "grid/dimensions_dialog.h"
#include "support/test_app.h"
#include "support/word_lists.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <sys/stat.h>

using namespace orv;
using namespace orv::test;

namespace {

void typeOn(TMainForm& w, int col, int row, char key) {
    QVERIFY(w.StringGrid1->setCurrent(col, row));
    QTest::keyClick(w.StringGrid1, key);
}

// Replaces a spin field's text by typing, as the user does.
void typeInto(QDialog& d, const char* name, const QString& text) {
    auto* field = child<SpinEdit>(&d, name);
    QVERIFY2(field, name);
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

// A script for the dimensions dialog: type both fields, then press a button
// ("Button1" is "Annuler", "Button2" is "OK") or a key.
FakeModal::Script dimensions(const QString& rows, const QString& cols, const char* button) {
    return [=](QDialog& d) {
        typeInto(d, "SpinEdit1", rows);
        typeInto(d, "SpinEdit2", cols);
        if (button)
            QTest::mouseClick(child<QPushButton>(&d, button), Qt::LeftButton);
        else
            QTest::keyClick(&d, Qt::Key_Escape);
    };
}

bool touching(const Grille& g) {
    for (int r = 1; r < g.NbLignes; ++r)
        for (int c = 1; c < g.NbColonnes; ++c)
            if (g.cell(c, r) == '#' && (g.cell(c + 1, r) == '#' || g.cell(c, r + 1) == '#'))
                return true;
    return false;
}

int blacks(const Grille& g) {
    int n = 0;
    for (int r = 1; r < g.NbLignes; ++r)
        for (int c = 1; c < g.NbColonnes; ++c)
            n += g.cell(c, r) == '#';
    return n;
}

// Records the status text each time the status panel paints.
class PaintedTexts : public QObject {
public:
    explicit PaintedTexts(QLabel* label) : label_(label) { label->installEventFilter(this); }
    QStringList texts;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o == label_ && e->type() == QEvent::Paint)
            texts << label_->text();
        return false;
    }

private:
    QLabel* label_;
};

} // namespace

class GridCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dimensionsDialogSetsTheGrid_data();
    void dimensionsDialogSetsTheGrid();
    void fieldIsClampedWhenLeft();
    void keyboardReachesEveryControl();
    void okIsRememberedUntilAnotherButtonIsPressed();
    void blackSquaresFollowTheRules();
    void blackSquaresShowTheStatusWhileWorking();
    void blackSquaresOnAShrunkGridSeeTheOldColumn();
    void wholeSessionSurvivesARestart();
    void unreadableAndOversizedGridFilesAreRefused();
};

void GridCommandsTest::dimensionsDialogSetsTheGrid_data() {
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("cols");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("nbLignes");
    QTest::addColumn<int>("nbColonnes");
    QTest::newRow("10 by 12") << "10"
                              << "12"
                              << "Button2" << 11 << 13;
    QTest::newRow("25 gives 20") << "25"
                                 << "20"
                                 << "Button2" << 21 << 21;
    QTest::newRow("below the range gives 6") << "3"
                                             << "0"
                                             << "Button2" << 7 << 7;
    QTest::newRow("a non-number reads 6") << ""
                                          << "-"
                                          << "Button2" << 7 << 7;
    QTest::newRow("Annuler keeps the grid") << "15"
                                            << "15"
                                            << "Button1" << 8 << 8;
    QTest::newRow("Esc keeps the grid") << "15"
                                        << "15"
                                        << "" << 8 << 8;
}

void GridCommandsTest::dimensionsDialogSetsTheGrid() {
    QFETCH(QString, rows);
    QFETCH(QString, cols);
    QFETCH(QString, button);
    QFETCH(int, nbLignes);
    QFETCH(int, nbColonnes);
    TestApp app;
    TMainForm& w = app.start();
    typeOn(w, 7, 7, 'w');
    editGrid(w, [](Grille& g) { g.cell(8, 8) = 'V'; }); // outside the 7 by 7 area
    const QByteArray name = button.toLatin1();
    app.fakes.modal.scripts << dimensions(rows, cols, name.isEmpty() ? nullptr : name.constData());
    trigger(w, "Dimensions1");
    QCOMPARE(app.fakes.modal.shown, QStringList{"FTaille"});
    QCOMPARE(w.grille().NbLignes, nbLignes);
    QCOMPARE(w.grille().NbColonnes, nbColonnes);
    QCOMPARE(w.StringGrid1->rowCount(), nbLignes);
    QCOMPARE(w.StringGrid1->colCount(), nbColonnes);
    QCOMPARE(w.StringGrid1->size(), QSize(nbColonnes * 22 + 3, nbLignes * 22 + 3));
    // No cell is cleared and the change is not one to save.
    QCOMPARE(w.grille().cell(7, 7), 'W');
    QCOMPARE(w.grille().cell(8, 8), 'V');
    QCOMPARE(w.document().isModified(), true);
    QCOMPARE(app.fakes.messages.total(), 0);
}

void GridCommandsTest::fieldIsClampedWhenLeft() {
    TestApp app;
    TMainForm& w = app.start();
    app.fakes.modal.scripts << [](QDialog& d) {
        d.activateWindow();
        typeInto(d, "SpinEdit1", "25");
        QCOMPARE(child<SpinEdit>(&d, "SpinEdit1")->text(), QStringLiteral("25"));
        QTest::keyClick(child<SpinEdit>(&d, "SpinEdit1"), Qt::Key_Tab);
        QCOMPARE(child<SpinEdit>(&d, "SpinEdit1")->text(), QStringLiteral("20"));
        typeInto(d, "SpinEdit2", "abc12"); // letters cannot be typed
        QCOMPARE(child<SpinEdit>(&d, "SpinEdit2")->text(), QStringLiteral("12"));
        QTest::mouseClick(child<QPushButton>(&d, "Button2"), Qt::LeftButton);
    };
    QTest::mouseClick(child<QToolButton>(&w, "SpeedButton34"), Qt::LeftButton);
    QCOMPARE(w.grille().NbLignes, 21);
    QCOMPARE(w.grille().NbColonnes, 13);
}

void GridCommandsTest::keyboardReachesEveryControl() {
    TestApp app;
    TMainForm& w = app.start();
    app.fakes.modal.scripts << [](QDialog& d) {
        d.activateWindow();
        QTRY_VERIFY(d.isActiveWindow());
        // "Annuler" leads the tab order, then "OK", then the two fields.
        QTRY_COMPARE(d.focusWidget(), child<QWidget>(&d, "Button1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(d.focusWidget(), child<QWidget>(&d, "Button2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(child<SpinEdit>(&d, "SpinEdit1")->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        // Enter settles the field but presses no button.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(d.isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(child<SpinEdit>(&d, "SpinEdit2")->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        // Back to "OK" and press it with the space bar.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(d.focusWidget(), child<QWidget>(&d, "Button2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(!d.isVisible());
    };
    trigger(w, "Dimensions1");
    QCOMPARE(w.grille().NbLignes, 10);  // 7 + 2 playing rows
    QCOMPARE(w.grille().NbColonnes, 7); // 7 - 1 playing columns, plus the header
}

void GridCommandsTest::okIsRememberedUntilAnotherButtonIsPressed() {
    // The close box leaves the last button's choice in force.
    TestApp app;
    TMainForm& w = app.start();
    auto closeBoxAfterTyping = [](const QString& rows) {
        return [rows](QDialog& d) { typeInto(d, "SpinEdit1", rows); };
    };
    app.fakes.modal.scripts << dimensions("9", "9", "Button1") << closeBoxAfterTyping("11")
                            << dimensions("12", "12", nullptr) // Esc presses "Annuler"
                            << dimensions("10", "10", "Button2") << closeBoxAfterTyping("14");
    const QList<QPair<int, int>> expected = {{8, 8}, {8, 8}, {8, 8}, {11, 11}, {15, 11}};
    for (const auto& [rows, cols] : expected) {
        trigger(w, "Dimensions1");
        QCOMPARE(w.grille().NbLignes, rows);
        QCOMPARE(w.grille().NbColonnes, cols);
    }
    QCOMPARE(app.fakes.modal.shown.size(), 5);
}

void GridCommandsTest::blackSquaresFollowTheRules() {
    TestApp app;
    TMainForm& w = app.start();
    typeOn(w, 4, 4, 'a');
    w.document().markSaved();
    app.fakes.random.next << 1; // the extra of the scatter: Random(2) = 1
    trigger(w, "Placercasesnoires1");
    QCOMPARE(app.fakes.random.asked.first(), 2);
    QVERIFY(!touching(w.grille()));
    for (int i = 1; i <= 7; ++i) {
        int inRow = 0;
        int inCol = 0;
        for (int j = 1; j <= 7; ++j) {
            inRow += w.grille().cell(j, i) == '#';
            inCol += w.grille().cell(i, j) == '#';
        }
        QVERIFY(inRow >= 2);
        QVERIFY(inCol >= 2);
    }
    // Placing black squares changes the grid: a change to save, like any other.
    QCOMPARE(w.document().isModified(), true);
    QCOMPARE(w.panel0->text(), QString());
    // A second run starts from the squares already there: the tool button.
    app.fakes.random.asked.clear();
    QTest::mouseClick(child<QToolButton>(&w, "SpeedButton4"), Qt::LeftButton);
    QVERIFY(!app.fakes.random.asked.isEmpty());
    QVERIFY(!touching(w.grille()));
    QVERIFY(blacks(w.grille()) >= 14);
}

void GridCommandsTest::blackSquaresShowTheStatusWhileWorking() {
    TestApp app;
    TMainForm& w = app.start();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    PaintedTexts painted(w.panel0);
    trigger(w, "Placercasesnoires1");
    QVERIFY(painted.texts.contains(QStringLiteral("Calcule les positions...")));
    QCOMPARE(w.panel0->text(), QString());
}

void GridCommandsTest::blackSquaresOnAShrunkGridSeeTheOldColumn() {
    TestApp app;
    TMainForm& w = app.start();
    app.fakes.modal.scripts << dimensions("10", "10", "Button2")
                            << dimensions("10", "7", "Button2");
    trigger(w, "Dimensions1");
    editGrid(w, [](Grille& g) {
        g.cell(8, 5) = '#';
    }); // column 8 falls just outside once the grid is 7 wide
    trigger(w, "Dimensions1");
    QCOMPARE(w.grille().NbColonnes, 8);
    editGrid(w, [](Grille& g) { g.cell(7, 5) = '#'; });
    trigger(w, "Placercasesnoires1");
    // The old column is read, never written, and its black square keeps
    // column 7 of its row clear.
    QCOMPARE(w.grille().cell(8, 5), '#');
    QVERIFY(!touching(w.grille()));
    QCOMPARE(w.grille().cell(7, 5), ' ');
}

void GridCommandsTest::wholeSessionSurvivesARestart() {
    TestApp app;
    TMainForm& first = app.start();
    app.fakes.modal.scripts << dimensions("10", "12", "Button2");
    trigger(first, "Dimensions1");
    trigger(first, "Placercasesnoires1");
    for (int c = 1; c <= 12; ++c)
        if (first.grille().cell(c, 1) != '#')
            typeOn(first, c, 1, char('a' + c));
    const Grille before = first.grille();
    app.fakes.files.savePaths << app.path("essai");
    trigger(first, "Enregistrersous1");
    trigger(first, "ExitItem");
    QVERIFY(!first.isVisible());
    QCOMPARE(app.fakes.messages.total(), 0);

    TMainForm& second = app.start();
    QCOMPARE(second.grille().NbLignes, 8);
    app.fakes.files.openPaths << app.path("essai.grd");
    trigger(second, "OpenItem");
    QCOMPARE(second.grille().NbLignes, 11);
    QCOMPARE(second.grille().NbColonnes, 13);
    for (int c = 1; c <= 13; ++c)
        for (int r = 1; r <= 11; ++r)
            QCOMPARE(second.grille().cell(c, r), before.cell(c, r));
    QCOMPARE(second.windowTitle(), QStringLiteral("Orv Grille - essai.grd"));
    const QList<QByteArray> lines = app.readFile("essai.grd").split('\n');
    QCOMPARE(lines.size(), 2 + 11 + 42 + 1);
    QCOMPARE(lines[0], QByteArray("11\r"));
    QCOMPARE(lines[1], QByteArray("13\r"));
    QCOMPARE(lines[2].size(), 14);
}

void GridCommandsTest::unreadableAndOversizedGridFilesAreRefused() {
    TestApp app;
    TMainForm& w = app.start();
    typeOn(w, 1, 1, 'a');
    w.document().markSaved();
    // A FIFO would hold the window for good; a grid file beyond 1 Mo is no grid.
    const QString fifo = app.path("tube.grd");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    app.writeFile("grande.grd", "8\r\n8\r\n" + QByteArray(1 << 20, ' '));
    app.fakes.files.openPaths << fifo << app.path("grande.grd");
    trigger(w, "OpenItem");
    trigger(w, "OpenItem");
    QCOMPARE(app.fakes.messages.errors,
             (QStringList{QStringLiteral("Ne peut ouvrir le fichier %1.").arg(fifo),
                          QStringLiteral("Le fichier %1 est trop gros (plus de 1 Mo).")
                              .arg(app.path("grande.grd"))}));
    // The grid on screen stays as it was.
    QCOMPARE(w.grille().cell(1, 1), 'A');
    QCOMPARE(w.grille().NbLignes, 8);
}

QTEST_MAIN(GridCommandsTest)
#include "grid_commands_test.moc"
