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
    QAction* print = addCommand(this, "FileMenu", "Imprimer1", QStringLiteral("&Imprimer..."),
                                QStringLiteral("Imprimer la grille et ses définitions"),
                                &PublishController::Imprimer1Click);
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    addCommand(this, "FileMenu", "Exporter1", QStringLiteral("E&xporter..."),
               QStringLiteral("Exporter la grille en PDF, SVG, PNG ou ipuz"),
               &PublishController::Exporter1Click);
}

void PublishController::Imprimer1Click() {
    guard([this] { commands_->Imprimer(doc_.grille(), doc_.shortName()); });
}

void PublishController::Exporter1Click() {
    guard([this] { commands_->Exporter(doc_.grille(), doc_.shortName()); });
}

} // namespace orv
