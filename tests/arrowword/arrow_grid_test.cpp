// The arrow-word grid's words, slots, layout check and history.
#include "arrowword/arrow_document.h"
#include "arrowword/arrow_grid.h"
#include "support/arrow_grids.h"

#include <QTest>

using namespace orv;
using namespace orv::test;
using D = ArrowDirection;

namespace {

QStringList messages(const ArrowGrid& grid) {
    QStringList out;
    for (const LayoutProblem& p : checkArrowLayout(grid))
        out.append(p.message);
    return out;
}

QString cellsOf(const ArrowWord& w) {
    QStringList names;
    for (int k = 0; k < w.length; ++k)
        names.append(cellName(w.cellAt(k)));
    return names.join(QLatin1Char(' '));
}

} // namespace

class ArrowGridTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wordsFollowEveryArrow();
    void wordsStopAtDefinitionCellsAndEdges();
    void slotsCarryTheCrossings();
    void sampleLayoutPasses();
    void layoutFaultsAtTheEdges();
    void layoutFaultsInside();
    void editsKeepTheCellsConsistent();
    void historyUndoesAndRedoes();
};

void ArrowGridTest::wordsFollowEveryArrow() {
    const ArrowGrid grid = sampleArrowGrid();
    const std::vector<ArrowWord> words = arrowWords(grid);
    QCOMPARE(words.size(), std::size_t(6));
    // Definition cells row by row, clues in their order.
    QCOMPARE(cellsOf(words[0]), QStringLiteral("B1 B2 B3 B4")); // ↴ from A1
    QCOMPARE(cellsOf(words[1]), QStringLiteral("C2 C3 C4"));    // ↓ from C1
    QCOMPARE(cellsOf(words[2]), QStringLiteral("D1 D2 D3 D4")); // ↴ from C1
    QCOMPARE(cellsOf(words[3]), QStringLiteral("B2 C2 D2"));    // → from A2
    QCOMPARE(cellsOf(words[4]), QStringLiteral("B3 C3 D3"));    // → from A3
    QCOMPARE(cellsOf(words[5]), QStringLiteral("A4 B4 C4 D4")); // ↳ from A3
    QCOMPARE(words[5].clueIndex, 1);
    QCOMPARE(words[5].direction, SlotDirection::Horizontal);
    QCOMPARE(words[0].direction, SlotDirection::Vertical);
    QCOMPARE(arrowWordPattern(grid, words[0]), QByteArray("ORES"));
    QCOMPARE(arrowWordPattern(grid, words[5]), QByteArray("ISAR"));
}

void ArrowGridTest::wordsStopAtDefinitionCellsAndEdges() {
    // A definition cell in the middle of a row ends the word before it.
    const ArrowGrid grid = arrowGridFrom(
        {QStringLiteral("#..#.."), QStringLiteral("......"), QStringLiteral("#....#")},
        {{{1, 1}, D::Right, {}},
         {{4, 1}, D::Right, {}},
         {{4, 1}, D::Down, {}},
         {{6, 3}, D::Right, {}},
         {{6, 3}, D::Down, {}},
         {{1, 3}, D::RightThenDown, {}},
         {{1, 1}, D::DownThenRight, {}}});
    const std::vector<ArrowWord> words = arrowWords(grid);
    QCOMPARE(words.size(), std::size_t(7));
    QCOMPARE(cellsOf(words[0]), QStringLiteral("B1 C1"));
    QCOMPARE(cellsOf(words[1]), QStringLiteral("A2 B2 C2 D2 E2 F2")); // ↳ from A1, to the edge
    QCOMPARE(cellsOf(words[2]), QStringLiteral("E1 F1"));
    QCOMPARE(cellsOf(words[3]), QStringLiteral("D2 D3"));
    QCOMPARE(cellsOf(words[4]), QStringLiteral("B3")); // ↴ from the last row: one cell
    QCOMPARE(words[5].length, 0);                      // → from the last column
    QVERIFY(!grid.contains(words[5].start));
    QCOMPARE(words[6].length, 0); // ↓ from the last row
    QCOMPARE(words[6].start, (Cell{6, 4}));
}

