// The dictionary in memory: an ordered list of scrambled words. It knows how
// much of it already stands in dictionary order: there a lookup is a binary
// search, and a sort after an addition only inserts the new word in its
// place. The entries appended since the last sort have an exact hash index,
// kept in step with them, so that an import never scans the list.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

namespace orv {

class WordList {
public:
    qsizetype count() const { return entries_.size(); }
    const QByteArray& at(qsizetype i) const { return entries_[i]; }
    // The scrambled entries in dictionary order.
    const QList<QByteArray>& entries() const { return entries_; }

    void replace(qsizetype i, const QByteArray& scrambled);
    void append(const QByteArray& scrambled);
    void removeAt(qsizetype i);
    void clear();
    void assign(QList<QByteArray> scrambled);
    // Index of the first entry equal byte for byte to the scrambled word, or -1.
    qsizetype indexOf(const QByteArray& scrambled) const;
    // Whether an entry equals the scrambled word byte for byte.
    bool contains(const QByteArray& scrambled) const;

    // Puts the entries in the order of their plain words (the word comparison).
    void sort();
    // Whether the entries already stand in the order of their plain words.
    bool isSorted() const { return sortedPrefix_ == entries_.size(); }

    // Replaces the content with the lines of a file's bytes (the text-file rules).
    void parse(const QByteArray& data);
    // Replaces the content with the lines of the file;
    // throws OrvError "Ne peut ouvrir le fichier <displayName>".
    void load(const QString& path, const QString& displayName);
    // The bytes of the file: one entry per line, CR LF after each.
    QByteArray fileBytes() const;
    // Writes one entry per line, CR LF after each, replacing the file atomically;
    // throws OrvError "Ne peut créer le fichier <displayName>".
    void save(const QString& path, const QString& displayName) const;

private:
    void countIn(const QByteArray& entry);
    void countOut(const QByteArray& entry);
    void reindex();
    void shrinkOrderedPart(qsizetype to);
    qsizetype firstInOrder(const QByteArray& scrambled) const;

    QList<QByteArray> entries_;
    // Entries [0, sortedPrefix_) are in order; the later ones are not known to be.
    qsizetype sortedPrefix_ = 0;
    // How many times each entry of the unordered part occurs (duplicates
    // read from a file stay).
    QHash<QByteArray, qsizetype> tailCounts_;
};

} // namespace orv
