// The definitions editor driven through the main window's command: typing,
// Enter, the buttons, the list box by mouse and keys, and what reaches
// ListeDefs, DefsModifiees and Dicodef.dat at exit.
#include "definitions/definitions_window.h"
#include "definitions/typing.h"
#include "support/test_app.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace orv;
using namespace orv::test;

namespace {

using Lines = QList<QByteArray>;

// Opens the editor from the menu and runs the script on it while it is shown.
void runEditor(TestApp& app, std::function<void(TDefinitions&)> script) {
    app.fakes.modal.scripts.append([script](QDialog& d) {
        auto* editor = qobject_cast<TDefinitions*>(&d);
        QVERIFY(editor);
        script(*editor);
    });
    app.main().findChild<QAction*>(QStringLiteral("Dfinitiondesmots1"))->trigger();
}

void clickRow(TDefinitions& d, int row) {
    QListWidgetItem* item = d.ListBox1->item(row);
    QVERIFY(item);
    QTest::mouseClick(d.ListBox1->viewport(), Qt::LeftButton, {},
                      d.ListBox1->visualItemRect(item).center());
}

void replaceText(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    typeText(edit, text);
}

QStringList listBoxTexts(const TDefinitions& d) {
    QStringList texts;
    for (int i = 0; i < d.ListBox1->count(); ++i)
        texts.append(d.ListBox1->item(i)->text());
    return texts;
}

Lines numbered(int count) {
    Lines lines;
    for (int i = 0; i < count; ++i)
        lines.append(QByteArray("MOT%1\tdefinition").replace("%1", QByteArray::number(100 + i)));
    return lines;
}

} // namespace

class DefinitionsWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void enterWritesTheTypedWord_data();
    void enterWritesTheTypedWord();
    void lineWithoutTabIsShownAndLeftAsItIs();
    void clickingAndDeletingOnlyHandsBackTheListUnsorted();
    void aClickSelectsTheClickedEntry();
    void typedDefinitionsWithAccentsComeBackSortedAfterARestart();
    void listBoxFollowsTheCurrentEntry();
    void emptyListTakesItsFirstEntryFromAjouter();
    void longDefinitionStaysWholeUnlessEdited();
    void editedLongDefinitionIsCutOnlyWhenTheUserSaysSo();
    void fieldsRefuseWhatTheyCannotHold();
    void unreadableFileIsNeverOverwritten();
    void failedWriteKeepsTheProgramOpen();
    void nextWordTypedReplacesTheStoredOne();
};

void DefinitionsWindowTest::enterWritesTheTypedWord_data() {
    QTest::addColumn<QString>("typedWord");
    QTest::addColumn<Lines>("whileOpen");
    QTest::addColumn<Lines>("afterClose");
    QTest::newRow("ABAT replaces only its own definition")
        << "abat" << Lines{"ABAT\taverse d'\xe9t\xe9", "ABATTRE\tfaire tomber"}
        << Lines{"ABAT\taverse d'\xe9t\xe9", "ABATTRE\tfaire tomber"};
    QTest::newRow("ABA is appended, then sorted at close")
        << "ABA" << Lines{"ABAT\tpluie", "ABATTRE\tfaire tomber", "ABA\taverse d'\xe9t\xe9"}
        << Lines{"ABA\taverse d'\xe9t\xe9", "ABAT\tpluie", "ABATTRE\tfaire tomber"};
}

void DefinitionsWindowTest::enterWritesTheTypedWord() {
    QFETCH(QString, typedWord);
    QFETCH(Lines, whileOpen);
    QFETCH(Lines, afterClose);
    TestApp app;
    app.writeFile("Dicodef.dat", "ABAT\tpluie\r\nABATTRE\tfaire tomber\r\n");
    TMainForm& w = app.start();
    runEditor(app, [&](TDefinitions& d) {
        QCOMPARE(d.Edit1->text(), QStringLiteral("ABAT"));
        QCOMPARE(d.Edit2->text(), QStringLiteral("pluie"));
        replaceText(d.Edit1, typedWord);
        replaceText(d.Edit2, QStringLiteral("averse d'été"));
        QTest::keyClick(d.Edit2, Qt::Key_Return);
        QCOMPARE(d.editor().ListeTravail, whileOpen);
        QVERIFY(d.isVisible()); // Enter presses no button
        QCOMPARE(QApplication::focusWidget(), d.Edit1);
    });
    QCOMPARE(app.fakes.modal.shown, QStringList{"Definitions"});
    QCOMPARE(w.document().definitions(), afterClose);
    QVERIFY(w.document().definitionsModified());
    w.close();
    QCOMPARE(app.readFile("Dicodef.dat"), crlfLines(afterClose));
}

