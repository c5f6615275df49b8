// The dictionary list stored flat: its buffer, its blocks of entries, its
// order, its lookups, its counters and its file.
#include "dictionary/word_list.h"

#include "common/codec.h"
#include "common/text_file.h"
#include "dictionary/scramble.h"
#include "dictionary/word_block.h"
#include "dictionary/word_order.h"

#include <QHash>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orv {
namespace {

// One word of the list, 8 bytes: where its scrambled bytes start in the
// buffer, and its key: the first five plain letters, five bits each (A is 1,
// nothing is 0), then the length in the low seven bits. A length of 127 or
// more is kept aside, under the word's offset. The letters mean something
// only for words of capitals, the only ones compared by key.
struct Entry {
    quint32 offset;
    quint32 key;
};
static_assert(sizeof(Entry) == 8);

constexpr int kKeyLetters = 5;
constexpr int kSizeBits = 7;
constexpr quint32 kLongSize = (1u << kSizeBits) - 1;
constexpr quint32 kSizeMask = kLongSize;
// Entries per block: moving one block on an insertion costs a few
// microseconds, and the list of blocks stays short.
constexpr size_t kBlock = 4096;
// Beyond a few new words, one merge costs less than inserting them one by one.
constexpr qsizetype kInsertOneByOne = 4;

inline unsigned char plainAt(const char* scrambled, qsizetype i) {
    return unscrambleByte(static_cast<unsigned char>(scrambled[i]), int(i + 1));
}

// The full word comparison (the collator for words beyond the capitals), without copies.
int compareViews(QByteArrayView a, QByteArrayView b) {
    return compareScrambled(QByteArray::fromRawData(a.data(), a.size()),
                            QByteArray::fromRawData(b.data(), b.size()));
}

inline quint32 letterKey(quint32 key) { return key >> kSizeBits; }

inline quint32 sizeField(qsizetype size) {
    return quint32(std::min<qsizetype>(size, qsizetype(kLongSize)));
}

// The five-bit code of a plain capital, 0 for anything else.
inline quint32 letterCode(unsigned char plain) {
    return plain >= 'A' && plain <= 'Z' ? quint32(plain - 'A' + 1) : 0;
}

// The letters of a key, from the plain word.
quint32 lettersOfPlain(const char* plain, qsizetype size) {
    quint32 letters = 0;
    for (int i = 0; i < kKeyLetters; ++i)
        letters = letters << 5 | (i < size ? letterCode(static_cast<unsigned char>(plain[i])) : 0);
    return letters;
}

// Whether the scrambled byte at a position (0 to 19) stands for a capital.
struct CapitalTable {
    std::array<std::array<bool, 256>, 20> at{};
    CapitalTable() {
        for (int i = 0; i < 20; ++i)
            for (int c = 0; c < 256; ++c) {
                const unsigned char plain = unscrambleByte(static_cast<unsigned char>(c), i + 1);
                at[size_t(i)][size_t(c)] = plain >= 'A' && plain <= 'Z';
            }
    }
};
const CapitalTable kCapitals;

bool scrambledCapitals(const char* p, qsizetype n) {
    bool all = true;
    const qsizetype fast = std::min<qsizetype>(n, 20);
    for (qsizetype i = 0; i < fast; ++i)
        all &= kCapitals.at[size_t(i)][static_cast<unsigned char>(p[i])];
    for (qsizetype i = fast; i < n && all; ++i) {
        const unsigned char c = plainAt(p, i);
        all = c >= 'A' && c <= 'Z';
    }
    return all;
}

// The key of a scrambled word, and whether it is made of capitals only.
struct Keyed {
    quint32 key = 0;
    bool capitals = true;
};

Keyed keyOf(QByteArrayView w) {
    Keyed k;
    const char* p = w.data();
    const qsizetype n = w.size();
    quint32 letters = 0;
    for (int i = 0; i < kKeyLetters; ++i)
        letters = letters << 5 | (i < n ? letterCode(plainAt(p, i)) : 0);
    k.key = letters << kSizeBits | sizeField(n);
    k.capitals = scrambledCapitals(p, n);
    return k;
}

// Calls add(start, size) for every line of text[0, end) that ends at an LF
// (a CR before it dropped) or at the end, and returns true, unless a CR
// stands anywhere else (a line end of its own): then it returns false at
// once. Sixty-four bytes are compared at a time, and the line ends taken
// from the masks.
template <typename Add> bool splitByLineFeeds(const char* text, qsizetype end, Add&& add) {
    qsizetype lineStart = 0;
    const auto line = [&](qsizetype lineEnd) {
        qsizetype e = lineEnd;
        if (e > lineStart && text[e - 1] == '\r')
            --e;
        add(lineStart, e - lineStart);
        lineStart = lineEnd + 1;
    };
    for (qsizetype base = 0; base < end; base += 64) {
        alignas(16) char padded[64];
        const char* chunk = text + base;
        const qsizetype here = std::min<qsizetype>(64, end - base);
        if (here < 64) {
            std::memset(padded, 'x', sizeof padded);
            std::memcpy(padded, chunk, size_t(here));
            chunk = padded;
        }
        quint64 lf = 0;
        quint64 cr = 0;
#if defined(__SSE2__)
        for (int k = 0; k < 4; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk + 16 * k));
            lf |= quint64(quint32(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('\n')))))
                  << (16 * k);
            cr |= quint64(quint32(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')))))
                  << (16 * k);
        }
#else
        for (int k = 0; k < 64; ++k) {
            lf |= quint64(chunk[k] == '\n') << k;
            cr |= quint64(chunk[k] == '\r') << k;
        }
#endif
        // A CR must stand before an LF, or be the text's last byte.
        quint64 lone = cr & ~(lf >> 1);
        if (here < 64)
            lone &= ~(quint64(1) << (here - 1));
        else if (lone >> 63 && (base + 64 == end || text[base + 64] == '\n'))
            lone &= ~(quint64(1) << 63);
        if (lone)
            return false;
        while (lf) {
            line(base + std::countr_zero(lf));
            lf &= lf - 1;
        }
    }
    if (lineStart < end)
        line(end);
    return true;
}

} // namespace

