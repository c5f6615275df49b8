// Writing and reading ".grd" grid files.
#include "grid/grid_file.h"

#include "common/errors.h"
#include "common/text_file.h"

#include <QByteArrayView>
#include <QDir>
#include <QStringList>
#include <algorithm>
#include <optional>
#include <vector>

namespace orv {
namespace {

constexpr char kEndOfFile = 26; // Ctrl-Z: nothing after it belongs to the file
constexpr char kHorizontalClue = 1;
constexpr char kVerticalClue = 2;
constexpr int kFirstIndexByte = 32; // index byte of clue slot 0
constexpr int kMinDimension = 2;

bool breaksLines(char c) { return c == '\r' || c == '\n' || c == kEndOfFile; }

// The lines up to byte 26. CR, CR LF and a lone LF each end a line, so files
// edited on other systems read the same; a last line needs no end.
std::vector<QByteArrayView> gridLines(QByteArrayView data) {
    qsizetype end = data.indexOf(kEndOfFile);
    if (end < 0)
        end = data.size();
    std::vector<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < end; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.push_back(data.sliced(start, i - start));
        if (c == '\r' && i + 1 < end && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < end)
        lines.push_back(data.sliced(start, end - start));
    return lines;
}

// A dimension line: a decimal integer, optionally surrounded by blanks; what
// follows a blank after the number is ignored.
std::optional<int> dimension(QByteArrayView line) {
    qsizetype i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    int value = 0;
    qsizetype digits = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i, ++digits)
        value = std::min(value * 10 + (line[i] - '0'), 1000); // stays far from overflow
    if (digits == 0 || (i < line.size() && line[i] != ' ' && line[i] != '\t'))
        return std::nullopt;
    if (value < kMinDimension || value > kMaxIndex)
        return std::nullopt;
    return value;
}

class Refusal {
public:
    explicit Refusal(const QString& displayName) : name_(displayName) {}
    [[noreturn]] void operator()(const QString& reason) const {
        throw OrvError(
            QStringLiteral("Le fichier %1 n'est pas une grille valide : %2").arg(name_, reason));
    }

private:
    QString name_;
};

void readClue(Grille& grille, QByteArrayView line, int lineNumber, const Refusal& refuse) {
    const int slot = line.size() < 2 ? -1 : static_cast<unsigned char>(line[1]) - kFirstIndexByte;
    if (slot < 0 || slot > kMaxIndex)
        refuse(
            QStringLiteral("la ligne %1 porte une définition sans numéro valide").arg(lineNumber));
    const QByteArrayView text = line.sliced(2);
    auto& clues = line[0] == kHorizontalClue ? grille.DefHoriz : grille.DefVert;
    clues[std::size_t(slot)] = text.toByteArray();
}

} // namespace

QString gridFileName(const QString& chosenPath) {
    QString path = QDir::fromNativeSeparators(chosenPath);
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = path.indexOf(QLatin1Char('.'), nameStart);
    if (dot >= 0)
        path.truncate(dot);
    return path + QStringLiteral(".grd");
}

QString gridShortName(const QString& path) {
    const QString p = QDir::fromNativeSeparators(path);
    return p.mid(p.lastIndexOf(QLatin1Char('/')) + 1);
}

QList<LongClue> cluesTooLongForGridFile(const Grille& grille) {
    QList<LongClue> found;
    for (const bool horizontal : {true, false})
        for (int k = 0; k < kFileClues; ++k) {
            const QByteArray& clue =
                horizontal ? grille.DefHoriz[std::size_t(k)] : grille.DefVert[std::size_t(k)];
            if (clue.size() > kMaxClueLength)
                found.append({horizontal, k, clue.size()});
        }
    return found;
}

QString clueCutSentence(const LongClue& clue) {
    const QString slot = clue.horizontal
                             ? QStringLiteral("la ligne %1").arg(clue.index + 1)
                             : QStringLiteral("la colonne %1").arg(QChar(u'A' + clue.index));
    return QStringLiteral("La définition de %1 sera coupée à %2 caractères (elle en a %3)")
        .arg(slot)
        .arg(kMaxClueLength)
        .arg(clue.length);
}

