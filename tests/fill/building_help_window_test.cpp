// The help while building, through the real main window: the suggestions
// panel following the cursor and every edit, the look-ahead's marks agreeing
// with the fill, a word placed from it and taken
// back by undo, the marks, the grid check's window, the typing direction
// option, the pattern search's offer to place a word, the panel's state
// kept between runs, and the grid's statistics following every change.
#include "common/string_grid.h"
#include "dictionary/dictionary_browser.h"
#include "dictionary/word_block_model.h"
#include "dictionary/word_dialog.h"
#include "fill/building_help_controller.h"
#include "fill/grid_check_window.h"
#include "fill/grid_statistics_panel.h"
#include "fill/suggestions_panel.h"
#include "grid/grid_text.h"
#include "search/word_search_window.h"
#include "support/test_app.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>

using namespace orv;
using namespace orv::test;

namespace {

const QList<QByteArray> kWords{"CAR", "CAS", "ART", "AME", "AIR", "ARE", "AMI", "ALU", "RAT",
                               "RUE", "RIT", "SUR", "SEL", "TRI", "ETE", "SUE", "SET"};

// Rows of the playing area: "#" black, "." empty, a letter.
void setRows(TMainForm& w, const QList<QByteArray>& rows) {
    editGrid(w, [&](Grille& g) {
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows[r].size(); ++c)
                g.cell(c + 1, r + 1) = rows[r][c] == '.' ? ' ' : rows[r][c];
    });
}

// Row 2 "A.." crosses column B ("A..") and column C ("R.."): only AMI and
// ALU leave column C a word (RIT, RUE).
const QList<QByteArray> kGrid{"CAR#...", "A..#...", "S..#...", "####...",
                              ".......", ".......", "......."};

// A "Dicoscore.dat" giving every word the same score.
QByteArray sameScores(const QList<QByteArray>& words, int score) {
    QByteArray text;
    for (const QByteArray& word : words)
        text += word + '\t' + QByteArray::number(score) + "\r\n";
    return text;
}

BuildingHelpController& help(TMainForm& w) { return *w.findChild<BuildingHelpController*>(); }

QString label(TMainForm& w, const char* name) { return child<QLabel>(&w, name)->text(); }

QStringList listed(SuggestionsPanel& panel, SlotDirection d) {
    QStringList words;
    for (int row = 0; row < panel.model(d).rowCount(); ++row)
        words << QString::fromLatin1(panel.model(d).word(row));
    return words;
}

QByteArray rowText(TMainForm& w, int row, int from, int to) {
    QByteArray text;
    for (int c = from; c <= to; ++c)
        text += w.grille().cell(c, row);
    return text;
}

// A double click as the user makes it: the first click chooses the row, the
// second opens it.
void doubleClick(QWidget* viewport, const QPoint& at) {
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
}

} // namespace

class BuildingHelpWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QSettings().clear(); }
    void menuAndPanelState();
    void panelFollowsCursorAndEdits();
    void addedWordJoinsTheLists();
    void listsShowScoresAndFollowTheBrowser();
    void typedLettersFindAWord();
    void placedWordIsOneUndoableChange();
    void marksFollowTheGrid();
    void checkWindowListsAndMovesTheCursor();
    void typingDirectionOption();
    void searchResultOffersToPlaceTheWord();
    void statisticsFollowTheGrid();
    void rareWordsAreTintedAndFollowTheGrid();
    void refusedWordIsReplacedAloneAndNeverComesBack();
    void suggestionsAreMarkedAheadAndAgreeWithTheFill();
};

