// The definitions editor's list logic.
#include "definitions/definitions_editor.h"

#include "common/codec.h"

#include <algorithm>

namespace orv {

QByteArray wordOfLine(const QByteArray& line) {
    const qsizetype tab = line.indexOf('\t');
    return tab < 0 ? line : line.left(tab);
}

void DefinitionsEditor::Init(const QList<QByteArray>& list) {
    ListeTravail = list;
    Indice = 0;
    LitMot();
    SaisieFaite = false;
}

void DefinitionsEditor::Result(QList<QByteArray>& list, bool& changed) {
    changed = SaisieFaite;
    list = std::move(ListeTravail);
    ListeTravail.clear();
}

void DefinitionsEditor::LitMot() {
    if (ListeTravail.isEmpty())
        return;
    keepIndexInRange();
    const QByteArray& line = ListeTravail.at(Indice);
    const qsizetype tab = line.indexOf('\t');
    if (tab >= 0) {
        Mot = line.left(tab);
        Definition = line.mid(tab + 1, kShownDefinition);
    } else {
        Mot = line;
        Definition.clear();
    }
    Debut = std::max<qsizetype>(0, Indice - kLinesAbove);
    Lignes = ListeTravail.mid(Debut, kVisibleLines);
    Selection = int(Indice - Debut);
}

qsizetype DefinitionsEditor::indexOfWord(const QByteArray& word) const {
    for (qsizetype i = 0; i < ListeTravail.size(); ++i)
        if (wordOfLine(ListeTravail.at(i)) == word)
            return i;
    return -1;
}

QByteArray DefinitionsEditor::storedDefinition(qsizetype entry) const {
    const QByteArray& line = ListeTravail.at(entry);
    const qsizetype tab = line.indexOf('\t');
    return tab < 0 ? QByteArray() : line.mid(tab + 1);
}

qsizetype DefinitionsEditor::longDefinitionReplaced() const {
    if (Mot.isEmpty() || Definition.isEmpty())
        return 0;
    const qsizetype found = indexOfWord(Mot);
    if (found < 0)
        return 0;
    const QByteArray stored = storedDefinition(found);
    if (stored.size() <= kShownDefinition || Definition == stored.left(kShownDefinition))
        return 0;
    return stored.size();
}

qsizetype DefinitionsEditor::hiddenDefinitionLength(const QByteArray& word,
                                                    const QByteArray& shown) const {
    const qsizetype found = word.isEmpty() ? -1 : indexOfWord(word);
    if (found < 0)
        return 0;
    const QByteArray stored = storedDefinition(found);
    return stored.size() > kShownDefinition && shown == stored.left(kShownDefinition)
               ? stored.size()
               : 0;
}

void DefinitionsEditor::keepWholeDefinition() {
    const qsizetype found = Mot.isEmpty() ? -1 : indexOfWord(Mot);
    if (found >= 0)
        Definition = storedDefinition(found).left(kShownDefinition);
}

void DefinitionsEditor::EcritMot() {
    if (Mot.isEmpty() || Definition.isEmpty())
        return;
    const qsizetype found = indexOfWord(Mot);
    if (found >= 0) {
        // What the field shows of a longer definition is not all of it.
        const QByteArray stored = storedDefinition(found);
        if (stored.size() > kShownDefinition && Definition == stored.left(kShownDefinition))
            return;
        ListeTravail[found] = Mot + '\t' + Definition;
        return;
    }
    const QByteArray line = Mot + '\t' + Definition;
    ListeTravail.append(line);
    ++Indice;
    // Appending after the list was emptied by deletions must not leave the
    // current entry past the end.
    keepIndexInRange();
}

void DefinitionsEditor::Precedent() {
    EcritMot();
    Indice = std::max(0, Indice - 1);
    LitMot();
}

void DefinitionsEditor::Suivant() {
    EcritMot();
    // On an empty list this gives -1, which the next append brings back to 0.
    Indice = std::min<std::int32_t>(Indice + 1, std::int32_t(ListeTravail.size()) - 1);
    LitMot();
}

void DefinitionsEditor::Supprime() {
    if (Mot.isEmpty())
        return;
    const qsizetype found = indexOfWord(Mot);
    if (found < 0)
        return;
    ListeTravail.removeAt(found);
    Indice = std::max(0, Indice - 1);
    keepIndexInRange();
    LitMot();
}

void DefinitionsEditor::Choisit(int row) {
    if (row < 0 || row >= Lignes.size() || Debut + row >= ListeTravail.size())
        return;
    // The row's own entry: looking the line's text up instead would find an
    // earlier line that happens to contain it.
    Indice = std::int32_t(Debut + row);
    LitMot();
}

bool DefinitionsEditor::Edit1KeyPress(char& key) {
    SaisieFaite = true;
    if (key == '\b')
        return true;
    key = upperAscii(key);
    return isCapital(key);
}

bool DefinitionsEditor::Edit2KeyPress(char key) {
    SaisieFaite = true;
    if (key != '\r')
        return true;
    EcritMot();
    return false;
}

void DefinitionsEditor::keepIndexInRange() {
    const auto last = std::int32_t(ListeTravail.size()) - 1;
    if (last < 0)
        return;
    Indice = std::clamp(Indice, 0, last);
}

} // namespace orv
