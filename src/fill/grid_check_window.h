// The window of the grid check: one line per finding; a double click (or
// Enter) on a line takes the grid's cursor to its slot. It stays open beside
// the grid while the user mends what it lists.
#pragma once

#include "fill/grid_check.h"

#include <QDialog>
#include <vector>

class QLabel;
class QListWidget;

namespace orv {

class GridCheckWindow : public QDialog {
    Q_OBJECT
public:
    explicit GridCheckWindow(QWidget* parent = nullptr);

    void setReport(GridCheckReport report);
    const std::vector<GridFinding>& findings() const { return findings_; }

    QListWidget* list() const { return list_; }

Q_SIGNALS:
    void slotChosen(int slot);

private:
    QLabel* summary_ = nullptr;
    QListWidget* list_ = nullptr;
    std::vector<GridFinding> findings_;
};

} // namespace orv
