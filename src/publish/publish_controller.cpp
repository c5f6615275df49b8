// Printing and export commands on the document's grid.
#include "publish/publish_controller.h"

#include "document/document.h"
#include "publish/publish_commands.h"

#include <QKeySequence>

namespace orv {

PublishController::PublishController(Document& document, Services& services, QMainWindow* window,
                                     MainView& view)
    : Controller(document, services, window, view),
      commands_(new PublishCommands(services, window)) {
    QAction* print = addCommand(this, "FileMenu", "printGrid", QStringLiteral("&Imprimer..."),
                                QStringLiteral("Imprimer la grille et ses définitions"),
                                &PublishController::printGridClick);
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    addCommand(this, "FileMenu", "exportGrid", QStringLiteral("E&xporter..."),
               QStringLiteral("Exporter la grille en PDF, SVG, PNG ou ipuz"),
               &PublishController::exportGridClick);
}

void PublishController::printGridClick() {
    guard([this] {
        doc_.gatherPendingEdits();
        commands_->Imprimer(doc_.grille(), doc_.shortName());
    });
}

void PublishController::exportGridClick() {
    guard([this] {
        doc_.gatherPendingEdits();
        commands_->Exporter(doc_.grille(), doc_.shortName());
    });
}

} // namespace orv
