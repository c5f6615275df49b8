// The drawing of an arrow-word grid for the screen and the printed files:
// tinted definition cells holding their clue text in small type (two clues
// split by a line), the arrows at the first cell of each word, letter cells
// with or without their letters, thin lines and a stronger frame.
#pragma once

#include "arrowword/arrow_grid.h"

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QStringList>

class QPainter;

namespace orv {

struct ArrowPaintOptions {
    double cellSize = 40; // side of a cell, in the painter's units
    bool letters = true;  // the letters of the letter cells
    bool clueText = true; // the clues, their split lines and arrows (else plain tinted cells)
    QString family = QStringLiteral("Arial");
};

QSizeF arrowGridPictureSize(const ArrowGrid& grid, const ArrowPaintOptions& options);
QRectF arrowCellRect(const ArrowPaintOptions& options, QPointF origin, Cell cell);
// The part of a definition cell that the clue at `index` of `count` clues
// fills: the whole cell for one clue, the top or bottom half for two.
QRectF clueBox(const QRectF& cellRect, int index, int count);

// A clue's text set in a box: the largest font (whole pixel sizes, from
// about a fifth of the box's width down to a tenth of it, never under
// kSmallestClueFont) at which the words, wrapped at spaces and hyphens, fit
// the box whole; only when no size keeps them whole, the largest at which
// they fit with a word too wide for the box cut between letters. `fits` is
// false when even the smallest size overflows (the lines are then those of
// the smallest size).
struct FittedClue {
    QFont font;
    QStringList lines;
    double lineHeight = 0;
    bool fits = true;
};
constexpr int kSmallestClueFont = 4;
FittedClue fitClueText(const QString& text, const QRectF& box, const QString& family);
// The rectangle each line of a fitted clue takes, centred in the box.
QList<QRectF> fittedLineRects(const FittedClue& fitted, const QRectF& box);

void paintArrowGrid(QPainter& painter, const ArrowGrid& grid, const ArrowPaintOptions& options,
                    QPointF origin);

} // namespace orv
