// The one document of a run: the grid with its history of changes, the
// dictionary, the definitions and their change flags, and the decisions of the
// document commands (the save question, what is written at exit, new, open,
// save). Every change of cells, dimensions or clues goes through
// applyGridChange, which records it as one undo step; "modified" is the
// current revision compared with the one last saved or opened.
#pragma once

#include "common/data_file.h"
#include "dictionary/scored_word_index.h"
#include "dictionary/word_list.h"
#include "dictionary/word_prefetch.h"
#include "dictionary/word_scores.h"
#include "grid/grid_model.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <deque>
#include <optional>
#include <vector>

namespace orv {

struct CellEdit {
    int col = 0;
    int row = 0;
    char before = ' ';
    char after = ' ';
};

struct ClueEdit {
    bool horizontal = true; // DefHoriz, else DefVert
    int index = 0;          // 0 .. 22
    QByteArray before;
    QByteArray after;
};

struct DimensionsEdit {
    int lignesBefore = 0;
    int colonnesBefore = 0;
    int lignesAfter = 0;
    int colonnesAfter = 0;
};

// One change of the grid as data: the values it writes, in order, and (once
// applied) the values they replaced, so that a step costs memory in proportion
// to what it changed. The description names it in the undo hints, e.g.
// "la saisie de la lettre A en C4".
struct GridChange {
    QString description;
    std::vector<CellEdit> cells;
    std::optional<DimensionsEdit> dimensions;
    std::vector<ClueEdit> clues;

    explicit GridChange(QString text = {}) : description(std::move(text)) {}
    // The new values; the document notes the old ones when it applies the change.
    GridChange& setCell(int col, int row, char code);
    GridChange& setDimensions(int nbLignes, int nbColonnes);
    GridChange& setClue(bool horizontal, int index, const QByteArray& text);
    bool isEmpty() const { return cells.empty() && !dimensions && clues.empty(); }
};

// Everything that differs from `before` to `after` (cells, dimensions, clues),
// as one change: work on a copy of the grid, then hand the difference over.
GridChange gridDifference(const Grille& before, const Grille& after, const QString& description);

// A cell as the program names it: column letter and row number ("C4").
QString cellName(int col, int row);

class Document : public QObject {
    Q_OBJECT
public:
    // Steps kept for undo; the oldest is dropped beyond.
    static constexpr int kMaxUndoSteps = 1000;

    enum class Answer { Yes, No, Cancel };
    enum class AfterQuestion { Continue, SaveThenContinue, Stop };
    enum class SaveOutcome { Saved, Cancelled, Failed };

    explicit Document(QObject* parent = nullptr);

    const Grille& grille() const { return grille_; }

    // --- The one change path of the grid ---
    // Applies the change and records it as one undo step (edits that change
    // nothing are dropped). Returns false, recording nothing, when nothing changed.
    bool applyGridChange(GridChange change);
    // A key typed on a playing cell, under the cell rules (the key is
    // upper-cased in place); Delete through keyDownOnCell. True when a cell was written.
    bool typeOnCell(char& key, int col, int row);
    bool keyDownOnCell(int virtualKey, int col, int row);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // The description of the step that undo or redo would take back or do again.
    QString undoDescription() const;
    QString redoDescription() const;
    bool undo();
    bool redo();
    int undoCount() const { return int(undo_.size()); }
    int redoCount() const { return int(redo_.size()); }

    // --- Unsaved changes ---
    // Grille::Modifie: the grid differs from what was last saved or opened,
    // or the dictionary changed since then (the save question covers both).
    bool isModified() const { return grille_.Modifie; }
    // The save question is asked exactly while the document is modified.
    bool asksSaveQuestion() const { return isModified(); }
    static AfterQuestion afterSaveQuestion(Answer answer);
    // A save that failed stops the command, so the changes are not thrown away.
    static bool goesOnAfterSave(SaveOutcome outcome) { return outcome != SaveOutcome::Failed; }
    // What closing the program writes: the dictionary when the document is
    // modified or words changed during the run (even before a grid save), the
    // definitions when they changed. Where they go is the data file's decision.
    bool writesDictionaryAtExit() const;
    bool writesDefinitionsAtExit() const;

