// The command that places black squares over the grid.
#include "app/main_window.h"
#include "grid/black_squares.h"

#include <QLabel>

namespace orv {

void TMainForm::Placercasesnoires1Click() {
    guard([this] {
        setStatusText(QStringLiteral("Calcule les positions..."));
        // The placement holds the event loop; paint the text before it starts.
        panel0->repaint();
        placeBlackSquares(grille, services_.random);
        Remplit();
        setStatusText(QString());
    });
}

} // namespace orv