void BuildingHelpWindowTest::menuAndPanelState() {
    {
        TestApp app;
        TMainForm& w = startWith(app, kWords);
        // The new menu stands between "&Grille" and "&Jeu".
        QStringList menus;
        for (QAction* a : w.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus.indexOf(QStringLiteral("Affi&chage")),
                 menus.indexOf(QStringLiteral("&Grille")) + 1);
        QCOMPARE(menus.indexOf(QStringLiteral("&Jeu")),
                 menus.indexOf(QStringLiteral("Affi&chage")) + 1);
        auto* suggestions = child<QAction>(&w, "suggestions");
        QCOMPARE(suggestions->shortcut(), QKeySequence(Qt::Key_F4));
        QVERIFY(!suggestions->isChecked());
        QVERIFY(!help(w).panel()->isVisible());
        QVERIFY(!child<QAction>(&w, "markCells")->isChecked());
        QVERIFY(!child<QAction>(&w, "advance")->isChecked());
        // The grid keeps its place and size beside the panel.
        const QRect grid = w.StringGrid1->geometry();
        trigger(w, "suggestions");
        QVERIFY(suggestions->isChecked());
        QVERIFY(help(w).panel()->isVisible());
        QCOMPARE(w.dockWidgetArea(help(w).panel()), Qt::RightDockWidgetArea);
        QCOMPARE(w.StringGrid1->geometry(), grid);
    }
    {
        // Shown when the program was last left.
        TestApp app;
        TMainForm& w = startWith(app, kWords);
        QVERIFY(child<QAction>(&w, "suggestions")->isChecked());
        QVERIFY(help(w).panel()->isVisible());
        // Shown from the start, it lists words of the dictionary loaded at start.
        setRows(w, kGrid);
        QVERIFY(w.StringGrid1->setCurrent(2, 2));
        QCOMPARE(label(w, "HorizCount"), QStringLiteral("2 mots"));
        // The panel's own close button hides it as the menu does.
        help(w).panel()->close();
        QVERIFY(!child<QAction>(&w, "suggestions")->isChecked());
        QVERIFY(!help(w).panel()->isVisible());
    }
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    QVERIFY(!help(w).panel()->isVisible());
}

void BuildingHelpWindowTest::panelFollowsCursorAndEdits() {
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    trigger(w, "suggestions");
    setRows(w, kGrid);
    SuggestionsPanel& panel = *help(w).panel();
    w.StringGrid1->setFocus();
    QVERIFY(w.StringGrid1->setCurrent(2, 2));
    QCOMPARE(label(w, "HorizHeading"), QStringLiteral("Ligne 2 : A.."));
    QCOMPARE(label(w, "HorizCount"), QStringLiteral("2 mots"));
    QCOMPARE(listed(panel, SlotDirection::Horizontal), (QStringList{"AMI", "ALU"}));
    QCOMPARE(label(w, "VertHeading"), QStringLiteral("Colonne B : A.."));

    // A letter typed in the grid narrows both lists at once.
    QTest::keyClick(w.StringGrid1, Qt::Key_M);
    QCOMPARE(w.grille().cell(2, 2), 'M');
    QCOMPARE(label(w, "HorizHeading"), QStringLiteral("Ligne 2 : AM."));
    QCOMPARE(label(w, "HorizCount"), QStringLiteral("1 mot"));
    QCOMPARE(listed(panel, SlotDirection::Horizontal), (QStringList{"AMI"}));
    QCOMPARE(label(w, "VertHeading"), QStringLiteral("Colonne B : AM."));

    // The arrow keys move the lists with the cursor.
    QTest::keyClick(w.StringGrid1, Qt::Key_Down);
    QCOMPARE(w.StringGrid1->row(), 3);
    QCOMPARE(label(w, "HorizHeading"), QStringLiteral("Ligne 3 : S.."));
    QTest::keyClick(w.StringGrid1, Qt::Key_Right);
    QTest::keyClick(w.StringGrid1, Qt::Key_Right);
    QCOMPARE(w.StringGrid1->col(), 4);
    QCOMPARE(label(w, "HorizHeading"), QStringLiteral("Pas de mot ici"));
    QCOMPARE(label(w, "HorizCount"), QString());
    QCOMPARE(panel.model(SlotDirection::Horizontal).rowCount(), 0);
    QCOMPARE(panel.model(SlotDirection::Vertical).rowCount(), 0);

    // A slot longer than any word has none.
    QVERIFY(w.StringGrid1->setCurrent(3, 6));
    QCOMPARE(label(w, "HorizHeading"), QStringLiteral("Ligne 6 : ......."));
    QCOMPARE(label(w, "HorizCount"), QStringLiteral("0 mot"));
}

