// The clock's field adjustment on its texts and the calendar's month
// arithmetic, without windows.
#include "common/errors.h"
#include "utilities/clock_fields.h"
#include "utilities/month_calendar.h"

#include <QTest>

using namespace orv;

Q_DECLARE_METATYPE(orv::ClockField)

class ClockCalendarTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clockTexts();
    void fieldSteps_data();
    void fieldSteps();
    void unreadableField();
    void daysPerMonth_data();
    void daysPerMonth();
    void firstCellAndSelectedCell_data();
    void firstCellAndSelectedCell();
    void cellsShowTheMonthsDaysOnly();
    void stepMonth_data();
    void stepMonth();
    void selectingACell();
    void namesFromTheLocale();
};

void ClockCalendarTest::clockTexts() {
    const QDateTime t(QDate(2026, 3, 7), QTime(4, 5, 9));
    QCOMPARE(clockTimeText(t), QStringLiteral("04:05:09"));
    QCOMPARE(clockDateText(t), QStringLiteral("07/03/2026"));
    const QDateTime evening(QDate(1999, 12, 31), QTime(23, 59, 58));
    QCOMPARE(clockTimeText(evening), QStringLiteral("23:59:58"));
    QCOMPARE(clockDateText(evening), QStringLiteral("31/12/1999"));
}

void ClockCalendarTest::fieldSteps_data() {
    QTest::addColumn<ClockField>("field");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("before"); // "time date"
    QTest::addColumn<QString>("after");
    using F = ClockField;
    const auto row = [](const char* name, F f, int step, const char* before, const char* after) {
        QTest::newRow(name) << f << step << QString::fromLatin1(before)
                            << QString::fromLatin1(after);
    };
    row("hour up", F::Hr, 1, "22:15:30 07/12/2026", "23:15:30 07/12/2026");
    row("hour up to 24", F::Hr, 1, "23:15:30 07/12/2026", "24:15:30 07/12/2026");
    row("hour stays at 24", F::Hr, 1, "24:15:30 07/12/2026", "24:15:30 07/12/2026");
    row("hour down", F::Hr, -1, "10:15:30 07/12/2026", "09:15:30 07/12/2026");
    row("hour stays at 00", F::Hr, -1, "00:15:30 07/12/2026", "00:15:30 07/12/2026");
    row("minute up to 59", F::Mn, 1, "23:58:30 07/12/2026", "23:59:30 07/12/2026");
    row("minute stays at 59, no carry", F::Mn, 1, "23:59:30 07/12/2026", "23:59:30 07/12/2026");
    row("minute stays at 00", F::Mn, -1, "05:00:01 07/12/2026", "05:00:01 07/12/2026");
    row("day up whatever the month", F::Jo, 1, "05:00:01 30/02/2026", "05:00:01 31/02/2026");
    row("day stays at 31", F::Jo, 1, "05:00:01 31/04/2026", "05:00:01 31/04/2026");
    row("day down to 00", F::Jo, -1, "05:00:01 01/04/2026", "05:00:01 00/04/2026");
    row("day stays at 00", F::Jo, -1, "05:00:01 00/04/2026", "05:00:01 00/04/2026");
    row("month up to 12", F::Mo, 1, "05:00:01 01/11/2026", "05:00:01 01/12/2026");
    row("month stays at 12, no carry", F::Mo, 1, "05:00:01 01/12/2026", "05:00:01 01/12/2026");
    row("month down to 00", F::Mo, -1, "05:00:01 01/01/2026", "05:00:01 01/00/2026");
    row("year up to 2099", F::An, 1, "05:00:01 01/01/2098", "05:00:01 01/01/2099");
    row("year stays at 2099", F::An, 1, "05:00:01 01/01/2099", "05:00:01 01/01/2099");
    row("year stays at 1900", F::An, -1, "05:00:01 01/01/1900", "05:00:01 01/01/1900");
    row("year down", F::An, -1, "05:00:01 01/01/2026", "05:00:01 01/01/2025");
    row("year beyond 2099 comes back to it", F::An, 1, "05:00:01 01/01/2150",
        "05:00:01 01/01/2099");
    row("two-digit year counts from 1900", F::An, 1, "05:00:01 01/01/0099", "05:00:01 01/01/2000");
}

