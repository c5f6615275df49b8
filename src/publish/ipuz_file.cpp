// Writing and reading ipuz crosswords.
#include "publish/ipuz_file.h"

#include "common/codec.h"
#include "common/errors.h"
#include "common/json_fault.h"
#include "common/text_file.h"
#include "publish/roman.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QMap>
#include <QPoint>
#include <cctype>
#include <optional>

namespace orv {
namespace {

constexpr int kMaxPlaying = 20; // the dimensions dialog's largest grid

// The cells of the words (runs of two or more non-black cells) of one line of
// the grid, as ipuz coordinates [column, row] counted from 1.
QJsonArray wordCells(const Grille& g, bool row, int index) {
    const int length = row ? g.playingCols() : g.playingRows();
    QJsonArray cells;
    int start = 1;
    while (start <= length) {
        auto code = [&](int k) { return row ? g.cell(k, index) : g.cell(index, k); };
        if (code(start) == '#') {
            ++start;
            continue;
        }
        int end = start;
        while (end + 1 <= length && code(end + 1) != '#')
            ++end;
        if (end > start)
            for (int k = start; k <= end; ++k)
                cells.append(row ? QJsonArray{k, index} : QJsonArray{index, k});
        start = end + 1;
    }
    return cells;
}

QJsonObject clue(const QString& label, const QByteArray& text, const QJsonArray& cells) {
    QJsonObject o{{QStringLiteral("number"), label}, {QStringLiteral("clue"), toUi(text)}};
    if (!cells.isEmpty())
        o.insert(QStringLiteral("cells"), cells);
    return o;
}

class Reader {
public:
    Reader(const Grille& base, const QString& name) : grille_(base), name_(name) {}

    [[noreturn]] void refuse(const QString& reason) const {
        throw OrvError(QStringLiteral("Le fichier %1 n'est pas une grille ipuz utilisable : %2")
                           .arg(name_, reason));
    }

    Grille read(const QByteArray& data, IpuzInfo* info) {
        const QJsonObject root = parse(data);
        const QJsonArray kinds = root.value(QStringLiteral("kind")).toArray();
        bool crossword = false;
        for (const auto& k : kinds)
            crossword = crossword || k.toString().contains(QStringLiteral("crossword"));
        if (!crossword)
            refuse(QStringLiteral("ce n'est pas une grille de mots croisés"));
        readDimensions(root.value(QStringLiteral("dimensions")).toObject());
        grille_.Raz();
        grille_.NbColonnes = width_ + 1;
        grille_.NbLignes = height_ + 1;
        readCells(root.value(QStringLiteral("puzzle")), root.value(QStringLiteral("solution")));
        noteLabels(root.value(QStringLiteral("puzzle")));
        readClues(root.value(QStringLiteral("clues")).toObject());
        if (info) {
            info->title = root.value(QStringLiteral("title")).toString();
            info->author = root.value(QStringLiteral("author")).toString();
        }
        return grille_;
    }

private:
    QJsonObject parse(QByteArray data) {
        // The place of a fault is counted in the file as it stands.
        qsizetype skipped = 0;
        while (skipped < data.size() && std::isspace(static_cast<unsigned char>(data[skipped])))
            ++skipped;
        data = data.trimmed();
        // Some sites serve the puzzle wrapped as a script call.
        if (data.startsWith("ipuz(") && data.endsWith(')')) {
            data = data.mid(5, data.size() - 6);
            skipped += 5;
        }
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(data, &error);
        if (error.error != QJsonParseError::NoError)
            refuse(QStringLiteral("le texte JSON est mal formé (%1, octet %2)")
                       .arg(jsonFault(error.error))
                       .arg(skipped + error.offset + 1));
        if (!doc.isObject())
            refuse(QStringLiteral("le texte JSON ne décrit pas une grille"));
        return doc.object();
    }

    void readDimensions(const QJsonObject& dims) {
        const QJsonValue w = dims.value(QStringLiteral("width"));
        const QJsonValue h = dims.value(QStringLiteral("height"));
        if (!w.isDouble() || !h.isDouble() || w.toDouble() != w.toInt() ||
            h.toDouble() != h.toInt() || w.toInt() < 1 || h.toInt() < 1)
            refuse(QStringLiteral("les dimensions de la grille manquent ou sont incorrectes"));
        width_ = w.toInt();
        height_ = h.toInt();
        if (width_ > kMaxPlaying || height_ > kMaxPlaying)
            refuse(QStringLiteral("la grille a %1 lignes et %2 colonnes, au plus %3 de chaque "
                                  "sont possibles")
                       .arg(height_)
                       .arg(width_)
                       .arg(kMaxPlaying));
    }

    QString where(int x, int y) const {
        return QStringLiteral("la case de la ligne %1, colonne %2").arg(y).arg(x);
    }

