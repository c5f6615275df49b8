// orvgrid make: a complete grid, black squares and words, from a size and
// optionally a grid whose letters and black squares are kept.
#include "arrowword/arrow_file.h"
#include "arrowword/arrow_maker.h"
#include "common/errors.h"
#include "common/text_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/word_index.h"
#include "dictionary/word_list.h"
#include "dictionary/word_scores.h"
#include "fill/fill_scores.h"
#include "fill/grid_maker.h"
#include "grid/grid_file.h"
#include "grid/grid_slots.h"
#include "grid/grid_text.h"
#include "tools/orvgrid_common.h"
#include "tools/orvgrid_tool.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

namespace orv {
namespace {

struct MakeArgs {
    int rows = 0;
    int columns = 0;
    QString from;
    QString dictionary;
    QString words;
    QString output;
    int maxBlacks = -1;
    int maxLength = 0;
    int minScore = 0;
    bool symmetric = false;
    bool adjacent = false;
    bool scores = true;
    Vocabulary vocabulary = Vocabulary::Common;
    std::uint64_t seed = 1;
    double timeLimit = 60;
    QList<QByteArray> forbidden;
};

QString valueOf(const QStringList& args, qsizetype& i) {
    if (i + 1 >= args.size())
        throw OrvError(QStringLiteral("l'option %1 attend une valeur").arg(args[i]));
    return args[++i];
}

int intOf(const QString& option, const QString& text, int low, int high) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high)
        throw OrvError(
            QStringLiteral("%1 attend un entier de %2 à %3").arg(option).arg(low).arg(high));
    return n;
}

// The crossword's options that the arrow-word maker does not take: its
// definition cells are its own.
bool crosswordOnly(const QString& a) {
    return a == QLatin1String("--from") || a == QLatin1String("--max-blacks") ||
           a == QLatin1String("--symmetric") || a == QLatin1String("--adjacent-blacks");
}

MakeArgs parseMake(const QStringList& args, bool arrows) {
    MakeArgs m;
    bool sized = false;
    const int lowest = arrows ? kMinArrowSide : 6;
    const int highest = arrows ? kMaxFilledArrowSide : 20;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (arrows && crosswordOnly(a)) {
            throw OrvError(QStringLiteral("option inconnue « %1 »").arg(a));
        } else if (a == QLatin1String("-d") || a == QLatin1String("--dictionary")) {
            m.dictionary = valueOf(args, i);
        } else if (a == QLatin1String("--words")) {
            m.words = valueOf(args, i);
        } else if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
            m.output = valueOf(args, i);
        } else if (a == QLatin1String("--from")) {
            m.from = valueOf(args, i);
        } else if (a == QLatin1String("--max-blacks")) {
            m.maxBlacks = intOf(a, valueOf(args, i), 0, 400);
        } else if (a == QLatin1String("--max-length")) {
            m.maxLength = intOf(a, valueOf(args, i), 2, WordIndex::kMaxLength);
        } else if (a == QLatin1String("--min-score")) {
            m.minScore = intOf(a, valueOf(args, i), 0, 100);
        } else if (a == QLatin1String("--vocabulary")) {
            const QString v = valueOf(args, i);
            if (v == QLatin1String("common"))
                m.vocabulary = Vocabulary::Common;
            else if (v == QLatin1String("extended"))
                m.vocabulary = Vocabulary::Extended;
            else if (v == QLatin1String("all"))
                m.vocabulary = Vocabulary::Whole;
            else
                throw OrvError(QStringLiteral("--vocabulary attend common, extended ou all"));
        } else if (a == QLatin1String("--no-scores")) {
            m.scores = false;
        } else if (a == QLatin1String("--forbid")) {
            m.forbidden += forbiddenWordsOf(valueOf(args, i));
        } else if (a == QLatin1String("--symmetric")) {
            m.symmetric = true;
        } else if (a == QLatin1String("--adjacent-blacks")) {
            m.adjacent = true;
        } else if (a == QLatin1String("--seed")) {
            bool ok = false;
            m.seed = valueOf(args, i).toULongLong(&ok);
            if (!ok)
                throw OrvError(QStringLiteral("--seed attend un entier positif"));
        } else if (a == QLatin1String("--time-limit")) {
            bool ok = false;
            m.timeLimit = finiteNumberOf(valueOf(args, i), ok);
            if (!ok || !(m.timeLimit > 0))
                throw OrvError(QStringLiteral("--time-limit attend un nombre de secondes positif"));
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            throw OrvError(QStringLiteral("option inconnue « %1 »").arg(a));
        } else if (!sized) {
            static const QRegularExpression size(QStringLiteral("^(\\d+)[xX](\\d+)$"));
            const QRegularExpressionMatch match = size.match(a);
            if (!match.hasMatch())
                throw OrvError(
                    QStringLiteral("taille « %1 » incorrecte (LIGNESxCOLONNES, par exemple 10x10)")
                        .arg(a));
            m.rows =
                intOf(QStringLiteral("le nombre de lignes"), match.captured(1), lowest, highest);
            m.columns =
                intOf(QStringLiteral("le nombre de colonnes"), match.captured(2), lowest, highest);
            sized = true;
        } else {
            throw OrvError(QStringLiteral("argument en trop « %1 »").arg(a));
        }
    }
    if (!sized)
        throw OrvError(QStringLiteral("%1 attend une taille LIGNESxCOLONNES")
                           .arg(arrows ? QStringLiteral("make-fleches") : QStringLiteral("make")));
    if (arrows && !m.output.isEmpty() && !isArrowFilePath(m.output))
        throw OrvError(QStringLiteral("make-fleches écrit une grille de mots fléchés : la sortie "
                                      "doit finir par .fleches"));
    if (!m.dictionary.isEmpty() && !m.words.isEmpty())
        throw OrvError(QStringLiteral("-d et --words ne vont pas ensemble"));
    if (m.dictionary.isEmpty() && m.words.isEmpty())
        m.dictionary = QStringLiteral("Dicogrd.dat");
    if (!m.scores && m.minScore > 0)
        throw OrvError(QStringLiteral("--min-score et --no-scores ne vont pas ensemble"));
    return m;
}

