// Shared settings, sizing and cell painting of the crossword grids.
#include "common/crossword_grid.h"

#include "common/codec.h"
#include "common/string_grid.h"
#include "publish/grid_painting.h"

#include <QPainter>

namespace orv {

void configureCrosswordGrid(StringGrid& grid) {
    grid.setDefaultColWidth(20);
    grid.setDefaultRowHeight(20);
    grid.setGridLineWidth(2);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(17);
    font.setBold(true);
    grid.setFont(font);
}

void sizeCrosswordGrid(StringGrid& grid, int rows, int cols) {
    grid.setRowCount(rows);
    grid.setColCount(cols);
    grid.setFixedSize(cols * kCellPitch + 3, rows * kCellPitch + 3);
    for (int i = 1; i < rows; ++i)
        grid.setCell(0, i, QString::number(i));
    for (int j = 1; j < cols; ++j)
        grid.setCell(j, 0, QString(QChar(u'A' + j - 1)));
}

QRect cellPaintRect(const QRect& r) {
    return QRect(r.left() + 1, r.top() + 1, r.width() - 3, r.height() - 3);
}

void paintCellCode(QPainter& painter, char code, const QRect& rect, const StringGrid& grid) {
    paintCellCode(painter, code, QRectF(rect), grid.font(), LetterPlacement::TopLeft);
}

} // namespace orv
