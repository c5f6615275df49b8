// The constraint core against a plain reference: arc consistency computed
// over sets of strings, repeated until nothing changes, on small random
// grids; after each choice of a word and after each undo.
#include "support/random_grids.h"

#include "dictionary/word_index.h"
#include "fill/constraint_core.h"
#include "fill/grid_marks.h"
#include "fill/suggestions.h"
#include "grid/grid_slots.h"

#include <QTest>
#include <algorithm>
#include <map>
#include <random>
#include <set>

using namespace orv;
using namespace orv::test;

namespace {

using Domains = std::map<int, std::set<QByteArray>>; // by slot
using Masks = std::map<std::pair<int, int>, std::uint32_t>;

struct Rules {
    bool allDifferent = true;
    std::set<QByteArray> refused;
    std::map<int, QByteArray> forced; // slot -> the only word it may take
};

struct Fixpoint {
    bool failed = false;
    Domains domains; // the slots with an empty cell
    Masks masks;
};

// The domains before any crossing is looked at: the fitting words, less the
// refused ones, and (all different) less the words of the full slots.
Domains startingDomains(const Grille& g, const GridSlots& slots,
                        const std::vector<QByteArray>& words, const Rules& rules) {
    std::set<QByteArray> placed;
    for (const Slot& s : slots.slots())
        if (!slotPattern(g, s).contains('.'))
            placed.insert(slotPattern(g, s));
    Domains domains;
    for (int i = 0; i < slots.count(); ++i) {
        const QByteArray pattern = slotPattern(g, slots[i]);
        if (!pattern.contains('.'))
            continue;
        std::set<QByteArray>& d = domains[i];
        for (const QByteArray& w : words)
            if (fits(w, pattern) && !rules.refused.contains(w) &&
                !(rules.allDifferent && placed.contains(w)))
                d.insert(w);
        const auto forced = rules.forced.find(i);
        if (forced != rules.forced.end())
            d = d.contains(forced->second) ? std::set<QByteArray>{forced->second}
                                           : std::set<QByteArray>{};
    }
    return domains;
}

// Arc consistency repeated until nothing changes; fails when a domain
// empties or, all different, when two slots are down to the same word.
Fixpoint referenceFixpoint(const Grille& g, const GridSlots& slots,
                           const std::vector<QByteArray>& words, const Rules& rules) {
    Fixpoint f;
    for (int c = 1; c < g.NbColonnes; ++c)
        for (int r = 1; r < g.NbLignes; ++r) {
            const char ch = g.cell(c, r);
            f.masks[{c, r}] = ch >= 'A' && ch <= 'Z' ? 1u << (ch - 'A') : kAllLetters;
        }
    f.domains = startingDomains(g, slots, words, rules);
    for (bool changed = true; changed;) {
        changed = false;
        for (auto& [i, d] : f.domains) {
            const Slot& s = slots[i];
            std::erase_if(d, [&](const QByteArray& w) {
                for (int p = 0; p < s.length(); ++p) {
                    const SlotCell c = s.cells[std::size_t(p)];
                    if (!(f.masks[{c.col, c.row}] >> (w[p] - 'A') & 1))
                        return true;
                }
                return false;
            });
            if (d.empty()) {
                f.failed = true;
                return f;
            }
            for (int p = 0; p < s.length(); ++p) {
                std::uint32_t seen = 0;
                for (const QByteArray& w : d)
                    seen |= 1u << (w[p] - 'A');
                const SlotCell c = s.cells[std::size_t(p)];
                std::uint32_t& m = f.masks[{c.col, c.row}];
                if ((m & seen) != m) {
                    m &= seen;
                    changed = true;
                }
            }
        }
    }
    std::set<QByteArray> held;
    for (const auto& [i, d] : f.domains)
        if (d.size() == 1 && rules.allDifferent && !held.insert(*d.begin()).second)
            f.failed = true;
    return f;
}

Domains coreDomains(const ConstraintCore& core, const WordIndex& index) {
    Domains domains;
    for (const CoreVar& x : core.vars()) {
        std::set<QByteArray>& d = domains[x.slot];
        for (std::uint32_t i = 0; i < x.size; ++i)
            d.insert(index.word(x.length, x.dom[i]));
    }
    return domains;
}

// The live words of each variable read from its bitset (which a domain kept
// as bits alone has, and dom then has not).
Domains liveDomains(const ConstraintCore& core, const WordIndex& index) {
    Domains domains;
    for (const CoreVar& x : core.vars()) {
        std::set<QByteArray>& d = domains[x.slot];
        if (x.bits.empty())
            continue;
        for (std::uint32_t id = 0; id < index.idCount(x.length); ++id)
            if (core.isLive(x, id))
                d.insert(index.word(x.length, id));
    }
    return domains;
}

// The cells that two slots with an empty cell share: the core narrows those.
std::vector<std::pair<int, int>> crossedCells(const Grille& g, const GridSlots& slots) {
    std::vector<std::pair<int, int>> cells;
    auto open = [&](int s) { return s >= 0 && slotPattern(g, slots[s]).contains('.'); };
    for (int c = 1; c < g.NbColonnes; ++c)
        for (int r = 1; r < g.NbLignes; ++r)
            if (open(slots.slotAt(c, r, SlotDirection::Horizontal)) &&
                open(slots.slotAt(c, r, SlotDirection::Vertical)))
                cells.emplace_back(c, r);
    return cells;
}

struct Snapshot {
    Domains domains;
    Masks masks;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const ConstraintCore& core, const WordIndex& index, const Grille& g) {
    Snapshot s{coreDomains(core, index), {}};
    for (int c = 1; c < g.NbColonnes; ++c)
        for (int r = 1; r < g.NbLignes; ++r)
            s.masks[{c, r}] = core.cellMask(c, r);
    return s;
}

const char* lettersOf(int trial) {
    static const char* const sets[] = {"AEST", "ABCDE", "AEIRST"};
    return sets[trial % 3];
}

} // namespace

class ConstraintCoreTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void propagationAndUndoMatchTheReference();
    void emptiedSlotsStopConstrainingAtAFixpoint();
    void suggestionsSurvivePropagation();
    void largeDomainsKeptAsBitsGiveTheSameFixpoint();
};

// The fill's mode: after the root propagation and after each word chosen,
// the core fails exactly when the reference does, and otherwise has the
// reference's domains and the reference's letters in every crossed cell;
// each undo gives back the state of its mark.
void ConstraintCoreTest::propagationAndUndoMatchTheReference() {
    std::mt19937 rng(5);
    int states = 0;
    int failures = 0;
    int narrowed = 0; // states where the crossings removed some word
    for (int trial = 0; trial < 300; ++trial) {
        const std::vector<QByteArray> words =
            randomWords(rng, 40 + int(rng() % 120), lettersOf(trial));
        WordIndex index;
        index.buildFromPlain(words);
        const Grille g = randomGrid(rng, 3 + trial % 3, lettersOf(trial), 1 + trial % 3);
        const GridSlots slots(g);
        Rules rules;
        for (const QByteArray& w : words)
            if (rng() % 8 == 0)
                rules.refused.insert(w);
        ConstraintCore::Settings settings;
        settings.allowed = [&](int length, std::uint32_t id) {
            return !rules.refused.contains(index.word(length, id));
        };
        ConstraintCore core(g, slots, index, settings);
        const std::vector<std::pair<int, int>> crossed = crossedCells(g, slots);
        std::vector<std::pair<std::size_t, Snapshot>> marks;
        bool ok = core.blockedVar() == ConstraintCore::kNoVar && core.propagate();
        for (int depth = 0;; ++depth) {
            const Fixpoint ref = referenceFixpoint(g, slots, words, rules);
            QCOMPARE(ok, !ref.failed);
            ++states;
            if (!ok) {
                ++failures;
                break;
            }
            QCOMPARE(coreDomains(core, index), ref.domains);
            narrowed += coreDomains(core, index) != startingDomains(g, slots, words, rules);
            for (const auto& cell : crossed)
                QCOMPARE(core.cellMask(cell.first, cell.second), ref.masks.at(cell));
            std::vector<int> open;
            for (int v = 0; v < core.varCount(); ++v)
                if (core.var(v).size > 1)
                    open.push_back(v);
            if (open.empty() || depth == 4)
                break;
            const int v = open[rng() % open.size()];
            const CoreVar& x = core.var(v);
            const std::uint32_t at = std::uint32_t(rng() % x.size);
            rules.forced[x.slot] = index.word(x.length, x.dom[at]);
            marks.emplace_back(core.mark(), snapshot(core, index, g));
            core.assign(v, at);
            ok = core.propagate();
        }
        while (!marks.empty()) {
            core.undo(marks.back().first);
            QVERIFY(snapshot(core, index, g) == marks.back().second);
            marks.pop_back();
        }
    }
    QVERIFY(states > 600);
    QVERIFY(failures > 50);
    QVERIFY(narrowed > 200);
}

