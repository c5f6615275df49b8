// Reading of foreign word lists: encoding detection and accent folding.
#include "dictionary/word_source.h"

#include "common/codec.h"
#include "common/text_file.h"

#include <QStringDecoder>

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

QList<QByteArray> wordListLines(const QByteArray& data, bool fold) {
    const bool utf8 = detectEncoding(data) == ListEncoding::Utf8;
    QList<QByteArray> lines = splitTextLines(data);
    if (utf8 && !lines.isEmpty() && lines.first().startsWith(kUtf8Bom))
        lines.first().remove(0, kUtf8Bom.size());
    for (QByteArray& line : lines) {
        QString text = utf8 ? QString::fromUtf8(line) : toUi(line);
        if (fold)
            text = foldAccents(text);
        line = fromUiLossy(text);
    }
    return lines;
}

} // namespace orv