// Loading takes only where each line starts and how long it is: the keys,
// the count of words beyond the capitals and how much of the list stands in
// order are worked out at the first use that needs them (`keyed` false
// until then). A list and its copies are used by one thread at a time.
class WordList::Data : public QSharedData {
public:
    QByteArray arena;
    std::vector<std::vector<Entry>> blocks;
    std::vector<qsizetype> starts; // index of the first entry of each block
    qsizetype count = 0;
    qsizetype sortedPrefix = 0;
    qsizetype nonCapitals = 0;
    qsizetype garbage = 0;     // buffer bytes of words no longer in the list
    qsizetype listedBytes = 0; // bytes of the words in the list
    std::array<qsizetype, kCountedLengths> lengths{};
    QHash<quint32, qsizetype> longSizes;
    quint64 revision = 0;
    bool keyed = true;

    qsizetype sizeOf(const Entry& e) const {
        const quint32 s = e.key & kSizeMask;
        return s < kLongSize ? qsizetype(s) : longSizes.value(e.offset);
    }
    QByteArrayView viewOf(const Entry& e) const {
        return QByteArrayView(arena.constData() + e.offset, sizeOf(e));
    }
    // Where entry i stands: its block and its place in the block.
    std::pair<size_t, size_t> locate(qsizetype i) const {
        const auto it = std::upper_bound(starts.begin(), starts.end(), i);
        const size_t b = size_t(it - starts.begin()) - 1;
        return {b, size_t(i - starts[b])};
    }
    const Entry& entry(qsizetype i) const {
        const auto [b, at] = locate(i);
        return blocks[b][at];
    }
    // Calls f(entry) for the entries [from, to), in order.
    template <typename F> void visitRange(qsizetype from, qsizetype to, F&& f) const {
        if (from >= to)
            return;
        auto [b, at] = locate(from);
        for (qsizetype i = from; i < to; ++i) {
            if (at == blocks[b].size()) {
                ++b;
                at = 0;
            }
            f(blocks[b][at++]);
        }
    }

    // Both words of capitals: the key's letters, then the first differing
    // byte (at the same place, equal scrambled bytes are equal letters),
    // then the lengths.
    int compareFast(const Entry& a, const char* pb, quint32 lettersB, qsizetype sb) const {
        const quint32 la = letterKey(a.key);
        if (la != lettersB)
            return la < lettersB ? -1 : 1;
        const qsizetype sa = sizeOf(a);
        const qsizetype n = std::min(sa, sb);
        if (n > kKeyLetters) {
            const char* pa = arena.constData() + a.offset;
            for (qsizetype i = kKeyLetters; i < n; ++i)
                if (pa[i] != pb[i])
                    return plainAt(pa, i) < plainAt(pb, i) ? -1 : 1;
        }
        return sa < sb ? -1 : (sa > sb ? 1 : 0);
    }
    int compareEntries(const Entry& a, const Entry& b, bool fast) const {
        if (fast)
            return compareFast(a, arena.constData() + b.offset, letterKey(b.key), sizeOf(b));
        return compareViews(viewOf(a), viewOf(b));
    }

