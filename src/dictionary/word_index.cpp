// The pattern index: buckets by length, bitsets by position and letter.
#include "dictionary/word_index.h"

#include "common/text_file.h"
#include "dictionary/scramble.h"
#include "dictionary/word_list.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <numeric>

namespace orv {
namespace {

bool plainWord(const char* w, int length) {
    if (length < WordIndex::kMinLength || length > WordIndex::kMaxLength)
        return false;
    for (int i = 0; i < length; ++i)
        if (w[i] < 'A' || w[i] > 'Z')
            return false;
    return true;
}

constexpr std::uint32_t kNoBlock = 0xFFFFFFFFu;

} // namespace

void WordIndex::Bucket::grow(std::uint32_t newBlocks) {
    if (newBlocks <= blocks)
        return;
    std::vector<std::uint64_t> moved(std::size_t(length) * 26 * newBlocks, 0);
    for (std::size_t set = 0; set < std::size_t(length) * 26; ++set)
        std::copy_n(bits.data() + set * blocks, blocks, moved.data() + set * newBlocks);
    bits = std::move(moved);
    liveBits.resize(newBlocks, 0);
    shownBits.resize(newBlocks, 0);
    blocks = newBlocks;
}

void WordIndex::Bucket::updateShown(std::uint32_t id) {
    const std::uint64_t bit = std::uint64_t(1) << (id % 64);
    const bool live = liveBits[id / 64] & bit;
    const bool was = shownBits[id / 64] & bit;
    const bool now = live && scores[id] > 0;
    if (now == was)
        return;
    shownBits[id / 64] ^= bit;
    shown = now ? shown + 1 : shown - 1;
}

void WordIndex::Bucket::setBits(std::uint32_t id) {
    const char* w = text.data() + std::size_t(id) * std::size_t(length);
    const std::uint32_t block = id / 64;
    const std::uint64_t bit = std::uint64_t(1) << (id % 64);
    for (int p = 0; p < length; ++p) {
        const int set = p * 26 + (w[p] - 'A');
        bits[std::size_t(set) * blocks + block] |= bit;
        if (firstBlock[std::size_t(set)] == kNoBlock || firstBlock[std::size_t(set)] > block)
            firstBlock[std::size_t(set)] = block;
        if (lastBlock[std::size_t(set)] == kNoBlock || lastBlock[std::size_t(set)] < block)
            lastBlock[std::size_t(set)] = block;
    }
}

std::int64_t WordIndex::Bucket::find(const char* word) const {
    const std::size_t len = std::size_t(length);
    std::uint32_t lo = 0;
    std::uint32_t hi = size;
    while (lo < hi) {
        const std::uint32_t mid = lo + (hi - lo) / 2;
        if (std::memcmp(text.data() + mid * len, word, len) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo < size && std::memcmp(text.data() + lo * len, word, len) == 0)
        return lo;
    return -1;
}

WordIndex::Bucket* WordIndex::bucket(int length) {
    return length >= kMinLength && length <= kMaxLength ? &buckets_[std::size_t(length)] : nullptr;
}
const WordIndex::Bucket* WordIndex::bucket(int length) const {
    return length >= kMinLength && length <= kMaxLength ? &buckets_[std::size_t(length)] : nullptr;
}

void WordIndex::clear() {
    for (int len = 0; len <= kMaxLength; ++len) {
        buckets_[std::size_t(len)] = Bucket{};
        buckets_[std::size_t(len)].length = len;
        buckets_[std::size_t(len)].firstBlock.assign(std::size_t(len) * 26, kNoBlock);
        buckets_[std::size_t(len)].lastBlock.assign(std::size_t(len) * 26, kNoBlock);
    }
    total_ = 0;
}

// Unscrambles an entry straight into its bucket: no string per word.
void WordIndex::takeScrambled(const char* entry, qsizetype size) {
    const int len = int(size);
    if (len < kMinLength || len > kMaxLength)
        return;
    char plain[kMaxLength];
    const unsigned char* s = reinterpret_cast<const unsigned char*>(entry);
    for (int i = 0; i < len; ++i)
        plain[i] = char(unscrambleByte(s[i], i + 1));
    if (!plainWord(plain, len))
        return;
    auto& text = buckets_[std::size_t(len)].text;
    text.insert(text.end(), plain, plain + len);
}

void WordIndex::build(const WordList& list) {
    clear();
    std::array<std::size_t, kMaxLength + 1> sizes{};
    // Read in place: a copy of the entries would double the dictionary's memory.
    list.forEach([&sizes](QByteArrayView e) {
        if (e.size() >= kMinLength && e.size() <= kMaxLength)
            ++sizes[std::size_t(e.size())];
    });
    for (int len = kMinLength; len <= kMaxLength; ++len)
        buckets_[std::size_t(len)].text.reserve(sizes[std::size_t(len)] * std::size_t(len));
    list.forEach([this](QByteArrayView e) { takeScrambled(e.constData(), e.size()); });
    finishBuild();
}

void WordIndex::buildFromFile(const QByteArray& data) {
    clear();
    forEachTextLine(data, [this](const char* line, qsizetype size) { takeScrambled(line, size); });
    finishBuild();
}

void WordIndex::buildFromPlain(const std::vector<QByteArray>& plain) {
    clear();
    for (const QByteArray& w : plain) {
        const int len = int(w.size());
        if (!plainWord(w.constData(), len))
            continue;
        auto& text = buckets_[std::size_t(len)].text;
        text.insert(text.end(), w.constData(), w.constData() + len);
    }
    finishBuild();
}

// Sorts each bucket (a dictionary read in order needs no sort), drops
// duplicates and sets the bitsets.
void WordIndex::finishBuild() {
    for (int len = kMinLength; len <= kMaxLength; ++len) {
        Bucket& b = buckets_[std::size_t(len)];
        const std::size_t L = std::size_t(len);
        std::size_t n = b.text.size() / L;
        auto at = [&](std::size_t i) { return b.text.data() + i * L; };
        bool ordered = true;
        for (std::size_t i = 1; i < n && ordered; ++i)
            ordered = std::memcmp(at(i - 1), at(i), L) < 0;
        if (!ordered) {
            std::vector<std::uint32_t> order(n);
            std::iota(order.begin(), order.end(), 0u);
            std::sort(order.begin(), order.end(), [&](std::uint32_t x, std::uint32_t y) {
                return std::memcmp(at(x), at(y), L) < 0;
            });
            std::vector<char> sortedText;
            sortedText.reserve(b.text.size());
            for (std::size_t k = 0; k < n; ++k) {
                const char* w = at(order[k]);
                if (k > 0 && std::memcmp(w, at(order[k - 1]), L) == 0)
                    continue;
                sortedText.insert(sortedText.end(), w, w + L);
            }
            b.text = std::move(sortedText);
            n = b.text.size() / L;
        }
        b.size = std::uint32_t(n);
        b.live = b.size;
        b.scores.assign(n, kDefaultScore);
        b.blocks = 0;
        b.bits.clear();
        b.grow(std::max<std::uint32_t>(1, std::uint32_t((n + 63) / 64)));
        for (std::uint32_t id = 0; id < b.size; ++id)
            b.setBits(id);
        for (std::uint32_t i = 0; i < b.size / 64; ++i)
            b.liveBits[i] = ~std::uint64_t(0);
        if (b.size % 64)
            b.liveBits[b.size / 64] = (std::uint64_t(1) << (b.size % 64)) - 1;
        b.shownBits = b.liveBits; // every word has the default score
        b.shown = b.size;
        total_ += n;
    }
}

bool WordIndex::contains(QByteArrayView word) const {
    const std::int64_t id = find(word);
    return id >= 0 && isLive(int(word.size()), std::uint32_t(id));
}

std::size_t WordIndex::wordCount(int length) const {
    const Bucket* b = bucket(length);
    return b ? b->live : 0;
}

std::uint32_t WordIndex::idCount(int length) const {
    const Bucket* b = bucket(length);
    return b ? b->size : 0;
}

std::int64_t WordIndex::find(QByteArrayView word) const {
    const int len = int(word.size());
    if (!plainWord(word.data(), len))
        return -1;
    const Bucket& b = *bucket(len);
    return b.size == 0 ? -1 : b.find(word.data());
}

const char* WordIndex::letters(int length, std::uint32_t id) const {
    return bucket(length)->text.data() + std::size_t(id) * std::size_t(length);
}

QByteArray WordIndex::word(int length, std::uint32_t id) const {
    return QByteArray(letters(length, id), length);
}

bool WordIndex::isLive(int length, std::uint32_t id) const {
    const Bucket* b = bucket(length);
    return b && id < b->size && (b->liveBits[id / 64] >> (id % 64)) & 1;
}

std::uint8_t WordIndex::score(int length, std::uint32_t id) const {
    return bucket(length)->scores[id];
}

bool WordIndex::setScore(QByteArrayView word, std::uint8_t score) {
    const std::int64_t id = find(word);
    if (id < 0)
        return false;
    setScore(int(word.size()), std::uint32_t(id), score);
    return true;
}

void WordIndex::setScore(int length, std::uint32_t id, std::uint8_t score) {
    Bucket& b = *bucket(length);
    b.scores[id] = std::min<std::uint8_t>(score, 100);
    b.updateShown(id);
}

// The bitsets of a pattern's fixed letters and the block range they leave;
// false when nothing can fit.
struct WordIndex::Query {
    const Bucket* bucket = nullptr;
    const std::uint64_t* sets[kMaxLength];
    int n = 0;
    std::uint32_t from = 0;
    std::uint32_t to = 0;
};

bool WordIndex::prepare(QByteArrayView pattern, Query& q, bool shownOnly) const {
    const Bucket* b = bucket(int(pattern.size()));
    if (!b || (shownOnly ? b->shown : b->live) == 0)
        return false;
    q.bucket = b;
    q.from = 0;
    q.to = b->blocks; // exclusive
    for (int p = 0; p < int(pattern.size()); ++p) {
        const char c = pattern[p];
        if (c < 'A' || c > 'Z')
            continue;
        const std::size_t set = std::size_t(p * 26 + (c - 'A'));
        if (b->firstBlock[set] == kNoBlock)
            return false;
        q.from = std::max(q.from, b->firstBlock[set]);
        q.to = std::min(q.to, b->lastBlock[set] + 1);
        q.sets[q.n++] = b->letterBits(p, c - 'A');
    }
    // Every word live (and shown): the live (shown) bitset adds nothing.
    if (shownOnly) {
        if (b->shown != b->size || q.n == 0)
            q.sets[q.n++] = b->shownBits.data();
    } else if (b->live != b->size || q.n == 0) {
        q.sets[q.n++] = b->liveBits.data();
    }
    return q.from < q.to;
}

// Calls visit(block, bits) for every block of fitting words that is not
// empty. The common counts of fixed letters get loops of their own, which
// the compiler keeps in registers.
template <typename F>
void WordIndex::forEachBlock(QByteArrayView pattern, int minScore, F&& visit) const {
    Query q;
    if (!prepare(pattern, q, minScore > 0))
        return;
    const Bucket* b = q.bucket;
    auto emit = [&](std::uint32_t i, std::uint64_t x) {
        if (x && minScore > 1) {
            for (std::uint64_t y = x; y; y &= y - 1) {
                const int bit = std::countr_zero(y);
                if (b->scores[std::size_t(i) * 64 + std::size_t(bit)] < minScore)
                    x &= ~(std::uint64_t(1) << bit);
            }
        }
        if (x)
            visit(i, x);
    };
    const std::uint64_t* const* s = q.sets;
    switch (q.n) {
    case 1:
        for (std::uint32_t i = q.from; i < q.to; ++i)
            emit(i, s[0][i]);
        break;
    case 2:
        for (std::uint32_t i = q.from; i < q.to; ++i)
            emit(i, s[0][i] & s[1][i]);
        break;
    case 3:
        for (std::uint32_t i = q.from; i < q.to; ++i)
            emit(i, s[0][i] & s[1][i] & s[2][i]);
        break;
    default:
        for (std::uint32_t i = q.from; i < q.to; ++i) {
            std::uint64_t x = s[0][i] & s[1][i] & s[2][i] & s[3][i];
            for (int k = 4; k < q.n && x; ++k)
                x &= s[k][i];
            emit(i, x);
        }
        break;
    }
}

std::size_t WordIndex::count(QByteArrayView pattern, int minScore) const {
    bool open = true;
    for (char c : pattern)
        open = open && (c < 'A' || c > 'Z');
    if (open && minScore <= 0)
        return wordCount(int(pattern.size()));
    if (minScore > 1) {
        std::size_t n = 0;
        forEachBlock(pattern, minScore,
                     [&n](std::uint32_t, std::uint64_t x) { n += std::size_t(std::popcount(x)); });
        return n;
    }
    // The plain count: popcounts summed without a call per block.
    Query q;
    if (!prepare(pattern, q, minScore > 0))
        return 0;
    const std::uint64_t* const* s = q.sets;
    std::size_t n = 0;
    switch (q.n) {
    case 1:
        for (std::uint32_t i = q.from; i < q.to; ++i)
            n += std::size_t(std::popcount(s[0][i]));
        break;
    case 2:
        for (std::uint32_t i = q.from; i < q.to; ++i)
            n += std::size_t(std::popcount(s[0][i] & s[1][i]));
        break;
    case 3:
        for (std::uint32_t i = q.from; i < q.to; ++i)
            n += std::size_t(std::popcount(s[0][i] & s[1][i] & s[2][i]));
        break;
    default:
        for (std::uint32_t i = q.from; i < q.to; ++i) {
            std::uint64_t x = s[0][i] & s[1][i] & s[2][i] & s[3][i];
            for (int k = 4; k < q.n && x; ++k)
                x &= s[k][i];
            n += std::size_t(std::popcount(x));
        }
        break;
    }
    return n;
}

std::vector<std::uint32_t> WordIndex::candidates(QByteArrayView pattern, int minScore) const {
    std::vector<std::uint32_t> ids;
    forEachBlock(pattern, minScore, [&ids](std::uint32_t block, std::uint64_t x) {
        for (; x; x &= x - 1)
            ids.push_back(block * 64 + std::uint32_t(std::countr_zero(x)));
    });
    return ids;
}

std::pair<std::uint32_t, std::uint32_t> WordIndex::letterBlocks(int length, int position,
                                                                int letter) const {
    const Bucket* b = bucket(length);
    const std::size_t set = std::size_t(position * 26 + letter);
    if (b->firstBlock[set] == kNoBlock)
        return {0, 0};
    return {b->firstBlock[set], b->lastBlock[set] + 1};
}

std::size_t WordIndex::candidateBits(QByteArrayView pattern, int minScore,
                                     std::vector<std::uint64_t>& bits) const {
    const Bucket* b = bucket(int(pattern.size()));
    bits.assign(b ? b->blocks : 0, 0);
    std::size_t n = 0;
    forEachBlock(pattern, minScore, [&](std::uint32_t block, std::uint64_t x) {
        bits[block] = x;
        n += std::size_t(std::popcount(x));
    });
    return n;
}

WordIndex::LetterSets WordIndex::possibleLetters(QByteArrayView pattern, int minScore) const {
    const int len = int(pattern.size());
    LetterSets result(std::size_t(std::max(0, len)), 0);
    std::vector<std::pair<std::uint32_t, std::uint64_t>> found;
    forEachBlock(pattern, minScore,
                 [&found](std::uint32_t block, std::uint64_t x) { found.emplace_back(block, x); });
    if (found.empty())
        return result;
    const Bucket& b = *bucket(len);
    for (int p = 0; p < len; ++p) {
        const char c = pattern[p];
        if (c >= 'A' && c <= 'Z') {
            result[std::size_t(p)] = 1u << (c - 'A');
            continue;
        }
        std::uint32_t mask = 0;
        for (int letter = 0; letter < 26; ++letter) {
            const std::size_t set = std::size_t(p * 26 + letter);
            if (b.firstBlock[set] == kNoBlock)
                continue;
            const std::uint64_t* bits = b.letterBits(p, letter);
            for (const auto& [block, x] : found) {
                if (bits[block] & x) {
                    mask |= 1u << letter;
                    break;
                }
            }
        }
        result[std::size_t(p)] = mask;
    }
    return result;
}

std::size_t WordIndex::memoryBytes() const {
    std::size_t n = sizeof(*this);
    for (const Bucket& b : buckets_) {
        n += b.text.capacity() + b.bits.capacity() * 8 + b.liveBits.capacity() * 8 +
             b.shownBits.capacity() * 8 + b.scores.capacity() +
             (b.firstBlock.capacity() + b.lastBlock.capacity()) * 4;
    }
    return n;
}

} // namespace orv
