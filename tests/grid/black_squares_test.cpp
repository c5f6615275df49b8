// Automatic black squares: the scatter count and the order of draws, each
// repair on hand-made grids, and the rules over every size and many seeds.
#include "grid/black_squares.h"

#include <QTest>

using namespace orv;

namespace {

// Answers from a script first (modulo n), then from a seeded generator; logs every n.
class ScriptedDraws : public RandomSource {
public:
    explicit ScriptedDraws(QList<int> script = {}, std::uint64_t seed = 1)
        : script_(std::move(script)), seeded_(seed) {}
    int Random(int n) override {
        asked.append(n);
        if (n <= 0)
            return 0;
        if (!script_.isEmpty())
            return script_.takeFirst() % n;
        return seeded_.Random(n);
    }
    QList<int> asked;

private:
    QList<int> script_;
    SeededRandom seeded_;
};

// A grid drawn as text: one string per row 1 .. NbLignes, each holding
// columns 1 .. NbColonnes, so the last row and column are the cells just
// outside the playing area.
Grille gridOf(const QList<QByteArray>& rows) {
    Grille g;
    g.NbLignes = int(rows.size());
    g.NbColonnes = int(rows.first().size());
    g.Raz();
    for (int r = 1; r <= g.NbLignes; ++r)
        for (int c = 1; c <= g.NbColonnes; ++c)
            g.cell(c, r) = rows[r - 1][c - 1];
    return g;
}

QList<QByteArray> rowsOf(const Grille& g) {
    QList<QByteArray> rows;
    for (int r = 1; r <= g.NbLignes; ++r) {
        QByteArray row;
        for (int c = 1; c <= g.NbColonnes; ++c)
            row += g.cell(c, r);
        rows << row;
    }
    return rows;
}

Grille emptyGrid(int playingRows, int playingCols) {
    Grille g;
    g.NbLignes = playingRows + 1;
    g.NbColonnes = playingCols + 1;
    g.Raz();
    return g;
}

QString touchingPair(const Grille& g) {
    for (int r = 1; r < g.NbLignes; ++r)
        for (int c = 1; c < g.NbColonnes; ++c)
            if (g.cell(c, r) == '#' && (g.cell(c + 1, r) == '#' || g.cell(c, r + 1) == '#'))
                return QStringLiteral("column %1 row %2").arg(c).arg(r);
    return {};
}

int blacksInRow(const Grille& g, int r) {
    int n = 0;
    for (int c = 1; c < g.NbColonnes; ++c)
        n += g.cell(c, r) == '#';
    return n;
}

int blacksInColumn(const Grille& g, int c) {
    int n = 0;
    for (int r = 1; r < g.NbLignes; ++r)
        n += g.cell(c, r) == '#';
    return n;
}

} // namespace

using Rows = QList<QByteArray>;
using Ints = QList<int>;
Q_DECLARE_METATYPE(Rows)

// Runs one of the two counting checks on the current data row: the grid
// before, the numbers drawn, the result, the grid after, the ranges asked.
template <typename Check> void runCountCheck(Check check) {
    QFETCH(Rows, before);
    QFETCH(Ints, draws);
    QFETCH(bool, result);
    QFETCH(Rows, after);
    QFETCH(Ints, asked);
    Grille g = gridOf(before);
    ScriptedDraws random(draws);
    QCOMPARE(check(g, random), result);
    QCOMPARE(rowsOf(g), after);
    QCOMPARE(random.asked, asked);
}

class BlackSquaresTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scatterCountAndDrawOrder_data();
    void scatterCountAndDrawOrder();
    void voisines_data();
    void voisines();
    void lignes_data();
    void lignes();
    void colonnes_data();
    void colonnes();
    void rulesHoldOnEverySizeAndSeed();
    void onlyPlayingCellsAreWritten();
    void secondRunAddsToTheFirst();
    void passLimitEndsTheRepairs();
};

