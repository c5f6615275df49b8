// The arrow-word window.
#include "arrowword/arrow_word_window.h"

#include "arrowword/arrow_file.h"
#include "common/command_guard.h"
#include "common/errors.h"
#include "publish/arrow_grid_export.h"
#include "publish/arrow_grid_painting.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace orv {
namespace {

constexpr ArrowDirection kArrows[] = {ArrowDirection::Right, ArrowDirection::Down,
                                      ArrowDirection::RightThenDown, ArrowDirection::DownThenRight};

const QColor kTooLongInk(0xc0, 0x00, 0x00);

QString tooLongText() { return QStringLiteral("Trop long pour sa case"); }

// An item of the clue list, made once and then only changed.
QTableWidgetItem* listItem(QTableWidget* table, int row, int column, bool editable) {
    QTableWidgetItem* item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        if (editable)
            flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
        table->setItem(row, column, item);
    }
    return item;
}

void setItemText(QTableWidgetItem* item, const QString& text) {
    if (item->text() != text)
        item->setText(text);
}

QString arrowCaption(ArrowDirection d) {
    QString name = arrowDirectionName(d);
    name[0] = name[0].toUpper();
    return arrowSign(d) + QLatin1Char(' ') + name;
}

} // namespace

ArrowSizeDialog::ArrowSizeDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ArrowSizeDialog"));
    setWindowTitle(QStringLiteral("Nouvelle grille de mots fléchés"));
    auto* form = new QFormLayout(this);
    rowsBox = new QSpinBox(this);
    rowsBox->setRange(5, kMaxArrowSide);
    rowsBox->setValue(11);
    columnsBox = new QSpinBox(this);
    columnsBox->setRange(5, kMaxArrowSide);
    columnsBox->setValue(9);
    form->addRow(QStringLiteral("&Lignes :"), rowsBox);
    form->addRow(QStringLiteral("&Colonnes :"), columnsBox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

ArrowGridView::ArrowGridView(ArrowWordWindow& window, QWidget* parent)
    : QWidget(parent), window_(window) {
    setObjectName(QStringLiteral("arrowGrid"));
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

QSize ArrowGridView::sizeHint() const {
    const ArrowGrid& g = window_.document().grid();
    return QSize(int(std::ceil(g.columns() * cellSize_)) + 8,
                 int(std::ceil(g.rows() * cellSize_)) + 8);
}

Cell ArrowGridView::cellAt(QPointF p) const {
    const ArrowGrid& g = window_.document().grid();
    const Cell c{int(std::floor((p.x() - 4) / cellSize_)) + 1,
                 int(std::floor((p.y() - 4) / cellSize_)) + 1};
    return g.contains(c) ? c : Cell{};
}

QPointF ArrowGridView::cellCentre(Cell cell) const {
    return {4 + (cell.col - 0.5) * cellSize_, 4 + (cell.row - 0.5) * cellSize_};
}

void ArrowGridView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    ArrowPaintOptions options;
    options.cellSize = cellSize_;
    const QPointF origin(4, 4);
    paintArrowGrid(painter, window_.document().grid(), options, origin);
    const QRectF here = arrowCellRect(options, origin, window_.current());
    // A clue too long for its cell on the printed page is framed in red.
    const ArrowGrid& g = window_.document().grid();
    painter.setPen(QPen(kTooLongInk, 2));
    painter.setBrush(Qt::NoBrush);
    for (int r = 1; r <= g.rows(); ++r)
        for (int c = 1; c <= g.columns(); ++c) {
            const int count = int(g.at({c, r}).clues.size());
            for (int k = 0; k < count; ++k)
                if (!window_.clueFits({c, r}, k))
                    painter.drawRect(clueBox(arrowCellRect(options, origin, {c, r}), k, count));
        }
    painter.fillRect(here, QColor(255, 210, 0, hasFocus() ? 90 : 50));
    painter.setPen(QPen(QColor(0xd0, 0x60, 0x00), 3));
    painter.drawRect(here.adjusted(1.5, 1.5, -1.5, -1.5));
}

bool ArrowGridView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const Cell cell = cellAt(help->pos());
    bool tooLong = false;
    if (window_.document().grid().isDefinition(cell))
        for (int k = 0; k < int(window_.document().grid().at(cell).clues.size()); ++k)
            tooLong = tooLong || !window_.clueFits(cell, k);
    if (tooLong)
        QToolTip::showText(help->globalPos(), tooLongText(), this);
    else
        QToolTip::hideText();
    return true;
}

