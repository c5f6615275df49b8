// The fill search: planted fills of every size found and checked by an
// independent checker, small grids decided exactly as a brute force decides
// them, impossibility proved and explained, the stop flag, the seed; what
// the search learns across restarts never cuts a fill, and the searches run
// side by side fill, stop together and, alone, repeat themselves.
#include "fill/grid_fill.h"

#include "common/text_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/scramble.h"
#include "dictionary/word_index.h"
#include "dictionary/word_source.h"
#include "grid/grid_slots.h"
#include "grid/grid_text.h"

#include "support/fill_checker.h"
#include "support/planted_grid.h"

#include <QFile>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

using namespace orv;
using orv::test::plant;
using orv::test::Planted;

namespace {

QSet<QByteArray> wordSet(const std::vector<QByteArray>& words) {
    return QSet<QByteArray>(words.begin(), words.end());
}

WordIndex indexOf(const std::vector<QByteArray>& words) {
    WordIndex index;
    index.buildFromPlain(words);
    return index;
}

// Every fill of a 3x3 grid of white cells, as grid texts: every row and
// column a word of the list, six different words.
QSet<QByteArray> allFills3x3(const std::vector<QByteArray>& words) {
    const QSet<QByteArray> set = wordSet(words);
    const QList<QByteArray> list = set.values();
    QSet<QByteArray> fills;
    for (const QByteArray& a : list)
        for (const QByteArray& b : list)
            for (const QByteArray& c : list) {
                QSet<QByteArray> used{a, b, c};
                if (used.size() != 3)
                    continue;
                bool ok = true;
                for (int k = 0; k < 3 && ok; ++k) {
                    const QByteArray col = QByteArray(1, a[k]) + b[k] + c[k];
                    ok = set.contains(col) && !used.contains(col);
                    used.insert(col);
                }
                if (ok)
                    fills.insert(gridText(readGridText(a + '\n' + b + '\n' + c + '\n')));
            }
    return fills;
}

bool bruteForce3x3(const std::vector<QByteArray>& words) { return !allFills3x3(words).isEmpty(); }

// n words of three letters drawn from A, B and C (some twice): small lists
// whose 3x3 fills can all be listed.
std::vector<QByteArray> threeLetterWords(std::mt19937& rng, int n) {
    std::vector<QByteArray> words;
    for (int k = 0; k < n; ++k) {
        QByteArray w(3, 'A');
        for (char& c : w)
            c = char('A' + rng() % 3);
        words.push_back(w);
    }
    return words;
}

// Whether a grid of white cells, `rows` by `cols`, has a fill from the list
// (every row and column a word, no word twice), by trying every row word in
// turn and checking the columns' beginnings as they grow.
bool exhaustiveFill(int rows, int cols, const std::vector<QByteArray>& words) {
    const QSet<QByteArray> set = wordSet(words);
    QSet<QByteArray> prefixes;
    for (const QByteArray& w : set)
        for (int k = 1; k <= w.size(); ++k)
            prefixes.insert(w.left(k));
    std::vector<QByteArray> rowWords;
    for (const QByteArray& w : set)
        if (w.size() == cols)
            rowWords.push_back(w);
    std::vector<QByteArray> chosen;
    std::function<bool()> place = [&]() -> bool {
        if (int(chosen.size()) == rows) {
            QSet<QByteArray> used(chosen.begin(), chosen.end());
            if (used.size() != rows)
                return false;
            for (int c = 0; c < cols; ++c) {
                QByteArray col;
                for (const QByteArray& r : chosen)
                    col += r[c];
                if (!set.contains(col) || used.contains(col))
                    return false;
                used.insert(col);
            }
            return true;
        }
        for (const QByteArray& w : rowWords) {
            chosen.push_back(w);
            bool ok = true;
            for (int c = 0; c < cols && ok; ++c) {
                QByteArray col;
                for (const QByteArray& r : chosen)
                    col += r[c];
                ok = prefixes.contains(col);
            }
            if (ok && place())
                return true;
            chosen.pop_back();
        }
        return false;
    };
    return place();
}

} // namespace

class GridFillTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fillsPlantedGrids_data();
    void fillsPlantedGrids();
    void keepsLettersAndForeignWords();
    void fillsAFrenchGrid();
    void decidesSmallGridsLikeABruteForce();
    void namesTheSlotThatNoWordFits();
    void provesImpossibleWithoutSearch();
    void stopsWhenAsked();
    void stopsAtTheTimeLimit();
    void sameSeedSameFill();
    void nothingToFill();
    void reportsProgress();
    void learntNogoodsKeepEveryFill();
    void portfolioFillsAndStopsTogether();
    void oneThreadRepeatsItself();
    void refusedFillsGiveEveryOtherFill();
    void boundedWordsMatchTheFewestOfEveryFill();
};

void GridFillTest::fillsPlantedGrids_data() {
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("blacks");
    QTest::addColumn<int>("noise");
    QTest::newRow("6x6 without black squares") << 6 << 0 << 300;
    QTest::newRow("6x6 dotted") << 6 << 6 << 2000;
    QTest::newRow("10x10") << 10 << 16 << 2000;
    QTest::newRow("13x13") << 13 << 30 << 400;
    QTest::newRow("20x20") << 20 << 70 << 400;
}

void GridFillTest::fillsPlantedGrids() {
    QFETCH(int, side);
    QFETCH(int, blacks);
    QFETCH(int, noise);
    for (std::uint32_t seed = 1; seed <= 2; ++seed) {
        const Planted p = plant(side, blacks, noise, seed * 31 + std::uint32_t(side));
        const WordIndex index = indexOf(p.words);
        FillOptions options;
        options.seed = seed;
        options.timeLimitSeconds = 60;
        const FillResult r = fillGrid(p.empty, index, options);
        QCOMPARE(r.status, FillStatus::Filled);
        QCOMPARE(r.slots, GridSlots(p.empty).count());
        const QStringList problems = test::fillProblems(p.empty, r.grille, wordSet(p.words));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }
}

void GridFillTest::keepsLettersAndForeignWords() {
    const Planted p = plant(10, 14, 1500, 5);
    Grille start = p.empty;
    // A few letters of the solution typed in, and a whole row kept as it is
    // although its word is in no list: it only constrains its crossings.
    int typed = 0;
    for (int c = 1; c <= 10; c += 3)
        for (int r = 2; r <= 10; r += 4)
            if (start.cell(c, r) != '#') {
                start.cell(c, r) = p.solution.cell(c, r);
                ++typed;
            }
    QVERIFY(typed > 3);
    std::vector<QByteArray> words = p.words;
    const GridSlots slots(p.empty);
    int foreign = -1;
    for (int s = 0; s < slots.count() && foreign < 0; ++s)
        if (slots[s].direction == SlotDirection::Horizontal && slots[s].length() >= 4)
            foreign = s;
    QVERIFY(foreign >= 0);
    const QByteArray kept = slotPattern(p.solution, slots[foreign]);
    for (const SlotCell& c : slots[foreign].cells)
        start.cell(c.col, c.row) = p.solution.cell(c.col, c.row);
    std::erase(words, kept);
    const WordIndex index = indexOf(words);
    QVERIFY(!index.contains(kept));
    const FillResult r = fillGrid(start, index);
    QCOMPARE(r.status, FillStatus::Filled);
    const QStringList problems = test::fillProblems(start, r.grille, wordSet(words));
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    QCOMPARE(slotPattern(r.grille, slots[foreign]), kept);
}

