#include "fill/constraint_core.h"

#include "dictionary/word_index.h"

#include <algorithm>
#include <bit>

namespace orv {
namespace {

// Above one live word per this many bits, a domain is filtered by blocks.
constexpr std::size_t kDenseRatio = 4;

} // namespace

ConstraintCore::ConstraintCore(const Grille& grille, const GridSlots& slots, const WordIndex& index,
                               Settings settings)
    : slots_(slots), index_(index), settings_(std::move(settings)) {
    setUp(grille);
}

// One variable per slot with an empty cell; the words of the full slots
// held as fixed; every domain from the index's pattern search, less the
// fixed words and the words not allowed.
void ConstraintCore::setUp(const Grille& grille) {
    const int L = WordIndex::kMaxLength;
    // Without the all-different rule no word is ever held: the marks, which
    // are worked out after each change of the grid, skip that table.
    usedBy_.resize(std::size_t(L) + 1);
    if (settings_.allDifferent)
        for (int len = WordIndex::kMinLength; len <= L; ++len)
            usedBy_[std::size_t(len)].assign(index_.idCount(len), kNoVar);

    cellOf_.assign(std::size_t(kCellSide) * kCellSide, -1);
    auto cellNumber = [&](const SlotCell& c) {
        int& n = cellOf_[std::size_t(c.col) * kCellSide + std::size_t(c.row)];
        if (n < 0) {
            n = int(masks_.size());
            const char ch = grille.cell(c.col, c.row);
            masks_.push_back(isLetterCell(ch) ? 1u << (ch - 'A') : kAllLetters);
            cellPlace_.push_back(c);
        }
        return n;
    };
    varOfSlot_.assign(std::size_t(slots_.count()), kNoVar);
    std::vector<QByteArray> patterns(std::size_t(slots_.count()));
    for (int s = 0; s < slots_.count(); ++s) {
        const Slot& slot = slots_[s];
        const QByteArray& pattern = patterns[std::size_t(s)] = slotPattern(grille, slot);
        if (!pattern.contains('.')) {
            const std::int64_t id = index_.find(pattern);
            if (settings_.allDifferent && id >= 0 &&
                index_.isLive(slot.length(), std::uint32_t(id)))
                usedBy_[std::size_t(slot.length())][std::size_t(id)] = kFixedWord;
            continue;
        }
        CoreVar x;
        x.slot = s;
        x.length = slot.length();
        for (const SlotCell& c : slot.cells)
            x.cells.push_back(cellNumber(c));
        x.crossVar.assign(std::size_t(x.length), kNoVar);
        x.crossPos.assign(std::size_t(x.length), 0);
        varOfSlot_[std::size_t(s)] = int(vars_.size());
        vars_.push_back(std::move(x));
    }
    for (CoreVar& x : vars_)
        for (const SlotCrossing& c : slots_[x.slot].crossings) {
            const int u = varOfSlot_[std::size_t(c.other)];
            if (u == kNoVar)
                continue;
            x.crossVar[std::size_t(c.position)] = u;
            x.crossPos[std::size_t(c.position)] = c.otherPosition;
        }
    support_.resize(std::size_t(L));
    for (int v = 0; v < int(vars_.size()); ++v) {
        CoreVar& x = vars_[std::size_t(v)];
        const std::size_t fitting =
            index_.candidateBits(patterns[std::size_t(x.slot)], settings_.minScore, x.bits);
        const bool filtered = settings_.allDifferent || bool(settings_.allowed);
        x.size = std::uint32_t(fitting);
        if (fitting > 0 && settings_.lazyIds && !filtered &&
            fitting >= x.bits.size() * kDenseRatio) {
            x.stale = true;
        } else if (fitting > 0) {
            // The ids in increasing order, less the fixed words and the words
            // not allowed.
            x.dom.reserve(fitting);
            for (std::size_t b = 0; b < x.bits.size(); ++b)
                for (std::uint64_t y = x.bits[b]; y; y &= y - 1) {
                    const std::uint32_t id =
                        std::uint32_t(b * 64) + std::uint32_t(std::countr_zero(y));
                    if (filtered && ((settings_.allDifferent &&
                                      usedBy_[std::size_t(x.length)][id] == kFixedWord) ||
                                     (settings_.allowed && !settings_.allowed(x.length, id)))) {
                        x.bits[b] &= ~(std::uint64_t(1) << (id % 64));
                        continue;
                    }
                    x.dom.push_back(id);
                }
            x.size = std::uint32_t(x.dom.size());
        }
        if (x.size == 0) {
            // Longer than any word, or no word fits.
            x.bits.clear();
            if (blocked_ == kNoVar)
                blocked_ = v;
            x.emptied = settings_.keepEmptied;
            continue;
        }
        x.text = index_.text(x.length);
        x.scores = index_.scores(x.length);
        if (settings_.scores && std::size_t(x.length) < settings_.scores->size() &&
            !(*settings_.scores)[std::size_t(x.length)].empty())
            x.scores = (*settings_.scores)[std::size_t(x.length)].data();
        countKnown(x);
        enqueue(v);
    }
}

std::uint32_t ConstraintCore::cellMask(int col, int row) const {
    const int n = cellOf_[std::size_t(col) * kCellSide + std::size_t(row)];
    return n < 0 ? kAllLetters : masks_[std::size_t(n)];
}

void ConstraintCore::countKnown(CoreVar& x) const {
    if (!x.stale) {
        x.known = knownAmong(x, 0, x.size);
        return;
    }
    const int score = settings_.knownScore;
    x.known = 0;
    if (score > 0)
        for (std::size_t b = 0; b < x.bits.size(); ++b)
            for (std::uint64_t y = x.bits[b]; y; y &= y - 1)
                x.known += x.scores[b * 64 + std::size_t(std::countr_zero(y))] >= score;
}

// Lays the ids of a domain kept as bits alone out in dom, in increasing order.
void ConstraintCore::layOut(CoreVar& x) {
    x.dom.clear();
    x.dom.reserve(x.size);
    for (std::size_t b = 0; b < x.bits.size(); ++b)
        for (std::uint64_t y = x.bits[b]; y; y &= y - 1)
            x.dom.push_back(std::uint32_t(b * 64) + std::uint32_t(std::countr_zero(y)));
    x.stale = false;
}

void ConstraintCore::enqueue(int v) {
    CoreVar& x = vars_[std::size_t(v)];
    if (!x.queued) {
        x.queued = true;
        queue_.push_back(v);
    }
}

void ConstraintCore::clearQueue() {
    for (int v : queue_) {
        vars_[std::size_t(v)].queued = false;
        vars_[std::size_t(v)].dirty = 0;
    }
    queue_.clear();
}

void ConstraintCore::setMask(int cell, std::uint32_t mask) {
    trail_.push_back({TrailEntry::Mask, cell, masks_[std::size_t(cell)]});
    masks_[std::size_t(cell)] = mask;
}

void ConstraintCore::narrowCrossing(const CoreVar& x, int p, std::uint32_t mask) {
    setMask(x.cells[std::size_t(p)], mask);
    const int u = x.crossVar[std::size_t(p)];
    vars_[std::size_t(u)].dirty |= 1u << x.crossPos[std::size_t(p)];
    enqueue(u);
}

// The words at places [size, x.size) leave the live part.
void ConstraintCore::shrinkTo(int v, std::uint32_t size) {
    CoreVar& x = vars_[std::size_t(v)];
    const int score = settings_.knownScore; // read once: see knownAmong
    std::uint32_t known = 0;
    for (std::uint32_t i = size; i < x.size; ++i) {
        x.bits[x.dom[i] / 64] &= ~(std::uint64_t(1) << (x.dom[i] % 64));
        known += score > 0 && x.scores[x.dom[i]] >= score;
    }
    x.known -= known;
    trail_.push_back({TrailEntry::Size, v, x.size});
    x.size = size;
}

// The known words at places [from, to) of x's domain. The score is read
// once, into a local: in a loop that adds to CoreVar::known (an unsigned
// int), the compiler must otherwise read Settings::knownScore (an int, which
// it may alias) again at each word.
std::uint32_t ConstraintCore::knownAmong(const CoreVar& x, std::uint32_t from,
                                         std::uint32_t to) const {
    const int score = settings_.knownScore;
    if (score <= 0)
        return 0;
    std::uint32_t n = 0;
    for (std::uint32_t i = from; i < to; ++i)
        n += x.scores[x.dom[i]] >= score;
    return n;
}

// Removes the word at place i of the live part.
void ConstraintCore::removeAt(int v, std::uint32_t i) {
    CoreVar& x = vars_[std::size_t(v)];
    std::swap(x.dom[i], x.dom[x.size - 1]);
    shrinkTo(v, x.size - 1);
}

void ConstraintCore::removeWord(int v, std::uint32_t word) {
    CoreVar& x = vars_[std::size_t(v)];
    for (std::uint32_t i = 0; i < x.size; ++i)
        if (x.dom[i] == word) {
            removeAt(v, i);
            break;
        }
    x.needSupport = true;
    enqueue(v);
}

void ConstraintCore::assign(int v, std::uint32_t at) {
    CoreVar& x = vars_[std::size_t(v)];
    std::swap(x.dom[0], x.dom[at]);
    shrinkTo(v, 1);
    x.needSupport = true;
    enqueue(v);
}

bool ConstraintCore::hold(int v, std::uint32_t word) {
    const CoreVar& x = vars_[std::size_t(v)];
    int& owner = usedBy_[std::size_t(x.length)][word];
    if (owner == v)
        return true;
    if (owner != kNoVar)
        return false;
    trail_.push_back({TrailEntry::Used, x.length, word});
    owner = v;
    return true;
}

// All-different: a variable down to one word holds it, and no other slot
// may then hold it.
bool ConstraintCore::markUsed(int v) {
    const CoreVar& x = vars_[std::size_t(v)];
    const std::uint32_t word = x.dom[0];
    if (holder(x.length, word) == v)
        return true;
    if (!hold(v, word))
        return false;
    return !watcher_ || watcher_->held(v, word);
}

void ConstraintCore::undo(std::size_t mark) {
    while (trail_.size() > mark) {
        const TrailEntry e = trail_.back();
        trail_.pop_back();
        switch (e.kind) {
        case TrailEntry::Size: {
            CoreVar& x = vars_[std::size_t(e.who)];
            const int score = settings_.knownScore;
            std::uint32_t known = 0;
            for (std::uint32_t i = x.size; i < e.old; ++i) {
                x.bits[x.dom[i] / 64] |= std::uint64_t(1) << (x.dom[i] % 64);
                known += score > 0 && x.scores[x.dom[i]] >= score;
            }
            x.known += known;
            x.size = e.old;
            break;
        }
        case TrailEntry::Mask:
            masks_[std::size_t(e.who)] = e.old;
            break;
        case TrailEntry::Used:
            usedBy_[std::size_t(e.who)][e.old] = kNoVar;
            break;
        case TrailEntry::Emptied:
            vars_[std::size_t(e.who)].emptied = false;
            break;
        }
    }
    clearQueue();
}

// A slot ran out of words: it and its crossings weigh more for dom/wdeg.
void ConstraintCore::blame(int v) {
    CoreVar& x = vars_[std::size_t(v)];
    x.weight += 1;
    for (int u : x.crossVar)
        if (u != kNoVar)
            vars_[std::size_t(u)].weight += 0.5;
}

// Under keepEmptied: the slot keeps no word and leaves its crossings alone.
void ConstraintCore::empty(int v) {
    CoreVar& x = vars_[std::size_t(v)];
    if (x.stale) {
        std::fill(x.bits.begin(), x.bits.end(), 0);
        x.size = 0;
        x.known = 0;
    } else {
        shrinkTo(v, 0);
    }
    trail_.push_back({TrailEntry::Emptied, v, 0});
    vars_[std::size_t(v)].emptied = true;
}

// Whether some live word has the letter at the position, by bitsets.
bool ConstraintCore::hasLetter(const CoreVar& x, int position, int letter) const {
    const std::uint64_t* b = index_.letterBits(x.length, position, letter);
    const auto [from, to] = index_.letterBlocks(x.length, position, letter);
    for (std::size_t i = from; i < std::min<std::size_t>(to, x.bits.size()); ++i)
        if (x.bits[i] & b[i])
            return true;
    return false;
}

std::uint32_t ConstraintCore::letterSupport(int v, int position) const {
    const CoreVar& x = vars_[std::size_t(v)];
    std::uint32_t found = 0;
    if (!x.stale && x.size <= x.bits.size() * kDenseRatio) {
        for (std::uint32_t i = 0; i < x.size && found != kAllLetters; ++i)
            found |= 1u << (x.wordText(x.dom[i])[position] - 'A');
        return found;
    }
    for (int letter = 0; letter < 26; ++letter)
        if (hasLetter(x, position, letter))
            found |= 1u << letter;
    return found;
}

// Filters a large set a block at a time with the index's bitsets, then lays
// the live part out again: kept words first, removed ones after them (a
// permutation of the live part, so the sizes recorded earlier stay valid).
bool ConstraintCore::filterBlocks(int v, const int* positions, const std::uint32_t* allowed,
                                  int n) {
    CoreVar& x = vars_[std::size_t(v)];
    const std::size_t blocks = x.bits.size();
    std::vector<std::uint64_t>& keep = scratchBits_;
    keep.assign(x.bits.begin(), x.bits.end());
    for (int k = 0; k < n; ++k) {
        const std::uint32_t mask = allowed[k];
        const int count = std::popcount(mask);
        const bool byMissing = count > 13;
        const std::uint32_t letters = byMissing ? ~mask & kAllLetters : mask;
        const std::uint64_t* sets[26];
        int m = 0;
        for (std::uint32_t l = letters; l; l &= l - 1)
            sets[m++] = index_.letterBits(x.length, positions[k], std::countr_zero(l));
        for (std::size_t b = 0; b < blocks; ++b) {
            if (!keep[b])
                continue;
            std::uint64_t any = 0;
            for (int j = 0; j < m; ++j)
                any |= sets[j][b];
            keep[b] &= byMissing ? ~any : any;
        }
    }
    std::uint32_t kept = 0;
    for (std::size_t b = 0; b < blocks; ++b)
        kept += std::uint32_t(std::popcount(keep[b]));
    if (kept == x.size)
        return false;
    keepOnly(v, keep);
    return true;
}

// Lays the live part out again, the words of `keep` (a subset of the live
// ones) first and the others after them, and keeps only the first.
void ConstraintCore::keepOnly(int v, std::vector<std::uint64_t>& keep) {
    CoreVar& x = vars_[std::size_t(v)];
    const std::size_t blocks = x.bits.size();
    std::uint32_t kept = 0;
    for (std::size_t b = 0; b < blocks; ++b)
        kept += std::uint32_t(std::popcount(keep[b]));
    if (x.stale) {
        // Nothing to undo: the bits are the domain.
        x.bits.swap(keep);
        x.size = kept;
        countKnown(x);
        if (kept < blocks * kDenseRatio)
            layOut(x);
        return;
    }
    std::uint32_t front = 0;
    std::uint32_t back = kept;
    std::uint32_t* dom = x.dom.data();
    const int score = settings_.knownScore;
    std::uint32_t known = 0;
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::uint64_t in = keep[b];
        for (std::uint64_t y = in; y; y &= y - 1) {
            const std::uint32_t id = std::uint32_t(b * 64) + std::uint32_t(std::countr_zero(y));
            dom[front++] = id;
            known += score > 0 && x.scores[id] >= score;
        }
        for (std::uint64_t y = x.bits[b] & ~in; y; y &= y - 1)
            dom[back++] = std::uint32_t(b * 64) + std::uint32_t(std::countr_zero(y));
    }
    x.known = known;
    trail_.push_back({TrailEntry::Size, v, x.size});
    x.size = kept;
    x.bits.swap(keep);
}