void ArrowGridView::mousePressEvent(QMouseEvent* event) {
    setFocus();
    const Cell cell = cellAt(event->position());
    if (cell.col == 0)
        return;
    window_.setCurrent(cell);
    if (event->button() == Qt::RightButton)
        window_.cellMenu()->popup(event->globalPosition().toPoint());
}

void ArrowGridView::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        window_.moveBy(-1, 0);
        return;
    case Qt::Key_Up:
        window_.moveBy(0, -1);
        return;
    case Qt::Key_Right:
        if (ctrl)
            window_.toggleArrow(shift ? ArrowDirection::RightThenDown : ArrowDirection::Right);
        else
            window_.moveBy(1, 0);
        return;
    case Qt::Key_Down:
        if (ctrl)
            window_.toggleArrow(shift ? ArrowDirection::DownThenRight : ArrowDirection::Down);
        else
            window_.moveBy(0, 1);
        return;
    case Qt::Key_Space:
        window_.toggleDefinition();
        return;
    case Qt::Key_Backspace:
        window_.eraseLetter(true);
        return;
    case Qt::Key_Delete:
        window_.eraseLetter(false);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (window_.clueEdits[0]->isEnabled())
            window_.clueEdits[0]->setFocus();
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && !ctrl) {
        const QChar ch = text.at(0);
        if (ch >= QLatin1Char('1') && ch <= QLatin1Char('4')) {
            window_.toggleArrow(kArrows[ch.unicode() - '1']);
            return;
        }
        // Accented letters are typed as their plain letter, as on the crossword grid.
        const QString plain = text.normalized(QString::NormalizationForm_D).toUpper();
        const QChar base = plain.isEmpty() ? QChar() : plain.at(0);
        if (base >= QLatin1Char('A') && base <= QLatin1Char('Z')) {
            window_.typeLetter(char(base.unicode()));
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

ArrowWordWindow::ArrowWordWindow(Services& services, QWidget* parent)
    : QDialog(parent), services_(services) {
    setObjectName(QStringLiteral("ArrowWordWindow"));
    doc_.reset(ArrowGrid(11, 9));
    auto* top = new QHBoxLayout(this);
    view = new ArrowGridView(*this, this);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(view);
    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignCenter);
    top->addWidget(scroll_, 1);

    auto* sidePanel = new QWidget(this);
    sidePanel->setFixedWidth(380);
    auto* side = new QVBoxLayout(sidePanel);
    side->setContentsMargins(0, 0, 0, 0);
    top->addWidget(sidePanel);
    cellLabel = new QLabel(this);
    side->addWidget(cellLabel);
    cellLabel->setWordWrap(true);
    auto* clues = new QGroupBox(QStringLiteral("Définitions de la case"), this);
    auto* clueLayout = new QFormLayout(clues);
    for (int k = 0; k < kMaxCellClues; ++k) {
        arrowBoxes[k] = new QComboBox(clues);
        arrowBoxes[k]->setObjectName(QStringLiteral("arrowBox%1").arg(k + 1));
        arrowBoxes[k]->addItem(QStringLiteral("(aucune)"));
        for (const ArrowDirection d : kArrows)
            arrowBoxes[k]->addItem(arrowCaption(d));
        clueEdits[k] = new QLineEdit(clues);
        clueEdits[k]->setObjectName(QStringLiteral("clueEdit%1").arg(k + 1));
        clueEdits[k]->setMaxLength(kMaxArrowClueLength);
        clueLayout->addRow(QStringLiteral("Flèche %1 :").arg(k + 1), arrowBoxes[k]);
        clueLayout->addRow(QStringLiteral("Définition %1 :").arg(k + 1), clueEdits[k]);
        connect(arrowBoxes[k], &QComboBox::activated, this, [this, k] { arrowChosen(k); });
        connect(clueEdits[k], &QLineEdit::editingFinished, this, [this, k] { clueEdited(k); });
        connect(clueEdits[k], &QLineEdit::textChanged, this, [this, k] { markClueEdit(k); });
        clueEdits[k]->installEventFilter(this);
    }
    side->addWidget(clues);
    auto* hint = new QLabel(QStringLiteral("Espace : case de définition ou case de lettre\n"
                                           "1 à 4 : flèche → ↓ ↴ ↳ de la case de définition\n"
                                           "Entrée : écrire la définition"),
                            this);
    side->addWidget(hint);

    auto* listCaption = new QLabel(QStringLiteral("&Définitions de la grille :"), this);
    side->addWidget(listCaption);
    clueList = new QTableWidget(0, 3, this);
    clueList->setObjectName(QStringLiteral("clueList"));
    clueList->setHorizontalHeaderLabels(
        {QStringLiteral("Case"), QStringLiteral("Mot"), QStringLiteral("Définition")});
    clueList->verticalHeader()->hide();
    clueList->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    clueList->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    clueList->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    clueList->setSelectionBehavior(QAbstractItemView::SelectRows);
    clueList->setSelectionMode(QAbstractItemView::SingleSelection);
    clueList->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    clueList->setWordWrap(false);
    listCaption->setBuddy(clueList);
    // Room for a few lines of each list, however small the grid.
    clueList->setMinimumHeight(140);
    side->addWidget(clueList, 2);
    tooLongLabel = new QLabel(this);
    tooLongLabel->setObjectName(QStringLiteral("tooLongLabel"));
    side->addWidget(tooLongLabel);
    connect(clueList, &QTableWidget::cellChanged, this, &ArrowWordWindow::listClueEdited);
    connect(clueList, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { listRowChosen(row); });

    storedLabel = new QLabel(this);
    storedLabel->setWordWrap(true);
    side->addWidget(storedLabel);
    storedList = new QListWidget(this);
    storedList->setObjectName(QStringLiteral("storedClues"));
    storedLabel->setBuddy(storedList);
    storedList->setMinimumHeight(100);
    storedList->setWordWrap(true);
    storedList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    side->addWidget(storedList, 1);
    // Enter or a double click places the clue.
    connect(storedList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { placeStoredClue(storedList->row(item)); });
    side->addWidget(new QLabel(QStringLiteral("Vérification de la grille :"), this));
    problems = new QListWidget(this);
    problems->setObjectName(QStringLiteral("layoutProblems"));
    problems->setWordWrap(true);
    problems->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    problems->setMinimumHeight(80);
    side->addWidget(problems, 1);

    auto* buttons = new QGridLayout;
    auto button = [this, buttons](const QString& caption, const char* name, int row, int col) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        buttons->addWidget(b, row, col);
        return b;
    };
    undoButton = button(QStringLiteral("&Annuler"), "undoButton", 0, 0);
    redoButton = button(QStringLiteral("&Rétablir"), "redoButton", 0, 1);
    saveButton = button(QStringLiteral("&Enregistrer"), "saveButton", 1, 0);
    saveAsButton = button(QStringLiteral("Enregistrer &sous..."), "saveAsButton", 1, 1);
    exportButton = button(QStringLiteral("E&xporter..."), "exportButton", 2, 0);
    closeButton = button(QStringLiteral("&Fermer"), "closeButton", 2, 1);
    makeButton = new QPushButton(QStringLiteral("Créer une &grille de mots fléchés"), this);
    makeButton->setObjectName(QStringLiteral("makeButton"));
    makeButton->setAutoDefault(false);
    buttons->addWidget(makeButton, 3, 0, 1, 2);
    fillButton = button(QStringLiteral("Re&mplir"), "fillButton", 4, 0);
    connect(makeButton, &QPushButton::clicked, this, &ArrowWordWindow::makeClick);
    connect(fillButton, &QPushButton::clicked, this, &ArrowWordWindow::fillClick);
    side->addLayout(buttons);
    connect(undoButton, &QPushButton::clicked, this, &ArrowWordWindow::undoClick);
    connect(redoButton, &QPushButton::clicked, this, &ArrowWordWindow::redoClick);
    connect(saveButton, &QPushButton::clicked, this, &ArrowWordWindow::saveClick);
    connect(saveAsButton, &QPushButton::clicked, this, &ArrowWordWindow::saveAsClick);
    connect(exportButton, &QPushButton::clicked, this, &ArrowWordWindow::exportClick);
    connect(closeButton, &QPushButton::clicked, this, &ArrowWordWindow::reject);
    new QShortcut(QKeySequence::Undo, this, [this] { undoClick(); });
    new QShortcut(QKeySequence::Redo, this, [this] { redoClick(); });
    new QShortcut(QKeySequence::Save, this, [this] { saveClick(); });
    refresh();
}

