// The clue base on SQLite: one table of entries, unique by word and text, an
// index of the words by length for the patterns, and an FTS5 index of the
// clues kept in step by triggers. The base keeps a write-ahead log flushed to
// disk at every commit, so a committed transaction survives a crash of the
// program or of the machine.
#include "definitions/clue_base.h"

#include "common/codec.h"
#include "common/errors.h"
#include "definitions/clue_lines.h"
#include "dictionary/word_source.h"
#include "grid/grid_slots.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <limits>
#include <sqlite3.h>

namespace orv {

namespace {

const char* const kSchema = R"sql(
CREATE TABLE IF NOT EXISTS clues(
  id INTEGER PRIMARY KEY,
  word TEXT NOT NULL,
  clue TEXT NOT NULL,
  grid TEXT NOT NULL DEFAULT '',
  date TEXT NOT NULL DEFAULT '',
  UNIQUE(word, clue));
CREATE INDEX IF NOT EXISTS clues_length ON clues(length(word), word);
CREATE VIRTUAL TABLE IF NOT EXISTS clue_words USING fts5(
  clue, content='clues', content_rowid='id', tokenize='unicode61 remove_diacritics 2');
CREATE TRIGGER IF NOT EXISTS clues_added AFTER INSERT ON clues BEGIN
  INSERT INTO clue_words(rowid, clue) VALUES (new.id, new.clue);
END;
CREATE TRIGGER IF NOT EXISTS clues_deleted AFTER DELETE ON clues BEGIN
  INSERT INTO clue_words(clue_words, rowid, clue) VALUES ('delete', old.id, old.clue);
END;
CREATE TRIGGER IF NOT EXISTS clues_changed AFTER UPDATE ON clues BEGIN
  INSERT INTO clue_words(clue_words, rowid, clue) VALUES ('delete', old.id, old.clue);
  INSERT INTO clue_words(rowid, clue) VALUES (new.id, new.clue);
END;
CREATE TABLE IF NOT EXISTS facts(name TEXT PRIMARY KEY, value TEXT);
)sql";

QString sqliteText(sqlite3_stmt* st, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(st, column)) : QString();
}

// A prepared statement, finalised on every path.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &st_, nullptr) != SQLITE_OK)
            throw OrvError(QStringLiteral("La base d'indices est illisible (%1)")
                               .arg(QString::fromUtf8(sqlite3_errmsg(db))));
    }
    ~Statement() { sqlite3_finalize(st_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    void bind(int i, const QString& text) {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(st_, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    void bind(int i, qint64 n) { sqlite3_bind_int64(st_, i, n); }
    // SQLITE_ROW, SQLITE_DONE, or an error code.
    int step() { return sqlite3_step(st_); }
    void reset() {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }
    sqlite3_stmt* get() const { return st_; }

private:
    sqlite3_stmt* st_ = nullptr;
};

// A transaction rolled back unless committed.
class Transaction {
public:
    explicit Transaction(sqlite3* db) : db_(db) {
        if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
            throw OrvError(QStringLiteral("La base d'indices est occupée ou illisible (%1)")
                               .arg(QString::fromUtf8(sqlite3_errmsg(db_))));
    }
    ~Transaction() {
        if (!done_)
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit() {
        if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
            throw OrvError(QStringLiteral("Ne peut écrire dans la base d'indices (%1)")
                               .arg(QString::fromUtf8(sqlite3_errmsg(db_))));
        done_ = true;
    }

private:
    sqlite3* db_;
    bool done_ = false;
};

// The dated name beside the base: "Indices-2026-12-08-1430.sqlite", then
// "-2", "-3"... when that one is taken.
QString asideName(const QString& path, const QDateTime& now) {
    const QFileInfo info(path);
    const QString stem = info.path() + QLatin1Char('/') + info.completeBaseName() +
                         now.toString(QStringLiteral("-yyyy-MM-dd-HHmm"));
    const QString suffix = QLatin1Char('.') + info.suffix();
    QString name = stem + suffix;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = stem + QLatin1Char('-') + QString::number(n) + suffix;
    return name;
}

// FTS5 query of the words typed: each one quoted and taken as the start of a
// word of the clue ("saison" finds "saisons"), all of them required.
QString ftsQuery(const QString& words) {
    QStringList terms;
    QString current;
    auto flush = [&] {
        if (!current.isEmpty())
            terms.append(QLatin1Char('"') + current + QStringLiteral("\"*"));
        current.clear();
    };
    for (QChar ch : words) {
        if (ch.isLetterOrNumber())
            current.append(ch);
        else
            flush();
    }
    flush();
    return terms.join(QLatin1Char(' '));
}

// The fields of a CSV text (RFC 4180: commas, quotes doubled, CR LF or LF).
std::vector<QStringList> parseCsv(const QString& text) {
    std::vector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool any = false;
    int line = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field.append(ch);
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (ch == QLatin1Char('\n'))
                    ++line;
                field.append(ch);
            }
        } else if (ch == QLatin1Char('"') && field.isEmpty()) {
            quoted = any = true;
        } else if (ch == QLatin1Char(',')) {
            row.append(field);
            field.clear();
            any = true;
        } else if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            if (ch == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            if (any || !field.isEmpty()) {
                row.append(field);
                rows.push_back(row);
            }
            row.clear();
            field.clear();
            any = false;
            ++line;
        } else {
            field.append(ch);
            any = true;
        }
    }
    if (quoted)
        throw OrvError(QStringLiteral("Le fichier CSV est mal formé : un guillemet n'est pas "
                                      "fermé (ligne %1)")
                           .arg(line));
    if (any || !field.isEmpty()) {
        row.append(field);
        rows.push_back(row);
    }
    return rows;
}

} // namespace

