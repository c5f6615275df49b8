// The working folder's lock and the start decision that follows from it.
#include "common/working_folder_lock.h"

#include <QDir>

namespace orv {

WorkingFolderLock::WorkingFolderLock(const QString& folder)
    : lock_(std::make_unique<QLockFile>(
          QDir(folder.isEmpty() ? QDir::currentPath() : folder).absoluteFilePath(fileName()))) {
    // Only a lock whose process has died is stale, however old it is: a
    // program may well stay open for days.
    lock_->setStaleLockTime(0);
}

WorkingFolderLock::~WorkingFolderLock() = default;

WorkingFolderLock::State WorkingFolderLock::acquire() {
    if (lock_->isLocked() || lock_->tryLock(0))
        return State::Held;
    return lock_->error() == QLockFile::LockFailedError ? State::HeldByOther : State::Unavailable;
}

void WorkingFolderLock::release() { lock_->unlock(); }

QString secondInstanceText() {
    return QStringLiteral(
        "Orv Grille est déjà ouvert dans ce dossier. Si les deux programmes "
        "enregistraient le dictionnaire et les définitions en quittant, le dernier "
        "effacerait les changements de l'autre.\n\nOuvrir en lecture seule : le "
        "dictionnaire et les définitions ne seront pas remplacés en quittant.");
}

QStringList secondInstanceChoices() {
    return {QStringLiteral("Ouvrir en lecture seule"), QStringLiteral("Quitter")};
}

bool mustAskSecondInstance(WorkingFolderLock::State state) {
    return state == WorkingFolderLock::State::HeldByOther;
}

StartDecision secondInstanceDecision(int choice) {
    if (choice == 0)
        return {true, true};
    return {false, true};
}

} // namespace orv
