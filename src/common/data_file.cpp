// The data files of the working folder: reading, the side file, the backup.
#include "common/data_file.h"

#include "common/errors.h"
#include "common/text_file.h"

#include <QFileInfo>
#include <functional>
#include <utility>

namespace orv {
namespace {

// "Dicogrd.dat" into "Dicogrd" and ".dat".
std::pair<QString, QString> splitName(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return {name, QString()};
    return {name.left(dot), name.mid(dot)};
}

QString freeName(const QString& first, const std::function<QString(int)>& numbered) {
    if (!QFileInfo::exists(first))
        return first;
    for (int n = 2;; ++n) {
        const QString candidate = numbered(n);
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

} // namespace

QByteArray DataFile::read() { return read({}); }

QByteArray DataFile::read(const std::function<std::optional<QByteArray>()>& early) {
    unreadable_ = false;
    try {
        if (early)
            if (std::optional<QByteArray> bytes = early())
                return *std::move(bytes);
        return readWholeFile(name_, name_, kMaxListFileBytes);
    } catch (...) {
        // A missing file may be created at exit; one that is there but
        // could not be read must stay as it is.
        unreadable_ = QFileInfo::exists(name_) || QFileInfo(name_).isSymLink();
        throw;
    }
}

void DataFile::noteDropped(qsizetype lines) {
    dropped_ += lines;
    if (dropped_ > 0 && backup_.isEmpty())
        backup_ = freeName(name_ + QStringLiteral(".bak"),
                           [this](int n) { return QStringLiteral("%1.%2.bak").arg(name_).arg(n); });
}

QString DataFile::write(const QByteArray& bytes, const QDateTime& now, bool changedDuringRun) {
    if (!mayReplace()) {
        if (!changedDuringRun || bytes.isEmpty())
            return {};
        const QString side = sideFileName(name_, now);
        writeWholeFile(side, bytes, side);
        return side;
    }
    if (dropped_ > 0 && !backupMade_ && QFileInfo::exists(name_)) {
        writeWholeFile(backup_, readWholeFile(name_, name_, kMaxListFileBytes), backup_);
        backupMade_ = true;
    }
    writeWholeFile(name_, bytes, name_);
    return {};
}

QString sideFileName(const QString& name, const QDateTime& now) {
    const auto [base, extension] = splitName(name);
    const QString stamped =
        base + QLatin1Char('-') + now.toString(QStringLiteral("yyyy-MM-dd-HHmm"));
    // A named copy: clang refuses to capture a structured binding.
    const QString ext = extension;
    return freeName(stamped + ext, [&stamped, &ext](int n) {
        return QStringLiteral("%1-%2%3").arg(stamped).arg(n).arg(ext);
    });
}

QString keptBesideMessage(const DataFile& file, const QString& sideFile, const QString& added,
                          const QString& whole) {
    const QString why =
        file.unreadable()
            ? QStringLiteral("Le fichier %1 n'a pu être lu au démarrage : il n'est pas remplacé.")
            : QStringLiteral("Orv Grille a été ouvert en lecture seule : le fichier %1 n'est "
                             "pas remplacé.");
    return why.arg(file.name()) + QLatin1Char(' ') +
           QStringLiteral("%1 dans le fichier %2.")
               .arg(file.unreadable() ? added : whole, sideFile);
}

QString droppedLinesText(const QString& name, qsizetype lines) {
    if (lines <= 0)
        return {};
    const QString count = lines == 1 ? QStringLiteral("1 ligne écartée")
                                     : QStringLiteral("%1 lignes écartées").arg(lines);
    return QStringLiteral("%1 : %2 à la lecture").arg(name, count);
}

QString droppedLinesMessage(const DataFile& file) {
    if (file.dropped() <= 0)
        return {};
    return QStringLiteral("%1 ; le fichier lu sera gardé dans %2 avant d'être réécrit")
        .arg(droppedLinesText(file.name(), file.dropped()), file.backupName());
}

} // namespace orv