    // The rows of an ipuz grid, checked to have the grid's size.
    QJsonArray rowOf(const QJsonArray& grid, int y, const QString& what) const {
        const QJsonArray row = grid.at(y - 1).toArray();
        if (row.size() != width_)
            refuse(QStringLiteral("la ligne %1 %2 n'a pas %3 cases").arg(y).arg(what).arg(width_));
        return row;
    }

    void readCells(const QJsonValue& puzzleValue, const QJsonValue& solutionValue) {
        const QJsonArray puzzle = puzzleValue.toArray();
        if (puzzle.size() != height_)
            refuse(QStringLiteral("la grille ne compte pas %1 lignes").arg(height_));
        const QJsonArray solution = solutionValue.toArray();
        const bool hasSolution = solutionValue.isArray();
        if (hasSolution && solution.size() != height_)
            refuse(QStringLiteral("la solution ne compte pas %1 lignes").arg(height_));
        for (int y = 1; y <= height_; ++y) {
            const QJsonArray prow = rowOf(puzzle, y, QStringLiteral("de la grille"));
            const QJsonArray srow =
                hasSolution ? rowOf(solution, y, QStringLiteral("de la solution")) : QJsonArray();
            for (int x = 1; x <= width_; ++x) {
                const bool black = readPuzzleCell(prow.at(x - 1), x, y);
                const char letter = hasSolution ? readSolutionCell(srow.at(x - 1), x, y) : ' ';
                grille_.cell(x, y) = black || letter == '#' ? '#' : letter;
            }
        }
    }

    // Whether the cell is a black square; refuses cells the grid cannot hold.
    bool readPuzzleCell(QJsonValue v, int x, int y) {
        if (v.isObject()) {
            const QJsonObject o = v.toObject();
            const QJsonObject style = o.value(QStringLiteral("style")).toObject();
            if (style.contains(QStringLiteral("shapebg")))
                refuse(QStringLiteral("%1 porte une forme (%2), qu'une grille ne peut pas montrer")
                           .arg(where(x, y), style.value(QStringLiteral("shapebg")).toString()));
            v = o.value(QStringLiteral("cell"));
        }
        if (v.isNull() || v.isUndefined() || v.toString() == QLatin1String("null"))
            refuse(QStringLiteral("%1 est absente : seules les grilles rectangulaires sont "
                                  "possibles")
                       .arg(where(x, y)));
        return v.toString() == QLatin1String("#");
    }

    char readSolutionCell(QJsonValue v, int x, int y) {
        if (v.isObject())
            v = v.toObject().value(QStringLiteral("value"));
        if (v.isNull() || v.isUndefined() || (v.isDouble() && v.toInt() == 0))
            return ' ';
        const QString text = v.toString().trimmed();
        if (text.isEmpty())
            return ' ';
        if (text == QLatin1String("#"))
            return '#';
        if (text.size() > 1)
            refuse(QStringLiteral("%1 contient « %2 » : une case ne peut contenir qu'une lettre")
                       .arg(where(x, y), text));
        const QChar ch = text.at(0).toUpper();
        if (ch < QLatin1Char('A') || ch > QLatin1Char('Z'))
            refuse(QStringLiteral("%1 contient « %2 » : seules les lettres A à Z sont possibles")
                       .arg(where(x, y), text));
        return char(ch.unicode());
    }

    QByteArray clueBytes(const QString& text) const {
        const std::optional<QByteArray> bytes = fromUi(text);
        if (!bytes)
            refuse(QStringLiteral("la définition « %1 » contient un caractère que le programme "
                                  "ne peut pas garder")
                       .arg(text));
        return *bytes;
    }

    // The line (row or column, counted from 1) a clue belongs to, or 0.
    int lineOf(const QJsonValue& number, const QJsonArray& cells, bool across,
               const QMap<QString, QPoint>& labels) const {
        const int limit = across ? height_ : width_;
        const QString label =
            number.isDouble() ? QString::number(number.toInt()) : number.toString().trimmed();
        if (across && romanValue(label) >= 1 && romanValue(label) <= limit)
            return romanValue(label);
        if (!cells.isEmpty()) {
            const QJsonArray first = cells.at(0).toArray();
            const int k = first.at(across ? 1 : 0).toInt();
            return k >= 1 && k <= limit ? k : 0;
        }
        if (labels.contains(label)) {
            const QPoint p = labels.value(label);
            return across ? p.y() : p.x();
        }
        bool ok = false;
        const int k = label.toInt(&ok);
        return ok && !across && k >= 1 && k <= limit ? k : 0;
    }

