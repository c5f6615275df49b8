// Marks by the constraint core's propagation, in the mode where an emptied
// slot stops constraining its crossings.
#include "fill/grid_marks.h"

#include "dictionary/word_index.h"
#include "fill/constraint_core.h"

#include <algorithm>
#include <bit>

namespace orv {

GridMarks::GridMarks(int columns, int rows)
    : columns_(columns), rows_(rows), marks_(std::size_t(columns) * std::size_t(rows)),
      letters_(std::size_t(columns) * std::size_t(rows), 0) {}

CellMark GridMarks::mark(int col, int row) const {
    return inside(col, row) ? marks_[at(col, row)] : CellMark::None;
}

char GridMarks::forcedLetter(int col, int row) const {
    if (mark(col, row) != CellMark::Forced)
        return 0;
    return char('A' + std::countr_zero(letters_[at(col, row)]));
}

std::uint32_t GridMarks::letters(int col, int row) const {
    return inside(col, row) ? letters_[at(col, row)] : 0;
}

int GridMarks::deadCount() const {
    return int(std::count(marks_.begin(), marks_.end(), CellMark::Dead));
}

int GridMarks::forcedCount() const {
    return int(std::count(marks_.begin(), marks_.end(), CellMark::Forced));
}

void GridMarks::set(int col, int row, CellMark mark, std::uint32_t letters) {
    if (!inside(col, row))
        return;
    marks_[at(col, row)] = mark;
    letters_[at(col, row)] = letters;
}

namespace {

// The letters the propagated core leaves an empty cell: none when a slot
// through it was emptied; for a cell of one slot only (never narrowed by a
// crossing), the letters that slot's words still put there.
std::uint32_t cellLetters(const ConstraintCore& core, const GridSlots& slots, int c, int r) {
    std::uint32_t mask = core.cellMask(c, r);
    int covering = 0;
    int only = ConstraintCore::kNoVar;
    int position = 0;
    for (const SlotDirection dir : {SlotDirection::Horizontal, SlotDirection::Vertical}) {
        const int s = slots.slotAt(c, r, dir);
        if (s < 0)
            continue;
        ++covering;
        const int v = core.varOfSlot(s);
        if (v == ConstraintCore::kNoVar || core.var(v).emptied)
            return 0;
        const Slot& slot = slots[s];
        only = v;
        position = dir == SlotDirection::Horizontal ? c - slot.cells[0].col : r - slot.cells[0].row;
    }
    if (covering == 1)
        mask &= core.letterSupport(only, position);
    return mask;
}

} // namespace

GridMarks computeGridMarks(const Grille& grille, const GridSlots& slots, const WordIndex& index,
                           int minScore) {
    ConstraintCore::Settings settings;
    settings.minScore = minScore;
    settings.allDifferent = false;
    settings.keepEmptied = true;
    settings.lazyIds = true;
    ConstraintCore core(grille, slots, index, std::move(settings));
    core.propagate();

    GridMarks marks(slots.columns(), slots.rows());
    std::vector<int> emptied;
    for (int s = 0; s < slots.count(); ++s) {
        const int v = core.varOfSlot(s);
        if (v != ConstraintCore::kNoVar && core.var(v).emptied &&
            index.count(slotPattern(grille, slots[s]), minScore) > 0)
            emptied.push_back(s);
    }
    marks.setEmptiedSlots(std::move(emptied));
    for (int c = 1; c <= slots.columns(); ++c)
        for (int r = 1; r <= slots.rows(); ++r) {
            const char ch = grille.cell(c, r);
            if (!isWhiteCell(ch) || isLetterCell(ch)) {
                marks.set(c, r, CellMark::None, isLetterCell(ch) ? 1u << (ch - 'A') : 0);
                continue;
            }
            const std::uint32_t mask = cellLetters(core, slots, c, r);
            const int n = std::popcount(mask);
            const bool covered = slots.slotAt(c, r, SlotDirection::Horizontal) >= 0 ||
                                 slots.slotAt(c, r, SlotDirection::Vertical) >= 0;
            marks.set(c, r,
                      !covered ? CellMark::None
                      : n == 0 ? CellMark::Dead
                      : n == 1 ? CellMark::Forced
                               : CellMark::None,
                      mask);
        }
    return marks;
}

} // namespace orv
