// The dictionary of a run: the words (ListeMots), their scores, the pattern
// index derived from both, the data file they come from and go back to, and
// the flags that say what must be written. Its methods are the only way to
// change any of them, so that the index, the save question and the write at
// exit always follow.
#pragma once

#include "common/data_file.h"
#include "dictionary/scored_word_index.h"
#include "dictionary/word_list.h"
#include "dictionary/word_prefetch.h"
#include "dictionary/word_scores.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>

namespace orv {

class Dictionary {
public:
    Dictionary();
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;

    // Called after every change of the words (not of the scores): the
    // document raises its save question from it.
    void onWordsChanged(std::function<void()> changed) { changed_ = std::move(changed); }

    // --- Reading ---
    const WordList& words() const { return ListeMots; }
    const WordScores& scores() const { return Scores; }
    int score(QByteArrayView plainWord) const { return Scores.score(plainWord); }
    bool contains(const QByteArray& plainWord) const;
    // Differs after every change of the words (load, check, addition,
    // deletion, import, sort); compare it for equality only.
    quint64 revision() const { return revision_ * 0x9E3779B97F4A7C15ull + ListeMots.revision(); }
    // The words changed since the file was last read or written.
    bool isModified() const { return wordsModified_; }
    const DataFile& file() const { return file_; }
    const DataFile& scoresFile() const { return scoresFile_; }

    // --- Changing the words ---
    // False, changing nothing, when the word is already there (or not there).
    bool addWord(const QByteArray& plainWord);
    bool removeWord(const QByteArray& plainWord);
    // Takes in a batch read from a word list; returns how many words were new.
    qsizetype importWords(WordBatch batch);
    // Sorts the list (Tri) and runs the start-up check (Verifie), whose
    // dropped entries count as dropped lines of the file.
    void sort();
    void check();
    void clear();
    // The start of a run counts the words as read, whatever the check dropped.
    void markUnmodified() { wordsModified_ = false; }

    // --- Scores ---
    // The user's own score of a word (0 hides it from filling and suggestions).
    void setUserScore(const QByteArray& plainWord, int score);

    // --- The pattern index of the words with their scores ---
    // Brought up to date first; hold it while a worker thread reads it.
    const WordIndex& index() { return WordsIndex.upToDate(ListeMots, revision(), Scores); }
    [[nodiscard]] ScoredWordIndex::Hold holdIndex() { return WordsIndex.hold(); }
    // How the index stands (builds, holds), as it is.
    const ScoredWordIndex& scoredIndex() const { return WordsIndex; }

    // --- Files: "Dicogrd.dat" and "Dicoscore.dat" ---
    // prefetch starts reading the file on another thread; load takes what it
    // read when the file has not changed since, and reads it itself otherwise.
    void prefetch();
    void load();
    void loadScores();
    // Never replaces the data file (what changed goes to a side file).
    void setReadOnly(bool readOnly) {
        file_.setReadOnly(readOnly);
        scoresFile_.setReadOnly(readOnly);
    }
    // Writes the file, or a side file when it may not be replaced; returns
    // what the user must be told of a side file, or "".
    QString write(const QDateTime& now);
    // Writes "Dicoscore.dat" (or a side file, as for the words) when a score
    // changed since it was read or written; returns what the user must be
    // told of a side file, or "".
    QString writeScores(const QDateTime& now);

private:
    void changed();

    WordList ListeMots;
    WordScores Scores;
    ScoredWordIndex WordsIndex;
    DataFile file_{QStringLiteral("Dicogrd.dat")};
    DataFile scoresFile_{QStringLiteral("Dicoscore.dat")};
    bool wordsModified_ = false;
    // Counts the changes that replace the list as a whole.
    quint64 revision_ = 0;
    WordFilePrefetch prefetch_;
    std::function<void()> changed_;
};

} // namespace orv
