// The dictionary browser "Dictionnaire": the words of one initial letter at a
// time, chosen by the 26 letter buttons, the arrows or Page Down / Page Up.
// It reads a private copy of the dictionary and never changes it.
#pragma once

#include "dictionary/word_list.h"

#include <QByteArray>
#include <QDialog>
#include <QList>

class QListView;
class QPushButton;
class QToolButton;

namespace orv {

class WordBlockModel;

class TDico : public QDialog {
    Q_OBJECT
public:
    explicit TDico(QWidget* parent = nullptr);

    // Copies the dictionary and shows the letter "A".
    void Init(const WordList& list);
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

protected:
    void done(int result) override; // FormClose
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLetterButtons(QWidget* panel);

    WordBlockModel* words_ = nullptr;
};

} // namespace orv
