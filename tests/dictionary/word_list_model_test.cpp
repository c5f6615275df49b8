// The flat word list checked against a plain model (a list of scrambled
// entries handled the simple way) on random operations: adding, deleting,
// replacing, importing, sorting, loading unsorted files with duplicates, the
// start-up clean-up, lookups, letter listings, counters and the file's bytes.
// Also the import's cancel, which leaves the list as it was.
#include "common/text_file.h"
#include "dictionary/dictionary_browse.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/dictionary_stats.h"
#include "dictionary/scramble.h"
#include "dictionary/word_list.h"
#include "dictionary/word_order.h"
#include "dictionary/word_source.h"
#include "support/word_lists.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

using namespace orv;
using namespace orv::test;

namespace {

// The model: every operation as the list's rules state it, the slow way.
struct Model {
    QList<QByteArray> entries; // scrambled

    void sort() {
        std::stable_sort(
            entries.begin(), entries.end(),
            [](const QByteArray& a, const QByteArray& b) { return compareScrambled(a, b) < 0; });
    }
    void importLines(const QList<QByteArray>& lines) {
        QSet<QByteArray> present(entries.cbegin(), entries.cend());
        for (const QByteArray& line : lines) {
            const QByteArray word = upperLine(line);
            if (MotAdmissible(word) && !present.contains(Crypte(word))) {
                entries.append(Crypte(word));
                present.insert(Crypte(word));
            }
        }
        sort();
    }
};

class Generator {
public:
    explicit Generator(quint32 seed, bool beyondCapitals) : rng_(seed), beyond_(beyondCapitals) {}
    int below(int n) { return int(rng_.bounded(n)); }
    // Plain words over few letters, so that long shared beginnings, repeats
    // and words of more than seven letters are common.
    QByteArray plain() {
        const int roll = below(100);
        int n = roll < 3 ? below(2) : (roll < 6 ? 20 + below(4) : 2 + below(16));
        if (roll == 99)
            n = 256 + below(40); // beyond the length kept in an entry
        QByteArray w;
        for (int i = 0; i < n; ++i)
            w.append("ABCZ"[below(4)]);
        if (beyond_ && below(20) == 0 && n > 0)
            w[below(int(n))] = "a-\xC9"[below(3)];
        return w;
    }
    // A scrambled word that a file can hold: beyond 19 letters, a scrambled
    // byte may happen to be a line end.
    QByteArray scrambled() {
        for (;;) {
            const QByteArray s = Crypte(plain());
            if (!s.contains('\r') && !s.contains('\n') && !s.contains('\0'))
                return s;
        }
    }
    QByteArray line() {
        QByteArray w = plain();
        if (below(4) == 0)
            w = w.toLower();
        return w;
    }

private:
    QRandomGenerator rng_;
    bool beyond_;
};

void checkSame(const WordList& w, const Model& m) {
    QCOMPARE(w.count(), m.entries.size());
    QCOMPARE(w.entries(), m.entries);
    QCOMPARE(w.fileBytes(), joinTextLines(m.entries));
    const WordCounts fromList = countWords(w);
    const WordCounts fromModel = countWords(m.entries);
    QCOMPARE(fromList.total, fromModel.total);
    QVERIFY(fromList.byLength == fromModel.byLength);
    for (char letter : {'A', 'B', 'C', 'Z', 'Q'})
        QCOMPARE(wordsWithInitial(w, letter).toList(),
                 wordsWithInitial(m.entries, letter).toList());
}

} // namespace

class WordListModelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void randomOperationsMatchTheModel_data();
    void randomOperationsMatchTheModel();
    void copiesKeepTheirOwnWords();
    void linesAreSplitAsTheTextRulesSay();
    void cancelledImportLeavesTheListAsItWas();
};

void WordListModelTest::randomOperationsMatchTheModel_data() {
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("beyondCapitals");
    for (quint32 seed = 1; seed <= 2; ++seed) {
        QTest::addRow("capitals, seed %u", seed) << seed << false;
        QTest::addRow("other bytes too, seed %u", seed) << seed << true;
    }
}

