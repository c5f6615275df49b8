// Painting of arrow-word grids.
#include "publish/arrow_grid_painting.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace orv {
namespace {

const QColor kDefinitionTint(0xdc, 0xe8, 0xf4);
const QColor kInk(0x10, 0x10, 0x10);

QFont pixelFont(const QString& family, int pixels, bool bold) {
    QFont font(family);
    font.setPixelSize(std::max(1, pixels));
    font.setBold(bold);
    return font;
}

// Words wrapped to a width; a word wider than the width is cut between
// letters, and `cut` then set.
QStringList wrapped(const QString& text, const QFontMetricsF& fm, double width, bool& cut) {
    cut = false;
    QStringList pieces;
    QString piece;
    // Break after spaces and after hyphens, keeping the hyphen on its line.
    for (const QChar ch : text.simplified()) {
        piece += ch;
        if (ch == QLatin1Char(' ') || ch == QLatin1Char('-')) {
            pieces.append(piece);
            piece.clear();
        }
    }
    if (!piece.isEmpty())
        pieces.append(piece);
    QStringList lines;
    QString line;
    for (QString p : pieces) {
        if (fm.horizontalAdvance((line + p).trimmed()) <= width) {
            line += p;
            continue;
        }
        if (!line.trimmed().isEmpty())
            lines.append(line.trimmed());
        line.clear();
        while (fm.horizontalAdvance(p.trimmed()) > width && p.trimmed().size() > 1) {
            int at = int(p.size()) - 1;
            while (at > 1 && fm.horizontalAdvance(p.left(at)) > width)
                --at;
            lines.append(p.left(at));
            p = p.mid(at);
            cut = true;
        }
        line = p;
    }
    if (!line.trimmed().isEmpty())
        lines.append(line.trimmed());
    return lines;
}

// A small filled arrowhead with its tip at `tip`, pointing along (dx, dy).
void arrowHead(QPainter& painter, QPointF tip, double dx, double dy, double size) {
    const QPointF back(tip.x() - dx * size, tip.y() - dy * size);
    const QPointF side(-dy * size * 0.55, dx * size * 0.55);
    QPainterPath path;
    path.moveTo(tip);
    path.lineTo(back + side);
    path.lineTo(back - side);
    path.closeSubpath();
    painter.fillPath(path, kInk);
}

void paintArrow(QPainter& painter, const QRectF& defRect, const QRectF& box,
                ArrowDirection direction, double cell) {
    const double head = cell * 0.13;
    QPen pen(kInk, std::max(0.8, cell * 0.025));
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    switch (direction) {
    case ArrowDirection::Right: {
        const QPointF from(defRect.right(), box.center().y());
        arrowHead(painter, from + QPointF(head * 1.1, 0), 1, 0, head);
        break;
    }
    case ArrowDirection::Down: {
        const QPointF from(box.center().x(), defRect.bottom());
        arrowHead(painter, from + QPointF(0, head * 1.1), 0, 1, head);
        break;
    }
    case ArrowDirection::RightThenDown: {
        const QPointF from(defRect.right(), box.center().y());
        const QPointF corner = from + QPointF(head * 1.3, 0);
        painter.drawLine(from, corner);
        painter.drawLine(corner, corner + QPointF(0, head * 0.4));
        arrowHead(painter, corner + QPointF(0, head * 1.3), 0, 1, head);
        break;
    }
    case ArrowDirection::DownThenRight: {
        const QPointF from(defRect.center().x() - cell * 0.25, defRect.bottom());
        const QPointF corner = from + QPointF(0, head * 1.3);
        painter.drawLine(from, corner);
        painter.drawLine(corner, corner + QPointF(head * 0.4, 0));
        arrowHead(painter, corner + QPointF(head * 1.3, 0), 1, 0, head);
        break;
    }
    }
}

} // namespace

QSizeF arrowGridPictureSize(const ArrowGrid& grid, const ArrowPaintOptions& o) {
    return {grid.columns() * o.cellSize, grid.rows() * o.cellSize};
}

QRectF arrowCellRect(const ArrowPaintOptions& o, QPointF origin, Cell cell) {
    return {origin.x() + (cell.col - 1) * o.cellSize, origin.y() + (cell.row - 1) * o.cellSize,
            o.cellSize, o.cellSize};
}

QRectF clueBox(const QRectF& cellRect, int index, int count) {
    const double margin = cellRect.width() * 0.05;
    QRectF inner = cellRect.adjusted(margin, margin, -margin, -margin);
    if (count < 2)
        return inner;
    const double half = cellRect.height() / 2;
    return index == 0 ? QRectF(inner.left(), inner.top(), inner.width(), half - 2 * margin)
                      : QRectF(inner.left(), cellRect.top() + half + margin, inner.width(),
                               half - 2 * margin);
}

