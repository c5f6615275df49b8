// The main window's shell: controls, menus, tool bar, status bar, the grid's
// drawing and keys, start-up and close. The commands live with their
// subsystems' controllers; this window's tables put them in place.
#include "app/main_window.h"

#include "app/about_box.h"
#include "app/exit_writes.h"
#include "arrowword/arrow_word_controller.h"
#include "common/codec.h"
#include "common/keys.h"
#include "common/locale.h"
#include "common/pictures.h"
#include "common/string_grid.h"
#include "definitions/definitions_controller.h"
#include "dictionary/dictionary_controller.h"
#include "fill/building_help_controller.h"
#include "fill/fill_controller.h"
#include "fill/grid_maker_controller.h"
#include "grid/grid_controller.h"
#include "help/help_pages.h"
#include "play/play_controller.h"
#include "publish/crossword_grid.h"
#include "publish/publish_controller.h"
#include "search/search_controller.h"
#include "utilities/utilities_controller.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace orv {

using namespace help;

namespace {

// Where each command stands: the menus in their order, each with its commands
// by object name ("-" a separator). A command that a controller adds and that
// this table does not list goes at the end of its menu.
struct MenuPlace {
    const char* name;
    const char* caption;
    int helpTopic;
    std::initializer_list<const char*> commands;
};
const MenuPlace kMenus[] = {
    {"FileMenu",
     "&Fichier",
     FileMenuTopic,
     {"NewItem", "OpenItem", "-", "Enregistrer1", "Enregistrersous1", "-", "newArrowGrid",
      "openArrowGrid", "-", "printGrid", "exportGrid", "-", "Importerfichier1", "-", "ExitItem"}},
    {"EditionMenu", "&Edition", MainWindowTopic, {"undo", "redo"}},
    {"MotsMenu",
     "&Mots",
     WordsMenuTopic,
     {"Ajoutermot1", "Supprimermot1", "-", "Dictionnaire1", "Statistiques1", "-",
      "Recherchedemots1", "quickSearch", "Dfinitiondesmots1", "clueBase"}},
    {"GrilleMenu",
     "&Grille",
     MainWindowTopic,
     {"Dimensions1", "Dfinitions1", "-", "Placercasesnoires1", "blackSymmetry", "-", "checkGrid",
      "gridStatistics"}},
    {"AffichageMenu",
     "Affi&chage",
     MainWindowTopic,
     {"suggestions", "markCells", "markRareWords", "-", "advance", "-", "zoomIn", "zoomOut",
      "normalSize", "fitSize", "-", "frenchLabels"}},
    {"JeuMenu", "&Jeu", MainWindowTopic, {"Jouer1"}},
    {"UtilitairesMenu",
     "&Utilitaires",
     UtilitiesMenuTopic,
     {"Calendrier1", "Calculatrice1", "Hotloge1"}},
    {"AideMenu", "&Aide", HelpMenuTopic, {"Sommaire1", "-", "About1"}},
};

// The tool bar: each button runs the command of the same row; a gap after
// the 3rd and the 8th button separates the three groups.
struct ToolPlace {
    const char* name;
    const char* hint;
    ToolPicture picture;
    const char* command;
};
const ToolPlace kTools[] = {
    {"OpenBtn", "Nouvelle grille", ToolPicture::NewGrid, "NewItem"},
    {"SpeedButton2", "Ouvrir", ToolPicture::Open, "OpenItem"},
    {"SpeedButton1", "Enregistrer", ToolPicture::Save, "Enregistrer1"},
    {"SpeedButton28", "Ajouter mot", ToolPicture::AddWord, "Ajoutermot1"},
    {"SpeedButton27", "Supprimer mot", ToolPicture::DeleteWord, "Supprimermot1"},
    {"SpeedButton31", "Dictionnaire", ToolPicture::Dictionary, "Dictionnaire1"},
    {"SpeedButton32", "Statistiques", ToolPicture::Statistics, "Statistiques1"},
    {"SpeedButton30", "Recherche de mot", ToolPicture::Search, "Recherchedemots1"},
    {"SpeedButton34", "Dimensions de la grille", ToolPicture::Dimensions, "Dimensions1"},
    {"SpeedButton3", "Définitions", ToolPicture::Clues, "Dfinitions1"},
    {"SpeedButton4", "Placer cases noires", ToolPicture::BlackSquares, "Placercasesnoires1"},
    {"ExitBtn", "Jouer", ToolPicture::Play, "Jouer1"},
};

// The view settings kept between runs.
const QString kFitSizeKey = QStringLiteral("Affichage/TailleAjustee");
const QString kFrenchLabelsKey = QStringLiteral("Affichage/ReperesFrancais");

} // namespace

