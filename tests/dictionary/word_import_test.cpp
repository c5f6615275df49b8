// The import's rules (admissible lines, duplicates, progress) and the
// reading of foreign word lists and the orvdico commands built on them.
#include "common/text_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/orvdico_tool.h"
#include "dictionary/scramble.h"
#include "dictionary/word_source.h"
#include "support/tool_run.h"
#include "support/word_lists.h"

#include <QRandomGenerator>
#include <QSet>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace orv;
using namespace orv::test;

namespace {

Run orvdico(const QStringList& args) { return runCommand(runOrvdico, args); }

} // namespace

class WordImportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void admissibleLines_data();
    void admissibleLines();
    void importAddsOnlyNewAdmissibleWords();
    void importReportsProgressBeforeEveryLine();
    void importOfNothing();

    void foldsAccentsAndLigatures_data();
    void foldsAccentsAndLigatures();
    void readsUtf8AndWindows1252Lists();
    void readsMarkedAndWideLists_data();
    void readsMarkedAndWideLists();
    void listWithoutWordsBecauseOfItsEncodingIsReported();
    void streamedImportMatchesTheWholeListImport();
    void importKeepsEachWordOnceWhileReading();
    void importMemoryFollowsTheDistinctWords();

    void orvdicoBuildsFromAUtf8ListWithAccents();
    void orvdicoRefusesBadArgumentsAndFiles_data();
    void orvdicoRefusesBadArgumentsAndFiles();
    void orvdicoStatsAndHelp();
};

void WordImportTest::admissibleLines_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("admissible");
    QTest::newRow("two letters") << QByteArray("AB") << true;
    QTest::newRow("nineteen letters") << QByteArray(19, 'Q') << true;
    QTest::newRow("one letter") << QByteArray("A") << false;
    QTest::newRow("twenty letters") << QByteArray(20, 'Q') << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("trailing space") << QByteArray("CHAT ") << false;
    QTest::newRow("leading space") << QByteArray(" CHAT") << false;
    QTest::newRow("hyphen") << QByteArray("X-RAY") << false;
    QTest::newRow("apostrophe") << QByteArray("AUJOURD'HUI") << false;
    QTest::newRow("digit") << QByteArray("K2") << false;
    QTest::newRow("accented capitals") << QByteArray("\xC9T\xC9") << false;
    QTest::newRow("small letters") << QByteArray("chat") << false;
    QTest::newRow("TAB") << QByteArray("CH\tAT") << false;
}

void WordImportTest::admissibleLines() {
    QFETCH(QByteArray, line);
    QFETCH(bool, admissible);
    QCOMPARE(MotAdmissible(line), admissible);
}

void WordImportTest::importAddsOnlyNewAdmissibleWords() {
    WordList w;
    for (const char* p : {"ABRI", "CHIENNE", "ZOO"})
        w.append(Crypte(p));
    const QList<QByteArray> lines = {"chat", "CHAT",  "Chien",
                                     "a",    "x-ray", QByteArray(20, 'l'),
                                     "zoo",  "ab",    QByteArray(19, 'n')};
    QCOMPARE(importLines(w, lines), qsizetype(4));
    // New words wait at the end, in the order met, until Tri.
    QCOMPARE(plainOf(w), (QList<QByteArray>{"ABRI", "CHIENNE", "ZOO", "CHAT", "CHIEN", "AB",
                                            QByteArray(19, 'N')}));
    Tri(w);
    QCOMPARE(plainOf(w), (QList<QByteArray>{"AB", "ABRI", "CHAT", "CHIEN", "CHIENNE",
                                            QByteArray(19, 'N'), "ZOO"}));
}

void WordImportTest::importReportsProgressBeforeEveryLine() {
    WordList w;
    QList<int> seen;
    const QList<QByteArray> lines = {"un", "deux", "trois", "quatre", "cinq", "six", "sept"};
    importLines(w, lines, [&seen](int percent) { seen.append(percent); });
    QCOMPARE(seen, (QList<int>{0, 14, 28, 42, 57, 71, 85}));
}

void WordImportTest::importOfNothing() {
    WordList w;
    w.append(Crypte("ZOO"));
    int calls = 0;
    QCOMPARE(importLines(w, {}, [&calls](int) { ++calls; }), qsizetype(0));
    QCOMPARE(calls, 0);
    QCOMPARE(importLines(w, {"  ", "12", "\xC9T\xC9"}), qsizetype(0));
    QCOMPARE(plainOf(w), QList<QByteArray>{"ZOO"});
}

