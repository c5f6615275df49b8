// The shared pattern index: one build per change of the words, one pass over
// the scores per change of a score, nothing at all otherwise.
#include "dictionary/scored_word_index.h"

#include "dictionary/word_list.h"
#include "dictionary/word_scores.h"

namespace orv {

const WordIndex& ScoredWordIndex::upToDate(const WordList& words, quint64 wordsRevision,
                                           const WordScores& scores) {
    if (holds_ > 0)
        return index_;
    if (!built_ || wordsRevision != wordsRevision_) {
        index_.build(words);
        built_ = true;
        wordsRevision_ = wordsRevision;
        scored_ = false;
        ++builds_;
    }
    if (!scored_ || scores.revision() != scoresRevision_) {
        setIndexScores(index_, scores);
        scored_ = true;
        scoresRevision_ = scores.revision();
        ++scorings_;
    }
    return index_;
}

// The table's score (or the default) for every word, then the user's own
// over it: the same as WordScores::score, without a look-up in the user's
// scores (and a copy of the word for it) per word of the dictionary.
void setIndexScores(WordIndex& index, const WordScores& scores) {
    const ScoreTable& table = scores.table();
    for (int length = WordIndex::kMinLength; length <= WordIndex::kMaxLength; ++length) {
        const std::uint32_t ids = index.idCount(length);
        for (std::uint32_t id = 0; id < ids; ++id) {
            const QByteArrayView word(index.letters(length, id), length);
            index.setScore(length, id, std::uint8_t(table.find(word).value_or(kUnknownScore)));
        }
    }
    const QHash<QByteArray, int>& own = scores.user().all();
    for (auto it = own.cbegin(); it != own.cend(); ++it)
        index.setScore(it.key(), std::uint8_t(it.value()));
}

} // namespace orv