void BuildingHelpWindowTest::addedWordJoinsTheLists() {
    TestApp app;
    // Every word scores the same, so that the crossings' openness alone ranks.
    app.writeFile(QStringLiteral("Dicoscore.dat"), sameScores(kWords, 50));
    TMainForm& w = startWith(app, kWords);
    trigger(w, "suggestions");
    setRows(w, kGrid);
    QVERIFY(w.StringGrid1->setCurrent(2, 2));
    QCOMPARE(listed(*help(w).panel(), SlotDirection::Horizontal), (QStringList{"AMI", "ALU"}));
    auto addWord = [&](const char* word) {
        app.fakes.modal.scripts.append([word](QDialog& d) {
            auto& add = static_cast<TAjout&>(d);
            QTest::keyClicks(static_cast<QWidget*>(add.Edit1), QString::fromLatin1(word));
            add.SpinScore->setValue(50);
            QTest::mouseClick(static_cast<QWidget*>(add.Button1), Qt::LeftButton);
        });
        trigger(w, "Ajoutermot1");
    };
    // AXA would leave column C "RA." only RAT, row 3 then SET, and column B
    // "AXE", which the dictionary lacks: a dead end, not offered.
    addWord("AXA");
    QCOMPARE(listed(*help(w).panel(), SlotDirection::Horizontal), (QStringList{"AMI", "ALU"}));
    // With AXE, column B keeps two words after AXA.
    addWord("AXE");
    QCOMPARE(listed(*help(w).panel(), SlotDirection::Horizontal),
             (QStringList{"AMI", "AXA", "ALU"}));
}

void BuildingHelpWindowTest::listsShowScoresAndFollowTheBrowser() {
    TestApp app;
    // Row 2 "A..": AMI leaves its crossings twice the choice ALU leaves, but
    // ALU is much better known; ART is hidden (and fits nowhere here anyway).
    app.writeFile(QStringLiteral("Dicoscore.dat"),
                  sameScores(kWords, 50) + "ALU\t100\r\nART\t0\r\n");
    TMainForm& w = startWith(app, kWords);
    trigger(w, "suggestions");
    setRows(w, kGrid);
    SuggestionsPanel& panel = *help(w).panel();
    QVERIFY(w.StringGrid1->setCurrent(2, 2));
    QCOMPARE(listed(panel, SlotDirection::Horizontal), (QStringList{"ALU", "AMI"}));
    SuggestionListModel& across = panel.model(SlotDirection::Horizontal);
    QCOMPARE(across.index(0).data(kScoreRole).toInt(), 100);
    QCOMPARE(across.index(1).data(kScoreRole).toInt(), 50);
    QCOMPARE(across.index(0).data(Qt::ToolTipRole).toString(), QStringLiteral("ALU : score 100"));
    // A lone open slot of three cells: every word but the hidden one.
    setRows(w, {"...####", "#######", "#######", "#######", "#######", "#######", "#######"});
    QVERIFY(w.StringGrid1->setCurrent(1, 1));
    const QStringList open = listed(panel, SlotDirection::Horizontal);
    QCOMPARE(open.size(), kWords.size() - 1);
    QVERIFY(!open.contains(QStringLiteral("ART")));
    QCOMPARE(open.first(), QStringLiteral("ALU")); // no crossing: the score alone ranks

    // ALU set to 0 in the browser leaves the lists as soon as it closes.
    setRows(w, kGrid);
    QVERIFY(w.StringGrid1->setCurrent(2, 2));
    app.fakes.modal.scripts.append([](QDialog& d) {
        auto& dico = static_cast<TDico&>(d);
        chooseWord(dico, QStringLiteral("ALU"));
        QCOMPARE(dico.SpinScore->value(), 100);
        QCOMPARE(dico.ListBox1->currentIndex().data(kScoreRole).toInt(), 100);
        dico.SpinScore->selectAll();
        QTest::keyClick(dico.SpinScore, Qt::Key_0);
        // The list keeps the word, with its new score.
        QCOMPARE(dico.ListBox1->currentIndex().data(kScoreRole).toInt(), 0);
    });
    trigger(w, "Dictionnaire1");
    QCOMPARE(listed(panel, SlotDirection::Horizontal), (QStringList{"AMI"}));
    QCOMPARE(label(w, "HorizCount"), QStringLiteral("1 mot"));
    // Given a score again, it comes back.
    app.fakes.modal.scripts.append([](QDialog& d) {
        auto& dico = static_cast<TDico&>(d);
        chooseWord(dico, QStringLiteral("ALU"));
        dico.SpinScore->setValue(40);
    });
    trigger(w, "Dictionnaire1");
    QCOMPARE(listed(panel, SlotDirection::Horizontal), (QStringList{"AMI", "ALU"}));
    QCOMPARE(w.document().dictionary().scoredIndex().builds(), 1);
}