// The real French list, when the machine has it, on a 10x10 French layout.
void GridFillTest::fillsAFrenchGrid() {
    const QString path = QStringLiteral("/usr/share/dict/french");
    if (!QFile::exists(path))
        QSKIP("no French word list on this machine");
    WordList list;
    importLines(list, wordListLines(readWholeFile(path), true));
    WordIndex index;
    index.build(list);
    QVERIFY(index.wordCount() > 300000);
    QSet<QByteArray> words;
    for (const QByteArray& e : list.entries())
        words.insert(Decrypte(e));
    const Grille g = readGridText("....#.....\n"
                                  ".#...#....\n"
                                  "...#...#..\n"
                                  "..........\n"
                                  "#...#.....\n"
                                  "....#...#.\n"
                                  ".#......#.\n"
                                  "..#.......\n"
                                  "......#...\n"
                                  "...#......\n");
    for (std::uint64_t seed : {1u}) {
        FillOptions options;
        options.seed = seed;
        options.timeLimitSeconds = 60;
        const FillResult r = fillGrid(g, index, options);
        QCOMPARE(r.status, FillStatus::Filled);
        const QStringList problems = test::fillProblems(g, r.grille, words);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }
}

void GridFillTest::decidesSmallGridsLikeABruteForce() {
    const Grille g = readGridText("...\n...\n...\n");
    std::mt19937 rng(3);
    int filled = 0;
    int impossible = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<QByteArray> words;
        const int n = 4 + int(rng() % 14);
        for (int k = 0; k < n; ++k) {
            QByteArray w(3, 'A');
            for (char& c : w)
                c = char('A' + rng() % 3);
            words.push_back(w);
        }
        const WordIndex index = indexOf(words);
        FillOptions options;
        options.seed = round;
        const FillResult r = fillGrid(g, index, options);
        const bool exists = bruteForce3x3(words);
        QCOMPARE(r.status, exists ? FillStatus::Filled : FillStatus::NoFill);
        if (exists) {
            ++filled;
            const QStringList problems = test::fillProblems(g, r.grille, wordSet(words));
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        } else {
            ++impossible;
            QCOMPARE(gridText(r.grille), gridText(g));
        }
    }
    // Both answers occur, so both were tried.
    QVERIFY(filled > 20);
    QVERIFY(impossible > 20);
}

void GridFillTest::namesTheSlotThatNoWordFits() {
    const Grille g = readGridText("#...#\n#C..Z\n.....\n");
    const WordIndex index = indexOf({"CAFE", "ZOO", "ABCDE", "CA", "AB", "ZZ", "ABC"});
    const FillResult r = fillGrid(g, index);
    QCOMPARE(r.status, FillStatus::NoFill);
    QCOMPARE(r.blockedName, QStringLiteral("ligne 2"));
    QCOMPARE(r.blockedPattern, QByteArray("C..Z"));
    QCOMPARE(gridText(r.grille), gridText(g));
}

void GridFillTest::provesImpossibleWithoutSearch() {
    // Rows AB and CD fit, but no column word does: every slot has candidates,
    // and propagation empties them.
    const Grille g = readGridText("..\n..\n");
    FillResult r = fillGrid(g, indexOf({"AB", "CD"}));
    QCOMPARE(r.status, FillStatus::NoFill);
    QCOMPARE(r.blockedSlot, -1);
    QCOMPARE(r.decisions, std::uint64_t(0));
    // One word for four slots: each word is placed once at most.
    r = fillGrid(g, indexOf({"AA"}));
    QCOMPARE(r.status, FillStatus::NoFill);
    // The same grid with enough words fills.
    r = fillGrid(g, indexOf({"AB", "CD", "AC", "BD"}));
    QCOMPARE(r.status, FillStatus::Filled);
    QVERIFY(gridText(r.grille) == "AB\nCD\n" || gridText(r.grille) == "AC\nBD\n");
}

