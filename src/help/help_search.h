// Search over the help pages: which pages hold every word that the user typed,
// whatever the case and the accents, the best match first.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace orv::help {

// The text of an HTML page as a reader sees it: no tags, entities decoded.
QString plainText(const QString& html);
// The page's <title>, or an empty text.
QString pageTitle(const QString& html);
// Lower case without accents or ligatures ("Éè" and "ee" compare equal).
QString foldForSearch(const QString& text);

class HelpIndex {
public:
    void add(const QString& id, const QString& html);
    // The ids of the pages that hold every word of the query, pages naming the
    // words in their title first, then by number of occurrences; the order of
    // addition among equals. An empty query gives every page in that order.
    QStringList find(const QString& query) const;
    QString title(const QString& id) const;
    QStringList ids() const;

private:
    struct Entry {
        QString id;
        QString title;
        QString foldedTitle;
        QString foldedText;
    };
    QList<Entry> entries_;
};

} // namespace orv::help
