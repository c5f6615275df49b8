// The fill on hard layouts it has never seen: layouts drawn by
// hard_layouts.cpp from fixed seeds (13x13 to 20x20, French rules), each
// filled with the French dictionary by several seeds: the plain reference
// search (one thread, geometric restarts, nothing learnt: the search as it
// stood before it learnt from its failures), the fill without scores and
// the fill with « Mots courants » with the default settings, up to its first
// fill (the search for fewer unknown words that follows is left out: its
// time is the user's to give). Per grid and
// fill: how many seeds filled it, the median and the worst CPU time of the
// process (every thread counted), and the median's ratio to the reference's
// in the same run. --write DIR also writes each layout as DIR/NAME.grid, so
// that bench/fill_vs_qxw.py --grids DIR measures Qxw on the same layouts.
//
//   orv_hard_fill [--layouts K] [--layout-seed BASE] [--seeds N] [--time-limit S]
//                 [--threads T] [--only SIDE] [--print] [--write DIR] [--no-reference]
//                 [--geometric | --luby] [--no-learn]
#include "bench_data.h"
#include "hard_layouts.h"

#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"
#include "fill/fill_scores.h"
#include "fill/grid_fill.h"
#include "grid/grid_slots.h"
#include "grid/grid_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace orv;

namespace {

constexpr ImproveEffort kFirstFillOnly{0, 0};

struct Runs {
    int filled = 0;
    int impossible = 0; // ended with "no fill exists"
    std::vector<double> cpuMs;
    double median() const {
        std::vector<double> v = cpuMs;
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }
    double worst() const {
        return cpuMs.empty() ? 0 : *std::max_element(cpuMs.begin(), cpuMs.end());
    }
};

// Whether the grid holds only words of the index, each once, in every slot.
bool validFill(const Grille& grid, const WordIndex& index) {
    const GridSlots slots(grid);
    std::vector<QByteArray> seen;
    for (const Slot& s : slots.slots()) {
        const QByteArray w = slotPattern(grid, s);
        if (w.contains('.') || index.find(w) < 0 ||
            std::find(seen.begin(), seen.end(), w) != seen.end())
            return false;
        seen.push_back(w);
    }
    return true;
}

void timed(Runs& runs, const std::function<FillResult()>& fill, const WordIndex& index) {
    const std::clock_t cpu = std::clock();
    const FillResult r = fill();
    runs.cpuMs.push_back(1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC);
    if (r.status == FillStatus::Filled && validFill(r.grille, index))
        ++runs.filled;
    runs.impossible += r.status == FillStatus::NoFill;
}

void printRow(const char* grid, const char* who, const Runs& r, double reference) {
    std::printf("%-16s %-11s %2d/%-2d %10.1f %10.1f %8s%s\n", grid, who, r.filled,
                int(r.cpuMs.size()), r.median(), r.worst(),
                reference > 0 ? QByteArray::number(r.median() / reference, 'f', 2).constData() : "",
                r.impossible ? "  (proved impossible)" : "");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int layouts = 2;
    std::uint64_t layoutSeed = 1;
    int seeds = 5;
    double limit = 20;
    int threads = 0;
    int only = 0;
    bool print = false;
    QString writeDir;
    bool reference = true;
    // What the fills other than the reference run with (for comparing the
    // parts of the search).
    RestartSchedule schedule = FillOptions{}.restarts;
    bool learn = FillOptions{}.learn;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool more = i + 1 < args.size();
        if (a == QLatin1String("--layouts") && more)
            layouts = args[++i].toInt();
        else if (a == QLatin1String("--layout-seed") && more)
            layoutSeed = args[++i].toULongLong();
        else if (a == QLatin1String("--seeds") && more)
            seeds = args[++i].toInt();
        else if (a == QLatin1String("--time-limit") && more)
            limit = args[++i].toDouble();
        else if (a == QLatin1String("--threads") && more)
            threads = args[++i].toInt();
        else if (a == QLatin1String("--only") && more)
            only = args[++i].toInt();
        else if (a == QLatin1String("--print"))
            print = true;
        else if (a == QLatin1String("--write") && more)
            writeDir = args[++i];
        else if (a == QLatin1String("--geometric"))
            schedule = RestartSchedule::Geometric;
        else if (a == QLatin1String("--luby"))
            schedule = RestartSchedule::Luby;
        else if (a == QLatin1String("--no-learn"))
            learn = false;
        else if (a == QLatin1String("--no-reference"))
            reference = false;
        else {
            std::fprintf(stderr, "unknown argument %s\n", qPrintable(a));
            return 1;
        }
    }
    const WordScores scores;
    const auto [plain, scored] = bench::frenchIndexes();
    std::printf("threads %d, %d seeds per grid, time limit %.0f s; CPU ms of the process\n",
                fillThreads(threads), seeds, limit);
    std::printf("%-16s %-11s %5s %10s %10s %8s\n", "grid", "fill", "fill", "median", "worst",
                "/ref");
    for (const bench::LayoutKind& kind : bench::hardLayoutKinds()) {
        if (only && kind.side != only)
            continue;
        for (int k = 0; k < layouts; ++k) {
            const std::uint64_t seedOfLayout = layoutSeed + std::uint64_t(k);
            const QByteArray text = bench::hardLayout(kind, seedOfLayout);
            const Grille grid = readGridText(text);
            const QByteArray label =
                QByteArray::number(kind.side) + "x" + QByteArray::number(kind.side) + "_k" +
                QByteArray::number(text.count('#')) + "_l" + QByteArray::number(seedOfLayout);
            if (print)
                std::printf("%s", text.constData());
            if (!writeDir.isEmpty()) {
                QFile out(QDir(writeDir).filePath(QString::fromLatin1(label) + ".grid"));
                if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size()) {
                    std::fprintf(stderr, "cannot write %s\n", qPrintable(out.fileName()));
                    return 1;
                }
            }
            Runs ref, none, common;
            for (int seed = 1; seed <= seeds; ++seed) {
                FillOptions o;
                o.seed = std::uint64_t(seed);
                o.timeLimitSeconds = limit;
                if (reference) {
                    FillOptions r = o;
                    r.restarts = RestartSchedule::Geometric;
                    r.learn = false;
                    timed(
                        ref, [&] { return fillGrid(grid, plain, r); }, plain);
                }
                o.threads = threads;
                o.restarts = schedule;
                o.learn = learn;
                timed(
                    none, [&] { return fillGrid(grid, plain, o); }, plain);
                const VocabularyFill v = vocabularyFill(Vocabulary::Common);
                o.minScore = v.minScore;
                o.scoreWeight = kScoreWeight;
                timed(
                    common,
                    [&] {
                        return fillPreferringKnownWords(grid, scored, o, v.preferred,
                                                        kPreferredFailures, kFirstFillOnly);
                    },
                    scored);
            }
            const double refMedian = reference ? ref.median() : 0;
            if (reference)
                printRow(label.constData(), "reference", ref, refMedian);
            printRow(label.constData(), "sans scores", none, refMedian);
            printRow(label.constData(), "courants", common, refMedian);
            std::printf("%-16s courants / sans scores: %.2f\n", label.constData(),
                        none.median() > 0 ? common.median() / none.median() : 0.0);
        }
    }
    return 0;
}