void ClockCalendarTest::fieldSteps() {
    QFETCH(ClockField, field);
    QFETCH(int, step);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QString time = before.section(u' ', 0, 0);
    QString date = before.section(u' ', 1, 1);
    adjustClockField(time, date, field, step);
    QCOMPARE(time + u' ' + date, after);
}

void ClockCalendarTest::unreadableField() {
    QString time = QStringLiteral("ab:15:30");
    QString date = QStringLiteral("07/1x/2026");
    const auto expectError = [&](ClockField f, const QString& message) {
        try {
            adjustClockField(time, date, f, 1);
            QFAIL("adjusted");
        } catch (const OrvError& e) {
            QCOMPARE(e.message(), message);
        }
    };
    expectError(ClockField::Hr, QStringLiteral("'ab' n'est pas une valeur entière correcte"));
    expectError(ClockField::Mo, QStringLiteral("'1x' n'est pas une valeur entière correcte"));
    QCOMPARE(time, QStringLiteral("ab:15:30"));
    QCOMPARE(date, QStringLiteral("07/1x/2026"));
    // The readable field next to them still steps.
    adjustClockField(time, date, ClockField::Mn, 1);
    QCOMPARE(time, QStringLiteral("ab:16:30"));
}

void ClockCalendarTest::daysPerMonth_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("days");
    QTest::newRow("February 1900") << 1900 << 2 << 28;
    QTest::newRow("February 2000") << 2000 << 2 << 29;
    QTest::newRow("February 2024") << 2024 << 2 << 29;
    QTest::newRow("February 2023") << 2023 << 2 << 28;
    QTest::newRow("January") << 2023 << 1 << 31;
    QTest::newRow("April") << 2023 << 4 << 30;
    QTest::newRow("August") << 2023 << 8 << 31;
    QTest::newRow("September") << 2023 << 9 << 30;
    QTest::newRow("December") << 2023 << 12 << 31;
}

void ClockCalendarTest::daysPerMonth() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, days);
    QCOMPARE(daysInMonth(year, month), days);
    QCOMPARE(isLeapYear(year), daysInMonth(year, 2) == 29);
}

void ClockCalendarTest::firstCellAndSelectedCell_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("firstCellDay");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("lastRow"); // the week row of the month's last day
    QTest::newRow("first on a Sunday") << QDate(2026, 2, 1) << 1 << 0 << 1 << 4;
    QTest::newRow("first on a Saturday, 31 days") << QDate(2025, 3, 1) << -5 << 6 << 1 << 6;
    QTest::newRow("31 on a Saturday-first month") << QDate(2025, 3, 31) << -5 << 1 << 6 << 6;
    QTest::newRow("first on a Monday") << QDate(2024, 1, 1) << 0 << 1 << 1 << 5;
    QTest::newRow("31 January 2024") << QDate(2024, 1, 31) << 0 << 3 << 5 << 5;
    QTest::newRow("leap February") << QDate(2024, 2, 29) << -3 << 4 << 5 << 5;
}

void ClockCalendarTest::firstCellAndSelectedCell() {
    QFETCH(QDate, date);
    QFETCH(int, firstCellDay);
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(int, lastRow);
    const MonthCalendar cal(date);
    QCOMPARE(cal.FirstCellDay(), firstCellDay);
    QCOMPARE(cal.selectedCol(), col);
    QCOMPARE(cal.selectedRow(), row);
    QCOMPARE(cal.dayAt(col, row), date.day());
    // The selected cell's column is the date's weekday, Sunday first.
    QCOMPARE(col, date.dayOfWeek() % 7);
    QCOMPARE(cal.rowOf(daysInMonth(date.year(), date.month())), lastRow);
}