// Drops the words that the narrowed cells of v exclude; true when some went.
bool ConstraintCore::filterWords(int v) {
    CoreVar& x = vars_[std::size_t(v)];
    const std::uint32_t dirty = x.dirty;
    x.dirty = 0;
    int positions[WordIndex::kMaxLength];
    std::uint32_t allowed[WordIndex::kMaxLength];
    int n = 0;
    for (int p = 0; p < x.length; ++p)
        if (dirty >> p & 1) {
            positions[n] = p;
            allowed[n++] = masks_[std::size_t(x.cells[std::size_t(p)])];
        }
    std::uint32_t size = x.size;
    if (size >= x.bits.size() * kDenseRatio)
        return filterBlocks(v, positions, allowed, n);
    std::uint32_t* dom = x.dom.data();
    std::uint32_t i = 0;
    while (i < size) {
        const char* w = x.wordText(dom[i]);
        bool fits = true;
        for (int k = 0; k < n && fits; ++k)
            fits = allowed[k] >> (w[positions[k]] - 'A') & 1;
        if (fits)
            ++i;
        else
            std::swap(dom[i], dom[--size]);
    }
    if (size == x.size)
        return false;
    shrinkTo(v, size);
    return true;
}

// Narrows the cells v shares with its crossings to the letters that v's
// live words still put there, and queues the crossings so narrowed.
bool ConstraintCore::supportCrossings(int v) {
    CoreVar& x = vars_[std::size_t(v)];
    std::uint32_t* sup = support_.data();
    std::uint32_t want[WordIndex::kMaxLength];
    int crossed[WordIndex::kMaxLength];
    int n = 0;
    const bool skipEmptied = settings_.keepEmptied;
    for (int p = 0; p < x.length; ++p) {
        const int u = x.crossVar[std::size_t(p)];
        if (u != kNoVar && !(skipEmptied && vars_[std::size_t(u)].emptied)) {
            crossed[n] = p;
            want[n] = masks_[std::size_t(x.cells[std::size_t(p)])];
            sup[n++] = 0;
        }
    }
    if (n == 0)
        return true;
    // Stops as soon as every crossing letter still allowed is supported; a
    // large set looks for the rare letters with the bitsets.
    const std::uint32_t size = x.size;
    const bool dense = size >= x.bits.size() * kDenseRatio;
    const std::uint32_t scan = dense ? std::min<std::uint32_t>(size, 256) : size;
    // Takes the i-th word scanned; true when every letter wanted is supported.
    auto take = [&](std::uint32_t i, std::uint32_t id) {
        const char* w = x.wordText(id);
        for (int k = 0; k < n; ++k)
            sup[k] |= 1u << (w[crossed[k]] - 'A');
        if ((i & 31) != 31)
            return false;
        bool full = true;
        for (int k = 0; k < n && full; ++k)
            full = (sup[k] & want[k]) == want[k];
        return full;
    };
    if (x.stale) {
        // The first live words by their bits (a stale domain is a large one).
        std::uint32_t i = 0;
        for (std::size_t b = 0; b < x.bits.size() && i < scan; ++b)
            for (std::uint64_t y = x.bits[b]; y && i < scan; y &= y - 1, ++i)
                if (take(i, std::uint32_t(b * 64) + std::uint32_t(std::countr_zero(y))))
                    return true;
    } else {
        for (std::uint32_t i = 0; i < scan; ++i)
            if (take(i, x.dom[i]))
                return true;
    }
    if (scan < size)
        for (int k = 0; k < n; ++k)
            for (std::uint32_t l = want[k] & ~sup[k]; l; l &= l - 1)
                if (hasLetter(x, crossed[k], std::countr_zero(l)))
                    sup[k] |= l & -l;
    for (int k = 0; k < n; ++k) {
        const std::uint32_t narrowed = want[k] & sup[k];
        if (narrowed != want[k])
            narrowCrossing(x, crossed[k], narrowed);
    }
    return true;
}

