// The dictionary store: scrambling and its constant, the word order, the
// list's lookups and ordered insertion, Tri, Verifie and the file's lines.
#include "common/errors.h"
#include "common/text_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/scramble.h"
#include "dictionary/word_list.h"
#include "dictionary/word_order.h"
#include "support/word_lists.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

using namespace orv;
using namespace orv::test;

namespace {

WordList listOf(const QList<QByteArray>& plain) {
    WordList w;
    for (const QByteArray& p : plain)
        w.append(Crypte(p));
    return w;
}

QByteArray randomWord(QRandomGenerator& rng, int minLen, int maxLen, const QByteArray& alphabet) {
    const int n = int(rng.bounded(minLen, maxLen + 1));
    QByteArray w;
    for (int i = 0; i < n; ++i)
        w.append(alphabet[int(rng.bounded(int(alphabet.size())))]);
    return w;
}

} // namespace

class DictionaryStoreTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scramblingIsUndoneForEveryByteAtEveryPosition();
    void scrambledCapitalsNeverBreakALine();
    void oneLetterScramblesByPosition();

    void capitalWordsCompareAsTheCollatorDoes();
    void wordOrder_data();
    void wordOrder();

    void triSortsByPlainWord_data();
    void triSortsByPlainWord();
    void orderedInsertionMatchesAFullSort();
    void lookupIsExactEvenWhereTheCollatorSeesEquals();
    void lookupFindsTheFirstOfDuplicates();
    void removeAndReplaceKeepLookupsRight();

    void verifieKeepsTwoToNineteen();
    void fileLines_data();
    void fileLines();
    void writingEndsEveryLineWithCrLf();
    void missingAndUnwritableFiles();
};

