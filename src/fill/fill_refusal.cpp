// The refusals of the fill, decided from the slots' lengths and the cells.
#include "fill/fill_refusal.h"

#include "dictionary/word_index.h"

namespace orv {

FillRefusal fillRefusal(const Grille& grille, const GridSlots& slots, const WordIndex& index,
                        LabelStyle style) {
    const QString advice = QStringLiteral("Placez des cases noires, ou créez une grille complète.");
    for (const Slot& slot : slots.slots()) {
        const QByteArray pattern = slotPattern(grille, slot);
        if (!pattern.contains('.') || index.count(pattern, 1) > 0)
            continue;
        // The first run that no word fits: the fill names it itself, at
        // once, when some word of its length exists.
        if (index.count(QByteArray(pattern.size(), '.'), 1) > 0)
            break;
        return {FillRefusalKind::RunTooLong,
                QStringLiteral("La %1 compte %2 cases, et aucun mot du dictionnaire n'a %2 "
                               "lettres : la grille ne peut pas être remplie ainsi. ")
                        .arg(slotName(slot, style))
                        .arg(slot.length()) +
                    advice};
    }
    for (int c = 1; c <= grille.playingCols(); ++c)
        for (int r = 1; r <= grille.playingRows(); ++r)
            if (grille.cell(c, r) == '#')
                return {};
    return {
        FillRefusalKind::NoBlackSquare,
        QStringLiteral("La grille n'a aucune case noire : chaque mot y occupe toute une ligne "
                       "ou toute une colonne, et un tel remplissage n'existe presque jamais. ") +
            advice};
}

} // namespace orv
