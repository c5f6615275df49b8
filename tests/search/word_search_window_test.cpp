// The word search window, opened from the main window on a dictionary file
// written before start-up and driven through its boxes, letter panel, length
// field and buttons; and the quick search's panel, typed into and
// double-clicked.
#include "common/string_grid.h"
#include "dictionary/scramble.h"
#include "dictionary/word_block_model.h"
#include "search/quick_search_panel.h"
#include "search/search_controller.h"
#include "search/word_search_window.h"
#include "support/test_app.h"
#include "support/word_lists.h"

#include <QAction>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

using namespace orv;
using namespace orv::test;

namespace {

// In file order, not sorted, with one duplicate.
const QList<QByteArray> kWords{"CASSER",   "ABRITE",    "CHAPEAU",  "CAVEAU",   "ABRI",
                               "CASSER",   "CABANES",   "CARAFE",   "COLLEGE",  "CHARPENTE",
                               "ESCALIER", "CHAMPAGNE", "ECHAPPER", "CHARNIERE"};

QStringList wordsOfLength(int length) {
    QStringList out;
    for (const QByteArray& word : kWords)
        if (word.size() == length)
            out << QString::fromLatin1(word);
    return out;
}

QStringList rows(const QListView* list) {
    QStringList out;
    for (int r = 0; r < list->model()->rowCount(); ++r)
        out << list->model()->index(r, 0).data().toString();
    return out;
}

QString boxes(const TRMots& window) {
    QString out;
    for (int p = 1; p <= 12; ++p)
        out += window.box(p)->text();
    return out;
}

void click(QWidget* widget) {
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton);
}

QToolButton* panelButton(TRMots& window, char character) {
    const int number = character == '.' ? 27 : character - 'A' + 1;
    return window.findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(number));
}

// Fills the boxes as the user does: a click on the box, then on the letter.
void fillBoxes(TRMots& window, const QByteArray& pattern) {
    for (int p = 1; p <= pattern.size(); ++p) {
        if (pattern[p - 1] == '.')
            continue;
        click(window.box(p));
        click(panelButton(window, pattern[p - 1]));
    }
}

void openFromMenu(TMainForm& w) {
    auto* command = child<QAction>(&w, "Recherchedemots1");
    QVERIFY(command);
    command->trigger();
}

} // namespace

class WordSearchWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void freePatternListsEveryWordOfTheLength();
    void hitsAndCountTexts_data();
    void hitsAndCountTexts();
    void boxesBeyondTheLengthRefuseClicks_data();
    void boxesBeyondTheLengthRefuseClicks();
    void letterBeyondTheLengthIsKeptAndIgnored();
    void clearKeepsTheResults();
    void dotFreesAPosition();
    void reopeningFindsTheWindowAsLeft();
    void typedLengthIsBroughtWithinRange_data();
    void typedLengthIsBroughtWithinRange();
    void keyboardFillsABoxAndSearches();
    void quickSearchFindsAndPlacesWords();
};

void WordSearchWindowTest::freePatternListsEveryWordOfTheLength() {
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    QString title, before, count;
    QStringList header, listed;
    bool panelShown = true;
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        auto& search = static_cast<TRMots&>(dialog);
        title = search.windowTitle();
        before = boxes(search);
        for (int s = 0; s < 12; ++s)
            header << search.Header1->model()->headerData(s, Qt::Horizontal).toString();
        panelShown = search.Panel1->isVisible();
        click(search.Button2);
        listed = rows(search.ListBox1);
        count = search.Edit1->text();
    });
    openFromMenu(w);
    QCOMPARE(app.fakes.modal.shown, QStringList{"RMots"});
    QCOMPARE(title, QStringLiteral("Utilitaire de recherche de mots"));
    QCOMPARE(before, QStringLiteral("............"));
    QCOMPARE(header.first(), QStringLiteral(" 1"));
    QCOMPARE(header.at(8), QStringLiteral(" 9"));
    QCOMPARE(header.last(), QStringLiteral("12"));
    QVERIFY(!panelShown);
    QCOMPARE(listed, (QStringList{"CASSER", "ABRITE", "CAVEAU", "CASSER", "CARAFE"}));
    QCOMPARE(count, QStringLiteral("5 mots"));
}

