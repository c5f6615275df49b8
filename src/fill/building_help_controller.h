// The help while building a grid, in the main window: the suggestions panel
// and its menu "Affi&chage", the fillability marks drawn over the grid, the
// grid check's window, the grid's statistics panel, the typing direction
// option, and the placing of a word found by the pattern search. It reads the document's pattern
// index, which follows the words and their scores.
#pragma once

#include "common/controller.h"
#include "dictionary/word_index.h"
#include "document/document.h"
#include "fill/grid_marks.h"
#include "fill/suggestion_lookahead.h"
#include "grid/grid_slots.h"

#include <QByteArray>
#include <QHash>
#include <optional>

namespace orv {

class GridCheckWindow;
class GridStatisticsPanel;
class StringGrid;
class SuggestionsPanel;

class BuildingHelpController : public Controller {
    Q_OBJECT
public:
    BuildingHelpController(Document& document, Services& services, QMainWindow* window,
                           MainView& view);

    // The pattern search window, created with the other windows.
    SuggestionsPanel* panel() const { return panel_; }
    GridCheckWindow* checkWindow() const { return check_; }
    GridStatisticsPanel* statisticsPanel() const { return statistics_; }
    const GridMarks& marks() const { return marks_; }
    // The cells tinted by « Marquer les mots rares » (empty while it is off).
    const std::vector<Cell>& rareCells() const { return rareCells_; }
    SlotDirection typingDirection() const { return direction_; }
    // The document's index, brought up to date with the words and scores first.
    const WordIndex& index();
    // The words of each list that the look-ahead marks, from the top (dead
    // ends go last, so the words after them move up and are tried too), and
    // the most it tries in one list.
    static constexpr int kLookAheadWords = 20;
    static constexpr int kLookAheadLimit = 300;
    SuggestionLookAhead& lookAhead() { return *lookAhead_; }
    // Stops the look-ahead and lets the index follow the words again; the
    // window calls it before the document goes.
    void stopLookAhead();

    // Writes a word into a slot of the grid as one change (letters already
    // there stay: the word fits them). False when it does not fit.
    bool placeWord(int slot, const QByteArray& word);

public Q_SLOTS:
    // A word double-clicked in the word search (`from`): placed, after a
    // question, in the slot of the current cell that it fits.
    void offerSearchWord(QWidget* from, const QByteArray& word);
    void suggestionsClick(bool shown);
    void markCellsClick(bool on);
    void markRareWordsClick(bool on);
    void advanceClick(bool on);
    void checkGridClick();
    void gridStatisticsClick(bool shown);

private:
    void refresh();
    void refreshPanel();
    // Marks the listed words already tried on this grid and sends the others
    // to the look-ahead.
    void startLookAhead();
    void outlookFound(int slot, const QByteArray& word, WordOutlook outlook);
    void refreshMarks();
    void refreshStatistics();
    void drawMarks(QPainter& painter, int col, int row, const QRect& rect) const;
    void refreshRareCells();
    void afterKey(const QChar& key, int col, int row);
    void showDirection();
    void moveToSlot(int slot);
    bool eventFilter(QObject* watched, QEvent* event) override;

    StringGrid* grid_ = nullptr;
    SuggestionsPanel* panel_ = nullptr;
    GridCheckWindow* check_ = nullptr;
    GridStatisticsPanel* statistics_ = nullptr;
    QAction* statisticsAction_ = nullptr;
    QAction* suggestionsAction_ = nullptr;
    QAction* marksAction_ = nullptr;
    QAction* rareAction_ = nullptr;
    std::vector<Cell> rareCells_;
    QAction* advanceAction_ = nullptr;
    GridSlots slots_;
    SuggestionLookAhead* lookAhead_ = nullptr;
    // Held while the look-ahead reads the index, so that nothing rebuilds it.
    std::optional<ScoredWordIndex::Hold> indexHold_;
    quint64 heldWords_ = 0; // the words' and the scores' revisions it was held at
    quint64 heldScores_ = 0;
    // The outlooks found for the grid `outlooksOf` ("slot:word" keys).
    QHash<QByteArray, WordOutlook> outlooks_;
    QByteArray outlooksOf_;
    GridMarks marks_;
    bool marksOn_ = false;
    bool marksStale_ = true; // the grid or the words changed since marks_
    bool advance_ = false;
    SlotDirection direction_ = SlotDirection::Horizontal;
};

} // namespace orv
