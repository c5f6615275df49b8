// Word scores: the table-building script folds as the import does, the
// shipped table, the order user's own > table > default, and the user's file.
#include "common/errors.h"
#include "common/text_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/word_scores.h"
#include "dictionary/word_source.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;

namespace {

const QString kScript = QStringLiteral(ORV_SOURCE_DIR "/scripts/build_scores.py");

// Runs the table-building script with python3; fails the test when it cannot.
QByteArray runScript(const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(QStringLiteral("python3"), QStringList{kScript} + args);
    if (!p.waitForStarted())
        qFatal("python3 cannot be started");
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        qFatal("build_scores.py failed: %s", p.readAllStandardError().constData());
    return p.readAllStandardOutput();
}

// What the import makes of a UTF-8 line with accent folding: the word it
// would admit, or "".
QByteArray importedWord(const QByteArray& utf8Line) {
    const QByteArray line = upperLine(wordListLines(utf8Line, true).value(0));
    return MotAdmissible(line) ? line : QByteArray();
}

ScoreTable smallTable() {
    return ScoreTable("# comment\nCHAT\t72\nETE\t87\nZEBU\t50\n", "# rare\nALLAMES\nFUMASSE\n");
}

} // namespace

class WordScoresTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scriptFoldsLikeTheImport();
    void scriptMergesAccentedFormsAndDropsTheRest();
    void shippedTableHoldsFoldedWordsScoredFromFifty();

    void scoreComesFromUserThenTableThenDefault();
    void addedWordScoresHighAndZeroHides();
    void vocabulariesSplitTableUnknownAndRareWords();

    void userScoresRoundTripThroughTheFile();
    void userScoresWrittenOnlyWhenChanged();
    void userScoresKeepTheOldFileWhenWritingFails();
    void userScoresSkipBadLines();

    void shippedClassesKeepWeakFormsWeakAndCommonOnesKnown_data();
    void shippedClassesKeepWeakFormsWeakAndCommonOnesKnown();
    void classesReadAnyOrderAndTheUserWins();
};

void WordScoresTest::scriptFoldsLikeTheImport() {
    const QList<QByteArray> forms = {"été",
                                     "Été",
                                     "cœur",
                                     "Œuvre",
                                     "ex-æquo",
                                     "straße",
                                     "søren",
                                     "ça",
                                     "naïve",
                                     "noël",
                                     "ÿ",
                                     "garçon",
                                     "a",
                                     "l'",
                                     "aujourd'hui",
                                     "ñandú",
                                     "x2",
                                     "ðe",
                                     "façade",
                                     "ÉLÈVE",
                                     "crème",
                                     "paranoïaque",
                                     "Ångström",
                                     "àà",
                                     "coûtâmes",
                                     QByteArray("e\xcc\x81t\xcc\x81"),
                                     QByteArray(20, 'a'),
                                     QByteArray(19, 'b')};
    const QByteArray input = forms.join('\n') + '\n';
    const QList<QByteArray> fromScript = runScript({QStringLiteral("--fold")}, input).split('\n');
    QCOMPARE(fromScript.size(), forms.size() + 1);
    for (qsizetype i = 0; i < forms.size(); ++i)
        QCOMPARE(fromScript[i], importedWord(forms[i]));
    // The cases that matter most, spelled out.
    QCOMPARE(importedWord("cœur"), QByteArray("COEUR"));
    QCOMPARE(importedWord("Été"), QByteArray("ETE"));
    QCOMPARE(importedWord("l'"), QByteArray());
}

