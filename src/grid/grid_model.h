// The crossword grid as a value: dimensions, cells and clues, with the
// clearing routine and the rule of a typed key. Its file name and whether it
// is saved belong to the document that holds it.
#pragma once

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>

namespace orv {

// Largest index of the cell array in either direction (23 x 23 cells, 0 .. 22).
constexpr int kMaxIndex = 22;
constexpr int kCellSide = 23;
// Clue slots carried by a grid file: 0 .. 20.
constexpr int kFileClues = 21;

// A cell of the grid control: column and row, 1 .. 22 for playing cells
// (row 0 and column 0 are the control's header row and column).
struct Cell {
    int col = 0;
    int row = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

// How the rows and columns are labelled: the program's own way (rows 1, 2,
// 3 ..., columns A, B, C ...) or the French usage of printed grids (rows I,
// II, III ..., columns 1, 2, 3 ...).
enum class LabelStyle { Letters, French };

// The label of playing row `row` and of playing column `col` (1-based).
QString rowLabel(int row, LabelStyle style = LabelStyle::Letters);
QString columnLabel(int col, LabelStyle style = LabelStyle::Letters);

// A cell as the program names it: column letter and row number ("C4"), or in
// French usage row numeral and column number ("IV-3").
QString cellName(Cell cell, LabelStyle style = LabelStyle::Letters);

// The cell facing `cell` by central symmetry in a grid of this many playing
// rows and columns.
Cell mirrorCell(Cell cell, int playingRows, int playingCols);

struct Grille {
    Grille() = default;
    // An empty grid of this many playing rows and columns (1 .. 22), clues empty.
    Grille(int playingRows, int playingCols);

    std::int32_t NbLignes = 0;   // rows of the grid control, header row included
    std::int32_t NbColonnes = 0; // columns of the grid control, header column included
    // Column by column: the cell of column c and row r is element c * 23 + r.
    std::array<char, kCellSide * kCellSide> Cases{};
    std::array<QByteArray, kCellSide> DefHoriz; // clue of playing row k + 1
    std::array<QByteArray, kCellSide> DefVert;  // clue of playing column k + 1

    // Playing rows and columns, 0 .. 21 whatever the counts hold.
    int playingRows() const { return std::clamp(NbLignes - 1, 0, kMaxIndex - 1); }
    int playingCols() const { return std::clamp(NbColonnes - 1, 0, kMaxIndex - 1); }
    char& cell(int col, int row) { return Cases[std::size_t(col) * kCellSide + std::size_t(row)]; }
    char cell(int col, int row) const {
        return Cases[std::size_t(col) * kCellSide + std::size_t(row)];
    }
    char& cell(Cell c) { return cell(c.col, c.row); }
    char cell(Cell c) const { return cell(c.col, c.row); }
    bool isPlayingCell(int col, int row) const {
        return col >= 1 && row >= 1 && col < NbColonnes && row < NbLignes;
    }

    // Every cell of columns and rows 1 .. 22 becomes empty; nothing else changes.
    void Raz();
};

// The cell code that a typed character writes: the key is upper-cased in
// place (plain letters only); Backspace gives an empty cell, a space a black
// square, a capital letter itself. False for any other key.
bool cellCodeForKey(char& key, char& code);

} // namespace orv
