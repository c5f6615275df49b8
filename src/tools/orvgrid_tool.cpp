// Dispatch of orvgrid's subcommands.
#include "tools/orvgrid_tool.h"

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
};

} // namespace

QString orvgridUsage() {
    return QStringLiteral(
        "Usage : orvgrid COMMANDE ...\n"
        "Outil des grilles d'Orv Grille.\n"
        "\n"
        "  orvgrid fill GRILLE [-d Dicogrd.dat | --words LISTE] [--seed N]\n"
        "               [--time-limit SECONDES] [-o SORTIE]\n"
        "      Remplit les cases vides de la grille avec des mots du dictionnaire\n"
        "      (chaque mot une seule fois), en gardant ses lettres et ses cases noires.\n"
        "      GRILLE : un fichier .grd ou une grille en texte, une ligne par rangée\n"
        "      (# case noire, . case vide, A à Z une lettre). Le dictionnaire est\n"
        "      Dicogrd.dat (celui du dossier courant par défaut) ou, avec --words, une\n"
        "      liste de mots en texte brut lue comme par l'import du programme.\n"
        "      --seed N : le même N donne le même remplissage (1 par défaut).\n"
        "      --time-limit : temps accordé en secondes (60 par défaut).\n"
        "      -o SORTIE : écrit aussi la grille remplie (.grd : fichier de grille,\n"
        "      sinon texte). La grille remplie est affichée en texte ; les temps de\n"
        "      chargement, d'indexation et de remplissage vont sur la sortie d'erreur.\n"
        "      Code de sortie : 0 remplie, 1 pas remplie dans le temps accordé,\n"
        "      2 remplissage impossible, 3 entrée incorrecte.\n"
        "  orvgrid --help\n"
        "      Affiche cette aide.\n");
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
    for (const Subcommand& s : kSubcommands)
        if (command == QLatin1String(s.name))
            return s.run(args.mid(1), out, err);
    err << QStringLiteral("orvgrid : commande inconnue « %1 » (essayez « orvgrid --help »)")
               .arg(command)
        << Qt::endl;
    return OrvgridBadInput;
}

} // namespace orv
