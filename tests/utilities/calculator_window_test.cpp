// The calculator window driven as a user does: buttons, typed keys, Enter
// on the focused button, Escape, the error box, and the menu that opens it.
#include "support/test_app.h"
#include "utilities/calculator_window.h"
#include "utilities/utilities_controller.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace orv;
using namespace orv::test;

namespace {

QPushButton* button(QWidget& w, int n) {
    return w.findChild<QPushButton*>(QStringLiteral("Button%1").arg(n));
}

QString display(QWidget& w) { return w.findChild<QLabel*>(QStringLiteral("Label1"))->text(); }

// Keys go where the user's keys go: to the widget that has the focus.
void type(QWidget& w, const QString& keys) { QTest::keyClicks(w.focusWidget(), keys); }

struct Opened {
    FakeServices fakes;
    TPocket window{fakes.services};
    Opened() {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
};

} // namespace

class CalculatorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menuOpensTheCalculator();
    void typedSequences_data();
    void typedSequences();
    void buttonsInTheirRows();
    void buttonClicksCompute();
    void enterAndSpacePressTheFocusedButton();
    void reciprocalAndRootTakeNoTypedKeys();
    void escapeAndFermerClose();
    void longNumbersShowWhole();
    void reopeningStartsANewCalculation();
};

void CalculatorWindowTest::menuOpensTheCalculator() {
    TestApp app;
    TMainForm& main = app.start();
    QString seen;
    app.fakes.modal.scripts << [&](QDialog& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("Calculatrice"));
        type(d, QStringLiteral("1/3="));
        seen = display(d);
    };
    main.findChild<QAction*>(QStringLiteral("Calculatrice1"))->trigger();
    QCOMPARE(app.fakes.modal.shown, QStringList{QStringLiteral("Pocket")});
    QCOMPARE(seen, QStringLiteral("0,33333333333"));
    QVERIFY(!main.utilities().calculator().isVisible());
}

void CalculatorWindowTest::typedSequences_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("errors");
    const QStringList none;
    QTest::newRow("12+3=") << "12+3="
                           << "15" << none;
    QTest::newRow("then 4=") << "12+3==4="
                             << "34" << none;
    QTest::newRow("point as comma") << "1.05+0="
                                    << "1,05" << none;
    QTest::newRow("capital X") << "8X"
                               << "0,125" << none;
    QTest::newRow("chain") << "5+4x="
                           << "0,5" << none;
    QTest::newRow("division by zero")
        << "5/0=2"
        << "02" << QStringList{QStringLiteral("Division flottante par zéro.")};
    QTest::newRow(",,+ is silent") << ",,+"
                                   << "" << none;
    QTest::newRow("not a number") << "5+1,,2="
                                  << "1,,2"
                                  << QStringList{QStringLiteral(
                                         "'1,,2' n'est pas une valeur flottante correcte.")};
    QTest::newRow("other characters ignored") << "7ab!9"
                                              << "79" << none;
}

void CalculatorWindowTest::typedSequences() {
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(QStringList, errors);
    Opened o;
    QCOMPARE(o.window.focusWidget(), button(o.window, 11));
    type(o.window, keys);
    QCOMPARE(display(o.window), shown);
    QCOMPARE(o.fakes.messages.errors, errors);
    QVERIFY(o.window.isVisible());
}

void CalculatorWindowTest::buttonsInTheirRows() {
    Opened o;
    const QStringList rows[4] = {{"7", "8", "9", "+", "1/x"},
                                 {"4", "5", "6", "-", "sqr"},
                                 {"1", "2", "3", "*", "C"},
                                 {",", "0", "=", "/", "Fermer"}};
    const int numbers[4][5] = {
        {7, 8, 9, 12, 16}, {4, 5, 6, 13, 17}, {1, 2, 3, 14, 18}, {10, 0, 11, 15, 19}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 5; ++c) {
            QPushButton* b = button(o.window, numbers[r][c]);
            QVERIFY(b);
            QCOMPARE(b->text(), rows[r][c]);
            QCOMPARE(b->y(), button(o.window, numbers[r][0])->y());
            QCOMPARE(b->x(), button(o.window, numbers[0][c])->x());
            QCOMPARE(b->size(), QSize(numbers[r][c] == 19 ? 74 : 34, 33));
        }
    QCOMPARE(o.window.windowTitle(), QStringLiteral("Calculatrice"));
}

