// The dictionary's pattern index. Plain words are stored contiguously, one
// bucket per length; every (length, position, letter) has a bitset over the
// words of its bucket, so that "which words of length L have X at position p"
// is an intersection of bitsets, and a pattern's candidates are counted, and
// its possible letters found, without building a single string. It is built
// again whenever the words change (see ScoredWordIndex).
//
// A word's number is its id within its length, in the bytes' order. Each word
// carries a score from 0 to 100 (every word the same until scores are given),
// and queries may ask for a minimum score.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace orv {

class WordList;

class WordIndex {
public:
    static constexpr int kMinLength = 2;
    static constexpr int kMaxLength = 19;
    static constexpr std::uint8_t kDefaultScore = 50;

    // Letters possible at each position of a pattern: bit 0 for A ... bit 25 for Z.
    using LetterSets = std::vector<std::uint32_t>;

    WordIndex() = default;

    // Replaces the content with the words of a dictionary (its scrambled
    // entries). Entries that are not 2 to 19 capital letters are left out,
    // and a word present twice is kept once.
    void build(const WordList& list);
    // The same from the bytes of a dictionary file, without a list in between.
    void buildFromFile(const QByteArray& data);
    // The same from plain words.
    void buildFromPlain(const std::vector<QByteArray>& plain);
    void clear();

    bool contains(QByteArrayView word) const;

    // Live words, in all and of one length.
    std::size_t wordCount() const { return total_; }
    std::size_t wordCount(int length) const;

    // Ids of one length run from 0 to idCount(length) - 1.
    std::uint32_t idCount(int length) const;
    // The id of a plain word, or -1.
    std::int64_t find(QByteArrayView word) const;
    // The letters of word `id` of a length (not terminated).
    const char* letters(int length, std::uint32_t id) const;
    QByteArray word(int length, std::uint32_t id) const;
    bool isLive(int length, std::uint32_t id) const;

    std::uint8_t score(int length, std::uint32_t id) const;
    // Sets the score of a word (kept while the word is deleted and added
    // again); false when the index never held it.
    bool setScore(QByteArrayView word, std::uint8_t score);
    // The same for word `id` of a length (an id below idCount(length)).
    void setScore(int length, std::uint32_t id, std::uint8_t score);

    // Patterns: one byte per position, 'A' .. 'Z' a fixed letter, any other
    // byte ('.', '?', ' ') an open cell. Lengths outside 2 .. 19 match nothing.
    std::size_t count(QByteArrayView pattern, int minScore = 0) const;
    // The ids of the live words that fit, in increasing order.
    std::vector<std::uint32_t> candidates(QByteArrayView pattern, int minScore = 0) const;
    // The same as a bitset over blockCount(length) 64-bit words (empty for a
    // length outside 2 .. 19); returns how many words fit.
    std::size_t candidateBits(QByteArrayView pattern, int minScore,
                              std::vector<std::uint64_t>& bits) const;
    // For each position, the letters that some fitting word has there; all
    // empty when no word fits.
    LetterSets possibleLetters(QByteArrayView pattern, int minScore = 0) const;

    // The raw tables, for searches that keep their own candidate sets: the
    // letters of all ids of a length one after the other, and the bitset of a
    // (length, position, letter) over blockCount(length) 64-bit words.
    const char* text(int length) const { return bucket(length)->text.data(); }
    // The scores of all ids of a length.
    const std::uint8_t* scores(int length) const { return bucket(length)->scores.data(); }
    std::uint32_t blockCount(int length) const { return bucket(length)->blocks; }
    const std::uint64_t* letterBits(int length, int position, int letter) const {
        return bucket(length)->letterBits(position, letter);
    }
    // The blocks [first, second) outside which that bitset holds no bit
    // (an empty range when no word ever had the letter there).
    std::pair<std::uint32_t, std::uint32_t> letterBlocks(int length, int position,
                                                         int letter) const;

    // Bytes held by the index, for the memory figures.
    std::size_t memoryBytes() const;

private:
    struct Bucket {
        int length = 0;
        std::uint32_t size = 0;   // ids in use
        std::uint32_t blocks = 0; // 64-bit words per bitset (capacity / 64)
        std::uint32_t live = 0;
        std::vector<char> text;              // size * length letters
        std::vector<std::uint64_t> bits;     // (position * 26 + letter) * blocks + block
        std::vector<std::uint64_t> liveBits; // blocks
        // The live words of a score above 0 (those not hidden), so that the
        // lists that leave the hidden words out pay no score look-up.
        std::vector<std::uint64_t> shownBits; // blocks
        std::uint32_t shown = 0;
        std::vector<std::uint8_t> scores; // size
        // Blocks outside [first, last] of a (position, letter) hold no bit.
        std::vector<std::uint32_t> firstBlock; // position * 26 + letter
        std::vector<std::uint32_t> lastBlock;

        const std::uint64_t* letterBits(int position, int letter) const {
            return bits.data() + std::size_t(position * 26 + letter) * blocks;
        }
        void grow(std::uint32_t newBlocks);
        void setBits(std::uint32_t id);
        // Sets id's bit of shownBits from its liveness and score.
        void updateShown(std::uint32_t id);
        std::int64_t find(const char* word) const;
    };

    Bucket* bucket(int length);
    const Bucket* bucket(int length) const;
    void takeScrambled(const char* entry, qsizetype size);
    void finishBuild();
    struct Query;
    // With `shownOnly`, the words of score 0 are left out as dead ones are.
    bool prepare(QByteArrayView pattern, Query& query, bool shownOnly) const;
    template <typename F> void forEachBlock(QByteArrayView pattern, int minScore, F&& visit) const;

    std::array<Bucket, kMaxLength + 1> buckets_{};
    std::size_t total_ = 0;
};

} // namespace orv
