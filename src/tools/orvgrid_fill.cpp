// orvgrid fill: fills a grid from the command line with the program's own
// dictionary, index and search.
#include "common/errors.h"
#include "common/text_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/word_index.h"
#include "dictionary/word_list.h"
#include "fill/grid_fill.h"
#include "grid/grid_file.h"
#include "grid/grid_text.h"
#include "tools/orvgrid_tool.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

namespace orv {
namespace {

struct FillArgs {
    QString grid;
    QString dictionary;
    QString words;
    QString output;
    std::uint64_t seed = 1;
    double timeLimit = 60;
};

QString valueOf(const QStringList& args, qsizetype& i) {
    if (i + 1 >= args.size())
        throw OrvError(QStringLiteral("l'option %1 attend une valeur").arg(args[i]));
    return args[++i];
}

FillArgs parseFill(const QStringList& args) {
    FillArgs f;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("-d") || a == QLatin1String("--dictionary")) {
            f.dictionary = valueOf(args, i);
        } else if (a == QLatin1String("--words")) {
            f.words = valueOf(args, i);
        } else if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
            f.output = valueOf(args, i);
        } else if (a == QLatin1String("--seed")) {
            bool ok = false;
            f.seed = valueOf(args, i).toULongLong(&ok);
            if (!ok)
                throw OrvError(QStringLiteral("--seed attend un entier positif"));
        } else if (a == QLatin1String("--time-limit")) {
            bool ok = false;
            f.timeLimit = valueOf(args, i).toDouble(&ok);
            if (!ok || !(f.timeLimit > 0))
                throw OrvError(QStringLiteral("--time-limit attend un nombre de secondes positif"));
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            throw OrvError(QStringLiteral("option inconnue « %1 »").arg(a));
        } else if (f.grid.isEmpty()) {
            f.grid = a;
        } else {
            throw OrvError(QStringLiteral("une seule grille à la fois (« %1 » en trop)").arg(a));
        }
    }
    if (f.grid.isEmpty())
        throw OrvError(QStringLiteral("fill attend une grille"));
    if (!f.dictionary.isEmpty() && !f.words.isEmpty())
        throw OrvError(QStringLiteral("-d et --words ne vont pas ensemble"));
    if (f.dictionary.isEmpty() && f.words.isEmpty())
        f.dictionary = QStringLiteral("Dicogrd.dat");
    return f;
}

bool isGridFile(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("grd"), Qt::CaseInsensitive) == 0;
}

Grille readGrid(const QString& path) {
    const QByteArray data = readWholeFile(path);
    if (isGridFile(path))
        return readGridFile(data, Grille{}, path);
    try {
        return readGridText(data);
    } catch (const OrvError& e) {
        throw OrvError(QStringLiteral("%1 : %2").arg(path, e.message()));
    }
}

QString ms(qint64 nanoseconds) { return QString::number(double(nanoseconds) / 1e6, 'f', 1); }

} // namespace

int orvgridFill(const QStringList& args, QTextStream& out, QTextStream& err) {
    FillArgs f;
    Grille grid;
    WordIndex index;
    QElapsedTimer clock;
    qint64 loading = 0;
    qint64 indexing = 0;
    try {
        f = parseFill(args);
        clock.start();
        grid = readGrid(f.grid);
        if (f.words.isEmpty()) {
            // The dictionary file goes straight into the index: no list is kept.
            const QByteArray data = readWholeFile(f.dictionary);
            loading = clock.nsecsElapsed();
            clock.restart();
            index.buildFromFile(data);
        } else {
            WordList words;
            importLines(words, readTextLines(f.words));
            loading = clock.nsecsElapsed();
            clock.restart();
            index.build(words);
        }
        indexing = clock.nsecsElapsed();
    } catch (const OrvError& e) {
        err << QStringLiteral("orvgrid fill : %1.").arg(e.message()) << Qt::endl;
        return OrvgridBadInput;
    }
    if (index.wordCount() == 0) {
        err << QStringLiteral("orvgrid fill : le dictionnaire ne contient aucun mot.") << Qt::endl;
        return OrvgridBadInput;
    }
    FillOptions options;
    options.seed = f.seed;
    options.timeLimitSeconds = f.timeLimit;
    clock.restart();
    const FillResult result = fillGrid(grid, index, options);
    const qint64 filling = clock.nsecsElapsed();
    err << QStringLiteral("chargement %1 ms, index %2 ms, remplissage %3 ms (%4 choix, %5 échecs, "
                          "%6 reprises)")
               .arg(ms(loading), ms(indexing), ms(filling))
               .arg(result.decisions)
               .arg(result.failures)
               .arg(result.restarts)
        << Qt::endl;
    switch (result.status) {
    case FillStatus::Filled:
    case FillStatus::NothingToFill:
        if (result.status == FillStatus::NothingToFill)
            err << QStringLiteral("La grille n'a aucun mot à remplir.") << Qt::endl;
        out << QString::fromLatin1(gridText(result.grille)) << Qt::flush;
        if (!f.output.isEmpty()) {
            try {
                if (isGridFile(f.output))
                    writeGridFile(f.output, result.grille);
                else
                    writeWholeFile(f.output, gridText(result.grille));
            } catch (const OrvError& e) {
                err << QStringLiteral("orvgrid fill : %1.").arg(e.message()) << Qt::endl;
                return OrvgridBadInput;
            }
        }
        return OrvgridOk;
    case FillStatus::NoFill:
        if (result.blockedSlot >= 0)
            err << QStringLiteral("Aucun mot du dictionnaire ne convient pour la %1 : %2.")
                       .arg(result.blockedName, QString::fromLatin1(result.blockedPattern))
                << Qt::endl;
        else
            err << QStringLiteral(
                       "Aucun remplissage de cette grille n'existe avec ce dictionnaire.")
                << Qt::endl;
        return OrvgridImpossible;
    case FillStatus::TimedOut:
    case FillStatus::Stopped:
        err << QStringLiteral("Grille non remplie dans le temps accordé (%1 s).").arg(f.timeLimit)
            << Qt::endl;
        return OrvgridNotFilled;
    }
    return OrvgridNotFilled;
}

} // namespace orv
