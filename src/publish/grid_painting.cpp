// Painting of cells and whole grids.
#include "publish/grid_painting.h"

#include "common/codec.h"
#include "publish/roman.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace orv {
namespace {

// Pixel sizes keep the measures independent of the device's resolution; the
// painter's units are fine enough (20 or more to a cell) for whole numbers.
QFont sizedFont(const QString& family, double size, bool bold) {
    QFont font(family);
    font.setPixelSize(std::max(1, int(std::lround(size))));
    font.setBold(bold);
    return font;
}

QFont letterFont(const GridPaintOptions& o) { return sizedFont(o.family, o.cellSize * 0.62, true); }
QFont labelFont(const GridPaintOptions& o) { return sizedFont(o.family, o.cellSize * 0.45, true); }

QSizeF labelMargins(const Grille& g, const GridPaintOptions& o) {
    if (o.labels == GridLabels::None)
        return {0, 0};
    const QFontMetricsF fm(labelFont(o));
    double widest = 0;
    for (int r = 1; r <= g.playingRows(); ++r)
        widest = std::max(widest, fm.horizontalAdvance(romanNumeral(r)));
    return {widest + o.cellSize * 0.35, fm.height() + o.cellSize * 0.15};
}

} // namespace

void paintCellCode(QPainter& painter, char code, const QRectF& rect, const QFont& font,
                   LetterPlacement placement) {
    if (code == ' ') {
        painter.fillRect(rect, Qt::white);
    } else if (code == '#') {
        painter.fillRect(rect, Qt::black);
    } else if (isCapital(code)) {
        painter.setPen(Qt::black);
        painter.setFont(font);
        const QString letter(QChar::fromLatin1(code));
        if (placement == LetterPlacement::TopLeft) {
            painter.setBackgroundMode(Qt::OpaqueMode);
            painter.setBackground(Qt::white);
            const QFontMetrics fm(painter.font());
            // 3 pixels from the left edge for the normal 17-pixel letters,
            // proportionally for a zoomed grid.
            const int inset =
                font.pixelSize() > 0 ? int(std::lround(3.0 * font.pixelSize() / 17)) : 3;
            painter.drawText(QPointF(rect.left() + inset, rect.top() + fm.ascent()), letter);
        } else {
            painter.setBackgroundMode(Qt::TransparentMode);
            painter.fillRect(rect, Qt::white);
            painter.drawText(rect, Qt::AlignCenter, letter);
        }
    }
}

QSizeF gridPictureSize(const Grille& g, const GridPaintOptions& o) {
    const QSizeF m = labelMargins(g, o);
    return {m.width() + g.playingCols() * o.cellSize, m.height() + g.playingRows() * o.cellSize};
}

QRectF gridCellRect(const Grille& g, const GridPaintOptions& o, QPointF origin, int col, int row) {
    const QSizeF m = labelMargins(g, o);
    return QRectF(origin.x() + m.width() + (col - 1) * o.cellSize,
                  origin.y() + m.height() + (row - 1) * o.cellSize, o.cellSize, o.cellSize);
}

void paintGrid(QPainter& painter, const Grille& g, const GridPaintOptions& o, QPointF origin) {
    painter.save();
    const int rows = g.playingRows();
    const int cols = g.playingCols();
    const QFont font = letterFont(o);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c) {
            const char code = g.cell(c, r);
            const bool black = code == '#';
            const char shown = black ? '#' : (o.letters && isCapital(code) ? code : ' ');
            paintCellCode(painter, shown, gridCellRect(g, o, origin, c, r), font,
                          LetterPlacement::Centred);
        }

    const QRectF first = gridCellRect(g, o, origin, 1, 1);
    const QRectF area(first.topLeft(), QSizeF(cols * o.cellSize, rows * o.cellSize));
    QPen thin(Qt::black, std::max(o.cellSize * 0.03, 0.5));
    painter.setPen(thin);
    for (int c = 1; c < cols; ++c)
        painter.drawLine(QLineF(area.left() + c * o.cellSize, area.top(),
                                area.left() + c * o.cellSize, area.bottom()));
    for (int r = 1; r < rows; ++r)
        painter.drawLine(QLineF(area.left(), area.top() + r * o.cellSize, area.right(),
                                area.top() + r * o.cellSize));
    QPen frame(Qt::black, std::max(o.cellSize * 0.08, 1.0));
    frame.setJoinStyle(Qt::MiterJoin);
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);

    if (o.labels == GridLabels::French) {
        painter.setFont(labelFont(o));
        painter.setPen(Qt::black);
        for (int c = 1; c <= cols; ++c) {
            const QRectF cell = gridCellRect(g, o, origin, c, 1);
            painter.drawText(QRectF(cell.left(), origin.y(), cell.width(), area.top() - origin.y()),
                             Qt::AlignHCenter | Qt::AlignBottom, QString::number(c));
        }
        for (int r = 1; r <= rows; ++r) {
            const QRectF cell = gridCellRect(g, o, origin, 1, r);
            painter.drawText(QRectF(origin.x(), cell.top(),
                                    area.left() - origin.x() - o.cellSize * 0.2, cell.height()),
                             Qt::AlignRight | Qt::AlignVCenter, romanNumeral(r));
        }
    }
    painter.restore();
}

} // namespace orv