TMainForm::TMainForm(Services& services, QWidget* parent)
    : QMainWindow(parent), services_(services) {
    // The dictionary is read while the windows are made; the show takes it.
    document_.dictionary().prefetch();
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(applicationTitle());
    setWindowIcon(QIcon(programPicture(QSize(32, 32))));
    setGeometry(24, 19, 723, 542);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* speedPanel = new QWidget(central);
    speedPanel->setObjectName(QStringLiteral("SpeedPanel"));
    speedPanel->setFixedHeight(33);
    speedPanel->setAutoFillBackground(true);
    speedPanel_ = speedPanel;
    layout->addWidget(speedPanel);

    auto* panel1 = new QWidget(central);
    panel1->setObjectName(QStringLiteral("Panel1"));
    layout->addWidget(panel1, 1);
    gridPanel_ = panel1;
    // The fitted grid follows the panel's size.
    panel1->installEventFilter(this);

    StringGrid1 = new StringGrid(panel1);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    configureCrosswordGrid(*StringGrid1);
    StringGrid1->onDrawCell = [this](QPainter& p, int c, int r, const QRect& rect) {
        EcritCell(p, c, r, cellPaintRect(rect));
    };
    StringGrid1->onKeyPress = [this](QChar& key) { FormKeyPress(key); };
    StringGrid1->onKeyDown = [this](int& key) { FormKeyDown(key); };
    StringGrid1->move(0, 0);
    StringGrid1->resize(180, 180);

    ProgressBar1 = new QProgressBar(central);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setFixedHeight(20);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
    layout->addWidget(ProgressBar1);
    setCentralWidget(central);

    buildMenus();
    buildStatusBar();

    // Each subsystem adds its own commands; then the tables put them in place.
    grid_ = new GridController(document_, services_, this, *this);
    dictionary_ = new DictionaryController(document_, services_, this, *this);
    search_ = new SearchController(document_, services_, this, *this);
    definitions_ = new DefinitionsController(document_, services_, this, *this);
    play_ = new PlayController(document_, services_, this, *this);
    utilities_ = new UtilitiesController(document_, services_, this, *this);
    fill_ = new FillController(document_, services_, this, *this);
    maker_ = new GridMakerController(document_, services_, this, *this);
    help_ = new BuildingHelpController(document_, services_, this, *this);
    publish_ = new PublishController(document_, services_, this, *this);
    arrowWord_ = new ArrowWordController(document_, services_, this, *this);
    // What the subsystems reach of each other.
    play_->setLinks([this] { dictionary_->Dictionnaire1Click(); },
                    [this] { search_->Recherchedemots1Click(); },
                    [this] { return &search_->letterPicker(); });
    connect(search_, &SearchController::wordDoubleClicked, help_,
            &BuildingHelpController::offerSearchWord);
    struct ZoomCommand {
        const char* name;
        const char* caption;
        const char* hint;
        QKeySequence shortcut;
        void (TMainForm::*slot)();
    };
    const ZoomCommand zooms[] = {
        {"zoomIn", "Zoom +", "Agrandir la grille", QKeySequence(Qt::CTRL | Qt::Key_Plus),
         &TMainForm::zoomInClick},
        {"zoomOut", "Zoom -", "Réduire la grille", QKeySequence(Qt::CTRL | Qt::Key_Minus),
         &TMainForm::zoomOutClick},
        {"normalSize", "Taille normale", "Grille à sa taille normale",
         QKeySequence(Qt::CTRL | Qt::Key_0), &TMainForm::normalSizeClick},
    };
    for (const ZoomCommand& z : zooms) {
        QAction* action = addCommand(QStringLiteral("AffichageMenu"), QString::fromLatin1(z.name),
                                     QString::fromUtf8(z.caption), QString::fromUtf8(z.hint));
        action->setShortcut(z.shortcut);
        connect(action, &QAction::triggered, this, z.slot);
    }
    // Ctrl with "=" too: on many keyboards "+" needs Shift.
    findChild<QAction*>(QStringLiteral("zoomIn"))
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    fitAction_ = addCommand(QStringLiteral("AffichageMenu"), QStringLiteral("fitSize"),
                            QStringLiteral("&Taille ajustée"),
                            QStringLiteral("Ajuster la grille à la fenêtre"));
    fitAction_->setCheckable(true);
    fitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_9));
    connect(fitAction_, &QAction::toggled, this, &TMainForm::fitSizeClick);
    frenchAction_ = addCommand(QStringLiteral("AffichageMenu"), QStringLiteral("frenchLabels"),
                               QStringLiteral("Repères à la &française"),
                               QStringLiteral("Lignes en chiffres romains et colonnes en "
                                              "chiffres, comme à l'impression"));
    frenchAction_->setCheckable(true);
    connect(frenchAction_, &QAction::toggled, this, &TMainForm::frenchLabelsClick);
    QAction* exit = addCommand(QStringLiteral("FileMenu"), QStringLiteral("ExitItem"),
                               QStringLiteral("&Quitter"), QStringLiteral("Quitter l'application"));
    exit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
    connect(exit, &QAction::triggered, this, &TMainForm::ExitItemClick);
    connect(addCommand(QStringLiteral("AideMenu"), QStringLiteral("About1"),
                       QStringLiteral("&A propos..."),
                       QStringLiteral("Informations sur le logiciel")),
            &QAction::triggered, this, &TMainForm::About1Click);
    connect(addCommand(QStringLiteral("AideMenu"), QStringLiteral("Sommaire1"),
                       QStringLiteral("&Sommaire de l'aide"), QStringLiteral("Sommaire de l'aide")),
            &QAction::triggered, this, [this] { services_.help.showTopic(this, ContentsTopic); });
    placeCommands();
    buildToolBar(speedPanel_);
    connect(&document_, &Document::gridChanged, this, [this](bool dimensions) {
        if (dimensions)
            DessinGrille();
        Remplit();
    });
    connect(&document_, &Document::labelStyleChanged, this, &TMainForm::DessinGrille);
    const QSettings settings;
    frenchAction_->setChecked(settings.value(kFrenchLabelsKey, false).toBool());
    fitAction_->setChecked(settings.value(kFitSizeKey, false).toBool());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    Timer1->start();

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this,
            [this] { services_.help.showTopic(this, MainWindowTopic); });
}

