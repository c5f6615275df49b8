// A grid of text cells with fixed header rows and columns, a current cell,
// per-cell owner drawing after the control's own drawing, and key handlers
// that may replace or discard a key. The main grid and the play grid use it.
// With range selection on, a drag of the mouse or Shift with the arrows
// selects a rectangle of cells, drawn tinted over the cells' own drawing.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <functional>

namespace orv {

class StringGrid : public QWidget {
    Q_OBJECT
public:
    explicit StringGrid(QWidget* parent = nullptr);

    void setColCount(int n);
    void setRowCount(int n);
    int colCount() const { return int(colWidths_.size()); }
    int rowCount() const { return int(rowHeights_.size()); }
    void setFixedCols(int n);
    void setFixedRows(int n);
    int fixedCols() const { return fixedCols_; }
    int fixedRows() const { return fixedRows_; }
    void setDefaultColWidth(int w);
    void setDefaultRowHeight(int h);
    void setColWidth(int col, int w);
    void setRowHeight(int row, int h);
    int colWidth(int col) const { return colWidths_.value(col); }
    int rowHeight(int row) const { return rowHeights_.value(row); }
    void setGridLineWidth(int w);
    int gridLineWidth() const { return lineWidth_; }

    void setCell(int col, int row, const QString& text);
    QString cell(int col, int row) const;
    void setCellAlignment(Qt::Alignment a) {
        cellAlignment_ = a;
        update();
    }

    // The current (selected) cell, always outside the fixed rows and columns.
    int col() const { return col_; }
    int row() const { return row_; }
    // Moves the current cell when the target may be selected; returns whether it moved.
    bool setCurrent(int col, int row);

    // The cell's rectangle in the control's coordinates.
    QRect cellRect(int col, int row) const;
    // The cell under a point, or (-1, -1).
    QPoint cellAt(QPoint pos) const;
    void updateCell(int col, int row);
    // Width and height that show every cell with one line's width to spare.
    QSize gridExtent() const;

    // Called for every cell after the control has drawn it, with the cell's rectangle.
    std::function<void(QPainter&, int col, int row, const QRect& rect)> onDrawCell;
    // Key-down with the virtual key code; set it to 0 to discard the key.
    std::function<void(int& key)> onKeyDown;
    // Character typed; set it to a null QChar to discard it.
    std::function<void(QChar& key)> onKeyPress;
    // Whether a cell may become current (by mouse or keys); every cell when unset.
    std::function<bool(int col, int row)> canSelect;

    // Whether a rectangle of cells may be selected (off by default).
    void setRangeSelection(bool on);
    // The selected rectangle, in cells (left = first column, top = first row),
    // spanning two cells or more; null when nothing is selected.
    QRect selection() const { return selection_; }
    // Selects the cells from (col1, row1) to (col2, row2), the current cell
    // moving to the second corner; a single cell clears the selection.
    void selectCells(int col1, int row1, int col2, int row2);
    void clearSelection();

    QSize sizeHint() const override;

Q_SIGNALS:
    void currentChanged(int col, int row);
    void cellClicked(int col, int row);
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    int colLeft(int col) const;
    int rowTop(int row) const;
    void clampCurrent();
    bool moveBy(int dc, int dr);
    void drawOneCell(QPainter& p, int c, int r);
    void drawSelection(QPainter& p, int c, int r, const QRect& rect);
    // Sets the selection from the anchor to the current cell.
    void extendSelection();
    void setSelection(const QRect& cells);
    int visibleBodyRows() const;

    QList<int> colWidths_;
    QList<int> rowHeights_;
    QList<QString> texts_; // row-major, rowCount x colCount
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int lineWidth_ = 1;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int col_ = 1;
    int row_ = 1;
    Qt::Alignment cellAlignment_ = Qt::AlignLeft | Qt::AlignVCenter;
    bool rangeSelection_ = false;
    QPoint anchor_{1, 1};    // the corner a selection grows from
    bool extending_ = false; // the current cell moves to grow the selection
    QRect selection_;
};

} // namespace orv
