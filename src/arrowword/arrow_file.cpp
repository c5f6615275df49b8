// Writing and reading arrow-word files.
#include "arrowword/arrow_file.h"

#include "common/errors.h"
#include "common/json_fault.h"
#include "common/text_file.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace orv {
namespace {

const QString kFormatName = QStringLiteral("orv-fleches");

QString arrowKey(ArrowDirection d) {
    switch (d) {
    case ArrowDirection::Right:
        return QStringLiteral("right");
    case ArrowDirection::Down:
        return QStringLiteral("down");
    case ArrowDirection::RightThenDown:
        return QStringLiteral("right-down");
    case ArrowDirection::DownThenRight:
        return QStringLiteral("down-right");
    }
    return {};
}

class Reader {
public:
    explicit Reader(const QString& name) : name_(name) {}

    [[noreturn]] void refuse(const QString& reason) const {
        throw OrvError(
            QStringLiteral("Le fichier %1 n'est pas une grille de mots fléchés utilisable : %2")
                .arg(name_, reason));
    }

    ArrowGrid read(const QByteArray& data) {
        if (data.size() > kMaxArrowFileBytes)
            refuse(QStringLiteral("il fait %1 octets, au plus %2 sont possibles")
                       .arg(data.size())
                       .arg(kMaxArrowFileBytes));
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(data, &error);
        if (error.error != QJsonParseError::NoError)
            refuse(QStringLiteral("le texte JSON est mal formé (%1, octet %2)")
                       .arg(jsonFault(error.error))
                       .arg(error.offset + 1));
        if (!doc.isObject())
            refuse(QStringLiteral("le texte JSON ne décrit pas une grille"));
        const QJsonObject root = doc.object();
        if (root.value(QStringLiteral("format")).toString() != kFormatName)
            refuse(QStringLiteral("ce n'est pas une grille de mots fléchés d'Orv Grille"));
        const QJsonValue version = root.value(QStringLiteral("version"));
        if (!isWhole(version) || version.toInt() < 1)
            refuse(QStringLiteral("le numéro de version du format manque ou est incorrect"));
        if (version.toInt() > kArrowFileVersion)
            refuse(QStringLiteral("il est écrit dans la version %1 du format, ce programme lit "
                                  "la version %2 : il faut un programme plus récent")
                       .arg(version.toInt())
                       .arg(kArrowFileVersion));
        const int rows = side(root.value(QStringLiteral("rows")), QStringLiteral("lignes"));
        const int columns = side(root.value(QStringLiteral("columns")), QStringLiteral("colonnes"));
        ArrowGrid grid(rows, columns);
        readCells(grid, root.value(QStringLiteral("cells")));
        readClues(grid, root.value(QStringLiteral("clues")));
        return grid;
    }

private:
    static bool isWhole(const QJsonValue& v) {
        return v.isDouble() && v.toDouble() == double(v.toInt());
    }

    int side(const QJsonValue& v, const QString& what) const {
        if (!isWhole(v))
            refuse(QStringLiteral("le nombre de %1 manque ou est incorrect").arg(what));
        if (v.toInt() < kMinArrowSide || v.toInt() > kMaxArrowSide)
            refuse(QStringLiteral("la grille a %1 %2, de %3 à %4 sont possibles")
                       .arg(v.toInt())
                       .arg(what)
                       .arg(kMinArrowSide)
                       .arg(kMaxArrowSide));
        return v.toInt();
    }