void BuildingHelpWindowTest::typedLettersFindAWord() {
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    trigger(w, "suggestions");
    SuggestionsPanel& panel = *help(w).panel();
    setRows(w, {"...####", "...####", "...####", "#######", "#######", "#######", "#######"});
    QVERIFY(w.StringGrid1->setCurrent(1, 1));
    QListView* list = panel.view(SlotDirection::Horizontal);
    const QStringList words = listed(panel, SlotDirection::Horizontal);
    QVERIFY(words.size() > 5);
    list->setFocus();
    // RAT leaves column B "A.." and column C "T.." a word; the list starts
    // with better ones.
    QVERIFY(words.indexOf(QStringLiteral("RAT")) > 0);
    QTest::keyClicks(list, "ra");
    QCOMPARE(list->currentIndex().row(), int(words.indexOf(QStringLiteral("RAT"))));
}

void BuildingHelpWindowTest::placedWordIsOneUndoableChange() {
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    trigger(w, "suggestions");
    setRows(w, kGrid);
    w.document().markSaved();
    QVERIFY(!w.document().isModified());
    QVERIFY(w.StringGrid1->setCurrent(2, 2));
    SuggestionListView* list = help(w).panel()->view(SlotDirection::Horizontal);
    list->setFocus();
    QCOMPARE(list->currentIndex().row(), 0);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(rowText(w, 2, 1, 3), QByteArray("AMI"));
    QVERIFY(w.document().isModified());
    QCOMPARE(label(w, "HorizHeading"), QStringLiteral("Ligne 2 : AMI"));
    QCOMPARE(w.focusWidget(), w.StringGrid1);

    // One step takes the whole word back.
    trigger(w, "undo");
    QCOMPARE(rowText(w, 2, 1, 3), QByteArray("A  "));
    QVERIFY(!w.document().isModified());
    QCOMPARE(label(w, "HorizHeading"), QStringLiteral("Ligne 2 : A.."));

    // A double click places the word of the column's list.
    QListView* down = help(w).panel()->view(SlotDirection::Vertical);
    const QStringList words = listed(*help(w).panel(), SlotDirection::Vertical);
    QVERIFY(!words.isEmpty());
    const QRect second = down->visualRect(down->model()->index(words.size() - 1, 0));
    doubleClick(down->viewport(), second.center());
    QCOMPARE(QByteArray() + w.grille().cell(2, 1) + w.grille().cell(2, 2) + w.grille().cell(2, 3),
             words.last().toLatin1());
    trigger(w, "undo");
    QCOMPARE(w.grille().cell(2, 2), ' ');
}

