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
    // Appends the plain forms of `count` scrambled words (`bytes` bytes in
    // all), all lying before `inputEnd`, that each(put) hands one by one to
    // put(QByteArrayView): one allocation, sixteen bytes unscrambled at a time.
    template <typename Each>
    void appendUnscrambledMany(qsizetype count, qsizetype bytes, const char* inputEnd,
                               Each&& each) {
        size_t at = bytes_.size();
        bytes_.resize(at + size_t(bytes) + kSlack);
        ends_.reserve(ends_.size() + size_t(count));
        each([this, &at, inputEnd](QByteArrayView w) {
            unscrambleInto(bytes_.data() + at, w.data(), w.size(), inputEnd);
            at += size_t(w.size());
            ends_.push_back(qsizetype(at));
        });
        bytes_.resize(at);
    }
    QList<QByteArray> toList() const;

private:
    // Room written beyond a word's end by the unscrambling sixteen bytes at a time.
    static constexpr size_t kSlack = 32;
    // Writes the plain form of in[0, n) at out, which has kSlack bytes of
    // room beyond; reads at most up to inputEnd.
    static void unscrambleInto(char* out, const char* in, qsizetype n, const char* inputEnd);
    std::string bytes_;
    std::vector<qsizetype> ends_;
};

} // namespace orv
