// orvgrid fill: fills a grid from the command line with the program's own
// dictionary, index and search.
#include "arrowword/arrow_file.h"
#include "arrowword/arrow_maker.h"
#include "common/errors.h"
#include "common/text_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/word_index.h"
#include "dictionary/word_list.h"
#include "dictionary/word_scores.h"
#include "fill/fill_request.h"
#include "fill/fill_scores.h"
#include "fill/grid_fill.h"
#include "grid/grid_file.h"
#include "grid/grid_text.h"
#include "tools/orvgrid_common.h"
#include "tools/orvgrid_tool.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>
#include <optional>

namespace orv {
namespace {

struct FillArgs {
    QString grid;
    QString dictionary;
    QString words;
    QString output;
    std::uint64_t seed = 1;
    double timeLimit = 60;
    int minScore = 0;
    bool scores = true;
    double scoreWeight = kScoreWeight;
    Vocabulary vocabulary = Vocabulary::Common;
    bool thorough = false;
    int threads = 0; // one search per core
    QList<QByteArray> forbidden;
    int count = 1; // different fills wanted
};

// Where fill number k (from 1) of several is written: OUT itself for the
// first, then OUT-2.grd, OUT-3.grd... beside it.
QString numberedOutput(const QString& output, int k) {
    if (output.isEmpty() || k == 1)
        return output;
    const QFileInfo info(output);
    const QString name =
        info.suffix().isEmpty()
            ? QStringLiteral("%1-%2").arg(info.fileName()).arg(k)
            : QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(k).arg(info.suffix());
    return info.dir().filePath(name);
}

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
        } else if (a == QLatin1String("--threads")) {
            bool ok = false;
            f.threads = valueOf(args, i).toInt(&ok);
            if (!ok || f.threads < 0 || f.threads > 256)
                throw OrvError(QStringLiteral("--threads attend un entier de 0 à 256"));
        } else if (a == QLatin1String("--time-limit")) {
            bool ok = false;
            f.timeLimit = finiteNumberOf(valueOf(args, i), ok);
            if (!ok || !(f.timeLimit > 0))
                throw OrvError(QStringLiteral("--time-limit attend un nombre de secondes positif"));
        } else if (a == QLatin1String("--min-score")) {
            bool ok = false;
            f.minScore = valueOf(args, i).toInt(&ok);
            if (!ok || f.minScore < 0 || f.minScore > kMaxScore)
                throw OrvError(QStringLiteral("--min-score attend un entier de 0 à 100"));
        } else if (a == QLatin1String("--score-weight")) {
            bool ok = false;
            f.scoreWeight = finiteNumberOf(valueOf(args, i), ok);
            if (!ok || f.scoreWeight < 0)
                throw OrvError(QStringLiteral("--score-weight attend un nombre positif ou nul"));
        } else if (a == QLatin1String("--vocabulary")) {
            const QString v = valueOf(args, i);
            if (v == QLatin1String("common"))
                f.vocabulary = Vocabulary::Common;
            else if (v == QLatin1String("extended"))
                f.vocabulary = Vocabulary::Extended;
            else if (v == QLatin1String("all"))
                f.vocabulary = Vocabulary::Whole;
            else
                throw OrvError(QStringLiteral("--vocabulary attend common, extended ou all"));
        } else if (a == QLatin1String("--no-scores")) {
            f.scores = false;
        } else if (a == QLatin1String("--thorough")) {
            f.thorough = true;
        } else if (a == QLatin1String("--count")) {
            bool ok = false;
            f.count = valueOf(args, i).toInt(&ok);
            if (!ok || f.count < 1 || f.count > 100)
                throw OrvError(QStringLiteral("--count attend un entier de 1 à 100"));
        } else if (a == QLatin1String("--forbid")) {
            f.forbidden += forbiddenWordsOf(valueOf(args, i));
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
    if (!f.scores && f.minScore > 0)
        throw OrvError(QStringLiteral("--min-score et --no-scores ne vont pas ensemble"));
    return f;
}

} // namespace

