// The main window: owner of the document for the whole run, its menus, tool
// bar and status bar, the grid's drawing and keys, start-up and close. Each
// subsystem's controller adds and runs its own commands; the window only puts
// them in place from its table of menus and tool buttons.
#pragma once

#include "common/command_guard.h"
#include "common/main_view.h"
#include "common/services.h"
#include "common/working_folder_lock.h"
#include "document/document.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QStatusBar;
class QTimer;
class QToolButton;

namespace orv {

class StringGrid;
class TAboutBox;
class GridController;
class DictionaryController;
class SearchController;
class DefinitionsController;
class PlayController;
class UtilitiesController;
class FillController;
class GridMakerController;
class BuildingHelpController;
class PublishController;
class ArrowWordController;

class TMainForm : public QMainWindow, public MainView {
    Q_OBJECT
public:
    explicit TMainForm(Services& services, QWidget* parent = nullptr);
    ~TMainForm() override;

    // --- The document, owned for the whole run ---
    Document& document() { return document_; }
    const Grille& grille() const { return document_.grille(); }
    // One instance at a time in the working folder.
    WorkingFolderLock folderLock;

    // --- Controls ---
    StringGrid* StringGrid1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* panel0 = nullptr; // hints and status text
    QLabel* panel1 = nullptr; // the clock
    QTimer* Timer1 = nullptr;
    Services& services() { return services_; }

    // --- The controllers of the subsystems ---
    GridController& grid() { return *grid_; }
    DictionaryController& dictionary() { return *dictionary_; }
    SearchController& search() { return *search_; }
    DefinitionsController& definitions() { return *definitions_; }
    PlayController& play() { return *play_; }
    UtilitiesController& utilities() { return *utilities_; }
    FillController& fill() { return *fill_; }
    GridMakerController& maker() { return *maker_; }
    BuildingHelpController& buildingHelp() { return *help_; }
    PublishController& publish() { return *publish_; }
    ArrowWordController& arrowWord() { return *arrowWord_; }

    // --- MainView ---
    QAction* addCommand(const QString& menu, const QString& name, const QString& caption,
                        const QString& hint) override;
    void DessinGrille() override;
    void Remplit() override;
    void setStatusText(const QString& text) override;
    void updateCaption() override;
    QPoint currentCell() const override;
    void beginProgress() override;
    void showProgress(int percent) override;
    void endProgress() override;
    void beginBusy(std::function<void()> cancel) override;
    void endBusy() override;

    // --- Drawing and keys ---
    void EcritCell(QPainter& painter, int col, int row, const QRect& rect);
    void FormKeyPress(QChar& key);
    void FormKeyDown(int& key);
    void Timer1Timer();
    void FormResize();
    void ShowHint(const QString& hint);

    // --- Start and stop ---
    void FormShow();
    // Takes the working folder; false when the user chose to quit.
    bool takeWorkingFolder();
    bool FormCloseQuery();
    bool FormClose();

    // The view zoom of the grid, in percent of the normal 20-pixel cell.
    int zoom() const { return zoom_; }
    // « Taille ajustée »: the cells follow the space the window gives the grid.
    bool fitsGrid() const;

public Q_SLOTS:
    void ExitItemClick();
    void About1Click();
    void zoomInClick();
    void zoomOutClick();
    void normalSizeClick();
    void fitSizeClick(bool on);
    void frenchLabelsClick(bool on);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void placeCommands();
    void buildToolBar(QWidget* panel);
    void buildStatusBar();
    // Runs a command behind the error guard.
    template <typename F> bool guard(F&& command);

    Services& services_;
    Document document_;
    bool shown_ = false;
    QHash<QMenu*, int> menuHelpTopics_;
    QHash<QString, QMenu*> menus_;             // by object name
    QList<QPair<QString, QAction*>> commands_; // (menu, action) in the order added
    bool placed_ = false;
    QWidget* speedPanel_ = nullptr;
    GridController* grid_ = nullptr;
    DictionaryController* dictionary_ = nullptr;
    SearchController* search_ = nullptr;
    DefinitionsController* definitions_ = nullptr;
    PlayController* play_ = nullptr;
    UtilitiesController* utilities_ = nullptr;
    FillController* fill_ = nullptr;
    GridMakerController* maker_ = nullptr;
    BuildingHelpController* help_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;
    PublishController* publish_ = nullptr;
    ArrowWordController* arrowWord_ = nullptr;
    int zoom_ = 100;
    // While long work runs: the widgets it disabled, and its "Annuler".
    bool busy_ = false;
    QList<QWidget*> disabledWhileBusy_;
    std::function<void()> cancelBusy_;
    void setZoom(int percent);
    // The zoom at which the grid fills its panel, and its place there.
    void fitGrid();
    QWidget* gridPanel_ = nullptr;
    QAction* fitAction_ = nullptr;
    QAction* frenchAction_ = nullptr;
};

template <typename F> bool TMainForm::guard(F&& command) {
    return guarded(services_.messages, this, std::forward<F>(command));
}

} // namespace orv