void GridFillTest::stopsWhenAsked() {
    const Planted p = plant(20, 40, 400, 9);
    const WordIndex index = indexOf(p.words);
    std::atomic<bool> stop{false};
    FillOptions options;
    options.stop = &stop;
    int calls = 0;
    options.progress = [&](const FillProgress&) {
        ++calls;
        stop = true;
    };
    const FillResult r = fillGrid(p.empty, index, options);
    QCOMPARE(r.status, FillStatus::Stopped);
    QCOMPARE(calls, 1);
    QCOMPARE(gridText(r.grille), gridText(p.empty));
    // Raised before the start: nothing is searched.
    const FillResult again = fillGrid(p.empty, index, options);
    QCOMPARE(again.status, FillStatus::Stopped);
    QCOMPARE(again.decisions, std::uint64_t(0));
}

void GridFillTest::stopsAtTheTimeLimit() {
    const Planted p = plant(20, 40, 400, 9);
    const WordIndex index = indexOf(p.words);
    FillOptions options;
    options.timeLimitSeconds = 1e-9;
    const FillResult r = fillGrid(p.empty, index, options);
    QCOMPARE(r.status, FillStatus::TimedOut);
    QCOMPARE(gridText(r.grille), gridText(p.empty));
}

void GridFillTest::sameSeedSameFill() {
    // Most words of four letters over a small alphabet: many fills exist.
    const Grille g = readGridText("....\n....\n....\n....\n");
    std::vector<QByteArray> words;
    std::mt19937 rng(4);
    for (int n = 0; n < 6 * 6 * 6 * 6; ++n) {
        QByteArray w(4, 'A');
        for (int i = 0, k = n; i < 4; ++i, k /= 6)
            w[i] = char('A' + k % 6);
        if (rng() % 4 != 0)
            words.push_back(w);
    }
    const WordIndex index = indexOf(words);
    const Planted p{g, g, words};
    QSet<QByteArray> fills;
    for (std::uint64_t seed = 1; seed <= 6; ++seed) {
        FillOptions options;
        options.seed = seed;
        const FillResult a = fillGrid(p.empty, index, options);
        const FillResult b = fillGrid(p.empty, index, options);
        QCOMPARE(a.status, FillStatus::Filled);
        QCOMPARE(gridText(a.grille), gridText(b.grille));
        QCOMPARE(a.decisions, b.decisions);
        fills.insert(gridText(a.grille));
    }
    // The seed does steer the search.
    QVERIFY(fills.size() > 1);
}

void GridFillTest::nothingToFill() {
    const WordIndex index = indexOf({"AB", "CD", "AC", "BD"});
    const Grille full = readGridText("AB\nCD\n");
    FillResult r = fillGrid(full, index);
    QCOMPARE(r.status, FillStatus::NothingToFill);
    QCOMPARE(r.slots, 0);
    const Grille noSlot = readGridText(".#.\n#.#\n");
    r = fillGrid(noSlot, index);
    QCOMPARE(r.status, FillStatus::NothingToFill);
    QCOMPARE(gridText(r.grille), gridText(noSlot));
}

void GridFillTest::reportsProgress() {
    const Planted p = plant(10, 14, 500, 8);
    const WordIndex index = indexOf(p.words);
    QList<FillProgress> seen;
    FillOptions options;
    options.progress = [&](const FillProgress& f) { seen.append(f); };
    const FillResult r = fillGrid(p.empty, index, options);
    QCOMPARE(r.status, FillStatus::Filled);
    QVERIFY(seen.size() >= 2);
    for (const FillProgress& f : seen) {
        QCOMPARE(f.total, r.slots);
        QVERIFY(f.placed >= 0 && f.placed <= f.total);
    }
    QCOMPARE(seen.last().placed, r.slots);
}

