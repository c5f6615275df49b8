// The maker's loop over black-square patterns. Cells are addressed by
// 0-based row and column over the playing area; the grid itself keeps the
// model's 1-based layout.
#include "fill/grid_maker.h"

#include "dictionary/word_index.h"
#include "fill/fill_request.h"
#include "grid/grid_slots.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <vector>

namespace orv {
namespace {

using Clock = std::chrono::steady_clock;

constexpr char kBlack = '#';
constexpr char kEmpty = ' ';

// Moves tried on one pattern at the maximum before a fresh one is drawn.
constexpr int kMovesPerPattern = 8;
// Patterns tried without weak words before every word is allowed.
constexpr int kNoWeakAttempts = 400;

// A square of the playing area, counted from 0 (the grid's Cell counts from 1).
struct Square {
    int r = 0;
    int c = 0;
};

class Pattern {
public:
    Pattern(const Grille& g) : g_(g), rows_(g.playingRows()), cols_(g.playingCols()) {}

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    char at(int r, int c) const { return g_.cell(c + 1, r + 1); }
    void set(int r, int c, char ch) { g_.cell(c + 1, r + 1) = ch; }
    bool inside(int r, int c) const { return r >= 0 && c >= 0 && r < rows_ && c < cols_; }
    bool black(int r, int c) const { return inside(r, c) && at(r, c) == kBlack; }
    bool white(int r, int c) const { return inside(r, c) && at(r, c) != kBlack; }
    Square mirror(Square x) const { return {rows_ - 1 - x.r, cols_ - 1 - x.c}; }
    const Grille& grille() const { return g_; }

    int blacks() const {
        int n = 0;
        for (int r = 0; r < rows_; ++r)
            for (int c = 0; c < cols_; ++c)
                n += black(r, c);
        return n;
    }

    // The run of white cells through (r, c) along a direction: its first
    // index along that direction and its length (0 on a black square).
    int run(int r, int c, bool across, int* first = nullptr) const {
        if (!white(r, c))
            return 0;
        const int dr = across ? 0 : 1;
        const int dc = across ? 1 : 0;
        int a = 0;
        while (white(r - (a + 1) * dr, c - (a + 1) * dc))
            ++a;
        int b = 0;
        while (white(r + (b + 1) * dr, c + (b + 1) * dc))
            ++b;
        if (first)
            *first = (across ? c : r) - a;
        return a + b + 1;
    }

    bool hasWord(int r, int c) const { return run(r, c, true) >= 2 || run(r, c, false) >= 2; }

    bool touchesBlack(int r, int c) const {
        return black(r - 1, c) || black(r + 1, c) || black(r, c - 1) || black(r, c + 1);
    }

    bool connected() const {
        std::vector<char> seen(std::size_t(rows_ * cols_), 0);
        std::vector<Square> todo;
        int whites = 0;
        for (int r = 0; r < rows_; ++r)
            for (int c = 0; c < cols_; ++c)
                if (white(r, c)) {
                    ++whites;
                    if (todo.empty()) {
                        todo.push_back({r, c});
                        seen[std::size_t(r * cols_ + c)] = 1;
                    }
                }
        int reached = 0;
        while (!todo.empty()) {
            const Square x = todo.back();
            todo.pop_back();
            ++reached;
            const Square next[4] = {{x.r - 1, x.c}, {x.r + 1, x.c}, {x.r, x.c - 1}, {x.r, x.c + 1}};
            for (const Square& y : next)
                if (white(y.r, y.c) && !seen[std::size_t(y.r * cols_ + y.c)]) {
                    seen[std::size_t(y.r * cols_ + y.c)] = 1;
                    todo.push_back(y);
                }
        }
        return reached == whites;
    }

private:
    Grille g_;
    int rows_;
    int cols_;
};

// The maker counts rows and columns from 0.
QString cellAt(int r, int c) { return cellName(Cell{c + 1, r + 1}); }

QString faultOf(const Pattern& p, bool symmetric, bool adjacentBlacks, int maxWordLength) {
    for (int r = 0; r < p.rows(); ++r)
        for (int c = 0; c < p.cols(); ++c) {
            if (p.black(r, c)) {
                if (!adjacentBlacks && (p.black(r, c + 1) || p.black(r + 1, c)))
                    return QStringLiteral("deux cases noires se touchent en %1").arg(cellAt(r, c));
                const Square m = p.mirror({r, c});
                if (symmetric && !p.black(m.r, m.c))
                    return QStringLiteral("la case noire %1 n'a pas sa symétrique en %2")
                        .arg(cellAt(r, c), cellAt(m.r, m.c));
                continue;
            }
            if (!p.hasWord(r, c))
                return QStringLiteral("la case %1 n'appartient à aucun mot").arg(cellAt(r, c));
            if (maxWordLength > 0 &&
                (p.run(r, c, true) > maxWordLength || p.run(r, c, false) > maxWordLength))
                return QStringLiteral("un mot passant par %1 a plus de %2 lettres")
                    .arg(cellAt(r, c))
                    .arg(maxWordLength);
        }
    if (!p.connected())
        return QStringLiteral("les cases blanches ne sont pas d'un seul tenant");
    return {};
}

class Maker {
public:
    Maker(const Grille& grille, const WordIndex& index, const MakeOptions& options)
        : input_(grille), index_(index), options_(options), rng_(options.seed), base_(grille) {}

