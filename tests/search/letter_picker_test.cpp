// The letter picker: its 27 buttons four to a row, and its three endings
// (a letter, the blank button, the close box), each after an earlier pick.
#include "search/letter_picker.h"
#include "support/fake_services.h"
#include "support/test_app.h"

#include <QTest>
#include <QToolButton>

using namespace orv;
using namespace orv::test;

namespace {

// Shows the picker through the modal runner with one script and returns its Result.
char pick(FakeServices& fakes, TLettre& picker, FakeModal::Script script) {
    fakes.modal.scripts.append(std::move(script));
    fakes.modal.run(picker);
    char ch = 'x';
    picker.Result(ch);
    return ch;
}

FakeModal::Script clickOn(const char* button) {
    return
        [button](QDialog& d) { QTest::mouseClick(child<QToolButton>(&d, button), Qt::LeftButton); };
}

} // namespace

class LetterPickerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buttonsFourToARow_data();
    void buttonsFourToARow();
    void endings_data();
    void endings();
};

void LetterPickerTest::buttonsFourToARow_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("A") << 1 << "A" << 0 << 0;
    QTest::newRow("D ends the first row") << 4 << "D" << 0 << 3;
    QTest::newRow("E starts the second") << 5 << "E" << 1 << 0;
    QTest::newRow("Q") << 17 << "Q" << 4 << 0;
    QTest::newRow("Y") << 25 << "Y" << 6 << 0;
    QTest::newRow("Z") << 26 << "Z" << 6 << 1;
    QTest::newRow("blank after Z") << 27 << "" << 6 << 2;
}

void LetterPickerTest::buttonsFourToARow() {
    QFETCH(int, number);
    QFETCH(QString, caption);
    QFETCH(int, row);
    QFETCH(int, column);
    TLettre picker;
    QCOMPARE(picker.windowTitle(), QStringLiteral("Lettre"));
    QCOMPARE(picker.size(), QSize(129, 201));
    QCOMPARE(picker.findChildren<QToolButton*>().size(), 27);
    const QByteArray name = "SpeedButton" + QByteArray::number(number);
    const auto* button = child<QToolButton>(&picker, name.constData());
    const auto* first = child<QToolButton>(&picker, "SpeedButton1");
    QVERIFY(button && first);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->size(), QSize(25, 25));
    QCOMPARE(button->pos() - first->pos(), QPoint(25 * column, 25 * row));
}

void LetterPickerTest::endings_data() {
    QTest::addColumn<QString>("ending");
    QTest::addColumn<char>("before"); // letter picked at the previous showing, or NUL
    QTest::addColumn<char>("result");
    QTest::newRow("Q") << "Q" << '\0' << 'Q';
    QTest::newRow("A after Z") << "A" << 'Z' << 'A';
    QTest::newRow("blank button") << "blank" << '\0' << '\0';
    QTest::newRow("blank button after a letter") << "blank" << 'K' << '\0';
    QTest::newRow("close box") << "close" << '\0' << '\0';
    QTest::newRow("close box after a letter") << "close" << 'K' << '\0';
    QTest::newRow("Escape after a letter") << "escape" << 'K' << '\0';
    QTest::newRow("keyboard: Space on the focused Q") << "space" << 'K' << 'Q';
}

void LetterPickerTest::endings() {
    QFETCH(QString, ending);
    QFETCH(char, before);
    QFETCH(char, result);
    FakeServices fakes;
    TLettre picker;
    if (before) {
        const QByteArray name = "SpeedButton" + QByteArray::number(before - 'A' + 1);
        QCOMPARE(pick(fakes, picker, clickOn(name.constData())), before);
    }
    FakeModal::Script script;
    if (ending == QLatin1String("Q"))
        script = clickOn("SpeedButton17");
    else if (ending == QLatin1String("A"))
        script = clickOn("SpeedButton1");
    else if (ending == QLatin1String("blank"))
        script = clickOn("SpeedButton27");
    else if (ending == QLatin1String("escape"))
        script = [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); };
    else if (ending == QLatin1String("space"))
        script = [](QDialog& d) {
            auto* q = child<QToolButton>(&d, "SpeedButton17");
            q->setFocus();
            QTest::keyClick(q, Qt::Key_Space);
        };
    // "close": no script, the runner closes the window as its close box would.
    QCOMPARE(pick(fakes, picker, script), result);
    QVERIFY(!picker.isVisible());
}

QTEST_MAIN(LetterPickerTest)
#include "letter_picker_test.moc"
