// Fuzz target of the arrow-word file reader: any bytes either give a grid or
// a refusal, never a crash; a grid that is read keeps its sides within the
// bounds, its cells consistent (no letter in a definition cell, no clue in a
// letter cell, at most two clues per cell) and writes back to a file that
// reads to the same grid.
#include "arrowword/arrow_file.h"
#include "common/errors.h"

#include <cstdint>
#include <cstdlib>

using namespace orv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ArrowGrid read;
    try {
        read = readArrowFile(bytes, QStringLiteral("fuzz.fleches"));
    } catch (const OrvError&) {
        return 0;
    }
    if (read.rows() < kMinArrowSide || read.rows() > kMaxArrowSide ||
        read.columns() < kMinArrowSide || read.columns() > kMaxArrowSide)
        std::abort();
    for (int r = 1; r <= read.rows(); ++r)
        for (int c = 1; c <= read.columns(); ++c) {
            const ArrowCell& cell = read.at({c, r});
            if (cell.definition ? cell.letter != ' ' || cell.clues.size() > 2
                                : !cell.clues.empty() || (cell.letter != ' ' &&
                                                          (cell.letter < 'A' || cell.letter > 'Z')))
                std::abort();
            for (const ArrowClue& clue : cell.clues)
                if (clue.text.size() > kMaxArrowClueLength)
                    std::abort();
        }
    ArrowGrid again;
    try {
        again = readArrowFile(arrowFileBytes(read), QStringLiteral("fuzz.fleches"));
    } catch (const OrvError&) {
        std::abort(); // the writer produced a file that the reader refuses
    }
    if (!(again == read))
        std::abort();
    // The layout check takes any grid that was read.
    (void)checkArrowLayout(read);
    return 0;
}
