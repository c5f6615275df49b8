// The dictionary's changes, files and index.
#include "document/dictionary.h"

#include "common/text_file.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/scramble.h"

#include <optional>

namespace orv {
Dictionary::Dictionary() = default;

void Dictionary::changed() {
    ++revision_;
    wordsModified_ = true;
    if (changed_)
        changed_();
}

bool Dictionary::contains(const QByteArray& plainWord) const {
    return ListeMots.contains(Crypte(plainWord));
}

bool Dictionary::addWord(const QByteArray& plainWord) {
    const QByteArray scrambled = Crypte(plainWord);
    if (ListeMots.contains(scrambled))
        return false;
    ListeMots.append(scrambled);
    changed();
    return true;
}

bool Dictionary::removeWord(const QByteArray& plainWord) {
    const qsizetype at = ListeMots.indexOf(Crypte(plainWord));
    if (at < 0)
        return false;
    ListeMots.removeAt(at);
    changed();
    return true;
}

qsizetype Dictionary::importWords(WordBatch batch) {
    const qsizetype added = ListeMots.merge(std::move(batch));
    Tri(ListeMots);
    changed();
    return added;
}

void Dictionary::sort() {
    ++revision_;
    Tri(ListeMots);
}

void Dictionary::check() {
    ++revision_;
    file_.noteDropped(Verifie(ListeMots));
}

void Dictionary::clear() {
    ++revision_;
    ListeMots.clear();
}

void Dictionary::setUserScore(const QByteArray& plainWord, int score) {
    Scores.user().set(plainWord, score);
}

void Dictionary::prefetch() { prefetch_.start(file_.name()); }

void Dictionary::load() {
    ++revision_;
    ListeMots.clear();
    std::optional<WordFilePrefetch::Result> early;
    const QByteArray data = file_.read([this, &early]() -> std::optional<QByteArray> {
        early = prefetch_.take(file_.name());
        return early ? std::optional<QByteArray>(early->data) : std::nullopt;
    });
    if (early) {
        ListeMots = std::move(early->words);
        file_.noteDropped(early->afterNul);
        return;
    }
    DictionaryFileLines lines = splitDictionaryFile(data);
    ListeMots = std::move(lines.words);
    file_.noteDropped(lines.afterNul);
}

void Dictionary::loadScores() {
    Scores.user().loadBytes({});
    try {
        Scores.user().loadBytes(scoresFile_.read());
    } catch (...) {
        // A missing file is no scores yet.
        if (scoresFile_.unreadable())
            throw;
    }
}

QString Dictionary::write(const QDateTime& now) {
    const QString side =
        file_.write(ListeMots.fileBytes(), now, wordsModified_ && ListeMots.count() > 0);
    wordsModified_ = false;
    return side.isEmpty() ? QString() : dictionaryKeptBesideMessage(file_, side);
}

QString Dictionary::writeScores(const QDateTime& now) {
    if (!Scores.user().modified())
        return {};
    const QString side = scoresFile_.write(Scores.user().fileBytes(), now, true);
    Scores.user().markSaved();
    return side.isEmpty() ? QString() : scoresKeptBesideMessage(scoresFile_, side);
}

} // namespace orv
