// The help while building a grid, on the real French dictionary: the two
// suggestion lists recomputed after a key (alone, and with the marks over a
// whole 20 by 20 grid as the panel computes them), the look-ahead's marks of
// the first 20 words of a 10 by 10 slot, and the fillability marks of a
// 20 by 20 grid, each beside a plain reference measured in the same run (one
// scan of the words, the way the word search reads them); and the shared
// index given its scores again after a score changed, beside its build.
#include "bench_data.h"

#include "dictionary/scored_word_index.h"
#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"
#include "fill/fill_request.h"
#include "fill/fill_scores.h"
#include "fill/grid_marks.h"
#include "fill/suggestion_lookahead.h"
#include "fill/suggestions.h"
#include "grid/grid_slots.h"
#include "grid/grid_text.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>

namespace orv::bench {
namespace {

// With the shipped scores, as the program's index has them.
const WordIndex& frenchIndex() {
    static const WordIndex index = [] {
        WordIndex i;
        i.build(frenchDictionary());
        setIndexScores(i, WordScores());
        return i;
    }();
    return index;
}

// The panel hides the words of score 0.
constexpr int kPanelMinScore = 1;

// A 10 by 10 grid being built: a few words placed, black squares around them.
const char* const kGrid10 = "T.P.#.....\n"
                            "A.O.#.....\n"
                            "B.R.#.....\n"
                            "L.T..#....\n"
                            "E.E...#...\n"
                            "#.#...#...\n"
                            "...#......\n"
                            "TABLE#....\n"
                            "....#.....\n"
                            "QX...#....\n";

// No black square at all: every slot has ten letters and ten open crossings,
// the largest candidate lists and the most crossings to count.
const char* const kOpen10 = "..........\n"
                            "..........\n"
                            "..........\n"
                            "..........\n"
                            "..........\n"
                            "..........\n"
                            "..........\n"
                            "..........\n"
                            "..........\n"
                            "..........\n";

// What the panel does after a key on (col, row): the slots again, then the
// row's and the column's lists.
void BM_SuggestAfterKey(benchmark::State& state, const char* text, int col, int row) {
    const WordIndex& index = frenchIndex();
    Grille grille = readGridText(text);
    std::size_t across = 0;
    std::size_t down = 0;
    for (auto _ : state) {
        const GridSlots slots(grille);
        const SlotSuggestions h =
            suggestWords(grille, slots, slots.slotAt(col, row, SlotDirection::Horizontal), index,
                         kPanelMinScore);
        const SlotSuggestions v = suggestWords(
            grille, slots, slots.slotAt(col, row, SlotDirection::Vertical), index, kPanelMinScore);
        across = h.count();
        down = v.count();
        benchmark::DoNotOptimize(h);
        benchmark::DoNotOptimize(v);
    }
    state.counters["across"] = double(across);
    state.counters["down"] = double(down);
}
// The cursor on B.R. of row 3, which crosses TABLE and PORTE; then on the
// open 6-letter slot of row 7.
BENCHMARK_CAPTURE(BM_SuggestAfterKey, grid10_row3, kGrid10, 2, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SuggestAfterKey, grid10_row7, kGrid10, 6, 7)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SuggestAfterKey, open10, kOpen10, 5, 5)->Unit(benchmark::kMillisecond);

// The reference: one plain scan of every word for those of the pattern's
// length that fit it.
std::size_t scanCount(const QList<QByteArray>& words, QByteArrayView p) {
    std::size_t found = 0;
    for (const QByteArray& w : words) {
        if (w.size() != p.size())
            continue;
        bool fits = true;
        for (qsizetype i = 0; i < p.size() && fits; ++i)
            fits = p[i] == '.' || p[i] == w[i];
        found += fits;
    }
    return found;
}

void BM_ScanWordsOfLength(benchmark::State& state, const char* pattern) {
    const QList<QByteArray>& words = frenchWords();
    std::size_t found = 0;
    for (auto _ : state) {
        found = scanCount(words, QByteArrayView(pattern));
        benchmark::DoNotOptimize(found);
    }
    state.counters["words"] = double(found);
}
BENCHMARK_CAPTURE(BM_ScanWordsOfLength, len4, "....")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScanWordsOfLength, len10, "..........")->Unit(benchmark::kMillisecond);

