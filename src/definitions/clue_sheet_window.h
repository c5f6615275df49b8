// The clue sheet "Définitions des grilles", docked beside the grid: one clue
// per playing row under "Horizontalement" and one per playing column under
// "Verticalement", each grid with the row number or column letter in its
// fixed first column and the line's words above its clue; below them, the
// clues already written for the word under the grid's cursor.
#pragma once

#include "definitions/clue_exchange.h"
#include "definitions/clue_lines.h"

#include <QDockWidget>
#include <QPointer>
#include <QStyledItemDelegate>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace orv {

// The clue cells' editor: a one-line field that refuses what the grid file
// cannot hold, the characters it cannot write and more than it keeps of a
// clue; a longer clue (from an ipuz file) is shown whole and may only
// shrink. The sheet can end an edit in progress when it closes, so that
// what was typed is never lost.
class ClueDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // keyWatcher receives the editor's key events (the sheet counts typing).
    ClueDelegate(QObject* keyWatcher, QObject* parent);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    // The line's words in small grey letters above its clue.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    // Where a clue cell keeps its line's words ("CROATE · CAMAIS").
    static constexpr int WordsRole = Qt::UserRole + 1;
    // Writes the open editor's text into its cell and closes it.
    void finishEditing();

Q_SIGNALS:
    // The open editor's text, after each change.
    void editorTextChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finish(QWidget* edit);

    QObject* keyWatcher_;
    mutable QPointer<QLineEdit> editor_;
};

class TDefgrille : public QDockWidget {
    Q_OBJECT
public:
    explicit TDefgrille(QWidget* parent = nullptr);

    // Row counts of the two grids and the labels of their fixed column.
    void Init(int Lignes, int Colonnes, LabelStyle style = LabelStyle::Letters);
    bool GetMd() const { return Md; }

    // The clue column of both grids.
    void setClues(const SheetClues& clues);
    SheetClues clues() const;
    // The words of each row and column, shown above its clue.
    void setLineWords(const QList<QStringList>& rows, const QList<QStringList>& columns);
    // How many words of the grid have no clue yet.
    void setMissingCount(int missing);
    // The grid's cursor on playing row `row` and column `col`: both lines
    // become current in their grids, without answering with lineChosen.
    void followCursor(int col, int row);
    // The grid (rows or columns) the user last worked in.
    SlotDirection direction() const { return direction_; }
    // The clues already written for the word under the cursor, and its line's caption.
    void setStoredClues(const QString& caption, const std::vector<StoredClue>& clues);
    const std::vector<StoredClue>& storedClues() const { return stored_; }
    // Writes a clue being edited into its cell.
    void finishEditing();

    QWidget* Panel1 = nullptr;
    QPushButton* Button1 = nullptr; // "Fermer"
    // How many words have no clue yet.
    QLabel* LabelCompte = nullptr;
    // The length of the current clue against what a grid file holds.
    QLabel* LabelLongueur = nullptr;
    QLabel* Label1 = nullptr; // "Horizontalement"
    QTableWidget* StringGrid1 = nullptr;
    QLabel* Label2 = nullptr; // "Verticalement"
    QTableWidget* StringGrid2 = nullptr;
    // The line and the word under the cursor, then the clues written for it.
    QLabel* LabelMot = nullptr;
    QListWidget* ListeIndices = nullptr;

    void FormShow();
    void Button1Click();

Q_SIGNALS:
    // The user changed the clue of playing row (horizontal) or column `line`.
    void clueEdited(SlotDirection direction, int line, const QString& text);
    // The user moved to another line: playing row (horizontal) or column `line`.
    void lineChosen(SlotDirection direction, int line);
    // A stored clue was chosen (a key or a double click) to go into the line.
    void storedClueChosen(int index);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableWidget* makeGrid(const QString& name, QWidget* parent);
    void fillLabels(QTableWidget* grid, const QStringList& labels);
    void fillWords(QTableWidget* grid, const QList<QStringList>& words);
    // The current clue of the grid that last had the focus, or the text being typed.
    void showLength(const QString& text);
    void showCurrentLength(const QTableWidget* grid);
    void gridMoved(QTableWidget* grid, int row);

    bool Md = false;
    // Set while the sheet fills its own cells: no edit, no move to answer.
    bool filling_ = false;
    // Set while an edited clue is handed on.
    bool committing_ = false;
    SlotDirection direction_ = SlotDirection::Horizontal;
    std::vector<StoredClue> stored_;
    ClueDelegate* delegate1_ = nullptr;
    ClueDelegate* delegate2_ = nullptr;
};

} // namespace orv