void BuildingHelpWindowTest::marksFollowTheGrid() {
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    setRows(w, {"CA.####", "#######", "#######", "#######", "#######", "#######", "#######"});
    trigger(w, "markCells");
    // CA. : CAR and CAS, so the cell stays open.
    QCOMPARE(help(w).marks().mark(3, 1), CellMark::None);
    setRows(w, {"CU.####"});
    QCOMPARE(help(w).marks().mark(3, 1), CellMark::Dead);
    setRows(w, {"RU.####"});
    QCOMPARE(help(w).marks().mark(3, 1), CellMark::Forced);
    QCOMPARE(help(w).marks().forcedLetter(3, 1), 'E');
    // Marks never change the grid itself.
    QCOMPARE(w.grille().cell(3, 1), ' ');
}

void BuildingHelpWindowTest::checkWindowListsAndMovesTheCursor() {
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    setRows(w, {"CAR#CAR", "###.###", "ZZZ#...", "#######", "#######", "#######", "#######"});
    trigger(w, "checkGrid");
    GridCheckWindow* check = help(w).checkWindow();
    QVERIFY(check && check->isVisible());
    QStringList lines;
    for (int i = 0; i < check->list()->count(); ++i)
        lines << check->list()->item(i)->text();
    QCOMPARE(lines,
             (QStringList{QStringLiteral("Ligne 1 (E1) : CAR est déjà placé en ligne 1 (A1)"),
                          QStringLiteral("Ligne 3 (A3) : ZZZ n'est pas dans le dictionnaire")}));
    // A double click on a line takes the cursor to the start of its slot.
    QListWidget* list = check->list();
    doubleClick(list->viewport(), list->visualItemRect(list->item(0)).center());
    QCOMPARE(w.StringGrid1->col(), 5);
    QCOMPARE(w.StringGrid1->row(), 1);
    doubleClick(list->viewport(), list->visualItemRect(list->item(1)).center());
    QCOMPARE(w.StringGrid1->col(), 1);
    QCOMPARE(w.StringGrid1->row(), 3);
    // Mended, the grid checks clean.
    setRows(w, {"CAR#CAS", "###.###", "RAT#..."});
    trigger(w, "checkGrid");
    QCOMPARE(check->list()->count(), 0);
    QCOMPARE(child<QLabel>(check, "CheckSummary")->text(),
             QStringLiteral("Rien à signaler dans la grille : elle peut être remplie."));
}

void BuildingHelpWindowTest::typingDirectionOption() {
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    w.StringGrid1->setFocus();
    QVERIFY(w.StringGrid1->setCurrent(2, 2));
    // Off: the cursor stays where the letter went.
    QTest::keyClick(w.StringGrid1, Qt::Key_X);
    QCOMPARE(w.grille().cell(2, 2), 'X');
    QCOMPARE(w.StringGrid1->col(), 2);
    QCOMPARE(w.StringGrid1->row(), 2);

    trigger(w, "advance");
    QCOMPARE(w.panel0->text(), QStringLiteral("Saisie horizontale (Tab : verticale)"));
    QTest::keyClick(w.StringGrid1, Qt::Key_Y);
    QCOMPARE(w.grille().cell(2, 2), 'Y');
    QCOMPARE(w.StringGrid1->col(), 3);
    QTest::keyClick(w.StringGrid1, Qt::Key_Tab);
    QCOMPARE(w.panel0->text(), QStringLiteral("Saisie verticale (Tab : horizontale)"));
    QCOMPARE(w.focusWidget(), w.StringGrid1);
    QTest::keyClick(w.StringGrid1, Qt::Key_Z);
    QCOMPARE(w.grille().cell(3, 2), 'Z');
    QCOMPARE(w.StringGrid1->col(), 3);
    QCOMPARE(w.StringGrid1->row(), 3);
    // A key that writes no letter does not move; the last row stops the cursor.
    QTest::keyClick(w.StringGrid1, Qt::Key_5);
    QCOMPARE(w.StringGrid1->row(), 3);
    QVERIFY(w.StringGrid1->setCurrent(3, 7));
    QTest::keyClick(w.StringGrid1, Qt::Key_A);
    QCOMPARE(w.StringGrid1->row(), 7);

    trigger(w, "advance");
    QTest::keyClick(w.StringGrid1, Qt::Key_B);
    QCOMPARE(w.grille().cell(3, 7), 'B');
    QCOMPARE(w.StringGrid1->row(), 7);
    QCOMPARE(w.StringGrid1->col(), 3);
}

