// The grid's automatic fill in the program: "Remplir la grille" runs the
// search on a worker thread behind the progress window, then puts the fill in
// the grid as one change, or says why the grid stays as it was. It reads the
// document's pattern index, with the words' scores.
#pragma once

#include "common/controller.h"
#include "fill/grid_fill.h"

namespace orv {

struct FillRefusal;

class FillController : public Controller {
    Q_OBJECT
public:
    FillController(Document& document, Services& services, QMainWindow* window, MainView& view);

    // The time a fill may take before the grid is left as it was.
    double timeLimitSeconds = 120;

public Q_SLOTS:
    void fillClick();

private:
    // The sentence that tells the user why the grid stayed as it was.
    QString failureMessage(const FillResult& result) const;
    // Tells why the grid is refused and offers the grid maker instead; true
    // when the fill should run all the same.
    bool goesOnDespite(const FillRefusal& refusal);
};

} // namespace orv
