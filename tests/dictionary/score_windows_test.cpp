// Word scores through the windows: a word added with "Ajouter mot" takes the
// score of the dialog's box, the browser shows and sets the chosen word's
// score, "Dicoscore.dat" is read at start and written at exit when a score
// changed, and "Options de remplissage" chooses the fill's vocabulary.
#include "dictionary/dictionary_browser.h"
#include "dictionary/fill_options_dialog.h"
#include "dictionary/word_dialog.h"
#include "support/test_app.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>

using namespace orv;
using namespace orv::test;

namespace {

const QString kScores = QStringLiteral("Dicoscore.dat");

// Types a word, optionally sets the score box, and confirms.
FakeModal::Script addWord(const QString& word, int score = -1) {
    return [word, score](QDialog& d) {
        auto& dialog = static_cast<TAjout&>(d);
        QVERIFY(dialog.SpinScore->isVisibleTo(&dialog));
        QCOMPARE(dialog.SpinScore->value(), kUserAddedScore);
        QTest::keyClicks(dialog.Edit1, word);
        if (score >= 0) {
            dialog.SpinScore->selectAll();
            QTest::keyClicks(dialog.SpinScore, QString::number(score));
        }
        QTest::mouseClick(dialog.Button1, Qt::LeftButton);
    };
}

} // namespace

class ScoreWindowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The fill options are kept between runs: each test starts from none.
    void init() { QSettings().clear(); }
    void addedWordTakesTheDialogsScore();
    void deleteDialogHasNoScoreBox();
    void browserShowsAndSetsTheChosenWordsScore();
    void scoresFileReadAtStartWrittenAtExitOnlyWhenChanged();
    void fillOptionsChooseTheVocabulary();
    void fillOptionsAreKeptBetweenRuns();
};

void ScoreWindowsTest::addedWordTakesTheDialogsScore() {
    TestApp app;
    TMainForm& w = startWith(app, {"ABRI", "ZOO"});
    Document& doc = w.document();
    QCOMPARE(doc.dictionary().score("TAPIOCAS"), kUnknownScore);
    app.fakes.modal.scripts.append(addWord(QStringLiteral("tapiocas")));
    trigger(w, "Ajoutermot1");
    QCOMPARE(doc.dictionary().score("TAPIOCAS"), kUserAddedScore);
    app.fakes.modal.scripts.append(addWord(QStringLiteral("zebus"), 35));
    trigger(w, "Ajoutermot1");
    QCOMPARE(doc.dictionary().score("ZEBUS"), 35);
    QCOMPARE(doc.dictionary().scores().user().count(), 2);
    // A word already there keeps its score: the command stops at the message.
    app.fakes.modal.scripts.append(addWord(QStringLiteral("zoo"), 3));
    trigger(w, "Ajoutermot1");
    QCOMPARE(app.fakes.messages.infos.last(), QStringLiteral("Ce mot existe déjà"));
    QVERIFY(doc.dictionary().score("ZOO") != 3);
}

void ScoreWindowsTest::deleteDialogHasNoScoreBox() {
    TestApp app;
    TMainForm& w = startWith(app, {"ABRI", "ZOO"});
    bool scoreShown = true;
    app.fakes.modal.scripts.append([&](QDialog& d) {
        scoreShown = static_cast<TAjout&>(d).SpinScore->isVisibleTo(&d);
        QTest::keyClicks(static_cast<TAjout&>(d).Edit1, QStringLiteral("zoo"));
        QTest::mouseClick(static_cast<TAjout&>(d).Button1, Qt::LeftButton);
    });
    trigger(w, "Supprimermot1");
    QVERIFY(!scoreShown);
    QCOMPARE(w.document().dictionary().scores().user().count(), 0);
}

void ScoreWindowsTest::browserShowsAndSetsTheChosenWordsScore() {
    TestApp app;
    app.writeFile(kScores, "ARBRE\t64\r\n");
    TMainForm& w = startWith(app, {"ABRI", "ARBRE", "BAC"});
    Document& doc = w.document();
    const int abri = doc.dictionary().score("ABRI");
    app.fakes.modal.scripts.append([&](QDialog& d) {
        auto& dico = static_cast<TDico&>(d);
        QVERIFY(!dico.SpinScore->isEnabled()); // no word chosen yet
        chooseWord(dico, QStringLiteral("ARBRE"));
        QVERIFY(dico.SpinScore->isEnabled());
        QCOMPARE(dico.SpinScore->value(), 64);
        chooseWord(dico, QStringLiteral("ABRI"));
        QCOMPARE(dico.SpinScore->value(), abri);
        // Setting 0 hides the word from filling; the list keeps it.
        dico.SpinScore->selectAll();
        QTest::keyClick(dico.SpinScore, Qt::Key_0);
        QCOMPARE(dico.ListBox1->model()->rowCount(), 2);
        // Another letter: nothing chosen, the box is off again.
        QTest::keyClick(dico.ListBox1, Qt::Key_PageDown);
        QVERIFY(!dico.SpinScore->isEnabled());
    });
    trigger(w, "Dictionnaire1");
    QCOMPARE(doc.dictionary().score("ABRI"), 0);
    QCOMPARE(doc.dictionary().score("ARBRE"), 64);
    QVERIFY(doc.dictionary().words().count() == 3);
    QVERIFY(!w.document().isModified()); // a score is not a change of the dictionary
}

