// The exported files read back by other programs: the PDF with pdftotext,
// pdfinfo and pdffonts (poppler-utils), the SVG with an XML reader, the PNG
// as an image, the ipuz and grid files with the program's readers; and the
// writes that fail, which leave no file behind.
#include "common/codec.h"
#include "common/errors.h"
#include "grid/grid_file.h"
#include "publish/french_typography.h"
#include "publish/grid_export.h"
#include "publish/grid_painting.h"
#include "publish/grid_source.h"
#include "publish/ipuz_file.h"
#include "publish/roman.h"
#include "support/sample_grid.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace orv;

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of a PDF in the order it was drawn, ligatures undone and blanks
// made single.
QString pdfText(const QString& path, const QStringList& extra = {}) {
    QString text = run(QStringLiteral("pdftotext"),
                       extra + QStringList{QStringLiteral("-raw"), path, QStringLiteral("-")});
    text.replace(QChar(0xFB01), QStringLiteral("fi")).replace(QChar(0xFB02), QStringLiteral("fl"));
    return text.simplified();
}

// A clue as the printed page shows it: French typography, blanks made single.
QString printed(const QString& clue) { return frenchTypography(clue).simplified(); }

// Every clue of the sample grid, in order, each opened by its label.
void checkClueLists(const QString& text) {
    const qsizetype across = text.indexOf(QStringLiteral("HORIZONTALEMENT"));
    const qsizetype down = text.indexOf(QStringLiteral("VERTICALEMENT"));
    QVERIFY2(across >= 0 && down > across, qPrintable(text));
    qsizetype at = across;
    for (int r = 1; r <= 10; ++r) {
        const QString paragraph =
            romanNumeral(r) + QStringLiteral(". ") + printed(test::sampleAcross(r));
        const qsizetype found = text.indexOf(paragraph, at);
        QVERIFY2(found > at && found < down, qPrintable(paragraph + QStringLiteral(" in ") + text));
        at = found;
    }
    at = down;
    for (int c = 1; c <= 10; ++c) {
        const QString paragraph =
            QString::number(c) + QStringLiteral(". ") + printed(test::sampleDown(c));
        const qsizetype found = text.indexOf(paragraph, at);
        QVERIFY2(found > at, qPrintable(paragraph + QStringLiteral(" in ") + text));
        at = found;
    }
}

QString pdfInfo(const QString& path, const QString& field) {
    for (const QString& line : run(QStringLiteral("pdfinfo"), {path}).split(QLatin1Char('\n')))
        if (line.startsWith(field + QLatin1Char(':')))
            return line.mid(field.size() + 1).trimmed();
    return {};
}

QString exportError(const QString& path, const Grille& g, int dpi = kDefaultPngResolution) {
    try {
        exportGrid(path, g, {}, dpi);
    } catch (const OrvError& e) {
        return e.message();
    }
    return {};
}

} // namespace

class GridExportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(dir_.isValid()); }
    void pdfPagesAndText_data();
    void pdfPagesAndText();
    void longCluesGoOnToMorePages();
    void frenchTypographyInThePdf();
    void gridShrinksToKeepTheCluesOnTheFirstPage();
    void svgReadsBack();
    void pngAtTheChosenResolution();
    void ipuzAndGridFilesReadBack();
    void failedWritesLeaveNoFile_data();
    void failedWritesLeaveNoFile();
    void refusedRequestsKeepTheEarlierFile();

private:
    QTemporaryDir dir_;
};

void GridExportTest::pdfPagesAndText_data() {
    QTest::addColumn<int>("placement");
    QTest::addColumn<int>("pages");
    QTest::newRow("solution on its own page") << int(SolutionPlacement::Page) << 2;
    QTest::newRow("solution at the foot") << int(SolutionPlacement::Foot) << 1;
    QTest::newRow("no solution") << int(SolutionPlacement::None) << 1;
}

