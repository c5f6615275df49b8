// The exporters: each paints the printed layout on its own device into
// memory, and the bytes then replace the file atomically.
#include "publish/grid_export.h"

#include "common/errors.h"
#include "common/text_file.h"
#include "grid/grid_file.h"
#include "publish/ipuz_file.h"
#include "publish/page_output.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>
#include <functional>
#include <optional>

namespace orv {
namespace {

void paintPages(QPainter& painter, const PrintLayout& layout, double unitsPerLayoutUnit,
                bool stacked, const std::function<void()>& newPage = {}) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(unitsPerLayoutUnit, unitsPerLayoutUnit);
    for (int i = 0; i < layout.pageCount(); ++i) {
        if (i > 0 && newPage)
            newPage();
        painter.save();
        if (stacked)
            painter.translate(0, i * PrintLayout::pageSize().height());
        layout.paintPage(painter, i);
        painter.restore();
    }
}

QString titleOf(const PublishOptions& options) {
    return options.title.trimmed().isEmpty() ? defaultTitle(options.gridName)
                                             : options.title.trimmed();
}

} // namespace

std::optional<ExportFormat> exportFormatOf(const QString& path) {
    const QString suffix = path.section(QLatin1Char('.'), -1).toLower();
    if (!path.contains(QLatin1Char('.')))
        return std::nullopt;
    if (suffix == QLatin1String("pdf"))
        return ExportFormat::Pdf;
    if (suffix == QLatin1String("svg"))
        return ExportFormat::Svg;
    if (suffix == QLatin1String("png"))
        return ExportFormat::Png;
    if (suffix == QLatin1String("ipuz"))
        return ExportFormat::Ipuz;
    if (suffix == QLatin1String("grd"))
        return ExportFormat::Grd;
    return std::nullopt;
}

QString exportFileFilter() {
    return QStringLiteral("Document PDF (*.pdf)|*.pdf|Image SVG (*.svg)|*.svg|"
                          "Image PNG (*.png)|*.png|Grille ipuz (*.ipuz)|*.ipuz|"
                          "Grilles (*.grd)|*.grd");
}

QByteArray pdfBytes(const Grille& grille, const PublishOptions& options) {
    const PrintLayout layout(grille, options);
    return pdfPages(titleOf(options),
                    [&](QPainter& painter, double scale, const std::function<void()>& newPage) {
                        paintPages(painter, layout, scale, false, newPage);
                    });
}

QByteArray svgBytes(const Grille& grille, const PublishOptions& options) {
    const PrintLayout layout(grille, options);
    const QSizeF page = PrintLayout::pageSize();
    return svgPicture(QSizeF(page.width(), page.height() * layout.pageCount()), titleOf(options),
                      QStringLiteral("Grille de mots croisés"),
                      [&](QPainter& painter) { paintPages(painter, layout, 1, true); });
}

QByteArray pngBytes(const Grille& grille, const PublishOptions& options, int dotsPerInch) {
    if (dotsPerInch < kMinPngResolution || dotsPerInch > kMaxPngResolution)
        throw OrvError(QStringLiteral("La résolution doit être comprise entre %1 et %2 points "
                                      "par pouce")
                           .arg(kMinPngResolution)
                           .arg(kMaxPngResolution));
    const PrintLayout layout(grille, options);
    const QSizeF page = PrintLayout::pageSize();
    return pngPicture(
        QSizeF(page.width(), page.height() * layout.pageCount()), dotsPerInch,
        [&](QPainter& painter, double scale) { paintPages(painter, layout, scale, true); });
}

void exportGrid(const QString& path, const Grille& grille, const PublishOptions& options,
                int pngDotsPerInch) {
    const std::optional<ExportFormat> format = exportFormatOf(path);
    if (!format)
        throw OrvError(QStringLiteral("Le format du fichier %1 est inconnu : les formats "
                                      "possibles sont pdf, svg, png, ipuz et grd")
                           .arg(path));
    switch (*format) {
    case ExportFormat::Pdf:
        writeWholeFile(path, pdfBytes(grille, options), path);
        break;
    case ExportFormat::Svg:
        writeWholeFile(path, svgBytes(grille, options), path);
        break;
    case ExportFormat::Png:
        writeWholeFile(path, pngBytes(grille, options, pngDotsPerInch), path);
        break;
    case ExportFormat::Ipuz:
        writeIpuzFile(path, grille, {titleOf(options), options.author.trimmed()});
        break;
    case ExportFormat::Grd:
        writeGridFile(path, grille);
        break;
    }
}

} // namespace orv
