// The definitions editor "Définitions des mots": a word, its definition, and
// a list of the entries around the current one. Its rules live in
// DefinitionsEditor; this window shows them and routes keys and clicks.
#pragma once

#include "definitions/definitions_editor.h"

#include <QDialog>
#include <QListWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace orv {

class MessageService;

// The list box of the editor: a click or a key that moves the selection
// reports the chosen row, and the editor then decides what is selected.
class DefinitionListBox : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;
    QSize sizeHint() const override;

Q_SIGNALS:
    void rowChosen(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class TDefinitions : public QDialog {
    Q_OBJECT
public:
    // messages asks before an edit replaces a definition longer than the field.
    explicit TDefinitions(MessageService& messages, QWidget* parent = nullptr);

    void Init(const QList<QByteArray>& list);
    void Result(QList<QByteArray>& list, bool& changed);

    const DefinitionsEditor& editor() const { return editor_; }

    QWidget* Panel1 = nullptr;
    QToolButton* SpeedButton2 = nullptr; // previous
    QToolButton* SpeedButton1 = nullptr; // next
    QPushButton* Button1 = nullptr;      // "Fermer"
    QLineEdit* Edit1 = nullptr;          // word
    QPushButton* Button2 = nullptr;      // "Ajouter"
    QPushButton* Button3 = nullptr;      // "Supprimer"
    QLineEdit* Edit2 = nullptr;          // definition
    QLabel* LabelLongueur = nullptr;     // the definition's length against the field's
    DefinitionListBox* ListBox1 = nullptr;

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void ListBox1Click(int row);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Page Down and Page Up in the fields and the list; true when handled.
    bool FormKeyDown(QKeyEvent* event);
    bool Edit1KeyPress(QKeyEvent* event);
    bool Edit2KeyPress(QKeyEvent* event);
    void focusWordForNext();
    // Before the fields are written: when that would replace a definition
    // longer than the field, asks whether to write the field's text, keep the
    // whole definition, or stop. False to stop.
    bool acceptsWriting();
    void showLength();
    // The fields' texts into the editor before a command, and the editor's
    // state back onto the screen after it.
    void lisChamps();
    void affiche();
    template <typename F> void commande(F&& step);

    MessageService& messages_;
    DefinitionsEditor editor_;
};

} // namespace orv
