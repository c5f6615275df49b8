// The arrow-word grid painted and printed: clue text fitted inside its cell
// (measured with the font), arrows where the words start, and the page's
// files with the solution grid.
#include "common/errors.h"
#include "publish/arrow_grid_export.h"
#include "publish/arrow_grid_painting.h"
#include "publish/print_layout.h"
#include "support/arrow_grids.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTest>

using namespace orv;
using namespace orv::test;

namespace {

// Dark pixels in a rectangle of the image.
int darkPixels(const QImage& image, const QRect& rect) {
    int dark = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 100;
    return dark;
}

QString withoutSpaces(QString s) { return s.remove(QLatin1Char(' ')); }

// The ink a clue leaves: the grid painted with the clue's text and with an
// empty one, compared pixel by pixel. Each pixel that differs is added to
// `inside` when it lies in `area`, to `outside` otherwise.
void clueInk(const ArrowGrid& withText, const ArrowGrid& without, const ArrowPaintOptions& o,
             const QRectF& area, int& inside, int& outside) {
    const QSize size(int(std::ceil(withText.columns() * o.cellSize)) + 2,
                     int(std::ceil(withText.rows() * o.cellSize)) + 2);
    QImage a(size, QImage::Format_RGB32), b(size, QImage::Format_RGB32);
    for (auto [image, grid] : {std::pair{&a, &withText}, std::pair{&b, &without}}) {
        image->fill(Qt::white);
        QPainter p(image);
        paintArrowGrid(p, *grid, o, QPointF(1, 1));
    }
    inside = outside = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                ++(area.contains(QPointF(x + 0.5, y + 0.5)) ? inside : outside);
}

} // namespace

class ArrowPaintingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clueTextFitsItsBox();
    void everyPrintedClueFitsItsCell();
    void fitReportAgreesWithTheDrawnText();
    void arrowsAndTintArePainted();
    void pageFilesHoldGridAndSolution();
};

void ArrowPaintingTest::clueTextFitsItsBox() {
    const QStringList texts = {QStringLiteral("Fleuve"), QStringLiteral("Capitale de la Norvège"),
                               QStringLiteral("Anticonstitutionnellement"),
                               QStringLiteral("Mot-valise à l'œil vif, très long pour une case")};
    for (const double side : {30.0, 52.0, 450.0})
        for (int count : {1, 2})
            for (const QString& text : texts) {
                const QRectF box = clueBox(QRectF(0, 0, side, side), 0, count);
                const FittedClue fitted = fitClueText(text, box, QStringLiteral("Arial"));
                // No letter lost nor added by the wrapping.
                QCOMPARE(withoutSpaces(fitted.lines.join(QString())), withoutSpaces(text));
                const QFontMetricsF fm(fitted.font);
                if (!fitted.fits)
                    continue;
                QVERIFY(fitted.lines.size() * fm.height() <= box.height() + 0.01);
                for (const QRectF& line : fittedLineRects(fitted, box)) {
                    QVERIFY2(box.adjusted(-0.01, -0.01, 0.01, 0.01).contains(line),
                             qPrintable(text + QStringLiteral(" à ") + QString::number(side)));
                }
                for (const QString& line : fitted.lines)
                    QVERIFY(fm.horizontalAdvance(line) <= box.width() + 0.01);
            }
    // Too long for a small cell even at the smallest size: said so.
    const FittedClue tooLong = fitClueText(QString(60, QLatin1Char('m')).replace(5, 1, " "),
                                           clueBox(QRectF(0, 0, 30, 30), 1, 2), "Arial");
    QVERIFY(!tooLong.fits);
    QCOMPARE(tooLong.font.pixelSize(), kSmallestClueFont);
}

