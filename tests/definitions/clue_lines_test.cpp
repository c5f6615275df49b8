// The clue sheet's lines: the French joining of the clues of a line's words
// and its cutting back, the clue placed for one word of a line, the count of
// the words without a clue, the clues offered for a word (the base's, the
// most recent first, then the definitions list's), and the clue base taking
// each word's own clue from a joined line.
#include "common/codec.h"
#include "definitions/clue_base.h"
#include "definitions/clue_lines.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;

namespace {

// A 7 by 7 grid whose first row holds ROI and MER on either side of a black
// square: 15 words (two in row 1, one in each other row and in each column).
Grille roiMer() {
    Grille g(7, 7);
    const char* row = "ROI#MER";
    for (int c = 1; c <= 7; ++c)
        g.cell(c, 1) = row[c - 1];
    return g;
}

} // namespace

class ClueLinesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cluesAreJoinedAndCutTheFrenchWay();
    void aClueGoesToItsWordsPlace();
    void wordsWithoutClueAreCountedByPlace();
    void storedCluesMostRecentFirstThenTheDefinitions();
    void savedLinesGiveEachWordItsOwnClue();
};

void ClueLinesTest::cluesAreJoinedAndCutTheFrenchWay() {
    const QString dash(QChar(0x2013));
    QCOMPARE(joinClues({"Souverain", "Étendue d'eau salée"}),
             "Souverain. " + dash + " Étendue d'eau salée.");
    // A clue that already ends a sentence keeps its ending.
    QCOMPARE(joinClues({"Qui ?", "Vu…", "Fin.", "Ah !"}),
             QStringList({"Qui ?", "Vu…", "Fin.", "Ah !"}).join(" " + dash + " "));
    // Empty clues keep their place, but not at the end.
    QCOMPARE(joinClues({"A", "", "C", "", ""}), "A. " + dash + " " + dash + " C.");
    QCOMPARE(joinClues({"", "B"}), dash + " B.");
    QCOMPARE(joinClues({"", ""}), QString());
    QCOMPARE(joinClues({"  Seul  "}), QStringLiteral("Seul."));

    QCOMPARE(splitClues("A. " + dash + " " + dash + " C."), (QStringList{"A.", "", "C."}));
    QCOMPARE(splitClues(dash + " B."), (QStringList{"", "B."}));
    // A dash between two words of a clue does not cut it.
    QCOMPARE(splitClues("Guerre de 1914" + dash + "1918"),
             QStringList{"Guerre de 1914" + dash + "1918"});
    QCOMPARE(splitClues(QStringLiteral("Sans tiret - ni rien")),
             QStringList{"Sans tiret - ni rien"});
    QCOMPARE(splitClues(QString()), QStringList{QString()});
    for (const QStringList& clues :
         {QStringList{"Un.", "Deux."}, QStringList{"", "Deux."}, QStringList{"Un.", "", "Trois ?"}})
        QCOMPARE(splitClues(joinClues(clues)), clues);
}

void ClueLinesTest::aClueGoesToItsWordsPlace() {
    const QString dash(QChar(0x2013));
    // A line of one word takes the clue as it is.
    QCOMPARE(placeClue(QStringLiteral("Ancien"), 0, 1, QStringLiteral(" Souverain ")),
             QStringLiteral("Souverain"));
    QString line = placeClue(QString(), 1, 2, QStringLiteral("Mer"));
    QCOMPARE(line, dash + " Mer.");
    line = placeClue(line, 0, 2, QStringLiteral("Roi"));
    QCOMPARE(line, "Roi. " + dash + " Mer.");
    line = placeClue(line, 1, 2, QStringLiteral("Océan"));
    QCOMPARE(line, "Roi. " + dash + " Océan.");
    QVERIFY(wordHasClue(line, 0, 2));
    QVERIFY(wordHasClue(line, 1, 2));
    QVERIFY(!wordHasClue(dash + " Mer.", 0, 2));
    QVERIFY(wordHasClue(dash + " Mer.", 1, 2));
    // One clue without dashes on a line of two words is the first word's.
    QVERIFY(wordHasClue(QStringLiteral("Tout en un"), 0, 2));
    QVERIFY(!wordHasClue(QStringLiteral("Tout en un"), 1, 2));
    QVERIFY(!wordHasClue(QStringLiteral("   "), 0, 1));
}

