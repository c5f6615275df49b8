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

int orvgridCheck(const QStringList& args, QTextStream& out, QTextStream& err) {
    Grille grid;
    WordIndex index;
    try {
        const CheckArgs c = parseCheck(args);
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
    const std::vector<GridFinding> findings = checkGrid(grid, GridSlots(grid), index);
    for (const GridFinding& f : findings)
        out << f.text << '\n';
    if (findings.empty())
        out << QStringLiteral("Rien à signaler dans la grille.") << '\n';
    out << Qt::flush;
    return findings.empty() ? OrvgridOk : OrvgridFindings;
}

} // namespace orv
