// The suggestions panel: two headed lists over the ranked ids of the index,
// so that tens of thousands of words are shown without building a string
// for any word that is not on screen.
#include "fill/suggestions_panel.h"

#include "dictionary/word_block_model.h"
#include "dictionary/word_index.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace orv {
namespace {

// The look-ahead's mark, drawn as an icon so that every word starts at the
// same place whether it is marked yet or not.
QIcon outlookIcon(WordOutlook outlook) {
    static const QIcon icons[] = {
        [] {
            QPixmap blank(16, 16);
            blank.fill(Qt::transparent);
            return QIcon(blank);
        }(),
        [] {
            QPixmap p(16, 16);
            p.fill(Qt::transparent);
            QPainter painter(&p);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(QColor(0, 140, 40), 2.2));
            painter.drawPolyline(QPolygonF({{3, 8.5}, {6.5, 12}, {13, 4}}));
            return QIcon(p);
        }(),
        [] {
            QPixmap p(16, 16);
            p.fill(Qt::transparent);
            QPainter painter(&p);
            painter.setPen(QColor(150, 150, 150));
            QFont f = painter.font();
            f.setBold(true);
            f.setPixelSize(13);
            painter.setFont(f);
            painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
            return QIcon(p);
        }(),
        [] {
            QPixmap p(16, 16);
            p.fill(Qt::transparent);
            QPainter painter(&p);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(QColor(210, 30, 30), 2.2));
            painter.drawLine(QPointF(4, 4), QPointF(12, 12));
            painter.drawLine(QPointF(12, 4), QPointF(4, 12));
            return QIcon(p);
        }(),
    };
    return icons[std::size_t(outlook)];
}

} // namespace

void SuggestionListModel::setSuggestions(SlotSuggestions suggestions, const WordIndex* index) {
    beginResetModel();
    suggestions_ = std::move(suggestions);
    outlooks_.assign(suggestions_.count(), WordOutlook::Pending);
    index_ = index;
    endResetModel();
}

int SuggestionListModel::rowOf(const QByteArray& word) const {
    const int length = suggestions_.length;
    if (!index_ || word.size() != length)
        return -1;
    for (int row = 0; row < rowCount(); ++row)
        if (std::equal(word.begin(), word.end(),
                       index_->letters(length, suggestions_.ids[std::size_t(row)])))
            return row;
    return -1;
}

WordOutlook SuggestionListModel::outlook(int row) const {
    if (row < 0 || row >= rowCount())
        return WordOutlook::Pending;
    return outlooks_[std::size_t(row)];
}

void SuggestionListModel::setOutlook(const QByteArray& word, WordOutlook outlook) {
    const int row = rowOf(word);
    if (row < 0)
        return;
    outlooks_[std::size_t(row)] = outlook;
    const QModelIndex at = index(row);
    Q_EMIT dataChanged(at, at, {Qt::DecorationRole, kOutlookRole});
    const int last = rowCount() - 1;
    if (outlook != WordOutlook::DeadEnd || row == last)
        return;
    // Dead ends go last, in the order they were found.
    beginMoveRows({}, row, row, {}, rowCount());
    auto toEnd = [row](auto& v) { std::rotate(v.begin() + row, v.begin() + row + 1, v.end()); };
    toEnd(suggestions_.ids);
    toEnd(outlooks_);
    if (suggestions_.openness.size() == outlooks_.size())
        toEnd(suggestions_.openness);
    if (suggestions_.rank.size() == outlooks_.size())
        toEnd(suggestions_.rank);
    endMoveRows();
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
    if (role == Qt::DecorationRole)
        return outlookIcon(outlook(index.row()));
    if (role == kOutlookRole)
        return int(outlook(index.row()));
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

void SuggestionsPanel::setOutlook(int slot, const QByteArray& word, WordOutlook outlook) {
    for (auto [model, view] : {std::pair{&across_, acrossView_}, std::pair{&down_, downView_}}) {
        if (model->suggestions().slot != slot)
            continue;
        // A dead end leaving the top keeps the cursor at the top of the list.
        const int current = view->currentIndex().row();
        const bool leavesCurrent =
            outlook == WordOutlook::DeadEnd && current >= 0 && model->rowOf(word) == current;
        model->setOutlook(word, outlook);
        if (leavesCurrent)
            view->setCurrentIndex(model->index(current));
    }
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
