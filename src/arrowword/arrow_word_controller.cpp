// The arrow-word commands.
#include "arrowword/arrow_word_controller.h"

#include "arrowword/arrow_file.h"
#include "arrowword/arrow_word_window.h"
#include "definitions/clue_lines.h"
#include "document/document.h"
#include "fill/fill_controller.h"

#include <QSpinBox>

namespace orv {

ArrowWordController::ArrowWordController(Document& document, Services& services,
                                         QMainWindow* window, MainView& view)
    : Controller(document, services, window, view) {
    addCommand(this, "FileMenu", "newArrowGrid",
               QStringLiteral("Nouvelle grille de &mots fléchés..."),
               QStringLiteral("Créer une grille de mots fléchés"),
               &ArrowWordController::newArrowGridClick);
    addCommand(this, "FileMenu", "openArrowGrid",
               QStringLiteral("Ouvrir une grille de mots &fléchés..."),
               QStringLiteral("Ouvrir une grille de mots fléchés"),
               &ArrowWordController::openArrowGridClick);
}

ArrowWordWindow& ArrowWordController::arrowWindow() {
    return ownWindow(arrowWindow_, [this] {
        auto* window = new ArrowWordWindow(services_, window_);
        // The clues already written come from where the clue sheet takes them.
        window->setStoredClueSource([this](const QString& word) {
            return storedClues(doc_.clueBase(), doc_.definitions(), word);
        });
        window->words.dictionary = &doc_.dictionary();
        window->words.vocabulary = [this] { return doc_.FillVocabulary; };
        window->words.refused = [this] {
            const auto* fill = window_->findChild<FillController*>();
            return fill ? fill->refusedWords() : QList<QByteArray>();
        };
        return window;
    });
}

ArrowSizeDialog& ArrowWordController::sizeDialog() {
    return ownWindow(sizeDialog_, [this] { return new ArrowSizeDialog(window_); });
}

void ArrowWordController::newArrowGridClick() {
    guard([this] {
        ArrowSizeDialog& dialog = sizeDialog();
        dialog.setResult(QDialog::Rejected);
        services_.modal.run(dialog);
        if (dialog.result() != QDialog::Accepted)
            return;
        ArrowWordWindow& window = arrowWindow();
        window.startGrid(ArrowGrid(dialog.rowsBox->value(), dialog.columnsBox->value()));
        services_.modal.run(window);
    });
}

void ArrowWordController::openArrowGridClick() {
    guard([this] {
        const QString path = services_.files.openFile(window_, arrowFileFilter());
        if (!path.isEmpty())
            showArrowFile(path);
    });
}

bool ArrowWordController::openArrowFile(const QString& path) {
    return guard([this, &path] { showArrowFile(path); });
}

void ArrowWordController::showArrowFile(const QString& path) {
    // Read and checked whole before the window shows.
    const ArrowGrid grid = loadArrowFile(path);
    ArrowWordWindow& window = arrowWindow();
    window.startGrid(grid, path);
    services_.modal.run(window);
}

} // namespace orv
