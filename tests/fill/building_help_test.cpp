// The help while building a grid: suggestions ranked and counted as a plain
// brute force over the words ranks and counts them, fillability marks as a
// plain propagation over sets of strings finds them, and the grid check's
// three kinds of findings.
#include "support/random_grids.h"

#include "dictionary/word_index.h"
#include "fill/grid_check.h"
#include "fill/grid_fill.h"
#include "fill/grid_marks.h"
#include "fill/suggestions.h"
#include "grid/grid_slots.h"
#include "grid/grid_text.h"

#include <QTest>
#include <algorithm>
#include <bit>
#include <map>
#include <random>
#include <set>

using namespace orv;
using orv::test::fits;
using orv::test::randomGrid;
using orv::test::randomWords;

namespace {

WordIndex indexOf(const std::vector<QByteArray>& words) {
    WordIndex index;
    index.buildFromPlain(words);
    return index;
}

char at(const Grille& g, int col, int row) {
    if (col < 1 || row < 1 || col >= g.NbColonnes || row >= g.NbLignes)
        return '#';
    const char ch = g.cell(col, row);
    return ch == ' ' ? '.' : ch;
}

// The run of white cells through (col, row) across (dc = 1) or down (dr = 1),
// found by walking the cells, and the cell's place in it.
QByteArray runThrough(const Grille& g, int col, int row, int dc, int dr, int& place) {
    int c = col;
    int r = row;
    while (at(g, c - dc, r - dr) != '#') {
        c -= dc;
        r -= dr;
    }
    QByteArray run;
    for (; at(g, c, r) != '#'; c += dc, r += dr) {
        if (c == col && r == row)
            place = int(run.size());
        run.append(at(g, c, r));
    }
    return run;
}

struct Ranked {
    double openness;
    QByteArray word;
};

// Every fitting word but those already in the grid's other full slots,
// each crossing recounted over the whole word list.
std::vector<Ranked> bruteForce(const Grille& g, const Slot& slot,
                               const std::vector<QByteArray>& words) {
    const bool across = slot.direction == SlotDirection::Horizontal;
    const QByteArray pattern = slotPattern(g, slot);
    std::set<QByteArray> used;
    const GridSlots all(g);
    for (const Slot& other : all.slots()) {
        const QByteArray w = slotPattern(g, other);
        const bool same = other.direction == slot.direction &&
                          other.cells[0].col == slot.cells[0].col &&
                          other.cells[0].row == slot.cells[0].row;
        if (!same && !w.contains('.'))
            used.insert(w);
    }
    std::vector<Ranked> out;
    for (const QByteArray& w : words) {
        if (!fits(w, pattern) || used.count(w))
            continue;
        double product = 1;
        for (int p = 0; p < slot.length(); ++p) {
            if (pattern[p] != '.')
                continue;
            const SlotCell cell = slot.cells[std::size_t(p)];
            int place = 0;
            QByteArray crossing =
                runThrough(g, cell.col, cell.row, across ? 0 : 1, across ? 1 : 0, place);
            if (crossing.size() < 2)
                continue;
            crossing[place] = w[p];
            product *= double(std::count_if(words.begin(), words.end(), [&](const QByteArray& x) {
                return fits(x, crossing);
            }));
        }
        if (product > 0)
            out.push_back({product, w});
    }
    std::sort(out.begin(), out.end(), [](const Ranked& a, const Ranked& b) {
        return a.openness != b.openness ? a.openness > b.openness : a.word < b.word;
    });
    return out;
}

// The same with scores: words under minScore are neither listed nor counted
// in a crossing, and the rank blends the openness with the score.
std::vector<Ranked> bruteForceScored(const Grille& g, const Slot& slot,
                                     const std::vector<QByteArray>& all,
                                     const std::map<QByteArray, int>& scores, int minScore) {
    std::vector<QByteArray> words;
    for (const QByteArray& w : all)
        if (scores.at(w) >= minScore)
            words.push_back(w);
    std::vector<Ranked> out = bruteForce(g, slot, words);
    for (Ranked& r : out)
        r.openness = suggestionRank(r.openness, scores.at(r.word));
    std::stable_sort(out.begin(), out.end(), [](const Ranked& a, const Ranked& b) {
        return a.openness != b.openness ? a.openness > b.openness : a.word < b.word;
    });
    return out;
}

// Arc consistency over sets of strings, repeated until nothing changes.
// Returns false when some slot is left without a word.
bool referenceMasks(const Grille& g, const GridSlots& slots, const std::vector<QByteArray>& words,
                    std::map<std::pair<int, int>, std::uint32_t>& masks) {
    for (int c = 1; c < g.NbColonnes; ++c)
        for (int r = 1; r < g.NbLignes; ++r) {
            const char ch = g.cell(c, r);
            masks[{c, r}] = ch >= 'A' && ch <= 'Z' ? 1u << (ch - 'A') : (1u << 26) - 1;
        }
    std::vector<std::vector<QByteArray>> domains;
    for (const Slot& s : slots.slots()) {
        std::vector<QByteArray> d;
        for (const QByteArray& w : words)
            if (fits(w, slotPattern(g, s)))
                d.push_back(w);
        domains.push_back(d);
    }
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < slots.count(); ++i) {
            const Slot& s = slots[i];
            auto& d = domains[std::size_t(i)];
            std::erase_if(d, [&](const QByteArray& w) {
                for (int p = 0; p < s.length(); ++p) {
                    const SlotCell c = s.cells[std::size_t(p)];
                    if (!(masks[{c.col, c.row}] >> (w[p] - 'A') & 1))
                        return true;
                }
                return false;
            });
            if (d.empty())
                return false;
            for (int p = 0; p < s.length(); ++p) {
                std::uint32_t seen = 0;
                for (const QByteArray& w : d)
                    seen |= 1u << (w[p] - 'A');
                const SlotCell c = s.cells[std::size_t(p)];
                std::uint32_t& m = masks[{c.col, c.row}];
                if ((m & seen) != m) {
                    m &= seen;
                    changed = true;
                }
            }
        }
    }
    return true;
}

} // namespace

class BuildingHelpTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void headingAndCounts();
    void rankingMatchesBruteForce();
    void rankingBlendsScoresAsBruteForce();
    void higherScoreFirstAtEqualOpennessAndZeroHides();
    void wordsBlockingACrossingAreLeftOut();
    void slotsTooLongForAnyWord();
    void marksMatchPlainPropagation();
    void deadAndForcedCells();
    void deadSlotDoesNotSpread();
    void checkFindsTheThreeKinds();
    void checkNamesTheCellWhenALineHoldsTwoSlots();
    void checkTellsTheTruthOnSmallGrids();
    void checkSuggestionsAndFillAgree();
};

void BuildingHelpTest::headingAndCounts() {
    QCOMPARE(wordCountText(0), QStringLiteral("0 mot"));
    QCOMPARE(wordCountText(1), QStringLiteral("1 mot"));
    QCOMPARE(wordCountText(2), QStringLiteral("2 mots"));
    QCOMPARE(wordCountText(1254), QStringLiteral("1 254 mots"));
    QCOMPARE(wordCountText(325003), QStringLiteral("325 003 mots"));
    QCOMPARE(wordCountText(1000000), QStringLiteral("1 000 000 mots"));

    const Grille g = readGridText("....\n"
                                  "....\n"
                                  "C..Z\n"
                                  ".A..\n");
    const GridSlots slots(g);
    const WordIndex index = indexOf({"CAZZ", "COUZ", "CRIZ"});
    const SlotSuggestions row =
        suggestWords(g, slots, slots.slotAt(2, 3, SlotDirection::Horizontal), index);
    QCOMPARE(row.heading(), QStringLiteral("Ligne 3 : C..Z"));
    const SlotSuggestions col =
        suggestWords(g, slots, slots.slotAt(2, 1, SlotDirection::Vertical), index);
    QCOMPARE(col.heading(), QStringLiteral("Colonne B : ...A"));
    QCOMPARE(suggestWords(g, slots, -1, index).heading(), QString());
}

