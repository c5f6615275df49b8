// The clock window with a fixed clock: the texts at opening and at each
// tick, "Set" freezing and releasing, the field bounds through the up/down
// button, and the button's own repetition and arrow keys.
#include "common/up_down_button.h"
#include "support/test_app.h"
#include "utilities/clock_window.h"
#include "utilities/utilities_controller.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace orv;
using namespace orv::test;

namespace {

struct Opened {
    FakeServices fakes;
    THorloge window;
    explicit Opened(const QDateTime& now) : window((fakes.clock.current = now, fakes.services)) {
        window.show();
    }
    QString time() const { return window.Label1->text(); }
    QString date() const { return window.Label2->text(); }
    QString shown() const { return time() + u' ' + date(); }
    void click(const char* name) {
        QTest::mouseClick(window.findChild<QAbstractButton*>(QString::fromLatin1(name)),
                          Qt::LeftButton);
    }
    UpDownButton* spin() { return window.findChild<UpDownButton*>(QStringLiteral("SpinButton1")); }
    void up() { QTest::mouseClick(spin(), Qt::LeftButton, {}, QPoint(10, 5)); }
    void down() { QTest::mouseClick(spin(), Qt::LeftButton, {}, QPoint(10, spin()->height() - 5)); }
};

QDateTime at(int y, int mo, int d, int h, int mi, int s) {
    return {QDate(y, mo, d), QTime(h, mi, s)};
}

} // namespace

class ClockWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menuOpensTheClockShowingTheTimeAtOnce();
    void adjustingWhileFrozen_data();
    void adjustingWhileFrozen();
    void secondSetBringsBackTheClock();
    void noItemChosenChangesNothing();
    void aTickOverwritesAnAdjustment();
    void reopeningAfterFreezingRunsTheClock();
    void unreadableFieldGoesToTheErrorBox();
    void escapeAndFermerClose();
    void upDownButtonRepeatsWhileHeld();
    void upDownButtonArrowKeys();
};

void ClockWindowTest::menuOpensTheClockShowingTheTimeAtOnce() {
    TestApp app;
    app.fakes.clock.current = at(2026, 3, 7, 4, 5, 9);
    TMainForm& main = app.start();
    QString time, date;
    bool running = false;
    app.fakes.modal.scripts << [&](QDialog& d) {
        time = d.findChild<QLabel*>(QStringLiteral("Label1"))->text();
        date = d.findChild<QLabel*>(QStringLiteral("Label2"))->text();
        running = d.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive();
    };
    main.findChild<QAction*>(QStringLiteral("Hotloge1"))->trigger();
    QCOMPARE(app.fakes.modal.shown, QStringList{QStringLiteral("Horloge")});
    QCOMPARE(time, QStringLiteral("04:05:09"));
    QCOMPARE(date, QStringLiteral("07/03/2026"));
    QVERIFY(running);
    QCOMPARE(main.utilities().clock().windowTitle(), QStringLiteral("Horloge"));
}

void ClockWindowTest::adjustingWhileFrozen_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("steps"); // u = up, d = down
    QTest::addColumn<QString>("shown");
    const QDateTime evening = at(2098, 1, 1, 22, 58, 30);
    QTest::newRow("hours up to 24 and no further") << evening << "Hr"
                                                   << "uuu"
                                                   << "24:58:30 01/01/2098";
    QTest::newRow("minutes stop at 59, hour kept") << evening << "Mn"
                                                   << "uu"
                                                   << "22:59:30 01/01/2098";
    QTest::newRow("month 00") << at(2026, 1, 1, 9, 0, 0) << "Mo"
                              << "dd"
                              << "09:00:00 01/00/2026";
    QTest::newRow("year up to 2099 and no further") << evening << "An"
                                                    << "uu"
                                                    << "22:58:30 01/01/2099";
}

void ClockWindowTest::adjustingWhileFrozen() {
    QFETCH(QDateTime, now);
    QFETCH(QString, item);
    QFETCH(QString, steps);
    QFETCH(QString, shown);
    Opened o(now);
    o.click("Button2");
    QVERIFY(o.window.ModeReglage);
    QVERIFY(!o.window.Timer1->isActive());
    o.click(item.toLatin1().constData());
    for (QChar s : steps)
        s == u'u' ? o.up() : o.down();
    QCOMPARE(o.shown(), shown);
    QVERIFY(o.fakes.messages.errors.isEmpty());
}

void ClockWindowTest::secondSetBringsBackTheClock() {
    Opened o(at(2026, 12, 7, 14, 5, 9));
    o.click("Button2");
    o.click("Mn");
    o.up();
    o.click("Jo");
    o.down();
    QCOMPARE(o.shown(), QStringLiteral("14:06:09 06/12/2026"));
    o.fakes.clock.current = at(2026, 12, 7, 14, 7, 41);
    o.click("Button2");
    QVERIFY(!o.window.ModeReglage);
    QVERIFY(o.window.Timer1->isActive());
    QCOMPARE(o.shown(), QStringLiteral("14:07:41 07/12/2026"));
}

