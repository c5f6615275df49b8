// Reading and writing grids as plain text.
#include "grid/grid_text.h"

#include "common/errors.h"

#include <QList>

namespace orv {

namespace {
constexpr int kMaxTextSide = kMaxIndex - 1; // the row and column past the grid must fit
}

Grille readGridText(const QByteArray& text) {
    QList<QByteArray> rows;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (!line.isEmpty())
            rows.append(line);
    }
    if (rows.isEmpty())
        throw OrvError(QStringLiteral("La grille est vide"));
    const qsizetype width = rows[0].size();
    if (rows.size() > kMaxTextSide || width > kMaxTextSide)
        throw OrvError(
            QStringLiteral("La grille dépasse %1 lignes ou %1 colonnes").arg(kMaxTextSide));
    Grille g;
    g.NbLignes = int(rows.size()) + 1;
    g.NbColonnes = int(width) + 1;
    g.Raz();
    for (int r = 0; r < rows.size(); ++r) {
        if (rows[r].size() != width)
            throw OrvError(
                QStringLiteral("La ligne %1 de la grille n'a pas %2 cases").arg(r + 1).arg(width));
        for (int c = 0; c < width; ++c) {
            char ch = rows[r][c];
            if (ch >= 'a' && ch <= 'z')
                ch = char(ch - 'a' + 'A');
            if (ch == '.')
                ch = ' ';
            else if (ch != '#' && !(ch >= 'A' && ch <= 'Z'))
                throw OrvError(
                    QStringLiteral("Caractère « %1 » inattendu à la ligne %2 de la grille")
                        .arg(QString::fromLatin1(&ch, 1))
                        .arg(r + 1));
            g.cell(c + 1, r + 1) = ch;
        }
    }
    return g;
}

QByteArray gridText(const Grille& grille) {
    QByteArray out;
    for (int r = 1; r < grille.NbLignes; ++r) {
        for (int c = 1; c < grille.NbColonnes; ++c) {
            const char ch = grille.cell(c, r);
            out.append(ch == '#' || (ch >= 'A' && ch <= 'Z') ? ch : '.');
        }
        out.append('\n');
    }
    return out;
}

} // namespace orv
