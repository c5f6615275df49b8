// Help search: plain text and accent folding, then a word-by-word match.
#include "help/help_search.h"

#include <QRegularExpression>
#include <algorithm>

namespace orv::help {

QString plainText(const QString& html) {
    QString text = html;
    static const QRegularExpression hidden(QStringLiteral("<(head|style|script)\\b.*?</\\1>"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    text.remove(hidden);
    text.replace(tag, QStringLiteral(" "));
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text.replace(spaces, QStringLiteral(" ")).trimmed();
}

QString pageTitle(const QString& html) {
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = title.match(html);
    return m.hasMatch() ? plainText(m.captured(1)) : QString();
}

QString foldForSearch(const QString& text) {
    QString lower = text.toLower();
    lower.replace(QChar(0x0153), QStringLiteral("oe")); // œ
    lower.replace(QChar(0x00E6), QStringLiteral("ae")); // æ
    const QString decomposed = lower.normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            folded.append(c);
    return folded;
}

void HelpIndex::add(const QString& id, const QString& html) {
    const QString title = pageTitle(html);
    entries_.append({id, title, foldForSearch(title),
                     foldForSearch(title + QLatin1Char(' ') + plainText(html))});
}

QStringList HelpIndex::find(const QString& query) const {
    static const QRegularExpression separators(QStringLiteral("[^\\w]+"));
    const QStringList words = foldForSearch(query).split(separators, Qt::SkipEmptyParts);
    struct Hit {
        int index;
        int titleWords;
        qsizetype count;
    };
    QList<Hit> hits;
    for (int i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        Hit hit{i, 0, 0};
        bool all = true;
        for (const QString& w : words) {
            const qsizetype n = e.foldedText.count(w);
            if (n == 0) {
                all = false;
                break;
            }
            hit.count += n;
            if (e.foldedTitle.contains(w))
                ++hit.titleWords;
        }
        if (all)
            hits.append(hit);
    }
    std::stable_sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) {
        if (a.titleWords != b.titleWords)
            return a.titleWords > b.titleWords;
        return a.count > b.count;
    });
    QStringList ids;
    for (const Hit& h : hits)
        ids.append(entries_[h.index].id);
    return ids;
}

QString HelpIndex::title(const QString& id) const {
    for (const Entry& e : entries_)
        if (e.id == id)
            return e.title;
    return QString();
}

QStringList HelpIndex::ids() const {
    QStringList all;
    for (const Entry& e : entries_)
        all.append(e.id);
    return all;
}

} // namespace orv::help
