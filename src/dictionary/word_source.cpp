// Reading of foreign word lists: encoding detection and accent folding.
#include "dictionary/word_source.h"

#include "common/codec.h"
#include "common/errors.h"
#include "common/text_file.h"

#include <QFile>
#include <QStringDecoder>
#include <optional>
#include <utility>

namespace orv {
namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool isAscii(const QString& s) {
    for (QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// The letters that no decomposition splits into a base letter and accents.
QString spelledOut(QChar c) {
    switch (c.unicode()) {
    case u'Œ':
        return QStringLiteral("OE");
    case u'œ':
        return QStringLiteral("oe");
    case u'Æ':
        return QStringLiteral("AE");
    case u'æ':
        return QStringLiteral("ae");
    case u'ß':
        return QStringLiteral("ss");
    case u'Ø':
        return QStringLiteral("O");
    case u'ø':
        return QStringLiteral("o");
    default:
        return {};
    }
}

} // namespace

ListEncoding detectEncoding(const QByteArray& data) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(data);
    Q_UNUSED(decoded);
    return decoder.hasError() ? ListEncoding::Windows1252 : ListEncoding::Utf8;
}

QString foldAccents(const QString& word) {
    if (isAscii(word))
        return word;
    QString out;
    out.reserve(word.size() + 2);
    for (QChar c : word) {
        const QString spelled = spelledOut(c);
        if (!spelled.isEmpty()) {
            out += spelled;
            continue;
        }
        for (QChar d : QString(c).normalized(QString::NormalizationForm_D))
            if (d.category() != QChar::Mark_NonSpacing)
                out += d;
    }
    return out;
}

namespace {

constexpr qint64 kBlock = 1 << 20;

bool isAsciiBytes(QByteArrayView bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Recognises UTF-16 and UTF-32 by their mark, or, without one, by the zero
// bytes around a first ASCII character; returns the length of the mark.
std::optional<std::pair<QStringConverter::Encoding, int>> wideEncoding(const QByteArray& b) {
    const auto at = [&b](qsizetype i) {
        return i < b.size() ? static_cast<unsigned char>(b[i]) : -1;
    };
    if (at(0) == 0xFF && at(1) == 0xFE && at(2) == 0 && at(3) == 0)
        return std::pair{QStringConverter::Utf32LE, 4};
    if (at(0) == 0 && at(1) == 0 && at(2) == 0xFE && at(3) == 0xFF)
        return std::pair{QStringConverter::Utf32BE, 4};
    if (at(0) == 0xFF && at(1) == 0xFE)
        return std::pair{QStringConverter::Utf16LE, 2};
    if (at(0) == 0xFE && at(1) == 0xFF)
        return std::pair{QStringConverter::Utf16BE, 2};
    const auto ascii = [](int c) { return c > 0 && c < 0x80; };
    if (ascii(at(0)) && at(1) == 0 && at(2) == 0 && at(3) == 0)
        return std::pair{QStringConverter::Utf32LE, 0};
    if (at(0) == 0 && at(1) == 0 && at(2) == 0 && ascii(at(3)))
        return std::pair{QStringConverter::Utf32BE, 0};
    if (ascii(at(0)) && at(1) == 0)
        return std::pair{QStringConverter::Utf16LE, 0};
    if (at(0) == 0 && ascii(at(1)))
        return std::pair{QStringConverter::Utf16BE, 0};
    return std::nullopt;
}

} // namespace

QList<QByteArray> wordListLines(const QByteArray& data, bool fold) {
    // A list held whole keeps its own choice of encoding: every line of a
    // list that is not UTF-8 throughout is Windows-1252.
    if (!wideEncoding(data) && detectEncoding(data) == ListEncoding::Windows1252) {
        // A UTF-8 mark is no text, as for the reader a line at a time.
        QList<QByteArray> lines =
            splitTextLines(data.startsWith(kUtf8Bom) ? data.mid(kUtf8Bom.size()) : data);
        if (fold)
            for (QByteArray& line : lines)
                line = fromUiLossy(foldAccents(toUi(line)));
        return lines;
    }
    WordListReader reader(data, fold);
    QList<QByteArray> lines;
    QByteArray line;
    while (reader.next(line))
        lines.append(line);
    return lines;
}

WordListReader::WordListReader(const QString& path, const QString& displayName, bool fold)
    : file_(openForReading(path, displayName, kMaxListFileBytes)), displayName_(displayName),
      size_(file_->size()), fold_(fold) {
    start(nextBlock());
}

WordListReader::WordListReader(const QByteArray& data, bool fold)
    : data_(data), size_(data.size()), fold_(fold) {
    start(nextBlock());
}

WordListReader::~WordListReader() = default;

QByteArray WordListReader::nextBlock() {
    QByteArray block;
    if (file_) {
        block = file_->read(kBlock);
        if (file_->error() != QFileDevice::NoError)
            throw OrvError(cannotOpenMessage(displayName_));
    } else {
        block = data_.mid(raw_, kBlock);
    }
    raw_ += block.size();
    return block;
}

void WordListReader::start(QByteArray first) {
    if (const auto wide = wideEncoding(first)) {
        encoding_ =
            wide->first == QStringConverter::Utf16LE || wide->first == QStringConverter::Utf16BE
                ? ListEncoding::Utf16
                : ListEncoding::Utf32;
        wide_ = std::make_unique<QStringDecoder>(wide->first);
        first.remove(0, wide->second);
    } else if (first.startsWith(kUtf8Bom)) {
        first.remove(0, kUtf8Bom.size());
    }
    pending_ = std::move(first);
    // The line reader sees UTF-8 (or Windows-1252 bytes); a wide list is
    // decoded on the way, block by block.
    lines_ = std::make_unique<TextLineReader>(
        [this]() -> QByteArray {
            QByteArray block =
                pending_.isNull() ? nextBlock() : std::exchange(pending_, QByteArray());
            if (!wide_)
                return block;
            if (block.isEmpty())
                return block;
            QString text = (*wide_)(block);
            // A block of nothing but the first half of a character decodes
            // to nothing: take the next one rather than end the list.
            while (text.isEmpty() && !block.isEmpty()) {
                block = nextBlock();
                text = (*wide_)(block);
            }
            return text.toUtf8();
        },
        size_);
}

qint64 WordListReader::position() const {
    // Whole blocks are read ahead; the line reader's count is exact for
    // single-byte lists, and wide ones are measured by their blocks.
    return wide_ ? std::min(raw_, size_) : std::min(lines_->position(), size_);
}

bool WordListReader::stoppedEarly() const { return lines_->stoppedAtNul(); }

QByteArray WordListReader::convert(const QByteArray& line) const {
    if (isAsciiBytes(line))
        return line;
    // Only the list's first bytes may be a mark: one at the start of a later
    // line is a character, which no word admits.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(line);
    if (utf8.hasError())
        text = toUi(line);
    if (fold_)
        text = foldAccents(text);
    return fromUiLossy(text);
}

bool WordListReader::next(QByteArray& line) {
    if (!lines_->next(line))
        return false;
    line = convert(line);
    return true;
}

bool WordListReader::nextView(QByteArrayView& line) {
    if (!lines_->nextView(line))
        return false;
    if (!isAsciiBytes(line)) {
        converted_ = convert(line.toByteArray());
        line = converted_;
    }
    return true;
}

QString unknownEncodingMessage(const QString& fileName) {
    return QStringLiteral("Le fichier %1 ne contient aucun mot admissible : son codage n'est "
                          "pas reconnu")
        .arg(fileName);
}

} // namespace orv
