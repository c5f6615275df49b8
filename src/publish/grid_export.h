// Publishing a grid to a file: PDF (A4, vector, fonts embedded), SVG and PNG
// in the French printed layout, ipuz for solving programs, or the grid file
// itself. Every file is replaced whole or not at all.
#pragma once

#include "grid/grid_model.h"
#include "publish/print_layout.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace orv {

enum class ExportFormat { Pdf, Svg, Png, Ipuz, Grd };

// The format a file name's extension names, or nothing for another one.
std::optional<ExportFormat> exportFormatOf(const QString& path);
// The filter of the export dialog: one entry per format, PDF first.
QString exportFileFilter();

constexpr int kDefaultPngResolution = 150;
constexpr int kMinPngResolution = 50;
constexpr int kMaxPngResolution = 300;

// The files' bytes. The pages of the SVG picture and of the PNG image stand
// one under the other.
QByteArray pdfBytes(const Grille& grille, const PublishOptions& options);
QByteArray svgBytes(const Grille& grille, const PublishOptions& options);
QByteArray pngBytes(const Grille& grille, const PublishOptions& options, int dotsPerInch);

// Writes the file that `path` names in the format of its extension. Throws
// OrvError for an unknown extension or a resolution out of range, and
// "Ne peut créer le fichier <path>" when the file cannot be written, the
// earlier file then left as it was.
void exportGrid(const QString& path, const Grille& grille, const PublishOptions& options,
                int pngDotsPerInch = kDefaultPngResolution);

} // namespace orv
