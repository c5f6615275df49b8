// The suggestions panel: two headed lists over the ranked ids of the index,
// so that tens of thousands of words are shown without building a string
// for any word that is not on screen.
#include "fill/suggestions_panel.h"

#include "dictionary/word_block_model.h"
#include "dictionary/word_index.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace orv {

void SuggestionListModel::setSuggestions(SlotSuggestions suggestions, const WordIndex* index) {
    beginResetModel();
    suggestions_ = std::move(suggestions);
    index_ = index;
    endResetModel();
}

QByteArray SuggestionListModel::word(int row) const {
    if (!index_ || row < 0 || row >= rowCount())
        return {};
    return index_->word(suggestions_.length, suggestions_.ids[std::size_t(row)]);
}

int SuggestionListModel::firstStartingWith(const QByteArray& prefix) const {
    const int length = suggestions_.length;
    if (!index_ || prefix.isEmpty() || prefix.size() > length)
        return -1;
    for (int row = 0; row < rowCount(); ++row) {
        const char* w = index_->letters(length, suggestions_.ids[std::size_t(row)]);
        if (std::equal(prefix.begin(), prefix.end(), w))
            return row;
    }
    return -1;
}

int SuggestionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(suggestions_.count());
}

int SuggestionListModel::score(int row) const {
    if (!index_ || row < 0 || row >= rowCount())
        return -1;
    return index_->score(suggestions_.length, suggestions_.ids[std::size_t(row)]);
}

QVariant SuggestionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(word(index.row()));
    if (role == kScoreRole && index_)
        return score(index.row());
    if (role == Qt::ToolTipRole && index_)
        return QStringLiteral("%1 : score %2")
            .arg(QString::fromLatin1(word(index.row())))
            .arg(score(index.row()));
    return {};
}

SuggestionListView::SuggestionListView(QWidget* parent) : QListView(parent) {
    setUniformItemSizes(true); // tens of thousands of rows are laid out at once
    setItemDelegate(new WordScoreDelegate(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { Q_EMIT chosen(index.row()); });
}

// Letters typed within the keyboard interval make one prefix, looked for from
// the top of the list (the best words first), not from the current row.
void SuggestionListView::keyboardSearch(const QString& search) {
    QByteArray letters = search.toUpper().toLatin1();
    if (!sinceTyped_.isValid() || sinceTyped_.elapsed() > QApplication::keyboardInputInterval())
        typed_.clear();
    sinceTyped_.start();
    typed_ += letters;
    auto* m = qobject_cast<SuggestionListModel*>(model());
    if (!m)
        return;
    const int row = m->firstStartingWith(typed_);
    if (row >= 0)
        setCurrentIndex(m->index(row));
}

void SuggestionListView::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
        Q_EMIT chosen(currentIndex().row());
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

SuggestionsPanel::SuggestionsPanel(QWidget* parent)
    : QDockWidget(QStringLiteral("Suggestions"), parent), across_(this), down_(this) {
    setObjectName(QStringLiteral("SuggestionsDock"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    build(content, QStringLiteral("Horizontalement"), across_, acrossView_, acrossHeading_,
          acrossCount_, "Horiz");
    build(content, QStringLiteral("Verticalement"), down_, downView_, downHeading_, downCount_,
          "Vert");
    layout->setContentsMargins(4, 4, 4, 4);
    setWidget(content);
    connect(acrossView_, &SuggestionListView::chosen, this,
            [this](int row) { Q_EMIT wordChosen(across_.suggestions().slot, across_.word(row)); });
    connect(downView_, &SuggestionListView::chosen, this,
            [this](int row) { Q_EMIT wordChosen(down_.suggestions().slot, down_.word(row)); });
}

void SuggestionsPanel::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    Q_EMIT closedByUser();
}

void SuggestionsPanel::build(QWidget* box, const QString& title, SuggestionListModel& model,
                             SuggestionListView*& view, QLabel*& heading, QLabel*& count,
                             const char* name) {
    auto* layout = static_cast<QVBoxLayout*>(box->layout());
    auto* caption = new QLabel(title, box);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    heading = new QLabel(box);
    heading->setObjectName(QString::fromLatin1(name) + QStringLiteral("Heading"));
    count = new QLabel(box);
    count->setObjectName(QString::fromLatin1(name) + QStringLiteral("Count"));
    view = new SuggestionListView(box);
    view->setObjectName(QString::fromLatin1(name) + QStringLiteral("List"));
    view->setModel(&model);
    layout->addWidget(caption);
    layout->addWidget(heading);
    layout->addWidget(count);
    layout->addWidget(view, 1);
}

void SuggestionsPanel::showSuggestions(SlotSuggestions across, SlotSuggestions down,
                                       const WordIndex* index) {
    across_.setSuggestions(std::move(across), index);
    down_.setSuggestions(std::move(down), index);
    showOne(across_, acrossView_, acrossHeading_, acrossCount_);
    showOne(down_, downView_, downHeading_, downCount_);
}

void SuggestionsPanel::showOne(SuggestionListModel& model, SuggestionListView* view,
                               QLabel* heading, QLabel* count) {
    const SlotSuggestions& s = model.suggestions();
    heading->setText(s.slot < 0 ? QStringLiteral("Pas de mot ici") : s.heading());
    count->setText(s.slot < 0 ? QString() : wordCountText(s.count()));
    if (model.rowCount() > 0)
        view->setCurrentIndex(model.index(0));
}

} // namespace orv
