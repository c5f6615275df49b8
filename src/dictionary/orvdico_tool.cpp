// The commands of orvdico, listed with their help in one table.
#include "dictionary/orvdico_tool.h"

#include "common/codec.h"
#include "common/data_file.h"
#include "common/errors.h"
#include "common/program_version.h"
#include "common/text_file.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/scored_word_index.h"
#include "dictionary/scramble.h"
#include "dictionary/word_scores.h"
#include "dictionary/word_source.h"
#include "search/pattern_search.h"
#include "search/quick_search.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>
#include <algorithm>
#include <array>

namespace orv {
namespace {

struct UsageError {
    QString message;
};

struct BuildArgs {
    bool fold = false;
    QStringList lists;
    QString output;
};

BuildArgs parseBuild(const QStringList& args) {
    BuildArgs b;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--fold-accents")) {
            b.fold = true;
        } else if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
            if (i + 1 >= args.size())
                throw UsageError{QStringLiteral("l'option %1 attend un nom de fichier").arg(a)};
            if (!b.output.isEmpty())
                throw UsageError{QStringLiteral("un seul fichier de sortie (-o) est permis")};
            b.output = args[++i];
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            throw UsageError{QStringLiteral("option inconnue « %1 »").arg(a)};
        } else {
            b.lists.append(a);
        }
    }
    if (b.lists.isEmpty())
        throw UsageError{QStringLiteral("build attend au moins une liste de mots")};
    if (b.output.isEmpty())
        throw UsageError{QStringLiteral("build attend le fichier à écrire : -o Dicogrd.dat")};
    return b;
}

QString oneFile(const QString& command, const QStringList& args) {
    if (args.size() != 1 || (args[0].startsWith(QLatin1Char('-')) && args[0].size() > 1))
        throw UsageError{QStringLiteral("%1 attend un seul fichier de dictionnaire").arg(command)};
    return args[0];
}

// Whether the file's first lines read as a dictionary's scrambled words
// rather than as plain ones: a dictionary given as a list gives few words.
bool looksScrambled(const QString& path) {
    constexpr qint64 kSample = 64 << 10;
    const QByteArray head = openForReading(path, path)->read(kSample);
    qsizetype plain = 0;
    qsizetype scrambled = 0;
    qsizetype lines = 0;
    forEachTextLine(head, [&](const char* begin, qsizetype size) {
        const QByteArray line(begin, size);
        ++lines;
        plain += MotAdmissible(upperLine(line));
        scrambled += MotAdmissible(Decrypte(line));
    });
    // Nearly every line of a dictionary unscrambles to a word, and few read
    // as words (2 % of the French one); a plain list is the other way round.
    return scrambled > plain && 10 * scrambled >= 9 * lines;
}

int build(const QStringList& args, QTextStream& out, QTextStream& err) {
    const BuildArgs b = parseBuild(args);
    for (const QString& list : b.lists)
        if (sameFile(b.output, list)) {
            err << QStringLiteral("orvdico : %1.").arg(writesOverInputMessage(b.output))
                << Qt::endl;
            return OrvdicoWritesOverInput;
        }
    WordList words;
    qsizetype lines = 0;
    for (const QString& list : b.lists) {
        WordListReader reader(list, list, b.fold);
        if (looksScrambled(list))
            err << QStringLiteral("orvdico : attention, %1 ressemble à un dictionnaire brouillé "
                                  "(comme Dicogrd.dat) et non à une liste de mots en clair ; "
                                  "« orvdico words %1 » en donne les mots.")
                       .arg(list)
                << Qt::endl;
        const ImportReport report = importWordList(words, reader);
        lines += report.lines;
        if (report.unknownEncoding)
            err << QStringLiteral("orvdico : %1.").arg(unknownEncodingMessage(list)) << Qt::endl;
    }
    Tri(words);
    words.save(b.output, b.output);
    out << QStringLiteral("%1 : %2 mots écrits (%3 lignes lues, %4 écartées ou en double)")
               .arg(b.output)
               .arg(words.count())
               .arg(lines)
               .arg(lines - words.count())
        << Qt::endl;
    return OrvdicoOk;
}

// Tells on the error output how many lines the reading left out, as the
// program tells it at start.
void warnDropped(const QString& path, qsizetype dropped, QTextStream& err) {
    if (dropped > 0)
        err << QStringLiteral("orvdico : %1.").arg(droppedLinesText(path, dropped)) << Qt::endl;
}

int printWords(const QStringList& args, QTextStream& out, QTextStream& err) {
    const QString path = oneFile(QStringLiteral("words"), args);
    const DictionaryFileWords file = readDictionaryFile(path, path);
    warnDropped(path, file.dropped, err);
    const WordList& words = file.words;
    for (const QByteArray& e : words.entries())
        out << toUi(Decrypte(e)) << '\n';
    out.flush();
    return OrvdicoOk;
}

