// The state of a crossword game: the player's cells, the solution taken from
// the editor's grid, and the points counter, with the rules of typing and of
// the two help commands. The play window only draws it and routes events here.
#pragma once

#include "grid/grid_model.h"

#include <QString>
#include <array>
#include <cstdint>

namespace orv {

struct EtatJeu {
    std::int32_t JeuLignes = 0;   // rows of the play grid, header row included
    std::int32_t JeuColonnes = 0; // columns of the play grid, header column included
    // Same layout as the editor's Cases: the cell of column c and row r is c * 23 + r.
    std::array<char, kCellSide * kCellSide> CasesJoueur{};
    std::array<char, kCellSide * kCellSide> CasesSolution{};
    // Only ever goes down during a game, and may go below zero.
    std::int32_t Points = 0;

    char& joueur(int col, int row) { return CasesJoueur[index(col, row)]; }
    char joueur(int col, int row) const { return CasesJoueur[index(col, row)]; }
    char& solution(int col, int row) { return CasesSolution[index(col, row)]; }
    char solution(int col, int row) const { return CasesSolution[index(col, row)]; }
    bool isPlayingCell(int col, int row) const {
        return col >= 1 && row >= 1 && col < JeuColonnes && row < JeuLignes && col <= kMaxIndex &&
               row <= kMaxIndex;
    }

    // A fresh game of NbL rows and NbC columns (header row and column included)
    // with the full counter. Every player's cell up to the model's limit is
    // emptied, so a grid larger than the dimensions dialog allows (one read
    // from a file) never shows what an earlier game left in it.
    void Init(int NbL, int NbC);
    // One cell of the solution.
    void InitA(int Row, int Col, char Ch);
    // At the showing: black squares and empty cells appear, every letter stays hidden.
    void CacheLettres();

    // A character typed on a cell: upper-cased in place; Backspace empties the
    // cell and a capital letter is stored. Whatever the solution holds there.
    // Returns whether the cell was written.
    bool Frappe(char& key, int col, int row);
    // A key going down on a cell: Delete empties it. Returns whether it did.
    bool ToucheBas(int virtualKey, int col, int row);
    // "Montrer la lettre": the cell shows its solution, for one point, always.
    void MontreLettre(int col, int row);
    // "Placer une lettre": every cell whose solution holds the letter shows it,
    // one point each whether or not it showed already. NUL does nothing.
    // Returns the number of cells that hold the letter.
    int PlaceLettre(char letter);

    // The counter as shown: the number then " points", in every case.
    QString TextePoints() const;

private:
    static std::size_t index(int col, int row) {
        return std::size_t(col) * kCellSide + std::size_t(row);
    }
    static bool inArray(int col, int row) {
        return col >= 0 && row >= 0 && col <= kMaxIndex && row <= kMaxIndex;
    }
};

} // namespace orv
