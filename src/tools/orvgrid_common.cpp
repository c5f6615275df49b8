// The grid tool's shared reading, writing and loading.
#include "tools/orvgrid_common.h"

#include "common/data_file.h"
#include "common/errors.h"
#include "common/text_file.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/scored_word_index.h"
#include "dictionary/word_list.h"
#include "grid/grid_file.h"
#include "grid/grid_text.h"
#include "publish/ipuz_file.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>
#include <cmath>

namespace orv {

bool isGridFile(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("grd"), Qt::CaseInsensitive) == 0;
}

Grille readToolGrid(const QString& path) {
    const QByteArray data = readWholeFile(path);
    if (isGridFile(path))
        return readGridFile(data, Grille{}, path);
    if (isIpuzPath(path))
        return readIpuz(data, Grille{}, path);
    try {
        return readGridText(data);
    } catch (const OrvError& e) {
        throw OrvError(QStringLiteral("%1 : %2").arg(path, e.message()));
    }
}

void warnOfCutClues(const Grille& grid, QTextStream& err, const QString& command) {
    for (const LongClue& clue : cluesTooLongForGridFile(grid)) {
        QString sentence = clueCutSentence(clue);
        sentence[0] = sentence[0].toLower();
        err << QStringLiteral("orvgrid %1 : attention, %2 : un fichier .grd n'en garde pas plus.")
                   .arg(command, sentence)
            << Qt::endl;
    }
}

void writeToolGrid(const QString& path, const Grille& grid, QTextStream& err,
                   const QString& command) {
    if (isGridFile(path)) {
        warnOfCutClues(grid, err, command);
        writeGridFile(path, grid);
    } else if (isIpuzPath(path)) {
        writeIpuzFile(path, grid);
    } else
        writeWholeFile(path, gridText(grid));
}

QString toolScoresPath(const QString& dictionary) {
    const QString dir = dictionary.isEmpty() ? QStringLiteral(".") : QFileInfo(dictionary).path();
    return dir + QStringLiteral("/Dicoscore.dat");
}

void loadToolWords(const QString& dictionary, const QString& words, bool withScores,
                   ToolWords& out) {
    QElapsedTimer clock;
    clock.start();
    WordList list;
    if (words.isEmpty()) {
        // Read as the program reads it at start, and told the same way.
        DictionaryFileWords file = readDictionaryFile(dictionary, dictionary);
        list = std::move(file.words);
        if (file.dropped > 0)
            out.warnings.append(droppedLinesText(dictionary, file.dropped));
    } else {
        // Read as « Importer fichier » reads it.
        WordListReader reader(words, words, false);
        const ImportReport report = importWordList(list, reader);
        if (report.unknownEncoding)
            out.warnings.append(unknownEncodingMessage(words));
    }
    out.loadingNs = clock.nsecsElapsed();
    clock.restart();
    out.index.build(list);
    list = WordList();
    if (withScores) {
        out.scores.user().load(toolScoresPath(dictionary), QStringLiteral("Dicoscore.dat"));
        setIndexScores(out.index, out.scores);
    }
    out.indexingNs = clock.nsecsElapsed();
}

double finiteNumberOf(const QString& text, bool& ok) {
    const double value = text.toDouble(&ok);
    ok = ok && std::isfinite(value);
    return value;
}

QList<QByteArray> forbiddenWordsOf(const QString& text) {
    QList<QByteArray> words;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        // Accents fall away, as in the grid's capitals.
        QByteArray word;
        for (const QChar ch : part.trimmed().normalized(QString::NormalizationForm_D).toUpper()) {
            if (ch.category() == QChar::Mark_NonSpacing)
                continue;
            if (ch < QLatin1Char('A') || ch > QLatin1Char('Z'))
                throw OrvError(QStringLiteral("--forbid attend des mots séparés par des virgules "
                                              "(« %1 » n'en est pas un)")
                                   .arg(part.trimmed()));
            word.append(char(ch.unicode()));
        }
        if (word.size() >= 2)
            words.append(word);
    }
    if (words.isEmpty())
        throw OrvError(QStringLiteral("--forbid attend des mots séparés par des virgules"));
    return words;
}

QString millisecondsText(qint64 nanoseconds) {
    return QString::number(double(nanoseconds) / 1e6, 'f', 1);
}

} // namespace orv
