// Layout of the grid maker's dialog.
#include "fill/grid_maker_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace orv {

GridMakerDialog::GridMakerDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GridMakerDialog"));
    setWindowTitle(QStringLiteral("Créer une grille complète"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    maxBlackSquares = new QSpinBox(this);
    maxBlackSquares->setObjectName(QStringLiteral("maxBlackSquares"));
    form->addRow(QStringLiteral("Nombre maximal de cases noires"), maxBlackSquares);
    Vocabulaire = new QComboBox(this);
    Vocabulaire->setObjectName(QStringLiteral("Vocabulaire"));
    for (const Vocabulary v : {Vocabulary::Common, Vocabulary::Extended, Vocabulary::Whole})
        Vocabulaire->addItem(vocabularyName(v), int(v));
    form->addRow(QStringLiteral("Vocabulaire"), Vocabulaire);
    layout->addLayout(form);
    Symetrie = new QCheckBox(QStringLiteral("Symétrie centrale"), this);
    Symetrie->setObjectName(QStringLiteral("Symetrie"));
    CoteACote = new QCheckBox(QStringLiteral("Cases noires côte à côte permises"), this);
    CoteACote->setObjectName(QStringLiteral("CoteACote"));
    layout->addWidget(Symetrie);
    layout->addWidget(CoteACote);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    BoutonOK = new QPushButton(QStringLiteral("OK"), this);
    BoutonOK->setObjectName(QStringLiteral("BoutonOK"));
    BoutonOK->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("Annuler"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    buttons->addWidget(BoutonOK);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);
    connect(BoutonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void GridMakerDialog::Init(int rows, int columns) {
    maxBlackSquares->setRange(0, rows * columns);
    maxBlackSquares->setValue(defaultMaxBlacks(rows, columns));
}

MakeOptions GridMakerDialog::Result() const {
    MakeOptions o;
    o.maxBlacks = maxBlackSquares->value();
    o.symmetric = Symetrie->isChecked();
    o.adjacentBlacks = CoteACote->isChecked();
    return o;
}

Vocabulary GridMakerDialog::vocabulary() const {
    return Vocabulary(Vocabulaire->currentData().toInt());
}

} // namespace orv
