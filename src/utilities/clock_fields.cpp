// The clock's field bounds: 24 hours (not 23), day and month down to 0, years
// 1900 to 2099, two-digit years counting from 1900.
#include "utilities/clock_fields.h"

#include "common/errors.h"

#include <algorithm>

namespace orv {
namespace {

struct FieldRule {
    bool onDate;
    int start;
    int width;
    int low;
    int high;
};

FieldRule ruleOf(ClockField field) {
    switch (field) {
    case ClockField::Hr:
        return {false, 0, 2, 0, 24};
    case ClockField::Mn:
        return {false, 3, 2, 0, 59};
    case ClockField::Jo:
        return {true, 0, 2, 0, 31};
    case ClockField::Mo:
        return {true, 3, 2, 0, 12};
    case ClockField::An:
        return {true, 6, 4, 1900, 2099};
    }
    return {false, 0, 2, 0, 0};
}

// The integer reading of the field: leading blanks, an optional sign, digits
// and nothing after them.
int readInteger(const QString& chars) {
    qsizetype i = 0;
    while (i < chars.size() && chars[i] == u' ')
        ++i;
    bool ok = false;
    const int n = chars.mid(i).toInt(&ok, 10);
    if (!ok || chars.endsWith(u' '))
        throw OrvError(notIntegerMessage(chars));
    return n;
}

} // namespace

QString clockTimeText(const QDateTime& now) {
    return now.time().toString(QStringLiteral("hh:mm:ss"));
}

QString clockDateText(const QDateTime& now) {
    return now.date().toString(QStringLiteral("dd/MM/yyyy"));
}

void adjustClockField(QString& time, QString& date, ClockField field, int step) {
    const FieldRule rule = ruleOf(field);
    QString& text = rule.onDate ? date : time;
    const QString chars = text.mid(rule.start, rule.width);
    int n = readInteger(chars);
    if (field == ClockField::An && n < 100)
        n += 1900;
    const int value = step > 0 ? std::min(n + 1, rule.high) : std::max(n - 1, rule.low);
    const QString written = QStringLiteral("%1").arg(value, rule.width, 10, QLatin1Char('0'));
    text = text.left(rule.start) + written + text.mid(rule.start + rule.width);
}

QString notIntegerMessage(const QString& text) {
    return QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(text);
}

} // namespace orv
