// Marks by propagation: each slot keeps its candidates as a bitset over its
// length's words; each cell keeps the letters still possible. A slot whose
// cell narrowed drops the words that no longer fit; a slot whose candidates
// changed narrows its crossing cells to the letters its words still put
// there. Small candidate sets are walked word by word, large ones a block
// of 64 words at a time.
#include "fill/grid_marks.h"

#include "dictionary/word_index.h"

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

constexpr std::uint32_t kAllLetters = (1u << 26) - 1;

struct Domain {
    int length = 0;
    bool alive = false;
    bool open = false; // had an empty cell and fitting words at the start
    bool queued = false;
    std::uint32_t dirty = 0; // positions whose cell narrowed since the last visit
    std::vector<std::uint64_t> bits;
    std::uint32_t from = 0; // blocks outside [from, to) are empty
    std::uint32_t to = 0;
    std::size_t size = 0;
    std::vector<int> cells;     // cell number per position
    std::vector<int> crossSlot; // crossing slot per position, or -1
    std::vector<int> crossPos;
    const char* text = nullptr; // the index's letters of this length
};

class Propagation {
public:
    Propagation(const Grille& grille, const GridSlots& slots, const WordIndex& index, int minScore)
        : grille_(grille), slots_(slots), index_(index), minScore_(minScore) {}

    GridMarks run();

private:
    void setUp();
    void visit(int s);
    void narrow(Domain& d, int position, std::uint32_t allowed);
    void trim(Domain& d);
    std::uint32_t support(const Domain& d, int position, std::uint32_t among) const;
    void enqueue(int s) {
        Domain& d = domains_[std::size_t(s)];
        if (!d.queued) {
            d.queued = true;
            queue_.push_back(s);
        }
    }
    int cellNumber(int col, int row) const { return (col - 1) * slots_.rows() + (row - 1); }

    const Grille& grille_;
    const GridSlots& slots_;
    const WordIndex& index_;
    int minScore_;
    std::vector<Domain> domains_;
    std::vector<std::uint32_t> masks_; // letters possible per cell
    std::vector<int> queue_;
    std::vector<std::uint64_t> scratch_;
};

void Propagation::setUp() {
    masks_.assign(std::size_t(slots_.columns()) * std::size_t(slots_.rows()), kAllLetters);
    for (int c = 1; c <= slots_.columns(); ++c)
        for (int r = 1; r <= slots_.rows(); ++r) {
            const char ch = grille_.cell(c, r);
            if (isLetterCell(ch))
                masks_[std::size_t(cellNumber(c, r))] = 1u << (ch - 'A');
        }
    domains_.resize(std::size_t(slots_.count()));
    for (int s = 0; s < slots_.count(); ++s) {
        const Slot& slot = slots_[s];
        Domain& d = domains_[std::size_t(s)];
        d.length = slot.length();
        for (const SlotCell& c : slot.cells)
            d.cells.push_back(cellNumber(c.col, c.row));
        d.crossSlot.assign(std::size_t(d.length), -1);
        d.crossPos.assign(std::size_t(d.length), 0);
        for (const SlotCrossing& x : slot.crossings) {
            d.crossSlot[std::size_t(x.position)] = x.other;
            d.crossPos[std::size_t(x.position)] = x.otherPosition;
        }
        if (d.length > WordIndex::kMaxLength)
            continue;
        const std::vector<std::uint32_t> ids =
            index_.candidates(slotPattern(grille_, slot), minScore_);
        if (ids.empty())
            continue;
        d.alive = true;
        d.open = slotPattern(grille_, slot).contains('.');
        d.text = index_.text(d.length);
        d.bits.assign(index_.blockCount(d.length), 0);
        for (const std::uint32_t id : ids)
            d.bits[id / 64] |= std::uint64_t(1) << (id % 64);
        d.from = ids.front() / 64;
        d.to = ids.back() / 64 + 1;
        d.size = ids.size();
    }
    for (int s = 0; s < slots_.count(); ++s)
        if (domains_[std::size_t(s)].alive)
            enqueue(s);
}

// Keeps only the words with an allowed letter at a position.
void Propagation::narrow(Domain& d, int position, std::uint32_t allowed) {
    const int kept = std::popcount(allowed);
    const std::size_t blockCost =
        std::size_t(d.to - d.from) * std::size_t(std::min(kept, 26 - kept));
    if (d.size <= blockCost) {
        const std::size_t L = std::size_t(d.length);
        for (std::uint32_t i = d.from; i < d.to; ++i)
            for (std::uint64_t x = d.bits[i]; x; x &= x - 1) {
                const std::uint32_t id = i * 64 + std::uint32_t(std::countr_zero(x));
                const int letter = d.text[id * L + std::size_t(position)] - 'A';
                if (!(allowed >> letter & 1))
                    d.bits[i] &= ~(std::uint64_t(1) << (id % 64));
            }
        return;
    }
    if (kept <= 13) {
        scratch_.assign(d.bits.size(), 0);
        for (std::uint32_t a = allowed; a; a &= a - 1) {
            const std::uint64_t* set = index_.letterBits(d.length, position, std::countr_zero(a));
            for (std::uint32_t i = d.from; i < d.to; ++i)
                scratch_[i] |= set[i];
        }
        for (std::uint32_t i = d.from; i < d.to; ++i)
            d.bits[i] &= scratch_[i];
    } else {
        for (std::uint32_t a = ~allowed & kAllLetters; a; a &= a - 1) {
            const std::uint64_t* set = index_.letterBits(d.length, position, std::countr_zero(a));
            for (std::uint32_t i = d.from; i < d.to; ++i)
                d.bits[i] &= ~set[i];
        }
    }
}

