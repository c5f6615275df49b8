// The grid clue sheet window.
#include "definitions/clue_sheet_window.h"

#include "common/codec.h"
#include "definitions/typed_text.h"
#include "grid/grid_file.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace orv {
namespace {

constexpr int kLabelWidth = 30;
constexpr int kClueWidth = 456;
constexpr int kRowHeight = 24;
constexpr int kVisibleRows = 8;

QList<QByteArray> clueColumn(const QTableWidget* grid) {
    QList<QByteArray> clues;
    for (int r = 0; r < grid->rowCount(); ++r) {
        const QTableWidgetItem* item = grid->item(r, 1);
        clues.append(item ? fromUiLossy(item->text()) : QByteArray());
    }
    return clues;
}

void fillClueColumn(QTableWidget* grid, const QList<QByteArray>& clues) {
    for (int r = 0; r < grid->rowCount(); ++r) {
        const QString text = r < clues.size() ? toUi(clues.at(r)) : QString();
        if (QTableWidgetItem* item = grid->item(r, 1))
            item->setText(text);
        else
            grid->setItem(r, 1, new QTableWidgetItem(text));
    }
}

} // namespace

// ---------------------------------------------------------------- cell editor

ClueDelegate::ClueDelegate(QObject* keyWatcher, QObject* parent)
    : QStyledItemDelegate(parent), keyWatcher_(keyWatcher) {
    connect(this, &QAbstractItemDelegate::closeEditor, this, [this](QWidget* closed) {
        if (closed == editor_)
            editor_ = nullptr;
    });
}

QWidget* ClueDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex&) const {
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    edit->setValidator(new LineTextValidator(edit));
    edit->setMaxLength(kMaxClueLength);
    edit->installEventFilter(keyWatcher_);
    connect(edit, &QLineEdit::textChanged, this, &ClueDelegate::editorTextChanged);
    editor_ = edit;
    return edit;
}

void ClueDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    // Opening the editor on a longer clue must not cut it.
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setMaxLength(
            std::max(kMaxClueLength, int(index.data(Qt::EditRole).toString().size())));
    QStyledItemDelegate::setEditorData(editor, index);
}

void ClueDelegate::finishEditing() { finish(editor_); }

void ClueDelegate::finish(QWidget* edit) {
    if (!edit)
        return;
    Q_EMIT commitData(edit);
    Q_EMIT closeEditor(edit, QAbstractItemDelegate::NoHint);
}