void WordListModelTest::randomOperationsMatchTheModel() {
    QFETCH(quint32, seed);
    QFETCH(bool, beyondCapitals);
    Generator g(seed, beyondCapitals);
    // A file of a few blocks of entries, unsorted or sorted, with duplicates.
    Model m;
    const int first = 2200 + g.below(1000); // two blocks of entries or more
    for (int i = 0; i < first; ++i)
        m.entries.append(g.scrambled());
    if (g.below(2))
        m.sort();
    WordList w;
    w.parse(joinTextLines(m.entries));
    if (g.below(2)) { // the start: the clean-up comes before any lookup
        const qsizetype before = m.entries.size();
        m.entries.removeIf([](const QByteArray& e) { return e.size() < 2 || e.size() > 19; });
        QCOMPARE(Verifie(w), before - m.entries.size());
    }
    checkSame(w, m);

    for (int step = 0; step < 300; ++step) {
        const int op = g.below(100);
        if (op < 30) { // the word command: add when absent, then Tri
            const QByteArray s = g.scrambled();
            QCOMPARE(w.contains(s), m.entries.contains(s));
            if (!m.entries.contains(s)) {
                w.append(s);
                m.entries.append(s);
                Tri(w);
                m.sort();
                QVERIFY(w.isSorted());
            }
        } else if (op < 50) { // delete a word, present or not
            const QByteArray s =
                g.below(4) ? m.entries.value(g.below(int(m.entries.size())) + 0) : g.scrambled();
            const qsizetype at = w.indexOf(s);
            QCOMPARE(at, m.entries.indexOf(s));
            if (at >= 0) {
                w.removeAt(at);
                m.entries.removeAt(at);
            }
        } else if (op < 55 && !m.entries.isEmpty()) { // replace
            const int i = g.below(int(m.entries.size()));
            const QByteArray s = g.scrambled();
            w.replace(i, s);
            m.entries[i] = s;
        } else if (op < 62) { // append without sorting
            const QByteArray s = g.scrambled();
            w.append(s);
            m.entries.append(s);
        } else if (op < 70) { // an import, as a batch
            QList<QByteArray> lines;
            const int n = g.below(3) ? g.below(8) : 100 + g.below(1200);
            for (int i = 0; i < n; ++i)
                lines.append(g.line());
            WordListReader reader(joinTextLines(lines), false);
            const qsizetype before = w.count();
            const ImportReport report = importWordList(w, reader);
            m.importLines(lines);
            QCOMPARE(report.added, w.count() - before);
            QVERIFY(w.isSorted());
        } else if (op < 74) { // an import line by line, then Tri
            QList<QByteArray> lines;
            for (int i = 0, n = g.below(200); i < n; ++i)
                lines.append(g.line());
            importLines(w, lines);
            Tri(w);
            m.importLines(lines);
        } else if (op < 76) { // the start-up clean-up
            const qsizetype before = m.entries.size();
            m.entries.removeIf([](const QByteArray& e) { return e.size() < 2 || e.size() > 19; });
            QCOMPARE(Verifie(w), before - m.entries.size());
        } else if (op < 77) { // a reload of the file as written
            w.parse(w.fileBytes());
        } else { // lookups
            const QByteArray s = g.below(2) && !m.entries.isEmpty()
                                     ? m.entries[g.below(int(m.entries.size()))]
                                     : g.scrambled();
            QCOMPARE(w.indexOf(s), m.entries.indexOf(s));
        }
        if (step % 50 == 0)
            checkSame(w, m);
    }
    checkSame(w, m);
    Tri(w);
    m.sort();
    checkSame(w, m);
}

void WordListModelTest::copiesKeepTheirOwnWords() {
    WordList w;
    w.parse(dictionaryFile({"ABRI", "CHAT", "ZOO"}));
    const WordList copy = w;
    const quint64 revision = w.revision();
    w.append(Crypte("ZZZ"));
    w.removeAt(0);
    QVERIFY(w.revision() > revision);
    QCOMPARE(plainOf(copy), (QList<QByteArray>{"ABRI", "CHAT", "ZOO"}));
    QCOMPARE(plainOf(w), (QList<QByteArray>{"CHAT", "ZOO", "ZZZ"}));
    QCOMPARE(copy.revision(), revision);
}

void WordListModelTest::linesAreSplitAsTheTextRulesSay() {
    // Texts of every length around the 64 bytes read at a time, with CR LF,
    // lone CRs and LFs anywhere, the last line with or without its end, and
    // sometimes a NUL: the list's lines are the text rules' lines.
    QRandomGenerator rng(7);
    const QByteArray alphabet("ABC\r\n\r\n\xC9");
    for (int round = 0; round < 3000; ++round) {
        const int n = round < 300 ? round : int(rng.bounded(400));
        QByteArray text;
        const bool crLfOnly = rng.bounded(2) == 0;
        while (text.size() < n) {
            if (crLfOnly) {
                text += QByteArray(int(rng.bounded(12)), 'A') + "\r\n";
            } else {
                text += alphabet[int(rng.bounded(int(alphabet.size())))];
            }
        }
        text.truncate(n);
        // One lone CR among CR LF lines, wherever it falls.
        if (crLfOnly && n > 0 && rng.bounded(2) == 0)
            text[int(rng.bounded(n))] = '\r';
        if (rng.bounded(10) == 0 && n > 0)
            text[int(rng.bounded(n))] = '\0';
        WordList w;
        w.parse(text);
        const QList<QByteArray> expected = splitTextLines(text);
        QCOMPARE(w.entries(), expected);
        qsizetype counted = 0;
        for (int k = 0; k < WordList::kCountedLengths; ++k)
            counted += w.byLength(k);
        QCOMPARE(counted, expected.size());
    }
}

void WordListModelTest::cancelledImportLeavesTheListAsItWas() {
    WordList w;
    w.parse(dictionaryFile({"ZOO", "ABRI"})); // unsorted: the import would sort it
    QByteArray list;
    for (int i = 0; i < 20000; ++i) {
        QByteArray word("mot");
        for (int n = i, k = 0; k < 4; ++k, n /= 26)
            word += char('a' + n % 26);
        list += word + "\r\n";
    }
    const QList<QByteArray> before = w.entries();
    const quint64 revision = w.revision();
    std::atomic<bool> cancel{false};
    WordListReader reader(list, false);
    QList<int> seen;
    const ImportReport report = importWordList(
        w, reader,
        [&](int percent) {
            seen.append(percent);
            if (percent >= 50)
                cancel = true;
        },
        &cancel);
    QVERIFY(report.cancelled);
    QCOMPARE(report.added, qsizetype(0));
    QVERIFY(report.lines > 0 && report.lines < 20000);
    QCOMPARE(seen.last(), 50); // stopped at the next line
    QCOMPARE(w.entries(), before);
    QCOMPARE(w.revision(), revision);
    QVERIFY(!w.isSorted());
    // Not cancelled, the same list comes in whole.
    WordListReader again(list, false);
    const ImportReport done = importWordList(w, again);
    QVERIFY(!done.cancelled);
    QCOMPARE(done.added, qsizetype(20000));
    QCOMPARE(w.count(), qsizetype(20002));
}

QTEST_MAIN(WordListModelTest)
#include "word_list_model_test.moc"
