// Reading and atomic writing of line-based single-byte text files.
#include "common/text_file.h"

#include "common/errors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orv {

QString cannotOpenMessage(const QString& fileName) {
    return QStringLiteral("Ne peut ouvrir le fichier %1").arg(fileName);
}

QString cannotCreateMessage(const QString& fileName) {
    return QStringLiteral("Ne peut créer le fichier %1").arg(fileName);
}

bool fileExists(const QString& path) { return QFileInfo::exists(path); }

bool sameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
#ifdef Q_OS_UNIX
    struct stat sa {};
    struct stat sb {};
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
#else
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
#endif
}

QString writesOverInputMessage(const QString& output) {
    return QStringLiteral("Le fichier %1 est aussi un fichier lu : il n'est pas remplacé")
        .arg(output);
}

void refuseWritingOverInput(const QString& output, const QStringList& inputs) {
    for (const QString& input : inputs)
        if (sameFile(output, input))
            throw OrvError(writesOverInputMessage(output));
}

QList<QByteArray> splitTextLines(const QByteArray& data) {
    QList<QByteArray> lines;
    forEachTextLine(data, [&lines](const char* begin, qsizetype size) {
        lines.append(QByteArray(begin, size));
    });
    return lines;
}

QByteArray joinTextLines(const QList<QByteArray>& lines) {
    qsizetype total = 0;
    for (const auto& l : lines)
        total += l.size() + 2;
    QByteArray out;
    out.reserve(total);
    for (const auto& l : lines) {
        out.append(l);
        out.append("\r\n", 2);
    }
    return out;
}

QString tooLargeMessage(const QString& fileName, qint64 maxBytes) {
    const qint64 mb = maxBytes >> 20;
    return QStringLiteral("Le fichier %1 est trop gros (plus de %2)")
        .arg(fileName,
             mb >= 1 ? QStringLiteral("%1 Mo").arg(mb) : QStringLiteral("%1 octets").arg(maxBytes));
}

std::unique_ptr<QFile> openForReading(const QString& path, const QString& displayName,
                                      qint64 maxBytes) {
    const QString name = displayName.isEmpty() ? path : displayName;
    auto file = std::make_unique<QFile>(path);
#ifdef Q_OS_UNIX
    // Opened without blocking and checked on the descriptor itself: opening a
    // FIFO for reading would otherwise wait for a writer forever, and a
    // check by name could be fooled between the check and the open.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw OrvError(cannotOpenMessage(name));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw OrvError(cannotOpenMessage(name));
    }
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw OrvError(cannotOpenMessage(name));
    }
#else
    const QFileInfo info(path);
    if (!info.isFile() || !file->open(QIODevice::ReadOnly))
        throw OrvError(cannotOpenMessage(name));
#endif
    if (file->isSequential())
        throw OrvError(cannotOpenMessage(name));
    if (file->size() > maxBytes)
        throw OrvError(tooLargeMessage(name, maxBytes));
    return file;
}

QByteArray readWholeFile(const QString& path, const QString& displayName, qint64 maxBytes) {
    const QString name = displayName.isEmpty() ? path : displayName;
    const std::unique_ptr<QFile> f = openForReading(path, name, maxBytes);
    // Read up to the size found at the open, and one byte more to tell a
    // file that grows while it is read, which is refused beyond the bound.
    const qint64 expected = f->size();
    QByteArray data(expected, Qt::Uninitialized);
    const qint64 got = f->read(data.data(), expected);
    if (got < 0)
        throw OrvError(cannotOpenMessage(name));
    data.resize(got);
    char more = 0;
    while (f->read(&more, 1) == 1) {
        data.append(more);
        data.append(f->read(maxBytes + 1 - data.size()));
        break;
    }
    if (f->error() != QFileDevice::NoError)
        throw OrvError(cannotOpenMessage(name));
    if (data.size() > maxBytes)
        throw OrvError(tooLargeMessage(name, maxBytes));
    return data;
}