void DictionaryStoreTest::scramblingIsUndoneForEveryByteAtEveryPosition() {
    QCOMPARE(Crypte(QByteArray()), QByteArray());
    QCOMPARE(Decrypte(QByteArray()), QByteArray());
    // Every byte value at every position 1 to 256 (the position wraps modulo 256).
    for (int shift = 0; shift < 256; ++shift) {
        QByteArray all(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            all[i] = char((i + shift) & 0xFF);
        const QByteArray s = Crypte(all);
        QCOMPARE(s.size(), all.size());
        QCOMPARE(Decrypte(s), all);
    }
}

void DictionaryStoreTest::scrambledCapitalsNeverBreakALine() {
    // Exhaustive: every capital letter at every position a kept word can have.
    for (int pos = 1; pos <= kMaxWordLength; ++pos) {
        for (char c = 'A'; c <= 'Z'; ++c) {
            const unsigned char s = scrambleByte(static_cast<unsigned char>(c), pos);
            QVERIFY2(s != 0 && s != 10 && s != 13,
                     qPrintable(QStringLiteral("%1 at %2 gives %3").arg(c).arg(pos).arg(s)));
        }
    }
    // And so a file of the longest words reads back line for line.
    QList<QByteArray> words;
    for (char c = 'A'; c <= 'Z'; ++c)
        words.append(Crypte(QByteArray(kMaxWordLength, c)));
    QCOMPARE(splitTextLines(joinTextLines(words)), words);
}

void DictionaryStoreTest::oneLetterScramblesByPosition() {
    const QByteArray s = Crypte("EE");
    QCOMPARE(static_cast<unsigned char>(s[1] - s[0]), static_cast<unsigned char>(1));
    // The first byte depends on the first letter only.
    QCOMPARE(Crypte("EXYZ")[0], Crypte("E")[0]);
}

void DictionaryStoreTest::capitalWordsCompareAsTheCollatorDoes() {
    // The byte comparison stands in for the collator on capital words only
    // because both give the same order; check it on many words, prefixes included.
    QCollator collator(QLocale(QLocale::French, QLocale::France));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    QRandomGenerator rng(42);
    for (int k = 0; k < 20000; ++k) {
        QByteArray a = randomWord(rng, 1, 8, "ABCDEZ");
        QByteArray b =
            k % 3 ? randomWord(rng, 1, 8, "ABCDEZ") : a.left(int(rng.bounded(int(a.size()) + 1)));
        const int bytes = compareWords(a, b);
        const int coll = collator.compare(QString::fromLatin1(a), QString::fromLatin1(b));
        QCOMPARE((bytes > 0) - (bytes < 0), (coll > 0) - (coll < 0));
        const int scrambled = compareScrambled(Crypte(a), Crypte(b));
        QCOMPARE((scrambled > 0) - (scrambled < 0), (coll > 0) - (coll < 0));
    }
}

void DictionaryStoreTest::wordOrder_data() {
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<int>("sign");
    QTest::newRow("prefix first") << QByteArray("AB") << QByteArray("ABC") << -1;
    QTest::newRow("alphabet") << QByteArray("ZEBRE") << QByteArray("ZOO") << -1;
    QTest::newRow("identical") << QByteArray("ABRI") << QByteArray("ABRI") << 0;
    QTest::newRow("case ignored") << QByteArray("abri") << QByteArray("ABRI") << 0;
    QTest::newRow("accent is secondary") << QByteArray("\xC9TE") << QByteArray("ETF") << -1;
    QTest::newRow("accent after plain") << QByteArray("ETE") << QByteArray("\xC9TE") << -1;
}

void DictionaryStoreTest::wordOrder() {
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(int, sign);
    const int plain = compareWords(a, b);
    QCOMPARE((plain > 0) - (plain < 0), sign);
    const int scrambled = compareScrambled(Crypte(a), Crypte(b));
    QCOMPARE((scrambled > 0) - (scrambled < 0), sign);
}

void DictionaryStoreTest::triSortsByPlainWord_data() {
    QTest::addColumn<QList<QByteArray>>("before");
    QTest::addColumn<QList<QByteArray>>("after");
    QTest::newRow("BA B AB") << QList<QByteArray>{"BA", "B", "AB"}
                             << QList<QByteArray>{"AB", "B", "BA"};
    QTest::newRow("one entry") << QList<QByteArray>{"ZOO"} << QList<QByteArray>{"ZOO"};
    QTest::newRow("empty") << QList<QByteArray>{} << QList<QByteArray>{};
    QTest::newRow("ZEBRE added last")
        << QList<QByteArray>{"ABRI", "ZOO", "ZEBRE"} << QList<QByteArray>{"ABRI", "ZEBRE", "ZOO"};
    QTest::newRow("many appended")
        << QList<QByteArray>{"M", "N", "Z", "Y", "A", "B", "O", "C", "MA"}
        << QList<QByteArray>{"A", "B", "C", "M", "MA", "N", "O", "Y", "Z"};
}

void DictionaryStoreTest::triSortsByPlainWord() {
    QFETCH(QList<QByteArray>, before);
    QFETCH(QList<QByteArray>, after);
    WordList w = listOf(before);
    Tri(w);
    QCOMPARE(plainOf(w), after);
    QVERIFY(w.isSorted());
    // Every entry stays scrambled.
    for (const QByteArray& p : after)
        QVERIFY(w.entries().contains(Crypte(p)));
}

void DictionaryStoreTest::orderedInsertionMatchesAFullSort() {
    // Words added one at a time, a few at a time and many at a time, into a
    // list loaded in or out of order, always end in the order of a full sort,
    // and every lookup finds the first identical entry.
    QRandomGenerator rng(7);
    for (int round = 0; round < 40; ++round) {
        QList<QByteArray> plain;
        for (int i = 0; i < 200; ++i)
            plain.append(randomWord(rng, 1, 6, "ABCZ"));
        WordList w;
        w.parse(joinTextLines([&] {
            QList<QByteArray> s;
            for (const QByteArray& p : plain)
                s.append(Crypte(p));
            return s;
        }()));
        if (round % 2)
            Tri(w);
        const int batch = 1 + round % 9;
        for (int k = 0; k < 3; ++k) {
            for (int i = 0; i < batch; ++i) {
                const QByteArray p = randomWord(rng, 1, 6, "ABCZ");
                if (w.indexOf(Crypte(p)) < 0)
                    w.append(Crypte(p));
                plain.append(p);
            }
            Tri(w);
        }
        QList<QByteArray> expected = plainOf(w);
        std::sort(expected.begin(), expected.end(),
                  [](const QByteArray& a, const QByteArray& b) { return compareWords(a, b) < 0; });
        QCOMPARE(plainOf(w), expected);
        for (const QByteArray& p : plain) {
            const QByteArray s = Crypte(p);
            QCOMPARE(w.indexOf(s), w.entries().indexOf(s));
            QVERIFY(w.contains(s));
        }
        QCOMPARE(w.indexOf(Crypte("ABCZABCZ")), qsizetype(-1));
    }
}

void DictionaryStoreTest::lookupIsExactEvenWhereTheCollatorSeesEquals() {
    // The collator finds these pairs equal (case, ignorable control bytes);
    // a lookup must still answer only for the identical word.
    WordList w = listOf({"ABC", "abd",
                         QByteArray("AB\x01"
                                    "E",
                                    4),
                         "ZOO"});
    Tri(w);
    QCOMPARE(w.indexOf(Crypte("abc")), qsizetype(-1));
    QVERIFY(!w.contains(Crypte("abc")));
    QCOMPARE(w.indexOf(Crypte("ABD")), qsizetype(-1));
    QCOMPARE(w.indexOf(Crypte("ABE")), qsizetype(-1));
    QVERIFY(!w.contains(Crypte(QByteArray("AB\x02"
                                          "C",
                                          4))));
    QCOMPARE(Decrypte(w.at(w.indexOf(Crypte("abd")))), QByteArray("abd"));
    QCOMPARE(Decrypte(w.at(w.indexOf(Crypte("ABC")))), QByteArray("ABC"));
    // The same while the words are still unordered.
    WordList u = listOf({"ZOO", "abd", "ABC"});
    QVERIFY(!u.isSorted());
    QCOMPARE(u.indexOf(Crypte("ABD")), qsizetype(-1));
    QCOMPARE(u.indexOf(Crypte("ABC")), qsizetype(2));
}

void DictionaryStoreTest::lookupFindsTheFirstOfDuplicates() {
    WordList w;
    w.parse(joinTextLines({Crypte("ZOO"), Crypte("ABRI"), Crypte("ZOO"), Crypte("ABRI")}));
    QCOMPARE(w.count(), qsizetype(4));
    QCOMPARE(w.indexOf(Crypte("ZOO")), qsizetype(0));
    QCOMPARE(w.indexOf(Crypte("ABRI")), qsizetype(1));
    w.removeAt(1);
    QCOMPARE(w.indexOf(Crypte("ABRI")), qsizetype(2));
    w.removeAt(2);
    QCOMPARE(w.indexOf(Crypte("ABRI")), qsizetype(-1));
    QVERIFY(!w.contains(Crypte("ABRI")));
    QVERIFY(w.contains(Crypte("ZOO")));
}

void DictionaryStoreTest::removeAndReplaceKeepLookupsRight() {
    WordList w = listOf({"ABRI", "BAC", "CHAT", "ZOO"});
    QVERIFY(w.isSorted());
    w.removeAt(1);
    QCOMPARE(plainOf(w), (QList<QByteArray>{"ABRI", "CHAT", "ZOO"}));
    QVERIFY(w.isSorted());
    QCOMPARE(w.indexOf(Crypte("BAC")), qsizetype(-1));
    w.replace(0, Crypte("YAK"));
    QVERIFY(!w.isSorted());
    QCOMPARE(w.indexOf(Crypte("YAK")), qsizetype(0));
    QCOMPARE(w.indexOf(Crypte("ABRI")), qsizetype(-1));
    QCOMPARE(w.indexOf(Crypte("ZOO")), qsizetype(2));
    Tri(w);
    QCOMPARE(plainOf(w), (QList<QByteArray>{"CHAT", "YAK", "ZOO"}));
    w.clear();
    QCOMPARE(w.count(), qsizetype(0));
    QVERIFY(!w.contains(Crypte("YAK")));
}

void DictionaryStoreTest::verifieKeepsTwoToNineteen() {
    WordList w;
    const QByteArray two = Crypte("AB");
    const QByteArray nineteen = Crypte(QByteArray(19, 'N'));
    w.parse(joinTextLines({QByteArray(), Crypte("A"), two, nineteen, Crypte(QByteArray(20, 'T'))}));
    QCOMPARE(w.count(), qsizetype(5));
    Verifie(w);
    QCOMPARE(w.entries(), (QList<QByteArray>{two, nineteen}));
    QCOMPARE(w.indexOf(nineteen), qsizetype(1));
    WordList empty;
    Verifie(empty);
    QCOMPARE(empty.count(), qsizetype(0));
}

void DictionaryStoreTest::fileLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::newRow("CR LF") << QByteArray("ab\r\ncd\r\n") << QList<QByteArray>{"ab", "cd"};
    QTest::newRow("lone CR") << QByteArray("ab\rcd\r") << QList<QByteArray>{"ab", "cd"};
    QTest::newRow("lone LF") << QByteArray("ab\ncd\n") << QList<QByteArray>{"ab", "cd"};
    QTest::newRow("mixed, empty line")
        << QByteArray("ab\n\r\ncd\r\r\n") << QList<QByteArray>{"ab", "", "cd", ""};
    QTest::newRow("last line without end")
        << QByteArray("ab\r\ncd") << QList<QByteArray>{"ab", "cd"};
    QTest::newRow("NUL ends the text")
        << QByteArray("ab\r\ncd\0ef\r\ngh\r\n", 15) << QList<QByteArray>{"ab", "cd"};
    QTest::newRow("empty file") << QByteArray() << QList<QByteArray>{};
}

