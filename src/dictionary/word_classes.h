// How well a French reader knows a word, as a class: well known, fair (a
// real word a solver can find) or weak (a rare conjugated form, a name, an
// abbreviation, a word nobody uses). The shipped table
// (data/word_classes_fr.txt, built by scripts/build_classes.py from a
// morphological lexicon, a frequency list and a thesaurus) lists the
// well-known and fair words; a word it does not list is weak. Among the fair
// words it marks those that are fair only as words of the general
// vocabulary, outside the frequency list (BUVARD, PENTU): a fill of fixed
// black squares takes them before a weak word, a maker that moves its black
// squares can do without them.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <vector>

namespace orv {

enum class WordClass : std::uint8_t { Weak, Fair, Known };

// « rare », « acceptable », « courant ».
QString wordClassName(WordClass c);

class WordClasses {
public:
    WordClasses() = default;
    // Lines "WORD<TAB>K", "WORD<TAB>F" or "WORD<TAB>G" (fair, of the general
    // vocabulary only); lines starting with '#' are comments.
    explicit WordClasses(QByteArray text);

    // The table compiled into the program (loaded once, on first use).
    static const WordClasses& french();

    WordClass classOf(QByteArrayView plainWord) const;
    // A fair word only as one of the general vocabulary (a "G" line).
    bool isRareGeneral(QByteArrayView plainWord) const;
    // The listed words, in the order of their bytes, with their classes.
    qsizetype size() const { return qsizetype(entries_.size()); }
    QByteArrayView wordAt(qsizetype i) const { return wordOf(entries_[std::size_t(i)]); }
    WordClass classAt(qsizetype i) const { return entries_[std::size_t(i)].cls; }
    bool isRareGeneralAt(qsizetype i) const { return entries_[std::size_t(i)].rareGeneral; }
    qsizetype count(WordClass c) const { return counts_[std::size_t(c)]; }

private:
    struct Entry {
        std::uint32_t offset;
        std::uint8_t length;
        WordClass cls;
        bool rareGeneral;
    };
    const Entry* find(QByteArrayView plainWord) const;
    QByteArrayView wordOf(const Entry& e) const {
        return QByteArrayView(text_.constData() + e.offset, e.length);
    }

    QByteArray text_;
    std::vector<Entry> entries_; // in the bytes' order of their words
    qsizetype counts_[3] = {0, 0, 0};
};

} // namespace orv
