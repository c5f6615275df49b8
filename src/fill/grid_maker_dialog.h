// The dialog of "Créer une grille complète...": the maximum of black squares
// (12 % of the cells unless changed), central symmetry, and whether black
// squares may touch side by side, and the vocabulary. The choices are kept between showings,
// except the maximum, which follows the grid's size.
#pragma once

#include "dictionary/word_scores.h"
#include "fill/grid_maker.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

namespace orv {

class GridMakerDialog : public QDialog {
    Q_OBJECT
public:
    explicit GridMakerDialog(QWidget* parent = nullptr);

    // Sets the maximum to its default for this many playing rows and columns.
    void Init(int rows, int columns);
    // The choices, as the maker's options (seed and stop left to the caller).
    MakeOptions Result() const;
    // The words the grid may take.
    Vocabulary vocabulary() const;

    QSpinBox* maxBlackSquares = nullptr;
    QCheckBox* Symetrie = nullptr;
    QCheckBox* CoteACote = nullptr;
    QComboBox* Vocabulaire = nullptr; // "Mots courants" first
    QPushButton* BoutonOK = nullptr;
    QPushButton* cancelButton = nullptr;
};

} // namespace orv
