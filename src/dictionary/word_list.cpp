// The dictionary list stored flat: its buffer, its blocks of entries, its
// order, its lookups, its counters and its file.
#include "dictionary/word_list.h"

#include "common/codec.h"
#include "common/text_file.h"
#include "dictionary/scramble.h"
#include "dictionary/word_order.h"

#include <QHash>
#include <algorithm>
#include <cstring>

namespace orv {
namespace {

// One word of the list: where its scrambled bytes start in the buffer, and
// its key: plain bytes 1 to 4 (hi), plain bytes 5 to 7 and the length (lo),
// big-endian, zeros after the end of a short word. A length of 255 or more
// is kept aside, under the word's offset.
struct Entry {
    quint32 offset;
    quint32 hi;
    quint32 lo;
};
static_assert(sizeof(Entry) == 12);

constexpr int kKeyBytes = 7;
constexpr quint32 kLongSize = 255;
// Entries per block: moving one block on an insertion costs a few
// microseconds, and the list of blocks stays short.
constexpr size_t kBlock = 2048;
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

inline quint64 key56(const Entry& e) { return (quint64(e.hi) << 24) | (e.lo >> 8); }

// The key of a scrambled word, and whether it is made of capitals only.
struct Keyed {
    quint32 hi = 0;
    quint32 lo = 0;
    bool capitals = true;
};

Keyed keyOf(QByteArrayView w) {
    Keyed k;
    const char* p = w.data();
    const qsizetype n = w.size();
    unsigned char key[kKeyBytes] = {};
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char c = plainAt(p, i);
        if (i < kKeyBytes)
            key[i] = c;
        if (c < 'A' || c > 'Z')
            k.capitals = false;
    }
    k.hi = quint32(key[0]) << 24 | quint32(key[1]) << 16 | quint32(key[2]) << 8 | key[3];
    k.lo = quint32(key[4]) << 24 | quint32(key[5]) << 16 | quint32(key[6]) << 8 |
           quint32(std::min<qsizetype>(n, kLongSize));
    return k;
}

} // namespace

class WordList::Data : public QSharedData {
public:
    QByteArray arena;
    std::vector<std::vector<Entry>> blocks;
    std::vector<qsizetype> starts; // index of the first entry of each block
    qsizetype count = 0;
    qsizetype sortedPrefix = 0;
    qsizetype nonCapitals = 0;
    qsizetype garbage = 0; // buffer bytes of words no longer in the list
    std::array<qsizetype, kCountedLengths> lengths{};
    QHash<quint32, qsizetype> longSizes;
    quint64 revision = 0;

