// The arrow-word file (".fleches"): UTF-8 JSON with a format name and a
// version number, so that a later program can tell what it reads:
//
//   {
//     "format": "orv-fleches",
//     "version": 1,
//     "rows": 11, "columns": 9,
//     "cells": ["#.#.#", "..A..", ...],     one string per row: "#" a definition
//                                          cell, "." an empty letter cell, A-Z a letter
//     "clues": [ {"row": 1, "column": 1, "arrow": "right", "text": "Capitale"}, ... ]
//   }
//
// "arrow" is one of "right", "down", "right-down" (the word starts in the
// next cell to the right and runs down) and "down-right" (starts in the cell
// below and runs right). The clues of a cell are listed in their order, at
// most two per definition cell. Cells and rows count from 1.
#pragma once

#include "arrowword/arrow_grid.h"

#include <QByteArray>
#include <QString>

namespace orv {

// The largest file the reader takes.
constexpr qsizetype kMaxArrowFileBytes = 1024 * 1024;
constexpr int kArrowFileVersion = 1;

// The filter of the file dialogs, and whether a path names such a file.
inline QString arrowFileFilter() {
    return QStringLiteral("Grilles de mots fléchés (*.fleches)|*.fleches");
}
bool isArrowFilePath(const QString& path);
// The chosen path with ".fleches" appended unless it has it.
QString arrowFileName(const QString& chosenPath);

QByteArray arrowFileBytes(const ArrowGrid& grid);
// Replaces the file whole or not at all; OrvError "Ne peut créer le fichier ..." on failure.
void writeArrowFile(const QString& path, const ArrowGrid& grid);

// Reads a file's bytes. A file that is too long, not JSON, of another format
// or a later version, with sides outside kMinArrowSide .. kMaxArrowSide,
// cells that are not "#", "." or A to Z, or clues that do not fit the grid is
// refused with an OrvError that names `displayName` and says why.
ArrowGrid readArrowFile(const QByteArray& data, const QString& displayName);
// Reads the file at `path`; OrvError when it cannot be read or is refused.
ArrowGrid loadArrowFile(const QString& path);

} // namespace orv
