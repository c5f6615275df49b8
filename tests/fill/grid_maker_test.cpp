// The grid maker against its own checker-free rules: every made grid is read
// back by an independent checker (words, repeats, connectivity, lone cells,
// adjacency, symmetry, lengths, the user's cells), on many seeds and options,
// and the requests it cannot meet, the stop flag and the seed are tried.
#include "dictionary/word_index.h"
#include "fill/grid_maker.h"
#include "grid/grid_text.h"
#include "support/synthetic_index.h"
#include "support/synthetic_words.h"
#include "tools/orvgrid_tool.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>
#include <random>
#include <thread>

using namespace orv;
using orv::test::sparseLongWords;
using orv::test::syntheticIndex;
using orv::test::syntheticSet;
using orv::test::syntheticWords;
using orv::test::writeSyntheticList;

namespace {

Grille emptyGrid(int rows, int cols) {
    Grille g;
    g.NbLignes = rows + 1;
    g.NbColonnes = cols + 1;
    g.Raz();
    return g;
}

Grille gridOf(const char* text) { return readGridText(QByteArray(text)); }

// The rules of a made grid, checked from scratch over rows and columns of
// characters; returns the faults found.
QStringList faultsOf(const Grille& made, const Grille& start, const MakeOptions& o,
                     const QSet<QByteArray>& dictionary) {
    QStringList faults;
    const int rows = start.NbLignes - 1;
    const int cols = start.NbColonnes - 1;
    if (made.NbLignes != start.NbLignes || made.NbColonnes != start.NbColonnes)
        return {QStringLiteral("size changed")};
    std::vector<QByteArray> lines{std::size_t(rows)};
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            lines[std::size_t(r)].append(made.cell(c + 1, r + 1));
    auto at = [&](int r, int c) -> char {
        if (r < 0 || c < 0 || r >= rows || c >= cols)
            return '#';
        return lines[std::size_t(r)][c];
    };
    int blacks = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const char typed = start.cell(c + 1, r + 1);
            const char got = at(r, c);
            if ((typed == '#' || (typed >= 'A' && typed <= 'Z')) && typed != got)
                faults << QStringLiteral("typed cell %1,%2 lost").arg(r).arg(c);
            if (got == '#') {
                ++blacks;
                if (!o.adjacentBlacks && ((r + 1 < rows && at(r + 1, c) == '#') ||
                                          (c + 1 < cols && at(r, c + 1) == '#')))
                    faults << QStringLiteral("blacks touch at %1,%2").arg(r).arg(c);
                if (o.symmetric && at(rows - 1 - r, cols - 1 - c) != '#')
                    faults << QStringLiteral("no mirror for %1,%2").arg(r).arg(c);
            } else if (got < 'A' || got > 'Z') {
                faults << QStringLiteral("cell %1,%2 not filled").arg(r).arg(c);
            }
        }
    if (blacks > o.maxBlacks)
        faults << QStringLiteral("%1 blacks, more than %2").arg(blacks).arg(o.maxBlacks);

    // Words: runs of two or more letters, across then down.
    QSet<QByteArray> seen;
    std::vector<int> inWord(std::size_t(rows * cols), 0);
    auto runs = [&](bool across) {
        const int outer = across ? rows : cols;
        const int inner = across ? cols : rows;
        for (int a = 0; a < outer; ++a) {
            int b = 0;
            while (b < inner) {
                auto ch = [&](int k) { return across ? at(a, k) : at(k, a); };
                if (ch(b) == '#') {
                    ++b;
                    continue;
                }
                QByteArray w;
                int e = b;
                bool typedWhole = true;
                for (; e < inner && ch(e) != '#'; ++e) {
                    w.append(ch(e));
                    const int r = across ? a : e;
                    const int c = across ? e : a;
                    typedWhole = typedWhole && start.cell(c + 1, r + 1) >= 'A' &&
                                 start.cell(c + 1, r + 1) <= 'Z';
                }
                if (w.size() >= 2) {
                    for (int k = b; k < e; ++k)
                        inWord[std::size_t(across ? a * cols + k : k * cols + a)] = 1;
                    if (!typedWhole && !dictionary.contains(w))
                        faults << QStringLiteral("%1 is no word").arg(QString::fromLatin1(w));
                    if (seen.contains(w))
                        faults << QStringLiteral("%1 twice").arg(QString::fromLatin1(w));
                    seen.insert(w);
                    if (o.maxWordLength > 0 && w.size() > o.maxWordLength)
                        faults << QStringLiteral("%1 too long").arg(QString::fromLatin1(w));
                }
                b = e;
            }
        }
    };
    runs(true);
    runs(false);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            if (at(r, c) != '#' && !inWord[std::size_t(r * cols + c)])
                faults << QStringLiteral("cell %1,%2 in no word").arg(r).arg(c);

