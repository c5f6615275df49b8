// The dictionary's changes, files and index.
#include "document/dictionary.h"

#include "common/text_file.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/scramble.h"

#include <optional>

namespace orv {
namespace {

const QString kScoresFile = QStringLiteral("Dicoscore.dat");

} // namespace

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
    loadDataFile(kScoresFile, scoresUnreadable_,
                 [this] { Scores.user().load(kScoresFile, kScoresFile); });
}

QString Dictionary::write(const QDateTime& now) {
    const QString side =
        file_.write(ListeMots.fileBytes(), now, wordsModified_ && ListeMots.count() > 0);
    wordsModified_ = false;
    return side.isEmpty() ? QString() : dictionaryKeptBesideMessage(file_, side);
}

void Dictionary::writeScores() {
    if (!scoresUnreadable_)
        Scores.user().saveIfModified(kScoresFile, kScoresFile);
}

} // namespace orv