void CalculatorWindowTest::buttonClicksCompute() {
    Opened o;
    for (int n : {1, 2, 12, 3, 11})
        QTest::mouseClick(button(o.window, n), Qt::LeftButton);
    QCOMPARE(display(o.window), QStringLiteral("15"));
    for (int n : {11, 10, 5})
        QTest::mouseClick(button(o.window, n), Qt::LeftButton);
    QCOMPARE(display(o.window), QStringLiteral("5"));
    for (int n : {14, 9, 17})
        QTest::mouseClick(button(o.window, n), Qt::LeftButton);
    QCOMPARE(display(o.window), QStringLiteral("3"));
    // The root replaced the accumulator; the pending "*" takes the shown 3.
    QTest::mouseClick(button(o.window, 11), Qt::LeftButton);
    QCOMPARE(display(o.window), QStringLiteral("9"));
    QTest::mouseClick(button(o.window, 18), Qt::LeftButton);
    QCOMPARE(display(o.window), QString());
    QCOMPARE(o.window.calculator().AccuDefini, false);
    QVERIFY(o.fakes.messages.errors.isEmpty());
}

void CalculatorWindowTest::enterAndSpacePressTheFocusedButton() {
    Opened o;
    type(o.window, QStringLiteral("6+"));
    QTest::keyClick(o.window.focusWidget(), Qt::Key_Return);
    QCOMPARE(display(o.window), QStringLiteral("12")); // "=" has the focus: 6 + 6
    QTest::mouseClick(button(o.window, 7), Qt::LeftButton);
    QCOMPARE(o.window.focusWidget(), button(o.window, 7));
    QTest::keyClick(o.window.focusWidget(), Qt::Key_Return);
    QTest::keyClick(o.window.focusWidget(), Qt::Key_Space);
    QCOMPARE(display(o.window), QStringLiteral("777"));
}

void CalculatorWindowTest::reciprocalAndRootTakeNoTypedKeys() {
    Opened o;
    type(o.window, QStringLiteral("8"));
    QTest::mouseClick(button(o.window, 16), Qt::LeftButton);
    QCOMPARE(display(o.window), QStringLiteral("0,125"));
    QCOMPARE(o.window.focusWidget(), button(o.window, 16));
    type(o.window, QStringLiteral("5+x"));
    QCOMPARE(display(o.window), QStringLiteral("0,125"));
    QTest::mouseClick(button(o.window, 4), Qt::LeftButton);
    type(o.window, QStringLiteral("9"));
    QCOMPARE(display(o.window), QStringLiteral("49"));
    // Escape still closes from "sqr".
    button(o.window, 17)->setFocus();
    QTest::keyClick(o.window.focusWidget(), Qt::Key_Escape);
    QVERIFY(!o.window.isVisible());
}

void CalculatorWindowTest::escapeAndFermerClose() {
    {
        Opened o;
        QTest::keyClick(o.window.focusWidget(), Qt::Key_Escape);
        QVERIFY(!o.window.isVisible());
    }
    {
        Opened o;
        QTest::mouseClick(button(o.window, 19), Qt::LeftButton);
        QVERIFY(!o.window.isVisible());
    }
}

void CalculatorWindowTest::longNumbersShowWhole() {
    Opened o;
    QLabel* label = o.window.Label1;
    const auto fits = [label] {
        return QFontMetrics(label->font()).horizontalAdvance(label->text()) <=
               label->contentsRect().width();
    };
    const int normal = label->font().pixelSize();
    type(o.window, QStringLiteral("7x"));
    QCOMPARE(label->text(), QStringLiteral("0,142857142857143"));
    QVERIFY(fits());
    type(o.window, QStringLiteral("c1-7=x"));
    QCOMPARE(label->text(), QStringLiteral("-0,166666666666667"));
    QVERIFY(fits());
    type(o.window, QStringLiteral("c5"));
    QCOMPARE(label->font().pixelSize(), normal);
}

void CalculatorWindowTest::reopeningStartsANewCalculation() {
    TestApp app;
    TMainForm& main = app.start();
    QAction* open = main.findChild<QAction*>(QStringLiteral("Calculatrice1"));
    app.fakes.modal.scripts << [](QDialog& d) { type(d, QStringLiteral("12+3=")); };
    QString shownAtOpening;
    app.fakes.modal.scripts << [&](QDialog& d) {
        shownAtOpening = display(d);
        QCOMPARE(d.focusWidget(), button(d, 11));
        type(d, QStringLiteral("4=="));
    };
    open->trigger();
    open->trigger();
    QCOMPARE(shownAtOpening, QString());
    // No pending "+" survived: "4" "=" "=" leaves 4.
    QCOMPARE(display(main.utilities().calculator()), QStringLiteral("4"));
    QCOMPARE(main.utilities().calculator().calculator().Operation, '\0');
}

QTEST_MAIN(CalculatorWindowTest)
#include "calculator_window_test.moc"