int stats(const QStringList& args, QTextStream& out, QTextStream& err) {
    const QString path = oneFile(QStringLiteral("stats"), args);
    // Every line is counted, of any length, up to a NUL byte, as the program reads the file.
    const DictionaryFileLines file = splitDictionaryFile(readWholeFile(path, path));
    warnDropped(path, file.afterNul, err);
    const WordList& words = file.words;
    std::array<qsizetype, kMaxWordLength + 1> byLength{};
    std::array<qsizetype, 26> byInitial{};
    qsizetype outside = 0;
    qsizetype other = 0;
    QSet<QByteArray> seen;
    qsizetype duplicates = 0;
    for (const QByteArray& e : words.entries()) {
        const QByteArray plain = Decrypte(e);
        if (plain.size() < kMinWordLength || plain.size() > kMaxWordLength)
            ++outside;
        else
            ++byLength[plain.size()];
        if (!plain.isEmpty() && isCapital(plain[0]))
            ++byInitial[plain[0] - 'A'];
        if (!MotAdmissible(plain))
            ++other;
        if (seen.contains(e))
            ++duplicates;
        else
            seen.insert(e);
    }
    out << QStringLiteral("Dictionnaire : %1").arg(path) << '\n'
        << QStringLiteral("Mots : %1").arg(words.count()) << '\n';
    for (int len = kMinWordLength; len <= kMaxWordLength; ++len)
        out << QStringLiteral("  %1 lettres : %2").arg(len, 2).arg(byLength[len]) << '\n';
    for (int l = 0; l < 26; ++l)
        out << QStringLiteral("  %1 : %2").arg(QChar(u'A' + l)).arg(byInitial[l]) << '\n';
    out << QStringLiteral("Entrées de moins de 2 ou de plus de 19 lettres : %1").arg(outside)
        << '\n'
        << QStringLiteral("Entrées qui ne sont pas des mots de lettres A à Z : %1").arg(other)
        << '\n'
        << QStringLiteral("Doublons : %1").arg(duplicates) << '\n'
        << QStringLiteral("Ordre alphabétique : %1")
               .arg(words.isSorted() ? QStringLiteral("oui") : QStringLiteral("non"))
        << Qt::endl;
    return OrvdicoOk;
}

// search PATTERN / anagram LETTERS [-d Dicogrd.dat]: the words found, best
// score first, one "WORD<TAB>score" line each; their count on the error
// output. The scores are the program's, Dicoscore.dat beside the dictionary
// included.
int quickSearch(const QString& command, const QStringList& args, QTextStream& out,
                QTextStream& err) {
    QString dictionary = QStringLiteral("Dicogrd.dat");
    QStringList texts;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("-d") || a == QLatin1String("--dictionary")) {
            if (i + 1 >= args.size())
                throw UsageError{QStringLiteral("l'option %1 attend un nom de fichier").arg(a)};
            dictionary = args[++i];
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            throw UsageError{QStringLiteral("option inconnue « %1 »").arg(a)};
        } else {
            texts.append(a);
        }
    }
    const bool anagram = command == QLatin1String("anagram");
    if (texts.size() != 1)
        throw UsageError{anagram ? QStringLiteral("anagram attend un seul jeu de lettres")
                                 : QStringLiteral("search attend un seul motif")};
    QByteArray typed;
    try {
        typed = anagram ? readAnagramLetters(texts[0]) : readSearchPattern(texts[0]);
    } catch (const OrvError& e) {
        err << QStringLiteral("orvdico : %1.").arg(e.message()) << Qt::endl;
        return OrvdicoBadInput;
    }
    const DictionaryFileWords file = readDictionaryFile(dictionary, dictionary);
    warnDropped(dictionary, file.dropped, err);
    WordIndex index;
    index.build(file.words);
    WordScores scores;
    scores.user().load(QFileInfo(dictionary).dir().filePath(QStringLiteral("Dicoscore.dat")),
                       QStringLiteral("Dicoscore.dat"));
    setIndexScores(index, scores);
    const QuickSearchResult found =
        anagram ? searchAnagram(index, typed) : searchPattern(index, typed);
    for (std::size_t i = 0; i < found.count(); ++i)
        out << QString::fromLatin1(found.word(i)) << '\t' << found.score(i) << '\n';
    out.flush();
    err << QStringLiteral("orvdico : %1").arg(countText(qsizetype(found.count()))) << Qt::endl;
    return OrvdicoOk;
}

int search(const QStringList& args, QTextStream& out, QTextStream& err) {
    return quickSearch(QStringLiteral("search"), args, out, err);
}

int anagram(const QStringList& args, QTextStream& out, QTextStream& err) {
    return quickSearch(QStringLiteral("anagram"), args, out, err);
}

