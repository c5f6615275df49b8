// Line rules of the text files, atomic replacement, and the Windows-1252 codec.
#include "common/codec.h"
#include "common/errors.h"
#include "common/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;

class TextFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitsLines_data();
    void splitsLines();
    void writesCrLfAfterEveryLine();
    void missingFileGivesOpenError();
    void unwritableFileGivesCreateErrorAndKeepsOldContent();
    void codecRoundTripsEveryByte();
    void codecRefusesCharactersOutsideTheCodePage();
};

void TextFileTest::splitsLines_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QList<QByteArray>>("lines");
    using L = QList<QByteArray>;
    QTest::newRow("empty") << QByteArray() << L{};
    QTest::newRow("crlf") << QByteArray("AB\r\nCD\r\n") << L{"AB", "CD"};
    QTest::newRow("lone lf") << QByteArray("AB\nCD\n") << L{"AB", "CD"};
    QTest::newRow("lone cr") << QByteArray("AB\rCD\r") << L{"AB", "CD"};
    QTest::newRow("last line without end") << QByteArray("AB\r\nCD") << L{"AB", "CD"};
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nX\r\n") << L{"", "", "X"};
    QTest::newRow("cr cr is two lines") << QByteArray("A\r\rB") << L{"A", "", "B"};
    QTest::newRow("lf cr is two ends") << QByteArray("A\n\rB") << L{"A", "", "B"};
    QTest::newRow("nul ends the text") << QByteArray("AB\r\nC\0D\r\nEF", 11) << L{"AB", "C"};
    QTest::newRow("accented bytes kept") << QByteArray("\xC9T\xC9\r\n") << L{"\xC9T\xC9"};
}

void TextFileTest::splitsLines() {
    QFETCH(QByteArray, data);
    QFETCH(QList<QByteArray>, lines);
    QCOMPARE(splitTextLines(data), lines);
}

void TextFileTest::writesCrLfAfterEveryLine() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.dat"));
    writeTextLines(path, {"ABRI", "", "ZOO"});
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("ABRI\r\n\r\nZOO\r\n"));
    writeTextLines(path, {});
    QCOMPARE(readWholeFile(path), QByteArray());
}

void TextFileTest::missingFileGivesOpenError() {
    QTemporaryDir dir;
    try {
        readTextLines(dir.filePath(QStringLiteral("absent.dat")), QStringLiteral("absent.dat"));
        QFAIL("no error");
    } catch (const OrvError& e) {
        QCOMPARE(e.message(), QStringLiteral("Ne peut ouvrir le fichier absent.dat"));
    }
}

void TextFileTest::unwritableFileGivesCreateErrorAndKeepsOldContent() {
    QTemporaryDir dir;
    // A folder standing where the file should go cannot be replaced by a file,
    // whoever runs the test.
    const QString path = dir.filePath(QStringLiteral("Dicogrd.dat"));
    QVERIFY(QDir().mkdir(path));
    try {
        writeTextLines(path, {"NEW"}, QStringLiteral("Dicogrd.dat"));
        QFAIL("no error");
    } catch (const OrvError& e) {
        QCOMPARE(e.message(), QStringLiteral("Ne peut créer le fichier Dicogrd.dat"));
    }
    QVERIFY(QFileInfo(path).isDir());
    try {
        writeTextLines(dir.filePath(QStringLiteral("absent/x.dat")), {"NEW"});
        QFAIL("no error");
    } catch (const OrvError& e) {
        QVERIFY(e.message().startsWith(QStringLiteral("Ne peut créer le fichier ")));
    }
}

void TextFileTest::codecRoundTripsEveryByte() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = toUi(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(fromUi(text).value(), all);
    QCOMPARE(toUi(QByteArray("\xC9t\xE9 \x80 \x9C")), QStringLiteral("Été € œ"));
}

void TextFileTest::codecRefusesCharactersOutsideTheCodePage() {
    QVERIFY(!isEncodable(QChar(0x4E2D)));
    QVERIFY(!fromUi(QStringLiteral("ab\u4E2D")).has_value());
    QCOMPARE(fromUiLossy(QStringLiteral("a\u4E2Db")), QByteArray("a?b"));
    QVERIFY(isEncodable(QChar(u'é')));
    QCOMPARE(upperAscii('q'), 'Q');
    QCOMPARE(upperAscii(char(0xE9)), char(0xE9));
}

QTEST_GUILESS_MAIN(TextFileTest)
#include "text_file_test.moc"
