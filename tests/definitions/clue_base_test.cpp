// The clue base on real SQLite files: the clues a save adds (several words
// in a row, many clues per word, each text once), the definitions taken in
// once, the searches by word, pattern and text, edits, the CSV round trip, a
// damaged file set aside while the program goes on, a read-only run that
// writes nothing, and a writer killed between two transactions.
#include "common/codec.h"
#include "common/errors.h"
#include "definitions/clue_base.h"
#include "document/document.h"
#include "grid/grid_change.h"
#include "grid/grid_file.h"
#include "support/sample_grid.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

using namespace orv;

namespace {

const QDateTime kNow(QDate(2026, 12, 8), QTime(14, 30));

QStringList cluesOf(const std::vector<ClueEntry>& entries) {
    QStringList clues;
    for (const ClueEntry& e : entries)
        clues.append(e.clue);
    return clues;
}

QStringList wordsOf(const std::vector<ClueEntry>& entries) {
    QStringList words;
    for (const ClueEntry& e : entries)
        words.append(e.word);
    words.removeDuplicates();
    return words;
}

QByteArray fileHash(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// A document whose grid is the sample 10x10 grid, opened from a file of `dir`.
void openSample(Document& doc, const QTemporaryDir& dir) {
    const QString grid = dir.filePath(QStringLiteral("exemple.grd"));
    writeGridFile(grid, test::sampleGrid());
    doc.open(grid);
}

} // namespace

class ClueBaseTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveAddsTheGridsCluesOnce();
    void definitionsAreTakenInOnce();
    void searchesByWordPatternAndText();
    void editsAndDeletions();
    void csvRoundTrip();
    void damagedFileIsSetAside_data();
    void damagedFileIsSetAside();
    void readOnlyRunWritesNothing();
    void killedWriterLosesNothingCommitted();
};

void ClueBaseTest::saveAddsTheGridsCluesOnce() {
    QTemporaryDir dir;
    const QString path = dir.filePath(ClueBase::fileName());
    Document doc;
    doc.useClueBase(path, kNow);
    QVERIFY(doc.clueBase());
    QCOMPARE(doc.clueBase()->count(), 0);
    openSample(doc, dir);
    doc.save();
    QVERIFY(doc.takeClueBaseProblem().isEmpty());
    ClueBase& base = *doc.clueBase();

    // Row 2 "MERE#ARENE": its clue belongs to both words, as written.
    const QString row2 = test::sampleAcross(2);
    QCOMPARE(cluesOf(base.byWord(QStringLiteral("MERE"))), QStringList{row2});
    QCOMPARE(cluesOf(base.byWord(QStringLiteral("arène"))), QStringList{row2});
    const std::vector<ClueEntry> mere = base.byWord(QStringLiteral("MERE"));
    QCOMPARE(mere.front().grid, dir.filePath(QStringLiteral("exemple.grd")));
    QCOMPARE(mere.front().date.left(4), QString::number(QDate::currentDate().year()));
    // Row 4 "UE#SOT#SEL": three words; row 5 "RIVE#ECU#A": the lone A makes no word.
    for (const char* word : {"UE", "SOT", "SEL"})
        QCOMPARE(cluesOf(base.byWord(QLatin1String(word))), QStringList{test::sampleAcross(4)});
    QVERIFY(base.byWord(QStringLiteral("A")).empty());
    // Column 1 "AMOURE#NTE" holds AMOURE and NTE.
    QCOMPARE(cluesOf(base.byWord(QStringLiteral("AMOURE"))), QStringList{test::sampleDown(1)});
    const int afterFirst = base.count();
    // 38 words, NE twice in row 8 with one clue.
    QCOMPARE(afterFirst, 37);

    // A second save adds nothing new; a new clue for a row adds one per word.
    doc.save();
    QCOMPARE(base.count(), afterFirst);
    Grille next = doc.grille();
    next.DefHoriz[1] = *fromUi(QStringLiteral("Maman. Cirque romain."));
    doc.applyGridChange(gridDifference(doc.grille(), next, QStringLiteral("les définitions")));
    doc.save();
    QCOMPARE(base.count(), afterFirst + 2);
    QCOMPARE(cluesOf(base.byWord(QStringLiteral("MERE"))),
             (QStringList{row2, QStringLiteral("Maman. Cirque romain.")}));

    // A cell emptied: that word's clue is not stored, the others are.
    next = doc.grille();
    next.cell(1, 1) = ' ';
    next.DefHoriz[0] = "Nouvel arbre";
    next.DefVert[1] = "Nouvelle colonne";
    doc.applyGridChange(gridDifference(doc.grille(), next, QStringLiteral("la case")));
    doc.save();
    QVERIFY(base.byText(QStringLiteral("arbre nouvel")).empty());
    QCOMPARE(wordsOf(base.byText(QStringLiteral("nouvelle colonne"))), QStringList{"BETEITEEAL"});
}