void WordScoresTest::scriptMergesAccentedFormsAndDropsTheRest() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString freq = dir.filePath(QStringLiteral("freq.txt"));
    writeWholeFile(freq, "de 100000\nc' 90000\na 80000\nété 5000\nete 40\nÉté 700\n"
                         "aujourd'hui 3000\ncœur 2000\ncoeur 10\nzébu 10\nx-ray 50\n");
    const QString out = dir.filePath(QStringLiteral("scores.txt"));
    runScript({freq, QStringLiteral("-o"), out, QStringLiteral("--no-morphology")});

    QHash<QByteArray, int> scores;
    for (const QByteArray& line : readTextLines(out)) {
        if (line.startsWith('#')) {
            continue;
        }
        const QList<QByteArray> f = line.split('\t');
        QCOMPARE(f.size(), 2);
        QVERIFY2(!scores.contains(f[0]), f[0].constData());
        scores.insert(f[0], f[1].toInt());
    }
    QCOMPARE(scores.keys().size(), 4); // DE ETE COEUR ZEBU
    QCOMPARE(scores.value("DE"), 100);
    QCOMPARE(scores.value("ZEBU"), 50);
    // ETE takes été's 5000, COEUR cœur's 2000: log-scaled between 10 and 100000.
    QCOMPARE(scores.value("ETE"), 50 + qRound(50 * std::log(500.0) / std::log(10000.0)));
    QCOMPARE(scores.value("COEUR"), 50 + qRound(50 * std::log(200.0) / std::log(10000.0)));
    QVERIFY(readWholeFile(out).contains("CC BY-SA 4.0"));
}

void WordScoresTest::shippedTableHoldsFoldedWordsScoredFromFifty() {
    const ScoreTable& table = ScoreTable::french();
    QVERIFY(table.frequentCount() > 40000);
    QVERIFY(table.rareCount() > 50000);

    qsizetype words = 0;
    const QByteArray text = readWholeFile(QStringLiteral(ORV_SOURCE_DIR "/data/scores_fr.txt"));
    QVERIFY(text.contains("CC BY-SA 4.0"));
    for (const QByteArray& line : splitTextLines(text)) {
        if (line.startsWith('#'))
            continue;
        const QList<QByteArray> f = line.split('\t');
        QCOMPARE(f.size(), 2);
        QVERIFY2(MotAdmissible(f[0]), line.constData());
        const int score = f[1].toInt();
        QVERIFY2(score >= kFrequentScore && score <= kMaxScore, line.constData());
        QCOMPARE(table.find(f[0]), std::optional<int>(score));
        QVERIFY(table.isFrequent(f[0]));
        ++words;
    }
    QCOMPARE(words, table.frequentCount());

    // Frequent words outrank rarer ones; rare verb forms sit below the default.
    QVERIFY(table.find("ETE").value_or(0) > table.find("LYNX").value_or(100));
    QCOMPARE(table.find("ABANDONNAMES"), std::optional<int>(kRareFormScore));
    QVERIFY(!table.isFrequent("ABANDONNAMES"));
    QCOMPARE(table.find("XYZZYQ"), std::nullopt);
}

void WordScoresTest::scoreComesFromUserThenTableThenDefault() {
    const ScoreTable table = smallTable();
    WordScores scores(table);
    QCOMPARE(scores.score("CHAT"), 72);
    QCOMPARE(scores.score("FUMASSE"), kRareFormScore);
    QCOMPARE(scores.score("TAPIR"), kUnknownScore);
    QVERIFY(kUnknownScore < kFrequentScore);
    QVERIFY(scores.isFrequent("ETE"));
    QVERIFY(!scores.isFrequent("FUMASSE"));
    QVERIFY(!scores.isFrequent("TAPIR"));

    scores.user().set("CHAT", 12);
    scores.user().set("FUMASSE", 60);
    QCOMPARE(scores.score("CHAT"), 12);
    QCOMPARE(scores.score("FUMASSE"), 60);
    scores.user().remove("CHAT");
    QCOMPARE(scores.score("CHAT"), 72);

    const std::vector<std::uint8_t> aligned =
        scores.scoresOf({"ALLAMES", "CHAT", "TAPIR", "FUMASSE"});
    QCOMPARE(aligned, (std::vector<std::uint8_t>{kRareFormScore, 72, kUnknownScore, 60}));
}

void WordScoresTest::addedWordScoresHighAndZeroHides() {
    const ScoreTable table = smallTable();
    WordScores scores(table);
    scores.noteAdded("TAPIR");
    QCOMPARE(scores.score("TAPIR"), kUserAddedScore);
    QVERIFY(scores.user().modified());
    QVERIFY(scores.score("TAPIR") >= minimumScore(Vocabulary::Common));

    scores.user().set("TAPIR", 0);
    QCOMPARE(scores.score("TAPIR"), 0);
    for (Vocabulary v : {Vocabulary::Common, Vocabulary::Extended, Vocabulary::Whole})
        QVERIFY(scores.score("TAPIR") < minimumScore(v));
    scores.user().set("CHAT", 150);
    QCOMPARE(scores.score("CHAT"), kMaxScore);
}

