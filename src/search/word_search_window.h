// The word search window "Utilitaire de recherche de mots": a length, twelve
// pattern boxes filled from a letter panel, and the list of the dictionary's
// words that fit. Its boxes, length, results and count stay as the user left
// them from one opening to the next.
#pragma once

#include "dictionary/word_list.h"
#include "search/pattern_search.h"

#include <QByteArray>
#include <QDialog>
#include <QLabel>
#include <QList>
#include <QSpinBox>
#include <array>

class QFrame;
class QHeaderView;
class QLineEdit;
class QListView;
class QPushButton;

namespace orv {

class WordBlockModel;

// A pattern box: a one-character label that takes clicks, and Space or Enter
// when it has the keyboard focus.
class PatternBox : public QLabel {
    Q_OBJECT
public:
    explicit PatternBox(QWidget* parent = nullptr);
Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The length field: any number may be typed; one out of range goes to the
// nearest bound when the field loses the focus, and no number at all counts
// as the smallest length.
class LengthSpinBox : public QSpinBox {
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
};

class TRMots : public QDialog {
    Q_OBJECT
public:
    explicit TRMots(QWidget* parent = nullptr);

    // Takes a private copy of the dictionary for the searches of this opening.
    void Init(const WordList& list);

    // A click on the box of position 1 to 12 (Label2 to Label13).
    void LabelClick(int position);
    // A click on a panel button: 'A' to 'Z', or '.' for a free position.
    void SpeedButtonClick(char character);
    void Lettre();
    void Button1Click(); // "C"
    void Button2Click(); // "Rechercher"

    PatternBox* box(int position) const { return boxes_[size_t(position - 1)]; }

    WordList CopieMots;
    SearchPattern pattern;

    LengthSpinBox* SpinEdit1 = nullptr;
    QHeaderView* Header1 = nullptr;
    QPushButton* Button1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QListView* ListBox1 = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

protected:
    void showEvent(QShowEvent* event) override; // FormShow
    void done(int result) override;             // FormClose
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildPatternRow();
    void buildLetterPanel();

    std::array<PatternBox*, kPatternBoxes> boxes_{};
    WordSearchIndex index_;
    WordBlockModel* results_ = nullptr;
};

} // namespace orv
