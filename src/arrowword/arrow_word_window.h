// « Mots fléchés »: the window where an arrow-word grid is edited. The grid
// takes the letters typed as the crossword grid does; a cell becomes a
// definition cell with the space bar or its context menu, and its arrows are
// chosen with the keys 1 to 4 (or Ctrl and the arrow keys, Shift for the
// bent arrows) or the same menu. The side panel edits the clues of the
// current definition cell, lists every clue of the grid (editable there too),
// offers the clues already written for the current clue's word, shortest
// first, and lists the faults of the layout. A clue too long for its cell on
// the printed page is marked in the grid and in the lists. Every change is
// one undo step.
#pragma once

#include "arrowword/arrow_document.h"
#include "arrowword/arrow_make_commands.h"
#include "common/services.h"
#include "definitions/clue_lines.h"

#include <QDialog>
#include <QHash>
#include <QWidget>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTableWidget;

namespace orv {

// The size of a new grid.
class ArrowSizeDialog : public QDialog {
    Q_OBJECT
public:
    explicit ArrowSizeDialog(QWidget* parent = nullptr);
    QSpinBox* rowsBox = nullptr;
    QSpinBox* columnsBox = nullptr;
};

class ArrowWordWindow;

// The grid itself: paints the document and passes keys and clicks to the window.
class ArrowGridView : public QWidget {
    Q_OBJECT
public:
    ArrowGridView(ArrowWordWindow& window, QWidget* parent);
    QSize sizeHint() const override;
    double cellSize() const { return cellSize_; }
    // The cell under a point of the widget, or {0, 0}.
    Cell cellAt(QPointF point) const;
    QPointF cellCentre(Cell cell) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    ArrowWordWindow& window_;
    double cellSize_ = 64;
};

class ArrowWordWindow : public QDialog {
    Q_OBJECT
public:
    ArrowWordWindow(Services& services, QWidget* parent = nullptr);
    ~ArrowWordWindow() override;

    // A new empty grid, or one read from `path`.
    void startGrid(const ArrowGrid& grid, const QString& path = {});

    const ArrowDocument& document() const { return doc_; }
    Cell current() const { return current_; }
    void setCurrent(Cell cell);
    // The clue worked on: its index in the current definition cell.
    int currentClue() const { return currentClue_; }
    void setCurrentClue(Cell cell, int index);

    // Where the clues already written for a word come from (none by default).
    using StoredClueSource = std::function<std::vector<StoredClue>(const QString& word)>;
    void setStoredClueSource(StoredClueSource source);
    // The clues offered for the current clue's word, shortest first.
    const std::vector<StoredClue>& storedClues() const { return stored_; }
    // Puts the offered clue at `index` into the current clue.
    void placeStoredClue(int index);

    // Whether the text fits the clue's part of its cell on the printed page.
    bool clueFits(const QString& text, int index, int count) const;
    bool clueFits(Cell cell, int index) const;
    // How many clues of the grid are too long for their cell.
    int tooLongCount() const;

    // The edits of the keys and menus, each one undo step.
    void toggleDefinition();
    void toggleArrow(ArrowDirection direction);
    void typeLetter(char letter);
    void eraseLetter(bool moveBack);
    void moveBy(int dc, int dr);
    // The menu of a cell, as the right button shows it.
    QMenu* cellMenu();

    ArrowGridView* view = nullptr;
    QLabel* cellLabel = nullptr;
    QComboBox* arrowBoxes[kMaxCellClues] = {};
    QLineEdit* clueEdits[kMaxCellClues] = {};
    // Every clue of the grid: its cell and arrow, its word, its text (editable).
    QTableWidget* clueList = nullptr;
    QLabel* tooLongLabel = nullptr;
    // The clues already written for the current clue's word.
    QLabel* storedLabel = nullptr;
    QListWidget* storedList = nullptr;
    QListWidget* problems = nullptr;
    QPushButton* undoButton = nullptr;
    QPushButton* redoButton = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* saveAsButton = nullptr;
    QPushButton* exportButton = nullptr;
    QPushButton* closeButton = nullptr;
    QPushButton* makeButton = nullptr;
    QPushButton* fillButton = nullptr;
    // The words that the maker and the fill place.
    ArrowWords words;

public Q_SLOTS:
    void undoClick();
    void redoClick();
    // True when the grid was written.
    bool saveClick();
    bool saveAsClick();
    void exportClick();
    // « Créer une grille de mots fléchés »: a complete grid of the current
    // size; « Remplir »: the words of the layout. Each is one undo step.
    void makeClick();
    void fillClick();
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply(const ArrowGrid& after, const QString& label);
    void refresh();
    void refreshClueList();
    void refreshStoredClues();
    void markClueEdit(int index);
    void arrowChosen(int index);
    void clueEdited(int index);
    void listClueEdited(int row, int column);
    void listRowChosen(int row);
    void setClueText(Cell cell, int index, const QString& text);
    template <typename F> bool guarded(F action);

    Services& services_;
    ArrowDocument doc_;
    Cell current_{1, 1};
    int currentClue_ = 0;
    bool across_ = true; // typing runs right, else down
    bool refreshing_ = false;
    QMenu* menu_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    StoredClueSource storedSource_;
    std::vector<StoredClue> stored_;
    QString storedWord_;
    // The fitting is measured with the font at several sizes: kept per text.
    mutable QHash<QString, bool> fits_;
};

} // namespace orv
