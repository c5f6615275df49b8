// The French typography of printed texts, in one pass over the text.
#include "publish/french_typography.h"

namespace orv {
namespace {

bool breakingSpace(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool noBreakSpace(QChar c) { return c == kNoBreakSpace || c == kThinNoBreakSpace; }
bool spaceBefore(QChar c) { return QStringLiteral(":;!?").contains(c); }

// Drops the breaking spaces at the end of `out`; tells whether the text
// before them ends with a non-breaking one.
bool trimBreakingSpaces(QString& out) {
    while (!out.isEmpty() && breakingSpace(out.back()))
        out.chop(1);
    return !out.isEmpty() && noBreakSpace(out.back());
}

// Whether a space goes between `before` and the mark « : ; ! ? » typed
// against it: after a word, a number or a closing sign, and only when the
// mark ends a phrase, so that « 10:30 » and « http://… » keep their shape.
bool spaceWanted(QChar before, QChar after) {
    const bool closesWord =
        before.isLetterOrNumber() || QStringLiteral(")]»\"'’.…").contains(before);
    const bool endsPhrase =
        after.isNull() || after.isSpace() || QStringLiteral("!?;:)]»\"").contains(after);
    return closesWord && endsPhrase;
}

} // namespace

QString frenchTypography(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        const QChar next = i + 1 < n ? text.at(i + 1) : QChar();
        if (spaceBefore(c)) {
            const QChar space = c == QLatin1Char(':') ? kNoBreakSpace : kThinNoBreakSpace;
            if (!out.isEmpty() && breakingSpace(out.back())) {
                QString trimmed = out;
                if (!trimBreakingSpaces(trimmed) && !trimmed.isEmpty())
                    trimmed += space;
                if (!trimmed.isEmpty())
                    out = trimmed;
            } else if (!out.isEmpty() && spaceWanted(out.back(), next)) {
                out += space;
            }
            out += c;
        } else if (c == QChar(0x00AB)) { // «
            out += c;
            qsizetype j = i + 1;
            while (j < n && breakingSpace(text.at(j)))
                ++j;
            if (j < n && !noBreakSpace(text.at(j))) {
                out += kThinNoBreakSpace;
                i = j - 1;
            }
        } else if (c == QChar(0x00BB)) { // »
            QString trimmed = out;
            if (!trimBreakingSpaces(trimmed) && !trimmed.isEmpty())
                trimmed += kThinNoBreakSpace;
            if (!trimmed.isEmpty())
                out = trimmed;
            out += c;
        } else if (c == QLatin1Char('\'') && !out.isEmpty() && out.back().isLetter()) {
            out += QChar(0x2019);
        } else if (c == QLatin1Char('-') && out.size() > 1 && out.back() == QLatin1Char(' ') &&
                   next == QLatin1Char(' ')) {
            out += QChar(0x2013);
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace orv
