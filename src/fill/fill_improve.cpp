// The improvement of a fill by large-neighbourhood search: around each
// unknown word of the best fill so far, the part of the grid within a few
// cells is searched again (its slots open, their domains taken afresh from
// the index with the letters of the slots kept), the rest frozen with its
// words, for a fill of that part with fewer unknown words; when no part does
// better, the parts widen.
#include "fill/fill_search.h"

#include "dictionary/word_index.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace orv {
namespace {

// How far around an unknown word the grid is searched again at first (in
// cells; at most FillOptions::improveMaxDistance), and what setting up a
// part costs, counted as revisions.
constexpr int kImproveDistance = 1;
constexpr std::uint64_t kPartRevisions = 20;

} // namespace

bool FillSearch::improving() const {
    return options_.preferredScore > 0 && options_.improveEffort > 0;
}

// Slot v keeps `word` while a part of the grid is searched again: the word
// is held, and the cells it crosses in open slots take its letters.
bool FillSearch::freeze(int v, std::uint32_t word) {
    Var& x = vars_[std::size_t(v)];
    if (!core_.hold(v, word))
        return false;
    x.frozen = true;
    x.frozenWord = word;
    const char* w = x.wordText(word);
    for (int p = 0; p < x.length; ++p) {
        const int u = x.crossVar[std::size_t(p)];
        if (u == kNoVar || vars_[std::size_t(u)].frozen)
            continue;
        const std::uint32_t letter = 1u << (w[p] - 'A');
        const std::uint32_t mask = core_.mask(x.cells[std::size_t(p)]);
        if (!(mask & letter))
            return false;
        if (mask != letter)
            core_.narrowCrossing(x, p, letter);
    }
    return true;
}

// An open slot starts from the words that fit the letters of the slots
// kept, taken a block at a time from the index's bitsets rather than by
// filtering its whole list, which the search puts back afterwards.
void FillSearch::narrowOpen(int v) {
    Var& x = vars_[std::size_t(v)];
    std::vector<std::uint64_t> keep = x.bits;
    for (int p = 0; p < x.length; ++p) {
        const std::uint32_t mask = core_.mask(x.cells[std::size_t(p)]);
        if (std::popcount(mask) != 1)
            continue;
        const std::uint64_t* b = index_.letterBits(x.length, p, std::countr_zero(mask));
        for (std::size_t i = 0; i < keep.size(); ++i)
            keep[i] &= b[i];
    }
    std::vector<std::uint32_t> dom;
    for (std::size_t b = 0; b < keep.size(); ++b)
        for (std::uint64_t y = keep[b]; y; y &= y - 1)
            dom.push_back(std::uint32_t(b * 64) + std::uint32_t(std::countr_zero(y)));
    stash_.push_back({v, std::move(x.dom), x.size, std::move(x.bits), x.known});
    x.size = std::uint32_t(dom.size());
    x.dom = std::move(dom);
    core_.countKnown(x);
    x.bits = std::move(keep);
    x.needSupport = true;
    core_.enqueue(v);
}

void FillSearch::restoreOpen() {
    for (Stashed& st : stash_) {
        Var& x = vars_[std::size_t(st.v)];
        x.dom = std::move(st.dom);
        x.size = st.size;
        x.bits = std::move(st.bits);
        x.known = st.known;
        x.needSupport = true;
    }
    stash_.clear();
}

// Opens the slots that pass within `distance` cells of slot u.
void FillSearch::markNear(int u, int distance, std::vector<char>& open) const {
    const Var& x = vars_[std::size_t(u)];
    auto near = [&](int a) {
        const SlotCell ca = core_.cellPlace(a);
        for (int b : x.cells) {
            const SlotCell cb = core_.cellPlace(b);
            if (std::abs(ca.col - cb.col) <= distance && std::abs(ca.row - cb.row) <= distance)
                return true;
        }
        return false;
    };
    for (std::size_t v = 0; v < vars_.size(); ++v)
        if (!open[v] && std::any_of(vars_[v].cells.begin(), vars_[v].cells.end(), near))
            open[v] = 1;
}

// Searches again the part within `distance` cells of slot u, the others
// keeping their words of `best`, for a fill with fewer than `unknown`
// unknown words; true when one was found (the slots then hold it). The
// caller undoes the part afterwards.
bool FillSearch::improvePart(int u, int distance, int unknown,
                             const std::vector<std::uint32_t>& best, RunEnd& end) {
    std::vector<char> open(vars_.size(), 0);
    markNear(u, distance, open);
    unknownBound_ = unknown - 1;
    for (std::size_t v = 0; v < vars_.size(); ++v)
        vars_[v].frozen = !open[v];
    end = RunEnd::Exhausted;
    for (int v = 0; v < int(vars_.size()); ++v)
        if (!open[std::size_t(v)] && !freeze(v, best[std::size_t(v)]))
            return false;
    for (int v = 0; v < int(vars_.size()); ++v)
        if (open[std::size_t(v)] && vars_[std::size_t(v)].size > 1)
            narrowOpen(v);
    if (core_.propagate() && withinBound())
        end = search(std::max<std::uint64_t>(1, options_.improvePartFailures));
    return end == RunEnd::Solved;
}

// The search for a better fill, within a budget of revisions
// (FillOptions::improveEffort per unknown word, at least
// FillOptions::improveWorkShare of the fill's own work).
void FillSearch::improve(FillResult& result) {
    std::vector<std::uint32_t> best(vars_.size());
    int unknown = 0;
    auto takeBest = [&] {
        unknown = 0;
        for (std::size_t v = 0; v < vars_.size(); ++v) {
            best[v] = vars_[v].word();
            unknown += isUnknown(vars_[v], best[v]);
        }
    };
    takeBest();
    if (unknown == 0)
        return;
    // The core's revisions so far are the fill's work.
    const std::uint64_t work = core_.revisions();
    improveEnd_ = work + std::max(options_.improveEffort * std::uint64_t(unknown),
                                  std::uint64_t(options_.improveWorkShare * double(work)));
    setBias(1);
    core_.undo(rootMark_);
    improvingNow_ = true;
    const std::size_t base = core_.mark();
    const std::size_t root = rootMark_;
    std::vector<int> order;
    int distance = kImproveDistance;
    while (unknown > 0) {
        order.clear();
        for (int v = 0; v < int(vars_.size()); ++v)
            if (isUnknown(vars_[std::size_t(v)], best[std::size_t(v)]))
                order.push_back(v);
        std::shuffle(order.begin(), order.end(), rng_);
        bool better = false;
        for (int u : order) {
            core_.addRevisions(kPartRevisions);
            if (core_.revisions() >= improveEnd_)
                return;
            RunEnd end = RunEnd::Exhausted;
            better = improvePart(u, distance, unknown, best, end);
            if (better) {
                writeWords(result.grille);
                takeBest();
            }
            core_.undo(base);
            restoreOpen();
            rootMark_ = root;
            for (Var& x : vars_)
                x.frozen = false;
            if (end == RunEnd::Stopped || end == RunEnd::TimedOut || end == RunEnd::BudgetSpent)
                return;
            if (better)
                break;
        }
        if (!better && ++distance > options_.improveMaxDistance)
            return;
    }
}

} // namespace orv
