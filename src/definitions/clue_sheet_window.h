// The clue sheet "Définitions des grilles": one clue per playing row under
// "Horizontalement" and one per playing column under "Verticalement", each
// grid with the row number or column letter in its fixed first column.
#pragma once

#include "definitions/clue_exchange.h"

#include <QDialog>
#include <QPointer>
#include <QStyledItemDelegate>

class QLabel;
class QLineEdit;
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

class TDefgrille : public QDialog {
    Q_OBJECT
public:
    explicit TDefgrille(QWidget* parent = nullptr);

    // Row counts of the two grids and the labels of their fixed column.
    void Init(int Lignes, int Colonnes, LabelStyle style = LabelStyle::Letters);
    bool GetMd() const { return Md; }

    // The clue column of both grids.
    void setClues(const SheetClues& clues);
    SheetClues clues() const;

    QWidget* Panel1 = nullptr;
    QPushButton* Button1 = nullptr; // "Fermer"
    // The length of the current clue against what a grid file holds.
    QLabel* LabelLongueur = nullptr;
    QLabel* Label1 = nullptr; // "Horizontalement"
    QTableWidget* StringGrid1 = nullptr;
    QLabel* Label2 = nullptr; // "Verticalement"
    QTableWidget* StringGrid2 = nullptr;

    void FormShow();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableWidget* makeGrid(const QString& name);
    void fillLabels(QTableWidget* grid, const QStringList& labels);
    // The current clue of the grid that last had the focus, or the text being typed.
    void showLength(const QString& text);
    void showCurrentLength(const QTableWidget* grid);

    bool Md = false;
    ClueDelegate* delegate1_ = nullptr;
    ClueDelegate* delegate2_ = nullptr;
};

} // namespace orv
