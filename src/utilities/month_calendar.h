// The month arithmetic of the calendar's grid: which day each cell of the
// seven-by-seven grid stands for, leap years, and stepping a month while
// keeping the wanted day. Row 0 is the weekday header, rows 1 to 6 weeks.
#pragma once

#include <QDate>
#include <QString>

namespace orv {

bool isLeapYear(int year);
int daysInMonth(int year, int month);

// The banner text "mmmmm  yyyy": the locale's full month name, two spaces,
// the four-digit year.
QString monthBanner(const QDate& date);
// The locale's abbreviated name of a weekday numbered 0 = Sunday .. 6 = Saturday.
QString shortWeekdayName(int dayOfWeek);

class MonthCalendar {
public:
    explicit MonthCalendar(const QDate& selected, int startOfWeek = 0);

    QDate SelectedDate() const { return selected_; }
    int StartOfWeek() const { return startOfWeek_; }
    int FirstCellDay() const { return firstCellDay_; }

    // Stores the date and recomputes the first cell for its month.
    void setSelectedDate(const QDate& date);
    // The next (+1) or previous (-1) month, the wanted day kept or clamped to
    // the month's last day. Returns false, changing nothing, at the ends of
    // the years 1 to 9999.
    bool StepMonth(int delta);
    // Makes the day of a shown cell the selected day; false for header and
    // empty cells.
    bool selectCell(int col, int row);

    // The day a cell shows, or 0 for the header row and the empty cells.
    int dayAt(int col, int row) const;
    // The cell of a day of the shown month.
    int colOf(int day) const { return (day - firstCellDay_) % 7; }
    int rowOf(int day) const { return (day - firstCellDay_) / 7 + 1; }
    int selectedCol() const { return colOf(selected_.day()); }
    int selectedRow() const { return rowOf(selected_.day()); }

private:
    void computeFirstCellDay();

    QDate selected_;
    int startOfWeek_;
    int firstCellDay_ = 1;
};

} // namespace orv
