// The quick search on the real French dictionary (325,003 words, with the
// shipped scores), each pattern and letters beside a plain reference in the
// same run: every word compared with the pattern (or counted letter by
// letter), then the hits sorted by score and word.
#include "bench_data.h"

#include "dictionary/scored_word_index.h"
#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"
#include "search/quick_search.h"

#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <vector>

namespace orv::bench {
namespace {

struct Scored {
    WordIndex index;
    std::vector<int> scores; // of frenchWords(), in its order
};

const Scored& scored() {
    static const Scored data = [] {
        Scored d;
        d.index.build(frenchDictionary());
        const WordScores scores;
        setIndexScores(d.index, scores);
        for (const QByteArray& w : frenchWords())
            d.scores.push_back(scores.score(w));
        return d;
    }();
    return data;
}

bool globFits(const char* w, const char* p) {
    // Iterative matching with one back-up point per star.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*w) {
        if (*p == '*') {
            star = p++;
            resume = w;
        } else if (*p && (*p == '?' || *p == *w)) {
            ++p;
            ++w;
        } else if (star) {
            p = star + 1;
            w = ++resume;
        } else {
            return false;
        }
    }
    while (*p == '*')
        ++p;
    return *p == 0;
}

template <typename Fits> std::size_t plainScan(Fits fits) {
    const QList<QByteArray>& words = frenchWords();
    const std::vector<int>& scores = scored().scores;
    std::vector<int> hits;
    for (int i = 0; i < int(words.size()); ++i)
        if (fits(words[i]))
            hits.push_back(i);
    std::sort(hits.begin(), hits.end(), [&](int a, int b) {
        return scores[std::size_t(a)] != scores[std::size_t(b)]
                   ? scores[std::size_t(a)] > scores[std::size_t(b)]
                   : words[a] < words[b];
    });
    return hits.size();
}

void BM_QuickPattern(benchmark::State& state, const char* pattern) {
    const WordIndex& index = scored().index;
    std::size_t found = 0;
    for (auto _ : state) {
        QuickSearchResult r = searchPattern(index, pattern);
        found = r.count();
        benchmark::DoNotOptimize(r);
    }
    state.counters["words"] = double(found);
}

void BM_PlainScanPattern(benchmark::State& state, const char* pattern) {
    std::size_t found = 0;
    for (auto _ : state) {
        found =
            plainScan([pattern](const QByteArray& w) { return globFits(w.constData(), pattern); });
        benchmark::DoNotOptimize(found);
    }
    state.counters["words"] = double(found);
}

void BM_QuickAnagram(benchmark::State& state, const char* letters) {
    const WordIndex& index = scored().index;
    std::size_t found = 0;
    for (auto _ : state) {
        QuickSearchResult r = searchAnagram(index, letters);
        found = r.count();
        benchmark::DoNotOptimize(r);
    }
    state.counters["words"] = double(found);
}

void BM_PlainScanAnagram(benchmark::State& state, const char* letters) {
    const QByteArray given(letters);
    std::size_t found = 0;
    for (auto _ : state) {
        found = plainScan([&given](const QByteArray& w) {
            if (w.size() != given.size())
                return false;
            std::array<int, 26> count{};
            for (const char c : w)
                ++count[std::size_t(c - 'A')];
            for (const char c : given)
                if (c != '?' && --count[std::size_t(c - 'A')] < 0)
                    return false;
            return true;
        });
        benchmark::DoNotOptimize(found);
    }
    state.counters["words"] = double(found);
}

#define QUICK_PATTERN(name, text)                                                                  \
    BENCHMARK_CAPTURE(BM_QuickPattern, name, text)->Unit(benchmark::kMillisecond);                 \
    BENCHMARK_CAPTURE(BM_PlainScanPattern, name, text)->Unit(benchmark::kMillisecond)
QUICK_PATTERN(C_A_star, "C?A*");
QUICK_PATTERN(star_TION, "*TION");
QUICK_PATTERN(star_A_star_E_star_I_star, "*A*E*I*");
QUICK_PATTERN(seven_open, "???????");
// Every word of the dictionary: the most that one search can list.
QUICK_PATTERN(star, "*");

#define QUICK_ANAGRAM(name, text)                                                                  \
    BENCHMARK_CAPTURE(BM_QuickAnagram, name, text)->Unit(benchmark::kMillisecond);                 \
    BENCHMARK_CAPTURE(BM_PlainScanAnagram, name, text)->Unit(benchmark::kMillisecond)
QUICK_ANAGRAM(AEINRST, "AEINRST");
QUICK_ANAGRAM(AEINRST_joker, "AEINRST?");
QUICK_ANAGRAM(EEINORSTT_joker, "EEINORSTT?");

} // namespace
} // namespace orv::bench