void BuildingHelpTest::rankingMatchesBruteForce() {
    std::mt19937 rng(7);
    int compared = 0;
    int withChoice = 0;
    for (int trial = 0; trial < 60; ++trial) {
        const char* letters = trial % 2 ? "AEST" : "ABCDE";
        const std::vector<QByteArray> words = randomWords(rng, 120, letters);
        const WordIndex index = indexOf(words);
        const Grille g = randomGrid(rng, 4 + trial % 3, letters);
        const GridSlots slots(g);
        for (int s = 0; s < slots.count(); ++s) {
            const std::vector<Ranked> expected = bruteForce(g, slots[s], words);
            const SlotSuggestions got = suggestWords(g, slots, s, index);
            QCOMPARE(got.count(), expected.size());
            for (std::size_t i = 0; i < expected.size(); ++i) {
                QCOMPARE(index.word(got.length, got.ids[i]), expected[i].word);
                QCOMPARE(got.openness[i], expected[i].openness);
            }
            ++compared;
            withChoice +=
                expected.size() > 1 && expected.front().openness != expected.back().openness;
        }
    }
    QVERIFY(compared > 200);
    QVERIFY(withChoice > 20);
}

void BuildingHelpTest::rankingBlendsScoresAsBruteForce() {
    std::mt19937 rng(11);
    int compared = 0;
    int reordered = 0; // lists whose order the scores changed
    int hidden = 0;    // fitting words left out for their score of 0
    for (int trial = 0; trial < 40; ++trial) {
        const char* letters = trial % 2 ? "AEST" : "ABCDE";
        const std::vector<QByteArray> words = randomWords(rng, 120, letters);
        WordIndex index = indexOf(words);
        std::map<QByteArray, int> scores;
        for (const QByteArray& w : words) {
            // Few distinct scores, so that equal ranks happen too.
            const int score = rng() % 8 == 0 ? 0 : int(rng() % 4) * 25 + 10;
            scores[w] = score;
            QVERIFY(index.setScore(w, std::uint8_t(score)));
        }
        const Grille g = randomGrid(rng, 4 + trial % 3, letters);
        const GridSlots slots(g);
        for (int s = 0; s < slots.count(); ++s) {
            const std::vector<Ranked> expected = bruteForceScored(g, slots[s], words, scores, 1);
            const SlotSuggestions got = suggestWords(g, slots, s, index, 1);
            QCOMPARE(got.count(), expected.size());
            for (std::size_t i = 0; i < expected.size(); ++i) {
                QCOMPARE(index.word(got.length, got.ids[i]), expected[i].word);
                QVERIFY(index.score(got.length, got.ids[i]) > 0);
            }
            const std::vector<Ranked> plain = bruteForceScored(g, slots[s], words, scores, 0);
            for (const Ranked& r : plain)
                hidden += scores.at(r.word) == 0;
            std::vector<Ranked> byOpenness = bruteForce(g, slots[s], words);
            std::erase_if(byOpenness, [&](const Ranked& r) { return scores.at(r.word) == 0; });
            bool differs = false;
            for (std::size_t i = 0; i < byOpenness.size() && i < expected.size(); ++i)
                differs = differs || byOpenness[i].word != expected[i].word;
            reordered += differs;
            ++compared;
        }
    }
    QVERIFY(compared > 150);
    QVERIFY(reordered > 20);
    QVERIFY(hidden > 20);
}