FittedClue fitClueText(const QString& text, const QRectF& box, const QString& family) {
    FittedClue fitted;
    // One size for the short clues of a grid, as magazines print them: at
    // most about a fifth of the cell's width, and two lines in the box.
    const int largest = std::max(kSmallestClueFont,
                                 int(std::floor(std::min(box.height() / 2.3, box.width() * 0.21))));
    // Below a tenth of the cell's width the type is not read any more on paper.
    const int smallest =
        std::min(largest, std::max(kSmallestClueFont, int(std::ceil(box.width() * 0.1))));
    // Whole words first: a smaller size that keeps every word whole is
    // better than a larger one that cuts one between its letters.
    for (const bool cutting : {false, true})
        for (int size = largest; size >= smallest; --size) {
            const QFont font = pixelFont(family, size, false);
            const QFontMetricsF fm(font);
            bool cut = false;
            const QStringList lines = wrapped(text, fm, box.width(), cut);
            if (cut && !cutting)
                continue;
            fitted.font = font;
            fitted.lines = lines;
            fitted.lineHeight = fm.height();
            bool fits = lines.size() * fm.height() <= box.height();
            for (const QString& line : lines)
                fits = fits && fm.horizontalAdvance(line) <= box.width();
            fitted.fits = fits;
            if (fits)
                return fitted;
        }
    return fitted;
}

QList<QRectF> fittedLineRects(const FittedClue& fitted, const QRectF& box) {
    const QFontMetricsF fm(fitted.font);
    QList<QRectF> rects;
    double y = box.center().y() - fitted.lines.size() * fitted.lineHeight / 2;
    for (const QString& line : fitted.lines) {
        const double w = fm.horizontalAdvance(line);
        rects.append(QRectF(box.center().x() - w / 2, y, w, fitted.lineHeight));
        y += fitted.lineHeight;
    }
    return rects;
}

void paintArrowGrid(QPainter& painter, const ArrowGrid& grid, const ArrowPaintOptions& o,
                    QPointF origin) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double cell = o.cellSize;
    const QFont letterFont = pixelFont(o.family, int(std::lround(cell * 0.6)), true);
    // Cells first, then the lines, then the arrows over the lines.
    for (int r = 1; r <= grid.rows(); ++r)
        for (int c = 1; c <= grid.columns(); ++c) {
            const QRectF rect = arrowCellRect(o, origin, {c, r});
            const ArrowCell& here = grid.at({c, r});
            if (!here.definition) {
                painter.fillRect(rect, Qt::white);
                if (o.letters && here.letter >= 'A' && here.letter <= 'Z') {
                    painter.setFont(letterFont);
                    painter.setPen(kInk);
                    painter.drawText(rect, Qt::AlignCenter, QString(QChar(here.letter)));
                }
                continue;
            }
            painter.fillRect(rect, kDefinitionTint);
            const int count = int(here.clues.size());
            if (!o.clueText)
                continue;
            if (count == 2) {
                painter.setPen(QPen(kInk, std::max(0.5, cell * 0.015)));
                painter.drawLine(QPointF(rect.left(), rect.center().y()),
                                 QPointF(rect.right(), rect.center().y()));
            }
            for (int k = 0; k < count; ++k) {
                const QRectF box = clueBox(rect, k, count);
                const FittedClue fitted =
                    fitClueText(here.clues[std::size_t(k)].text, box, o.family);
                painter.setFont(fitted.font);
                painter.setPen(kInk);
                const QList<QRectF> rects = fittedLineRects(fitted, box);
                for (qsizetype i = 0; i < rects.size(); ++i)
                    painter.drawText(rects[i], Qt::AlignCenter, fitted.lines[i]);
            }
        }
    painter.setPen(QPen(kInk, std::max(0.5, cell * 0.02)));
    for (int r = 0; r <= grid.rows(); ++r)
        painter.drawLine(QPointF(origin.x(), origin.y() + r * cell),
                         QPointF(origin.x() + grid.columns() * cell, origin.y() + r * cell));
    for (int c = 0; c <= grid.columns(); ++c)
        painter.drawLine(QPointF(origin.x() + c * cell, origin.y()),
                         QPointF(origin.x() + c * cell, origin.y() + grid.rows() * cell));
    for (int r = 1; r <= grid.rows() && o.clueText; ++r)
        for (int c = 1; c <= grid.columns(); ++c) {
            const ArrowCell& here = grid.at({c, r});
            const int count = int(here.clues.size());
            for (int k = 0; k < count; ++k) {
                const ArrowDirection d = here.clues[std::size_t(k)].direction;
                if (!grid.contains(wordStart({c, r}, d)))
                    continue;
                const QRectF rect = arrowCellRect(o, origin, {c, r});
                paintArrow(painter, rect, clueBox(rect, k, count), d, cell);
            }
        }
    painter.setPen(QPen(kInk, std::max(1.0, cell * 0.06)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(origin, arrowGridPictureSize(grid, o)));
    painter.restore();
}

} // namespace orv
