// The dictionary in memory: an ordered list of scrambled words, stored flat.
//
// The scrambled bytes of every word stand in one buffer (at load, the file's
// own bytes, line ends included, so that loading is one read and one pass
// that notes where each line starts and how long it is); each entry is 8
// bytes: where its word starts, and a key made of the first five letters of
// the plain word and its length. The keys are worked out once, at the first
// use that needs the order (a lookup, a sort, an insertion), so that the
// start of the program does not wait for them. Two words of capital letters
// compare by their keys, and only when these are equal by the first
// differing scrambled byte, the one position where the plain words differ:
// sorting and binary search cost about what they cost on plain bytes, and
// nothing is unscrambled whole. Entries stand in blocks of at most a few
// thousand, so that adding or deleting a word moves one block, not the whole
// list.
//
// The list knows how much of it stands in dictionary order: there a lookup
// is a binary search, and a word added in order is inserted in its place. It
// counts its entries by length and keeps a revision number that every change
// raises, so that an index built from it knows when it must follow.
//
// Copies share the storage until one side changes (the browser and the
// search copy the list when they open).
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QSharedDataPointer>
#include <QString>
#include <array>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace orv {

class WordBatch;
class WordBlock;

class WordList {
public:
    WordList();
    WordList(const WordList&);
    WordList(WordList&&) noexcept;
    WordList& operator=(const WordList&);
    WordList& operator=(WordList&&) noexcept;
    ~WordList();

    qsizetype count() const;
    qsizetype size() const { return count(); }
    bool isEmpty() const { return count() == 0; }
    // The scrambled entry at i; view() gives it without a copy, valid until the next change.
    QByteArray at(qsizetype i) const { return view(i).toByteArray(); }
    QByteArrayView view(qsizetype i) const;
    // The scrambled entries in dictionary order, as a list of their own.
    QList<QByteArray> entries() const;
    // Calls f(view) for every entry in order, without copies.
    void forEach(const std::function<void(QByteArrayView)>& f) const;
    // Appends the plain words of the entries [from, to) to a block.
    void appendPlain(qsizetype from, qsizetype to, WordBlock& out) const;

    void replace(qsizetype i, const QByteArray& scrambled);
    void append(const QByteArray& scrambled);
    void removeAt(qsizetype i);
    void clear();
    void assign(const QList<QByteArray>& scrambled);
    // Index of the first entry equal byte for byte to the scrambled word, or -1.
    qsizetype indexOf(QByteArrayView scrambled) const;
    // Whether an entry equals the scrambled word byte for byte.
    bool contains(QByteArrayView scrambled) const { return indexOf(scrambled) >= 0; }
    // Entries [0, orderedCount()) stand in order; the later ones are not known to.
    qsizetype orderedCount() const;
    // indexOf within the entries in order only (a binary search).
    qsizetype indexInOrder(QByteArrayView scrambled) const;

    // Puts the entries in the order of their plain words (the word comparison).
    void sort();
    // Whether the entries already stand in the order of their plain words.
    bool isSorted() const;
    // Whether every entry is a word of capital letters (or empty): the order
    // then is the order of bytes, and ranges of one initial stand together.
    bool allCapitals() const;

    // Entries of each length: byLength(n) for n from 0 to kCountedLengths - 1,
    // longer ones together in the last slot.
    static constexpr int kCountedLengths = 21;
    qsizetype byLength(int n) const;
    // Drops the entries whose length lies outside [minLength, maxLength],
    // keeping the order; costs nothing when the counters show none. Returns
    // how many were dropped.
    qsizetype removeLengthsOutside(int minLength, int maxLength);

    // The range [first, last) of the entries whose plain word begins with
    // the byte `initial`, when the list is in order and of capitals only;
    // false otherwise (the caller then scans).
    bool initialRange(char initial, qsizetype& first, qsizetype& last) const;

    // Adds the batch's words that the list lacks, keeping the order (the
    // list is put in order first when it is not); returns how many were added.
    qsizetype merge(WordBatch&& batch);

    // Raised by every change.
    quint64 revision() const;

    // Replaces the content with the lines of a file's bytes (the text-file
    // rules); returns where the text ends (at a NUL, or the size).
    qsizetype parse(const QByteArray& data);
    // Replaces the content with the lines of the file;
    // throws OrvError "Ne peut ouvrir le fichier <displayName>".
    void load(const QString& path, const QString& displayName);
    // The bytes of the file: one entry per line, CR LF after each.
    QByteArray fileBytes() const;
    // Writes one entry per line, CR LF after each, replacing the file atomically;
    // throws OrvError "Ne peut créer le fichier <displayName>".
    void save(const QString& path, const QString& displayName) const;

    // Bytes held by the list (its buffer and its entries), for the benchmarks.
    qsizetype memoryBytes() const;

    class Data;

private:
    Data& keyed() const;
    QSharedDataPointer<Data> d;
};

// Words ready to join a dictionary: scrambled, in order, each once. Built
// apart from the list (on another thread if need be) by the import.
//
// The words read are kept in order and each once while they are read: they
// gather in a run, and each full run is sorted and merged, without its
// repeats and the words already kept, into the words kept, in place. Memory
// thus follows the distinct words of a list, not its size: the words kept
// take what the dictionary will take for them (their bytes, a start and a
// key each), and a run at most a quarter of that, or one block of
// kRunWords words.
class WordBatch {
public:
    // Takes plain words of capital letters (2 to 19 of them), in any order
    // and with repeats.
    void addPlain(QByteArrayView plain);
    // Sorts the last run, keeps each word once and scrambles them; no word
    // may be added afterwards.
    void finish();
    // The distinct words kept so far (all of them once finished).
    qsizetype count() const { return starts_.isEmpty() ? 0 : starts_.size() - 1; }

    // Bytes held now, and the most held at once since the first word.
    qsizetype memoryBytes() const;
    qsizetype peakMemoryBytes() const { return peak_; }
    // Words of a run before it is sorted, while the words kept are few.
    static constexpr qsizetype kRunWords = qsizetype(1) << 17;
    // What a run of kRunWords words can hold at most (bytes, starts and the
    // sort's table): the "one block" beyond the words kept.
    static constexpr qsizetype kRunBlockBytes = kRunWords * (19 + 4 + 24);

private:
    friend class WordList;
    void sortRun();
    void noteMemory(qsizetype extra = 0);
    QByteArrayView wordAt(qsizetype i) const {
        return QByteArrayView(bytes_.constData() + starts_[i], starts_[i + 1] - starts_[i]);
    }
    QByteArray bytes_;         // the kept words side by side, plain (scrambled once finished)
    QList<quint32> starts_;    // where each begins, then where the last ends
    QList<quint32> keys_;      // once finished, each word's key in the list
    QByteArray run_;           // the words added since the last sort
    QList<quint32> runStarts_; // where each of them begins
    qsizetype peak_ = 0;
    bool finished_ = false;
};

} // namespace orv
