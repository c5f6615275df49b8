// The clues of a pattern are found as a matching: each run of two letters or
// more is matched to one of the (at most two) definition cells that can give
// it, each definition cell taking at most two runs and at least one. Every
// definition cell first gets one run of its own (augmenting paths from the
// cells), then every run left gets a cell (augmenting paths from the runs,
// which never take a clue away from a cell that had one); a run left over
// then proves that no layout exists, since a matching that gives every run
// a cell would give it an augmenting path.
#include "arrowword/arrow_maker.h"

#include "common/errors.h"
#include "dictionary/word_index.h"
#include "grid/grid_slots.h"

#include <algorithm>

namespace orv {
namespace {

constexpr char kDefinition = '#';

struct Giver {
    int cell = -1; // index among the definition cells
    ArrowDirection arrow = ArrowDirection::Right;
};

struct Run {
    Cell start;
    int length = 0;
    Giver givers[2];
    int giverCount = 0;
};

// The runs and the definition cells of a pattern, and the clues matched to them.
class ClueMatching {
public:
    explicit ClueMatching(const Grille& g) : g_(g), rows_(g.playingRows()), cols_(g.playingCols()) {
        cellIndex_.assign(std::size_t(rows_ * cols_), -1);
        for (int r = 1; r <= rows_; ++r)
            for (int c = 1; c <= cols_; ++c)
                if (definition(c, r)) {
                    cellIndex_[std::size_t((r - 1) * cols_ + c - 1)] = int(cells_.size());
                    cells_.push_back({c, r});
                }
        for (const bool across : {true, false})
            collectRuns(across);
        cellClues_.assign(cells_.size() * 2, -1);
        runClue_.assign(runs_.size(), -1);
        cellRuns_.resize(cells_.size());
        for (std::size_t k = 0; k < runs_.size(); ++k)
            for (int j = 0; j < runs_[k].giverCount; ++j)
                cellRuns_[std::size_t(runs_[k].givers[j].cell)].push_back(int(k));
    }

    bool definition(int c, int r) const { return g_.cell(c, r) == kDefinition; }
    bool inside(int c, int r) const { return c >= 1 && r >= 1 && c <= cols_ && r <= rows_; }
    bool letter(int c, int r) const { return inside(c, r) && !definition(c, r); }

    // Length of the run through a letter cell in one direction.
    int runThrough(int c, int r, bool across) const {
        const int dc = across ? 1 : 0;
        const int dr = across ? 0 : 1;
        int n = 1;
        for (int k = 1; letter(c - k * dc, r - k * dr); ++k)
            ++n;
        for (int k = 1; letter(c + k * dc, r + k * dr); ++k)
            ++n;
        return n;
    }

    // Matches the clues; false when no layout exists (a letter cell in no
    // word of two letters or more forbids one too).
    bool match() {
        for (int r = 1; r <= rows_; ++r)
            for (int c = 1; c <= cols_; ++c)
                if (letter(c, r) && runThrough(c, r, true) < 2 && runThrough(c, r, false) < 2)
                    return false;
        for (std::size_t d = 0; d < cells_.size(); ++d) {
            seenRuns_.assign(runs_.size(), 0);
            if (!giveCell(int(d) * 2))
                return false;
        }
        for (std::size_t k = 0; k < runs_.size(); ++k) {
            if (runClue_[k] >= 0)
                continue;
            seenSlots_.assign(cellClues_.size(), 0);
            if (!giveRun(int(k)))
                return false;
        }
        return true;
    }

    int shortWords() const {
        return int(std::count_if(runs_.begin(), runs_.end(),
                                 [](const Run& run) { return run.length == 2; }));
    }

    int singleCells() const {
        int n = 0;
        for (int r = 2; r <= rows_; ++r)
            for (int c = 2; c <= cols_; ++c)
                if (letter(c, r) && (runThrough(c, r, true) < 2 || runThrough(c, r, false) < 2))
                    ++n;
        return n;
    }