bool ClueDelegate::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            // Tab ends the edit and leaves the grid for the next control, as
            // it does when no clue is being edited.
            QWidget* grid = edit->parentWidget() ? edit->parentWidget()->parentWidget() : nullptr;
            finish(edit);
            if (grid) {
                QKeyEvent tab(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
                QCoreApplication::sendEvent(grid, &tab);
            }
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

// ---------------------------------------------------------------- sheet

TDefgrille::TDefgrille(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Defgrille"));
    setWindowTitle(QStringLiteral("Définitions des grilles"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    QFont sheetFont = font();
    sheetFont.setPixelSize(17);
    setFont(sheetFont);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->setSpacing(4);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1 = panel;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(8, 4, 8, 4);
    Button1 = new QPushButton(QStringLiteral("Fermer"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    // Enter ends a clue's edit; it must not close the sheet.
    Button1->setAutoDefault(false);
    bar->addWidget(Button1);
    bar->addStretch(1);
    LabelLongueur = new QLabel(Panel1);
    LabelLongueur->setObjectName(QStringLiteral("LabelLongueur"));
    bar->addWidget(LabelLongueur);
    layout->addWidget(Panel1);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 0, 10, 0);
    body->setSpacing(4);
    Label1 = new QLabel(QStringLiteral("Horizontalement"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    StringGrid1 = makeGrid(QStringLiteral("StringGrid1"));
    Label1->setBuddy(StringGrid1);
    Label2 = new QLabel(QStringLiteral("Verticalement"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    StringGrid2 = makeGrid(QStringLiteral("StringGrid2"));
    Label2->setBuddy(StringGrid2);
    body->addWidget(Label1);
    body->addWidget(StringGrid1);
    body->addSpacing(6);
    body->addWidget(Label2);
    body->addWidget(StringGrid2);
    layout->addLayout(body);

    delegate1_ = new ClueDelegate(this, StringGrid1);
    delegate2_ = new ClueDelegate(this, StringGrid2);
    StringGrid1->setItemDelegateForColumn(1, delegate1_);
    StringGrid2->setItemDelegateForColumn(1, delegate2_);

    for (ClueDelegate* delegate : {delegate1_, delegate2_})
        connect(delegate, &ClueDelegate::editorTextChanged, this, &TDefgrille::showLength);
    for (QTableWidget* grid : {StringGrid1, StringGrid2}) {
        connect(grid, &QTableWidget::currentCellChanged, this,
                [this, grid] { showCurrentLength(grid); });
        connect(grid, &QTableWidget::itemChanged, this, [this, grid] { showCurrentLength(grid); });
    }

    setTabOrder(Button1, StringGrid1);
    setTabOrder(StringGrid1, StringGrid2);
    connect(Button1, &QPushButton::clicked, this, &TDefgrille::Button1Click);
    setFixedSize(sizeHint());
}

QTableWidget* TDefgrille::makeGrid(const QString& name) {
    auto* grid = new QTableWidget(0, 2, this);
    grid->setObjectName(name);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid->horizontalHeader()->setStretchLastSection(false);
    grid->horizontalHeader()->setMinimumSectionSize(kLabelWidth);
    grid->setColumnWidth(0, kLabelWidth);
    grid->setColumnWidth(1, kClueWidth);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    // Typing, F2 or a double click edits a clue. A click on the current cell
    // does not: its delayed start would select what is being typed.
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    // Tab moves between the controls of the sheet, as in the other windows.
    grid->setTabKeyNavigation(false);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->setWordWrap(false);
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
    grid->setFixedSize(kLabelWidth + kClueWidth + scrollBar + 2 * grid->frameWidth() + 2,
                       kVisibleRows * kRowHeight + 2 * grid->frameWidth() + 1);
    grid->installEventFilter(this);
    return grid;
}

void TDefgrille::fillLabels(QTableWidget* grid, const QStringList& labels) {
    // The fixed column: drawn like a header, never selected nor edited, so
    // the current cell always stays on a clue.
    grid->setRowCount(int(labels.size()));
    for (int r = 0; r < labels.size(); ++r) {
        auto* item = new QTableWidgetItem(labels.at(r));
        item->setFlags(Qt::NoItemFlags);
        item->setBackground(palette().button());
        item->setForeground(palette().buttonText());
        grid->setItem(r, 0, item);
    }
    if (grid->rowCount() > 0)
        grid->setCurrentCell(0, 1);
}

void TDefgrille::showCurrentLength(const QTableWidget* grid) {
    const QTableWidgetItem* item = grid->item(grid->currentRow(), 1);
    showLength(item ? item->text() : QString());
}

void TDefgrille::showLength(const QString& text) {
    const auto length = text.size();
    LabelLongueur->setText(
        length > kMaxClueLength
            ? QStringLiteral("%1 caractères : un fichier de grille n'en garde que %2")
                  .arg(length)
                  .arg(kMaxClueLength)
            : QStringLiteral("%1 / %2 caractères").arg(length).arg(kMaxClueLength));
}

void TDefgrille::Init(int Lignes, int Colonnes, LabelStyle style) {
    delegate1_->finishEditing();
    delegate2_->finishEditing();
    fillLabels(StringGrid1, rowLabels(Lignes, style));
    fillLabels(StringGrid2, columnLabels(Colonnes, style));
}

void TDefgrille::setClues(const SheetClues& clues) {
    fillClueColumn(StringGrid1, clues.horiz);
    fillClueColumn(StringGrid2, clues.vert);
    showCurrentLength(StringGrid1);
}

SheetClues TDefgrille::clues() const { return {clueColumn(StringGrid1), clueColumn(StringGrid2)}; }

void TDefgrille::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TDefgrille::FormShow() {
    // Labels wider than the fixed column (Roman numerals such as XVIII) take
    // their room from the clue column, so that the sheet keeps its size.
    int labelWidth = kLabelWidth;
    for (const QTableWidget* grid : {StringGrid1, StringGrid2})
        for (int r = 0; r < grid->rowCount(); ++r)
            if (const QTableWidgetItem* item = grid->item(r, 0))
                labelWidth =
                    std::max(labelWidth, grid->fontMetrics().horizontalAdvance(item->text()) + 12);
    for (QTableWidget* grid : {StringGrid1, StringGrid2}) {
        grid->setColumnWidth(0, labelWidth);
        grid->setColumnWidth(1, kClueWidth - (labelWidth - kLabelWidth));
    }
    Md = false;
    StringGrid1->setFocus(Qt::OtherFocusReason);
}

void TDefgrille::Button1Click() { close(); }

void TDefgrille::done(int result) {
    // A clue still being edited belongs to what the sheet hands back.
    delegate1_->finishEditing();
    delegate2_->finishEditing();
    QDialog::done(result);
}

bool TDefgrille::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        if (auto* grid = qobject_cast<QTableWidget*>(watched))
            showCurrentLength(grid);
    if (event->type() == QEvent::KeyPress && isTypedCharacter(static_cast<QKeyEvent*>(event)))
        Md = true;
    return QDialog::eventFilter(watched, event);
}

} // namespace orv
