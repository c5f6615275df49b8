// The dictionary browser and the statistics window, opened from the main
// window's menu and tool bar on a dictionary file written before start-up.
#include "dictionary/dictionary_browser.h"
#include "dictionary/dictionary_controller.h"
#include "dictionary/scramble.h"
#include "dictionary/statistics_window.h"
#include "support/test_app.h"
#include "support/word_lists.h"

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace orv;
using namespace orv::test;

namespace {

QStringList rows(const QListView* list) {
    QStringList out;
    for (int r = 0; r < list->model()->rowCount(); ++r)
        out << list->model()->index(r, 0).data().toString();
    return out;
}

QStringList plainWithInitial(const QList<QByteArray>& words, char letter) {
    QStringList out;
    for (const QByteArray& word : words)
        if (word.startsWith(letter))
            out << QString::fromLatin1(word);
    return out;
}

void clickButton(QWidget* root, const QString& name) {
    auto* button = root->findChild<QAbstractButton*>(name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

void openFromMenu(TMainForm& w, const char* action) {
    auto* command = child<QAction>(&w, action);
    QVERIFY(command);
    command->trigger();
}

const QList<QByteArray> kAlphabetEnds{"ABRI", "ARBRE", "BAC", "LAC", "MER", "YETI", "ZEBRE", "ZOO"};

} // namespace

class BrowserAndStatsWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void browserListsOneLetter();
    void browserAtTheEndsOfTheAlphabet_data();
    void browserAtTheEndsOfTheAlphabet();
    void pageDownDoesNotAlsoPageTheList();
    void browserOpensOnAAndCopiesAtEachOpening();
    void browserOnEmptyDictionary();
    void browserCloses_data();
    void browserCloses();
    void statisticsCount_data();
    void statisticsCount();
    void statisticsLabelsInTwoColumns();
    void statisticsOpenedTwiceAndClosed();
};

void BrowserAndStatsWindowTest::browserListsOneLetter() {
    TestApp app;
    TMainForm& w = startWith(app, {"ABRI", "ARBRE", "BAC"});
    QString title;
    QStringList onA, onB, onC;
    QString focused;
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        auto& dico = static_cast<TDico&>(dialog);
        title = dico.windowTitle();
        focused = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
        onA = rows(dico.ListBox1);
        clickButton(&dico, "Button2");
        onB = rows(dico.ListBox1);
        clickButton(&dico, "Button3");
        onC = rows(dico.ListBox1);
    });
    openFromMenu(w, "Dictionnaire1");
    QCOMPARE(app.fakes.modal.shown, QStringList{"Dico"});
    QCOMPARE(title, QStringLiteral("Dictionnaire"));
    QCOMPARE(focused, QStringLiteral("Button27"));
    QCOMPARE(onA, (QStringList{"ABRI", "ARBRE"}));
    QCOMPARE(onB, QStringList{"BAC"});
    QCOMPARE(onC, QStringList{});
    // The browser only reads: the dictionary is unchanged and not marked.
    QCOMPARE(w.document().dictionary().words().count(), 3);
    QVERIFY(!w.document().isModified());
}

void BrowserAndStatsWindowTest::browserAtTheEndsOfTheAlphabet_data() {
    QTest::addColumn<QString>("start");  // letter button clicked first
    QTest::addColumn<QString>("focus");  // control that has the focus
    QTest::addColumn<QString>("action"); // a button to click, or a paging key
    QTest::addColumn<char>("shown");
    QTest::newRow("next on Z") << "Button26"
                               << "Button27"
                               << "SpeedButton1" << 'Z';
    QTest::newRow("Page Down on Z, list focused") << "Button26"
                                                  << "ListBox1"
                                                  << "PageDown" << 'Z';
    QTest::newRow("previous on A") << "Button1"
                                   << "Button27"
                                   << "SpeedButton2" << 'A';
    QTest::newRow("Page Up on A, Fermer focused") << "Button1"
                                                  << "Button27"
                                                  << "PageUp" << 'A';
    QTest::newRow("Page Down from Y, letter button focused") << "Button25"
                                                             << "Button25"
                                                             << "PageDown" << 'Z';
    QTest::newRow("Page Up from M, list focused") << "Button13"
                                                  << "ListBox1"
                                                  << "PageUp" << 'L';
    QTest::newRow("next from A") << "Button1"
                                 << "ListBox1"
                                 << "SpeedButton1" << 'B';
    QTest::newRow("Page Down from A, Fermer focused") << "Button1"
                                                      << "Button27"
                                                      << "PageDown" << 'B';
}

