// Shared settings, sizing and cell painting of the crossword grids.
#include "publish/crossword_grid.h"

#include "common/codec.h"
#include "common/string_grid.h"
#include "publish/grid_painting.h"

#include <QPainter>
#include <algorithm>
#include <iterator>

namespace orv {

void configureCrosswordGrid(StringGrid& grid) { zoomCrosswordGrid(grid, 100); }

void zoomCrosswordGrid(StringGrid& grid, int percent) {
    auto scaled = [percent](int pixels) { return std::max(1, (pixels * percent + 50) / 100); };
    grid.setDefaultColWidth(scaled(20));
    grid.setDefaultRowHeight(scaled(20));
    grid.setGridLineWidth(scaled(2));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(scaled(17));
    font.setBold(true);
    grid.setFont(font);
    sizeCrosswordGrid(grid, grid.rowCount(), grid.colCount());
}

int nextZoom(int percent, bool larger) {
    static constexpr int kSteps[] = {75, 100, 125, 150, 200, 250, 300, 400};
    if (larger) {
        for (int step : kSteps)
            if (step > percent)
                return step;
        return kSteps[std::size(kSteps) - 1];
    }
    for (auto it = std::rbegin(kSteps); it != std::rend(kSteps); ++it)
        if (*it < percent)
            return *it;
    return kSteps[0];
}

void sizeCrosswordGrid(StringGrid& grid, int rows, int cols) {
    grid.setRowCount(rows);
    grid.setColCount(cols);
    // 22 pixels a cell and 3 to spare at the normal size, scaled with the zoom.
    const int spare = grid.gridLineWidth() + 1;
    grid.setFixedSize(cols * (grid.colWidth(0) + grid.gridLineWidth()) + spare,
                      rows * (grid.rowHeight(0) + grid.gridLineWidth()) + spare);
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