void BuildingHelpTest::higherScoreFirstAtEqualOpennessAndZeroHides() {
    // Row 1 "...." crosses nothing: every word is as open as another, so the
    // score alone ranks them, the dictionary's order between equal scores.
    const Grille line = readGridText("....\n####\n");
    const GridSlots lineSlots(line);
    WordIndex index = indexOf({"BRAS", "CAPE", "DENT", "MAIS", "ZONE"});
    index.setScore("BRAS", 40);
    index.setScore("CAPE", 90);
    index.setScore("DENT", 0);
    index.setScore("MAIS", 40);
    index.setScore("ZONE", 70);
    const auto listed = [&](const Grille& g, const GridSlots& slots, int slot, int minScore) {
        QList<QByteArray> words;
        const SlotSuggestions s = suggestWords(g, slots, slot, index, minScore);
        for (const std::uint32_t id : s.ids)
            words << index.word(s.length, id);
        return words;
    };
    QCOMPARE(listed(line, lineSlots, 0, 1), (QList<QByteArray>{"CAPE", "ZONE", "BRAS", "MAIS"}));
    // Without a floor the hidden word comes back, last.
    QCOMPARE(listed(line, lineSlots, 0, 0),
             (QList<QByteArray>{"CAPE", "ZONE", "BRAS", "MAIS", "DENT"}));

    // Column A "B..." / "C..." / "D..." / "M..." / "Z...": with a crossing,
    // openness and score blend. Row 1 "...." crosses column A, whose
    // candidates are the words of the first column.
    const Grille square = readGridText("....\n.###\n.###\n.###\n");
    const GridSlots slots(square);
    const int row = slots.slotAt(1, 1, SlotDirection::Horizontal);
    WordIndex crossing = indexOf(
        {"BRAS", "BEAU", "BOIS", "CAPE", "CRAN", "DENT", "DUNE", "DOSE", "DAIM", "MAIS", "ZONE"});
    const auto setAll = [&](int score) {
        for (const char* w : {"BRAS", "BEAU", "BOIS", "CAPE", "CRAN", "DENT", "DUNE", "DOSE",
                              "DAIM", "MAIS", "ZONE"})
            crossing.setScore(w, std::uint8_t(score));
    };
    setAll(50);
    const auto rowWords = [&](int minScore) {
        QList<QByteArray> words;
        const SlotSuggestions s = suggestWords(square, slots, row, crossing, minScore);
        for (const std::uint32_t id : s.ids)
            words << crossing.word(4, id);
        return words;
    };
    // Equal scores: D leaves column A four words, B three, C two.
    QCOMPARE(rowWords(1).mid(0, 4), (QList<QByteArray>{"DAIM", "DENT", "DOSE", "DUNE"}));
    // A hidden word neither is listed nor counts for its crossing: with DENT
    // and DOSE at 0, D leaves two words and ranks with C.
    crossing.setScore("DENT", 0);
    crossing.setScore("DOSE", 0);
    const QList<QByteArray> without = rowWords(1);
    QVERIFY(!without.contains("DENT") && !without.contains("DOSE"));
    QCOMPARE(without.mid(0, 3), (QList<QByteArray>{"BEAU", "BOIS", "BRAS"}));
    // Equal openness (B...: three each): the better-known word first.
    crossing.setScore("BRAS", 90);
    QCOMPARE(rowWords(1).mid(0, 3), (QList<QByteArray>{"BRAS", "BEAU", "BOIS"}));
    // A much better-known word outranks a word a little more open.
    crossing.setScore("CAPE", 100);
    QCOMPARE(rowWords(1).first(), QByteArray("CAPE"));
}

void BuildingHelpTest::wordsBlockingACrossingAreLeftOut() {
    // Row 1 crosses column A at A1 and column C at C1; no word of either
    // column starts with U or O.
    const Grille g = readGridText("...\n"
                                  ".#.\n"
                                  "...\n");
    const GridSlots slots(g);
    const WordIndex index =
        indexOf({"SET", "SAT", "SOU", "EST", "ETE", "SUT", "TAS", "TES", "SUS"});
    const SlotSuggestions got =
        suggestWords(g, slots, slots.slotAt(1, 1, SlotDirection::Horizontal), index);
    QList<QByteArray> words;
    for (const std::uint32_t id : got.ids)
        words << index.word(3, id);
    // Columns A and C need a word starting with the letter placed: S gives
    // SET SAT SOU SUT SUS (5), E gives EST ETE (2), T gives TAS TES (2).
    for (const QByteArray& w : words)
        QVERIFY2(w[0] != 'U' && w[2] != 'U', w.constData());
    QVERIFY(!words.contains("SOU"));
    QCOMPARE(words.first(), QByteArray("SUS")); // 5 x 5
    QCOMPARE(words.size(), 8);
}

void BuildingHelpTest::slotsTooLongForAnyWord() {
    QByteArray text;
    for (int r = 0; r < 20; ++r)
        text += QByteArray(20, r == 0 ? '.' : '#') + '\n';
    const Grille g = readGridText(text);
    const GridSlots slots(g);
    const WordIndex index = indexOf({"AB", "ABCDEFGHIJKLMNOPQRS"});
    const SlotSuggestions got = suggestWords(g, slots, 0, index);
    QCOMPARE(got.length, 20);
    QCOMPARE(got.count(), std::size_t(0));
    QCOMPARE(got.heading(), QStringLiteral("Ligne 1 : ") + QString(20, QLatin1Char('.')));
    const GridMarks marks = computeGridMarks(g, slots, index);
    QCOMPARE(marks.deadCount(), 20);
}

