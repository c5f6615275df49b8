// The current date and time, replaceable so that tests can fix it.
#pragma once

#include <QDateTime>

namespace orv {

class ClockSource {
public:
    virtual ~ClockSource() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock : public ClockSource {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace orv