    ArrowGrid layout() const {
        ArrowGrid grid(rows_, cols_);
        for (int r = 1; r <= rows_; ++r)
            for (int c = 1; c <= cols_; ++c) {
                if (definition(c, r))
                    grid.setDefinition({c, r}, true);
                else if (isLetterCell(g_.cell(c, r)))
                    grid.setLetter({c, r}, g_.cell(c, r));
            }
        for (std::size_t d = 0; d < cells_.size(); ++d)
            for (int slot = 0; slot < 2; ++slot) {
                const int k = cellClues_[d * 2 + std::size_t(slot)];
                if (k < 0)
                    continue;
                for (int j = 0; j < runs_[std::size_t(k)].giverCount; ++j)
                    if (runs_[std::size_t(k)].givers[j].cell == int(d))
                        grid.toggleArrow(cells_[d], runs_[std::size_t(k)].givers[j].arrow);
            }
        return grid;
    }

private:
    void collectRuns(bool across) {
        const int lines = across ? rows_ : cols_;
        const int length = across ? cols_ : rows_;
        for (int line = 1; line <= lines; ++line) {
            int k = 1;
            while (k <= length) {
                const auto at = [&](int i) { return across ? Cell{i, line} : Cell{line, i}; };
                if (!letter(at(k).col, at(k).row)) {
                    ++k;
                    continue;
                }
                Run run;
                run.start = at(k);
                while (k <= length && letter(at(k).col, at(k).row)) {
                    ++run.length;
                    ++k;
                }
                if (run.length < 2)
                    continue;
                const Cell s = run.start;
                // The cell before the run first (a straight arrow), then the
                // one beside its first cell (a bent arrow).
                const Cell before = across ? Cell{s.col - 1, s.row} : Cell{s.col, s.row - 1};
                const Cell beside = across ? Cell{s.col, s.row - 1} : Cell{s.col - 1, s.row};
                if (inside(before.col, before.row))
                    run.givers[run.giverCount++] = {definitionAt(before),
                                                    across ? ArrowDirection::Right
                                                           : ArrowDirection::Down};
                if (inside(beside.col, beside.row) && definition(beside.col, beside.row))
                    run.givers[run.giverCount++] = {definitionAt(beside),
                                                    across ? ArrowDirection::DownThenRight
                                                           : ArrowDirection::RightThenDown};
                runs_.push_back(run);
            }
        }
    }

    int definitionAt(Cell c) const {
        return cellIndex_[std::size_t((c.row - 1) * cols_ + c.col - 1)];
    }

    // A run for the first clue slot of a cell (slot = cell * 2).
    bool giveCell(int slot) {
        for (const int k : cellRuns_[std::size_t(slot / 2)]) {
            if (seenRuns_[std::size_t(k)])
                continue;
            seenRuns_[std::size_t(k)] = 1;
            const int holder = runClue_[std::size_t(k)];
            if (holder < 0 || giveCell(holder)) {
                runClue_[std::size_t(k)] = slot;
                cellClues_[std::size_t(slot)] = k;
                return true;
            }
        }
        return false;
    }

    // A clue slot for a run.
    bool giveRun(int k) {
        const Run& run = runs_[std::size_t(k)];
        for (int j = 0; j < run.giverCount; ++j)
            for (int second = 0; second < 2; ++second) {
                const int slot = run.givers[j].cell * 2 + second;
                if (seenSlots_[std::size_t(slot)])
                    continue;
                seenSlots_[std::size_t(slot)] = 1;
                const int holder = cellClues_[std::size_t(slot)];
                if (holder < 0 || giveRun(holder)) {
                    cellClues_[std::size_t(slot)] = k;
                    runClue_[std::size_t(k)] = slot;
                    return true;
                }
            }
        return false;
    }

