// The dictionary's commands. Every change of the word list goes through
// Document::noteWordsChanged, which raises the save question and the
// dictionary's own flag for the write at exit.
#include "dictionary/dictionary_controller.h"

#include "common/text_file.h"
#include "dictionary/dictionary_browser.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/scramble.h"
#include "dictionary/statistics_window.h"
#include "dictionary/word_dialog.h"
#include "grid/document.h"

#include <QDir>
#include <QFileInfo>

namespace orv {
namespace {

const QString kWordListFilter =
    QStringLiteral("Fichiers texte (*.txt)|*.txt|tous les fichiers (*.*)|*.*");

} // namespace

DictionaryController::DictionaryController(Document& document, Services& services,
                                           QMainWindow* window, MainView& view)
    : Controller(document, services, window, view) {
    addCommand(this, "FileMenu", "Importerfichier1", QStringLiteral("Im&porter fichier..."),
               QStringLiteral("Importer fichier de mots"),
               &DictionaryController::Importerfichier1Click);
    addCommand(this, "MotsMenu", "Ajoutermot1", QStringLiteral("&Ajouter mot"),
               QStringLiteral("Ajouter un mot"), &DictionaryController::Ajoutermot1Click);
    addCommand(this, "MotsMenu", "Supprimermot1", QStringLiteral("&Supprimer mot"),
               QStringLiteral("Supprimer un mot"), &DictionaryController::Supprimermot1Click);
    addCommand(this, "MotsMenu", "Dictionnaire1", QStringLiteral("&Dictionnaire"),
               QStringLiteral("Liste des mots"), &DictionaryController::Dictionnaire1Click);
    addCommand(this, "MotsMenu", "Statistiques1", QStringLiteral("&Statistiques"),
               QStringLiteral("Statistiques sur le dictionnaire"),
               &DictionaryController::Statistiques1Click);
}

void DictionaryController::Verifie() { doc_.checkDictionary(); }

void DictionaryController::Tri() { orv::Tri(doc_.ListeMots); }

QByteArray DictionaryController::askWord(const QString& caption) {
    Ajout->setWindowTitle(caption);
    services_.modal.run(*Ajout);
    return Ajout->Result();
}

void DictionaryController::Ajoutermot1Click() {
    guard([this] {
        const QByteArray word = askWord(QStringLiteral("Ajouter un mot"));
        if (word.isEmpty())
            return;
        const QByteArray scrambled = Crypte(word);
        if (doc_.ListeMots.contains(scrambled)) {
            services_.messages.information(window_, QStringLiteral("Ce mot existe déjà"));
            return;
        }
        doc_.ListeMots.append(scrambled);
        doc_.noteWordsChanged();
        Tri();
    });
}

void DictionaryController::Supprimermot1Click() {
    guard([this] {
        const QByteArray word = askWord(QStringLiteral("Supprimer un mot"));
        if (word.isEmpty())
            return;
        const qsizetype at = doc_.ListeMots.indexOf(Crypte(word));
        if (at < 0) {
            services_.messages.information(window_, QStringLiteral("Ce mot n'existe pas"));
            return;
        }
        doc_.ListeMots.removeAt(at);
        doc_.noteWordsChanged();
    });
}

void DictionaryController::Importerfichier1Click() {
    guard([this] {
        const QString path = services_.files.openFile(window_, kWordListFilter,
                                                      FileDialogService::Existing::NotRequired);
        if (path.isEmpty())
            return;
        if (!QFileInfo::exists(path)) {
            services_.messages.information(window_, QStringLiteral("Le fichier n'existe pas"));
            return;
        }
        const QString name = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
        WordListReader reader(path, name, false);
        ImportReport report;
        {
            ProgressScope progress(view_);
            report = importWordList(doc_.ListeMots, reader,
                                    [&progress](int percent) { progress.show(percent); });
            Tri();
        }
        doc_.noteWordsChanged();
        if (report.unknownEncoding)
            services_.messages.information(window_, unknownEncodingMessage(name));
    });
}

void DictionaryController::Dictionnaire1Click() {
    guard([this] {
        Dico->Init(doc_.ListeMots);
        services_.modal.run(*Dico);
    });
}

void DictionaryController::Statistiques1Click() {
    guard([this] {
        Stats->Init(doc_.ListeMots);
        services_.modal.run(*Stats);
    });
}

} // namespace orv
