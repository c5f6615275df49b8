// The three kinds of published pictures, written to bytes: PDF pages, an SVG
// picture and a PNG image, each drawn by the caller in layout units (a tenth
// of a point, kLayoutUnitsPerInch to the inch). The crossword's pages and
// the arrow-word page share them.
#pragma once

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <functional>

class QPainter;

namespace orv {

// A4 PDF pages without margins. `paint` draws at `scale` times the layout
// units (the writer's resolution) and calls `newPage` between pages.
QByteArray pdfPages(const QString& title,
                    const std::function<void(QPainter& painter, double scale,
                                             const std::function<void()>& newPage)>& paint);

// An SVG picture of `size` layout units, whose nominal size is in points.
QByteArray svgPicture(QSizeF size, const QString& title, const QString& description,
                      const std::function<void(QPainter& painter)>& paint);

// A white PNG image of `size` layout units at `dotsPerInch`, its resolution
// recorded in the file; `paint` draws at `scale` times the layout units.
QByteArray pngPicture(QSizeF size, int dotsPerInch,
                      const std::function<void(QPainter& painter, double scale)>& paint);

} // namespace orv