ArrowWordWindow::~ArrowWordWindow() {
    // The fields and lists go after the window: an edit they end then
    // (a focus lost, an editor closed) has no window to go to.
    for (QObject* source : std::initializer_list<QObject*>{
             clueList, storedList, clueEdits[0], clueEdits[1], arrowBoxes[0], arrowBoxes[1]})
        source->disconnect(this);
}

template <typename F> bool ArrowWordWindow::guarded(F action) {
    return orv::guarded(services_.messages, this, std::move(action));
}

void ArrowWordWindow::startGrid(const ArrowGrid& grid, const QString& path) {
    doc_.reset(grid, path);
    current_ = {1, 1};
    currentClue_ = 0;
    storedLabel->clear();
    view->resize(view->sizeHint());
    // The whole grid in sight when the screen has room for it.
    scroll_->setMinimumSize(std::min(view->width() + 4, 1000), std::min(view->height() + 4, 760));
    adjustSize();
    refresh();
    view->setFocus();
}

void ArrowWordWindow::setCurrent(Cell cell) {
    if (!doc_.grid().contains(cell))
        return;
    if (!(cell == current_))
        currentClue_ = 0;
    current_ = cell;
    refresh();
}

void ArrowWordWindow::setCurrentClue(Cell cell, int index) {
    if (!doc_.grid().contains(cell))
        return;
    current_ = cell;
    currentClue_ = index;
    refresh();
}

