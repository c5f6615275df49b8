// The locale that month and weekday names, time formats and collation use:
// the user's own when it is French, French (France) otherwise, since the
// whole interface speaks French.
#pragma once

#include <QLocale>

namespace orv {

inline QLocale userLocale() {
    QLocale sys = QLocale::system();
    if (sys.language() == QLocale::French)
        return sys;
    return QLocale(QLocale::French, QLocale::France);
}

} // namespace orv
