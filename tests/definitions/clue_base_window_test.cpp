// « Base d'indices » in the whole program: clues typed in the clue sheet of a
// 10x10 grid reach the base at « Enregistrer » and are found by a word of the
// clue; the definitions are there from the start; entries are changed,
// deleted and exchanged as CSV through the window; a damaged base is set
// aside at start and the program goes on.
#include "definitions/clue_base_window.h"
#include "definitions/clue_sheet_window.h"
#include "definitions/typing.h"
#include "support/sample_grid.h"
#include "support/test_app.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace orv;
using namespace orv::test;

namespace {

void runBase(TestApp& app, TMainForm& w, std::function<void(ClueBaseWindow&)> script) {
    bool ran = false;
    app.fakes.modal.scripts.append([&ran, script](QDialog& d) {
        auto* window = qobject_cast<ClueBaseWindow*>(&d);
        QVERIFY(window);
        ran = true;
        script(*window);
    });
    trigger(w, "clueBase");
    QVERIFY(ran);
}

void search(ClueBaseWindow& b, int kind, const QString& text) {
    b.searchKind->setCurrentIndex(kind);
    b.searchText->clear();
    typeText(b.searchText, text);
    QTest::mouseClick(b.searchButton, Qt::LeftButton);
}

QStringList column(const QTableWidget* table, int col) {
    QStringList texts;
    for (int r = 0; r < table->rowCount(); ++r)
        texts.append(table->item(r, col)->text());
    return texts;
}

void chooseRow(ClueBaseWindow& b, int row) {
    QTest::mouseClick(b.results->viewport(), Qt::LeftButton, {},
                      b.results->visualItemRect(b.results->item(row, 1)).center());
}

} // namespace

class ClueBaseWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cluesTypedAndSavedAreFoundByAWordTheyHold();
    void entriesChangedDeletedAndExchanged();
    void damagedBaseIsSetAsideAtStart();
};