// One revision of v (the arc-consistency step): its words against its
// cells, then its crossing cells against its words.
bool ConstraintCore::revise(int v) {
    CoreVar& x = vars_[std::size_t(v)];
    if (x.emptied)
        return true;
    if (x.dirty && filterWords(v))
        x.needSupport = true;
    if (x.size == 0 || (x.size == 1 && settings_.allDifferent && !markUsed(v))) {
        if (settings_.keepEmptied) {
            empty(v);
            return true;
        }
        blame(v);
        return false;
    }
    if (!x.needSupport)
        return true;
    x.needSupport = false;
    return supportCrossings(v);
}

// The marks revise the slots in the order they were queued: which slots
// empty first, and so stop constraining the others, depends on the order,
// and this one spreads the emptiness least in practice.
void ConstraintCore::propagateInOrder() {
    for (std::size_t next = 0; next < queue_.size(); ++next) {
        const int v = queue_[next];
        vars_[std::size_t(v)].queued = false;
        ++revisions_;
        revise(v);
    }
    queue_.clear();
}

bool ConstraintCore::propagate() {
    if (settings_.keepEmptied) {
        propagateInOrder();
        return true;
    }
    while (!queue_.empty()) {
        // Short domains first: they fail or narrow the most cheaply.
        std::size_t best = 0;
        for (std::size_t i = 1; i < queue_.size(); ++i)
            if (vars_[std::size_t(queue_[i])].size < vars_[std::size_t(queue_[best])].size)
                best = i;
        const int v = queue_[best];
        queue_[best] = queue_.back();
        queue_.pop_back();
        vars_[std::size_t(v)].queued = false;
        ++revisions_;
        if (!revise(v)) {
            clearQueue();
            return false;
        }
    }
    return true;
}

} // namespace orv