    MakeResult run();

private:
    bool prepareBase(QString& reason);
    bool fixedCell(Square x) const { return fixed_[std::size_t(x.r * base_.cols() + x.c)]; }
    bool canBlack(const Pattern& p, Square x) const;
    bool placeBlack(Pattern& p, Square x) const;
    bool removeBlack(Pattern& p, Square x) const;
    int addedBy(const Pattern& p, Square x) const;
    double splitGain(const Pattern& p, Square x) const;
    bool placeBest(Pattern& p, const std::vector<Square>& cells, const std::vector<double>* heat);
    bool buildPattern(Pattern& p, int target);
    bool breakDeadSlots(Pattern& p);
    bool mutate(Pattern& p, const FillResult& failed, bool mayAdd);
    Grille improve(const Grille& made, MakeResult& result);
    bool splitWeakWord(QualitySearch& search, Grille& best, WordRank& rank,
                       const std::vector<Square>& word, const QByteArray& text);
    bool keepsRule(const Pattern& p) const {
        return !options_.patternRule || options_.patternRule(p.grille());
    }
    double elapsed() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

    const Grille& input_;
    const WordIndex& index_;
    const MakeOptions& options_;
    std::mt19937_64 rng_;
    Pattern base_;
    std::vector<char> fixed_; // the user's letters and black squares
    int maxLength_ = WordIndex::kMaxLength;
    Clock::time_point start_ = Clock::now();
};

// Black squares that a placement at x adds: two when its mirror is placed too.
int Maker::addedBy(const Pattern& p, Square x) const {
    if (!options_.symmetric)
        return 1;
    const Square m = p.mirror(x);
    return (m.r == x.r && m.c == x.c) || p.black(m.r, m.c) ? 1 : 2;
}

bool Maker::canBlack(const Pattern& p, Square x) const {
    auto free = [&](Square y) {
        if (fixedCell(y) || p.at(y.r, y.c) == kBlack)
            return false;
        return options_.adjacentBlacks || !p.touchesBlack(y.r, y.c);
    };
    if (!free(x))
        return false;
    if (!options_.symmetric)
        return true;
    const Square m = p.mirror(x);
    if (m.r == x.r && m.c == x.c)
        return true;
    if (p.black(m.r, m.c))
        return true;
    if (!free(m))
        return false;
    const bool side = std::abs(m.r - x.r) + std::abs(m.c - x.c) == 1;
    return options_.adjacentBlacks || !side;
}

// Places a black square (and its mirror) when the white cells around keep
// a word each and stay connected; the pattern is unchanged otherwise.
bool Maker::placeBlack(Pattern& p, Square x) const {
    if (!canBlack(p, x) || p.blacks() + addedBy(p, x) > options_.maxBlacks)
        return false;
    std::vector<Square> placed{x};
    if (options_.symmetric) {
        const Square m = p.mirror(x);
        if (!p.black(m.r, m.c) && !(m.r == x.r && m.c == x.c))
            placed.push_back(m);
    }
    for (const Square& y : placed)
        p.set(y.r, y.c, kBlack);
    bool ok = true;
    for (const Square& y : placed) {
        const Square next[4] = {{y.r - 1, y.c}, {y.r + 1, y.c}, {y.r, y.c - 1}, {y.r, y.c + 1}};
        for (const Square& z : next)
            if (p.white(z.r, z.c) && !p.hasWord(z.r, z.c))
                ok = false;
    }
    if (ok)
        ok = p.connected() && keepsRule(p);
    if (!ok)
        for (const Square& y : placed)
            p.set(y.r, y.c, kEmpty);
    return ok;
}

bool Maker::removeBlack(Pattern& p, Square x) const {
    if (fixedCell(x) || !p.black(x.r, x.c))
        return false;
    std::vector<Square> removed{x};
    if (options_.symmetric) {
        const Square m = p.mirror(x);
        if (!(m.r == x.r && m.c == x.c)) {
            if (fixedCell(m))
                return false;
            removed.push_back(m);
        }
    }
    for (const Square& y : removed)
        p.set(y.r, y.c, kEmpty);
    bool ok = true;
    for (const Square& y : removed)
        if (p.run(y.r, y.c, true) > maxLength_ || p.run(y.r, y.c, false) > maxLength_ ||
            !p.hasWord(y.r, y.c))
            ok = false;
    if (ok)
        ok = keepsRule(p);
    if (!ok)
        for (const Square& y : removed)
            p.set(y.r, y.c, kBlack);
    return ok;
}

// How much a black square at x shortens the runs through it: long runs cut
// near their middle gain most; a run longer than allowed must be cut.
double Maker::splitGain(const Pattern& p, Square x) const {
    double gain = 0;
    for (const bool across : {true, false}) {
        int first = 0;
        const int n = p.run(x.r, x.c, across, &first);
        const int before = (across ? x.c : x.r) - first;
        const int after = n - 1 - before;
        gain += double(n * n - before * before - after * after);
        if (n > maxLength_)
            gain += 1000;
        // A single cell left over gets no word in this direction.
        if (before == 1 || after == 1)
            gain -= double(n);
    }
    return gain;
}

// Blackens the best cell of `cells` that can take a black square: the
// greatest split gain, plus the failures of the slots through it when known,
// with some noise so that two patterns differ.
bool Maker::placeBest(Pattern& p, const std::vector<Square>& cells,
                      const std::vector<double>* heat) {
    std::uniform_real_distribution<double> noise(0.0, 1.0);
    std::vector<std::pair<double, Square>> ranked;
    for (const Square& x : cells) {
        if (!canBlack(p, x))
            continue;
        double score = splitGain(p, x) * (0.6 + 0.8 * noise(rng_));
        if (heat)
            score += (*heat)[std::size_t(x.r * p.cols() + x.c)];
        ranked.push_back({score, x});
    }
    std::sort(ranked.begin(), ranked.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [score, x] : ranked)
        if (placeBlack(p, x))
            return true;
    return false;
}

std::vector<Square> cellsOf(const Pattern& p) {
    std::vector<Square> all;
    for (int r = 0; r < p.rows(); ++r)
        for (int c = 0; c < p.cols(); ++c)
            all.push_back({r, c});
    return all;
}

// Slots that no dictionary word fits (the user's letters allowing none) get a
// black square; a slot the user filled completely stays as typed.
bool Maker::breakDeadSlots(Pattern& p) {
    for (int round = 0; round < p.rows() * p.cols(); ++round) {
        const GridSlots slots(p.grille());
        const Slot* dead = nullptr;
        for (const Slot& s : slots.slots()) {
            const QByteArray pattern = slotPattern(p.grille(), s);
            if (pattern.contains('.') && index_.count(pattern, options_.minScore) == 0) {
                dead = &s;
                break;
            }
        }
        if (!dead)
            return true;
        std::vector<Square> cells;
        for (const SlotCell& c : dead->cells)
            cells.push_back({c.row - 1, c.col - 1});
        if (!placeBest(p, cells, nullptr))
            return false;
    }
    return false;
}

bool Maker::buildPattern(Pattern& p, int target) {
    p = base_;
    const std::vector<Square> all = cellsOf(p);
    auto tooLong = [&] {
        for (const Square& x : all)
            if (p.run(x.r, x.c, true) > maxLength_ || p.run(x.r, x.c, false) > maxLength_)
                return true;
        return false;
    };
    // The slots that the user's letters leave without a word come first: they
    // need their black squares wherever the rest go.
    if (!breakDeadSlots(p))
        return false;
    while (p.blacks() < target || tooLong())
        if (!placeBest(p, all, nullptr))
            break;
    return !tooLong() && breakDeadSlots(p);
}

// After a failed fill: a black square goes where the search ran out of words
// most often; at the maximum, one first leaves the calmest place.
bool Maker::mutate(Pattern& p, const FillResult& failed, bool mayAdd) {
    const GridSlots slots(p.grille());
    // A slot's weight starts at 1 and grows by one each time it runs out of words.
    std::vector<double> slotHeat(std::size_t(slots.count()), 0);
    for (std::size_t s = 0; s < slotHeat.size() && s < failed.slotWeights.size(); ++s)
        slotHeat[s] = std::max(0.0, failed.slotWeights[s] - 1);
    if (failed.blockedSlot >= 0 && failed.blockedSlot < slots.count())
        slotHeat[std::size_t(failed.blockedSlot)] += 1000;
    std::vector<double> heat(std::size_t(p.rows() * p.cols()), 0);
    for (int s = 0; s < slots.count(); ++s)
        for (const SlotCell& c : slots[s].cells)
            heat[std::size_t((c.row - 1) * p.cols() + c.col - 1)] += slotHeat[std::size_t(s)];

    if (!mayAdd || p.blacks() + 1 > options_.maxBlacks) {
        std::uniform_real_distribution<double> noise(0.0, 1.0);
        std::vector<std::pair<double, Square>> calm;
        for (const Square& x : cellsOf(p)) {
            if (!p.black(x.r, x.c) || fixedCell(x))
                continue;
            double h = 0;
            const Square next[4] = {{x.r - 1, x.c}, {x.r + 1, x.c}, {x.r, x.c - 1}, {x.r, x.c + 1}};
            for (const Square& y : next)
                if (p.white(y.r, y.c))
                    h += heat[std::size_t(y.r * p.cols() + y.c)];
            calm.push_back({h + 2 * noise(rng_), x});
        }
        std::sort(calm.begin(), calm.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        bool removed = false;
        for (const auto& [h, x] : calm)
            if (removeBlack(p, x)) {
                heat[std::size_t(x.r * p.cols() + x.c)] = -1e9; // not straight back
                removed = true;
                break;
            }
        if (!removed)
            return false;
    }
    // The hottest slots first, a cell of theirs chosen by split gain.
    std::vector<int> order(std::size_t(slots.count()));
    for (int s = 0; s < slots.count(); ++s)
        order[std::size_t(s)] = s;
    std::shuffle(order.begin(), order.end(), rng_);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return slotHeat[std::size_t(a)] > slotHeat[std::size_t(b)];
    });
    const Pattern before = p;
    for (int s : order) {
        std::vector<Square> cells;
        for (const SlotCell& c : slots[s].cells)
            cells.push_back({c.row - 1, c.col - 1});
        Pattern trial = before;
        if (placeBest(trial, cells, &heat)) {
            p = trial;
            return breakDeadSlots(p);
        }
    }
    return breakDeadSlots(p);
}

bool Maker::prepareBase(QString& reason) {
    const int rows = base_.rows();
    const int cols = base_.cols();
    if (rows < 2 || cols < 2 || rows > kMaxIndex - 1 || cols > kMaxIndex - 1) {
        reason = QStringLiteral("Les dimensions de la grille ne conviennent pas.");
        return false;
    }
    if (options_.maxWordLength > 0)
        maxLength_ = std::min(maxLength_, options_.maxWordLength);
    if (maxLength_ < 2) {
        reason = QStringLiteral("Les mots doivent pouvoir avoir au moins deux lettres.");
        return false;
    }
    fixed_.assign(std::size_t(rows * cols), 0);
    Pattern& p = base_;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const char ch = p.at(r, c);
            if (ch == kBlack || isLetterCell(ch))
                fixed_[std::size_t(r * cols + c)] = 1;
            else
                p.set(r, c, kEmpty);
        }
    if (options_.symmetric)
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                if (!p.black(r, c))
                    continue;
                const Square m = p.mirror({r, c});
                if (isLetterCell(p.at(m.r, m.c))) {
                    reason = QStringLiteral("La case noire %1 ne peut avoir sa symétrique en %2, "
                                            "qui porte une lettre.")
                                 .arg(cellAt(r, c), cellAt(m.r, m.c));
                    return false;
                }
                p.set(m.r, m.c, kBlack);
                fixed_[std::size_t(m.r * cols + m.c)] = 1;
            }
    // Each line needs enough black squares to keep its words short enough.
    auto needed = [&](int n) { return n / (maxLength_ + 1); };
    const int lowest = std::max(rows * needed(cols), cols * needed(rows));
    if (lowest > options_.maxBlacks || p.blacks() > options_.maxBlacks) {
        reason = QStringLiteral("Il faut au moins %1 cases noires pour cette grille.")
                     .arg(std::max(lowest, p.blacks()));
        return false;
    }
    // Blanks of the user's pattern are checked once filled; only what the
    // maker cannot mend is refused here.
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            if (p.black(r, c) && !options_.adjacentBlacks &&
                (p.black(r, c + 1) || p.black(r + 1, c))) {
                reason = QStringLiteral("Deux cases noires de la grille se touchent en %1.")
                             .arg(cellAt(r, c));
                return false;
            }
    if (index_.wordCount() == 0) {
        reason = QStringLiteral("Le dictionnaire ne contient aucun mot.");
        return false;
    }
    return true;
}

