// The string grid control: geometry, painting, keyboard and mouse.
#include "common/string_grid.h"

#include "common/keys.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace orv {
namespace {

const QColor kLineColor(128, 128, 128);
const QColor kFixedColor(212, 208, 200);
const QColor kCellColor(255, 255, 255);
const QColor kSelectionColor(10, 36, 106);
const QColor kRangeTint(60, 120, 230, 80);
const QColor kRangeEdge(20, 80, 200);

} // namespace

StringGrid::StringGrid(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setColCount(5);
    setRowCount(5);
}

void StringGrid::setColCount(int n) {
    n = std::max(n, 0);
    const int old = colCount();
    QList<QString> texts(qsizetype(rowCount()) * n);
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < std::min(old, n); ++c)
            texts[qsizetype(r) * n + c] = texts_[qsizetype(r) * old + c];
    texts_ = std::move(texts);
    colWidths_.resize(n, defaultColWidth_);
    clampCurrent();
    updateGeometry();
    update();
}

void StringGrid::setRowCount(int n) {
    n = std::max(n, 0);
    rowHeights_.resize(n, defaultRowHeight_);
    texts_.resize(qsizetype(n) * colCount());
    clampCurrent();
    updateGeometry();
    update();
}

void StringGrid::setFixedCols(int n) {
    fixedCols_ = std::max(n, 0);
    clampCurrent();
    update();
}

void StringGrid::setFixedRows(int n) {
    fixedRows_ = std::max(n, 0);
    clampCurrent();
    update();
}

void StringGrid::setDefaultColWidth(int w) {
    defaultColWidth_ = w;
    for (auto& x : colWidths_)
        x = w;
    updateGeometry();
    update();
}

void StringGrid::setDefaultRowHeight(int h) {
    defaultRowHeight_ = h;
    for (auto& x : rowHeights_)
        x = h;
    updateGeometry();
    update();
}

void StringGrid::setColWidth(int col, int w) {
    if (col >= 0 && col < colCount()) {
        colWidths_[col] = w;
        update();
    }
}

void StringGrid::setRowHeight(int row, int h) {
    if (row >= 0 && row < rowCount()) {
        rowHeights_[row] = h;
        update();
    }
}

void StringGrid::setGridLineWidth(int w) {
    lineWidth_ = std::max(w, 0);
    update();
}

void StringGrid::setCell(int col, int row, const QString& text) {
    if (col < 0 || row < 0 || col >= colCount() || row >= rowCount())
        return;
    texts_[qsizetype(row) * colCount() + col] = text;
    updateCell(col, row);
}

QString StringGrid::cell(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCount() || row >= rowCount())
        return {};
    return texts_[qsizetype(row) * colCount() + col];
}

int StringGrid::colLeft(int col) const {
    int x = 0;
    for (int c = 0; c < col && c < colCount(); ++c)
        x += colWidths_[c] + lineWidth_;
    return x;
}

int StringGrid::rowTop(int row) const {
    int y = 0;
    for (int r = 0; r < row && r < rowCount(); ++r)
        y += rowHeights_[r] + lineWidth_;
    return y;
}

QRect StringGrid::cellRect(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCount() || row >= rowCount())
        return {};
    return QRect(colLeft(col), rowTop(row), colWidths_[col], rowHeights_[row]);
}

QPoint StringGrid::cellAt(QPoint pos) const {
    int c = -1;
    for (int i = 0, x = 0; i < colCount(); ++i) {
        if (pos.x() >= x && pos.x() < x + colWidths_[i])
            c = i;
        x += colWidths_[i] + lineWidth_;
    }
    int r = -1;
    for (int i = 0, y = 0; i < rowCount(); ++i) {
        if (pos.y() >= y && pos.y() < y + rowHeights_[i])
            r = i;
        y += rowHeights_[i] + lineWidth_;
    }
    if (c < 0 || r < 0)
        return {-1, -1};
    return {c, r};
}

void StringGrid::updateCell(int col, int row) { update(cellRect(col, row).adjusted(-1, -1, 1, 1)); }

QSize StringGrid::gridExtent() const { return {colLeft(colCount()) + 1, rowTop(rowCount()) + 1}; }

QSize StringGrid::sizeHint() const { return gridExtent(); }

void StringGrid::clampCurrent() {
    col_ = std::clamp(col_, fixedCols_, std::max(fixedCols_, colCount() - 1));
    row_ = std::clamp(row_, fixedRows_, std::max(fixedRows_, rowCount() - 1));
}

bool StringGrid::setCurrent(int col, int row) {
    if (col < fixedCols_ || row < fixedRows_ || col >= colCount() || row >= rowCount())
        return false;
    if (canSelect && !canSelect(col, row))
        return false;
    // A move that does not grow the selection starts a new one there.
    if (rangeSelection_ && !extending_) {
        anchor_ = QPoint(col, row);
        setSelection({});
    }
    if (col == col_ && row == row_)
        return true;
    const int oldC = col_, oldR = row_;
    col_ = col;
    row_ = row;
    updateCell(oldC, oldR);
    updateCell(col_, row_);
    Q_EMIT currentChanged(col_, row_);
    return true;
}

bool StringGrid::moveBy(int dc, int dr) { return setCurrent(col_ + dc, row_ + dr); }

int StringGrid::visibleBodyRows() const {
    int n = 0;
    for (int r = fixedRows_, y = rowTop(fixedRows_); r < rowCount(); ++r) {
        y += rowHeights_[r] + lineWidth_;
        if (y > height() + lineWidth_)
            break;
        ++n;
    }
    return std::max(n, 1);
}

