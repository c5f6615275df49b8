// Plain words side by side.
#include "dictionary/word_block.h"

#include "dictionary/scramble.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orv {

void WordBlock::reserve(qsizetype words, qsizetype bytes) {
    ends_.reserve(size_t(words));
    bytes_.reserve(size_t(bytes));
}

void WordBlock::append(QByteArrayView plain) {
    bytes_.append(plain.data(), size_t(plain.size()));
    ends_.push_back(qsizetype(bytes_.size()));
}

void WordBlock::appendUnscrambled(QByteArrayView scrambled) {
    const size_t begin = bytes_.size();
    bytes_.resize(begin + size_t(scrambled.size()));
    for (qsizetype i = 0; i < scrambled.size(); ++i)
        bytes_[begin + size_t(i)] =
            char(unscrambleByte(static_cast<unsigned char>(scrambled[i]), int(i + 1)));
    ends_.push_back(qsizetype(bytes_.size()));
}

void WordBlock::appendUnscrambledRun(const char* scrambled, qsizetype words, qsizetype length) {
    if (words <= 0 || length <= 0)
        return;
    const size_t begin = bytes_.size();
    const size_t total = size_t(words * length);
    bytes_.resize(begin + total);
    ends_.reserve(ends_.size() + size_t(words));
    for (qsizetype w = 1; w <= words; ++w)
        ends_.push_back(qsizetype(begin) + w * length);

    // Every byte's position within its word, for a stretch of whole words:
    // the loop below then has no modulo and the compiler vectorises it.
    constexpr qsizetype kStretch = 512;
    const qsizetype wordsPerStretch = std::max<qsizetype>(1, kStretch / length);
    const size_t stretch = size_t(wordsPerStretch * length);
    std::vector<unsigned char> positions(stretch);
    for (size_t i = 0; i < stretch; ++i)
        positions[i] = static_cast<unsigned char>(i % size_t(length) + 1);
    const auto* in = reinterpret_cast<const unsigned char*>(scrambled);
    auto* out = reinterpret_cast<unsigned char*>(bytes_.data() + begin);
    for (size_t done = 0; done < total; done += stretch) {
        const size_t n = std::min(stretch, total - done);
        for (size_t i = 0; i < n; ++i)
            out[done + i] =
                static_cast<unsigned char>((in[done + i] - positions[i]) ^ kScrambleKey);
    }
}

void WordBlock::unscrambleInto(char* out, const char* in, qsizetype n, const char* inputEnd) {
#if defined(__SSE2__)
    if (n <= 32 && inputEnd - in >= 32) {
        const __m128i key = _mm_set1_epi8(char(kScrambleKey));
        const __m128i low = _mm_setr_epi8(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
        const __m128i high = _mm_add_epi8(low, _mm_set1_epi8(16));
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_xor_si128(_mm_sub_epi8(a, low), key));
        if (n > 16) {
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 16));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16),
                             _mm_xor_si128(_mm_sub_epi8(b, high), key));
        }
        return;
    }
#else
    (void)inputEnd;
#endif
    for (qsizetype i = 0; i < n; ++i)
        out[i] = char(unscrambleByte(static_cast<unsigned char>(in[i]), int(i + 1)));
}

QList<QByteArray> WordBlock::toList() const {
    QList<QByteArray> out;
    out.reserve(count());
    for (qsizetype i = 0; i < count(); ++i)
        out.append(word(i).toByteArray());
    return out;
}

} // namespace orv