void ArrowWordWindow::setStoredClueSource(StoredClueSource source) {
    storedSource_ = std::move(source);
    storedLabel->clear();
    refresh();
}

bool ArrowWordWindow::clueFits(const QString& text, int index, int count) const {
    const ArrowGrid& g = doc_.grid();
    const QString key =
        QStringLiteral("%1 %2 %3 %4 ").arg(g.rows()).arg(g.columns()).arg(index).arg(count) + text;
    const auto known = fits_.constFind(key);
    if (known != fits_.constEnd())
        return *known;
    const bool fits = clueFitsPrintedCell(g, text, index, count);
    fits_.insert(key, fits);
    return fits;
}

bool ArrowWordWindow::clueFits(Cell cell, int index) const {
    const ArrowGrid& g = doc_.grid();
    if (!g.isDefinition(cell))
        return true;
    const std::vector<ArrowClue>& clues = g.at(cell).clues;
    if (index < 0 || index >= int(clues.size()))
        return true;
    return clueFits(clues[std::size_t(index)].text, index, int(clues.size()));
}

int ArrowWordWindow::tooLongCount() const {
    const ArrowGrid& g = doc_.grid();
    int count = 0;
    for (int r = 1; r <= g.rows(); ++r)
        for (int c = 1; c <= g.columns(); ++c)
            for (int k = 0; k < int(g.at({c, r}).clues.size()); ++k)
                count += !clueFits({c, r}, k);
    return count;
}

void ArrowWordWindow::placeStoredClue(int index) {
    const ArrowGrid& g = doc_.grid();
    if (index < 0 || index >= int(stored_.size()) || !g.isDefinition(current_) ||
        currentClue_ >= int(g.at(current_).clues.size()))
        return;
    setClueText(current_, currentClue_, stored_[std::size_t(index)].clue);
}

void ArrowWordWindow::setClueText(Cell cell, int index, const QString& text) {
    ArrowGrid g = doc_.grid();
    if (!g.isDefinition(cell) || index >= int(g.at(cell).clues.size()))
        return;
    g.setClueText(cell, index, text.simplified());
    apply(g, QStringLiteral("Définition"));
}

void ArrowWordWindow::apply(const ArrowGrid& after, const QString& label) {
    doc_.apply(after, label);
    refresh();
}

void ArrowWordWindow::toggleDefinition() {
    ArrowGrid g = doc_.grid();
    const bool make = !g.isDefinition(current_);
    g.setDefinition(current_, make);
    apply(g, make ? QStringLiteral("Case de définition") : QStringLiteral("Case de lettre"));
}

void ArrowWordWindow::toggleArrow(ArrowDirection direction) {
    ArrowGrid g = doc_.grid();
    if (!g.isDefinition(current_))
        g.setDefinition(current_, true);
    if (g.toggleArrow(current_, direction))
        apply(g, QStringLiteral("Flèche"));
}

