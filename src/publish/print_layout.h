// The French printed layout of a grid: a title and an optional author line,
// the grid with its columns numbered 1, 2, 3 ... above and its rows numbered
// I, II, III ... at the left, then "HORIZONTALEMENT" with one paragraph per
// row and "VERTICALEMENT" with one per column, in two columns that go on to
// further pages when the clues are long; the solution on a page of its own,
// upside down at the foot of the first page, or left out.
#pragma once

#include "grid/grid_model.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

namespace orv {

enum class SolutionPlacement { Page, Foot, None };

struct PublishOptions {
    QString title;    // when empty, the grid's file name gives it
    QString gridName; // the grid's file name ("" for a grid without a file)
    QString author;
    SolutionPlacement solution = SolutionPlacement::Page;
};

// The layout works in tenths of a point (1/720 inch) on an A4 sheet.
constexpr double kLayoutUnitsPerInch = 720;
constexpr double kA4Width = 210 / 25.4 * kLayoutUnitsPerInch;
constexpr double kA4Height = 297 / 25.4 * kLayoutUnitsPerInch;

// The title a grid gets when none is typed: its file name without the
// extension, or "Mots croisés" for a grid without a file.
QString defaultTitle(const QString& gridName);

class PrintLayout {
public:
    PrintLayout(const Grille& grille, const PublishOptions& options);

    int pageCount() const { return pageCount_; }
    static QSizeF pageSize() { return {kA4Width, kA4Height}; }
    // Paints one page (0 first) on a painter whose units are tenths of a
    // point, with the sheet's top-left corner at the origin.
    void paintPage(QPainter& painter, int page) const;
    // The point size of the clues' text that the layout settled on.
    double textPointSize() const { return textSize_ / 10; }
    // The side of the grid's cells on the first page, in tenths of a point:
    // smaller than the page allows when that keeps the clues on that page.
    double gridCellSize() const { return cellSize_; }

private:
    struct Paragraph {
        bool heading = false;
        QString prefix; // "I." or "1."
        QString text;
    };
    struct Placed {
        int page = 0;
        QRectF rect;
        int paragraph = 0;
        bool continued = false; // a list's heading again, with "(suite)"
    };
    void placeHeader(double cellSize);
    bool fitsFirstPage();
    bool flow(double textSize, bool sideBySide, bool allowMorePages);
    double paragraphHeight(const Paragraph& p, double width) const;
    void paintParagraph(QPainter& painter, const Placed& placed) const;
    void paintSolution(QPainter& painter, const QRectF& area, bool upsideDown) const;

    Grille grille_;
    PublishOptions options_;
    QString title_;
    QString author_;
    QRectF content_;
    double headerBottom_ = 0; // below the title, the author line and the grid
    double cellSize_ = 0;
    QRectF footArea_;
    QList<Paragraph> paragraphs_;
    QList<Placed> placed_;
    double textSize_ = 100;
    double prefixWidth_ = 0;
    int cluePages_ = 1;
    int pageCount_ = 1;
};

} // namespace orv