void GridExportTest::pdfPagesAndText() {
    QFETCH(int, placement);
    QFETCH(int, pages);
    const QString path = dir_.filePath(QStringLiteral("grille.pdf"));
    PublishOptions options;
    options.author = QStringLiteral("Amélie Poulain");
    options.gridName = QStringLiteral("essai.grd");
    options.solution = SolutionPlacement(placement);
    exportGrid(path, test::sampleGrid(), options);

    QCOMPARE(pdfInfo(path, QStringLiteral("Pages")).toInt(), pages);
    QVERIFY2(pdfInfo(path, QStringLiteral("Page size")).contains(QStringLiteral("(A4)")),
             qPrintable(pdfInfo(path, QStringLiteral("Page size"))));
    QCOMPARE(pdfInfo(path, QStringLiteral("Title")), QStringLiteral("essai"));

    const QString first = pdfText(path, {QStringLiteral("-l"), QStringLiteral("1")});
    QVERIFY2(first.startsWith(QStringLiteral("essai Amélie Poulain")), qPrintable(first));
    // The column numbers above the grid, then the row numerals down its side.
    QVERIFY2(first.contains(QStringLiteral("1 2 3 4 5 6 7 8 9 10")), qPrintable(first));
    checkClueLists(first);

    // Every font is embedded: pdffonts lists "yes" in its "emb" column.
    const QStringList fonts = run(QStringLiteral("pdffonts"), {path}).split(QLatin1Char('\n'));
    QVERIFY(fonts.size() > 3);
    for (const QString& line : fonts.mid(2))
        if (!line.trimmed().isEmpty())
            QVERIFY2(line.contains(QRegularExpression(
                         QStringLiteral("\\s(yes)\\s+(yes|no)\\s+(yes|no)\\s+\\d+"))),
                     qPrintable(line));

    if (SolutionPlacement(placement) == SolutionPlacement::Page) {
        const QString second = pdfText(path, {QStringLiteral("-f"), QStringLiteral("2")});
        QVERIFY2(second.startsWith(QStringLiteral("Solution")), qPrintable(second));
        QVERIFY2(second.contains(QStringLiteral("A B R I C O T I E R")), qPrintable(second));
        QVERIFY(!first.contains(QStringLiteral("Solution")));
    } else if (SolutionPlacement(placement) == SolutionPlacement::Foot) {
        QVERIFY2(first.contains(QStringLiteral("Solution")), qPrintable(first));
    } else {
        QVERIFY(!first.contains(QStringLiteral("Solution")));
        QVERIFY(!first.contains(QStringLiteral("A B R I C O T I E R")));
    }
}

void GridExportTest::longCluesGoOnToMorePages() {
    Grille g = test::sampleGrid();
    g.NbLignes = g.NbColonnes = 21;
    const QByteArray filler = " mot" + QByteArray(" tr\xe8s long").repeated(12) + ".";
    for (int k = 0; k < 20; ++k) {
        g.DefHoriz[std::size_t(k)] = "Ligne " + QByteArray::number(k + 1) + filler;
        g.DefVert[std::size_t(k)] = "Colonne " + QByteArray::number(k + 1) + filler;
    }
    const PrintLayout layout(g, {});
    QVERIFY(layout.pageCount() > 2);
    QCOMPARE(layout.textPointSize(), 8.0);
    const QString path = dir_.filePath(QStringLiteral("longue.pdf"));
    exportGrid(path, g, {});
    QCOMPARE(pdfInfo(path, QStringLiteral("Pages")).toInt(), layout.pageCount());
    const QString text = pdfText(path);
    for (int k = 1; k <= 20; ++k) {
        QVERIFY2(text.contains(romanNumeral(k) + QStringLiteral(". Ligne ") + QString::number(k) +
                               QStringLiteral(" mot très long")),
                 qPrintable(QString::number(k)));
        QVERIFY(text.contains(QString::number(k) + QStringLiteral(". Colonne ") +
                              QString::number(k) + QStringLiteral(" mot")));
    }
    QVERIFY(text.indexOf(QStringLiteral("XX. Ligne 20")) <
            text.indexOf(QStringLiteral("VERTICALEMENT")));
    // No clue is cut, and a list that runs on into another column or page is
    // headed again there, just before the clue that goes on.
    for (int k = 0; k < 20; ++k) {
        QVERIFY(text.contains(printed(toUi(g.DefHoriz[std::size_t(k)]))));
        QVERIFY(text.contains(printed(toUi(g.DefVert[std::size_t(k)]))));
    }
    const QRegularExpression acrossGoesOn(
        QStringLiteral("HORIZONTALEMENT \\(suite\\) [IVX]+\\. Ligne"));
    const QRegularExpression downGoesOn(
        QStringLiteral("VERTICALEMENT \\(suite\\) \\d+\\. Colonne"));
    QVERIFY2(text.contains(acrossGoesOn), qPrintable(text));
    QVERIFY2(text.contains(downGoesOn), qPrintable(text));
    QVERIFY(text.indexOf(acrossGoesOn) < text.indexOf(QStringLiteral("VERTICALEMENT")));
    QVERIFY(!text.startsWith(QStringLiteral("HORIZONTALEMENT (suite)")));
}