void ArrowPaintingTest::everyPrintedClueFitsItsCell() {
    // Magazine clues of the usual length fit the cells of a printed 11 x 9 page.
    ArrowGrid grid(11, 9);
    grid.setDefinition({1, 1}, true);
    grid.setArrow({1, 1}, 0, ArrowDirection::Right);
    grid.setArrow({1, 1}, 1, ArrowDirection::Down);
    const ArrowPage page = arrowPageLayout(grid);
    QVERIFY(page.grid.cellSize * 11 < kA4Height);
    QVERIFY(page.solutionOrigin.y() + page.solution.cellSize * 11 <= kA4Height);
    for (const QString& text :
         {QStringLiteral("Capitale de la Norvège"), QStringLiteral("Instrument à vent du berger"),
          QStringLiteral("Il se jette dans la Manche")}) {
        const QRectF cell = arrowCellRect(page.grid, page.gridOrigin, {1, 1});
        for (int k = 0; k < 2; ++k) {
            const QRectF box = clueBox(cell, k, 2);
            QVERIFY(cell.contains(box));
            const FittedClue fitted = fitClueText(text, box, page.grid.family);
            QVERIFY2(fitted.fits, qPrintable(text));
            for (const QRectF& line : fittedLineRects(fitted, box))
                QVERIFY(box.adjusted(-0.01, -0.01, 0.01, 0.01).contains(line));
        }
    }
    // Words are kept whole when a smaller type allows it: one word, one line.
    const QRectF cell = arrowCellRect(page.grid, page.gridOrigin, {9, 1});
    for (const QString& word : {QStringLiteral("Emmenées"), QStringLiteral("Exquises"),
                                QStringLiteral("Parallélépipède")})
        for (int count : {1, 2}) {
            const FittedClue fitted = fitClueText(word, clueBox(cell, 0, count), page.grid.family);
            QVERIFY2(fitted.fits, qPrintable(word));
            QCOMPARE(fitted.lines, QStringList{word});
        }
}

void ArrowPaintingTest::fitReportAgreesWithTheDrawnText() {
    // The definition cell in the bottom right corner: its arrows point out of
    // the grid and are not drawn, so that only its text differs.
    const QStringList texts = {QStringLiteral("Île"), QStringLiteral("Fleuve côtier"),
                               QStringLiteral("Il coule à Paris et se jette dans la Manche"),
                               QStringLiteral("Anticonstitutionnellement"),
                               QStringLiteral("Une définition bien trop longue pour tenir dans "
                                              "une case de mots fléchés, même en tout petit, "
                                              "puisqu'elle raconte toute une histoire")};
    int fitting = 0, overflowing = 0;
    for (const double side : {48.0, 90.0})
        for (int count : {1, 2})
            for (const QString& text : texts) {
                ArrowGrid with(3, 3), without(3, 3);
                for (ArrowGrid* g : {&with, &without}) {
                    g->setDefinition({3, 3}, true);
                    g->setArrow({3, 3}, 0, ArrowDirection::Right);
                    if (count == 2)
                        g->setArrow({3, 3}, 1, ArrowDirection::RightThenDown);
                }
                with.setClueText({3, 3}, count - 1, text);
                ArrowPaintOptions o;
                o.cellSize = side;
                const QRectF cell = arrowCellRect(o, {1, 1}, {3, 3});
                const QRectF box = clueBox(cell, count - 1, count);
                const FittedClue fitted = fitClueText(text, box, o.family);
                // A pixel of antialiasing either side of the box.
                int inside = 0, outside = 0;
                clueInk(with, without, o, box.adjusted(-1, -1, 1, 1), inside, outside);
                const QString what = text + QStringLiteral(" à ") + QString::number(side);
                QVERIFY2(inside > 0, qPrintable(what));
                // What is said to fit is drawn inside its box.
                if (fitted.fits) {
                    ++fitting;
                    QVERIFY2(outside == 0, qPrintable(what));
                    continue;
                }
                // Said to overflow: every size was tried down to the smallest.
                ++overflowing;
                QVERIFY(fitted.font.pixelSize() <=
                        std::max(kSmallestClueFont, int(std::ceil(box.width() * 0.1))));
                // The story in half a cell overflows well beyond its box.
                if (text == texts.last() && count == 2)
                    QVERIFY2(outside > 50, qPrintable(what + QString::number(outside)));
            }
    QVERIFY(fitting >= 10);
    QVERIFY(overflowing >= 3);

    // On the printed page, whatever the grid's size: the usual clues fit, the long story not.
    for (const ArrowGrid& grid : {ArrowGrid(11, 9), ArrowGrid(21, 15)}) {
        QVERIFY(clueFitsPrintedCell(grid, texts[1], 0, 2));
        QVERIFY(clueFitsPrintedCell(grid, texts[2], 0, 1));
        QVERIFY(!clueFitsPrintedCell(grid, texts[4], 1, 2));
    }
}

