// The grid clue sheet window.
#include "definitions/clue_sheet_window.h"

#include "common/codec.h"
#include "definitions/typed_text.h"
#include "grid/grid_file.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace orv {
namespace {

constexpr int kLabelWidth = 30;
constexpr int kClueFontPixels = 17;
// The stored clues that a key places: Ctrl+1 to Ctrl+8 (Ctrl+9 and Ctrl+0
// size the grid in the main window).
constexpr int kPlacingKeys = 8;

QFont wordsFont(const QFont& clueFont) {
    QFont font = clueFont;
    font.setPixelSize(std::max(9, clueFont.pixelSize() * 2 / 3));
    return font;
}

// The height of the words' line above a clue.
int wordsHeight(const QFont& clueFont) { return QFontMetrics(wordsFont(clueFont)).height(); }

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

void ClueDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    // The view takes its own delegate's filter off a closing editor, not a
    // column delegate's: left on, the hidden editor's loss of focus would
    // hand its text to the view once more, after the view has let it go.
    // The view may close an editor itself (a move to another cell): then it is
    // no longer the one to finish.
    editor->removeEventFilter(const_cast<ClueDelegate*>(this));
    editor->removeEventFilter(keyWatcher_);
    if (editor == editor_)
        editor_ = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}

void ClueDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const QString words = index.data(WordsRole).toString();
    if (words.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString clue = opt.text;
    opt.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const bool selected = opt.state & QStyle::State_Selected;
    const QRect inner = opt.rect.adjusted(4, 1, -4, -1);
    const int top = wordsHeight(opt.font);
    painter->save();
    QColor wordsColor =
        opt.palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText);
    painter->setPen(wordsColor);
    const QFont small = wordsFont(opt.font);
    painter->setFont(small);
    const QRect wordsRect(inner.left(), inner.top(), inner.width(), top);
    painter->drawText(wordsRect, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(small).elidedText(words, Qt::ElideRight, inner.width()));
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(opt.font);
    const QRect clueRect(inner.left(), inner.top() + top, inner.width(), inner.height() - top);
    painter->drawText(clueRect, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(opt.font).elidedText(clue, Qt::ElideRight, inner.width()));
    painter->restore();
}

QSize ClueDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (!index.data(WordsRole).toString().isEmpty())
        size.rheight() += wordsHeight(option.font);
    return size;
}

void ClueDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
    if (!index.data(WordsRole).toString().isEmpty()) {
        QRect r = editor->geometry();
        r.setTop(option.rect.top() + wordsHeight(option.font));
        editor->setGeometry(r);
    }
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
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // Ended here and now: the item view's own handling ends the edit
            // later, from the event loop, when the sheet may already have
            // ended it (moved, closed, or followed the grid).
            finish(edit);
            return true;
        }
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

