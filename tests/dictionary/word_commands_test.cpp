// The word dialog and the add and delete commands on the real main window,
// and the dictionary file at start-up and exit.
#include "common/string_grid.h"
#include "dictionary/dictionary_controller.h"
#include "dictionary/scramble.h"
#include "dictionary/word_dialog.h"
#include "support/test_app.h"
#include "support/word_lists.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>

using namespace orv;
using namespace orv::test;

namespace {

QLineEdit* edit1(QDialog& d) { return child<QLineEdit>(&d, "Edit1"); }

// Types as the keyboard does, accented letters included (which QTest's
// ASCII key table cannot send).
void typeKeys(QWidget* w, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(w, char(c.unicode()));
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

// Types into the word box and confirms with "OK".
FakeModal::Script typeAndConfirm(const QString& typed) {
    return [typed](QDialog& d) {
        typeKeys(edit1(d), typed);
        QTest::mouseClick(child<QPushButton>(&d, "Button1"), Qt::LeftButton);
    };
}

} // namespace

class WordCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dialogLayout();
    void keyFilter_data();
    void keyFilter();
    void enterConfirmsEscapeAndCloseBoxCancel_data();
    void enterConfirmsEscapeAndCloseBoxCancel();
    void pastedTextMustBeAWord();

    void addingPutsTheWordInItsPlace();
    void addingAPresentWordChangesNothing();
    void aCancelledOrEmptyDialogDoesNothing();
    void deletingRemovesExactlyThatEntry();
    void deletingAnAbsentWord();

    void startUpKeepsTwoToNineteenLetters();
    void emptyAndMissingDictionaryFiles();
    void wordsAddedAreWrittenEvenAfterTheGridWasSaved();
    void exitWritesOnlyAfterAChange();
    void aFailedWriteKeepsTheProgramOpen();
};

void WordCommandsTest::dialogLayout() {
    TestApp app;
    TMainForm& w = app.start();
    QCOMPARE(w.dictionary().wordDialog().objectName(), QStringLiteral("Ajout"));
    QCOMPARE(w.dictionary().wordDialog().windowTitle(), QStringLiteral("Ajouter mot"));
    QCOMPARE(w.dictionary().wordDialog().size(), QSize(287, 81));
    QCOMPARE(w.dictionary().wordDialog().Edit1->geometry(), QRect(8, 11, 137, 24));
    QCOMPARE(w.dictionary().wordDialog().Edit1->maxLength(), 14);
    QCOMPARE(w.dictionary().wordDialog().Button1->text(), QStringLiteral("OK"));
    QCOMPARE(w.dictionary().wordDialog().Button2->text(), QStringLiteral("Annuler"));
    QCOMPARE(w.dictionary().wordDialog().Button1->geometry(), QRect(188, 9, 75, 25));
    QCOMPARE(w.dictionary().wordDialog().Button2->geometry(), QRect(188, 41, 75, 25));
    QVERIFY(!w.dictionary().wordDialog().isVisible());
    // Centred on the screen each time it shows.
    QPoint centre;
    app.fakes.modal.scripts.append([&](QDialog& d) { centre = d.geometry().center(); });
    trigger(w, "Ajoutermot1");
    // (The window frame, which only the platform knows, may shift it a little.)
    QVERIFY((centre - w.screen()->availableGeometry().center()).manhattanLength() <= 8);
}

void WordCommandsTest::keyFilter_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("box");
    QTest::newRow("small letters become capitals") << "abc"
                                                   << "ABC";
    QTest::newRow("capitals stay") << "ZOO"
                                   << "ZOO";
    QTest::newRow("accented letter refused") << "é"
                                             << "";
    QTest::newRow("accented capital refused") << "ÉTÉ"
                                              << "T";
    QTest::newRow("digit, space, hyphen, apostrophe refused") << "a1 -'b"
                                                              << "AB";
    QTest::newRow("backspace deletes") << "abc\bd"
                                       << "ABD";
    QTest::newRow("fourteen letters at most") << "abcdefghijklmnop"
                                              << "ABCDEFGHIJKLMN";
}

void WordCommandsTest::keyFilter() {
    QFETCH(QString, typed);
    QFETCH(QString, box);
    TestApp app;
    TMainForm& w = app.start();
    QString seen;
    app.fakes.modal.scripts.append([&](QDialog& d) {
        typeKeys(edit1(d), typed);
        seen = edit1(d)->text();
    });
    trigger(w, "Ajoutermot1");
    QCOMPARE(seen, box);
    QCOMPARE(app.fakes.modal.shown, QStringList{QStringLiteral("Ajout")});
    QCOMPARE(w.document().dictionary().words().count(), qsizetype(0));
}

