// The exit's writes and the way out of a failed one.
#include "app/exit_writes.h"

#include "common/command_guard.h"
#include "common/data_file.h"
#include "common/errors.h"
#include "common/services.h"
#include "common/text_file.h"
#include "document/document.h"

#include <QDir>

namespace orv {

QList<ExitWrite> documentExitWrites(Document& doc) {
    return {
        {doc.dictionary().file().name(), QStringLiteral("le dictionnaire n'a pu être enregistré"),
         QStringLiteral("Le dictionnaire est enregistré"),
         QStringLiteral("les changements du dictionnaire faits pendant cette session"),
         [&doc] { return doc.writesDictionaryAtExit(); },
         [&doc](const QDateTime& now) { return doc.dictionary().write(now); },
         [&doc] { return doc.dictionary().words().fileBytes(); }},
        {doc.definitionsFile().name(), QStringLiteral("les définitions n'ont pu être enregistrées"),
         QStringLiteral("Les définitions sont enregistrées"),
         QStringLiteral("les changements des définitions faits pendant cette session"),
         [&doc] { return doc.writesDefinitionsAtExit(); },
         [&doc](const QDateTime& now) { return doc.writeDefinitions(now); },
         [&doc] { return joinTextLines(doc.definitions()); }},
        {doc.dictionary().scoresFile().name(),
         QStringLiteral("les scores des mots n'ont pu être enregistrés"),
         QStringLiteral("Les scores des mots sont enregistrés"),
         QStringLiteral("les changements des scores faits pendant cette session"),
         [&doc] { return doc.dictionary().scores().user().modified(); },
         [&doc](const QDateTime& now) { return doc.dictionary().writeScores(now); },
         [&doc] { return doc.dictionary().scores().user().fileBytes(); }},
    };
}

QStringList exitFailureChoices() {
    return {QStringLiteral("Réessayer"), QStringLiteral("Enregistrer dans le dossier personnel"),
            QStringLiteral("Quitter sans enregistrer"), QStringLiteral("Annuler")};
}

QString exitFailureText(const ExitWrite& write, const QString& error, const QString& homeCopy) {
    return QStringLiteral("%1 : %2 en quittant (le disque est peut-être plein).\n\n"
                          "Réessayer : après avoir fait de la place sur le disque.\n"
                          "Enregistrer dans le dossier personnel : dans le fichier %3.\n"
                          "Quitter sans enregistrer : %4 seront perdus.\n"
                          "Annuler : revenir au programme.")
        .arg(error, write.failed, QDir::toNativeSeparators(homeCopy), write.lost);
}

bool writeAtExit(const QList<ExitWrite>& writes, Services& services, QWidget* parent,
                 const QString& homeFolder) {
    for (const ExitWrite& w : writes) {
        if (!w.needed())
            continue;
        for (bool done = false; !done;) {
            const QDateTime now = services.clock.now();
            try {
                const QString told = w.write(now);
                if (!told.isEmpty())
                    services.messages.information(parent, told);
                break;
            } catch (const OrvError& e) {
                const QString home = sideFileName(QDir(homeFolder).filePath(w.file), now);
                switch (services.messages.choice(parent, exitFailureText(w, e.message(), home),
                                                 exitFailureChoices())) {
                case RetryWrite:
                    break;
                case WriteInHome:
                    // A copy that fails too is told, and the question comes back.
                    done = guarded(services.messages, parent, [&] {
                        writeWholeFile(home, w.bytes(), QDir::toNativeSeparators(home));
                        services.messages.information(
                            parent,
                            QStringLiteral("%1 dans le fichier %2. Pour retrouver ces "
                                           "changements, copiez ce fichier, programme fermé, à "
                                           "la place de %3 dans le dossier %4.")
                                .arg(w.kept, QDir::toNativeSeparators(home), w.file,
                                     QDir::toNativeSeparators(QDir::currentPath())));
                    });
                    break;
                case QuitWithoutWriting:
                    done = true;
                    break;
                default:
                    return false;
                }
            }
        }
    }
    return true;
}

} // namespace orv