    void countIn(qsizetype size, bool capitals) {
        ++lengths[size_t(std::min<qsizetype>(size, kCountedLengths - 1))];
        listedBytes += size;
        if (!capitals)
            ++nonCapitals;
    }
    void countOut(const Entry& e) {
        const QByteArrayView v = viewOf(e);
        --lengths[size_t(std::min<qsizetype>(v.size(), kCountedLengths - 1))];
        listedBytes -= v.size();
        if (keyed && !scrambledCapitals(v.data(), v.size()))
            --nonCapitals;
        garbage += v.size();
    }
    // Puts a word's bytes at the end of the buffer and makes its entry.
    Entry store(QByteArrayView w) {
        const Keyed k = keyOf(w);
        return store(w, k.key, k.capitals);
    }
    Entry store(QByteArrayView w, quint32 key, bool capitals) {
        const Entry e{quint32(arena.size()), key};
        arena.append(w.data(), w.size());
        if (w.size() >= qsizetype(kLongSize))
            longSizes.insert(e.offset, w.size());
        countIn(w.size(), capitals);
        return e;
    }

    // Works out what loading left aside: every key, the words beyond the
    // capitals, and how far the entries stand in order.
    void ensureKeys() {
        if (keyed)
            return;
        const char* a = arena.constData();
        nonCapitals = 0;
        for (auto& block : blocks)
            for (Entry& e : block) {
                const Keyed k = keyOf(QByteArrayView(a + e.offset, sizeOf(e)));
                e.key = (k.key & ~kSizeMask) | (e.key & kSizeMask);
                if (!k.capitals)
                    ++nonCapitals;
            }
        keyed = true;
        const bool fast = fastOrder();
        sortedPrefix = 0;
        const Entry* previous = nullptr;
        for (const auto& block : blocks) {
            for (const Entry& e : block) {
                if (previous && compareEntries(*previous, e, fast) > 0)
                    return;
                previous = &e;
                ++sortedPrefix;
            }
        }
    }