void WordCommandsTest::enterConfirmsEscapeAndCloseBoxCancel_data() {
    QTest::addColumn<int>("how");
    QTest::addColumn<bool>("added");
    QTest::newRow("Enter confirms") << 0 << true;
    QTest::newRow("OK confirms") << 1 << true;
    QTest::newRow("Escape cancels") << 2 << false;
    QTest::newRow("Annuler cancels") << 3 << false;
    QTest::newRow("close box cancels") << 4 << false;
}

void WordCommandsTest::enterConfirmsEscapeAndCloseBoxCancel() {
    QFETCH(int, how);
    QFETCH(bool, added);
    TestApp app;
    TMainForm& w = app.start();
    // An earlier use confirmed: the close box must not hand that word back.
    app.fakes.modal.scripts.append(typeAndConfirm(QStringLiteral("abri")));
    trigger(w, "Ajoutermot1");
    QCOMPARE(plainOf(w.document().dictionary().words()), QList<QByteArray>{"ABRI"});
    QVERIFY(w.dictionary().wordDialog().Confirme());

    app.fakes.modal.scripts.append([how](QDialog& d) {
        typeKeys(edit1(d), QStringLiteral("zoo"));
        switch (how) {
        case 0:
            QTest::keyClick(edit1(d), Qt::Key_Return);
            break;
        case 1:
            QTest::mouseClick(child<QPushButton>(&d, "Button1"), Qt::LeftButton);
            break;
        case 2:
            QTest::keyClick(edit1(d), Qt::Key_Escape);
            break;
        case 3:
            QTest::mouseClick(child<QPushButton>(&d, "Button2"), Qt::LeftButton);
            break;
        default:
            break; // left open: the fake closes it as the close box does
        }
        QTRY_VERIFY(how == 4 || !d.isVisible());
    });
    trigger(w, "Ajoutermot1");
    QCOMPARE(w.dictionary().wordDialog().Confirme(), added);
    QCOMPARE(w.dictionary().wordDialog().Result(), added ? QByteArray("ZOO") : QByteArray());
    QCOMPARE(plainOf(w.document().dictionary().words()),
             added ? (QList<QByteArray>{"ABRI", "ZOO"}) : QList<QByteArray>{"ABRI"});
    QCOMPARE(app.fakes.messages.total(), 0);
}

void WordCommandsTest::pastedTextMustBeAWord() {
    TestApp app;
    TMainForm& w = app.start();
    QStringList seen;
    app.fakes.modal.scripts.append([&](QDialog& d) {
        QLineEdit* e = edit1(d);
        QTest::keyClicks(e, QStringLiteral("ab"));
        e->selectAll();
        e->insert(QStringLiteral("x-ray")); // as a paste does
        Q_EMIT e->textEdited(e->text());
        seen << e->text();
        e->selectAll();
        e->insert(QStringLiteral("chat"));
        Q_EMIT e->textEdited(e->text());
        seen << e->text();
    });
    trigger(w, "Ajoutermot1");
    QCOMPARE(seen, (QStringList{QStringLiteral("AB"), QStringLiteral("CHAT")}));
}

void WordCommandsTest::addingPutsTheWordInItsPlace() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ABRI", "ZOO"}));
    TMainForm& w = app.start();
    QVERIFY(!w.document().isModified());
    app.fakes.modal.scripts.append(typeAndConfirm(QStringLiteral("zebre")));
    trigger(w, "Ajoutermot1");
    QCOMPARE(w.dictionary().wordDialog().windowTitle(), QStringLiteral("Ajouter un mot"));
    QCOMPARE(plainOf(w.document().dictionary().words()),
             (QList<QByteArray>{"ABRI", "ZEBRE", "ZOO"}));
    QCOMPARE(w.document().dictionary().words().at(1), Crypte("ZEBRE"));
    QVERIFY(w.document().isModified());
    QVERIFY(w.document().dictionary().isModified());
    // A one-letter word can be added while the program runs.
    app.fakes.modal.scripts.append(typeAndConfirm(QStringLiteral("y")));
    QTest::mouseClick(child<QToolButton>(&w, "SpeedButton28"), Qt::LeftButton);
    QCOMPARE(plainOf(w.document().dictionary().words()),
             (QList<QByteArray>{"ABRI", "Y", "ZEBRE", "ZOO"}));
    QCOMPARE(app.fakes.messages.total(), 0);
}

