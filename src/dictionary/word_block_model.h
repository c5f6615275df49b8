// The list boxes of the browser and the search show a WordBlock through this
// model: the block is replaced in one operation and each row's text is made
// only when the view paints it, so tens of thousands of words list at once.
#pragma once

#include "dictionary/word_block.h"

#include <QAbstractListModel>

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

} // namespace orv
