// The maker reads a copy of the grid and the document's index, held unchanged
// while it runs, so the user interface stays free and nothing it shares
// changes under it; the document sees the result only
// once, as one change.
#include "fill/grid_maker_controller.h"

#include "dictionary/word_index.h"
#include "dictionary/word_scores.h"
#include "fill/fill_controller.h"
#include "fill/fill_progress_window.h"
#include "fill/fill_scores.h"
#include "fill/grid_maker.h"
#include "fill/grid_maker_dialog.h"

namespace orv {

GridMakerController::GridMakerController(Document& document, Services& services,
                                         QMainWindow* window, MainView& view)
    : Controller(document, services, window, view) {
    addCommand(this, "GrilleMenu", "makeGrid", QStringLiteral("&Créer une grille complète..."),
               QStringLiteral("Placer les cases noires et les mots ensemble"),
               &GridMakerController::makeGridClick);
}

GridMakerDialog& GridMakerController::dialog() {
    return ownWindow(Dialogue, [this] { return new GridMakerDialog(window_); });
}

void GridMakerController::makeGridClick() {
    guard([this] { make(); });
}

void GridMakerController::make() {
    const Grille start = doc_.grille();
    dialog().Init(start.playingRows(), start.playingCols());
    services_.modal.run(dialog());
    if (dialog().result() != QDialog::Accepted)
        return;
    MakeOptions options = dialog().Result();
    options.seed = std::uint64_t(services_.random.Random(1 << 30)) + 1;
    options.timeLimitSeconds = timeLimitSeconds;

    // The document's index, with the scores as they stand (those set in the
    // browser too, before they are written to "Dicoscore.dat").
    const WordIndex& index = doc_.dictionary().index();
    const VocabularyFill vocabulary = vocabularyFill(dialog().vocabulary());
    options.minScore = vocabulary.minScore;
    options.scoreWeight = kScoreWeight;
    options.fill = [preferred = vocabulary.preferred](const Grille& g, const WordIndex& i,
                                                      const FillOptions& o) {
        return fillPreferringKnownWords(g, i, o, preferred);
    };
    if (index.wordCount() == 0) {
        services_.messages.information(window_,
                                       QStringLiteral("Le dictionnaire ne contient aucun mot."));
        return;
    }
    // The fill's progress window, under the maker's own title: it shows the
    // words placed in the pattern being tried.
    FillShared shared;
    FillProgressWindow progress(shared, window_);
    progress.setWindowTitle(QStringLiteral("Création de la grille"));
    options.stop = &shared.stop;
    options.progress = [&shared](const MakeProgress& p) {
        shared.total = p.total;
        shared.placed = p.placed;
    };
    MakeResult result;
    const auto hold = doc_.dictionary().holdIndex(); // the worker reads it
    IndexClasses classes(index, doc_.dictionary().scores());
    if (auto* fill = window_->findChild<FillController*>())
        classes.forbid(fill->refusedWords());
    options.classes = &classes;
    options.drafts = kMakerDrafts;
    progress.runWhile([&] { result = makeGrid(start, index, options); }, services_.modal);
    if (result.status == MakeStatus::Stopped) {
        services_.messages.information(
            window_, QStringLiteral("Création de la grille arrêtée : la grille n'a pas changé."));
        return;
    }
    switch (result.status) {
    case MakeStatus::Made:
        doc_.applyGridChange(gridDifference(start, result.grille,
                                            QStringLiteral("la création d'une grille complète")));
        view_.Remplit();
        view_.setStatusText(QStringLiteral("Grille créée : ") +
                            weakWordsText(fillQuality(result.grille, doc_.dictionary().scores())));
        break;
    case MakeStatus::Impossible:
        services_.messages.information(
            window_, QStringLiteral("Impossible de créer la grille : %1").arg(result.reason));
        break;
    case MakeStatus::TimedOut:
        services_.messages.information(
            window_, QStringLiteral("Aucune grille trouvée en %1 secondes : la grille n'a pas "
                                    "changé.")
                         .arg(timeLimitSeconds));
        break;
    case MakeStatus::Stopped:
        break;
    }
}

} // namespace orv