void WordCommandsTest::addingAPresentWordChangesNothing() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ABRI", "ZOO"}));
    TMainForm& w = app.start();
    app.fakes.modal.scripts.append(typeAndConfirm(QStringLiteral("zoo")));
    QTest::mouseClick(child<QToolButton>(&w, "SpeedButton28"), Qt::LeftButton);
    QCOMPARE(app.fakes.messages.infos, QStringList{QStringLiteral("Ce mot existe déjà")});
    QCOMPARE(plainOf(w.document().dictionary().words()), (QList<QByteArray>{"ABRI", "ZOO"}));
    QVERIFY(!w.document().isModified());
    QVERIFY(!w.document().dictionary().isModified());
}

void WordCommandsTest::aCancelledOrEmptyDialogDoesNothing() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ABRI"}));
    TMainForm& w = app.start();
    app.fakes.modal.scripts.append(typeAndConfirm(QString()));
    trigger(w, "Ajoutermot1");
    app.fakes.modal.scripts.append(typeAndConfirm(QString()));
    trigger(w, "Supprimermot1");
    app.fakes.modal.scripts.append([](QDialog& d) {
        typeKeys(edit1(d), QStringLiteral("abri"));
        QTest::keyClick(edit1(d), Qt::Key_Escape);
    });
    trigger(w, "Supprimermot1");
    QCOMPARE(app.fakes.modal.shown.size(), qsizetype(3));
    QCOMPARE(plainOf(w.document().dictionary().words()), QList<QByteArray>{"ABRI"});
    QCOMPARE(app.fakes.messages.total(), 0);
    QVERIFY(!w.document().isModified());
}

void WordCommandsTest::deletingRemovesExactlyThatEntry() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ZOO", "ABRI", "CHAT", "ABRI"}));
    TMainForm& w = app.start();
    app.fakes.modal.scripts.append(typeAndConfirm(QStringLiteral("abri")));
    QTest::mouseClick(child<QToolButton>(&w, "SpeedButton27"), Qt::LeftButton);
    QCOMPARE(w.dictionary().wordDialog().windowTitle(), QStringLiteral("Supprimer un mot"));
    // The first of the two, and the others keep their order.
    QCOMPARE(plainOf(w.document().dictionary().words()),
             (QList<QByteArray>{"ZOO", "CHAT", "ABRI"}));
    QVERIFY(w.document().isModified());
    QVERIFY(w.document().dictionary().isModified());
    app.fakes.modal.scripts.append(typeAndConfirm(QStringLiteral("zoo")));
    trigger(w, "Supprimermot1");
    QCOMPARE(plainOf(w.document().dictionary().words()), (QList<QByteArray>{"CHAT", "ABRI"}));
    QCOMPARE(app.fakes.messages.total(), 0);
}

void WordCommandsTest::deletingAnAbsentWord() {
    TestApp app;
    // "abri" in small letters: the collator would find it equal to ABRI.
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"abri", "ZOO"}));
    TMainForm& w = app.start();
    app.fakes.modal.scripts.append(typeAndConfirm(QStringLiteral("abri")));
    trigger(w, "Supprimermot1");
    QCOMPARE(app.fakes.messages.infos, QStringList{QStringLiteral("Ce mot n'existe pas")});
    QCOMPARE(plainOf(w.document().dictionary().words()), (QList<QByteArray>{"abri", "ZOO"}));
    QVERIFY(!w.document().isModified());
    QVERIFY(!w.document().dictionary().isModified());
}

void WordCommandsTest::startUpKeepsTwoToNineteenLetters() {
    TestApp app;
    const QByteArray nineteen(19, 'S');
    app.writeFile(QStringLiteral("Dicogrd.dat"),
                  dictionaryFile({"", "A", "ZO", nineteen, QByteArray(20, 'T')}));
    TMainForm& w = app.start();
    QCOMPARE(plainOf(w.document().dictionary().words()), (QList<QByteArray>{"ZO", nineteen}));
    QVERIFY(!w.document().isModified());
    QVERIFY(!w.document().dictionary().isModified());
    QCOMPARE(app.fakes.messages.total(), 0);
}

void WordCommandsTest::emptyAndMissingDictionaryFiles() {
    {
        TestApp app; // the fixture's Dicogrd.dat is empty
        TMainForm& w = app.start();
        QCOMPARE(w.document().dictionary().words().count(), qsizetype(0));
        QCOMPARE(app.fakes.messages.total(), 0);
    }
    TestApp app;
    QVERIFY(QFile::remove(app.path(QStringLiteral("Dicogrd.dat"))));
    TMainForm& w = app.start();
    QCOMPARE(app.fakes.messages.errors,
             QStringList{QStringLiteral("Ne peut ouvrir le fichier Dicogrd.dat.")});
    QCOMPARE(w.document().dictionary().words().count(), qsizetype(0));
    QVERIFY(!w.document().isModified());
    // A word added afterwards creates the file at exit.
    app.fakes.modal.scripts.append(typeAndConfirm(QStringLiteral("chat")));
    trigger(w, "Ajoutermot1");
    app.fakes.messages.answers.append(MessageService::Answer::No);
    QVERIFY(w.close());
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), dictionaryFile({"CHAT"}));
}

