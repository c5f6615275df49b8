// The pattern index against a plain scan of the words: counts, candidates
// and possible letters on thousands of random patterns, through additions,
// deletions and a build from a scrambled, unordered dictionary.
#include "dictionary/word_index.h"

#include "dictionary/scramble.h"
#include "dictionary/word_list.h"

#include <QHash>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <bit>
#include <random>

using namespace orv;

namespace {

QByteArray randomWord(std::mt19937& rng, int length, int alphabet) {
    QByteArray w(length, 'A');
    for (char& c : w)
        c = char('A' + int(rng() % unsigned(alphabet)));
    return w;
}

bool fits(const QByteArray& word, const QByteArray& pattern) {
    if (word.size() != pattern.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i)
        if (pattern[i] >= 'A' && pattern[i] <= 'Z' && pattern[i] != word[i])
            return false;
    return true;
}

// A pattern taken from a word of the set (so that some fit) or drawn at random.
QByteArray randomPattern(std::mt19937& rng, const QList<QByteArray>& words) {
    QByteArray p = rng() % 4 == 0 ? randomWord(rng, 2 + int(rng() % 12), 26)
                                  : words[qsizetype(rng() % unsigned(words.size()))];
    const int keep = int(rng() % 5);
    for (char& c : p)
        if (int(rng() % 8) >= keep)
            c = '.';
    return p;
}

// The ids set in the candidates' bitset, in increasing order; checks the
// count returned and the bitset's size on the way.
std::vector<std::uint32_t> bitsAsIds(const WordIndex& index, const QByteArray& pattern,
                                     int minScore) {
    std::vector<std::uint64_t> bits{~std::uint64_t(0)}; // not kept from before
    const std::size_t n = index.candidateBits(pattern, minScore, bits);
    const int length = int(pattern.size());
    const bool indexed = length >= WordIndex::kMinLength && length <= WordIndex::kMaxLength;
    if (bits.size() != (indexed ? index.blockCount(length) : 0))
        return {0xFFFFFFFF};
    std::vector<std::uint32_t> ids;
    for (std::size_t b = 0; b < bits.size(); ++b)
        for (std::uint64_t y = bits[b]; y; y &= y - 1)
            ids.push_back(std::uint32_t(b * 64) + std::uint32_t(std::countr_zero(y)));
    if (ids.size() != n)
        return {0xFFFFFFFE};
    return ids;
}

// Every bit of a (length, position, letter) bitset lies in its block range,
// and the range's first and last blocks hold one (the index is built from
// words only, never deleted: its ranges are then tight).
void checkLetterBlocks(const WordIndex& index) {
    for (int len = WordIndex::kMinLength; len <= WordIndex::kMaxLength; ++len)
        for (int p = 0; p < len; ++p)
            for (int letter = 0; letter < 26; ++letter) {
                const std::uint64_t* bits = index.letterBits(len, p, letter);
                std::uint32_t first = 0;
                std::uint32_t end = 0;
                for (std::uint32_t b = 0; b < index.blockCount(len); ++b)
                    if (bits[b]) {
                        first = end == 0 ? b : first;
                        end = b + 1;
                    }
                QCOMPARE(index.letterBlocks(len, p, letter), std::make_pair(first, end));
            }
}

void compareWithScan(const WordIndex& index, const QSet<QByteArray>& live, std::mt19937& rng,
                     int patterns) {
    const QList<QByteArray> words = live.values();
    for (int k = 0; k < patterns; ++k) {
        const QByteArray pattern = randomPattern(rng, words);
        QSet<QByteArray> expected;
        WordIndex::LetterSets letters(std::size_t(pattern.size()), 0);
        for (const QByteArray& w : words)
            if (fits(w, pattern)) {
                expected.insert(w);
                for (qsizetype i = 0; i < w.size(); ++i)
                    letters[std::size_t(i)] |= 1u << (w[i] - 'A');
            }
        QCOMPARE(index.count(pattern), std::size_t(expected.size()));
        QSet<QByteArray> got;
        std::uint32_t previous = 0;
        for (std::uint32_t id : index.candidates(pattern)) {
            QVERIFY(got.isEmpty() || id > previous);
            previous = id;
            got.insert(index.word(int(pattern.size()), id));
        }
        QCOMPARE(got, expected);
        QCOMPARE(index.possibleLetters(pattern), letters);
        QCOMPARE(bitsAsIds(index, pattern, 0), index.candidates(pattern));
    }
}

} // namespace

class WordIndexTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void agreesWithAScan();
    void buildsFromAScrambledUnorderedDictionary();
    void oddWordsAndPatterns();
    void scoresFilterCandidates();
    void hiddenWordsFollowScoresAdditionsAndDeletions();
};

void WordIndexTest::agreesWithAScan() {
    std::mt19937 rng(7);
    std::vector<QByteArray> plain;
    QSet<QByteArray> live;
    // A small alphabet makes many words share letters, a large one makes rare letters.
    for (int k = 0; k < 3000; ++k) {
        const QByteArray w = randomWord(rng, 2 + int(rng() % 12), k % 2 ? 5 : 26);
        plain.push_back(w);
        live.insert(w);
    }
    WordIndex index;
    index.buildFromPlain(plain);
    QCOMPARE(index.wordCount(), std::size_t(live.size()));
    checkLetterBlocks(index);
    compareWithScan(index, live, rng, 1500);
}