// The marks' mode (no all-different rule, an emptied slot kept): the
// propagation never fails; without an emptied slot it is the reference's
// fixpoint; with one, the other slots are still at a fixpoint among
// themselves: each live word fits its cells, and each letter left in a cell
// that two live slots share is one that both still put there.
void ConstraintCoreTest::emptiedSlotsStopConstrainingAtAFixpoint() {
    std::mt19937 rng(9);
    int whole = 0;
    int withEmptied = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const std::vector<QByteArray> words =
            randomWords(rng, 40 + int(rng() % 120), lettersOf(trial));
        WordIndex index;
        index.buildFromPlain(words);
        const Grille g = randomGrid(rng, 3 + trial % 3, lettersOf(trial), 1 + trial % 3);
        const GridSlots slots(g);
        ConstraintCore::Settings settings;
        settings.allDifferent = false;
        settings.keepEmptied = true;
        ConstraintCore core(g, slots, index, settings);
        QVERIFY(core.propagate());
        Rules rules;
        rules.allDifferent = false;
        const Fixpoint ref = referenceFixpoint(g, slots, words, rules);
        const auto emptied = std::count_if(core.vars().begin(), core.vars().end(),
                                           [](const CoreVar& x) { return x.emptied; });
        if (!ref.failed) {
            QCOMPARE(emptied, 0);
            QCOMPARE(coreDomains(core, index), ref.domains);
            ++whole;
            continue;
        }
        QVERIFY(emptied > 0);
        ++withEmptied;
        for (int v = 0; v < core.varCount(); ++v) {
            const CoreVar& x = core.var(v);
            if (x.emptied)
                continue;
            for (int p = 0; p < x.length; ++p) {
                const SlotCell c = slots[x.slot].cells[std::size_t(p)];
                const std::uint32_t mask = core.cellMask(c.col, c.row);
                const std::uint32_t support = core.letterSupport(v, p);
                QCOMPARE(support & ~mask, 0u);
                const int u = x.crossVar[std::size_t(p)];
                if (u != ConstraintCore::kNoVar && !core.var(u).emptied)
                    QCOMPARE(mask, support);
            }
        }
    }
    QVERIFY(whole > 50);
    QVERIFY(withEmptied > 30);
}