void ClueBaseTest::definitionsAreTakenInOnce() {
    QTemporaryDir dir;
    const QString path = dir.filePath(ClueBase::fileName());
    {
        Document doc;
        doc.setDefinitions({"ABAT\tAverse soudaine", "ABAT\tPluie violente",
                            "\xc9T\xc9\tSaison chaude", "SANSDEF", "\tsans mot"},
                           false);
        doc.useClueBase(path, kNow);
        ClueBase& base = *doc.clueBase();
        QCOMPARE(base.count(), 3);
        QCOMPARE(cluesOf(base.byWord(QStringLiteral("ABAT"))),
                 (QStringList{"Averse soudaine", "Pluie violente"}));
        const std::vector<ClueEntry> ete = base.byWord(QStringLiteral("ETE"));
        QCOMPARE(ete.size(), std::size_t(1));
        QCOMPARE(ete.front().grid, QStringLiteral("Dicodef.dat"));
        QCOMPARE(ete.front().date, QStringLiteral("2026-12-08 14:30"));
        base.remove(ete.front().id);
    }
    // The next run finds the base and does not take the definitions again.
    Document doc;
    doc.setDefinitions({"ABAT\tAverse soudaine", "\xc9T\xc9\tSaison chaude", "NEUF\tTout neuf"},
                       false);
    doc.useClueBase(path, kNow);
    QCOMPARE(doc.clueBase()->count(), 2);
    QVERIFY(doc.clueBase()->byWord(QStringLiteral("NEUF")).empty());
}

void ClueBaseTest::searchesByWordPatternAndText() {
    QTemporaryDir dir;
    ClueBase base;
    QVERIFY(base.open(dir.filePath(ClueBase::fileName()), false, kNow));
    const QString date = clueDate(kNow);
    QCOMPARE(base.add({{0, "ETE", "Saison chaude", "a.grd", date},
                       {0, "été", "Participe passé d'être", "a.grd", date},
                       {0, "ETE", "Saison chaude", "b.grd", date},
                       {0, "ETA", "Lettre grecque", "a.grd", date},
                       {0, "ÉTÉS", "Saisons chaudes", "a.grd", date},
                       {0, "ARBRE", "Chêne ou hêtre", "a.grd", date},
                       {0, "", "Sans mot", "a.grd", date},
                       {0, "VIDE", "  ", "a.grd", date}}),
             5);
    // By word: accents and case do not matter; many clues for one word.
    QCOMPARE(cluesOf(base.byWord(QStringLiteral("Été"))),
             (QStringList{"Participe passé d'être", "Saison chaude"}));
    QVERIFY(base.byWord(QStringLiteral("ET")).empty());
    // By pattern: '?' and '.' stand for one letter, the length is fixed.
    QCOMPARE(wordsOf(base.byPattern(QStringLiteral("ET?"))), (QStringList{"ETA", "ETE"}));
    QCOMPARE(wordsOf(base.byPattern(QStringLiteral("..E"))), QStringList{"ETE"});
    QCOMPARE(wordsOf(base.byPattern(QStringLiteral("?T?S"))), QStringList{"ETES"});
    QVERIFY(base.byPattern(QStringLiteral("E?")).empty());
    // By the words of the clue (or their starts), every one required, accents and case aside.
    QCOMPARE(wordsOf(base.byText(QStringLiteral("saison"))), (QStringList{"ETE", "ETES"}));
    QCOMPARE(cluesOf(base.byText(QStringLiteral("HETRE"))), QStringList{"Chêne ou hêtre"});
    QCOMPARE(wordsOf(base.byText(QStringLiteral("saison chaudes"))), QStringList{"ETES"});
    QCOMPARE(cluesOf(base.byText(QStringLiteral("d'être"))), QStringList{"Participe passé d'être"});
    // Characters of the full-text syntax are taken as separators, not as operators.
    QVERIFY(base.byText(QStringLiteral("\"NEAR(* OR -")).empty());
    QCOMPARE(base.byWord(QStringLiteral("ETE"), 1).size(), std::size_t(1));
}