void StringGrid::drawOneCell(QPainter& p, int c, int r) {
    const QRect rect = cellRect(c, r);
    const bool fixed = c < fixedCols_ || r < fixedRows_;
    const bool current = !fixed && c == col_ && r == row_;
    p.fillRect(rect, fixed ? kFixedColor : (current ? kSelectionColor : kCellColor));
    const QString& text = texts_[qsizetype(r) * colCount() + c];
    if (!text.isEmpty()) {
        p.setPen(current ? QColor(Qt::white) : palette().color(QPalette::WindowText));
        if (fixed)
            p.drawText(rect, Qt::AlignCenter, text);
        else
            p.drawText(rect.adjusted(2, 0, -2, 0), int(cellAlignment_), text);
    }
    if (onDrawCell) {
        p.save();
        onDrawCell(p, c, r, rect);
        p.restore();
    }
    if (selection_.contains(c, r))
        drawSelection(p, c, r, rect);
}

void StringGrid::drawSelection(QPainter& p, int c, int r, const QRect& rect) {
    p.save();
    p.fillRect(rect, kRangeTint);
    // The rectangle's outline, on the cells along its edges.
    p.setPen(QPen(kRangeEdge, 2));
    const QRect in = rect.adjusted(1, 1, -1, -1);
    if (c == selection_.left())
        p.drawLine(in.topLeft(), in.bottomLeft());
    if (c == selection_.right())
        p.drawLine(in.topRight(), in.bottomRight());
    if (r == selection_.top())
        p.drawLine(in.topLeft(), in.topRight());
    if (r == selection_.bottom())
        p.drawLine(in.bottomLeft(), in.bottomRight());
    p.restore();
}

void StringGrid::setRangeSelection(bool on) {
    rangeSelection_ = on;
    if (!on)
        clearSelection();
}

void StringGrid::setSelection(const QRect& cells) {
    const QRect next = cells.width() * cells.height() > 1 ? cells : QRect();
    if (next == selection_)
        return;
    const QRect old = selection_;
    selection_ = next;
    for (const QRect& area : {old, next})
        if (!area.isNull())
            update(cellRect(area.left(), area.top())
                       .united(cellRect(area.right(), area.bottom()))
                       .adjusted(-1, -1, 1, 1));
    Q_EMIT selectionChanged();
}

void StringGrid::clearSelection() {
    anchor_ = QPoint(col_, row_);
    setSelection({});
}

void StringGrid::extendSelection() {
    setSelection(QRect(anchor_, QPoint(col_, row_)).normalized());
}

void StringGrid::selectCells(int col1, int row1, int col2, int row2) {
    if (!rangeSelection_ || !setCurrent(col1, row1))
        return;
    extending_ = true;
    const bool moved = setCurrent(col2, row2);
    extending_ = false;
    if (moved)
        extendSelection();
}

void StringGrid::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(rect(), kLineColor);
    p.setFont(font());
    const QRect dirty = event->rect();
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < colCount(); ++c)
            if (cellRect(c, r).intersects(dirty))
                drawOneCell(p, c, r);
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
    int key = vk::fromQtKey(event->key());
    if (key != 0 && onKeyDown) {
        onKeyDown(key);
        if (key == 0) {
            event->accept();
            return;
        }
    }
    // Shift with an arrow grows the selection from where it started; an
    // arrow alone leaves it.
    const bool arrow = key == vk::Left || key == vk::Right || key == vk::Up || key == vk::Down;
    const bool extending = rangeSelection_ && arrow && (event->modifiers() & Qt::ShiftModifier);
    extending_ = extending;
    switch (key) {
    case vk::Left:
        moveBy(-1, 0);
        break;
    case vk::Right:
        moveBy(1, 0);
        break;
    case vk::Up:
        moveBy(0, -1);
        break;
    case vk::Down:
        moveBy(0, 1);
        break;
    case vk::Home:
        setCurrent(fixedCols_, row_);
        break;
    case vk::End:
        setCurrent(colCount() - 1, row_);
        break;
    case vk::PageDown:
        setCurrent(col_, std::min(row_ + visibleBodyRows(), rowCount() - 1));
        break;
    case vk::PageUp:
        setCurrent(col_, std::max(row_ - visibleBodyRows(), fixedRows_));
        break;
    default:
        break;
    }
    extending_ = false;
    if (extending)
        extendSelection();
    // A key held with Ctrl or Alt is a command for the menus, not a character
    // for the cell (AltGr, which some systems report as both, still types).
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (mods == Qt::ControlModifier || mods == Qt::AltModifier) {
        event->ignore();
        return;
    }
    const QString text = event->text();
    if (text.size() == 1 && onKeyPress) {
        QChar ch = text.at(0);
        onKeyPress(ch);
    }
    event->accept();
}

void StringGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.x() < 0)
        return;
    if (setCurrent(cell.x(), cell.y()))
        Q_EMIT cellClicked(cell.x(), cell.y());
}

void StringGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!rangeSelection_ || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.x() < 0 || (cell.x() == col_ && cell.y() == row_))
        return;
    extending_ = true;
    const bool moved = setCurrent(cell.x(), cell.y());
    extending_ = false;
    if (moved)
        extendSelection();
}

bool StringGrid::focusNextPrevChild(bool next) { return QWidget::focusNextPrevChild(next); }

} // namespace orv
