// Word slots: lone cells, full rows, crossings both ways, names and patterns,
// and the slots of 6x6 and 20x20 grids against a direct count.
#include "grid/grid_slots.h"
#include "grid/grid_text.h"

#include "support/fill_checker.h"

#include <QTest>
#include <random>

using namespace orv;

class GridSlotsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lonelyCellsAreNoWord();
    void fullRowsAndColumns();
    void crossingsPointBothWays();
    void namesAndPatterns();
    void countsMatchARunWalk_data();
    void countsMatchARunWalk();
    void cellsOutsideTheGridAreIgnored();
};

void GridSlotsTest::lonelyCellsAreNoWord() {
    // The middle cell of row 2 stands between two black squares: it belongs
    // to column B only. The corner cell of row 3 touches nothing across.
    const Grille g = readGridText("...\n#.#\n.##\n");
    const GridSlots slots(g);
    QCOMPARE(slots.count(), 2); // row 1 and column B
    QCOMPARE(slots.slotAt(2, 2, SlotDirection::Horizontal), -1);
    const int down = slots.slotAt(2, 2, SlotDirection::Vertical);
    QVERIFY(down >= 0);
    QCOMPARE(slots[down].length(), 2);
    QCOMPARE(slots[down].direction, SlotDirection::Vertical);
    QCOMPARE(slots.slotAt(1, 3, SlotDirection::Horizontal), -1);
    QCOMPARE(slots.slotAt(1, 3, SlotDirection::Vertical), -1);
    QCOMPARE(slots.slotAt(1, 1, SlotDirection::Vertical), -1);
}

void GridSlotsTest::fullRowsAndColumns() {
    const Grille g = readGridText("....\n....\n....\n");
    const GridSlots slots(g);
    QCOMPARE(slots.count(), 3 + 4);
    for (int s = 0; s < 3; ++s) {
        QCOMPARE(slots[s].direction, SlotDirection::Horizontal);
        QCOMPARE(slots[s].length(), 4);
        QCOMPARE(int(slots[s].crossings.size()), 4);
        QCOMPARE(slots[s].ordinal, 0);
    }
    for (int s = 3; s < 7; ++s) {
        QCOMPARE(slots[s].length(), 3);
        QCOMPARE(int(slots[s].crossings.size()), 3);
    }
}

void GridSlotsTest::crossingsPointBothWays() {
    const Grille g = readGridText("..#..\n.....\n#..#.\n.....\n");
    const GridSlots slots(g);
    for (int s = 0; s < slots.count(); ++s) {
        for (const SlotCrossing& c : slots[s].crossings) {
            const Slot& other = slots[c.other];
            QVERIFY(other.direction != slots[s].direction);
            QCOMPARE(other.cells[std::size_t(c.otherPosition)],
                     slots[s].cells[std::size_t(c.position)]);
            bool back = false;
            for (const SlotCrossing& d : other.crossings)
                back = back || (d.other == s && d.position == c.otherPosition &&
                                d.otherPosition == c.position);
            QVERIFY(back);
        }
    }
    // Row 1 holds two words: the second has ordinal 1.
    const int second = slots.slotAt(4, 1, SlotDirection::Horizontal);
    QCOMPARE(slots[second].ordinal, 1);
    QCOMPARE(slots[second].cells.front(), (SlotCell{4, 1}));
}

void GridSlotsTest::namesAndPatterns() {
    const Grille g = readGridText("C..Z#\n.#...\nA....\n");
    const GridSlots slots(g);
    const Slot& row1 = slots[slots.slotAt(1, 1, SlotDirection::Horizontal)];
    QCOMPARE(slotName(row1), QStringLiteral("ligne 1"));
    QCOMPARE(slotPattern(g, row1), QByteArray("C..Z"));
    const Slot& colB = slots[slots.slotAt(5, 2, SlotDirection::Vertical)];
    QCOMPARE(slotName(colB), QStringLiteral("colonne E"));
    QCOMPARE(slotPattern(g, colB), QByteArray(".."));
    const Slot& colA = slots[slots.slotAt(1, 3, SlotDirection::Vertical)];
    QCOMPARE(slotPattern(g, colA), QByteArray("C.A"));
}

void GridSlotsTest::countsMatchARunWalk_data() {
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("blacks");
    QTest::newRow("6x6 empty") << 6 << 0;
    QTest::newRow("6x6 dotted") << 6 << 8;
    QTest::newRow("20x20 empty") << 20 << 0;
    QTest::newRow("20x20 dense") << 20 << 120;
}

// The independent run walk of the checker and the slots agree on every
// random layout, cell for cell.
void GridSlotsTest::countsMatchARunWalk() {
    QFETCH(int, side);
    QFETCH(int, blacks);
    std::mt19937 rng(side * 100 + blacks);
    for (int round = 0; round < 20; ++round) {
        Grille g;
        g.NbLignes = g.NbColonnes = side + 1;
        g.Raz();
        for (int k = 0; k < blacks; ++k)
            g.cell(1 + int(rng() % side), 1 + int(rng() % side)) = '#';
        // Mark each cell with a letter of its own so runs are told apart.
        for (int c = 1; c <= side; ++c)
            for (int r = 1; r <= side; ++r)
                if (g.cell(c, r) != '#')
                    g.cell(c, r) = char('A' + (c * 7 + r * 3) % 26);
        const GridSlots slots(g);
        QList<QByteArray> fromSlots;
        for (const Slot& s : slots.slots()) {
            fromSlots.append(slotPattern(g, s));
            QVERIFY(s.length() >= 2);
        }
        QCOMPARE(fromSlots, test::gridRuns(g));
        if (blacks == 0)
            QCOMPARE(slots.count(), 2 * side);
    }
}

void GridSlotsTest::cellsOutsideTheGridAreIgnored() {
    // Raz leaves the row and column past the grid white: they make no slot.
    Grille g = readGridText("#.\n.#\n");
    QCOMPARE(GridSlots(g).count(), 0);
    QCOMPARE(GridSlots(g).slotAt(3, 1, SlotDirection::Horizontal), -1);
}

QTEST_GUILESS_MAIN(GridSlotsTest)
#include "grid_slots_test.moc"
