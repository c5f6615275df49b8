// Program entry: the options answered on the terminal, then the splash
// window, the title and the help, the working folder, the windows created in
// their fixed order, the event loop, and the grid named on the command line
// once the main window shows.
#include "app/about_box.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/start_grid.h"
#include "common/command_guard.h"
#include "common/qt_services.h"
#include "desktop/working_folder.h"
#include "help/help_service.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QProcessEnvironment>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    // Before QApplication, which needs a display and aborts without one.
    {
        const QStringList arguments = orv::commandLineArguments(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        if (const std::optional<int> status = orv::answerWithoutWindow(arguments, out))
            return *status;
        if (const std::optional<int> status =
                orv::refuseWithoutDisplay(arguments, QProcessEnvironment::systemEnvironment(), err))
            return *status;
    }
    QApplication app(argc, argv);
    // Resolved before the process moves to its working folder.
    const QString gridFile =
        orv::gridFileArgument(QCoreApplication::arguments(), QDir::currentPath());

    auto splash = std::make_unique<orv::TSplash>();
    splash->show();
    splash->repaint();

    QApplication::setApplicationName(orv::applicationTitle());
    // Where the display settings are kept between runs (QSettings).
    QApplication::setOrganizationName(orv::applicationTitle());
    QApplication::setDesktopFileName(QStringLiteral("org.orvgrille.OrvGrille"));
    orv::installFrenchTranslations(app);

    orv::QtMessageService messages;
    orv::QtFileDialogService files;
    orv::ExecModalRunner modal;
    // Seeded from the clock once, for the black-square placement.
    orv::SeededRandom random(std::uint64_t(QDateTime::currentMSecsSinceEpoch()));
    orv::SystemClock clock;
    orv::HelpWindowService help;
    orv::Services services{messages, files, modal, random, clock, help};

    // A folder that cannot be prepared is reported; the program then works in
    // the folder it was started from.
    orv::guarded(messages, nullptr, [] {
        orv::enterWorkingFolder(orv::currentStartPlace(),
                                orv::installedDictionary(QCoreApplication::applicationDirPath()));
    });

    orv::TMainForm mainForm(services);
    splash.reset();

    mainForm.show();
    if (!gridFile.isEmpty())
        // Not when the start has ended at once (another instance holds the folder).
        QTimer::singleShot(0, &mainForm, [&] {
            if (mainForm.isVisible())
                orv::openGridAtStart(mainForm, gridFile);
        });
    return app.exec();
}
