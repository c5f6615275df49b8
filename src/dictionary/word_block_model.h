// The list boxes of the browser and the search show a WordBlock through this
// model: the block is replaced in one operation and each row's text is made
// only when the view paints it, so tens of thousands of words list at once.
#pragma once

#include "dictionary/word_block.h"

#include <QAbstractListModel>
#include <QStyledItemDelegate>

namespace orv {

class WordBlockModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setWords(WordBlock words);
    const WordBlock& words() const { return words_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    WordBlock words_;
};

// Rows of one fixed height, as the list boxes are designed.
class FixedRowHeightDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    FixedRowHeightDelegate(int height, QObject* parent)
        : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), height_);
    }

private:
    int height_;
};

} // namespace orv
