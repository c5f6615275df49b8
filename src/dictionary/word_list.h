// The dictionary in memory: an ordered list of scrambled words.
#pragma once

#include <QByteArray>
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

    // Replaces the content with the lines of the file (the text-file rules);
    // throws OrvError "Ne peut ouvrir le fichier <displayName>".
    void load(const QString& path, const QString& displayName);
    // Writes one entry per line, CR LF after each, replacing the file atomically;
    // throws OrvError "Ne peut créer le fichier <displayName>".
    void save(const QString& path, const QString& displayName) const;

private:
    QList<QByteArray> entries_;
};

} // namespace orv