// The starting grid: empty, or the cells of --from, which must have the size asked.
Grille startGrid(const MakeArgs& m) {
    Grille g;
    g.NbLignes = m.rows + 1;
    g.NbColonnes = m.columns + 1;
    g.Raz();
    if (m.from.isEmpty())
        return g;
    const Grille from = readToolGrid(m.from);
    if (from.NbLignes != g.NbLignes || from.NbColonnes != g.NbColonnes)
        throw OrvError(QStringLiteral("%1 : la grille a %2 lignes et %3 colonnes, pas %4x%5")
                           .arg(m.from)
                           .arg(from.playingRows())
                           .arg(from.playingCols())
                           .arg(m.rows)
                           .arg(m.columns));
    return from;
}

// How the words are chosen, the same for both makers: the seed, the limits,
// the vocabulary with its fill and the words' classes.
void chooseWords(MakeOptions& options, const MakeArgs& m, IndexClasses& classes) {
    options.seed = m.seed;
    options.maxWordLength = m.maxLength;
    if (m.scores) {
        const VocabularyFill v = vocabularyFill(m.vocabulary);
        options.minScore = std::max(m.minScore, v.minScore);
        options.scoreWeight = kScoreWeight;
        const int preferred = v.preferred;
        options.fill = [preferred](const Grille& g, const WordIndex& i, const FillOptions& o) {
            return fillPreferringKnownWords(g, i, o, preferred);
        };
    }
    options.timeLimitSeconds = m.timeLimit;
    classes.forbid(m.forbidden);
    if (m.scores || !m.forbidden.isEmpty())
        options.classes = &classes;
    if (!m.scores)
        options.quality = QualityEffort{0, 0, 0};
}

// The timing line and, when the grid was improved, its ranks before and after.
void reportMaking(const MakeResult& result, const MakeOptions& options, const ToolWords& words,
                  qint64 making, QTextStream& err) {
    err << QStringLiteral("chargement %1 ms, index %2 ms, création %3 ms (%4 essais)")
               .arg(millisecondsText(words.loadingNs), millisecondsText(words.indexingNs),
                    millisecondsText(making))
               .arg(result.attempts)
        << Qt::endl;
    if (result.status == MakeStatus::Made && options.classes && options.quality.refills > 0)
        err << QStringLiteral("première grille : %1 mots rares, %2 acceptables ; après "
                              "amélioration : %3 mots rares, %4 acceptables")
                   .arg(result.firstRank.weak)
                   .arg(result.firstRank.fair)
                   .arg(result.rank.weak)
                   .arg(result.rank.fair)
            << Qt::endl;
}

