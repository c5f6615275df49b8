// The document's shared pattern index: rebuilt only when the words change,
// given its scores again only when a score changes, left exactly as it is
// while held, and, through it, a word scored 0 kept out of the fill and of
// the suggestions.
#include "common/text_file.h"
#include "dictionary/scored_word_index.h"
#include "dictionary/scramble.h"
#include "document/document.h"
#include "fill/fill_scores.h"
#include "fill/grid_fill.h"
#include "fill/suggestions.h"
#include "grid/grid_slots.h"
#include "grid/grid_text.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;

namespace {

// A table where the test's words have known scores.
ScoreTable table() { return ScoreTable("ABC\t80\nABD\t60\nXYZ\t90\n", "QQQ\n"); }

void addWords(Document& doc, const QList<QByteArray>& words) {
    for (const QByteArray& w : words)
        doc.dictionary().addWord(w);
}

} // namespace

class ScoredWordIndexTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void followsWordsAndScoresOnlyWhenTheyChange();
    void heldIndexStaysAsItIs();
    void scoresReadFromAFileCountAtOnce();
    void zeroScoreKeepsAWordOutOfFillAndSuggestions();
};

void ScoredWordIndexTest::followsWordsAndScoresOnlyWhenTheyChange() {
    const ScoreTable shipped = table();
    ScoredWordIndex shared;
    WordScores scores(shipped);
    WordList words;
    words.append(Crypte("ABC"));
    words.append(Crypte("ABD"));
    quint64 revision = 1;

    const WordIndex* index = &shared.upToDate(words, revision, scores);
    QCOMPARE(index->wordCount(), std::size_t(2));
    QCOMPARE(index->score(3, std::uint32_t(index->find("ABC"))), 80);
    QCOMPARE(index->score(3, std::uint32_t(index->find("ABD"))), 60);
    QCOMPARE(shared.builds(), 1);
    QCOMPARE(shared.scorings(), 1);
    // Nothing changed: neither rebuilt nor scored again.
    shared.upToDate(words, revision, scores);
    QCOMPARE(shared.builds(), 1);
    QCOMPARE(shared.scorings(), 1);

    // A score changed (as the browser or the word dialog sets it): scored
    // again, not rebuilt.
    scores.user().set("ABD", 0);
    index = &shared.upToDate(words, revision, scores);
    QCOMPARE(index->score(3, std::uint32_t(index->find("ABD"))), 0);
    QCOMPARE(shared.builds(), 1);
    QCOMPARE(shared.scorings(), 2);
    // The same score set again is no change.
    scores.user().set("ABD", 0);
    shared.upToDate(words, revision, scores);
    QCOMPARE(shared.scorings(), 2);
    // A user's score taken back: the table's again.
    scores.user().remove("ABD");
    index = &shared.upToDate(words, revision, scores);
    QCOMPARE(index->score(3, std::uint32_t(index->find("ABD"))), 60);
    QCOMPARE(shared.scorings(), 3);

    // New words: rebuilt, and the new index scored (a word the table does
    // not know takes the default score).
    words.append(Crypte("XYZ"));
    words.append(Crypte("MOT"));
    index = &shared.upToDate(words, ++revision, scores);
    QCOMPARE(shared.builds(), 2);
    QCOMPARE(shared.scorings(), 4);
    QCOMPARE(index->wordCount(), std::size_t(4));
    QCOMPARE(index->score(3, std::uint32_t(index->find("XYZ"))), 90);
    QCOMPARE(index->score(3, std::uint32_t(index->find("MOT"))), kUnknownScore);

    // Other scores in place of these (another set, even of the same table)
    // are a change too.
    WordScores other(shipped);
    other.user().set("ABC", 5);
    index = &shared.upToDate(words, revision, other);
    QCOMPARE(index->score(3, std::uint32_t(index->find("ABC"))), 5);
    QCOMPARE(shared.scorings(), 5);
    index = &shared.upToDate(words, revision, scores);
    QCOMPARE(index->score(3, std::uint32_t(index->find("ABC"))), 80);
    QCOMPARE(shared.scorings(), 6);
}

