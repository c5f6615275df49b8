// orvgrid export: a grid (.grd, .ipuz or plain text) published as PDF, SVG,
// PNG, ipuz or a grid file, the format following the output's extension.
#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace orv {

// Runs "orvgrid export GRID -o OUT [options]"; args excludes "export".
// Returns 0 when the file is written, 3 for bad arguments, an unreadable grid
// or a file that cannot be written (a one-line French message on err).
// Painting needs a QGuiApplication.
int orvgridExport(const QStringList& args, QTextStream& out, QTextStream& err);

QString orvgridExportUsage();

} // namespace orv