TMainForm::~TMainForm() {
    // The look-ahead's worker reads the document's index: it ends first.
    if (help_)
        help_->stopLookAhead();
}

QAction* TMainForm::addCommand(const QString& menu, const QString& name, const QString& caption,
                               const QString& hint) {
    // A new menu is a new row of the table above, so that it has its place.
    Q_ASSERT_X(menus_.contains(menu), "TMainForm::addCommand", "no menu of that name");
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setStatusTip(hint);
    // The window holds every command, so its shortcut works whatever has the focus.
    addAction(action);
    commands_.append({menu, action});
    if (placed_) {
        if (QMenu* m = menus_.value(menu))
            m->addAction(action);
    }
    return action;
}

void TMainForm::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("SDIAppMenu"));
    for (const MenuPlace& place : kMenus) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(place.caption));
        menu->setObjectName(QString::fromLatin1(place.name));
        menus_.insert(menu->objectName(), menu);
        menuHelpTopics_.insert(menu, place.helpTopic);
        menu->installEventFilter(this);
    }
}

void TMainForm::placeCommands() {
    auto find = [this](const QString& name) -> QAction* {
        for (const auto& [menu, action] : commands_)
            if (action->objectName() == name)
                return action;
        return nullptr;
    };
    for (const MenuPlace& place : kMenus) {
        QMenu* menu = menus_.value(QString::fromLatin1(place.name));
        QList<QAction*> listed;
        for (const char* name : place.commands) {
            if (qstrcmp(name, "-") == 0) {
                menu->addSeparator();
            } else if (QAction* action = find(QString::fromLatin1(name))) {
                menu->addAction(action);
                listed.append(action);
            }
        }
        for (const auto& [menuName, action] : commands_)
            if (menuName == menu->objectName() && !listed.contains(action))
                menu->addAction(action);
    }
    placed_ = true;
}