QString plainWord(const QString& text) {
    QString word;
    for (QChar ch : foldAccents(text).toUpper())
        if (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z'))
            word.append(ch);
    return word;
}

QString clueDate(const QDateTime& when) {
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

std::vector<ClueEntry> gridClueEntries(const Grille& grille, const QString& gridFile,
                                       const QDateTime& now) {
    std::vector<ClueEntry> entries;
    const QString date = clueDate(now);
    const GridSlots slots(grille);
    const QList<QStringList> acrossWords = lineWords(grille, slots, SlotDirection::Horizontal);
    const QList<QStringList> downWords = lineWords(grille, slots, SlotDirection::Vertical);
    for (const Slot& slot : slots.slots()) {
        const bool across = slot.direction == SlotDirection::Horizontal;
        const QByteArray& clue = (across ? grille.DefHoriz : grille.DefVert)[slot.line - 1];
        QString text = toUi(clue).trimmed();
        // A line of several words cut by its dashes gives each word its own clue.
        const auto wordCount = (across ? acrossWords : downWords).at(slot.line - 1).size();
        const QStringList parts = splitClues(text);
        if (wordCount > 1 && parts.size() > 1)
            text = slot.ordinal < parts.size() ? parts.at(slot.ordinal) : QString();
        if (text.isEmpty())
            continue;
        QString word;
        for (const SlotCell& cell : slot.cells) {
            const char c = grille.cell(cell.col, cell.row);
            if (!isLetterCell(c))
                break;
            word.append(QLatin1Char(c));
        }
        if (word.size() == slot.length())
            entries.push_back({0, word, text, gridFile, date});
    }
    return entries;
}

QByteArray csvLine(const QStringList& fields) {
    QByteArray line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line.append(',');
        QString field = fields[i];
        if (field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) ||
            field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'))) {
            field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            field = QLatin1Char('"') + field + QLatin1Char('"');
        }
        line.append(field.toUtf8());
    }
    line.append("\r\n");
    return line;
}

// ---------------------------------------------------------------- opening

ClueBase::~ClueBase() { close(); }

void ClueBase::close() {
    if (db_)
        sqlite3_close(db_);
    db_ = nullptr;
}

bool ClueBase::open(const QString& path, bool readOnly, const QDateTime& now) {
    close();
    path_ = path;
    readOnly_ = readOnly;
    problem_.clear();
    keptAside_.clear();
    const bool exists = QFileInfo::exists(path) || QFileInfo(path).isSymLink();
    if (readOnly && !exists)
        return false;
    const QByteArray name = QFile::encodeName(path);
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    QString fault;
    if (sqlite3_open_v2(name.constData(), &db_, flags, nullptr) != SQLITE_OK) {
        fault = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("mémoire");
    } else {
        sqlite3_busy_timeout(db_, 2000);
        sqlite3_extended_result_codes(db_, 1);
        try {
            // A file that is not a base fails here; a damaged one in the check.
            if (!readOnly) {
                // Write-ahead log, synchronised at every commit: one flush to
                // disk per transaction, and a commit survives any crash.
                exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;");
                exec(kSchema);
            }
            Statement check(db_, "PRAGMA quick_check");
            const int rc = check.step();
            const QString verdict = rc == SQLITE_ROW ? sqliteText(check.get(), 0) : QString();
            if (verdict != QLatin1String("ok"))
                fault = rc == SQLITE_ROW ? verdict : QString::fromUtf8(sqlite3_errmsg(db_));
            else
                Statement probe(db_, "SELECT count(*) FROM clues, facts LIMIT 1");
        } catch (const OrvError& e) {
            fault = e.message();
        }
    }
    if (fault.isEmpty())
        return true;
    close();
    problem_ = QStringLiteral("La base d'indices %1 ne peut être ouverte (%2)")
                   .arg(QFileInfo(path).fileName(), fault);
    if (readOnly || !exists)
        return false;
    const QString aside = asideName(path, now);
    if (QFile::rename(path, aside)) {
        for (const char* extra : {"-journal", "-wal", "-shm"})
            QFile::remove(path + QLatin1String(extra));
        keptAside_ = aside;
        problem_ += QStringLiteral(" : elle est gardée sous le nom %1 et le programme continue "
                                   "sans elle")
                        .arg(QFileInfo(aside).fileName());
    } else {
        problem_ += QStringLiteral(" : le programme continue sans elle");
    }
    return false;
}