void ArrowGridTest::slotsCarryTheCrossings() {
    const std::vector<Slot> slots = arrowSlots(sampleArrowGrid());
    QCOMPARE(slots.size(), std::size_t(6));
    // B1..B4 (down) crosses B2..D2, B3..D3 and A4..D4.
    const Slot& first = slots[0];
    QCOMPARE(first.direction, SlotDirection::Vertical);
    QCOMPARE(first.line, 2);
    QCOMPARE(first.crossings.size(), std::size_t(3));
    QCOMPARE(first.crossings[0].position, 1);
    QCOMPARE(first.crossings[0].other, 3);
    QCOMPARE(first.crossings[0].otherPosition, 0);
    QCOMPARE(first.crossings[2].other, 5);
    QCOMPARE(first.crossings[2].otherPosition, 1);
    // Every crossing is seen from both of its slots at the same cell.
    for (std::size_t i = 0; i < slots.size(); ++i)
        for (const SlotCrossing& x : slots[i].crossings) {
            const Slot& other = slots[std::size_t(x.other)];
            QCOMPARE(other.cells[std::size_t(x.otherPosition)],
                     slots[i].cells[std::size_t(x.position)]);
        }
}

void ArrowGridTest::sampleLayoutPasses() { QCOMPARE(messages(sampleArrowGrid()), QStringList()); }

void ArrowGridTest::layoutFaultsAtTheEdges() {
    // Each arrow from the last column and from the last row of a 3 x 3 grid.
    const ArrowGrid lastColumn =
        arrowGridFrom({QStringLiteral("..#"), QStringLiteral("..."), QStringLiteral("...")},
                      {{{3, 1}, D::Right, {}}, {{3, 1}, D::DownThenRight, {}}});
    QStringList m = messages(lastColumn);
    QVERIFY2(m.contains(QStringLiteral("La définition C1 (vers la droite) mène hors de la grille")),
             qPrintable(m.join('\n')));
    QVERIFY2(m.contains(QStringLiteral("Le mot de la définition C1 (en bas puis vers la droite) "
                                       "n'a qu'une lettre : il en faut au moins deux")),
             qPrintable(m.join('\n')));
    // Its one-letter word also starts in the middle of row 2.
    QVERIFY(m.contains(QStringLiteral("Le mot de la définition C1 (en bas puis vers la droite) "
                                      "commence au milieu d'une suite de lettres : la case B2, "
                                      "juste avant lui, n'est pas une case de définition")));

    const ArrowGrid lastRow =
        arrowGridFrom({QStringLiteral("..."), QStringLiteral("..."), QStringLiteral("#..")},
                      {{{1, 3}, D::Down, {}}, {{1, 3}, D::DownThenRight, {}}});
    m = messages(lastRow);
    QVERIFY(m.contains(QStringLiteral("La définition A3 (vers le bas) mène hors de la grille")));
    QVERIFY(m.contains(
        QStringLiteral("La définition A3 (en bas puis vers la droite) mène hors de la grille")));

    const ArrowGrid corner =
        arrowGridFrom({QStringLiteral("..."), QStringLiteral("..."), QStringLiteral(".#.")},
                      {{{2, 3}, D::RightThenDown, {}}});
    m = messages(corner);
    QVERIFY(m.contains(QStringLiteral("Le mot de la définition B3 (à droite puis vers le bas) "
                                      "n'a qu'une lettre : il en faut au moins deux")));

    // A bent arrow into a definition cell.
    const ArrowGrid blocked =
        arrowGridFrom({QStringLiteral("##."), QStringLiteral("#.."), QStringLiteral("...")},
                      {{{1, 1}, D::RightThenDown, {}}});
    m = messages(blocked);
    QVERIFY2(m.contains(QStringLiteral("La définition A1 (à droite puis vers le bas) mène à la "
                                       "case de définition B1")),
             qPrintable(m.join('\n')));
    QVERIFY(m.contains(QStringLiteral("La case de définition B1 n'a aucune définition")));
    QVERIFY(m.contains(QStringLiteral("La case de définition A2 n'a aucune définition")));
}

