// Word scores in the fill.
#include "fill/fill_scores.h"

#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"
#include "grid/grid_slots.h"

namespace orv {

void applyScores(WordIndex& index, const WordScores& scores) {
    for (int length = WordIndex::kMinLength; length <= WordIndex::kMaxLength; ++length) {
        const std::uint32_t ids = index.idCount(length);
        for (std::uint32_t id = 0; id < ids; ++id) {
            const QByteArrayView word(index.letters(length, id), length);
            index.setScore(word, std::uint8_t(scores.score(word)));
        }
    }
}

FillQuality fillQuality(const Grille& grille, const WordScores& scores) {
    FillQuality q;
    long total = 0;
    const GridSlots slots(grille);
    for (const Slot& slot : slots.slots()) {
        const QByteArray word = slotPattern(grille, slot);
        if (word.contains('.'))
            continue;
        ++q.words;
        total += scores.score(word);
        if (slot.length() >= 3) {
            ++q.longWords;
            q.frequentLong += scores.isFrequent(word);
        }
    }
    q.meanScore = q.words ? double(total) / q.words : 0;
    return q;
}

} // namespace orv
