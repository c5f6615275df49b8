// Word scrambling routines.
#include "dictionary/scramble.h"

namespace orv {

QByteArray Crypte(const QByteArray& plain) {
    QByteArray out(plain.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < plain.size(); ++i)
        out[i] = char(scrambleByte(static_cast<unsigned char>(plain[i]), int(i + 1)));
    return out;
}

QByteArray Decrypte(const QByteArray& scrambled) {
    QByteArray out(scrambled.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < scrambled.size(); ++i)
        out[i] = char(unscrambleByte(static_cast<unsigned char>(scrambled[i]), int(i + 1)));
    return out;
}

} // namespace orv