// The words' figures of a made grid.
void reportWords(const Grille& grid, const WordScores& scores, QTextStream& out) {
    const FillQuality q = fillQuality(grid, scores);
    out << QStringLiteral("mots : %1, score moyen : %2, mots de 3 lettres ou plus tirés de la "
                          "liste de fréquences : %3 sur %4 (%5 %)\n")
               .arg(q.words)
               .arg(q.meanScore, 0, 'f', 1)
               .arg(q.frequentLong)
               .arg(q.longWords)
               .arg(100.0 * q.frequentShare(), 0, 'f', 1)
        << weakWordsText(q) << '\n'
        << Qt::flush;
}

// The exit status of a grid not made, its reason on err.
int notMade(const MakeResult& result, const MakeArgs& m, QTextStream& err) {
    if (result.status == MakeStatus::Impossible) {
        err << QStringLiteral("Grille impossible : %1").arg(result.reason) << Qt::endl;
        return OrvgridImpossible;
    }
    err << QStringLiteral("Aucune grille trouvée dans le temps accordé (%1 s).").arg(m.timeLimit)
        << Qt::endl;
    return OrvgridNotFilled;
}

} // namespace

QString orvgridMakeUsage() {
    return QStringLiteral(
        "  orvgrid make LIGNESxCOLONNES [--from GRILLE] [--max-blacks N] [--symmetric]\n"
        "               [--adjacent-blacks] [--max-length L] [-d Dicogrd.dat | --words LISTE]\n"
        "               [--vocabulary common|extended|all] [--min-score S] [--no-scores]\n"
        "               [--seed N] [--time-limit SECONDES] [--forbid MOT,...]\n"
        "               [-o SORTIE]\n"
        "      Crée une grille complète : place les cases noires et remplit tous les\n"
        "      mots ensemble, en gardant les lettres et les cases noires de GRILLE\n"
        "      (un fichier .grd, un fichier .ipuz ou une grille en texte de la même\n"
        "      taille). LIGNESxCOLONNES : de 6 à 20 chacun, par exemple 10x10.\n"
        "      --max-blacks : nombre maximal de cases noires (12 % des cases par\n"
        "      défaut) ; --symmetric : cases noires en symétrie centrale ;\n"
        "      --adjacent-blacks : cases noires côte à côte permises ; --max-length :\n"
        "      longueur maximale des mots ; le dictionnaire, le vocabulaire, les\n"
        "      scores, --seed, --time-limit, --forbid et -o comme pour fill. Avec\n"
        "      les scores, la grille trouvée est améliorée dans le temps accordé :\n"
        "      moins de mots rares d'abord (en déplaçant ou en ajoutant des cases\n"
        "      noires au besoin), puis moins de mots acceptables. Affiche la grille,\n"
        "      son nombre de cases noires, le score moyen de ses mots et la part de\n"
        "      mots connus. Codes de sortie : 0 créée, 1 pas de grille dans le temps\n"
        "      accordé, 2 demande impossible, 3 entrée incorrecte.\n");
}

int orvgridMake(const QStringList& args, QTextStream& out, QTextStream& err) {
    MakeArgs m;
    Grille grid;
    ToolWords words;
    try {
        m = parseMake(args, false);
        refuseWritingOverInput(m.output, {m.from, m.dictionary, m.words,
                                          m.scores ? toolScoresPath(m.dictionary) : QString()});
        grid = startGrid(m);
        loadToolWords(m.dictionary, m.words, m.scores, words);
    } catch (const OrvError& e) {
        err << QStringLiteral("orvgrid make : %1.").arg(e.message()) << Qt::endl;
        return OrvgridBadInput;
    }
    for (const QString& warning : words.warnings)
        err << QStringLiteral("orvgrid make : %1.").arg(warning) << Qt::endl;
    const WordIndex& index = words.index;
    const WordScores& scores = words.scores;
    if (index.wordCount() == 0) {
        err << QStringLiteral("orvgrid make : le dictionnaire ne contient aucun mot.") << Qt::endl;
        return OrvgridBadInput;
    }
    MakeOptions options;
    options.maxBlacks = m.maxBlacks >= 0 ? m.maxBlacks : defaultMaxBlacks(m.rows, m.columns);
    options.symmetric = m.symmetric;
    options.adjacentBlacks = m.adjacent;
    IndexClasses classes(index, scores);
    chooseWords(options, m, classes);
    options.drafts = kMakerDrafts;
    QElapsedTimer clock;
    clock.start();
    const MakeResult result = makeGrid(grid, index, options);
    const qint64 making = clock.nsecsElapsed();
    reportMaking(result, options, words, making, err);
    if (result.status != MakeStatus::Made)
        return notMade(result, m, err);
    out << QString::fromLatin1(gridText(result.grille));
    out << QStringLiteral("cases noires : %1\n").arg(result.blacks);
    reportWords(result.grille, scores, out);
    if (!m.output.isEmpty()) {
        try {
            writeToolGrid(m.output, result.grille, err, QStringLiteral("make"));
        } catch (const OrvError& e) {
            err << QStringLiteral("orvgrid make : %1.").arg(e.message()) << Qt::endl;
            return OrvgridBadInput;
        }
    }
    return OrvgridOk;
}

