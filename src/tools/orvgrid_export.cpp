// The export subcommand of orvgrid.
#include "tools/orvgrid_export.h"

#include "arrowword/arrow_file.h"
#include "common/errors.h"
#include "common/text_file.h"
#include "publish/arrow_grid_export.h"
#include "publish/grid_export.h"
#include "publish/grid_source.h"
#include "tools/orvgrid_common.h"

#include <QFileInfo>
#include <QTextStream>

namespace orv {
namespace {

constexpr int kOk = 0;
constexpr int kBadInput = 3;

int fail(QTextStream& err, const QString& message) {
    err << QStringLiteral("orvgrid export : ") << message << Qt::endl;
    return kBadInput;
}

} // namespace

QString orvgridExportUsage() {
    return QStringLiteral(
        "  orvgrid export GRILLE -o SORTIE [--solution page|pied|aucune] [--title TITRE]\n"
        "                [--author AUTEUR] [--dpi N]\n"
        "      Publie la grille dans la présentation française : colonnes numérotées\n"
        "      1, 2, 3... au-dessus, lignes I, II, III... à gauche, puis les définitions\n"
        "      HORIZONTALEMENT et VERTICALEMENT. Le format suit l'extension de SORTIE :\n"
        "      .pdf (A4), .svg, .png, .ipuz ou .grd. GRILLE : un fichier .grd, .ipuz ou\n"
        "      une grille en texte (# case noire, . case vide, A à Z une lettre).\n"
        "      --solution : sur une deuxième page (page, par défaut), au pied de la\n"
        "      page à l'envers (pied, ou foot) ou pas du tout (aucune, ou none).\n"
        "      --title : le titre (par défaut celui de la grille ipuz ou le nom du\n"
        "      fichier). --dpi : la résolution du PNG, de 50 à 300 (150 par défaut).\n"
        "      Une grille de mots fléchés (.fleches) se publie en .pdf, .svg ou .png :\n"
        "      la grille avec ses définitions et ses flèches, la solution en dessous.\n");
}

int orvgridExport(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString input, output;
    PublishOptions options;
    bool titleGiven = false;
    int dpi = kDefaultPngResolution;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            out << orvgridExportUsage() << Qt::flush;
            return kOk;
        }
        if ((a == QLatin1String("-o") || a == QLatin1String("--output") ||
             a == QLatin1String("--solution") || a == QLatin1String("--title") ||
             a == QLatin1String("--author") || a == QLatin1String("--dpi")) &&
            !hasValue)
            return fail(err, QStringLiteral("il manque la valeur de %1").arg(a));
        if (a == QLatin1String("-o") || a == QLatin1String("--output")) {
            output = args[++i];
        } else if (a == QLatin1String("--title")) {
            options.title = args[++i];
            titleGiven = true;
        } else if (a == QLatin1String("--author")) {
            options.author = args[++i];
        } else if (a == QLatin1String("--solution")) {
            const QString v = args[++i].toLower();
            if (v == QLatin1String("page"))
                options.solution = SolutionPlacement::Page;
            else if (v == QLatin1String("foot") || v == QLatin1String("pied"))
                options.solution = SolutionPlacement::Foot;
            else if (v == QLatin1String("none") || v == QLatin1String("aucune"))
                options.solution = SolutionPlacement::None;
            else
                return fail(err, QStringLiteral("--solution vaut page, pied ou aucune, pas « %1 »")
                                     .arg(args[i]));
        } else if (a == QLatin1String("--dpi")) {
            bool ok = false;
            dpi = args[++i].toInt(&ok);
            if (!ok || dpi < kMinPngResolution || dpi > kMaxPngResolution)
                return fail(err, QStringLiteral("--dpi doit être un entier de %1 à %2")
                                     .arg(kMinPngResolution)
                                     .arg(kMaxPngResolution));
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return fail(err, QStringLiteral("option inconnue « %1 »").arg(a));
        } else if (input.isEmpty()) {
            input = a;
        } else {
            return fail(err, QStringLiteral("une seule grille à la fois (« %1 » en trop)").arg(a));
        }
    }
    if (input.isEmpty())
        return fail(err, QStringLiteral("il manque la grille (orvgrid export --help)"));
    if (output.isEmpty())
        return fail(err, QStringLiteral("il manque le fichier de sortie (-o SORTIE)"));
    if (!exportFormatOf(output))
        return fail(err, QStringLiteral("le format de %1 est inconnu : les formats possibles "
                                        "sont pdf, svg, png, ipuz et grd")
                             .arg(output));
    if (isArrowFilePath(input)) {
        const ExportFormat format = *exportFormatOf(output);
        if (format != ExportFormat::Pdf && format != ExportFormat::Svg &&
            format != ExportFormat::Png)
            return fail(err, QStringLiteral("une grille de mots fléchés se publie en pdf, svg ou "
                                            "png, pas en %1")
                                 .arg(QFileInfo(output).suffix()));
        try {
            refuseWritingOverInput(output, {input});
            exportArrowGrid(output, loadArrowFile(input),
                            titleGiven ? options.title : QFileInfo(input).completeBaseName(), dpi);
        } catch (const OrvError& e) {
            return fail(err, e.message());
        }
        return kOk;
    }
    try {
        refuseWritingOverInput(output, {input});
        IpuzInfo info;
        Grille grille = loadAnyGrid(input, &info);
        options.gridName = QFileInfo(input).fileName();
        if (!titleGiven && !info.title.isEmpty())
            options.title = info.title;
        if (options.author.isEmpty())
            options.author = info.author;
        if (exportFormatOf(output) == ExportFormat::Grd)
            warnOfCutClues(grille, err, QStringLiteral("export"));
        exportGrid(output, grille, options, dpi);
    } catch (const OrvError& e) {
        return fail(err, e.message());
    }
    return kOk;
}

} // namespace orv
