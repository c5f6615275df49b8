// The grid check walks the slots once, in the order the grid reads them.
#include "fill/grid_check.h"

#include "dictionary/word_index.h"
#include "fill/suggestions.h"
#include "publish/roman.h"

#include <QHash>

namespace orv {
namespace {

// "ligne III" or "colonne 3", as a printed French grid labels them.
QString frenchSlotName(const Slot& slot) {
    if (slot.direction == SlotDirection::Horizontal)
        return QStringLiteral("ligne %1").arg(romanNumeral(slot.line));
    return QStringLiteral("colonne %1").arg(slot.line);
}

// The slot's row or column, with its first cell when that row or column
// holds more than one slot: "Ligne 1 (E1)", or "Ligne I (I-5)".
QString placeName(const GridSlots& slots, int s, bool capital, CheckLabels labels) {
    const Slot& slot = slots[s];
    QString name;
    if (labels == CheckLabels::French) {
        name = frenchSlotName(slot);
        if (capital)
            name[0] = name[0].toUpper();
    } else {
        name = capital ? slotTitle(slot) : slotName(slot);
    }
    int sharing = 0;
    for (const Slot& other : slots.slots())
        sharing += other.direction == slot.direction && other.line == slot.line;
    if (sharing <= 1)
        return name;
    const SlotCell first = slot.cells[0];
    if (labels == CheckLabels::French)
        return name + QStringLiteral(" (%1-%2)").arg(romanNumeral(first.row)).arg(first.col);
    return name + QStringLiteral(" (%1%2)").arg(QChar(u'A' + (first.col - 1))).arg(first.row);
}

} // namespace

std::vector<GridFinding> checkGrid(const Grille& grille, const GridSlots& slots,
                                   const WordIndex& index, CheckLabels labels) {
    std::vector<GridFinding> findings;
    QHash<QByteArray, int> placed; // word -> first slot holding it
    for (int s = 0; s < slots.count(); ++s) {
        const Slot& slot = slots[s];
        GridFinding f;
        f.slot = s;
        f.letters = slotPattern(grille, slot);
        const QString where = placeName(slots, s, true, labels);
        const QString letters = QString::fromLatin1(f.letters);
        if (f.letters.contains('.')) {
            if (index.count(f.letters) > 0)
                continue;
            f.kind = FindingKind::NoWordFits;
            f.text = QStringLiteral("%1 : aucun mot ne convient à %2").arg(where, letters);
            findings.push_back(f);
            continue;
        }
        if (!index.contains(f.letters)) {
            f.kind = FindingKind::NotInDictionary;
            f.text = QStringLiteral("%1 : %2 n'est pas dans le dictionnaire").arg(where, letters);
            findings.push_back(f);
        }
        const auto first = placed.constFind(f.letters);
        if (first == placed.constEnd()) {
            placed.insert(f.letters, s);
            continue;
        }
        f.kind = FindingKind::UsedTwice;
        f.firstSlot = first.value();
        f.text = QStringLiteral("%1 : %2 est déjà placé en %3")
                     .arg(where, letters, placeName(slots, first.value(), false, labels));
        findings.push_back(f);
    }
    return findings;
}

} // namespace orv