// The grid found, made better by its words' classes: the refills around its
// weak words first; then, for each weak word left, a black square in it
// (another one taken out elsewhere when the grid has its maximum) with the
// words around refilled; then the search over every stage.
Grille Maker::improve(const Grille& made, MakeResult& result) {
    IndexClasses& classes = *options_.classes;
    QualityOptions q;
    q.seed = rng_();
    q.minScore = options_.minScore;
    q.scoreWeight = options_.scoreWeight;
    q.effort = options_.quality;
    q.stop = options_.stop;
    if (options_.timeLimitSeconds > 0)
        q.timeLimitSeconds = std::max(1e-3, options_.timeLimitSeconds - elapsed());
    QualitySearch search(classes, base_.grille(), q);
    result.firstRank = classes.rank(made);
    Grille best = search.improve(made, {QualitySearch::Aim::NoWeak});
    WordRank rank = classes.rank(best);
    QSet<QByteArray> stuck;
    while (rank.weak > 0 && !search.spent()) {
        const GridSlots slots(best);
        std::vector<std::pair<QByteArray, std::vector<Square>>> weak;
        for (const Slot& slot : slots.slots()) {
            const QByteArray word = slotPattern(best, slot);
            if (classes.classOf(word) != WordClass::Weak || stuck.contains(word))
                continue;
            std::vector<Square> cells;
            for (const SlotCell& c : slot.cells)
                cells.push_back({c.row - 1, c.col - 1});
            weak.emplace_back(word, std::move(cells));
        }
        if (weak.empty())
            break;
        const auto& [word, cells] = weak[std::size_t(rng_() % weak.size())];
        if (!splitWeakWord(search, best, rank, cells, word))
            stuck.insert(word);
    }
    best = search.improve(best);
    result.rank = classes.rank(best);
    return best;
}

