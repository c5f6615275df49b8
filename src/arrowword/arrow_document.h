// An arrow-word grid being edited: the grid, its file and its history. Every
// edit hands the whole grid after it to `apply`, one undo step named by the
// edit; the grids are small (at most 25 x 25 cells), so that keeping whole
// grids keeps the history simple and exact.
#pragma once

#include "arrowword/arrow_grid.h"

#include <QString>
#include <vector>

namespace orv {

class ArrowDocument {
public:
    // Steps kept for undo; the oldest is dropped beyond.
    static constexpr int kHistoryLimit = 200;

    const ArrowGrid& grid() const { return grid_; }
    const QString& path() const { return path_; }
    bool modified() const { return modified_; }

    // A new or opened grid: the history is emptied.
    void reset(const ArrowGrid& grid, const QString& path = {});
    // One edit; nothing is recorded when the grid is unchanged. True when it changed.
    bool apply(const ArrowGrid& after, const QString& label);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // The name of the step that undo or redo would take back ("" when none).
    QString undoLabel() const { return canUndo() ? undo_.back().label : QString(); }
    QString redoLabel() const { return canRedo() ? redo_.back().label : QString(); }
    void undo();
    void redo();

    // After a save under `path`.
    void markSaved(const QString& path);

private:
    struct Step {
        ArrowGrid grid;
        QString label;
    };
    ArrowGrid grid_;
    QString path_;
    bool modified_ = false;
    std::vector<Step> undo_;
    std::vector<Step> redo_;
};

} // namespace orv
