// The rules of a game without any window: the opening counter and clearing,
// hidden letters, typing, Delete, and the two paid help commands.
#include "common/keys.h"
#include "play/play_state.h"
#include "solution.h"

#include <QTest>

using namespace orv;
using namespace orv::test;

namespace {

EtatJeu openedGame() {
    EtatJeu jeu;
    jeu.Init(8, 8);
    for (int y = 1; y < 8; ++y)
        for (int x = 1; x < 8; ++x)
            jeu.InitA(y, x, kSolution[y - 1][x - 1]);
    jeu.CacheLettres();
    return jeu;
}

} // namespace

class PlayStateTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openingCounter_data();
    void openingCounter();
    void openingEmptiesEveryCellUpToTheModelLimit();
    void showingHidesEveryLetter();
    void typing_data();
    void typing();
    void deleteKey_data();
    void deleteKey();
    void showLetterCostsOnePointEveryTime();
    void placeLetter_data();
    void placeLetter();
    void placeLetterLooksOnlyAtThisGamesCells();
    void pointsText_data();
    void pointsText();
};

void PlayStateTest::openingCounter_data() {
    QTest::addColumn<int>("lignes");
    QTest::addColumn<int>("colonnes");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("text");
    QTest::newRow("7 by 7") << 8 << 8 << 64 << "64 points";
    QTest::newRow("20 by 20") << 21 << 21 << 441 << "441 points";
    QTest::newRow("6 rows by 12 columns") << 7 << 13 << 91 << "91 points";
    QTest::newRow("21 by 21 from a file") << 22 << 22 << 484 << "484 points";
}

void PlayStateTest::openingCounter() {
    QFETCH(int, lignes);
    QFETCH(int, colonnes);
    QFETCH(int, points);
    QFETCH(QString, text);
    EtatJeu jeu;
    jeu.Points = -12; // what an earlier game left
    jeu.Init(lignes, colonnes);
    QCOMPARE(jeu.JeuLignes, lignes);
    QCOMPARE(jeu.JeuColonnes, colonnes);
    QCOMPARE(jeu.Points, points);
    QCOMPARE(jeu.TextePoints(), text);
}

void PlayStateTest::openingEmptiesEveryCellUpToTheModelLimit() {
    // A 21 by 21 grid opened from a file, played to the last cell...
    EtatJeu jeu;
    jeu.Init(22, 22);
    char key = 'k';
    QVERIFY(jeu.Frappe(key, 21, 21));
    QVERIFY(jeu.Frappe(key, 21, 1));
    QVERIFY(jeu.Frappe(key, 1, 21));
    QCOMPARE(jeu.joueur(21, 21), 'K');
    // ... then a small game, then the large one again: nothing of the first shows.
    jeu.Init(8, 8);
    jeu.Init(22, 22);
    for (int c = 1; c <= kMaxIndex; ++c)
        for (int r = 1; r <= kMaxIndex; ++r)
            QCOMPARE(jeu.joueur(c, r), ' ');
    // The header row and column are never written: nothing is drawn there.
    for (int i = 0; i <= kMaxIndex; ++i) {
        QCOMPARE(jeu.joueur(0, i), '\0');
        QCOMPARE(jeu.joueur(i, 0), '\0');
    }
}

void PlayStateTest::showingHidesEveryLetter() {
    const EtatJeu jeu = openedGame();
    for (int y = 1; y < 8; ++y)
        for (int x = 1; x < 8; ++x) {
            const char solution = kSolution[y - 1][x - 1];
            QCOMPARE(jeu.solution(x, y), solution);
            QCOMPARE(jeu.joueur(x, y), solution == '#' ? '#' : ' ');
        }
    QCOMPARE(jeu.Points, 64);
}

void PlayStateTest::typing_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<char>("key");
    QTest::addColumn<char>("keyAfter");
    QTest::addColumn<char>("cellAfter");
    QTest::addColumn<bool>("written");
    // (1, 1) hides M; (4, 1) is a black square; (4, 3) is empty in the editor.
    QTest::newRow("lower-case letter") << 1 << 1 << 'e' << 'E' << 'E' << true;
    QTest::newRow("capital letter") << 1 << 1 << 'M' << 'M' << 'M' << true;
    QTest::newRow("letter on an empty cell") << 4 << 3 << 'z' << 'Z' << 'Z' << true;
    QTest::newRow("letter on a black square") << 4 << 1 << 'A' << 'A' << 'A' << true;
    QTest::newRow("digit ignored") << 1 << 1 << '5' << '5' << ' ' << false;
    QTest::newRow("punctuation ignored") << 1 << 1 << '.' << '.' << ' ' << false;
    QTest::newRow("space makes no black square") << 1 << 1 << ' ' << ' ' << ' ' << false;
    QTest::newRow("accented letter ignored") << 1 << 1 << char(0xE9) << char(0xE9) << ' ' << false;
    QTest::newRow("enter ignored") << 4 << 1 << '\r' << '\r' << '#' << false;
    QTest::newRow("backspace on a black square") << 4 << 1 << '\b' << '\b' << ' ' << true;
}