void ClueBase::exec(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString text = QString::fromUtf8(error ? error : sqlite3_errmsg(db_));
        sqlite3_free(error);
        fail(text);
    }
}

void ClueBase::fail(const QString& what) {
    throw OrvError(QStringLiteral("Erreur de la base d'indices : %1").arg(what));
}

void ClueBase::checkWritable() {
    if (!db_)
        throw OrvError(QStringLiteral("La base d'indices n'est pas ouverte"));
    if (readOnly_)
        throw OrvError(QStringLiteral("La base d'indices est en lecture seule : un autre "
                                      "programme travaille dans ce dossier"));
}

// ---------------------------------------------------------------- writing

bool ClueBase::definitionsTaken() {
    if (!db_)
        return false;
    Statement st(db_, "SELECT 1 FROM facts WHERE name = 'definitions'");
    return st.step() == SQLITE_ROW;
}

int ClueBase::takeDefinitions(const QList<QByteArray>& lines, const QDateTime& now) {
    checkWritable();
    if (definitionsTaken())
        return 0;
    std::vector<ClueEntry> entries;
    const QString date = clueDate(now);
    for (const QByteArray& line : lines) {
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0)
            continue;
        const QString word = plainWord(toUi(line.left(tab)));
        const QString clue = toUi(line.mid(tab + 1)).trimmed();
        if (!word.isEmpty() && !clue.isEmpty())
            entries.push_back({0, word, clue, QStringLiteral("Dicodef.dat"), date});
    }
    Transaction transaction(db_);
    const int added = insertEntries(entries);
    exec("INSERT INTO facts(name, value) VALUES('definitions', '1')");
    transaction.commit();
    return added;
}

int ClueBase::add(const std::vector<ClueEntry>& entries) {
    checkWritable();
    Transaction transaction(db_);
    const int added = insertEntries(entries);
    transaction.commit();
    return added;
}

// Within the caller's transaction: each entry with a word and a clue, once.
int ClueBase::insertEntries(const std::vector<ClueEntry>& entries) {
    Statement insert(db_, "INSERT OR IGNORE INTO clues(word, clue, grid, date) VALUES(?,?,?,?)");
    int added = 0;
    for (const ClueEntry& e : entries) {
        const QString word = plainWord(e.word);
        const QString clue = e.clue.trimmed();
        if (word.isEmpty() || clue.isEmpty())
            continue;
        insert.bind(1, word);
        insert.bind(2, clue);
        insert.bind(3, e.grid);
        insert.bind(4, e.date);
        if (insert.step() != SQLITE_DONE)
            fail(QString::fromUtf8(sqlite3_errmsg(db_)));
        added += sqlite3_changes(db_);
        insert.reset();
    }
    return added;
}

void ClueBase::update(const ClueEntry& entry) {
    checkWritable();
    const QString word = plainWord(entry.word);
    const QString clue = entry.clue.trimmed();
    if (word.isEmpty() || clue.isEmpty())
        throw OrvError(QStringLiteral("Un indice a besoin d'un mot et d'un texte"));
    Transaction transaction(db_);
    Statement st(db_, "UPDATE clues SET word = ?, clue = ?, grid = ?, date = ? WHERE id = ?");
    st.bind(1, word);
    st.bind(2, clue);
    st.bind(3, entry.grid);
    st.bind(4, entry.date);
    st.bind(5, entry.id);
    const int rc = st.step();
    if ((rc & 0xff) == SQLITE_CONSTRAINT)
        throw OrvError(QStringLiteral("Le mot %1 a déjà cet indice").arg(word));
    if (rc != SQLITE_DONE)
        fail(QString::fromUtf8(sqlite3_errmsg(db_)));
    transaction.commit();
}

void ClueBase::remove(qint64 id) {
    checkWritable();
    Transaction transaction(db_);
    Statement st(db_, "DELETE FROM clues WHERE id = ?");
    st.bind(1, id);
    if (st.step() != SQLITE_DONE)
        fail(QString::fromUtf8(sqlite3_errmsg(db_)));
    transaction.commit();
}

