// Dispatch of orvgrid's subcommands.
#include "tools/orvgrid_tool.h"

#include "common/program_version.h"

#include <QTextStream>
#include <array>

namespace orv {
namespace {

struct Subcommand {
    const char* name;
    int (*run)(const QStringList&, QTextStream&, QTextStream&);
};

constexpr std::array kSubcommands{
    Subcommand{"fill", orvgridFill},
    Subcommand{"make", orvgridMake},
    Subcommand{"check", orvgridCheck},
};

} // namespace

QString orvgridUsage() {
    return QStringLiteral(
        "Usage : orvgrid COMMANDE ...\n"
        "Outil des grilles d'Orv Grille.\n"
        "\n"
        "  orvgrid fill GRILLE [-d Dicogrd.dat | --words LISTE] [--seed N]\n"
        "               [--time-limit SECONDES] [-o SORTIE]\n"
        "               [--vocabulary common|extended|all] [--min-score N] [--no-scores]\n"
        "               [--thorough]\n"
        "      Remplit les cases vides de la grille avec des mots du dictionnaire\n"
        "      (chaque mot une seule fois), en gardant ses lettres et ses cases noires.\n"
        "      GRILLE : un fichier .grd ou une grille en texte, une ligne par rangée\n"
        "      (# case noire, . case vide, A à Z une lettre). Le dictionnaire est\n"
        "      Dicogrd.dat (celui du dossier courant par défaut) ou, avec --words, une\n"
        "      liste de mots en texte brut lue comme par l'import du programme.\n"
        "      --seed N : le même N donne le même remplissage (1 par défaut).\n"
        "      --time-limit : temps accordé en secondes (60 par défaut).\n"
        "      -o SORTIE : écrit aussi la grille remplie (.grd : fichier de grille,\n"
        "      sinon texte), jamais par-dessus un fichier lu. La grille remplie est\n"
        "      affichée en texte ; les temps de\n"
        "      chargement, d'indexation et de remplissage vont sur la sortie d'erreur.\n"
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
        "      Les scores sont ceux de la table livrée, et ceux de Dicoscore.dat\n"
        "      (dans le dossier du dictionnaire) quand il existe. Le score moyen\n"
        "      des mots et la part des mots de 3 lettres ou plus tirés de la liste\n"
        "      de fréquences vont sur la sortie d'erreur.\n"
        "      Code de sortie : 0 remplie, 1 pas remplie dans le temps accordé,\n"
        "      2 remplissage impossible, 3 entrée incorrecte.\n"
        "  orvgrid make LIGNESxCOLONNES [--from GRILLE] [--max-blacks N] [--symmetric]\n"
        "               [--adjacent-blacks] [--max-length L] [-d Dicogrd.dat | --words LISTE]\n"
        "               [--vocabulary common|extended|all] [--min-score S] [--no-scores]\n"
        "               [--seed N] [--time-limit SECONDES] [-o SORTIE]\n"
        "      Crée une grille complète : place les cases noires et remplit tous les\n"
        "      mots ensemble, en gardant les lettres et les cases noires de GRILLE.\n"
        "      --max-blacks : nombre maximal de cases noires (12 % des cases par\n"
        "      défaut) ; --symmetric : cases noires en symétrie centrale ;\n"
        "      --adjacent-blacks : cases noires côte à côte permises ; --max-length :\n"
        "      longueur maximale des mots ; le vocabulaire et les scores comme pour\n"
        "      fill. Affiche la grille, son nombre de cases noires, le score moyen de\n"
        "      ses mots et la part de mots connus. Codes de sortie : 0 créée,\n"
        "      1 pas de grille dans le temps accordé, 2 demande impossible,\n"
        "      3 entrée incorrecte.\n"
        "  orvgrid check GRILLE [-d Dicogrd.dat]\n"
        "      Liste les mots de la grille absents du dictionnaire, les mots placés\n"
        "      deux fois et les emplacements vides qu'aucun mot ne peut remplir.\n"
        "      Code de sortie : 0 rien à signaler, 1 au moins un problème,\n"
        "      3 entrée incorrecte.\n"
        "  orvgrid --help\n"
        "      Affiche cette aide.\n"
        "  orvgrid --version\n"
        "      Affiche la version et la licence.\n");
}

int runOrvgrid(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.isEmpty()) {
        err << QStringLiteral("orvgrid : il manque la commande (essayez « orvgrid --help »)")
            << Qt::endl;
        return OrvgridBadInput;
    }
    const QString command = args[0];
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        out << orvgridUsage() << Qt::flush;
        return OrvgridOk;
    }
    if (command == QLatin1String("--version")) {
        out << versionText(QStringLiteral("orvgrid")) << Qt::flush;
        return OrvgridOk;
    }
    for (const Subcommand& s : kSubcommands)
        if (command == QLatin1String(s.name))
            return s.run(args.mid(1), out, err);
    err << QStringLiteral("orvgrid : commande inconnue « %1 » (essayez « orvgrid --help »)")
               .arg(command)
        << Qt::endl;
    return OrvgridBadInput;
}

} // namespace orv
