// A list model over a block of plain words, and the drawing of a word with
// its score.
#include "dictionary/word_block_model.h"

#include "common/codec.h"
#include "dictionary/word_scores.h"

#include <QPainter>

namespace orv {

void WordBlockModel::setWords(WordBlock words) {
    beginResetModel();
    words_ = std::move(words);
    endResetModel();
}

int WordBlockModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(words_.count());
}

void WordBlockModel::setScores(const WordScores* scores) {
    scores_ = scores;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0), index(rowCount() - 1), {kScoreRole});
}

void WordBlockModel::scoreChanged(int row) {
    if (row >= 0 && row < rowCount())
        Q_EMIT dataChanged(index(row), index(row), {kScoreRole});
}

QVariant WordBlockModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= words_.count())
        return {};
    if (role == Qt::DisplayRole)
        return toUi(words_.word(index.row()).toByteArray());
    if (role == kScoreRole && scores_)
        return scores_->score(words_.word(index.row()));
    return {};
}

QSize WordScoreDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (height_ > 0)
        size.setHeight(height_);
    return size;
}

void WordScoreDelegate::initStyleOption(QStyleOptionViewItem* option,
                                        const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant score = index.data(kScoreRole);
    if (score.isValid() && score.toInt() == 0)
        option->palette.setColor(QPalette::Text,
                                 option->palette.color(QPalette::Disabled, QPalette::Text));
}

void WordScoreDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    const QVariant score = index.data(kScoreRole);
    if (!score.isValid())
        return;
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setFont(option.font);
    painter->setPen(selected ? option.palette.color(QPalette::HighlightedText)
                             : option.palette.color(QPalette::Disabled, QPalette::Text));
    painter->drawText(option.rect.adjusted(0, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter,
                      QString::number(score.toInt()));
    painter->restore();
}

} // namespace orv
