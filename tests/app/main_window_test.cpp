// The main window: start-up state, the grid's keys and drawing geometry,
// hints and clock, the close question and which data files get written.
#include "common/string_grid.h"
#include "support/test_app.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolButton>

using namespace orv;
using namespace orv::test;

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsWithSevenBySevenGrid();
    void typedKeysFollowTheCellRules_data();
    void typedKeysFollowTheCellRules();
};

void MainWindowTest::startsWithSevenBySevenGrid() {
    TestApp app;
    TMainForm& w = app.start();
    QCOMPARE(w.grille.NbLignes, 8);
    QCOMPARE(w.grille.NbColonnes, 8);
    QCOMPARE(w.windowTitle(), QStringLiteral("Orv Grille"));
    QVERIFY(w.windowState() & Qt::WindowMaximized);
    QCOMPARE(w.StringGrid1->size(), QSize(179, 179));
    QCOMPARE(w.StringGrid1->cell(0, 1), QStringLiteral("1"));
    QCOMPARE(w.StringGrid1->cell(0, 7), QStringLiteral("7"));
    QCOMPARE(w.StringGrid1->cell(1, 0), QStringLiteral("A"));
    QCOMPARE(w.StringGrid1->cell(7, 0), QStringLiteral("G"));
    for (int c = 1; c <= 22; ++c)
        for (int r = 1; r <= 22; ++r)
            QCOMPARE(w.grille.cell(c, r), ' ');
    QCOMPARE(w.grille.Modifie, false);
    QCOMPARE(app.fakes.messages.total(), 0);
}

void MainWindowTest::typedKeysFollowTheCellRules_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<char>("before");
    QTest::addColumn<char>("after");
    QTest::addColumn<bool>("modified");
    QTest::newRow("lower-case letter") << "q" << int(Qt::Key_Q) << ' ' << 'Q' << true;
    QTest::newRow("capital letter") << "E" << int(Qt::Key_E) << ' ' << 'E' << true;
    QTest::newRow("space makes a black square") << " " << int(Qt::Key_Space) << 'A' << '#' << true;
    QTest::newRow("backspace empties") << "\b" << int(Qt::Key_Backspace) << '#' << ' ' << true;
    QTest::newRow("delete empties") << "" << int(Qt::Key_Delete) << 'A' << ' ' << true;
    QTest::newRow("digit ignored") << "5" << int(Qt::Key_5) << 'A' << 'A' << false;
    QTest::newRow("accented letter ignored") << "é" << int(Qt::Key_Eacute) << ' ' << ' ' << false;
    QTest::newRow("enter ignored") << "\r" << int(Qt::Key_Return) << 'B' << 'B' << false;
}

void MainWindowTest::typedKeysFollowTheCellRules() {
    QFETCH(QString, typed);
    QFETCH(int, qtKey);
    QFETCH(char, before);
    QFETCH(char, after);
    QFETCH(bool, modified);
    TestApp app;
    TMainForm& w = app.start();
    QVERIFY(w.StringGrid1->setCurrent(3, 2));
    w.grille.cell(3, 2) = before;
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, typed);
    QApplication::sendEvent(w.StringGrid1, &press);
    QCOMPARE(w.grille.cell(3, 2), after);
    QCOMPARE(w.grille.Modifie, modified);
    // The current cell does not move after a key.
    QCOMPARE(w.StringGrid1->col(), 3);
    QCOMPARE(w.StringGrid1->row(), 2);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
