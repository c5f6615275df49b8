// Fuzzes the reading of "Dicogrd.dat" and everything done to the list at
// start-up and by the word commands: any bytes must load, clean up, sort,
// look up and write back without a crash, and keep the list's promises.
#include "common/text_file.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/word_list.h"
#include "dictionary/word_order.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace orv;

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

// Sixteen entries spread over the list: each is found, at or before its place.
void checkLookups(const WordList& w) {
    const qsizetype step = std::max<qsizetype>(1, w.count() / 16);
    for (qsizetype i = 0; i < w.count(); i += step) {
        const QByteArray& e = w.at(i);
        const qsizetype at = w.indexOf(e);
        check(at >= 0 && at <= i && w.at(at) == e);
        check(w.contains(e));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    WordList w;
    w.parse(bytes);
    const QList<QByteArray> lines = splitTextLines(bytes);
    check(w.entries() == lines);
    // As the program and the tools read the file: the same lines, and those
    // after a NUL counted.
    const DictionaryFileLines file = splitDictionaryFile(bytes);
    check(file.words.entries() == lines);
    check(file.afterNul == linesAfterNul(bytes));
    check((file.afterNul > 0) == bytes.contains('\0'));
    for (const QByteArray& e : w.entries())
        check(!e.contains('\r') && !e.contains('\n') && !e.contains('\0'));
    checkLookups(w);

    // Writing and reading back gives the same entries.
    WordList again;
    again.parse(joinTextLines(w.entries()));
    check(again.entries() == w.entries());

    Verifie(w);
    for (const QByteArray& e : w.entries())
        check(e.size() >= kMinWordLength && e.size() <= kMaxWordLength);
    checkLookups(w);

    const qsizetype before = w.count();
    Tri(w);
    check(w.count() == before && w.isSorted());
    for (qsizetype i = 1; i < w.count(); ++i)
        check(compareScrambled(w.at(i - 1), w.at(i)) <= 0);
    checkLookups(w);

    // Deleting the first entry found keeps the others and their order.
    if (w.count() > 0) {
        const QByteArray first = w.at(w.count() / 2);
        w.removeAt(w.indexOf(first));
        check(w.count() == before - 1 && w.isSorted());
    }
    return 0;
}