// After a score changed in the browser, the next fill or suggestion gives
// the shared index every word's score again (with a hundred words of the
// user's own, so that both look-ups are paid); the reference is the build
// that a change of the words costs instead.
void BM_RescoreSharedIndex(benchmark::State& state) {
    const WordList& words = frenchDictionary();
    WordScores scores;
    const WordIndex& plain = frenchIndex();
    for (std::uint32_t id = 0; id < 100; ++id)
        scores.user().set(plain.word(7, id * 50), 60);
    ScoredWordIndex shared;
    shared.upToDate(words, 1, scores);
    int score = 0;
    for (auto _ : state) {
        scores.user().set(plain.word(7, 0), score++ % 100 + 1);
        benchmark::DoNotOptimize(&shared.upToDate(words, 1, scores));
    }
    state.counters["rebuilds"] = double(shared.builds());
}
BENCHMARK(BM_RescoreSharedIndex)->Unit(benchmark::kMillisecond);

void BM_BuildSharedIndex(benchmark::State& state) {
    const WordList& words = frenchDictionary();
    const WordScores scores;
    ScoredWordIndex shared;
    quint64 revision = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(&shared.upToDate(words, ++revision, scores));
}
BENCHMARK(BM_BuildSharedIndex)->Unit(benchmark::kMillisecond);

// A 20 by 20 grid with black squares; optionally with words placed in
// some of its rows, each the first dictionary word that fits there.
Grille grid20(bool withWords) {
    QByteArray text;
    for (int r = 0; r < 20; ++r) {
        for (int c = 0; c < 20; ++c)
            text.append((r * 7 + c * 3) % 8 == 0 ? '#' : '.');
        text.append('\n');
    }
    Grille g = readGridText(text);
    if (!withWords)
        return g;
    const WordIndex& index = frenchIndex();
    const GridSlots slots(g);
    int placed = 0;
    for (int s = 0; s < slots.count(); ++s) {
        const Slot& slot = slots[s];
        if (slot.direction != SlotDirection::Horizontal || slot.line % 3 != 1 ||
            slot.length() > WordIndex::kMaxLength)
            continue;
        const std::vector<std::uint32_t> ids = index.candidates(slotPattern(g, slot));
        if (ids.empty())
            continue;
        const char* w = index.letters(slot.length(), ids[ids.size() / 2]);
        for (int p = 0; p < slot.length(); ++p)
            g.cell(slot.cells[std::size_t(p)].col, slot.cells[std::size_t(p)].row) = w[p];
        ++placed;
    }
    return g;
}