void ScoredWordIndexTest::heldIndexStaysAsItIs() {
    Document doc;
    addWords(doc, {"ABC", "ABD"});
    const WordIndex& before = doc.dictionary().index();
    const int abd = before.score(3, std::uint32_t(before.find("ABD")));
    QVERIFY(abd > 0);
    {
        const auto hold = doc.dictionary().holdIndex();
        QVERIFY(doc.dictionary().scoredIndex().isHeld());
        addWords(doc, {"XYZ"});
        doc.dictionary().setUserScore("ABD", 0);
        // Whoever asks meanwhile gets the index the worker reads, untouched.
        const WordIndex& during = doc.dictionary().index();
        QCOMPARE(&during, &before);
        QVERIFY(!during.contains("XYZ"));
        QCOMPARE(int(during.score(3, std::uint32_t(during.find("ABD")))), abd);
        QCOMPARE(doc.dictionary().scoredIndex().builds(), 1);
        QCOMPARE(doc.dictionary().scoredIndex().scorings(), 1);
    }
    QVERIFY(!doc.dictionary().scoredIndex().isHeld());
    const WordIndex& after = doc.dictionary().index();
    QVERIFY(after.contains("XYZ"));
    QCOMPARE(after.score(3, std::uint32_t(after.find("ABD"))), 0);
}

void ScoredWordIndexTest::scoresReadFromAFileCountAtOnce() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = QDir(dir.path()).filePath(QStringLiteral("Dicoscore.dat"));
    writeWholeFile(file, "ABC\t7\r\n");
    Document doc;
    addWords(doc, {"ABC", "ABD"});
    const WordIndex& index = doc.dictionary().index();
    QVERIFY(index.score(3, std::uint32_t(index.find("ABC"))) != 7);
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    doc.dictionary().loadScores();
    QDir::setCurrent(before);
    QCOMPARE(doc.dictionary().index().score(3, std::uint32_t(index.find("ABC"))), 7);
    QCOMPARE(doc.dictionary().scoredIndex().builds(), 1);
}

void ScoredWordIndexTest::zeroScoreKeepsAWordOutOfFillAndSuggestions() {
    Document doc;
    // One slot of three cells: any of the words fills it.
    const Grille grid = readGridText("...#\n####\n####\n####\n");
    const GridSlots slots(grid);
    QCOMPARE(slots.count(), 1);
    addWords(doc, {"ABC", "ABD", "ABE"});
    doc.dictionary().setUserScore("ABC", 100);
    doc.dictionary().setUserScore("ABD", 20);
    doc.dictionary().setUserScore("ABE", 20);

    const auto fills = [&](Vocabulary vocabulary) {
        QSet<QByteArray> placed;
        const WordIndex& index = doc.dictionary().index();
        const VocabularyFill v = vocabularyFill(vocabulary);
        for (std::uint64_t seed = 1; seed <= 12; ++seed) {
            FillOptions o;
            o.minScore = v.minScore;
            o.scoreWeight = kScoreWeight;
            o.seed = seed;
            const FillResult r = fillPreferringKnownWords(grid, index, o, v.preferred);
            if (r.status == FillStatus::Filled)
                placed.insert(slotPattern(r.grille, slots[0]));
        }
        return placed;
    };
    const auto suggested = [&] {
        const WordIndex& index = doc.dictionary().index();
        QSet<QByteArray> words;
        const SlotSuggestions s =
            suggestWords(grid, slots, 0, index, minimumScore(Vocabulary::Whole));
        for (const std::uint32_t id : s.ids)
            words.insert(index.word(3, id));
        return words;
    };
    // The best-known word first, in every vocabulary.
    QVERIFY(fills(Vocabulary::Whole).contains("ABC"));
    QVERIFY(suggested().contains("ABC"));
    // Scored 0 once the index exists (as from the browser): it leaves the
    // next fill and the next suggestions, and stays in the dictionary.
    doc.dictionary().setUserScore("ABC", 0);
    for (const Vocabulary v : {Vocabulary::Whole, Vocabulary::Extended, Vocabulary::Common}) {
        const QSet<QByteArray> placed = fills(v);
        QVERIFY(!placed.isEmpty());
        QVERIFY(!placed.contains("ABC"));
    }
    QCOMPARE(suggested(), (QSet<QByteArray>{"ABD", "ABE"}));
    QVERIFY(doc.dictionary().index().contains("ABC"));
    QVERIFY(doc.dictionary().words().contains(Crypte("ABC")));
    QCOMPARE(doc.dictionary().scoredIndex().builds(), 1);
}

QTEST_MAIN(ScoredWordIndexTest)
#include "scored_word_index_test.moc"