void BrowserAndStatsWindowTest::browserAtTheEndsOfTheAlphabet() {
    QFETCH(QString, start);
    QFETCH(QString, focus);
    QFETCH(QString, action);
    QFETCH(char, shown);
    TestApp app;
    TMainForm& w = startWith(app, kAlphabetEnds);
    char letter = 0;
    QStringList listed;
    bool stillOpen = false;
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        auto& dico = static_cast<TDico&>(dialog);
        clickButton(&dico, start);
        auto* target = dico.findChild<QWidget*>(focus);
        QVERIFY(target);
        target->setFocus();
        if (action == "PageDown")
            QTest::keyClick(target, Qt::Key_PageDown);
        else if (action == "PageUp")
            QTest::keyClick(target, Qt::Key_PageUp);
        else
            clickButton(&dico, action);
        letter = dico.LettreCourante;
        listed = rows(dico.ListBox1);
        stillOpen = dico.isVisible();
    });
    openFromMenu(w, "Dictionnaire1");
    QCOMPARE(letter, shown);
    QCOMPARE(listed, plainWithInitial(kAlphabetEnds, shown));
    QVERIFY(stillOpen);
}

void BrowserAndStatsWindowTest::pageDownDoesNotAlsoPageTheList() {
    // Enough words under A and B that a page of the list is a real move.
    QList<QByteArray> words;
    for (char first : {'A', 'B'})
        for (char second = 'A'; second <= 'Z'; ++second)
            for (char third : {'A', 'E', 'I'})
                words.append(QByteArray(1, first) + second + third);
    TestApp app;
    TMainForm& w = startWith(app, words);
    QStringList listed;
    bool hasCurrent = true;
    int scrolled = -1;
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        auto& dico = static_cast<TDico&>(dialog);
        dico.ListBox1->setFocus();
        dico.ListBox1->setCurrentIndex(dico.ListBox1->model()->index(0, 0));
        QTest::keyClick(dico.ListBox1, Qt::Key_PageDown);
        listed = rows(dico.ListBox1);
        // Had the list received the key, it would have made a row current.
        hasCurrent = dico.ListBox1->currentIndex().isValid();
        scrolled = dico.ListBox1->verticalScrollBar()->value();
    });
    openFromMenu(w, "Dictionnaire1");
    QCOMPARE(listed.size(), 78);
    QCOMPARE(listed.first(), QStringLiteral("BAA"));
    QVERIFY(!hasCurrent);
    QCOMPARE(scrolled, 0);
}

void BrowserAndStatsWindowTest::browserOpensOnAAndCopiesAtEachOpening() {
    TestApp app;
    TMainForm& w = startWith(app, kAlphabetEnds);
    QStringList second;
    char secondLetter = 0;
    app.fakes.modal.scripts.append([&](QDialog& dialog) { clickButton(&dialog, "Button26"); });
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        auto& dico = static_cast<TDico&>(dialog);
        secondLetter = dico.LettreCourante;
        second = rows(dico.ListBox1);
    });
    openFromMenu(w, "Dictionnaire1");
    QVERIFY(w.dictionary().browser().CopieMots.isEmpty()); // emptied at closing
    // A word added between two openings shows at the next one, from the tool bar.
    w.document().dictionary().addWord("AZUR");
    QTest::mouseClick(child<QToolButton>(&w, "SpeedButton31"), Qt::LeftButton);
    QCOMPARE(app.fakes.modal.shown, (QStringList{"Dico", "Dico"}));
    QCOMPARE(secondLetter, 'A');
    QCOMPARE(second, (QStringList{"ABRI", "ARBRE", "AZUR"}));
}

void BrowserAndStatsWindowTest::browserOnEmptyDictionary() {
    TestApp app;
    TMainForm& w = startWith(app, {});
    QStringList listed;
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        auto& dico = static_cast<TDico&>(dialog);
        for (int i = 1; i <= 26; ++i) {
            clickButton(&dico, QStringLiteral("Button%1").arg(i));
            listed << rows(dico.ListBox1);
        }
    });
    openFromMenu(w, "Dictionnaire1");
    QCOMPARE(listed, QStringList{});
    QCOMPARE(app.fakes.messages.total(), 0);
}

void BrowserAndStatsWindowTest::browserCloses_data() {
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("Fermer") << false;
    QTest::newRow("Escape") << true;
}

void BrowserAndStatsWindowTest::browserCloses() {
    QFETCH(bool, byEscape);
    TestApp app;
    TMainForm& w = startWith(app, kAlphabetEnds);
    bool open = true;
    qsizetype copied = -1;
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        auto& dico = static_cast<TDico&>(dialog);
        if (byEscape)
            QTest::keyClick(dico.ListBox1, Qt::Key_Escape);
        else
            clickButton(&dico, "Button27");
        open = dico.isVisible();
        copied = dico.CopieMots.size();
    });
    openFromMenu(w, "Dictionnaire1");
    QVERIFY(!open);
    QCOMPARE(copied, 0);
}

