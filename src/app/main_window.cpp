// The main window's shell: controls, menus, tool bar, status bar, the grid's
// drawing and keys, start-up and close. The commands live with their subsystems.
#include "app/main_window.h"

#include "app/about_box.h"
#include "app/pictures.h"
#include "common/codec.h"
#include "common/crossword_grid.h"
#include "common/keys.h"
#include "common/locale.h"
#include "common/string_grid.h"
#include "definitions/clue_sheet_window.h"
#include "definitions/definitions_window.h"
#include "dictionary/dictionary_browser.h"
#include "dictionary/statistics_window.h"
#include "dictionary/word_dialog.h"
#include "grid/dimensions_dialog.h"
#include "help/help_pages.h"
#include "play/play_window.h"
#include "search/letter_picker.h"
#include "search/word_search_window.h"
#include "utilities/calculator_window.h"
#include "utilities/calendar_window.h"
#include "utilities/clock_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace orv {

using namespace help;

TMainForm::TMainForm(Services& services, QWidget* parent)
    : QMainWindow(parent), services_(services) {
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
    buildToolBar(speedPanel);
    layout->addWidget(speedPanel);

    auto* panel1 = new QWidget(central);
    panel1->setObjectName(QStringLiteral("Panel1"));
    layout->addWidget(panel1, 1);

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

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    Timer1->start();

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this,
            [this] { services_.help.showTopic(this, MainWindowTopic); });

    // FormCreate: the two shared lists exist (empty) from here on.
    ListeMots.clear();
    ListeDefs.clear();
}

TMainForm::~TMainForm() = default;