void ArrowPaintingTest::arrowsAndTintArePainted() {
    const ArrowGrid grid = sampleArrowGrid();
    ArrowPaintOptions o;
    o.cellSize = 60;
    o.letters = false;
    QImage image(4 * 60 + 2, 4 * 60 + 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        paintArrowGrid(p, grid, o, QPointF(1, 1));
    }
    // A definition cell is tinted, a letter cell white and without its letter.
    const QColor tint =
        image.pixelColor(arrowCellRect(o, {1, 1}, {1, 1}).toRect().topLeft() + QPoint(4, 4));
    QVERIFY2(tint.blue() > tint.red() + 10, qPrintable(tint.name()));
    const QRect letterCell = arrowCellRect(o, {1, 1}, {2, 2}).toRect().adjusted(12, 12, -12, -12);
    QCOMPARE(darkPixels(image, letterCell), 0);
    // The → of A2 just right of A2, at the height of its only clue.
    const QRectF a2 = arrowCellRect(o, {1, 1}, {1, 2});
    QVERIFY(darkPixels(image, QRect(int(a2.right()) + 3, int(a2.center().y()) - 2, 4, 5)) > 0);
    // A3 has two clues: → in the top half, ↳ below the cell turning right.
    const QRectF a3 = arrowCellRect(o, {1, 1}, {1, 3});
    QVERIFY(darkPixels(image, QRect(int(a3.right()) + 3, int(a3.top() + 13), 4, 5)) > 0);
    QCOMPARE(darkPixels(image, QRect(int(a3.right()) + 3, int(a3.bottom() - 16), 4, 5)), 0);
    QVERIFY(darkPixels(image, QRect(int(a3.left()) + 8, int(a3.bottom()) + 3, 14, 8)) > 0);
    // The ↴ of A1 turns down in B1, the ↓ of C1 points into C2.
    const QRectF c1 = arrowCellRect(o, {1, 1}, {3, 1});
    QVERIFY(darkPixels(image, QRect(int(c1.center().x()) - 2, int(c1.bottom()) + 3, 5, 4)) > 0);
}

void ArrowPaintingTest::pageFilesHoldGridAndSolution() {
    const ArrowGrid grid = sampleArrowGrid();
    QVERIFY(arrowPdfBytes(grid, QStringLiteral("Essai")).startsWith("%PDF"));
    const QByteArray svg = arrowSvgBytes(grid, QStringLiteral("Essai"));
    QVERIFY(svg.contains("<svg"));
    QImage png;
    QVERIFY(png.loadFromData(arrowPngBytes(grid, QStringLiteral("Essai"), 100), "PNG"));
    QCOMPARE(png.width(), int(std::ceil(kA4Width * 100 / kLayoutUnitsPerInch)));
    // The letters appear in the solution, never in the grid to solve.
    const ArrowPage page = arrowPageLayout(grid);
    const double scale = 100 / kLayoutUnitsPerInch;
    auto inImage = [&](const QRectF& r) {
        return QRectF(r.topLeft() * scale, r.size() * scale).toRect().adjusted(3, 3, -3, -3);
    };
    const QRect toSolve = inImage(arrowCellRect(page.grid, page.gridOrigin, {3, 3}));
    const QRect solved = inImage(arrowCellRect(page.solution, page.solutionOrigin, {3, 3}));
    QCOMPARE(darkPixels(png, toSolve), 0);
    QVERIFY(darkPixels(png, solved) > 0);
    // The clue text inside its definition cell, none in the solution's.
    QVERIFY(darkPixels(png, inImage(arrowCellRect(page.grid, page.gridOrigin, {1, 1}))) > 20);
    QCOMPARE(darkPixels(png, inImage(arrowCellRect(page.solution, page.solutionOrigin, {1, 1}))),
             0);
    try {
        exportArrowGrid(QStringLiteral("/tmp/grille.txt"), grid, {});
        QFAIL("a text file was written");
    } catch (const OrvError& e) {
        QVERIFY(e.message().contains(QStringLiteral(".pdf, .svg ou .png")));
    }
}

QTEST_MAIN(ArrowPaintingTest)
#include "arrow_painting_test.moc"
