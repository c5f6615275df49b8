// The grid's automatic fill in the program: "Remplir la grille" runs the
// search on a worker thread behind the progress window, then puts the fill in
// the grid as one change, or says why the grid stays as it was. It reads the
// document's pattern index, with the words' scores. "Refuser ce mot" refills
// the slot of the word under the cursor and as little around it as will do;
// the words refused stay refused for the grid while it is open.
//
// After a fill, "Autre remplissage" fills the same cells again, never as any
// fill given before for them, until no other fill is left; the letters the
// setter wrote since, and the words marked "Garder ce mot", stay. The
// progress window offers it too, once the search holds a fill: that fill is
// taken as it stands and the next search starts in the same window.
// "Remplir la sélection" fills the empty cells of the rectangle selected in
// the grid and nothing else: the search fills the whole grid, so that the
// letters kept extend to a full fill, and only the selected cells take its
// letters.
#pragma once

#include "common/controller.h"
#include "fill/grid_fill.h"

#include <QByteArray>
#include <QList>
#include <QRect>
#include <functional>
#include <optional>
#include <vector>

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

    // The cells of the words marked « Garder ce mot », by column then row.
    std::vector<Cell> keptCells() const;

public Q_SLOTS:
    void fillClick();
    void refuseWordClick();
    void otherFillClick();
    void keepWordClick();
    void fillSelectionClick();

private:
    // One search behind the progress window: the grid it starts from, the
    // fills it refuses (as FillOptions::accept, when set), and what becomes
    // of its result, on the user-interface thread.
    struct Step {
        Grille start;
        std::function<bool(const Grille&)> accept;
        std::function<void(const FillResult&)> finish;
    };
    // Runs the step's search behind the progress window, the fill's options
    // from the document, then finishes it. When the user asks the window for
    // another fill, the fill the search holds is finished at once and
    // « Autre remplissage » runs next in the same window.
    void runFill(Step step);
    // « Autre remplissage » from the grid as it is now, or nothing (and why).
    std::optional<Step> otherFillStep(QString& why);
    // A fill given: the cells it filled and the fills given for them since.
    void beginRun(const Grille& before, const Grille& filled, const QRect& within);
    // The cells of the last run that "Autre remplissage" may fill again in
    // the grid as it is now.
    std::vector<Cell> refillableCells(const Grille& now) const;
    void forgetRun();
    // The sentence that tells the user why the grid stayed as it was.
    QString failureMessage(const FillResult& result) const;
    // `base` with `cells` taken from the fill; nothing, once the user is told
    // why, when the fill has none (`noFill`: when none exists at all).
    std::optional<Grille> cellsOfFill(const FillResult& result, const Grille& base,
                                      const std::vector<Cell>& cells, const QString& noFill);
    // Tells why the grid is refused and offers the grid maker instead; true
    // when the fill should run all the same.
    bool goesOnDespite(const FillRefusal& refusal);
    // The slot of the word under the cursor, in the typing direction first; -1.
    int wordUnderCursor(const Grille& grille) const;

    QList<QByteArray> refused_;
    QString refusedFile_; // the grid they were refused in

    // The last fill: the cells it filled (empty before it) and every fill
    // given for them, the first one included.
    std::vector<Cell> runCells_;
    std::vector<Grille> given_;
    std::vector<std::vector<Cell>> keptWords_;
    QString runFile_; // the grid they belong to
    QAction* otherFill_ = nullptr;
    QAction* fillSelection_ = nullptr;
};

} // namespace orv
