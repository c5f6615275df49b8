// The printing and export commands driven as a user would: the save dialog's
// answer, the options typed in the dialog, the print dialog and the preview;
// the files they leave checked with pdfinfo, pdftotext and the readers.
#include "common/command_guard.h"
#include "publish/export_dialog.h"
#include "publish/grid_source.h"
#include "publish/publish_commands.h"
#include "support/fake_services.h"
#include "support/sample_grid.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace orv;

namespace {

QString tool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

int pdfPages(const QString& path) {
    const QString info = tool(QStringLiteral("pdfinfo"), {path});
    const qsizetype at = info.indexOf(QStringLiteral("Pages: "));
    return at < 0 ? -1 : info.mid(at + 7).section(QLatin1Char(' '), 0, 0).toInt();
}

// Fills the options dialog and presses one of its buttons.
test::FakeModal::Script options(const QString& title, const QString& author, int solution,
                                const char* button, int resolution = 0) {
    return [=](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("TitleEdit"))->setText(title);
        d.findChild<QLineEdit*>(QStringLiteral("AuthorEdit"))->setText(author);
        d.findChild<QComboBox*>(QStringLiteral("SolutionBox"))->setCurrentIndex(solution);
        if (resolution)
            d.findChild<QSpinBox*>(QStringLiteral("ResolutionSpin"))->setValue(resolution);
        QTest::mouseClick(d.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    };
}

} // namespace

class PublishCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void exportPdfWithTheTypedOptions();
    void dialogShowsWhatTheFormatNeeds();
    void exportPngAtTheChosenResolution();
    void cancelledExportsWriteNothing();
    void failedExportIsReportedAndLeavesNoFile();
    void printThroughThePrintDialog();
    void previewShowsEveryPage();

private:
    std::unique_ptr<test::FakeServices> fakes_;
    std::unique_ptr<QWidget> window_;
    std::unique_ptr<PublishCommands> commands_;
    std::unique_ptr<QTemporaryDir> dir_;
};

void PublishCommandsTest::init() {
    fakes_ = std::make_unique<test::FakeServices>();
    window_ = std::make_unique<QWidget>();
    commands_ = std::make_unique<PublishCommands>(fakes_->services, window_.get());
    dir_ = std::make_unique<QTemporaryDir>();
}

void PublishCommandsTest::cleanup() {
    commands_.reset();
    window_.reset();
}

