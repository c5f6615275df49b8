// The fill's one entry point: a request gives the fill its options once, and
// picks the fill that the request's words call for.
#include "fill/fill_request.h"

#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"
#include "fill/fill_scores.h"
#include "grid/grid_text.h"
#include "support/fill_checker.h"
#include "support/synthetic_words.h"

#include <QTest>

using namespace orv;
using namespace orv::test;

class FillRequestTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void requestFillsAsTheFillItNames();
};

// Without the words' classes the request fills as fillGrid with the same
// seed does; with them, as fillForQuality does, no refused word placed, and
// a fill the caller refuses is never returned.
void FillRequestTest::requestFillsAsTheFillItNames() {
    const std::vector<QByteArray> list = syntheticWords();
    WordIndex index;
    index.buildFromPlain(list);
    const QSet<QByteArray> words(list.begin(), list.end());
    WordScores scores;
    const Grille layouts[] = {readGridText("....#\n....#\n.#...\n....#\n#....\n"),
                              readGridText("....\n....\n....\n....\n"),
                              readGridText("..#..\n.....\n#...#\n.....\n..#..\n")};
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        const Grille& empty = layouts[seed % 3];
        FillRequest request;
        request.seed = seed;
        const FillResult plain = fill(empty, index, request);
        QCOMPARE(plain.status, FillStatus::Filled);
        FillOptions options;
        options.seed = seed;
        QCOMPARE(gridText(plain.grille), gridText(fillGrid(empty, index, options).grille));

        IndexClasses classes(index, scores);
        const QList<QByteArray> placed = gridRuns(plain.grille);
        classes.forbid(placed.front());
        request.classes = &classes;
        const FillResult quality = fill(empty, index, request);
        QCOMPARE(quality.status, FillStatus::Filled);
        QCOMPARE(gridText(quality.grille),
                 gridText(fillForQuality(empty, classes, options, 0).grille));
        QVERIFY(fillProblems(empty, quality.grille, words).isEmpty());
        QVERIFY(!gridRuns(quality.grille).contains(placed.front()));

        request.classes = nullptr;
        request.accept = [&](const Grille& g) { return gridText(g) != gridText(plain.grille); };
        const FillResult other = fill(empty, index, request);
        QCOMPARE(other.status, FillStatus::Filled);
        QVERIFY(gridText(other.grille) != gridText(plain.grille));
        QVERIFY(fillProblems(empty, other.grille, words).isEmpty());
    }
}

QTEST_GUILESS_MAIN(FillRequestTest)
#include "fill_request_test.moc"
