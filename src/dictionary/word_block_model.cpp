// A list model over a block of plain words.
#include "dictionary/word_block_model.h"

#include "common/codec.h"

namespace orv {

void WordBlockModel::setWords(WordBlock words) {
    beginResetModel();
    words_ = std::move(words);
    endResetModel();
}

int WordBlockModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(words_.count());
}

QVariant WordBlockModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= words_.count())
        return {};
    return toUi(words_.word(index.row()).toByteArray());
}

} // namespace orv