void ArrowWordWindow::typeLetter(char letter) {
    if (!doc_.grid().isLetterCell(current_))
        return;
    ArrowGrid g = doc_.grid();
    g.setLetter(current_, letter);
    apply(g, QStringLiteral("Lettre"));
    const Cell next =
        across_ ? Cell{current_.col + 1, current_.row} : Cell{current_.col, current_.row + 1};
    if (doc_.grid().isLetterCell(next))
        setCurrent(next);
}

void ArrowWordWindow::eraseLetter(bool moveBack) {
    if (doc_.grid().isLetterCell(current_) && doc_.grid().at(current_).letter != ' ') {
        ArrowGrid g = doc_.grid();
        g.setLetter(current_, ' ');
        apply(g, QStringLiteral("Lettre effacée"));
    } else if (moveBack) {
        const Cell back =
            across_ ? Cell{current_.col - 1, current_.row} : Cell{current_.col, current_.row - 1};
        if (doc_.grid().isLetterCell(back)) {
            setCurrent(back);
            eraseLetter(false);
        }
    }
}

void ArrowWordWindow::moveBy(int dc, int dr) {
    if (dc != 0)
        across_ = true;
    if (dr != 0)
        across_ = false;
    setCurrent({current_.col + dc, current_.row + dr});
}

QMenu* ArrowWordWindow::cellMenu() {
    if (!menu_)
        menu_ = new QMenu(this);
    menu_->clear();
    const ArrowGrid& g = doc_.grid();
    QAction* definition = menu_->addAction(QStringLiteral("Case de &définition"));
    definition->setObjectName(QStringLiteral("definitionAction"));
    definition->setCheckable(true);
    definition->setChecked(g.isDefinition(current_));
    connect(definition, &QAction::triggered, this, [this] { toggleDefinition(); });
    menu_->addSeparator();
    for (const ArrowDirection d : kArrows) {
        QAction* a = menu_->addAction(arrowCaption(d));
        a->setObjectName(QStringLiteral("arrowAction%1").arg(int(d) + 1));
        a->setCheckable(true);
        bool has = false;
        if (g.isDefinition(current_))
            for (const ArrowClue& clue : g.at(current_).clues)
                has = has || clue.direction == d;
        a->setChecked(has);
        a->setEnabled(has || !g.isDefinition(current_) ||
                      int(g.at(current_).clues.size()) < kMaxCellClues);
        connect(a, &QAction::triggered, this, [this, d] { toggleArrow(d); });
    }
    return menu_;
}

void ArrowWordWindow::arrowChosen(int index) {
    if (refreshing_)
        return;
    ArrowGrid g = doc_.grid();
    if (!g.isDefinition(current_))
        return;
    const int choice = arrowBoxes[index]->currentIndex();
    if (choice == 0)
        g.removeClue(current_, index);
    else
        g.setArrow(current_, std::min(index, int(g.at(current_).clues.size())),
                   kArrows[choice - 1]);
    apply(g, QStringLiteral("Flèche"));
}

void ArrowWordWindow::clueEdited(int index) {
    if (refreshing_)
        return;
    setClueText(current_, index, clueEdits[index]->text());
}

void ArrowWordWindow::markClueEdit(int index) {
    const ArrowGrid& g = doc_.grid();
    const int count = g.isDefinition(current_) ? int(g.at(current_).clues.size()) : 0;
    const bool fits =
        index >= count || clueFits(clueEdits[index]->text().simplified(), index, count);
    if (clueEdits[index]->toolTip().isEmpty() == fits)
        return;
    clueEdits[index]->setToolTip(fits ? QString() : tooLongText());
    clueEdits[index]->setStyleSheet(fits ? QString()
                                         : QStringLiteral("QLineEdit { color: #c00000; }"));
}

bool ArrowWordWindow::eventFilter(QObject* watched, QEvent* event) {
    // The clue typed in the side panel is the one worked on.
    if (event->type() == QEvent::FocusIn)
        for (int k = 0; k < kMaxCellClues; ++k)
            if (watched == clueEdits[k] && k != currentClue_ && clueEdits[k]->isEnabled()) {
                currentClue_ = k;
                refresh();
            }
    return QDialog::eventFilter(watched, event);
}

