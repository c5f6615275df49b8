// Start-up until the main window shows: the program's own start (main
// window, every other window, show, data files loaded) in a folder whose
// Dicogrd.dat holds the given dictionary, against the same start with an
// empty one. Wall-clock, median of runs, on the offscreen platform.
//   orv_startup_bench DICOGRD.DAT
#include "app/main_window.h"
#include "common/qt_services.h"
#include "help/help_service.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace orv;

namespace {

double startOnce(QApplication& app, const QString& folder) {
    QDir::setCurrent(folder);
    QtMessageService messages;
    QtFileDialogService files;
    ExecModalRunner modal;
    SeededRandom random(1);
    SystemClock clock;
    HelpWindowService help;
    Services services{messages, files, modal, random, clock, help};
    const auto t0 = std::chrono::steady_clock::now();
    double ms = 0;
    {
        TMainForm w(services);
        w.show();
        if (!QTest::qWaitForWindowExposed(&w))
            std::fprintf(stderr, "window not exposed\n");
        app.processEvents();
        ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                 .count();
        w.document().markSaved();
    }
    return ms;
}

double median(QApplication& app, const QString& folder, int runs) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i)
        t.push_back(startOnce(app, folder));
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: orv_startup_bench DICOGRD.DAT\n");
        return 2;
    }
    QTemporaryDir empty;
    QTemporaryDir full;
    // Both data files present: a missing one would stop the start at its message box.
    for (const QTemporaryDir* dir : {&empty, &full})
        QFile(QDir(dir->path()).filePath(QStringLiteral("Dicodef.dat"))).open(QIODevice::WriteOnly);
    QFile(QDir(empty.path()).filePath(QStringLiteral("Dicogrd.dat"))).open(QIODevice::WriteOnly);
    if (!QFile::copy(QString::fromLocal8Bit(argv[1]),
                     QDir(full.path()).filePath(QStringLiteral("Dicogrd.dat")))) {
        std::fprintf(stderr, "orv_startup_bench: cannot read %s\n", argv[1]);
        return 2;
    }
    startOnce(app, empty.path()); // warms the caches and fonts
    const double e = median(app, empty.path(), 7);
    const double f = median(app, full.path(), 7);
    std::printf("start-up until the main window shows: %.1f ms with %s, %.1f ms with an empty "
                "dictionary, ratio %.2f (target <= 1.3)\n",
                f, argv[1], e, f / e);
    return 0;
}