void WordSearchWindowTest::hitsAndCountTexts_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("count");
    QTest::newRow("none") << 6 << QByteArray("Z") << QStringList{} << "0 mot";
    QTest::newRow("one") << 7 << QByteArray("C.....E") << QStringList{"COLLEGE"} << "1 mot";
    QTest::newRow("the same word twice")
        << 6 << QByteArray("..SS") << QStringList{"CASSER", "CASSER"} << "2 mots";
    QTest::newRow("two words of 9, in file order")
        << 9 << QByteArray("CHA......") << QStringList{"CHARPENTE", "CHAMPAGNE", "CHARNIERE"}
        << "3 mots";
    QTest::newRow("last box of 9")
        << 9 << QByteArray("C.......E") << QStringList{"CHARPENTE", "CHAMPAGNE", "CHARNIERE"}
        << "3 mots";
    QTest::newRow("8 letters") << 8 << QByteArray("E......R") << QStringList{"ESCALIER", "ECHAPPER"}
                               << "2 mots";
    QTest::newRow("no word of 12") << 12 << QByteArray() << QStringList{} << "0 mot";
}

void WordSearchWindowTest::hitsAndCountTexts() {
    QFETCH(int, length);
    QFETCH(QByteArray, pattern);
    QFETCH(QStringList, expected);
    QFETCH(QString, count);
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    QStringList listed;
    QString counted;
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        auto& search = static_cast<TRMots&>(dialog);
        search.SpinEdit1->setValue(length);
        fillBoxes(search, pattern);
        click(search.Button2);
        listed = rows(search.ListBox1);
        counted = search.Edit1->text();
    });
    openFromMenu(w);
    QCOMPARE(listed, expected);
    QCOMPARE(counted, count);
}

void WordSearchWindowTest::boxesBeyondTheLengthRefuseClicks_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("box 7 at 6") << 6 << 7 << false;
    QTest::newRow("box 7 at 7") << 7 << 7 << true;
    QTest::newRow("box 6 at 6") << 6 << 6 << true;
    QTest::newRow("box 1 at 6") << 6 << 1 << true;
    QTest::newRow("box 10 at 9") << 9 << 10 << false;
    QTest::newRow("box 12 at 11") << 11 << 12 << false;
    QTest::newRow("box 12 at 12") << 12 << 12 << true;
}

void WordSearchWindowTest::boxesBeyondTheLengthRefuseClicks() {
    QFETCH(int, length);
    QFETCH(int, position);
    QFETCH(bool, accepted);
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    bool panelShown = !accepted;
    QString after;
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        auto& search = static_cast<TRMots&>(dialog);
        search.SpinEdit1->setValue(length);
        click(search.box(position));
        panelShown = search.Panel1->isVisible();
        if (panelShown)
            click(panelButton(search, 'Q'));
        after = search.box(position)->text();
    });
    openFromMenu(w);
    QCOMPARE(panelShown, accepted);
    QCOMPARE(after, accepted ? QStringLiteral("Q") : QStringLiteral("."));
}

void WordSearchWindowTest::letterBeyondTheLengthIsKeptAndIgnored() {
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    QStringList atEight, atNine;
    QString boxesAtEight;
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        auto& search = static_cast<TRMots&>(dialog);
        search.SpinEdit1->setValue(9);
        fillBoxes(search, "........R");
        search.SpinEdit1->setValue(8);
        click(search.Button2);
        atEight = rows(search.ListBox1);
        boxesAtEight = boxes(search);
        search.SpinEdit1->setValue(9);
        click(search.Button2);
        atNine = rows(search.ListBox1);
    });
    openFromMenu(w);
    QCOMPARE(boxesAtEight, QStringLiteral("........R..."));
    QCOMPARE(atEight, wordsOfLength(8));
    QCOMPARE(atNine, QStringList{});
}

void WordSearchWindowTest::clearKeepsTheResults() {
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    QStringList found, afterClear;
    QString count, countAfterClear, boxesAfterClear;
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        auto& search = static_cast<TRMots&>(dialog);
        search.SpinEdit1->setValue(7);
        fillBoxes(search, "C.....E");
        click(search.Button2);
        found = rows(search.ListBox1);
        count = search.Edit1->text();
        click(search.Button1);
        afterClear = rows(search.ListBox1);
        countAfterClear = search.Edit1->text();
        boxesAfterClear = boxes(search);
    });
    openFromMenu(w);
    QCOMPARE(found, QStringList{"COLLEGE"});
    QCOMPARE(afterClear, found);
    QCOMPARE(countAfterClear, count);
    QCOMPARE(boxesAfterClear, QStringLiteral("............"));
}

