// Reading and atomic writing of line-based single-byte text files.
#include "common/text_file.h"

#include "common/errors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace orv {

QString cannotOpenMessage(const QString& fileName) {
    return QStringLiteral("Ne peut ouvrir le fichier %1").arg(fileName);
}

QString cannotCreateMessage(const QString& fileName) {
    return QStringLiteral("Ne peut créer le fichier %1").arg(fileName);
}

bool fileExists(const QString& path) { return QFileInfo::exists(path); }

QList<QByteArray> splitTextLines(const QByteArray& data) {
    QList<QByteArray> lines;
    const char* p = data.constData();
    const qsizetype n = data.size();
    qsizetype start = 0;
    qsizetype i = 0;
    for (; i < n; ++i) {
        const char c = p[i];
        if (c == '\0')
            break;
        if (c == '\r' || c == '\n') {
            lines.append(QByteArray(p + start, i - start));
            if (c == '\r' && i + 1 < n && p[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (i > start)
        lines.append(QByteArray(p + start, i - start));
    return lines;
}

QByteArray joinTextLines(const QList<QByteArray>& lines) {
    qsizetype total = 0;
    for (const auto& l : lines)
        total += l.size() + 2;
    QByteArray out;
    out.reserve(total);
    for (const auto& l : lines) {
        out.append(l);
        out.append("\r\n", 2);
    }
    return out;
}

QByteArray readWholeFile(const QString& path, const QString& displayName) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw OrvError(cannotOpenMessage(displayName.isEmpty() ? path : displayName));
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw OrvError(cannotOpenMessage(displayName.isEmpty() ? path : displayName));
    return data;
}

QList<QByteArray> readTextLines(const QString& path, const QString& displayName) {
    return splitTextLines(readWholeFile(path, displayName));
}

void writeWholeFile(const QString& path, const QByteArray& data, const QString& displayName) {
    QSaveFile f(path);
    // The buffered bytes go out at the flush; QSaveFile::commit ignores an
    // error there (a disk that fills up) and would put a cut file in place.
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size() || !f.flush() || !f.commit())
        throw OrvError(cannotCreateMessage(displayName.isEmpty() ? path : displayName));
}

void writeTextLines(const QString& path, const QList<QByteArray>& lines,
                    const QString& displayName) {
    writeWholeFile(path, joinTextLines(lines), displayName);
}

} // namespace orv
