// The small dialog "Options de remplissage": which words automatic filling
// may take, by their scores.
#pragma once

#include "dictionary/word_scores.h"

#include <QDialog>

class QPushButton;
class QRadioButton;

namespace orv {

class TOptionsRemplissage : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsRemplissage(QWidget* parent = nullptr);

    // Shows the vocabulary in force before the dialog opens.
    void Init(Vocabulary vocabulary);
    // The vocabulary chosen when the dialog was confirmed, else the one given to Init.
    Vocabulary Result() const;

    QRadioButton* RadioCourants = nullptr;
    QRadioButton* RadioEtendu = nullptr;
    QRadioButton* RadioTout = nullptr;
    QPushButton* Button1 = nullptr; // "OK"
    QPushButton* Button2 = nullptr; // "Annuler"

public Q_SLOTS:
    void done(int result) override;

private:
    Vocabulary given_ = Vocabulary::Common;
    Vocabulary chosen_ = Vocabulary::Common;
};

} // namespace orv