void DefinitionsWindowTest::lineWithoutTabIsShownAndLeftAsItIs() {
    TestApp app;
    const QByteArray file = "MOT\r\nABC\tdef\r\n";
    app.writeFile("Dicodef.dat", file);
    TMainForm& w = app.start();
    runEditor(app, [](TDefinitions& d) {
        QCOMPARE(d.Edit1->text(), QStringLiteral("MOT"));
        QCOMPARE(d.Edit2->text(), QString());
        QTest::keyClick(d.Edit1, Qt::Key_PageDown);
        QCOMPARE(d.Edit1->text(), QStringLiteral("ABC"));
        QCOMPARE(d.Edit2->text(), QStringLiteral("def"));
        QTest::keyClick(d.Edit2, Qt::Key_PageUp);
        QCOMPARE(d.Edit1->text(), QStringLiteral("MOT"));
    });
    QCOMPARE(w.document().definitions(), (Lines{"MOT", "ABC\tdef"}));
    QVERIFY(!w.document().definitionsModified());
    w.close();
    QCOMPARE(app.readFile("Dicodef.dat"), file);
}

void DefinitionsWindowTest::clickingAndDeletingOnlyHandsBackTheListUnsorted() {
    TestApp app;
    const QByteArray file = "ZEBRE\tanimal ray\xe9\r\nABAT\tpluie\r\nMOT\tparole\r\n";
    app.writeFile("Dicodef.dat", file);
    TMainForm& w = app.start();
    runEditor(app, [](TDefinitions& d) {
        clickRow(d, 2);
        QCOMPARE(d.Edit1->text(), QStringLiteral("MOT"));
        QCOMPARE(d.ListBox1->currentRow(), 2);
        QTest::mouseClick(d.Button3, Qt::LeftButton);
        QCOMPARE(d.Edit1->text(), QStringLiteral("ABAT"));
        QCOMPARE(listBoxTexts(d), (QStringList{"ZEBRE\tanimal rayé", "ABAT\tpluie"}));
    });
    QCOMPARE(w.document().definitions(), (Lines{"ZEBRE\tanimal ray\xe9", "ABAT\tpluie"}));
    QVERIFY(!w.document().definitionsModified());
    w.close();
    QCOMPARE(app.readFile("Dicodef.dat"), file);
}

void DefinitionsWindowTest::aClickSelectsTheClickedEntry() {
    // The first line contains the whole text of the second one.
    TestApp app;
    app.writeFile("Dicodef.dat", "RAS\t\xe0 ras\r\nAS\t\xe0 ras\r\nZOO\tanimaux\r\n");
    TMainForm& w = app.start();
    runEditor(app, [](TDefinitions& d) {
        clickRow(d, 1);
        QCOMPARE(d.Edit1->text(), QStringLiteral("AS"));
        QCOMPARE(d.ListBox1->currentRow(), 1);
        // The keys move through the list the same way.
        d.ListBox1->setFocus();
        QTest::keyClick(d.ListBox1, Qt::Key_Down);
        QCOMPARE(d.Edit1->text(), QStringLiteral("ZOO"));
        QTest::keyClick(d.ListBox1, Qt::Key_Up);
        QCOMPARE(d.Edit1->text(), QStringLiteral("AS"));
        QTest::mouseClick(d.Button3, Qt::LeftButton);
    });
    QCOMPARE(w.document().definitions(), (Lines{"RAS\t\xe0 ras", "ZOO\tanimaux"}));
}

