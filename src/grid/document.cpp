// The document's change path, its history and its decisions.
#include "grid/document.h"

#include "common/keys.h"
#include "common/text_file.h"
#include "definitions/definitions_sort.h"
#include "dictionary/dictionary_rules.h"
#include "grid/grid_file.h"
#include "publish/grid_source.h"

#include <QStringList>
#include <utility>

namespace orv {
namespace {

bool inCellArray(int col, int row) {
    return col >= 0 && row >= 0 && col <= kMaxIndex && row <= kMaxIndex;
}

QByteArray& clueSlot(Grille& g, bool horizontal, int index) {
    return horizontal ? g.DefHoriz[std::size_t(index)] : g.DefVert[std::size_t(index)];
}

} // namespace

GridChange& GridChange::setCell(int col, int row, char code) {
    cells.push_back({col, row, ' ', code});
    return *this;
}

GridChange& GridChange::setDimensions(int nbLignes, int nbColonnes) {
    dimensions = DimensionsEdit{0, 0, nbLignes, nbColonnes};
    return *this;
}

GridChange& GridChange::setClue(bool horizontal, int index, const QByteArray& text) {
    clues.push_back({horizontal, index, {}, text});
    return *this;
}

GridChange gridDifference(const Grille& before, const Grille& after, const QString& description) {
    GridChange change(description);
    for (int c = 0; c <= kMaxIndex; ++c)
        for (int r = 0; r <= kMaxIndex; ++r)
            if (before.cell(c, r) != after.cell(c, r))
                change.setCell(c, r, after.cell(c, r));
    if (before.NbLignes != after.NbLignes || before.NbColonnes != after.NbColonnes)
        change.setDimensions(after.NbLignes, after.NbColonnes);
    for (int k = 0; k < kCellSide; ++k) {
        const auto i = std::size_t(k);
        if (before.DefHoriz[i] != after.DefHoriz[i])
            change.setClue(true, k, after.DefHoriz[i]);
        if (before.DefVert[i] != after.DefVert[i])
            change.setClue(false, k, after.DefVert[i]);
    }
    return change;
}

QString cellName(int col, int row) { return QString(QChar(u'A' + col - 1)) + QString::number(row); }

Document::Document(QObject* parent) : QObject(parent) {}

// ---------------------------------------------------------------- change path

void Document::applyForward(GridChange& change) {
    // The old values are noted in order as each edit is written, so that a
    // change writing the same cell twice still undoes to where it started.
    std::vector<CellEdit> cells;
    cells.reserve(change.cells.size());
    for (CellEdit e : change.cells) {
        if (!inCellArray(e.col, e.row))
            continue;
        e.before = grille_.cell(e.col, e.row);
        if (e.before == e.after)
            continue;
        grille_.cell(e.col, e.row) = e.after;
        cells.push_back(e);
    }
    change.cells = std::move(cells);
    if (change.dimensions) {
        DimensionsEdit& d = *change.dimensions;
        d.lignesBefore = grille_.NbLignes;
        d.colonnesBefore = grille_.NbColonnes;
        if (d.lignesBefore == d.lignesAfter && d.colonnesBefore == d.colonnesAfter) {
            change.dimensions.reset();
        } else {
            grille_.NbLignes = d.lignesAfter;
            grille_.NbColonnes = d.colonnesAfter;
        }
    }
    std::vector<ClueEdit> clues;
    for (ClueEdit& e : change.clues) {
        if (e.index < 0 || e.index >= kCellSide)
            continue;
        QByteArray& slot = clueSlot(grille_, e.horizontal, e.index);
        if (slot == e.after)
            continue;
        e.before = slot;
        slot = e.after;
        clues.push_back(std::move(e));
    }
    change.clues = std::move(clues);
}

void Document::applyBackward(const GridChange& change) {
    for (auto e = change.clues.rbegin(); e != change.clues.rend(); ++e)
        clueSlot(grille_, e->horizontal, e->index) = e->before;
    if (change.dimensions) {
        grille_.NbLignes = change.dimensions->lignesBefore;
        grille_.NbColonnes = change.dimensions->colonnesBefore;
    }
    for (auto e = change.cells.rbegin(); e != change.cells.rend(); ++e)
        grille_.cell(e->col, e->row) = e->before;
}

bool Document::applyGridChange(GridChange change) {
    applyForward(change);
    if (change.isEmpty())
        return false;
    const bool dimensions = change.dimensions.has_value();
    Step step{std::move(change), current_, ++lastRevision_};
    current_ = step.after;
    undo_.push_back(std::move(step));
    if (int(undo_.size()) > kMaxUndoSteps)
        undo_.pop_front();
    redo_.clear();
    updateModified();
    notify(dimensions);
    return true;
}

bool Document::typeOnCell(char& key, int col, int row) {
    char code;
    if (!cellCodeForKey(key, code))
        return false;
    QString what;
    if (code == '#')
        what = QStringLiteral("la case noire en ") + cellName(col, row);
    else if (code == ' ')
        what = QStringLiteral("l'effacement de la case ") + cellName(col, row);
    else
        what = QStringLiteral("la saisie de la lettre ") + QChar(QLatin1Char(code)) +
               QStringLiteral(" en ") + cellName(col, row);
    applyGridChange(GridChange(what).setCell(col, row, code));
    return true;
}

bool Document::keyDownOnCell(int virtualKey, int col, int row) {
    if (virtualKey != vk::Delete)
        return false;
    applyGridChange(GridChange(QStringLiteral("l'effacement de la case ") + cellName(col, row))
                        .setCell(col, row, ' '));
    return true;
}

QString Document::undoDescription() const {
    return undo_.empty() ? QString() : undo_.back().change.description;
}

QString Document::redoDescription() const {
    return redo_.empty() ? QString() : redo_.back().change.description;
}

bool Document::undo() {
    if (undo_.empty())
        return false;
    Step step = std::move(undo_.back());
    undo_.pop_back();
    applyBackward(step.change);
    current_ = step.before;
    const bool dimensions = step.change.dimensions.has_value();
    redo_.push_back(std::move(step));
    updateModified();
    notify(dimensions);
    return true;
}

bool Document::redo() {
    if (redo_.empty())
        return false;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    // Written again as recorded: the grid stands where the step first found it.
    for (const CellEdit& e : step.change.cells)
        grille_.cell(e.col, e.row) = e.after;
    if (step.change.dimensions) {
        grille_.NbLignes = step.change.dimensions->lignesAfter;
        grille_.NbColonnes = step.change.dimensions->colonnesAfter;
    }
    for (const ClueEdit& e : step.change.clues)
        clueSlot(grille_, e.horizontal, e.index) = e.after;
    current_ = step.after;
    const bool dimensions = step.change.dimensions.has_value();
    undo_.push_back(std::move(step));
    updateModified();
    notify(dimensions);
    return true;
}

void Document::clearHistory() {
    undo_.clear();
    redo_.clear();
    current_ = ++lastRevision_;
    saved_ = current_;
    wordsSinceSave_ = false;
}

void Document::updateModified() { grille_.Modifie = current_ != saved_ || wordsSinceSave_; }

void Document::notify(bool dimensions) {
    Q_EMIT gridChanged(dimensions);
    Q_EMIT historyChanged();
}

// ---------------------------------------------------------------- decisions

Document::AfterQuestion Document::afterSaveQuestion(Answer answer) {
    switch (answer) {
    case Answer::Yes:
        return AfterQuestion::SaveThenContinue;
    case Answer::No:
        return AfterQuestion::Continue;
    case Answer::Cancel:
        break;
    }
    return AfterQuestion::Stop;
}

bool Document::writesDictionaryAtExit() const { return isModified() || MotsModifies; }

bool Document::writesDefinitionsAtExit() const { return DefsModifiees; }

// ---------------------------------------------------------------- commands

void Document::start() {
    grille_.NbLignes = 8;
    grille_.NbColonnes = 8;
    grille_.Raz();
    clearHistory();
    MotsModifies = false;
    DefsModifiees = false;
    updateModified();
    notify(true);
}

void Document::newGrid() {
    grille_.Raz();
    grille_.NomFichier.clear();
    grille_.NomCourt.clear();
    clearHistory();
    updateModified();
    notify(false);
}

void Document::open(const QString& path) {
    grille_ = openGridFile(path, grille_);
    clearHistory();
    updateModified();
    notify(true);
}

void Document::setFileName(const QString& path) {
    grille_.NomFichier = path;
    grille_.NomCourt = path.isEmpty() ? QString() : gridShortName(path);
}

void Document::save() {
    writeGridFile(grille_.NomFichier, grille_);
    markSaved();
}

void Document::markSaved() {
    saved_ = current_;
    wordsSinceSave_ = false;
    updateModified();
}

// ---------------------------------------------------------------- data files

void Document::noteWordsChanged() {
    ++wordsRevision_;
    MotsModifies = true;
    wordsSinceSave_ = true;
    updateModified();
}

void Document::prefetchDictionary() { prefetch_.start(FichierMots.name()); }

void Document::loadDictionary() {
    ++wordsRevision_;
    ListeMots.clear();
    std::optional<WordFilePrefetch::Result> early;
    const QByteArray data = FichierMots.read([this, &early]() -> std::optional<QByteArray> {
        early = prefetch_.take(FichierMots.name());
        return early ? std::optional<QByteArray>(early->data) : std::nullopt;
    });
    if (early) {
        ListeMots = std::move(early->words);
        FichierMots.noteDropped(early->afterNul);
        return;
    }
    if (ListeMots.parse(data) < data.size())
        FichierMots.noteDropped(linesAfterNul(data));
}

void Document::loadScores() {
    Scores.user().loadBytes({});
    try {
        Scores.user().loadBytes(FichierScores.read());
    } catch (...) {
        // A missing file is no scores yet.
        if (FichierScores.unreadable())
            throw;
    }
}

QString Document::writeScores(const QDateTime& now) {
    if (!Scores.user().modified())
        return {};
    const QString side = FichierScores.write(Scores.user().fileBytes(), now, true);
    Scores.user().markSaved();
    return side.isEmpty() ? QString() : scoresKeptBesideMessage(FichierScores, side);
}

void Document::checkDictionary() {
    ++wordsRevision_;
    FichierMots.noteDropped(Verifie(ListeMots));
}

QString Document::writeDictionary(const QDateTime& now) {
    const QString side =
        FichierMots.write(ListeMots.fileBytes(), now, MotsModifies && ListeMots.count() > 0);
    MotsModifies = false;
    return side.isEmpty() ? QString() : dictionaryKeptBesideMessage(FichierMots, side);
}

void Document::loadDefinitions() {
    ListeDefs.clear();
    const QByteArray data = FichierDefs.read();
    ListeDefs = splitTextLines(data);
    FichierDefs.noteDropped(linesAfterNul(data));
}

QString Document::writeDefinitions(const QDateTime& now) {
    const QString side =
        FichierDefs.write(joinTextLines(ListeDefs), now, DefsModifiees && !ListeDefs.isEmpty());
    DefsModifiees = false;
    return side.isEmpty() ? QString() : definitionsKeptBesideMessage(FichierDefs, side);
}

QString Document::droppedLinesStatus() const {
    QStringList dropped;
    for (const DataFile* file : {&FichierMots, &FichierDefs})
        if (file->dropped() > 0)
            dropped.append(droppedLinesMessage(*file));
    return dropped.join(QStringLiteral(" ; "));
}

} // namespace orv
