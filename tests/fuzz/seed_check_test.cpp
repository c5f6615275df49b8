// The seeds of a fuzz target (ORV_SEED_FOLDER), checked with the target's own
// entry point, which aborts on any broken property; and each seed read by its
// reader: the seeds named "broken_" are refused with a French reason, the
// others read, their clues whole.
// Arrow-word seeds (".fleches") are read by their own reader.
#include "arrowword/arrow_file.h"
#include "common/errors.h"
#include "grid/grid_file.h"
#include "publish/ipuz_file.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

using namespace orv;

namespace {

QFileInfoList seeds() {
    return QDir(QStringLiteral(ORV_SEED_FOLDER)).entryInfoList(QDir::Files, QDir::Name);
}

QByteArray bytesOf(const QFileInfo& seed) {
    QFile file(seed.filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class SeedCheckTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everySeedKeepsTheTargetsProperties();
    void seedsReadAsTheirNamesSay();
};

void SeedCheckTest::everySeedKeepsTheTargetsProperties() {
    QVERIFY(!seeds().isEmpty());
    for (const QFileInfo& seed : seeds()) {
        const QByteArray data = bytesOf(seed);
        QVERIFY2(!data.isEmpty(), qPrintable(seed.fileName()));
        QCOMPARE(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(data.constData()),
                                        std::size_t(data.size())),
                 0);
    }
}

void SeedCheckTest::seedsReadAsTheirNamesSay() {
    qsizetype longest = 0;
    bool arrowSeeds = false;
    for (const QFileInfo& seed : seeds()) {
        const QByteArray data = bytesOf(seed);
        const bool ipuz = isIpuzPath(seed.fileName());
        const bool arrow = isArrowFilePath(seed.fileName());
        QString refusal;
        Grille read;
        try {
            if (arrow) {
                arrowSeeds = true;
                (void)readArrowFile(data, seed.fileName());
            } else {
                read = ipuz ? readIpuz(data, Grille(), seed.fileName())
                            : readGridFile(data, Grille(), seed.fileName());
            }
        } catch (const OrvError& e) {
            refusal = e.message();
        }
        const bool broken = seed.fileName().startsWith(QLatin1String("broken_"));
        QVERIFY2(refusal.isEmpty() != broken, qPrintable(seed.fileName() + " : " + refusal));
        if (broken)
            QVERIFY2(refusal.contains(QStringLiteral("le texte JSON est mal formé (")),
                     qPrintable(refusal));
        for (int k = 0; k < kFileClues; ++k)
            longest = std::max({longest, read.DefHoriz[k].size(), read.DefVert[k].size()});
    }
    // Each crossword folder holds a seed whose clues are longer than a grid file keeps.
    if (!arrowSeeds)
        QVERIFY2(longest > kMaxClueLength, qPrintable(QString::number(longest)));
}

QTEST_MAIN(SeedCheckTest)
#include "seed_check_test.moc"