    // Connectivity by union-find over the white cells.
    std::vector<int> parent(std::size_t(rows * cols));
    for (std::size_t i = 0; i < parent.size(); ++i)
        parent[i] = int(i);
    std::function<int(int)> root = [&](int i) {
        return parent[std::size_t(i)] == i ? i
                                           : parent[std::size_t(i)] = root(parent[std::size_t(i)]);
    };
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            if (at(r, c) == '#')
                continue;
            if (at(r, c + 1) != '#')
                parent[std::size_t(root(r * cols + c))] = root(r * cols + c + 1);
            if (at(r + 1, c) != '#')
                parent[std::size_t(root(r * cols + c))] = root((r + 1) * cols + c);
        }
    QSet<int> parts;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            if (at(r, c) != '#')
                parts.insert(root(r * cols + c));
    if (parts.size() > 1)
        faults << QStringLiteral("white cells in %1 parts").arg(parts.size());
    return faults;
}

MakeOptions optionsFor(int rows, int cols, std::uint64_t seed) {
    MakeOptions o;
    o.seed = seed;
    o.maxBlacks = defaultMaxBlacks(rows, cols) + 2;
    o.timeLimitSeconds = 60; // a guard only: the budgets count failures
    return o;
}

} // namespace

class GridMakerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void madeGridsKeepTheRules_data();
    void madeGridsKeepTheRules();
    void typedLettersAndBlackSquaresStay();
    void oneSeedOneGrid();
    void stopLeavesTheGridAsItWas();
    void impossibleRequestsAreReported_data();
    void impossibleRequestsAreReported();
    void patternFaultsAreNamed_data();
    void patternFaultsAreNamed();
    void commandLine();
};

void GridMakerTest::madeGridsKeepTheRules_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<bool>("symmetric");
    QTest::addColumn<bool>("adjacent");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<int>("seed");
    const struct {
        int rows, cols;
        bool symmetric, adjacent;
        int maxLength;
    } cases[] = {{6, 6, false, false, 0},
                 {7, 7, true, false, 0},
                 {6, 8, false, true, 0},
                 {8, 8, true, false, 5},
                 {7, 9, false, false, 6}};
    for (const auto& c : cases)
        for (int seed = 1; seed <= 6; ++seed)
            QTest::addRow("%dx%d sym=%d adj=%d max=%d seed %d", c.rows, c.cols, c.symmetric,
                          c.adjacent, c.maxLength, seed)
                << c.rows << c.cols << c.symmetric << c.adjacent << c.maxLength << seed;
}

void GridMakerTest::madeGridsKeepTheRules() {
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(bool, symmetric);
    QFETCH(bool, adjacent);
    QFETCH(int, maxLength);
    QFETCH(int, seed);
    MakeOptions o = optionsFor(rows, cols, std::uint64_t(seed));
    o.symmetric = symmetric;
    o.adjacentBlacks = adjacent;
    o.maxWordLength = maxLength;
    if (maxLength)
        o.maxBlacks += rows;
    const Grille start = emptyGrid(rows, cols);
    const MakeResult r = makeGrid(start, syntheticIndex(), o);
    QCOMPARE(r.status, MakeStatus::Made);
    const QStringList faults = faultsOf(r.grille, start, o, syntheticSet());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u", ") + QStringLiteral("\n") +
                                          QString::fromLatin1(gridText(r.grille))));
    QCOMPARE(r.blacks, int(gridText(r.grille).count('#')));
}