void BlackSquaresTest::scatterCountAndDrawOrder_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("extra");
    QTest::addColumn<int>("extraRange");
    QTest::addColumn<int>("count");
    QTest::newRow("7 by 7, no extra") << 7 << 7 << 0 << 2 << 7;
    QTest::newRow("7 by 7, one extra") << 7 << 7 << 1 << 2 << 8;
    QTest::newRow("6 by 6") << 6 << 6 << 0 << 1 << 5;
    QTest::newRow("10 rows by 15 columns, least") << 10 << 15 << 0 << 7 << 21;
    QTest::newRow("10 rows by 15 columns, most") << 10 << 15 << 6 << 7 << 27;
    QTest::newRow("20 by 20, least") << 20 << 20 << 0 << 19 << 57;
    QTest::newRow("20 by 20, most") << 20 << 20 << 18 << 19 << 75;
}

void BlackSquaresTest::scatterCountAndDrawOrder() {
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(int, extra);
    QFETCH(int, extraRange);
    QFETCH(int, count);
    Grille g = emptyGrid(rows, cols);
    ScriptedDraws random({extra});
    const PlacementOutcome outcome = placeBlackSquares(g, random);
    QCOMPARE(outcome.scattered, count);
    QCOMPARE(random.asked.first(), extraRange);
    // Then a row and a column for each black square, the row first.
    for (int i = 0; i < count; ++i) {
        QCOMPARE(random.asked[1 + 2 * i], rows);
        QCOMPARE(random.asked[2 + 2 * i], cols);
    }
}

void BlackSquaresTest::voisines_data() {
    QTest::addColumn<Rows>("before");
    QTest::addColumn<Ints>("draws");
    QTest::addColumn<bool>("result");
    QTest::addColumn<Rows>("after");
    // 4 by 4 playing cells; the fifth row and column lie outside the playing area.
    const Rows corners = {"#  # ", " #   ", "#  # ", " #   ", "     "};
    QTest::newRow("touching at corners only") << corners << Ints{} << true << corners;
    QTest::newRow("side by side: the left one goes, one placed at random")
        << Rows{"##   ", "     ", "     ", "     ", "     "} << Ints{3, 2} << false
        << Rows{" #   ", "     ", "     ", "  #  ", "     "};
    QTest::newRow("one above the other: the upper one goes")
        << Rows{"  #  ", "  #  ", "     ", "     ", "     "} << Ints{0, 0} << false
        << Rows{"#    ", "  #  ", "     ", "     ", "     "};
    QTest::newRow("two pairs: the last in reading order goes")
        << Rows{"##   ", "     ", "   # ", "   # ", "     "} << Ints{0, 3} << false
        << Rows{"## # ", "     ", "     ", "   # ", "     "};
    QTest::newRow("black square beyond the last column")
        << Rows{"   ##", "     ", "     ", "     ", "     "} << Ints{2, 0} << false
        << Rows{"    #", "     ", "#    ", "     ", "     "};
    QTest::newRow("black square below the last row")
        << Rows{"     ", "     ", "     ", "#    ", "#    "} << Ints{1, 1} << false
        << Rows{"     ", " #   ", "     ", "     ", "#    "};
    const Rows outsideOnly = {"    #", "    #", "    #", "    #", "#####"};
    QTest::newRow("black squares outside only") << outsideOnly << Ints{} << true << outsideOnly;
    QTest::newRow("the new one may land on a black square")
        << Rows{"##   ", "     ", "   # ", "     ", "     "} << Ints{2, 3} << false
        << Rows{" #   ", "     ", "   # ", "     ", "     "};
}

void BlackSquaresTest::voisines() {
    QFETCH(Rows, before);
    QFETCH(Ints, draws);
    QFETCH(bool, result);
    QFETCH(Rows, after);
    Grille g = gridOf(before);
    ScriptedDraws random(draws);
    QCOMPARE(ControleVoisines(g, random), result);
    QCOMPARE(rowsOf(g), after);
    QCOMPARE(random.asked, result ? Ints() : Ints({4, 4}));
}