void WordScoresTest::vocabulariesSplitTableUnknownAndRareWords() {
    const ScoreTable table = smallTable();
    const WordScores scores(table);
    const auto admits = [&](Vocabulary v, const char* w) {
        return scores.score(w) >= minimumScore(v);
    };
    QVERIFY(admits(Vocabulary::Common, "ZEBU"));
    QVERIFY(!admits(Vocabulary::Common, "TAPIR"));
    QVERIFY(admits(Vocabulary::Extended, "TAPIR"));
    QVERIFY(!admits(Vocabulary::Extended, "ALLAMES"));
    QVERIFY(admits(Vocabulary::Whole, "ALLAMES"));
    QCOMPARE(vocabularyName(Vocabulary::Extended), QStringLiteral("Vocabulaire étendu"));
}

void WordScoresTest::userScoresRoundTripThroughTheFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Dicoscore.dat"));
    UserScores mine;
    mine.load(path, QStringLiteral("Dicoscore.dat")); // missing: nothing, no error
    QCOMPARE(mine.count(), 0);
    mine.set("ZOO", 0);
    mine.set("ABRI", 75);
    mine.set("MER", 100);
    mine.saveIfModified(path, QStringLiteral("Dicoscore.dat"));
    QVERIFY(!mine.modified());
    QCOMPARE(readWholeFile(path), QByteArray("ABRI\t75\r\nMER\t100\r\nZOO\t0\r\n"));

    UserScores again;
    again.load(path, QStringLiteral("Dicoscore.dat"));
    QCOMPARE(again.count(), 3);
    QCOMPARE(again.find("ZOO"), std::optional<int>(0));
    QCOMPARE(again.find("ABRI"), std::optional<int>(75));
    QCOMPARE(again.find("MER"), std::optional<int>(100));
    QVERIFY(!again.modified());
}

void WordScoresTest::userScoresWrittenOnlyWhenChanged() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Dicoscore.dat"));
    writeWholeFile(path, "ABRI\t75\r\n");
    UserScores mine;
    mine.load(path, QStringLiteral("Dicoscore.dat"));
    QVERIFY(QFile::remove(path));
    mine.set("ABRI", 75); // the same score: no change
    mine.remove("ZOO");   // not there: no change
    mine.saveIfModified(path, QStringLiteral("Dicoscore.dat"));
    QVERIFY(!QFileInfo::exists(path));
    mine.remove("ABRI");
    mine.saveIfModified(path, QStringLiteral("Dicoscore.dat"));
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(readWholeFile(path), QByteArray());
}

