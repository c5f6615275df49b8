// Line rules of the program's text files (dictionary, definitions, word lists).
// Read whole: CR LF, a lone CR or a lone LF ends a line, a NUL ends the text,
// the last line needs no end. Written with CR LF after every line, replacing
// the file atomically so that a crash never leaves half a file.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace orv {

QList<QByteArray> splitTextLines(const QByteArray& data);
QByteArray joinTextLines(const QList<QByteArray>& lines);

// Throws OrvError "Ne peut ouvrir le fichier <displayName>" when it cannot be read.
// The display name defaults to the path as given.
QList<QByteArray> readTextLines(const QString& path, const QString& displayName = {});
QByteArray readWholeFile(const QString& path, const QString& displayName = {});

// Throws OrvError "Ne peut créer le fichier <displayName>" when it cannot be written;
// the earlier file, if any, is then left as it was.
void writeTextLines(const QString& path, const QList<QByteArray>& lines,
                    const QString& displayName = {});
void writeWholeFile(const QString& path, const QByteArray& data, const QString& displayName = {});

bool fileExists(const QString& path);

// Loads a data file of the working folder through `load`, which throws on
// failure. `unreadable` tells afterwards whether the file exists but could not
// be read: such a file must never be replaced by the empty list that stands in
// for it, while a missing one may be created.
template <typename Load> void loadDataFile(const QString& path, bool& unreadable, Load load) {
    unreadable = false;
    try {
        load();
    } catch (...) {
        unreadable = fileExists(path);
        throw;
    }
}

} // namespace orv

namespace orv {

// The lines of a text as splitTextLines cuts them, handed one by one to
// `line(const char* begin, qsizetype size)` without a copy, for readers
// that keep no list of lines.
template <typename F> void forEachTextLine(const QByteArray& data, F&& line) {
    const char* p = data.constData();
    const qsizetype n = data.size();
    qsizetype start = 0;
    qsizetype i = 0;
    for (; i < n; ++i) {
        const char c = p[i];
        if (c == '\0')
            break;
        if (c == '\r' || c == '\n') {
            line(p + start, i - start);
            if (c == '\r' && i + 1 < n && p[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (i > start)
        line(p + start, i - start);
}

} // namespace orv
