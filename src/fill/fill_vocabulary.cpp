// The vocabulary policy of the search: how much a word's score weighs in
// the value ordering, which words count as known (FillOptions::preferredScore),
// and the bound on the unknown words a fill may hold (the first run's demand,
// then, in the improvement of a fill, one fewer than the best fill so far).
// Which words may be placed at all (FillOptions::minScore, ::allowed) is the
// constraint core's domain.
#include "fill/fill_search.h"

#include <cmath>

namespace orv {

// Both tables at `bias` times the preference for scores (in the exponents):
// at 0 every word is alike, as without scores.
void FillSearch::setBias(double bias) {
    bias_ = bias;
    const FillOptions& o = options_;
    for (int s = 0; s <= 100; ++s) {
        const bool offBand = o.preferredScore > 0 && s < o.preferredScore;
        double factor = o.scoreWeight > 0 ? std::exp(bias * o.scoreWeight * (s - 50) / 10.0) : 1.0;
        if (offBand)
            factor *= std::pow(o.offBandFactor, bias);
        scoreFactor_[std::size_t(s)] = factor;
        valueBonus_[std::size_t(s)] =
            bias * (o.scoreWeight * s / 10.0 + (offBand ? 0.0 : o.preferredBonus));
    }
}

bool FillSearch::isUnknown(const Var& x, std::uint32_t id) const {
    return x.length >= 3 && x.scores[id] < knownScore_;
}

// Leaves the slot its known words only.
void FillSearch::keepKnownWords(int v) {
    Var& x = vars_[std::size_t(v)];
    if (x.length < 3 || (knownFirst_ && x.known == x.size))
        return;
    std::uint32_t size = x.size;
    std::uint32_t i = 0;
    while (i < size) {
        if (isUnknown(x, x.dom[i]))
            std::swap(x.dom[i], x.dom[--size]);
        else
            ++i;
    }
    if (size == x.size)
        return;
    core_.shrinkTo(v, size);
    x.needSupport = true;
    core_.enqueue(v);
}

// Once a fill is found, a later one must hold fewer unknown words: the slots
// down to an unknown word count against the bound, and so do the open slots
// left without a known word (counted only when the slots are chosen by their
// known words); when they reach it every other slot keeps its known words
// only.
bool FillSearch::withinBound() {
    if (unknownBound_ < 0)
        return true;
    for (;;) {
        int unknown = 0;
        for (const Var& x : vars_)
            unknown += x.frozen || x.size == 1 ? isUnknown(x, x.word()) : !knownLeft(x);
        if (unknown > unknownBound_)
            return false;
        if (unknown < unknownBound_)
            return true;
        bool narrowed = false;
        for (int v = 0; v < int(vars_.size()); ++v) {
            const Var& x = vars_[std::size_t(v)];
            if (!x.frozen && x.size > 1 && knownLeft(x)) {
                const std::uint32_t before = x.size;
                keepKnownWords(v);
                narrowed = narrowed || x.size != before;
            }
        }
        if (!narrowed)
            return true;
        if (!core_.propagate())
            return false;
    }
}

// The first run's demand on unknown words (FillOptions::firstRunUnknownShare),
// set on the root; false when there is none or the root cannot meet it.
bool FillSearch::demandFirstRun() {
    if (!knownFirst_ || options_.firstRunUnknownShare <= 0)
        return false;
    int slots = 0;
    for (const Var& x : vars_)
        slots += x.length >= 3;
    unknownBound_ = int(options_.firstRunUnknownShare * slots + 1e-9);
    if (core_.propagate() && withinBound())
        return true;
    core_.undo(rootMark_);
    unknownBound_ = -1;
    return false;
}

} // namespace orv