void WordImportTest::foldsAccentsAndLigatures_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("folded");
    QTest::newRow("É") << QStringLiteral("ÉTÉ") << QStringLiteral("ETE");
    QTest::newRow("é è ê") << QStringLiteral("élève fête") << QStringLiteral("eleve fete");
    QTest::newRow("Ç ç") << QStringLiteral("Ça garçon") << QStringLiteral("Ca garcon");
    QTest::newRow("Œ œ") << QStringLiteral("Œuvre cœur") << QStringLiteral("OEuvre coeur");
    QTest::newRow("Æ æ") << QStringLiteral("Æ ex-æquo") << QStringLiteral("AE ex-aequo");
    QTest::newRow("ï ü ÿ") << QStringLiteral("naïf capharnaüm L'Haÿ")
                           << QStringLiteral("naif capharnaum L'Hay");
    QTest::newRow("plain stays") << QStringLiteral("CHAT") << QStringLiteral("CHAT");
}

void WordImportTest::foldsAccentsAndLigatures() {
    QFETCH(QString, word);
    QFETCH(QString, folded);
    QCOMPARE(foldAccents(word), folded);
}

void WordImportTest::readsUtf8AndWindows1252Lists() {
    const QByteArray utf8 = QStringLiteral("\uFEFFétude\r\ncœur\nzèbre").toUtf8();
    QCOMPARE(detectEncoding(utf8), ListEncoding::Utf8);
    QCOMPARE(wordListLines(utf8, true), (QList<QByteArray>{"etude", "coeur", "zebre"}));
    // Unfolded, the accents stay as the program's own bytes, which no word admits.
    QCOMPARE(wordListLines(utf8, false), (QList<QByteArray>{"\xE9tude", "c\x9Cur",
                                                            "z\xE8"
                                                            "bre"}));

    const QByteArray cp1252("\xE9t\xE9\r\nc\x9Cur\r\n\xC7"
                            "A");
    QCOMPARE(detectEncoding(cp1252), ListEncoding::Windows1252);
    QCOMPARE(wordListLines(cp1252, true), (QList<QByteArray>{"ete", "coeur", "CA"}));
    // A character outside the code page cannot become a word.
    const QList<QByteArray> foreign = wordListLines(QStringLiteral("Ωmega").toUtf8(), true);
    QCOMPARE(foreign.size(), qsizetype(1));
    QVERIFY(!MotAdmissible(upperLine(foreign[0])));
}

void WordImportTest::readsMarkedAndWideLists_data() {
    QTest::addColumn<int>("encoding"); // QStringConverter::Encoding
    QTest::addColumn<bool>("mark");
    QTest::addColumn<ListEncoding>("seen");
    QTest::newRow("UTF-8 with its mark")
        << int(QStringConverter::Utf8) << true << ListEncoding::Utf8;
    QTest::newRow("UTF-16 LE with its mark")
        << int(QStringConverter::Utf16LE) << true << ListEncoding::Utf16;
    QTest::newRow("UTF-16 BE with its mark")
        << int(QStringConverter::Utf16BE) << true << ListEncoding::Utf16;
    QTest::newRow("UTF-16 LE without a mark")
        << int(QStringConverter::Utf16LE) << false << ListEncoding::Utf16;
    QTest::newRow("UTF-16 BE without a mark")
        << int(QStringConverter::Utf16BE) << false << ListEncoding::Utf16;
    QTest::newRow("UTF-32 LE with its mark")
        << int(QStringConverter::Utf32LE) << true << ListEncoding::Utf32;
}