    void insertAt(qsizetype i, const Entry& e) {
        if (blocks.empty()) {
            blocks.emplace_back().push_back(e);
            starts.push_back(0);
            ++count;
            return;
        }
        size_t b;
        size_t at;
        if (i == count) {
            b = blocks.size() - 1;
            at = blocks[b].size();
        } else {
            std::tie(b, at) = locate(i);
        }
        const size_t first = b;
        std::vector<Entry>& block = blocks[b];
        if (block.size() >= kBlock) {
            // Split a full block in two halves.
            std::vector<Entry> upper(block.begin() + qsizetype(kBlock / 2), block.end());
            block.resize(kBlock / 2);
            blocks.insert(blocks.begin() + qsizetype(b) + 1, std::move(upper));
            starts.insert(starts.begin() + qsizetype(b) + 1, 0);
            if (at > kBlock / 2) {
                ++b;
                at -= kBlock / 2;
            }
        }
        blocks[b].insert(blocks[b].begin() + qsizetype(at), e);
        ++count;
        restartFrom(first);
    }
    void restartFrom(size_t b) {
        qsizetype at = starts[b];
        for (size_t k = b; k < blocks.size(); ++k) {
            starts[k] = at;
            at += qsizetype(blocks[k].size());
        }
    }
    void eraseAt(qsizetype i) {
        const auto [b, at] = locate(i);
        blocks[b].erase(blocks[b].begin() + qsizetype(at));
        --count;
        if (blocks[b].empty()) {
            blocks.erase(blocks.begin() + qsizetype(b));
            starts.erase(starts.begin() + qsizetype(b));
            if (b < blocks.size())
                restartFrom(b);
        } else {
            restartFrom(b);
        }
    }
    std::vector<Entry> flat() const {
        std::vector<Entry> all;
        all.reserve(size_t(count));
        for (const auto& block : blocks)
            all.insert(all.end(), block.begin(), block.end());
        return all;
    }
    void setFlat(const std::vector<Entry>& all) {
        blocks.clear();
        starts.clear();
        for (size_t at = 0; at < all.size(); at += kBlock) {
            const size_t n = std::min(kBlock, all.size() - at);
            std::vector<Entry> block;
            block.reserve(n);
            block.insert(block.end(), all.begin() + qsizetype(at), all.begin() + qsizetype(at + n));
            blocks.push_back(std::move(block));
            starts.push_back(qsizetype(at));
        }
        count = qsizetype(all.size());
    }
    void clearAll() {
        arena.clear();
        blocks.clear();
        starts.clear();
        count = sortedPrefix = nonCapitals = garbage = listedBytes = 0;
        lengths = {};
        longSizes.clear();
        keyed = true;
    }
    // Packs the buffer when most of it holds words no longer listed.
    void compactIfWasteful() {
        if (garbage < (1 << 16) || garbage * 2 < arena.size())
            return;
        QByteArray packed;
        QHash<quint32, qsizetype> sizes;
        for (auto& block : blocks)
            for (Entry& e : block) {
                const QByteArrayView v = viewOf(e);
                const quint32 at = quint32(packed.size());
                packed.append(v.data(), v.size());
                if (v.size() >= qsizetype(kLongSize))
                    sizes.insert(at, v.size());
                e.offset = at;
            }
        arena = std::move(packed);
        longSizes = std::move(sizes);
        garbage = 0;
    }
    bool fastOrder() const { return nonCapitals == 0; }
    // First index in [0, sortedPrefix) whose entry is not below the word.
    qsizetype lowerBound(QByteArrayView w, bool fast) const {
        const quint32 letters = letterKey(keyOf(w).key);
        qsizetype lo = 0;
        qsizetype hi = sortedPrefix;
        while (lo < hi) {
            const qsizetype mid = lo + (hi - lo) / 2;
            const Entry& e = entry(mid);
            const int c =
                fast ? compareFast(e, w.data(), letters, w.size()) : compareViews(viewOf(e), w);
            if (c < 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    }

    // Splits a file's bytes into entries: a line ends at CR LF, a lone CR or
    // a lone LF. Only offsets, lengths and the length counters are taken.
    void split(qsizetype end) {
        const char* p = arena.constData();
        std::vector<Entry>* block = nullptr;
        const auto add = [&](qsizetype start, qsizetype size) {
            if (!block || block->size() == kBlock) {
                blocks.emplace_back().reserve(kBlock);
                starts.push_back(count);
                block = &blocks.back();
            }
            block->push_back(Entry{quint32(start), sizeField(size)});
            if (size >= qsizetype(kLongSize)) [[unlikely]]
                longSizes.insert(quint32(start), size);
            ++lengths[size_t(std::min<qsizetype>(size, kCountedLengths - 1))];
            listedBytes += size;
            ++count;
        };
        if (!splitByLineFeeds(p, end, add)) {
            // A lone CR stands somewhere: the bytes are taken again one by one.
            blocks.clear();
            starts.clear();
            longSizes.clear();
            lengths = {};
            listedBytes = 0;
            count = 0;
            block = nullptr;
            qsizetype i = 0;
            while (i < end) {
                const qsizetype start = i;
                while (i < end && p[i] != '\r' && p[i] != '\n')
                    ++i;
                add(start, i - start);
                if (i == end)
                    break;
                i += (p[i] == '\r' && i + 1 < end && p[i + 1] == '\n') ? 2 : 1;
            }
        }
        if (block)
            block->shrink_to_fit();
    }
};

WordList::WordList() : d(new Data) {}
WordList::WordList(const WordList&) = default;
WordList::WordList(WordList&&) noexcept = default;
WordList& WordList::operator=(const WordList&) = default;
WordList& WordList::operator=(WordList&&) noexcept = default;
WordList::~WordList() = default;

qsizetype WordList::count() const { return d->count; }

QByteArrayView WordList::view(qsizetype i) const { return d->viewOf(d->entry(i)); }

// The keys are worked out in the shared storage itself: every copy gains them.
WordList::Data& WordList::keyed() const {
    Data& x = const_cast<Data&>(*d.constData());
    x.ensureKeys();
    return x;
}

QList<QByteArray> WordList::entries() const {
    QList<QByteArray> out;
    out.reserve(d->count);
    forEach([&out](QByteArrayView v) { out.append(v.toByteArray()); });
    return out;
}

void WordList::forEach(const std::function<void(QByteArrayView)>& f) const {
    for (const auto& block : d->blocks)
        for (const Entry& e : block)
            f(d->viewOf(e));
}

void WordList::appendPlain(qsizetype from, qsizetype to, WordBlock& out) const {
    if (from >= to)
        return;
    const Data& x = *d;
    // One pass for the sizes, so that the block is allocated once.
    qsizetype bytes = 0;
    x.visitRange(from, to, [&x, &bytes](const Entry& e) { bytes += x.sizeOf(e); });
    out.appendUnscrambledMany(
        to - from, bytes, x.arena.constData() + x.arena.size(), [&x, from, to](const auto& put) {
            x.visitRange(from, to, [&x, &put](const Entry& e) { put(x.viewOf(e)); });
        });
}

bool WordList::isSorted() const {
    const Data& x = keyed();
    return x.sortedPrefix == x.count;
}

bool WordList::allCapitals() const { return keyed().nonCapitals == 0; }

qsizetype WordList::byLength(int n) const {
    return n >= 0 && n < kCountedLengths ? d->lengths[size_t(n)] : 0;
}

quint64 WordList::revision() const { return d->revision; }

void WordList::replace(qsizetype i, const QByteArray& scrambled) {
    Data& x = *d;
    x.ensureKeys();
    const auto [b, at] = x.locate(i);
    x.countOut(x.blocks[b][at]);
    const Entry e = x.store(scrambled);
    x.blocks[b][at] = e;
    ++x.revision;
    if (i < x.sortedPrefix) {
        const bool fast = x.fastOrder();
        const bool fitsBefore = i == 0 || x.compareEntries(x.entry(i - 1), e, fast) <= 0;
        const bool fitsAfter =
            i + 1 >= x.sortedPrefix || x.compareEntries(e, x.entry(i + 1), fast) <= 0;
        if (!(fitsBefore && fitsAfter))
            x.sortedPrefix = i;
    }
    x.compactIfWasteful();
}

void WordList::append(const QByteArray& scrambled) {
    Data& x = *d;
    x.ensureKeys();
    const bool inOrder = x.sortedPrefix == x.count;
    const Entry e = x.store(scrambled);
    const bool fits =
        inOrder && (x.count == 0 || x.compareEntries(x.entry(x.count - 1), e, x.fastOrder()) <= 0);
    x.insertAt(x.count, e);
    if (fits)
        x.sortedPrefix = x.count;
    ++x.revision;
}

void WordList::removeAt(qsizetype i) {
    Data& x = *d;
    x.countOut(x.entry(i));
    x.eraseAt(i);
    if (i < x.sortedPrefix)
        --x.sortedPrefix;
    ++x.revision;
    if (x.count == 0)
        x.clearAll();
    x.compactIfWasteful();
}

void WordList::clear() {
    d->clearAll();
    ++d->revision;
}

void WordList::assign(const QList<QByteArray>& scrambled) {
    // Entries holding line ends or NUL cannot come from a file; take them one by one.
    for (const QByteArray& s : scrambled)
        if (s.contains('\n') || s.contains('\r') || s.contains('\0')) {
            clear();
            for (const QByteArray& t : scrambled)
                append(t);
            return;
        }
    QByteArray data;
    for (const QByteArray& s : scrambled) {
        data.append(s);
        data.append('\n');
    }
    parse(data);
}

qsizetype WordList::orderedCount() const { return keyed().sortedPrefix; }

qsizetype WordList::indexOf(QByteArrayView scrambled) const {
    const qsizetype inOrder = indexInOrder(scrambled);
    if (inOrder >= 0)
        return inOrder;
    const Data& x = keyed();
    for (qsizetype i = x.sortedPrefix; i < x.count; ++i)
        if (x.viewOf(x.entry(i)) == scrambled)
            return i;
    return -1;
}

qsizetype WordList::indexInOrder(QByteArrayView scrambled) const {
    const Data& x = keyed();
    if (x.sortedPrefix > 0) {
        const bool fast = x.fastOrder() && keyOf(scrambled).capitals;
        // Entries that the word comparison finds equal stand together; among
        // them only an identical one is the word.
        for (qsizetype i = x.lowerBound(scrambled, fast); i < x.sortedPrefix; ++i) {
            const QByteArrayView v = x.viewOf(x.entry(i));
            if (v == scrambled)
                return i;
            if (fast || compareViews(v, scrambled) != 0)
                break;
        }
    }
    return -1;
}

void WordList::sort() {
    Data& x = *d;
    x.ensureKeys();
    const qsizetype n = x.count;
    if (x.sortedPrefix >= n)
        return;
    const bool fast = x.fastOrder();
    const auto less = [&x, fast](const Entry& a, const Entry& b) {
        return x.compareEntries(a, b, fast) < 0;
    };
    if (n - x.sortedPrefix <= kInsertOneByOne) {
        std::vector<Entry> added;
        while (x.count > x.sortedPrefix) {
            added.push_back(x.entry(x.count - 1));
            x.eraseAt(x.count - 1);
        }
        for (const Entry& e : added) {
            qsizetype lo = 0;
            qsizetype hi = x.count;
            while (lo < hi) {
                const qsizetype mid = lo + (hi - lo) / 2;
                if (less(e, x.entry(mid)))
                    hi = mid;
                else
                    lo = mid + 1;
            }
            x.insertAt(lo, e);
        }
    } else {
        std::vector<Entry> all = x.flat();
        const auto middle = all.begin() + x.sortedPrefix;
        if (fast)
            std::sort(middle, all.end(), less);
        else
            std::stable_sort(middle, all.end(), less);
        std::inplace_merge(all.begin(), middle, all.end(), less);
        x.setFlat(all);
    }
    x.sortedPrefix = n;
    ++x.revision;
}

qsizetype WordList::removeLengthsOutside(int minLength, int maxLength) {
    Data& x = *d;
    qsizetype outside = 0;
    for (int n = 0; n < kCountedLengths; ++n)
        if (n < minLength || n > maxLength)
            outside += x.lengths[size_t(n)];
    if (outside == 0)
        return 0;
    std::vector<Entry> kept;
    kept.reserve(size_t(x.count - outside));
    qsizetype sortedKept = 0;
    qsizetype index = 0;
    for (const auto& block : x.blocks)
        for (const Entry& e : block) {
            const qsizetype s = x.sizeOf(e);
            if (s >= minLength && s <= maxLength) {
                kept.push_back(e);
                if (index < x.sortedPrefix)
                    ++sortedKept;
            } else {
                x.countOut(e);
            }
            ++index;
        }
    x.setFlat(kept);
    ++x.revision;
    if (x.keyed) {
        x.sortedPrefix = sortedKept;
        // What stood in order before the first entry out of order still does;
        // the entries dropped may also have been what broke the order.
        while (
            x.sortedPrefix < x.count &&
            (x.sortedPrefix == 0 || x.compareEntries(x.entry(x.sortedPrefix - 1),
                                                     x.entry(x.sortedPrefix), x.fastOrder()) <= 0))
            ++x.sortedPrefix;
    }
    x.compactIfWasteful();
    return outside;
}

bool WordList::initialRange(char initial, qsizetype& first, qsizetype& last) const {
    const Data& x = keyed();
    if (x.sortedPrefix != x.count || x.nonCapitals != 0)
        return false;
    const unsigned char byte = static_cast<unsigned char>(initial);
    // Letter codes run from 1 (A) to 26 (Z); an empty word has 0.
    const auto firstAtOrAbove = [&x](quint32 code) {
        qsizetype lo = 0;
        qsizetype hi = x.count;
        while (lo < hi) {
            const qsizetype mid = lo + (hi - lo) / 2;
            if ((letterKey(x.entry(mid).key) >> (5 * (kKeyLetters - 1))) < code)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    };
    if (byte < 'A' || byte > 'Z') {
        first = last = 0;
        return true;
    }
    const quint32 code = letterCode(byte);
    first = firstAtOrAbove(code);
    last = firstAtOrAbove(code + 1);
    return true;
}

qsizetype WordList::parse(const QByteArray& data) {
    Data& x = *d;
    x.clearAll();
    ++x.revision;
    x.arena = data;
    const char* p = x.arena.constData();
    const auto* nul = static_cast<const char*>(std::memchr(p, '\0', size_t(x.arena.size())));
    const qsizetype end = nul ? nul - p : x.arena.size();
    x.split(end);
    x.keyed = x.count == 0;
    return end;
}

void WordList::load(const QString& path, const QString& displayName) {
    parse(readWholeFile(path, displayName));
}

QByteArray WordList::fileBytes() const {
    const Data& x = *d;
    const qsizetype total = x.listedBytes + 2 * x.count;
    // Each word is copied as 32 bytes, whatever its length, where the buffer
    // allows it: the next word then writes over the excess.
    constexpr qsizetype kRun = 32;
    QByteArray out(total + kRun, Qt::Uninitialized);
    char* o = out.data();
    const char* a = x.arena.constData();
    const qsizetype arenaSize = x.arena.size();
    for (const auto& block : x.blocks)
        for (const Entry& e : block) {
            const qsizetype s = x.sizeOf(e);
            if (s <= kRun - 2 && e.offset + kRun <= arenaSize)
                std::memcpy(o, a + e.offset, kRun);
            else
                std::memcpy(o, a + e.offset, size_t(s));
            o += s;
            *o++ = '\r';
            *o++ = '\n';
        }
    Q_ASSERT(o == out.constData() + total);
    out.resize(total);
    return out;
}

void WordList::save(const QString& path, const QString& displayName) const {
    writeWholeFile(path, fileBytes(), displayName);
}

qsizetype WordList::memoryBytes() const {
    qsizetype bytes = d->arena.capacity();
    for (const auto& block : d->blocks)
        bytes += qsizetype(block.capacity() * sizeof(Entry));
    bytes += qsizetype(d->starts.capacity() * sizeof(qsizetype)) +
             qsizetype(d->blocks.capacity() * sizeof(std::vector<Entry>));
    return bytes;
}

qsizetype WordList::merge(WordBatch&& batch) {
    batch.finish();
    const qsizetype n = batch.count();
    if (n == 0) {
        sort();
        return 0;
    }
    Data& x = *d;
    x.ensureKeys();
    const auto wordAt = [&batch](qsizetype i) { return batch.wordAt(i); };
    // A few words, or a list with words beyond the capitals (whose order
    // needs the collator), take the words one at a time.
    if (!allCapitals() || n <= kInsertOneByOne || n * 64 < x.count) {
        qsizetype added = 0;
        for (qsizetype i = 0; i < n; ++i) {
            const QByteArrayView w = wordAt(i);
            if (isSorted() && allCapitals()) {
                const qsizetype at = x.lowerBound(w, true);
                if (at < x.count && x.viewOf(x.entry(at)) == w)
                    continue;
                x.insertAt(at, x.store(w, batch.keys_[i], true));
                ++x.sortedPrefix;
            } else {
                if (contains(w))
                    continue;
                x.insertAt(x.count, x.store(w, batch.keys_[i], true));
            }
            ++added;
        }
        ++x.revision;
        sort();
        return added;
    }
    sort();
    std::vector<Entry> merged;
    merged.reserve(size_t(x.count + n));
    x.arena.reserve(x.arena.size() + batch.bytes_.size());
    qsizetype added = 0;
    size_t b = 0;
    size_t at = 0;
    // The next entry of the list, or null at its end.
    const auto current = [&x, &b, &at]() -> const Entry* {
        while (b < x.blocks.size() && at == x.blocks[b].size()) {
            ++b;
            at = 0;
        }
        return b < x.blocks.size() ? &x.blocks[b][at] : nullptr;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QByteArrayView w = wordAt(i);
        const quint32 key = batch.keys_[i];
        const quint32 letters = letterKey(key);
        int c = 1;
        const Entry* e = nullptr;
        while ((e = current()) && (c = x.compareFast(*e, w.data(), letters, w.size())) < 0) {
            merged.push_back(*e);
            ++at;
        }
        if (e && c == 0)
            continue; // already there
        merged.push_back(x.store(w, key, true));
        ++added;
    }
    for (const Entry* e = current(); e; e = current()) {
        merged.push_back(*e);
        ++at;
    }
    x.setFlat(merged);
    x.sortedPrefix = x.count;
    ++x.revision;
    return added;
}

void WordBatch::addPlain(QByteArrayView plain) {
    Q_ASSERT(!finished_);
    // A run grows with the words kept, so that a long list of new words is
    // merged a few times only, and stays within a quarter of them.
    if (runStarts_.size() >= std::max(kRunWords, count() / 4))
        sortRun();
    runStarts_.append(quint32(run_.size()));
    run_.append(plain.data(), plain.size());
}

qsizetype WordBatch::memoryBytes() const {
    return bytes_.capacity() + run_.capacity() +
           qsizetype(sizeof(quint32)) *
               (starts_.capacity() + keys_.capacity() + runStarts_.capacity());
}

void WordBatch::noteMemory(qsizetype extra) { peak_ = std::max(peak_, memoryBytes() + extra); }

void WordBatch::sortRun() {
    const qsizetype n = runStarts_.size();
    if (n == 0)
        return;
    // Capitals order as their bytes do, a word before every longer one it
    // begins. Bytes 1 to 8 and 9 to 16, read as two numbers (zeros after
    // the end), decide every comparison but between words of 17 letters or
    // more.
    constexpr qsizetype kPad = 16;
    const qsizetype runSize = run_.size();
    run_.append(QByteArray(kPad, '\0'));
    const char* b = run_.constData();
    struct Item {
        quint64 head;
        quint64 next;
        quint32 start;
        quint32 end;
    };
    const auto bigEndian = [](const char* p, quint32 k) {
        quint64 v = 0;
        std::memcpy(&v, p, 8);
        v = qFromBigEndian(v);
        return k >= 8 ? v : (k == 0 ? 0 : v & ~(~quint64(0) >> (8 * k)));
    };
    std::vector<Item> items(static_cast<size_t>(n));
    for (qsizetype i = 0; i < n; ++i) {
        const quint32 s = runStarts_[i];
        const quint32 e = i + 1 < n ? runStarts_[i + 1] : quint32(runSize);
        const quint32 k = e - s;
        items[size_t(i)] = Item{bigEndian(b + s, k), k > 8 ? bigEndian(b + s + 8, k - 8) : 0, s, e};
    }
    noteMemory(qsizetype(items.capacity() * sizeof(Item)));
    const auto rest = [b](const Item& x) {
        return x.end - x.start > 16 ? QByteArrayView(b + x.start + 16, x.end - x.start - 16)
                                    : QByteArrayView();
    };
    std::sort(items.begin(), items.end(), [&rest](const Item& x, const Item& y) {
        if (x.head != y.head)
            return x.head < y.head;
        if (x.next != y.next)
            return x.next < y.next;
        return (x.end - x.start > 16 || y.end - y.start > 16) && rest(x).compare(rest(y)) < 0;
    });
    const auto runWord = [b](const Item& x) {
        return QByteArrayView(b + x.start, x.end - x.start);
    };

    // The run's words that are new: once each, and not among the words kept
    // (both sequences in order, walked side by side).
    const qsizetype kept = count();
    qsizetype fresh = 0;
    qsizetype freshBytes = 0;
    qsizetype s = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const Item& it = items[size_t(i)];
        const QByteArrayView w = runWord(it);
        if (fresh > 0 && runWord(items[size_t(fresh - 1)]) == w)
            continue;
        while (s < kept && wordAt(s).compare(w) < 0)
            ++s;
        if (s < kept && wordAt(s) == w)
            continue;
        items[size_t(fresh++)] = it;
        freshBytes += w.size();
    }
    if (fresh > 0) {
        // Merged from the end, in place: each kept word moves once, towards
        // the end, over bytes already moved or free.
        if (starts_.isEmpty())
            starts_.append(0);
        qsizetype oldEnd = bytes_.size();
        bytes_.resize(oldEnd + freshBytes);
        starts_.resize(kept + fresh + 1);
        noteMemory(qsizetype(items.capacity() * sizeof(Item)));
        char* out = bytes_.data();
        qsizetype write = bytes_.size();
        starts_[kept + fresh] = quint32(write);
        qsizetype i = kept - 1;
        for (qsizetype j = fresh - 1; j >= 0;) {
            const QByteArrayView w = runWord(items[size_t(j)]);
            const qsizetype oldStart = i >= 0 ? starts_[i] : 0;
            if (i >= 0 && QByteArrayView(out + oldStart, oldEnd - oldStart).compare(w) > 0) {
                write -= oldEnd - oldStart;
                std::memmove(out + write, out + oldStart, size_t(oldEnd - oldStart));
                oldEnd = oldStart;
                starts_[i + j + 1] = quint32(write);
                --i;
            } else {
                write -= w.size();
                std::memcpy(out + write, w.data(), size_t(w.size()));
                starts_[i + j + 1] = quint32(write);
                --j;
            }
        }
    }
    run_.resize(0);
    runStarts_.resize(0);
}

namespace {

// Scrambles the plain word at p[0, n) in place; p must have 32 bytes of room.
void scrambleInPlace(char* p, qsizetype n) {
#if defined(__SSE2__)
    if (n <= 32) {
        const __m128i key = _mm_set1_epi8(char(kScrambleKey));
        const __m128i length = _mm_set1_epi8(char(n));
        for (int half = 0; half < 2 && 16 * half < n; ++half) {
            const char o = char(16 * half);
            const __m128i index =
                _mm_setr_epi8(o, char(o + 1), char(o + 2), char(o + 3), char(o + 4), char(o + 5),
                              char(o + 6), char(o + 7), char(o + 8), char(o + 9), char(o + 10),
                              char(o + 11), char(o + 12), char(o + 13), char(o + 14), char(o + 15));
            __m128i* at = reinterpret_cast<__m128i*>(p + 16 * half);
            const __m128i a = _mm_loadu_si128(at);
            const __m128i scrambled =
                _mm_add_epi8(_mm_xor_si128(a, key), _mm_add_epi8(index, _mm_set1_epi8(1)));
            const __m128i inWord = _mm_cmpgt_epi8(length, index);
            _mm_storeu_si128(
                at, _mm_or_si128(_mm_and_si128(inWord, scrambled), _mm_andnot_si128(inWord, a)));
        }
        return;
    }
#endif
    for (qsizetype i = 0; i < n; ++i)
        p[i] = char(scrambleByte(static_cast<unsigned char>(p[i]), int(i + 1)));
}

} // namespace

void WordBatch::finish() {
    if (finished_)
        return;
    sortRun();
    finished_ = true;
    run_ = QByteArray();
    runStarts_ = QList<quint32>();
    const qsizetype n = count();
    keys_.reserve(n);
    noteMemory();
    constexpr qsizetype kRoom = 32;
    const qsizetype size = bytes_.size();
    bytes_.append(QByteArray(kRoom, '\0'));
    char* p = bytes_.data();
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype k = starts_[i + 1] - starts_[i];
        keys_.append(lettersOfPlain(p + starts_[i], k) << kSizeBits | sizeField(k));
        scrambleInPlace(p + starts_[i], k);
    }
    bytes_.resize(size);
    bytes_.squeeze();
    starts_.squeeze();
}

} // namespace orv
