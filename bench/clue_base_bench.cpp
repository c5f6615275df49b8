// The clue base at 100,000 clues: its opening, the three searches of « Base d'indices »
// (by word, by pattern, by words of the clue) and the save of a 10x10 grid's
// clues in one transaction, each beside a plain reference in the same run:
// the searches beside one scan of the clues held in memory, the save beside
// the grid file's own write.
#include "bench_data.h"

#include "definitions/clue_base.h"
#include "grid/grid_file.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace orv::bench {
namespace {

constexpr int kClues = 100000;

struct Sample {
    std::vector<ClueEntry> entries;
};

// 100,000 clues of 40,000 words of the French list, two or three each, of six
// to ten words of the list in small letters.
const Sample& sample() {
    static const Sample s = [] {
        Sample out;
        const QList<QByteArray>& words = frenchWords();
        quint32 seed = 12345;
        auto next = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return seed >> 8;
        };
        const QString date = QStringLiteral("2026-12-08 14:30");
        for (int i = 0; out.entries.size() < std::size_t(kClues); ++i) {
            const QString word = QString::fromLatin1(words[(i * 8) % words.size()]);
            QStringList text;
            const int length = 6 + int(next() % 5);
            for (int k = 0; k < length; ++k)
                text.append(QString::fromLatin1(words[qsizetype(next() % words.size())]).toLower());
            out.entries.push_back({0, word, text.join(QLatin1Char(' ')), "grille.grd", date});
        }
        return out;
    }();
    return s;
}

ClueBase& fullBase() {
    static ClueBase base;
    if (!base.isOpen()) {
        const QString path = scratchFile(QStringLiteral("Indices-bench.sqlite"));
        QFile::remove(path);
        base.open(path, false, QDateTime::currentDateTime());
        base.add(sample().entries);
    }
    return base;
}

// Opening at start: the schema and the check of every page (100,000 clues).
void BM_ClueBaseOpen(benchmark::State& state) {
    fullBase();
    const QString path = scratchFile(QStringLiteral("Indices-bench.sqlite"));
    for (auto _ : state) {
        ClueBase other;
        benchmark::DoNotOptimize(other.open(path, true, QDateTime::currentDateTime()));
    }
}
BENCHMARK(BM_ClueBaseOpen)->Unit(benchmark::kMillisecond);

void BM_ClueSearchByWord(benchmark::State& state) {
    ClueBase& base = fullBase();
    const QString word = sample().entries[5000].word;
    std::size_t found = 0;
    for (auto _ : state)
        found = base.byWord(word).size();
    state.counters["found"] = double(found);
}
BENCHMARK(BM_ClueSearchByWord)->Unit(benchmark::kMillisecond);

void BM_ClueSearchByPattern(benchmark::State& state) {
    ClueBase& base = fullBase();
    // A leading wildcard (no prefix to narrow on) and a pattern with a known start.
    const QString pattern = state.range(0) == 0 ? QStringLiteral("?A?E?") : QStringLiteral("MA???");
    std::size_t found = 0;
    for (auto _ : state)
        found = base.byPattern(pattern).size();
    state.counters["found"] = double(found);
}
BENCHMARK(BM_ClueSearchByPattern)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ClueSearchByText(benchmark::State& state) {
    ClueBase& base = fullBase();
    // A word of some clue, then two words of one clue.
    const QStringList words = sample().entries[777].clue.split(QLatin1Char(' '));
    const QString query = state.range(0) == 0 ? words[0] : words[0] + QLatin1Char(' ') + words[3];
    std::size_t found = 0;
    for (auto _ : state)
        found = base.byText(query).size();
    state.counters["found"] = double(found);
}
BENCHMARK(BM_ClueSearchByText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Reference: the clues held in memory, each looked at once for a word.
void BM_ClueScanReference(benchmark::State& state) {
    const std::vector<ClueEntry>& entries = sample().entries;
    const QString needle = entries[777].clue.split(QLatin1Char(' '))[0];
    int found = 0;
    for (auto _ : state) {
        found = 0;
        for (const ClueEntry& e : entries)
            found += e.clue.contains(needle, Qt::CaseInsensitive) ? 1 : 0;
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = double(found);
}
BENCHMARK(BM_ClueScanReference)->Unit(benchmark::kMillisecond);

// A 10x10 grid's 38 clues, new each time, added in one transaction.
Grille benchGrid(int round) {
    Grille g(10, 10);
    const QList<QByteArray>& words = frenchWords();
    for (int r = 1; r <= 10; ++r) {
        for (int c = 1; c <= 10; ++c)
            g.cell(c, r) = (r + c * 3) % 7 == 0 ? '#' : char('A' + (r * 7 + c * 3) % 26);
        g.DefHoriz[std::size_t(r - 1)] = "Ligne " + QByteArray::number(r) + " tour " +
                                         QByteArray::number(round) + " " + words[r].toLower();
        g.DefVert[std::size_t(r - 1)] = "Colonne " + QByteArray::number(r) + " tour " +
                                        QByteArray::number(round) + " " + words[r + 20].toLower();
    }
    return g;
}

void BM_ClueSaveGrid(benchmark::State& state) {
    ClueBase& base = fullBase();
    static int round = 0; // new clues in every run and repetition
    int added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::vector<ClueEntry> entries =
            gridClueEntries(benchGrid(++round), "grille.grd", QDateTime::currentDateTime());
        state.ResumeTiming();
        added = base.add(entries);
    }
    state.counters["added"] = double(added);
}
BENCHMARK(BM_ClueSaveGrid)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reference: the grid file itself written (replaced atomically).
void BM_GridFileSaveReference(benchmark::State& state) {
    const Grille grid = benchGrid(0);
    const QString path = scratchFile(QStringLiteral("bench.grd"));
    for (auto _ : state)
        writeGridFile(path, grid);
}
BENCHMARK(BM_GridFileSaveReference)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace orv::bench