void BrowserAndStatsWindowTest::statisticsCount_data() {
    QTest::addColumn<QList<QByteArray>>("file");
    QTest::addColumn<QList<QByteArray>>("addedDuringRun");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QList<int>>("lengths"); // counts of lengths 2 to 19
    const QList<int> none(18, 0);
    QList<int> small = none;
    small[0] = 1;
    small[1] = 2;
    small[2] = 1;
    QTest::newRow("empty") << QList<QByteArray>{} << QList<QByteArray>{}
                           << "Nombre total de mots : 0" << none;
    QTest::newRow("ABRI BAC BU ZOO") << QList<QByteArray>{"ABRI", "BAC", "BU", "ZOO"}
                                     << QList<QByteArray>{} << "Nombre total de mots : 4" << small;
    QTest::newRow("one-letter word added during the run")
        << QList<QByteArray>{"ABRI", "BAC", "BU", "ZOO"} << QList<QByteArray>{"A"}
        << "Nombre total de mots : 5" << small;
    QList<int> longest = none;
    longest[17] = 1;
    QTest::newRow("19 letters") << QList<QByteArray>{"ANTICONSTITUTIONNEL"} << QList<QByteArray>{}
                                << "Nombre total de mots : 1" << longest;
}

void BrowserAndStatsWindowTest::statisticsCount() {
    QFETCH(QList<QByteArray>, file);
    QFETCH(QList<QByteArray>, addedDuringRun);
    QFETCH(QString, total);
    QFETCH(QList<int>, lengths);
    TestApp app;
    TMainForm& w = startWith(app, file);
    for (const QByteArray& word : addedDuringRun)
        w.document().dictionary().addWord(word);
    QMap<QString, QString> texts;
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        for (QLabel* label : dialog.findChildren<QLabel*>())
            texts[label->objectName()] = label->text();
    });
    openFromMenu(w, "Statistiques1");
    QCOMPARE(app.fakes.modal.shown, QStringList{"Stats"});
    QCOMPARE(texts.value("Label1"), total);
    QCOMPARE(texts.size(), 19);
    for (int n = 2; n <= 19; ++n) {
        // Label3 carries the 2-letter count and Label2 the 3-letter count.
        const int number = n == 2 ? 3 : n == 3 ? 2 : n;
        QCOMPARE(texts.value(QStringLiteral("Label%1").arg(number)),
                 QStringLiteral("Mots de %1 lettres : %2").arg(n).arg(lengths[n - 2]));
    }
}

void BrowserAndStatsWindowTest::statisticsLabelsInTwoColumns() {
    TestApp app;
    TMainForm& w = startWith(app, {"BU"});
    w.dictionary().statisticsWindow().Init(w.document().dictionary().words());
    auto place = [&](int number) {
        return child<QLabel>(&w.dictionary().statisticsWindow(),
                             qPrintable(QStringLiteral("Label%1").arg(number)))
            ->pos();
    };
    QCOMPARE(w.dictionary().statisticsWindow().windowTitle(), QStringLiteral("Statistiques"));
    QCOMPARE(place(3), QPoint(20, 50));
    QCOMPARE(place(2), QPoint(20, 75));
    QCOMPARE(place(10), QPoint(20, 248));
    QCOMPARE(place(11), QPoint(260, 50));
    QCOMPARE(place(19), QPoint(260, 248));
    QCOMPARE(child<QLabel>(&w.dictionary().statisticsWindow(), "Label3")->text(),
             QStringLiteral("Mots de 2 lettres : 1"));
}

void BrowserAndStatsWindowTest::statisticsOpenedTwiceAndClosed() {
    TestApp app;
    TMainForm& w = startWith(app, {"ABRI", "BAC", "BU", "ZOO"});
    QStringList totals;
    QList<bool> open;
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        totals << child<QLabel>(&dialog, "Label1")->text();
        clickButton(&dialog, "Button1");
        open << dialog.isVisible();
    });
    app.fakes.modal.scripts.append([&](QDialog& dialog) {
        totals << child<QLabel>(&dialog, "Label1")->text();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        open << dialog.isVisible();
    });
    openFromMenu(w, "Statistiques1");
    QTest::mouseClick(child<QToolButton>(&w, "SpeedButton32"), Qt::LeftButton);
    QCOMPARE(totals, (QStringList{"Nombre total de mots : 4", "Nombre total de mots : 4"}));
    QCOMPARE(open, (QList<bool>{false, false}));
}

QTEST_MAIN(BrowserAndStatsWindowTest)
#include "browser_and_stats_window_test.moc"
