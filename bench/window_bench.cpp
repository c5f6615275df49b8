// Opening the browser, the statistics and the word search with the real
// French dictionary, and the two list fillings a user waits for in them:
// one letter in the browser, one search in the search window. Each window is
// shown and painted on the offscreen platform, as a user would first see it.
#include "bench_data.h"

#include "definitions/clue_sheet_window.h"
#include "dictionary/dictionary_browser.h"
#include "dictionary/statistics_window.h"
#include "search/word_search_window.h"

#include <QApplication>
#include <QDockWidget>
#include <QHeaderView>
#include <QListView>
#include <QMainWindow>
#include <QTableWidget>
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

// The clue sheet docked beside a 20x20 grid with a clue on every line: what
// « Définitions de grille » does before the user sees it (labels, clues,
// every line's words, the count, the stored clues of the current word), then
// shown and painted.
Grille clueGrid() {
    Grille g(20, 20);
    for (int c = 1; c <= 20; ++c)
        for (int r = 1; r <= 20; ++r)
            g.cell(c, r) = (c * 7 + r * 3) % 11 == 0 ? '#' : char('A' + (c + r) % 26);
    for (int k = 0; k < 20; ++k) {
        g.DefHoriz[std::size_t(k)] = "Premier mot de la ligne. \x96 Second mot.";
        g.DefVert[std::size_t(k)] = "D\xe9"
                                    "finition de la colonne";
    }
    return g;
}

void BM_OpenClueDock(benchmark::State& state) {
    const Grille g = clueGrid();
    QMainWindow window;
    window.resize(1200, 800);
    auto* sheet = new TDefgrille(&window);
    window.addDockWidget(Qt::LeftDockWidgetArea, sheet);
    sheet->hide();
    window.show();
    QApplication::processEvents();
    PaintCounter counter(*sheet);
    const std::vector<StoredClue> stored{{"Souverain", "a.grd", "2025-06-01 10:00"},
                                         {"Chef d'\u00c9tat", "b.grd", "2024-01-01 10:00"}};
    for (auto _ : state) {
        const GridSlots slots(g);
        sheet->show();
        sheet->Init(sheetRowCount(g), sheetColumnCount(g));
        sheet->setClues(cluesForSheet(g));
        sheet->setLineWords(lineWords(g, slots, SlotDirection::Horizontal),
                            lineWords(g, slots, SlotDirection::Vertical));
        sheet->setMissingCount(wordsWithoutClue(g, slots));
        sheet->followCursor(1, 1);
        sheet->setStoredClues(QStringLiteral("1. MOT"), stored);
        QApplication::processEvents();
        state.PauseTiming();
        sheet->hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["paints"] = counter.paints / double(state.iterations());
}
BENCHMARK(BM_OpenClueDock)->Unit(benchmark::kMillisecond);

// Reference: a plain dock of two 20-line tables of two text columns, filled and shown the same way.
void BM_OpenClueDockReference(benchmark::State& state) {
    QMainWindow window;
    window.resize(1200, 800);
    auto* dock = new QDockWidget(&window);
    auto* table = new QTableWidget(40, 2, dock);
    table->horizontalHeader()->setStretchLastSection(true);
    dock->setWidget(table);
    window.addDockWidget(Qt::LeftDockWidgetArea, dock);
    dock->hide();
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        dock->show();
        for (int r = 0; r < 40; ++r) {
            table->setItem(r, 0, new QTableWidgetItem(QString::number(r + 1)));
            table->setItem(r, 1, new QTableWidgetItem(QStringLiteral("Premier mot de la ligne.")));
        }
        QApplication::processEvents();
        state.PauseTiming();
        dock->hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenClueDockReference)->Unit(benchmark::kMillisecond);

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
