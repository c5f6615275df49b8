// The grid check's window.
#include "fill/grid_check_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

GridCheckWindow::GridCheckWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GridCheckWindow"));
    setWindowTitle(QStringLiteral("Vérification de la grille"));
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("CheckSummary"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("CheckList"));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Fermer"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("CheckClose"));
    close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(summary_);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(420, 300);
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const int row = list_->row(item);
        if (row >= 0 && row < int(findings_.size()) && findings_[std::size_t(row)].slot >= 0)
            Q_EMIT slotChosen(findings_[std::size_t(row)].slot);
    });
}

void GridCheckWindow::setReport(GridCheckReport report) {
    findings_ = std::move(report.findings);
    list_->clear();
    for (const GridFinding& f : findings_)
        list_->addItem(f.text);
    summary_->setText(report.summary);
    summary_->setWordWrap(true);
    if (!findings_.empty())
        list_->setCurrentRow(0);
}

} // namespace orv