void ScoreWindowsTest::scoresFileReadAtStartWrittenAtExitOnlyWhenChanged() {
    const QByteArray asRead = "ZOO\t12\n"; // an LF end: any rewrite would show as CR LF
    {
        TestApp app;
        app.writeFile(kScores, asRead);
        TMainForm& w = startWith(app, {"ABRI", "ZOO"});
        QCOMPARE(w.document().dictionary().score("ZOO"), 12);
        QVERIFY(w.close());
        QCOMPARE(app.readFile(kScores), asRead);
    }
    {
        TestApp app;
        app.writeFile(kScores, asRead);
        TMainForm& w = startWith(app, {"ABRI", "ZOO"});
        app.fakes.modal.scripts.append(addWord(QStringLiteral("lac"), 70));
        trigger(w, "Ajoutermot1");
        app.fakes.messages.answers.append(MessageService::Answer::No);
        QVERIFY(w.close());
        QCOMPARE(app.readFile(kScores), QByteArray("LAC\t70\r\nZOO\t12\r\n"));
    }
    {
        // No file and no change: none is made.
        TestApp app;
        TMainForm& w = startWith(app, {"ABRI"});
        QVERIFY(w.close());
        QVERIFY(!QFile::exists(app.path(kScores)));
    }
}

void ScoreWindowsTest::fillOptionsChooseTheVocabulary() {
    TestApp app;
    TMainForm& w = startWith(app, {"ABRI"});
    Document& doc = w.document();
    QCOMPARE(doc.FillVocabulary, Vocabulary::Common);
    bool shownChecked = false;
    workFillOptions(app, w, [&](FillOptionsDialog& o) {
        QCOMPARE(o.windowTitle(), QStringLiteral("Options de remplissage"));
        shownChecked = o.RadioCourants->isChecked();
        clickMark(o.RadioEtendu);
        QTest::mouseClick(o.Button1, Qt::LeftButton);
    });
    QVERIFY(shownChecked);
    QCOMPARE(doc.FillVocabulary, Vocabulary::Extended);

    // "Annuler" keeps the vocabulary in force.
    workFillOptions(app, w, [&](FillOptionsDialog& o) {
        QVERIFY(o.RadioEtendu->isChecked());
        clickMark(o.RadioTout);
        QVERIFY(o.RadioTout->isChecked());
        QTest::mouseClick(o.Button2, Qt::LeftButton);
    });
    QCOMPARE(doc.FillVocabulary, Vocabulary::Extended);
}

void ScoreWindowsTest::fillOptionsAreKeptBetweenRuns() {
    {
        TestApp app;
        TMainForm& w = startWith(app, {"ABRI"});
        workFillOptions(app, w, [&](FillOptionsDialog& o) {
            clickMark(o.RadioTout);
            QTest::mouseClick(o.Button1, Qt::LeftButton);
        });
    }
    {
        // The next run starts with them, and shows them.
        TestApp app;
        TMainForm& w = startWith(app, {"ABRI"});
        QCOMPARE(w.document().FillVocabulary, Vocabulary::Whole);
        QVERIFY(!w.document().FillThorough);
        workFillOptions(app, w, [&](FillOptionsDialog& o) {
            QVERIFY(o.RadioTout->isChecked());
            clickMark(o.RadioCourants);
            clickMark(o.thoroughBox);
            QTest::mouseClick(o.Button1, Qt::LeftButton);
        });
    }
    {
        TestApp app;
        TMainForm& w = startWith(app, {"ABRI"});
        QCOMPARE(w.document().FillVocabulary, Vocabulary::Common);
        QVERIFY(w.document().FillThorough);
        // "Annuler" writes nothing.
        workFillOptions(app, w, [&](FillOptionsDialog& o) {
            clickMark(o.RadioEtendu);
            QTest::mouseClick(o.Button2, Qt::LeftButton);
        });
    }
    {
        TestApp app;
        QCOMPARE(startWith(app, {"ABRI"}).document().FillVocabulary, Vocabulary::Common);
    }
    // Values that are none of the program's leave the defaults.
    QSettings().setValue(QStringLiteral("Remplissage/Vocabulaire"), QStringLiteral("rien"));
    QSettings().setValue(QStringLiteral("Remplissage/PlusDeMotsCourants"),
                         QStringLiteral("peut-être"));
    TestApp app;
    TMainForm& w = startWith(app, {"ABRI"});
    QCOMPARE(w.document().FillVocabulary, Vocabulary::Common);
    QVERIFY(!w.document().FillThorough);
}

QTEST_MAIN(ScoreWindowsTest)
#include "score_windows_test.moc"
