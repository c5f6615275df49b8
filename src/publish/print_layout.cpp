// Placing and painting the French printed layout.
#include "publish/print_layout.h"

#include "common/codec.h"
#include "publish/french_typography.h"
#include "publish/grid_painting.h"
#include "publish/roman.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace orv {
namespace {

const QString kFamily = QStringLiteral("Arial");
constexpr double kMargin = 15 / 25.4 * kLayoutUnitsPerInch; // 15 mm
constexpr double kColumnGap = 250;
constexpr double kTitleSize = 180; // 18 points
constexpr double kAuthorSize = 110;
constexpr double kLargestCell = 10 / 25.4 * kLayoutUnitsPerInch; // 1 cm
// Text sizes tried in turn so that the clues fit on the first page; the
// smallest one goes on to further pages when they still do not.
constexpr double kTextSizes[] = {100, 95, 90, 85, 80};
// When no text size keeps the clues on the first page, the grid is drawn
// smaller, in these steps of its full size, but its cells never under 4 mm.
constexpr double kGridScales[] = {0.9, 0.8, 0.7, 0.6};
constexpr double kSmallestCell = 4 / 25.4 * kLayoutUnitsPerInch;

// Clues wrap between words, and inside a word only when it is wider than the
// column by itself, so that no text runs into the next column.
QTextOption wrapping() {
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

double wrappedHeight(const QFont& font, const QString& text, double width) {
    QTextLayout layout(text, font);
    layout.setTextOption(wrapping());
    layout.beginLayout();
    double height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height += line.height();
    }
    layout.endLayout();
    return height;
}

QFont font(double size, bool bold, bool italic = false) {
    QFont f(kFamily);
    f.setPixelSize(std::max(1, int(std::lround(size))));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

GridPaintOptions gridOptions(double cellSize, bool letters) {
    GridPaintOptions o;
    o.cellSize = cellSize;
    o.letters = letters;
    o.labels = GridLabels::French;
    o.family = kFamily;
    return o;
}

} // namespace

QString defaultTitle(const QString& gridName) {
    QString name = gridName;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        name.truncate(dot);
    return name.isEmpty() ? QStringLiteral("Mots croisés") : name;
}

PrintLayout::PrintLayout(const Grille& grille, const PublishOptions& options)
    : grille_(grille), options_(options) {
    title_ = frenchTypography(options.title.trimmed().isEmpty() ? defaultTitle(options.gridName)
                                                                : options.title.trimmed());
    author_ = frenchTypography(options_.author.trimmed());
    content_ = QRectF(kMargin, kMargin, kA4Width - 2 * kMargin, kA4Height - 2 * kMargin);

    paragraphs_.append({true, {}, QStringLiteral("HORIZONTALEMENT")});
    for (int r = 1; r <= grille_.playingRows(); ++r)
        paragraphs_.append({false, romanNumeral(r) + QLatin1Char('.'),
                            frenchTypography(toUi(grille_.DefHoriz[std::size_t(r - 1)]))});
    paragraphs_.append({true, {}, QStringLiteral("VERTICALEMENT")});
    for (int c = 1; c <= grille_.playingCols(); ++c)
        paragraphs_.append({false, QString::number(c) + QLatin1Char('.'),
                            frenchTypography(toUi(grille_.DefVert[std::size_t(c - 1)]))});

    const int rows = std::max(grille_.playingRows(), 1);
    const int cols = std::max(grille_.playingCols(), 1);
    const double fullCell = std::min({content_.width() * 0.62 / (cols + 1.4),
                                      content_.height() * 0.42 / (rows + 1), kLargestCell});
    placeHeader(fullCell);
    bool fitted = fitsFirstPage();
    for (double scale : kGridScales)
        if (!fitted && fullCell * scale >= kSmallestCell) {
            placeHeader(fullCell * scale);
            fitted = fitsFirstPage();
        }
    if (!fitted) {
        placeHeader(fullCell);
        flow(kTextSizes[std::size(kTextSizes) - 1], false, true);
    }
    pageCount_ = cluePages_ + (options_.solution == SolutionPlacement::Page ? 1 : 0);
}

void PrintLayout::placeHeader(double cellSize) {
    cellSize_ = cellSize;
    double y = content_.top() + QFontMetricsF(font(kTitleSize, true)).height();
    if (!author_.isEmpty())
        y += QFontMetricsF(font(kAuthorSize, false, true)).height();
    y += 120;
    headerBottom_ = y + gridPictureSize(grille_, gridOptions(cellSize_, false)).height() + 150;
    footArea_ = QRectF();
    if (options_.solution == SolutionPlacement::Foot) {
        const QSizeF picture = gridPictureSize(grille_, gridOptions(cellSize_ * 0.45, true));
        const double height = picture.height() + QFontMetricsF(font(90, true)).height() + 60;
        footArea_ = QRectF(content_.left(), content_.bottom() - height, content_.width(), height);
    }
}

// The two lists side by side, as newspapers print them; when they do not fit
// so, one list runs on into the other column.
bool PrintLayout::fitsFirstPage() {
    for (bool sideBySide : {true, false})
        for (double size : kTextSizes)
            if (flow(size, sideBySide, false))
                return true;
    return false;
}

double PrintLayout::paragraphHeight(const Paragraph& p, double width) const {
    if (p.heading)
        return QFontMetricsF(font(textSize_ * 1.1, true)).height() + textSize_ * 0.5;
    const QFont f = font(textSize_, false);
    const double textWidth = std::max(width - prefixWidth_, textSize_);
    return std::max(wrappedHeight(f, p.text, textWidth), QFontMetricsF(f).height()) +
           textSize_ * 0.3;
}

bool PrintLayout::flow(double textSize, bool sideBySide, bool allowMorePages) {
    textSize_ = textSize;
    placed_.clear();
    const QFontMetricsF bold(font(textSize_, true));
    prefixWidth_ = 0;
    for (const Paragraph& p : paragraphs_)
        prefixWidth_ =
            std::max(prefixWidth_, bold.horizontalAdvance(p.prefix + QLatin1String("  ")));

    const double columnWidth = (content_.width() - kColumnGap) / 2;
    int page = 0;
    int column = 0;
    auto top = [&] { return page == 0 ? headerBottom_ : content_.top(); };
    auto bottom = [&] {
        return page == 0 && !footArea_.isNull() ? footArea_.top() - 120 : content_.bottom();
    };
    double y = top();
    int list = 0; // the heading of the list being placed
    for (int i = 0; i < paragraphs_.size(); ++i) {
        if (paragraphs_[i].heading)
            list = i;
        const double h = paragraphHeight(paragraphs_[i], columnWidth);
        // A heading stays with the first paragraph under it.
        const double needed = paragraphs_[i].heading && i + 1 < paragraphs_.size()
                                  ? h + paragraphHeight(paragraphs_[i + 1], columnWidth)
                                  : h;
        const bool secondList = sideBySide && i > 0 && paragraphs_[i].heading;
        if (secondList || (y + needed > bottom() && y > top())) {
            if (++column == 2) {
                column = 0;
                if (!allowMorePages)
                    return false;
                ++page;
            }
            y = top();
            // A list that runs on is headed again, "HORIZONTALEMENT (suite)".
            if (!paragraphs_[i].heading) {
                const double x = content_.left() + column * (columnWidth + kColumnGap);
                const double headingHeight = paragraphHeight(paragraphs_[list], columnWidth);
                placed_.append({page, QRectF(x, y, columnWidth, headingHeight), list, true});
                y += headingHeight;
            }
        }
        const double x = content_.left() + column * (columnWidth + kColumnGap);
        placed_.append({page, QRectF(x, y, columnWidth, h), i});
        y += h;
    }
    cluePages_ = page + 1;
    return true;
}

void PrintLayout::paintParagraph(QPainter& painter, const Placed& placed) const {
    const Paragraph& p = paragraphs_[placed.paragraph];
    painter.setPen(Qt::black);
    if (p.heading) {
        painter.setFont(font(textSize_ * 1.1, true));
        painter.drawText(placed.rect, Qt::AlignLeft | Qt::AlignTop,
                         placed.continued ? p.text + QStringLiteral(" (suite)") : p.text);
        return;
    }
    painter.setFont(font(textSize_, true));
    painter.drawText(QRectF(placed.rect.topLeft(), QSizeF(prefixWidth_, placed.rect.height())),
                     Qt::AlignLeft | Qt::AlignTop, p.prefix);
    painter.setFont(font(textSize_, false));
    painter.drawText(placed.rect.adjusted(prefixWidth_, 0, 0, 0), p.text, wrapping());
}

void PrintLayout::paintSolution(QPainter& painter, const QRectF& area, bool upsideDown) const {
    painter.save();
    if (upsideDown) {
        painter.translate(area.center());
        painter.rotate(180);
        painter.translate(-area.center());
    }
    const double cell =
        upsideDown
            ? cellSize_ * 0.45
            : std::min({area.width() * 0.8 / (grille_.playingCols() + 1.4),
                        area.height() * 0.7 / (grille_.playingRows() + 1), kLargestCell * 1.2});
    const GridPaintOptions o = gridOptions(cell, true);
    const QFont headingFont = font(upsideDown ? 90 : kTitleSize, true);
    const double headingHeight = QFontMetricsF(headingFont).height();
    painter.setFont(headingFont);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), headingHeight), Qt::AlignHCenter,
                     QStringLiteral("Solution"));
    const QSizeF picture = gridPictureSize(grille_, o);
    paintGrid(painter, grille_, o,
              QPointF(area.center().x() - picture.width() / 2, area.top() + headingHeight + 60));
    painter.restore();
}