void GridFillTest::learntNogoodsKeepEveryFill() {
    // A restart after every failure makes the search learn as much as it
    // can, and share it in a portfolio; its answers must stay those of an
    // exhaustive search.
    std::mt19937 rng(11);
    int filled = 0;
    int impossible = 0;
    std::uint64_t learnt = 0;
    std::uint64_t taken = 0;
    for (int round = 0; round < 80; ++round) {
        const int rows = 3 + int(rng() % 2);
        const int cols = 4;
        std::vector<QByteArray> words;
        const int n = 16 + int(rng() % 40);
        for (int k = 0; k < n; ++k) {
            QByteArray w(k % 2 ? cols : rows, 'A');
            for (char& c : w)
                c = char('A' + rng() % 4);
            words.push_back(w);
        }
        const WordIndex index = indexOf(words);
        const Grille g =
            readGridText(QByteArray(rows == 3 ? "....\n....\n....\n" : "....\n....\n....\n....\n"));
        const bool exists = exhaustiveFill(rows, cols, words);
        // Alone with either schedule, and two searches that take each other's
        // nogoods.
        for (int threads : {1, 2})
            for (RestartSchedule schedule : {RestartSchedule::Luby, RestartSchedule::Geometric}) {
                FillOptions options;
                options.seed = std::uint64_t(round) + 1;
                options.restarts = schedule;
                options.restartFailures = 1;
                options.threads = threads;
                const FillResult r = fillGrid(g, index, options);
                learnt += r.nogoods;
                taken += r.nogoodsTaken;
                QCOMPARE(r.status, exists ? FillStatus::Filled : FillStatus::NoFill);
                if (exists) {
                    const QStringList problems = test::fillProblems(g, r.grille, wordSet(words));
                    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
                }
            }
        exists ? ++filled : ++impossible;
    }
    QVERIFY(filled > 10);
    QVERIFY(impossible > 10);
    // Nogoods were learnt and shared, so both were put to the test.
    QVERIFY(learnt > 100);
    QVERIFY(taken > 0);
}

void GridFillTest::portfolioFillsAndStopsTogether() {
    const Planted p = plant(12, 24, 200, 5);
    const WordIndex index = indexOf(p.words);
    FillOptions options;
    options.threads = 3;
    FillResult r = fillGrid(p.empty, index, options);
    QCOMPARE(r.status, FillStatus::Filled);
    QCOMPARE(r.threads, 3);
    QStringList problems = test::fillProblems(p.empty, r.grille, wordSet(p.words));
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    // Random words of seven letters in an open 7x7 grid: no fill is found
    // or ruled out for minutes (a third row rarely fits two chosen ones, but
    // every pair of rows has to be tried). The stop raised from another
    // thread ends every search, and the call returns once they all have.
    const Grille wide = readGridText(QByteArray(".......\n").repeated(7));
    std::vector<QByteArray> words;
    std::mt19937 rng(2);
    for (int k = 0; k < 6000; ++k) {
        QByteArray w(7, 'A');
        for (char& c : w)
            c = char('A' + rng() % 26);
        words.push_back(w);
    }
    const WordIndex hard = indexOf(words);
    std::atomic<bool> stop{false};
    std::atomic<int> reports{0};
    FillOptions o;
    o.threads = 2;
    o.stop = &stop;
    o.progress = [&](const FillProgress& progress) {
        QCOMPARE(progress.threads, 2);
        ++reports;
    };
    std::chrono::steady_clock::time_point raised;
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        raised = std::chrono::steady_clock::now();
        stop = true;
    });
    r = fillGrid(wide, hard, o);
    const auto ended = std::chrono::steady_clock::now();
    stopper.join();
    QCOMPARE(r.status, FillStatus::Stopped);
    QCOMPARE(gridText(r.grille), gridText(wide));
    QVERIFY(reports > 0);
    // A generous bound: the searches look at the flag before every choice.
    QVERIFY(ended - raised < std::chrono::seconds(5));
}

void GridFillTest::oneThreadRepeatsItself() {
    // A grid hard enough to restart and learn: the same seed on one thread
    // gives the same fill along the same path.
    const Planted p = plant(14, 30, 260, 21);
    const WordIndex index = indexOf(p.words);
    FillOptions options;
    options.seed = 7;
    options.threads = 1;
    options.restartFailures = 2;
    const FillResult a = fillGrid(p.empty, index, options);
    const FillResult b = fillGrid(p.empty, index, options);
    QCOMPARE(a.status, FillStatus::Filled);
    QCOMPARE(gridText(a.grille), gridText(b.grille));
    QCOMPARE(a.decisions, b.decisions);
    QCOMPARE(a.failures, b.failures);
    QCOMPARE(a.nogoods, b.nogoods);
    QCOMPARE(a.threads, 1);
}

