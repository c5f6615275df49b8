// The dictionary list and its file.
#include "dictionary/word_list.h"

#include "common/text_file.h"

namespace orv {

void WordList::replace(qsizetype i, const QByteArray& scrambled) { entries_[i] = scrambled; }
void WordList::append(const QByteArray& scrambled) { entries_.append(scrambled); }
void WordList::removeAt(qsizetype i) { entries_.removeAt(i); }
void WordList::clear() { entries_.clear(); }
void WordList::assign(QList<QByteArray> scrambled) { entries_ = std::move(scrambled); }

qsizetype WordList::indexOf(const QByteArray& scrambled) const {
    return entries_.indexOf(scrambled);
}

void WordList::load(const QString& path, const QString& displayName) {
    entries_ = readTextLines(path, displayName);
}

void WordList::save(const QString& path, const QString& displayName) const {
    writeTextLines(path, entries_, displayName);
}

} // namespace orv
