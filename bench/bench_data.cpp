// The real French dictionary for the benchmarks.
#include "bench_data.h"

#include "common/text_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/scored_word_index.h"
#include "dictionary/scramble.h"
#include "dictionary/word_scores.h"
#include "dictionary/word_source.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace orv::bench {
namespace {

QString listPath() {
    const QByteArray env = qgetenv("ORV_FRENCH_LIST");
    return env.isEmpty() ? QStringLiteral("/usr/share/dict/french") : QString::fromLocal8Bit(env);
}

QList<QByteArray> foldedLines() {
    try {
        return wordListLines(readWholeFile(listPath()), true);
    } catch (const std::exception&) {
        std::fprintf(stderr, "orv_bench: cannot read %s (install Debian's wfrench)\n",
                     qPrintable(listPath()));
        std::exit(1);
    }
}

} // namespace

const WordList& frenchDictionary() {
    static const WordList words = [] {
        WordList built;
        importLines(built, foldedLines());
        Tri(built);
        return built;
    }();
    return words;
}

const QList<QByteArray>& frenchWords() {
    static const QList<QByteArray> plain = [] {
        QList<QByteArray> out;
        out.reserve(frenchDictionary().count());
        for (const QByteArray& e : frenchDictionary().entries())
            out.append(Decrypte(e));
        return out;
    }();
    return plain;
}

const QByteArray& frenchWordListText() {
    static const QByteArray text = [] {
        QList<QByteArray> lines;
        for (const QByteArray& line : foldedLines())
            if (MotAdmissible(upperLine(line)))
                lines.append(line.toLower());
        return joinTextLines(lines);
    }();
    return text;
}

QString scratchFile(const QString& name) {
    static QTemporaryDir dir;
    return dir.filePath(name);
}

FrenchIndexes frenchIndexes() {
    const QList<QByteArray>& words = frenchWords();
    FrenchIndexes indexes;
    indexes.plain.buildFromPlain(std::vector<QByteArray>(words.begin(), words.end()));
    indexes.scored = indexes.plain;
    setIndexScores(indexes.scored, WordScores());
    return indexes;
}

double median(std::vector<double> figures) {
    if (figures.empty())
        return 0;
    std::sort(figures.begin(), figures.end());
    const std::size_t n = figures.size();
    return n % 2 ? figures[n / 2] : (figures[n / 2 - 1] + figures[n / 2]) / 2;
}

} // namespace orv::bench
