// The quick search checked against a plain scan of every word on random
// patterns and anagrams, the reading of what is typed, and `orvdico search`
// and `orvdico anagram` on a dictionary file.
#include "common/errors.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/orvdico_tool.h"
#include "dictionary/scramble.h"
#include "dictionary/word_index.h"
#include "search/quick_search.h"
#include "support/synthetic_words.h"
#include "support/tool_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <random>

using namespace orv;
using namespace orv::test;

namespace {

// '?' one letter, '*' any run, by plain recursion.
bool globFits(const char* word, const char* pattern) {
    if (*pattern == 0)
        return *word == 0;
    if (*pattern == '*')
        return globFits(word, pattern + 1) || (*word != 0 && globFits(word + 1, pattern));
    return *word != 0 && (*pattern == '?' || *pattern == *word) && globFits(word + 1, pattern + 1);
}

// Same length, and every given letter found in the word as often as given:
// the jokers then stand for the letters left over.
bool isAnagram(const QByteArray& word, const QByteArray& letters) {
    if (word.size() != letters.size())
        return false;
    for (char c = 'A'; c <= 'Z'; ++c)
        if (word.count(c) < letters.count(c))
            return false;
    return true;
}

using Listed = QList<QPair<QByteArray, int>>;

// Every word of the list scanned, then ranked: best score, then alphabetical.
template <typename Fits>
Listed plainScan(const std::vector<QByteArray>& words, const WordIndex& index, Fits fits) {
    Listed found;
    for (const QByteArray& w : words)
        if (fits(w))
            found.append({w, index.score(int(w.size()), std::uint32_t(index.find(w)))});
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    return found;
}

Listed listed(const QuickSearchResult& r) {
    Listed out;
    for (std::size_t i = 0; i < r.count(); ++i)
        out.append({r.word(i), r.score(i)});
    return out;
}

// A dictionary file of these plain words in a folder.
void writeDictionary(const QString& path, const QList<QByteArray>& words) {
    QByteArray text;
    for (const QByteArray& w : words)
        text += Crypte(w) + "\r\n";
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

Run orvdico(const QStringList& args) { return runCommand(runOrvdico, args); }

} // namespace

class QuickSearchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsWhatIsTyped();
    void randomSearchesAgreeWithAPlainScan();
    void orvdicoSearchesAFile();
};

void QuickSearchTest::readsWhatIsTyped() {
    QCOMPARE(readSearchPattern(QStringLiteral("c.a**")), QByteArray("C?A*"));
    QCOMPARE(readSearchPattern(QStringLiteral(" é t é ")), QByteArray("ETE"));
    QCOMPARE(readSearchPattern(QStringLiteral("*")), QByteArray("*"));
    QCOMPARE(readSearchPattern(QStringLiteral("cœur")), QByteArray("COEUR"));
    QCOMPARE(readSearchPattern(QString(19, u'?')), QByteArray(19, '?'));
    QCOMPARE(readAnagramLetters(QStringLiteral("aeinrst*")), QByteArray("AEINRST?"));
    const auto refused = [](auto read, const QString& text, const QString& start) {
        try {
            read(text);
        } catch (const OrvError& e) {
            QVERIFY2(e.message().startsWith(start), qPrintable(e.message()));
            return;
        }
        QFAIL(qPrintable(QStringLiteral("accepted: ") + text));
    };
    refused(readSearchPattern, QStringLiteral(""), QStringLiteral("Tapez un motif"));
    refused(readSearchPattern, QStringLiteral("C"), QStringLiteral("Le motif doit avoir"));
    refused(readSearchPattern, QString(20, u'A') + u'*', QStringLiteral("Le motif a plus"));
    refused(readSearchPattern, QStringLiteral("CH-T"), QStringLiteral("« - » n'est ni"));
    refused(readAnagramLetters, QStringLiteral("AB??"), QStringLiteral("Un seul joker"));
    refused(readAnagramLetters, QStringLiteral("A"), QStringLiteral("Il faut de 2 à 19"));
    refused(readAnagramLetters, QString(20, u'E'), QStringLiteral("Il faut de 2 à 19"));
}

