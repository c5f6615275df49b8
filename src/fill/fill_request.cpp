#include "fill/fill_request.h"

#include "fill/fill_scores.h"

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

} // namespace orv