void PlayStateTest::typing() {
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(char, key);
    QFETCH(char, keyAfter);
    QFETCH(char, cellAfter);
    QFETCH(bool, written);
    EtatJeu jeu = openedGame();
    const auto solution = jeu.CasesSolution;
    QCOMPARE(jeu.Frappe(key, col, row), written);
    QCOMPARE(key, keyAfter);
    QCOMPARE(jeu.joueur(col, row), cellAfter);
    // Typing neither costs nor earns, and never touches the solution.
    QCOMPARE(jeu.Points, 64);
    QVERIFY(jeu.CasesSolution == solution);
}

void PlayStateTest::deleteKey_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("emptied");
    QTest::newRow("Delete") << vk::Delete << true;
    QTest::newRow("arrow left to the grid") << vk::Left << false;
    QTest::newRow("Backspace is a character, not a key-down") << vk::Backspace << false;
    QTest::newRow("Home") << vk::Home << false;
}

void PlayStateTest::deleteKey() {
    QFETCH(int, key);
    QFETCH(bool, emptied);
    EtatJeu jeu = openedGame();
    char letter = 'x';
    jeu.Frappe(letter, 2, 3);
    QCOMPARE(jeu.ToucheBas(key, 2, 3), emptied);
    QCOMPARE(jeu.joueur(2, 3), emptied ? ' ' : 'X');
    QCOMPARE(jeu.Points, 64);
}

void PlayStateTest::showLetterCostsOnePointEveryTime() {
    EtatJeu jeu = openedGame();
    jeu.MontreLettre(1, 1);
    QCOMPARE(jeu.joueur(1, 1), 'M');
    QCOMPARE(jeu.Points, 63);
    jeu.MontreLettre(1, 1);
    QCOMPARE(jeu.joueur(1, 1), 'M');
    QCOMPARE(jeu.Points, 62);
    // A black square stays black and still costs.
    jeu.MontreLettre(4, 1);
    QCOMPARE(jeu.joueur(4, 1), '#');
    QCOMPARE(jeu.Points, 61);
    // An empty cell of the editor's grid shows empty, for a point too.
    char key = 'q';
    jeu.Frappe(key, 4, 3);
    jeu.MontreLettre(4, 3);
    QCOMPARE(jeu.joueur(4, 3), ' ');
    // A wrong letter is replaced by the right one.
    key = 'b';
    jeu.Frappe(key, 2, 1);
    jeu.MontreLettre(2, 1);
    QCOMPARE(jeu.joueur(2, 1), 'E');
    QCOMPARE(jeu.Points, 59);
    QCOMPARE(jeu.TextePoints(), QStringLiteral("59 points"));
}

void PlayStateTest::placeLetter_data() {
    QTest::addColumn<QByteArray>("letters");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("shownE");
    QTest::newRow("E on five E's") << QByteArray("E") << 59 << 5;
    QTest::newRow("E twice costs twice") << QByteArray("EE") << 54 << 5;
    QTest::newRow("a letter the solution lacks") << QByteArray("Q") << 64 << 0;
    QTest::newRow("no letter picked") << QByteArray(1, '\0') << 64 << 0;
    QTest::newRow("A then E") << QByteArray("AE") << 53 << 5;
}

void PlayStateTest::placeLetter() {
    QFETCH(QByteArray, letters);
    QFETCH(int, points);
    QFETCH(int, shownE);
    EtatJeu jeu = openedGame();
    for (char letter : letters)
        jeu.PlaceLettre(letter);
    QCOMPARE(jeu.Points, points);
    int e = 0;
    for (int y = 1; y < 8; ++y)
        for (int x = 1; x < 8; ++x) {
            const char solution = kSolution[y - 1][x - 1];
            const char shown = jeu.joueur(x, y);
            if (letters.contains(solution) && solution != '#' && solution != ' ')
                QCOMPARE(shown, solution);
            else
                QCOMPARE(shown, solution == '#' ? '#' : ' ');
            e += shown == 'E';
        }
    QCOMPARE(e, shownE);
}

void PlayStateTest::placeLetterLooksOnlyAtThisGamesCells() {
    // A 10 by 10 game full of E's, then a 7 by 7 one: the E's left beyond
    // column and row 7 of the old solution neither cost nor show.
    EtatJeu jeu;
    jeu.Init(11, 11);
    for (int y = 1; y < 11; ++y)
        for (int x = 1; x < 11; ++x)
            jeu.InitA(y, x, 'E');
    jeu.Init(8, 8);
    for (int y = 1; y < 8; ++y)
        for (int x = 1; x < 8; ++x)
            jeu.InitA(y, x, kSolution[y - 1][x - 1]);
    jeu.CacheLettres();
    QCOMPARE(jeu.PlaceLettre('E'), 5);
    QCOMPARE(jeu.Points, 59);
    QCOMPARE(jeu.joueur(9, 9), ' ');
    QCOMPARE(jeu.joueur(8, 1), ' ');
}

void PlayStateTest::pointsText_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("text");
    QTest::newRow("one has no singular") << 1 << "1 points";
    QTest::newRow("zero") << 0 << "0 points";
    QTest::newRow("below zero") << -3 << "-3 points";
    QTest::newRow("large") << 441 << "441 points";
}

void PlayStateTest::pointsText() {
    QFETCH(int, points);
    QFETCH(QString, text);
    EtatJeu jeu;
    jeu.Points = points;
    QCOMPARE(jeu.TextePoints(), text);
}

QTEST_GUILESS_MAIN(PlayStateTest)
#include "play_state_test.moc"
