// The document without any window: the change path and its history, the
// saved revision behind Modifie, the save question's outcomes, what is
// written at exit, and new, open and save on real files.
#include "common/errors.h"
#include "common/text_file.h"
#include "dictionary/scramble.h"
#include "document/document.h"
#include "grid/grid_file.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace orv;

namespace {

// A document as the program starts it: an empty 8 by 8 grid, nothing to save.
struct Started {
    Document doc;
    Started() { doc.start(); }
};

bool type(Document& doc, char key, int col, int row) { return doc.typeOnCell(key, col, row); }

} // namespace

class DocumentTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void saveQuestionOutcomes_data();
    void saveQuestionOutcomes();
    void typedKeysAreNamedSteps_data();
    void typedKeysAreNamedSteps();
    void undoAndRedoMoveAroundTheSavedRevision();
    void anEditAfterUndoDropsTheRedoSteps();
    void aChangeOfManyCellsIsOneStep();
    void aChangeThatChangesNothingIsNoStep();
    void historyKeepsTheLatestThousandSteps();
    void wordsStayUnsavedWhateverTheGridDoes();
    void whatIsWrittenAtExit_data();
    void whatIsWrittenAtExit();
    void newAndOpenClearTheHistorySaveKeepsIt();
    void aRefusedFileChangesNothing();
    void signalsTellTheWindowWhatToRedraw();
    void dictionaryReadAheadIsTakenOnlyWhileTheFileIsUnchanged();

private:
    QTemporaryDir dir_;
    QString previous_;
};

void DocumentTest::init() {
    previous_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_.path()));
}

void DocumentTest::cleanup() { QDir::setCurrent(previous_); }

void DocumentTest::saveQuestionOutcomes_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("next");
    QTest::newRow("Oui saves, then goes on")
        << int(Document::Answer::Yes) << int(Document::AfterQuestion::SaveThenContinue);
    QTest::newRow("Non goes on") << int(Document::Answer::No)
                                 << int(Document::AfterQuestion::Continue);
    QTest::newRow("Annuler stops")
        << int(Document::Answer::Cancel) << int(Document::AfterQuestion::Stop);
}

void DocumentTest::saveQuestionOutcomes() {
    QFETCH(int, answer);
    QFETCH(int, next);
    QCOMPARE(int(Document::afterSaveQuestion(Document::Answer(answer))), next);
    // Only a failed write stops the command after "Oui"; a cancelled dialog goes on.
    QVERIFY(Document::goesOnAfterSave(Document::SaveOutcome::Saved));
    QVERIFY(Document::goesOnAfterSave(Document::SaveOutcome::Cancelled));
    QVERIFY(!Document::goesOnAfterSave(Document::SaveOutcome::Failed));
    // The question is asked exactly while something is unsaved.
    Started s;
    QVERIFY(!s.doc.asksSaveQuestion());
    type(s.doc, 'a', 1, 1);
    QVERIFY(s.doc.asksSaveQuestion());
}

void DocumentTest::typedKeysAreNamedSteps_data() {
    QTest::addColumn<char>("key");
    QTest::addColumn<char>("code");
    QTest::addColumn<QString>("description");
    QTest::newRow("letter") << 'a' << 'A' << "la saisie de la lettre A en C4";
    QTest::newRow("space") << ' ' << '#' << "la case noire en C4";
    QTest::newRow("backspace") << '\b' << ' ' << "l'effacement de la case C4";
}

