// Opening the browser, the statistics and the word search with the real
// French dictionary, and the two list fillings a user waits for in them:
// one letter in the browser, one search in the search window. Each window is
// shown and painted on the offscreen platform, as a user would first see it.
#include "bench_data.h"

#include "dictionary/dictionary_browser.h"
#include "dictionary/statistics_window.h"
#include "search/word_search_window.h"

#include <QApplication>
#include <QListView>
#include <benchmark/benchmark.h>

namespace orv::bench {
namespace {

const WordList& loadedDictionary() {
    static const WordList words = [] {
        const QString path = scratchFile(QStringLiteral("Dicogrd-windows.dat"));
        frenchDictionary().save(path, path);
        WordList loaded;
        loaded.load(path, path);
        return loaded;
    }();
    return words;
}

// Counts the paint events of a window's controls, to show that the timings
// include the painting.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& window) {
        for (QWidget* w : window.findChildren<QWidget*>())
            w->installEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Init, show and the events that paint it; the closing is not counted.
template <typename Window> void openAndClose(benchmark::State& state) {
    Window window;
    PaintCounter counter(window);
    const WordList& words = loadedDictionary();
    for (auto _ : state) {
        window.Init(words);
        window.show();
        QApplication::processEvents();
        state.PauseTiming();
        window.close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["paints"] = counter.paints / double(state.iterations());
}

void BM_OpenBrowser(benchmark::State& state) { openAndClose<TDico>(state); }
void BM_OpenStatistics(benchmark::State& state) { openAndClose<TStats>(state); }
void BM_OpenWordSearch(benchmark::State& state) { openAndClose<TRMots>(state); }
BENCHMARK(BM_OpenBrowser)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenStatistics)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWordSearch)->Unit(benchmark::kMillisecond);

void BM_BrowserLetter(benchmark::State& state) {
    TDico window;
    window.Init(loadedDictionary());
    window.show();
    QApplication::processEvents();
    PaintCounter counter(window);
    const char letter = char(state.range(0));
    for (auto _ : state) {
        window.AffMots(letter);
        window.ListBox1->repaint();
    }
    state.counters["words"] = double(window.ListBox1->model()->rowCount());
    state.counters["paints"] = counter.paints / double(state.iterations());
    window.close();
}
BENCHMARK(BM_BrowserLetter)->Arg('D')->Arg('Z')->Unit(benchmark::kMillisecond);

void BM_SearchWindowSearch(benchmark::State& state, int length, const char* pattern) {
    TRMots window;
    window.Init(loadedDictionary());
    window.show();
    QApplication::processEvents();
    PaintCounter counter(window);
    window.SpinEdit1->setValue(length);
    window.Button1Click();
    for (int p = 1; pattern[p - 1]; ++p)
        if (pattern[p - 1] != '.') {
            window.LabelClick(p);
            window.SpeedButtonClick(pattern[p - 1]);
        }
    for (auto _ : state) {
        window.Button2Click();
        window.ListBox1->repaint();
    }
    state.counters["words"] = double(window.ListBox1->model()->rowCount());
    state.counters["paints"] = counter.paints / double(state.iterations());
    window.close();
}
BENCHMARK_CAPTURE(BM_SearchWindowSearch, C_____E, 7, "C.....E")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchWindowSearch, all_free_10, 10, "..........")
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace orv::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
