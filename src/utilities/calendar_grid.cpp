// The month grid: cell texts, selection rules, sizing and drawing.
#include "utilities/calendar_grid.h"

#include <QPainter>

namespace orv {
namespace {

const QColor kLime(0, 255, 0);
const QColor kHeader(212, 208, 200);
const QColor kSelected(0, 0, 128);

} // namespace

TCalendar::TCalendar(const QDate& selected, QWidget* parent)
    : StringGrid(parent), month_(selected, 0) {
    setFixedCols(0);
    setFixedRows(1);
    setColCount(7);
    setRowCount(7);
    canSelect = [this](int col, int row) { return month_.dayAt(col, row) != 0; };
    onDrawCell = [this](QPainter& p, int col, int row, const QRect& rect) {
        drawCell(p, col, row, rect);
    };
    connect(this, &StringGrid::currentChanged, this, &TCalendar::userSelected);
    showMonth();
}

void TCalendar::setSelectedDate(const QDate& date) {
    month_.setSelectedDate(date);
    showMonth();
    Q_EMIT OnChange();
}

void TCalendar::setStartOfWeek(int day) {
    month_ = MonthCalendar(month_.SelectedDate(), ((day % 7) + 7) % 7);
    showMonth();
}

void TCalendar::StepMonth(int delta) {
    if (month_.StepMonth(delta)) {
        showMonth();
        Q_EMIT OnChange();
    }
}

void TCalendar::showMonth() {
    for (int k = 0; k < 7; ++k)
        setCell(k, 0, shortWeekdayName((month_.StartOfWeek() + k) % 7));
    for (int r = 1; r <= 6; ++r)
        for (int c = 0; c < 7; ++c) {
            const int day = month_.dayAt(c, r);
            setCell(c, r, day ? QString::number(day) : QString());
        }
    showing_ = true;
    setCurrent(month_.selectedCol(), month_.selectedRow());
    showing_ = false;
    update();
}

void TCalendar::userSelected(int col, int row) {
    if (!showing_ && month_.selectCell(col, row))
        Q_EMIT OnChange();
}

void TCalendar::resizeEvent(QResizeEvent* event) {
    StringGrid::resizeEvent(event);
    const int lines = 6 * gridLineWidth();
    for (int i = 0; i < 7; ++i) {
        setColWidth(i, (width() - lines) / 7);
        setRowHeight(i, (height() - lines) / 7);
    }
}

void TCalendar::drawCell(QPainter& p, int col, int row, const QRect& rect) {
    const bool selected = row > 0 && col == this->col() && row == this->row();
    p.fillRect(rect, row == 0 ? kHeader : (selected ? kSelected : kLime));
    const QString text = cell(col, row);
    if (text.isEmpty())
        return;
    p.setFont(font());
    p.setPen(selected ? Qt::white : Qt::black);
    const QFontMetrics fm(p.font());
    const int x = rect.left() + (rect.width() - fm.horizontalAdvance(text)) / 2;
    const int y = rect.top() + (rect.height() - fm.height()) / 2;
    p.drawText(x, y + fm.ascent(), text);
}

} // namespace orv