void ClueLinesTest::wordsWithoutClueAreCountedByPlace() {
    Grille g = roiMer();
    const GridSlots slots(g);
    QCOMPARE(lineWords(g, slots, SlotDirection::Horizontal).at(0), (QStringList{"ROI", "MER"}));
    QCOMPARE(lineWords(g, slots, SlotDirection::Vertical).at(3), QStringList{"......"});
    QCOMPARE(lineCaption(QStringLiteral("I"), {"ROI", "MER"}), QStringLiteral("I. ROI \u00b7 MER"));
    QCOMPARE(lineCaption(QStringLiteral("4"), {}), QStringLiteral("4."));
    QCOMPARE(wordsWithoutClue(g, slots), 15);
    g.DefHoriz[0] = "Roi";
    QCOMPARE(wordsWithoutClue(g, slots), 14);
    g.DefHoriz[0] = fromUiLossy(joinClues({"Roi", "Mer"}));
    QCOMPARE(wordsWithoutClue(g, slots), 13);
    g.DefHoriz[0] = fromUiLossy(joinClues({"", "Mer"}));
    QCOMPARE(wordsWithoutClue(g, slots), 14);
    g.DefVert[3] = "Colonne D";
    g.DefHoriz[1] = "Ligne 2";
    QCOMPARE(wordsWithoutClue(g, slots), 12);
    // A clue beyond the grid's words counts for nothing.
    g.DefHoriz[9] = "Hors de la grille";
    QCOMPARE(wordsWithoutClue(g, slots), 12);
}

void ClueLinesTest::storedCluesMostRecentFirstThenTheDefinitions() {
    QTemporaryDir dir;
    ClueBase base;
    QVERIFY(base.open(dir.filePath(ClueBase::fileName()), false, QDateTime::currentDateTime()));
    base.add({{0, "ROI", "Souverain", "a.grd", "2024-01-01 10:00"},
              {0, "ROI", "Chef d'État", "b.grd", "2025-06-01 10:00"},
              {0, "ROI", "Pion du jeu", "c.grd", "2023-03-01 10:00"},
              {0, "ROIS", "Mages", "d.grd", "2026-01-01 10:00"}});
    const QList<QByteArray> definitions{"MER\t\xc9tendue d'eau sal\xe9"
                                        "e",
                                        "ROI\tSouverain", "ROIS\tMages d'Orient"};
    const std::vector<StoredClue> roi = storedClues(&base, definitions, QStringLiteral("roi"));
    QCOMPARE(roi.size(), std::size_t(3)); // the definition is the base's "Souverain"
    QCOMPARE(roi[0], (StoredClue{"Chef d'État", "b.grd", "2025-06-01 10:00"}));
    QCOMPARE(roi[1].clue, QStringLiteral("Souverain"));
    QCOMPARE(roi[2].clue, QStringLiteral("Pion du jeu"));
    const std::vector<StoredClue> rois = storedClues(&base, definitions, QStringLiteral("ROIS"));
    QCOMPARE(rois.size(), std::size_t(2));
    QCOMPARE(rois[1], (StoredClue{"Mages d'Orient", "Dicodef.dat", QString()}));
    // Without a base, the definitions list alone.
    const std::vector<StoredClue> mer = storedClues(nullptr, definitions, QStringLiteral("MER"));
    QCOMPARE(mer.size(), std::size_t(1));
    QCOMPARE(mer[0].clue, QStringLiteral("Étendue d'eau salée"));
    QVERIFY(storedClues(&base, definitions, QStringLiteral("LAC")).empty());
    QVERIFY(storedClues(&base, definitions, QString()).empty());
}

void ClueLinesTest::savedLinesGiveEachWordItsOwnClue() {
    Grille g = roiMer();
    const QDateTime now(QDate(2026, 12, 8), QTime(14, 30));
    g.DefHoriz[0] = fromUiLossy(joinClues({"Souverain", "Étendue d'eau salée"}));
    std::vector<ClueEntry> entries = gridClueEntries(g, QStringLiteral("g.grd"), now);
    QCOMPARE(entries.size(), std::size_t(2));
    QCOMPARE(entries[0].word, QStringLiteral("ROI"));
    QCOMPARE(entries[0].clue, QStringLiteral("Souverain."));
    QCOMPARE(entries[1].word, QStringLiteral("MER"));
    QCOMPARE(entries[1].clue, QStringLiteral("Étendue d'eau salée."));
    // Only the second word clued: the first gets nothing.
    g.DefHoriz[0] = fromUiLossy(joinClues({"", "Mer"}));
    entries = gridClueEntries(g, QStringLiteral("g.grd"), now);
    QCOMPARE(entries.size(), std::size_t(1));
    QCOMPARE(entries[0].word, QStringLiteral("MER"));
    // One clue for the whole line, as before: each word keeps it whole.
    g.DefHoriz[0] = "Deux mots";
    entries = gridClueEntries(g, QStringLiteral("g.grd"), now);
    QCOMPARE(entries.size(), std::size_t(2));
    QCOMPARE(entries[1].clue, QStringLiteral("Deux mots"));
}

QTEST_GUILESS_MAIN(ClueLinesTest)
#include "clue_lines_test.moc"