// A black square into a weak word, the cell chosen as the pattern's own are
// (long runs cut near their middle), the part around refilled without weak
// words; at the maximum of black squares, one elsewhere (the calmest first,
// by chance) makes room. True when the grid ranks better.
bool Maker::splitWeakWord(QualitySearch& search, Grille& best, WordRank& rank,
                          const std::vector<Square>& word, const QByteArray& text) {
    const Pattern current(best);
    std::uniform_real_distribution<double> noise(0.0, 1.0);
    std::vector<std::pair<double, Square>> ranked;
    for (const Square& x : word)
        if (canBlack(current, x))
            ranked.push_back({splitGain(current, x) * (0.6 + 0.8 * noise(rng_)), x});
    std::sort(ranked.begin(), ranked.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<Square> removable;
    for (const Square& x : cellsOf(current))
        if (current.black(x.r, x.c) && !fixedCell(x))
            removable.push_back(x);
    std::shuffle(removable.begin(), removable.end(), rng_);
    constexpr int kPlacesTried = 3;
    constexpr int kRemovalsTried = 3;
    int tried = 0;
    for (const auto& [gain, x] : ranked) {
        if (tried++ >= kPlacesTried || search.spent())
            break;
        for (int removal = -1; removal < kRemovalsTried && removal < int(removable.size());
             ++removal) {
            Pattern p = current;
            std::vector<Cell> around;
            if (removal >= 0) {
                const Square y = removable[std::size_t(removal)];
                if (!removeBlack(p, y))
                    continue;
                around.push_back({y.c + 1, y.r + 1});
                const Square m = p.mirror(y);
                if (options_.symmetric)
                    around.push_back({m.c + 1, m.r + 1});
            }
            if (!placeBlack(p, x))
                continue;
            if (!faultOf(p, options_.symmetric, options_.adjacentBlacks, maxLength_).isEmpty())
                continue;
            for (const Square& c : word)
                around.push_back({c.c + 1, c.r + 1});
            if (options_.symmetric) {
                const Square m = p.mirror(x);
                around.push_back({m.c + 1, m.r + 1});
            }
            Grille trial = p.grille();
            for (int radius = 1; radius <= options_.quality.maxRadius && !search.spent(); ++radius)
                if (search.refillAround(trial, rank, around, radius, QualitySearch::Aim::NoWeak,
                                        text)) {
                    best = trial;
                    return true;
                }
            // With a black square to spare, none is taken out.
            if (removal < 0)
                break;
        }
    }
    return false;
}

MakeResult Maker::run() {
    MakeResult result;
    result.grille = input_;
    auto finish = [&](MakeStatus status) {
        result.status = status;
        result.seconds = elapsed();
        return result;
    };
    if (!prepareBase(result.reason))
        return finish(MakeStatus::Impossible);

    const int cells = base_.rows() * base_.cols();
    // Start a little below the maximum: fewer black squares when that is easy,
    // without the long words that few known words fit.
    const int start = std::max(base_.blacks(), options_.maxBlacks - options_.maxBlacks / 6);
    int target = start;
    const double firstBudget = 40.0 + cells;
    double budget = firstBudget;
    int moves = 0;
    int unbuilt = 0;
    Pattern p = base_;
    bool fresh = true;
    std::atomic<bool> never{false};
    for (;;) {
        if (options_.stop && options_.stop->load())
            return finish(MakeStatus::Stopped);
        const double left =
            options_.timeLimitSeconds > 0 ? options_.timeLimitSeconds - elapsed() : 0;
        if (options_.timeLimitSeconds > 0 && left <= 0)
            return finish(MakeStatus::TimedOut);
        if (fresh) {
            fresh = false;
            moves = 0;
            if (!buildPattern(p, target)) {
                // Patterns that cannot even be drawn, time after time: the
                // maker gives up (the message says what failed, not a proof).
                if (++unbuilt > 200) {
                    result.reason = QStringLiteral(
                        "Les cases noires n'ont pu être placées avec ces contraintes.");
                    return finish(MakeStatus::Impossible);
                }
                target = std::min(options_.maxBlacks, target + 1);
                fresh = true;
                continue;
            }
        }
        FillRequest fill;
        fill.seed = rng_();
        fill.minScore = options_.minScore;
        fill.scoreWeight = options_.scoreWeight;
        fill.effort = FillEffort::None;
        fill.maxFailures = std::uint64_t(budget);
        fill.timeLimitSeconds = options_.timeLimitSeconds > 0 ? std::max(left, 1e-3) : 0;
        fill.stop = options_.stop ? options_.stop : &never;
        // Quality first: the patterns are filled without weak words while the
        // attempts allowed for that last; then with every word.
        const bool noWeak = options_.classes && options_.quality.refills > 0 &&
                            result.attempts < kNoWeakAttempts &&
                            options_.classes->hasWordsBeyondWeak();
        if (noWeak)
            fill.allowed = [classes = options_.classes](int length, std::uint32_t id) {
                return !classes->isForbidden(length, id) &&
                       classes->classOf(length, id) != WordClass::Weak;
            };
        else if (options_.classes && options_.classes->hasForbidden())
            fill.allowed = [classes = options_.classes](int length, std::uint32_t id) {
                return !classes->isForbidden(length, id);
            };
        const int blacks = p.blacks();
        ++result.attempts;
        if (options_.progress)
            fill.progress = [&](const FillProgress& f) {
                options_.progress({result.attempts, blacks, f.placed, f.total, elapsed()});
            };
        const FillResult filled = options_.fill
                                      ? options_.fill(p.grille(), index_, fillOptions(fill))
                                      : orv::fill(p.grille(), index_, fill);
        if (filled.status == FillStatus::Filled || filled.status == FillStatus::NothingToFill) {
            const Pattern done(filled.grille);
            if (faultOf(done, options_.symmetric, options_.adjacentBlacks, maxLength_).isEmpty() &&
                keepsRule(done)) {
                result.grille = options_.classes ? improve(filled.grille, result) : filled.grille;
                result.blacks = Pattern(result.grille).blacks();
                return finish(MakeStatus::Made);
            }
            fresh = true; // the user's own cells break a rule that the maker cannot mend
            if (++unbuilt > 200) {
                result.reason =
                    faultOf(done, options_.symmetric, options_.adjacentBlacks, maxLength_);
                return finish(MakeStatus::Impossible);
            }
            continue;
        }
        if (filled.status == FillStatus::Stopped)
            return finish(MakeStatus::Stopped);
        if (options_.timeLimitSeconds > 0 && elapsed() >= options_.timeLimitSeconds)
            return finish(MakeStatus::TimedOut);
        // Failed within its budget, or proved unfillable.
        const bool mayAdd = target > blacks;
        target = std::min(options_.maxBlacks, std::max(target, blacks) + 1);
        if (blacks >= options_.maxBlacks) {
            budget *= 1.15;
            if (++moves > kMovesPerPattern) {
                fresh = true;
                continue;
            }
        }
        if (!mutate(p, filled, mayAdd || blacks < options_.maxBlacks))
            fresh = true;
    }
}

} // namespace