    void readClues(const QJsonObject& clues) {
        for (int k = 0; k < kFileClues && k < kCellSide; ++k) {
            if (k < height_)
                grille_.DefHoriz[std::size_t(k)].clear();
            if (k < width_)
                grille_.DefVert[std::size_t(k)].clear();
        }
        for (auto it = clues.begin(); it != clues.end(); ++it) {
            const QString direction = it.key().section(QLatin1Char(':'), 0, 0).trimmed();
            const bool across =
                direction.compare(QLatin1String("Across"), Qt::CaseInsensitive) == 0;
            const bool down = direction.compare(QLatin1String("Down"), Qt::CaseInsensitive) == 0;
            if (!across && !down)
                continue;
            for (const QJsonValue& item : it.value().toArray()) {
                QJsonValue number;
                QString text;
                QJsonArray cells;
                if (item.isArray()) {
                    number = item.toArray().at(0);
                    text = item.toArray().at(1).toString();
                } else if (item.isObject()) {
                    const QJsonObject o = item.toObject();
                    number = o.value(QStringLiteral("number"));
                    text = o.value(QStringLiteral("clue")).toString();
                    cells = o.value(QStringLiteral("cells")).toArray();
                } else {
                    continue;
                }
                const int line = lineOf(number, cells, across, labels_);
                if (line == 0)
                    continue;
                QByteArray& slot = across ? grille_.DefHoriz[std::size_t(line - 1)]
                                          : grille_.DefVert[std::size_t(line - 1)];
                const QByteArray bytes = clueBytes(text);
                if (!slot.isEmpty() && !bytes.isEmpty())
                    slot += " - ";
                slot += bytes;
            }
        }
    }

    Grille grille_;
    QString name_;
    int width_ = 0;
    int height_ = 0;
    // Labels written in the cells, for files numbered at the start of each word.
    QMap<QString, QPoint> labels_;

    void noteLabels(const QJsonValue& puzzleValue) {
        const QJsonArray puzzle = puzzleValue.toArray();
        for (qsizetype y = 0; y < puzzle.size(); ++y) {
            const QJsonArray row = puzzle.at(y).toArray();
            for (qsizetype x = 0; x < row.size(); ++x) {
                QJsonValue v = row.at(x);
                if (v.isObject())
                    v = v.toObject().value(QStringLiteral("cell"));
                const QString label = v.isDouble() ? QString::number(v.toInt()) : v.toString();
                if (!label.isEmpty() && label != QLatin1String("0") && label != QLatin1String("#"))
                    labels_.insert(label, QPoint(int(x) + 1, int(y) + 1));
            }
        }
    }
};

} // namespace

bool isIpuzPath(const QString& path) {
    return path.endsWith(QLatin1String(".ipuz"), Qt::CaseInsensitive);
}

QByteArray ipuzBytes(const Grille& g, const IpuzInfo& info) {
    const int rows = g.playingRows();
    const int cols = g.playingCols();
    QJsonArray puzzle, solution, across, down;
    for (int r = 1; r <= rows; ++r) {
        QJsonArray prow, srow;
        for (int c = 1; c <= cols; ++c) {
            const char code = g.cell(c, r);
            if (code == '#') {
                prow.append(QStringLiteral("#"));
                srow.append(QStringLiteral("#"));
            } else {
                prow.append(0);
                if (isCapital(code))
                    srow.append(QString(QChar(code)));
                else
                    srow.append(0);
            }
        }
        puzzle.append(prow);
        solution.append(srow);
        across.append(clue(romanNumeral(r), g.DefHoriz[std::size_t(r - 1)], wordCells(g, true, r)));
    }
    for (int c = 1; c <= cols; ++c)
        down.append(
            clue(QString::number(c), g.DefVert[std::size_t(c - 1)], wordCells(g, false, c)));
    QJsonObject root{
        {QStringLiteral("version"), QStringLiteral("http://ipuz.org/v2")},
        {QStringLiteral("kind"), QJsonArray{QStringLiteral("http://ipuz.org/crossword#1")}},
        {QStringLiteral("origin"), QStringLiteral("Orv Grille")},
        {QStringLiteral("block"), QStringLiteral("#")},
        {QStringLiteral("empty"), QStringLiteral("0")},
        {QStringLiteral("dimensions"),
         QJsonObject{{QStringLiteral("width"), cols}, {QStringLiteral("height"), rows}}},
        {QStringLiteral("puzzle"), puzzle},
        {QStringLiteral("solution"), solution},
        {QStringLiteral("clues"),
         QJsonObject{{QStringLiteral("Across"), across}, {QStringLiteral("Down"), down}}},
    };
    if (!info.title.isEmpty())
        root.insert(QStringLiteral("title"), info.title);
    if (!info.author.isEmpty())
        root.insert(QStringLiteral("author"), info.author);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

void writeIpuzFile(const QString& path, const Grille& grille, const IpuzInfo& info) {
    writeWholeFile(path, ipuzBytes(grille, info), path);
}

Grille readIpuz(const QByteArray& data, const Grille& base, const QString& displayName,
                IpuzInfo* info) {
    Reader reader(base, displayName);
    return reader.read(data, info);
}

} // namespace orv
