#include "fill/fill_request.h"

#include "dictionary/word_index.h"
#include "fill/fill_scores.h"
#include "fill/fill_search.h"

#include <algorithm>

namespace orv {

FillOptions fillOptions(const FillRequest& request) {
    FillOptions o;
    o.minScore = request.minScore;
    o.scoreWeight = request.scoreWeight;
    o.seed = request.seed;
    o.timeLimitSeconds = request.timeLimitSeconds;
    o.threads = request.threads;
    o.maxFailures = request.maxFailures;
    o.allowed = request.allowed;
    o.accept = request.accept;
    o.stop = request.stop;
    o.progress = request.progress;
    return o;
}

FillResult fill(const Grille& grille, const WordIndex& index, const FillRequest& request) {
    const FillOptions options = fillOptions(request);
    const bool thorough = request.effort == FillEffort::Thorough;
    const ImproveEffort improve = thorough ? kThoroughImprove : ImproveEffort{};
    if (request.classes) {
        const QualityEffort quality = request.effort == FillEffort::None ? QualityEffort{0, 0, 0}
                                      : thorough                         ? kThoroughQuality
                                                                         : kFillQuality;
        return fillForQuality(grille, *request.classes, options, request.preferredScore, improve,
                              quality);
    }
    // Without a band of known words above the floor, one plain fill.
    return fillPreferringKnownWords(grille, index, options, request.preferredScore,
                                    kPreferredFailures, improve);
}

PreparedFill::PreparedFill(const Grille& grille, const WordIndex& index, const FillRequest& request)
    : grille_(grille), slots_(grille_), index_(index), request_(request),
      options_(fillOptions(request)) {
    if (request.classes || request.preferredScore > request.minScore ||
        fillThreads(request.threads) != 1)
        return;
    search_ = std::make_unique<FillSearch>(grille_, index_, options_);
    noFill_ = !search_->prepare();
    const ConstraintCore& core = search_->core();
    for (const CoreVar& x : core.vars()) {
        int empty = 0;
        for (int c : x.cells) {
            const SlotCell place = core.cellPlace(c);
            empty += !isLetterCell(grille_.cell(place.col, place.row));
        }
        emptyCells_.push_back(empty);
    }
}

PreparedFill::~PreparedFill() = default;

// Whether the word was among the candidates of a slot of its length before
// any propagation: found, live, scoring enough, allowed, in no full slot.
bool PreparedFill::candidate(int length, const QByteArray& word, std::uint32_t& id) const {
    const std::int64_t found = index_.find(word);
    if (found < 0 || !index_.isLive(length, std::uint32_t(found)))
        return false;
    id = std::uint32_t(found);
    return index_.score(length, id) >= request_.minScore &&
           search_->core().holder(length, id) != ConstraintCore::kFixedWord &&
           (!request_.allowed || request_.allowed(length, id));
}

// Whether fill() of the grid with the word written in would solve the
// prepared problem with the word as its slot's choice. fill() takes the
// words of the full slots as they stand (a word of the index or not, the
// same word in two of them or not), so the word, and the word of each
// crossing slot that it completes, must each have been a candidate of its
// slot, all different.
bool PreparedFill::takesAsCandidate(int v, const QByteArray& word, std::uint32_t& id) const {
    const ConstraintCore& core = search_->core();
    const CoreVar& x = core.var(v);
    if (!candidate(x.length, word, id))
        return false;
    std::vector<QByteArray> completed{word};
    for (int p = 0; p < x.length; ++p) {
        const int u = x.crossVar[std::size_t(p)];
        const SlotCell at = core.cellPlace(x.cells[std::size_t(p)]);
        if (u == ConstraintCore::kNoVar || isLetterCell(grille_.cell(at.col, at.row)) ||
            emptyCells_[std::size_t(u)] > 1)
            continue;
        const CoreVar& y = core.var(u);
        QByteArray crossing(y.length, ' ');
        for (int q = 0; q < y.length; ++q) {
            const SlotCell c = core.cellPlace(y.cells[std::size_t(q)]);
            crossing[q] = q == x.crossPos[std::size_t(p)] ? word[p] : grille_.cell(c.col, c.row);
        }
        std::uint32_t crossingId = 0;
        if (!candidate(y.length, crossing, crossingId) ||
            std::find(completed.begin(), completed.end(), crossing) != completed.end())
            return false;
        completed.push_back(crossing);
    }
    return true;
}

FillResult PreparedFill::fill(int slot, const QByteArray& word, double timeLimitSeconds) {
    const int v = search_ ? search_->core().varOfSlot(slot) : ConstraintCore::kNoVar;
    std::uint32_t id = 0;
    if (v == ConstraintCore::kNoVar || !takesAsCandidate(v, word, id)) {
        FillRequest request = request_;
        request.timeLimitSeconds = timeLimitSeconds;
        return orv::fill(withWord(grille_, slots_[slot], word), index_, request);
    }
    if (noFill_) {
        FillResult result;
        result.status = FillStatus::NoFill;
        result.grille = grille_;
        return result;
    }
    options_.timeLimitSeconds = timeLimitSeconds;
    return search_->tryWord(v, id);
}

} // namespace orv
