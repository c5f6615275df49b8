// The calendar window: the month shown with the fixed clock's date, the
// month buttons, Page Down and Page Up (the month first, then the grid's own
// move), clicks and arrows onto day cells only, Escape from every control,
// and the date kept between openings.
#include "support/test_app.h"
#include "utilities/calendar_grid.h"
#include "utilities/calendar_window.h"
#include "utilities/month_calendar.h"
#include "utilities/utilities_controller.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace orv;
using namespace orv::test;

namespace {

struct Opened {
    FakeServices fakes;
    TCalendrier window;
    explicit Opened(const QDate& today = QDate(2026, 12, 7))
        : window((fakes.clock.current = QDateTime(today, QTime(10, 0)), fakes.services)) {
        window.show();
    }
    TCalendar& grid() { return *window.Calendar1; }
    QString banner() const { return window.Label1->text(); }
    QPushButton* button(const char* name) {
        return window.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void clickCell(int col, int row) {
        QTest::mouseClick(&grid(), Qt::LeftButton, {}, grid().cellRect(col, row).center());
    }
    void key(Qt::Key k) { QTest::keyClick(window.focusWidget(), k); }
};

} // namespace

class CalendarWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensOnTodaysMonth();
    void gridSizesItsCells();
    void monthButtons_data();
    void monthButtons();
    void pageKeysStepTheMonthThenMoveTheSelection_data();
    void pageKeysStepTheMonthThenMoveTheSelection();
    void walkFromJanuary31ThroughFebruary();
    void clicksSelectDayCellsOnly();
    void arrowKeysMoveOntoDaysOnly();
    void escapeClosesFromEveryControl();
    void dateIsKeptBetweenOpenings();
};

void CalendarWindowTest::opensOnTodaysMonth() {
    Opened o(QDate(2026, 12, 7));
    QCOMPARE(o.window.windowTitle(), QStringLiteral("Calendrier"));
    QCOMPARE(o.grid().SelectedDate(), QDate(2026, 12, 7));
    QCOMPARE(o.banner(), QStringLiteral("décembre  2026"));
    QCOMPARE(o.window.Label1->width(), 372);
    QCOMPARE(o.window.focusWidget(), &o.grid());
    QStringList header, firstWeek, lastWeek;
    for (int c = 0; c < 7; ++c) {
        header << o.grid().cell(c, 0);
        firstWeek << o.grid().cell(c, 1);
        lastWeek << o.grid().cell(c, 5);
    }
    QCOMPARE(header, (QStringList{"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."}));
    // 1 December 2026 is a Tuesday.
    QCOMPARE(firstWeek, (QStringList{"", "", "1", "2", "3", "4", "5"}));
    QCOMPARE(lastWeek, (QStringList{"27", "28", "29", "30", "31", "", ""}));
    QCOMPARE(o.grid().cell(0, 6), QString());
    // The 7th, a Monday, in the second week row.
    QCOMPARE(o.grid().col(), 1);
    QCOMPARE(o.grid().row(), 2);
}

void CalendarWindowTest::gridSizesItsCells() {
    Opened o;
    QCOMPARE(o.grid().size(), QSize(372, 143));
    QCOMPARE(o.grid().colWidth(0), (372 - 6) / 7);
    QCOMPARE(o.grid().colWidth(6), (372 - 6) / 7);
    QCOMPARE(o.grid().rowHeight(0), (143 - 6) / 7);
    QCOMPARE(o.grid().rowHeight(6), (143 - 6) / 7);
    o.grid().resize(379, 150);
    QCOMPARE(o.grid().colWidth(3), 53);
    QCOMPARE(o.grid().rowHeight(3), 20);
}

void CalendarWindowTest::monthButtons_data() {
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("banner");
    QTest::newRow("31 January to 29 February")
        << QDate(2024, 1, 31) << "BitBtn2" << QDate(2024, 2, 29) << "février  2024";
    QTest::newRow("31 March back to 28 February")
        << QDate(2023, 3, 31) << "BitBtn1" << QDate(2023, 2, 28) << "février  2023";
    QTest::newRow("December to January")
        << QDate(2025, 12, 15) << "BitBtn2" << QDate(2026, 1, 15) << "janvier  2026";
}

void CalendarWindowTest::monthButtons() {
    QFETCH(QDate, from);
    QFETCH(QString, button);
    QFETCH(QDate, to);
    QFETCH(QString, banner);
    Opened o;
    o.grid().setSelectedDate(from);
    QSignalSpy changes(&o.grid(), &TCalendar::OnChange);
    o.click(button.toLatin1().constData());
    QCOMPARE(o.grid().SelectedDate(), to);
    QCOMPARE(o.banner(), banner);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(o.grid().cell(o.grid().col(), o.grid().row()), QString::number(to.day()));
}

void CalendarWindowTest::pageKeysStepTheMonthThenMoveTheSelection_data() {
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QDate>("to");
    // 10 March 2024 is a Sunday in week row 3; row 6 of that column is the 31st.
    QTest::newRow("down: month, then to the last row")
        << QDate(2024, 2, 10) << int(Qt::Key_PageDown) << QDate(2024, 3, 31);
    // 29 February 2024 stands in row 5; row 6 of its column is empty.
    QTest::newRow("down: month, the empty cell stops the move")
        << QDate(2024, 1, 31) << int(Qt::Key_PageDown) << QDate(2024, 2, 29);
    // 30 March 2024, a Saturday in row 5; row 1 of that column is the 2nd.
    QTest::newRow("up: month, then to the first row")
        << QDate(2024, 4, 30) << int(Qt::Key_PageUp) << QDate(2024, 3, 2);
    // 3 January 2024 in row 1 of a Wednesday column: no row above.
    QTest::newRow("up: month, already in the first row")
        << QDate(2024, 2, 3) << int(Qt::Key_PageUp) << QDate(2024, 1, 3);
}