    // --- Document commands ---
    // The start of a run: an empty 8 by 8 grid (7 by 7 playing cells), no
    // history, every change flag clear.
    void start();
    // A new grid: cells cleared, no file name, no history; dimensions and clues stay.
    void newGrid();
    // Reads and checks a grid file (or an ipuz file, which comes in unnamed)
    // whole, then puts it in place with its name and no history; the current
    // grid is untouched when the file is refused (throws).
    void open(const QString& path);
    // The file the grid is saved to (NomFichier, NomCourt); an empty path clears both.
    void setFileName(const QString& path);
    // Writes the grid to NomFichier (replaced atomically) and marks it saved;
    // throws and changes nothing when the file cannot be written.
    void save();
    // The current revision becomes the saved one; the history stays.
    void markSaved();

    // --- The dictionary and the definitions ---
    WordList ListeMots;
    QList<QByteArray> ListeDefs;
    // The dictionary changed during the run: written at exit even when a grid
    // save has cleared Modifie since.
    bool MotsModifies = false;
    bool DefsModifiees = false;
    // The two data files: never overwritten when they could not be read or
    // when another instance holds the folder (what changed then goes to a
    // side file), kept as read before a rewrite that would drop lines.
    DataFile FichierMots{QStringLiteral("Dicogrd.dat")};
    DataFile FichierDefs{QStringLiteral("Dicodef.dat")};
    // A word added, deleted or imported: Modifie until the next save, and the
    // dictionary's own flag until the file is written.
    void noteWordsChanged();
    // Differs after every change of ListeMots (load, check, addition,
    // deletion, import, sort, or any other edit of the list itself), so that
    // what is derived from the words (the pattern index) knows when to follow.
    // Compare it for equality only: the list's own revision counts its edits,
    // the document's counter covers a list replaced as a whole.
    quint64 wordsRevision() const {
        return wordsRevision_ * 0x9E3779B97F4A7C15ull + ListeMots.revision();
    }
    void noteDefinitionsChanged() { DefsModifiees = true; }
    // The words' scores: the shipped table under the user's own, kept in
    // "Dicoscore.dat" and written whenever one changed; and the vocabulary
    // that automatic filling draws from (kept between runs in the settings).
    WordScores Scores;
    DataFile FichierScores{QStringLiteral("Dicoscore.dat")};
    Vocabulary FillVocabulary = Vocabulary::Common;
    // « Chercher plus de mots courants »: the common-words fill searches
    // longer for fills with fewer unknown words.
    bool FillThorough = false;
    void loadScores();
    // The pattern index of the words with their scores, shared by the fill,
    // the grid maker and the help while building; wordIndex() brings it up to
    // date first (see ScoredWordIndex: hold it while a worker thread reads it).
    ScoredWordIndex WordsIndex;
    const WordIndex& wordIndex() { return WordsIndex.upToDate(ListeMots, wordsRevision(), Scores); }
    // Writes "Dicoscore.dat" (or a side file, as for the words) when a score
    // changed since it was read or written; returns what the user must be
    // told of a side file, or "".
    QString writeScores(const QDateTime& now);
    // Data files of the working folder, "Dicogrd.dat" and "Dicodef.dat".
    // prefetchDictionary starts reading the dictionary's file on another
    // thread; loadDictionary takes what it read when the file has not
    // changed since, and reads the file itself otherwise.
    void prefetchDictionary();
    void loadDictionary();
    void loadDefinitions();
    // Each writes its file (or, when the file may not be replaced, a side file
    // beside it) and returns what the user must be told of a side file, or "".
    QString writeDictionary(const QDateTime& now);
    QString writeDefinitions(const QDateTime& now);
    // The dictionary's start-up check; what it drops counts as dropped lines.
    void checkDictionary();
    // What the load had to leave out of the data files, for the status bar; "" when nothing.
    QString droppedLinesStatus() const;

Q_SIGNALS:
    // The grid's content changed (any path); `dimensions` when its size did.
    void gridChanged(bool dimensions);
    // Undo or redo became possible or not, or their descriptions changed.
    void historyChanged();

private:
    struct Step {
        GridChange change;
        quint64 before = 0; // revision before the step
        quint64 after = 0;  // revision after it
    };
    void applyForward(GridChange& change);
    void applyBackward(const GridChange& change);
    void clearHistory();
    void updateModified();
    void notify(bool dimensions);

    Grille grille_;
    std::deque<Step> undo_;
    std::vector<Step> redo_;
    quint64 lastRevision_ = 0;
    quint64 current_ = 0;
    quint64 saved_ = 0;
    // Words changed since the grid was last saved, opened or created.
    bool wordsSinceSave_ = false;
    quint64 wordsRevision_ = 0;
    WordFilePrefetch prefetch_;
};

} // namespace orv
