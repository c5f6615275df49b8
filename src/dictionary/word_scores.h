// Word scores, 0 to 100: how well a reader knows a word, so that filling and
// suggestions prefer the words people know. A word's score is the user's own
// (file "Dicoscore.dat") over the shipped French table (built from word
// frequencies) over a default for the other dictionary words; the shipped
// rare verb forms (past historic, imperfect subjunctive) score below that
// default. A score of 0 hides a word from filling and suggestions without
// taking it out of the dictionary.
#pragma once

#include "dictionary/word_classes.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace orv {

constexpr int kMaxScore = 100;
// Every word of the frequency table scores at least this.
constexpr int kFrequentScore = 50;
// A dictionary word that the table does not know.
constexpr int kUnknownScore = 30;
// A rare verb form of the shipped list.
constexpr int kRareFormScore = 10;
// A word the user added: the user wants it.
constexpr int kUserAddedScore = 90;

// The vocabularies that filling may draw from, by minimum score.
enum class Vocabulary {
    Common,   // "Mots courants": the frequency table and the user's own words
    Extended, // "Vocabulaire étendu": every word but the rare forms and the lowered ones
    Whole,    // "Tout le dictionnaire": every word not hidden
};
int minimumScore(Vocabulary v);
QString vocabularyName(Vocabulary v);

// The shipped table: scores of frequent words and the rare verb forms, each a
// text of lines ("WORD<TAB>score" and "WORD"; '#' opens a comment line). The
// texts are kept as they are and indexed by an open-addressing hash of offsets
// into them, so that loading costs one pass and no allocation per word.
// The bytes of a table compiled into the program (a resource path), read in
// place when it is stored uncompressed.
QByteArray shippedTable(const QString& path);

class ScoreTable {
public:
    ScoreTable() = default;
    ScoreTable(QByteArray frequent, QByteArray rare);

    // The table compiled into the program (loaded once, on first use).
    static const ScoreTable& french();

    // The table's score of a plain word, or nullopt when it has none.
    std::optional<int> find(QByteArrayView word) const;
    // Whether the word comes from the frequency table.
    bool isFrequent(QByteArrayView word) const;
    qsizetype frequentCount() const { return frequentCount_; }
    qsizetype rareCount() const { return rareCount_; }

private:
    void index(const QByteArray& text, int fixedScore, qsizetype& counted);
    qsizetype slotOf(QByteArrayView word) const;
    QByteArrayView wordAt(std::uint32_t slot) const;

    QByteArray frequent_;
    QByteArray rare_;
    // Each used slot: bit 31 says which text, bits 0-23 the word's offset in
    // it; 0 is a free slot (no word starts a text: its first lines are comments
    // or the offset is shifted by one).
    std::vector<std::uint32_t> slots_;
    std::vector<std::uint8_t> scores_;
    std::uint32_t mask_ = 0;
    qsizetype frequentCount_ = 0;
    qsizetype rareCount_ = 0;
};

// The user's own scores, file "Dicoscore.dat": one "WORD<TAB>score" per line,
// Windows-1252, CR LF. Written only when changed, replacing the file atomically.
class UserScores {
public:
    UserScores();

    std::optional<int> find(QByteArrayView word) const;
    // Records the user's score (clamped to 0..100); a change sets modified().
    void set(const QByteArray& word, int score);
    // Gives the word back to the table's score.
    void remove(const QByteArray& word);
    qsizetype count() const { return scores_.size(); }
    const QHash<QByteArray, int>& all() const { return scores_; }
    bool modified() const { return modified_; }
    // Differs after every change of the scores (set, remove, load), and from
    // the revision of any other scores: what is derived from them (the
    // pattern index's scores) compares it to know when to follow. Compare it
    // for equality only.
    quint64 revision() const { return revision_; }

    // A missing file gives no scores; lines that are not a word of capitals, a
    // TAB and a number are skipped. Throws OrvError "Ne peut ouvrir le fichier
    // <displayName>" when the file exists but cannot be read.
    void load(const QString& path, const QString& displayName);
    // The same from the file's bytes.
    void loadBytes(const QByteArray& bytes);
    // Writes the scores in word order when they changed since the load or the
    // last save; throws OrvError "Ne peut créer le fichier <displayName>".
    void saveIfModified(const QString& path, const QString& displayName);
    // The file's bytes, in word order; and the note that they were written.
    QByteArray fileBytes() const;
    void markSaved() { modified_ = false; }

private:
    QHash<QByteArray, int> scores_;
    bool modified_ = false;
    quint64 revision_;
};

// The score of every word, the user's first.
class WordScores {
public:
    explicit WordScores(const ScoreTable& table = ScoreTable::french()) : table_(&table) {}
    // The table is kept by reference: it must outlive the scores.
    explicit WordScores(ScoreTable&&) = delete;

    int score(QByteArrayView word) const;
    // The word's class: from the user's own score when there is one (50 and
    // up well known, 20 and up fair), else from the shipped classes.
    WordClass wordClass(QByteArrayView word) const;
    bool isFrequent(QByteArrayView word) const { return table_->isFrequent(word); }
    // The scores of plain words, one byte each, in the words' order: the array
    // that a dictionary index keeps beside its own list.
    std::vector<std::uint8_t> scoresOf(const QList<QByteArray>& plainWords) const;

    // A word added through the word dialog scores high.
    void noteAdded(const QByteArray& word);

    UserScores& user() { return user_; }
    const UserScores& user() const { return user_; }
    const ScoreTable& table() const { return *table_; }
    // Differs after every change of a score (the table never changes).
    quint64 revision() const { return user_.revision(); }

private:
    const ScoreTable* table_;
    UserScores user_;
};

} // namespace orv
