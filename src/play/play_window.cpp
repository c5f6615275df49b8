// The play window's controls, drawing, keys, help commands and layout.
#include "play/play_window.h"

#include "common/codec.h"
#include "common/pictures.h"
#include "common/string_grid.h"
#include "publish/crossword_grid.h"
#include "search/letter_picker.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

namespace orv {
namespace {

constexpr int kToolBar = 33;     // height of the tool bar
constexpr int kNumberWidth = 30; // the clue lists' fixed column
constexpr int kClueWidth = 424;
const QColor kFixedColor(212, 208, 200);

QTableWidget* clueList(QWidget* parent, const char* name) {
    auto* list = new QTableWidget(0, 2, parent);
    list->setObjectName(QString::fromLatin1(name));
    list->horizontalHeader()->hide();
    list->verticalHeader()->hide();
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->verticalHeader()->setDefaultSectionSize(24);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setWordWrap(false);
    // Out of the tab order, as a reference beside the grid; a click still
    // gives it the keys, to scroll a long list.
    list->setFocusPolicy(Qt::ClickFocus);
    list->setColumnWidth(0, kNumberWidth);
    list->setColumnWidth(1, kClueWidth);
    return list;
}

void ensureRow(QTableWidget* list, int row) {
    if (list->rowCount() <= row)
        list->setRowCount(row + 1);
}

void setClue(QTableWidget* list, int row, const QByteArray& clue) {
    if (row < 0)
        return;
    ensureRow(list, row);
    const QString text = toUi(clue);
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    // A clue wider than its column is cut on screen; the tip shows it whole.
    item->setToolTip(text);
    list->setItem(row, 1, item);
}

} // namespace

TGrilleJeu::TGrilleJeu(Services& services, Links links, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      services_(services), links_(std::move(links)) {
    setObjectName(QStringLiteral("GrilleJeu"));
    setWindowTitle(QStringLiteral("Joeur aux mots-croisés"));
    resize(723, 542);

    buildToolBar();

    StringGrid1 = new StringGrid(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    configureCrosswordGrid(*StringGrid1);
    StringGrid1->onDrawCell = [this](QPainter& p, int c, int r, const QRect& rect) {
        EcritCell(p, c, r, cellPaintRect(rect));
    };
    StringGrid1->onKeyPress = [this](QChar& key) { StringGrid1KeyPress(key); };
    StringGrid1->onKeyDown = [this](int& key) { StringGrid1KeyDown(key); };
    StringGrid1->move(8, kToolBar + 8);

    buildCluePanel();
}

void TGrilleJeu::buildToolBar() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1 = panel;

    struct Button {
        const char* name;
        const char* hint;
        ToolPicture picture;
        void (TGrilleJeu::*handler)();
    };
    const Button buttons[] = {
        {"SpeedButton31", "Dictionnaire", ToolPicture::Dictionary, &TGrilleJeu::SpeedButton31Click},
        {"SpeedButton30", "Recherche de mot", ToolPicture::Search, &TGrilleJeu::SpeedButton30Click},
        {"SpeedButton1", "Montrer la lettre", ToolPicture::ShowLetter,
         &TGrilleJeu::SpeedButton1Click},
        {"SpeedButton2", "Placer une lettre", ToolPicture::PlaceLetter,
         &TGrilleJeu::SpeedButton2Click},
    };
    int x = 4;
    for (const Button& b : buttons) {
        QToolButton* button =
            makeToolButton(Panel1, b.name, QString::fromUtf8(b.hint), b.picture, QPoint(x, 4));
        // Reachable by Tab: the window has no menu to run them from the keyboard.
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QToolButton::clicked, this, b.handler);
        x += 25;
    }

    Label3 = new QLabel(Panel1);
    Label3->setObjectName(QStringLiteral("Label3"));
    QFont bold = Label3->font();
    bold.setBold(true);
    Label3->setFont(bold);
    Label3->setGeometry(0, 8, 95, 17);

    Button1 = new QPushButton(QStringLiteral("Fermer"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(0, 4, 75, 25);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &QDialog::close);
}

void TGrilleJeu::buildCluePanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel2"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2 = panel;

    Label1 = new QLabel(QStringLiteral("Horizontalement"), Panel2);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(8, 8);
    Label1->adjustSize();
    StringGrid2 = clueList(Panel2, "StringGrid2");
    StringGrid2->move(8, 23);

    Label2 = new QLabel(QStringLiteral("Verticalement"), Panel2);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(8, 0);
    Label2->adjustSize();
    StringGrid3 = clueList(Panel2, "StringGrid3");
}

// ---------------------------------------------------------------- set-up

void TGrilleJeu::Init(int NbL, int NbC) {
    Jeu.Init(NbL, NbC);
    updatePoints();
}

void TGrilleJeu::InitA(int Row, int Col, char Ch) { Jeu.InitA(Row, Col, Ch); }

void TGrilleJeu::InitDefHoriz(int i, const QByteArray& clue) { setClue(StringGrid2, i, clue); }

void TGrilleJeu::InitDefVert(int j, const QByteArray& clue) { setClue(StringGrid3, j, clue); }

void TGrilleJeu::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TGrilleJeu::FormShow() {
    setWindowState(windowState() | Qt::WindowMaximized);
    Jeu.CacheLettres();
    afficheLabels(StringGrid2, Jeu.JeuLignes - 1, false);
    afficheLabels(StringGrid3, Jeu.JeuColonnes - 1, true);
    DessinGrille();
    Remplit();
    FormResize();
    StringGrid1->setFocus(Qt::OtherFocusReason);
}

void TGrilleJeu::afficheLabels(QTableWidget* list, int rows, bool letters) {
    list->setRowCount(std::max(rows, 0));
    for (int i = 0; i < list->rowCount(); ++i) {
        auto* item =
            new QTableWidgetItem(letters ? QString(QChar(u'A' + i)) : QString::number(i + 1));
        item->setFlags(Qt::ItemIsEnabled);
        item->setTextAlignment(Qt::AlignCenter);
        item->setBackground(kFixedColor);
        list->setItem(i, 0, item);
    }
    list->scrollToTop();
}

void TGrilleJeu::updatePoints() { Label3->setText(Jeu.TextePoints()); }

// ---------------------------------------------------------------- drawing

void TGrilleJeu::DessinGrille() { sizeCrosswordGrid(*StringGrid1, Jeu.JeuLignes, Jeu.JeuColonnes); }

void TGrilleJeu::Remplit() {
    // The control paints every cell through EcritCell: a full repaint brings
    // every playing cell up to date with the player's grid.
    StringGrid1->update();
}

void TGrilleJeu::EcritCell(QPainter& painter, int col, int row, const QRect& rect) {
    if (col >= 0 && row >= 0 && col <= kMaxIndex && row <= kMaxIndex)
        paintCellCode(painter, Jeu.joueur(col, row), rect, *StringGrid1);
}

// ---------------------------------------------------------------- keys and commands

void TGrilleJeu::StringGrid1KeyPress(QChar& key) {
    typeOnCurrentCell(*StringGrid1, key,
                      [this](char& k, int col, int row) { Jeu.Frappe(k, col, row); });
}

void TGrilleJeu::StringGrid1KeyDown(int& key) {
    const int col = StringGrid1->col();
    const int row = StringGrid1->row();
    if (Jeu.ToucheBas(key, col, row))
        StringGrid1->updateCell(col, row);
}

void TGrilleJeu::SpeedButton1Click() {
    const int col = StringGrid1->col();
    const int row = StringGrid1->row();
    Jeu.MontreLettre(col, row);
    StringGrid1->updateCell(col, row);
    updatePoints();
}

void TGrilleJeu::SpeedButton2Click() {
    TLettre* picker = links_.letterPicker ? links_.letterPicker() : nullptr;
    if (!picker)
        return;
    services_.modal.run(*picker);
    char lettre = '\0';
    picker->Result(lettre);
    if (lettre == '\0')
        return;
    Jeu.PlaceLettre(lettre);
    Remplit();
    updatePoints();
}

void TGrilleJeu::SpeedButton30Click() {
    if (links_.search)
        links_.search();
}

void TGrilleJeu::SpeedButton31Click() {
    if (links_.browse)
        links_.browse();
}

// ---------------------------------------------------------------- layout

void TGrilleJeu::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormResize();
}

void TGrilleJeu::FormResize() {
    // The tool bar spans the top; the clue panel hugs the right edge below it.
    Panel1->setGeometry(0, 0, width(), kToolBar);
    Button1->move(Panel1->width() - 100, Button1->y());
    Label3->move(Panel1->width() - 200, Label3->y());

    StringGrid2->setColumnWidth(0, kNumberWidth);
    StringGrid3->setColumnWidth(0, kNumberWidth);

    const int panelWidth =
        std::max(0, std::min(frameGeometry().width() - StringGrid1->width() - 20, 460));
    Panel2->setGeometry(width() - panelWidth, kToolBar, panelWidth,
                        std::max(0, height() - kToolBar));
    const int listWidth = std::max(0, panelWidth - 20);
    const int half = Panel2->height() / 2;
    const int listHeight = std::max(0, half - 30);
    StringGrid2->setGeometry(StringGrid2->x(), 23, listWidth, listHeight);
    Label2->move(Label2->x(), half);
    StringGrid3->setGeometry(8, half + 16, listWidth, listHeight);
}

} // namespace orv
