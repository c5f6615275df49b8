// A writer of the clue base that runs until it is killed: transaction after
// transaction of 50 clues, each line printed naming a transaction committed,
// so that a test can kill it in the middle of the next one and check that
// every committed clue is still there.
#include "definitions/clue_base.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2)
        return 2;
    orv::ClueBase base;
    if (!base.open(args[1], false, QDateTime::currentDateTime())) {
        std::fprintf(stderr, "%s\n", base.problem().toUtf8().constData());
        return 1;
    }
    for (int n = 0; n < 100000; ++n) {
        std::vector<orv::ClueEntry> batch;
        const QString word = QStringLiteral("MOT") + QString(QChar('A' + n % 26));
        for (int k = 0; k < 50; ++k)
            batch.push_back({0, word, QStringLiteral("Indice lot%1x numéro %2").arg(n).arg(k),
                             QStringLiteral("essai.grd"), QStringLiteral("2026-12-08 14:30")});
        base.add(batch);
        std::printf("%d\n", n);
        std::fflush(stdout);
    }
    return 0;
}