QString orvgridMakeArrowsUsage() {
    return QStringLiteral(
        "  orvgrid make-fleches LIGNESxCOLONNES [-d Dicogrd.dat | --words LISTE]\n"
        "               [--vocabulary common|extended|all] [--min-score S] [--no-scores]\n"
        "               [--max-length L] [--seed N] [--time-limit SECONDES]\n"
        "               [--forbid MOT,...] [-o SORTIE.fleches]\n"
        "      Crée une grille de mots fléchés complète : place les cases de\n"
        "      définition (la première ligne et la première colonne, une case sur\n"
        "      deux, puis une toutes les quelques cases), leurs flèches et tous les\n"
        "      mots ensemble, avec peu de mots de deux lettres et peu de cases\n"
        "      dans un seul mot. LIGNESxCOLONNES : de 3 à 21 chacun, par exemple\n"
        "      9x11 ou 15x21. --max-length : longueur maximale des mots (10 par\n"
        "      défaut) ; le dictionnaire, le vocabulaire, les scores, --seed,\n"
        "      --time-limit et --forbid comme pour make. Les définitions restent à\n"
        "      écrire. Affiche la grille (# case de définition), son nombre de cases\n"
        "      de définition, le score moyen de ses mots et la part de mots connus ;\n"
        "      -o écrit la grille dans un fichier .fleches. Codes de sortie : 0\n"
        "      créée, 1 pas de grille dans le temps accordé, 2 demande impossible,\n"
        "      3 entrée incorrecte.\n");
}

int orvgridMakeArrows(const QStringList& args, QTextStream& out, QTextStream& err) {
    MakeArgs m;
    ToolWords words;
    try {
        m = parseMake(args, true);
        refuseWritingOverInput(
            m.output, {m.dictionary, m.words, m.scores ? toolScoresPath(m.dictionary) : QString()});
        loadToolWords(m.dictionary, m.words, m.scores, words);
    } catch (const OrvError& e) {
        err << QStringLiteral("orvgrid make-fleches : %1.").arg(e.message()) << Qt::endl;
        return OrvgridBadInput;
    }
    for (const QString& warning : words.warnings)
        err << QStringLiteral("orvgrid make-fleches : %1.").arg(warning) << Qt::endl;
    if (words.index.wordCount() == 0) {
        err << QStringLiteral("orvgrid make-fleches : le dictionnaire ne contient aucun mot.")
            << Qt::endl;
        return OrvgridBadInput;
    }
    MakeOptions options;
    IndexClasses classes(words.index, words.scores);
    chooseWords(options, m, classes);
    QElapsedTimer clock;
    clock.start();
    const ArrowMakeResult result = makeArrowGrid(m.rows, m.columns, words.index, options);
    reportMaking(result.made, options, words, clock.nsecsElapsed(), err);
    if (result.made.status != MakeStatus::Made)
        return notMade(result.made, m, err);
    out << QString::fromLatin1(gridText(result.made.grille));
    out << QStringLiteral("cases de définition : %1\n").arg(result.made.blacks);
    reportWords(result.made.grille, words.scores, out);
    if (!m.output.isEmpty()) {
        try {
            writeArrowFile(m.output, result.grid);
        } catch (const OrvError& e) {
            err << QStringLiteral("orvgrid make-fleches : %1.").arg(e.message()) << Qt::endl;
            return OrvgridBadInput;
        }
    }
    return OrvgridOk;
    return OrvgridNotFilled;
}

} // namespace orv