void DefinitionsWindowTest::typedDefinitionsWithAccentsComeBackSortedAfterARestart() {
    TestApp app;
    TMainForm& w = app.start();
    runEditor(app, [](TDefinitions& d) {
        const QList<QPair<QString, QString>> entries{{"ZELE", "ardeur, empressement à servir"},
                                                     {"ETE", "saison où l'on récolte le blé"},
                                                     {"ABIME", "gouffre très profond"}};
        for (const auto& [word, definition] : entries) {
            replaceText(d.Edit1, word);
            replaceText(d.Edit2, definition);
            QTest::mouseClick(d.Button2, Qt::LeftButton);
        }
        QCOMPARE(d.editor().ListeTravail.size(), 3);
    });
    const Lines sorted{"ABIME\tgouffre tr\xe8s profond",
                       "ETE\tsaison o\xf9 l'on r\xe9"
                       "colte le bl\xe9",
                       "ZELE\tardeur, empressement \xe0 servir"};
    QCOMPARE(w.document().definitions(), sorted);
    w.close();
    QCOMPARE(app.readFile("Dicodef.dat"), crlfLines(sorted));

    TMainForm& again = app.start();
    QCOMPARE(again.document().definitions(), sorted);
    runEditor(app, [](TDefinitions& d) {
        QCOMPARE(d.Edit1->text(), QStringLiteral("ABIME"));
        QCOMPARE(d.Edit2->text(), QStringLiteral("gouffre très profond"));
        QCOMPARE(d.ListBox1->count(), 3);
    });
}

void DefinitionsWindowTest::listBoxFollowsTheCurrentEntry() {
    TestApp app;
    const Lines lines = numbered(100);
    app.writeFile("Dicodef.dat", crlfLines(lines));
    app.start();
    runEditor(app, [&](TDefinitions& d) {
        QCOMPARE(d.ListBox1->count(), 21);
        QTest::mouseClick(d.SpeedButton1, Qt::LeftButton);
        QTest::keyClick(d.Edit1, Qt::Key_PageDown);
        QCOMPARE(d.Edit1->text(), QStringLiteral("MOT102"));
        QCOMPARE(d.ListBox1->item(0)->text(), QStringLiteral("MOT100\tdefinition"));
        QCOMPARE(d.ListBox1->currentRow(), 2);
        QCOMPARE(d.ListBox1->count(), 21);
        for (int i = 2; i < 30; ++i)
            QTest::keyClick(d.ListBox1, Qt::Key_PageDown);
        QCOMPARE(d.Edit1->text(), QStringLiteral("MOT130"));
        QCOMPARE(d.ListBox1->count(), 21);
        QCOMPARE(d.ListBox1->item(0)->text(), QStringLiteral("MOT125\tdefinition"));
        QCOMPARE(d.ListBox1->item(20)->text(), QStringLiteral("MOT145\tdefinition"));
        QCOMPARE(d.ListBox1->currentRow(), 5);
        QCOMPARE(d.ListBox1->selectedItems().size(), 1);
        QCOMPARE(d.ListBox1->selectedItems().first()->text(), QStringLiteral("MOT130\tdefinition"));
        QTest::mouseClick(d.SpeedButton2, Qt::LeftButton);
        QCOMPARE(d.Edit1->text(), QStringLiteral("MOT129"));
    });
}

void DefinitionsWindowTest::emptyListTakesItsFirstEntryFromAjouter() {
    TestApp app;
    app.writeFile("Dicodef.dat", "SEUL\tun seul\r\n");
    TMainForm& w = app.start();
    runEditor(app, [](TDefinitions& d) { QTest::mouseClick(d.Button3, Qt::LeftButton); });
    QVERIFY(w.document().definitions().isEmpty());
    QVERIFY(!w.document().definitionsModified());
    runEditor(app, [](TDefinitions& d) {
        // An empty list shows what the fields held when the editor last closed.
        QCOMPARE(d.Edit1->text(), QStringLiteral("SEUL"));
        QCOMPARE(d.Edit2->text(), QStringLiteral("un seul"));
        replaceText(d.Edit1, QStringLiteral("PREMIER"));
        replaceText(d.Edit2, QStringLiteral("le premier"));
        QTest::mouseClick(d.Button2, Qt::LeftButton);
        QCOMPARE(d.editor().ListeTravail, Lines{"PREMIER\tle premier"});
        QCOMPARE(d.editor().Indice, 0);
    });
    QCOMPARE(w.document().definitions(), Lines{"PREMIER\tle premier"});
    QVERIFY(w.document().definitionsModified());
}

