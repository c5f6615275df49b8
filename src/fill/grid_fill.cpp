// The fill's entry points: one search on the calling thread, or a portfolio
// of searches side by side (each with its own seed and state, some tuned
// differently), the first to end with a fill or a proof winning.
#include "fill/grid_fill.h"

#include "fill/fill_search.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace orv {

int fillThreads(int threads) {
    if (threads > 0)
        return threads;
    return std::max(1, int(std::thread::hardware_concurrency()));
}

namespace {

// The same words and the same search for fewer unknown words once a fill is
// found, but no bias towards known words in the choices before it.
void withoutPreference(FillOptions& o) {
    o.scoreWeight = 0;
    o.preferredBonus = 0;
    o.offBandFactor = 1;
    o.knownWordsFirst = false;
    o.firstRunUnknownShare = 0;
}

} // namespace

FillResult fillGrid(const Grille& grille, const WordIndex& index, const FillOptions& options) {
    const int n = fillThreads(options.threads);
    if (n == 1)
        return FillSearch(grille, index, options).run();
    // Each search has its own options, seed and state; the first keeps the
    // caller's seed and schedule, every other one the other schedule, so that
    // the two ways of restarting both run on a machine of two cores, and
    // chooses its words without the preference for known words: where that
    // preference makes the grid hard, the first fill comes about as soon as
    // without scores, and the search for fewer unknown words that follows
    // it (on whichever search won) gives the known words back.
    Portfolio portfolio;
    std::vector<FillOptions> own(static_cast<std::size_t>(n), options);
    std::vector<FillResult> results(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        FillOptions& o = own[std::size_t(i)];
        o.threads = 1;
        if (i > 0) {
            o.seed = options.seed ^ (0x9E3779B97F4A7C15ull * std::uint64_t(i));
            if (i % 2 == 1) {
                o.restarts = options.restarts == RestartSchedule::Luby ? RestartSchedule::Geometric
                                                                       : RestartSchedule::Luby;
                withoutPreference(o);
            }
            o.progress = nullptr; // the first search alone reports
        } else if (options.progress) {
            o.progress = [&options, n](const FillProgress& p) {
                FillProgress q = p;
                q.threads = n;
                options.progress(q);
            };
        }
    }
    {
        std::vector<std::jthread> workers;
        for (int i = 1; i < n; ++i)
            workers.emplace_back([&, i] {
                results[std::size_t(i)] =
                    FillSearch(grille, index, own[std::size_t(i)], &portfolio, i).run();
            });
        results[0] = FillSearch(grille, index, own[0], &portfolio, 0).run();
    } // the workers are joined here
    const int winner = portfolio.winner.load();
    FillResult result = std::move(results[std::size_t(std::max(0, winner))]);
    result.threads = n;
    return result;
}

} // namespace orv
