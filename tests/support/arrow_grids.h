// Arrow-word grids for the tests, written as rows of cells ("#" a definition
// cell, "." an empty letter cell, A-Z a letter) and a list of clues.
#pragma once

#include "arrowword/arrow_grid.h"

#include <QStringList>
#include <initializer_list>

namespace orv::test {

struct PlacedClue {
    Cell cell;
    ArrowDirection direction;
    QString text;
};

inline ArrowGrid arrowGridFrom(const QStringList& rows, std::initializer_list<PlacedClue> clues) {
    ArrowGrid grid(int(rows.size()), int(rows.value(0).size()));
    for (int r = 1; r <= grid.rows(); ++r)
        for (int c = 1; c <= grid.columns(); ++c) {
            const QChar ch = rows.at(r - 1).at(c - 1);
            if (ch == QLatin1Char('#'))
                grid.setDefinition({c, r}, true);
            else if (ch != QLatin1Char('.'))
                grid.setLetter({c, r}, char(ch.unicode()));
        }
    for (const PlacedClue& clue : clues) {
        const int index = int(grid.at(clue.cell).clues.size());
        grid.setArrow(clue.cell, index, clue.direction);
        grid.setClueText(clue.cell, index, clue.text);
    }
    return grid;
}

// A 4 x 4 grid that passes the layout check and uses the four arrows:
//   # . # .
//   # . . .
//   # . . .
//   . . . .
inline ArrowGrid sampleArrowGrid() {
    using D = ArrowDirection;
    return arrowGridFrom({QStringLiteral("#O#L"), QStringLiteral("#RUE"), QStringLiteral("#ETE"),
                          QStringLiteral("ISAR")},
                         {{{1, 1}, D::RightThenDown, QStringLiteral("Minerai")},
                          {{3, 1}, D::Down, QStringLiteral("Unité « chère »")},
                          {{3, 1}, D::RightThenDown, QStringLiteral("Mot d'amour")},
                          {{1, 2}, D::Right, QStringLiteral("Voie")},
                          {{1, 3}, D::Right, QStringLiteral("Saison")},
                          {{1, 3}, D::DownThenRight, QStringLiteral("Rivière bavaroise")}});
}

// A magazine's 11 x 9 grid, filled, its definition cells in the first row
// and column and scattered inside, each word with its arrow; the clues'
// texts are still empty, as the setter gets it before writing them.
inline ArrowGrid magazineArrowGrid() {
    using D = ArrowDirection;
    return arrowGridFrom(
        {QStringLiteral("#D#V#A#C#"), QStringLiteral("HERITIERE"), QStringLiteral("#LEVE#TIN"),
         QStringLiteral("RIVE#PRET"), QStringLiteral("#CE#TEE#R"), QStringLiteral("VIN#UN#MA"),
         QStringLiteral("#EAU#SALI"), QStringLiteral("LUI#SEC#N"), QStringLiteral("#SEPT#RIE"),
         QStringLiteral("YEN#EPELE"), QStringLiteral("#STOP#SES")},
        {{{1, 1}, D::RightThenDown, {}}, {{1, 1}, D::DownThenRight, {}},
         {{3, 1}, D::RightThenDown, {}}, {{3, 1}, D::Down, {}},
         {{5, 1}, D::RightThenDown, {}}, {{5, 1}, D::Down, {}},
         {{7, 1}, D::RightThenDown, {}}, {{7, 1}, D::Down, {}},
         {{9, 1}, D::Down, {}},          {{1, 3}, D::Right, {}},
         {{1, 3}, D::DownThenRight, {}}, {{6, 3}, D::Right, {}},
         {{6, 3}, D::Down, {}},          {{5, 4}, D::Right, {}},
         {{5, 4}, D::Down, {}},          {{1, 5}, D::Right, {}},
         {{1, 5}, D::DownThenRight, {}}, {{4, 5}, D::Right, {}},
         {{8, 5}, D::Down, {}},          {{4, 6}, D::Right, {}},
         {{7, 6}, D::Right, {}},         {{7, 6}, D::Down, {}},
         {{1, 7}, D::Right, {}},         {{1, 7}, D::DownThenRight, {}},
         {{5, 7}, D::Right, {}},         {{5, 7}, D::Down, {}},
         {{4, 8}, D::Right, {}},         {{8, 8}, D::Down, {}},
         {{1, 9}, D::Right, {}},         {{1, 9}, D::DownThenRight, {}},
         {{6, 9}, D::Right, {}},         {{4, 10}, D::Right, {}},
         {{1, 11}, D::Right, {}},        {{6, 11}, D::Right, {}}});
}

// The grid with every letter cell emptied, its clues kept.
inline ArrowGrid withoutLetters(ArrowGrid grid) {
    for (int r = 1; r <= grid.rows(); ++r)
        for (int c = 1; c <= grid.columns(); ++c)
            grid.setLetter({c, r}, ' ');
    return grid;
}

// Whether every letter cell holds a letter.
inline bool allLettersFilled(const ArrowGrid& grid) {
    for (int r = 1; r <= grid.rows(); ++r)
        for (int c = 1; c <= grid.columns(); ++c)
            if (grid.isLetterCell({c, r}) && grid.at({c, r}).letter == ' ')
                return false;
    return true;
}

} // namespace orv::test