void ClockCalendarTest::cellsShowTheMonthsDaysOnly() {
    const MonthCalendar cal(QDate(2025, 3, 10)); // 1 March 2025 is a Saturday
    QStringList rows;
    for (int r = 0; r <= 6; ++r) {
        QStringList cells;
        for (int c = 0; c < 7; ++c)
            cells << QString::number(cal.dayAt(c, r));
        rows << cells.join(u' ');
    }
    QCOMPARE(rows,
             (QStringList{"0 0 0 0 0 0 0", "0 0 0 0 0 0 1", "2 3 4 5 6 7 8", "9 10 11 12 13 14 15",
                          "16 17 18 19 20 21 22", "23 24 25 26 27 28 29", "30 31 0 0 0 0 0"}));
    QCOMPARE(cal.dayAt(-1, 1), 0);
    QCOMPARE(cal.dayAt(7, 2), 0);
    QCOMPARE(cal.dayAt(0, 7), 0);
}

void ClockCalendarTest::stepMonth_data() {
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QDate>("to");
    QTest::newRow("31 January to leap February") << QDate(2024, 1, 31) << 1 << QDate(2024, 2, 29);
    QTest::newRow("31 January to February") << QDate(2023, 1, 31) << 1 << QDate(2023, 2, 28);
    QTest::newRow("31 January 1900") << QDate(1900, 1, 31) << 1 << QDate(1900, 2, 28);
    QTest::newRow("31 March back to leap February")
        << QDate(2024, 3, 31) << -1 << QDate(2024, 2, 29);
    QTest::newRow("31 March back to February") << QDate(2023, 3, 31) << -1 << QDate(2023, 2, 28);
    QTest::newRow("31 May to June") << QDate(2023, 5, 31) << 1 << QDate(2023, 6, 30);
    QTest::newRow("30 April to May keeps 30") << QDate(2023, 4, 30) << 1 << QDate(2023, 5, 30);
    QTest::newRow("December to January") << QDate(2025, 12, 15) << 1 << QDate(2026, 1, 15);
    QTest::newRow("January back to December") << QDate(2026, 1, 15) << -1 << QDate(2025, 12, 15);
    QTest::newRow("last month of year 9999 stays") << QDate(9999, 12, 5) << 1 << QDate(9999, 12, 5);
    QTest::newRow("first month of year 1 stays") << QDate(1, 1, 5) << -1 << QDate(1, 1, 5);
}

void ClockCalendarTest::stepMonth() {
    QFETCH(QDate, from);
    QFETCH(int, delta);
    QFETCH(QDate, to);
    MonthCalendar cal(from);
    QCOMPARE(cal.StepMonth(delta), from != to);
    QCOMPARE(cal.SelectedDate(), to);
    QCOMPARE(cal.dayAt(cal.selectedCol(), cal.selectedRow()), to.day());
}

void ClockCalendarTest::selectingACell() {
    MonthCalendar cal(QDate(2024, 1, 31));
    QVERIFY(!cal.selectCell(0, 1)); // empty: 1 January 2024 is a Monday
    QVERIFY(!cal.selectCell(3, 0)); // header
    QCOMPARE(cal.SelectedDate(), QDate(2024, 1, 31));
    QVERIFY(cal.selectCell(1, 1));
    QCOMPARE(cal.SelectedDate(), QDate(2024, 1, 1));
}

void ClockCalendarTest::namesFromTheLocale() {
    QCOMPARE(monthBanner(QDate(1998, 3, 12)), QStringLiteral("mars  1998"));
    QCOMPARE(monthBanner(QDate(2026, 1, 1)), QStringLiteral("janvier  2026"));
    QCOMPARE(monthBanner(QDate(998, 8, 1)), QStringLiteral("août  0998"));
    QCOMPARE(shortWeekdayName(0), QStringLiteral("dim."));
    QCOMPARE(shortWeekdayName(1), QStringLiteral("lun."));
    QCOMPARE(shortWeekdayName(6), QStringLiteral("sam."));
}

QTEST_APPLESS_MAIN(ClockCalendarTest)
#include "clock_calendar_test.moc"
