// Fuzz target of the ipuz reader: any bytes either give a grid or a refusal,
// never a crash; a grid that is read stays within 20 rows and columns of
// blank, black or A to Z cells, and writes back to a file that reads to the
// same grid.
#include "common/errors.h"
#include "publish/ipuz_file.h"

#include <cstdint>
#include <cstdlib>

using namespace orv;

namespace {

bool same(const Grille& a, const Grille& b) {
    if (a.NbLignes != b.NbLignes || a.NbColonnes != b.NbColonnes)
        return false;
    for (int r = 1; r < a.NbLignes; ++r)
        for (int c = 1; c < a.NbColonnes; ++c)
            if (a.cell(c, r) != b.cell(c, r))
                return false;
    for (int k = 0; k + 1 < a.NbLignes; ++k)
        if (a.DefHoriz[k] != b.DefHoriz[k])
            return false;
    for (int k = 0; k + 1 < a.NbColonnes; ++k)
        if (a.DefVert[k] != b.DefVert[k])
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const Grille base;
    Grille read;
    try {
        read = readIpuz(bytes, base, QStringLiteral("fuzz.ipuz"));
    } catch (const OrvError&) {
        return 0;
    }
    if (read.NbLignes < 2 || read.NbLignes > 21 || read.NbColonnes < 2 || read.NbColonnes > 21)
        std::abort();
    for (int r = 1; r < read.NbLignes; ++r)
        for (int c = 1; c < read.NbColonnes; ++c) {
            const char code = read.cell(c, r);
            if (code != ' ' && code != '#' && (code < 'A' || code > 'Z'))
                std::abort();
        }
    Grille again;
    try {
        again = readIpuz(ipuzBytes(read), base, QStringLiteral("fuzz.ipuz"));
    } catch (const OrvError&) {
        std::abort(); // the writer produced a file that the reader refuses
    }
    if (!same(read, again))
        std::abort();
    return 0;
}
