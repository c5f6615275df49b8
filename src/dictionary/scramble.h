// Scrambling of dictionary words: S[i] = ((P[i] xor K) + i) mod 256 for the
// 1-based position i, and its inverse. One K for the whole program.
#pragma once

#include <QByteArray>

namespace orv {

// K keeps every scrambled byte of a capital-letter word, at positions 1 to 19,
// away from NUL, LF and CR, which would break the lines of the file.
constexpr unsigned char kScrambleKey = 0x2F;

inline unsigned char scrambleByte(unsigned char plain, int position) {
    return static_cast<unsigned char>((plain ^ kScrambleKey) + position);
}
inline unsigned char unscrambleByte(unsigned char scrambled, int position) {
    return static_cast<unsigned char>(static_cast<unsigned char>(scrambled - position) ^
                                      kScrambleKey);
}

QByteArray Crypte(const QByteArray& plain);
QByteArray Decrypte(const QByteArray& scrambled);

} // namespace orv
