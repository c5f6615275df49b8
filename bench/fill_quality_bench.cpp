// How well known the words of a fill are, beside its time: every grid of a
// folder filled with the French dictionary without scores and with the
// "Mots courants" vocabulary, 30 seeds each (with fewer, a grid's median time
// depends on the seeds drawn); for each, the share of the words of 3 letters
// or more that the frequency table holds, the mean score, the median time
// (CPU and wall-clock). With --qxw, Qxw fills the same grid
// from the same words once, and its fill is measured the same way.
//
// With --thorough, the common-words fill searches as « Chercher plus de mots
// courants » does.
//
// Beside the common-words fill as it ran before the words' classes
// (« courants seuls »), the fill of the program (« qualité »: no weak word
// first, then the search for better words) is measured the same way, with the
// weak words per grid (median and worst) and the well-known words' share.
// With --own-layouts N, the grids are N layouts of 10x10 and N of 13x13 drawn
// by the maker (black squares only, seeds from 1000) rather than a folder's.
// With --make 10x10,13x13 the maker is measured instead, over --seeds seeds
// from --first-seed: without the classes (as it was) and with them, the
// latter keeping the best of --drafts grids (the program's own number).
//
//   orv_fill_quality [GRID_FOLDER] [--seeds N] [--time-limit S] [--only PART] [--thorough]
//                    [--qxw] [--verbose] [--own-layouts N]
//                    [--make SIZES [--first-seed N] [--drafts N]]
#include "bench_data.h"

#include "common/text_file.h"
#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"
#include "fill/fill_scores.h"
#include "fill/grid_fill.h"
#include "fill/grid_maker.h"
#include "fill/word_quality.h"
#include "grid/grid_slots.h"
#include "grid/grid_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace orv;

namespace {

struct Run {
    bool filled = false;
    std::uint64_t decisions = 0;
    std::uint64_t failures = 0;
    int restarts = 0;
    double cpuMs = 0;
    double wallMs = 0;
    FillQuality quality;
    int known = 0; // well-known words of 3 letters or more
};

int knownLong(const Grille& g, const WordScores& scores) {
    int n = 0;
    const GridSlots slots(g);
    for (const Slot& s : slots.slots())
        n += s.length() >= 3 && scores.wordClass(slotPattern(g, s)) == WordClass::Known;
    return n;
}

struct Summary {
    int runs = 0;
    int filled = 0;
    double cpuMs = 0; // median
    double wallMs = 0;
    long longWords = 0;
    long frequentLong = 0;
    double scoreSum = 0;
    int scored = 0;
    std::vector<double> weak; // weak words of each grid filled
    long known = 0;           // well-known words of 3 letters or more
    double cpuWorst = 0;
    double share() const { return longWords ? double(frequentLong) / longWords : 0; }
    double meanScore() const { return scored ? scoreSum / scored : 0; }
};

double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Summary summarize(const std::vector<Run>& runs) {
    Summary s;
    std::vector<double> cpu, wall;
    for (const Run& r : runs) {
        ++s.runs;
        cpu.push_back(r.cpuMs);
        wall.push_back(r.wallMs);
        if (!r.filled)
            continue;
        ++s.filled;
        s.weak.push_back(double(r.quality.weakWords.size()));
        s.known += r.known;
        s.longWords += r.quality.longWords;
        s.frequentLong += r.quality.frequentLong;
        s.scoreSum += r.quality.meanScore;
        ++s.scored;
    }
    s.cpuMs = median(cpu);
    s.wallMs = median(wall);
    s.cpuWorst = cpu.empty() ? 0 : *std::max_element(cpu.begin(), cpu.end());
    return s;
}

template <typename Fill> Run timed(Fill fill, const WordScores& scores) {
    Run r;
    QElapsedTimer wall;
    wall.start();
    const std::clock_t cpu = std::clock();
    const FillResult result = fill();
    r.cpuMs = 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC;
    r.wallMs = double(wall.nsecsElapsed()) / 1e6;
    r.filled = result.status == FillStatus::Filled;
    r.decisions = result.decisions;
    r.failures = result.failures;
    r.restarts = result.restarts;
    if (r.filled) {
        r.quality = fillQuality(result.grille, scores);
        r.known = knownLong(result.grille, scores);
    }
    return r;
}

// Qxw's batch deck: one line per slot, its cells as row * width + column.
QByteArray qxwDeck(const Grille& grid, const GridSlots& slots) {
    QByteArray deck;
    const int width = grid.NbColonnes - 1;
    for (const Slot& slot : slots.slots()) {
        QByteArrayList cells;
        for (const SlotCell& c : slot.cells)
            cells.append(QByteArray::number((c.row - 1) * width + (c.col - 1)));
        deck += cells.join(' ') + '\n';
    }
    return deck;
}

// Qxw's fill of the grid, or nullopt; its "W<i> WORD" lines give the slots' words.
Run qxwRun(const Grille& grid, const QString& wordFile, const QString& dir, double limit,
           const WordScores& scores) {
    Run r;
    const GridSlots slots(grid);
    const QString deck = dir + QStringLiteral("/deck.qxd");
    writeWholeFile(deck, qxwDeck(grid, slots));
    QProcess p;
    QElapsedTimer wall;
    wall.start();
    p.start(QStringLiteral("/usr/games/qxw"),
            {QStringLiteral("-b"), QStringLiteral("-d"), wordFile, deck});
    if (!p.waitForFinished(int(limit * 1000))) {
        p.kill();
        p.waitForFinished();
        r.wallMs = double(wall.nsecsElapsed()) / 1e6;
        return r;
    }
    r.wallMs = double(wall.nsecsElapsed()) / 1e6;
    r.cpuMs = -1; // a child's CPU time is not measured
    if (p.exitCode() != 0)
        return r;
    Grille filled = grid;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
        if (!line.startsWith('W'))
            continue;
        const QList<QByteArray> f = line.mid(1).split(' ');
        bool ok = false;
        const int s = f.value(0).toInt(&ok);
        if (!ok || s < 0 || s >= slots.count() || f.size() < 2)
            continue;
        const QByteArray word = f[1].trimmed();
        const Slot& slot = slots[s];
        for (int i = 0; i < slot.length() && i < word.size(); ++i)
            filled.cell(slot.cells[std::size_t(i)].col, slot.cells[std::size_t(i)].row) = word[i];
    }
    r.filled = true;
    r.quality = fillQuality(filled, scores);
    return r;
}

