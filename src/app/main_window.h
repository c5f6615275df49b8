// The main window: owner of the grid document, the dictionary and the
// definitions for the whole run; its menus, tool bar and status bar run every
// command. Each subsystem defines its own commands of this class in its folder
// (grid/document_commands.cpp, dictionary/dictionary_commands.cpp, ...), so one
// window's behaviour stays together by subject.
#pragma once

#include "common/command_guard.h"
#include "common/data_file.h"
#include "common/services.h"
#include "common/working_folder_lock.h"
#include "dictionary/word_list.h"
#include "grid/grid_model.h"

#include <QHash>
#include <QList>
#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QStatusBar;
class QTimer;
class QToolButton;

namespace orv {

class StringGrid;
class TAjout;
class TAboutBox;
class TStats;
class TDico;
class TCalendrier;
class THorloge;
class TPocket;
class TRMots;
class TFTaille;
class TDefinitions;
class TDefgrille;
class TGrilleJeu;
class TLettre;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(Services& services, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Creates the other windows, hidden, in the program's fixed order.
    void CreeFenetres();

    // --- Shared state, owned for the whole run ---
    Grille grille;
    WordList ListeMots;
    QList<QByteArray> ListeDefs;
    bool DefsModifiees = false;
    // The dictionary changed during the run: it is written at exit even when
    // a grid save has cleared Modifie since.
    bool MotsModifies = false;
    // The two data files: never overwritten when they could not be read or
    // when another instance holds the folder (what changed then goes to a
    // side file), kept as read before a rewrite that would drop lines.
    DataFile FichierMots{QStringLiteral("Dicogrd.dat")};
    DataFile FichierDefs{QStringLiteral("Dicodef.dat")};
    WorkingFolderLock Verrou;

    // --- The other windows, created once by CreeFenetres ---
    TAjout* Ajout = nullptr;
    TAboutBox* AboutBox = nullptr;
    TStats* Stats = nullptr;
    TDico* Dico = nullptr;
    TCalendrier* Calendrier = nullptr;
    THorloge* Horloge = nullptr;
    TPocket* Pocket = nullptr;
    TRMots* RMots = nullptr;
    TFTaille* FTaille = nullptr;
    TDefinitions* Definitions = nullptr;
    TDefgrille* Defgrille = nullptr;
    TGrilleJeu* GrilleJeu = nullptr;
    TLettre* Lettre = nullptr;

    // --- Controls ---
    StringGrid* StringGrid1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* panel0 = nullptr; // hints and status text
    QLabel* panel1 = nullptr; // the clock
    QTimer* Timer1 = nullptr;
    Services& services() { return services_; }

    // --- Drawing and keys ---
    void DessinGrille();
    void Remplit();
    void EcritCell(QPainter& painter, int col, int row, const QRect& rect);
    void FormKeyPress(QChar& key);
    void FormKeyDown(int& key);
    void Timer1Timer();
    void FormResize();
    void ShowHint(const QString& hint);
    // The status text of panel 0 (hints, "Calcule les positions...").
    void setStatusText(const QString& text);
    void updateCaption();

    // --- Start and stop ---
    void FormShow();
    // Takes the working folder; false when the user chose to quit.
    bool PrendDossier();
    bool FormCloseQuery();
    bool FormClose();

    // --- Grid documents ---
    enum class SaveOutcome { Saved, Cancelled, Failed };
    void SaveAs();
    SaveOutcome Sauve();
    void Charge();
    // The save question while Modifie is set; false when the command must stop.
    bool DemandeEnregistrer(const QString& name);

    // --- Dictionary ---
    void Tri();
    void Verifie();
    void ChargeDictionnaire();
    void EcritDictionnaire();
    void ChargeDefinitions();
    void EcritDefinitions();

public Q_SLOTS:
    // Commands of the menus and the tool bar.
    void NewItemClick();
    void OpenItemClick();
    void Enregistrer1Click();
    void Enregistrersous1Click();
    void Importerfichier1Click();
    void ExitItemClick();
    void Ajoutermot1Click();
    void Supprimermot1Click();
    void Dictionnaire1Click();
    void Statistiques1Click();
    void Recherchedemots1Click();
    void Dfinitiondesmots1Click();
    void Dimensions1Click();
    void Dfinitions1Click();
    void Placercasesnoires1Click();
    void Jouer1Click();
    void Calendrier1Click();
    void Calculatrice1Click();
    void Hotloge1Click();
    void About1Click();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildToolBar(QWidget* panel);
    void buildStatusBar();
    QAction* addCommand(QMenu* menu, const QString& name, const QString& caption,
                        const QString& hint, void (TMainForm::*handler)());
    // Runs a command behind the error guard.
    template <typename F> bool guard(F&& command);

    Services& services_;
    bool shown_ = false;
    QHash<QMenu*, int> menuHelpTopics_;
};

template <typename F> bool TMainForm::guard(F&& command) {
    return guarded(services_.messages, this, std::forward<F>(command));
}

} // namespace orv
