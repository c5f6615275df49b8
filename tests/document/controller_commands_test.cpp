// Commands tested through their controllers alone, on a document and the fake
// services, without the main window: the dictionary's changes reach the save
// question and the pattern index, and a controller's window is made once and
// kept between showings.
#include "dictionary/dictionary_controller.h"
#include "dictionary/word_dialog.h"
#include "support/controller_harness.h"
#include "support/test_app.h"
#include "utilities/calculator_window.h"
#include "utilities/utilities_controller.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace orv {

using namespace test;

namespace {

FakeModal::Script typeWord(const QString& word) {
    return [word](QDialog& d) {
        QTest::keyClicks(child<QLineEdit>(&d, "Edit1"), word);
        QTest::mouseClick(child<QPushButton>(&d, "Button1"), Qt::LeftButton);
    };
}

} // namespace

class ControllerCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wordCommandsChangeTheDictionaryOnlyThroughIt();
    void aControllersWindowIsMadeOnceAndKept();
};

void ControllerCommandsTest::wordCommandsChangeTheDictionaryOnlyThroughIt() {
    ControllerHarness h;
    h.make<DictionaryController>();
    QVERIFY(h.doc.dictionary().addWord("ZOO"));
    h.doc.start();
    const WordIndex& index = h.doc.dictionary().index();
    QCOMPARE(index.find("ABRI"), -1);
    const quint64 revision = h.doc.dictionary().revision();

    h.fakes.modal.scripts << typeWord(QStringLiteral("abri"));
    h.trigger("Ajoutermot1");
    QVERIFY(h.doc.dictionary().contains("ABRI"));
    QVERIFY(h.doc.dictionary().words().isSorted());
    QVERIFY(h.doc.isModified());
    QVERIFY(h.doc.writesDictionaryAtExit());
    QVERIFY(h.doc.dictionary().revision() != revision);
    // The index follows the words it was built from.
    QVERIFY(h.doc.dictionary().index().find("ABRI") >= 0);
    QCOMPARE(h.doc.dictionary().score("ABRI"), 90);

    // A word already there, and one that is not: a message each, nothing changed.
    h.doc.markSaved();
    h.fakes.modal.scripts << typeWord(QStringLiteral("zoo"));
    h.trigger("Ajoutermot1");
    h.fakes.modal.scripts << typeWord(QStringLiteral("lion"));
    h.trigger("Supprimermot1");
    QCOMPARE(h.fakes.messages.infos, (QStringList{QStringLiteral("Ce mot existe déjà"),
                                                  QStringLiteral("Ce mot n'existe pas")}));
    QVERIFY(!h.doc.isModified());

    h.fakes.modal.scripts << typeWord(QStringLiteral("zoo"));
    h.trigger("Supprimermot1");
    QVERIFY(!h.doc.dictionary().contains("ZOO"));
    QVERIFY(h.doc.isModified());
    QCOMPARE(h.doc.dictionary().index().find("ZOO"), -1);
    QCOMPARE(h.fakes.modal.shown, (QStringList{"Ajout", "Ajout", "Ajout", "Ajout"}));
    // The controller's commands, each in its menu, for the main window to place.
    QVERIFY(h.view.commands.contains(
        qMakePair(QStringLiteral("MotsMenu"), QStringLiteral("Ajoutermot1"))));
}

void ControllerCommandsTest::aControllersWindowIsMadeOnceAndKept() {
    ControllerHarness h;
    UtilitiesController& utilities = h.make<UtilitiesController>();
    QVERIFY(!h.window.findChild<TPocket*>());
    TPocket* first = nullptr;
    h.fakes.modal.scripts << [&](QDialog& d) { first = qobject_cast<TPocket*>(&d); };
    h.trigger("Calculatrice1");
    QVERIFY(first);
    QCOMPARE(&utilities.calculator(), first);
    QCOMPARE(h.window.findChildren<TPocket*>().size(), 1);
    h.fakes.modal.scripts << [&](QDialog& d) { QCOMPARE(&d, first); };
    h.trigger("Calculatrice1");
    QCOMPARE(h.window.findChildren<TPocket*>().size(), 1);
    QCOMPARE(h.fakes.modal.shown.size(), 2);
}

} // namespace orv

QTEST_MAIN(orv::ControllerCommandsTest)
#include "controller_commands_test.moc"
