// A list of plain words kept side by side in one block of bytes: the browser
// and the search hand back tens of thousands of words at a time, and one
// allocation for all of them keeps that fast.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <string>
#include <vector>

namespace orv {

class WordBlock {
public:
    qsizetype count() const { return qsizetype(ends_.size()); }
    bool isEmpty() const { return ends_.empty(); }
    qsizetype byteCount() const { return qsizetype(bytes_.size()); }
    QByteArrayView word(qsizetype i) const {
        const qsizetype begin = i == 0 ? 0 : ends_[size_t(i - 1)];
        return QByteArrayView(bytes_.data() + begin, ends_[size_t(i)] - begin);
    }

    void reserve(qsizetype words, qsizetype bytes);
    void append(QByteArrayView plain);
    // Appends the plain form of a scrambled word (Decrypte, without a copy).
    void appendUnscrambled(QByteArrayView scrambled);
    // Appends `words` words of `length` bytes each, whose scrambled forms
    // stand side by side from `scrambled`.
    void appendUnscrambledRun(const char* scrambled, qsizetype words, qsizetype length);
    QList<QByteArray> toList() const;

private:
    std::string bytes_;
    std::vector<qsizetype> ends_;
};

} // namespace orv