QAction* TMainForm::addCommand(QMenu* menu, const QString& name, const QString& caption,
                               const QString& hint, void (TMainForm::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setStatusTip(hint);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void TMainForm::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("SDIAppMenu"));

    QMenu* file = bar->addMenu(QStringLiteral("&Fichier"));
    file->setObjectName(QStringLiteral("FileMenu"));
    addCommand(file, QStringLiteral("NewItem"), QStringLiteral("&Nouvelle grille"),
               QStringLiteral("Nouvelle grille"), &TMainForm::NewItemClick);
    addCommand(file, QStringLiteral("OpenItem"), QStringLiteral("&Ouvrir..."),
               QStringLiteral("Ouvrir une grille"), &TMainForm::OpenItemClick);
    file->addSeparator();
    addCommand(file, QStringLiteral("Enregistrer1"), QStringLiteral("&Enregistrer"),
               QStringLiteral("Enregistrer grille"), &TMainForm::Enregistrer1Click);
    addCommand(file, QStringLiteral("Enregistrersous1"), QStringLiteral("Enregistrer &sous..."),
               QStringLiteral("Enregistrer grille sous un autre nom"),
               &TMainForm::Enregistrersous1Click);
    file->addSeparator();
    addCommand(file, QStringLiteral("Importerfichier1"), QStringLiteral("Im&porter fichier..."),
               QStringLiteral("Importer fichier de mots"), &TMainForm::Importerfichier1Click);
    file->addSeparator();
    QAction* exit = addCommand(file, QStringLiteral("ExitItem"), QStringLiteral("&Quitter"),
                               QStringLiteral("Quitter l'application"), &TMainForm::ExitItemClick);
    exit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));

    QMenu* words = bar->addMenu(QStringLiteral("&Mots"));
    words->setObjectName(QStringLiteral("MotsMenu"));
    addCommand(words, QStringLiteral("Ajoutermot1"), QStringLiteral("&Ajouter mot"),
               QStringLiteral("Ajouter un mot"), &TMainForm::Ajoutermot1Click);
    addCommand(words, QStringLiteral("Supprimermot1"), QStringLiteral("&Supprimer mot"),
               QStringLiteral("Supprimer un mot"), &TMainForm::Supprimermot1Click);
    words->addSeparator();
    addCommand(words, QStringLiteral("Dictionnaire1"), QStringLiteral("&Dictionnaire"),
               QStringLiteral("Liste des mots"), &TMainForm::Dictionnaire1Click);
    addCommand(words, QStringLiteral("Statistiques1"), QStringLiteral("&Statistiques"),
               QStringLiteral("Statistiques sur le dictionnaire"), &TMainForm::Statistiques1Click);
    words->addSeparator();
    addCommand(words, QStringLiteral("Recherchedemots1"), QStringLiteral("&Recherche de mots"),
               QStringLiteral("Rechercher un mot"), &TMainForm::Recherchedemots1Click);
    addCommand(words, QStringLiteral("Dfinitiondesmots1"), QStringLiteral("Dé&finition des mots"),
               QStringLiteral("Définition des mots"), &TMainForm::Dfinitiondesmots1Click);

    QMenu* grid = bar->addMenu(QStringLiteral("&Grille"));
    grid->setObjectName(QStringLiteral("GrilleMenu"));
    addCommand(grid, QStringLiteral("Dimensions1"), QStringLiteral("&Dimensions"),
               QStringLiteral("Dimensions de la grille"), &TMainForm::Dimensions1Click);
    addCommand(grid, QStringLiteral("Dfinitions1"), QStringLiteral("Dé&finitions de grille"),
               QStringLiteral("Définitions des mots"), &TMainForm::Dfinitions1Click);
    grid->addSeparator();
    addCommand(grid, QStringLiteral("Placercasesnoires1"), QStringLiteral("&Placer cases noires"),
               QStringLiteral("Placer les cases noires"), &TMainForm::Placercasesnoires1Click);

    QMenu* game = bar->addMenu(QStringLiteral("&Jeu"));
    game->setObjectName(QStringLiteral("JeuMenu"));
    addCommand(game, QStringLiteral("Jouer1"), QStringLiteral("&Jouer"),
               QStringLiteral("Joueur aux mots-croisés"), &TMainForm::Jouer1Click);

    QMenu* tools = bar->addMenu(QStringLiteral("&Utilitaires"));
    tools->setObjectName(QStringLiteral("UtilitairesMenu"));
    addCommand(tools, QStringLiteral("Calendrier1"), QStringLiteral("&Calendrier"),
               QStringLiteral("Calendrier"), &TMainForm::Calendrier1Click);
    addCommand(tools, QStringLiteral("Calculatrice1"), QStringLiteral("C&alculatrice"),
               QStringLiteral("Calculatrice"), &TMainForm::Calculatrice1Click);
    addCommand(tools, QStringLiteral("Hotloge1"), QStringLiteral("&Horloge"),
               QStringLiteral("Horloge"), &TMainForm::Hotloge1Click);

    QMenu* help = bar->addMenu(QStringLiteral("&Aide"));
    help->setObjectName(QStringLiteral("AideMenu"));
    QAction* contents = help->addAction(QStringLiteral("&Sommaire de l'aide"));
    contents->setObjectName(QStringLiteral("Sommaire1"));
    contents->setStatusTip(QStringLiteral("Sommaire de l'aide"));
    connect(contents, &QAction::triggered, this,
            [this] { services_.help.showTopic(this, ContentsTopic); });
    help->addSeparator();
    addCommand(help, QStringLiteral("About1"), QStringLiteral("&A propos..."),
               QStringLiteral("Informations sur le logiciel"), &TMainForm::About1Click);

    menuHelpTopics_ = {{file, FileMenuTopic}, {words, WordsMenuTopic}, {tools, UtilitiesMenuTopic},
                       {help, HelpMenuTopic}, {grid, MainWindowTopic}, {game, MainWindowTopic}};
    for (QMenu* m : menuHelpTopics_.keys())
        m->installEventFilter(this);
}

