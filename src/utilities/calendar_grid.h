// The month grid control of the calendar: seven columns of weekdays under a
// header row of their short names, six week rows, the selected date's cell
// highlighted. Only cells that show a day can be selected, by mouse or keys.
#pragma once

#include "common/string_grid.h"
#include "utilities/month_calendar.h"

namespace orv {

class TCalendar : public StringGrid {
    Q_OBJECT
public:
    explicit TCalendar(const QDate& selected, QWidget* parent = nullptr);

    QDate SelectedDate() const { return month_.SelectedDate(); }
    // Shows the date's month with its day selected, then raises OnChange.
    void setSelectedDate(const QDate& date);
    int StartOfWeek() const { return month_.StartOfWeek(); }
    void setStartOfWeek(int day);
    int FirstCellDay() const { return month_.FirstCellDay(); }
    // The next (+1) or previous (-1) month with the wanted day kept or clamped.
    void StepMonth(int delta);

Q_SIGNALS:
    // After every setting of the date and every selection of another day.
    void OnChange();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showMonth();
    void userSelected(int col, int row);
    void drawCell(QPainter& p, int col, int row, const QRect& rect);

    MonthCalendar month_;
    bool showing_ = false; // the control itself is moving the selection
};

} // namespace orv
