// The grid's figures in a two-column table without headers or grid lines.
#include "fill/grid_statistics_panel.h"

#include <QHeaderView>
#include <QTableWidget>

namespace orv {

GridStatisticsPanel::GridStatisticsPanel(QWidget* parent)
    : QDockWidget(QStringLiteral("Statistiques de la grille"), parent) {
    setObjectName(QStringLiteral("GridStatisticsDock"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    table_ = new QTableWidget(0, 2, this);
    table_->setObjectName(QStringLiteral("GridStatisticsTable"));
    table_->horizontalHeader()->hide();
    table_->verticalHeader()->hide();
    table_->setShowGrid(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->setWordWrap(true);
    // The values wrap within the panel's width rather than scroll, and the
    // table takes the height of its lines only, leaving the rest of the side
    // to the panels below it.
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setMinimumWidth(300);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setWidget(table_);
}

void GridStatisticsPanel::showStatistics(const GridStatistics& statistics) {
    const QList<QPair<QString, QString>> lines = gridStatisticsLines(statistics);
    table_->setRowCount(int(lines.size()));
    for (int row = 0; row < lines.size(); ++row) {
        auto* caption = new QTableWidgetItem(lines[row].first);
        auto* value = new QTableWidgetItem(lines[row].second);
        value->setToolTip(lines[row].second);
        table_->setItem(row, 0, caption);
        table_->setItem(row, 1, value);
    }
    table_->resizeRowsToContents();
    table_->setMaximumHeight(table_->verticalHeader()->length() + 2 * table_->frameWidth());
}

QString GridStatisticsPanel::value(const QString& caption) const {
    for (int row = 0; row < table_->rowCount(); ++row)
        if (table_->item(row, 0) && table_->item(row, 0)->text().trimmed() == caption)
            return table_->item(row, 1)->text();
    return {};
}

void GridStatisticsPanel::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    Q_EMIT closedByUser();
}

} // namespace orv
