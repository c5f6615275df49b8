// The command-line tools read their files as the program does (the same
// words, the same warnings) and never write over a file they read.
#include "common/text_file.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/orvdico_tool.h"
#include "dictionary/scramble.h"
#include "document/document.h"
#include "support/orvgrid_run.h"
#include "support/word_lists.h"

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <unistd.h>

using namespace orv;
using namespace orv::test;

namespace {

Run orvdico(const QStringList& args) { return runCommand(runOrvdico, args); }

// Two rows of two cells: filled by AB and CD across (AC and BD down), or
// the other way round; without AB no fill exists.
constexpr char kGrid[] = "..\n..\n";

} // namespace

class ToolInputsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void orvdicoRefusesToWriteOverItsInput();
    void orvgridRefusesToWriteOverItsInputs_data();
    void orvgridRefusesToWriteOverItsInputs();
    void orvdicoWarnsOfAScrambledDictionaryGivenAsAList();
    void dictionaryCutByANulGivesTheProgramsWordsAndWarning();
    void orvgridReadsWordListsAsTheImportDoes_data();
    void orvgridReadsWordListsAsTheImportDoes();
    void numericOptionsRefuseNonFiniteValues_data();
    void numericOptionsRefuseNonFiniteValues();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void ToolInputsTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    writeWholeFile(path("grid.txt"), kGrid);
    writeWholeFile(path("list.txt"), "ab\ncd\nac\nbd\n");
    writeWholeFile(path("Dicogrd.dat"), dictionaryFile({"AB", "AC", "BD", "CD"}));
}

void ToolInputsTest::orvdicoRefusesToWriteOverItsInput() {
    const QByteArray dictionary = readWholeFile(path("Dicogrd.dat"));
    const QByteArray list = readWholeFile(path("list.txt"));
    QVERIFY(QFile::link(path("list.txt"), path("lien.txt")));
    QCOMPARE(::link(QFile::encodeName(path("Dicogrd.dat")).constData(),
                    QFile::encodeName(path("autre.dat")).constData()),
             0);
    const QList<QStringList> cases{
        {"build", path("Dicogrd.dat"), "-o", path("Dicogrd.dat")},
        {"build", path("list.txt"), "-o", path("list.txt")},
        // The same file under another name: a symbolic link, a hard link,
        // a path through its folder.
        {"build", path("list.txt"), "-o", path("lien.txt")},
        {"build", path("Dicogrd.dat"), "-o", path("autre.dat")},
        {"build", path("list.txt"), path("Dicogrd.dat"), "-o",
         dir_->path() + "/../" + QDir(dir_->path()).dirName() + "/Dicogrd.dat"},
    };
    for (const QStringList& args : cases) {
        const Run r = orvdico(args);
        QCOMPARE(r.status, int(OrvdicoWritesOverInput));
        QVERIFY2(r.err.startsWith("orvdico : Le fichier ") &&
                     r.err.contains(" est aussi un fichier lu : il n'est pas remplacé."),
                 qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QCOMPARE(readWholeFile(path("Dicogrd.dat")), dictionary);
        QCOMPARE(readWholeFile(path("list.txt")), list);
    }
    // Another output is written as before.
    const Run r = orvdico({"build", path("list.txt"), "-o", path("nouveau.dat")});
    QCOMPARE(r.status, int(OrvdicoOk));
    QCOMPARE(readWholeFile(path("nouveau.dat")), dictionary);
}

void ToolInputsTest::orvgridRefusesToWriteOverItsInputs_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("output");
    QTest::newRow("fill over its grid")
        << QStringList{"fill", "GRID", "--words", "LIST", "-o", "GRID"} << "grid.txt";
    QTest::newRow("fill over its list")
        << QStringList{"fill", "GRID", "--words", "LIST", "-o", "LIST"} << "list.txt";
    QTest::newRow("fill over its dictionary")
        << QStringList{"fill", "GRID", "-d", "DICO", "-o", "DICO"} << "Dicogrd.dat";
    QTest::newRow("fill over the scores beside its dictionary")
        << QStringList{"fill", "GRID", "-d", "DICO", "-o", "SCORES"} << "Dicoscore.dat";
    QTest::newRow("fill over its grid through a link")
        << QStringList{"fill", "GRID", "--words", "LIST", "-o", "LINK"} << "grid.txt";
    QTest::newRow("make over its grid")
        << QStringList{"make", "6x6", "--from", "START", "--words", "LIST", "-o", "START"}
        << "start.txt";
    QTest::newRow("make over its dictionary")
        << QStringList{"make", "6x6", "-d", "DICO", "-o", "DICO"} << "Dicogrd.dat";
}