void ClockWindowTest::noItemChosenChangesNothing() {
    Opened o(at(2026, 12, 7, 14, 5, 9));
    QVERIFY(!o.window.chosenField());
    o.click("Button2");
    o.up();
    o.down();
    QCOMPARE(o.shown(), QStringLiteral("14:05:09 07/12/2026"));
}

void ClockWindowTest::aTickOverwritesAnAdjustment() {
    Opened o(at(2026, 12, 7, 14, 5, 9));
    o.click("Hr");
    o.up();
    QCOMPARE(o.time(), QStringLiteral("15:05:09"));
    // The real timer ticks once a second and reads the clock again.
    QTRY_COMPARE(o.time(), QStringLiteral("14:05:09"));
    o.fakes.clock.current = at(2027, 1, 1, 0, 0, 1);
    QTRY_COMPARE(o.shown(), QStringLiteral("00:00:01 01/01/2027"));
}

void ClockWindowTest::reopeningAfterFreezingRunsTheClock() {
    TestApp app;
    TMainForm& main = app.start();
    QAction* open = main.findChild<QAction*>(QStringLiteral("Hotloge1"));
    app.fakes.modal.scripts << [](QDialog& d) {
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);
        QTest::mouseClick(d.findChild<QRadioButton*>(QStringLiteral("Mo")), Qt::LeftButton);
        QTest::keyClick(d.focusWidget(), Qt::Key_Escape);
    };
    open->trigger();
    QVERIFY(!main.utilities().clock().isVisible());
    QVERIFY(main.utilities().clock().ModeReglage);
    app.fakes.clock.current = at(2030, 4, 2, 8, 9, 10);
    bool running = false;
    app.fakes.modal.scripts <<
        [&](QDialog&) { running = main.utilities().clock().Timer1->isActive(); };
    open->trigger();
    QVERIFY(running);
    QVERIFY(!main.utilities().clock().ModeReglage);
    QCOMPARE(main.utilities().clock().Label1->text(), QStringLiteral("08:09:10"));
    // Only the chosen item lasts.
    QCOMPARE(main.utilities().clock().chosenField(), std::optional<ClockField>(ClockField::Mo));
}

void ClockWindowTest::unreadableFieldGoesToTheErrorBox() {
    Opened o(at(2026, 12, 7, 14, 5, 9));
    o.click("Button2");
    o.click("Hr");
    o.window.Label1->setText(QStringLiteral("x4:05:09"));
    o.up();
    QCOMPARE(o.fakes.messages.errors,
             QStringList{QStringLiteral("'x4' n'est pas une valeur entière correcte.")});
    QCOMPARE(o.time(), QStringLiteral("x4:05:09"));
}

void ClockWindowTest::escapeAndFermerClose() {
    {
        Opened o(at(2026, 12, 7, 14, 5, 9));
        o.click("Jo"); // the focus on a radio item
        QTest::keyClick(o.window.focusWidget(), Qt::Key_Escape);
        QVERIFY(!o.window.isVisible());
    }
    {
        Opened o(at(2026, 12, 7, 14, 5, 9));
        o.click("Button1");
        QVERIFY(!o.window.isVisible());
    }
}

void ClockWindowTest::upDownButtonRepeatsWhileHeld() {
    UpDownButton spin;
    spin.resize(20, 40);
    spin.show();
    QSignalSpy ups(&spin, &UpDownButton::upClick);
    QSignalSpy downs(&spin, &UpDownButton::downClick);
    QTest::mousePress(&spin, Qt::LeftButton, {}, QPoint(10, 5));
    QCOMPARE(ups.count(), 1);
    QCOMPARE(spin.heldHalf(), 1);
    QVERIFY(spin.repeatTimer().isActive());
    QCOMPARE(spin.repeatTimer().interval(), UpDownButton::kFirstRepeatMs);
    QTRY_COMPARE(ups.count(), 2);
    QCOMPARE(spin.repeatTimer().interval(), UpDownButton::kRepeatMs);
    QTRY_VERIFY(ups.count() >= 4);
    QTest::mouseRelease(&spin, Qt::LeftButton, {}, QPoint(10, 5));
    QVERIFY(!spin.repeatTimer().isActive());
    QCOMPARE(spin.heldHalf(), 0);
    QCOMPARE(downs.count(), 0);

    QTest::mousePress(&spin, Qt::LeftButton, {}, QPoint(10, 35));
    QCOMPARE(downs.count(), 1);
    QCOMPARE(spin.repeatTimer().interval(), UpDownButton::kFirstRepeatMs);
    QTRY_COMPARE(downs.count(), 2);
    QTest::mouseRelease(&spin, Qt::LeftButton, {}, QPoint(10, 35));
    QVERIFY(!spin.repeatTimer().isActive());
}

void ClockWindowTest::upDownButtonArrowKeys() {
    Opened o(at(2026, 12, 7, 14, 5, 9));
    o.click("Button2");
    o.click("Mn");
    o.spin()->setFocus();
    QTest::keyClick(o.spin(), Qt::Key_Up);
    QTest::keyClick(o.spin(), Qt::Key_Up);
    QTest::keyClick(o.spin(), Qt::Key_Down);
    QCOMPARE(o.time(), QStringLiteral("14:06:09"));
}

QTEST_MAIN(ClockWindowTest)
#include "clock_window_test.moc"
