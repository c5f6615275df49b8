// The look-ahead from suggested words: its marks agree with a fill run to the
// end (a word said to lead to a full grid fills, a dead end never does), and
// the worker answers only the newest request.
#include "dictionary/word_index.h"
#include "fill/fill_request.h"
#include "fill/grid_fill.h"
#include "fill/suggestion_lookahead.h"
#include "fill/suggestions.h"
#include "grid/grid_slots.h"
#include "grid/grid_text.h"
#include "support/planted_grid.h"
#include "support/synthetic_words.h"

#include <QSignalSpy>
#include <QTest>

using namespace orv;
using namespace orv::test;

namespace {

WordIndex indexOf(const std::vector<QByteArray>& words) {
    WordIndex index;
    index.buildFromPlain(words);
    return index;
}

// A bound without a clock, so that the same try always gives the same mark.
constexpr LookAheadBound kCountedBound{300, 0};

// The first words listed for each open slot, as the panel would try them.
std::vector<LookAheadItem> listedWords(const Grille& g, const WordIndex& index, int perSlot) {
    const GridSlots slots(g);
    std::vector<LookAheadItem> items;
    for (int s = 0; s < slots.count(); ++s) {
        const SlotSuggestions list = suggestWords(g, slots, s, index);
        for (std::size_t k = 0; k < list.count() && int(k) < perSlot; ++k)
            items.push_back({s, index.word(list.length, list.ids[k])});
    }
    return items;
}

Grille placed(const Grille& g, const LookAheadItem& item) {
    const GridSlots slots(g);
    Grille out = g;
    const Slot& s = slots[item.slot];
    for (int p = 0; p < s.length(); ++p)
        out.cell(s.cells[std::size_t(p)].col, s.cells[std::size_t(p)].row) = item.word[p];
    return out;
}

// The planted grid with the solution's letters written in some of its cells,
// so that some words complete crossing slots.
Grille partlyWritten(const Planted& p, std::uint32_t seed) {
    Grille g = p.empty;
    std::mt19937 rng(seed);
    for (int c = 1; c < g.NbColonnes; ++c)
        for (int r = 1; r < g.NbLignes; ++r)
            if (g.cell(c, r) != '#' && rng() % 3 == 0)
                g.cell(c, r) = p.solution.cell(c, r);
    return g;
}

// Words of the index that fit the slot's letters: the listed ones first, then
// others (which propagation may rule out, or which complete crossing slots
// with words outside the list).
std::vector<LookAheadItem> fittingWords(const Grille& g, const WordIndex& index, int perSlot) {
    const GridSlots slots(g);
    std::vector<LookAheadItem> items = listedWords(g, index, perSlot);
    for (int s = 0; s < slots.count(); ++s) {
        const QByteArray pattern = slotPattern(g, slots[s]);
        if (!pattern.contains('.'))
            continue;
        const std::vector<std::uint32_t> ids = index.candidates(pattern);
        for (std::size_t k = 0; k < ids.size() && int(k) < perSlot; ++k)
            items.push_back({s, index.word(slots[s].length(), ids[ids.size() - 1 - k])});
    }
    return items;
}

} // namespace

class SuggestionLookAheadTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void marksAgreeWithTheFill();
    void preparedTriesAgreeWithFreshFills();
    void workerAnswersTheNewestRequestOnly();
};

void SuggestionLookAheadTest::marksAgreeWithTheFill() {
    int leads = 0;
    int deadEnds = 0;
    for (std::uint32_t seed : {3u, 8u, 21u}) {
        // Random words beside the planted ones: many fit a slot but lead nowhere.
        const Planted p = plant(7, 9, 60, seed);
        const WordIndex index = indexOf(p.words);
        const GridSlots slots(p.empty);
        for (const LookAheadItem& item : listedWords(p.empty, index, 6)) {
            const WordOutlook outlook =
                lookAhead(p.empty, slots[item.slot], item.word, index, 0, kCountedBound);
            QVERIFY(outlook != WordOutlook::Pending);
            if (outlook == WordOutlook::Unknown)
                continue;
            // The fill of the grid with the word in place, unbounded, another seed.
            FillOptions options;
            options.seed = 99;
            const FillResult fill = fillGrid(placed(p.empty, item), index, options);
            const QByteArray what = item.word + " in slot " + QByteArray::number(item.slot);
            if (outlook == WordOutlook::Leads) {
                ++leads;
                QVERIFY2(fill.status == FillStatus::Filled, what.constData());
            } else {
                ++deadEnds;
                QVERIFY2(fill.status == FillStatus::NoFill, what.constData());
            }
        }
    }
    // Both kinds were met, so the agreement was tested both ways.
    QVERIFY(leads > 0);
    QVERIFY(deadEnds > 0);

    // A word that clashes with a letter already in the slot leads nowhere.
    const Planted p = plant(7, 9, 60, 3);
    Grille g = p.empty;
    const GridSlots slots(g);
    const Slot& s = slots[0];
    g.cell(s.cells[0].col, s.cells[0].row) = 'Z';
    QCOMPARE(lookAhead(g, s, QByteArray(s.length(), 'A'), indexOf(p.words), 0),
             WordOutlook::DeadEnd);
}

