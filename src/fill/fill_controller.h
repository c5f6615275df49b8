// The grid's automatic fill in the program: "Remplir la grille" runs the
// search on a worker thread behind the progress window, then puts the fill in
// the grid as one change, or says why the grid stays as it was. It reads the
// document's pattern index, with the words' scores. "Refuser ce mot" refills
// the slot of the word under the cursor and as little around it as will do;
// the words refused stay refused for the grid while it is open.
#pragma once

#include "common/controller.h"
#include "fill/grid_fill.h"

#include <QByteArray>
#include <QList>

namespace orv {

struct FillRefusal;

class FillController : public Controller {
    Q_OBJECT
public:
    FillController(Document& document, Services& services, QMainWindow* window, MainView& view);

    // The time a fill may take before the grid is left as it was.
    double timeLimitSeconds = 120;

    // The words refused for the grid open (none once another grid is opened
    // or the size changes).
    QList<QByteArray> refusedWords() const;

public Q_SLOTS:
    void fillClick();
    void refuseWordClick();

private:
    // The sentence that tells the user why the grid stayed as it was.
    QString failureMessage(const FillResult& result) const;
    // Tells why the grid is refused and offers the grid maker instead; true
    // when the fill should run all the same.
    bool goesOnDespite(const FillRefusal& refusal);
    // The slot of the word under the cursor, in the typing direction first; -1.
    int wordUnderCursor(const Grille& grille) const;

    QList<QByteArray> refused_;
    QString refusedFile_; // the grid they were refused in
};

} // namespace orv