void QuickSearchTest::randomSearchesAgreeWithAPlainScan() {
    std::vector<QByteArray> words = syntheticWords();
    for (const char* w : {"CHAT", "CHARBON", "ACHAT", "ANTICONSTITUTIONNEL", "ZZ"})
        words.push_back(w);
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    WordIndex index;
    index.buildFromPlain(words);
    // Scores with many ties, so that the alphabetical order within a score counts.
    std::mt19937 rng(11);
    for (const QByteArray& w : words)
        index.setScore(w, std::uint8_t(rng() % 6 * 20));

    int patterns = 0;
    int hits = 0;
    for (int round = 0; round < 400; ++round) {
        // A pattern drawn from a word, so that it has hits: letters kept,
        // turned into '?', or runs turned into '*'.
        const QByteArray& from = words[rng() % words.size()];
        QString typed;
        for (qsizetype i = 0; i < from.size(); ++i) {
            const unsigned roll = rng() % 10;
            if (roll < 5)
                typed += QChar(from[i]);
            else if (roll < 8)
                typed += QChar(rng() % 2 ? u'?' : u'.');
            else {
                typed += u'*';
                i += qsizetype(rng() % 3);
            }
        }
        if (rng() % 4 == 0)
            typed.insert(int(rng() % (typed.size() + 1)), QChar(u'A' + int(rng() % 26)));
        QByteArray pattern;
        try {
            pattern = readSearchPattern(typed);
        } catch (const OrvError&) {
            continue;
        }
        ++patterns;
        const Listed quick = listed(searchPattern(index, pattern));
        const Listed plain = plainScan(words, index, [&](const QByteArray& w) {
            return globFits(w.constData(), pattern.constData());
        });
        QVERIFY2(quick == plain, pattern.constData());
        hits += int(quick.size());
    }
    QVERIFY(patterns > 300);
    QVERIFY(hits > 1000);

    int anagramHits = 0;
    for (int round = 0; round < 200; ++round) {
        QByteArray letters = words[rng() % words.size()];
        std::shuffle(letters.begin(), letters.end(), rng);
        if (round % 2)
            letters[qsizetype(rng() % std::size_t(letters.size()))] = '?';
        if (round % 7 == 0) // letters that may make no word
            letters[0] = char('A' + rng() % 26);
        const Listed quick = listed(searchAnagram(index, letters));
        const Listed plain =
            plainScan(words, index, [&](const QByteArray& w) { return isAnagram(w, letters); });
        QVERIFY2(quick == plain, letters.constData());
        anagramHits += int(quick.size());
    }
    QVERIFY(anagramHits > 200);

    // A word taken out of the index is no longer found.
    WordIndex fewer;
    fewer.buildFromPlain({"CHAT", "CHARBON", "CHAR"});
    fewer.setScore("CHARBON", 90);
    fewer.setScore("CHAT", 70);
    fewer.setScore("CHAR", 70);
    QCOMPARE(listed(searchPattern(fewer, "C?A*")),
             (Listed{{"CHARBON", 90}, {"CHAR", 70}, {"CHAT", 70}}));
    QCOMPARE(listed(searchPattern(fewer, "*R*O*")), (Listed{{"CHARBON", 90}}));
    QCOMPARE(listed(searchAnagram(fewer, "RACH")), (Listed{{"CHAR", 70}}));
}

void QuickSearchTest::orvdicoSearchesAFile() {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    writeDictionary(dir.filePath(QStringLiteral("Dicogrd.dat")),
                    {"CHAT", "CHARBON", "TACHE", "ACHAT", "CHIEN"});
    // The user's scores beside the dictionary count.
    QFile scores(dir.filePath(QStringLiteral("Dicoscore.dat")));
    QVERIFY(scores.open(QIODevice::WriteOnly));
    scores.write("CHARBON\t95\r\nCHAT\t40\r\n");
    scores.close();

    Run r = orvdico({QStringLiteral("search"), QStringLiteral("c?a*")});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("CHARBON\t95\nCHAT\t40\n"));
    QCOMPARE(r.err, QStringLiteral("orvdico : 2 mots\n"));
    r = orvdico({QStringLiteral("anagram"), QStringLiteral("CHAT?")});
    QCOMPARE(r.status, 0);
    // ACHAT and TACHE, with the shipped table's scores, the better first.
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.join(u' ').contains(QStringLiteral("ACHAT\t")));
    QVERIFY(lines.join(u' ').contains(QStringLiteral("TACHE\t")));
    QVERIFY(lines[0].section(u'\t', 1).toInt() >= lines[1].section(u'\t', 1).toInt());

    // Another dictionary with -d; bad input is status 3, a missing file 1.
    QDir(dir.path()).mkdir(QStringLiteral("other"));
    writeDictionary(dir.filePath(QStringLiteral("other/Dicogrd.dat")), {"CHOU", "CHAT"});
    r = orvdico({QStringLiteral("search"), QStringLiteral("CH*"), QStringLiteral("-d"),
                 QStringLiteral("other/Dicogrd.dat")});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.contains(QStringLiteral("CHOU\t")));
    QVERIFY(!r.out.contains(QStringLiteral("CHARBON")));
    r = orvdico({QStringLiteral("search"), QStringLiteral("C")});
    QCOMPARE(r.status, 3);
    QCOMPARE(r.err,
             QStringLiteral("orvdico : Le motif doit avoir de 2 à 19 lettres (il en a 1).\n"));
    r = orvdico({QStringLiteral("anagram"), QStringLiteral("A??")});
    QCOMPARE(r.status, 3);
    r = orvdico({QStringLiteral("search"), QStringLiteral("C*"), QStringLiteral("-d"),
                 QStringLiteral("absent.dat")});
    QCOMPARE(r.status, 1);
    QVERIFY(r.err.contains(QStringLiteral("absent.dat")));
    r = orvdico({QStringLiteral("search")});
    QCOMPARE(r.status, 2);
    QDir::setCurrent(previous);
}

QTEST_GUILESS_MAIN(QuickSearchTest)
#include "quick_search_test.moc"