// The tries from one prepared state give what a fill of the grid with the
// word written in gives: unbounded, the same verdict for every word (the
// word completing crossing slots or not, listed or not), with a sound fill
// holding the word; bounded, each try's mark is the same whatever was tried
// before it on that state.
void SuggestionLookAheadTest::preparedTriesAgreeWithFreshFills() {
    constexpr LookAheadBound kUnbounded{0, 0, 0};
    int leads = 0;
    int deadEnds = 0;
    int completing = 0;
    for (std::uint32_t seed : {3u, 8u, 21u}) {
        const Planted p = plant(7, 9, 60, seed);
        const WordIndex index = indexOf(p.words);
        const QSet<QByteArray> words(p.words.begin(), p.words.end());
        for (const Grille& g : {p.empty, partlyWritten(p, seed), partlyWritten(p, seed + 1)}) {
            const GridSlots slots(g);
            PreparedFill prepared(g, index, lookAheadRequest(0, kUnbounded));
            const std::vector<LookAheadItem> items = fittingWords(g, index, 5);
            for (const LookAheadItem& item : items) {
                const QByteArray what = item.word + " in slot " + QByteArray::number(item.slot);
                const WordOutlook fresh =
                    lookAhead(g, slots[item.slot], item.word, index, 0, kUnbounded);
                QVERIFY2(fresh != WordOutlook::Unknown, what.constData());
                const FillResult r = prepared.fill(item.slot, item.word, 0);
                const bool filled =
                    r.status == FillStatus::Filled || r.status == FillStatus::NothingToFill;
                QVERIFY2(filled == (fresh == WordOutlook::Leads), what.constData());
                QVERIFY2(filled || r.status == FillStatus::NoFill, what.constData());
                (filled ? leads : deadEnds)++;
                const Grille written = placed(g, item);
                for (const SlotCrossing& c : slots[item.slot].crossings)
                    completing += slotPattern(g, slots[c.other]).count('.') == 1 &&
                                  !slotPattern(written, slots[c.other]).contains('.');
                if (filled) {
                    const QStringList problems = fillProblems(written, r.grille, words);
                    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(", ")));
                }
            }
        }
    }
    QVERIFY(leads > 0);
    QVERIFY(deadEnds > 0);
    QVERIFY(completing > 0);

    // Bounded by failures alone, so that the tries are reproducible, with
    // large candidate sets (where the order of the candidates steers the
    // search): each word tried again, in reverse, on the state already used,
    // gives the same search (the same verdict, grid, choices and failures) as
    // a try on a state of its own.
    const Grille hard = readGridText(kSevenBySeven);
    const WordIndex hardIndex = indexOf(syntheticWords());
    const FillRequest request = lookAheadRequest(0, {30, 0, 0});
    const std::vector<LookAheadItem> items = listedWords(hard, hardIndex, 4);
    QVERIFY(items.size() > 50);
    int filled = 0;
    PreparedFill used(hard, hardIndex, request);
    for (const LookAheadItem& item : items)
        used.fill(item.slot, item.word, 0);
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        PreparedFill own(hard, hardIndex, request);
        const FillResult again = used.fill(it->slot, it->word, 0);
        const FillResult alone = own.fill(it->slot, it->word, 0);
        filled += alone.status == FillStatus::Filled;
        QCOMPARE(again.status, alone.status);
        QCOMPARE(again.decisions, alone.decisions);
        QCOMPARE(again.failures, alone.failures);
        QVERIFY(again.grille.Cases == alone.grille.Cases);
    }
    QVERIFY(filled > 0);
}

void SuggestionLookAheadTest::workerAnswersTheNewestRequestOnly() {
    const Planted p = plant(7, 9, 60, 8);
    const WordIndex index = indexOf(p.words);
    const std::vector<LookAheadItem> all = listedWords(p.empty, index, 6);
    std::vector<LookAheadItem> first, second;
    for (const LookAheadItem& item : all)
        (item.slot == all.front().slot ? first : second).push_back(item);
    QVERIFY(!first.empty() && second.size() > 3);

    SuggestionLookAhead worker;
    QSignalSpy found(&worker, &SuggestionLookAhead::outlookFound);
    // A request cancelled before any answer is read leaves nothing.
    worker.start(p.empty, first, index, 0, kCountedBound);
    worker.cancel();
    QTRY_VERIFY(!worker.busy());
    QTest::qWait(20);
    QCOMPARE(found.count(), 0);

    // A second request replaces the first at once: only its words are answered,
    // each once, with the mark a try on this thread gives.
    worker.start(p.empty, first, index, 0, kCountedBound);
    worker.start(p.empty, second, index, 0, kCountedBound);
    QSignalSpy idle(&worker, &SuggestionLookAhead::idle);
    QTRY_VERIFY_WITH_TIMEOUT(found.count() == int(second.size()), 20000);
    QTRY_VERIFY(!worker.busy());
    QTest::qWait(20);
    QCOMPARE(found.count(), int(second.size()));
    QVERIFY(idle.count() >= 1);
    PreparedFill prepared(p.empty, index, lookAheadRequest(0, kCountedBound));
    for (int k = 0; k < found.count(); ++k) {
        const QList<QVariant> answer = found.at(k);
        QCOMPARE(answer.at(0).toInt(), second[std::size_t(k)].slot);
        QCOMPARE(answer.at(1).toByteArray(), second[std::size_t(k)].word);
        const WordOutlook direct = lookAhead(prepared, second[std::size_t(k)].slot,
                                             second[std::size_t(k)].word, kCountedBound);
        QCOMPARE(answer.at(2).value<WordOutlook>(), direct);
    }
}

QTEST_GUILESS_MAIN(SuggestionLookAheadTest)
#include "suggestion_lookahead_test.moc"