void WordSearchWindowTest::dotFreesAPosition() {
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    QString withZ, freed, countWithZ;
    QStringList listed;
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        auto& search = static_cast<TRMots&>(dialog);
        fillBoxes(search, "Z");
        click(search.Button2);
        withZ = boxes(search);
        countWithZ = search.Edit1->text();
        click(search.box(1));
        click(panelButton(search, '.'));
        freed = boxes(search);
        click(search.Button2);
        listed = rows(search.ListBox1);
    });
    openFromMenu(w);
    QCOMPARE(withZ, QStringLiteral("Z..........."));
    QCOMPARE(countWithZ, QStringLiteral("0 mot"));
    QCOMPARE(freed, QStringLiteral("............"));
    QCOMPARE(listed, wordsOfLength(6));
}

void WordSearchWindowTest::reopeningFindsTheWindowAsLeft() {
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    struct Seen {
        int length = 0;
        QString boxes, count;
        QStringList listed;
        bool panelShown = true;
    };
    Seen first, second;
    auto look = [](TRMots& search, Seen& seen) {
        seen.length = search.SpinEdit1->value();
        seen.boxes = boxes(search);
        seen.count = search.Edit1->text();
        seen.listed = rows(search.ListBox1);
        seen.panelShown = search.Panel1->isVisible();
    };
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        auto& search = static_cast<TRMots&>(dialog);
        search.SpinEdit1->setValue(7);
        fillBoxes(search, "C.....E");
        click(search.Button2);
        look(search, first);
        click(search.box(3)); // leaves the letter panel open
        QVERIFY(search.Panel1->isVisible());
        click(search.Button3);
        QVERIFY(!search.isVisible());
    });
    app.fakes.modal.scripts.append(
        [&](QDialog& dialog) { look(static_cast<TRMots&>(dialog), second); });
    openFromMenu(w);
    QVERIFY(w.search().searchWindow().CopieMots.isEmpty()); // emptied at closing
    QTest::mouseClick(child<QToolButton>(&w, "SpeedButton30"), Qt::LeftButton);
    QCOMPARE(app.fakes.modal.shown, (QStringList{"RMots", "RMots"}));
    QCOMPARE(first.listed, QStringList{"COLLEGE"});
    QCOMPARE(second.length, 7);
    QCOMPARE(second.boxes, QStringLiteral("C.....E....."));
    QCOMPARE(second.count, QStringLiteral("1 mot"));
    QCOMPARE(second.listed, first.listed);
    QVERIFY(!second.panelShown);
}

void WordSearchWindowTest::typedLengthIsBroughtWithinRange_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("length");
    QTest::newRow("above the range") << "15" << 12;
    QTest::newRow("below the range") << "3" << 6;
    QTest::newRow("within") << "8" << 8;
    QTest::newRow("nothing") << "" << 6;
}

void WordSearchWindowTest::typedLengthIsBroughtWithinRange() {
    QFETCH(QString, typed);
    QFETCH(int, length);
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    int value = 0;
    QStringList listed;
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        auto& search = static_cast<TRMots&>(dialog);
        search.SpinEdit1->setValue(9);
        search.SpinEdit1->setFocus();
        search.SpinEdit1->selectAll();
        QTest::keyClick(search.SpinEdit1, Qt::Key_Backspace);
        QTest::keyClicks(search.SpinEdit1, typed);
        // Pressing "Rechercher" takes the focus first.
        search.Button2->setFocus();
        click(search.Button2);
        value = search.SpinEdit1->value();
        listed = rows(search.ListBox1);
    });
    openFromMenu(w);
    QCOMPARE(value, length);
    QCOMPARE(listed, wordsOfLength(length));
}