void DocumentTest::typedKeysAreNamedSteps() {
    QFETCH(char, key);
    QFETCH(char, code);
    QFETCH(QString, description);
    Started s;
    // Something in the cell first, so that every key changes it.
    QVERIFY(s.doc.applyGridChange(GridChange(QStringLiteral("avant")).setCell(3, 4, 'Z')));
    QVERIFY(type(s.doc, key, 3, 4));
    QCOMPARE(s.doc.grille().cell(3, 4), code);
    QCOMPARE(s.doc.undoDescription(), description);
    QVERIFY(s.doc.undo());
    QCOMPARE(s.doc.grille().cell(3, 4), 'Z');
    QCOMPARE(s.doc.redoDescription(), description);
    // A key that is no cell key changes nothing and records nothing.
    QVERIFY(!type(s.doc, '5', 3, 4));
    QCOMPARE(s.doc.undoCount(), 1);
    QCOMPARE(s.doc.redoCount(), 1);
    // Delete goes down as a key, not as a character.
    QVERIFY(s.doc.keyDownOnCell(46, 3, 4));
    QCOMPARE(s.doc.grille().cell(3, 4), ' ');
    QCOMPARE(s.doc.undoDescription(), QStringLiteral("l'effacement de la case C4"));
}

void DocumentTest::undoAndRedoMoveAroundTheSavedRevision() {
    Started s;
    Document& d = s.doc;
    type(d, 'a', 1, 1);
    type(d, 'b', 2, 1);
    d.markSaved();
    QVERIFY(!d.isModified());
    type(d, 'c', 3, 1);
    QVERIFY(d.isModified());
    QVERIFY(d.undo()); // back to the saved state
    QVERIFY(!d.isModified());
    QVERIFY(d.undo()); // past it
    QVERIFY(d.isModified());
    QCOMPARE(d.grille().cell(2, 1), ' ');
    QVERIFY(d.redo());
    QVERIFY(!d.isModified());
    QVERIFY(d.redo());
    QVERIFY(d.isModified());
    QCOMPARE(d.grille().cell(3, 1), 'C');
    QVERIFY(!d.redo());
    // Undoing everything lands on the started grid, which was never saved
    // here but is what the run began with: modified, since the save was later.
    while (d.undo()) {
    }
    QCOMPARE(d.grille().cell(1, 1), ' ');
    QVERIFY(d.isModified());
    QVERIFY(!d.canUndo());
    QVERIFY(d.canRedo());
}

void DocumentTest::anEditAfterUndoDropsTheRedoSteps() {
    Started s;
    Document& d = s.doc;
    type(d, 'a', 1, 1);
    d.markSaved();
    type(d, 'b', 1, 1);
    d.undo();
    QVERIFY(!d.isModified());
    type(d, 'c', 2, 2);
    QVERIFY(!d.canRedo());
    // The saved state is now one step back, reached again by undo.
    QVERIFY(d.isModified());
    d.undo();
    QVERIFY(!d.isModified());
    QCOMPARE(d.grille().cell(1, 1), 'A');
}

void DocumentTest::aChangeOfManyCellsIsOneStep() {
    Started s;
    Document& d = s.doc;
    type(d, 'x', 1, 1);
    d.markSaved();
    const Grille before = d.grille();
    GridChange fill(QStringLiteral("le remplissage de la grille"));
    fill.setCell(1, 1, 'M').setCell(2, 1, 'O').setCell(3, 1, 'T');
    fill.setCell(1, 1, 'N'); // the same cell twice: undo still goes back to 'X'
    fill.setDimensions(11, 13);
    fill.setClue(true, 0, "Petit mot").setClue(false, 12, "Colonne L");
    QVERIFY(d.applyGridChange(fill));
    QCOMPARE(d.undoCount(), 2);
    QCOMPARE(d.grille().cell(1, 1), 'N');
    QCOMPARE(d.grille().cell(3, 1), 'T');
    QCOMPARE(d.grille().NbLignes, 11);
    QCOMPARE(d.grille().NbColonnes, 13);
    QCOMPARE(d.grille().DefVert[12], QByteArray("Colonne L"));
    QCOMPARE(d.undoDescription(), QStringLiteral("le remplissage de la grille"));
    d.undo();
    QVERIFY(!d.isModified());
    QVERIFY(d.grille().Cases == before.Cases);
    QCOMPARE(d.grille().NbLignes, 8);
    QCOMPARE(d.grille().NbColonnes, 8);
    QVERIFY(d.grille().DefHoriz == before.DefHoriz);
    QVERIFY(d.grille().DefVert == before.DefVert);
    d.redo();
    QCOMPARE(d.grille().cell(1, 1), 'N');
    QCOMPARE(d.grille().NbColonnes, 13);
    QCOMPARE(d.grille().DefHoriz[0], QByteArray("Petit mot"));

    // The difference of two grids holds only what differs, so a step costs
    // what it changed.
    Grille after = d.grille();
    after.cell(5, 5) = '#';
    after.DefVert[2] = "Trois";
    const GridChange diff = gridDifference(d.grille(), after, QStringLiteral("x"));
    QCOMPARE(int(diff.cells.size()), 1);
    QCOMPARE(int(diff.clues.size()), 1);
    QVERIFY(!diff.dimensions);
}

