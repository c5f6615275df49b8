// Reading a grid from whichever kind of file names it.
#include "publish/grid_source.h"

#include "common/codec.h"
#include "common/errors.h"
#include "common/text_file.h"
#include "grid/grid_file.h"

namespace orv {
namespace {

constexpr int kMaxPlaying = 20;

} // namespace

Grille readPlainGrid(const QByteArray& data, const Grille& base, const QString& displayName) {
    auto refuse = [&](const QString& reason) {
        throw OrvError(QStringLiteral("Le fichier %1 n'est pas une grille valide : %2")
                           .arg(displayName, reason));
    };
    QList<QByteArray> rows;
    for (const QByteArray& line : splitTextLines(data))
        if (!line.trimmed().isEmpty())
            rows.append(line.trimmed());
    if (rows.isEmpty())
        refuse(QStringLiteral("il ne contient aucune ligne de cases"));
    if (rows.size() > kMaxPlaying)
        refuse(QStringLiteral("il a plus de %1 lignes").arg(kMaxPlaying));
    const qsizetype width = rows.first().size();
    if (width > kMaxPlaying)
        refuse(QStringLiteral("ses lignes ont plus de %1 cases").arg(kMaxPlaying));
    Grille grille = base;
    grille.Raz();
    grille.NbLignes = int(rows.size()) + 1;
    grille.NbColonnes = int(width) + 1;
    for (int r = 1; r <= rows.size(); ++r) {
        const QByteArray& line = rows[r - 1];
        if (line.size() != width)
            refuse(QStringLiteral("la ligne %1 n'a pas %2 cases").arg(r).arg(width));
        for (int c = 1; c <= width; ++c) {
            const char ch = upperAscii(line[c - 1]);
            if (ch != '#' && ch != '.' && !isCapital(ch))
                refuse(QStringLiteral("la ligne %1 contient « %2 » : seuls #, . et les lettres "
                                      "A à Z sont possibles")
                           .arg(r)
                           .arg(charFromByte(static_cast<unsigned char>(ch))));
            grille.cell(c, r) = ch == '.' ? ' ' : ch;
        }
    }
    return grille;
}

Grille loadAnyGrid(const QString& path, IpuzInfo* info) {
    if (info)
        *info = {};
    const QByteArray data = readWholeFile(path, path, kMaxGridFileBytes);
    Grille empty;
    Grille g;
    if (isIpuzPath(path))
        g = readIpuz(data, empty, path, info);
    else if (path.endsWith(QLatin1String(".grd"), Qt::CaseInsensitive))
        g = readGridFile(data, empty, path);
    else
        g = readPlainGrid(data, empty, path);
    return g;
}

Grille openGridFile(const QString& path, const Grille& current) {
    const QByteArray data = readWholeFile(path, path, kMaxGridFileBytes);
    return isIpuzPath(path) ? readIpuz(data, current, path) : readGridFile(data, current, path);
}

bool opensWithName(const QString& path) { return !isIpuzPath(path); }

} // namespace orv
