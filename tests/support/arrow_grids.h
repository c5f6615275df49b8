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