void GridExportTest::frenchTypographyInThePdf() {
    Grille g = test::sampleGrid();
    g.DefHoriz[0] = "Fleuve : Loire";
    // The other clues open with 2, 4, 6 ... narrow letters, steps narrower
    // than « : » or « ; » with the space before it, over more than the width
    // of « Eau : Loire ; »: so the end of some first line falls just before
    // a mark, where a breaking space would put the mark on the next line.
    const QByteArray sweep = QByteArray("Eau : Loire ; ").repeated(6) +
                             *fromUi(QStringLiteral("l'eau « vive » ? - fin."));
    for (int k = 1; k < 20; ++k)
        (k < 10 ? g.DefHoriz[std::size_t(k)] : g.DefVert[std::size_t(k - 10)]) =
            QByteArray(2 * k, 'i') + ' ' + sweep;
    g.DefVert[9] = "Eau : Loire";
    const QString path = dir_.filePath(QStringLiteral("typo.pdf"));
    exportGrid(path, g, {});
    const QString raw =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")});
    const QString text = raw.simplified();
    QVERIFY2(text.contains(QStringLiteral("I. Fleuve : Loire II.")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Loire ; l’eau « vive » ? – fin.")));
    QVERIFY(!text.contains(QLatin1Char('\'')));
    for (int k = 0; k < 10; ++k) {
        QVERIFY(text.contains(printed(toUi(g.DefHoriz[std::size_t(k)]))));
        QVERIFY(text.contains(printed(toUi(g.DefVert[std::size_t(k)]))));
    }
    // The spaces before the marks and inside the guillemets never break.
    int lines = 0;
    for (const QString& line : raw.split(QLatin1Char('\n'))) {
        const QString l = line.trimmed();
        if (l.isEmpty())
            continue;
        ++lines;
        QVERIFY2(!QStringLiteral(":;?»").contains(l.front()), qPrintable(l));
        QVERIFY2(l.back() != QChar(0x00AB), qPrintable(l));
    }
    QVERIFY(lines > 60);
}

void GridExportTest::gridShrinksToKeepTheCluesOnTheFirstPage() {
    Grille g = test::sampleGrid();
    PublishOptions options;
    options.solution = SolutionPlacement::None;
    const double fullCell = PrintLayout(g, options).gridCellSize();
    // Clues that fill the page under a smaller grid, at the smallest text.
    const QByteArray filler = " mot" + QByteArray(" tr\xe8s long").repeated(26) + ".";
    for (int k = 0; k < 10; ++k) {
        g.DefHoriz[std::size_t(k)] = "Ligne " + QByteArray::number(k + 1) + filler;
        g.DefVert[std::size_t(k)] = "Colonne " + QByteArray::number(k + 1) + filler;
    }
    const PrintLayout layout(g, options);
    QCOMPARE(layout.pageCount(), 1);
    QVERIFY2(layout.gridCellSize() < fullCell, qPrintable(QString::number(layout.gridCellSize())));
    QVERIFY(layout.gridCellSize() >= fullCell * 0.6);
    const QString path = dir_.filePath(QStringLiteral("reduite.pdf"));
    exportGrid(path, g, options);
    QCOMPARE(pdfInfo(path, QStringLiteral("Pages")).toInt(), 1);
    const QString text = pdfText(path);
    for (int k = 0; k < 10; ++k)
        QVERIFY(text.contains(printed(toUi(g.DefVert[std::size_t(k)]))));
    QVERIFY(!text.contains(QStringLiteral("(suite)")));
}

void GridExportTest::svgReadsBack() {
    const QString path = dir_.filePath(QStringLiteral("grille.svg"));
    PublishOptions options;
    options.solution = SolutionPlacement::Page;
    options.title = QStringLiteral("Grille n° 1");
    exportGrid(path, test::sampleGrid(), options);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString text;
    QStringList viewBox;
    int rects = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("svg"))
            viewBox =
                xml.attributes().value(QLatin1String("viewBox")).toString().split(QLatin1Char(' '));
        if (xml.isStartElement() && xml.name() == QLatin1String("text"))
            text += QLatin1Char(' ') + xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (xml.isStartElement() && xml.name() == QLatin1String("rect"))
            ++rects;
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    // Two A4 pages one under the other, in tenths of a point.
    QCOMPARE(viewBox.size(), 4);
    QCOMPARE(qRound(viewBox[2].toDouble()), qRound(kA4Width));
    QCOMPARE(qRound(viewBox[3].toDouble()), qRound(2 * kA4Height));
    text = text.simplified();
    QVERIFY2(text.startsWith(QStringLiteral("Grille n° 1")), qPrintable(text));
    for (int r = 1; r <= 10; ++r)
        QVERIFY2(text.contains(printed(test::sampleAcross(r))), qPrintable(test::sampleAcross(r)));
    for (int c = 1; c <= 10; ++c)
        QVERIFY2(text.contains(printed(test::sampleDown(c))), qPrintable(test::sampleDown(c)));
    QVERIFY(text.contains(QStringLiteral("VII")));
    QVERIFY(text.contains(QStringLiteral("Solution")));
    QVERIFY(rects > 0);
}

void GridExportTest::pngAtTheChosenResolution() {
    const QString path = dir_.filePath(QStringLiteral("grille.png"));
    PublishOptions options;
    options.solution = SolutionPlacement::None;
    exportGrid(path, test::sampleGrid(), options, 100);
    QImage image(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.width(), qCeil(kA4Width / 7.2));
    QCOMPARE(image.height(), qCeil(kA4Height / 7.2));
    QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), 100);
    // Something is drawn: the grid's black squares and frame, the text.
    int darkCount = 0;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            darkCount += qGray(image.pixel(x, y)) < 96;
    QVERIFY(darkCount > 100);
    exportGrid(path, test::sampleGrid(), options, 200);
    QCOMPARE(QImage(path).width(), qCeil(kA4Width / 3.6));
}