void TMainForm::buildToolBar(QWidget* panel) {
    int x = 4;
    int index = 0;
    for (const ToolPlace& t : kTools) {
        QToolButton* button =
            makeToolButton(panel, t.name, QString::fromUtf8(t.hint), t.picture, QPoint(x, 4));
        button->setFocusPolicy(Qt::NoFocus);
        if (auto* action = findChild<QAction*>(QString::fromLatin1(t.command)))
            connect(button, &QToolButton::clicked, action, &QAction::trigger);
        x += 25;
        ++index;
        if (index == 3 || index == 8)
            x += 8; // the gaps between the three groups
    }
}

void TMainForm::buildStatusBar() {
    StatusBar = statusBar();
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    QFont font = StatusBar->font();
    font.setPixelSize(13);
    StatusBar->setFont(font);
    panel0 = new QLabel(StatusBar);
    panel0->setObjectName(QStringLiteral("StatusPanel0"));
    panel0->setFrameShape(QFrame::Panel);
    panel0->setFrameShadow(QFrame::Sunken);
    panel1 = new QLabel(StatusBar);
    panel1->setObjectName(QStringLiteral("StatusPanel1"));
    panel1->setFrameShape(QFrame::Panel);
    panel1->setFrameShadow(QFrame::Sunken);
    StatusBar->addWidget(panel0);
    StatusBar->addWidget(panel1, 1);
    FormResize();
}

// ---------------------------------------------------------------- drawing

void TMainForm::DessinGrille() {
    sizeCrosswordGrid(*StringGrid1, grille().NbLignes, grille().NbColonnes, document_.labelStyle());
    fitGrid();
}

void TMainForm::Remplit() {
    // The grid control paints every cell through EcritCell; asking for a full
    // repaint brings every playing cell up to date with Cases.
    StringGrid1->update();
}

void TMainForm::EcritCell(QPainter& painter, int col, int row, const QRect& rect) {
    if (col >= 0 && row >= 0 && col <= kMaxIndex && row <= kMaxIndex)
        paintCellCode(painter, grille().cell(col, row), rect, *StringGrid1);
}

// ---------------------------------------------------------------- keys

void TMainForm::FormKeyPress(QChar& key) {
    typeOnCurrentCell(*StringGrid1, key, [this](char& k, int col, int row) {
        if (grille().isPlayingCell(col, row))
            document_.typeOnCell(k, col, row);
    });
}

void TMainForm::FormKeyDown(int& key) {
    const int col = StringGrid1->col();
    const int row = StringGrid1->row();
    if (grille().isPlayingCell(col, row) && document_.keyDownOnCell(key, col, row))
        StringGrid1->updateCell(col, row);
}

// ---------------------------------------------------------------- status bar

void TMainForm::ShowHint(const QString& hint) { panel0->setText(hint); }

void TMainForm::setStatusText(const QString& text) {
    panel0->setText(text);
    // Long work holds the event loop; the text is painted before it starts.
    panel0->repaint();
}

QPoint TMainForm::currentCell() const { return QPoint(StringGrid1->col(), StringGrid1->row()); }

// The progress bar stands in for the status bar while long work runs.
void TMainForm::beginProgress() {
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    StatusBar->hide();
    // Laid out now rather than at the next turn of the event loop, so the bar
    // has its place before it first paints.
    if (QLayout* l = centralWidget()->layout())
        l->activate();
    if (QLayout* l = layout())
        l->activate();
    ProgressBar1->repaint();
}