    qsizetype sizeOf(const Entry& e) const {
        const quint32 s = e.lo & 0xFF;
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

    // Both words of capitals: the keys, then the first differing byte.
    int compareFast(const Entry& a, const char* pb, quint64 kb, qsizetype sb) const {
        const quint64 ka = key56(a);
        if (ka != kb)
            return ka < kb ? -1 : 1;
        const qsizetype sa = sizeOf(a);
        if (sa > kKeyBytes && sb > kKeyBytes) {
            const char* pa = arena.constData() + a.offset;
            const qsizetype n = std::min(sa, sb);
            for (qsizetype i = kKeyBytes; i < n; ++i)
                if (pa[i] != pb[i])
                    return plainAt(pa, i) < plainAt(pb, i) ? -1 : 1;
        }
        return sa < sb ? -1 : (sa > sb ? 1 : 0);
    }
    int compareEntries(const Entry& a, const Entry& b, bool fast) const {
        if (fast)
            return compareFast(a, arena.constData() + b.offset, key56(b), sizeOf(b));
        return compareViews(viewOf(a), viewOf(b));
    }

    void countIn(qsizetype size, bool capitals) {
        ++lengths[size_t(std::min<qsizetype>(size, kCountedLengths - 1))];
        if (!capitals)
            ++nonCapitals;
    }
    void countOut(const Entry& e) {
        const QByteArrayView v = viewOf(e);
        --lengths[size_t(std::min<qsizetype>(v.size(), kCountedLengths - 1))];
        if (!keyOf(v).capitals)
            --nonCapitals;
        garbage += v.size();
    }
    // Puts a word's bytes at the end of the buffer and makes its entry.
    Entry store(QByteArrayView w) {
        const Keyed k = keyOf(w);
        const Entry e{quint32(arena.size()), k.hi, k.lo};
        arena.append(w.data(), w.size());
        if (w.size() >= qsizetype(kLongSize))
            longSizes.insert(e.offset, w.size());
        countIn(w.size(), k.capitals);
        return e;
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
        count = sortedPrefix = nonCapitals = garbage = 0;
        lengths = {};
        longSizes.clear();
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
        const Keyed k = keyOf(w);
        const quint64 kw = (quint64(k.hi) << 24) | (k.lo >> 8);
        qsizetype lo = 0;
        qsizetype hi = sortedPrefix;
        while (lo < hi) {
            const qsizetype mid = lo + (hi - lo) / 2;
            const Entry& e = entry(mid);
            const int c =
                fast ? compareFast(e, w.data(), kw, w.size()) : compareViews(viewOf(e), w);
            if (c < 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
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

void WordList::forRange(qsizetype from, qsizetype to,
                        const std::function<void(QByteArrayView)>& f) const {
    if (from >= to)
        return;
    auto [b, at] = d->locate(from);
    for (qsizetype i = from; i < to; ++i) {
        if (at == d->blocks[b].size()) {
            ++b;
            at = 0;
        }
        f(d->viewOf(d->blocks[b][at++]));
    }
}

bool WordList::isSorted() const { return d->sortedPrefix == d->count; }

bool WordList::allCapitals() const { return d->nonCapitals == 0; }

qsizetype WordList::byLength(int n) const {
    return n >= 0 && n < kCountedLengths ? d->lengths[size_t(n)] : 0;
}

quint64 WordList::revision() const { return d->revision; }

void WordList::replace(qsizetype i, const QByteArray& scrambled) {
    Data& x = *d;
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
    QByteArray data;
    for (const QByteArray& s : scrambled) {
        data.append(s);
        data.append('\n');
    }
    // Entries holding line ends or NUL cannot come from a file; take them one by one.
    for (const QByteArray& s : scrambled)
        if (s.contains('\n') || s.contains('\r') || s.contains('\0')) {
            clear();
            for (const QByteArray& t : scrambled)
                append(t);
            return;
        }
    parse(data);
}

qsizetype WordList::orderedCount() const { return d->sortedPrefix; }

qsizetype WordList::indexOf(QByteArrayView scrambled) const {
    const qsizetype inOrder = indexInOrder(scrambled);
    if (inOrder >= 0)
        return inOrder;
    const Data& x = *d;
    for (qsizetype i = x.sortedPrefix; i < x.count; ++i)
        if (x.viewOf(x.entry(i)) == scrambled)
            return i;
    return -1;
}

qsizetype WordList::indexInOrder(QByteArrayView scrambled) const {
    const Data& x = *d;
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
    x.sortedPrefix = sortedKept;
    // What stood in order before the first entry out of order still does; the
    // entries dropped may also have been what broke the order.
    while (x.sortedPrefix < x.count &&
           (x.sortedPrefix == 0 || x.compareEntries(x.entry(x.sortedPrefix - 1),
                                                    x.entry(x.sortedPrefix), x.fastOrder()) <= 0))
        ++x.sortedPrefix;
    ++x.revision;
    x.compactIfWasteful();
    return outside;
}

bool WordList::initialRange(char initial, qsizetype& first, qsizetype& last) const {
    const Data& x = *d;
    if (!isSorted() || !allCapitals())
        return false;
    const auto firstAtOrAbove = [&x](quint32 byte) {
        qsizetype lo = 0;
        qsizetype hi = x.count;
        while (lo < hi) {
            const qsizetype mid = lo + (hi - lo) / 2;
            if ((x.entry(mid).hi >> 24) < byte)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    };
    const quint32 byte = static_cast<unsigned char>(initial);
    first = firstAtOrAbove(byte);
    last = firstAtOrAbove(byte + 1);
    return true;
}

namespace {

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

} // namespace

void WordList::parse(const QByteArray& data) {
    Data& x = *d;
    x.clearAll();
    ++x.revision;
    x.arena = data;
    const char* p = x.arena.constData();
    const qsizetype n = x.arena.size();
    const size_t expected = size_t(std::count(p, p + n, '\n')) + 1;
    x.blocks.reserve(expected / kBlock + 1);
    x.starts.reserve(expected / kBlock + 1);
    std::vector<Entry>* block = nullptr;
    bool ordered = true;
    Entry previous{};

    const auto add = [&](qsizetype start, qsizetype size) {
        const char* w = p + start;
        unsigned char key[kKeyBytes] = {};
        const qsizetype k = std::min<qsizetype>(size, kKeyBytes);
        for (qsizetype i = 0; i < k; ++i)
            key[i] = plainAt(w, i);
        const Entry e{quint32(start),
                      quint32(key[0]) << 24 | quint32(key[1]) << 16 | quint32(key[2]) << 8 | key[3],
                      quint32(key[4]) << 24 | quint32(key[5]) << 16 | quint32(key[6]) << 8 |
                          quint32(std::min<qsizetype>(size, kLongSize))};
        if (size >= qsizetype(kLongSize))
            x.longSizes.insert(e.offset, size);
        x.countIn(size, scrambledCapitals(w, size));
        if (ordered && x.count > 0 && x.compareEntries(previous, e, x.nonCapitals == 0) > 0)
            ordered = false;
        if (!block || block->size() == kBlock) {
            const size_t left = expected > size_t(x.count) ? expected - size_t(x.count) : 1;
            x.blocks.emplace_back().reserve(std::min(kBlock, left));
            x.starts.push_back(x.count);
            block = &x.blocks.back();
        }
        block->push_back(e);
        ++x.count;
        if (ordered)
            x.sortedPrefix = x.count;
        previous = e;
    };

    qsizetype i = 0;
    while (i < n) {
        const qsizetype start = i;
        while (i < n && p[i] != '\r' && p[i] != '\n' && p[i] != '\0')
            ++i;
        if (i == n || p[i] == '\0') {
            if (i > start)
                add(start, i - start);
            break;
        }
        add(start, i - start);
        i += (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n') ? 2 : 1;
    }
}

void WordList::load(const QString& path, const QString& displayName) {
    parse(readWholeFile(path, displayName));
}

QByteArray WordList::fileBytes() const {
    const Data& x = *d;
    qsizetype total = 0;
    for (const auto& block : x.blocks)
        for (const Entry& e : block)
            total += x.sizeOf(e) + 2;
    QByteArray out(total, Qt::Uninitialized);
    char* o = out.data();
    const char* a = x.arena.constData();
    for (const auto& block : x.blocks)
        for (const Entry& e : block) {
            const qsizetype s = x.sizeOf(e);
            std::memcpy(o, a + e.offset, size_t(s));
            o += s;
            *o++ = '\r';
            *o++ = '\n';
        }
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
    const auto wordAt = [&batch](qsizetype i) {
        return QByteArrayView(batch.bytes_.constData() + batch.starts_[size_t(i)],
                              batch.ends_[size_t(i)] - batch.starts_[size_t(i)]);
    };
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
                x.insertAt(at, x.store(w));
                ++x.sortedPrefix;
            } else {
                if (contains(w))
                    continue;
                x.insertAt(x.count, x.store(w));
            }
            ++added;
        }
        ++x.revision;
        sort();
        return added;
    }
    sort();
    const std::vector<Entry> old = x.flat();
    std::vector<Entry> merged;
    merged.reserve(old.size() + size_t(n));
    x.arena.reserve(x.arena.size() + batch.bytes_.size());
    size_t o = 0;
    qsizetype added = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QByteArrayView w = wordAt(i);
        const Keyed k = keyOf(w);
        const quint64 kw = (quint64(k.hi) << 24) | (k.lo >> 8);
        int c = 1;
        while (o < old.size() && (c = x.compareFast(old[o], w.data(), kw, w.size())) < 0)
            merged.push_back(old[o++]);
        if (o < old.size() && c == 0)
            continue; // already there
        merged.push_back(x.store(w));
        ++added;
    }
    merged.insert(merged.end(), old.begin() + qsizetype(o), old.end());
    x.setFlat(merged);
    x.sortedPrefix = x.count;
    ++x.revision;
    return added;
}

void WordBatch::addPlain(QByteArrayView plain) {
    starts_.push_back(quint32(bytes_.size()));
    bytes_.append(plain.data(), plain.size());
    ends_.push_back(quint32(bytes_.size()));
    finished_ = false;
}

void WordBatch::finish() {
    if (finished_)
        return;
    finished_ = true;
    const char* b = bytes_.constData();
    std::vector<quint32> order(starts_.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = quint32(i);
    const auto word = [this, b](quint32 i) {
        return QByteArrayView(b + starts_[i], ends_[i] - starts_[i]);
    };
    // Capitals order as their bytes do, a word before every longer one it begins.
    std::sort(order.begin(), order.end(),
              [&word](quint32 x, quint32 y) { return word(x).compare(word(y)) < 0; });
    QByteArray scrambled(bytes_.size(), Qt::Uninitialized);
    char* out = scrambled.data();
    quint32 used = 0;
    std::vector<quint32> starts;
    std::vector<quint32> ends;
    starts.reserve(order.size());
    ends.reserve(order.size());
    QByteArrayView previous;
    for (size_t k = 0; k < order.size(); ++k) {
        const QByteArrayView w = word(order[k]);
        if (k > 0 && w == previous)
            continue;
        previous = w;
        starts.push_back(used);
        for (qsizetype i = 0; i < w.size(); ++i)
            out[used++] = char(scrambleByte(static_cast<unsigned char>(w[i]), int(i + 1)));
        ends.push_back(used);
    }
    scrambled.resize(used);
    bytes_ = std::move(scrambled);
    starts_ = std::move(starts);
    ends_ = std::move(ends);
}

} // namespace orv
