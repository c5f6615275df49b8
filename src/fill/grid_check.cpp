// The grid check walks the slots once, in the order the grid reads them.
#include "fill/grid_check.h"

#include "dictionary/word_index.h"
#include "fill/fill_request.h"
#include "fill/grid_marks.h"
#include "fill/suggestions.h"

#include <QHash>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <numeric>

namespace orv {
namespace {

// The slot's row or column, with its first cell when that row or column
// holds more than one slot: "Ligne 1 (E1)".
QString placeName(const GridSlots& slots, int s, bool capital, LabelStyle style) {
    const Slot& slot = slots[s];
    QString name = capital ? slotTitle(slot, style) : slotName(slot, style);
    int sharing = 0;
    for (const Slot& other : slots.slots())
        sharing += other.direction == slot.direction && other.line == slot.line;
    if (sharing > 1)
        name += QStringLiteral(" (%1)").arg(
            cellName(Cell{slot.cells[0].col, slot.cells[0].row}, style));
    return name;
}

} // namespace

std::vector<GridFinding> checkGrid(const Grille& grille, const GridSlots& slots,
                                   const WordIndex& index, LabelStyle style, int minScore) {
    std::vector<GridFinding> findings;
    QHash<QByteArray, int> placed; // word -> first slot holding it
    for (int s = 0; s < slots.count(); ++s) {
        const Slot& slot = slots[s];
        GridFinding f;
        f.slot = s;
        f.letters = slotPattern(grille, slot);
        const QString where = placeName(slots, s, true, style);
        const QString letters = QString::fromLatin1(f.letters);
        if (f.letters.contains('.')) {
            if (index.count(f.letters, minScore) > 0)
                continue;
            f.kind = FindingKind::NoWordFits;
            f.text = QStringLiteral("%1 : aucun mot ne convient à %2").arg(where, letters);
            findings.push_back(f);
            continue;
        }
        if (!index.contains(f.letters)) {
            f.kind = FindingKind::NotInDictionary;
            f.text = QStringLiteral("%1 : %2 n'est pas dans le dictionnaire").arg(where, letters);
            findings.push_back(f);
        }
        const auto first = placed.constFind(f.letters);
        if (first == placed.constEnd()) {
            placed.insert(f.letters, s);
            continue;
        }
        f.kind = FindingKind::UsedTwice;
        f.firstSlot = first.value();
        f.text = QStringLiteral("%1 : %2 est déjà placé en %3")
                     .arg(where, letters, placeName(slots, first.value(), false, style));
        findings.push_back(f);
    }
    // Slots that have words of their own but lose them all to the crossings.
    const GridMarks marks = computeGridMarks(grille, slots, index, minScore);
    for (const int s : marks.emptiedSlots()) {
        GridFinding f;
        f.kind = FindingKind::NoWordAfterCrossings;
        f.slot = s;
        f.letters = slotPattern(grille, slots[s]);
        f.text = QStringLiteral("%1 : aucun mot ne convient à %2 une fois les croisements pris "
                                "en compte")
                     .arg(placeName(slots, s, true, style), QString::fromLatin1(f.letters));
        findings.push_back(f);
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const GridFinding& a, const GridFinding& b) { return a.slot < b.slot; });
    return findings;
}

FillabilityCheck checkFillability(const Grille& grille, const GridSlots& slots,
                                  const WordIndex& index, LabelStyle style, int minScore,
                                  double seconds) {
    FillabilityCheck check;
    check.seconds = seconds;
    FillRequest request;
    request.minScore = minScore;
    request.timeLimitSeconds = seconds;
    const FillResult result = fill(grille, index, request);
    switch (result.status) {
    case FillStatus::NothingToFill:
        check.verdict = FillabilityCheck::Verdict::Full;
        return check;
    case FillStatus::Filled:
        check.verdict = FillabilityCheck::Verdict::Fillable;
        return check;
    case FillStatus::TimedOut:
    case FillStatus::Stopped:
        check.verdict = FillabilityCheck::Verdict::Unknown;
        return check;
    case FillStatus::NoFill:
        break;
    }
    check.verdict = FillabilityCheck::Verdict::Unfillable;
    // The slots where the search ran out of words most often.
    std::vector<int> order(result.slotWeights.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return result.slotWeights[std::size_t(a)] > result.slotWeights[std::size_t(b)];
    });
    QStringList names;
    for (const int s : order) {
        if (names.size() == 3 || result.slotWeights[std::size_t(s)] <= 0 || s >= slots.count())
            break;
        names.append(placeName(slots, s, false, style));
    }
    GridFinding& f = check.finding;
    f.kind = FindingKind::NoFillPossible;
    f.slot = names.isEmpty() ? -1 : order.front();
    f.text = names.isEmpty() ? QStringLiteral("Aucun remplissage possible")
                             : QStringLiteral("Aucun remplissage possible (en cause : %1)")
                                   .arg(names.join(QStringLiteral(", ")));
    if (f.slot >= 0)
        f.letters = slotPattern(grille, slots[f.slot]);
    return check;
}

QString checkSummary(const std::vector<GridFinding>& findings, const FillabilityCheck& fill) {
    if (!findings.empty())
        return QStringLiteral("%1 à revoir :")
            .arg(findings.size() == 1 ? QStringLiteral("1 point")
                                      : QStringLiteral("%1 points").arg(findings.size()));
    switch (fill.verdict) {
    case FillabilityCheck::Verdict::Fillable:
        return QStringLiteral("Rien à signaler dans la grille : elle peut être remplie.");
    case FillabilityCheck::Verdict::Unknown:
        return QStringLiteral("Rien à signaler dans la grille ; la recherche d'un remplissage "
                              "n'a rien trouvé ni rien exclu en %1 s.")
            .arg(QLocale(QLocale::French).toString(fill.seconds, 'g', 3));
    case FillabilityCheck::Verdict::Full:
    case FillabilityCheck::Verdict::Unfillable:
        break;
    }
    return QStringLiteral("Rien à signaler dans la grille.");
}

GridCheckReport checkWholeGrid(const Grille& grille, const GridSlots& slots, const WordIndex& index,
                               LabelStyle style, int minScore, double seconds) {
    GridCheckReport report;
    report.findings = checkGrid(grille, slots, index, style, minScore);
    if (report.findings.empty()) {
        report.fill = checkFillability(grille, slots, index, style, minScore, seconds);
        if (report.fill.verdict == FillabilityCheck::Verdict::Unfillable)
            report.findings.push_back(report.fill.finding);
    }
    report.summary = checkSummary(report.findings, report.fill);
    return report;
}

} // namespace orv
