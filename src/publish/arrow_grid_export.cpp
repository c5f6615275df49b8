// The printed page of an arrow-word grid.
#include "publish/arrow_grid_export.h"

#include "common/errors.h"
#include "common/text_file.h"
#include "publish/page_output.h"
#include "publish/print_layout.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

namespace orv {
namespace {

constexpr double kMargin = 600; // 15 mm
constexpr double kTitleHeight = 500;
constexpr double kSolutionShare = 0.3; // of the main grid's cell side

QFont titleFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(240);
    font.setBold(true);
    return font;
}

void paintPage(QPainter& painter, const ArrowGrid& grid, const QString& title) {
    const ArrowPage page = arrowPageLayout(grid);
    painter.setFont(titleFont());
    painter.setPen(Qt::black);
    painter.drawText(page.title, Qt::AlignLeft | Qt::AlignVCenter,
                     title.isEmpty() ? QStringLiteral("Mots fléchés") : title);
    paintArrowGrid(painter, grid, page.grid, page.gridOrigin);
    QFont caption(QStringLiteral("Arial"));
    caption.setPixelSize(140);
    caption.setBold(true);
    painter.setFont(caption);
    painter.setPen(Qt::black);
    painter.drawText(page.solutionCaption, Qt::AlignLeft | Qt::AlignBottom,
                     QStringLiteral("Solution"));
    paintArrowGrid(painter, grid, page.solution, page.solutionOrigin);
}

} // namespace

ArrowPage arrowPageLayout(const ArrowGrid& grid) {
    ArrowPage page;
    const double width = kA4Width - 2 * kMargin;
    const double height = kA4Height - 2 * kMargin - kTitleHeight;
    // The grid and the solution under it, with a caption line between.
    const double cell =
        std::min(width / grid.columns(), (height - 400) / (grid.rows() * (1 + kSolutionShare)));
    page.title = QRectF(kMargin, kMargin, width, kTitleHeight);
    page.grid.cellSize = cell;
    page.grid.letters = false;
    page.gridOrigin =
        QPointF(kMargin + (width - cell * grid.columns()) / 2, kMargin + kTitleHeight);
    page.solution.cellSize = cell * kSolutionShare;
    page.solution.letters = true;
    page.solution.clueText = false;
    const double top = page.gridOrigin.y() + cell * grid.rows() + 400;
    page.solutionOrigin =
        QPointF(kA4Width - kMargin - page.solution.cellSize * grid.columns(), top);
    page.solutionCaption = QRectF(page.solutionOrigin.x(), top - 300, width / 2, 260);
    return page;
}

bool clueFitsPrintedCell(const ArrowGrid& grid, const QString& text, int index, int count) {
    const ArrowPage page = arrowPageLayout(grid);
    const QRectF cell = arrowCellRect(page.grid, page.gridOrigin, {1, 1});
    return fitClueText(text, clueBox(cell, index, count), page.grid.family).fits;
}

QString arrowExportFilter() {
    return QStringLiteral(
        "Document PDF (*.pdf)|*.pdf|Image SVG (*.svg)|*.svg|Image PNG (*.png)|*.png");
}

QByteArray arrowPdfBytes(const ArrowGrid& grid, const QString& title) {
    return pdfPages(title.isEmpty() ? QStringLiteral("Mots fléchés") : title,
                    [&](QPainter& painter, double scale, const std::function<void()>&) {
                        painter.scale(scale, scale);
                        paintPage(painter, grid, title);
                    });
}

QByteArray arrowSvgBytes(const ArrowGrid& grid, const QString& title) {
    return svgPicture(QSizeF(kA4Width, kA4Height),
                      title.isEmpty() ? QStringLiteral("Mots fléchés") : title,
                      QStringLiteral("Grille de mots fléchés"), [&](QPainter& painter) {
                          painter.fillRect(QRectF(0, 0, kA4Width, kA4Height), Qt::white);
                          paintPage(painter, grid, title);
                      });
}

QByteArray arrowPngBytes(const ArrowGrid& grid, const QString& title, int dotsPerInch) {
    return pngPicture(QSizeF(kA4Width, kA4Height), dotsPerInch,
                      [&](QPainter& painter, double scale) {
                          painter.scale(scale, scale);
                          paintPage(painter, grid, title);
                      });
}

void exportArrowGrid(const QString& path, const ArrowGrid& grid, const QString& title,
                     int pngDotsPerInch) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        writeWholeFile(path, arrowPdfBytes(grid, title), path);
    else if (suffix == QLatin1String("svg"))
        writeWholeFile(path, arrowSvgBytes(grid, title), path);
    else if (suffix == QLatin1String("png"))
        writeWholeFile(path, arrowPngBytes(grid, title, pngDotsPerInch), path);
    else
        throw OrvError(QStringLiteral("Le fichier %1 n'a pas une extension connue : .pdf, .svg "
                                      "ou .png sont possibles")
                           .arg(QFileInfo(path).fileName()));
}

} // namespace orv
