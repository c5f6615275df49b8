// The whole-program fixture of the window tests.
#include "support/test_app.h"

#include "common/text_file.h"
#include "dictionary/dictionary_browser.h"
#include "dictionary/fill_options_dialog.h"
#include "support/word_lists.h"

#include <QAbstractButton>
#include <QAction>
#include <QListView>

#include <QDir>
#include <QFile>
#include <QTest>

namespace orv::test {

TestApp::TestApp() : previousDir_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
    writeFile(QStringLiteral("Dicogrd.dat"), {});
    writeFile(QStringLiteral("Dicodef.dat"), {});
}

TestApp::~TestApp() {
    main_.reset();
    QDir::setCurrent(previousDir_);
}

void TestApp::writeFile(const QString& name, const QByteArray& bytes) {
    QFile f(path(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray TestApp::readFile(const QString& name) const {
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString TestApp::path(const QString& name) const { return dir_.filePath(name); }

TMainForm& TestApp::start() {
    main_ = std::make_unique<TMainForm>(fakes.services);
    main_->show();
    return *main_;
}

QByteArray crlfLines(const QList<QByteArray>& lines) { return joinTextLines(lines); }

TMainForm& startWith(TestApp& app, const QList<QByteArray>& plainWords) {
    app.writeFile(QStringLiteral("Dicogrd.dat"), dictionaryFile(plainWords));
    return app.start();
}

QList<QByteArray> listOf(const std::vector<QByteArray>& words) {
    return QList<QByteArray>(words.begin(), words.end());
}

void editGrid(TMainForm& w, const std::function<void(Grille&)>& edit) {
    Grille after = w.grille();
    edit(after);
    w.document().applyGridChange(gridDifference(w.grille(), after, QStringLiteral("test")));
}

void setGrid(TMainForm& w, const Grille& layout) {
    editGrid(w, [&](Grille& g) {
        g.NbLignes = layout.NbLignes;
        g.NbColonnes = layout.NbColonnes;
        for (int c = 1; c < layout.NbColonnes; ++c)
            for (int r = 1; r < layout.NbLignes; ++r)
                g.cell(c, r) = layout.cell(c, r);
    });
    w.document().markSaved();
}

void trigger(TMainForm& w, const char* action) {
    QAction* a = child<QAction>(&w, action);
    QVERIFY2(a, action);
    a->trigger();
}

void clickMark(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

void chooseWord(TDico& dico, const QString& word) {
    QAbstractItemModel* model = dico.ListBox1->model();
    for (int r = 0; r < model->rowCount(); ++r)
        if (model->index(r, 0).data().toString() == word) {
            dico.ListBox1->setCurrentIndex(model->index(r, 0));
            return;
        }
    QFAIL(qPrintable(QStringLiteral("%1 is not listed").arg(word)));
}

void workFillOptions(TestApp& app, TMainForm& w,
                     const std::function<void(FillOptionsDialog&)>& steps) {
    const qsizetype before = app.fakes.modal.shown.size();
    app.fakes.modal.scripts.append(
        [steps](QDialog& d) { steps(static_cast<FillOptionsDialog&>(d)); });
    trigger(w, "fillOptions");
    QCOMPARE(app.fakes.modal.shown.size(), before + 1);
    QCOMPARE(app.fakes.modal.shown.last(), QStringLiteral("FillOptionsDialog"));
}

} // namespace orv::test