void ArrowGridTest::layoutFaultsInside() {
    // A 3 x 3 layout without fault, then spoilt.
    const ArrowGrid twice =
        arrowGridFrom({QStringLiteral("#.#"), QStringLiteral("#.."), QStringLiteral("...")},
                      {{{1, 1}, D::RightThenDown, {}},
                       {{3, 1}, D::Down, {}},
                       {{1, 2}, D::Right, {}},
                       {{1, 2}, D::DownThenRight, {}}});
    QStringList m = messages(twice);
    QCOMPARE(m, QStringList());

    ArrowGrid faulty = twice;
    faulty.removeClue({1, 2}, 1);
    faulty.setDefinition({2, 1}, true);
    faulty.setArrow({2, 1}, 0, D::DownThenRight);
    m = messages(faulty);
    QVERIFY2(m.contains(QStringLiteral("Les définitions A2 (vers la droite) et B1 (en bas puis "
                                       "vers la droite) donnent le même mot")) ||
                 m.contains(QStringLiteral("Les définitions B1 (en bas puis vers la droite) et A2 "
                                           "(vers la droite) donnent le même mot")),
             qPrintable(m.join('\n')));
    QVERIFY(m.contains(QStringLiteral("Les lettres de A3 à C3 forment un mot qu'aucune définition "
                                      "ne donne")));
    // The column of A1's bent arrow lost its first cell: A1 now points at a definition cell.
    QVERIFY(m.contains(QStringLiteral(
        "La définition A1 (à droite puis vers le bas) mène à la case de définition B1")));
    QVERIFY2(m.contains(QStringLiteral("La case A3 n'appartient à aucun mot")),
             qPrintable(m.join('\n')));
    // Problems come row by row.
    const std::vector<LayoutProblem> problems = checkArrowLayout(faulty);
    for (std::size_t k = 1; k < problems.size(); ++k)
        QVERIFY(problems[k - 1].cell.row <= problems[k].cell.row);
}

void ArrowGridTest::editsKeepTheCellsConsistent() {
    ArrowGrid grid(2, 30);
    QCOMPARE(grid.columns(), kMaxArrowSide);
    QCOMPARE(grid.rows(), kMinArrowSide);
    grid.setLetter({1, 1}, 'Q');
    QVERIFY(!grid.toggleArrow({1, 1}, D::Right)); // a letter cell has no arrow
    grid.setDefinition({1, 1}, true);
    QCOMPARE(grid.at({1, 1}).letter, ' ');
    QVERIFY(grid.toggleArrow({1, 1}, D::Right));
    QVERIFY(grid.toggleArrow({1, 1}, D::Down));
    QVERIFY(!grid.toggleArrow({1, 1}, D::RightThenDown)); // full
    QVERIFY(grid.toggleArrow({1, 1}, D::Right));          // taken away
    QCOMPARE(grid.at({1, 1}).clues.size(), std::size_t(1));
    QCOMPARE(grid.at({1, 1}).clues[0].direction, D::Down);
    grid.setClueText({1, 1}, 0, QString(300, QLatin1Char('x')));
    QCOMPARE(grid.at({1, 1}).clues[0].text.size(), kMaxArrowClueLength);
    grid.setLetter({1, 1}, 'A');
    QCOMPARE(grid.at({1, 1}).letter, ' ');
    grid.setDefinition({1, 1}, false);
    QVERIFY(grid.at({1, 1}).clues.empty());
}

void ArrowGridTest::historyUndoesAndRedoes() {
    ArrowDocument doc;
    doc.reset(ArrowGrid(9, 11));
    QVERIFY(!doc.modified());
    ArrowGrid g = doc.grid();
    QVERIFY(!doc.apply(g, QStringLiteral("rien")));
    g.setDefinition({1, 1}, true);
    QVERIFY(doc.apply(g, QStringLiteral("Case de définition")));
    g.setLetter({2, 1}, 'A');
    QVERIFY(doc.apply(g, QStringLiteral("Lettre")));
    QVERIFY(doc.modified());
    QCOMPARE(doc.undoLabel(), QStringLiteral("Lettre"));
    doc.undo();
    QCOMPARE(doc.grid().at({2, 1}).letter, ' ');
    QVERIFY(doc.grid().isDefinition({1, 1}));
    doc.undo();
    QVERIFY(!doc.grid().isDefinition({1, 1}));
    QVERIFY(!doc.canUndo());
    doc.redo();
    doc.redo();
    QCOMPARE(doc.grid(), g);
    QVERIFY(!doc.canRedo());
    doc.markSaved(QStringLiteral("/tmp/x.fleches"));
    QVERIFY(!doc.modified());
    // A new edit after an undo drops the redo steps.
    doc.undo();
    ArrowGrid other = doc.grid();
    other.setLetter({3, 3}, 'Z');
    doc.apply(other, QStringLiteral("Lettre"));
    QVERIFY(!doc.canRedo());
}

QTEST_MAIN(ArrowGridTest)
#include "arrow_grid_test.moc"
