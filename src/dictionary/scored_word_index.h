// The pattern index of the document's words with their scores, the one that
// the fill, the grid maker, the suggestions, the marks and the grid check all
// read. It follows the words and the scores lazily, when next asked for:
// rebuilt only when the words changed, its scores set again only when a score
// changed, so that a score set in the browser counts in the next fill and the
// next suggestions without a rebuild.
//
// Work on a worker thread (a fill) reads the index while the user-interface
// thread waits behind a modal window; a Hold taken for that time keeps the
// index exactly as it is, even if something asks for it meanwhile.
#pragma once

#include "dictionary/word_index.h"

#include <QtGlobal>

namespace orv {

class WordList;
class WordScores;

class ScoredWordIndex {
public:
    ScoredWordIndex() = default;
    ScoredWordIndex(const ScoredWordIndex&) = delete;
    ScoredWordIndex& operator=(const ScoredWordIndex&) = delete;

    // The index of `words`, first rebuilt when `wordsRevision` differs from
    // the one it was built from, and given the words' scores when it was
    // rebuilt or `scores` changed since. While held it is returned as it is.
    const WordIndex& upToDate(const WordList& words, quint64 wordsRevision,
                              const WordScores& scores);
    // The index as it stands, without following anything.
    const WordIndex& current() const { return index_; }

    // While a Hold lives, the index neither is rebuilt nor changes its scores.
    class Hold {
    public:
        explicit Hold(ScoredWordIndex& owner) : owner_(&owner) { ++owner_->holds_; }
        Hold(Hold&& other) noexcept : owner_(other.owner_) { other.owner_ = nullptr; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
        Hold& operator=(Hold&&) = delete;
        ~Hold() {
            if (owner_)
                --owner_->holds_;
        }

    private:
        ScoredWordIndex* owner_;
    };
    [[nodiscard]] Hold hold() { return Hold(*this); }
    bool isHeld() const { return holds_ > 0; }

    // How many times the index was built and given its scores, so that the
    // laziness can be seen from outside.
    int builds() const { return builds_; }
    int scorings() const { return scorings_; }

private:
    WordIndex index_;
    bool built_ = false;
    quint64 wordsRevision_ = 0;
    quint64 scoresRevision_ = 0;
    bool scored_ = false;
    int holds_ = 0;
    int builds_ = 0;
    int scorings_ = 0;
};

// Gives every word of the index (dead ones too, so that a word deleted and
// added again keeps it) its score.
void setIndexScores(WordIndex& index, const WordScores& scores);

} // namespace orv
