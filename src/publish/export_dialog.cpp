// The printing and export options dialog.
#include "publish/export_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace orv {

ExportDialog::ExportDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ExportDialog"));
    auto* form = new QFormLayout;
    title_ = new QLineEdit(this);
    title_->setObjectName(QStringLiteral("TitleEdit"));
    author_ = new QLineEdit(this);
    author_->setObjectName(QStringLiteral("AuthorEdit"));
    author_->setPlaceholderText(QStringLiteral("(aucun)"));
    solution_ = new QComboBox(this);
    solution_->setObjectName(QStringLiteral("SolutionBox"));
    solution_->addItem(QStringLiteral("Sur une deuxième page"), int(SolutionPlacement::Page));
    solution_->addItem(QStringLiteral("Au pied de la page, à l'envers"),
                       int(SolutionPlacement::Foot));
    solution_->addItem(QStringLiteral("Aucune"), int(SolutionPlacement::None));
    resolution_ = new QSpinBox(this);
    resolution_->setObjectName(QStringLiteral("ResolutionSpin"));
    resolution_->setRange(kMinPngResolution, kMaxPngResolution);
    resolution_->setValue(kDefaultPngResolution);
    resolution_->setSuffix(QStringLiteral(" points par pouce"));
    form->addRow(QStringLiteral("&Titre :"), title_);
    form->addRow(QStringLiteral("&Auteur :"), author_);
    solutionLabel_ = new QLabel(QStringLiteral("&Solution :"), this);
    solutionLabel_->setBuddy(solution_);
    form->addRow(solutionLabel_, solution_);
    resolutionLabel_ = new QLabel(QStringLiteral("&Résolution :"), this);
    resolutionLabel_->setBuddy(resolution_);
    form->addRow(resolutionLabel_, resolution_);

    auto* buttons = new QDialogButtonBox(this);
    preview_ = buttons->addButton(QStringLiteral("A&perçu avant impression"),
                                  QDialogButtonBox::ActionRole);
    preview_->setObjectName(QStringLiteral("PreviewButton"));
    ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok_->setObjectName(QStringLiteral("OkButton"));
    ok_->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(preview_, &QPushButton::clicked, this, [this] { finish(Outcome::Preview); });
    connect(ok_, &QPushButton::clicked, this,
            [this] { finish(purpose_ == Purpose::Print ? Outcome::Print : Outcome::Export); });
    connect(cancel, &QPushButton::clicked, this, [this] { finish(Outcome::Cancelled); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

void ExportDialog::Init(Purpose purpose, const QString& defaultTitle,
                        std::optional<ExportFormat> format) {
    outcome_ = Outcome::Cancelled;
    purpose_ = purpose;
    defaultTitle_ = defaultTitle;
    title_->setText(typedTitle_.isEmpty() ? defaultTitle : typedTitle_);
    const bool print = purpose == Purpose::Print;
    setWindowTitle(print ? QStringLiteral("Imprimer la grille")
                         : QStringLiteral("Exporter la grille"));
    const bool layout = print || format == ExportFormat::Pdf || format == ExportFormat::Svg ||
                        format == ExportFormat::Png;
    solutionLabel_->setVisible(layout);
    solution_->setVisible(layout);
    resolutionLabel_->setVisible(format == ExportFormat::Png);
    resolution_->setVisible(format == ExportFormat::Png);
    preview_->setVisible(print);
    ok_->setText(print ? QStringLiteral("&Imprimer...") : QStringLiteral("&Exporter"));
    title_->setFocus();
    title_->selectAll();
}

void ExportDialog::finish(Outcome outcome) {
    outcome_ = outcome;
    if (outcome != Outcome::Cancelled) {
        const QString typed = title_->text().trimmed();
        typedTitle_ = typed == defaultTitle_ ? QString() : typed;
    }
    outcome == Outcome::Cancelled ? reject() : accept();
}

PublishOptions ExportDialog::options() const {
    PublishOptions o;
    o.title = title_->text().trimmed();
    o.author = author_->text().trimmed();
    o.solution = SolutionPlacement(solution_->currentData().toInt());
    return o;
}

int ExportDialog::resolution() const { return resolution_->value(); }

} // namespace orv
