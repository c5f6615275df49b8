// The arrow-word grid (« mots fléchés ») as a value. Its cells are letter
// cells or definition cells; a definition cell holds up to two clues, each
// with the arrow that says where its word starts and which way it runs:
//
//   Right          the word starts in the next cell to the right, runs right
//   Down           the word starts in the cell below, runs down
//   RightThenDown  the word starts in the next cell to the right, runs down
//   DownThenRight  the word starts in the cell below, runs right
//
// A word runs from its first cell through letter cells and stops before the
// first definition cell or at the grid's edge: a definition cell always ends
// the word that reaches it. Every word is thus a whole run of letter cells
// only when the cell before its first cell, in its own direction, is a
// definition cell or lies outside the grid; the layout check refuses a word
// that starts in the middle of a run of letters, since the run would read on
// through the definition cell's word from the letters before it.
#pragma once

#include "grid/grid_model.h"
#include "grid/grid_slots.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace orv {

enum class ArrowDirection { Right, Down, RightThenDown, DownThenRight };

// Sides of the grids the program makes, opens and saves.
constexpr int kMinArrowSide = 3;
constexpr int kMaxArrowSide = 25;
// Clues per definition cell, and the longest clue text a cell keeps.
constexpr int kMaxCellClues = 2;
constexpr int kMaxArrowClueLength = 200;

struct ArrowClue {
    ArrowDirection direction = ArrowDirection::Right;
    QString text;
    bool operator==(const ArrowClue&) const = default;
};

struct ArrowCell {
    bool definition = false;
    char letter = ' ';            // 'A'..'Z' or ' ' in a letter cell; ' ' in a definition cell
    std::vector<ArrowClue> clues; // definition cells only, at most kMaxCellClues
    bool operator==(const ArrowCell&) const = default;
};

// "vers la droite", "vers le bas", "à droite puis vers le bas", "en bas puis vers la droite".
QString arrowDirectionName(ArrowDirection direction);
// The arrow's sign: "→", "↓", "↴", "↳".
QString arrowSign(ArrowDirection direction);
// The direction the word runs in, and the offset of its first cell from the clue's cell.
SlotDirection wordDirection(ArrowDirection direction);
Cell wordStart(Cell clueCell, ArrowDirection direction);

class ArrowGrid {
public:
    ArrowGrid() = default;
    // Letter cells only, all empty; the sides are clamped to kMinArrowSide .. kMaxArrowSide.
    ArrowGrid(int rows, int columns);

    int rows() const { return rows_; }
    int columns() const { return columns_; }
    bool contains(Cell c) const {
        return c.col >= 1 && c.row >= 1 && c.col <= columns_ && c.row <= rows_;
    }
    // Cells counted from 1, as in the crossword grid.
    const ArrowCell& at(Cell c) const { return cells_[index(c)]; }
    ArrowCell& at(Cell c) { return cells_[index(c)]; }
    bool isDefinition(Cell c) const { return contains(c) && at(c).definition; }
    bool isLetterCell(Cell c) const { return contains(c) && !at(c).definition; }

    // A definition cell loses its letter; a letter cell loses its clues.
    void setDefinition(Cell c, bool definition);
    // Adds a clue with this arrow to the definition cell, or takes away the
    // one it has; false (nothing changed) when the cell is full or not a
    // definition cell.
    bool toggleArrow(Cell c, ArrowDirection direction);
    // The arrow of the clue at `index` (0 or 1): an existing clue changes its
    // arrow, index == count adds a clue. False when nothing can change.
    bool setArrow(Cell c, int index, ArrowDirection direction);
    // Takes away the clue at `index`.
    void removeClue(Cell c, int index);
    // The clue's text, cut to kMaxArrowClueLength characters.
    void setClueText(Cell c, int index, const QString& text);
    // 'A'..'Z' or ' '; ignored in a definition cell.
    void setLetter(Cell c, char letter);

    bool operator==(const ArrowGrid&) const = default;

private:
    std::size_t index(Cell c) const {
        return std::size_t(c.row - 1) * std::size_t(columns_) + std::size_t(c.col - 1);
    }
    int rows_ = 0;
    int columns_ = 0;
    std::vector<ArrowCell> cells_; // row by row
};

// The word of one clue: its first cell and the letter cells that follow it
// up to the first definition cell or the edge. `length` is 0 when the first
// cell is outside the grid or a definition cell.
struct ArrowWord {
    Cell clueCell;
    int clueIndex = 0;
    ArrowDirection arrow = ArrowDirection::Right;
    SlotDirection direction = SlotDirection::Horizontal;
    Cell start;
    int length = 0;
    Cell cellAt(int k) const {
        return direction == SlotDirection::Horizontal ? Cell{start.col + k, start.row}
                                                      : Cell{start.col, start.row + k};
    }
};

// One word per clue, definition cells row by row, clues in their order.
std::vector<ArrowWord> arrowWords(const ArrowGrid& grid);

// The words of two letters or more as slots of the crossword's fill, with
// their crossings: `line` is the word's row (across) or column (down),
// `ordinal` the word's rank among all words.
std::vector<Slot> arrowSlots(const ArrowGrid& grid);

// The word's letters, "." for an empty cell.
QByteArray arrowWordPattern(const ArrowGrid& grid, const ArrowWord& word);

// One fault of a layout, at the cell it concerns.
struct LayoutProblem {
    Cell cell;
    QString message;
};

// Every fault of the layout, row by row: a definition cell without a clue; a
// clue whose word leaves the grid, meets a definition cell at once or is one
// letter long; a word that starts in the middle of a run of letters; two
// clues for one word; a run of two letters or more that no clue gives; a
// letter cell in no word.
std::vector<LayoutProblem> checkArrowLayout(const ArrowGrid& grid);

} // namespace orv
