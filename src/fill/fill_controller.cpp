// The fill command. The search reads a copy of the grid and the document's
// index (held unchanged meanwhile) on its own thread; the window only watches shared counters, and
// the grid changes once, on the user-interface thread, after the thread has ended.
#include "fill/fill_controller.h"

#include "common/string_grid.h"
#include "document/document.h"
#include "fill/building_help_controller.h"
#include "fill/fill_progress_window.h"
#include "fill/fill_refusal.h"
#include "fill/fill_request.h"
#include "fill/fill_scores.h"
#include "fill/word_quality.h"
#include "grid/grid_slots.h"

#include <QKeySequence>
#include <QSet>

namespace orv {
namespace {

bool cellBefore(const Cell& a, const Cell& b) {
    return a.col != b.col ? a.col < b.col : a.row < b.row;
}

// The letters of `cells` in a grid, in order: what tells two fills apart.
QByteArray lettersOf(const Grille& g, const std::vector<Cell>& cells) {
    QByteArray letters;
    letters.reserve(qsizetype(cells.size()));
    for (const Cell& c : cells)
        letters.append(g.cell(c));
    return letters;
}

// Whether a search left a complete fill: filled, or stopped (by « Autre
// remplissage ») once it held one, which it keeps.
bool holdsFill(const FillResult& result) {
    if (result.status == FillStatus::Filled)
        return true;
    if (result.status != FillStatus::Stopped)
        return false;
    const Grille& g = result.grille;
    for (int c = 1; c < g.NbColonnes; ++c)
        for (int r = 1; r < g.NbLignes; ++r)
            if (g.isPlayingCell(c, r) && g.cell(c, r) == ' ')
                return false;
    return true;
}

} // namespace

FillController::FillController(Document& document, Services& services, QMainWindow* window,
                               MainView& view)
    : Controller(document, services, window, view) {
    QAction* fill =
        addCommand(this, "GrilleMenu", "fill", QStringLiteral("&Remplir la grille"),
                   QStringLiteral("Remplir les cases vides avec des mots du dictionnaire"),
                   &FillController::fillClick);
    fill->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    otherFill_ = addCommand(this, "GrilleMenu", "otherFill", QStringLiteral("&Autre remplissage"),
                            QStringLiteral("Remplir à nouveau les cases du dernier remplissage, "
                                           "autrement qu'avant"),
                            &FillController::otherFillClick);
    otherFill_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    otherFill_->setEnabled(false);
    fillSelection_ = addCommand(
        this, "GrilleMenu", "fillSelection", QStringLiteral("Rempl&ir la sélection"),
        QStringLiteral("Remplir les cases vides de la sélection sans changer les autres cases"),
        &FillController::fillSelectionClick);
    fillSelection_->setEnabled(false);
    QAction* refuse = addCommand(
        this, "GrilleMenu", "refuseWord", QStringLiteral("Refuser ce &mot"),
        QStringLiteral("Remplacer le mot sous le curseur et ne plus le placer dans cette grille"),
        &FillController::refuseWordClick);
    QAction* keep =
        addCommand(this, "GrilleMenu", "keepWord", QStringLiteral("&Garder ce mot"),
                   QStringLiteral("Garder le mot sous le curseur dans les autres remplissages"),
                   &FillController::keepWordClick);
    // Also on the grid's own menu, under the right button.
    if (auto* grid = window->findChild<StringGrid*>(QStringLiteral("StringGrid1"))) {
        grid->setContextMenuPolicy(Qt::ActionsContextMenu);
        grid->addAction(refuse);
        grid->addAction(keep);
        grid->setRangeSelection(true);
        connect(grid, &StringGrid::selectionChanged, this,
                [this, grid] { fillSelection_->setEnabled(!grid->selection().isNull()); });
    }
    // A new grid, or a new size, forgets the words refused, the last fill
    // and the words kept.
    connect(&doc_, &Document::gridChanged, this, [this](bool dimensions) {
        if (dimensions || doc_.fileName() != refusedFile_)
            refused_.clear();
        if (dimensions || doc_.fileName() != runFile_) {
            forgetRun();
            keptWords_.clear();
        }
    });
}

std::vector<Cell> FillController::keptCells() const {
    std::vector<Cell> cells;
    for (const auto& word : keptWords_)
        cells.insert(cells.end(), word.begin(), word.end());
    std::sort(cells.begin(), cells.end(), cellBefore);
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    return cells;
}

void FillController::forgetRun() {
    runCells_.clear();
    given_.clear();
    otherFill_->setEnabled(false);
}

void FillController::beginRun(const Grille& before, const Grille& filled, const QRect& within) {
    forgetRun();
    runFile_ = doc_.fileName();
    for (int c = 1; c < before.NbColonnes; ++c)
        for (int r = 1; r < before.NbLignes; ++r)
            if (before.cell(c, r) == ' ' && (within.isNull() || within.contains(c, r)))
                runCells_.push_back({c, r});
    given_.push_back(filled);
    otherFill_->setEnabled(!runCells_.empty());
}

// A cell of the last run is filled again when it is empty or holds the letter
// one of the fills given put there (the setter may have undone the last one),
// unless a kept word crosses it; a word the setter wrote over the fill's
// letters (a full slot that no fill given holds) stays whole.
std::vector<Cell> FillController::refillableCells(const Grille& now) const {
    const std::vector<Cell> kept = keptCells();
    auto isKept = [&](const Cell& c) {
        return std::binary_search(kept.begin(), kept.end(), c, cellBefore);
    };
    QSet<int> setters;
    auto key = [](int col, int row) { return col * kCellSide + row; };
    for (const Cell& c : runCells_) {
        const char now1 = now.cell(c);
        bool fills = now1 == ' ';
        for (const Grille& g : given_)
            fills = fills || g.cell(c) == now1;
        if (!fills)
            setters.insert(key(c.col, c.row));
    }
    const GridSlots slots(now);
    for (const Slot& s : slots.slots()) {
        const QByteArray word = slotPattern(now, s);
        bool touched = false;
        for (const SlotCell& c : s.cells)
            touched = touched || setters.contains(key(c.col, c.row));
        if (!touched || word.contains('.'))
            continue;
        bool given = false;
        for (const Grille& g : given_)
            given = given || slotPattern(g, s) == word;
        if (!given)
            for (const SlotCell& c : s.cells)
                setters.insert(key(c.col, c.row));
    }
    std::vector<Cell> cells;
    for (const Cell& c : runCells_)
        if (!isKept(c) && !setters.contains(key(c.col, c.row)))
            cells.push_back(c);
    return cells;
}

void FillController::runFill(Step step) {
    // The look-ahead of the suggestions would only slow the fill down.
    if (auto* help = window_->findChild<BuildingHelpController*>())
        help->lookAhead().cancel();
    FillShared shared;
    FillProgressWindow progress(shared, window_);
    const VocabularyFill vocabulary = vocabularyFill(doc_.FillVocabulary);
    FillRequest request;
    request.minScore = vocabulary.minScore;
    request.preferredScore = vocabulary.preferred;
    request.scoreWeight = kScoreWeight;
    request.effort = doc_.FillThorough ? FillEffort::Thorough : FillEffort::Default;
    request.timeLimitSeconds = timeLimitSeconds;
    request.stop = &shared.stop;
    request.threads = fillThreads(0);
    shared.threads = request.threads;
    request.progress = [&shared](const FillProgress& p) {
        shared.total = p.total;
        shared.placed = p.placed;
        shared.threads = p.threads;
    };
    // Each fill the search takes goes through the step's refusals; the first
    // it takes tells the window that a fill exists.
    request.accept = [&shared, &step](const Grille& filled) {
        if (step.accept && !step.accept(filled))
            return false;
        shared.filled = true;
        return true;
    };
    FillResult result;
    // The worker reads the document's index: nothing may rebuild or
    // re-score it until the worker has ended.
    const WordIndex& words = doc_.dictionary().index();
    const auto hold = doc_.dictionary().holdIndex();
    IndexClasses classes(words, doc_.dictionary().scores());
    classes.forbid(refusedWords());
    request.classes = &classes;
    request.seed = std::uint64_t(services_.random.Random(1 << 30)) + 1;
    const FillProgressWindow::Work work = [&] { result = fill(step.start, words, request); };
    bool finished = false; // the last step was finished in the window
    QString why;
    // Between two searches, on this thread: after « Autre remplissage » in the
    // window, the fill the search holds (stopped, it keeps the best it found)
    // is the step's result, and the other fill's search comes next.
    auto next = [&]() -> FillProgressWindow::Work {
        if (!shared.another || !holdsFill(result))
            return nullptr;
        result.status = FillStatus::Filled;
        step.finish(result);
        std::optional<Step> other = otherFillStep(why);
        if (!other) {
            finished = true;
            return nullptr;
        }
        step = std::move(*other);
        shared.reset();
        request.seed = std::uint64_t(services_.random.Random(1 << 30)) + 1;
        return work;
    };
    progress.runWhile(work, services_.modal, next);
    if (!finished)
        step.finish(result);
    else if (!why.isEmpty())
        services_.messages.information(window_, why);
}

std::optional<FillController::Step> FillController::otherFillStep(QString& why) {
    if (given_.empty())
        return std::nullopt;
    const Grille now = doc_.grille();
    const std::vector<Cell> cells = refillableCells(now);
    if (cells.empty()) {
        why = QStringLiteral("Tous les mots du dernier remplissage sont gardés : il n'y a rien à "
                             "remplir à nouveau.");
        return std::nullopt;
    }
    Step step;
    step.start = now;
    for (const Cell& c : cells)
        step.start.cell(c) = ' ';
    // Never a fill already given, nor the grid as it stands.
    QSet<QByteArray> seen;
    for (const Grille& g : given_)
        seen.insert(lettersOf(g, runCells_));
    seen.insert(lettersOf(now, runCells_));
    step.accept = [seen, compared = runCells_](const Grille& filled) {
        return !seen.contains(lettersOf(filled, compared));
    };
    step.finish = [this, now, cells](const FillResult& result) {
        // Only the cells filled again change: the rest of a selection's fill
        // stays as the setter left it.
        const std::optional<Grille> taken =
            cellsOfFill(result, now, cells, QStringLiteral("Il n'y a pas d'autre remplissage."));
        if (!taken)
            return;
        const Grille& after = *taken;
        given_.push_back(after);
        doc_.applyGridChange(gridDifference(now, after, QStringLiteral("un autre remplissage")));
        view_.Remplit();
        view_.setStatusText(QStringLiteral("Autre remplissage : ") +
                            weakWordsText(fillQuality(after, doc_.dictionary().scores())));
    };
    return step;
}

void FillController::otherFillClick() {
    guard([this] {
        QString why;
        std::optional<Step> step = otherFillStep(why);
        if (step)
            runFill(std::move(*step));
        else if (!why.isEmpty())
            services_.messages.information(window_, why);
    });
}

void FillController::keepWordClick() {
    guard([this] {
        const Grille& g = doc_.grille();
        const int slot = wordUnderCursor(g);
        if (slot < 0) {
            services_.messages.information(
                window_, QStringLiteral("Placez le curseur sur un mot de la grille."));
            return;
        }
        const GridSlots slots(g);
        const Slot& s = slots[slot];
        const QByteArray word = slotPattern(g, s);
        if (word.contains('.')) {
            services_.messages.information(window_,
                                           QStringLiteral("Le mot de la %1 n'est pas complet.")
                                               .arg(slotName(s, doc_.labelStyle())));
            return;
        }
        std::vector<Cell> cells;
        for (const SlotCell& c : s.cells)
            cells.push_back({c.col, c.row});
        if (doc_.fileName() != runFile_) {
            forgetRun();
            keptWords_.clear();
            runFile_ = doc_.fileName();
        }
        // Asked again on a kept word, the command lets it go.
        const auto known = std::find(keptWords_.begin(), keptWords_.end(), cells);
        if (known != keptWords_.end()) {
            keptWords_.erase(known);
            view_.setStatusText(
                QStringLiteral("%1 n'est plus gardé.").arg(QString::fromLatin1(word)));
            return;
        }
        keptWords_.push_back(cells);
        view_.setStatusText(QStringLiteral("%1 gardé : « Autre remplissage » ne le changera pas.")
                                .arg(QString::fromLatin1(word)));
    });
}

void FillController::fillSelectionClick() {
    guard([this] {
        auto* grid = window_->findChild<StringGrid*>(QStringLiteral("StringGrid1"));
        const QRect selection = grid ? grid->selection() : QRect();
        if (selection.isNull()) {
            services_.messages.information(
                window_, QStringLiteral("Sélectionnez des cases de la grille (avec la souris ou "
                                        "Maj et les flèches)."));
            return;
        }
        const Grille before = doc_.grille();
        std::vector<Cell> cells;
        for (int c = selection.left(); c <= selection.right(); ++c)
            for (int r = selection.top(); r <= selection.bottom(); ++r)
                if (before.isPlayingCell(c, r) && before.cell(c, r) == ' ')
                    cells.push_back({c, r});
        if (cells.empty()) {
            services_.messages.information(window_,
                                           QStringLiteral("La sélection n'a aucune case vide."));
            return;
        }
        if (doc_.dictionary().index().wordCount() == 0) {
            services_.messages.information(
                window_, QStringLiteral("Le dictionnaire ne contient aucun mot."));
            return;
        }
        runFill({before, nullptr, [this, before, cells, selection](const FillResult& result) {
                     const std::optional<Grille> after = cellsOfFill(
                         result, before, cells,
                         QStringLiteral("Aucun remplissage de la grille ne complète la "
                                        "sélection avec les mots du dictionnaire : la grille "
                                        "est restée telle quelle."));
                     if (!after)
                         return;
                     doc_.applyGridChange(gridDifference(
                         before, *after, QStringLiteral("le remplissage de la sélection")));
                     beginRun(before, *after, selection);
                     view_.Remplit();
                     view_.setStatusText(
                         QStringLiteral("Sélection remplie : ") +
                         weakWordsText(fillQuality(*after, doc_.dictionary().scores())));
                 }});
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
        if (!given_.empty())
            given_.push_back(result.grille);
        view_.Remplit();
        view_.setStatusText(QStringLiteral("%1 refusé : ").arg(text) +
                            weakWordsText(fillQuality(result.grille, doc_.dictionary().scores())));
    });
}

std::optional<Grille> FillController::cellsOfFill(const FillResult& result, const Grille& base,
                                                  const std::vector<Cell>& cells,
                                                  const QString& noFill) {
    if (result.status != FillStatus::Filled) {
        services_.messages.information(
            window_, result.status == FillStatus::NoFill ? noFill : failureMessage(result));
        return std::nullopt;
    }
    Grille after = base;
    for (const Cell& c : cells)
        after.cell(c) = result.grille.cell(c);
    return after;
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

        runFill({before, nullptr, [this, before](const FillResult& filled) {
                     if (filled.status != FillStatus::Filled) {
                         FillResult result = filled;
                         const GridSlots slots(before);
                         if (result.blockedSlot >= 0 && result.blockedSlot < slots.count())
                             result.blockedName =
                                 slotName(slots[result.blockedSlot], doc_.labelStyle());
                         services_.messages.information(window_, failureMessage(result));
                         return;
                     }
                     doc_.applyGridChange(gridDifference(
                         before, filled.grille, QStringLiteral("le remplissage de la grille")));
                     beginRun(before, filled.grille, QRect());
                     view_.Remplit();
                     // The words a reader may not know, for the setter to see and change.
                     view_.setStatusText(
                         QStringLiteral("Grille remplie : ") +
                         weakWordsText(fillQuality(filled.grille, doc_.dictionary().scores())));
                 }});
    });
}

} // namespace orv
