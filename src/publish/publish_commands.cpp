// Printing and exporting the open grid.
#include "publish/publish_commands.h"

#include "common/command_guard.h"
#include "common/errors.h"
#include "grid/grid_file.h"
#include "publish/export_dialog.h"
#include "publish/grid_export.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace orv {

PublishCommands::PublishCommands(Services& services, QWidget* parent)
    : QObject(parent), services_(services), parent_(parent), dialog_(new ExportDialog(parent)) {}

void printPages(QPrinter& printer, const PrintLayout& layout) {
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (!printer.outputFileName().isEmpty())
            throw OrvError(cannotCreateMessage(printer.outputFileName()));
        throw OrvError(
            QStringLiteral("L'impression ne peut pas commencer sur %1").arg(printer.printerName()));
    }
    int first = 0;
    int last = layout.pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = std::min(printer.toPage(), layout.pageCount()) - 1;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = printer.resolution() / kLayoutUnitsPerInch;
    painter.scale(scale, scale);
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer.newPage();
        layout.paintPage(painter, page);
    }
    painter.end();
}

void PublishCommands::Imprimer(const Grille& grille, const QString& gridName) {
    dialog_->Init(ExportDialog::Purpose::Print, defaultTitle(gridName));
    services_.modal.run(*dialog_);
    const ExportDialog::Outcome outcome = dialog_->outcome();
    if (outcome == ExportDialog::Outcome::Cancelled)
        return;
    PublishOptions options = dialog_->options();
    options.gridName = gridName;
    const PrintLayout layout(grille, options);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(dialog_->options().title);
    if (outcome == ExportDialog::Outcome::Preview) {
        QPrintPreviewDialog preview(&printer, parent_);
        preview.setObjectName(QStringLiteral("PrintPreview"));
        preview.setWindowTitle(QStringLiteral("Aperçu avant impression"));
        connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* p) {
            guarded(services_.messages, parent_, [&] { printPages(*p, layout); });
        });
        services_.modal.run(preview);
        return;
    }
    QPrintDialog print(&printer, parent_);
    print.setObjectName(QStringLiteral("PrintDialog"));
    print.setMinMax(1, layout.pageCount());
    services_.modal.run(print);
    if (print.result() == QDialog::Accepted)
        printPages(printer, layout);
}

void PublishCommands::Exporter(const Grille& grille, const QString& gridName) {
    const QString path = services_.files.saveTypedFile(parent_, exportFileFilter());
    if (path.isEmpty())
        return;
    const std::optional<ExportFormat> format = exportFormatOf(path);
    if (!format)
        throw OrvError(QStringLiteral("Le format du fichier %1 est inconnu : les formats "
                                      "possibles sont pdf, svg, png, ipuz et grd")
                           .arg(path));
    PublishOptions options;
    int resolution = kDefaultPngResolution;
    if (format == ExportFormat::Grd) {
        // The file then holds the clues cut; the grid itself keeps them whole.
        const QList<LongClue> cut = cluesTooLongForGridFile(grille);
        if (!cut.isEmpty() && services_.messages.choice(parent_, clueCutQuestion(cut),
                                                        {QStringLiteral("Couper et exporter"),
                                                         QStringLiteral("Annuler")}) != 0)
            return;
    } else {
        dialog_->Init(ExportDialog::Purpose::Export, defaultTitle(gridName), format);
        services_.modal.run(*dialog_);
        if (dialog_->outcome() == ExportDialog::Outcome::Cancelled)
            return;
        options = dialog_->options();
        resolution = dialog_->resolution();
    }
    options.gridName = gridName;
    exportGrid(path, grille, options, resolution);
}

} // namespace orv
