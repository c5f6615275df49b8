// The document's change path, its history and its decisions.
#include "document/document.h"

#include "common/errors.h"
#include "common/keys.h"
#include "common/text_file.h"
#include "definitions/definitions_sort.h"
#include "dictionary/dictionary_rules.h"
#include "grid/grid_file.h"
#include "publish/grid_source.h"

#include <QStringList>
#include <utility>

namespace orv {
Document::Document(QObject* parent) : QObject(parent) {
    dictionary_.onWordsChanged([this] {
        wordsSinceSave_ = true;
        updateModified();
    });
}

// ---------------------------------------------------------------- change path

bool Document::applyGridChange(GridChange change) {
    applyForward(grille_, change);
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
    applyGridChange(cellChange(col, row, code));
    return true;
}

bool Document::keyDownOnCell(int virtualKey, int col, int row) {
    if (virtualKey != vk::Delete)
        return false;
    applyGridChange(cellChange(col, row, ' '));
    return true;
}

GridChange Document::cellChange(int col, int row, char code) const {
    const QString name = cellName({col, row}, labelStyle_);
    QString what;
    if (code == '#')
        what = QStringLiteral("la case noire en ") + name;
    else if (code == ' ')
        what = QStringLiteral("l'effacement de la case ") + name;
    else
        what = QStringLiteral("la saisie de la lettre ") + QChar(QLatin1Char(code)) +
               QStringLiteral(" en ") + name;
    GridChange change(what);
    change.setCell(col, row, code);
    if (!blackSquareSymmetry_)
        return change;
    // The symmetry answers a black square made or taken away; the facing
    // cell loses a black square only, never a letter.
    const Cell mirror = mirrorCell({col, row}, grille_.playingRows(), grille_.playingCols());
    const bool wasBlack = grille_.cell(col, row) == '#';
    if (mirror == Cell{col, row} || !grille_.isPlayingCell(mirror.col, mirror.row))
        return change;
    const char facing = grille_.cell(mirror);
    const QString mirrorName = cellName(mirror, labelStyle_);
    if (code == '#' && facing != '#') {
        change.setCell(mirror.col, mirror.row, '#');
        change.description += QStringLiteral(" et sa symétrique en ") + mirrorName;
    } else if (code != '#' && wasBlack && facing == '#') {
        change.setCell(mirror.col, mirror.row, ' ');
        change.description += QStringLiteral(" et l'effacement de la case noire ") + mirrorName;
    }
    return change;
}

void Document::setLabelStyle(LabelStyle style) {
    if (style == labelStyle_)
        return;
    labelStyle_ = style;
    Q_EMIT labelStyleChanged();
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
    applyBackward(grille_, step.change);
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
    applyAgain(grille_, step.change);
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

void Document::updateModified() { modified_ = current_ != saved_ || wordsSinceSave_; }

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

bool Document::writesDictionaryAtExit() const { return isModified() || dictionary_.isModified(); }

bool Document::writesDefinitionsAtExit() const { return DefsModifiees; }

// ---------------------------------------------------------------- commands

void Document::start() {
    grille_.NbLignes = 8;
    grille_.NbColonnes = 8;
    grille_.Raz();
    clearHistory();
    dictionary_.markUnmodified();
    DefsModifiees = false;
    updateModified();
    notify(true);
}

void Document::newGrid() {
    grille_.Raz();
    setFileName({});
    clearHistory();
    updateModified();
    notify(false);
}

void Document::open(const QString& path) {
    grille_ = openGridFile(path, grille_);
    setFileName(opensWithName(path) ? path : QString());
    clearHistory();
    updateModified();
    notify(true);
}

void Document::setFileName(const QString& path) {
    NomFichier = path;
    NomCourt = path.isEmpty() ? QString() : gridShortName(path);
}

void Document::save() {
    writeGridFile(NomFichier, grille_);
    markSaved();
    if (!clueBase_.isOpen() || readOnly_)
        return;
    try {
        clueBase_.add(gridClueEntries(grille_, NomFichier, QDateTime::currentDateTime()));
    } catch (const OrvError& e) {
        clueBaseProblem_ = QStringLiteral("La grille est enregistrée, mais ses définitions "
                                          "n'ont pu entrer dans la base d'indices : ") +
                           e.message();
    }
}

void Document::markSaved() {
    saved_ = current_;
    wordsSinceSave_ = false;
    updateModified();
}

// ---------------------------------------------------------------- data files

void Document::setDefinitions(QList<QByteArray> definitions, bool changed) {
    ListeDefs = std::move(definitions);
    if (changed)
        DefsModifiees = true;
}

void Document::setReadOnly(bool readOnly) {
    dictionary_.setReadOnly(readOnly);
    definitionsFile_.setReadOnly(readOnly);
    readOnly_ = readOnly;
    // A base opened before is opened again in the new mode.
    if (clueBase_.isOpen())
        useClueBase(clueBasePath_, QDateTime::currentDateTime());
}

void Document::useClueBase(const QString& path, const QDateTime& now) {
    clueBasePath_ = path;
    if (!clueBase_.open(path, readOnly_, now)) {
        clueBaseProblem_ = clueBase_.problem();
        return;
    }
    if (readOnly_)
        return;
    try {
        clueBase_.takeDefinitions(ListeDefs, now);
    } catch (const OrvError& e) {
        clueBaseProblem_ = e.message();
    }
}

void Document::loadDefinitions() {
    ListeDefs.clear();
    const QByteArray data = definitionsFile_.read();
    ListeDefs = splitTextLines(data);
    definitionsFile_.noteDropped(linesAfterNul(data));
}

QString Document::writeDefinitions(const QDateTime& now) {
    const QString side = definitionsFile_.write(joinTextLines(ListeDefs), now,
                                                DefsModifiees && !ListeDefs.isEmpty());
    DefsModifiees = false;
    return side.isEmpty() ? QString() : definitionsKeptBesideMessage(definitionsFile_, side);
}

QString Document::droppedLinesStatus() const {
    QStringList dropped;
    for (const DataFile* file : {&dictionary_.file(), &definitionsFile_})
        if (file->dropped() > 0)
            dropped.append(droppedLinesMessage(*file));
    return dropped.join(QStringLiteral(" ; "));
}

} // namespace orv