void DocumentTest::aChangeThatChangesNothingIsNoStep() {
    Started s;
    Document& d = s.doc;
    type(d, 'a', 1, 1);
    d.markSaved();
    // Retyping the same letter leaves the grid as saved.
    type(d, 'a', 1, 1);
    QCOMPARE(d.undoCount(), 1);
    QVERIFY(!d.isModified());
    QVERIFY(!d.applyGridChange(GridChange(QStringLiteral("rien")).setDimensions(8, 8)));
    QVERIFY(!d.applyGridChange(gridDifference(d.grille(), d.grille(), QStringLiteral("rien"))));
    // Edits outside the cell array are dropped, never written.
    QVERIFY(!d.applyGridChange(GridChange(QStringLiteral("hors")).setCell(23, 1, 'A')));
    QVERIFY(!d.applyGridChange(GridChange(QStringLiteral("hors")).setClue(true, 23, "x")));
    QCOMPARE(d.undoCount(), 1);
    QVERIFY(!d.isModified());
}

void DocumentTest::historyKeepsTheLatestThousandSteps() {
    Started s;
    Document& d = s.doc;
    const int total = Document::kMaxUndoSteps + 200;
    for (int i = 0; i < total; ++i)
        type(d, char('A' + i % 26), 1 + i % 7, 1 + (i / 7) % 7);
    QCOMPARE(d.undoCount(), Document::kMaxUndoSteps);
    QVERIFY(Document::kMaxUndoSteps >= 1000);
    // Undoing every kept step gives the grid as it stood after the 200 dropped ones.
    Document replay;
    replay.start();
    for (int i = 0; i < total - Document::kMaxUndoSteps; ++i)
        type(replay, char('A' + i % 26), 1 + i % 7, 1 + (i / 7) % 7);
    while (d.undo()) {
    }
    QVERIFY(d.grille().Cases == replay.grille().Cases);
    QCOMPARE(d.redoCount(), Document::kMaxUndoSteps);
    // The start is out of reach: the grid stays modified.
    QVERIFY(d.isModified());
    while (d.redo()) {
    }
    QCOMPARE(d.undoCount(), Document::kMaxUndoSteps);
}

void DocumentTest::wordsStayUnsavedWhateverTheGridDoes() {
    Started s;
    Document& d = s.doc;
    type(d, 'a', 1, 1);
    QVERIFY(d.dictionary().addWord("ABRI"));
    d.undo();
    // The grid is back as it started, but the new word is still unsaved.
    QVERIFY(d.isModified());
    QVERIFY(d.asksSaveQuestion());
    QVERIFY(d.writesDictionaryAtExit());
    d.redo();
    d.markSaved();
    // A grid save answers the question; the word is still written at exit.
    QVERIFY(!d.isModified());
    QVERIFY(d.dictionary().isModified());
    QVERIFY(d.writesDictionaryAtExit());
    d.undo();
    QVERIFY(d.isModified());
    d.redo();
    QVERIFY(!d.isModified());
}