void ArrowWordWindow::listClueEdited(int row, int column) {
    if (refreshing_ || column != 2)
        return;
    const QTableWidgetItem* where = clueList->item(row, 0);
    const QTableWidgetItem* text = clueList->item(row, 2);
    if (!where || !text)
        return;
    const QPoint cell = where->data(Qt::UserRole).toPoint();
    setClueText({cell.x(), cell.y()}, where->data(Qt::UserRole + 1).toInt(), text->text());
}

void ArrowWordWindow::listRowChosen(int row) {
    if (refreshing_ || row < 0 || !clueList->item(row, 0))
        return;
    const QTableWidgetItem* where = clueList->item(row, 0);
    const QPoint cell = where->data(Qt::UserRole).toPoint();
    setCurrentClue({cell.x(), cell.y()}, where->data(Qt::UserRole + 1).toInt());
}

void ArrowWordWindow::refreshClueList() {
    const ArrowGrid& g = doc_.grid();
    const std::vector<ArrowWord> words = arrowWords(g);
    clueList->setRowCount(int(words.size()));
    int currentRow = -1;
    for (int i = 0; i < int(words.size()); ++i) {
        const ArrowWord& w = words[std::size_t(i)];
        const std::vector<ArrowClue>& clues = g.at(w.clueCell).clues;
        const QString& text = clues[std::size_t(w.clueIndex)].text;
        QTableWidgetItem* where = listItem(clueList, i, 0, false);
        setItemText(where, cellName(w.clueCell) + QLatin1Char(' ') + arrowSign(w.arrow));
        where->setData(Qt::UserRole, QPoint(w.clueCell.col, w.clueCell.row));
        where->setData(Qt::UserRole + 1, w.clueIndex);
        setItemText(listItem(clueList, i, 1, false),
                    w.length > 0 ? QString::fromLatin1(arrowWordPattern(g, w))
                                 : QStringLiteral("—"));
        QTableWidgetItem* clue = listItem(clueList, i, 2, true);
        setItemText(clue, text);
        const bool fits = clueFits(text, w.clueIndex, int(clues.size()));
        clue->setForeground(fits ? clueList->palette().text() : QBrush(kTooLongInk));
        clue->setToolTip(fits ? text : tooLongText());
        if (w.clueCell == current_ && w.clueIndex == currentClue_)
            currentRow = i;
    }
    if (currentRow >= 0)
        clueList->setCurrentCell(currentRow,
                                 clueList->currentColumn() >= 0 ? clueList->currentColumn() : 2);
    else
        clueList->setCurrentCell(-1, -1);
    const int tooLong = tooLongCount();
    tooLongLabel->setText(
        tooLong == 0   ? QStringLiteral("Chaque définition tient dans sa case")
        : tooLong == 1 ? QStringLiteral("1 définition trop longue pour sa case")
                       : QStringLiteral("%1 définitions trop longues pour leur case").arg(tooLong));
    tooLongLabel->setStyleSheet(tooLong == 0 ? QString() : QStringLiteral("color: #c00000;"));
}

void ArrowWordWindow::refreshStoredClues() {
    const ArrowGrid& g = doc_.grid();
    const int count = g.isDefinition(current_) ? int(g.at(current_).clues.size()) : 0;
    QString word;
    if (currentClue_ < count)
        for (const ArrowWord& w : arrowWords(g))
            if (w.clueCell == current_ && w.clueIndex == currentClue_ && w.length >= 2) {
                const QByteArray pattern = arrowWordPattern(g, w);
                if (!pattern.contains('.'))
                    word = QString::fromLatin1(pattern);
            }
    // The same word in the same part of a cell keeps its list and the choice in it.
    const QString key = QStringLiteral("%1 %2 ").arg(currentClue_).arg(count) + word;
    if (key == storedWord_ && !storedLabel->text().isEmpty())
        return;
    storedWord_ = key;
    stored_.clear();
    if (!word.isEmpty() && storedSource_)
        guarded([&] { stored_ = shortestFirst(storedSource_(word)); });
    storedList->clear();
    storedLabel->setText(
        word.isEmpty()
            ? QStringLiteral("Définitions &connues : pour le mot complet d'une définition")
        : stored_.empty() ? QStringLiteral("Définitions &connues de %1 : aucune").arg(word)
                          : QStringLiteral("Définitions &connues de %1, les plus courtes "
                                           "d'abord (Entrée pour placer) :")
                                .arg(word));
    for (const StoredClue& c : stored_) {
        auto* item = new QListWidgetItem(c.clue, storedList);
        const bool fits = clueFits(c.clue, currentClue_, count);
        if (!fits)
            item->setForeground(kTooLongInk);
        const QString origin = storedClueOrigin(c);
        item->setToolTip(fits ? origin : tooLongText() + QStringLiteral(" ; ") + origin);
    }
    if (!stored_.empty())
        storedList->setCurrentRow(0);
}