int defaultMaxBlacks(int rows, int columns) { return int(std::lround(0.12 * rows * columns)); }

namespace {

// Whether made grid a reads better than made grid b: fewer weak words, then
// a greater share of frequent words among those of 3 letters or more, then
// a smaller share of fair ones, then a higher mean score.
bool readsBetter(const MakeResult& a, const MakeResult& b) {
    if (a.rank.weak != b.rank.weak)
        return a.rank.weak < b.rank.weak;
    auto longWords = [](const Grille& g) {
        const GridSlots slots(g);
        long n = 0;
        for (const Slot& slot : slots.slots())
            n += slot.cells.size() >= 3;
        return std::max(1L, n);
    };
    const long na = longWords(a.grille);
    const long nb = longWords(b.grille);
    if (long(a.rank.frequent) * nb != long(b.rank.frequent) * na)
        return long(a.rank.frequent) * nb > long(b.rank.frequent) * na;
    if (long(a.rank.fair) * nb != long(b.rank.fair) * na)
        return long(a.rank.fair) * nb < long(b.rank.fair) * na;
    return a.rank.score * nb > b.rank.score * na;
}

// The seed of draft k: the user's for the first, then a fixed mix of it.
std::uint64_t draftSeed(std::uint64_t seed, int k) {
    return k == 0 ? seed : mixSeed(seed + std::uint64_t(k) * 0x9E3779B97F4A7C15ull);
}

} // namespace