void BuildingHelpWindowTest::searchResultOffersToPlaceTheWord() {
    TestApp app;
    TMainForm& w = startWith(app, {"MAISON", "MOUTON", "RAISON"});
    setRows(w, {"......#", "#######", "#######", "#######", "#######", "#######", "#######"});
    QVERIFY(w.StringGrid1->setCurrent(2, 1));
    app.fakes.messages.answers = {MessageService::Answer::Yes};
    app.fakes.modal.scripts.append([](QDialog& d) {
        auto& search = static_cast<TRMots&>(d);
        QTest::mouseClick(search.Button2, Qt::LeftButton); // every 6-letter word
        QListView* list = search.ListBox1;
        QTRY_COMPARE(list->model()->rowCount(), 3);
        const QRect r = list->visualRect(list->model()->index(1, 0));
        doubleClick(list->viewport(), r.center());
    });
    trigger(w, "Recherchedemots1");
    QCOMPARE(app.fakes.messages.questions,
             QStringList{QStringLiteral("Placer MOUTON en ligne 1 ?")});
    QCOMPARE(rowText(w, 1, 1, 6), QByteArray("MOUTON"));
    trigger(w, "undo");
    QCOMPARE(rowText(w, 1, 1, 6), QByteArray("      "));
}

void BuildingHelpWindowTest::statisticsFollowTheGrid() {
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    setRows(w, kGrid);
    auto* command = child<QAction>(&w, "gridStatistics");
    QVERIFY(command);
    // In the menu « Grille », after the check.
    const QList<QAction*> grid = child<QMenu>(&w, "GrilleMenu")->actions();
    QCOMPARE(grid.indexOf(command), grid.indexOf(child<QAction>(&w, "checkGrid")) + 1);
    command->trigger();
    GridStatisticsPanel* panel = help(w).statisticsPanel();
    QVERIFY(panel && panel->isVisible());
    QCOMPARE(panel->value(QStringLiteral("Cases noires")), QStringLiteral("7 (14 %)"));
    QCOMPARE(panel->value(QStringLiteral("Mots absents du dictionnaire")), QStringLiteral("aucun"));
    // CAR and CAS complete, three letters each.
    QCOMPARE(panel->value(QStringLiteral("Mots")), QStringLiteral("20, dont 2 complets"));

    // A typed word that the dictionary lacks, a black square: shown at once.
    editGrid(w, [](Grille& g) {
        g.cell(2, 2) = 'X';
        g.cell(3, 2) = 'Y';
    });
    QCOMPARE(panel->value(QStringLiteral("Mots absents du dictionnaire")),
             QStringLiteral("1 : AXY"));
    editGrid(w, [](Grille& g) { g.cell(7, 7) = '#'; });
    QCOMPARE(panel->value(QStringLiteral("Cases noires")), QStringLiteral("8 (16 %)"));
    // Undo too.
    trigger(w, "undo");
    QCOMPARE(panel->value(QStringLiteral("Cases noires")), QStringLiteral("7 (14 %)"));
    // The panel's own close button unchecks the command.
    panel->close();
    QVERIFY(!command->isChecked());
}

