// « Mots fléchés »: the window where an arrow-word grid is edited. The grid
// takes the letters typed as the crossword grid does; a cell becomes a
// definition cell with the space bar or its context menu, and its arrows are
// chosen with the keys 1 to 4 (or Ctrl and the arrow keys, Shift for the
// bent arrows) or the same menu. The side panel edits the clues of the
// current definition cell and lists the faults of the layout. Every change
// is one undo step.
#pragma once

#include "arrowword/arrow_document.h"
#include "arrowword/arrow_make_commands.h"
#include "common/services.h"

#include <QDialog>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollArea;
class QSpinBox;

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

private:
    ArrowWordWindow& window_;
    double cellSize_ = 64;
};

class ArrowWordWindow : public QDialog {
    Q_OBJECT
public:
    ArrowWordWindow(Services& services, QWidget* parent = nullptr);

    // A new empty grid, or one read from `path`.
    void startGrid(const ArrowGrid& grid, const QString& path = {});

    const ArrowDocument& document() const { return doc_; }
    Cell current() const { return current_; }
    void setCurrent(Cell cell);

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

private:
    void apply(const ArrowGrid& after, const QString& label);
    void refresh();
    void arrowChosen(int index);
    void clueEdited(int index);
    template <typename F> bool guarded(F action);

    Services& services_;
    ArrowDocument doc_;
    Cell current_{1, 1};
    bool across_ = true; // typing runs right, else down
    bool refreshing_ = false;
    QMenu* menu_ = nullptr;
    QScrollArea* scroll_ = nullptr;
};

} // namespace orv