void WordCommandsTest::wordsAddedAreWrittenEvenAfterTheGridWasSaved() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ABRI", "ZOO"}));
    TMainForm& w = app.start();
    app.fakes.modal.scripts.append(typeAndConfirm(QStringLiteral("zebre")));
    trigger(w, "Ajoutermot1");
    // Saving the grid clears Modifie; the dictionary's own flag still says
    // that words are waiting to be written.
    app.fakes.files.savePaths << app.path(QStringLiteral("grille"));
    trigger(w, "Enregistrer1");
    QVERIFY(QFile::exists(app.path(QStringLiteral("grille.grd"))));
    QVERIFY(!w.document().isModified());
    QVERIFY(w.close());
    QCOMPARE(app.fakes.messages.questions.size(), qsizetype(0));
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), dictionaryFile({"ABRI", "ZEBRE", "ZOO"}));
    QVERIFY(!w.document().dictionary().isModified());
}

void WordCommandsTest::exitWritesOnlyAfterAChange() {
    // Lone LF line ends: any rewrite would show as CR LF.
    const QByteArray asLoaded = Crypte("ABRI") + '\n' + Crypte("ZOO") + '\n';
    {
        TestApp app;
        app.writeFile(QStringLiteral("Dicogrd.dat"), asLoaded);
        TMainForm& w = app.start();
        QVERIFY(w.close());
        QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), asLoaded);
    }
    {
        // A grid edit alone rewrites the same words.
        TestApp app;
        app.writeFile(QStringLiteral("Dicogrd.dat"), asLoaded);
        TMainForm& w = app.start();
        QVERIFY(w.StringGrid1->setCurrent(1, 1));
        QTest::keyClicks(w.StringGrid1, QStringLiteral("e"));
        QVERIFY(w.document().isModified());
        app.fakes.messages.answers.append(MessageService::Answer::No);
        QVERIFY(w.close());
        QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), dictionaryFile({"ABRI", "ZOO"}));
    }
    {
        // A deletion asks the save question with the grid's empty name.
        TestApp app;
        app.writeFile(QStringLiteral("Dicogrd.dat"), asLoaded);
        TMainForm& w = app.start();
        app.fakes.modal.scripts.append(typeAndConfirm(QStringLiteral("zoo")));
        trigger(w, "Supprimermot1");
        app.fakes.messages.answers.append(MessageService::Answer::Cancel);
        QVERIFY(!w.close());
        QCOMPARE(app.fakes.messages.questions,
                 QStringList{QStringLiteral("Enregistrer changements dans  ?")});
        QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), asLoaded);
        app.fakes.messages.answers.append(MessageService::Answer::No);
        QVERIFY(w.close());
        QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), dictionaryFile({"ABRI"}));
    }
}

void WordCommandsTest::aFailedWriteKeepsTheProgramOpen() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile({"ABRI"}));
    TMainForm& w = app.start();
    app.fakes.modal.scripts.append(typeAndConfirm(QStringLiteral("zoo")));
    trigger(w, "Ajoutermot1");
    // The working folder disappears: the dictionary cannot be written back.
    const QString folder = QDir::currentPath();
    QVERIFY(QDir(folder).removeRecursively());
    app.fakes.messages.answers.append(MessageService::Answer::No);
    QVERIFY(!w.close());
    // The question of the failed write, closed without an answer.
    QCOMPARE(app.fakes.messages.choiceTexts.size(), 1);
    QVERIFY(app.fakes.messages.choiceTexts[0].startsWith(
        QStringLiteral("Ne peut créer le fichier Dicogrd.dat : ")));
    QVERIFY(w.document().dictionary().isModified());
    QCOMPARE(plainOf(w.document().dictionary().words()), (QList<QByteArray>{"ABRI", "ZOO"}));
    // Once the folder is back, quitting writes the words.
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QDir::setCurrent(folder));
    app.fakes.messages.answers.append(MessageService::Answer::No);
    QVERIFY(w.close());
    QCOMPARE(app.readFile(QStringLiteral("Dicogrd.dat")), dictionaryFile({"ABRI", "ZOO"}));
}

QTEST_MAIN(WordCommandsTest)
#include "word_commands_test.moc"