int ClueBase::count() {
    if (!db_)
        return 0;
    Statement st(db_, "SELECT count(*) FROM clues");
    return st.step() == SQLITE_ROW ? sqlite3_column_int(st.get(), 0) : 0;
}

// ---------------------------------------------------------------- searching

std::vector<ClueEntry> ClueBase::select(const char* sql, const QString& a, qint64 n, int limit) {
    std::vector<ClueEntry> entries;
    if (!db_)
        return entries;
    Statement st(db_, sql);
    int i = 1;
    if (!a.isNull())
        st.bind(i++, a);
    if (n >= 0)
        st.bind(i++, n);
    st.bind(i, qint64(limit));
    int rc;
    while ((rc = st.step()) == SQLITE_ROW)
        entries.push_back({sqlite3_column_int64(st.get(), 0), sqliteText(st.get(), 1),
                           sqliteText(st.get(), 2), sqliteText(st.get(), 3),
                           sqliteText(st.get(), 4)});
    if (rc != SQLITE_DONE)
        fail(QString::fromUtf8(sqlite3_errmsg(db_)));
    return entries;
}

std::vector<ClueEntry> ClueBase::byWord(const QString& word, int limit) {
    return select("SELECT id, word, clue, grid, date FROM clues WHERE word = ? "
                  "ORDER BY word, clue LIMIT ?",
                  plainWord(word), -1, limit);
}

std::vector<ClueEntry> ClueBase::latestByWord(const QString& word, int limit) {
    return select("SELECT id, word, clue, grid, date FROM clues WHERE word = ? "
                  "ORDER BY date DESC, id DESC LIMIT ?",
                  plainWord(word), -1, limit);
}

std::vector<ClueEntry> ClueBase::byPattern(const QString& pattern, int limit) {
    QString glob;
    for (QChar ch : foldAccents(pattern).toUpper()) {
        if (ch == QLatin1Char('?') || ch == QLatin1Char('.'))
            glob.append(QLatin1Char('?'));
        else if (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z'))
            glob.append(ch);
    }
    if (glob.isEmpty())
        return {};
    return select("SELECT id, word, clue, grid, date FROM clues "
                  "WHERE word GLOB ? AND length(word) = ? ORDER BY word, clue LIMIT ?",
                  glob, glob.size(), limit);
}

std::vector<ClueEntry> ClueBase::byText(const QString& words, int limit) {
    const QString query = ftsQuery(words);
    if (query.isEmpty())
        return {};
    return select("SELECT c.id, c.word, c.clue, c.grid, c.date FROM clue_words "
                  "JOIN clues c ON c.id = clue_words.rowid WHERE clue_words MATCH ? "
                  "ORDER BY c.word, c.clue LIMIT ?",
                  query, -1, limit);
}

std::vector<ClueEntry> ClueBase::all(int limit) {
    return select("SELECT id, word, clue, grid, date FROM clues ORDER BY word, clue LIMIT ?",
                  QString(), -1, limit);
}

// ---------------------------------------------------------------- CSV

QByteArray ClueBase::exportCsv() {
    QByteArray csv = csvLine({QStringLiteral("mot"), QStringLiteral("indice"),
                              QStringLiteral("grille"), QStringLiteral("date")});
    for (const ClueEntry& e : all(std::numeric_limits<int>::max()))
        csv += csvLine({e.word, e.clue, e.grid, e.date});
    return csv;
}

int ClueBase::importCsv(const QByteArray& csv, const QDateTime& now) {
    checkWritable();
    QByteArray data = csv;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    const QString text = QString::fromUtf8(data);
    if (text.contains(QChar::ReplacementCharacter) && !data.contains("\xEF\xBF\xBD"))
        throw OrvError(QStringLiteral("Le fichier CSV n'est pas en UTF-8"));
    std::vector<QStringList> rows = parseCsv(text);
    if (rows.empty() || rows.front().size() < 2 ||
        rows.front()[0].trimmed().compare(QLatin1String("mot"), Qt::CaseInsensitive) != 0 ||
        rows.front()[1].trimmed().compare(QLatin1String("indice"), Qt::CaseInsensitive) != 0)
        throw OrvError(QStringLiteral("Le fichier CSV doit commencer par la ligne "
                                      "« mot,indice,grille,date »"));
    std::vector<ClueEntry> entries;
    const QString date = clueDate(now);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const QStringList& row = rows[i];
        if (row.size() < 2)
            throw OrvError(
                QStringLiteral("Le fichier CSV est mal formé : la ligne %1 n'a pas d'indice")
                    .arg(i + 1));
        entries.push_back(
            {0, row[0], row[1], row.value(2), row.value(3).isEmpty() ? date : row.value(3)});
    }
    return add(entries);
}

} // namespace orv
