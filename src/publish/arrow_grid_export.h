// Publishing an arrow-word grid: one A4 page with the title, the grid with
// its clues and arrows, and the solution grid, small, below it; as PDF
// (vector, fonts embedded), SVG or PNG. Every file is replaced whole or not
// at all.
#pragma once

#include "arrowword/arrow_grid.h"
#include "publish/arrow_grid_painting.h"

#include <QByteArray>
#include <QRectF>
#include <QString>

namespace orv {

// Where the page's parts stand, in tenths of a point on an A4 page.
struct ArrowPage {
    QRectF title;
    ArrowPaintOptions grid;
    QPointF gridOrigin;
    ArrowPaintOptions solution;
    QPointF solutionOrigin;
    QRectF solutionCaption;
};
ArrowPage arrowPageLayout(const ArrowGrid& grid);

// Whether a clue's text fits its part of a definition cell of the printed
// page (the clue at `index` among the cell's `count` clues), set as the page
// sets it: false when even the smallest type overflows the cell.
bool clueFitsPrintedCell(const ArrowGrid& grid, const QString& text, int index, int count);

// The filter of the export dialog: PDF, SVG, PNG.
QString arrowExportFilter();

QByteArray arrowPdfBytes(const ArrowGrid& grid, const QString& title);
QByteArray arrowSvgBytes(const ArrowGrid& grid, const QString& title);
QByteArray arrowPngBytes(const ArrowGrid& grid, const QString& title, int dotsPerInch = 150);

// Writes the file that `path` names (".pdf", ".svg" or ".png"); OrvError for
// another extension and "Ne peut créer le fichier <path>" when it cannot be written.
void exportArrowGrid(const QString& path, const ArrowGrid& grid, const QString& title,
                     int pngDotsPerInch = 150);

} // namespace orv
