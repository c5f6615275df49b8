// The word slots of a grid: every maximal run of two or more white playing
// cells along a row or a column. A lone white cell between black squares is
// crossed in one direction only and makes no word. The slots, their cells and
// their crossings are computed once from the cells and kept apart from any
// search state, so that the fill, the suggestions and the grid check share them.
#pragma once

#include "grid/grid_model.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace orv {

enum class SlotDirection { Horizontal, Vertical };

struct SlotCell {
    int col = 0;
    int row = 0;
    bool operator==(const SlotCell&) const = default;
};

// Where another slot crosses this one: at `position` of this slot and at
// `otherPosition` of slot `other`.
struct SlotCrossing {
    int position = 0;
    int other = 0;
    int otherPosition = 0;
};

struct Slot {
    SlotDirection direction = SlotDirection::Horizontal;
    // The playing row (horizontal) or column (vertical), 1-based as in Cases.
    int line = 0;
    // 0 for the first word of its row or column, 1 for the second...
    int ordinal = 0;
    std::vector<SlotCell> cells;
    std::vector<SlotCrossing> crossings; // by increasing position
    int length() const { return int(cells.size()); }
};

// Black squares are "#"; every other byte of a playing cell is white.
inline bool isWhiteCell(char c) { return c != '#'; }
inline bool isLetterCell(char c) { return c >= 'A' && c <= 'Z'; }

class GridSlots {
public:
    GridSlots() = default;
    explicit GridSlots(const Grille& grille);

    const std::vector<Slot>& slots() const { return slots_; }
    int count() const { return int(slots_.size()); }
    const Slot& operator[](int i) const { return slots_[std::size_t(i)]; }
    int columns() const { return columns_; }
    int rows() const { return rows_; }

    // The slot through a playing cell in a direction, or -1.
    int slotAt(int col, int row, SlotDirection direction) const;

private:
    std::vector<Slot> slots_;
    int columns_ = 0;
    int rows_ = 0;
    // Slot index per cell and direction, column-major over the playing area.
    std::vector<int> across_;
    std::vector<int> down_;
};

// "ligne 3" or "colonne B" ("ligne III", "colonne 2" in French usage), as the
// grid labels its rows and columns.
QString slotName(const Slot& slot, LabelStyle style = LabelStyle::Letters);

// The slot's letters, "." for a cell without a letter: "C..Z".
QByteArray slotPattern(const Grille& grille, const Slot& slot);

// Whether a word fits a pattern of slotPattern: the same length, and the
// pattern's letters in their places.
bool fitsPattern(QByteArrayView word, QByteArrayView pattern);

// The grid with `word` (one letter per cell of the slot) written in the slot.
Grille withWord(Grille grille, const Slot& slot, QByteArrayView word);

} // namespace orv