void WordIndexTest::buildsFromAScrambledUnorderedDictionary() {
    WordList list;
    const QList<QByteArray> plain{"ZEBRE", "ABRI", "ZEBRE", "MOT", "ABRI", "ETE",
                                  "ZZ",    "ET",   "A",     "AB1", "été",  "ABRIS"};
    for (const QByteArray& w : plain)
        list.append(Crypte(w));
    WordIndex index;
    index.build(list);
    // The one-letter word, the digit and the small accented letters are left out.
    QCOMPARE(index.wordCount(), std::size_t(7));
    for (const char* w : {"ZEBRE", "ABRI", "MOT", "ETE", "ZZ", "ET", "ABRIS"})
        QVERIFY2(index.contains(QByteArray(w)), w);
    QCOMPARE(index.count("..."), std::size_t(2));
    QCOMPARE(index.count("E."), std::size_t(1));
    QCOMPARE(index.word(3, index.candidates("...")[0]), QByteArray("ETE")); // in order
    // The file's bytes give the same index as the list read from them.
    QByteArray file;
    const char* ends[] = {"\r\n", "\n", "\r"};
    for (qsizetype i = 0; i < list.count(); ++i)
        file += list.at(i) + ends[i % 3];
    file += Crypte("ZOO") + QByteArray(1, '\0') + Crypte("NUL");
    WordIndex fromFile;
    fromFile.buildFromFile(file);
    QCOMPARE(fromFile.wordCount(), std::size_t(8));
    QVERIFY(fromFile.contains("ZOO"));
    QVERIFY(!fromFile.contains("NUL"));
    for (int len : {2, 4, 5}) // ZOO joins the words of 3 letters
        QCOMPARE(fromFile.candidates(QByteArray(len, '.')), index.candidates(QByteArray(len, '.')));
    QCOMPARE(fromFile.count("..."), std::size_t(3));
}

void WordIndexTest::oddWordsAndPatterns() {
    WordIndex index;
    QCOMPARE(index.count(".."), std::size_t(0)); // never built
    QVERIFY(index.possibleLetters("..") == WordIndex::LetterSets(2, 0));
    // Only words of 2 to 19 capital letters are taken.
    index.buildFromPlain({"OR", "O", "ABCDEFGHIJKLMNOPQRST", "or"});
    QCOMPARE(index.wordCount(), std::size_t(1));
    QVERIFY(index.contains("OR") && !index.contains("O"));
    QCOMPARE(index.count("O."), std::size_t(1));
    QCOMPARE(index.count("O?"), std::size_t(1));
    QCOMPARE(index.count("O "), std::size_t(1));
    QCOMPARE(index.count("."), std::size_t(0));
    QCOMPARE(index.count(QByteArray(25, '.')), std::size_t(0));
    QVERIFY(bitsAsIds(index, QByteArray(25, '.'), 0).empty());
    QVERIFY(bitsAsIds(index, ".", 0).empty());
    QCOMPARE(bitsAsIds(index, "O.", 0), index.candidates("O."));
    QCOMPARE(index.possibleLetters(".R"),
             (WordIndex::LetterSets{1u << ('O' - 'A'), 1u << ('R' - 'A')}));
}

void WordIndexTest::scoresFilterCandidates() {
    WordIndex index;
    index.buildFromPlain({"ABC", "ABD", "ABE"});
    QCOMPARE(index.score(3, std::uint32_t(index.find("ABD"))), WordIndex::kDefaultScore);
    QVERIFY(index.setScore("ABD", 90));
    QVERIFY(index.setScore("ABE", 10));
    QVERIFY(!index.setScore("XYZ", 10));
    QCOMPARE(index.count("AB.", 50), std::size_t(2));
    QCOMPARE(index.count("AB.", 60), std::size_t(1));
    QCOMPARE(index.candidates("AB.", 60),
             std::vector<std::uint32_t>{std::uint32_t(index.find("ABD"))});
    QCOMPARE(index.possibleLetters("AB.", 60)[2], 1u << ('D' - 'A'));
    QCOMPARE(index.count("AB.", 0), std::size_t(3));
}

// Words of score 0 are left out of every query that asks for a score of 1 or
// more, through deletions, additions and score changes in any order; the
// answers agree with a plain filter of the live words by score.
void WordIndexTest::hiddenWordsFollowScoresAdditionsAndDeletions() {
    std::mt19937 rng(5);
    std::vector<QByteArray> words;
    for (int i = 0; i < 300; ++i) {
        QByteArray w;
        for (int k = 0; k < 4; ++k)
            w.append(char('A' + rng() % 4));
        words.push_back(w);
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    WordIndex index;
    index.buildFromPlain(std::vector<QByteArray>(words.begin(), words.begin() + 100));
    const QSet<QByteArray> live(words.begin(), words.begin() + 100);
    QHash<QByteArray, int> score;
    for (const QByteArray& w : words)
        score[w] = WordIndex::kDefaultScore;
    const QList<QByteArray> patterns{"....", "A...", ".B.C", "AA..", "..DD"};
    for (int step = 0; step < 600; ++step) {
        const QByteArray& w = words[rng() % words.size()];
        // A word outside the index takes no score.
        const int s = rng() % 3 == 0 ? 0 : int(rng() % 100) + 1;
        QCOMPARE(index.setScore(w, std::uint8_t(s)), live.contains(w));
        if (live.contains(w))
            score[w] = s;
        if (step % 20 != 0)
            continue;
        for (const QByteArray& p : patterns)
            for (const int minScore : {0, 1, 30}) {
                std::size_t expected = 0;
                for (const QByteArray& x : live) {
                    bool fits = true;
                    for (int i = 0; i < 4; ++i)
                        fits = fits && (p[i] == '.' || p[i] == x[i]);
                    expected += fits && score[x] >= minScore;
                }
                QCOMPARE(index.count(p, minScore), expected);
                QCOMPARE(index.candidates(p, minScore).size(), expected);
                QCOMPARE(bitsAsIds(index, p, minScore), index.candidates(p, minScore));
            }
    }
}

QTEST_GUILESS_MAIN(WordIndexTest)
#include "word_index_test.moc"