void ClueBaseTest::editsAndDeletions() {
    QTemporaryDir dir;
    ClueBase base;
    QVERIFY(base.open(dir.filePath(ClueBase::fileName()), false, kNow));
    base.add({{0, "MER", "Grande bleue", "", ""}, {0, "MER", "Eau salée", "", ""}});
    ClueEntry entry = base.byText(QStringLiteral("bleue")).front();
    entry.clue = QStringLiteral("Étendue marine");
    base.update(entry);
    QVERIFY(base.byText(QStringLiteral("bleue")).empty());
    QCOMPARE(wordsOf(base.byText(QStringLiteral("etendue"))), QStringList{"MER"});
    // The same text twice for a word is refused, leaving the entry as it was.
    entry.clue = QStringLiteral("Eau salée");
    QVERIFY_THROWS_EXCEPTION(OrvError, base.update(entry));
    QCOMPARE(cluesOf(base.byWord(QStringLiteral("MER"))),
             (QStringList{"Eau salée", "Étendue marine"}));
    base.remove(entry.id);
    QCOMPARE(cluesOf(base.byWord(QStringLiteral("MER"))), QStringList{"Eau salée"});
    QVERIFY(base.byText(QStringLiteral("marine")).empty());
}

void ClueBaseTest::csvRoundTrip() {
    QTemporaryDir dir;
    ClueBase base;
    QVERIFY(base.open(dir.filePath(QStringLiteral("a.sqlite")), false, kNow));
    base.add({{0, "ETE", "Saison, dit-on, \"chaude\"", "grilles/été.grd", "2026-01-02 03:04"},
              {0, "ETE", "Œuvre d'été", "", "2026-01-02 03:05"},
              {0, "SEL", "Assaisonne", "x.grd", "2025-05-05 05:05"}});
    const QByteArray csv = base.exportCsv();
    QVERIFY(csv.startsWith("mot,indice,grille,date\r\n"));
    QVERIFY(csv.contains("ETE,\"Saison, dit-on, \"\"chaude\"\"\",grilles/\xc3\xa9t\xc3\xa9.grd"));

    ClueBase other;
    QVERIFY(other.open(dir.filePath(QStringLiteral("b.sqlite")), false, kNow));
    QCOMPARE(other.importCsv(csv, kNow), 3);
    std::vector<ClueEntry> before = base.all();
    std::vector<ClueEntry> after = other.all();
    for (auto* list : {&before, &after})
        for (ClueEntry& e : *list)
            e.id = 0;
    QCOMPARE(after, before);
    QCOMPARE(other.exportCsv(), csv);
    // Imported again: nothing new. A file with a mark, LF ends and no date.
    QCOMPARE(other.importCsv(csv, kNow), 0);
    QCOMPARE(
        other.importCsv("\xEF\xBB\xBFmot,indice\nlac,\"Eau\nd\xc3\xa9limit\xc3\xa9\x65\"\n", kNow),
        1);
    const std::vector<ClueEntry> lac = other.byWord(QStringLiteral("LAC"));
    QCOMPARE(lac.front().clue, QString::fromUtf8("Eau\ndélimitée"));
    QCOMPARE(lac.front().date, QStringLiteral("2026-12-08 14:30"));
    // Refused whole: no header, an unclosed quote, a line without a clue.
    const int count = other.count();
    for (const QByteArray& bad :
         {QByteArray("ETE,Saison\r\n"), QByteArray("mot,indice\r\nMER,\"Eau\r\n"),
          QByteArray("mot,indice\r\nMER,Eau\r\nSEUL\r\n")}) {
        try {
            other.importCsv(bad, kNow);
            QFAIL("accepted");
        } catch (const OrvError& e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("Le fichier CSV")),
                     qPrintable(e.message()));
        }
    }
    QCOMPARE(other.count(), count);
}

void ClueBaseTest::damagedFileIsSetAside_data() {
    QTest::addColumn<int>("damage");
    QTest::newRow("not a database") << 0;
    QTest::newRow("pages overwritten") << 1;
    QTest::newRow("a folder") << 2;
}

void ClueBaseTest::damagedFileIsSetAside() {
    QFETCH(int, damage);
    QTemporaryDir dir;
    const QString path = dir.filePath(ClueBase::fileName());
    if (damage == 0) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(8192, 'x'));
    } else if (damage == 1) {
        {
            ClueBase base;
            QVERIFY(base.open(path, false, kNow));
            std::vector<ClueEntry> many;
            for (int i = 0; i < 3000; ++i)
                many.push_back({0, "MOT", "Indice numéro " + QString::number(i), "", ""});
            base.add(many);
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.size() > 40000);
        // Every page but the first (the header and the schema) overwritten.
        file.seek(4096);
        file.write(QByteArray(int(file.size()) - 4096, '\x5a'));
    } else {
        QVERIFY(QDir(dir.path()).mkdir(ClueBase::fileName()));
    }
    const QByteArray damaged = fileHash(path);

    Document doc;
    doc.useClueBase(path, kNow);
    QVERIFY(!doc.clueBase());
    const QString problem = doc.takeClueBaseProblem();
    QVERIFY2(
        problem.startsWith(QStringLiteral("La base d'indices Indices.sqlite ne peut être ouverte")),
        qPrintable(problem));
    QVERIFY2(problem.contains(QStringLiteral("gardée sous le nom Indices-2026-12-08-1430.sqlite")),
             qPrintable(problem));
    const QString aside = dir.filePath(QStringLiteral("Indices-2026-12-08-1430.sqlite"));
    QVERIFY(QFileInfo::exists(aside));
    QCOMPARE(fileHash(aside), damaged);
    QVERIFY(!QFileInfo::exists(path));
    // The program goes on: a grid is saved, and no base is made behind its back.
    openSample(doc, dir);
    doc.save();
    QVERIFY(doc.takeClueBaseProblem().isEmpty());
    QVERIFY(!QFileInfo::exists(path));
    // The next run starts a new base; a second damaged one gets its own name.
    Document next;
    next.useClueBase(path, kNow);
    QVERIFY(next.clueBase());
    next.clueBase()->close();
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(4096, 'y'));
    file.close();
    next.useClueBase(path, kNow);
    QVERIFY(
        next.takeClueBaseProblem().contains(QStringLiteral("Indices-2026-12-08-1430-2.sqlite")));
}