QString orvgridFillUsage() {
    return QStringLiteral(
        "  orvgrid fill GRILLE [-d Dicogrd.dat | --words LISTE] [--seed N]\n"
        "               [--threads N] [--time-limit SECONDES] [-o SORTIE]\n"
        "               [--vocabulary common|extended|all] [--min-score N] [--no-scores]\n"
        "               [--thorough] [--forbid MOT,...] [--count N]\n"
        "      Remplit les cases vides de la grille avec des mots du dictionnaire\n"
        "      (chaque mot une seule fois), en gardant ses lettres et ses cases noires.\n"
        "      GRILLE : un fichier .grd, un fichier .ipuz ou une grille en texte, une\n"
        "      ligne par rangée (# case noire, . case vide, A à Z une lettre), ou une\n"
        "      grille de mots fléchés (.fleches) dont la construction est correcte :\n"
        "      ses mots sont remplis, ses définitions gardées, et SORTIE est alors\n"
        "      un fichier .fleches. Le dictionnaire est Dicogrd.dat (celui du\n"
        "      dossier courant par défaut) ou,\n"
        "      avec --words, une liste de mots en texte brut lue comme par l'import\n"
        "      du programme.\n"
        "      --seed N : le même N avec --threads 1 donne le même remplissage (1 par\n"
        "      défaut).\n"
        "      --threads N : nombre de recherches menées côte à côte, la première qui\n"
        "      aboutit l'emporte (0, par défaut : une par cœur de la machine).\n"
        "      --time-limit : temps accordé en secondes (60 par défaut).\n"
        "      -o SORTIE : écrit aussi la grille remplie (.grd : fichier de grille,\n"
        "      .ipuz : fichier ipuz, sinon texte), jamais par-dessus un fichier lu.\n"
        "      La grille remplie est affichée en texte ; les temps de chargement,\n"
        "      d'indexation et de remplissage vont sur la sortie d'erreur.\n"
        "      --vocabulary : common (par défaut) cherche d'abord des mots courants\n"
        "      (score 50 ou plus) partout et n'admet les autres mots que dans les\n"
        "      emplacements où ils manquent ; extended écarte les formes verbales\n"
        "      rares ; all prend tout le dictionnaire sauf les mots de score 0. Les\n"
        "      mots les mieux connus passent toujours en premier.\n"
        "      --min-score N : aucun mot de score inférieur à N (0 à 100).\n"
        "      --no-scores : tous les mots se valent (mesure de référence).\n"
        "      --thorough : avec common, une fois la grille remplie, cherche plus\n"
        "      longtemps à remplacer les mots moins connus (comme « Chercher plus de\n"
        "      mots courants » dans le programme).\n"
        "      --forbid MOT,... : ces mots ne sont jamais placés (comme « Refuser ce\n"
        "      mot » dans le programme).\n"
        "      --count N : jusqu'à N remplissages différents (1 à 100), chacun avec la\n"
        "      graine suivante, séparés par une ligne vide ; avec -o, le premier va dans\n"
        "      SORTIE, les autres dans SORTIE-2, SORTIE-3... (même extension).\n"
        "      Avec les scores, une fois la grille remplie, le remplissage remplace\n"
        "      d'abord les mots rares, puis les mots acceptables, par des mots\n"
        "      courants, dans le temps accordé ; les mots rares qui restent sont\n"
        "      nommés sur la sortie d'erreur.\n"
        "      Les scores sont ceux de la table livrée, et ceux de Dicoscore.dat\n"
        "      (dans le dossier du dictionnaire) quand il existe. Le score moyen\n"
        "      des mots et la part des mots de 3 lettres ou plus tirés de la liste\n"
        "      de fréquences vont sur la sortie d'erreur.\n"
        "      Code de sortie : 0 remplie, 1 pas remplie dans le temps accordé,\n"
        "      2 remplissage impossible, 3 entrée incorrecte.\n");
}