void ClueBaseWindowTest::cluesTypedAndSavedAreFoundByAWordTheyHold() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicodef.dat"), "VERGER\tLieu des arbres fruitiers\r\n");
    TMainForm& w = app.start();
    QVERIFY(app.fakes.messages.errors.isEmpty());
    editGrid(w, [](Grille& g) {
        const Grille sample = sampleGrid();
        g.NbLignes = sample.NbLignes;
        g.NbColonnes = sample.NbColonnes;
        g.Cases = sample.Cases;
    });
    // Row 1's clue typed in the clue sheet.
    trigger(w, "Dfinitions1");
    auto* sheet = w.findChild<TDefgrille*>(QStringLiteral("Defgrille"));
    QVERIFY(sheet);
    sheet->StringGrid1->setFocus();
    sheet->StringGrid1->setCurrentCell(0, 1);
    // The first key starts the edit; the rest goes to the cell's editor.
    typeText(sheet->StringGrid1, QStringLiteral("P"));
    QLineEdit* editor = sheet->StringGrid1->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    typeText(editor, QStringLiteral("runier ou pêcher du verger"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::mouseClick(sheet->Button1, Qt::LeftButton);
    app.fakes.files.savePaths = {app.path(QStringLiteral("verger.grd"))};
    trigger(w, "Enregistrer1");
    QVERIFY(QFileInfo::exists(app.path(QStringLiteral("verger.grd"))));
    QVERIFY(app.fakes.messages.errors.isEmpty());

    runBase(app, w, [&app](ClueBaseWindow& b) {
        QCOMPARE(b.windowTitle(), QStringLiteral("Base d'indices"));
        search(b, ClueBaseWindow::ByText, QStringLiteral("verger"));
        QCOMPARE(column(b.results, 0), QStringList{"ABRICOTIER"});
        QCOMPARE(b.results->item(0, 1)->text(), QStringLiteral("Prunier ou pêcher du verger"));
        QCOMPARE(b.results->item(0, 2)->text(), app.path(QStringLiteral("verger.grd")));
        QCOMPARE(b.countLabel->text(), QStringLiteral("1 indice"));
        search(b, ClueBaseWindow::ByText, QStringLiteral("arbre"));
        QCOMPARE(column(b.results, 0), QStringList{"VERGER"});
        search(b, ClueBaseWindow::ByText, QString());
        QCOMPARE(column(b.results, 0), (QStringList{"ABRICOTIER", "VERGER"}));
        QCOMPARE(b.countLabel->text(), QStringLiteral("2 indices"));
        search(b, ClueBaseWindow::ByText, QStringLiteral("PECHER prunier"));
        QCOMPARE(column(b.results, 0), QStringList{"ABRICOTIER"});
        search(b, ClueBaseWindow::ByPattern, QStringLiteral("abri.ot?er"));
        QCOMPARE(column(b.results, 0), QStringList{"ABRICOTIER"});
        search(b, ClueBaseWindow::ByWord, QStringLiteral("verger"));
        QCOMPARE(column(b.results, 1), QStringList{"Lieu des arbres fruitiers"});
        search(b, ClueBaseWindow::ByWord, QStringLiteral("pommier"));
        QCOMPARE(b.results->rowCount(), 0);
        QCOMPARE(b.countLabel->text(), QStringLiteral("Aucun indice"));
    });
}

void ClueBaseWindowTest::entriesChangedDeletedAndExchanged() {
    TestApp app;
    app.writeFile(QStringLiteral("Dicodef.dat"), "MER\tGrande bleue\r\nMER\tEau sal\xe9"
                                                 "e\r\nSEL\tAssaisonne\r\n");
    TMainForm& w = app.start();
    const QString csv = app.path(QStringLiteral("indices.csv"));
    runBase(app, w, [&app, &csv](ClueBaseWindow& b) {
        QCOMPARE(b.results->rowCount(), 3); // everything, at the opening
        search(b, ClueBaseWindow::ByWord, QStringLiteral("MER"));
        QCOMPARE(column(b.results, 1), (QStringList{"Eau salée", "Grande bleue"}));
        chooseRow(b, 1);
        QCOMPARE(b.clueEdit->text(), QStringLiteral("Grande bleue"));
        b.clueEdit->selectAll();
        typeText(b.clueEdit, QStringLiteral("Étendue marine"));
        QTest::mouseClick(b.changeButton, Qt::LeftButton);
        QCOMPARE(column(b.results, 1), (QStringList{"Eau salée", "Étendue marine"}));
        // Deleting asks first; « Non » keeps the entry.
        chooseRow(b, 0);
        QTest::mouseClick(b.deleteButton, Qt::LeftButton);
        QCOMPARE(app.fakes.messages.confirmations,
                 QStringList{"Supprimer l'indice « Eau salée » du mot MER ?"});
        QCOMPARE(b.results->rowCount(), 2);
        app.fakes.messages.confirmAnswers = {true};
        chooseRow(b, 0);
        QTest::mouseClick(b.deleteButton, Qt::LeftButton);
        QCOMPARE(column(b.results, 1), QStringList{"Étendue marine"});
        // A word and a clue typed are added.
        b.wordEdit->clear();
        typeText(b.wordEdit, QStringLiteral("lac"));
        b.clueEdit->clear();
        typeText(b.clueEdit, QStringLiteral("Eau douce"));
        QTest::mouseClick(b.addButton, Qt::LeftButton);
        QCOMPARE(column(b.results, 0), QStringList{"LAC"});

        app.fakes.files.savePaths = {csv};
        QTest::mouseClick(b.exportButton, Qt::LeftButton);
    });
    const QByteArray exported = app.readFile(QStringLiteral("indices.csv"));
    QVERIFY(exported.startsWith("mot,indice,grille,date\r\n"));
    QCOMPARE(exported.count("\r\n"), 4);
    QVERIFY(exported.contains("MER,\xc3\x89tendue marine,Dicodef.dat,"));

    app.writeFile(QStringLiteral("autres.csv"),
                  "mot,indice,grille,date\r\nPOMME,\"Fruit, ou reinette\",,\r\nMER,\xc3\x89tendue "
                  "marine,,\r\n");
    runBase(app, w, [&app](ClueBaseWindow& b) {
        app.fakes.files.openPaths = {app.path(QStringLiteral("autres.csv"))};
        QTest::mouseClick(b.importButton, Qt::LeftButton);
        QCOMPARE(app.fakes.messages.infos, QStringList{"1 indice ajouté à la base."});
        search(b, ClueBaseWindow::ByText, QStringLiteral("reinette"));
        QCOMPARE(column(b.results, 1), QStringList{"Fruit, ou reinette"});
        // A file that is not such a CSV is refused with the reason.
        app.writeFile(QStringLiteral("faux.csv"), "bonjour\r\n");
        app.fakes.files.openPaths = {app.path(QStringLiteral("faux.csv"))};
        QTest::mouseClick(b.importButton, Qt::LeftButton);
        QCOMPARE(app.fakes.messages.errors.size(), 1);
        QVERIFY(app.fakes.messages.errors.front().startsWith(
            QStringLiteral("Le fichier CSV doit commencer par la ligne")));
    });
}

void ClueBaseWindowTest::damagedBaseIsSetAsideAtStart() {
    TestApp app;
    app.writeFile(QStringLiteral("Indices.sqlite"), QByteArray(5000, 'x'));
    TMainForm& w = app.start();
    QCOMPARE(app.fakes.messages.errors.size(), 1);
    QVERIFY2(app.fakes.messages.errors.front().contains(
                 QStringLiteral("La base d'indices Indices.sqlite ne peut être ouverte")),
             qPrintable(app.fakes.messages.errors.front()));
    QCOMPARE(QDir(app.path(QString())).entryList({"Indices-*.sqlite"}).size(), 1);
    QVERIFY(!QFileInfo::exists(app.path(QStringLiteral("Indices.sqlite"))));
    // The program goes on: a grid is saved, and the command says there is no base.
    editGrid(w, [](Grille& g) { g.cell(1, 1) = 'A'; });
    app.fakes.files.savePaths = {app.path(QStringLiteral("a.grd"))};
    trigger(w, "Enregistrer1");
    QVERIFY(QFileInfo::exists(app.path(QStringLiteral("a.grd"))));
    trigger(w, "clueBase");
    QCOMPARE(app.fakes.messages.errors.size(), 2);
    QCOMPARE(app.fakes.messages.errors.at(1),
             QStringLiteral("La base d'indices n'est pas ouverte dans ce dossier."));
    QVERIFY(!app.fakes.modal.shown.contains(QStringLiteral("ClueBaseWindow")));
}

QTEST_MAIN(ClueBaseWindowTest)
#include "clue_base_window_test.moc"
