// A finished 10 by 10 grid with a clue for every row and column, accented
// clues among them, for the publishing and exchange tests.
#pragma once

#include "common/codec.h"
#include "grid/grid_model.h"

#include <QStringList>

namespace orv::test {

inline const QStringList& sampleRows() {
    static const QStringList rows = {"ABRICOTIER", "MERE#ARENE", "OTES#ISOLE", "UE#SOT#SEL",
                                     "RIVE#ECU#A", "ETAGE#USEE", "#ETE#ARIDE", "NE#RANG#NE",
                                     "TAS#ILOT#S", "ELEVE#NIES"};
    return rows;
}

inline QString sampleAcross(int row) {
    static const QStringList clues = {
        "Arbre fruitier du Roussillon.",        "Génitrice. Lieu où l'on se bat.",
        "Enlevés. Séparée des autres.",         "Union européenne. Idiot. Assaisonne.",
        "Bord de l'eau. Ancienne pièce. Note.", "Niveau. Râpée.",
        "Saison chaude. Très sèche.",           "Négation. Rangée. Négation.",
        "Pile. Petite île. Fin de série.",      "Élève très âgé ; « fiable » et cætera.",
    };
    return clues.value(row - 1);
}

inline QString sampleDown(int col) {
    static const QStringList clues = {
        "Sentiment tendre. Œuvre.",
        "Bête à cornes. Été.",
        "Cours d'eau. Élevé.",
        "Héritier. Fin d'été.",
        "Cœur d'or. Accord.",
        "Très sèches. Cité.",
        "Usés. Pronom.",
        "Pièce. Oui à Moscou.",
        "Négation. Nœud.",
        "Efficace. Ses fils.",
    };
    return clues.value(col - 1);
}

// The grid with its cells and its clues, in the model's Windows-1252 bytes.
inline Grille sampleGrid() {
    Grille g;
    g.NbLignes = 11;
    g.NbColonnes = 11;
    g.Raz();
    for (int r = 1; r <= 10; ++r) {
        const QString row = sampleRows().at(r - 1);
        for (int c = 1; c <= 10; ++c)
            g.cell(c, r) = char(row.at(c - 1).unicode());
        g.DefHoriz[std::size_t(r - 1)] = *fromUi(sampleAcross(r));
        g.DefVert[std::size_t(r - 1)] = *fromUi(sampleDown(r));
    }
    return g;
}

} // namespace orv::test