void BuildingHelpTest::marksMatchPlainPropagation() {
    std::mt19937 rng(11);
    int compared = 0;
    int forced = 0;
    int trials = 0;
    for (int trial = 0; trial < 200; ++trial) {
        const char* letters = trial % 2 ? "AEST" : "ABCDE";
        const std::vector<QByteArray> words = randomWords(rng, 150 + trial % 5 * 40, letters);
        const WordIndex index = indexOf(words);
        const Grille g = randomGrid(rng, 4 + trial % 3, letters, 1);
        const GridSlots slots(g);
        std::map<std::pair<int, int>, std::uint32_t> masks;
        if (!referenceMasks(g, slots, words, masks))
            continue;
        ++trials;
        const GridMarks marks = computeGridMarks(g, slots, index);
        for (int c = 1; c < g.NbColonnes; ++c)
            for (int r = 1; r < g.NbLignes; ++r) {
                if (g.cell(c, r) != ' ')
                    continue;
                const bool inSlot = slots.slotAt(c, r, SlotDirection::Horizontal) >= 0 ||
                                    slots.slotAt(c, r, SlotDirection::Vertical) >= 0;
                const std::uint32_t m = masks[{c, r}];
                const CellMark expected = !inSlot                 ? CellMark::None
                                          : m == 0                ? CellMark::Dead
                                          : std::popcount(m) == 1 ? CellMark::Forced
                                                                  : CellMark::None;
                QCOMPARE(int(marks.mark(c, r)), int(expected));
                if (inSlot)
                    QCOMPARE(marks.letters(c, r), m);
                forced += expected == CellMark::Forced;
                ++compared;
            }
    }
    QVERIFY(compared > 300);
    QVERIFY(forced > 10);
}

void BuildingHelpTest::deadAndForcedCells() {
    const WordIndex index = indexOf({"ABC", "ABD", "AZO", "OUI"});
    {
        // Column A must end with the first letter of row 3: only AZO and OUI.
        const Grille g = readGridText("A..\n"
                                      ".##\n"
                                      "...\n");
        const GridMarks marks = computeGridMarks(g, GridSlots(g), index);
        QCOMPARE(marks.forcedLetter(1, 2), 'Z');
        QCOMPARE(marks.forcedLetter(1, 3), 'O');
        QCOMPARE(marks.forcedLetter(2, 3), 'U');
        QCOMPARE(marks.forcedLetter(3, 3), 'I');
        QCOMPARE(marks.mark(2, 1), CellMark::None);
        QCOMPARE(marks.letters(2, 1), (1u << ('B' - 'A')) | (1u << ('Z' - 'A')));
        QCOMPARE(marks.mark(1, 1), CellMark::None); // a letter is never marked
        QCOMPARE(marks.forcedCount(), 4);
        QCOMPARE(marks.deadCount(), 0);
    }
    {
        const Grille g = readGridText("Q..\n"
                                      "###\n"
                                      "OU.\n");
        const GridMarks marks = computeGridMarks(g, GridSlots(g), index);
        QCOMPARE(marks.mark(2, 1), CellMark::Dead);
        QCOMPARE(marks.mark(3, 1), CellMark::Dead);
        QCOMPARE(marks.forcedLetter(3, 3), 'I');
        QCOMPARE(marks.deadCount(), 2);
        QCOMPARE(marks.forcedCount(), 1);
    }
}

void BuildingHelpTest::deadSlotDoesNotSpread() {
    // Nothing fits row 1; the columns and row 3 around it still have words.
    const WordIndex index = indexOf({"ABC", "ABD", "AZO", "OUI", "CUB", "DOC"});
    const Grille g = readGridText(".Q.\n"
                                  ".#.\n"
                                  "...\n");
    const GridMarks marks = computeGridMarks(g, GridSlots(g), index);
    QCOMPARE(marks.mark(1, 1), CellMark::Dead);
    QCOMPARE(marks.mark(3, 1), CellMark::Dead);
    for (const auto& [c, r] : {std::pair{1, 2}, {3, 2}, {1, 3}, {2, 3}, {3, 3}})
        QVERIFY2(marks.mark(c, r) != CellMark::Dead,
                 qPrintable(QStringLiteral("%1,%2").arg(c).arg(r)));
    QCOMPARE(marks.deadCount(), 2);
}