void DictionaryStoreTest::fileLines() {
    QFETCH(QByteArray, bytes);
    QFETCH(QList<QByteArray>, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Dicogrd.dat"));
    writeWholeFile(path, bytes);
    WordList w = listOf({"OLD", "WORDS"});
    w.load(path, QStringLiteral("Dicogrd.dat"));
    QCOMPARE(w.entries(), lines);
}

void DictionaryStoreTest::writingEndsEveryLineWithCrLf() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Dicogrd.dat"));
    writeWholeFile(path, QByteArray("ab\ncd\ref"));
    WordList w;
    w.load(path, path);
    w.save(path, path);
    QCOMPARE(readWholeFile(path), QByteArray("ab\r\ncd\r\nef\r\n"));
    WordList().save(path, path);
    QCOMPARE(readWholeFile(path), QByteArray());
}

void DictionaryStoreTest::missingAndUnwritableFiles() {
    QTemporaryDir dir;
    WordList w = listOf({"ABRI"});
    try {
        w.load(dir.filePath(QStringLiteral("absent.dat")), QStringLiteral("Dicogrd.dat"));
        QFAIL("a missing file loaded");
    } catch (const OrvError& e) {
        QCOMPARE(e.message(), QStringLiteral("Ne peut ouvrir le fichier Dicogrd.dat"));
    }
    try {
        w.save(dir.filePath(QStringLiteral("no/such/folder/Dicogrd.dat")),
               QStringLiteral("Dicogrd.dat"));
        QFAIL("a file was written into a missing folder");
    } catch (const OrvError& e) {
        QCOMPARE(e.message(), QStringLiteral("Ne peut créer le fichier Dicogrd.dat"));
    }
}

QTEST_GUILESS_MAIN(DictionaryStoreTest)
#include "dictionary_store_test.moc"