void WordImportTest::readsMarkedAndWideLists() {
    QFETCH(int, encoding);
    QFETCH(bool, mark);
    QFETCH(ListEncoding, seen);
    // Long enough for several blocks, so that a block boundary falls inside
    // a character of the wide encodings.
    QString text;
    for (int i = 0; i < 60000; ++i)
        text += QStringLiteral("chat\r\nzèbre\nabri%1\n").arg(QChar(u'a' + i % 26));
    QStringEncoder encoder(QStringConverter::Encoding(encoding),
                           mark ? QStringConverter::Flag::WriteBom
                                : QStringConverter::Flag::Default);
    const QByteArray bytes = encoder(text);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("liste.txt"));
    writeWholeFile(path, bytes);

    for (const bool fold : {false, true}) {
        WordListReader reader(path, QStringLiteral("liste.txt"), fold);
        QCOMPARE(reader.encoding(), seen);
        WordList w;
        const ImportReport report = importWordList(w, reader);
        Tri(w);
        QCOMPARE(report.lines, qsizetype(3 * 60000));
        QList<QByteArray> expected{"ABRIA", "ABRIB", "ABRIC"};
        QCOMPARE(plainOf(w).mid(0, 3), expected);
        QCOMPARE(plainOf(w).at(26), QByteArray("CHAT")); // the first word was not lost to a mark
        QCOMPARE(w.count(), qsizetype(fold ? 28 : 27));
        QCOMPARE(plainOf(w).last(), fold ? QByteArray("ZEBRE") : QByteArray("CHAT"));
        QVERIFY(!report.unknownEncoding);
    }
    // The same lines through the reader of lists held whole.
    QCOMPARE(wordListLines(bytes, true).mid(0, 3), (QList<QByteArray>{"chat", "zebre", "abria"}));
}

void WordImportTest::listWithoutWordsBecauseOfItsEncodingIsReported() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("liste.txt"));
    // Bytes that no known encoding explains: a NUL cuts the text at once.
    writeWholeFile(path, QByteArray("\x01\x02\x03\0\0chat\nchien\n", 16));
    WordListReader reader(path, QStringLiteral("liste.txt"), false);
    WordList w;
    ImportReport report = importWordList(w, reader);
    QVERIFY(report.unknownEncoding);
    QCOMPARE(w.count(), qsizetype(0));
    QCOMPARE(unknownEncodingMessage(QStringLiteral("liste.txt")),
             QStringLiteral("Le fichier liste.txt ne contient aucun mot admissible : son codage "
                            "n'est pas reconnu"));
    // Lines that are simply not words say nothing of the encoding.
    writeWholeFile(path, QByteArray("x-ray\n12\n"));
    WordListReader plain(path, QStringLiteral("liste.txt"), false);
    report = importWordList(w, plain);
    QCOMPARE(report.admissible, qsizetype(0));
    QVERIFY(!report.unknownEncoding);
    // A list that holds words before its NUL is no encoding trouble either.
    writeWholeFile(path, QByteArray("chat\n\0x", 7));
    WordListReader cut(path, QStringLiteral("liste.txt"), false);
    report = importWordList(w, cut);
    QCOMPARE(report.added, qsizetype(1));
    QVERIFY(!report.unknownEncoding);
}

void WordImportTest::streamedImportMatchesTheWholeListImport() {
    // Mixed case, duplicates within the list and with the dictionary,
    // inadmissible lines, every line ending, over several blocks.
    QRandomGenerator random(11);
    QByteArray data;
    const char* ends[] = {"\r\n", "\r", "\n"};
    while (data.size() < 3 * (1 << 20)) {
        QByteArray word;
        const int n = random.bounded(1, 22);
        for (int i = 0; i < n; ++i)
            word += char((random.bounded(2) ? 'a' : 'A') + random.bounded(3));
        if (random.bounded(50) == 0)
            word += '-';
        data += word + ends[random.bounded(3)];
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("liste.txt"));
    writeWholeFile(path, data);
    WordList whole;
    WordList streamed;
    for (WordList* w : {&whole, &streamed})
        for (const char* p : {"ABBA", "CAB", "ZOO"})
            w->append(Crypte(p));
    const qsizetype addedWhole = importLines(whole, splitTextLines(data));
    WordListReader reader(path, QStringLiteral("liste.txt"), false);
    QList<int> seen;
    const ImportReport report =
        importWordList(streamed, reader, [&seen](int percent) { seen.append(percent); });
    QCOMPARE(report.added, addedWhole);
    QCOMPARE(report.lines, splitTextLines(data).size());
    Tri(whole);
    QCOMPARE(streamed.entries(), whole.entries());
    QCOMPARE(seen.first(), 0);
    QVERIFY(seen.last() < 100 && seen.last() >= 99);
    QVERIFY(std::is_sorted(seen.cbegin(), seen.cend()));
}