void PublishCommandsTest::exportPdfWithTheTypedOptions() {
    const QString path = dir_->filePath(QStringLiteral("grille.pdf"));
    fakes_->files.savePaths = {path};
    fakes_->modal.scripts = {
        options(QStringLiteral("Grille du lundi"), QStringLiteral("Éloïse"), 1, "OkButton")};
    commands_->Exporter(test::sampleGrid(), QStringLiteral("essai.grd"));
    QCOMPARE(fakes_->modal.shown, QStringList{QStringLiteral("ExportDialog")});
    QVERIFY(
        fakes_->files.saveFilters.at(0).startsWith(QStringLiteral("Document PDF (*.pdf)|*.pdf|")));
    QCOMPARE(pdfPages(path), 1); // the solution at the foot of the page
    const QString text =
        tool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")});
    QVERIFY2(text.startsWith(QStringLiteral("Grille du lundi Éloïse 1 2 3")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Solution")));

    // The typed title is offered again at the next showing.
    fakes_->files.savePaths = {path};
    QString shownTitle;
    fakes_->modal.scripts = {[&](QDialog& d) {
        shownTitle = d.findChild<QLineEdit*>(QStringLiteral("TitleEdit"))->text();
    }};
    commands_->Exporter(test::sampleGrid(), QStringLiteral("essai.grd"));
    QCOMPARE(shownTitle, QStringLiteral("Grille du lundi"));
}

void PublishCommandsTest::dialogShowsWhatTheFormatNeeds() {
    struct Seen {
        bool solution, resolution, preview;
    };
    QList<Seen> seen;
    auto look = [&](QDialog& d) {
        seen.append({d.findChild<QComboBox*>(QStringLiteral("SolutionBox"))->isVisible(),
                     d.findChild<QSpinBox*>(QStringLiteral("ResolutionSpin"))->isVisible(),
                     d.findChild<QPushButton*>(QStringLiteral("PreviewButton"))->isVisible()});
    };
    for (const char* name : {"a.png", "a.ipuz", "a.svg"}) {
        fakes_->files.savePaths = {dir_->filePath(QString::fromLatin1(name))};
        fakes_->modal.scripts = {look};
        commands_->Exporter(test::sampleGrid(), QStringLiteral("essai.grd"));
    }
    fakes_->modal.scripts = {look};
    commands_->Imprimer(test::sampleGrid(), QStringLiteral("essai.grd"));
    QCOMPARE(seen.size(), 4);
    QVERIFY(seen[0].solution && seen[0].resolution && !seen[0].preview);   // PNG
    QVERIFY(!seen[1].solution && !seen[1].resolution && !seen[1].preview); // ipuz
    QVERIFY(seen[2].solution && !seen[2].resolution);                      // SVG
    QVERIFY(seen[3].solution && !seen[3].resolution && seen[3].preview);   // printing
    // Closing the dialog with its close box exported and printed nothing.
    QVERIFY(QDir(dir_->path()).isEmpty());

    // A grid file needs no options: it is written at once.
    fakes_->modal.shown.clear();
    fakes_->files.savePaths = {dir_->filePath(QStringLiteral("a.grd"))};
    commands_->Exporter(test::sampleGrid(), QStringLiteral("essai.grd"));
    QVERIFY(fakes_->modal.shown.isEmpty());
    QCOMPARE(loadAnyGrid(dir_->filePath(QStringLiteral("a.grd"))).DefHoriz[9],
             test::sampleGrid().DefHoriz[9]);
}

void PublishCommandsTest::exportPngAtTheChosenResolution() {
    const QString path = dir_->filePath(QStringLiteral("grille.png"));
    fakes_->files.savePaths = {path};
    fakes_->modal.scripts = {options({}, {}, 0, "OkButton", 72)};
    commands_->Exporter(test::sampleGrid(), QStringLiteral("essai.grd"));
    const QImage image(path);
    QCOMPARE(image.width(), 596);   // A4 at 72 dots per inch
    QCOMPARE(image.height(), 1684); // two pages one under the other
}

void PublishCommandsTest::cancelledExportsWriteNothing() {
    fakes_->files.savePaths = {QString()};
    commands_->Exporter(test::sampleGrid(), QStringLiteral("essai.grd"));
    QVERIFY(fakes_->modal.shown.isEmpty());
    fakes_->files.savePaths = {dir_->filePath(QStringLiteral("x.pdf"))};
    fakes_->modal.scripts = {options(QStringLiteral("T"), {}, 0, "CancelButton")};
    commands_->Exporter(test::sampleGrid(), QStringLiteral("essai.grd"));
    QVERIFY(QDir(dir_->path()).isEmpty());
    QCOMPARE(fakes_->messages.total(), 0);
}

void PublishCommandsTest::failedExportIsReportedAndLeavesNoFile() {
    const QString blocker = dir_->filePath(QStringLiteral("bloque"));
    QFile f(blocker);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    const QString path = blocker + QStringLiteral("/x.pdf");
    fakes_->files.savePaths = {path};
    fakes_->modal.scripts = {options(QStringLiteral("T"), {}, 0, "OkButton")};
    guarded(fakes_->messages, window_.get(),
            [&] { commands_->Exporter(test::sampleGrid(), QStringLiteral("essai.grd")); });
    QCOMPARE(fakes_->messages.errors,
             QStringList{QStringLiteral("Ne peut créer le fichier %1.").arg(path)});
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{QStringLiteral("bloque")});

    fakes_->files.savePaths = {dir_->filePath(QStringLiteral("x.doc"))};
    guarded(fakes_->messages, window_.get(),
            [&] { commands_->Exporter(test::sampleGrid(), QStringLiteral("essai.grd")); });
    QVERIFY(fakes_->messages.errors.last().contains(QStringLiteral("pdf, svg, png, ipuz et grd")));
}

void PublishCommandsTest::printThroughThePrintDialog() {
    const QString path = dir_->filePath(QStringLiteral("imprime.pdf"));
    fakes_->modal.scripts = {options(QStringLiteral("À imprimer"), {}, 0, "OkButton"),
                             [&](QDialog& d) {
                                 // The user picks printing to a PDF file and presses Print.
                                 auto& print = static_cast<QPrintDialog&>(d);
                                 print.printer()->setOutputFormat(QPrinter::PdfFormat);
                                 print.printer()->setOutputFileName(path);
                                 print.done(QDialog::Accepted);
                             }};
    guarded(fakes_->messages, window_.get(),
            [&] { commands_->Imprimer(test::sampleGrid(), QStringLiteral("essai.grd")); });
    QCOMPARE(fakes_->messages.total(), 0);
    QCOMPARE(fakes_->modal.shown,
             (QStringList{QStringLiteral("ExportDialog"), QStringLiteral("PrintDialog")}));
    QCOMPARE(pdfPages(path), 2);
    QVERIFY(tool(QStringLiteral("pdfinfo"), {path}).contains(QStringLiteral("(A4)")));
    const QString text =
        tool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")})
            .replace(QChar(0xFB01), QStringLiteral("fi"));
    QVERIFY2(text.startsWith(QStringLiteral("À imprimer")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("X. ") + test::sampleAcross(10)), qPrintable(text));

    // Cancelling the print dialog prints nothing.
    QFile::remove(path);
    fakes_->modal.scripts = {options(QStringLiteral("T"), {}, 0, "OkButton")};
    commands_->Imprimer(test::sampleGrid(), QStringLiteral("essai.grd"));
    QVERIFY(!QFile::exists(path));
}

void PublishCommandsTest::previewShowsEveryPage() {
    int pages = -1;
    QString caption;
    fakes_->modal.scripts = {options(QStringLiteral("T"), {}, 0, "PreviewButton"), [&](QDialog& d) {
                                 caption = d.windowTitle();
                                 auto* widget = d.findChild<QPrintPreviewWidget*>();
                                 widget->updatePreview();
                                 pages = widget->pageCount();
                             }};
    commands_->Imprimer(test::sampleGrid(), QStringLiteral("essai.grd"));
    QCOMPARE(fakes_->modal.shown.last(), QStringLiteral("PrintPreview"));
    QCOMPARE(caption, QStringLiteral("Aperçu avant impression"));
    QCOMPARE(pages, 2);
    QCOMPARE(fakes_->messages.total(), 0);
}

QTEST_MAIN(PublishCommandsTest)
#include "publish_commands_test.moc"
