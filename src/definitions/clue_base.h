// The clue base: every clue written for a grid, kept in an SQLite file of the
// working folder ("Indices.sqlite") with a full-text index of the clues, so
// that a setter finds what was already written for a word. Each entry is a
// word (plain capitals), one clue, the grid file it was written for and the
// date; a word has any number of clues, each text once. Every write is one
// transaction: a crash keeps every committed clue. A file that cannot be
// opened or is damaged is set aside under a dated name and the run goes on
// without a base.
#pragma once

#include "grid/grid_model.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <vector>

struct sqlite3;

namespace orv {

struct ClueEntry {
    qint64 id = 0; // 0 for an entry not yet in the base
    QString word;
    QString clue;
    QString grid;
    QString date; // "2026-12-08 14:30"
    bool operator==(const ClueEntry&) const = default;
};

class ClueBase {
public:
    static QString fileName() { return QStringLiteral("Indices.sqlite"); }
    // At most this many entries come back from one search.
    static constexpr int kMaxResults = 1000;

    ClueBase() = default;
    ~ClueBase();
    ClueBase(const ClueBase&) = delete;
    ClueBase& operator=(const ClueBase&) = delete;

    // Opens the base at `path`, creating it when missing (unless read-only,
    // when a missing file gives no base and no message). A file that cannot be
    // opened or is damaged is renamed from `now` ("Indices-2026-12-08-1430.sqlite")
    // and problem() tells the user; false then, and the base stays closed.
    bool open(const QString& path, bool readOnly, const QDateTime& now);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    bool isReadOnly() const { return readOnly_; }
    // The French message of the last failure to open, "" when none.
    const QString& problem() const { return problem_; }
    // The name the damaged file was given, "" when none.
    const QString& keptAside() const { return keptAside_; }

    // Whether the definitions list was already taken in (once, at first use).
    bool definitionsTaken();
    // Takes in the lines "WORD<TAB>definition" of the definitions list, once,
    // in one transaction with the mark that they were taken.
    int takeDefinitions(const QList<QByteArray>& lines, const QDateTime& now);

    // Adds the entries in one transaction (a word and text already there is
    // left as it was) and returns how many were new. Throws OrvError.
    int add(const std::vector<ClueEntry>& entries);
    void update(const ClueEntry& entry);
    void remove(qint64 id);
    int count();

    // Entries of one word (accents and case do not matter).
    std::vector<ClueEntry> byWord(const QString& word, int limit = kMaxResults);
    // The same, the most recently written first.
    std::vector<ClueEntry> latestByWord(const QString& word, int limit = kMaxResults);
    // Entries of the words that fit a pattern: '?' or '.' for any letter.
    std::vector<ClueEntry> byPattern(const QString& pattern, int limit = kMaxResults);
    // Entries whose clue holds every word typed, or a word it begins (accents
    // and case do not matter).
    std::vector<ClueEntry> byText(const QString& words, int limit = kMaxResults);
    std::vector<ClueEntry> all(int limit = kMaxResults);

    // CSV, UTF-8, a header line "mot,indice,grille,date".
    QByteArray exportCsv();
    // Adds the rows of a CSV text in one transaction; returns how many were new.
    // Throws OrvError, adding nothing, when the text is not such a CSV.
    int importCsv(const QByteArray& csv, const QDateTime& now);

private:
    void exec(const char* sql);
    void fail(const QString& what);
    int insertEntries(const std::vector<ClueEntry>& entries);
    std::vector<ClueEntry> select(const char* sql, const QString& a, qint64 n, int limit);
    void checkWritable();

    sqlite3* db_ = nullptr;
    bool readOnly_ = false;
    QString path_;
    QString problem_;
    QString keptAside_;
};

// A word as the base keeps it: accents dropped, capitals, letters A to Z only.
QString plainWord(const QString& text);
// The date of an entry: "2026-12-08 14:30".
QString clueDate(const QDateTime& when);
// The entries of a grid's clues: each row's (column's) clue for every full
// word of that row (column), as written; empty clues and words with an empty
// cell give nothing.
std::vector<ClueEntry> gridClueEntries(const Grille& grille, const QString& gridFile,
                                       const QDateTime& now);
// The CSV fields of one line, quoted as RFC 4180 asks.
QByteArray csvLine(const QStringList& fields);

} // namespace orv
