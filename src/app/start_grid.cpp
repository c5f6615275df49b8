// Opening the grid named on the command line.
#include "app/start_grid.h"

#include "app/main_window.h"
#include "common/command_guard.h"
#include "common/text_file.h"
#include "grid/grid_file.h"

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
    const bool opened = guarded(w.services().messages, &w, [&] {
        Grille read = readGridFile(readWholeFile(path), w.grille, path);
        read.NomFichier = path;
        read.NomCourt = gridShortName(path);
        read.Modifie = false;
        w.grille = std::move(read);
    });
    w.updateCaption();
    w.DessinGrille();
    w.Remplit();
    return opened;
}

} // namespace orv
