// The dictionary's commands of the main window (add, delete, import) and its
// file at start-up and exit.
#include "app/main_window.h"

#include "common/text_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/scramble.h"
#include "dictionary/word_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QProgressBar>
#include <QStatusBar>

namespace orv {
namespace {

const QString kDictionaryFile = QStringLiteral("Dicogrd.dat");
const QString kWordListFilter =
    QStringLiteral("Fichiers texte (*.txt)|*.txt|tous les fichiers (*.*)|*.*");

// The progress bar stands in for the status bar while an import runs, and
// gives the place back however the import ends.
class ProgressInPlaceOfStatus {
public:
    ProgressInPlaceOfStatus(QMainWindow& window, QProgressBar& bar, QStatusBar& status)
        : window_(window), bar_(bar), status_(status) {
        bar_.setValue(0);
        bar_.show();
        status_.hide();
        settle();
    }
    ~ProgressInPlaceOfStatus() {
        bar_.hide();
        status_.show();
    }
    // The import holds the event loop, so the bar paints itself at once
    // whenever its figure changes.
    void show(int percent) {
        if (percent == bar_.value())
            return;
        bar_.setValue(percent);
        bar_.repaint();
    }

private:
    // Lays the window out now rather than at the next turn of the event loop,
    // so the bar has its place before it first paints.
    void settle() {
        if (QLayout* l = window_.centralWidget()->layout())
            l->activate();
        if (QLayout* l = window_.layout())
            l->activate();
        bar_.repaint();
    }
    QMainWindow& window_;
    QProgressBar& bar_;
    QStatusBar& status_;
};

// Every change of the dictionary sets the shared Modifie (the save question)
// and the dictionary's own flag, which only writing the file clears.
void noteWordsChanged(TMainForm& w) {
    w.grille.Modifie = true;
    w.MotsModifies = true;
}

// The word typed in the word dialog under the command's caption, or "".
QByteArray askWord(TMainForm& w, const QString& caption) {
    w.Ajout->setWindowTitle(caption);
    w.services().modal.run(*w.Ajout);
    return w.Ajout->Result();
}

} // namespace

void TMainForm::ChargeDictionnaire() {
    ListeMots.clear();
    const QByteArray data = FichierMots.read();
    ListeMots.parse(data);
    FichierMots.noteDropped(linesAfterNul(data));
}

void TMainForm::EcritDictionnaire() {
    const QString side = FichierMots.write(ListeMots.fileBytes(), services_.clock.now(),
                                           MotsModifies && ListeMots.count() > 0);
    MotsModifies = false;
    if (!side.isEmpty())
        services_.messages.information(this, dictionaryKeptBesideMessage(FichierMots, side));
}

void TMainForm::Verifie() { FichierMots.noteDropped(orv::Verifie(ListeMots)); }

void TMainForm::Tri() { orv::Tri(ListeMots); }

void TMainForm::Ajoutermot1Click() {
    guard([this] {
        const QByteArray word = askWord(*this, QStringLiteral("Ajouter un mot"));
        if (word.isEmpty())
            return;
        const QByteArray scrambled = Crypte(word);
        if (ListeMots.contains(scrambled)) {
            services_.messages.information(this, QStringLiteral("Ce mot existe déjà"));
            return;
        }
        ListeMots.append(scrambled);
        noteWordsChanged(*this);
        Tri();
    });
}

void TMainForm::Supprimermot1Click() {
    guard([this] {
        const QByteArray word = askWord(*this, QStringLiteral("Supprimer un mot"));
        if (word.isEmpty())
            return;
        const qsizetype at = ListeMots.indexOf(Crypte(word));
        if (at < 0) {
            services_.messages.information(this, QStringLiteral("Ce mot n'existe pas"));
            return;
        }
        ListeMots.removeAt(at);
        noteWordsChanged(*this);
    });
}

void TMainForm::Importerfichier1Click() {
    guard([this] {
        const QString path = services_.files.openFile(this, kWordListFilter,
                                                      FileDialogService::Existing::NotRequired);
        if (path.isEmpty())
            return;
        if (!QFileInfo::exists(path)) {
            services_.messages.information(this, QStringLiteral("Le fichier n'existe pas"));
            return;
        }
        const QString name = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
        WordListReader reader(path, name, false);
        ImportReport report;
        {
            ProgressInPlaceOfStatus progress(*this, *ProgressBar1, *StatusBar);
            report = importWordList(ListeMots, reader,
                                    [&progress](int percent) { progress.show(percent); });
            Tri();
        }
        noteWordsChanged(*this);
        if (report.unknownEncoding)
            services_.messages.information(this, unknownEncodingMessage(name));
    });
}

} // namespace orv
