// The crossword grid document: dimensions, cells, clues, file names and the
// unsaved-changes flag, with the clearing routine and the single-cell rules.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

namespace orv {

// Largest index of the cell array in either direction (23 x 23 cells, 0 .. 22).
constexpr int kMaxIndex = 22;
constexpr int kCellSide = 23;
// Clue slots carried by a grid file: 0 .. 20.
constexpr int kFileClues = 21;

struct Grille {
    std::int32_t NbLignes = 0;   // rows of the grid control, header row included
    std::int32_t NbColonnes = 0; // columns of the grid control, header column included
    // Column by column: the cell of column c and row r is element c * 23 + r.
    std::array<char, kCellSide * kCellSide> Cases{};
    std::array<QByteArray, kCellSide> DefHoriz; // clue of playing row k + 1
    std::array<QByteArray, kCellSide> DefVert;  // clue of playing column k + 1
    QString NomFichier;
    QString NomCourt;
    bool Modifie = false;

    char& cell(int col, int row) { return Cases[std::size_t(col) * kCellSide + std::size_t(row)]; }
    char cell(int col, int row) const {
        return Cases[std::size_t(col) * kCellSide + std::size_t(row)];
    }
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

// A character typed on the current cell. The key is upper-cased in place
// (plain letters only); Backspace empties the cell, a space makes a black
// square, a capital letter is stored. Returns whether the cell was written
// (and Modifie set); other keys change nothing.
bool typeOnCell(Grille& grille, char& key, int col, int row);

// A key going down on the current cell: Delete (46) empties it and sets Modifie.
bool keyDownOnCell(Grille& grille, int virtualKey, int col, int row);

} // namespace orv
