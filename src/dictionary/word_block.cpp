// Plain words side by side.
#include "dictionary/word_block.h"

#include "dictionary/scramble.h"

namespace orv {

void WordBlock::reserve(qsizetype words, qsizetype bytes) {
    ends_.reserve(size_t(words));
    bytes_.reserve(size_t(bytes));
}

void WordBlock::append(QByteArrayView plain) {
    bytes_.append(plain.data(), size_t(plain.size()));
    ends_.push_back(qsizetype(bytes_.size()));
}

void WordBlock::appendUnscrambled(QByteArrayView scrambled) {
    const size_t begin = bytes_.size();
    bytes_.resize(begin + size_t(scrambled.size()));
    for (qsizetype i = 0; i < scrambled.size(); ++i)
        bytes_[begin + size_t(i)] =
            char(unscrambleByte(static_cast<unsigned char>(scrambled[i]), int(i + 1)));
    ends_.push_back(qsizetype(bytes_.size()));
}

QList<QByteArray> WordBlock::toList() const {
    QList<QByteArray> out;
    out.reserve(count());
    for (qsizetype i = 0; i < count(); ++i)
        out.append(word(i).toByteArray());
    return out;
}

} // namespace orv
