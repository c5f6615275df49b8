// The small dialog "Options de remplissage": which words automatic filling
// may take, by their scores.
#pragma once

#include "dictionary/word_scores.h"

#include <QDialog>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace orv {

class FillOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit FillOptionsDialog(QWidget* parent = nullptr);

    // Shows the vocabulary and the thorough search in force before the dialog opens.
    void Init(Vocabulary vocabulary, bool thorough = false);
    // What was chosen when the dialog was confirmed, else what was given to Init.
    Vocabulary Result() const;
    bool ResultThorough() const;

    QRadioButton* RadioCourants = nullptr;
    QRadioButton* RadioEtendu = nullptr;
    QRadioButton* RadioTout = nullptr;
    // « Chercher plus de mots courants », open with « Mots courants » only.
    QCheckBox* thoroughBox = nullptr;
    QPushButton* Button1 = nullptr; // "OK"
    QPushButton* Button2 = nullptr; // "Annuler"

public Q_SLOTS:
    void done(int result) override;

private:
    Vocabulary given_ = Vocabulary::Common;
    Vocabulary chosen_ = Vocabulary::Common;
    bool givenThorough_ = false;
    bool chosenThorough_ = false;
};

} // namespace orv