TDefgrille::TDefgrille(QWidget* parent)
    : QDockWidget(QStringLiteral("Définitions des grilles"), parent) {
    setObjectName(QStringLiteral("Defgrille"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("DefgrilleBody"));
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->setSpacing(4);

    auto* panel = new QFrame(body);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1 = panel;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(8, 4, 8, 4);
    Button1 = new QPushButton(QStringLiteral("Fermer"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    bar->addWidget(Button1);
    bar->addStretch(1);
    LabelCompte = new QLabel(Panel1);
    LabelCompte->setObjectName(QStringLiteral("LabelCompte"));
    bar->addWidget(LabelCompte);
    layout->addWidget(Panel1);

    auto* lists = new QVBoxLayout;
    lists->setContentsMargins(6, 0, 6, 0);
    lists->setSpacing(4);
    Label1 = new QLabel(QStringLiteral("Horizontalement"), body);
    Label1->setObjectName(QStringLiteral("Label1"));
    StringGrid1 = makeGrid(QStringLiteral("StringGrid1"), body);
    Label1->setBuddy(StringGrid1);
    Label2 = new QLabel(QStringLiteral("Verticalement"), body);
    Label2->setObjectName(QStringLiteral("Label2"));
    StringGrid2 = makeGrid(QStringLiteral("StringGrid2"), body);
    Label2->setBuddy(StringGrid2);
    LabelLongueur = new QLabel(body);
    LabelLongueur->setObjectName(QStringLiteral("LabelLongueur"));
    LabelLongueur->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelMot = new QLabel(body);
    LabelMot->setObjectName(QStringLiteral("LabelMot"));
    LabelMot->setTextFormat(Qt::PlainText);
    ListeIndices = new QListWidget(body);
    ListeIndices->setObjectName(QStringLiteral("ListeIndices"));
    ListeIndices->setToolTip(QStringLiteral(
        "Entrée, un double clic ou Ctrl+1 à Ctrl+8 placent la définition dans la ligne"));
    ListeIndices->setMinimumHeight(5 * ListeIndices->fontMetrics().height());
    lists->addWidget(Label1);
    lists->addWidget(StringGrid1, 3);
    lists->addSpacing(4);
    lists->addWidget(Label2);
    lists->addWidget(StringGrid2, 3);
    lists->addWidget(LabelLongueur);
    lists->addWidget(LabelMot);
    lists->addWidget(ListeIndices, 2);
    layout->addLayout(lists, 1);
    setWidget(body);

    delegate1_ = new ClueDelegate(this, StringGrid1);
    delegate2_ = new ClueDelegate(this, StringGrid2);
    StringGrid1->setItemDelegateForColumn(1, delegate1_);
    StringGrid2->setItemDelegateForColumn(1, delegate2_);

    for (ClueDelegate* delegate : {delegate1_, delegate2_})
        connect(delegate, &ClueDelegate::editorTextChanged, this, &TDefgrille::showLength);
    for (QTableWidget* grid : {StringGrid1, StringGrid2}) {
        connect(grid, &QTableWidget::currentCellChanged, this,
                [this, grid](int row, int, int previousRow) {
                    showCurrentLength(grid);
                    if (row != previousRow)
                        gridMoved(grid, row);
                });
        connect(grid, &QTableWidget::itemChanged, this, [this, grid](QTableWidgetItem* item) {
            showCurrentLength(grid);
            if (filling_ || item->column() != 1)
                return;
            // The edit is ending already: what answers it must not end it again.
            committing_ = true;
            Q_EMIT clueEdited(grid == StringGrid1 ? SlotDirection::Horizontal
                                                  : SlotDirection::Vertical,
                              item->row() + 1, item->text());
            committing_ = false;
        });
    }

    connect(ListeIndices, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { Q_EMIT storedClueChosen(ListeIndices->row(item)); });
    ListeIndices->installEventFilter(this);
    for (int n = 1; n <= kPlacingKeys; ++n) {
        auto* key = new QShortcut(QKeySequence(int(Qt::CTRL) | (Qt::Key_0 + n)), this);
        key->setContext(Qt::WidgetWithChildrenShortcut);
        connect(key, &QShortcut::activated, this, [this, n] {
            if (n <= int(stored_.size()))
                Q_EMIT storedClueChosen(n - 1);
        });
    }

    setTabOrder(Button1, StringGrid1);
    setTabOrder(StringGrid1, StringGrid2);
    setTabOrder(StringGrid2, ListeIndices);
    connect(Button1, &QPushButton::clicked, this, &TDefgrille::Button1Click);
    setMinimumWidth(380);
    setMissingCount(0);
}

QTableWidget* TDefgrille::makeGrid(const QString& name, QWidget* parent) {
    auto* grid = new QTableWidget(0, 2, parent);
    grid->setObjectName(name);
    QFont clueFont = grid->font();
    clueFont.setPixelSize(kClueFontPixels);
    grid->setFont(clueFont);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Each line shows its words above its clue.
    grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(clueFont).height() +
                                                  wordsHeight(clueFont) + 6);
    grid->horizontalHeader()->setMinimumSectionSize(kLabelWidth);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setColumnWidth(0, kLabelWidth);
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
    grid->setMinimumHeight(4 * grid->verticalHeader()->defaultSectionSize());
    grid->installEventFilter(this);
    return grid;
}

void TDefgrille::fillLabels(QTableWidget* grid, const QStringList& labels) {
    // The fixed column: drawn like a header, never selected nor edited, so
    // the current cell always stays on a clue.
    filling_ = true;
    grid->setRowCount(int(labels.size()));
    for (int r = 0; r < labels.size(); ++r) {
        auto* item = new QTableWidgetItem(labels.at(r));
        item->setFlags(Qt::NoItemFlags);
        item->setBackground(palette().button());
        item->setForeground(palette().buttonText());
        item->setTextAlignment(Qt::AlignCenter);
        grid->setItem(r, 0, item);
        if (!grid->item(r, 1))
            grid->setItem(r, 1, new QTableWidgetItem);
    }
    if (grid->rowCount() > 0 && grid->currentRow() < 0)
        grid->setCurrentCell(0, 1);
    filling_ = false;
}

void TDefgrille::fillWords(QTableWidget* grid, const QList<QStringList>& words) {
    filling_ = true;
    for (int r = 0; r < grid->rowCount(); ++r) {
        const QStringList line = r < words.size() ? words.at(r) : QStringList();
        const QTableWidgetItem* labelItem = grid->item(r, 0);
        const QString label = labelItem ? labelItem->text() : QString();
        QTableWidgetItem* item = grid->item(r, 1);
        if (!item) {
            item = new QTableWidgetItem;
            grid->setItem(r, 1, item);
        }
        item->setData(ClueDelegate::WordsRole, line.join(QStringLiteral(" \u00b7 ")));
        item->setToolTip(lineCaption(label, line));
    }
    filling_ = false;
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
    finishEditing();
    fillLabels(StringGrid1, rowLabels(Lignes, style));
    fillLabels(StringGrid2, columnLabels(Colonnes, style));
    if (isVisible())
        FormShow();
}

void TDefgrille::setClues(const SheetClues& clues) {
    filling_ = true;
    fillClueColumn(StringGrid1, clues.horiz);
    fillClueColumn(StringGrid2, clues.vert);
    filling_ = false;
    showCurrentLength(direction_ == SlotDirection::Horizontal ? StringGrid1 : StringGrid2);
}

SheetClues TDefgrille::clues() const { return {clueColumn(StringGrid1), clueColumn(StringGrid2)}; }

void TDefgrille::setLineWords(const QList<QStringList>& rows, const QList<QStringList>& columns) {
    fillWords(StringGrid1, rows);
    fillWords(StringGrid2, columns);
}

void TDefgrille::setMissingCount(int missing) {
    LabelCompte->setText(missing == 0   ? QStringLiteral("Chaque mot a sa définition")
                         : missing == 1 ? QStringLiteral("1 mot sans définition")
                                        : QStringLiteral("%1 mots sans définition").arg(missing));
}

void TDefgrille::followCursor(int col, int row) {
    // An edit in progress keeps what was typed.
    finishEditing();
    filling_ = true;
    if (row >= 1 && row <= StringGrid1->rowCount())
        StringGrid1->setCurrentCell(row - 1, 1);
    if (col >= 1 && col <= StringGrid2->rowCount())
        StringGrid2->setCurrentCell(col - 1, 1);
    filling_ = false;
}

void TDefgrille::setStoredClues(const QString& caption, const std::vector<StoredClue>& clues) {
    stored_ = clues;
    LabelMot->setText(caption);
    ListeIndices->clear();
    for (std::size_t i = 0; i < clues.size(); ++i) {
        const StoredClue& c = clues[i];
        const int n = int(i) + 1;
        auto* item = new QListWidgetItem(
            n <= kPlacingKeys ? QStringLiteral("%1. %2").arg(n).arg(c.clue) : c.clue, ListeIndices);
        item->setData(Qt::UserRole, c.clue);
        item->setToolTip(storedClueOrigin(c));
    }
    if (!clues.empty())
        ListeIndices->setCurrentRow(0);
}

void TDefgrille::finishEditing() {
    if (committing_)
        return;
    delegate1_->finishEditing();
    delegate2_->finishEditing();
}

void TDefgrille::gridMoved(QTableWidget* grid, int row) {
    if (filling_ || row < 0)
        return;
    direction_ = grid == StringGrid1 ? SlotDirection::Horizontal : SlotDirection::Vertical;
    Q_EMIT lineChosen(direction_, row + 1);
}

void TDefgrille::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    FormShow();
}

void TDefgrille::hideEvent(QHideEvent* event) {
    // A clue still being edited belongs to what the sheet hands back.
    finishEditing();
    QDockWidget::hideEvent(event);
}

void TDefgrille::FormShow() {
    // Labels wider than the fixed column (Roman numerals such as XVIII) widen it.
    int labelWidth = kLabelWidth;
    for (const QTableWidget* grid : {StringGrid1, StringGrid2})
        for (int r = 0; r < grid->rowCount(); ++r)
            if (const QTableWidgetItem* item = grid->item(r, 0))
                labelWidth =
                    std::max(labelWidth, grid->fontMetrics().horizontalAdvance(item->text()) + 12);
    for (QTableWidget* grid : {StringGrid1, StringGrid2})
        grid->setColumnWidth(0, labelWidth);
    Md = false;
}

void TDefgrille::Button1Click() { close(); }

bool TDefgrille::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        if (auto* grid = qobject_cast<QTableWidget*>(watched)) {
            showCurrentLength(grid);
            const SlotDirection entered =
                grid == StringGrid1 ? SlotDirection::Horizontal : SlotDirection::Vertical;
            if (entered != direction_ && grid->currentRow() >= 0) {
                direction_ = entered;
                Q_EMIT lineChosen(direction_, grid->currentRow() + 1);
            }
        }
    if (event->type() == QEvent::KeyPress && isTypedCharacter(static_cast<QKeyEvent*>(event)))
        Md = true;
    if (watched == ListeIndices && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && ListeIndices->currentRow() >= 0) {
            Q_EMIT storedClueChosen(ListeIndices->currentRow());
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

} // namespace orv
