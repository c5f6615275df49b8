// Writing and reading a file's bytes in a test: a write that fails fails the test.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

namespace orv::test {

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace orv::test
