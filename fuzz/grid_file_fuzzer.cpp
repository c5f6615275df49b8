// Fuzz target of the grid-file reader: any bytes either give a grid or a
// refusal, never a crash or a touch outside the cell array; a grid that is
// read (its clues whole, however long) writes back to a file that reads to
// the same grid, its clues cut to what the file holds.
#include "common/errors.h"
#include "grid/grid_file.h"

#include <cstdint>
#include <cstdlib>

using namespace orv;

namespace {

bool sameAsFileCarriesIt(const Grille& a, const Grille& b) {
    if (a.NbLignes != b.NbLignes || a.NbColonnes != b.NbColonnes)
        return false;
    for (int r = 1; r <= a.NbLignes; ++r)
        for (int c = 1; c <= a.NbColonnes; ++c)
            if (a.cell(c, r) != b.cell(c, r))
                return false;
    for (int k = 0; k < kFileClues; ++k)
        if (a.DefHoriz[k] != b.DefHoriz[k] || a.DefVert[k] != b.DefVert[k])
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const Grille base;
    Grille read;
    try {
        read = readGridFile(bytes, base, QStringLiteral("fuzz.grd"));
    } catch (const OrvError&) {
        return 0;
    }
    if (read.NbLignes < 2 || read.NbLignes > kMaxIndex || read.NbColonnes < 2 ||
        read.NbColonnes > kMaxIndex)
        std::abort();
    Grille again;
    try {
        again = readGridFile(gridFileBytes(read), base, QStringLiteral("fuzz.grd"));
    } catch (const OrvError&) {
        std::abort(); // the writer produced a file that the reader refuses
    }
    if (!sameAsFileCarriesIt(withCluesCutForGridFile(read), again) ||
        !cluesTooLongForGridFile(again).isEmpty())
        std::abort();
    return 0;
}
