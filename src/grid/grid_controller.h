// The grid's commands: new, open, save, save as, dimensions, the automatic
// black squares, and undo and redo of the grid's changes.
#pragma once

#include "common/controller.h"
#include "document/document.h"

namespace orv {

class TFTaille;

class GridController : public Controller {
    Q_OBJECT
public:
    GridController(Document& document, Services& services, QMainWindow* window, MainView& view);

    // The dimensions dialog, made on first use.
    TFTaille& dimensionsDialog();

    enum class SaveAsOutcome { Named, Cancelled, Declined };
    // The save dialog names the grid's file. Declined: the user would not
    // replace an existing file and then closed the dialog.
    SaveAsOutcome SaveAs();
    Document::SaveOutcome Sauve();
    void Charge();
    // The save question while the document is modified; false when the command must stop.
    bool askToSave(const QString& name);

public Q_SLOTS:
    void NewItemClick();
    void OpenItemClick();
    void Enregistrer1Click();
    void Enregistrersous1Click();
    void Dimensions1Click();
    void Placercasesnoires1Click();
    // « Symétrie des cases noires », kept between runs.
    void symmetryClick(bool on);
    void undoClick();
    void redoClick();

private:
    // Before a grid file is written: asks whether the clues longer than the
    // file holds may be cut, and cuts them in the grid as one change when the
    // user agrees. False when the user refuses.
    bool cutsLongClues();
    // Greys out undo and redo when there is nothing to take back or do again,
    // and names the step in their hints.
    void updateHistoryActions();

    TFTaille* FTaille = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
};

} // namespace orv