void ToolInputsTest::orvgridRefusesToWriteOverItsInputs() {
    QFETCH(QStringList, args);
    QFETCH(QString, output);
    writeWholeFile(path("start.txt"), QByteArray("......\n").repeated(6));
    writeWholeFile(path("Dicoscore.dat"), "AB\t80\r\n");
    QVERIFY(QFile::link(path("grid.txt"), path("lien.txt")));
    const QMap<QString, QString> names{{"GRID", "grid.txt"},    {"LIST", "list.txt"},
                                       {"DICO", "Dicogrd.dat"}, {"SCORES", "Dicoscore.dat"},
                                       {"LINK", "lien.txt"},    {"START", "start.txt"}};
    for (QString& a : args)
        if (names.contains(a))
            a = path(names[a]);
    const QByteArray before = readWholeFile(path(output));
    const Run r = orvgrid(args);
    QCOMPARE(r.status, int(OrvgridBadInput));
    QVERIFY2(r.err.contains(" est aussi un fichier lu : il n'est pas remplacé."),
             qPrintable(r.err));
    QCOMPARE(r.err.count('\n'), 1);
    QCOMPARE(readWholeFile(path(output)), before);
}

void ToolInputsTest::orvdicoWarnsOfAScrambledDictionaryGivenAsAList() {
    writeWholeFile(path("Dicogrd.dat"), dictionaryFile({"ABRICOT", "CHATEAUX", "ENSEMBLE",
                                                        "MAISONNETTE", "PORTE", "ZEBRES"}));
    Run r = orvdico({"build", path("Dicogrd.dat"), "-o", path("nouveau.dat")});
    QCOMPARE(r.status, int(OrvdicoOk));
    QVERIFY2(r.err.contains(QStringLiteral("orvdico : attention, %1 ressemble à un dictionnaire "
                                           "brouillé")
                                .arg(path("Dicogrd.dat"))),
             qPrintable(r.err));
    QVERIFY(r.err.contains(QStringLiteral("« orvdico words %1 »").arg(path("Dicogrd.dat"))));
    // A plain list says nothing, in small letters or in capitals.
    writeWholeFile(path("capitales.txt"), "ABRICOT\nCHATEAUX\nENSEMBLE\nPORTE\n");
    r = orvdico({"build", path("list.txt"), path("capitales.txt"), "-o", path("nouveau.dat")});
    QCOMPARE(r.status, int(OrvdicoOk));
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
}