void BlackSquaresTest::lignes_data() {
    QTest::addColumn<Rows>("before");
    QTest::addColumn<Ints>("draws");
    QTest::addColumn<bool>("result");
    QTest::addColumn<Rows>("after");
    QTest::addColumn<Ints>("asked");
    // 3 playing rows of 7, 9 or 10 playing columns, plus the outside row and column.
    const Rows done = {"#  #    ", " # #    ", "#     # ", "        "};
    QTest::newRow("two in every row") << done << Ints{} << true << done << Ints{};
    QTest::newRow("a row without any gets one")
        << Rows{"#  #    ", "        ", "#     # ", "        "} << Ints{4} << false
        << Rows{"#  #    ", "    #   ", "#     # ", "        "} << Ints{7};
    QTest::newRow("a row with one gets one more below 10 columns")
        << Rows{"#  #    ", " #      ", "#     # ", "        "} << Ints{5} << false
        << Rows{"#  #    ", " #   #  ", "#     # ", "        "} << Ints{7};
    QTest::newRow("every short row is served in one pass")
        << Rows{"        ", "#  #    ", "        ", "        "} << Ints{0, 6} << false
        << Rows{"#       ", "#  #    ", "      # ", "        "} << Ints{7, 7};
    QTest::newRow("a letter hit by a placement is lost")
        << Rows{"#  #    ", "ABCDEFG ", "#     # ", "        "} << Ints{2} << false
        << Rows{"#  #    ", "AB#DEFG ", "#     # ", "        "} << Ints{7};
    QTest::newRow("a placement may hit a black square already there")
        << Rows{"#  #    ", " #      ", "#     # ", "        "} << Ints{1} << false
        << Rows{"#  #    ", " #      ", "#     # ", "        "} << Ints{7};
    QTest::newRow("the outside column does not count")
        << Rows{"#  #    ", "#      #", "#     # ", "        "} << Ints{3} << false
        << Rows{"#  #    ", "#  #   #", "#     # ", "        "} << Ints{7};
    QTest::newRow("9 columns: a row with one gets one more")
        << Rows{"#  #      ", " #        ", "#  #      ", "          "} << Ints{8} << false
        << Rows{"#  #      ", " #      # ", "#  #      ", "          "} << Ints{9};
    QTest::newRow("10 columns: a row with one gets two more")
        << Rows{"#  #       ", " #         ", "#  #       ", "           "} << Ints{4, 8} << false
        << Rows{"#  #       ", " #  #   #  ", "#  #       ", "           "} << Ints{10, 10};
    QTest::newRow("10 columns: a row without any gets only one")
        << Rows{"#  #       ", "           ", "#  #       ", "           "} << Ints{0} << false
        << Rows{"#  #       ", "#          ", "#  #       ", "           "} << Ints{10};
}

void BlackSquaresTest::lignes() { runCountCheck(ControleLignes); }

void BlackSquaresTest::colonnes_data() {
    QTest::addColumn<Rows>("before");
    QTest::addColumn<Ints>("draws");
    QTest::addColumn<bool>("result");
    QTest::addColumn<Rows>("after");
    QTest::addColumn<Ints>("asked");
    // 3 playing columns of 7 or 10 playing rows, plus the outside row and column.
    const Rows done = {"# # ", " #  ", "    ", "# # ", " #  ", "    ", "    ", "    "};
    QTest::newRow("two in every column") << done << Ints{} << true << done << Ints{};
    QTest::newRow("a column without any gets one")
        << Rows{"#   ", " #  ", "    ", "#   ", " #  ", "    ", "    ", "    "} << Ints{6} << false
        << Rows{"#   ", " #  ", "    ", "#   ", " #  ", "    ", "  # ", "    "} << Ints{7};
    QTest::newRow("the outside row does not count")
        << Rows{"# # ", " #  ", "    ", "  # ", " #  ", "    ", "    ", "#   "} << Ints{2} << false
        << Rows{"# # ", " #  ", "#   ", "  # ", " #  ", "    ", "    ", "#   "} << Ints{7};
    QTest::newRow("10 rows: a column with one gets two more")
        << Rows{"#  ", " # ", "#  ", "   ", "   ", "   ", "   ", "   ", "   ", "   ", "   "}
        << Ints{4, 9} << false
        << Rows{"#  ", " # ", "#  ", "   ", " # ", "   ", "   ", "   ", "   ", " # ", "   "}
        << Ints{10, 10};
}

void BlackSquaresTest::colonnes() { runCountCheck(ControleColonnes); }