void TMainForm::buildToolBar(QWidget* panel) {
    struct Button {
        const char* name;
        const char* hint;
        ToolPicture picture;
        void (TMainForm::*handler)();
    };
    const Button buttons[] = {
        {"OpenBtn", "Nouvelle grille", ToolPicture::NewGrid, &TMainForm::NewItemClick},
        {"SpeedButton2", "Ouvrir", ToolPicture::Open, &TMainForm::OpenItemClick},
        {"SpeedButton1", "Enregistrer", ToolPicture::Save, &TMainForm::Enregistrer1Click},
        {"SpeedButton28", "Ajouter mot", ToolPicture::AddWord, &TMainForm::Ajoutermot1Click},
        {"SpeedButton27", "Supprimer mot", ToolPicture::DeleteWord, &TMainForm::Supprimermot1Click},
        {"SpeedButton31", "Dictionnaire", ToolPicture::Dictionary, &TMainForm::Dictionnaire1Click},
        {"SpeedButton32", "Statistiques", ToolPicture::Statistics, &TMainForm::Statistiques1Click},
        {"SpeedButton30", "Recherche de mot", ToolPicture::Search,
         &TMainForm::Recherchedemots1Click},
        {"SpeedButton34", "Dimensions de la grille", ToolPicture::Dimensions,
         &TMainForm::Dimensions1Click},
        {"SpeedButton3", "Définitions", ToolPicture::Clues, &TMainForm::Dfinitions1Click},
        {"SpeedButton4", "Placer cases noires", ToolPicture::BlackSquares,
         &TMainForm::Placercasesnoires1Click},
        {"ExitBtn", "Jouer", ToolPicture::Play, &TMainForm::Jouer1Click},
    };
    int x = 4;
    int index = 0;
    for (const Button& b : buttons) {
        QToolButton* button =
            makeToolButton(panel, b.name, QString::fromUtf8(b.hint), b.picture, QPoint(x, 4));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, b.handler);
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

void TMainForm::CreeFenetres() {
    // The order is part of the program's start-up.
    Ajout = new TAjout(this);
    AboutBox = new TAboutBox(this);
    Stats = new TStats(this);
    Dico = new TDico(this);
    Calendrier = new TCalendrier(services_, this);
    Horloge = new THorloge(services_, this);
    Pocket = new TPocket(services_, this);
    RMots = new TRMots(this);
    FTaille = new TFTaille(this);
    Definitions = new TDefinitions(this);
    Defgrille = new TDefgrille(this);
    GrilleJeu = new TGrilleJeu(services_,
                               {[this] { Dictionnaire1Click(); },
                                [this] { Recherchedemots1Click(); }, [this] { return Lettre; }},
                               this);
    Lettre = new TLettre(this);
}

// ---------------------------------------------------------------- drawing

void TMainForm::DessinGrille() {
    sizeCrosswordGrid(*StringGrid1, grille.NbLignes, grille.NbColonnes);
}

void TMainForm::Remplit() {
    // The grid control paints every cell through EcritCell; asking for a full
    // repaint brings every playing cell up to date with Cases.
    StringGrid1->update();
}

void TMainForm::EcritCell(QPainter& painter, int col, int row, const QRect& rect) {
    if (col >= 0 && row >= 0 && col <= kMaxIndex && row <= kMaxIndex)
        paintCellCode(painter, grille.cell(col, row), rect, *StringGrid1);
}

// ---------------------------------------------------------------- keys

void TMainForm::FormKeyPress(QChar& key) {
    typeOnCurrentCell(*StringGrid1, key, [this](char& k, int col, int row) {
        if (grille.isPlayingCell(col, row))
            typeOnCell(grille, k, col, row);
    });
}

void TMainForm::FormKeyDown(int& key) {
    const int col = StringGrid1->col();
    const int row = StringGrid1->row();
    if (grille.isPlayingCell(col, row) && keyDownOnCell(grille, key, col, row))
        StringGrid1->updateCell(col, row);
}

// ---------------------------------------------------------------- status bar

void TMainForm::ShowHint(const QString& hint) { panel0->setText(hint); }

void TMainForm::setStatusText(const QString& text) { panel0->setText(text); }

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
    setWindowTitle(grille.NomCourt.isEmpty()
                       ? applicationTitle()
                       : applicationTitle() + QStringLiteral(" - ") + grille.NomCourt);
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
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
    // A data file that cannot be read is reported, and the start goes on with
    // an empty list so that the user still gets a grid to work on.
    guard([this] { ChargeDictionnaire(); });
    guard([this] { ChargeDefinitions(); });
    Verifie();
    grille.Modifie = false;
    MotsModifies = false;
    DefsModifiees = false;
    grille.NbLignes = 8;
    grille.NbColonnes = 8;
    StringGrid1->move(0, 0);
    StringGrid1->resize(180, 180);
    grille.Raz();
    setWindowState(windowState() | Qt::WindowMaximized);
    DessinGrille();
    Remplit();
    Timer1Timer();
}

bool TMainForm::FormCloseQuery() {
    // "Annuler" keeps the program running, and so does a save that failed;
    // a cancelled save dialog lets it close.
    return DemandeEnregistrer(grille.NomCourt);
}

bool TMainForm::FormClose() {
    return guard([this] {
        if (grille.Modifie || MotsModifies)
            EcritDictionnaire();
        if (DefsModifiees)
            EcritDefinitions();
    });
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery() || !FormClose()) {
        event->ignore();
        return;
    }
    Timer1->stop();
    event->accept();
}

void TMainForm::ExitItemClick() { close(); }

void TMainForm::About1Click() { services_.modal.run(*AboutBox); }

} // namespace orv