void PrintLayout::paintPage(QPainter& painter, int page) const {
    painter.save();
    painter.fillRect(QRectF(QPointF(0, 0), pageSize()), Qt::white);
    if (page == cluePages_) {
        paintSolution(painter, content_, false);
        painter.restore();
        return;
    }
    if (page == 0) {
        painter.setPen(Qt::black);
        QFont titleFont = font(kTitleSize, true);
        double y = content_.top();
        painter.setFont(titleFont);
        const double titleHeight = QFontMetricsF(titleFont).height();
        painter.drawText(
            QRectF(content_.left(), y, content_.width(), titleHeight),
            Qt::AlignHCenter | Qt::AlignTop,
            QFontMetricsF(titleFont).elidedText(title_, Qt::ElideRight, content_.width()));
        y += titleHeight;
        if (!author_.isEmpty()) {
            const QFont authorFont = font(kAuthorSize, false, true);
            const double h = QFontMetricsF(authorFont).height();
            painter.setFont(authorFont);
            painter.drawText(
                QRectF(content_.left(), y, content_.width(), h), Qt::AlignHCenter | Qt::AlignTop,
                QFontMetricsF(authorFont).elidedText(author_, Qt::ElideRight, content_.width()));
            y += h;
        }
        y += 120;
        const GridPaintOptions o = gridOptions(cellSize_, false);
        const QSizeF picture = gridPictureSize(grille_, o);
        paintGrid(painter, grille_, o, QPointF(content_.center().x() - picture.width() / 2, y));
        if (!footArea_.isNull())
            paintSolution(painter, footArea_, true);
    }
    for (const Placed& p : placed_)
        if (p.page == page)
            paintParagraph(painter, p);
    painter.restore();
}

} // namespace orv
