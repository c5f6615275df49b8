// The help while building a grid, wired into the main window. Everything is
// recomputed at once after each change of the grid or move of the cursor:
// the suggestions take well under a few milliseconds on a real grid and the
// marks a few more, so no delay or worker thread is needed. Only the
// look-ahead from the listed words, a bounded fill per word, runs on a worker
// thread; its answers are kept for the grid they were found on, so that
// moving the cursor back and forth keeps the marks.
#include "fill/building_help_controller.h"

#include "common/string_grid.h"
#include "fill/fill_scores.h"
#include "fill/grid_check.h"
#include "fill/grid_check_window.h"
#include "fill/grid_statistics_panel.h"
#include "fill/suggestions.h"
#include "fill/suggestions_panel.h"
#include "publish/crossword_grid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListView>
#include <QPainter>
#include <QSettings>

namespace orv {
namespace {

const QString kSuggestionsKey = QStringLiteral("Affichage/Suggestions");

// The commands that change the dictionary's words or scores: the panel and
// the marks follow them (the document's index follows the words and scores).
const char* const kDictionaryCommands[] = {"Ajoutermot1", "Supprimermot1", "Importerfichier1",
                                           "Dictionnaire1"};

} // namespace

BuildingHelpController::BuildingHelpController(Document& document, Services& services,
                                               QMainWindow* window, MainView& view)
    : Controller(document, services, window, view) {
    setObjectName(QStringLiteral("BuildingHelp"));
    grid_ = window->findChild<StringGrid*>(QStringLiteral("StringGrid1"));
    lookAhead_ = new SuggestionLookAhead(this);
    connect(lookAhead_, &SuggestionLookAhead::outlookFound, this,
            &BuildingHelpController::outlookFound);
    // Once the words asked for are tried, the dead ends among them have let
    // other words up to the first of the lists: those are tried next.
    connect(lookAhead_, &SuggestionLookAhead::idle, this, [this] {
        if (lookAhead_->busy())
            return;
        indexHold_.reset();
        if (suggestionsAction_->isChecked() &&
            panel_->model(SlotDirection::Horizontal).rowCount() +
                    panel_->model(SlotDirection::Vertical).rowCount() >
                0)
            startLookAhead();
    });

    panel_ = new SuggestionsPanel(window);
    panel_->hide();
    window->addDockWidget(Qt::RightDockWidgetArea, panel_);
    connect(panel_, &SuggestionsPanel::wordChosen, this, [this](int slot, const QByteArray& word) {
        guard([&] { placeWord(slot, word); });
        if (grid_)
            grid_->setFocus();
    });

    suggestionsAction_ =
        view_.addCommand(QStringLiteral("AffichageMenu"), QStringLiteral("suggestions"),
                         QStringLiteral("&Suggestions"),
                         QStringLiteral("Afficher les mots qui conviennent à la case courante"));
    suggestionsAction_->setCheckable(true);
    suggestionsAction_->setShortcut(QKeySequence(Qt::Key_F4));
    connect(panel_, &SuggestionsPanel::closedByUser, suggestionsAction_,
            [this] { suggestionsAction_->setChecked(false); });
    connect(suggestionsAction_, &QAction::toggled, this, &BuildingHelpController::suggestionsClick);

    marksAction_ = view_.addCommand(QStringLiteral("AffichageMenu"), QStringLiteral("markCells"),
                                    QStringLiteral("&Marquer les cases bloquées"),
                                    QStringLiteral("Marquer les cases qu'aucune lettre ne remplit "
                                                   "et celles qu'une seule lettre remplit"));
    marksAction_->setCheckable(true);
    connect(marksAction_, &QAction::toggled, this, &BuildingHelpController::markCellsClick);

    rareAction_ = view_.addCommand(QStringLiteral("AffichageMenu"), QStringLiteral("markRareWords"),
                                   QStringLiteral("Marquer les mots &rares"),
                                   QStringLiteral("Teinter les cases des mots qu'un lecteur "
                                                  "risque de ne pas connaître"));
    rareAction_->setCheckable(true);
    connect(rareAction_, &QAction::toggled, this, &BuildingHelpController::markRareWordsClick);

    advanceAction_ = view_.addCommand(QStringLiteral("AffichageMenu"), QStringLiteral("advance"),
                                      QStringLiteral("Avancer après une &lettre"),
                                      QStringLiteral("Passer à la case suivante après chaque "
                                                     "lettre (Tab change de sens)"));
    advanceAction_->setCheckable(true);
    connect(advanceAction_, &QAction::toggled, this, &BuildingHelpController::advanceClick);

    addCommand(this, "GrilleMenu", "checkGrid", QStringLiteral("&Vérifier la grille"),
               QStringLiteral("Vérifier les mots de la grille"),
               &BuildingHelpController::checkGridClick);

    statisticsAction_ =
        view_.addCommand(QStringLiteral("GrilleMenu"), QStringLiteral("gridStatistics"),
                         QStringLiteral("&Statistiques de la grille"),
                         QStringLiteral("Afficher les mots par longueur, les cases noires et "
                                        "les mots courants de la grille"));
    statisticsAction_->setCheckable(true);
    connect(statisticsAction_, &QAction::toggled, this,
            &BuildingHelpController::gridStatisticsClick);

    for (const char* name : kDictionaryCommands)
        if (auto* action = window->findChild<QAction*>(QString::fromLatin1(name)))
            connect(action, &QAction::triggered, this, [this] { refresh(); });
    connect(&doc_, &Document::gridChanged, this, [this] { refresh(); });
    connect(&doc_, &Document::labelStyleChanged, this, [this] { refreshPanel(); });

    if (grid_) {
        connect(grid_, &StringGrid::currentChanged, this, [this] { refreshPanel(); });
        // The marks are drawn over what the grid's own drawing leaves.
        auto drawCell = grid_->onDrawCell;
        grid_->onDrawCell = [this, drawCell](QPainter& p, int c, int r, const QRect& rect) {
            if (drawCell)
                drawCell(p, c, r, rect);
            if (marksOn_)
                drawMarks(p, c, r, rect);
            if (std::binary_search(rareCells_.begin(), rareCells_.end(), Cell{c, r},
                                   [](const Cell& a, const Cell& b) {
                                       return a.col != b.col ? a.col < b.col : a.row < b.row;
                                   }))
                p.fillRect(cellPaintRect(rect), QColor(255, 150, 0, 90));
        };
        auto keyPress = grid_->onKeyPress;
        grid_->onKeyPress = [this, keyPress](QChar& key) {
            const int col = grid_->col();
            const int row = grid_->row();
            if (keyPress)
                keyPress(key);
            afterKey(key, col, row);
        };
        grid_->installEventFilter(this);
    }

    suggestionsAction_->setChecked(QSettings().value(kSuggestionsKey, false).toBool());
}

const WordIndex& BuildingHelpController::index() {
    // While the look-ahead holds the index, a change of the words or scores
    // waits for it to stop, then the index follows.
    Dictionary& d = doc_.dictionary();
    if (indexHold_ && (heldWords_ != d.revision() || heldScores_ != d.scores().revision()))
        stopLookAhead();
    return d.index();
}

void BuildingHelpController::stopLookAhead() {
    lookAhead_->wait();
    indexHold_.reset();
}

// ---------------------------------------------------------------- commands

void BuildingHelpController::suggestionsClick(bool shown) {
    panel_->setVisible(shown);
    QSettings().setValue(kSuggestionsKey, shown);
    if (shown)
        refreshPanel();
}

void BuildingHelpController::gridStatisticsClick(bool shown) {
    if (!statistics_) {
        statistics_ = new GridStatisticsPanel(window_);
        statistics_->hide();
        window_->addDockWidget(Qt::RightDockWidgetArea, statistics_);
        connect(statistics_, &GridStatisticsPanel::closedByUser, statisticsAction_,
                [this] { statisticsAction_->setChecked(false); });
    }
    statistics_->setVisible(shown);
    if (shown)
        guard([this] { refreshStatistics(); });
}

void BuildingHelpController::markCellsClick(bool on) {
    marksOn_ = on;
    if (on)
        refreshMarks();
    if (grid_)
        grid_->update();
}

void BuildingHelpController::markRareWordsClick(bool on) {
    guard([this] { refreshRareCells(); });
    if (on && rareCells_.empty())
        view_.setStatusText(QStringLiteral("La grille n'a aucun mot rare."));
    if (grid_)
        grid_->update();
}

void BuildingHelpController::refreshRareCells() {
    rareCells_.clear();
    if (rareAction_->isChecked())
        rareCells_ = weakWordCells(doc_.grille(), doc_.dictionary().scores());
}

void BuildingHelpController::advanceClick(bool on) {
    advance_ = on;
    if (on)
        showDirection();
    else
        view_.setStatusText(QString());
}

void BuildingHelpController::checkGridClick() {
    guard([this] {
        const Grille& g = doc_.grille();
        slots_ = GridSlots(g);
        // The search of a fill takes up to a second.
        struct WaitCursor {
            WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
            ~WaitCursor() { QApplication::restoreOverrideCursor(); }
        } wait;
        GridCheckReport report =
            checkWholeGrid(g, slots_, index(), doc_.labelStyle(), minimumScore(Vocabulary::Whole));
        if (!check_) {
            check_ = new GridCheckWindow(window_);
            connect(check_, &GridCheckWindow::slotChosen, this,
                    &BuildingHelpController::moveToSlot);
        }
        check_->setReport(std::move(report));
        check_->show();
        check_->raise();
        check_->activateWindow();
    });
}

bool BuildingHelpController::placeWord(int slot, const QByteArray& word) {
    const Grille& g = doc_.grille();
    slots_ = GridSlots(g);
    if (slot < 0 || slot >= slots_.count())
        return false;
    const Slot& s = slots_[slot];
    if (!fitsPattern(word, slotPattern(g, s)))
        return false;
    GridChange change(QStringLiteral("la pose du mot %1 en %2")
                          .arg(QString::fromLatin1(word), slotName(s, doc_.labelStyle())));
    for (int p = 0; p < s.length(); ++p)
        change.setCell(s.cells[std::size_t(p)].col, s.cells[std::size_t(p)].row, word[p]);
    doc_.applyGridChange(std::move(change));
    return true;
}

// ---------------------------------------------------------------- following the grid

void BuildingHelpController::refresh() {
    marksStale_ = true;
    if (marksOn_)
        refreshMarks();
    refreshPanel();
    refreshStatistics();
    if (rareAction_->isChecked())
        refreshRareCells();
    if ((marksOn_ || rareAction_->isChecked()) && grid_)
        grid_->update();
}

void BuildingHelpController::refreshPanel() {
    if (!suggestionsAction_->isChecked()) {
        lookAhead_->cancel();
        return;
    }
    const Grille& g = doc_.grille();
    const QPoint cell = view_.currentCell();
    if (!g.isPlayingCell(cell.x(), cell.y())) {
        lookAhead_->cancel();
        panel_->showSuggestions({}, {}, nullptr);
        return;
    }
    const WordIndex& words = index();
    slots_ = GridSlots(g);
    const int across = slots_.slotAt(cell.x(), cell.y(), SlotDirection::Horizontal);
    const int down = slots_.slotAt(cell.x(), cell.y(), SlotDirection::Vertical);
    if (marksStale_)
        refreshMarks();
    const int minScore = minimumScore(Vocabulary::Whole);
    SlotSuggestions acrossWords = suggestWords(g, slots_, across, words, minScore, &marks_);
    SlotSuggestions downWords = suggestWords(g, slots_, down, words, minScore, &marks_);
    // Titled as the grid labels its rows and columns.
    for (SlotSuggestions* s : {&acrossWords, &downWords})
        if (s->slot >= 0)
            s->title = slotTitle(slots_[s->slot], doc_.labelStyle());
    panel_->showSuggestions(acrossWords, downWords, &words);
    startLookAhead();
}

void BuildingHelpController::startLookAhead() {
    const Grille& g = doc_.grille();
    QByteArray cells(g.Cases.data(), qsizetype(g.Cases.size()));
    cells += QByteArray::number(g.NbLignes) + 'x' + QByteArray::number(g.NbColonnes);
    Dictionary& d = doc_.dictionary();
    if (cells != outlooksOf_ || heldWords_ != d.revision() ||
        heldScores_ != d.scores().revision()) {
        outlooks_.clear();
        outlooksOf_ = cells;
    }
    // The words tried are the first of each list that are not dead ends: a
    // dead end goes to the end of its list, so the next words move up and
    // are tried in turn, up to kLookAheadLimit words a list.
    std::vector<LookAheadItem> perList[2];
    for (const SlotDirection dir : {SlotDirection::Horizontal, SlotDirection::Vertical}) {
        SuggestionListModel& list = panel_->model(dir);
        const int slot = list.suggestions().slot;
        const QByteArray prefix = QByteArray::number(slot) + ':';
        int tried = 0;
        for (auto it = outlooks_.cbegin(); it != outlooks_.cend(); ++it)
            tried += it.key().startsWith(prefix);
        std::vector<LookAheadItem>& items = perList[dir == SlotDirection::Vertical];
        // Known marks first (a dead end moves its row, so the row is read again).
        for (int row = 0, moves = 0; row < std::min(kLookAheadWords, list.rowCount());) {
            const QByteArray word = list.word(row);
            const auto known = outlooks_.constFind(prefix + word);
            if (known != outlooks_.cend() && list.outlook(row) != *known) {
                panel_->setOutlook(slot, word, *known);
                if (*known == WordOutlook::DeadEnd && ++moves <= list.rowCount())
                    continue;
            }
            if (known == outlooks_.cend() && tried + int(items.size()) < kLookAheadLimit)
                items.push_back({slot, word});
            ++row;
        }
    }
    // Both lists side by side, best words first.
    std::vector<LookAheadItem> items;
    for (std::size_t k = 0; k < perList[0].size() || k < perList[1].size(); ++k)
        for (const auto& list : perList)
            if (k < list.size())
                items.push_back(list[k]);
    if (items.empty()) {
        lookAhead_->cancel();
        return;
    }
    // The fill's own vocabulary, so that a word marked as leading to a full
    // grid is one that « Remplir la grille » then fills around.
    const int minScore =
        std::max(minimumScore(Vocabulary::Whole), vocabularyFill(doc_.FillVocabulary).minScore);
    const WordIndex& words = index();
    if (!indexHold_) {
        indexHold_.emplace(d.holdIndex());
        heldWords_ = d.revision();
        heldScores_ = d.scores().revision();
    }
    lookAhead_->start(g, std::move(items), words, minScore);
}

void BuildingHelpController::outlookFound(int slot, const QByteArray& word, WordOutlook outlook) {
    outlooks_.insert(QByteArray::number(slot) + ':' + word, outlook);
    panel_->setOutlook(slot, word, outlook);
}

void BuildingHelpController::refreshStatistics() {
    if (!statistics_ || !statisticsAction_->isChecked())
        return;
    const Grille& g = doc_.grille();
    slots_ = GridSlots(g);
    statistics_->showStatistics(gridStatistics(g, slots_, index(), doc_.dictionary().scores()));
}

void BuildingHelpController::refreshMarks() {
    const Grille& g = doc_.grille();
    slots_ = GridSlots(g);
    // A word of score 0 is hidden: neither offered nor counted in a crossing,
    // so the marks and the suggestions rule out the same words.
    marks_ = computeGridMarks(g, slots_, index(), minimumScore(Vocabulary::Whole));
    marksStale_ = false;
}

void BuildingHelpController::drawMarks(QPainter& painter, int col, int row,
                                       const QRect& rect) const {
    const Grille& g = doc_.grille();
    if (!g.isPlayingCell(col, row) || g.cell(col, row) != ' ')
        return;
    const QRect r = cellPaintRect(rect);
    switch (marks_.mark(col, row)) {
    case CellMark::Dead:
        painter.fillRect(r, QColor(255, 80, 80));
        break;
    case CellMark::Forced: {
        painter.setPen(QColor(150, 150, 150));
        painter.setBackgroundMode(Qt::TransparentMode);
        painter.setFont(grid_->font());
        const QFontMetrics fm(painter.font());
        painter.drawText(r.left() + 3, r.top() + fm.ascent(),
                         QString(QChar(marks_.forcedLetter(col, row))));
        break;
    }
    case CellMark::None:
        break;
    }
}

// ---------------------------------------------------------------- typing direction

void BuildingHelpController::afterKey(const QChar& key, int col, int row) {
    if (!advance_ || !grid_)
        return;
    const Grille& g = doc_.grille();
    const char typed = char(key.toUpper().unicode());
    if (typed < 'A' || typed > 'Z' || !g.isPlayingCell(col, row) || g.cell(col, row) != typed)
        return;
    const int nextCol = direction_ == SlotDirection::Horizontal ? col + 1 : col;
    const int nextRow = direction_ == SlotDirection::Horizontal ? row : row + 1;
    if (g.isPlayingCell(nextCol, nextRow))
        grid_->setCurrent(nextCol, nextRow);
}

void BuildingHelpController::showDirection() {
    view_.setStatusText(direction_ == SlotDirection::Horizontal
                            ? QStringLiteral("Saisie horizontale (Tab : verticale)")
                            : QStringLiteral("Saisie verticale (Tab : horizontale)"));
}

bool BuildingHelpController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && advance_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            direction_ = direction_ == SlotDirection::Horizontal ? SlotDirection::Vertical
                                                                 : SlotDirection::Horizontal;
            showDirection();
            return true;
        }
    }
    return Controller::eventFilter(watched, event);
}