void BuildingHelpTest::checkFindsTheThreeKinds() {
    const WordIndex index = indexOf({"SEL", "LES", "ETE", "ELU", "SUR"});
    // Rows: SEL, ELU is fine, LES; columns: SEL (twice), ELE (unknown), LUS
    // (unknown). Then row 5 "Q.." fits nothing; row 4 is too short to matter.
    const Grille g = readGridText("SEL\n"
                                  "ELU\n"
                                  "LES\n"
                                  "#.#\n"
                                  "Q..\n");
    const GridSlots slots(g);
    const std::vector<GridFinding> findings = checkGrid(g, slots, index);
    QStringList texts;
    for (const GridFinding& f : findings)
        texts << f.text;
    // Column B runs through row 4's open cell and row 5: E L E . .
    QCOMPARE(texts, (QStringList{
                        QStringLiteral("Ligne 5 : aucun mot ne convient à Q.."),
                        QStringLiteral("Colonne A : SEL est déjà placé en ligne 1"),
                        QStringLiteral("Colonne B : aucun mot ne convient à ELE.."),
                        QStringLiteral("Colonne C : LUS n'est pas dans le dictionnaire"),
                    }));
    QCOMPARE(findings[1].kind, FindingKind::UsedTwice);
    QCOMPARE(findings[1].slot, slots.slotAt(1, 1, SlotDirection::Vertical));
    QCOMPARE(findings[1].firstSlot, slots.slotAt(1, 1, SlotDirection::Horizontal));
    QCOMPARE(findings[0].kind, FindingKind::NoWordFits);
    QCOMPARE(findings[3].kind, FindingKind::NotInDictionary);
    QCOMPARE(findings[3].slot, slots.slotAt(3, 2, SlotDirection::Vertical));
}

void BuildingHelpTest::checkNamesTheCellWhenALineHoldsTwoSlots() {
    const WordIndex index = indexOf({"SEL", "ELU"});
    const Grille g = readGridText("SEL#SEL\n"
                                  "#######\n"
                                  "ZUT#ELU\n");
    QStringList texts;
    for (const GridFinding& f : checkGrid(g, GridSlots(g), index))
        texts << f.text;
    QCOMPARE(texts, (QStringList{
                        QStringLiteral("Ligne 1 (E1) : SEL est déjà placé en ligne 1 (A1)"),
                        QStringLiteral("Ligne 3 (A3) : ZUT n'est pas dans le dictionnaire"),
                    }));
}

