// The commands that publish the open grid: printing, through the options
// dialog, a preview or the system's print dialog; and export to a file whose
// type the save dialog's filter decides. The main window (or its grid
// controller) owns one instance and hands it the grid at each command.
#pragma once

#include "common/services.h"
#include "grid/grid_model.h"
#include "publish/print_layout.h"

#include <QObject>

class QPrinter;
class QWidget;

namespace orv {

class ExportDialog;

class PublishCommands : public QObject {
    Q_OBJECT
public:
    PublishCommands(Services& services, QWidget* parent);

    // "&Imprimer...": the options, then the preview ("Aperçu avant impression")
    // or the print dialog; the pages go to the printer chosen there.
    // `gridName` is the grid's file name, which titles it when no title is typed.
    void Imprimer(const Grille& grille, const QString& gridName);
    // "E&xporter...": the save dialog with one entry per format, then the options.
    void Exporter(const Grille& grille, const QString& gridName);

    ExportDialog& dialog() { return *dialog_; }

private:
    Services& services_;
    QWidget* parent_;
    ExportDialog* dialog_;
};

// Paints the layout's pages on a printer set up by a print dialog, within its
// page range. Throws OrvError when the printer cannot start.
void printPages(QPrinter& printer, const PrintLayout& layout);

} // namespace orv
