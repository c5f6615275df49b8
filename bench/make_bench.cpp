// Complete grids made from nothing, on the real French dictionary: for each
// size, ten seeds, on an empty grid and with a theme word of 7 to 10 letters
// typed at the start of the first row. Prints one Markdown table: runs made
// within the limit, median wall-clock time, median black squares, the mean
// word score and the share of words of 3 letters or more that the frequency
// table holds, with the scores and the vocabulary "Mots courants". One
// thread; the dictionary is loaded and indexed once, before the clock starts.
// As a reference measured in the same run, the fill of one fixed 10x10 grid
// (12 black squares, same vocabulary) is timed, and every median is also
// given as a ratio to it.
//
//   build-bench/bench/orv_make_bench [SECONDS_SCALE]
// SECONDS_SCALE (default 1) multiplies every time limit.
#include "bench_data.h"

#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"
#include "fill/fill_scores.h"
#include "fill/grid_fill.h"
#include "fill/grid_maker.h"
#include "grid/grid_slots.h"
#include "grid/grid_text.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

using namespace orv;
using orv::bench::median;

namespace {

struct Size {
    int rows;
    int cols;
    int maxBlacks;
    double limit; // seconds
};

// A word of 7 to 10 letters (no longer than the row), drawn from the seed.
QByteArray themeWord(const WordIndex& index, int cols, std::uint64_t seed) {
    std::mt19937_64 rng(seed * 7919);
    const int longest = std::min(10, cols);
    for (;;) {
        const int len = 7 + int(rng() % std::uint64_t(longest - 6));
        const std::uint32_t id = std::uint32_t(rng() % index.idCount(len));
        if (index.isLive(len, id))
            return index.word(len, id);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double scale = argc > 1 ? std::atof(argv[1]) : 1.0;
    WordIndex index;
    index.build(bench::frenchDictionary());
    const WordScores scores;
    setIndexScores(index, scores);
    const VocabularyFill common = vocabularyFill(Vocabulary::Common);
    std::fprintf(stderr, "%zu mots indexés\n", index.wordCount());

    // Reference: the fill of a fixed 10x10 grid with 12 black squares.
    const Grille reference = readGridText("....#....#\n"
                                          "..........\n"
                                          "#.........\n"
                                          ".......#..\n"
                                          "....#.....\n"
                                          ".#.#......\n"
                                          ".....#....\n"
                                          "..........\n"
                                          ".#..#.....\n"
                                          "#.....#...\n");
    std::vector<double> refTimes;
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        FillOptions o;
        o.seed = seed;
        o.minScore = common.minScore;
        o.scoreWeight = kScoreWeight;
        QElapsedTimer t;
        t.start();
        const FillResult r = fillPreferringKnownWords(reference, index, o, common.preferred);
        refTimes.push_back(double(t.nsecsElapsed()) / 1e9);
        if (r.status != FillStatus::Filled)
            std::fprintf(stderr, "référence non remplie (graine %llu)\n",
                         static_cast<unsigned long long>(seed));
    }
    const double ref = median(refTimes);

    const Size sizes[] = {{8, 8, 8, 30}, {10, 10, 12, 30}, {13, 13, 24, 60}, {15, 15, 34, 120}};
    std::printf("Reference: fill of a fixed 10x10 grid with 12 black squares, median of 5 seeds: "
                "%.3f s (wall clock)\n\n",
                ref);
    std::printf("| grid | theme word | max blacks | limit (s) | made | median time (s) | "
                "ratio to reference | median blacks | median mean score | median known words "
                "(%%) |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
    for (const bool theme : {false, true})
        for (const Size& size : sizes) {
            std::vector<double> times;
            std::vector<double> blacks;
            std::vector<double> means;
            std::vector<double> known;
            int made = 0;
            const int seeds = 10;
            for (std::uint64_t seed = 1; seed <= std::uint64_t(seeds); ++seed) {
                Grille g;
                g.NbLignes = size.rows + 1;
                g.NbColonnes = size.cols + 1;
                g.Raz();
                if (theme) {
                    const QByteArray w = themeWord(index, size.cols, seed);
                    for (int i = 0; i < w.size(); ++i)
                        g.cell(i + 1, 1) = w[i];
                }
                MakeOptions o;
                o.seed = seed;
                o.maxBlacks = size.maxBlacks;
                o.timeLimitSeconds = size.limit * scale;
                o.minScore = common.minScore;
                o.scoreWeight = kScoreWeight;
                o.fill = [&](const Grille& grid, const WordIndex& i, const FillOptions& f) {
                    return fillPreferringKnownWords(grid, i, f, common.preferred);
                };
                QElapsedTimer t;
                t.start();
                const MakeResult r = makeGrid(g, index, o);
                const double s = double(t.nsecsElapsed()) / 1e9;
                times.push_back(s);
                if (r.status == MakeStatus::Made) {
                    ++made;
                    blacks.push_back(r.blacks);
                    const FillQuality q = fillQuality(r.grille, scores);
                    means.push_back(q.meanScore);
                    known.push_back(100 * q.frequentShare());
                }
                std::fprintf(
                    stderr, "%dx%d%s graine %llu : %s en %.2f s, %d cases noires, %d essais\n",
                    size.rows, size.cols, theme ? " (thème)" : "",
                    static_cast<unsigned long long>(seed),
                    r.status == MakeStatus::Made ? "faite" : "non faite", s, r.blacks, r.attempts);
            }
            // Runs that failed count at the limit in the median time.
            std::printf("| %dx%d | %s | %d | %.0f | %d/%d | %.2f | %.1f | %.0f | %.1f | %.0f |\n",
                        size.rows, size.cols, theme ? "7-10 letters" : "none", size.maxBlacks,
                        size.limit * scale, made, seeds, median(times), median(times) / ref,
                        median(blacks), median(means), median(known));
            std::fflush(stdout);
        }
    return 0;
}
