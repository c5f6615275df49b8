// « Statistiques de la grille », docked in the main window: the grid's
// figures, a caption and its value per line, shown again after every change
// of the grid or of the words.
#pragma once

#include "fill/grid_statistics.h"

#include <QDockWidget>

class QTableWidget;

namespace orv {

class GridStatisticsPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit GridStatisticsPanel(QWidget* parent = nullptr);

    void showStatistics(const GridStatistics& statistics);
    QTableWidget* table() const { return table_; }
    // The value shown beside a caption, or "" when there is no such line.
    QString value(const QString& caption) const;

Q_SIGNALS:
    // The panel's own close button was used.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QTableWidget* table_ = nullptr;
};

} // namespace orv
