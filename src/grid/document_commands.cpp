// Grid documents: naming, saving, opening, new grid and dimensions.
#include "app/main_window.h"
#include "common/text_file.h"
#include "grid/dimensions_dialog.h"
#include "grid/grid_file.h"

namespace orv {

void TMainForm::SaveAs() {
    const QString chosen = services_.files.saveFile(this, gridFileFilter());
    if (chosen.isEmpty())
        return;
    grille.NomFichier = gridFileName(chosen);
    grille.NomCourt = gridShortName(grille.NomFichier);
    updateCaption();
}

TMainForm::SaveOutcome TMainForm::Sauve() {
    const QString previousFile = grille.NomFichier;
    const QString previousShort = grille.NomCourt;
    if (grille.NomFichier.isEmpty())
        SaveAs();
    if (grille.NomFichier.isEmpty())
        return SaveOutcome::Cancelled;
    // The file is replaced whole or not at all; after a failure the grid keeps
    // its changes and the name it had, so nothing claims a file that was never written.
    const bool written = guard([this] { writeGridFile(grille.NomFichier, grille); });
    if (!written) {
        grille.NomFichier = previousFile;
        grille.NomCourt = previousShort;
        updateCaption();
        return SaveOutcome::Failed;
    }
    grille.Modifie = false;
    return SaveOutcome::Saved;
}

void TMainForm::Charge() {
    if (!DemandeEnregistrer(grille.NomFichier))
        return;
    const QString chosen = services_.files.openFile(this, gridFileFilter());
    if (!chosen.isEmpty()) {
        const QString path = gridFileName(chosen);
        // Read and checked whole before anything of the open grid changes.
        Grille read = readGridFile(readWholeFile(path, path, kMaxGridFileBytes), grille, path);
        read.NomFichier = path;
        read.NomCourt = gridShortName(path);
        read.Modifie = false;
        grille = std::move(read);
        updateCaption();
    }
    // A cancelled dialog keeps Modifie: the grid's changes are still unsaved.
    DessinGrille();
}

bool TMainForm::DemandeEnregistrer(const QString& name) {
    if (!grille.Modifie)
        return true;
    const auto answer = services_.messages.question(
        this, QStringLiteral("Enregistrer changements dans ") + name + QStringLiteral(" ?"));
    switch (answer) {
    case MessageService::Answer::Cancel:
        return false;
    case MessageService::Answer::No:
        return true;
    case MessageService::Answer::Yes:
        // A write that failed has been reported; the command stops so that the
        // changes the user wanted kept are not thrown away.
        return Sauve() != SaveOutcome::Failed;
    }
    return false;
}

void TMainForm::NewItemClick() {
    guard([this] {
        if (!DemandeEnregistrer(grille.NomCourt))
            return;
        grille.Raz();
        grille.Modifie = false;
        grille.NomFichier.clear();
        grille.NomCourt.clear();
        updateCaption();
        DessinGrille();
        Remplit();
    });
}

void TMainForm::OpenItemClick() {
    guard([this] { Charge(); });
    Remplit();
}

void TMainForm::Enregistrer1Click() {
    guard([this] {
        if (grille.Modifie)
            Sauve();
    });
}

void TMainForm::Enregistrersous1Click() {
    guard([this] {
        const QString previousFile = grille.NomFichier;
        const QString previousShort = grille.NomCourt;
        SaveAs();
        if (Sauve() == SaveOutcome::Failed) {
            grille.NomFichier = previousFile;
            grille.NomCourt = previousShort;
            updateCaption();
        }
    });
}

void TMainForm::Dimensions1Click() {
    guard([this] {
        FTaille->Init(grille.NbLignes, grille.NbColonnes);
        services_.modal.run(*FTaille);
        FTaille->Result(grille.NbLignes, grille.NbColonnes);
        DessinGrille();
    });
}

} // namespace orv