void CalendarWindowTest::pageKeysStepTheMonthThenMoveTheSelection() {
    QFETCH(QDate, from);
    QFETCH(int, key);
    QFETCH(QDate, to);
    Opened o;
    o.grid().setSelectedDate(from);
    o.key(Qt::Key(key));
    QCOMPARE(o.grid().SelectedDate(), to);
    QCOMPARE(o.banner(), monthBanner(to));
    QCOMPARE(o.grid().cell(o.grid().col(), o.grid().row()), QString::number(to.day()));
}

void CalendarWindowTest::walkFromJanuary31ThroughFebruary() {
    Opened o(QDate(2023, 1, 31));
    o.click("BitBtn2");
    QCOMPARE(o.grid().SelectedDate(), QDate(2023, 2, 28));
    QCOMPARE(o.banner(), QStringLiteral("février  2023"));
    // Page Down on a button steps the month too.
    o.button("BitBtn2")->setFocus();
    o.key(Qt::Key_PageDown);
    QCOMPARE(o.grid().SelectedDate(), QDate(2023, 3, 28));
    o.click("BitBtn1");
    o.click("BitBtn1");
    QCOMPARE(o.grid().SelectedDate(), QDate(2023, 1, 28));
    QCOMPARE(o.banner(), QStringLiteral("janvier  2023"));
}

void CalendarWindowTest::clicksSelectDayCellsOnly() {
    Opened o(QDate(2024, 1, 31)); // 1 January 2024 is a Monday
    QSignalSpy changes(&o.grid(), &TCalendar::OnChange);
    o.clickCell(0, 1); // empty
    o.clickCell(3, 0); // header
    o.clickCell(6, 6); // empty
    QCOMPARE(changes.count(), 0);
    QCOMPARE(o.grid().SelectedDate(), QDate(2024, 1, 31));
    o.clickCell(3, 5); // the selected day again
    QCOMPARE(changes.count(), 0);
    o.clickCell(1, 1);
    QCOMPARE(o.grid().SelectedDate(), QDate(2024, 1, 1));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(o.banner(), QStringLiteral("janvier  2024"));
}

void CalendarWindowTest::arrowKeysMoveOntoDaysOnly() {
    Opened o(QDate(2024, 1, 2)); // Tuesday, row 1
    o.key(Qt::Key_Left);
    QCOMPARE(o.grid().SelectedDate(), QDate(2024, 1, 1));
    o.key(Qt::Key_Left); // the Sunday before the 1st is empty
    QCOMPARE(o.grid().SelectedDate(), QDate(2024, 1, 1));
    o.key(Qt::Key_Up); // header
    QCOMPARE(o.grid().SelectedDate(), QDate(2024, 1, 1));
    o.key(Qt::Key_Down);
    o.key(Qt::Key_Right);
    QCOMPARE(o.grid().SelectedDate(), QDate(2024, 1, 9));
    o.grid().setSelectedDate(QDate(2024, 1, 31));
    o.key(Qt::Key_Down); // row 6 is empty in January 2024
    QCOMPARE(o.grid().SelectedDate(), QDate(2024, 1, 31));
}

void CalendarWindowTest::escapeClosesFromEveryControl() {
    for (const char* name : {"Calendar1", "BitBtn1", "BitBtn2", "Button1"}) {
        Opened o;
        o.window.findChild<QWidget*>(QString::fromLatin1(name))->setFocus();
        o.key(Qt::Key_Escape);
        QVERIFY2(!o.window.isVisible(), name);
    }
    Opened o;
    o.click("Button1");
    QVERIFY(!o.window.isVisible());
}

void CalendarWindowTest::dateIsKeptBetweenOpenings() {
    TestApp app;
    app.fakes.clock.current = QDateTime(QDate(1998, 3, 12), QTime(9, 0));
    TMainForm& main = app.start();
    QAction* open = main.findChild<QAction*>(QStringLiteral("Calendrier1"));
    QString firstBanner, secondBanner;
    app.fakes.modal.scripts << [&](QDialog& d) {
        firstBanner = d.findChild<QLabel*>(QStringLiteral("Label1"))->text();
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    };
    app.fakes.modal.scripts <<
        [&](QDialog& d) { secondBanner = d.findChild<QLabel*>(QStringLiteral("Label1"))->text(); };
    open->trigger();
    open->trigger();
    QCOMPARE(app.fakes.modal.shown, (QStringList{"Calendrier", "Calendrier"}));
    QCOMPARE(firstBanner, QStringLiteral("mars  1998"));
    QCOMPARE(secondBanner, QStringLiteral("avril  1998"));
    QCOMPARE(main.utilities().calendar().Calendar1->SelectedDate(), QDate(1998, 4, 12));
}

QTEST_MAIN(CalendarWindowTest)
#include "calendar_window_test.moc"
