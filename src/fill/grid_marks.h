// Fillability marks: which empty cells of a grid no letter can fill, and
// which only one letter can, once the crossings of the whole grid have been
// propagated (arc consistency between the slots' candidate sets and the
// letters still possible in each cell: the constraint core's propagation,
// without the fill's rule that a word stands once).
//
// A slot left with no candidate marks its own empty cells dead but stops
// constraining its crossings: otherwise one impossible slot would spread its
// emptiness through every crossing and the whole grid would turn dead,
// hiding where the trouble is.
#pragma once

#include "grid/grid_model.h"
#include "grid/grid_slots.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace orv {

class WordIndex;

enum class CellMark : std::uint8_t {
    None,   // a letter, a black square, or an empty cell with a choice
    Dead,   // an empty cell that no letter can fill
    Forced, // an empty cell that only one letter can fill
};

class GridMarks {
public:
    GridMarks() = default;
    GridMarks(int columns, int rows);

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    // Playing cells, 1-based as in Cases; None outside the grid.
    CellMark mark(int col, int row) const;
    // The one letter of a Forced cell, otherwise 0.
    char forcedLetter(int col, int row) const;
    // Letters still possible in a cell (bit 0 for A); every letter for a
    // cell in no slot.
    std::uint32_t letters(int col, int row) const;
    int deadCount() const;
    int forcedCount() const;
    // Slots with an empty cell that had fitting words before the crossings
    // were propagated and have none after, in the slots' order.
    const std::vector<int>& emptiedSlots() const { return emptied_; }

    void set(int col, int row, CellMark mark, std::uint32_t letters);
    void setEmptiedSlots(std::vector<int> slots) { emptied_ = std::move(slots); }

private:
    std::size_t at(int col, int row) const {
        return std::size_t(col - 1) * std::size_t(rows_) + std::size_t(row - 1);
    }
    bool inside(int col, int row) const {
        return col >= 1 && row >= 1 && col <= columns_ && row <= rows_;
    }
    int columns_ = 0;
    int rows_ = 0;
    std::vector<CellMark> marks_;
    std::vector<std::uint32_t> letters_;
    std::vector<int> emptied_;
};

GridMarks computeGridMarks(const Grille& grille, const GridSlots& slots, const WordIndex& index,
                           int minScore = 0);

} // namespace orv
