// The definitions editor's rules without its widgets: the working copy of the
// list, the current entry, what the word and definition fields and the list
// box show, the moves between entries, and the key rules of the two fields.
// The window copies its fields in before every command and shows the result.
#pragma once

#include <QByteArray>
#include <QList>
#include <cstdint>

namespace orv {

class DefinitionsEditor {
public:
    // Most lines the list box shows around the current entry.
    static constexpr int kVisibleLines = 21;
    // Lines shown above the current entry once the list is long enough.
    static constexpr int kLinesAbove = 5;
    // Longest definition the definition field receives from a line.
    static constexpr int kShownDefinition = 255;

    // Copies the list, shows its first entry and forgets earlier typing.
    void Init(const QList<QByteArray>& list);
    // Hands the working copy back into list and releases it; changed tells
    // whether anything was typed since Init.
    void Result(QList<QByteArray>& list, bool& changed);

    // Shows the entry at Indice in the fields and the list box; an empty list
    // leaves everything as it was.
    void LitMot();
    // Writes the fields into the list: replaces the word's entry, or appends
    // a new one. Does nothing while either field is empty. An entry whose
    // definition is longer than the field holds stays whole while the field
    // shows its beginning unchanged.
    void EcritMot();
    // The length of the word's definition when EcritMot would replace one
    // longer than the field holds by other text (the user edited what the
    // field shows), else 0: the window asks before that.
    qsizetype longDefinitionReplaced() const;
    // The length of the word's whole definition when it is longer than the
    // field holds and `shown` is what the field shows of it, else 0.
    qsizetype hiddenDefinitionLength(const QByteArray& word, const QByteArray& shown) const;
    // Gives the definition field back the beginning of the word's whole
    // definition, so that EcritMot leaves the entry as it is.
    void keepWholeDefinition();

    void Precedent(); // previous entry, after writing the fields back
    void Suivant();   // next entry, after writing the fields back
    void Supprime();  // deletes the word's entry, without asking
    // A line of the list box was chosen (by mouse or keys): its own entry
    // becomes current. Rows outside what the list box shows are ignored.
    void Choisit(int row);

    // A character typed in the word field: only capitals and Backspace pass,
    // plain lower-case letters turned to capitals. Returns whether it passes.
    bool Edit1KeyPress(char& key);
    // A character typed in the definition field. Enter writes the fields and
    // is discarded (returns false); every other character passes.
    bool Edit2KeyPress(char key);

    // Index of the entry whose word (text before the first TAB) is exactly
    // word, or -1.
    qsizetype indexOfWord(const QByteArray& word) const;

    // --- State of one opening ---
    QList<QByteArray> ListeTravail;
    std::int32_t Indice = 0;
    bool SaisieFaite = false;

    // --- What the fields and the list box show (kept between openings) ---
    QByteArray Mot;           // word field
    QByteArray Definition;    // definition field
    QList<QByteArray> Lignes; // list box lines
    qsizetype Debut = 0;      // index in ListeTravail of the first list box line
    int Selection = -1;       // selected line of the list box, -1 for none

private:
    void keepIndexInRange();
    // The definition of the word's entry, or nothing when it has none.
    QByteArray storedDefinition(qsizetype entry) const;
};

// The word of a definitions line: what comes before its first TAB, or the
// whole line without one.
QByteArray wordOfLine(const QByteArray& line);

} // namespace orv
