// The quick search: the dictionary's words that fit a typed pattern (letters,
// "?" or "." for one letter, "*" for any run of letters) or that are anagrams
// of typed letters (with at most one joker), best score first. It reads the
// dictionary's pattern index: the fixed letters at both ends of a pattern
// narrow each length's words through the index's bitsets, and only the
// letters between two stars are compared word by word. The window and
// `orvdico search` / `orvdico anagram` share it.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace orv {

class WordIndex;

// What the typed text becomes: capital letters, '?' for one open letter and,
// in a pattern, '*' for any run. Accented letters count as plain ones (É as
// E, Œ as OE), small letters as capitals, '.' as '?'; spaces are ignored.
// Throws OrvError with the French reason when the text is no pattern of 2 to
// 19 letters (a star may stand for none), or no set of 2 to 19 letters with
// at most one joker.
QByteArray readSearchPattern(const QString& typed);
QByteArray readAnagramLetters(const QString& typed);

// The words found, best score first, then in alphabetical order.
class QuickSearchResult {
public:
    std::size_t count() const { return hits_.size(); }
    QByteArray word(std::size_t i) const {
        return QByteArray(text_.data() + hits_[i].offset, hits_[i].length);
    }
    int score(std::size_t i) const { return hits_[i].score; }

private:
    friend class QuickSearchBuilder;
    struct Hit {
        std::uint32_t offset = 0;
        std::uint8_t length = 0;
        std::uint8_t score = 0;
    };
    std::string text_;
    std::vector<Hit> hits_;
};

// `pattern` and `letters` as read above (every live word of the index,
// whatever its score).
QuickSearchResult searchPattern(const WordIndex& index, QByteArrayView pattern);
QuickSearchResult searchAnagram(const WordIndex& index, QByteArrayView letters);

} // namespace orv
