// The clue sheet's lines, their words and the clues of each word.
#include "definitions/clue_lines.h"

#include "common/codec.h"
#include "definitions/clue_base.h"

#include <QRegularExpression>
#include <algorithm>

namespace orv {
namespace {

const QChar kDash(0x2013); // « – »

bool endsASentence(const QString& text) {
    const QChar last = text.back();
    return last == QLatin1Char('.') || last == QLatin1Char('!') || last == QLatin1Char('?') ||
           last == QChar(0x2026);
}

QStringList partsFor(const QString& lineClue, int wordCount) {
    if (wordCount <= 1)
        return {lineClue.trimmed()};
    return splitClues(lineClue);
}

} // namespace

QList<QStringList> lineWords(const Grille& grille, const GridSlots& slots,
                             SlotDirection direction) {
    const int count = direction == SlotDirection::Horizontal ? slots.rows() : slots.columns();
    QList<QStringList> words(count);
    for (const Slot& slot : slots.slots())
        if (slot.direction == direction && slot.line >= 1 && slot.line <= count)
            words[slot.line - 1].append(QString::fromLatin1(slotPattern(grille, slot)));
    return words;
}

QString lineCaption(const QString& label, const QStringList& words) {
    QString caption = label + QLatin1Char('.');
    if (!words.isEmpty())
        caption += QLatin1Char(' ') + words.join(QStringLiteral(" \u00b7 "));
    return caption;
}

QStringList splitClues(const QString& lineClue) {
    static const QRegularExpression dash(QStringLiteral("(?<=^|\\s)\u2013(?=\\s|$)"));
    QStringList clues = lineClue.split(dash);
    for (QString& clue : clues)
        clue = clue.trimmed();
    while (clues.size() > 1 && clues.back().isEmpty())
        clues.removeLast();
    return clues;
}

QString joinClues(const QStringList& clues) {
    qsizetype used = clues.size();
    while (used > 0 && clues.at(used - 1).trimmed().isEmpty())
        --used;
    QStringList parts;
    for (qsizetype i = 0; i < used; ++i) {
        QString clue = clues.at(i).trimmed();
        if (!clue.isEmpty() && !endsASentence(clue))
            clue += QLatin1Char('.');
        parts.append(clue);
    }
    QString line;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            line += line.isEmpty() ? QString(kDash) : QStringLiteral(" ") + kDash;
        if (!parts.at(i).isEmpty())
            line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + parts.at(i);
    }
    return line;
}

QString placeClue(const QString& lineClue, int ordinal, int wordCount, const QString& clue) {
    if (wordCount <= 1)
        return clue.trimmed();
    QStringList clues = splitClues(lineClue);
    while (clues.size() <= ordinal)
        clues.append(QString());
    clues[ordinal] = clue;
    return joinClues(clues);
}

bool wordHasClue(const QString& lineClue, int ordinal, int wordCount) {
    const QStringList clues = partsFor(lineClue, wordCount);
    return ordinal < clues.size() && !clues.at(ordinal).isEmpty();
}

int wordsWithoutClue(const Grille& grille, const GridSlots& slots) {
    // The words per line first: a line's clue is cut by how many words it has.
    std::vector<int> across(std::size_t(slots.rows() + 1), 0);
    std::vector<int> down(std::size_t(slots.columns() + 1), 0);
    for (const Slot& slot : slots.slots())
        ++(slot.direction == SlotDirection::Horizontal ? across : down)[std::size_t(slot.line)];
    int missing = 0;
    for (const Slot& slot : slots.slots()) {
        const bool horizontal = slot.direction == SlotDirection::Horizontal;
        const QByteArray& clue = (horizontal ? grille.DefHoriz : grille.DefVert)[slot.line - 1];
        const int count = (horizontal ? across : down)[std::size_t(slot.line)];
        if (!wordHasClue(toUi(clue), slot.ordinal, count))
            ++missing;
    }
    return missing;
}

std::vector<StoredClue> storedClues(ClueBase* base, const QList<QByteArray>& definitions,
                                    const QString& word) {
    std::vector<StoredClue> clues;
    const QString plain = plainWord(word);
    if (plain.isEmpty())
        return clues;
    if (base)
        for (const ClueEntry& entry : base->latestByWord(plain))
            clues.push_back({entry.clue, entry.grid, entry.date});
    const QByteArray key = plain.toLatin1() + '\t';
    for (const QByteArray& line : definitions) {
        if (!line.startsWith(key))
            continue;
        const QString clue = toUi(line.mid(key.size())).trimmed();
        const bool known = std::any_of(clues.begin(), clues.end(),
                                       [&](const StoredClue& c) { return c.clue == clue; });
        if (!clue.isEmpty() && !known)
            clues.push_back({clue, QStringLiteral("Dicodef.dat"), QString()});
    }
    return clues;
}

QString storedClueOrigin(const StoredClue& c) {
    // The definitions list's clues were taken into the base once, under its name.
    const bool definition = c.date.isEmpty() || c.source == QStringLiteral("Dicodef.dat");
    return definition           ? QStringLiteral("Définition des mots (%1)").arg(c.source)
           : c.source.isEmpty() ? QStringLiteral("Écrite le %1").arg(c.date)
                                : QStringLiteral("Écrite le %1 pour %2").arg(c.date, c.source);
}

std::vector<StoredClue> shortestFirst(std::vector<StoredClue> clues) {
    std::stable_sort(clues.begin(), clues.end(), [](const StoredClue& a, const StoredClue& b) {
        return a.clue.size() < b.clue.size();
    });
    return clues;
}

} // namespace orv