    const Grille& g_;
    int rows_;
    int cols_;
    std::vector<int> cellIndex_; // definition cell of each square, or -1
    std::vector<Cell> cells_;    // the definition cells, row by row
    std::vector<Run> runs_;
    std::vector<std::vector<int>> cellRuns_; // runs each cell can give
    std::vector<int> cellClues_;             // two slots per cell: the run, or -1
    std::vector<int> runClue_;               // the slot of each run, or -1
    std::vector<char> seenRuns_;
    std::vector<char> seenSlots_;
};

// Whether the letter cells of the frame are still letter cells: the first
// row and column alternate, whatever the maker adds elsewhere.
bool keepsFrame(const Grille& g) {
    for (int c = 2; c <= g.playingCols(); c += 2)
        if (g.cell(c, 1) == kDefinition)
            return false;
    for (int r = 2; r <= g.playingRows(); r += 2)
        if (g.cell(1, r) == kDefinition)
            return false;
    return true;
}

} // namespace

ArrowPatternLimits arrowPatternLimits(int rows, int columns) {
    const int cells = rows * columns;
    return {std::max(1, cells / 30), std::max(1, cells / 30)};
}

Grille arrowPattern(const ArrowGrid& grid) {
    if (grid.rows() > kMaxFilledArrowSide || grid.columns() > kMaxFilledArrowSide)
        throw OrvError(QStringLiteral("La grille a %1 lignes et %2 colonnes : le remplissage "
                                      "automatique en prend %3 au plus de chaque côté.")
                           .arg(grid.rows())
                           .arg(grid.columns())
                           .arg(kMaxFilledArrowSide));
    Grille g(grid.rows(), grid.columns());
    for (int r = 1; r <= grid.rows(); ++r)
        for (int c = 1; c <= grid.columns(); ++c) {
            const ArrowCell& cell = grid.at({c, r});
            g.cell(c, r) = cell.definition ? kDefinition : cell.letter;
        }
    return g;
}

std::optional<ArrowGrid> arrowLayoutOf(const Grille& pattern) {
    ClueMatching m(pattern);
    if (!m.match())
        return std::nullopt;
    return m.layout();
}

bool arrowPatternFits(const Grille& pattern, const ArrowPatternLimits& limits) {
    ClueMatching m(pattern);
    return m.shortWords() <= limits.maxShortWords && m.singleCells() <= limits.maxSingleCells &&
           m.match();
}

Grille arrowFrame(int rows, int columns) {
    Grille g(rows, columns);
    for (int c = 1; c <= columns; c += 2)
        g.cell(c, 1) = kDefinition;
    for (int r = 1; r <= rows; r += 2)
        g.cell(1, r) = kDefinition;
    return g;
}

ArrowMakeResult makeArrowGrid(int rows, int columns, const WordIndex& index, MakeOptions options) {
    ArrowMakeResult result;
    result.grid = ArrowGrid(rows, columns);
    if (rows < kMinArrowSide || columns < kMinArrowSide || rows > kMaxFilledArrowSide ||
        columns > kMaxFilledArrowSide) {
        result.made.reason = QStringLiteral("une grille de mots fléchés créée a de %1 à %2 "
                                            "lignes et colonnes")
                                 .arg(kMinArrowSide)
                                 .arg(kMaxFilledArrowSide);
        return result;
    }
    const Grille frame = arrowFrame(rows, columns);
    // Beyond the frame, about one definition cell in six cells; words of at
    // most ten letters, as printed grids have.
    const int inner = (rows - 1) * (columns - 1);
    int framed = 0;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= columns; ++c)
            framed += frame.cell(c, r) == kDefinition;
    options.maxBlacks = framed + (inner + 3) / 6;
    options.symmetric = false;
    options.adjacentBlacks = true;
    options.maxWordLength = options.maxWordLength > 0 ? options.maxWordLength : 10;
    const ArrowPatternLimits limits = arrowPatternLimits(rows, columns);
    options.patternRule = [limits](const Grille& g) {
        return keepsFrame(g) && arrowPatternFits(g, limits);
    };
    result.made = makeGrid(frame, index, options);
    if (result.made.status == MakeStatus::Made) {
        const std::optional<ArrowGrid> layout = arrowLayoutOf(result.made.grille);
        if (layout)
            result.grid = *layout;
        else { // the rule above holds for every grid made
            result.made.status = MakeStatus::Impossible;
            result.made.reason = QStringLiteral("les définitions n'ont pu être placées");
        }
    }
    return result;
}

ArrowGrid withLetters(const ArrowGrid& layout, const Grille& filled) {
    ArrowGrid grid = layout;
    for (int r = 1; r <= grid.rows(); ++r)
        for (int c = 1; c <= grid.columns(); ++c)
            if (grid.isLetterCell({c, r}) && isLetterCell(filled.cell(c, r)))
                grid.setLetter({c, r}, filled.cell(c, r));
    return grid;
}

Grille fillablePattern(const ArrowGrid& layout) {
    const std::vector<LayoutProblem> problems = checkArrowLayout(layout);
    if (!problems.empty()) {
        QString fault = problems.front().message;
        fault[0] = fault[0].toLower();
        throw OrvError(
            QStringLiteral("La grille de mots fléchés ne peut être remplie : %1.").arg(fault));
    }
    return arrowPattern(layout);
}

} // namespace orv
