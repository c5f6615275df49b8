// The grid's figures, in one walk over the cells and one over the slots.
#include "fill/grid_statistics.h"

#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"

#include <QSet>
#include <algorithm>
#include <cmath>

namespace orv {
namespace {

QString percent(double share) { return QStringLiteral("%1 %").arg(std::lround(share * 100)); }

} // namespace

GridStatistics gridStatistics(const Grille& grille, const GridSlots& slots, const WordIndex& index,
                              const WordScores& scores) {
    GridStatistics s;
    s.columns = grille.playingCols();
    s.rows = grille.playingRows();
    for (int col = 1; col <= s.columns; ++col)
        for (int row = 1; row <= s.rows; ++row) {
            const char c = grille.cell(col, row);
            if (!isWhiteCell(c)) {
                ++s.blacks;
                continue;
            }
            s.emptyCells += !isLetterCell(c);
            const bool across = slots.slotAt(col, row, SlotDirection::Horizontal) >= 0;
            const bool down = slots.slotAt(col, row, SlotDirection::Vertical) >= 0;
            s.singleWordCells += across != down;
        }
    QSet<QByteArray> missing;
    for (const Slot& slot : slots.slots()) {
        ++s.words;
        ++s.wordsByLength[std::size_t(slot.length())];
        const QByteArray word = slotPattern(grille, slot);
        if (word.contains('.'))
            continue;
        ++s.completeWords;
        if (slot.length() >= 3) {
            ++s.longWords;
            s.frequentLong += scores.isFrequent(word);
        }
        if (!index.contains(word)) {
            if (!missing.contains(word)) {
                missing.insert(word);
                s.notInDictionary.push_back(word);
            }
        } else if (scores.wordClass(word) == WordClass::Weak &&
                   std::find(s.weakWords.begin(), s.weakWords.end(), word) == s.weakWords.end()) {
            s.weakWords.push_back(word);
        }
    }
    return s;
}

QList<QPair<QString, QString>> gridStatisticsLines(const GridStatistics& s) {
    QList<QPair<QString, QString>> lines;
    lines.append({QStringLiteral("Grille"),
                  QStringLiteral("%1 × %2, %3 cases").arg(s.columns).arg(s.rows).arg(s.cells())});
    lines.append({QStringLiteral("Cases noires"),
                  QStringLiteral("%1 (%2)").arg(s.blacks).arg(percent(s.blackShare()))});
    lines.append({QStringLiteral("Cases vides"), QString::number(s.emptyCells)});
    lines.append(
        {QStringLiteral("Mots"), QStringLiteral("%1, dont %2 complet%3")
                                     .arg(s.words)
                                     .arg(s.completeWords)
                                     .arg(s.completeWords > 1 ? QStringLiteral("s") : QString())});
    for (std::size_t length = 2; length < s.wordsByLength.size(); ++length)
        if (s.wordsByLength[length] > 0)
            lines.append({QStringLiteral("    de %1 lettres").arg(length),
                          QString::number(s.wordsByLength[length])});
    lines.append({QStringLiteral("Mots courants (3 lettres ou plus)"),
                  s.longWords ? QStringLiteral("%1 sur %2 (%3)")
                                    .arg(s.frequentLong)
                                    .arg(s.longWords)
                                    .arg(percent(s.frequentShare()))
                              : QStringLiteral("aucun mot complet")});
    lines.append({QStringLiteral("Cases d'un seul mot"), QString::number(s.singleWordCells)});
    QStringList missing;
    for (const QByteArray& word : s.notInDictionary)
        missing << QString::fromLatin1(word);
    lines.append({QStringLiteral("Mots absents du dictionnaire"),
                  missing.isEmpty() ? QStringLiteral("aucun")
                                    : QStringLiteral("%1 : %2")
                                          .arg(missing.size())
                                          .arg(missing.join(QStringLiteral(", ")))});
    QStringList weak;
    for (const QByteArray& word : s.weakWords)
        weak << QString::fromLatin1(word);
    lines.append(
        {QStringLiteral("Mots rares"),
         weak.isEmpty()
             ? QStringLiteral("aucun")
             : QStringLiteral("%1 : %2").arg(weak.size()).arg(weak.join(QStringLiteral(", ")))});
    return lines;
}

} // namespace orv