void printRow(const char* grid, const char* who, const Summary& s, double cpuRef) {
    std::vector<double> weak = s.weak;
    const double worst = weak.empty() ? 0 : *std::max_element(weak.begin(), weak.end());
    double weakSum = 0;
    for (double w : weak)
        weakSum += w;
    std::printf(
        "%-12s %-14s %3d/%-3d %9.1f %9.1f %7s %6.1f %% %6.1f %5.0f %5.0f %5.2f %6.1f %% "
        "%9.1f\n",
        grid, who, s.filled, s.runs, s.cpuMs, s.wallMs,
        cpuRef > 0 && s.cpuMs >= 0 ? QByteArray::number(s.cpuMs / cpuRef, 'f', 2).constData() : "",
        100.0 * s.share(), s.meanScore(), median(weak), worst,
        weak.empty() ? 0.0 : weakSum / double(weak.size()),
        s.longWords ? 100.0 * double(s.known) / double(s.longWords) : 0.0, s.cpuWorst);
}

void add(Summary& all, const Summary& s) {
    all.runs += s.runs;
    all.filled += s.filled;
    all.cpuMs += s.cpuMs;
    all.wallMs += s.wallMs;
    all.longWords += s.longWords;
    all.frequentLong += s.frequentLong;
    all.scoreSum += s.scoreSum;
    all.scored += s.scored;
    all.known += s.known;
    all.weak.insert(all.weak.end(), s.weak.begin(), s.weak.end());
    all.cpuWorst = std::max(all.cpuWorst, s.cpuWorst);
}

const char* kHeader = "%-12s %-14s %7s %9s %9s %7s %8s %6s %5s %5s %5s %8s %9s\n";
void printHeader() {
    std::printf(kHeader, "grid", "fill", "filled", "cpu", "wall", "ratio", "in table", "score",
                "weak", "worst", "mean", "known", "cpu worst");
}

