// Slots found by one sweep of the rows and one of the columns.
#include "grid/grid_slots.h"

#include <algorithm>

namespace orv {

GridSlots::GridSlots(const Grille& grille)
    : columns_(grille.playingCols()), rows_(grille.playingRows()) {
    const std::size_t cells = std::size_t(columns_) * std::size_t(rows_);
    across_.assign(cells, -1);
    down_.assign(cells, -1);
    auto sweep = [&](SlotDirection direction, int lines, int along, std::vector<int>& owner) {
        for (int line = 1; line <= lines; ++line) {
            int ordinal = 0;
            int k = 1;
            while (k <= along) {
                auto cellOf = [&](int i) {
                    return direction == SlotDirection::Horizontal ? SlotCell{i, line}
                                                                  : SlotCell{line, i};
                };
                auto white = [&](int i) {
                    const SlotCell c = cellOf(i);
                    return isWhiteCell(grille.cell(c.col, c.row));
                };
                if (!white(k)) {
                    ++k;
                    continue;
                }
                int end = k;
                while (end + 1 <= along && white(end + 1))
                    ++end;
                if (end > k) {
                    Slot slot;
                    slot.direction = direction;
                    slot.line = line;
                    slot.ordinal = ordinal++;
                    for (int i = k; i <= end; ++i) {
                        const SlotCell c = cellOf(i);
                        slot.cells.push_back(c);
                        owner[std::size_t(c.col - 1) * std::size_t(rows_) +
                              std::size_t(c.row - 1)] = int(slots_.size());
                    }
                    slots_.push_back(std::move(slot));
                }
                k = end + 1;
            }
        }
    };
    sweep(SlotDirection::Horizontal, rows_, columns_, across_);
    sweep(SlotDirection::Vertical, columns_, rows_, down_);

    for (int s = 0; s < int(slots_.size()); ++s) {
        Slot& slot = slots_[std::size_t(s)];
        const SlotDirection other = slot.direction == SlotDirection::Horizontal
                                        ? SlotDirection::Vertical
                                        : SlotDirection::Horizontal;
        for (int p = 0; p < slot.length(); ++p) {
            const SlotCell c = slot.cells[std::size_t(p)];
            const int t = slotAt(c.col, c.row, other);
            if (t < 0)
                continue;
            const Slot& crossing = slots_[std::size_t(t)];
            const int q = other == SlotDirection::Vertical ? c.row - crossing.cells[0].row
                                                           : c.col - crossing.cells[0].col;
            slot.crossings.push_back({p, t, q});
        }
    }
}

int GridSlots::slotAt(int col, int row, SlotDirection direction) const {
    if (col < 1 || row < 1 || col > columns_ || row > rows_)
        return -1;
    const std::size_t i = std::size_t(col - 1) * std::size_t(rows_) + std::size_t(row - 1);
    return direction == SlotDirection::Horizontal ? across_[i] : down_[i];
}

QString slotName(const Slot& slot, LabelStyle style) {
    if (slot.direction == SlotDirection::Horizontal)
        return QStringLiteral("ligne %1").arg(rowLabel(slot.line, style));
    return QStringLiteral("colonne %1").arg(columnLabel(slot.line, style));
}

QByteArray slotPattern(const Grille& grille, const Slot& slot) {
    QByteArray pattern;
    pattern.reserve(slot.length());
    for (const SlotCell& c : slot.cells) {
        const char ch = grille.cell(c.col, c.row);
        pattern.append(isLetterCell(ch) ? ch : '.');
    }
    return pattern;
}

bool fitsPattern(QByteArrayView word, QByteArrayView pattern) {
    if (word.size() != pattern.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i)
        if (pattern[i] != '.' && pattern[i] != word[i])
            return false;
    return true;
}

Grille withWord(Grille grille, const Slot& slot, QByteArrayView word) {
    for (int p = 0; p < slot.length() && p < word.size(); ++p)
        grille.cell(slot.cells[std::size_t(p)].col, slot.cells[std::size_t(p)].row) = word[p];
    return grille;
}

} // namespace orv
