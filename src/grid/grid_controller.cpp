// The grid's commands. Every change of the grid goes through the document's
// change path, so each is one undo step and marks the grid as modified.
#include "grid/grid_controller.h"

#include "common/text_file.h"
#include "grid/black_squares.h"
#include "grid/dimensions_dialog.h"
#include "grid/grid_file.h"
#include "publish/ipuz_file.h"

#include <QSettings>

namespace orv {
namespace {

const QString kSymmetryKey = QStringLiteral("Grille/SymetrieCasesNoires");

Document::Answer documentAnswer(MessageService::Answer answer) {
    switch (answer) {
    case MessageService::Answer::Yes:
        return Document::Answer::Yes;
    case MessageService::Answer::No:
        return Document::Answer::No;
    case MessageService::Answer::Cancel:
        break;
    }
    return Document::Answer::Cancel;
}

} // namespace

GridController::GridController(Document& document, Services& services, QMainWindow* window,
                               MainView& view)
    : Controller(document, services, window, view) {
    addCommand(this, "FileMenu", "NewItem", QStringLiteral("&Nouvelle grille"),
               QStringLiteral("Nouvelle grille"), &GridController::NewItemClick)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    addCommand(this, "FileMenu", "OpenItem", QStringLiteral("&Ouvrir..."),
               QStringLiteral("Ouvrir une grille"), &GridController::OpenItemClick)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    addCommand(this, "FileMenu", "Enregistrer1", QStringLiteral("&Enregistrer"),
               QStringLiteral("Enregistrer grille"), &GridController::Enregistrer1Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    addCommand(this, "FileMenu", "Enregistrersous1", QStringLiteral("Enregistrer &sous..."),
               QStringLiteral("Enregistrer grille sous un autre nom"),
               &GridController::Enregistrersous1Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    undoAction_ = addCommand(this, "EditionMenu", "undo", QStringLiteral("&Annuler"),
                             QStringLiteral("Annuler"), &GridController::undoClick);
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = addCommand(this, "EditionMenu", "redo", QStringLiteral("&Rétablir"),
                             QStringLiteral("Rétablir"), &GridController::redoClick);
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    addCommand(this, "GrilleMenu", "Dimensions1", QStringLiteral("&Dimensions"),
               QStringLiteral("Dimensions de la grille"), &GridController::Dimensions1Click);
    addCommand(this, "GrilleMenu", "Placercasesnoires1", QStringLiteral("&Placer cases noires"),
               QStringLiteral("Placer les cases noires"), &GridController::Placercasesnoires1Click);
    QAction* symmetry =
        view_.addCommand(QStringLiteral("GrilleMenu"), QStringLiteral("blackSymmetry"),
                         QStringLiteral("S&ymétrie des cases noires"),
                         QStringLiteral("Placer ou effacer aussi la case noire symétrique "
                                        "par rapport au centre"));
    symmetry->setCheckable(true);
    symmetry->setChecked(QSettings().value(kSymmetryKey, false).toBool());
    doc_.setBlackSquareSymmetry(symmetry->isChecked());
    connect(symmetry, &QAction::toggled, this, &GridController::symmetryClick);
    connect(&doc_, &Document::historyChanged, this, &GridController::updateHistoryActions);
    updateHistoryActions();
}

// ---------------------------------------------------------------- files

GridController::SaveAsOutcome GridController::SaveAs() {
    // An existing file is replaced only when the user says so; "&Non" goes
    // back to the dialog to choose another name.
    bool declined = false;
    for (;;) {
        const QString chosen = services_.files.saveFile(window_, gridFileFilter());
        if (chosen.isEmpty())
            return declined ? SaveAsOutcome::Declined : SaveAsOutcome::Cancelled;
        const QString path = gridFileName(chosen);
        if (!fileExists(path) || services_.messages.confirm(
                                     window_, QStringLiteral("Le fichier ") + gridShortName(path) +
                                                  QStringLiteral(" existe déjà. Voulez-vous "
                                                                 "le remplacer ?"))) {
            doc_.setFileName(path);
            view_.updateCaption();
            return SaveAsOutcome::Named;
        }
        declined = true;
    }
}

Document::SaveOutcome GridController::Sauve() {
    doc_.gatherPendingEdits();
    const QString previousFile = doc_.fileName();
    if (doc_.fileName().isEmpty())
        SaveAs();
    if (doc_.fileName().isEmpty())
        return Document::SaveOutcome::Cancelled;
    // The file is replaced whole or not at all; after a failure the grid keeps
    // its changes and the name it had, so nothing claims a file that was never written.
    // A refused cut counts as a failure: the command that asked for the save
    // stops, so the clues are not thrown away with the grid.
    if (!cutsLongClues() || !guard([this] { doc_.save(); })) {
        doc_.setFileName(previousFile);
        view_.updateCaption();
        return Document::SaveOutcome::Failed;
    }
    if (const QString problem = doc_.takeClueBaseProblem(); !problem.isEmpty())
        services_.messages.error(window_, problem);
    return Document::SaveOutcome::Saved;
}

bool GridController::cutsLongClues() {
    const QList<LongClue> cut = cluesTooLongForGridFile(doc_.grille());
    if (cut.isEmpty())
        return true;
    const int answer = services_.messages.choice(
        window_, clueCutQuestion(cut),
        {QStringLiteral("Couper et enregistrer"), QStringLiteral("Annuler")});
    if (answer != 0)
        return false;
    // The grid then holds what its file holds; Annuler brings the whole clues back.
    doc_.applyGridChange(gridDifference(doc_.grille(), withCluesCutForGridFile(doc_.grille()),
                                        QStringLiteral("la coupe des définitions trop longues")));
    return true;
}

void GridController::Charge() {
    if (!askToSave(doc_.fileName()))
        return;
    const QString chosen =
        services_.files.openFile(window_, gridFileFilter() + QLatin1Char('|') + ipuzFileFilter());
    if (!chosen.isEmpty()) {
        // Read and checked whole before anything of the open grid changes.
        doc_.open(isIpuzPath(chosen) ? chosen : gridFileName(chosen));
        view_.updateCaption();
    }
    // A cancelled dialog keeps Modifie: the grid's changes are still unsaved.
    view_.DessinGrille();
}

bool GridController::askToSave(const QString& name) {
    doc_.gatherPendingEdits();
    if (!doc_.asksSaveQuestion())
        return true;
    const auto answer = services_.messages.question(
        window_, QStringLiteral("Enregistrer changements dans ") + name + QStringLiteral(" ?"));
    switch (Document::afterSaveQuestion(documentAnswer(answer))) {
    case Document::AfterQuestion::Stop:
        return false;
    case Document::AfterQuestion::Continue:
        return true;
    case Document::AfterQuestion::SaveThenContinue:
        // A write that failed has been reported; the command stops so that the
        // changes the user wanted kept are not thrown away.
        return Document::goesOnAfterSave(Sauve());
    }
    return false;
}

void GridController::NewItemClick() {
    guard([this] {
        if (!askToSave(doc_.shortName()))
            return;
        doc_.newGrid();
        view_.updateCaption();
        view_.DessinGrille();
        view_.Remplit();
    });
}

void GridController::OpenItemClick() {
    guard([this] { Charge(); });
    view_.Remplit();
}

void GridController::Enregistrer1Click() {
    guard([this] {
        doc_.gatherPendingEdits();
        if (doc_.isModified())
            Sauve();
    });
}

void GridController::Enregistrersous1Click() {
    guard([this] {
        const QString previousFile = doc_.fileName();
        // A cancelled dialog still saves to the grid's own file, except after
        // the user refused to replace a file: that one may be the grid's own.
        if (SaveAs() == SaveAsOutcome::Declined)
            return;
        if (Sauve() == Document::SaveOutcome::Failed) {
            doc_.setFileName(previousFile);
            view_.updateCaption();
        }
    });
}

// ---------------------------------------------------------------- shape

TFTaille& GridController::dimensionsDialog() {
    return ownWindow(FTaille, [this] { return new TFTaille(window_); });
}

void GridController::Dimensions1Click() {
    guard([this] {
        std::int32_t lignes = doc_.grille().NbLignes;
        std::int32_t colonnes = doc_.grille().NbColonnes;
        TFTaille& FTaille = dimensionsDialog();
        FTaille.Init(lignes, colonnes);
        services_.modal.run(FTaille);
        FTaille.Result(lignes, colonnes);
        doc_.applyGridChange(GridChange(QStringLiteral("le changement des dimensions"))
                                 .setDimensions(lignes, colonnes));
        view_.DessinGrille();
    });
}

void GridController::Placercasesnoires1Click() {
    guard([this] {
        view_.setStatusText(QStringLiteral("Calcule les positions..."));
        Grille placed = doc_.grille();
        placeBlackSquares(placed, services_.random);
        doc_.applyGridChange(
            gridDifference(doc_.grille(), placed, QStringLiteral("le placement des cases noires")));
        view_.Remplit();
        view_.setStatusText(QString());
    });
}

void GridController::symmetryClick(bool on) {
    doc_.setBlackSquareSymmetry(on);
    QSettings().setValue(kSymmetryKey, on);
}

// ---------------------------------------------------------------- history

void GridController::undoClick() {
    guard([this] { doc_.undo(); });
}

void GridController::redoClick() {
    guard([this] { doc_.redo(); });
}

void GridController::updateHistoryActions() {
    undoAction_->setEnabled(doc_.canUndo());
    undoAction_->setStatusTip(doc_.canUndo() ? QStringLiteral("Annuler ") + doc_.undoDescription()
                                             : QStringLiteral("Annuler"));
    redoAction_->setEnabled(doc_.canRedo());
    redoAction_->setStatusTip(doc_.canRedo() ? QStringLiteral("Rétablir ") + doc_.redoDescription()
                                             : QStringLiteral("Rétablir"));
}

} // namespace orv
