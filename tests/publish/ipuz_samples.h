// ipuz texts for the exchange tests: a file numbered in the usual way of
// other programs, and files that the reader must refuse, with their reasons.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTest>

// A small file in the usual style of other programs: clues numbered at the
// start of each word, two words in the first row.
inline QByteArray numberedFile() {
    return R"({"version":"http://ipuz.org/v2","kind":["http://ipuz.org/crossword#1"],
      "dimensions":{"width":5,"height":2},
      "puzzle":[[1,2,"#",3,4],[5,0,"#",6,0]],
      "solution":[["a","B","#","C","D"],["E","F","#","G","H"]],
      "clues":{"Across":[[1,"Deux"],[3,"Autre"],[5,"Bas"]],
               "Down":[{"number":1,"clue":"Col un"},[4,"Col cinq"]]}})";
}

// Rows "data" and "reason" (a part of the refusal's message).
inline void addRefusedIpuzRows() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");
    const QByteArray head =
        R"({"version":"http://ipuz.org/v2","kind":["http://ipuz.org/crossword#1"],)";
    QTest::newRow("not JSON") << QByteArray("{\"kind\": [") << "mal formé";
    QTest::newRow("not an object") << QByteArray("[1, 2]") << "ne décrit pas une grille";
    QTest::newRow("sudoku") << QByteArray(R"({"kind":["http://ipuz.org/sudoku#1"]})")
                            << "pas une grille de mots croisés";
    QTest::newRow("no dimensions") << head + R"("puzzle":[]})"
                                   << "dimensions";
    QTest::newRow("21 columns") << head + R"("dimensions":{"width":21,"height":5},"puzzle":[]})"
                                << "au plus 20";
    QTest::newRow("21 rows") << head + R"("dimensions":{"width":3,"height":21},"puzzle":[]})"
                             << "au plus 20";
    QTest::newRow("missing row") << head + R"("dimensions":{"width":2,"height":2},
        "puzzle":[[0,0]]})"
                                 << "2 lignes";
    QTest::newRow("short row") << head + R"("dimensions":{"width":2,"height":2},
        "puzzle":[[0,0],[0]]})"
                               << "n'a pas 2 cases";
    QTest::newRow("omitted cell") << head + R"("dimensions":{"width":2,"height":1},
        "puzzle":[[0,null]]})"
                                  << "rectangulaires";
    QTest::newRow("circled cell") << head + R"("dimensions":{"width":2,"height":1},
        "puzzle":[[0,{"cell":0,"style":{"shapebg":"circle"}}]]})"
                                  << "forme (circle)";
    QTest::newRow("two letters") << head + R"("dimensions":{"width":2,"height":1},
        "puzzle":[[0,0]],"solution":[["A","ST"]]})"
                                 << "« ST » : une case ne peut contenir";
    QTest::newRow("accented letter") << head + R"("dimensions":{"width":2,"height":1},
        "puzzle":[[0,0]],"solution":[["A","É"]]})"
                                     << "seules les lettres A à Z";
    QTest::newRow("clue the code page cannot hold")
        << head + R"("dimensions":{"width":1,"height":1},"puzzle":[[0]],
        "clues":{"Across":[["I","日本"]]}})"
        << "ne peut pas garder";
}
