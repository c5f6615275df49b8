// Fuzzes the import of word lists, as lines held whole (bytes, one word per
// line; UTF-8 or Windows-1252, accents folded or not) and as the program,
// orvdico and orvgrid read them, a line at a time, into a dictionary that
// already holds words: only admissible words enter, once each, in order.
#include "common/text_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/scramble.h"
#include "dictionary/word_list.h"
#include "dictionary/word_order.h"
#include "dictionary/word_source.h"

#include <QSet>
#include <cstdint>
#include <cstdlib>

using namespace orv;

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

// The list read a line at a time, as the program's import, orvdico and
// orvgrid read it, a word batch keeping each word once: the same words as
// the lines read whole give, in order, once each, within the memory bound.
void checkStreamedImport(const QByteArray& bytes) {
    const QList<QByteArray> lines = wordListLines(bytes, false);
    WordList whole;
    importLines(whole, lines);
    Tri(whole);

    WordListReader reader(bytes, false);
    WordBatch batch;
    const ImportReport report = readWordBatch(reader, batch);
    batch.finish();
    check(batch.count() == whole.count());
    const qsizetype peak = batch.peakMemoryBytes();
    WordList streamed;
    check(streamed.merge(std::move(batch)) == whole.count());
    check(streamed.entries() == whole.entries());
    check(peak <= 2 * streamed.memoryBytes() + WordBatch::kRunBlockBytes);
    check(report.admissible >= whole.count());
    check(!report.unknownEncoding || whole.count() == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    // The first byte chooses the reader; the rest is the file.
    const int mode = data[0] % 4;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    if (mode == 3) {
        checkStreamedImport(bytes);
        return 0;
    }
    const QList<QByteArray> lines =
        mode == 0 ? splitTextLines(bytes) : wordListLines(bytes, mode == 2);

    WordList w;
    for (const char* word : {"ABRI", "CHAT", "ZOO"})
        w.append(Crypte(word));
    int last = -1;
    const qsizetype added = importLines(w, lines, [&](int percent) {
        check(percent >= 0 && percent < 100 && percent >= last);
        last = percent;
    });
    check(w.count() == 3 + added);
    Tri(w);
    check(w.isSorted());

    QSet<QByteArray> seen;
    for (qsizetype i = 0; i < w.count(); ++i) {
        const QByteArray& e = w.at(i);
        check(MotAdmissible(Decrypte(e)));
        check(!seen.contains(e));
        seen.insert(e);
        if (i > 0)
            check(compareScrambled(w.at(i - 1), e) < 0);
    }
    for (const QByteArray& line : lines) {
        const QByteArray word = upperLine(line);
        check(w.contains(Crypte(word)) ==
              (MotAdmissible(word) || word == "ABRI" || word == "CHAT" || word == "ZOO"));
    }
    return 0;
}