void DefinitionsWindowTest::longDefinitionStaysWholeUnlessEdited() {
    TestApp app;
    const QByteArray longLine = "LONG\t" + QByteArray(300, 'x');
    const QByteArray otherLong = "ZOO\t" + QByteArray(280, 'z');
    app.writeFile("Dicodef.dat", crlfLines({longLine, "MOT\tcourt", otherLong}));
    TMainForm& w = app.start();
    const QString hidden = QStringLiteral(
        "255 / 255 caractères : la définition entière en a 300, la modifier la coupe");
    // Browsing past long entries, Ajouter and Enter on them: nothing is cut.
    runEditor(app, [&](TDefinitions& d) {
        QCOMPARE(d.Edit2->text().size(), 255);
        QCOMPARE(d.LabelLongueur->text(), hidden);
        QTest::keyClick(d.Edit2, Qt::Key_PageDown);
        QCOMPARE(d.LabelLongueur->text(), QStringLiteral("5 / 255 caractères"));
        QTest::keyClick(d.Edit2, Qt::Key_PageDown);
        QTest::keyClick(d.Edit2, Qt::Key_PageDown);
        QTest::keyClick(d.Edit1, Qt::Key_PageUp);
        QTest::keyClick(d.Edit1, Qt::Key_PageUp);
        QCOMPARE(d.Edit1->text(), QStringLiteral("LONG"));
        QTest::mouseClick(d.Button2, Qt::LeftButton);
        QTest::keyClick(d.Edit2, Qt::Key_Return);
        // The field takes no more than it shows.
        QTest::keyClick(d.Edit2, Qt::Key_End);
        QTest::keyClick(d.Edit2, Qt::Key_A);
        QCOMPARE(d.Edit2->text().size(), 255);
    });
    QCOMPARE(app.fakes.messages.total(), 0);
    QCOMPARE(w.document().definitions(), (Lines{longLine, "MOT\tcourt", otherLong}));
    QVERIFY(w.document().definitionsModified()); // Enter was typed
    QVERIFY(w.close());
    QCOMPARE(app.readFile("Dicodef.dat"), crlfLines({longLine, "MOT\tcourt", otherLong}));
}

void DefinitionsWindowTest::editedLongDefinitionIsCutOnlyWhenTheUserSaysSo() {
    TestApp app;
    const QByteArray longLine = "LONG\t" + QByteArray(300, 'x');
    app.writeFile("Dicodef.dat", crlfLines({longLine, "MOT\tcourt"}));
    TMainForm& w = app.start();
    const QString question =
        QStringLiteral("La définition de LONG a 300 caractères et le champ n'en montre que les "
                       "255 premiers : l'enregistrer ainsi la coupe.");
    runEditor(app, [&](TDefinitions& d) {
        d.Edit2->setFocus();
        QTest::keyClick(d.Edit2, Qt::Key_End);
        QTest::keyClick(d.Edit2, Qt::Key_Backspace);
        QCOMPARE(d.LabelLongueur->text(), QStringLiteral("254 / 255 caractères"));
        // Closed without an answer: the command stops, the edit stays in the field.
        QTest::keyClick(d.Edit2, Qt::Key_PageDown);
        QCOMPARE(app.fakes.messages.choiceTexts, QStringList{question});
        QCOMPARE(app.fakes.messages.choiceSets.first(),
                 (QStringList{QStringLiteral("Enregistrer ainsi"),
                              QStringLiteral("Garder la définition entière"),
                              QStringLiteral("Annuler")}));
        QCOMPARE(d.Edit1->text(), QStringLiteral("LONG"));
        QCOMPARE(d.Edit2->text().size(), 254);
        QCOMPARE(d.editor().ListeTravail.first(), longLine);
        // Kept whole: the move goes on and the entry stays as it was.
        app.fakes.messages.choiceAnswers << 1;
        QTest::keyClick(d.Edit2, Qt::Key_PageDown);
        QCOMPARE(d.Edit1->text(), QStringLiteral("MOT"));
        QCOMPARE(d.editor().ListeTravail.first(), longLine);
        // Written as edited, when the user says so.
        QTest::keyClick(d.Edit2, Qt::Key_PageUp);
        QTest::keyClick(d.Edit2, Qt::Key_End);
        typeText(d.Edit2, QStringLiteral("\bé"));
        app.fakes.messages.choiceAnswers << 0;
        QTest::keyClick(d.Edit2, Qt::Key_Return);
        QCOMPARE(app.fakes.messages.choiceTexts.size(), 3);
    });
    QCOMPARE(w.document().definitions(),
             (Lines{"LONG\t" + QByteArray(254, 'x') + "\xe9", "MOT\tcourt"}));
}

