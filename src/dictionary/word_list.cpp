// The dictionary list, its lookups and its file.
#include "dictionary/word_list.h"

#include "common/text_file.h"
#include "dictionary/word_order.h"

#include <algorithm>
#include <iterator>

namespace orv {
namespace {

// Length of the leading run of entries already in dictionary order.
qsizetype orderedRun(const QList<QByteArray>& entries) {
    qsizetype i = 1;
    while (i < entries.size() && !scrambledLess(entries[i], entries[i - 1]))
        ++i;
    return std::min(i, entries.size());
}

// Beyond a few new words, one merge costs less than moving the whole list
// once per word.
constexpr qsizetype kInsertOneByOne = 4;

} // namespace

void WordList::countIn(const QByteArray& entry) { ++tailCounts_[entry]; }

void WordList::countOut(const QByteArray& entry) {
    auto it = tailCounts_.find(entry);
    if (it == tailCounts_.end())
        return;
    if (--it.value() == 0)
        tailCounts_.erase(it);
}

void WordList::reindex() {
    sortedPrefix_ = orderedRun(entries_);
    tailCounts_.clear();
    for (qsizetype i = sortedPrefix_; i < entries_.size(); ++i)
        countIn(entries_[i]);
}

// The entries from `to` on leave the ordered part and join the indexed one.
void WordList::shrinkOrderedPart(qsizetype to) {
    for (qsizetype i = to; i < sortedPrefix_; ++i)
        countIn(entries_[i]);
    sortedPrefix_ = to;
}

void WordList::replace(qsizetype i, const QByteArray& scrambled) {
    if (i >= sortedPrefix_) {
        countOut(entries_[i]);
        entries_[i] = scrambled;
        countIn(scrambled);
        return;
    }
    entries_[i] = scrambled;
    const bool fitsBefore = i == 0 || !scrambledLess(scrambled, entries_[i - 1]);
    const bool fitsAfter = i + 1 >= sortedPrefix_ || !scrambledLess(entries_[i + 1], scrambled);
    if (!(fitsBefore && fitsAfter))
        shrinkOrderedPart(i);
}

void WordList::append(const QByteArray& scrambled) {
    const bool inOrder = sortedPrefix_ == entries_.size() &&
                         (entries_.isEmpty() || !scrambledLess(scrambled, entries_.last()));
    entries_.append(scrambled);
    if (inOrder)
        sortedPrefix_ = entries_.size();
    else
        countIn(scrambled);
}

void WordList::removeAt(qsizetype i) {
    if (i < sortedPrefix_)
        --sortedPrefix_;
    else
        countOut(entries_[i]);
    entries_.removeAt(i);
}

void WordList::clear() {
    entries_.clear();
    tailCounts_.clear();
    sortedPrefix_ = 0;
}

void WordList::assign(QList<QByteArray> scrambled) {
    entries_ = std::move(scrambled);
    reindex();
}

qsizetype WordList::firstInOrder(const QByteArray& scrambled) const {
    const auto begin = entries_.cbegin();
    const auto end = begin + sortedPrefix_;
    // Entries that the word comparison finds equal stand together; among
    // them only an identical one is the word.
    for (auto it = std::lower_bound(begin, end, scrambled, scrambledLess);
         it != end && compareScrambled(*it, scrambled) == 0; ++it)
        if (*it == scrambled)
            return it - begin;
    return -1;
}

bool WordList::contains(const QByteArray& scrambled) const {
    return tailCounts_.contains(scrambled) || firstInOrder(scrambled) >= 0;
}

qsizetype WordList::indexOf(const QByteArray& scrambled) const {
    const qsizetype inOrder = firstInOrder(scrambled);
    if (inOrder >= 0)
        return inOrder;
    return tailCounts_.contains(scrambled) ? entries_.indexOf(scrambled, sortedPrefix_) : -1;
}

void WordList::sort() {
    const qsizetype n = entries_.size();
    if (sortedPrefix_ >= n)
        return;
    const auto begin = entries_.begin();
    const auto middle = begin + sortedPrefix_;
    std::stable_sort(middle, entries_.end(), scrambledLess);
    if (n - sortedPrefix_ <= kInsertOneByOne) {
        QList<QByteArray> added(std::make_move_iterator(middle),
                                std::make_move_iterator(entries_.end()));
        entries_.resize(sortedPrefix_);
        for (QByteArray& word : added) {
            const auto at =
                std::upper_bound(entries_.cbegin(), entries_.cend(), word, scrambledLess);
            entries_.insert(at - entries_.cbegin(), std::move(word));
        }
    } else if (sortedPrefix_ > 0) {
        QList<QByteArray> merged;
        merged.reserve(n);
        std::merge(std::make_move_iterator(begin), std::make_move_iterator(middle),
                   std::make_move_iterator(middle), std::make_move_iterator(entries_.end()),
                   std::back_inserter(merged), scrambledLess);
        entries_ = std::move(merged);
    }
    sortedPrefix_ = n;
    tailCounts_.clear();
}

void WordList::parse(const QByteArray& data) {
    entries_ = splitTextLines(data);
    reindex();
}

void WordList::load(const QString& path, const QString& displayName) {
    parse(readWholeFile(path, displayName));
}

QByteArray WordList::fileBytes() const { return joinTextLines(entries_); }

void WordList::save(const QString& path, const QString& displayName) const {
    writeTextLines(path, entries_, displayName);
}

} // namespace orv