void TMainForm::showProgress(int percent) {
    // The work holds the event loop, so the bar paints itself at once
    // whenever its figure changes.
    if (percent == ProgressBar1->value())
        return;
    ProgressBar1->setValue(percent);
    ProgressBar1->repaint();
}

void TMainForm::endProgress() {
    ProgressBar1->hide();
    StatusBar->show();
}

void TMainForm::beginBusy(std::function<void()> cancel) {
    busy_ = true;
    cancelBusy_ = std::move(cancel);
    auto* annuler = ProgressBar1->findChild<QPushButton*>(QStringLiteral("AnnulerImport"));
    if (!annuler) {
        annuler = new QPushButton(QStringLiteral("Annuler"), ProgressBar1);
        annuler->setObjectName(QStringLiteral("AnnulerImport"));
        connect(annuler, &QPushButton::clicked, this, [this, annuler] {
            annuler->setEnabled(false);
            if (cancelBusy_)
                cancelBusy_();
        });
    }
    annuler->setGeometry(ProgressBar1->width() - 80, 0, 80, ProgressBar1->height());
    annuler->setEnabled(true);
    annuler->show();
    // The window stays responsive (it repaints, "Annuler" works) but takes no
    // other command meanwhile.
    for (QWidget* x :
         {static_cast<QWidget*>(menuBar()), speedPanel_, static_cast<QWidget*>(StringGrid1)})
        if (x && x->isEnabled()) {
            x->setEnabled(false);
            disabledWhileBusy_.append(x);
        }
}

void TMainForm::endBusy() {
    if (auto* annuler = ProgressBar1->findChild<QPushButton*>(QStringLiteral("AnnulerImport")))
        annuler->hide();
    for (QWidget* x : std::as_const(disabledWhileBusy_))
        x->setEnabled(true);
    disabledWhileBusy_.clear();
    cancelBusy_ = nullptr;
    busy_ = false;
}

void TMainForm::Timer1Timer() {
    const QLocale locale = userLocale();
    QString format = locale.timeFormat(QLocale::LongFormat);
    // The long form ends with the time zone, which a desk clock does not show.
    format.remove(QLatin1Char('t'));
    format = format.trimmed();
    panel1->setText(QStringLiteral("    ") + locale.toString(services_.clock.now().time(), format));
}

void TMainForm::FormResize() {
    if (panel0)
        panel0->setFixedWidth(std::max(0, width() - 100));
}

