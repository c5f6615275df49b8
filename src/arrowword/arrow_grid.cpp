// The arrow-word grid, its words and its layout check.
#include "arrowword/arrow_grid.h"

#include <algorithm>

namespace orv {

QString arrowDirectionName(ArrowDirection direction) {
    switch (direction) {
    case ArrowDirection::Right:
        return QStringLiteral("vers la droite");
    case ArrowDirection::Down:
        return QStringLiteral("vers le bas");
    case ArrowDirection::RightThenDown:
        return QStringLiteral("à droite puis vers le bas");
    case ArrowDirection::DownThenRight:
        return QStringLiteral("en bas puis vers la droite");
    }
    return {};
}

QString arrowSign(ArrowDirection direction) {
    switch (direction) {
    case ArrowDirection::Right:
        return QStringLiteral("→");
    case ArrowDirection::Down:
        return QStringLiteral("↓");
    case ArrowDirection::RightThenDown:
        return QStringLiteral("↴");
    case ArrowDirection::DownThenRight:
        return QStringLiteral("↳");
    }
    return {};
}

SlotDirection wordDirection(ArrowDirection direction) {
    return direction == ArrowDirection::Right || direction == ArrowDirection::DownThenRight
               ? SlotDirection::Horizontal
               : SlotDirection::Vertical;
}

Cell wordStart(Cell clueCell, ArrowDirection direction) {
    return direction == ArrowDirection::Right || direction == ArrowDirection::RightThenDown
               ? Cell{clueCell.col + 1, clueCell.row}
               : Cell{clueCell.col, clueCell.row + 1};
}

ArrowGrid::ArrowGrid(int rows, int columns)
    : rows_(std::clamp(rows, kMinArrowSide, kMaxArrowSide)),
      columns_(std::clamp(columns, kMinArrowSide, kMaxArrowSide)),
      cells_(std::size_t(rows_) * std::size_t(columns_)) {}

void ArrowGrid::setDefinition(Cell c, bool definition) {
    if (!contains(c))
        return;
    ArrowCell& cell = at(c);
    cell.definition = definition;
    cell.letter = ' ';
    cell.clues.clear();
}

bool ArrowGrid::toggleArrow(Cell c, ArrowDirection direction) {
    if (!isDefinition(c))
        return false;
    auto& clues = at(c).clues;
    const auto found = std::find_if(clues.begin(), clues.end(), [&](const ArrowClue& clue) {
        return clue.direction == direction;
    });
    if (found != clues.end()) {
        clues.erase(found);
        return true;
    }
    return setArrow(c, int(clues.size()), direction);
}

bool ArrowGrid::setArrow(Cell c, int index, ArrowDirection direction) {
    if (!isDefinition(c) || index < 0 || index >= kMaxCellClues)
        return false;
    auto& clues = at(c).clues;
    if (index < int(clues.size())) {
        clues[std::size_t(index)].direction = direction;
        return true;
    }
    if (index != int(clues.size()))
        return false;
    clues.push_back(ArrowClue{direction, {}});
    return true;
}

void ArrowGrid::removeClue(Cell c, int index) {
    if (!isDefinition(c))
        return;
    auto& clues = at(c).clues;
    if (index >= 0 && index < int(clues.size()))
        clues.erase(clues.begin() + index);
}

void ArrowGrid::setClueText(Cell c, int index, const QString& text) {
    if (!isDefinition(c))
        return;
    auto& clues = at(c).clues;
    if (index >= 0 && index < int(clues.size()))
        clues[std::size_t(index)].text = text.left(kMaxArrowClueLength);
}

void ArrowGrid::setLetter(Cell c, char letter) {
    if (!isLetterCell(c) || !(letter == ' ' || (letter >= 'A' && letter <= 'Z')))
        return;
    at(c).letter = letter;
}

std::vector<ArrowWord> arrowWords(const ArrowGrid& grid) {
    std::vector<ArrowWord> words;
    for (int r = 1; r <= grid.rows(); ++r)
        for (int c = 1; c <= grid.columns(); ++c) {
            const Cell here{c, r};
            if (!grid.isDefinition(here))
                continue;
            const auto& clues = grid.at(here).clues;
            for (std::size_t k = 0; k < clues.size(); ++k) {
                ArrowWord w;
                w.clueCell = here;
                w.clueIndex = int(k);
                w.arrow = clues[k].direction;
                w.direction = wordDirection(w.arrow);
                w.start = wordStart(here, w.arrow);
                while (grid.isLetterCell(w.cellAt(w.length)))
                    ++w.length;
                words.push_back(w);
            }
        }
    return words;
}

std::vector<Slot> arrowSlots(const ArrowGrid& grid) {
    std::vector<Slot> slots;
    const std::size_t area = std::size_t(grid.rows()) * std::size_t(grid.columns());
    std::vector<int> across(area, -1), down(area, -1);
    std::vector<int> acrossPos(area, 0), downPos(area, 0);
    auto cellIndex = [&](Cell c) {
        return std::size_t(c.row - 1) * std::size_t(grid.columns()) + std::size_t(c.col - 1);
    };
    for (const ArrowWord& w : arrowWords(grid)) {
        if (w.length < 2)
            continue;
        Slot s;
        s.direction = w.direction;
        s.line = w.direction == SlotDirection::Horizontal ? w.start.row : w.start.col;
        s.ordinal = int(slots.size());
        for (int k = 0; k < w.length; ++k) {
            const Cell c = w.cellAt(k);
            s.cells.push_back(SlotCell{c.col, c.row});
            auto& owner = w.direction == SlotDirection::Horizontal ? across : down;
            auto& position = w.direction == SlotDirection::Horizontal ? acrossPos : downPos;
            owner[cellIndex(c)] = int(slots.size());
            position[cellIndex(c)] = k;
        }
        slots.push_back(std::move(s));
    }
    for (std::size_t i = 0; i < slots.size(); ++i) {
        Slot& s = slots[i];
        const bool horizontal = s.direction == SlotDirection::Horizontal;
        for (int k = 0; k < s.length(); ++k) {
            const SlotCell& sc = s.cells[std::size_t(k)];
            const std::size_t at = cellIndex(Cell{sc.col, sc.row});
            const int other = horizontal ? down[at] : across[at];
            if (other >= 0 && other != int(i))
                s.crossings.push_back(
                    SlotCrossing{k, other, horizontal ? downPos[at] : acrossPos[at]});
        }
    }
    return slots;
}

QByteArray arrowWordPattern(const ArrowGrid& grid, const ArrowWord& word) {
    QByteArray pattern;
    for (int k = 0; k < word.length; ++k) {
        const char letter = grid.at(word.cellAt(k)).letter;
        pattern += letter >= 'A' && letter <= 'Z' ? letter : '.';
    }
    return pattern;
}

namespace {

QString clueName(const ArrowWord& w) {
    return QStringLiteral("%1 (%2)").arg(cellName(w.clueCell), arrowDirectionName(w.arrow));
}

Cell before(const ArrowWord& w) {
    return w.direction == SlotDirection::Horizontal ? Cell{w.start.col - 1, w.start.row}
                                                    : Cell{w.start.col, w.start.row - 1};
}

} // namespace

std::vector<LayoutProblem> checkArrowLayout(const ArrowGrid& grid) {
    std::vector<LayoutProblem> problems;
    const std::vector<ArrowWord> words = arrowWords(grid);
    const int columns = grid.columns();
    const std::size_t area = std::size_t(grid.rows()) * std::size_t(columns);
    auto cellIndex = [&](Cell c) {
        return std::size_t(c.row - 1) * std::size_t(columns) + std::size_t(c.col - 1);
    };
    // The first word found to start at each cell, per direction (index into words).
    std::vector<int> startsAcross(area, -1), startsDown(area, -1);
    std::vector<char> covered(area, 0);

    for (int r = 1; r <= grid.rows(); ++r)
        for (int c = 1; c <= columns; ++c)
            if (grid.isDefinition({c, r}) && grid.at({c, r}).clues.empty())
                problems.push_back({{c, r},
                                    QStringLiteral("La case de définition %1 n'a aucune définition")
                                        .arg(cellName({c, r}))});

    for (std::size_t i = 0; i < words.size(); ++i) {
        const ArrowWord& w = words[i];
        if (!grid.contains(w.start)) {
            problems.push_back(
                {w.clueCell,
                 QStringLiteral("La définition %1 mène hors de la grille").arg(clueName(w))});
            continue;
        }
        if (w.length == 0) {
            problems.push_back(
                {w.clueCell, QStringLiteral("La définition %1 mène à la case de définition %2")
                                 .arg(clueName(w), cellName(w.start))});
            continue;
        }
        for (int k = 0; k < w.length; ++k)
            covered[cellIndex(w.cellAt(k))] = 1;
        if (w.length == 1)
            problems.push_back(
                {w.clueCell,
                 QStringLiteral("Le mot de la définition %1 n'a qu'une lettre : il en faut au "
                                "moins deux")
                     .arg(clueName(w))});
        if (grid.isLetterCell(before(w)))
            problems.push_back(
                {w.clueCell,
                 QStringLiteral("Le mot de la définition %1 commence au milieu d'une suite de "
                                "lettres : la case %2, juste avant lui, n'est pas une case de "
                                "définition")
                     .arg(clueName(w), cellName(before(w)))});
        auto& starts = w.direction == SlotDirection::Horizontal ? startsAcross : startsDown;
        int& first = starts[cellIndex(w.start)];
        if (first >= 0)
            problems.push_back(
                {w.clueCell, QStringLiteral("Les définitions %1 et %2 donnent le même mot")
                                 .arg(clueName(words[std::size_t(first)]), clueName(w))});
        else
            first = int(i);
    }

    // Runs of two letters or more that no clue gives.
    for (const SlotDirection direction : {SlotDirection::Horizontal, SlotDirection::Vertical}) {
        const bool across = direction == SlotDirection::Horizontal;
        const auto& starts = across ? startsAcross : startsDown;
        const int lines = across ? grid.rows() : columns;
        const int length = across ? columns : grid.rows();
        for (int line = 1; line <= lines; ++line) {
            int k = 1;
            while (k <= length) {
                auto cellOf = [&](int p) { return across ? Cell{p, line} : Cell{line, p}; };
                if (!grid.isLetterCell(cellOf(k))) {
                    ++k;
                    continue;
                }
                int end = k;
                while (end + 1 <= length && grid.isLetterCell(cellOf(end + 1)))
                    ++end;
                if (end > k && starts[cellIndex(cellOf(k))] < 0) {
                    bool cluedInside = false;
                    for (int p = k + 1; p <= end && !cluedInside; ++p)
                        cluedInside = starts[cellIndex(cellOf(p))] >= 0;
                    if (!cluedInside)
                        problems.push_back(
                            {cellOf(k), QStringLiteral("Les lettres de %1 à %2 forment un mot "
                                                       "qu'aucune définition ne donne")
                                            .arg(cellName(cellOf(k)), cellName(cellOf(end)))});
                }
                k = end + 1;
            }
        }
    }

    for (int r = 1; r <= grid.rows(); ++r)
        for (int c = 1; c <= columns; ++c)
            if (grid.isLetterCell({c, r}) && !covered[cellIndex({c, r})])
                problems.push_back(
                    {{c, r},
                     QStringLiteral("La case %1 n'appartient à aucun mot").arg(cellName({c, r}))});

    std::stable_sort(
        problems.begin(), problems.end(), [](const LayoutProblem& a, const LayoutProblem& b) {
            return a.cell.row != b.cell.row ? a.cell.row < b.cell.row : a.cell.col < b.cell.col;
        });
    return problems;
}

} // namespace orv