// A word the suggestions offer (with the marks) is one that arc consistency
// over the whole grid keeps in its slot; on these grids the plain pattern
// offers words that it removes.
void ConstraintCoreTest::suggestionsSurvivePropagation() {
    std::mt19937 rng(13);
    int offered = 0;
    int removed = 0; // fitting words the propagation removes
    for (int trial = 0; trial < 200; ++trial) {
        const std::vector<QByteArray> words =
            randomWords(rng, 60 + int(rng() % 120), lettersOf(trial));
        WordIndex index;
        index.buildFromPlain(words);
        const Grille g = randomGrid(rng, 4 + trial % 3, lettersOf(trial), 1);
        const GridSlots slots(g);
        Rules rules;
        rules.allDifferent = false;
        const Fixpoint ref = referenceFixpoint(g, slots, words, rules);
        if (ref.failed)
            continue;
        const GridMarks marks = computeGridMarks(g, slots, index);
        for (const auto& [s, domain] : ref.domains) {
            const SlotSuggestions got = suggestWords(g, slots, s, index, 0, &marks);
            for (const std::uint32_t id : got.ids) {
                QVERIFY(domain.contains(index.word(got.length, id)));
                ++offered;
            }
            const QByteArray pattern = slotPattern(g, slots[s]);
            removed += int(std::count_if(words.begin(), words.end(), [&](const QByteArray& w) {
                return fits(w, pattern) && !domain.contains(w);
            }));
        }
    }
    QVERIFY(offered > 500);
    QVERIFY(removed > 500);
}

// The marks' mode with the large domains kept as bits alone (their ids laid
// out only once they come down small) reaches the same state as with every
// id laid out: the same slots emptied, the same live words and sizes, the
// same letters in every cell and the same letter supports.
void ConstraintCoreTest::largeDomainsKeptAsBitsGiveTheSameFixpoint() {
    std::mt19937 rng(21);
    int stale = 0;     // domains kept as bits at the start
    int laidOut = 0;   // of those, the ones that came down small
    int stillBits = 0; // and the ones still large at the fixpoint
    int emptied = 0;
    for (int trial = 0; trial < 200; ++trial) {
        const std::vector<QByteArray> words =
            randomWords(rng, 100 + int(rng() % 400), lettersOf(trial));
        WordIndex index;
        index.buildFromPlain(words);
        const Grille g = randomGrid(rng, 3 + trial % 4, lettersOf(trial), 1 + trial % 3);
        const GridSlots slots(g);
        ConstraintCore::Settings settings;
        settings.allDifferent = false;
        settings.keepEmptied = true;
        ConstraintCore plain(g, slots, index, settings);
        settings.lazyIds = true;
        ConstraintCore lazy(g, slots, index, settings);
        std::vector<bool> startedStale;
        for (const CoreVar& x : lazy.vars())
            startedStale.push_back(x.stale);
        QVERIFY(plain.propagate());
        QVERIFY(lazy.propagate());
        QCOMPARE(lazy.varCount(), plain.varCount());
        for (int v = 0; v < plain.varCount(); ++v) {
            const CoreVar& a = plain.var(v);
            const CoreVar& b = lazy.var(v);
            QVERIFY(!a.stale);
            QCOMPARE(b.emptied, a.emptied);
            QCOMPARE(b.size, a.size);
            emptied += a.emptied;
            if (startedStale[std::size_t(v)]) {
                ++stale;
                laidOut += !b.stale;
                stillBits += b.stale;
            }
            if (!b.stale) {
                std::vector<std::uint32_t> ids(b.dom.begin(), b.dom.begin() + b.size);
                std::vector<std::uint32_t> expected(a.dom.begin(), a.dom.begin() + a.size);
                std::sort(ids.begin(), ids.end());
                std::sort(expected.begin(), expected.end());
                QCOMPARE(ids, expected);
            }
            for (int p = 0; p < a.length; ++p)
                QCOMPARE(lazy.letterSupport(v, p), plain.letterSupport(v, p));
        }
        QCOMPARE(liveDomains(lazy, index), coreDomains(plain, index));
        for (int c = 1; c < g.NbColonnes; ++c)
            for (int r = 1; r < g.NbLignes; ++r)
                QCOMPARE(lazy.cellMask(c, r), plain.cellMask(c, r));
    }
    QVERIFY(stale > 100);
    QVERIFY(laidOut > 50);
    QVERIFY(stillBits > 20);
    QVERIFY(emptied > 20);
}

QTEST_GUILESS_MAIN(ConstraintCoreTest)
#include "constraint_core_test.moc"
