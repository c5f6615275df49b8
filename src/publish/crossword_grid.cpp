// Shared settings, sizing and cell painting of the crossword grids.
#include "publish/crossword_grid.h"

#include "common/codec.h"
#include "common/string_grid.h"
#include "publish/grid_painting.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <iterator>

namespace orv {
namespace {

int scaledPixels(int pixels, int percent) { return std::max(1, (pixels * percent + 50) / 100); }

// The size that shows every cell at the grid's own cell and line sizes.
QSize gridPixels(int rows, int cols, int cell, int line) {
    // 22 pixels a cell and 3 to spare at the normal size, scaled with the zoom.
    const int spare = line + 1;
    return QSize(cols * (cell + line) + spare, rows * (cell + line) + spare);
}

// Row labels wider than a cell (Roman numerals such as XVIII) widen the
// header column rather than spill over the cells beside them.
void widenHeaderColumn(StringGrid& grid) {
    if (grid.colCount() < 2)
        return;
    const int cell = grid.colWidth(1);
    const QFontMetrics metrics(grid.font());
    int widest = 0;
    for (int r = 1; r < grid.rowCount(); ++r)
        widest = std::max(widest, metrics.horizontalAdvance(grid.cell(0, r)));
    grid.setColWidth(0, widest > cell ? widest + cell / 4 : cell);
}

void fitToCells(StringGrid& grid) {
    widenHeaderColumn(grid);
    const int line = grid.gridLineWidth();
    grid.setFixedSize(grid.gridExtent() + QSize(line, line));
}

} // namespace

void configureCrosswordGrid(StringGrid& grid) { zoomCrosswordGrid(grid, 100); }

void zoomCrosswordGrid(StringGrid& grid, int percent) {
    auto scaled = [percent](int pixels) { return scaledPixels(pixels, percent); };
    grid.setDefaultColWidth(scaled(20));
    grid.setDefaultRowHeight(scaled(20));
    grid.setGridLineWidth(scaled(2));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(scaled(17));
    font.setBold(true);
    grid.setFont(font);
    fitToCells(grid);
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

int fittingZoom(int rows, int cols, QSize space) {
    auto fits = [&](int percent) {
        const QSize size =
            gridPixels(rows, cols, scaledPixels(20, percent), scaledPixels(2, percent));
        return size.width() <= space.width() && size.height() <= space.height();
    };
    // The size grows with the zoom: the largest zoom that fits, by halves.
    int low = kMinFitZoom;
    int high = kMaxFitZoom;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

void sizeCrosswordGrid(StringGrid& grid, int rows, int cols, LabelStyle style) {
    grid.setRowCount(rows);
    grid.setColCount(cols);
    for (int i = 1; i < rows; ++i)
        grid.setCell(0, i, rowLabel(i, style));
    for (int j = 1; j < cols; ++j)
        grid.setCell(j, 0, columnLabel(j, style));
    fitToCells(grid);
}

QRect cellPaintRect(const QRect& r) {
    return QRect(r.left() + 1, r.top() + 1, r.width() - 3, r.height() - 3);
}

void paintCellCode(QPainter& painter, char code, const QRect& rect, const StringGrid& grid) {
    paintCellCode(painter, code, QRectF(rect), grid.font(), LetterPlacement::TopLeft);
}

} // namespace orv