QString clueCutQuestion(const QList<LongClue>& clues) {
    QStringList lines;
    for (const LongClue& clue : clues)
        lines.append(clueCutSentence(clue) + QLatin1Char('.'));
    lines.append(QString());
    lines.append(QStringLiteral("Un fichier de grille garde au plus %1 caractères par définition ; "
                                "l'export en ipuz les garde entières.")
                     .arg(kMaxClueLength));
    return lines.join(QLatin1Char('\n'));
}

Grille withCluesCutForGridFile(const Grille& grille) {
    Grille cut = grille;
    for (int k = 0; k < kFileClues; ++k) {
        cut.DefHoriz[std::size_t(k)].truncate(kMaxClueLength);
        cut.DefVert[std::size_t(k)].truncate(kMaxClueLength);
    }
    return cut;
}

QByteArray gridFileBytes(const Grille& grille) {
    // The array ends at index 22: dimensions beyond it never reach memory.
    const int rows = std::clamp(grille.NbLignes, 0, kMaxIndex);
    const int cols = std::clamp(grille.NbColonnes, 0, kMaxIndex);
    QList<QByteArray> lines;
    lines.reserve(2 + rows + 2 * kFileClues);
    lines << QByteArray::number(grille.NbLignes) << QByteArray::number(grille.NbColonnes);
    for (int r = 1; r <= rows; ++r) {
        QByteArray line(cols, ' ');
        for (int c = 1; c <= cols; ++c) {
            const char code = grille.cell(c, r);
            // A row opening with a clue's type byte would read back as a clue.
            const bool clueLike = c == 1 && (code == kHorizontalClue || code == kVerticalClue);
            line[c - 1] = breaksLines(code) || clueLike ? ' ' : code;
        }
        lines << line;
    }
    auto clueLine = [](char type, int slot, const QByteArray& clue) {
        QByteArray text = clue.left(kMaxClueLength);
        std::replace_if(text.begin(), text.end(), breaksLines, ' ');
        return QByteArray(1, type) + char(slot + kFirstIndexByte) + text;
    };
    for (int k = 0; k < kFileClues; ++k) {
        lines << clueLine(kHorizontalClue, k, grille.DefHoriz[std::size_t(k)]);
        lines << clueLine(kVerticalClue, k, grille.DefVert[std::size_t(k)]);
    }
    return joinTextLines(lines);
}

void writeGridFile(const QString& path, const Grille& grille) {
    writeWholeFile(path, gridFileBytes(grille), path);
}

Grille readGridFile(const QByteArray& data, const Grille& base, const QString& displayName) {
    const Refusal refuse(displayName);
    const std::vector<QByteArrayView> lines = gridLines(data);
    const QString noDimensions = QStringLiteral("il ne contient pas les dimensions de la grille");
    if (lines.empty())
        refuse(noDimensions);
    const std::optional<int> rows = dimension(lines[0]);
    if (!rows)
        refuse(QStringLiteral("le nombre de lignes (ligne 1) doit être un entier de 2 à 22"));
    if (lines.size() < 2)
        refuse(noDimensions);
    const std::optional<int> cols = dimension(lines[1]);
    if (!cols)
        refuse(QStringLiteral("le nombre de colonnes (ligne 2) doit être un entier de 2 à 22"));

    Grille grille = base;
    grille.Raz();
    grille.NbLignes = *rows;
    grille.NbColonnes = *cols;
    int row = 0;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        const QByteArrayView line = lines[i];
        const int lineNumber = int(i) + 1;
        if (line.isEmpty())
            refuse(QStringLiteral("la ligne %1 est vide").arg(lineNumber));
        if (line[0] == kHorizontalClue || line[0] == kVerticalClue) {
            readClue(grille, line, lineNumber, refuse);
            continue;
        }
        if (++row > kMaxIndex)
            refuse(QStringLiteral("il a plus de %1 lignes de cases").arg(kMaxIndex));
        if (line.size() < *cols)
            refuse(QStringLiteral("la ligne %1 a moins de %2 cases").arg(lineNumber).arg(*cols));
        for (int c = 1; c <= *cols; ++c)
            grille.cell(c, row) = line[c - 1];
    }
    return grille;
}

} // namespace orv
