// Program entry: the splash window first, then the title and help file, the
// windows created in their fixed order, and the event loop.
#include "app/about_box.h"
#include "app/main_window.h"
#include "app/program.h"
#include "common/qt_services.h"

#include <QApplication>
#include <QDateTime>

int main(int argc, char** argv) {
    QApplication app(argc, argv);

    auto splash = std::make_unique<orv::TSplash>();
    splash->show();
    splash->repaint();

    QApplication::setApplicationName(orv::applicationTitle());
    // Where the display settings are kept between runs (QSettings).
    QApplication::setOrganizationName(orv::applicationTitle());
    orv::installFrenchTranslations(app);

    orv::QtMessageService messages;
    orv::QtFileDialogService files;
    orv::ExecModalRunner modal;
    // Seeded from the clock once, for the black-square placement.
    orv::SeededRandom random(std::uint64_t(QDateTime::currentMSecsSinceEpoch()));
    orv::SystemClock clock;
    orv::FileHelpService help(messages);
    orv::Services services{messages, files, modal, random, clock, help};

    orv::TMainForm mainForm(services);
    mainForm.CreeFenetres();
    splash.reset();

    mainForm.show();
    return app.exec();
}