void ToolInputsTest::dictionaryCutByANulGivesTheProgramsWordsAndWarning() {
    // Before the NUL: three words and a one-letter entry; after it, two
    // lines (the one that holds the NUL counts): the program leaves out three.
    QByteArray bytes = dictionaryFile({"AB", "AC", "Z", "BD"});
    bytes += QByteArray("\0", 1) + Crypte("CD") + "\r\n" + Crypte("EF") + "\r\n";
    writeWholeFile(path("Dicogrd.dat"), bytes);

    // The program's start, in the working folder.
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_->path()));
    Document doc;
    doc.dictionary().load();
    doc.dictionary().check();
    QVERIFY(QDir::setCurrent(previous));
    QCOMPARE(plainOf(doc.dictionary().words()), (QList<QByteArray>{"AB", "AC", "BD"}));
    QCOMPARE(doc.dictionary().file().dropped(), qsizetype(3));
    QVERIFY(doc.droppedLinesStatus().startsWith("Dicogrd.dat : 3 lignes écartées à la lecture"));

    const QString dico = path("Dicogrd.dat");
    const QString warning = QStringLiteral("%1 : 3 lignes écartées à la lecture.\n").arg(dico);
    Run r = orvdico({"words", dico});
    QCOMPARE(r.status, int(OrvdicoOk));
    QCOMPARE(r.out, QStringLiteral("AB\nAC\nBD\n"));
    QCOMPARE(r.err, "orvdico : " + warning);
    // The statistics count every entry before the NUL, and tell what follows it.
    r = orvdico({"stats", dico});
    QVERIFY(r.out.contains("Mots : 4\n"));
    QCOMPARE(r.err, QStringLiteral("orvdico : %1 : 2 lignes écartées à la lecture.\n").arg(dico));

    // CD lies after the NUL: the grid cannot be filled, and the warning says why.
    r = orvgrid({"fill", path("grid.txt"), "-d", dico, "--no-scores"});
    QCOMPARE(r.status, int(OrvgridImpossible));
    QVERIFY2(r.err.startsWith("orvgrid fill : " + warning), qPrintable(r.err));
    r = orvgrid({"check", path("grid.txt"), "-d", dico});
    QVERIFY2(r.err.startsWith("orvgrid check : " + warning), qPrintable(r.err));
    r = orvgrid({"make", "6x6", "-d", dico, "--time-limit", "0.01"});
    QVERIFY2(r.err.startsWith("orvgrid make : " + warning), qPrintable(r.err));

    // A whole file says nothing.
    writeWholeFile(dico, dictionaryFile({"AB", "AC", "BD", "CD"}));
    r = orvgrid({"fill", path("grid.txt"), "-d", dico, "--no-scores"});
    QCOMPARE(r.status, int(OrvgridOk));
    QVERIFY2(!r.err.contains("écartée"), qPrintable(r.err));
    QVERIFY(orvdico({"words", dico}).err.isEmpty());
}

void ToolInputsTest::orvgridReadsWordListsAsTheImportDoes_data() {
    QTest::addColumn<int>("encoding"); // QStringConverter::Encoding
    QTest::addColumn<bool>("mark");
    QTest::newRow("UTF-8 with its mark") << int(QStringConverter::Utf8) << true;
    QTest::newRow("UTF-16 LE with its mark") << int(QStringConverter::Utf16LE) << true;
    QTest::newRow("UTF-16 BE without a mark") << int(QStringConverter::Utf16BE) << false;
    QTest::newRow("UTF-32 LE with its mark") << int(QStringConverter::Utf32LE) << true;
}

void ToolInputsTest::orvgridReadsWordListsAsTheImportDoes() {
    QFETCH(int, encoding);
    QFETCH(bool, mark);
    // AB first: a mark taken for a letter would lose it, and the fill with it.
    QStringEncoder encoder(QStringConverter::Encoding(encoding),
                           mark ? QStringConverter::Flag::WriteBom
                                : QStringConverter::Flag::Default);
    const QByteArray bytes = encoder(QStringLiteral("ab\r\ncd\r\nac\r\nbd\r\nété\r\n"));
    writeWholeFile(path("liste.txt"), bytes);
    const Run r = orvgrid({"fill", path("grid.txt"), "--words", path("liste.txt"), "--no-scores"});
    QCOMPARE(r.status, int(OrvgridOk));
    QVERIFY(r.out == "AB\nCD\n" || r.out == "AC\nBD\n");
    QVERIFY2(!r.err.contains("orvgrid fill :"), qPrintable(r.err));
}

void ToolInputsTest::numericOptionsRefuseNonFiniteValues_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    for (const char* value : {"inf", "-inf", "nan", "1e999"}) {
        QTest::addRow("fill --time-limit %s", value)
            << QStringList{"fill", "GRID", "--words", "LIST", "--time-limit", value}
            << "--time-limit attend";
        QTest::addRow("fill --score-weight %s", value)
            << QStringList{"fill", "GRID", "--words", "LIST", "--score-weight", value}
            << "--score-weight attend";
        QTest::addRow("make --time-limit %s", value)
            << QStringList{"make", "6x6", "--words", "LIST", "--time-limit", value}
            << "--time-limit attend";
    }
}

void ToolInputsTest::numericOptionsRefuseNonFiniteValues() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    for (QString& a : args) {
        if (a == "GRID")
            a = path("grid.txt");
        if (a == "LIST")
            a = path("list.txt");
    }
    const Run r = orvgrid(args);
    QCOMPARE(r.status, int(OrvgridBadInput));
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
}

QTEST_GUILESS_MAIN(ToolInputsTest)
#include "tool_inputs_test.moc"