void GridExportTest::ipuzAndGridFilesReadBack() {
    const Grille g = test::sampleGrid();
    PublishOptions options;
    options.author = QStringLiteral("Zoé");
    options.gridName = QStringLiteral("essai.grd");
    exportGrid(dir_.filePath(QStringLiteral("g.ipuz")), g, options);
    exportGrid(dir_.filePath(QStringLiteral("g.grd")), g, options);
    IpuzInfo info;
    for (const QString& name : {QStringLiteral("g.ipuz"), QStringLiteral("g.grd")}) {
        const Grille back = loadAnyGrid(dir_.filePath(name), &info);
        QCOMPARE(back.NbLignes, g.NbLignes);
        for (int r = 1; r <= 10; ++r) {
            QCOMPARE(back.DefHoriz[std::size_t(r - 1)], g.DefHoriz[std::size_t(r - 1)]);
            QCOMPARE(back.DefVert[std::size_t(r - 1)], g.DefVert[std::size_t(r - 1)]);
            for (int c = 1; c <= 10; ++c)
                QCOMPARE(back.cell(c, r), g.cell(c, r));
        }
    }
    QCOMPARE(info.title, QString()); // the grid file carries none
    loadAnyGrid(dir_.filePath(QStringLiteral("g.ipuz")), &info);
    QCOMPARE(info.title, QStringLiteral("essai"));
    QCOMPARE(info.author, QStringLiteral("Zoé"));
}

void GridExportTest::failedWritesLeaveNoFile_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"g.pdf", "g.svg", "g.png", "g.ipuz", "g.grd"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void GridExportTest::failedWritesLeaveNoFile() {
    QFETCH(QString, name);
    QTemporaryDir dir;
    // A folder that is a plain file: nothing can be created inside it.
    const QString blocker = dir.filePath(QStringLiteral("bloque"));
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    const QString path = blocker + QLatin1Char('/') + name;
    QCOMPARE(exportError(path, test::sampleGrid()), cannotCreateMessage(path));
    QVERIFY(!QFileInfo::exists(path));
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
    QCOMPARE(left, QStringList{QStringLiteral("bloque")});
}

void GridExportTest::refusedRequestsKeepTheEarlierFile() {
    const QString path = dir_.filePath(QStringLiteral("g.png"));
    exportGrid(path, test::sampleGrid(), {}, 60);
    const QByteArray before = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    QVERIFY(
        exportError(path, test::sampleGrid(), 1000).contains(QStringLiteral("entre 50 et 300")));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
    QVERIFY(exportError(dir_.filePath(QStringLiteral("g.doc")), test::sampleGrid())
                .contains(QStringLiteral("pdf, svg, png, ipuz et grd")));
    QVERIFY(!QFileInfo::exists(dir_.filePath(QStringLiteral("g.doc"))));
}

QTEST_MAIN(GridExportTest)
#include "grid_export_test.moc"
