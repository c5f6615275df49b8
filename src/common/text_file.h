// Line rules of the program's text files (dictionary, definitions, word lists).
// Read whole: CR LF, a lone CR or a lone LF ends a line, a NUL ends the text,
// the last line needs no end. Written with CR LF after every line, replacing
// the file atomically so that a crash never leaves half a file.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QFile;

namespace orv {

QList<QByteArray> splitTextLines(const QByteArray& data);
QByteArray joinTextLines(const QList<QByteArray>& lines);

// Bounds on what a reader takes in: far beyond any real file of its kind,
// and well within memory.
constexpr qint64 kMaxGridFileBytes = qint64(1) << 20;
constexpr qint64 kMaxListFileBytes = qint64(512) << 20;

// "Le fichier <name> est trop gros (plus de 1 Mo)".
QString tooLargeMessage(const QString& fileName, qint64 maxBytes);

// Opens a file for reading, refusing at once anything but a regular file (a
// FIFO or a device would block the program or never end) and a file larger
// than maxBytes. Throws OrvError "Ne peut ouvrir le fichier <displayName>"
// (or the too-large message).
std::unique_ptr<QFile> openForReading(const QString& path, const QString& displayName,
                                      qint64 maxBytes = kMaxListFileBytes);

// Throws OrvError "Ne peut ouvrir le fichier <displayName>" when it cannot be read.
// The display name defaults to the path as given.
QList<QByteArray> readTextLines(const QString& path, const QString& displayName = {});
QByteArray readWholeFile(const QString& path, const QString& displayName = {},
                         qint64 maxBytes = kMaxListFileBytes);

// Lines of the text after its first NUL byte, which the line rules leave out
// (the line that holds the NUL counts as one).
qsizetype linesAfterNul(const QByteArray& data);

// Reads lines one by one under the line rules, a block at a time, so that
// memory does not grow with the file.
class TextLineReader {
public:
    // The next block of bytes, empty at the end; throws on a read error.
    using BlockSource = std::function<QByteArray()>;
    // Takes an opened file (see openForReading) and reads it block by block.
    TextLineReader(std::unique_ptr<QFile> file, const QString& displayName);
    // Takes blocks from a source; `size` is the total for progress.
    TextLineReader(BlockSource source, qint64 size);
    ~TextLineReader();
    // The next line, false at the end of the text (end of data or a NUL).
    // Throws OrvError "Ne peut ouvrir le fichier <displayName>" on a read error.
    bool next(QByteArray& line);
    // The same, as a view valid until the next call: into the block read
    // when the line lies within it, without a copy.
    bool nextView(QByteArrayView& line);
    // Bytes taken so far, and the total, for progress.
    qint64 position() const { return consumed_; }
    qint64 size() const { return size_; }
    // Whether a NUL ended the text.
    bool stoppedAtNul() const { return stoppedAtNul_; }

private:
    bool fill();
    std::unique_ptr<QFile> file_;
    BlockSource source_;
    QByteArray block_;
    QByteArray carry_; // a line that spans blocks, for nextView
    qsizetype at_ = 0;
    qint64 consumed_ = 0;
    qint64 size_ = 0;
    bool eof_ = false;
    bool done_ = false;
    bool stoppedAtNul_ = false;
    bool skipLf_ = false;
};

// The blocks of an opened file; throws OrvError "Ne peut ouvrir le fichier
// <displayName>" on a read error.
TextLineReader::BlockSource fileBlocks(QFile& file, const QString& displayName);

// Throws OrvError "Ne peut créer le fichier <displayName>" when it cannot be written;
// the earlier file, if any, is then left as it was.
void writeTextLines(const QString& path, const QList<QByteArray>& lines,
                    const QString& displayName = {});
void writeWholeFile(const QString& path, const QByteArray& data, const QString& displayName = {});

bool fileExists(const QString& path);

// Whether two paths name one existing file, through links too (the same
// device and inode), so that a tool never writes over a file it reads.
bool sameFile(const QString& a, const QString& b);
// "Le fichier <output> est aussi un fichier lu : il n'est pas remplacé".
QString writesOverInputMessage(const QString& output);
// Throws OrvError writesOverInputMessage when `output` is one of `inputs`
// (an empty name stands for no file).
void refuseWritingOverInput(const QString& output, const QStringList& inputs);

// Loads a data file of the working folder through `load`, which throws on
// failure. `unreadable` tells afterwards whether the file exists but could not
// be read: such a file must never be replaced by the empty list that stands in
// for it, while a missing one may be created.
template <typename Load> void loadDataFile(const QString& path, bool& unreadable, Load load) {
    unreadable = false;
    try {
        load();
    } catch (...) {
        unreadable = fileExists(path);
        throw;
    }
}

} // namespace orv

namespace orv {

// The lines of a text as splitTextLines cuts them, handed one by one to
// `line(const char* begin, qsizetype size)` without a copy, for readers
// that keep no list of lines.
template <typename F> void forEachTextLine(const QByteArray& data, F&& line) {
    const char* p = data.constData();
    const qsizetype n = data.size();
    qsizetype start = 0;
    qsizetype i = 0;
    for (; i < n; ++i) {
        const char c = p[i];
        if (c == '\0')
            break;
        if (c == '\r' || c == '\n') {
            line(p + start, i - start);
            if (c == '\r' && i + 1 < n && p[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (i > start)
        line(p + start, i - start);
}

} // namespace orv
