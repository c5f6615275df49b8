// What the editor's grid and the play grid share: the control's settings
// (20-pixel cells, 2-pixel lines, Arial bold 17 pixels), its sizing with the
// row numbers and column letters, and the painting of one cell code.
#pragma once

#include "common/codec.h"
#include "common/string_grid.h"
#include "grid/grid_model.h"

#include <QRect>

class QPainter;

namespace orv {

// 20-pixel cells and 2-pixel lines: column j starts 22 x j pixels from the left.
constexpr int kCellPitch = 22;

void configureCrosswordGrid(StringGrid& grid);
// The view zoom of the editing grid: cells, lines and letters scaled by
// `percent` (100 is the normal 20-pixel cell). The grid is sized again.
void zoomCrosswordGrid(StringGrid& grid, int percent);
// The zoom steps of "Zoom +" and "Zoom -" around the normal size.
int nextZoom(int percent, bool larger);
// The zooms between which « Taille ajustée » chooses.
constexpr int kMinFitZoom = 50;
constexpr int kMaxFitZoom = 1000;
// The largest zoom at which a grid of `rows` by `cols` (header included)
// fits in `space`, within kMinFitZoom .. kMaxFitZoom.
int fittingZoom(int rows, int cols, QSize space);
// Row and column counts (header included), the size that shows every cell,
// and the labels of the playing rows down the header column and of the
// playing columns along the header row ("1".. and "A".., or in French usage
// "I".. and "1..").
void sizeCrosswordGrid(StringGrid& grid, int rows, int cols,
                       LabelStyle style = LabelStyle::Letters);
// The cell rectangle given by the control, shrunk by 1 at the left and top and
// 2 at the right and bottom, so that the control's selection border stays visible.
QRect cellPaintRect(const QRect& cellRect);
// ' ' white, '#' black, 'A'..'Z' the letter at 3 pixels from the left on an
// opaque white background; any other code paints nothing.
void paintCellCode(QPainter& painter, char code, const QRect& rect, const StringGrid& grid);

// Hands a character typed on the grid's current cell to a cell rule as its
// Windows-1252 byte, which the rule may replace (a character the code page
// cannot hold reaches no rule), then repaints the cell whatever happened.
template <typename Rule> void typeOnCurrentCell(StringGrid& grid, QChar& key, Rule rule) {
    const int col = grid.col();
    const int row = grid.row();
    if (const auto byte = byteFromChar(key)) {
        char k = char(*byte);
        rule(k, col, row);
        key = charFromByte(static_cast<unsigned char>(k));
    }
    grid.updateCell(col, row);
}

} // namespace orv
