// The dictionary at its real size: loading and writing "Dicogrd.dat", adding
// a word with its re-sort, deleting one, importing the whole French list into
// an empty and into the full dictionary, and the memory the loaded list holds.
#include "bench_data.h"

#include "common/text_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/scramble.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <malloc.h>
#include <string>

namespace orv::bench {
namespace {

QString dictionaryFile() {
    static const QString path = [] {
        const QString p = scratchFile(QStringLiteral("Dicogrd.dat"));
        frenchDictionary().save(p, p);
        return p;
    }();
    return path;
}

QString wordListFile() {
    static const QString path = [] {
        const QString p = scratchFile(QStringLiteral("francais.txt"));
        writeWholeFile(p, frenchWordListText());
        return p;
    }();
    return path;
}

// Words that the dictionary lacks, spread over the alphabet: every 997th
// word with a letter added that makes it new.
QList<QByteArray> newWords() {
    QList<QByteArray> out;
    const WordList& dict = frenchDictionary();
    for (qsizetype i = 0; i < frenchWords().size(); i += 997) {
        QByteArray w = frenchWords()[i].left(kMaxWordLength - 1) + "Q";
        if (!dict.contains(Crypte(w)))
            out.append(w);
    }
    return out;
}

// A private copy of the dictionary, detached from the shared one.
WordList ownCopy() {
    WordList copy = frenchDictionary();
    copy.append(Crypte("ZZZZ"));
    copy.removeAt(copy.count() - 1);
    return copy;
}

double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double heapMegabytes() {
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / (1024.0 * 1024.0);
}

void BM_LoadedListMemory(benchmark::State& state) {
    const QString path = dictionaryFile();
    for (auto _ : state) {
        state.PauseTiming();
        malloc_trim(0);
        const double rss0 = residentMegabytes();
        const double heap0 = heapMegabytes();
        state.ResumeTiming();
        WordList words;
        words.load(path, path);
        state.PauseTiming();
        state.counters["entries"] = double(words.count());
        state.counters["heap_MB"] = heapMegabytes() - heap0;
        state.counters["rss_growth_MB"] = residentMegabytes() - rss0;
        state.counters["process_rss_MB"] = residentMegabytes();
        state.ResumeTiming();
    }
}

void BM_LoadDictionary(benchmark::State& state) {
    const QString path = dictionaryFile();
    for (auto _ : state) {
        WordList words;
        words.load(path, path);
        benchmark::DoNotOptimize(words.count());
        state.PauseTiming();
        words.clear();
        state.ResumeTiming();
    }
}

void BM_WriteDictionary(benchmark::State& state) {
    const QString path = scratchFile(QStringLiteral("Ecrit.dat"));
    const WordList& words = frenchDictionary();
    for (auto _ : state)
        words.save(path, path);
}

void BM_AddWordWithTri(benchmark::State& state) {
    WordList words = ownCopy();
    const QList<QByteArray> added = newWords();
    qsizetype k = 0;
    for (auto _ : state) {
        const QByteArray scrambled = Crypte(added[k++ % added.size()]);
        if (!words.contains(scrambled))
            words.append(scrambled);
        Tri(words);
        state.PauseTiming();
        words.removeAt(words.indexOf(scrambled));
        state.ResumeTiming();
    }
    state.counters["entries"] = double(words.count());
}

void BM_DeleteWord(benchmark::State& state) {
    WordList words = ownCopy();
    const QList<QByteArray>& plain = frenchWords();
    qsizetype k = 0;
    for (auto _ : state) {
        const QByteArray scrambled = Crypte(plain[(k++ * 7919) % plain.size()]);
        const qsizetype at = words.indexOf(scrambled);
        words.removeAt(at);
        state.PauseTiming();
        words.append(scrambled);
        Tri(words);
        state.ResumeTiming();
    }
    state.counters["entries"] = double(words.count());
}

void importInto(benchmark::State& state, bool full) {
    const QString path = wordListFile();
    for (auto _ : state) {
        state.PauseTiming();
        WordList words = full ? ownCopy() : WordList();
        state.ResumeTiming();
        QList<QByteArray> lines = readTextLines(path);
        const qsizetype added = importLines(words, lines);
        lines.clear();
        Tri(words);
        state.PauseTiming();
        state.counters["lines"] = double(readTextLines(path).size());
        state.counters["added"] = double(added);
        state.counters["entries"] = double(words.count());
        words.clear();
        state.ResumeTiming();
    }
}

void BM_ImportIntoEmpty(benchmark::State& state) { importInto(state, false); }
void BM_ImportIntoFull(benchmark::State& state) { importInto(state, true); }

} // namespace

// The memory figure comes first, before the other benchmarks have grown the heap.
BENCHMARK(BM_LoadedListMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteDictionary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddWordWithTri)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteWord)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ImportIntoEmpty)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportIntoFull)->Unit(benchmark::kMillisecond);

} // namespace orv::bench