// The maker as it was (no classes) and as it is, over the seeds.
void measureMaker(const QString& sizes, int seeds, int firstSeed, double limit, int drafts,
                  const WordIndex& scored, const WordScores& scores) {
    printHeader();
    for (const QString& size : sizes.split(QLatin1Char(','))) {
        const QStringList rc = size.split(QLatin1Char('x'));
        const int rows = rc.value(0).toInt();
        const int cols = rc.value(1).toInt();
        std::vector<Run> before, after;
        for (int seed = firstSeed; seed < firstSeed + seeds; ++seed) {
            for (const bool withClasses : {false, true}) {
                IndexClasses classes(scored, scores);
                MakeOptions o;
                o.seed = std::uint64_t(seed);
                o.maxBlacks = defaultMaxBlacks(rows, cols);
                const VocabularyFill v = vocabularyFill(Vocabulary::Common);
                o.minScore = v.minScore;
                o.scoreWeight = kScoreWeight;
                o.timeLimitSeconds = limit;
                o.fill = [p = v.preferred](const Grille& g, const WordIndex& i,
                                           const FillOptions& fo) {
                    return fillPreferringKnownWords(g, i, fo, p);
                };
                if (withClasses) {
                    o.classes = &classes;
                    o.drafts = drafts;
                }
                (withClasses ? after : before)
                    .push_back(timed(
                        [&] {
                            const MakeResult m = makeGrid(Grille(rows, cols), scored, o);
                            FillResult f;
                            f.status = m.status == MakeStatus::Made ? FillStatus::Filled
                                                                    : FillStatus::TimedOut;
                            f.grille = m.grille;
                            return f;
                        },
                        scores));
            }
        }
        const QByteArray label = size.toLatin1();
        printRow(label.constData(), "sans classes", summarize(before), 0);
        printRow(label.constData(), "avec classes", summarize(after), 0);
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString folder = QStringLiteral(ORV_SOURCE_DIR "/../shared/bench/grids");
    int seeds = 30;
    double limit = 30;
    bool qxw = false;
    bool verbose = false; // each fill's figures
    bool thorough = false;
    QString only; // a part of the names of the grids to fill
    QString make; // sizes for the maker
    int firstSeed = 1;
    int drafts = kMakerDrafts;
    int ownLayouts = 0;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--seeds") && i + 1 < args.size())
            seeds = args[++i].toInt();
        else if (args[i] == QLatin1String("--time-limit") && i + 1 < args.size())
            limit = args[++i].toDouble();
        else if (args[i] == QLatin1String("--verbose"))
            verbose = true;
        else if (args[i] == QLatin1String("--thorough"))
            thorough = true;
        else if (args[i] == QLatin1String("--qxw"))
            qxw = true;
        else if (args[i] == QLatin1String("--only") && i + 1 < args.size())
            only = args[++i];
        else if (args[i] == QLatin1String("--make") && i + 1 < args.size())
            make = args[++i];
        else if (args[i] == QLatin1String("--drafts") && i + 1 < args.size())
            drafts = args[++i].toInt();
        else if (args[i] == QLatin1String("--first-seed") && i + 1 < args.size())
            firstSeed = args[++i].toInt();
        else if (args[i] == QLatin1String("--own-layouts") && i + 1 < args.size())
            ownLayouts = args[++i].toInt();
        else
            folder = args[i];
    }
    QStringList grids =
        QDir(folder).entryList({QStringLiteral("*.grid")}, QDir::Files, QDir::Name).filter(only);
    if (grids.isEmpty() && make.isEmpty() && ownLayouts == 0) {
        std::fprintf(stderr, "no *.grid in %s\n", qPrintable(folder));
        return 1;
    }

    const QList<QByteArray>& words = bench::frenchWords();
    const WordScores scores;
    const auto [plain, scored] = bench::frenchIndexes();
    QTemporaryDir tmp;
    const QString wordFile = tmp.path() + QStringLiteral("/words.txt");
    if (qxw)
        writeWholeFile(wordFile, QByteArrayList(words.begin(), words.end()).join('\n') + '\n');

    std::printf("%zu words; %d seeds per fill, %.0f s allowed; times in ms, CPU ratio to the "
                "fill without scores; weak words per grid: median, worst, mean; share of "
                "well-known words of 3 letters or more\n",
                std::size_t(words.size()), seeds, limit);
    if (!make.isEmpty()) {
        measureMaker(make, seeds, firstSeed, limit, drafts, scored, scores);
        return 0;
    }
    // The layouts to fill: the folder's, or the maker's own (black squares only).
    std::vector<std::pair<QByteArray, Grille>> layouts;
    for (const QString& name : grids)
        layouts.push_back({QFileInfo(name).completeBaseName().toLatin1(),
                           readGridText(readWholeFile(folder + QLatin1Char('/') + name))});
    if (ownLayouts > 0) {
        layouts.clear();
        for (const int side : {10, 13})
            for (int i = 0; i < ownLayouts; ++i) {
                MakeOptions o;
                o.seed = std::uint64_t(1000 + i);
                o.maxBlacks = defaultMaxBlacks(side, side);
                const MakeResult m = makeGrid(Grille(side, side), plain, o);
                if (m.status != MakeStatus::Made)
                    continue;
                Grille g = m.grille;
                for (int c = 1; c <= side; ++c)
                    for (int r = 1; r <= side; ++r)
                        if (g.cell(c, r) != '#')
                            g.cell(c, r) = ' ';
                layouts.push_back(
                    {QByteArray("own") + QByteArray::number(side) + "_" + QByteArray::number(i),
                     g});
            }
    }
    printHeader();
    Summary allNone, allCommon, allQuality;
    for (const auto& [label, grid] : layouts) {
        std::vector<Run> none, common, quality;
        for (int seed = 1; seed <= seeds; ++seed) {
            FillOptions o;
            o.seed = std::uint64_t(seed);
            o.timeLimitSeconds = limit;
            none.push_back(timed([&] { return fillGrid(grid, plain, o); }, scores));
            const VocabularyFill v = vocabularyFill(Vocabulary::Common);
            o.minScore = v.minScore;
            o.scoreWeight = kScoreWeight;
            common.push_back(timed(
                [&] {
                    return fillPreferringKnownWords(grid, scored, o, v.preferred,
                                                    kPreferredFailures,
                                                    thorough ? kThoroughImprove : ImproveEffort{});
                },
                scores));
            quality.push_back(timed(
                [&] {
                    IndexClasses classes(scored, scores);
                    return fillForQuality(grid, classes, o, v.preferred,
                                          thorough ? kThoroughImprove : ImproveEffort{},
                                          thorough ? kThoroughQuality : kFillQuality);
                },
                scores));
        }
        if (verbose)
            for (int i = 0; i < seeds; ++i)
                for (const auto& [who, r] : {std::pair{"sans", &none[std::size_t(i)]},
                                             std::pair{"courants", &common[std::size_t(i)]}})
                    std::printf("  %s seed %d %-8s %7.1f ms  %llu decisions %llu failures %d "
                                "restarts  %d/%d in table\n",
                                label.constData(), i + 1, who, r->cpuMs,
                                (unsigned long long)r->decisions, (unsigned long long)r->failures,
                                r->restarts, r->quality.frequentLong, r->quality.longWords);
        const Summary n = summarize(none), c = summarize(common), q = summarize(quality);
        printRow(label.constData(), "sans scores", n, 0);
        printRow(label.constData(), "courants seuls", c, n.cpuMs);
        printRow(label.constData(), "qualité", q, n.cpuMs);
        if (qxw)
            printRow(label.constData(), "qxw (wall)",
                     summarize({qxwRun(grid, wordFile, tmp.path(), limit, scores)}), 0);
        std::fflush(stdout);
        if (label.startsWith("b10_") || label.startsWith("b13_") || label.startsWith("own")) {
            add(allNone, n);
            add(allCommon, c);
            add(allQuality, q);
        }
    }
    std::printf("\n10x10 and 13x13 together (sums of the median times):\n");
    printRow("b10+b13", "sans scores", allNone, 0);
    printRow("b10+b13", "courants seuls", allCommon, allNone.cpuMs);
    printRow("b10+b13", "qualité", allQuality, allNone.cpuMs);
    return 0;
}