void BlackSquaresTest::rulesHoldOnEverySizeAndSeed() {
    int runs = 0;
    int limits = 0;
    for (int rows = 6; rows <= 20; ++rows)
        for (int cols = 6; cols <= 20; ++cols)
            for (std::uint64_t seed = 1; seed <= 12; ++seed) {
                Grille g = emptyGrid(rows, cols);
                ScriptedDraws random({}, seed * 7919 + std::uint64_t(rows * 31 + cols));
                const PlacementOutcome outcome = placeBlackSquares(g, random);
                ++runs;
                QVERIFY(outcome.passes >= 1 && outcome.passes <= kMaxRepairPasses + 1);
                if (outcome.limitReached) {
                    ++limits;
                    QCOMPARE(outcome.passes, kMaxRepairPasses + 1);
                    continue;
                }
                const QString where =
                    QStringLiteral(" on %1 by %2, seed %3").arg(rows).arg(cols).arg(seed);
                const QString pair = touchingPair(g);
                QVERIFY2(pair.isEmpty(), qPrintable(QStringLiteral("touching at ") + pair + where));
                for (int r = 1; r <= rows; ++r)
                    QVERIFY2(blacksInRow(g, r) >= 2,
                             qPrintable(QStringLiteral("row %1").arg(r) + where));
                for (int c = 1; c <= cols; ++c)
                    QVERIFY2(blacksInColumn(g, c) >= 2,
                             qPrintable(QStringLiteral("column %1").arg(c) + where));
                // A finished grid needs no repair: each check leaves it alone and draws nothing.
                ScriptedDraws again;
                QVERIFY(ControleVoisines(g, again) && ControleLignes(g, again) &&
                        ControleColonnes(g, again));
                QVERIFY(again.asked.isEmpty());
            }
    qInfo("%d placements, %d stopped by the pass limit", runs, limits);
    QVERIFY(limits * 100 < runs);
}

void BlackSquaresTest::onlyPlayingCellsAreWritten() {
    Grille g = emptyGrid(7, 7);
    for (int i = 1; i <= kMaxIndex; ++i)
        for (int j = 1; j <= kMaxIndex; ++j)
            if (i > 7 || j > 7)
                g.cell(i, j) = 'Q';
    const Grille before = g;
    ScriptedDraws random({}, 42);
    placeBlackSquares(g, random);
    for (int c = 0; c <= kMaxIndex; ++c)
        for (int r = 0; r <= kMaxIndex; ++r)
            if (!g.isPlayingCell(c, r))
                QCOMPARE(g.cell(c, r), before.cell(c, r));
    QVERIFY(touchingPair(g).isEmpty());
}

void BlackSquaresTest::secondRunAddsToTheFirst() {
    // Letters everywhere: whatever the placement hits becomes black, and the
    // repairs clear only black squares, so the letters left are exactly the
    // cells that nothing touched.
    Grille g = emptyGrid(9, 9);
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r)
            g.cell(c, r) = 'L';
    ScriptedDraws first({}, 5);
    placeBlackSquares(g, first);
    const Grille afterFirst = g;
    ScriptedDraws second({}, 6);
    placeBlackSquares(g, second);
    int letters = 0;
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) {
            const char now = g.cell(c, r);
            QVERIFY(now == 'L' || now == '#' || now == ' ');
            if (now == 'L') {
                ++letters;
                QCOMPARE(afterFirst.cell(c, r), 'L');
            }
        }
    QVERIFY(letters > 0);
    QVERIFY(letters < 81 - 18); // at least two black squares in every row
}

void BlackSquaresTest::passLimitEndsTheRepairs() {
    // One playing column can never hold two black squares in its row.
    Grille g = emptyGrid(1, 1);
    ScriptedDraws random;
    const PlacementOutcome outcome = placeBlackSquares(g, random);
    QVERIFY(outcome.limitReached);
    QCOMPARE(outcome.passes, kMaxRepairPasses + 1);
    QCOMPARE(g.cell(1, 1), '#');
    QCOMPARE(g.cell(2, 1), ' ');
    QCOMPARE(g.cell(1, 2), ' ');
}

QTEST_GUILESS_MAIN(BlackSquaresTest)
#include "black_squares_test.moc"
