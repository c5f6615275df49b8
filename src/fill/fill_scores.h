// Word scores in the fill: the figures that tell how well known a filled
// grid's words are, and the fills of each vocabulary. The index's scores
// are set by setIndexScores (dictionary/scored_word_index.h).
#pragma once

#include "dictionary/scored_word_index.h"
#include "dictionary/word_scores.h"
#include "fill/grid_fill.h"
#include "fill/word_quality.h"
#include "grid/grid_model.h"

namespace orv {

class WordIndex;

struct FillQuality {
    int words = 0;        // words of the grid (slots without an empty cell)
    double meanScore = 0; // their mean score
    int longWords = 0;    // those of 3 letters or more
    int frequentLong = 0; // those of them that the frequency table holds
    // The weak words (rare forms, names, abbreviations, unknown words), in
    // the grid's order, each once.
    QList<QByteArray> weakWords;
    double frequentShare() const { return longWords ? double(frequentLong) / longWords : 0; }
};

FillQuality fillQuality(const Grille& grille, const WordScores& scores);
// The cells of the grid's weak words (complete slots), each once, by column
// then row: the cells « Marquer les mots rares » tints.
std::vector<Cell> weakWordCells(const Grille& grille, const WordScores& scores);
// « 2 mots rares : ERSEAU, INFESTERAI », or « aucun mot rare ».
QString weakWordsText(const FillQuality& quality);

// How much a word's score weighs in the choice of the next word.
constexpr double kScoreWeight = 2;

// The fill's settings for a vocabulary: its floor and the weight of scores.
// `preferred` is the score that every slot first demands (0: none).
struct VocabularyFill {
    int minScore = 1;
    int preferred = 0;
};
VocabularyFill vocabularyFill(Vocabulary v);

// Fills preferring known words (those scoring at least `preferred`): a fill
// over options.minScore and up in which every choice takes a known word first
// wherever its crossings keep room for known words, the preference fading
// over the restarts of a hard grid. When that fill has not succeeded after
// `preferredFailures` failures (0: no such budget), the fill without the
// preference over every word that is not hidden (a floor above the common
// vocabulary's own is kept) takes over, so that a grid that the known words
// make hard costs a few times the fill without scores rather than many
// times it. Either fill, once it has filled the grid, searches the parts
// near its unknown words again for a fill with fewer of them, within a
// budget per unknown word (`effort`, below); after the hand-over that
// search is also allowed the work of the fill that took over, and wider
// parts. Without `preferred`
// (or with one not above options.minScore) it is one plain fill.
constexpr std::uint64_t kPreferredFailures = 800;

// How hard that search for fewer unknown words works: the revisions of a
// slot's candidates (about 5 microseconds each) per unknown word of the first
// fill, and how far around each one (in cells) the parts searched again may
// widen. The default costs about what setting up a fill costs on a 10x10
// grid of 8 unknown words; the thorough one, « Chercher plus de mots
// courants », takes two to five times as long on a 10x10 or 13x13 grid and
// leaves about a fifth fewer unknown words.
struct ImproveEffort {
    std::uint64_t perUnknownWord = 80;
    int maxDistance = 2;
};
constexpr ImproveEffort kThoroughImprove{1500, 5};

FillResult fillPreferringKnownWords(const Grille& grille, const WordIndex& index,
                                    const FillOptions& options, int preferred,
                                    std::uint64_t preferredFailures = kPreferredFailures,
                                    ImproveEffort effort = {});

// The fill of a vocabulary with the words' classes as its first aim: the
// fill above without weak words, within kNoWeakFailures failures; when that
// fails, the fill above with every word (no refused word of `classes`
// placed either way); then, within the time
// left, the search for fewer weak words, then fewer fair ones, then more
// frequent ones (QualitySearch); the grid it returns never ranks below the
// first fill. The same seed gives the same grid.
// The failures allowed to the first fill of fillForQuality, without weak words.
constexpr std::uint64_t kNoWeakFailures = 1000;
FillResult fillForQuality(const Grille& grille, IndexClasses& classes, const FillOptions& options,
                          int preferred, ImproveEffort effort = {},
                          QualityEffort quality = kFillQuality);

} // namespace orv
