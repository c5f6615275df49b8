// The dictionary browser "Dictionnaire": the words of one initial letter at a
// time, chosen by the 26 letter buttons, the arrows or Page Down / Page Up.
// It reads a private copy of the dictionary and never changes it; each word
// shows its score at the right, and the score box shows the chosen word's
// score and sets the user's own.
#pragma once

#include "dictionary/word_list.h"

#include <QByteArray>
#include <QDialog>
#include <QList>

class QLabel;
class QListView;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace orv {

class WordBlockModel;
class Dictionary;

class TDico : public QDialog {
    Q_OBJECT
public:
    explicit TDico(QWidget* parent = nullptr);

    // Copies the dictionary and shows the letter "A".
    void Init(const WordList& list);
    // The scores shown and set for the chosen word (none: the box stays off).
    void setDictionary(Dictionary* dictionary);
    // Lists the words that begin with the letter.
    void AffMots(char letter);
    void SpeedButton1Click(); // next letter
    void SpeedButton2Click(); // previous letter
    // Page Down and Page Up change the letter; the key is then replaced by
    // Clear so that the focused control does not also page.
    void FormKeyDown(int& key);

    WordList CopieMots; // scrambled, in dictionary order
    char LettreCourante = 'A';

    QListView* ListBox1 = nullptr;
    QPushButton* Button27 = nullptr; // "Fermer"
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QLabel* LabelScore = nullptr;
    QSpinBox* SpinScore = nullptr;

protected:
    void done(int result) override; // FormClose
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLetterButtons(QWidget* panel);
    void buildScoreBox(QWidget* panel);
    // The plain word of the list's current line, or "".
    QByteArray currentWord() const;
    void showCurrentScore();
    void setCurrentScore(int score);

    WordBlockModel* words_ = nullptr;
    Dictionary* dictionary_ = nullptr;
    bool showingScore_ = false;
};

} // namespace orv