void DefinitionsWindowTest::fieldsRefuseWhatTheyCannotHold() {
    TestApp app;
    TMainForm& w = app.start();
    runEditor(app, [](TDefinitions& d) {
        d.Edit1->clear();
        typeText(d.Edit1, QStringLiteral("co2 é-ur\r"));
        QCOMPARE(d.Edit1->text(), QStringLiteral("COUR"));
        QVERIFY(d.editor().ListeTravail.isEmpty());
        d.Edit2->clear();
        // Ω and ł have no place in Windows-1252; € and œ have one.
        typeText(d.Edit2, QStringLiteral("cœur Ωł 5 €"));
        QCOMPARE(d.Edit2->text(), QStringLiteral("cœur  5 €"));
        QTest::keyClick(d.Edit2, Qt::Key_Enter);
    });
    QCOMPARE(w.document().definitions(), Lines{"COUR\tc\x9cur  5 \x80"});
    QVERIFY(w.document().definitionsModified());
    w.close();
    QCOMPARE(app.readFile("Dicodef.dat"), QByteArray("COUR\tc\x9cur  5 \x80\r\n"));
}

void DefinitionsWindowTest::unreadableFileIsNeverOverwritten() {
    TestApp app;
    // A folder in place of the file: it exists but cannot be read.
    QFile::remove(app.path("Dicodef.dat"));
    QVERIFY(QDir(app.path({})).mkdir("Dicodef.dat"));
    TMainForm& w = app.start();
    QCOMPARE(app.fakes.messages.errors, QStringList{"Ne peut ouvrir le fichier Dicodef.dat."});
    runEditor(app, [](TDefinitions& d) {
        replaceText(d.Edit1, QStringLiteral("MOT"));
        replaceText(d.Edit2, QStringLiteral("parole"));
        QTest::keyClick(d.Edit2, Qt::Key_Return);
    });
    QVERIFY(w.document().definitionsModified());
    QVERIFY(w.close());
    QVERIFY(QFileInfo(app.path("Dicodef.dat")).isDir());
    QCOMPARE(app.fakes.messages.errors.size(), 1);
}

void DefinitionsWindowTest::failedWriteKeepsTheProgramOpen() {
    TestApp app;
    app.writeFile("Dicodef.dat", "ANCIEN\tdefinition\r\n");
    TMainForm& w = app.start();
    runEditor(app, [](TDefinitions& d) {
        replaceText(d.Edit1, QStringLiteral("NOUVEAU"));
        replaceText(d.Edit2, QStringLiteral("ajouté"));
        QTest::keyClick(d.Edit2, Qt::Key_Return);
    });
    // The file cannot be replaced while a folder with content stands in its place.
    QFile::remove(app.path("Dicodef.dat"));
    QVERIFY(QDir(app.path({})).mkpath("Dicodef.dat/dedans"));
    QVERIFY(!w.close());
    // The question of the failed write, closed without an answer.
    QCOMPARE(app.fakes.messages.choiceTexts.size(), 1);
    QVERIFY(app.fakes.messages.choiceTexts[0].startsWith(
        QStringLiteral("Ne peut créer le fichier Dicodef.dat : ")));
    QVERIFY(w.isVisible());
    QVERIFY(w.document().definitionsModified());
    QCOMPARE(w.document().definitions(), (Lines{"ANCIEN\tdefinition", "NOUVEAU\tajout\xe9"}));
    // Once the way is clear, the next attempt writes the whole list.
    QVERIFY(QDir(app.path("Dicodef.dat")).removeRecursively());
    QVERIFY(w.close());
    QCOMPARE(app.readFile("Dicodef.dat"), crlfLines(w.document().definitions()));
}

void DefinitionsWindowTest::nextWordTypedReplacesTheStoredOne() {
    TestApp app;
    TMainForm& w = app.start();
    runEditor(app, [](TDefinitions& d) {
        // Typed straight after Enter, and after "Ajouter": no selecting by hand.
        QTest::keyClicks(d.Edit1, QStringLiteral("zebre"));
        typeText(d.Edit2, QStringLiteral("rayé"));
        QTest::keyClick(d.Edit2, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), d.Edit1);
        QTest::keyClicks(d.Edit1, QStringLiteral("abat"));
        QCOMPARE(d.Edit1->text(), QStringLiteral("ABAT"));
        replaceText(d.Edit2, QStringLiteral("pluie"));
        QTest::mouseClick(d.Button2, Qt::LeftButton);
        QTest::keyClicks(d.Edit1, QStringLiteral("lion"));
        QCOMPARE(d.Edit1->text(), QStringLiteral("LION"));
    });
    QCOMPARE(w.document().definitions(), (Lines{"ABAT\tpluie", "ZEBRE\tray\xe9"}));
}

QTEST_MAIN(DefinitionsWindowTest)
#include "definitions_window_test.moc"