// « Marquer les mots rares » tints the cells of the words a reader may not
// know (XQZ, unknown), not those of the known ones, and follows each edit.
void BuildingHelpWindowTest::rareWordsAreTintedAndFollowTheGrid() {
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    setRows(w, {"XQZ####", "#######", "#######", "#######", "#######", "#######", "ALU####"});
    QAction* marks = child<QAction>(&w, "markRareWords");
    QVERIFY(marks);
    QCOMPARE(marks->text(), QStringLiteral("Marquer les mots &rares"));
    QVERIFY(help(w).rareCells().empty());
    trigger(w, "markRareWords");
    QCOMPARE(help(w).rareCells(), (std::vector<Cell>{{1, 1}, {2, 1}, {3, 1}}));
    // The rare word replaced by a known one: nothing left to tint.
    setRows(w, {"AMI####"});
    QVERIFY(help(w).rareCells().empty());
    trigger(w, "markRareWords"); // off
    setRows(w, {"XQZ####"});
    QVERIFY(help(w).rareCells().empty());
}

// « Refuser ce mot » on the word under the cursor: its slot takes another
// word, every other cell stays, one undo step brings it back, and neither
// refused word is placed again, by a second refusal or by the fill.
void BuildingHelpWindowTest::refusedWordIsReplacedAloneAndNeverComesBack() {
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    const QList<QByteArray> rows{"AMI####", "#######", "#######", "#######",
                                 "#######", "#######", "SEL####"};
    setRows(w, rows);
    const Grille start = w.grille();
    QAction* refuse = child<QAction>(&w, "refuseWord");
    QVERIFY(refuse);
    QCOMPARE(refuse->text(), QStringLiteral("Refuser ce &mot"));
    // Also under the right button, on the grid.
    QVERIFY(w.StringGrid1->actions().contains(refuse));
    QCOMPARE(w.StringGrid1->contextMenuPolicy(), Qt::ActionsContextMenu);

    QVERIFY(w.StringGrid1->setCurrent(2, 1));
    trigger(w, "refuseWord");
    QCOMPARE(app.fakes.messages.infos, QStringList{});
    auto rowWord = [&](int row) {
        QByteArray word;
        for (int c = 1; c <= 3; ++c)
            word += w.grille().cell(c, row);
        return word;
    };
    const QByteArray first = rowWord(1);
    QVERIFY(first != "AMI");
    QVERIFY(first != "SEL");
    QVERIFY(kWords.contains(first));
    for (int c = 1; c <= 7; ++c)
        for (int r = 2; r <= 7; ++r)
            QCOMPARE(w.grille().cell(c, r), start.cell(c, r));
    QVERIFY(w.panel0->text().startsWith(QStringLiteral("AMI refusé : ")));
    trigger(w, "undo");
    QCOMPARE(gridText(w.grille()), gridText(start));
    trigger(w, "redo");
    QCOMPARE(rowWord(1), first);

    trigger(w, "refuseWord");
    const QByteArray second = rowWord(1);
    QVERIFY(second != first);
    QVERIFY(second != "AMI");

    // Emptied, the row is filled by « Remplir la grille » without the two
    // refused words (the second replacement was never refused: it may come).
    setRows(w, {"...####"});
    app.fakes.modal.scripts.append(
        [](QDialog& window) { QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 60000); });
    trigger(w, "fill");
    const QByteArray filled = rowWord(1);
    QVERIFY(kWords.contains(filled));
    QVERIFY(filled != "AMI");
    QVERIFY(filled != first);
}

namespace {

// Whether every word of both lists has its look-ahead mark.
bool allMarked(SuggestionsPanel& panel) {
    for (const SlotDirection d : {SlotDirection::Horizontal, SlotDirection::Vertical})
        for (int row = 0; row < panel.model(d).rowCount(); ++row)
            if (panel.model(d).outlook(row) == WordOutlook::Pending)
                return false;
    return true;
}

bool noneMarked(SuggestionsPanel& panel) {
    for (const SlotDirection d : {SlotDirection::Horizontal, SlotDirection::Vertical})
        for (int row = 0; row < panel.model(d).rowCount(); ++row)
            if (panel.model(d).outlook(row) != WordOutlook::Pending)
                return false;
    return true;
}

} // namespace

