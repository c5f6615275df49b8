// Typing helpers of the definitions window tests: any character, also those
// beyond ASCII that QTest::keyClicks cannot send.
#pragma once

#include <QString>
#include <QTest>
#include <QWidget>

namespace orv::test {

inline void typeText(QWidget* widget, const QString& text) {
    for (QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(widget, ch.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
}

} // namespace orv::test