void GridMakerTest::typedLettersAndBlackSquaresStay() {
    // A theme word that the dictionary lacks, one inside a column, and black
    // squares placed by hand (mirrored when symmetric).
    const Grille start = gridOf("ORIENTAL\n"
                                "........\n"
                                "....#...\n"
                                "........\n"
                                ".R......\n"
                                ".A......\n"
                                ".T....#.\n"
                                "........\n");
    for (const bool symmetric : {false, true})
        for (std::uint64_t seed = 1; seed <= 4; ++seed) {
            MakeOptions o = optionsFor(8, 8, seed);
            o.symmetric = symmetric;
            const MakeResult r = makeGrid(start, syntheticIndex(), o);
            QVERIFY2(r.status == MakeStatus::Made, qPrintable(r.reason));
            const QStringList faults = faultsOf(r.grille, start, o, syntheticSet());
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u", ")));
        }
}

void GridMakerTest::oneSeedOneGrid() {
    const Grille start = emptyGrid(8, 8);
    const MakeResult a = makeGrid(start, syntheticIndex(), optionsFor(8, 8, 11));
    const MakeResult b = makeGrid(start, syntheticIndex(), optionsFor(8, 8, 11));
    const MakeResult c = makeGrid(start, syntheticIndex(), optionsFor(8, 8, 12));
    QCOMPARE(a.status, MakeStatus::Made);
    QCOMPARE(gridText(a.grille), gridText(b.grille));
    QCOMPARE(a.attempts, b.attempts);
    QCOMPARE(c.status, MakeStatus::Made);
    QVERIFY(gridText(a.grille) != gridText(c.grille));
}

void GridMakerTest::stopLeavesTheGridAsItWas() {
    // Long runs that only a few long words fit: no grid comes out, yet
    // nothing proves it quickly, so the maker keeps trying until told to stop.
    WordIndex sparse;
    sparse.buildFromPlain(sparseLongWords());
    Grille start = emptyGrid(20, 20);
    start.cell(3, 2) = 'E';
    start.cell(8, 8) = '#';
    std::atomic<bool> stop{true};
    MakeOptions o = optionsFor(20, 20, 1);
    o.maxBlacks = 30;
    o.stop = &stop;
    MakeResult r = makeGrid(start, sparse, o);
    QCOMPARE(r.status, MakeStatus::Stopped);
    QCOMPARE(r.grille.Cases, start.Cases);

    stop = false;
    int reports = 0;
    o.progress = [&](const MakeProgress& p) {
        ++reports;
        QVERIFY(p.attempts >= 1);
    };
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        stop = true;
    });
    r = makeGrid(start, sparse, o);
    stopper.join();
    QCOMPARE(r.status, MakeStatus::Stopped);
    QCOMPARE(r.grille.Cases, start.Cases);
    QVERIFY(r.attempts >= 1);
}

void GridMakerTest::impossibleRequestsAreReported_data() {
    QTest::addColumn<QByteArray>("grid");
    QTest::addColumn<int>("maxBlacks");
    QTest::addColumn<bool>("symmetric");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("reason");
    QTest::addRow("words too long for the blacks allowed")
        << QByteArray("........\n").repeated(8) << 5 << false << 3 << "au moins 16 cases noires";
    QTest::addRow("typed blacks side by side")
        << QByteArray("##......\n" + QByteArray("........\n").repeated(7)) << 12 << false << 0
        << "se touchent en A1";
    QTest::addRow("mirror of a black on a letter")
        << QByteArray("#.......\n" + QByteArray("........\n").repeated(6) + ".......E\n") << 12
        << true << 0 << "porte une lettre";
    QTest::addRow("more typed blacks than allowed")
        << QByteArray("#.#.#.#.\n" + QByteArray("........\n").repeated(7)) << 3 << false << 0
        << "au moins 4 cases noires";
}

