// The grid tool's shared reading, writing and loading.
#include "tools/orvgrid_common.h"

#include "common/errors.h"
#include "common/text_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/scored_word_index.h"
#include "dictionary/word_list.h"
#include "grid/grid_file.h"
#include "grid/grid_text.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

namespace orv {

bool isGridFile(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("grd"), Qt::CaseInsensitive) == 0;
}

Grille readToolGrid(const QString& path) {
    const QByteArray data = readWholeFile(path);
    if (isGridFile(path))
        return readGridFile(data, Grille{}, path);
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
    } else
        writeWholeFile(path, gridText(grid));
}

void loadToolWords(const QString& dictionary, const QString& words, bool withScores,
                   ToolWords& out) {
    QElapsedTimer clock;
    clock.start();
    if (words.isEmpty()) {
        // The dictionary file goes straight into the index: no list is kept.
        const QByteArray data = readWholeFile(dictionary);
        out.loadingNs = clock.nsecsElapsed();
        clock.restart();
        out.index.buildFromFile(data);
    } else {
        WordList list;
        importLines(list, readTextLines(words));
        out.loadingNs = clock.nsecsElapsed();
        clock.restart();
        out.index.build(list);
    }
    if (withScores) {
        const QString dir =
            dictionary.isEmpty() ? QStringLiteral(".") : QFileInfo(dictionary).path();
        out.scores.user().load(dir + QStringLiteral("/Dicoscore.dat"),
                               QStringLiteral("Dicoscore.dat"));
        setIndexScores(out.index, out.scores);
    }
    out.indexingNs = clock.nsecsElapsed();
}

QString millisecondsText(qint64 nanoseconds) {
    return QString::number(double(nanoseconds) / 1e6, 'f', 1);
}

} // namespace orv