void ArrowWordWindow::refresh() {
    refreshing_ = true;
    const ArrowGrid& g = doc_.grid();
    const bool definition = g.isDefinition(current_);
    cellLabel->setText(definition
                           ? QStringLiteral("Case %1 : case de définition").arg(cellName(current_))
                           : QStringLiteral("Case %1 : case de lettre").arg(cellName(current_)));
    const int count = definition ? int(g.at(current_).clues.size()) : 0;
    currentClue_ = std::clamp(currentClue_, 0, std::max(0, count - 1));
    for (int k = 0; k < kMaxCellClues; ++k) {
        const bool has = k < count;
        arrowBoxes[k]->setEnabled(definition && k <= count);
        arrowBoxes[k]->setCurrentIndex(has ? int(g.at(current_).clues[std::size_t(k)].direction) + 1
                                           : 0);
        clueEdits[k]->setEnabled(has);
        const QString text = has ? g.at(current_).clues[std::size_t(k)].text : QString();
        if (clueEdits[k]->text() != text)
            clueEdits[k]->setText(text);
        markClueEdit(k);
    }
    refreshClueList();
    refreshStoredClues();
    problems->clear();
    const std::vector<LayoutProblem> found = checkArrowLayout(g);
    for (const LayoutProblem& p : found)
        problems->addItem(p.message);
    if (found.empty())
        problems->addItem(QStringLiteral("La grille est bien construite."));
    undoButton->setEnabled(doc_.canUndo());
    redoButton->setEnabled(doc_.canRedo());
    const QString name =
        doc_.path().isEmpty() ? QStringLiteral("Sans nom") : QFileInfo(doc_.path()).fileName();
    setWindowTitle(QStringLiteral("Mots fléchés - %1%2").arg(name, doc_.modified() ? "*" : ""));
    view->update();
    refreshing_ = false;
}

void ArrowWordWindow::undoClick() {
    doc_.undo();
    refresh();
}

void ArrowWordWindow::redoClick() {
    doc_.redo();
    refresh();
}

bool ArrowWordWindow::saveClick() {
    if (doc_.path().isEmpty())
        return saveAsClick();
    return guarded([this] {
        writeArrowFile(doc_.path(), doc_.grid());
        doc_.markSaved(doc_.path());
        refresh();
    });
}

bool ArrowWordWindow::saveAsClick() {
    const QString chosen = services_.files.saveFile(this, arrowFileFilter());
    if (chosen.isEmpty())
        return false;
    return guarded([this, chosen] {
        const QString path = arrowFileName(chosen);
        writeArrowFile(path, doc_.grid());
        doc_.markSaved(path);
        refresh();
    });
}

void ArrowWordWindow::exportClick() {
    const QString path = services_.files.saveTypedFile(this, arrowExportFilter());
    if (path.isEmpty())
        return;
    guarded([this, path] {
        exportArrowGrid(path, doc_.grid(), QFileInfo(doc_.path()).completeBaseName());
    });
}

void ArrowWordWindow::makeClick() {
    guarded([this] {
        const ArrowGrid& g = doc_.grid();
        if (const auto made = makeArrowGridCommand(g.rows(), g.columns(), words, services_, this))
            apply(*made, QStringLiteral("Création de la grille"));
    });
}

void ArrowWordWindow::fillClick() {
    guarded([this] {
        if (const auto filled = fillArrowGridCommand(doc_.grid(), words, services_, this))
            apply(*filled, QStringLiteral("Remplissage"));
    });
}

void ArrowWordWindow::reject() {
    if (doc_.modified()) {
        switch (services_.messages.question(
            this, QStringLiteral("La grille de mots fléchés a été modifiée. Faut-il "
                                 "l'enregistrer ?"))) {
        case MessageService::Answer::Yes:
            if (!saveClick())
                return;
            break;
        case MessageService::Answer::No:
            break;
        case MessageService::Answer::Cancel:
            return;
        }
    }
    QDialog::reject();
}

} // namespace orv
