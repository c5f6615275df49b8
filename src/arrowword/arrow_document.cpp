// The history of an arrow-word grid.
#include "arrowword/arrow_document.h"

namespace orv {

void ArrowDocument::reset(const ArrowGrid& grid, const QString& path) {
    grid_ = grid;
    path_ = path;
    modified_ = false;
    undo_.clear();
    redo_.clear();
}

bool ArrowDocument::apply(const ArrowGrid& after, const QString& label) {
    if (after == grid_)
        return false;
    undo_.push_back(Step{grid_, label});
    if (int(undo_.size()) > kHistoryLimit)
        undo_.erase(undo_.begin());
    redo_.clear();
    grid_ = after;
    modified_ = true;
    return true;
}

void ArrowDocument::undo() {
    if (undo_.empty())
        return;
    redo_.push_back(Step{grid_, undo_.back().label});
    grid_ = std::move(undo_.back().grid);
    undo_.pop_back();
    modified_ = true;
}

void ArrowDocument::redo() {
    if (redo_.empty())
        return;
    undo_.push_back(Step{grid_, redo_.back().label});
    grid_ = std::move(redo_.back().grid);
    redo_.pop_back();
    modified_ = true;
}

void ArrowDocument::markSaved(const QString& path) {
    path_ = path;
    modified_ = false;
}

} // namespace orv
