// Start-up helpers.
#include "app/program.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace orv {

void installFrenchTranslations(QCoreApplication& app) {
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_fr", "qt_fr"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QString::fromLatin1(name), dir))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

} // namespace orv