int orvgridFill(const QStringList& args, QTextStream& out, QTextStream& err) {
    FillArgs f;
    Grille grid;
    std::optional<ArrowGrid> layout;
    ToolWords words;
    try {
        f = parseFill(args);
        for (int k = 1; k <= f.count; ++k)
            refuseWritingOverInput(numberedOutput(f.output, k),
                                   {f.grid, f.dictionary, f.words,
                                    f.scores ? toolScoresPath(f.dictionary) : QString()});
        if (isArrowFilePath(f.grid)) {
            // An arrow-word layout is filled as its crossword pattern.
            layout = loadArrowFile(f.grid);
            grid = fillablePattern(*layout);
            if (!f.output.isEmpty() && !isArrowFilePath(f.output))
                throw OrvError(QStringLiteral("une grille de mots fléchés s'écrit dans un "
                                              "fichier .fleches"));
        } else {
            grid = readToolGrid(f.grid);
        }
        loadToolWords(f.dictionary, f.words, f.scores, words);
    } catch (const OrvError& e) {
        err << QStringLiteral("orvgrid fill : %1.").arg(e.message()) << Qt::endl;
        return OrvgridBadInput;
    }
    for (const QString& warning : words.warnings)
        err << QStringLiteral("orvgrid fill : %1.").arg(warning) << Qt::endl;
    const WordIndex& index = words.index;
    const WordScores& scores = words.scores;
    if (index.wordCount() == 0) {
        err << QStringLiteral("orvgrid fill : le dictionnaire ne contient aucun mot.") << Qt::endl;
        return OrvgridBadInput;
    }
    FillRequest request;
    request.timeLimitSeconds = f.timeLimit;
    request.threads = fillThreads(f.threads);
    err << (request.threads == 1
                ? QStringLiteral("1 recherche")
                : QStringLiteral("%1 recherches en parallèle").arg(request.threads))
        << (f.threads == 0 ? QStringLiteral(" (une par cœur de la machine)") : QString())
        << Qt::endl;
    IndexClasses classes(index, scores);
    classes.forbid(f.forbidden);
    request.classes = &classes;
    request.effort = FillEffort::None;
    if (f.scores) {
        const VocabularyFill v = vocabularyFill(f.vocabulary);
        request.minScore = std::max(f.minScore, v.minScore);
        request.preferredScore = v.preferred;
        request.scoreWeight = f.scoreWeight;
        request.effort = f.thorough ? FillEffort::Thorough : FillEffort::Default;
    }
    const auto fillOnce = [&](std::uint64_t seed,
                              std::function<bool(const Grille&)> accept = nullptr) {
        FillRequest r = request;
        r.seed = seed;
        r.accept = std::move(accept);
        return fill(grid, index, r);
    };
    // A filled grid: printed, judged on the error output, written to its file.
    const auto keep = [&](const FillResult& r, int k) {
        if (k > 1)
            out << '\n';
        out << QString::fromLatin1(gridText(r.grille)) << Qt::flush;
        if (r.status == FillStatus::Filled) {
            const FillQuality q = fillQuality(r.grille, scores);
            if (f.count > 1)
                err << QStringLiteral("remplissage %1 : ").arg(k);
            err << QStringLiteral("score moyen %1, mots de 3 lettres ou plus tirés de la liste "
                                  "de fréquences : %2 sur %3 (%4 %)")
                       .arg(q.meanScore, 0, 'f', 1)
                       .arg(q.frequentLong)
                       .arg(q.longWords)
                       .arg(100.0 * q.frequentShare(), 0, 'f', 1)
                << Qt::endl
                << weakWordsText(q) << Qt::endl;
        }
        if (!f.output.isEmpty() && layout)
            writeArrowFile(numberedOutput(f.output, k), withLetters(*layout, r.grille));
        else if (!f.output.isEmpty())
            writeToolGrid(numberedOutput(f.output, k), r.grille, err, QStringLiteral("fill"));
    };
    QElapsedTimer clock;
    clock.start();
    const FillResult result = fillOnce(f.seed);
    const qint64 filling = clock.nsecsElapsed();
    err << QStringLiteral("chargement %1 ms, index %2 ms, remplissage %3 ms (%4 choix, %5 échecs, "
                          "%6 reprises)")
               .arg(millisecondsText(words.loadingNs), millisecondsText(words.indexingNs),
                    millisecondsText(filling))
               .arg(result.decisions)
               .arg(result.failures)
               .arg(result.restarts)
        << Qt::endl;
    switch (result.status) {
    case FillStatus::Filled:
    case FillStatus::NothingToFill:
        if (result.status == FillStatus::NothingToFill)
            err << QStringLiteral("La grille n'a aucun mot à remplir.") << Qt::endl;
        try {
            keep(result, 1);
            if (result.status != FillStatus::Filled || f.count == 1)
                return OrvgridOk;
            // Each next fill must differ from those already written, until
            // enough, until the search proves that no other exists, or after
            // three tries per fill asked.
            QSet<QByteArray> seen{gridText(result.grille)};
            const auto unseen = [&seen](const Grille& g) { return !seen.contains(gridText(g)); };
            for (std::uint64_t seed = f.seed + 1;
                 int(seen.size()) < f.count && seed <= f.seed + 3 * std::uint64_t(f.count);
                 ++seed) {
                const FillResult other = fillOnce(seed, unseen);
                if (other.status == FillStatus::NoFill)
                    break;
                if (other.status != FillStatus::Filled)
                    continue;
                const QByteArray text = gridText(other.grille);
                if (seen.contains(text))
                    continue;
                seen.insert(text);
                keep(other, int(seen.size()));
            }
            err << (int(seen.size()) == f.count
                        ? QStringLiteral("%1 remplissages différents").arg(f.count)
                        : QStringLiteral("%1 remplissages différents trouvés sur %2 demandés")
                              .arg(seen.size())
                              .arg(f.count))
                << Qt::endl;
        } catch (const OrvError& e) {
            err << QStringLiteral("orvgrid fill : %1.").arg(e.message()) << Qt::endl;
            return OrvgridBadInput;
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