void WordScoresTest::userScoresKeepTheOldFileWhenWritingFails() {
    QTemporaryDir dir;
    // A folder in place of the file's folder: the temporary file of the
    // atomic write cannot be made, so the write fails before touching anything.
    const QString blocked = dir.filePath(QStringLiteral("blocked"));
    writeWholeFile(blocked, "not a folder");
    const QString path = blocked + QStringLiteral("/Dicoscore.dat");
    UserScores mine;
    mine.set("ABRI", 75);
    QVERIFY_THROWS_EXCEPTION(OrvError, mine.saveIfModified(path, QStringLiteral("Dicoscore.dat")));
    QVERIFY(mine.modified()); // still to be written at the next chance
    QCOMPARE(readWholeFile(blocked), QByteArray("not a folder"));

    // A file that cannot be renamed over (a folder of that name) stays as it was.
    const QString taken = dir.filePath(QStringLiteral("Dicoscore.dat"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Dicoscore.dat")));
    QVERIFY_THROWS_EXCEPTION(OrvError, mine.saveIfModified(taken, QStringLiteral("Dicoscore.dat")));
    QVERIFY(QFileInfo(taken).isDir());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary file left
}

void WordScoresTest::userScoresSkipBadLines() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Dicoscore.dat"));
    writeWholeFile(path, "ABRI\t75\r\nabri\t3\r\n\t5\r\nMER\t101\r\nZOO\tx\r\nLAC 5\r\nRIZ\t-1\r\n"
                         "\xC9T\xC9\t40\nSEL\t 7 \rNEF\t0");
    UserScores mine;
    mine.load(path, QStringLiteral("Dicoscore.dat"));
    QCOMPARE(mine.count(), 3);
    QCOMPARE(mine.find("ABRI"), std::optional<int>(75));
    QCOMPARE(mine.find("SEL"), std::optional<int>(7));
    QCOMPARE(mine.find("NEF"), std::optional<int>(0));
    QCOMPARE(mine.find("MER"), std::nullopt);
    QVERIFY(!mine.modified());
}

void WordScoresTest::shippedClassesKeepWeakFormsWeakAndCommonOnesKnown_data() {
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<int>("expected");
    const int weak = int(WordClass::Weak), fair = int(WordClass::Fair),
              known = int(WordClass::Known);
    // Rare conjugated forms, the imperfect subjunctive, the first and second
    // persons of most verbs, rare nouns, a first name's homograph, abbreviations.
    for (const char* w :
         {"INFESTERAI", "TWISTERAI", "EBRASAT", "BAISOTAT", "BLATERENT", "BETISERA", "MANGEAMES",
          "PORTASSIONS", "ERSEAU", "LEMPIRA", "ERISTALE", "ANNE", "CLAUDE", "ONU"})
        QTest::newRow(w) << QByteArray(w) << weak;
    // The present participle of a rare verb, and a trade's or a science's own
    // words (a bird, a term of meteorology) that the general vocabulary lacks.
    for (const char* w : {"SERINGUANT", "ENGOULEES", "SIRLI", "ISALLOBARE"})
        QTest::newRow(w) << QByteArray(w) << weak;
    // The simple past of a common verb, a nationality, a place, less used verbs;
    // rarer nouns and adjectives of the general vocabulary, and the past
    // participle of a rarer verb of it.
    for (const char* w :
         {"MANGEA", "PORTA", "CROATE", "ORNE", "BUVARD", "PENTU", "PERIPETIE", "PERGOLA", "RETAME"})
        QTest::newRow(w) << QByteArray(w) << fair;
    // Frequent forms, third persons and infinitives of common verbs, nouns.
    for (const char* w : {"CHAT", "MAISON", "MANGE", "MANGEAIT", "PORTERA", "AVAIT", "ETE", "TRAIN",
                          "PIANO", "ARRIVA", "PARIS", "HANDICAPER"})
        QTest::newRow(w) << QByteArray(w) << known;
}

void WordScoresTest::shippedClassesKeepWeakFormsWeakAndCommonOnesKnown() {
    QFETCH(QByteArray, word);
    QFETCH(int, expected);
    QCOMPARE(int(WordClasses::french().classOf(word)), expected);
    // Without a score of the user's, the scores follow the same table.
    QCOMPARE(int(WordScores().wordClass(word)), expected);
}

void WordScoresTest::classesReadAnyOrderAndTheUserWins() {
    const WordClasses classes("# comment\tK\nZOO\tK\nABRI\tF\nMOT\tX\nAMI\tK");
    QCOMPARE(classes.classOf("ZOO"), WordClass::Known);
    QCOMPARE(classes.classOf("ABRI"), WordClass::Fair);
    QCOMPARE(classes.classOf("AMI"), WordClass::Known);
    QCOMPARE(classes.classOf("MOT"), WordClass::Weak); // an unknown mark lists nothing
    QCOMPARE(classes.classOf("ZO"), WordClass::Weak);
    QCOMPARE(classes.count(WordClass::Known), 2);
    QVERIFY(WordClasses::french().count(WordClass::Known) > 30000);

    WordScores scores;
    scores.user().set("ERSEAU", 90);
    scores.user().set("CHAT", 25);
    scores.user().set("MAISON", 0);
    QCOMPARE(scores.wordClass("ERSEAU"), WordClass::Known);
    QCOMPARE(scores.wordClass("CHAT"), WordClass::Fair);
    QCOMPARE(scores.wordClass("MAISON"), WordClass::Weak);
}

QTEST_GUILESS_MAIN(WordScoresTest)
#include "word_scores_test.moc"
