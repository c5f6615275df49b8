// The fill options dialog.
#include "dictionary/fill_options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orv {
namespace {

// Under a radio button, or further in under the box that sits under one.
QLabel* explanation(const QString& text, QWidget* parent, int indent = 22) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setIndent(indent);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, p.color(QPalette::Disabled, QPalette::WindowText));
    label->setPalette(p);
    return label;
}

} // namespace

FillOptionsDialog::FillOptionsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FillOptionsDialog"));
    setWindowTitle(QStringLiteral("Options de remplissage"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Mots que le remplissage peut prendre :"), this));
    RadioCourants = new QRadioButton(vocabularyName(Vocabulary::Common), this);
    RadioCourants->setObjectName(QStringLiteral("RadioCourants"));
    RadioEtendu = new QRadioButton(vocabularyName(Vocabulary::Extended), this);
    RadioEtendu->setObjectName(QStringLiteral("RadioEtendu"));
    RadioTout = new QRadioButton(vocabularyName(Vocabulary::Whole), this);
    RadioTout->setObjectName(QStringLiteral("RadioTout"));
    layout->addWidget(RadioCourants);
    layout->addWidget(explanation(
        QStringLiteral("Des mots connus de tous (score %1 ou plus) partout où la grille le "
                       "permet ; les autres mots seulement où il en manque.")
            .arg(kFrequentScore),
        this));
    thoroughBox = new QCheckBox(QStringLiteral("Chercher plus de mots courants"), this);
    thoroughBox->setObjectName(QStringLiteral("thoroughBox"));
    auto* thorough = new QHBoxLayout;
    thorough->addSpacing(22);
    thorough->addWidget(thoroughBox);
    layout->addLayout(thorough);
    layout->addWidget(explanation(
        QStringLiteral("Une fois la grille remplie, le remplissage cherche plus longtemps à "
                       "remplacer les mots moins connus\u00a0: un remplissage plus lent (de "
                       "quelques dixièmes de seconde en général)."),
        this, 44));
    connect(RadioCourants, &QRadioButton::toggled, thoroughBox, &QWidget::setEnabled);
    layout->addWidget(RadioEtendu);
    layout->addWidget(explanation(
        QStringLiteral("Tous les mots sauf les formes verbales rares (passé simple, subjonctif "
                       "imparfait) et les mots de score inférieur à %1 ; les plus courants "
                       "d'abord.")
            .arg(minimumScore(Vocabulary::Extended)),
        this));
    layout->addWidget(RadioTout);
    layout->addWidget(explanation(
        QStringLiteral("Tout le dictionnaire sauf les mots de score 0 ; les plus courants "
                       "d'abord."),
        this));

    auto* buttons = new QDialogButtonBox(this);
    Button1 = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setFixedWidth(360);
    setFixedHeight(sizeHint().height());
}

void FillOptionsDialog::Init(Vocabulary vocabulary, bool thorough) {
    given_ = chosen_ = vocabulary;
    givenThorough_ = chosenThorough_ = thorough;
    RadioCourants->setChecked(vocabulary == Vocabulary::Common);
    RadioEtendu->setChecked(vocabulary == Vocabulary::Extended);
    RadioTout->setChecked(vocabulary == Vocabulary::Whole);
    thoroughBox->setChecked(thorough);
    thoroughBox->setEnabled(vocabulary == Vocabulary::Common);
}

Vocabulary FillOptionsDialog::Result() const { return chosen_; }

bool FillOptionsDialog::ResultThorough() const { return chosenThorough_; }

void FillOptionsDialog::done(int result) {
    chosen_ = given_;
    chosenThorough_ = givenThorough_;
    if (result == QDialog::Accepted) {
        // Kept while another vocabulary is chosen, for when « Mots courants » comes back.
        chosenThorough_ = thoroughBox->isChecked();
        if (RadioEtendu->isChecked())
            chosen_ = Vocabulary::Extended;
        else if (RadioTout->isChecked())
            chosen_ = Vocabulary::Whole;
        else
            chosen_ = Vocabulary::Common;
    }
    QDialog::done(result);
}

} // namespace orv
