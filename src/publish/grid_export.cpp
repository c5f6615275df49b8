// The exporters: each paints the printed layout on its own device into
// memory, and the bytes then replace the file atomically.
#include "publish/grid_export.h"

#include "common/errors.h"
#include "common/text_file.h"
#include "grid/grid_file.h"
#include "publish/ipuz_file.h"

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
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(int(kLayoutUnitsPerInch));
        writer.setTitle(titleOf(options));
        writer.setCreator(QStringLiteral("Orv Grille"));
        QPainter painter(&writer);
        paintPages(painter, layout, writer.logicalDpiX() / kLayoutUnitsPerInch, false,
                   [&writer] { writer.newPage(); });
    }
    return bytes;
}

QByteArray svgBytes(const Grille& grille, const PublishOptions& options) {
    const PrintLayout layout(grille, options);
    const QSizeF page = PrintLayout::pageSize();
    const double height = page.height() * layout.pageCount();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    // One unit of the picture is a tenth of a point; its size is given in points.
    svg.setResolution(72);
    svg.setSize(QSize(int(std::ceil(page.width() / 10)), int(std::ceil(height / 10))));
    svg.setViewBox(QRectF(0, 0, page.width(), height));
    svg.setTitle(titleOf(options));
    svg.setDescription(QStringLiteral("Grille de mots croisés"));
    QPainter painter(&svg);
    paintPages(painter, layout, 1, true);
    painter.end();
    return bytes;
}

QByteArray pngBytes(const Grille& grille, const PublishOptions& options, int dotsPerInch) {
    if (dotsPerInch < kMinPngResolution || dotsPerInch > kMaxPngResolution)
        throw OrvError(QStringLiteral("La résolution doit être comprise entre %1 et %2 points "
                                      "par pouce")
                           .arg(kMinPngResolution)
                           .arg(kMaxPngResolution));
    const PrintLayout layout(grille, options);
    const double scale = dotsPerInch / kLayoutUnitsPerInch;
    const QSizeF page = PrintLayout::pageSize();
    QImage image(int(std::ceil(page.width() * scale)),
                 int(std::ceil(page.height() * layout.pageCount() * scale)), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = int(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    {
        QPainter painter(&image);
        paintPages(painter, layout, scale, true);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
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