void DocumentTest::whatIsWrittenAtExit_data() {
    QTest::addColumn<bool>("gridEdit");
    QTest::addColumn<bool>("words");
    QTest::addColumn<bool>("definitions");
    QTest::addColumn<bool>("dictionary");
    QTest::addColumn<bool>("definitionsFile");
    // Where the files go (themselves, or a side file when they could not be
    // read at start) is the data files' own decision.
    QTest::newRow("nothing changed") << false << false << false << false << false;
    QTest::newRow("a grid edit") << true << false << false << true << false;
    QTest::newRow("a word") << false << true << false << true << false;
    QTest::newRow("a definition") << false << false << true << false << true;
}

void DocumentTest::whatIsWrittenAtExit() {
    QFETCH(bool, gridEdit);
    QFETCH(bool, words);
    QFETCH(bool, definitions);
    QFETCH(bool, dictionary);
    QFETCH(bool, definitionsFile);
    Started s;
    Document& d = s.doc;
    if (gridEdit)
        type(d, 'a', 1, 1);
    if (words)
        QVERIFY(d.dictionary().addWord("ABRI"));
    if (definitions)
        d.setDefinitions({"ABRI\tRefuge"}, true);
    QCOMPARE(d.writesDictionaryAtExit(), dictionary);
    QCOMPARE(d.writesDefinitionsAtExit(), definitionsFile);
}

void DocumentTest::newAndOpenClearTheHistorySaveKeepsIt() {
    Started s;
    Document& d = s.doc;
    type(d, 'a', 1, 1);
    type(d, 'b', 2, 1);
    d.setFileName(QDir::current().filePath(QStringLiteral("essai.grd")));
    d.save();
    QCOMPARE(d.shortName(), QStringLiteral("essai.grd"));
    QVERIFY(!d.isModified());
    QCOMPARE(d.undoCount(), 2);
    const QByteArray saved = readWholeFile(QStringLiteral("essai.grd"));

    // Typed, undone back to the saved state, saved again: the same file.
    type(d, 'c', 3, 1);
    type(d, ' ', 4, 1);
    d.undo();
    d.undo();
    d.save();
    QCOMPARE(readWholeFile(QStringLiteral("essai.grd")), saved);

    d.newGrid();
    QVERIFY(!d.canUndo());
    QVERIFY(!d.canRedo());
    QVERIFY(!d.isModified());
    QVERIFY(d.fileName().isEmpty());
    QCOMPARE(d.grille().cell(1, 1), ' ');

    type(d, 'z', 5, 5);
    d.open(QDir::current().filePath(QStringLiteral("essai.grd")));
    QVERIFY(!d.canUndo());
    QVERIFY(!d.isModified());
    QCOMPARE(d.grille().cell(2, 1), 'B');
    QCOMPARE(d.grille().cell(5, 5), ' ');
    QCOMPARE(d.shortName(), QStringLiteral("essai.grd"));
}

void DocumentTest::aRefusedFileChangesNothing() {
    Started s;
    Document& d = s.doc;
    type(d, 'a', 1, 1);
    writeWholeFile(QStringLiteral("faux.grd"), "pas une grille\r\n");
    QVERIFY_THROWS_EXCEPTION(OrvError, d.open(QDir::current().filePath("faux.grd")));
    QCOMPARE(d.grille().cell(1, 1), 'A');
    QVERIFY(d.isModified());
    QCOMPARE(d.undoCount(), 1);
    // A save that cannot be written leaves the grid unsaved.
    QVERIFY(QDir().mkdir(QStringLiteral("dossier.grd")));
    d.setFileName(QDir::current().filePath(QStringLiteral("dossier.grd")));
    QVERIFY_THROWS_EXCEPTION(OrvError, d.save());
    QVERIFY(d.isModified());
}

void DocumentTest::signalsTellTheWindowWhatToRedraw() {
    Started s;
    Document& d = s.doc;
    QSignalSpy grid(&d, &Document::gridChanged);
    QSignalSpy history(&d, &Document::historyChanged);
    type(d, 'a', 1, 1);
    d.applyGridChange(GridChange(QStringLiteral("taille")).setDimensions(10, 10));
    d.undo();
    QCOMPARE(grid.size(), 3);
    QCOMPARE(grid.at(0).at(0).toBool(), false);
    QCOMPARE(grid.at(1).at(0).toBool(), true);
    QCOMPARE(grid.at(2).at(0).toBool(), true);
    QCOMPARE(history.size(), 3);
    // Nothing changed, nothing to redraw.
    type(d, 'a', 1, 1);
    QCOMPARE(grid.size(), 3);
}

