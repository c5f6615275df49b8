// The one document of a run: the grid with its file name and its history of
// changes, the dictionary, the definitions and their change flags, and the
// decisions of the document commands (the save question, what is written at
// exit, new, open, save). Every change of cells, dimensions or clues goes through
// applyGridChange, which records it as one undo step; "modified" is the
// current revision compared with the one last saved or opened.
#pragma once

#include "common/data_file.h"
#include "definitions/clue_base.h"
#include "dictionary/word_scores.h"
#include "document/dictionary.h"
#include "grid/grid_change.h"
#include "grid/grid_model.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace orv {

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

    // « Symétrie des cases noires »: a black square typed or erased by hand
    // also sets or clears the cell facing it by central symmetry, in the same
    // undo step.
    bool blackSquareSymmetry() const { return blackSquareSymmetry_; }
    void setBlackSquareSymmetry(bool on) { blackSquareSymmetry_ = on; }
    // How the rows, columns and cells are named in the descriptions of the
    // changes and wherever the windows label them.
    LabelStyle labelStyle() const { return labelStyle_; }
    void setLabelStyle(LabelStyle style);

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
    // Modifie: the grid differs from what was last saved or opened, or the
    // dictionary changed since then (the save question covers both).
    bool isModified() const { return modified_; }
    // The save question is asked exactly while the document is modified.
    bool asksSaveQuestion() const { return isModified(); }
    // Windows holding an edit not yet written into the grid (a clue being
    // typed) write it now: called before a save, the save question, a print
    // or an export, so that what the user typed is in what is kept.
    void gatherPendingEdits() { Q_EMIT pendingEditsWanted(); }
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
    // throws and changes nothing when the file cannot be written. The grid's
    // clues then go into the clue base (unless the run is read-only); a base
    // that refuses them leaves the grid saved and says so in clueBaseProblem().
    void save();
    // The current revision becomes the saved one; the history stays.
    void markSaved();

    // The grid's file (NomFichier) and its short name (NomCourt), "" before a save.
    const QString& fileName() const { return NomFichier; }
    const QString& shortName() const { return NomCourt; }

    // --- The dictionary ---
    Dictionary& dictionary() { return dictionary_; }
    const Dictionary& dictionary() const { return dictionary_; }
    // The vocabulary that automatic filling draws from, and « Chercher plus
    // de mots courants » (kept between runs in the settings).
    Vocabulary FillVocabulary = Vocabulary::Common;
    bool FillThorough = false;

    // --- The definitions (ListeDefs), "Dicodef.dat" ---
    const QList<QByteArray>& definitions() const { return ListeDefs; }
    // The list as the definitions editor hands it back; `changed` raises DefsModifiees.
    void setDefinitions(QList<QByteArray> definitions, bool changed);
    bool definitionsModified() const { return DefsModifiees; }
    const DataFile& definitionsFile() const { return definitionsFile_; }
    void loadDefinitions();
    // Writes the file (or, when it may not be replaced, a side file beside it)
    // and returns what the user must be told of a side file, or "".
    QString writeDefinitions(const QDateTime& now);

    // --- Both data files ---
    // Another instance holds the folder: neither file is replaced.
    void setReadOnly(bool readOnly);
    // What the load had to leave out of the data files, for the status bar; "" when nothing.
    QString droppedLinesStatus() const;

    // --- The clue base ("Indices.sqlite") ---
    // Opens the base at `path` (the working folder's in a run; none until
    // this is called), taking in the definitions the first time. A base that
    // fails leaves the run without one and problem in clueBaseProblem().
    void useClueBase(const QString& path, const QDateTime& now);
    // The open base, or nullptr.
    ClueBase* clueBase() { return clueBase_.isOpen() ? &clueBase_ : nullptr; }
    // What the user must be told of the base (it was set aside, a save could
    // not add the clues), once; "" when nothing.
    QString takeClueBaseProblem() { return std::exchange(clueBaseProblem_, QString()); }

Q_SIGNALS:
    // The grid's content changed (any path); `dimensions` when its size did.
    void gridChanged(bool dimensions);
    // Undo or redo became possible or not, or their descriptions changed.
    void historyChanged();
    // The rows and columns are labelled another way.
    void labelStyleChanged();
    // See gatherPendingEdits().
    void pendingEditsWanted();

private:
    struct Step {
        GridChange change;
        quint64 before = 0; // revision before the step
        quint64 after = 0;  // revision after it
    };
    void clearHistory();
    void updateModified();
    void notify(bool dimensions);
    // The typed cell's change, with its mirror's when the symmetry asks for it.
    GridChange cellChange(int col, int row, char code) const;

    Grille grille_;
    QString NomFichier;
    QString NomCourt;
    bool modified_ = false;
    Dictionary dictionary_;
    QList<QByteArray> ListeDefs;
    bool DefsModifiees = false;
    DataFile definitionsFile_{QStringLiteral("Dicodef.dat")};
    ClueBase clueBase_;
    QString clueBasePath_;
    QString clueBaseProblem_;
    bool readOnly_ = false;
    std::deque<Step> undo_;
    std::vector<Step> redo_;
    quint64 lastRevision_ = 0;
    quint64 current_ = 0;
    quint64 saved_ = 0;
    // Words changed since the grid was last saved, opened or created.
    bool wordsSinceSave_ = false;
    bool blackSquareSymmetry_ = false;
    LabelStyle labelStyle_ = LabelStyle::Letters;
};

} // namespace orv
