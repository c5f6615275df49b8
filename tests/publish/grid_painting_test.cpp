// The one drawing of the grid, rendered offscreen into images and read at
// the cells: black squares, letters shown or hidden, labels, any cell size,
// and the on-screen placement of a letter that leaves the cell's edges alone.
#include "publish/grid_painting.h"
#include "support/sample_grid.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace orv;

namespace {

bool dark(QRgb p) { return qGray(p) < 96; }

// Dark pixels inside a rectangle, a quarter of a cell away from its edges so
// that the grid's lines never count.
int darkPixelsInside(const QImage& image, const QRectF& cell) {
    const QRect inner =
        cell.adjusted(cell.width() / 4, cell.height() / 4, -cell.width() / 4, -cell.height() / 4)
            .toRect();
    int n = 0;
    for (int y = inner.top(); y <= inner.bottom(); ++y)
        for (int x = inner.left(); x <= inner.right(); ++x)
            n += dark(image.pixel(x, y));
    return n;
}

QImage render(const Grille& g, const GridPaintOptions& o, QPointF origin = {5, 5}) {
    const QSizeF size = gridPictureSize(g, o);
    QImage image(int(size.width() + 10), int(size.height() + 10), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintGrid(painter, g, o, origin);
    return image;
}

} // namespace

class GridPaintingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cellsAtAnySize_data();
    void cellsAtAnySize();
    void labelsTakeTheirOwnMargin();
    void screenLetterLeavesTheCellEdges();
};

void GridPaintingTest::cellsAtAnySize_data() {
    QTest::addColumn<double>("cellSize");
    QTest::addColumn<bool>("letters");
    QTest::newRow("20 without letters") << 20.0 << false;
    QTest::newRow("20 with letters") << 20.0 << true;
    QTest::newRow("37 with letters") << 37.0 << true;
    QTest::newRow("64 without letters") << 64.0 << false;
}

void GridPaintingTest::cellsAtAnySize() {
    QFETCH(double, cellSize);
    QFETCH(bool, letters);
    Grille g = test::sampleGrid();
    g.cell(2, 1) = ' '; // one empty cell among the letters
    GridPaintOptions o;
    o.cellSize = cellSize;
    o.letters = letters;
    const QImage image = render(g, o);
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c) {
            const QRectF cell = gridCellRect(g, o, {5, 5}, c, r);
            const QString where = QStringLiteral("cell %1,%2").arg(c).arg(r);
            const int area = int(cell.width() / 2) * int(cell.height() / 2);
            const int n = darkPixelsInside(image, cell);
            if (g.cell(c, r) == '#')
                QVERIFY2(n >= area * 9 / 10, qPrintable(where + " should be black"));
            else if (letters && g.cell(c, r) != ' ')
                QVERIFY2(n > 0 && n < area * 3 / 4, qPrintable(where + " should show its letter"));
            else
                QVERIFY2(n == 0, qPrintable(where + " should be white"));
        }
}

void GridPaintingTest::labelsTakeTheirOwnMargin() {
    const Grille g = test::sampleGrid();
    GridPaintOptions o;
    o.cellSize = 30;
    o.labels = GridLabels::None;
    const QSizeF bare = gridPictureSize(g, o);
    QCOMPARE(bare, QSizeF(300, 300));
    const QImage plain = render(g, o);
    o.labels = GridLabels::French;
    const QSizeF labelled = gridPictureSize(g, o);
    QVERIFY(labelled.width() > 300 && labelled.height() > 300);
    const QImage image = render(g, o);
    const QRectF first = gridCellRect(g, o, {5, 5}, 1, 1);
    // Row labels at the left of row I and column labels above column 1.
    QVERIFY(darkPixelsInside(image, QRectF(5, first.top(), first.left() - 5, o.cellSize)) > 0);
    QVERIFY(darkPixelsInside(image, QRectF(first.left(), 5, o.cellSize, first.top() - 5)) > 0);
    // Without labels, the first cell sits at the origin.
    QCOMPARE(gridCellRect(g, GridPaintOptions{30, false, GridLabels::None}, {5, 5}, 1, 1),
             QRectF(5, 5, 30, 30));
    QVERIFY(!dark(plain.pixel(2, 2)));
}

void GridPaintingTest::screenLetterLeavesTheCellEdges() {
    const QColor selection(10, 36, 106);
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(selection);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(17);
    font.setBold(true);
    {
        QPainter painter(&image);
        paintCellCode(painter, 'W', QRectF(1, 1, 17, 17), font, LetterPlacement::TopLeft);
        paintCellCode(painter, '#', QRectF(21, 1, 17, 17), font, LetterPlacement::TopLeft);
        paintCellCode(painter, ' ', QRectF(21, 21, 17, 17), font, LetterPlacement::TopLeft);
        paintCellCode(painter, 0, QRectF(1, 21, 17, 17), font, LetterPlacement::TopLeft);
    }
    // The two columns left of the letter keep the selection colour.
    for (int y = 1; y < 18; ++y) {
        QCOMPARE(image.pixelColor(1, y), selection);
        QCOMPARE(image.pixelColor(2, y), selection);
    }
    bool blackInLetter = false, whiteInLetter = false;
    for (int y = 1; y < 18; ++y)
        for (int x = 4; x < 18; ++x) {
            blackInLetter = blackInLetter || image.pixelColor(x, y) == QColor(Qt::black);
            whiteInLetter = whiteInLetter || image.pixelColor(x, y) == QColor(Qt::white);
        }
    QVERIFY(blackInLetter && whiteInLetter);
    QCOMPARE(image.pixelColor(29, 9), QColor(Qt::black));
    QCOMPARE(image.pixelColor(29, 29), QColor(Qt::white));
    QCOMPARE(image.pixelColor(9, 29), selection);  // a header cell's code paints nothing
    QCOMPARE(image.pixelColor(38, 38), selection); // nothing outside the rectangles
    QCOMPARE(image.pixelColor(0, 0), selection);
}

QTEST_MAIN(GridPaintingTest)
#include "grid_painting_test.moc"
