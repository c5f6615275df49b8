// The calendar's month arithmetic.
#include "utilities/month_calendar.h"

#include "common/locale.h"

namespace orv {

bool isLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && isLeapYear(year))
        return 29;
    return kDays[(month - 1) % 12];
}

QString monthBanner(const QDate& date) {
    return userLocale().monthName(date.month(), QLocale::LongFormat) + QStringLiteral("  ") +
           QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString shortWeekdayName(int dayOfWeek) {
    // The locale numbers the days 1 = Monday .. 7 = Sunday.
    const int qtDay = dayOfWeek == 0 ? 7 : dayOfWeek;
    return userLocale().dayName(qtDay, QLocale::ShortFormat);
}

MonthCalendar::MonthCalendar(const QDate& selected, int startOfWeek)
    : selected_(selected), startOfWeek_(startOfWeek) {
    computeFirstCellDay();
}

void MonthCalendar::computeFirstCellDay() {
    const QDate first(selected_.year(), selected_.month(), 1);
    const int w = first.dayOfWeek() % 7 + 1; // 1 = Sunday .. 7 = Saturday
    const int a = (w - startOfWeek_ + 7) % 7;
    firstCellDay_ = a == 0 ? -5 : 2 - a;
}

void MonthCalendar::setSelectedDate(const QDate& date) {
    selected_ = date;
    computeFirstCellDay();
}

bool MonthCalendar::StepMonth(int delta) {
    const int y = selected_.year();
    const int m = selected_.month();
    const int wanted = selected_.day();
    if ((delta > 0 && y >= 9999 && m == 12) || (delta < 0 && y <= 1 && m == 1))
        return false;
    const QDate edge = delta > 0 ? QDate(y, m, daysInMonth(y, m)) : QDate(y, m, 1);
    const QDate next = edge.addDays(delta);
    const int last = daysInMonth(next.year(), next.month());
    setSelectedDate(QDate(next.year(), next.month(), wanted < last ? wanted : last));
    return true;
}

bool MonthCalendar::selectCell(int col, int row) {
    const int day = dayAt(col, row);
    if (day == 0)
        return false;
    setSelectedDate(QDate(selected_.year(), selected_.month(), day));
    return true;
}

int MonthCalendar::dayAt(int col, int row) const {
    if (col < 0 || col > 6 || row < 1 || row > 6)
        return 0;
    const int day = firstCellDay_ + col + 7 * (row - 1);
    return day >= 1 && day <= daysInMonth(selected_.year(), selected_.month()) ? day : 0;
}

} // namespace orv
