// The figures of a grid: its words by length, its black squares, how many of
// its words of 3 letters or more come from the frequency table, the cells
// that only one word crosses and the words the dictionary lacks. Computed
// from the grid, its slots, the pattern index and the scores, fast enough to
// follow every change.
#pragma once

#include "grid/grid_model.h"
#include "grid/grid_slots.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <array>
#include <vector>

namespace orv {

class WordIndex;
class WordScores;

struct GridStatistics {
    int columns = 0;
    int rows = 0;
    int blacks = 0;
    int emptyCells = 0; // white cells without a letter
    // Slots (every run of two or more white cells) by length.
    std::array<int, kCellSide> wordsByLength{};
    int words = 0;
    int completeWords = 0; // slots without an empty cell
    int longWords = 0;     // complete words of 3 letters or more
    int frequentLong = 0;  // those of them that the frequency table holds
    int singleWordCells = 0;
    // Complete words missing from the dictionary, in the slots' order, once each.
    std::vector<QByteArray> notInDictionary;
    // Complete words of the dictionary that a reader may not know (weak by
    // their class), in the slots' order, once each.
    std::vector<QByteArray> weakWords;

    int cells() const { return columns * rows; }
    double blackShare() const { return cells() ? double(blacks) / cells() : 0; }
    double frequentShare() const { return longWords ? double(frequentLong) / longWords : 0; }
};

GridStatistics gridStatistics(const Grille& grille, const GridSlots& slots, const WordIndex& index,
                              const WordScores& scores);

// The figures as the panel shows them: a caption and its value per line; the
// words by length come as lines of their own, indented.
QList<QPair<QString, QString>> gridStatisticsLines(const GridStatistics& statistics);

} // namespace orv
