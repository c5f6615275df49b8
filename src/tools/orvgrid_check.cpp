// orvgrid check: lists what stands in the way of a finished grid, with the
// program's own slots, dictionary index and check.
#include "common/data_file.h"
#include "common/errors.h"
#include "common/text_file.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/word_index.h"
#include "fill/grid_check.h"
#include "grid/grid_file.h"
#include "grid/grid_slots.h"
#include "grid/grid_text.h"
#include "tools/orvgrid_common.h"
#include "tools/orvgrid_tool.h"

#include <QFileInfo>
#include <QTextStream>

namespace orv {
namespace {

struct CheckArgs {
    QString grid;
    QString dictionary = QStringLiteral("Dicogrd.dat");
    LabelStyle labels = LabelStyle::Letters;
};

CheckArgs parseCheck(const QStringList& args) {
    CheckArgs c;
    bool gridSeen = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("-d") || a == QLatin1String("--dictionary")) {
            if (i + 1 >= args.size())
                throw OrvError(QStringLiteral("l'option %1 attend une valeur").arg(a));
            c.dictionary = args[++i];
        } else if (a == QLatin1String("--french-labels")) {
            c.labels = LabelStyle::French;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            throw OrvError(QStringLiteral("option inconnue « %1 »").arg(a));
        } else if (!gridSeen) {
            c.grid = a;
            gridSeen = true;
        } else {
            throw OrvError(QStringLiteral("une seule grille à la fois (« %1 » en trop)").arg(a));
        }
    }
    if (!gridSeen)
        throw OrvError(QStringLiteral("check attend une grille"));
    return c;
}

} // namespace

QString orvgridCheckUsage() {
    return QStringLiteral(
        "  orvgrid check GRILLE [-d Dicogrd.dat] [--french-labels]\n"
        "      Liste les mots de la grille absents du dictionnaire, les mots placés\n"
        "      deux fois et les emplacements vides qu'aucun mot ne peut remplir, seuls\n"
        "      ou une fois les croisements de toute la grille pris en compte. Si rien\n"
        "      n'est à signaler, cherche un remplissage pendant une seconde au plus et\n"
        "      dit s'il existe, s'il est impossible, ou si la recherche n'a pu conclure.\n"
        "      GRILLE : un fichier .grd, un fichier .ipuz ou une grille en texte.\n"
        "      Les lignes sont nommées 1, 2, 3... et les colonnes A, B, C... comme\n"
        "      dans le programme ; --french-labels les nomme comme une grille\n"
        "      imprimée : lignes I, II, III... et colonnes 1, 2, 3...\n"
        "      Code de sortie : 0 rien à signaler, 1 au moins un problème,\n"
        "      3 entrée incorrecte.\n");
}

int orvgridCheck(const QStringList& args, QTextStream& out, QTextStream& err) {
    Grille grid;
    WordIndex index;
    CheckArgs c;
    try {
        c = parseCheck(args);
        grid = readToolGrid(c.grid);
        const DictionaryFileWords file = readDictionaryFile(c.dictionary, c.dictionary);
        if (file.dropped > 0)
            err << QStringLiteral("orvgrid check : %1.")
                       .arg(droppedLinesText(c.dictionary, file.dropped))
                << Qt::endl;
        index.build(file.words);
    } catch (const OrvError& e) {
        err << QStringLiteral("orvgrid check : %1.").arg(e.message()) << Qt::endl;
        return OrvgridBadInput;
    }
    const GridCheckReport report = checkWholeGrid(grid, GridSlots(grid), index, c.labels);
    for (const GridFinding& f : report.findings)
        out << f.text << '\n';
    if (report.findings.empty())
        out << report.summary << '\n';
    out << Qt::flush;
    return report.findings.empty() ? OrvgridOk : OrvgridFindings;
}

} // namespace orv
