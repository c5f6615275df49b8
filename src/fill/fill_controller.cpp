// The fill command. The search reads a copy of the grid and the document's
// index (held unchanged meanwhile) on its own thread; the window only watches shared counters, and
// the grid changes once, on the user-interface thread, after the thread has ended.
#include "fill/fill_controller.h"

#include "document/document.h"
#include "fill/building_help_controller.h"
#include "fill/fill_progress_window.h"
#include "fill/fill_refusal.h"
#include "fill/fill_request.h"
#include "fill/fill_scores.h"
#include "fill/word_quality.h"
#include "grid/grid_slots.h"

#include <QKeySequence>

namespace orv {

FillController::FillController(Document& document, Services& services, QMainWindow* window,
                               MainView& view)
    : Controller(document, services, window, view) {
    QAction* fill =
        addCommand(this, "GrilleMenu", "fill", QStringLiteral("&Remplir la grille"),
                   QStringLiteral("Remplir les cases vides avec des mots du dictionnaire"),
                   &FillController::fillClick);
    fill->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    QAction* refuse = addCommand(
        this, "GrilleMenu", "refuseWord", QStringLiteral("Refuser ce &mot"),
        QStringLiteral("Remplacer le mot sous le curseur et ne plus le placer dans cette grille"),
        &FillController::refuseWordClick);
    // Also on the grid's own menu, under the right button.
    if (auto* grid = window->findChild<QWidget*>(QStringLiteral("StringGrid1"))) {
        grid->setContextMenuPolicy(Qt::ActionsContextMenu);
        grid->addAction(refuse);
    }
    // A new grid, or a new size, forgets the words refused.
    connect(&doc_, &Document::gridChanged, this, [this](bool dimensions) {
        if (dimensions || doc_.fileName() != refusedFile_)
            refused_.clear();
    });
}

QList<QByteArray> FillController::refusedWords() const {
    return doc_.fileName() == refusedFile_ ? refused_ : QList<QByteArray>();
}

int FillController::wordUnderCursor(const Grille& grille) const {
    const QPoint cell = view_.currentCell();
    if (!grille.isPlayingCell(cell.x(), cell.y()))
        return -1;
    SlotDirection first = SlotDirection::Horizontal;
    if (auto* help = window_->findChild<BuildingHelpController*>())
        first = help->typingDirection();
    const SlotDirection second =
        first == SlotDirection::Horizontal ? SlotDirection::Vertical : SlotDirection::Horizontal;
    const GridSlots slots(grille);
    for (const SlotDirection d : {first, second}) {
        const int s = slots.slotAt(cell.x(), cell.y(), d);
        if (s >= 0)
            return s;
    }
    return -1;
}

void FillController::refuseWordClick() {
    guard([this] {
        const Grille before = doc_.grille();
        const int slot = wordUnderCursor(before);
        if (slot < 0) {
            services_.messages.information(
                window_, QStringLiteral("Placez le curseur sur un mot de la grille."));
            return;
        }
        const GridSlots slots(before);
        const QByteArray word = slotPattern(before, slots[slot]);
        if (word.contains('.')) {
            services_.messages.information(window_,
                                           QStringLiteral("Le mot de la %1 n'est pas complet.")
                                               .arg(slotName(slots[slot], doc_.labelStyle())));
            return;
        }
        if (doc_.fileName() != refusedFile_) {
            refused_.clear();
            refusedFile_ = doc_.fileName();
        }
        if (!refused_.contains(word))
            refused_.append(word);
        const WordIndex& words = doc_.dictionary().index();
        const auto hold = doc_.dictionary().holdIndex();
        IndexClasses classes(words, doc_.dictionary().scores());
        classes.forbid(refused_);
        QualityOptions options;
        options.seed = std::uint64_t(services_.random.Random(1 << 30)) + 1;
        options.minScore = vocabularyFill(doc_.FillVocabulary).minScore;
        options.scoreWeight = kScoreWeight;
        options.timeLimitSeconds = timeLimitSeconds;
        options.effort = kRefusalEffort;
        const FillResult result = refuseWord(before, slot, classes, options);
        const QString text = QString::fromLatin1(word);
        if (result.status != FillStatus::Filled) {
            services_.messages.information(
                window_, QStringLiteral("Aucun remplissage sans %1 n'a été trouvé autour de la "
                                        "%2 : la grille est restée telle quelle.")
                             .arg(text, slotName(slots[slot], doc_.labelStyle())));
            return;
        }
        doc_.applyGridChange(
            gridDifference(before, result.grille, QStringLiteral("le refus de %1").arg(text)));
        view_.Remplit();
        view_.setStatusText(QStringLiteral("%1 refusé : ").arg(text) +
                            weakWordsText(fillQuality(result.grille, doc_.dictionary().scores())));
    });
}

QString FillController::failureMessage(const FillResult& result) const {
    switch (result.status) {
    case FillStatus::NoFill:
        if (result.blockedSlot >= 0)
            return QStringLiteral("Aucun mot du dictionnaire ne convient pour la %1 : %2.")
                .arg(result.blockedName, QString::fromLatin1(result.blockedPattern));
        return QStringLiteral("Aucun remplissage de cette grille n'est possible avec les mots du "
                              "dictionnaire.");
    case FillStatus::TimedOut:
        return QStringLiteral("Aucun remplissage trouvé en %1 secondes : la grille est restée "
                              "telle quelle.")
            .arg(timeLimitSeconds);
    case FillStatus::Stopped:
        return QStringLiteral("Remplissage arrêté : la grille est restée telle quelle.");
    case FillStatus::NothingToFill:
        return QStringLiteral("La grille n'a aucun mot à remplir.");
    case FillStatus::Filled:
        break;
    }
    return {};
}

bool FillController::goesOnDespite(const FillRefusal& refusal) {
    if (refusal.kind == FillRefusalKind::None)
        return true;
    const QString make = QStringLiteral("Créer une grille complète...");
    QStringList choices{make};
    // A grid without black squares may still have a fill (a small word
    // square): the user may ask for the search anyway.
    const bool mayTry = refusal.kind == FillRefusalKind::NoBlackSquare;
    if (mayTry)
        choices.append(QStringLiteral("Remplir quand même"));
    choices.append(QStringLiteral("Annuler"));
    const int answer = services_.messages.choice(window_, refusal.text, choices);
    if (answer == 0) {
        if (auto* maker = window_->findChild<QAction*>(QStringLiteral("makeGrid")))
            maker->trigger();
        return false;
    }
    return mayTry && answer == 1;
}

void FillController::fillClick() {
    guard([this] {
        const Grille before = doc_.grille();
        const GridSlots slots(before);
        if (slots.count() == 0) {
            services_.messages.information(window_,
                                           QStringLiteral("La grille n'a aucun mot à remplir."));
            return;
        }
        bool empty = false;
        for (const Slot& s : slots.slots())
            empty = empty || slotPattern(before, s).contains('.');
        if (!empty) {
            services_.messages.information(window_, QStringLiteral("La grille est déjà pleine."));
            return;
        }
        const WordIndex& words = doc_.dictionary().index();
        if (words.wordCount() == 0) {
            services_.messages.information(
                window_, QStringLiteral("Le dictionnaire ne contient aucun mot."));
            return;
        }

        if (!goesOnDespite(fillRefusal(before, slots, words, doc_.labelStyle())))
            return;

        FillShared shared;
        FillProgressWindow progress(shared, window_);
        const VocabularyFill vocabulary = vocabularyFill(doc_.FillVocabulary);
        FillRequest request;
        request.minScore = vocabulary.minScore;
        request.preferredScore = vocabulary.preferred;
        request.scoreWeight = kScoreWeight;
        request.effort = doc_.FillThorough ? FillEffort::Thorough : FillEffort::Default;
        request.seed = std::uint64_t(services_.random.Random(1 << 30)) + 1;
        request.timeLimitSeconds = timeLimitSeconds;
        request.stop = &shared.stop;
        request.threads = fillThreads(0);
        shared.threads = request.threads;
        request.progress = [&shared](const FillProgress& p) {
            shared.total = p.total;
            shared.placed = p.placed;
            shared.threads = p.threads;
        };
        FillResult result;
        // The worker reads the document's index: nothing may rebuild or
        // re-score it until the worker has ended.
        const auto hold = doc_.dictionary().holdIndex();
        IndexClasses classes(words, doc_.dictionary().scores());
        classes.forbid(refusedWords());
        request.classes = &classes;
        progress.runWhile([&] { result = fill(before, words, request); }, services_.modal);

        if (result.status != FillStatus::Filled) {
            if (result.blockedSlot >= 0 && result.blockedSlot < slots.count())
                result.blockedName = slotName(slots[result.blockedSlot], doc_.labelStyle());
            services_.messages.information(window_, failureMessage(result));
            return;
        }
        doc_.applyGridChange(
            gridDifference(before, result.grille, QStringLiteral("le remplissage de la grille")));
        view_.Remplit();
        // The words a reader may not know, for the setter to see and change.
        view_.setStatusText(QStringLiteral("Grille remplie : ") +
                            weakWordsText(fillQuality(result.grille, doc_.dictionary().scores())));
    });
}

} // namespace orv