void WordImportTest::importKeepsEachWordOnceWhileReading() {
    // A thousand words over and over: many times the lines that one run holds.
    QList<QByteArray> words;
    for (int k = 0; k < 1000; ++k) {
        QByteArray word;
        for (int x = k * 7919 + 100000; x > 0; x /= 26)
            word += char('a' + x % 26);
        words.append(word);
    }
    QByteArray data;
    for (int k = 0; k < 3000000; ++k)
        data += words[k % 1000] + (k % 2 ? "\r\n" : "\n");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("liste.txt"));
    writeWholeFile(path, data);
    data.clear();

    WordListReader reader(path, QStringLiteral("liste.txt"), false);
    WordBatch batch;
    const ImportReport report = readWordBatch(reader, batch);
    QCOMPARE(report.lines, qsizetype(3000000));
    QCOMPARE(report.admissible, qsizetype(3000000));
    // Each word is kept once as soon as its run is sorted, and the last run at the end.
    QVERIFY(batch.count() <= 1000);
    batch.finish();
    QCOMPARE(batch.count(), qsizetype(1000));
    const qsizetype peak = batch.peakMemoryBytes();
    WordList w;
    QCOMPARE(w.merge(std::move(batch)), qsizetype(1000));
    QList<QByteArray> expected;
    for (const QByteArray& word : words)
        expected.append(word.toUpper());
    std::sort(expected.begin(), expected.end());
    QCOMPARE(plainOf(w), expected);
    // The memory is that of one run beside the words kept, whatever the
    // list's size (19 Mo here; a batch of every line would hold more than that).
    QVERIFY2(peak <= 2 * w.memoryBytes() + WordBatch::kRunBlockBytes,
             qPrintable(QString::number(peak)));
    QVERIFY2(peak < reader.size() / 3,
             qPrintable(QStringLiteral("%1 of %2").arg(peak).arg(reader.size())));

    // The whole import tells the distinct words.
    WordListReader again(path, QStringLiteral("liste.txt"), false);
    WordList into;
    into.append(Crypte(expected[0]));
    const ImportReport whole = importWordList(into, again);
    QCOMPARE(whole.distinct, qsizetype(1000));
    QCOMPARE(whole.added, qsizetype(999));
}

void WordImportTest::importMemoryFollowsTheDistinctWords() {
    // Distinct words in no order, each twice, over several runs that grow
    // with the words kept: merged in place, in order, each once.
    QRandomGenerator random(5);
    QSet<QByteArray> distinct;
    QByteArray data;
    QList<QByteArray> lines;
    while (distinct.size() < 300000) {
        QByteArray word;
        const int n = random.bounded(2, 20);
        for (int i = 0; i < n; ++i)
            word += char('A' + random.bounded(26));
        distinct.insert(word);
        lines.append(word);
    }
    for (int pass = 0; pass < 2; ++pass)
        for (const QByteArray& word : lines)
            data += word + '\n';
    WordListReader reader(data, false);
    WordBatch batch;
    readWordBatch(reader, batch);
    batch.finish();
    const qsizetype peak = batch.peakMemoryBytes();
    WordList w;
    QCOMPARE(w.merge(std::move(batch)), qsizetype(distinct.size()));
    QList<QByteArray> expected(distinct.begin(), distinct.end());
    std::sort(expected.begin(), expected.end());
    QCOMPARE(plainOf(w), expected);
    QVERIFY2(peak <= 2 * w.memoryBytes() + WordBatch::kRunBlockBytes,
             qPrintable(QStringLiteral("%1 > 2 x %2").arg(peak).arg(w.memoryBytes())));
}

void WordImportTest::orvdicoBuildsFromAUtf8ListWithAccents() {
    QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("mots.txt"));
    const QString more = dir.filePath(QStringLiteral("autres.txt"));
    const QString dico = dir.filePath(QStringLiteral("Dicogrd.dat"));
    writeWholeFile(list, QStringLiteral("zèbre\nÉté\ncœur\nabri\nété\nporte-avions\nx\n").toUtf8());
    writeWholeFile(more, QByteArray("\xE9l\xE8ve\r\nABRI\r\n"));

    Run r = orvdico({QStringLiteral("build"), QStringLiteral("--fold-accents"), list, more,
                     QStringLiteral("-o"), dico});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.contains(QStringLiteral("5 mots")), qPrintable(r.out));
    // The file is in the program's own form: scrambled lines, CR LF, in order.
    QCOMPARE(readWholeFile(dico), joinTextLines({Crypte("ABRI"), Crypte("COEUR"), Crypte("ELEVE"),
                                                 Crypte("ETE"), Crypte("ZEBRE")}));
    r = orvdico({QStringLiteral("words"), dico});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("ABRI\nCOEUR\nELEVE\nETE\nZEBRE\n"));

    // Without folding, accented words are not admissible.
    r = orvdico({QStringLiteral("build"), list, QStringLiteral("-o"), dico});
    QCOMPARE(r.status, 0);
    QCOMPARE(orvdico({QStringLiteral("words"), dico}).out, QStringLiteral("ABRI\n"));
}

