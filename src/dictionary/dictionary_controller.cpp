// The dictionary's commands. Every change of the word list goes through the
// document's Dictionary, which raises the save question and the dictionary's
// own flag for the write at exit.
#include "dictionary/dictionary_controller.h"

#include "common/text_file.h"
#include "dictionary/dictionary_browser.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/fill_options_dialog.h"
#include "dictionary/scramble.h"
#include "dictionary/statistics_window.h"
#include "dictionary/word_dialog.h"
#include "document/document.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QSettings>
#include <QThread>
#include <atomic>
#include <exception>
#include <memory>

namespace orv {
namespace {

const QString kWordListFilter =
    QStringLiteral("Fichiers texte (*.txt)|*.txt|tous les fichiers (*.*)|*.*");

// Reads the word list into a batch, and sorts it, on a worker thread, the
// event loop turning meanwhile; the progress reaches the bar in order, before the end.
// Returns the report; a read error is thrown here, on this thread.
ImportReport readInBackground(WordListReader& reader, WordBatch& batch, ProgressScope& progress,
                              std::atomic<bool>& cancel) {
    ImportReport report;
    std::exception_ptr failure;
    QEventLoop loop;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            report = readWordBatch(
                reader, batch,
                [&loop, &progress](int percent) {
                    QMetaObject::invokeMethod(
                        &loop, [&progress, percent] { progress.show(percent); },
                        Qt::QueuedConnection);
                },
                &cancel);
            // The sort of the new words too stays off the window's thread.
            if (!report.cancelled)
                batch.finish();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    worker->start();
    loop.exec();
    worker->wait();
    if (failure)
        std::rethrow_exception(failure);
    return report;
}

// The fill options, kept between runs; a value that is not one of these
// leaves the default.
const QString kVocabularyKey = QStringLiteral("Remplissage/Vocabulaire");
const QString kThoroughKey = QStringLiteral("Remplissage/PlusDeMotsCourants");
const char* const kVocabularyValues[] = {"courants", "etendu", "tout"};
constexpr Vocabulary kVocabularies[] = {Vocabulary::Common, Vocabulary::Extended,
                                        Vocabulary::Whole};

void readFillOptions(Document& doc) {
    const QSettings settings;
    const QString v = settings.value(kVocabularyKey).toString();
    for (std::size_t i = 0; i < std::size(kVocabularies); ++i)
        if (v == QLatin1String(kVocabularyValues[i]))
            doc.FillVocabulary = kVocabularies[i];
    doc.FillThorough = settings.value(kThoroughKey).toString() == QLatin1String("true");
}

void writeFillOptions(const Document& doc) {
    QSettings settings;
    for (std::size_t i = 0; i < std::size(kVocabularies); ++i)
        if (doc.FillVocabulary == kVocabularies[i])
            settings.setValue(kVocabularyKey, QLatin1String(kVocabularyValues[i]));
    settings.setValue(kThoroughKey, doc.FillThorough);
}

} // namespace

DictionaryController::DictionaryController(Document& document, Services& services,
                                           QMainWindow* window, MainView& view)
    : Controller(document, services, window, view) {
    readFillOptions(doc_);
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
    addCommand(this, "GrilleMenu", "fillOptions", QStringLiteral("&Options de remplissage..."),
               QStringLiteral("Choisir les mots que le remplissage automatique peut prendre"),
               &DictionaryController::fillOptionsClick);
}

FillOptionsDialog& DictionaryController::fillOptionsDialog() {
    return ownWindow(options_, [this] { return new FillOptionsDialog(window_); });
}

TAjout& DictionaryController::wordDialog() {
    return ownWindow(Ajout, [this] { return new TAjout(window_); });
}

TDico& DictionaryController::browser() {
    return ownWindow(Dico, [this] { return new TDico(window_); });
}

TStats& DictionaryController::statisticsWindow() {
    return ownWindow(Stats, [this] { return new TStats(window_); });
}

void DictionaryController::fillOptionsClick() {
    guard([this] {
        FillOptionsDialog& dialog = fillOptionsDialog();
        dialog.Init(doc_.FillVocabulary, doc_.FillThorough);
        services_.modal.run(dialog);
        if (dialog.result() != QDialog::Accepted)
            return;
        doc_.FillVocabulary = dialog.Result();
        doc_.FillThorough = dialog.ResultThorough();
        writeFillOptions(doc_);
    });
}

void DictionaryController::Verifie() { doc_.dictionary().check(); }

QByteArray DictionaryController::askWord(const QString& caption) {
    wordDialog().setWindowTitle(caption);
    services_.modal.run(wordDialog());
    return wordDialog().Result();
}

void DictionaryController::Ajoutermot1Click() {
    guard([this] {
        wordDialog().setScoreShown(true);
        const QByteArray word = askWord(QStringLiteral("Ajouter un mot"));
        wordDialog().setScoreShown(false);
        if (word.isEmpty())
            return;
        Dictionary& dictionary = doc_.dictionary();
        if (!dictionary.addWord(word)) {
            services_.messages.information(window_, QStringLiteral("Ce mot existe déjà"));
            return;
        }
        // The user wants the word: its score is the user's own.
        dictionary.setUserScore(word, wordDialog().Score());
        dictionary.sort();
    });
}

void DictionaryController::Supprimermot1Click() {
    guard([this] {
        const QByteArray word = askWord(QStringLiteral("Supprimer un mot"));
        if (word.isEmpty())
            return;
        if (!doc_.dictionary().removeWord(word))
            services_.messages.information(window_, QStringLiteral("Ce mot n'existe pas"));
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
        std::atomic<bool> cancel{false};
        {
            ProgressScope progress(view_);
            BusyScope busy(view_, [&cancel] { cancel = true; });
            WordBatch batch;
            report = readInBackground(reader, batch, progress, cancel);
            // "Annuler" leaves the dictionary as it was: it changes only here.
            if (cancel)
                return;
            report.added = doc_.dictionary().importWords(std::move(batch));
        }
        if (report.unknownEncoding)
            services_.messages.information(window_, unknownEncodingMessage(name));
    });
}

void DictionaryController::Dictionnaire1Click() {
    guard([this] {
        browser().setDictionary(&doc_.dictionary());
        browser().Init(doc_.dictionary().words());
        services_.modal.run(browser());
    });
}

void DictionaryController::Statistiques1Click() {
    guard([this] {
        statisticsWindow().Init(doc_.dictionary().words());
        services_.modal.run(statisticsWindow());
    });
}

} // namespace orv