qsizetype linesAfterNul(const QByteArray& data) {
    const qsizetype nul = data.indexOf('\0');
    if (nul < 0)
        return 0;
    qsizetype lines = 0;
    const qsizetype n = data.size();
    qsizetype start = nul;
    for (qsizetype i = nul; i < n; ++i) {
        const char c = data[i];
        if (c == '\r' || c == '\n') {
            ++lines;
            if (c == '\r' && i + 1 < n && data[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    return start < n ? lines + 1 : lines;
}

namespace {
constexpr qint64 kReadBlock = 1 << 20;
}

TextLineReader::BlockSource fileBlocks(QFile& file, const QString& displayName) {
    return [&file, displayName] {
        QByteArray block = file.read(kReadBlock);
        if (file.error() != QFileDevice::NoError)
            throw OrvError(cannotOpenMessage(displayName));
        return block;
    };
}

TextLineReader::TextLineReader(std::unique_ptr<QFile> file, const QString& displayName)
    : file_(std::move(file)), source_(fileBlocks(*file_, displayName)), size_(file_->size()) {}

TextLineReader::TextLineReader(BlockSource source, qint64 size)
    : source_(std::move(source)), size_(size) {}

TextLineReader::~TextLineReader() = default;

bool TextLineReader::fill() {
    if (eof_)
        return false;
    block_ = source_();
    at_ = 0;
    if (block_.isEmpty()) {
        eof_ = true;
        return false;
    }
    return true;
}

bool TextLineReader::next(QByteArray& line) {
    line.resize(0); // keeps its room for the next line
    if (done_)
        return false;
    bool any = false; // something of this line was met: a byte or its end
    for (;;) {
        if (at_ >= block_.size() && !fill()) {
            done_ = true;
            return any;
        }
        const char* p = block_.constData();
        const qsizetype n = block_.size();
        if (skipLf_) {
            skipLf_ = false;
            if (p[at_] == '\n') {
                ++at_;
                ++consumed_;
                continue;
            }
        }
        qsizetype i = at_;
        while (i < n && p[i] != '\r' && p[i] != '\n' && p[i] != '\0')
            ++i;
        line.append(p + at_, i - at_);
        consumed_ += i - at_;
        any = any || i > at_;
        at_ = i;
        if (i == n)
            continue;
        if (p[i] == '\0') {
            done_ = true;
            stoppedAtNul_ = true;
            consumed_ = size_;
            return any;
        }
        skipLf_ = p[i] == '\r';
        ++at_;
        ++consumed_;
        return true;
    }
}

bool TextLineReader::nextView(QByteArrayView& line) {
    if (!done_ && at_ < block_.size()) {
        const char* p = block_.constData();
        const qsizetype n = block_.size();
        qsizetype start = at_;
        if (skipLf_ && p[start] == '\n')
            ++start;
        qsizetype i = start;
        while (i < n && p[i] != '\r' && p[i] != '\n' && p[i] != '\0')
            ++i;
        if (i < n && p[i] != '\0') {
            consumed_ += i + 1 - at_;
            skipLf_ = p[i] == '\r';
            at_ = i + 1;
            line = QByteArrayView(p + start, i - start);
            return true;
        }
    }
    // A line across blocks, a NUL or the end of the text.
    if (!next(carry_))
        return false;
    line = carry_;
    return true;
}

QList<QByteArray> readTextLines(const QString& path, const QString& displayName) {
    return splitTextLines(readWholeFile(path, displayName));
}

void writeWholeFile(const QString& path, const QByteArray& data, const QString& displayName) {
    QSaveFile f(path);
    // The buffered bytes go out at the flush; QSaveFile::commit ignores an
    // error there (a disk that fills up) and would put a cut file in place.
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size() || !f.flush() || !f.commit())
        throw OrvError(cannotCreateMessage(displayName.isEmpty() ? path : displayName));
}

void writeTextLines(const QString& path, const QList<QByteArray>& lines,
                    const QString& displayName) {
    writeWholeFile(path, joinTextLines(lines), displayName);
}

} // namespace orv
