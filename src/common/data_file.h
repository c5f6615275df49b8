// A data file of the working folder ("Dicogrd.dat", "Dicodef.dat",
// "Dicoscore.dat") and what the program must remember about it between the
// start and the exit, so that nothing typed during a run is lost: a file
// that exists but could not be read is never replaced (the run's list goes
// to a side file beside it); a read-only run replaces nothing either; and a
// file from which the load had to leave lines out is first kept whole as
// "<name>.bak", once.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

namespace orv {

class DataFile {
public:
    explicit DataFile(QString name) : name_(std::move(name)) {}
    const QString& name() const { return name_; }

    // Reads the file whole (a regular file only); throws OrvError
    // "Ne peut ouvrir le fichier <name>". A file that exists but could not be
    // read is noted, and never replaced afterwards.
    QByteArray read();
    // The same, with the bytes that `early` gives when it gives some (the
    // file read ahead); what it throws counts as the reading's failure.
    QByteArray read(const std::function<std::optional<QByteArray>()>& early);
    bool unreadable() const { return unreadable_; }

    // A run that must not replace the file (another instance works in the folder).
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool readOnly() const { return readOnly_; }
    // Whether the exit may write the file itself.
    bool mayReplace() const { return !unreadable_ && !readOnly_; }

    // The load left these lines out (added to those noted before): the file
    // is kept as read before its first rewrite.
    void noteDropped(qsizetype lines);
    qsizetype dropped() const { return dropped_; }
    // Where the file as read is (or will be) kept: "<name>.bak", or a numbered
    // name when that one is taken.
    QString backupName() const { return backup_; }

    // Writes the bytes: into the file itself when it may be replaced (after
    // keeping the file as read, the first time, when the load dropped
    // lines); otherwise, when the list changed during the run and is not
    // empty, into a new side file named from `now`, e.g.
    // "Dicogrd-2026-12-07-1430.dat". Returns the side file's name, or ""
    // when none was written. Throws OrvError "Ne peut créer le fichier
    // <name>" when the bytes could not be written.
    QString write(const QByteArray& bytes, const QDateTime& now, bool changedDuringRun);

private:
    QString name_;
    bool unreadable_ = false;
    bool readOnly_ = false;
    qsizetype dropped_ = 0;
    QString backup_;
    bool backupMade_ = false;
};

// A name beside `name` that no file has yet: "Dicogrd-2026-12-07-1430.dat",
// then "Dicogrd-2026-12-07-1430-2.dat", ...
QString sideFileName(const QString& name, const QDateTime& now);

// What the user is told when a run's list went to a side file. The file
// unreadable at start, the list holds what the run added (`added`, e.g. "Les
// mots ajoutés pendant cette session sont enregistrés"); in a read-only run
// it holds the whole list (`whole`).
QString keptBesideMessage(const DataFile& file, const QString& sideFile, const QString& added,
                          const QString& whole);

// "Dicogrd.dat : 3 lignes écartées à la lecture", or "" when no line was
// dropped: what the command-line tools say of a file read as the program reads it.
QString droppedLinesText(const QString& name, qsizetype lines);

// "Dicogrd.dat : 3 lignes écartées à la lecture ; le fichier lu sera gardé
// dans Dicogrd.dat.bak avant d'être réécrit", or "" when nothing was dropped.
QString droppedLinesMessage(const DataFile& file);

} // namespace orv
