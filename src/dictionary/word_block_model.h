// The list boxes of the browser and the search show a WordBlock through this
// model: the block is replaced in one operation and each row's text is made
// only when the view paints it, so tens of thousands of words list at once.
// Given the scores, it also gives each row's score (kScoreRole), looked up
// only for the rows painted, which WordScoreDelegate draws beside the word.
#pragma once

#include "dictionary/word_block.h"

#include <QAbstractListModel>
#include <QStyledItemDelegate>

namespace orv {

class WordScores;

// The role of a row's score (an int, 0 to 100), for the lists that show it.
constexpr int kScoreRole = Qt::UserRole + 1;

class WordBlockModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setWords(WordBlock words);
    const WordBlock& words() const { return words_; }
    // The scores that kScoreRole reads (none: the role gives nothing).
    void setScores(const WordScores* scores);
    // A row's score changed: its line is painted again.
    void scoreChanged(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    WordBlock words_;
    const WordScores* scores_ = nullptr;
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

// Rows that show a word and, at their right, its score (kScoreRole) in a
// quieter colour; a word of score 0, hidden from filling and suggestions, is
// greyed as a whole. Rows without a score are drawn as plain words. A height
// of 0 keeps the style's own row height.
class WordScoreDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit WordScoreDelegate(QObject* parent, int height = 0)
        : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    int height_;
};

} // namespace orv
