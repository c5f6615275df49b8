// The dictionary's commands of the main window (add, delete, import) and its
// file at start-up and exit.
#include "app/main_window.h"

#include "common/string_grid.h"
#include "common/text_file.h"
#include "dictionary/dictionary_rules.h"
#include "dictionary/scramble.h"
#include "dictionary/word_dialog.h"

#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QLayout>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <atomic>
#include <exception>
#include <memory>

namespace orv {
namespace {

const QString kDictionaryFile = QStringLiteral("Dicogrd.dat");
const QString kWordListFilter =
    QStringLiteral("Fichiers texte (*.txt)|*.txt|tous les fichiers (*.*)|*.*");

// The progress bar stands in for the status bar while an import runs, with
// an "Annuler" button at its right end, and gives the place back however the
// import ends.
class ProgressInPlaceOfStatus {
public:
    ProgressInPlaceOfStatus(QMainWindow& window, QProgressBar& bar, QStatusBar& status,
                            std::atomic<bool>& cancel)
        : window_(window), bar_(bar), status_(status) {
        bar_.setValue(0);
        bar_.show();
        status_.hide();
        settle();
        cancel_ = bar_.findChild<QPushButton*>(QStringLiteral("AnnulerImport"));
        if (!cancel_) {
            cancel_ = new QPushButton(QStringLiteral("Annuler"), &bar_);
            cancel_->setObjectName(QStringLiteral("AnnulerImport"));
        }
        cancel_->setGeometry(bar_.width() - 80, 0, 80, bar_.height());
        cancel_->setEnabled(true);
        cancel_->show();
        QObject::connect(cancel_, &QPushButton::clicked, cancel_, [this, &cancel] {
            cancel = true;
            cancel_->setEnabled(false);
        });
    }
    ~ProgressInPlaceOfStatus() {
        QObject::disconnect(cancel_, &QPushButton::clicked, nullptr, nullptr);
        cancel_->hide();
        bar_.hide();
        status_.show();
    }
    // Painted at once whenever its figure changes.
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
    QPushButton* cancel_ = nullptr;
};

// While an import reads its list the window stays responsive (it repaints,
// "Annuler" works) but takes no command and does not close.
class BusyWindow : public QObject {
public:
    explicit BusyWindow(TMainForm& w) : w_(w) {
        for (QWidget* x : {static_cast<QWidget*>(w.menuBar()),
                           w.findChild<QWidget*>(QStringLiteral("SpeedPanel")),
                           static_cast<QWidget*>(w.StringGrid1)})
            if (x && x->isEnabled()) {
                x->setEnabled(false);
                disabled_.append(x);
            }
        w_.installEventFilter(this);
    }
    ~BusyWindow() override {
        w_.removeEventFilter(this);
        for (QWidget* x : disabled_)
            x->setEnabled(true);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::Close)
            return false;
        e->ignore();
        return true;
    }

private:
    TMainForm& w_;
    QList<QWidget*> disabled_;
};

// Reads the word list into a batch on a worker thread, the event loop
// turning meanwhile; the progress reaches the bar in order, before the end.
// Returns the report; a read error is thrown here, on this thread.
ImportReport readInBackground(WordListReader& reader, WordBatch& batch,
                              ProgressInPlaceOfStatus& progress, std::atomic<bool>& cancel) {
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
        std::atomic<bool> cancel{false};
        {
            ProgressInPlaceOfStatus progress(*this, *ProgressBar1, *StatusBar, cancel);
            BusyWindow busy(*this);
            WordBatch batch;
            report = readInBackground(reader, batch, progress, cancel);
            // "Annuler" leaves the dictionary as it was: it changes only here.
            if (cancel)
                return;
            report.added = ListeMots.merge(std::move(batch));
            Tri();
        }
        noteWordsChanged(*this);
        if (report.unknownEncoding)
            services_.messages.information(this, unknownEncodingMessage(name));
    });
}

} // namespace orv