MakeResult makeGrid(const Grille& grille, const WordIndex& index, const MakeOptions& options) {
    // Free to move its black squares, the maker does without the fair words
    // that only the general vocabulary holds, as it does without weak ones.
    if (options.classes)
        options.classes->demandFrequentFairWords();
    if (!options.classes || options.drafts <= 1)
        return Maker(grille, index, options).run();

    const Clock::time_point start = Clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    MakeResult best;
    bool made = false;
    int attempts = 0;
    for (int k = 0; k < options.drafts; ++k) {
        MakeOptions draft = options;
        draft.seed = draftSeed(options.seed, k);
        if (options.timeLimitSeconds > 0) {
            draft.timeLimitSeconds = options.timeLimitSeconds - elapsed();
            if (draft.timeLimitSeconds <= 0)
                break;
        }
        if (options.progress) {
            const double before = elapsed();
            draft.progress = [&options, attempts, before](const MakeProgress& p) {
                MakeProgress all = p;
                all.attempts += attempts;
                all.seconds += before;
                options.progress(all);
            };
        }
        MakeResult r = Maker(grille, index, draft).run();
        attempts += r.attempts;
        if (r.status == MakeStatus::Made) {
            if (!made || readsBetter(r, best))
                best = std::move(r);
            made = true;
            continue;
        }
        // A stop is obeyed as before; a request that cannot be met, or no
        // grid in the time, is the answer when no draft was made.
        if (r.status == MakeStatus::Stopped || !made) {
            r.attempts = attempts;
            r.seconds = elapsed();
            return r;
        }
        break;
    }
    best.attempts = attempts;
    best.seconds = elapsed();
    return best;
}

QString patternFault(const Grille& grille, bool symmetric, bool adjacentBlacks, int maxWordLength) {
    return faultOf(Pattern(grille), symmetric, adjacentBlacks, maxWordLength);
}

} // namespace orv