namespace {

void writeDictionary(const QString& path, const QList<QByteArray>& plain, const QByteArray& tail,
                     int secondsAhead) {
    QByteArray bytes;
    for (const QByteArray& w : plain)
        bytes += Crypte(w) + "\r\n";
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes + tail);
    // A distinct time of change, whatever the file system's precision.
    QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(secondsAhead),
                          QFileDevice::FileModificationTime));
}

QList<QByteArray> plainWords(const Document& doc) {
    QList<QByteArray> out;
    for (const QByteArray& e : doc.dictionary().words().entries())
        out.append(Decrypte(e));
    return out;
}

QString loadError(Document& doc) {
    try {
        doc.dictionary().load();
    } catch (const OrvError& e) {
        return e.message();
    }
    return {};
}

} // namespace

void DocumentTest::dictionaryReadAheadIsTakenOnlyWhileTheFileIsUnchanged() {
    const QString file = QStringLiteral("Dicogrd.dat");
    // Read ahead and taken: the same list, the lines after a NUL noted.
    writeDictionary(file, {"ABRI", "CHAT"}, QByteArray("\0\r\nXX\r\n", 7), 10);
    {
        Document doc;
        doc.dictionary().prefetch();
        QCOMPARE(loadError(doc), QString());
        QCOMPARE(plainWords(doc), (QList<QByteArray>{"ABRI", "CHAT"}));
        QCOMPARE(doc.dictionary().file().dropped(), 2);
        QVERIFY(doc.dictionary().words().contains(Crypte("CHAT")));
    }
    // The file changed after the reading began (same size): the new one is read.
    {
        Document doc;
        doc.dictionary().prefetch();
        writeDictionary(file, {"ABRA", "CHOU"}, {}, 20);
        QCOMPARE(loadError(doc), QString());
        QCOMPARE(plainWords(doc), (QList<QByteArray>{"ABRA", "CHOU"}));
        QCOMPARE(doc.dictionary().file().dropped(), 0);
    }
    // Missing when read ahead, there at the load.
    QVERIFY(QFile::remove(file));
    {
        Document doc;
        doc.dictionary().prefetch();
        writeDictionary(file, {"ZOO"}, {}, 30);
        QCOMPARE(loadError(doc), QString());
        QCOMPARE(plainWords(doc), (QList<QByteArray>{"ZOO"}));
    }
    // Missing all along: the load's own message, and the file may be created at exit.
    QVERIFY(QFile::remove(file));
    {
        Document doc;
        doc.dictionary().prefetch();
        QCOMPARE(loadError(doc), QStringLiteral("Ne peut ouvrir le fichier Dicogrd.dat"));
        QVERIFY(doc.dictionary().file().mayReplace());
        QVERIFY(doc.dictionary().words().isEmpty());
    }
    // A FIFO is refused at once and never replaced.
    QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    {
        Document doc;
        doc.dictionary().prefetch();
        QCOMPARE(loadError(doc), QStringLiteral("Ne peut ouvrir le fichier Dicogrd.dat"));
        QVERIFY(doc.dictionary().file().unreadable());
    }
    QVERIFY(QFile::remove(file));
    // The working folder changed in between: the file of the new one is read.
    writeDictionary(file, {"ICI"}, {}, 40);
    QTemporaryDir other;
    {
        Document doc;
        doc.dictionary().prefetch();
        QVERIFY(QDir::setCurrent(other.path()));
        writeDictionary(file, {"AILLEURS"}, {}, 50);
        QCOMPARE(loadError(doc), QString());
        QCOMPARE(plainWords(doc), (QList<QByteArray>{"AILLEURS"}));
    }
}

QTEST_GUILESS_MAIN(DocumentTest)
#include "document_test.moc"