    void readCells(ArrowGrid& grid, const QJsonValue& value) const {
        const QJsonArray rows = value.toArray();
        if (!value.isArray() || rows.size() != grid.rows())
            refuse(QStringLiteral("les cases ne forment pas %1 lignes").arg(grid.rows()));
        for (int r = 1; r <= grid.rows(); ++r) {
            const QJsonValue line = rows.at(r - 1);
            const QString text = line.toString();
            if (!line.isString() || text.size() != grid.columns())
                refuse(QStringLiteral("la ligne %1 des cases n'a pas %2 cases")
                           .arg(r)
                           .arg(grid.columns()));
            for (int c = 1; c <= grid.columns(); ++c) {
                const QChar ch = text.at(c - 1);
                if (ch == QLatin1Char('#'))
                    grid.setDefinition({c, r}, true);
                else if (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z'))
                    grid.setLetter({c, r}, char(ch.unicode()));
                else if (ch != QLatin1Char('.'))
                    refuse(QStringLiteral("la case %1 contient « %2 » : seuls « # », « . » et "
                                          "les lettres A à Z sont possibles")
                               .arg(cellName({c, r}), QString(ch)));
            }
        }
    }

    void readClues(ArrowGrid& grid, const QJsonValue& value) const {
        if (value.isUndefined())
            return;
        if (!value.isArray())
            refuse(QStringLiteral("les définitions ne forment pas une liste"));
        const QJsonArray clues = value.toArray();
        for (qsizetype k = 0; k < clues.size(); ++k) {
            const QString which = QStringLiteral("la définition n° %1").arg(k + 1);
            if (!clues.at(k).isObject())
                refuse(QStringLiteral("%1 n'est pas décrite par un objet").arg(which));
            const QJsonObject o = clues.at(k).toObject();
            const QJsonValue row = o.value(QStringLiteral("row"));
            const QJsonValue column = o.value(QStringLiteral("column"));
            if (!isWhole(row) || !isWhole(column) || !grid.contains({column.toInt(), row.toInt()}))
                refuse(QStringLiteral("%1 n'est pas dans une case de la grille").arg(which));
            const Cell cell{column.toInt(), row.toInt()};
            if (!grid.isDefinition(cell))
                refuse(QStringLiteral("%1 est dans la case %2, qui n'est pas une case de "
                                      "définition")
                           .arg(which, cellName(cell)));
            const QString arrow = o.value(QStringLiteral("arrow")).toString();
            ArrowDirection direction = ArrowDirection::Right;
            bool known = false;
            for (const ArrowDirection d :
                 {ArrowDirection::Right, ArrowDirection::Down, ArrowDirection::RightThenDown,
                  ArrowDirection::DownThenRight})
                if (arrowKey(d) == arrow) {
                    direction = d;
                    known = true;
                }
            if (!known)
                refuse(QStringLiteral("%1 a une flèche « %2 » inconnue (right, down, right-down "
                                      "ou down-right)")
                           .arg(which, arrow));
            const QJsonValue text = o.value(QStringLiteral("text"));
            if (!text.isUndefined() && !text.isString())
                refuse(QStringLiteral("le texte de %1 n'est pas un texte").arg(which));
            if (text.toString().size() > kMaxArrowClueLength)
                refuse(QStringLiteral("%1 a %2 caractères, au plus %3 sont possibles")
                           .arg(which)
                           .arg(text.toString().size())
                           .arg(kMaxArrowClueLength));
            const int index = int(grid.at(cell).clues.size());
            if (index >= kMaxCellClues)
                refuse(QStringLiteral("la case %1 a plus de %2 définitions")
                           .arg(cellName(cell))
                           .arg(kMaxCellClues));
            grid.setArrow(cell, index, direction);
            grid.setClueText(cell, index, text.toString());
        }
    }

    QString name_;
};

} // namespace

bool isArrowFilePath(const QString& path) {
    return path.endsWith(QLatin1String(".fleches"), Qt::CaseInsensitive);
}

QString arrowFileName(const QString& chosenPath) {
    return isArrowFilePath(chosenPath) ? chosenPath : chosenPath + QStringLiteral(".fleches");
}

QByteArray arrowFileBytes(const ArrowGrid& grid) {
    QJsonArray cells, clues;
    for (int r = 1; r <= grid.rows(); ++r) {
        QString line;
        for (int c = 1; c <= grid.columns(); ++c) {
            const ArrowCell& cell = grid.at({c, r});
            line += cell.definition                            ? QLatin1Char('#')
                    : cell.letter >= 'A' && cell.letter <= 'Z' ? QLatin1Char(cell.letter)
                                                               : QLatin1Char('.');
            for (const ArrowClue& clue : cell.clues)
                clues.append(QJsonObject{{QStringLiteral("row"), r},
                                         {QStringLiteral("column"), c},
                                         {QStringLiteral("arrow"), arrowKey(clue.direction)},
                                         {QStringLiteral("text"), clue.text}});
        }
        cells.append(line);
    }
    const QJsonObject root{
        {QStringLiteral("format"), kFormatName}, {QStringLiteral("version"), kArrowFileVersion},
        {QStringLiteral("rows"), grid.rows()},   {QStringLiteral("columns"), grid.columns()},
        {QStringLiteral("cells"), cells},        {QStringLiteral("clues"), clues}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

void writeArrowFile(const QString& path, const ArrowGrid& grid) {
    writeWholeFile(path, arrowFileBytes(grid), path);
}

ArrowGrid readArrowFile(const QByteArray& data, const QString& displayName) {
    return Reader(displayName).read(data);
}

ArrowGrid loadArrowFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    return readArrowFile(readWholeFile(path, name, kMaxArrowFileBytes), name);
}

} // namespace orv
