// One drawing of a crossword grid for the screen, the printer and every
// exported file: a cell code painted in a rectangle, and a whole grid with
// its row and column labels, on any QPainter at any cell size.
#pragma once

#include "grid/grid_model.h"

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

class QPainter;

namespace orv {

enum class LetterPlacement {
    // The letter's box at 3 units from the cell's left edge and at its top,
    // on an opaque white background: the editing grids on screen.
    TopLeft,
    // The letter centred in the cell, drawn without a background: print and files.
    Centred,
};

// ' ' white, '#' black, 'A'..'Z' the letter in black in `font`; any other code
// paints nothing.
void paintCellCode(QPainter& painter, char code, const QRectF& rect, const QFont& font,
                   LetterPlacement placement);

enum class GridLabels {
    None,
    // Columns numbered 1, 2, 3 ... above, rows numbered I, II, III ... at the left.
    French,
};

struct GridPaintOptions {
    double cellSize = 20; // side of a cell, in the painter's units
    bool letters = false; // the letters of the cells (the solution) or empty cells
    GridLabels labels = GridLabels::French;
    QString family = QStringLiteral("Arial");
};

// The size of the grid's picture with its labels, in the painter's units.
QSizeF gridPictureSize(const Grille& grille, const GridPaintOptions& options);
// The rectangle of the playing cell (column, row counted from 1) when the
// picture's top-left corner is at `origin`.
QRectF gridCellRect(const Grille& grille, const GridPaintOptions& options, QPointF origin, int col,
                    int row);
// Paints the playing area of the grid with its top-left corner (labels
// included) at `origin`: white cells, solid black squares, thin lines, a
// stronger frame and, when asked, the letters.
void paintGrid(QPainter& painter, const Grille& grille, const GridPaintOptions& options,
               QPointF origin);

} // namespace orv
