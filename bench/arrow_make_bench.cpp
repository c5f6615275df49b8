// Arrow-word grids made from nothing, on the real French dictionary, as
// « Créer une grille de mots fléchés » and orvgrid make-fleches make them
// (vocabulary « Mots courants », the words' classes, the maker's quality
// search). For each size, several seeds; prints one Markdown table: grids
// made, median and worst CPU time, median weak words per grid, median share
// of words of 3 letters or more that the frequency table holds, median
// words of two letters and definition cells. Each grid is checked: it passes
// the layout check, every cell holds a letter and no word comes twice. One
// thread; the dictionary is loaded and indexed once, before the clock starts;
// that indexing is timed too, as the reference of the same run.
//
//   build-bench/bench/orv_arrow_make_bench [SEEDS] [FIRST_SEED]
#include "bench_data.h"

#include "arrowword/arrow_maker.h"
#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"
#include "fill/fill_scores.h"
#include "grid/grid_text.h"

#include <QCoreApplication>
#include <QSet>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace orv;
using orv::bench::median;

namespace {

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// What is wrong with a made grid, or "" when nothing is.
const char* faultOf(const ArrowGrid& g) {
    if (!checkArrowLayout(g).empty())
        return "layout check";
    QSet<QByteArray> seen;
    for (const ArrowWord& w : arrowWords(g)) {
        const QByteArray word = arrowWordPattern(g, w);
        if (word.contains('.'))
            return "empty cell";
        if (seen.contains(word))
            return "word twice";
        seen.insert(word);
    }
    return "";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int seeds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const std::uint64_t first = argc > 2 ? std::uint64_t(std::atoll(argv[2])) : 101;
    bench::frenchDictionary();
    // Reference in the same run: the index of the words with their scores, built.
    const double indexing = cpuSeconds();
    WordIndex index;
    index.build(bench::frenchDictionary());
    const WordScores scores;
    setIndexScores(index, scores);
    std::printf("Reference: the dictionary's index built with its scores: %.3f s CPU\n\n",
                cpuSeconds() - indexing);
    IndexClasses classes(index, scores);
    const VocabularyFill common = vocabularyFill(Vocabulary::Common);
    std::fprintf(stderr, "%zu mots indexés\n", index.wordCount());

    struct Size {
        int rows;
        int columns;
        double limit;
    };
    const Size sizes[] = {{9, 11, 30}, {15, 21, 120}};
    std::printf(
        "| grid | seeds | made | median CPU (s) | worst CPU (s) | median weak words | "
        "median (lowest) frequent (%%) | median 2-letter words | median definition cells |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    for (const Size& size : sizes) {
        std::vector<double> times, weak, frequent, shortWords, definitions;
        int made = 0;
        for (std::uint64_t seed = first; seed < first + std::uint64_t(seeds); ++seed) {
            MakeOptions o;
            o.seed = seed;
            o.timeLimitSeconds = size.limit;
            o.minScore = common.minScore;
            o.scoreWeight = kScoreWeight;
            o.fill = [&](const Grille& grid, const WordIndex& i, const FillOptions& f) {
                return fillPreferringKnownWords(grid, i, f, common.preferred);
            };
            o.classes = &classes;
            const double start = cpuSeconds();
            const ArrowMakeResult r = makeArrowGrid(size.rows, size.columns, index, o);
            const double s = cpuSeconds() - start;
            times.push_back(s);
            const char* fault = r.made.status == MakeStatus::Made ? faultOf(r.grid) : "not made";
            if (*fault == 0) {
                ++made;
                const FillQuality q = fillQuality(r.made.grille, scores);
                weak.push_back(double(q.weakWords.size()));
                frequent.push_back(100 * q.frequentShare());
                int two = 0;
                for (const ArrowWord& w : arrowWords(r.grid))
                    two += w.length == 2;
                shortWords.push_back(two);
                definitions.push_back(r.made.blacks);
            }
            if (std::getenv("ORV_SHOW"))
                std::fprintf(stderr, "%s", gridText(r.made.grille).constData());
            std::fprintf(stderr, "%dx%d graine %llu : %s en %.2f s, %d essais, %s\n", size.rows,
                         size.columns, static_cast<unsigned long long>(seed),
                         *fault ? fault : "faite", s, r.made.attempts,
                         *fault ? ""
                                : qPrintable(weakWordsText(fillQuality(r.made.grille, scores))));
        }
        const double lowest =
            frequent.empty() ? 0 : *std::min_element(frequent.begin(), frequent.end());
        std::printf("| %dx%d | %d | %d | %.2f | %.2f | %.0f | %.1f (%.1f) | %.0f | %.0f |\n",
                    size.rows, size.columns, seeds, made, median(times),
                    *std::max_element(times.begin(), times.end()), median(weak), median(frequent),
                    lowest, median(shortWords), median(definitions));
        std::fflush(stdout);
    }
    return 0;
}
