// Word scores at real size: building the shipped table from its compiled-in
// texts, and the scores of the whole French dictionary, one byte per word,
// beside the load of "Dicogrd.dat" measured in the same run as the reference.
#include "bench_data.h"

#include "dictionary/word_scores.h"

#include <QResource>
#include <benchmark/benchmark.h>

namespace orv::bench {
namespace {

QByteArray resourceText(const char* path) {
    QResource r(QString::fromLatin1(path));
    return QByteArray::fromRawData(reinterpret_cast<const char*>(r.data()), r.size());
}

void BM_LoadScoreTable(benchmark::State& state) {
    const QByteArray frequent = resourceText(":/scores/scores_fr.txt");
    const QByteArray rare = resourceText(":/scores/rare_forms_fr.txt");
    qsizetype words = 0;
    for (auto _ : state) {
        ScoreTable table(frequent, rare);
        words = table.frequentCount() + table.rareCount();
        benchmark::DoNotOptimize(words);
    }
    state.counters["table_words"] = double(words);
}
BENCHMARK(BM_LoadScoreTable)->Unit(benchmark::kMillisecond);

// The per-word array that the dictionary index keeps: one byte per word.
void BM_ScoresOfDictionary(benchmark::State& state) {
    const WordScores scores;
    const QList<QByteArray>& words = frenchWords();
    std::vector<std::uint8_t> out;
    for (auto _ : state) {
        out = scores.scoresOf(words);
        benchmark::DoNotOptimize(out.data());
    }
    qsizetype frequent = 0, common = 0, rare = 0;
    for (qsizetype i = 0; i < words.size(); ++i) {
        frequent += scores.isFrequent(words[i]);
        common += out[i] >= minimumScore(Vocabulary::Common);
        rare += out[i] < minimumScore(Vocabulary::Extended);
    }
    state.counters["words"] = double(words.size());
    state.counters["bytes_per_word"] = double(sizeof(out[0]));
    state.counters["in_table"] = double(frequent);
    state.counters["common"] = double(common);
    state.counters["rare_forms"] = double(rare);
}
BENCHMARK(BM_ScoresOfDictionary)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace orv::bench
