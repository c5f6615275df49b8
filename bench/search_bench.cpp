// Reading the real French dictionary as the browser, the statistics and the
// word search do: listing one initial letter, counting by length, grouping
// the words by length when the search opens, and one pattern search.
// The dictionary is loaded from its file, as the program has it at start.
#include "bench_data.h"

#include "dictionary/dictionary_browse.h"
#include "dictionary/dictionary_stats.h"
#include "search/pattern_search.h"

#include <benchmark/benchmark.h>

namespace orv::bench {
namespace {

const WordList& loadedDictionary() {
    static const WordList words = [] {
        const QString path = scratchFile(QStringLiteral("Dicogrd-search.dat"));
        frenchDictionary().save(path, path);
        WordList loaded;
        loaded.load(path, path);
        return loaded;
    }();
    return words;
}

void BM_ListOneLetter(benchmark::State& state) {
    const char letter = char(state.range(0));
    const QList<QByteArray>& entries = loadedDictionary().entries();
    qsizetype listed = 0;
    for (auto _ : state) {
        WordBlock words = wordsWithInitial(entries, letter);
        listed = words.count();
        benchmark::DoNotOptimize(words);
    }
    state.counters["words"] = double(listed);
}
// A and Z, and D, the letter with the most words.
BENCHMARK(BM_ListOneLetter)->Arg('A')->Arg('D')->Arg('Z')->Unit(benchmark::kMillisecond);

void BM_CountByLength(benchmark::State& state) {
    const QList<QByteArray>& entries = loadedDictionary().entries();
    for (auto _ : state) {
        WordCounts counts = countWords(entries);
        benchmark::DoNotOptimize(counts);
    }
}
BENCHMARK(BM_CountByLength)->Unit(benchmark::kMillisecond);

void BM_GroupForSearch(benchmark::State& state) {
    const QList<QByteArray>& entries = loadedDictionary().entries();
    WordSearchIndex index;
    for (auto _ : state) {
        index.assign(entries);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GroupForSearch)->Unit(benchmark::kMillisecond);

void BM_PatternSearch(benchmark::State& state, const char* motif) {
    WordSearchIndex index;
    index.assign(loadedDictionary().entries());
    qsizetype found = 0;
    for (auto _ : state) {
        WordBlock words = index.search(QByteArrayView(motif));
        found = words.count();
        benchmark::DoNotOptimize(words);
    }
    state.counters["words"] = double(found);
}
BENCHMARK_CAPTURE(BM_PatternSearch, C_____E, "C.....E")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PatternSearch, __S___, "..S...")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PatternSearch, ____E____R, "....E....R")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PatternSearch, Z__________S, "Z..........S")->Unit(benchmark::kMicrosecond);
// Every word of the length fits: the most that one search can list.
BENCHMARK_CAPTURE(BM_PatternSearch, all_free_7, ".......")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PatternSearch, all_free_10, "..........")->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace orv::bench
