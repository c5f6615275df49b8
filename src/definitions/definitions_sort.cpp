// Sorting the definitions with the user locale's collation. The lines are
// Windows-1252 bytes; the collator works on their characters.
#include "definitions/definitions_sort.h"

#include "common/codec.h"
#include "common/data_file.h"
#include "common/locale.h"

#include <QCollator>
#include <algorithm>
#include <vector>

namespace orv {

QString definitionsKeptBesideMessage(const DataFile& file, const QString& sideFile) {
    return keptBesideMessage(
        file, sideFile,
        QStringLiteral("Les définitions ajoutées pendant cette session sont enregistrées"),
        QStringLiteral(
            "Les définitions, avec les changements de cette session, sont enregistrées"));
}
namespace {

QCollator wordCollator() {
    QCollator collator(userLocale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

} // namespace

int compareDefinitionLines(const QByteArray& a, const QByteArray& b) {
    return wordCollator().compare(toUi(a), toUi(b));
}

void sortDefinitions(QList<QByteArray>& lines) {
    if (lines.size() < 2)
        return;
    // One sort key per line instead of a collation per comparison.
    const QCollator collator = wordCollator();
    struct Keyed {
        QCollatorSortKey key;
        qsizetype index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(std::size_t(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i)
        keyed.push_back({collator.sortKey(toUi(lines.at(i))), i});
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Keyed& x, const Keyed& y) { return x.key.compare(y.key) < 0; });
    QList<QByteArray> sorted;
    sorted.reserve(lines.size());
    for (const Keyed& k : keyed)
        sorted.append(std::move(lines[k.index]));
    lines = std::move(sorted);
}

} // namespace orv