void ClueBaseTest::readOnlyRunWritesNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath(ClueBase::fileName());
    // No base yet: a read-only run makes none, definitions or not.
    {
        Document doc;
        doc.setDefinitions({"ABAT\tAverse"}, false);
        doc.setReadOnly(true);
        doc.useClueBase(path, kNow);
        QVERIFY(!doc.clueBase());
        QVERIFY(doc.takeClueBaseProblem().isEmpty());
        QVERIFY(!QFileInfo::exists(path));
    }
    {
        ClueBase base;
        QVERIFY(base.open(path, false, kNow));
        base.add({{0, "MER", "Eau salée", "", ""}});
    }
    const QByteArray before = fileHash(path);
    Document doc;
    doc.setReadOnly(true);
    doc.setDefinitions({"ABAT\tAverse"}, false);
    doc.useClueBase(path, kNow);
    QVERIFY(doc.clueBase());
    QVERIFY(doc.clueBase()->isReadOnly());
    QCOMPARE(cluesOf(doc.clueBase()->byText(QStringLiteral("eau"))), QStringList{"Eau salée"});
    openSample(doc, dir);
    doc.save();
    QVERIFY(doc.takeClueBaseProblem().isEmpty());
    QCOMPARE(doc.clueBase()->count(), 1);
    QVERIFY_THROWS_EXCEPTION(OrvError, doc.clueBase()->add({{0, "SEL", "Assaisonne", "", ""}}));
    QCOMPARE(fileHash(path), before);
    // Once the run may write again, the definitions come in and the next save adds the clues.
    doc.setReadOnly(false);
    doc.save();
    QCOMPARE(doc.clueBase()->count(), 1 + 1 + 37);
}

void ClueBaseTest::killedWriterLosesNothingCommitted() {
    QTemporaryDir dir;
    const QString path = dir.filePath(ClueBase::fileName());
    QProcess writer;
    writer.start(QCoreApplication::applicationDirPath() + QStringLiteral("/clue_base_writer"),
                 {path});
    QVERIFY2(writer.waitForStarted(), qPrintable(writer.errorString()));
    // Each line the writer prints names a transaction it has committed.
    QList<int> committed;
    QByteArray pending;
    while (committed.size() < 25) {
        QVERIFY(writer.waitForReadyRead(20000));
        pending += writer.readAllStandardOutput();
        while (pending.contains('\n')) {
            const qsizetype end = pending.indexOf('\n');
            committed.append(pending.left(end).toInt());
            pending.remove(0, end + 1);
        }
    }
    writer.kill(); // SIGKILL, in the middle of a later transaction
    QVERIFY(writer.waitForFinished());
    QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
    pending += writer.readAllStandardOutput();
    for (const QByteArray& line : pending.split('\n'))
        if (!line.isEmpty())
            committed.append(line.toInt());

    ClueBase base;
    QVERIFY2(base.open(path, false, kNow), qPrintable(base.problem()));
    const int batch = 50;
    for (int n : committed) {
        const QString word = QStringLiteral("MOT") + QString(QChar('A' + n % 26));
        const std::vector<ClueEntry> found =
            base.byText(QStringLiteral("lot%1x").arg(n), ClueBase::kMaxResults);
        QCOMPARE(int(found.size()), batch);
        QCOMPARE(wordsOf(found), QStringList{word});
    }
    // Whole transactions only: never part of one.
    QCOMPARE(base.count() % batch, 0);
    QVERIFY(base.count() >= int(committed.size()) * batch);
}

QTEST_GUILESS_MAIN(ClueBaseTest)
#include "clue_base_test.moc"
