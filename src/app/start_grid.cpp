// Opening the grid named on the command line.
#include "app/start_grid.h"

#include "app/main_window.h"
#include "arrowword/arrow_file.h"
#include "arrowword/arrow_word_controller.h"
#include "common/command_guard.h"

#include <QDir>

namespace orv {

QString gridFileArgument(const QStringList& arguments, const QString& startFolder) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a.isEmpty() || a.startsWith(QLatin1Char('-')))
            continue;
        return QDir::cleanPath(QDir(startFolder).absoluteFilePath(a));
    }
    return QString();
}

bool openGridAtStart(TMainForm& w, const QString& path) {
    if (isArrowFilePath(path))
        return w.arrowWord().openArrowFile(path);
    // The document reads and checks the file whole before the grid changes,
    // and redraws the window once it has.
    const bool opened = guarded(w.services().messages, &w, [&] { w.document().open(path); });
    w.updateCaption();
    return opened;
}

} // namespace orv