QString buildUsage() {
    return QStringLiteral(
        "  orvdico build [--fold-accents] LISTE... -o Dicogrd.dat\n"
        "      Écrit un dictionnaire à partir de listes de mots en texte brut, un mot\n"
        "      par ligne, en UTF-8, Windows-1252, UTF-16 ou UTF-32 (détecté). Comme\n"
        "      l'import du programme, garde les lignes de 2 à 19 lettres A à Z (les\n"
        "      minuscules sont mises en capitales), une seule fois chacune, en ordre\n"
        "      alphabétique.\n"
        "      Le fichier écrit ne peut être l'une des listes lues.\n"
        "      --fold-accents : les lettres accentuées et les ligatures deviennent des\n"
        "      capitales simples (É en E, Ç en C, Œ en OE, Æ en AE), pour garder\n"
        "      les mots accentués des listes françaises.\n"
        "      -o, --output : le dictionnaire à écrire.\n");
}

QString wordsUsage() {
    return QStringLiteral(
        "  orvdico words FICHIER\n"
        "      Affiche les mots du dictionnaire en clair, un par ligne, comme le\n"
        "      programme les garde : jusqu'à un octet NUL, de 2 à 19 lettres ; le\n"
        "      nombre de lignes écartées va sur la sortie d'erreur.\n");
}

QString statsUsage() {
    return QStringLiteral("  orvdico stats FICHIER\n"
                          "      Compte les mots du dictionnaire par longueur et par initiale.\n");
}

QString searchUsage() {
    return QStringLiteral(
        "  orvdico search MOTIF [-d Dicogrd.dat]\n"
        "      Affiche les mots du dictionnaire qui conviennent au motif, le meilleur\n"
        "      score d'abord, chacun suivi de son score : lettres, ? ou . pour une\n"
        "      lettre, * pour des lettres (ou aucune), de 2 à 19 lettres (« C?A* »).\n"
        "      Le dictionnaire est celui du dossier courant sans -d, avec les scores\n"
        "      de Dicoscore.dat à côté.\n");
}

QString anagramUsage() {
    return QStringLiteral("  orvdico anagram LETTRES [-d Dicogrd.dat]\n"
                          "      Affiche les mots faits de toutes ces lettres (un ? : une lettre\n"
                          "      quelconque), le meilleur score d'abord, comme search.\n");
}

// One command: its name, its paragraph of the help, and what runs it (with
// the arguments after its name). The help lists them in this order.
struct OrvdicoCommand {
    const char* name;
    QString (*usage)();
    int (*run)(const QStringList&, QTextStream&, QTextStream&);
};

constexpr std::array kCommands{
    OrvdicoCommand{"build", buildUsage, build},
    OrvdicoCommand{"words", wordsUsage, printWords},
    OrvdicoCommand{"stats", statsUsage, stats},
    OrvdicoCommand{"search", searchUsage, search},
    OrvdicoCommand{"anagram", anagramUsage, anagram},
};

QString exitStatusText() {
    return QStringLiteral(
        "Code de sortie : 0 si tout va bien, 1 si un fichier ne peut être lu ou écrit,\n"
        "2 si les arguments sont incorrects, 3 si le fichier à écrire est aussi lu\n"
        "ou si le motif ou les lettres ne conviennent pas.\n");
}

bool isHelpOption(const QString& a) {
    return a == QLatin1String("--help") || a == QLatin1String("-h");
}

QString commandNames() {
    QStringList names;
    for (const OrvdicoCommand& c : kCommands)
        names.append(QLatin1String(c.name));
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" ou ") + last;
}

} // namespace

QString orvdicoUsage() {
    QString text =
        QStringLiteral("Usage : orvdico COMMANDE ...\n"
                       "Outil du dictionnaire d'Orv Grille (fichier Dicogrd.dat, mots brouillés).\n"
                       "\n");
    for (const OrvdicoCommand& c : kCommands)
        text += c.usage();
    return text + helpOptionsText(QStringLiteral("orvdico")) + QLatin1Char('\n') + exitStatusText();
}

int runOrvdico(const QStringList& args, QTextStream& out, QTextStream& err) {
    try {
        if (args.isEmpty())
            throw UsageError{QStringLiteral("il manque la commande (%1)").arg(commandNames())};
        const QString command = args[0];
        const QStringList rest = args.mid(1);
        if (isHelpOption(command) || command == QLatin1String("help")) {
            out << orvdicoUsage() << Qt::flush;
            return OrvdicoOk;
        }
        if (command == QLatin1String("--version")) {
            out << versionText(QStringLiteral("orvdico")) << Qt::flush;
            return OrvdicoOk;
        }
        for (const OrvdicoCommand& c : kCommands) {
            if (command != QLatin1String(c.name))
                continue;
            if (std::any_of(rest.begin(), rest.end(), isHelpOption)) {
                out << c.usage() << '\n' << exitStatusText() << Qt::flush;
                return OrvdicoOk;
            }
            return c.run(rest, out, err);
        }
        throw UsageError{QStringLiteral("commande inconnue « %1 »").arg(command)};
    } catch (const UsageError& e) {
        err << QStringLiteral("orvdico : %1\n").arg(e.message)
            << QStringLiteral("Essayez « orvdico --help ».") << Qt::endl;
        return OrvdicoUsageError;
    } catch (const OrvError& e) {
        err << QStringLiteral("orvdico : %1.").arg(e.message()) << Qt::endl;
        return OrvdicoFileError;
    }
}

} // namespace orv