void WordSearchWindowTest::keyboardFillsABoxAndSearches() {
    TestApp app;
    TMainForm& w = startWith(app, kWords);
    bool panelAfterSpace = false, panelAfterLetter = true;
    QString filled, patternAfterEnter;
    QStringList listed;
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        auto& search = static_cast<TRMots&>(dialog);
        search.box(3)->setFocus();
        QTest::keyClick(search.box(3), Qt::Key_Space);
        panelAfterSpace = search.Panel1->isVisible();
        QTest::keyClick(search.box(3), Qt::Key_S, Qt::NoModifier);
        panelAfterLetter = search.Panel1->isVisible();
        filled = boxes(search);
        search.SpinEdit1->setFocus();
        QTest::keyClick(search.SpinEdit1, Qt::Key_Return);
        listed = rows(search.ListBox1);
        patternAfterEnter = boxes(search);
    });
    openFromMenu(w);
    QVERIFY(panelAfterSpace);
    QVERIFY(!panelAfterLetter);
    QCOMPARE(filled, QStringLiteral("..S........."));
    // Enter in the length field searches and leaves the pattern.
    QCOMPARE(listed, (QStringList{"CASSER", "CASSER"}));
    QCOMPARE(patternAfterEnter, filled);
}

void WordSearchWindowTest::quickSearchFindsAndPlacesWords() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicoscore.dat"), "CHARBON\t90\r\nCRAPAUD\t60\r\nCHAT\t40\r\n");
    TMainForm& w = startWith(app, {"CHAT", "CHARBON", "CRAPAUD", "COBRA", "ACHAT", "CHIEN"});
    auto* command = child<QAction>(&w, "quickSearch");
    QVERIFY(command);
    QCOMPARE(command->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    command->trigger();
    auto* panel = w.findChild<QuickSearchPanel*>();
    QVERIFY(panel);
    QVERIFY(panel->isVisible());
    QCOMPARE(w.dockWidgetArea(panel), Qt::RightDockWidgetArea);
    const auto found = [panel] {
        QStringList out;
        for (int r = 0; r < panel->model().rowCount(); ++r) {
            const QModelIndex i = panel->model().index(r);
            out << QStringLiteral("%1 %2").arg(i.data().toString()).arg(i.data(kScoreRole).toInt());
        }
        return out;
    };

    // Typed in small letters; best score first.
    QTest::keyClicks(panel->text(), QStringLiteral("c?a*"));
    QCOMPARE(found(), (QStringList{"CHARBON 90", "CRAPAUD 60", "CHAT 40"}));
    QCOMPARE(panel->count()->text(), QStringLiteral("3 mots"));
    // A text that is no pattern says why, and lists nothing.
    panel->text()->setText(QStringLiteral("c"));
    QCOMPARE(found(), QStringList());
    QCOMPARE(panel->count()->text(),
             QStringLiteral("Le motif doit avoir de 2 à 19 lettres (il en a 1)"));
    // Anagrams, with a joker.
    QTest::mouseClick(panel->anagramMode(), Qt::LeftButton);
    panel->text()->setText(QStringLiteral("ahc?"));
    QCOMPARE(found(), (QStringList{"CHAT 40"}));
    QCOMPARE(panel->count()->text(), QStringLiteral("1 mot"));

    // A word that no slot of the current cell (A1 of the empty 7 by 7 grid) can
    // take is not offered.
    QListView* list = panel->list();
    const QRect r = list->visualRect(panel->model().index(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(app.fakes.messages.questions, QStringList());
    QCOMPARE(w.panel0->text(),
             QStringLiteral("Aucun mot de 4 lettres ne passe par la case courante"));
    // A double click places the word in the slot of the current cell, as one change.
    editGrid(w, [](Grille& g) { g.cell(5, 1) = '#'; });
    QVERIFY(w.StringGrid1->setCurrent(2, 1));
    app.fakes.messages.answers = {MessageService::Answer::Yes};
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(app.fakes.messages.questions, QStringList{QStringLiteral("Placer CHAT en ligne 1 ?")});
    const auto row1 = [&w] {
        QByteArray text;
        for (int c = 1; c <= 4; ++c)
            text += w.grille().cell(c, 1);
        return text;
    };
    QCOMPARE(row1(), QByteArray("CHAT"));
    trigger(w, "undo");
    QCOMPARE(row1(), QByteArray("    "));
    QCOMPARE(w.grille().cell(5, 1), '#');
}

QTEST_MAIN(WordSearchWindowTest)
#include "word_search_window_test.moc"