void GridMakerTest::impossibleRequestsAreReported() {
    QFETCH(QByteArray, grid);
    QFETCH(int, maxBlacks);
    QFETCH(bool, symmetric);
    QFETCH(int, maxLength);
    QFETCH(QString, reason);
    const Grille start = readGridText(grid);
    MakeOptions o = optionsFor(8, 8, 1);
    o.maxBlacks = maxBlacks;
    o.symmetric = symmetric;
    o.maxWordLength = maxLength;
    const MakeResult r = makeGrid(start, syntheticIndex(), o);
    QCOMPARE(r.status, MakeStatus::Impossible);
    QVERIFY2(r.reason.contains(reason), qPrintable(r.reason));
    QCOMPARE(r.grille.Cases, start.Cases);

    // An empty dictionary cannot make anything either.
    const MakeResult none = makeGrid(emptyGrid(6, 6), WordIndex{}, optionsFor(6, 6, 1));
    QCOMPARE(none.status, MakeStatus::Impossible);
}

void GridMakerTest::patternFaultsAreNamed_data() {
    QTest::addColumn<QByteArray>("grid");
    QTest::addColumn<bool>("symmetric");
    QTest::addColumn<bool>("adjacent");
    QTest::addColumn<QString>("fault");
    QTest::addRow("sound") << QByteArray("AB#\nC.D\n#EF\n") << true << false << QString();
    QTest::addRow("touching") << QByteArray("A##\nBCD\nEFG\n") << false << false << "se touchent";
    QTest::addRow("touching allowed")
        << QByteArray("A##\nBCD\nEFG\n") << false << true << QString();
    QTest::addRow("lone cell") << QByteArray("A#B\n#C.\nD..\n") << false << false << "A1";
    QTest::addRow("cut in two") << QByteArray("AB#.\nC#..\n#...\n") << false << true
                                << "d'un seul tenant";
    QTest::addRow("asymmetric") << QByteArray("#AB\nCDE\nFGH\n") << true << false
                                << "symétrique en C3";
}

void GridMakerTest::patternFaultsAreNamed() {
    QFETCH(QByteArray, grid);
    QFETCH(bool, symmetric);
    QFETCH(bool, adjacent);
    QFETCH(QString, fault);
    const QString got = patternFault(readGridText(grid), symmetric, adjacent, 0);
    if (fault.isEmpty())
        QVERIFY2(got.isEmpty(), qPrintable(got));
    else
        QVERIFY2(got.contains(fault), qPrintable(got));
}

void GridMakerTest::commandLine() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString list = dir.filePath(QStringLiteral("mots.txt"));
    QVERIFY(writeSyntheticList(list));
    const QString from = dir.filePath(QStringLiteral("depart.txt"));
    {
        QFile f(from);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("SALON..\n" + QByteArray(".......\n").repeated(6));
    }
    auto run = [&](const QStringList& args, QString& out, QString& err) {
        out.clear();
        err.clear();
        QTextStream o(&out);
        QTextStream e(&err);
        return runOrvgrid(args, o, e);
    };
    QString out;
    QString err;
    const QString made = dir.filePath(QStringLiteral("grille.grd"));
    const int status = run(
        {"make", "7x7", "--from", from, "--words", list, "--seed", "3", "--symmetric", "-o", made},
        out, err);
    QVERIFY2(status == OrvgridOk, qPrintable(err));
    QVERIFY2(out.startsWith(u"SALON"), qPrintable(out + err));
    QVERIFY(out.contains(u"cases noires : "));
    QVERIFY(QFile::exists(made));

    QCOMPARE(
        run({"make", "7x7", "--words", list, "--max-blacks", "0", "--max-length", "4"}, out, err),
        int(OrvgridImpossible));
    QVERIFY(err.contains(u"au moins"));

    const QStringList bad[] = {{"make"},
                               {"make", "7y7", "--words", list},
                               {"make", "5x7", "--words", list},
                               {"make", "7x7", "--from", from + "x", "--words", list},
                               {"make", "8x8", "--from", from, "--words", list},
                               {"make", "7x7", "--max-blacks", "lots", "--words", list},
                               {"make", "7x7", "--bogus"}};
    for (const QStringList& args : bad) {
        QCOMPARE(run(args, out, err), int(OrvgridBadInput));
        QVERIFY2(err.startsWith(u"orvgrid make : ") && err.count(u'\n') == 1, qPrintable(err));
    }
}

QTEST_GUILESS_MAIN(GridMakerTest)
#include "grid_maker_test.moc"