void BuildingHelpTest::checkTellsTheTruthOnSmallGrids() {
    // Each slot has words of its own, but LES and RUE want different letters
    // in the corner: no fill exists, and the crossings show it.
    const WordIndex index = indexOf({"SUR", "SEL", "LES", "RUE"});
    const Grille corner = readGridText("SUR\n"
                                       "E#.\n"
                                       "L..\n");
    const GridCheckReport report = checkWholeGrid(corner, GridSlots(corner), index, {});
    // The first slot left with no word stops constraining its crossings, so
    // the other one keeps its word.
    QCOMPARE(report.findings.size(), std::size_t(1));
    QCOMPARE(report.findings[0].kind, FindingKind::NoWordAfterCrossings);
    QCOMPARE(report.findings[0].text,
             QStringLiteral("Colonne C : aucun mot ne convient à R.. une fois les croisements "
                            "pris en compte"));
    QCOMPARE(fillGrid(corner, index).status, FillStatus::NoFill);

    // With LUE, the corner fills.
    const WordIndex more = indexOf({"SUR", "SEL", "LUE", "RUE"});
    const GridCheckReport sound = checkWholeGrid(corner, GridSlots(corner), more, {});
    QVERIFY(sound.findings.empty());
    QCOMPARE(sound.fill.verdict, FillabilityCheck::Verdict::Fillable);
    QCOMPARE(sound.summary, QStringLiteral("Rien à signaler dans la grille : elle peut être "
                                           "remplie."));

    // Every slot keeps its word after propagation, but a word may be placed
    // only once: only the search proves that nothing fits.
    const WordIndex one = indexOf({"AA"});
    const Grille square = readGridText("..\n..\n");
    const GridCheckReport proved = checkWholeGrid(square, GridSlots(square), one, {});
    QCOMPARE(proved.findings.size(), std::size_t(1));
    QCOMPARE(proved.findings[0].kind, FindingKind::NoFillPossible);
    QVERIFY2(proved.findings[0].text.startsWith(QStringLiteral("Aucun remplissage possible (en "
                                                               "cause : ")),
             qPrintable(proved.findings[0].text));
    QVERIFY(proved.findings[0].slot >= 0);
    QCOMPARE(proved.summary, QStringLiteral("1 point à revoir :"));

    // A full grid needs no search.
    const Grille full = readGridText("SUR\nE#U\nLUE\n");
    const GridCheckReport done = checkWholeGrid(full, GridSlots(full), more, {});
    QCOMPARE(done.fill.verdict, FillabilityCheck::Verdict::Full);
    QCOMPARE(done.summary, QStringLiteral("Rien à signaler dans la grille."));
}

// On random grids: a grid the check calls stuck is one the fill cannot fill,
// a grid the fill proves unfillable is one the check reports, and a word the
// suggestions offer never has a letter that the whole grid's propagation
// rules out of its cell.
void BuildingHelpTest::checkSuggestionsAndFillAgree() {
    std::mt19937 rng(23);
    int stuck = 0;
    int filled = 0;
    int offered = 0;
    int ruledOut = 0;
    for (int trial = 0; trial < 150; ++trial) {
        const char* letters = trial % 2 ? "AEST" : "ABCDE";
        const std::vector<QByteArray> words = randomWords(rng, 150 + trial % 5 * 40, letters);
        const WordIndex index = indexOf(words);
        const Grille g = randomGrid(rng, 4 + trial % 3, letters, 1);
        const GridSlots slots(g);
        FillOptions options;
        options.timeLimitSeconds = 20;
        const FillResult fill = fillGrid(g, index, options);
        if (fill.status == FillStatus::TimedOut)
            continue;
        const GridCheckReport report = checkWholeGrid(g, slots, index, {}, 0, 20);
        const bool reportedStuck =
            std::any_of(report.findings.begin(), report.findings.end(), [](const GridFinding& f) {
                return f.kind == FindingKind::NoWordFits ||
                       f.kind == FindingKind::NoWordAfterCrossings ||
                       f.kind == FindingKind::NoFillPossible;
            });
        if (reportedStuck)
            QCOMPARE(fill.status, FillStatus::NoFill);
        if (fill.status == FillStatus::NoFill)
            QVERIFY(!report.findings.empty());
        stuck += reportedStuck;
        filled += fill.status == FillStatus::Filled;

        std::map<std::pair<int, int>, std::uint32_t> masks;
        if (!referenceMasks(g, slots, words, masks))
            continue;
        const GridMarks marks = computeGridMarks(g, slots, index);
        for (int s = 0; s < slots.count(); ++s) {
            const SlotSuggestions plain = suggestWords(g, slots, s, index);
            const SlotSuggestions kept = suggestWords(g, slots, s, index, 0, &marks);
            for (const std::uint32_t id : kept.ids) {
                const char* w = index.letters(kept.length, id);
                for (int p = 0; p < kept.length; ++p) {
                    const SlotCell c = slots[s].cells[std::size_t(p)];
                    const std::uint32_t allowed = masks[{c.col, c.row}];
                    QVERIFY(allowed >> (w[p] - 'A') & 1);
                }
            }
            offered += int(kept.count());
            ruledOut += int(plain.count() - kept.count());
        }
    }
    QVERIFY(stuck > 5);
    QVERIFY(filled > 5);
    QVERIFY(offered > 100);
    QVERIFY(ruledOut > 10);
}

QTEST_GUILESS_MAIN(BuildingHelpTest)
#include "building_help_test.moc"