// Recounts the words and tightens the block range.
void Propagation::trim(Domain& d) {
    while (d.from < d.to && d.bits[d.from] == 0)
        ++d.from;
    while (d.to > d.from && d.bits[d.to - 1] == 0)
        --d.to;
    d.size = 0;
    for (std::uint32_t i = d.from; i < d.to; ++i)
        d.size += std::size_t(std::popcount(d.bits[i]));
    d.alive = d.size > 0;
}

// The letters among `among` that some candidate has at a position.
std::uint32_t Propagation::support(const Domain& d, int position, std::uint32_t among) const {
    std::uint32_t found = 0;
    const std::size_t blockCost = std::size_t(d.to - d.from) * std::size_t(std::popcount(among));
    if (d.size <= blockCost) {
        const std::size_t L = std::size_t(d.length);
        for (std::uint32_t i = d.from; i < d.to; ++i)
            for (std::uint64_t x = d.bits[i]; x; x &= x - 1) {
                const std::size_t id = std::size_t(i) * 64 + std::size_t(std::countr_zero(x));
                found |= 1u << (d.text[id * L + std::size_t(position)] - 'A');
                if (found == among)
                    return found;
            }
        return found & among;
    }
    for (std::uint32_t a = among; a; a &= a - 1) {
        const int letter = std::countr_zero(a);
        const std::uint64_t* set = index_.letterBits(d.length, position, letter);
        for (std::uint32_t i = d.from; i < d.to; ++i)
            if (d.bits[i] & set[i]) {
                found |= 1u << letter;
                break;
            }
    }
    return found;
}

void Propagation::visit(int s) {
    Domain& d = domains_[std::size_t(s)];
    d.queued = false;
    if (!d.alive)
        return;
    if (d.dirty) {
        for (std::uint32_t p = d.dirty; p; p &= p - 1) {
            const int position = std::countr_zero(p);
            narrow(d, position, masks_[std::size_t(d.cells[std::size_t(position)])]);
        }
        d.dirty = 0;
        trim(d);
        if (!d.alive)
            return;
    }
    for (int p = 0; p < d.length; ++p) {
        const int t = d.crossSlot[std::size_t(p)];
        if (t < 0 || !domains_[std::size_t(t)].alive)
            continue;
        std::uint32_t& mask = masks_[std::size_t(d.cells[std::size_t(p)])];
        if (std::popcount(mask) <= 1)
            continue;
        const std::uint32_t kept = support(d, p, mask);
        if (kept == mask)
            continue;
        mask = kept;
        domains_[std::size_t(t)].dirty |= 1u << d.crossPos[std::size_t(p)];
        enqueue(t);
    }
}

GridMarks Propagation::run() {
    setUp();
    for (std::size_t next = 0; next < queue_.size(); ++next)
        visit(queue_[next]);
    queue_.clear();

    GridMarks marks(slots_.columns(), slots_.rows());
    std::vector<int> emptied;
    for (int s = 0; s < slots_.count(); ++s) {
        const Domain& d = domains_[std::size_t(s)];
        if (d.open && !d.alive)
            emptied.push_back(s);
    }
    marks.setEmptiedSlots(std::move(emptied));
    for (int c = 1; c <= slots_.columns(); ++c)
        for (int r = 1; r <= slots_.rows(); ++r) {
            const char ch = grille_.cell(c, r);
            if (!isWhiteCell(ch) || isLetterCell(ch)) {
                marks.set(c, r, CellMark::None, isLetterCell(ch) ? 1u << (ch - 'A') : 0);
                continue;
            }
            std::uint32_t mask = masks_[std::size_t(cellNumber(c, r))];
            bool dead = false;
            int covering = 0;
            for (const SlotDirection dir : {SlotDirection::Horizontal, SlotDirection::Vertical}) {
                const int s = slots_.slotAt(c, r, dir);
                if (s < 0)
                    continue;
                ++covering;
                const Domain& d = domains_[std::size_t(s)];
                dead = dead || !d.alive;
            }
            if (!dead && covering == 1) {
                // A cell of one slot only: its letters were never narrowed
                // by a crossing, so they come from that slot's words now.
                const int s = std::max(slots_.slotAt(c, r, SlotDirection::Horizontal),
                                       slots_.slotAt(c, r, SlotDirection::Vertical));
                const Domain& d = domains_[std::size_t(s)];
                const Slot& slot = slots_[s];
                const int p = slot.direction == SlotDirection::Horizontal ? c - slot.cells[0].col
                                                                          : r - slot.cells[0].row;
                mask = support(d, p, mask);
            }
            if (dead)
                mask = 0;
            const int n = std::popcount(mask);
            marks.set(c, r,
                      covering == 0 ? CellMark::None
                      : n == 0      ? CellMark::Dead
                      : n == 1      ? CellMark::Forced
                                    : CellMark::None,
                      mask);
        }
    return marks;
}

} // namespace

GridMarks computeGridMarks(const Grille& grille, const GridSlots& slots, const WordIndex& index,
                           int minScore) {
    return Propagation(grille, slots, index, minScore).run();
}

} // namespace orv
