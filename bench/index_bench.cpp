// The dictionary's pattern index on the real French dictionary: building it
// (325,000 words, and 1,000,000 made from them) and counting the words of a
// pattern, each beside a plain reference measured in the same run: reading
// every word once unscrambled, and scanning the words of the pattern's length.
#include "bench_data.h"

#include "dictionary/scramble.h"
#include "dictionary/word_index.h"

#include <QSet>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace orv::bench {
namespace {

// The reference of a build: every entry unscrambled once into one buffer.
void referenceUnscramble(benchmark::State& state, const WordList& list) {
    std::vector<char> all;
    for (auto _ : state) {
        all.clear();
        all.reserve(size_t(list.count()) * 12);
        list.forEach([&all](QByteArrayView e) {
            for (qsizetype i = 0; i < e.size(); ++i)
                all.push_back(char(unscrambleByte(static_cast<unsigned char>(e[i]), int(i + 1))));
        });
        benchmark::DoNotOptimize(all.data());
    }
    state.counters["words"] = double(list.count());
}

void indexBuild(benchmark::State& state, const WordList& list) {
    WordIndex index;
    for (auto _ : state) {
        index.build(list);
        benchmark::DoNotOptimize(index.wordCount());
    }
    state.counters["words"] = double(index.wordCount());
    state.counters["MB"] = double(index.memoryBytes()) / 1e6;
}

void BM_ReferenceUnscrambleAll(benchmark::State& state) {
    referenceUnscramble(state, frenchDictionary());
}
BENCHMARK(BM_ReferenceUnscrambleAll)->Unit(benchmark::kMillisecond);

void BM_IndexBuild(benchmark::State& state) { indexBuild(state, frenchDictionary()); }
BENCHMARK(BM_IndexBuild)->Unit(benchmark::kMillisecond);

// A million distinct plain words: the French words, then the same with a
// letter changed, until there are enough. Their order is shuffled, so the
// build also sorts.
const std::vector<QByteArray>& millionWords() {
    static const std::vector<QByteArray> words = [] {
        std::vector<QByteArray> out;
        QSet<QByteArray> seen;
        std::mt19937 rng(5);
        const QList<QByteArray>& french = frenchWords();
        for (const QByteArray& w : french)
            if (!seen.contains(w)) {
                seen.insert(w);
                out.push_back(w);
            }
        while (out.size() < 1'000'000) {
            QByteArray w = french[qsizetype(rng() % unsigned(french.size()))];
            w[qsizetype(rng() % unsigned(w.size()))] = char('A' + rng() % 26);
            if (!seen.contains(w)) {
                seen.insert(w);
                out.push_back(w);
            }
        }
        std::shuffle(out.begin(), out.end(), rng);
        return out;
    }();
    return words;
}

// The million words as the program keeps a dictionary: scrambled, in order.
const WordList& millionDictionary() {
    static const WordList list = [] {
        std::vector<QByteArray> sorted = millionWords();
        std::sort(sorted.begin(), sorted.end());
        QList<QByteArray> scrambled;
        scrambled.reserve(qsizetype(sorted.size()));
        for (const QByteArray& w : sorted)
            scrambled.append(Crypte(w));
        WordList l;
        l.assign(std::move(scrambled));
        return l;
    }();
    return list;
}

void BM_ReferenceUnscrambleMillion(benchmark::State& state) {
    referenceUnscramble(state, millionDictionary());
}
BENCHMARK(BM_ReferenceUnscrambleMillion)->Unit(benchmark::kMillisecond);

void BM_IndexBuildMillion(benchmark::State& state) { indexBuild(state, millionDictionary()); }
BENCHMARK(BM_IndexBuildMillion)->Unit(benchmark::kMillisecond);

// The same words in no order, as a list read from elsewhere: the build sorts them.
void BM_IndexBuildMillionUnordered(benchmark::State& state) {
    const std::vector<QByteArray>& words = millionWords();
    WordIndex index;
    for (auto _ : state) {
        index.buildFromPlain(words);
        benchmark::DoNotOptimize(index.wordCount());
    }
}
BENCHMARK(BM_IndexBuildMillionUnordered)->Unit(benchmark::kMillisecond);

// Patterns as a fill asks them: a real word of 4 to 12 letters with one to
// four letters kept.
const std::vector<QByteArray>& patterns() {
    static const std::vector<QByteArray> out = [] {
        std::vector<QByteArray> p;
        std::mt19937 rng(9);
        const QList<QByteArray>& french = frenchWords();
        while (p.size() < 4096) {
            QByteArray w = french[qsizetype(rng() % unsigned(french.size()))];
            if (w.size() < 4 || w.size() > 12)
                continue;
            const int keep = 1 + int(rng() % 4);
            QByteArray pattern(w.size(), '.');
            for (int k = 0; k < keep; ++k) {
                const qsizetype i = qsizetype(rng() % unsigned(w.size()));
                pattern[i] = w[i];
            }
            p.push_back(pattern);
        }
        return p;
    }();
    return out;
}

const WordIndex& frenchIndex() {
    static const WordIndex index = [] {
        WordIndex i;
        i.build(frenchDictionary());
        return i;
    }();
    return index;
}

void BM_PatternCount(benchmark::State& state) {
    const WordIndex& index = frenchIndex();
    const std::vector<QByteArray>& ps = patterns();
    std::size_t k = 0;
    std::size_t total = 0;
    for (auto _ : state) {
        total += index.count(ps[k++ % ps.size()]);
    }
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(std::int64_t(state.iterations()));
}
BENCHMARK(BM_PatternCount);

// The reference: the same patterns counted by scanning the plain words of
// their length, stored contiguously (the index's own storage).
void BM_ReferencePatternScan(benchmark::State& state) {
    const WordIndex& index = frenchIndex();
    const std::vector<QByteArray>& ps = patterns();
    std::size_t k = 0;
    std::size_t total = 0;
    for (auto _ : state) {
        const QByteArray& p = ps[k++ % ps.size()];
        const int len = int(p.size());
        const char* text = index.text(len);
        const std::uint32_t n = index.idCount(len);
        for (std::uint32_t id = 0; id < n; ++id) {
            const char* w = text + std::size_t(id) * std::size_t(len);
            bool fits = true;
            for (int i = 0; i < len && fits; ++i)
                fits = p[i] == '.' || p[i] == w[i];
            total += fits;
        }
    }
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(std::int64_t(state.iterations()));
}
BENCHMARK(BM_ReferencePatternScan);

void BM_PossibleLetters(benchmark::State& state) {
    const WordIndex& index = frenchIndex();
    const std::vector<QByteArray>& ps = patterns();
    std::size_t k = 0;
    for (auto _ : state) {
        auto sets = index.possibleLetters(ps[k++ % ps.size()]);
        benchmark::DoNotOptimize(sets.data());
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()));
}
BENCHMARK(BM_PossibleLetters);

} // namespace
} // namespace orv::bench
