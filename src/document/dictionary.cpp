// The dictionary's changes, files and index.
#include "document/dictionary.h"

#include "common/text_file.h"
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
    MotsModifies = true;
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
    FichierMots.noteDropped(Verifie(ListeMots));
}

void Dictionary::clear() {
    ++revision_;
    ListeMots.clear();
}

void Dictionary::setUserScore(const QByteArray& plainWord, int score) {
    Scores.user().set(plainWord, score);
}

void Dictionary::prefetch() { prefetch_.start(FichierMots.name()); }

void Dictionary::load() {
    ++revision_;
    ListeMots.clear();
    std::optional<WordFilePrefetch::Result> early;
    const QByteArray data = FichierMots.read([this, &early]() -> std::optional<QByteArray> {
        early = prefetch_.take(FichierMots.name());
        return early ? std::optional<QByteArray>(early->data) : std::nullopt;
    });
    if (early) {
        ListeMots = std::move(early->words);
        FichierMots.noteDropped(early->afterNul);
        return;
    }
    if (ListeMots.parse(data) < data.size())
        FichierMots.noteDropped(linesAfterNul(data));
}

void Dictionary::loadScores() {
    loadDataFile(kScoresFile, ScoresIllisibles,
                 [this] { Scores.user().load(kScoresFile, kScoresFile); });
}

QString Dictionary::write(const QDateTime& now) {
    const QString side =
        FichierMots.write(ListeMots.fileBytes(), now, MotsModifies && ListeMots.count() > 0);
    MotsModifies = false;
    return side.isEmpty() ? QString() : dictionaryKeptBesideMessage(FichierMots, side);
}

void Dictionary::writeScores() {
    if (!ScoresIllisibles)
        Scores.user().saveIfModified(kScoresFile, kScoresFile);
}

} // namespace orv