void GridFillTest::refusedFillsGiveEveryOtherFill() {
    // Asking each time for a fill other than those already seen yields every
    // fill once, then a proof that none is left, even with a restart after
    // every failure.
    const Grille g = readGridText("...\n...\n...\n");
    std::mt19937 rng(5);
    int several = 0;
    for (int round = 0; round < 60; ++round) {
        const std::vector<QByteArray> words = threeLetterWords(rng, 10 + int(rng() % 14));
        const QSet<QByteArray> expected = allFills3x3(words);
        const WordIndex index = indexOf(words);
        QSet<QByteArray> seen;
        FillOptions options;
        options.restartFailures = 1;
        options.accept = [&seen](const Grille& filled) { return !seen.contains(gridText(filled)); };
        for (;;) {
            options.seed = std::uint64_t(round * 100 + seen.size() + 1);
            const FillResult r = fillGrid(g, index, options);
            if (r.status == FillStatus::NoFill)
                break;
            QCOMPARE(r.status, FillStatus::Filled);
            const QStringList problems = test::fillProblems(g, r.grille, wordSet(words));
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
            const QByteArray text = gridText(r.grille);
            QVERIFY2(!seen.contains(text), text.constData());
            seen.insert(text);
            QVERIFY(seen.size() <= expected.size());
        }
        QCOMPARE(seen, expected);
        several += expected.size() > 1;
    }
    QVERIFY(several > 10);
}

void GridFillTest::boundedWordsMatchTheFewestOfEveryFill() {
    // With a bound on the marked words, the fill finds a fill holding no
    // more of them than the fewest any fill holds, and proves that none holds
    // fewer, as the list of every fill says: in one search, with a restart
    // after each failure, and with two searches sharing what they learn.
    const Grille g = readGridText("...\n...\n...\n");
    std::mt19937 rng(11);
    int bounded = 0;
    for (int round = 0; round < 60; ++round) {
        const std::vector<QByteArray> words = threeLetterWords(rng, 12 + int(rng() % 14));
        const QSet<QByteArray> fills = allFills3x3(words);
        if (fills.isEmpty())
            continue;
        QSet<QByteArray> marked;
        for (const QByteArray& w : words)
            if (rng() % 2)
                marked.insert(w);
        auto markedIn = [&](const Grille& filled) {
            int m = 0;
            const GridSlots slots(filled);
            for (const Slot& slot : slots.slots())
                m += marked.contains(slotPattern(filled, slot));
            return m;
        };
        int fewest = 6;
        for (const QByteArray& text : fills)
            fewest = std::min(fewest, markedIn(readGridText(text)));
        bounded += fewest > 0;
        const WordIndex index = indexOf(words);
        FillOptions options;
        options.seed = std::uint64_t(round + 1);
        options.restartFailures = 1 + round % 2;
        options.threads = 1 + round % 3 / 2;
        options.bounded = [&](int length, std::uint32_t id) {
            return marked.contains(index.word(length, id));
        };
        options.maxBounded = fewest;
        const FillResult r = fillGrid(g, index, options);
        QCOMPARE(r.status, FillStatus::Filled);
        QVERIFY(fills.contains(gridText(r.grille)));
        QVERIFY(markedIn(r.grille) <= fewest);
        if (fewest > 0) {
            options.maxBounded = fewest - 1;
            QCOMPARE(fillGrid(g, index, options).status, FillStatus::NoFill);
        }
    }
    QVERIFY(bounded > 10);
}

QTEST_GUILESS_MAIN(GridFillTest)
#include "grid_fill_test.moc"