// ---------------------------------------------------------------- moving and the search window

void BuildingHelpController::moveToSlot(int slot) {
    slots_ = GridSlots(doc_.grille());
    if (!grid_ || slot < 0 || slot >= slots_.count())
        return;
    const Slot& s = slots_[slot];
    direction_ = s.direction;
    grid_->setCurrent(s.cells[0].col, s.cells[0].row);
    grid_->setFocus();
    refreshPanel();
}

void BuildingHelpController::offerSearchWord(QWidget* from, const QByteArray& word) {
    const Grille& g = doc_.grille();
    const QPoint cell = view_.currentCell();
    if (word.isEmpty() || !g.isPlayingCell(cell.x(), cell.y()))
        return;
    slots_ = GridSlots(g);
    // The typing direction's slot first, then the other one.
    const SlotDirection other = direction_ == SlotDirection::Horizontal ? SlotDirection::Vertical
                                                                        : SlotDirection::Horizontal;
    for (const SlotDirection dir : {direction_, other}) {
        const int s = slots_.slotAt(cell.x(), cell.y(), dir);
        if (s < 0 || slots_[s].length() != word.size())
            continue;
        const QString name = slotName(slots_[s], doc_.labelStyle());
        const QString text = QString::fromLatin1(word);
        QWidget* parent = from ? from : window_;
        if (!fitsPattern(word, slotPattern(g, slots_[s]))) {
            services_.messages.information(
                parent, QStringLiteral("%1 ne convient pas aux lettres de la %2 (%3)")
                            .arg(text, name, QString::fromLatin1(slotPattern(g, slots_[s]))));
            return;
        }
        if (services_.messages.question(parent,
                                        QStringLiteral("Placer %1 en %2 ?").arg(text, name)) ==
            MessageService::Answer::Yes)
            guard([&] { placeWord(s, word); });
        return;
    }
    view_.setStatusText(
        QStringLiteral("Aucun mot de %1 lettres ne passe par la case courante").arg(word.size()));
}

} // namespace orv