void BuildingHelpWindowTest::suggestionsAreMarkedAheadAndAgreeWithTheFill() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicoscore.dat"), sameScores(kWords, 50) + "ALU\t100\r\n");
    TMainForm& w = startWith(app, kWords);
    trigger(w, "suggestions");
    // A 3x3 corner. Row 2 "A..": ALU, the better known, comes first, but
    // column B would then need ALU again; AMI leads to AME, RIT and SET.
    const QList<QByteArray> corner{"CAR####", "A..####", "S..####", "#######",
                                   "#######", "#######", "#######"};
    setRows(w, corner);
    const QByteArray start = gridText(w.grille());
    SuggestionsPanel& panel = *help(w).panel();
    QVERIFY(w.StringGrid1->setCurrent(2, 2));
    SuggestionListModel& across = panel.model(SlotDirection::Horizontal);
    QCOMPARE(listed(panel, SlotDirection::Horizontal), (QStringList{"ALU", "AMI"}));
    QVERIFY(noneMarked(panel));
    QTRY_VERIFY_WITH_TIMEOUT(allMarked(panel), 20000);
    // The dead end went last, the cursor staying at the top of the list.
    QCOMPARE(listed(panel, SlotDirection::Horizontal), (QStringList{"AMI", "ALU"}));
    QCOMPARE(across.outlook(0), WordOutlook::Leads);
    QCOMPARE(across.outlook(1), WordOutlook::DeadEnd);
    QCOMPARE(across.index(1).data(kOutlookRole).toInt(), int(WordOutlook::DeadEnd));
    QVERIFY(!across.index(0).data(Qt::DecorationRole).value<QIcon>().isNull());
    QCOMPARE(panel.view(SlotDirection::Horizontal)->currentIndex().row(), 0);

    // Every mark of both lists agrees with « Remplir la grille » once the
    // word is placed: a full grid after ✓, no fill after ✗.
    int tried = 0;
    for (const SlotDirection d : {SlotDirection::Horizontal, SlotDirection::Vertical}) {
        QVERIFY(w.StringGrid1->setCurrent(2, 2));
        QTRY_VERIFY_WITH_TIMEOUT(allMarked(panel), 20000);
        QList<QPair<QByteArray, WordOutlook>> marks;
        for (int row = 0; row < panel.model(d).rowCount(); ++row)
            marks.append({panel.model(d).word(row), panel.model(d).outlook(row)});
        const int slot = panel.model(d).suggestions().slot;
        for (const auto& [word, outlook] : marks) {
            if (outlook == WordOutlook::Unknown)
                continue;
            const int steps = w.document().undoCount();
            QVERIFY(help(w).placeWord(slot, word));
            app.fakes.messages.infos.clear();
            app.fakes.modal.scripts.append(
                [](QDialog& window) { QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 60000); });
            trigger(w, "fill");
            const bool full = !gridText(w.grille()).contains('.');
            QVERIFY2(full == (outlook == WordOutlook::Leads), word.constData());
            QCOMPARE(app.fakes.messages.infos.isEmpty(), full);
            ++tried;
            while (w.document().undoCount() > steps)
                trigger(w, "undo");
            QCOMPARE(gridText(w.grille()), start);
        }
    }
    QVERIFY(tried >= 4);

    // A key cancels the work in flight: the lists of the new grid start
    // unmarked, then are marked for it.
    QVERIFY(w.StringGrid1->setCurrent(3, 3));
    QTRY_VERIFY_WITH_TIMEOUT(allMarked(panel), 20000);
    const quint64 before = help(w).lookAhead().generation();
    QTest::keyClick(w.StringGrid1, Qt::Key_T);
    QCOMPARE(w.grille().cell(3, 3), 'T');
    QVERIFY(help(w).lookAhead().generation() > before);
    QVERIFY(noneMarked(panel));
    QTRY_VERIFY_WITH_TIMEOUT(allMarked(panel), 20000);
}

QTEST_MAIN(BuildingHelpWindowTest)
#include "building_help_window_test.moc"
