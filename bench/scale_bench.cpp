// The dictionary at two sizes, each operation timed beside a plain reference
// measured in the same run, printed as ratios (these machines are noisy: a
// ratio holds where a time does not). Sizes: the French list (wfrench, about
// 325,000 words) and about a million words from Debian's wfrench,
// wamerican-huge, wngerman and witalian, accents folded to A-Z.
//
// Times are wall-clock, the median of several runs. References:
//   read+offsets      the file read whole, one offset kept per line
//   write             the same bytes, already laid out, written by the same atomic writer
//   read-sort-unique  the list read whole, its lines sorted as plain bytes, repeats dropped
//   range+copy        a binary search for the letter's range in sorted plain words, and a
//                     copy into a block sized beforehand
#include "common/text_file.h"
#include "dictionary/dictionary_browse.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/dictionary_stats.h"
#include "dictionary/scramble.h"
#include "dictionary/word_list.h"
#include "dictionary/word_source.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <string_view>
#include <vector>

using namespace orv;

namespace {

using Clock = std::chrono::steady_clock;

double millis(const std::function<void()>& f) {
    const auto t0 = Clock::now();
    f();
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// Median of n runs, each prepared by `setup` outside the timing.
double median(int n, const std::function<void()>& f, const std::function<void()>& setup = {}) {
    std::vector<double> t;
    for (int i = 0; i < n; ++i) {
        if (setup)
            setup();
        t.push_back(millis(f));
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

void row(const char* op, double ours, const char* refName, double ref, const char* target) {
    std::printf("  %-34s %9.2f ms   %-17s %9.2f ms   ratio %5.2f   %s\n", op, ours, refName, ref,
                ours / ref, target);
}

// The plain words (capitals) of word lists, folded, as the import admits them.
QList<QByteArray> foldedWords(const QStringList& lists) {
    QList<QByteArray> out;
    for (const QString& path : lists) {
        WordListReader reader(path, path, true);
        QByteArray line;
        while (reader.next(line)) {
            const QByteArray w = upperLine(line);
            if (MotAdmissible(w))
                out.append(w);
        }
    }
    return out;
}

void writeLines(const QString& path, const QList<QByteArray>& lines) {
    writeWholeFile(path, joinTextLines(lines), path);
}

struct Sizes {
    const char* name;
    QStringList lists;
};

void measure(const Sizes& s, const QTemporaryDir& dir) {
    const QList<QByteArray> inListOrder = foldedWords(s.lists);
    // The dictionary file: the words sorted, each once, scrambled.
    QList<QByteArray> plain = inListOrder;
    std::sort(plain.begin(), plain.end());
    plain.erase(std::unique(plain.begin(), plain.end()), plain.end());
    QList<QByteArray> scrambled;
    scrambled.reserve(plain.size());
    for (const QByteArray& p : plain)
        scrambled.append(Crypte(p));
    const QString dico = dir.filePath(QStringLiteral("%1.dat").arg(QString::fromLatin1(s.name)));
    writeLines(dico, scrambled);
    // The list a user imports: the lists' own order, small letters, repeats kept.
    QList<QByteArray> lower;
    lower.reserve(inListOrder.size());
    for (const QByteArray& w : inListOrder)
        lower.append(w.toLower());
    const QString list = dir.filePath(QStringLiteral("%1.txt").arg(QString::fromLatin1(s.name)));
    writeLines(list, lower);
    const qint64 fileSize = QFile(dico).size();

    std::printf("\n%s: %lld words in the dictionary (%.1f MB file), %lld lines in the list "
                "(%.1f MB)\n",
                s.name, qlonglong(plain.size()), double(fileSize) / 1e6, qlonglong(lower.size()),
                double(QFile(list).size()) / 1e6);

    // Load.
    const double load = median(7, [&] {
        WordList w;
        w.load(dico, dico);
        Verifie(w);
    });
    const double readOffsets = median(7, [&] {
        const QByteArray data = readWholeFile(dico);
        std::vector<quint32> offsets;
        offsets.reserve(size_t(data.size() / 8));
        const char* p = data.constData();
        const char* end = p + data.size();
        for (const char* at = p; at < end;) {
            offsets.push_back(quint32(at - p));
            const char* nl = static_cast<const char*>(std::memchr(at, '\n', size_t(end - at)));
            at = nl ? nl + 1 : end;
        }
        if (offsets.empty())
            std::abort();
    });
    row("load Dicogrd.dat (with Verifie)", load, "read+offsets", readOffsets, "target <= 1.5");

    WordList loaded;
    loaded.load(dico, dico);

    // The first use that needs the order works out every word's key once.
    const double keys = median(
        7, [&] { loaded.contains(Crypte("ZZZZZZ")); },
        [&] {
            loaded = WordList();
            loaded.load(dico, dico);
        });
    std::printf("  %-34s %9.2f ms (once per load, at the first lookup, sort or insertion)\n",
                "first lookup after the load", keys);

    // Write.
    const QString out = dir.filePath(QStringLiteral("out.dat"));
    const double write = median(7, [&] { loaded.save(out, out); });
    const QByteArray laidOut = loaded.fileBytes();
    const double writeRef = median(7, [&] { writeWholeFile(out, laidOut, out); });
    row("write Dicogrd.dat", write, "write", writeRef, "target <= 1.5");

    // Memory of the loaded list beyond the file's size.
    {
        malloc_trim(0);
        const size_t before = mallinfo2().uordblks + mallinfo2().hblkhd;
        WordList w;
        w.load(dico, dico);
        const size_t after = mallinfo2().uordblks + mallinfo2().hblkhd;
        const double perWord = (double(after - before) - double(fileSize)) / double(w.count());
        const double own = (double(w.memoryBytes()) - double(fileSize)) / double(w.count());
        std::printf(
            "  %-34s %9.2f B/word beyond the file (heap), %.2f (own count)   target <= 12\n",
            "memory of the loaded list", perWord, own);
    }

    // Import of the unsorted list.
    const double importEmpty = median(3, [&] {
        WordList w;
        WordListReader reader(list, list, false);
        importWordList(w, reader);
        Tri(w);
    });
    const double readSortUnique = median(3, [&] {
        const QByteArray data = readWholeFile(list);
        std::vector<std::string_view> lines;
        const char* p = data.constData();
        const char* end = p + data.size();
        for (const char* at = p; at < end;) {
            const char* nl = static_cast<const char*>(std::memchr(at, '\n', size_t(end - at)));
            const char* e = nl ? nl : end;
            lines.emplace_back(at, size_t(e - at - (e > at && e[-1] == '\r')));
            at = nl ? nl + 1 : end;
        }
        std::sort(lines.begin(), lines.end());
        lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
        if (lines.empty())
            std::abort();
    });
    row("import list into empty", importEmpty, "read-sort-unique", readSortUnique,
        "target <= 1.5 and <= 1000 ms");
    WordList full;
    const double importFull = median(
        3,
        [&] {
            WordListReader reader(list, list, false);
            importWordList(full, reader);
            Tri(full);
        },
        [&] {
            full = loaded;
            full.append(Crypte("ZZZZZZ"));
            full.removeAt(full.count() - 1);
        });
    row("import list into full (all present)", importFull, "read-sort-unique", readSortUnique, "");

    // Add and delete one word.
    {
        WordList w = loaded;
        std::vector<QByteArray> fresh;
        for (qsizetype i = 0; i < plain.size(); i += 997)
            fresh.push_back(Crypte(plain[i].left(18) + "Q"));
        const int n = int(fresh.size());
        const double add = millis([&] {
            for (const QByteArray& f : fresh)
                if (!w.contains(f)) {
                    w.append(f);
                    Tri(w);
                }
        });
        const double del = millis([&] {
            for (const QByteArray& f : fresh) {
                const qsizetype at = w.indexOf(f);
                if (at >= 0)
                    w.removeAt(at);
            }
        });
        std::printf("  %-34s %9.4f ms per word (%d words)   target <= 0.05\n",
                    "add a word (lookup, append, Tri)", add / n, n);
        std::printf("  %-34s %9.4f ms per word (%d words)   target <= 0.05\n",
                    "delete a word (lookup, remove)", del / n, n);
    }

    // Listing one letter.
    std::vector<std::string> sortedPlain;
    sortedPlain.reserve(size_t(plain.size()));
    for (const QByteArray& p : plain)
        sortedPlain.emplace_back(p.constData(), size_t(p.size()));
    for (char letter : {'D', 'S'}) {
        qsizetype listed = 0;
        const double ours = median(9, [&] { listed = wordsWithInitial(loaded, letter).count(); });
        const double ref = median(9, [&] {
            const auto lo =
                std::lower_bound(sortedPlain.begin(), sortedPlain.end(), std::string(1, letter));
            const auto hi = std::lower_bound(sortedPlain.begin(), sortedPlain.end(),
                                             std::string(1, char(letter + 1)));
            WordBlock copy;
            qsizetype bytes = 0;
            for (auto it = lo; it != hi; ++it)
                bytes += qsizetype(it->size());
            copy.reserve(hi - lo, bytes);
            for (auto it = lo; it != hi; ++it)
                copy.append(QByteArrayView(it->data(), qsizetype(it->size())));
            if (copy.count() != hi - lo)
                std::abort();
        });
        char name[64];
        std::snprintf(name, sizeof name, "list letter %c (%lld words)", letter, qlonglong(listed));
        row(name, ours, "range+copy", ref, "target <= 2");
    }
    const double stats = median(9, [&] { countWords(loaded); });
    std::printf("  %-34s %9.4f ms (counters)\n", "count the statistics", stats);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString dict = QStringLiteral("/usr/share/dict/");
    for (const char* f : {"french", "american-english-huge", "ngerman", "italian"})
        if (!QFile::exists(dict + QLatin1String(f))) {
            std::fprintf(stderr,
                         "orv_scale_bench: %s missing (install wfrench, wamerican-huge, "
                         "wngerman and witalian)\n",
                         f);
            return 1;
        }
    QTemporaryDir dir;
    std::printf(
        "Dictionary at scale: wall-clock, median of runs, ratio = Orv Grille / reference\n");
    measure({"325k", {dict + QStringLiteral("french")}}, dir);
    measure({"1M",
             {dict + QStringLiteral("french"), dict + QStringLiteral("american-english-huge"),
              dict + QStringLiteral("ngerman"), dict + QStringLiteral("italian")}},
            dir);
    return 0;
}