void TMainForm::updateCaption() {
    setWindowTitle(document_.shortName().isEmpty()
                       ? applicationTitle()
                       : applicationTitle() + QStringLiteral(" - ") + document_.shortName());
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == gridPanel_ && event->type() == QEvent::Resize) {
        fitGrid();
        return false;
    }
    auto* menu = qobject_cast<QMenu*>(watched);
    const bool f1 =
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1;
    if (menu && f1) {
        // Within an open menu, F1 is the menu's own topic, not the window's shortcut.
        event->accept();
        if (event->type() == QEvent::KeyPress)
            services_.help.showTopic(this, menuHelpTopics_.value(menu, MainWindowTopic));
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

// ---------------------------------------------------------------- start and stop

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TMainForm::FormShow() {
    FormResize();
    if (!takeWorkingFolder())
        return;
    // A data file that cannot be read is reported, and the start goes on with
    // an empty list so that the user still gets a grid to work on.
    guard([this] { document_.dictionary().load(); });
    guard([this] { document_.loadDefinitions(); });
    guard([this] { document_.dictionary().loadScores(); });
    // The clue base takes in the definitions the first time; one that cannot be
    // opened is set aside and the run goes on without it.
    document_.useClueBase(ClueBase::fileName(), services_.clock.now());
    if (const QString problem = document_.takeClueBaseProblem(); !problem.isEmpty())
        services_.messages.error(this, problem);
    dictionary_->Verifie();
    // An empty 8 by 8 grid, no history, every change flag clear.
    StringGrid1->move(0, 0);
    StringGrid1->resize(180, 180);
    document_.start();
    setWindowState(windowState() | Qt::WindowMaximized);
    DessinGrille();
    Remplit();
    Timer1Timer();
    QStringList status;
    for (const QString& note : {folderLock.takeOverNote(), document_.droppedLinesStatus()})
        if (!note.isEmpty())
            status.append(note);
    if (!status.isEmpty())
        setStatusText(status.join(QStringLiteral(" ; ")));
}

bool TMainForm::takeWorkingFolder() {
    if (!mustAskSecondInstance(folderLock.acquire()))
        return true;
    const StartDecision decision = secondInstanceDecision(
        services_.messages.choice(this, secondInstanceText(folderLock), secondInstanceChoices()));
    // Read-only: no data file of the folder is written; what changed goes beside.
    document_.setReadOnly(decision.readOnly);
    if (decision.takeOver)
        folderLock.takeOver();
    if (!decision.proceed)
        QTimer::singleShot(0, this, &QWidget::close);
    return decision.proceed;
}

bool TMainForm::FormCloseQuery() {
    // "Annuler" keeps the program running, and so does a save that failed;
    // a cancelled save dialog lets it close.
    return grid_->askToSave(document_.shortName());
}

bool TMainForm::FormClose() {
    // Files kept on the side are named to the user; a write that fails lets
    // the user try again, keep the changes in the home folder, or quit.
    bool mayClose = false;
    return guard([this, &mayClose] {
               mayClose =
                   writeAtExit(documentExitWrites(document_), services_, this, QDir::homePath());
           }) &&
           mayClose;
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // Long work is still reading: it ends first (or its "Annuler" does).
    if (busy_) {
        event->ignore();
        return;
    }
    if (!FormCloseQuery() || !FormClose()) {
        event->ignore();
        return;
    }
    Timer1->stop();
    event->accept();
}

void TMainForm::ExitItemClick() { close(); }

void TMainForm::About1Click() {
    if (!aboutBox_)
        aboutBox_ = new TAboutBox(this);
    services_.modal.run(*aboutBox_);
}

// ---------------------------------------------------------------- view zoom

void TMainForm::setZoom(int percent) {
    zoom_ = percent;
    zoomCrosswordGrid(*StringGrid1, zoom_);
}

// A zoom chosen by hand ends « Taille ajustée ».
void TMainForm::zoomInClick() {
    const int from = zoom_;
    fitAction_->setChecked(false);
    setZoom(std::max(from, nextZoom(from, true)));
}

void TMainForm::zoomOutClick() {
    const int from = zoom_;
    fitAction_->setChecked(false);
    setZoom(std::min(from, nextZoom(from, false)));
}

void TMainForm::normalSizeClick() {
    fitAction_->setChecked(false);
    setZoom(100);
}

bool TMainForm::fitsGrid() const { return fitAction_ && fitAction_->isChecked(); }

void TMainForm::fitSizeClick(bool on) {
    QSettings().setValue(kFitSizeKey, on);
    if (on) {
        fitGrid();
    } else {
        // Back to the normal size, at the program's place for the grid.
        StringGrid1->move(0, 0);
        setZoom(100);
    }
}

void TMainForm::fitGrid() {
    const int rows = grille().NbLignes;
    const int cols = grille().NbColonnes;
    if (!fitsGrid() || rows <= 0 || cols <= 0)
        return;
    const QSize space = gridPanel_->size();
    int percent = fittingZoom(rows, cols, space);
    setZoom(percent);
    // A header column widened for its labels may still overflow by a little.
    while (percent > kMinFitZoom &&
           (StringGrid1->width() > space.width() || StringGrid1->height() > space.height()))
        setZoom(--percent);
    StringGrid1->move(std::max(0, (space.width() - StringGrid1->width()) / 2),
                      std::max(0, (space.height() - StringGrid1->height()) / 2));
}

void TMainForm::frenchLabelsClick(bool on) {
    QSettings().setValue(kFrenchLabelsKey, on);
    document_.setLabelStyle(on ? LabelStyle::French : LabelStyle::Letters);
}

} // namespace orv
