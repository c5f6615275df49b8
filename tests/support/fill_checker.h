// An independent check of a filled grid, written apart from the slot finder
// and the search: it walks the rows and columns itself and lists every
// fault (a cell left empty or changed, a word outside the list, a word twice).
// Core only (no widgets).
#pragma once

#include "grid/grid_model.h"

#include <QByteArray>
#include <QMap>
#include <QSet>
#include <QStringList>

namespace orv::test {

// The runs of two or more non-black cells of the playing area, rows first.
inline QList<QByteArray> gridRuns(const Grille& g) {
    QList<QByteArray> runs;
    auto collect = [&](bool across) {
        const int lines = across ? g.NbLignes - 1 : g.NbColonnes - 1;
        const int along = across ? g.NbColonnes - 1 : g.NbLignes - 1;
        for (int l = 1; l <= lines; ++l) {
            QByteArray run;
            for (int k = 1; k <= along + 1; ++k) {
                const char ch = k > along ? '#' : (across ? g.cell(k, l) : g.cell(l, k));
                if (ch != '#') {
                    run.append(ch);
                    continue;
                }
                if (run.size() >= 2)
                    runs.append(run);
                run.clear();
            }
        }
    };
    collect(true);
    collect(false);
    return runs;
}

// Empty when `after` is a sound fill of `before` with `words`.
inline QStringList fillProblems(const Grille& before, const Grille& after,
                                const QSet<QByteArray>& words) {
    QStringList problems;
    if (before.NbLignes != after.NbLignes || before.NbColonnes != after.NbColonnes)
        problems << QStringLiteral("dimensions changed");
    for (int c = 1; c < before.NbColonnes; ++c)
        for (int r = 1; r < before.NbLignes; ++r) {
            const char b = before.cell(c, r);
            const char a = after.cell(c, r);
            if ((b == '#' || (b >= 'A' && b <= 'Z')) && a != b)
                problems << QStringLiteral("cell %1,%2 changed from %3 to %4")
                                .arg(c)
                                .arg(r)
                                .arg(QChar(b))
                                .arg(QChar(a));
            if (b != '#' && a == '#')
                problems << QStringLiteral("cell %1,%2 became black").arg(c).arg(r);
        }
    const QList<QByteArray> runsBefore = gridRuns(before);
    QMap<QByteArray, int> fixedCount;
    for (const QByteArray& run : runsBefore)
        if (!run.contains(' '))
            ++fixedCount[run];
    QMap<QByteArray, int> seen;
    for (const QByteArray& run : gridRuns(after)) {
        bool full = true;
        for (char ch : run)
            full = full && ch >= 'A' && ch <= 'Z';
        if (!full) {
            problems << QStringLiteral("slot %1 not filled").arg(QString::fromLatin1(run));
            continue;
        }
        ++seen[run];
        if (!words.contains(run) && fixedCount.value(run) == 0)
            problems << QStringLiteral("%1 is not in the list").arg(QString::fromLatin1(run));
    }
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
        if (it.value() > 1 && it.value() > fixedCount.value(it.key()))
            problems << QStringLiteral("%1 placed %2 times")
                            .arg(QString::fromLatin1(it.key()))
                            .arg(it.value());
    return problems;
}

} // namespace orv::test