void BM_Marks20(benchmark::State& state) {
    const WordIndex& index = frenchIndex();
    const Grille g = grid20(state.range(0) != 0);
    int dead = 0;
    int forced = 0;
    for (auto _ : state) {
        const GridSlots slots(g);
        const GridMarks marks = computeGridMarks(g, slots, index);
        dead = marks.deadCount();
        forced = marks.forcedCount();
        benchmark::DoNotOptimize(marks);
    }
    const GridSlots slots(g);
    state.counters["slots"] = slots.count();
    state.counters["dead"] = dead;
    state.counters["forced"] = forced;
}
// 0: black squares only; 1: with words in every third row.
BENCHMARK(BM_Marks20)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The reference: the candidates of every slot of the same grid counted once
// by a plain scan of the words, with no propagation at all.
void BM_ScanEverySlot20(benchmark::State& state) {
    const QList<QByteArray>& words = frenchWords();
    const Grille g = grid20(state.range(0) != 0);
    const GridSlots slots(g);
    std::size_t total = 0;
    for (auto _ : state) {
        total = 0;
        for (const Slot& slot : slots.slots())
            total += scanCount(words, slotPattern(g, slot));
        benchmark::DoNotOptimize(total);
    }
    state.counters["candidates"] = double(total);
}
BENCHMARK(BM_ScanEverySlot20)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What the panel does after a key on a 20 by 20 grid: the slots and the marks
// over the whole grid again, then the row's and the column's lists, each
// word checked against the marks.
void BM_PanelAfterKey20(benchmark::State& state) {
    const WordIndex& index = frenchIndex();
    const Grille g = grid20(state.range(0) != 0);
    const int col = 5;
    const int row = 6;
    std::size_t listed = 0;
    for (auto _ : state) {
        const GridSlots slots(g);
        const GridMarks marks = computeGridMarks(g, slots, index, kPanelMinScore);
        const SlotSuggestions h =
            suggestWords(g, slots, slots.slotAt(col, row, SlotDirection::Horizontal), index,
                         kPanelMinScore, &marks);
        const SlotSuggestions v =
            suggestWords(g, slots, slots.slotAt(col, row, SlotDirection::Vertical), index,
                         kPanelMinScore, &marks);
        listed = h.count() + v.count();
        benchmark::DoNotOptimize(h);
        benchmark::DoNotOptimize(v);
    }
    state.counters["listed"] = double(listed);
}
// 0: black squares only; 1: with words in every third row.
BENCHMARK(BM_PanelAfterKey20)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A 10 by 10 layout of the shared benchmark grids (b10_k14_s1) around a theme
// word of ten letters in row 8.
const char* const kTheme10 = "....#....#\n"
                             "......#...\n"
                             "#.........\n"
                             "...#...#..\n"
                             "....#.....\n"
                             ".#.#......\n"
                             ".....#....\n"
                             "PROGRAMMES\n"
                             ".#..#.....\n"
                             "#.....#...\n";

// The look-ahead's marks of the first 20 words listed for a slot of a 10
// by 10 grid being built, one bounded fill per word on one thread, with the
// vocabulary of the program's default fill.
void BM_LookAheadFirst20(benchmark::State& state, const char* text, int col, int row,
                         SlotDirection direction) {
    const WordIndex& index = frenchIndex();
    const Grille g = readGridText(text);
    const GridSlots slots(g);
    const int slot = slots.slotAt(col, row, direction);
    const GridMarks marks = computeGridMarks(g, slots, index, kPanelMinScore);
    const SlotSuggestions list = suggestWords(g, slots, slot, index, kPanelMinScore, &marks);
    const int minScore = vocabularyFill(Vocabulary::Common).minScore;
    int counts[4] = {};
    for (auto _ : state) {
        std::fill(std::begin(counts), std::end(counts), 0);
        const auto start = std::chrono::steady_clock::now();
        // As the panel's worker does: one state prepared for the request,
        // then each word tried from it within the request's shared budget.
        PreparedFill prepared(g, index, lookAheadRequest(minScore));
        for (std::size_t k = 0; k < list.count() && k < 20; ++k) {
            const QByteArray word = index.word(list.length, list.ids[k]);
            LookAheadBound bound;
            bound.seconds = lookAheadSeconds(
                bound, k,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            ++counts[int(lookAhead(prepared, slot, word, bound))];
        }
    }
    state.counters["leads"] = counts[int(WordOutlook::Leads)];
    state.counters["unknown"] = counts[int(WordOutlook::Unknown)];
    state.counters["deadEnds"] = counts[int(WordOutlook::DeadEnd)];
}
// Around the theme word: the 5-letter slot of row 7 above it and the column
// of 10 letters that crosses both; then the slot of row 7 of the grid whose
// last row no word fits (every word a dead end), and the full row of the
// open grid (no fill found or ruled out within the bound).
BENCHMARK_CAPTURE(BM_LookAheadFirst20, theme10_row7, kTheme10, 2, 7, SlotDirection::Horizontal)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(BM_LookAheadFirst20, theme10_colC, kTheme10, 3, 7, SlotDirection::Vertical)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(BM_LookAheadFirst20, grid10_row7, kGrid10, 6, 7, SlotDirection::Horizontal)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(BM_LookAheadFirst20, open10_row5, kOpen10, 5, 5, SlotDirection::Horizontal)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

} // namespace
} // namespace orv::bench