void WordImportTest::orvdicoRefusesBadArgumentsAndFiles_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("no command") << QStringList{} << 2 << QStringLiteral("il manque la commande");
    QTest::newRow("unknown command")
        << QStringList{"merge"} << 2 << QStringLiteral("commande inconnue « merge »");
    QTest::newRow("build without output")
        << QStringList{"build", "LIST"} << 2 << QStringLiteral("-o Dicogrd.dat");
    QTest::newRow("build without list")
        << QStringList{"build", "-o", "OUT"} << 2 << QStringLiteral("au moins une liste");
    QTest::newRow("-o without name")
        << QStringList{"build", "LIST", "-o"} << 2 << QStringLiteral("attend un nom de fichier");
    QTest::newRow("unknown option") << QStringList{"build", "--vite", "LIST", "-o", "OUT"} << 2
                                    << QStringLiteral("option inconnue « --vite »");
    QTest::newRow("words of two files")
        << QStringList{"words", "A", "B"} << 2 << QStringLiteral("un seul fichier");
    QTest::newRow("missing list") << QStringList{"build", "ABSENT", "-o", "OUT"} << 1
                                  << QStringLiteral("Ne peut ouvrir le fichier ABSENT.");
    QTest::newRow("missing dictionary") << QStringList{"stats", "ABSENT"} << 1
                                        << QStringLiteral("Ne peut ouvrir le fichier ABSENT.");
    QTest::newRow("unwritable output") << QStringList{"build", "LIST", "-o", "NOFOLDER/OUT"} << 1
                                       << QStringLiteral("Ne peut créer le fichier NOFOLDER/OUT.");
}

void WordImportTest::orvdicoRefusesBadArgumentsAndFiles() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, message);
    QTemporaryDir dir;
    writeWholeFile(dir.filePath(QStringLiteral("LIST")), "chat\n");
    // The file names of the table stand for files in a fresh folder.
    for (QString& a : args) {
        if (a == QLatin1String("LIST") || a == QLatin1String("OUT") ||
            a.startsWith(QLatin1String("NOFOLDER")) || a == QLatin1String("ABSENT")) {
            message.replace(a, dir.filePath(a));
            a = dir.filePath(a);
        }
    }
    const Run r = orvdico(args);
    QCOMPARE(r.status, status);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(r.err.startsWith(QStringLiteral("orvdico : ")));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("OUT"))));
}

void WordImportTest::orvdicoStatsAndHelp() {
    QTemporaryDir dir;
    const QString dico = dir.filePath(QStringLiteral("Dicogrd.dat"));
    writeWholeFile(dico,
                   joinTextLines({Crypte("ZOO"), Crypte("ABRI"), Crypte("A"), Crypte("ZOO")}));
    Run r = orvdico({QStringLiteral("stats"), dico});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.contains(QStringLiteral("Mots : 4\n")), qPrintable(r.out));
    QVERIFY(r.out.contains(QStringLiteral(" 3 lettres : 2\n")));
    QVERIFY(r.out.contains(QStringLiteral(" 4 lettres : 1\n")));
    QVERIFY(r.out.contains(QStringLiteral("  Z : 2\n")));
    QVERIFY(r.out.contains(QStringLiteral("plus de 19 lettres : 1\n")));
    QVERIFY(r.out.contains(QStringLiteral("Doublons : 1\n")));
    QVERIFY(r.out.contains(QStringLiteral("Ordre alphabétique : non")));

    r = orvdico({QStringLiteral("--help")});
    QCOMPARE(r.status, 0);
    for (const char* part : {"orvdico build [--fold-accents] LISTE... -o Dicogrd.dat",
                             "orvdico words FICHIER", "orvdico stats FICHIER"})
        QVERIFY2(r.out.contains(QString::fromUtf8(part)), part);
    QVERIFY(r.err.isEmpty());
}

QTEST_GUILESS_MAIN(WordImportTest)
#include "word_import_test.moc"
