// The clock's texts and the adjustment of one field of them. The adjustment
// works on the shown text alone: no calendar rule applies and the system
// clock is never touched.
#pragma once

#include <QDateTime>
#include <QString>

namespace orv {

// The items of the clock's radio group, in their order.
enum class ClockField { Hr, Mn, Jo, Mo, An };

// "hh:mm:ss" on the 24-hour clock and "dd/mm/yyyy".
QString clockTimeText(const QDateTime& now);
QString clockDateText(const QDateTime& now);

// One step up (+1) or down (-1) of a field of the time or the date text,
// clamped to the field's bounds, without carry into the neighbouring field.
// Throws "'<chars>' n'est pas une valeur entière correcte" when the field's
// characters are not a decimal integer; the texts are then unchanged.
void adjustClockField(QString& time, QString& date, ClockField field, int step);

QString notIntegerMessage(const QString& text);

} // namespace orv
