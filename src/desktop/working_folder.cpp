// The working folder: the choice, the first-start preparation, the move there.
#include "desktop/working_folder.h"

#include "common/errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace orv {
namespace {

const QString kDictionary = QStringLiteral("Dicogrd.dat");
const QString kDefinitions = QStringLiteral("Dicodef.dat");

QString canonical(const QString& path) {
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(QDir(path).absolutePath()) : c;
}

bool isWithin(const QString& path, const QString& folder) {
    if (path.isEmpty() || folder.isEmpty())
        return false;
    const QString p = canonical(path);
    const QString f = canonical(folder);
    return p == f || p.startsWith(f + QLatin1Char('/'));
}

QString cannotCreateFolderMessage(const QString& folder) {
    return QStringLiteral("Ne peut créer le dossier %1").arg(folder);
}

void writeEmpty(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.commit())
        throw OrvError(cannotCreateMessage(path));
}

} // namespace

WorkingFolder chooseWorkingFolder(const StartPlace& place) {
    if (QFileInfo(QDir(place.currentFolder).filePath(kDictionary)).isFile() ||
        isWithin(place.programFolder, place.buildFolder))
        return {place.currentFolder, false};
    // A relative $XDG_DATA_HOME is invalid and must be ignored.
    const QString dataHome = QDir::isAbsolutePath(place.xdgDataHome)
                                 ? place.xdgDataHome
                                 : QDir(place.home).filePath(QStringLiteral(".local/share"));
    return {QDir::cleanPath(QDir(dataHome).filePath(QStringLiteral("OrvGrille"))), true};
}

StartPlace currentStartPlace() {
    return {QDir::currentPath(), QCoreApplication::applicationDirPath(),
            QStringLiteral(ORV_BUILD_DIR), qEnvironmentVariable("XDG_DATA_HOME"),
            qEnvironmentVariable("HOME", QDir::homePath())};
}

QString installedDictionary(const QString& programFolder) {
    return QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(ORV_DATA_FROM_BIN)) +
                           QLatin1Char('/') + kDictionary);
}

void prepareWorkingFolder(const QString& folder, const QString& defaultDictionary) {
    if (!QDir().mkpath(folder))
        throw OrvError(cannotCreateFolderMessage(folder));
    const QDir dir(folder);
    const QString dictionary = dir.filePath(kDictionary);
    if (!QFileInfo::exists(dictionary)) {
        if (QFileInfo(defaultDictionary).isFile()) {
            // Copied under a temporary name, then renamed: a start cut short
            // never leaves half a dictionary that would then count as the user's.
            const QString partial = dictionary + QStringLiteral(".part");
            QFile::remove(partial);
            if (!QFile::copy(defaultDictionary, partial) || !QFile::rename(partial, dictionary)) {
                QFile::remove(partial);
                throw OrvError(cannotCreateMessage(dictionary));
            }
            QFile(dictionary)
                .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                QFileDevice::ReadGroup | QFileDevice::ReadOther);
        } else {
            writeEmpty(dictionary);
        }
    }
    const QString definitions = dir.filePath(kDefinitions);
    if (!QFileInfo::exists(definitions))
        writeEmpty(definitions);
}

QString enterWorkingFolder(const StartPlace& place, const QString& defaultDictionary) {
    const WorkingFolder chosen = chooseWorkingFolder(place);
    if (chosen.prepare)
        prepareWorkingFolder(chosen.folder, defaultDictionary);
    if (!QDir::setCurrent(chosen.folder))
        throw OrvError(cannotOpenMessage(chosen.folder));
    return chosen.folder;
}

} // namespace orv
