// The pattern word search: the pattern of twelve boxes and its editing rules,
// and the search itself.
//
// A byte's scrambling depends only on its letter and its position, and is one
// to one at each position, so a word fits a pattern exactly when its scrambled
// bytes equal the scrambled letters of the pattern. The search therefore
// compares scrambled bytes and unscrambles only the words that fit.
#pragma once

#include "dictionary/word_block.h"
#include "dictionary/word_list.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <array>
#include <string>
#include <vector>

namespace orv {

constexpr int kPatternBoxes = 12;
constexpr int kMinSearchLength = 6;
constexpr int kMaxSearchLength = 12;
constexpr char kFreePosition = '.';

// The twelve pattern boxes (positions 1 to 12), each "." or a capital letter,
// and the box that the next picked character goes into.
class SearchPattern {
public:
    SearchPattern() { clear(); }

    char box(int position) const { return boxes_[size_t(position - 1)]; }

    // Positions 1 to 6 always take a click; position p from 7 to 12 only when
    // the length is at least p.
    static bool acceptsClick(int position, int length);
    // An accepted click chooses the box; a refused one changes nothing.
    bool click(int position, int length);
    // Picks a character ('A' to 'Z' or '.') for the chosen box (Lettre).
    void pick(char character);
    void Lettre();
    // "C": every box becomes free again.
    void clear();
    // The first `length` boxes: letters in boxes beyond the length take no part.
    QByteArray Motif(int length) const;

    int PositionChoisie = 0; // 0 until a box has been chosen
    char LettreChoisie = 0;

private:
    std::array<char, kPatternBoxes> boxes_{};
};

// The dictionary's entries grouped by length, each length's scrambled words
// side by side in list order: a search reads only the words of its own length,
// in one sequential pass. Built once per opening of the search window.
class WordSearchIndex {
public:
    void assign(const QList<QByteArray>& entries);
    void assign(const WordList& list);
    void clear();

    // The plain words of motif.size() letters that fit the motif ('.' is a free
    // position, any other byte must be equal), in list order, one per entry.
    WordBlock search(QByteArrayView motif) const;

private:
    // Lengths above this are rare enough (and never searched by the window)
    // to be read from the entries themselves.
    static constexpr int kLongestGrouped = 32;
    WordList entries_;
    std::array<std::string, kLongestGrouped + 1> byLength_;
};

// Edit1's text: "0 mot", "1 mot", "2 mots".
QString countText(qsizetype count);

} // namespace orv
