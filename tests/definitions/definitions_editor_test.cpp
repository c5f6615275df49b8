// The definitions editor's list logic: what the fields and the list box show,
// writing the fields back, the moves, deletion, choosing a line, and the key
// rules of the two fields.
#include "definitions/definitions_editor.h"

#include <QTest>

using namespace orv;

namespace {

QList<QByteArray> numbered(int count) {
    QList<QByteArray> lines;
    for (int i = 0; i < count; ++i)
        lines.append("MOT" + QByteArray::number(i) + "\tdefinition " + QByteArray::number(i));
    return lines;
}

DefinitionsEditor openedOn(const QList<QByteArray>& lines) {
    DefinitionsEditor editor;
    editor.Init(lines);
    return editor;
}

} // namespace

class DefinitionsEditorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listBoxShowsLinesAroundTheCurrentEntry_data();
    void listBoxShowsLinesAroundTheCurrentEntry();
    void fieldsShowTheCurrentLine_data();
    void fieldsShowTheCurrentLine();
    void writingTheFields_data();
    void writingTheFields();
    void movesWriteFirstAndStayInTheList();
    void longDefinitionStaysWholeUntilEdited();
    void deletion_data();
    void deletion();
    void appendAfterEmptyingKeepsTheCurrentEntryInTheList();
    void choosingARowTakesThatRowsOwnEntry();
    void choosingOutsideTheShownRowsDoesNothing();
    void wordFieldKeys_data();
    void wordFieldKeys();
};

void DefinitionsEditorTest::listBoxShowsLinesAroundTheCurrentEntry_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("selected");
    QTest::newRow("index 2 of 100") << 100 << 2 << 0 << 21 << 2;
    QTest::newRow("index 30 of 100") << 100 << 30 << 25 << 21 << 5;
    QTest::newRow("index 5 of 100") << 100 << 5 << 0 << 21 << 5;
    QTest::newRow("index 6 of 100") << 100 << 6 << 1 << 21 << 5;
    QTest::newRow("last of 100") << 100 << 99 << 94 << 6 << 5;
    QTest::newRow("one entry") << 1 << 0 << 0 << 1 << 0;
    QTest::newRow("index 3 of 10") << 10 << 3 << 0 << 10 << 3;
}

void DefinitionsEditorTest::listBoxShowsLinesAroundTheCurrentEntry() {
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(int, first);
    QFETCH(int, shown);
    QFETCH(int, selected);
    const auto lines = numbered(count);
    DefinitionsEditor editor = openedOn(lines);
    editor.Indice = current;
    editor.LitMot();
    QCOMPARE(editor.Debut, first);
    QCOMPARE(editor.Lignes, lines.mid(first, shown));
    QCOMPARE(editor.Selection, selected);
    QCOMPARE(editor.Lignes.at(editor.Selection), lines.at(current));
}

void DefinitionsEditorTest::fieldsShowTheCurrentLine_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<QByteArray>("definition");
    QTest::newRow("word and definition")
        << QByteArray("ABAT\tpluie soudaine") << QByteArray("ABAT") << QByteArray("pluie soudaine");
    QTest::newRow("no TAB") << QByteArray("ABAT") << QByteArray("ABAT") << QByteArray();
    QTest::newRow("second TAB stays in the definition")
        << QByteArray("ETE\tsaison\tchaude") << QByteArray("ETE") << QByteArray("saison\tchaude");
    QTest::newRow("empty word") << QByteArray("\tseul") << QByteArray() << QByteArray("seul");
    QTest::newRow("accents kept as bytes")
        << QByteArray("ETE\tsaison d\xe9j\xe0 pass\xe9\x65") << QByteArray("ETE")
        << QByteArray("saison d\xe9j\xe0 pass\xe9\x65");
    QTest::newRow("definition cut at 255") << QByteArray("LONG\t" + QByteArray(300, 'x'))
                                           << QByteArray("LONG") << QByteArray(255, 'x');
}

void DefinitionsEditorTest::fieldsShowTheCurrentLine() {
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, word);
    QFETCH(QByteArray, definition);
    DefinitionsEditor editor;
    editor.Mot = "AVANT";
    editor.Definition = "avant";
    editor.Init({line});
    QCOMPARE(editor.Mot, word);
    QCOMPARE(editor.Definition, definition);
    QCOMPARE(editor.Lignes, QList<QByteArray>{line});
}

void DefinitionsEditorTest::writingTheFields_data() {
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<QByteArray>("definition");
    QTest::addColumn<QList<QByteArray>>("expected");
    QTest::addColumn<int>("indice");
    const QList<QByteArray> start{"ABAT\tancien", "ABATTRE\tfaire tomber"};
    QTest::newRow("ABAT replaces only its own entry")
        << QByteArray("ABAT") << QByteArray("pluie")
        << QList<QByteArray>{"ABAT\tpluie", "ABATTRE\tfaire tomber"} << 0;
    QTest::newRow("ABATTRE replaces its entry")
        << QByteArray("ABATTRE") << QByteArray("abattre")
        << QList<QByteArray>{"ABAT\tancien", "ABATTRE\tabattre"} << 0;
    QTest::newRow("ABA appended at the end")
        << QByteArray("ABA") << QByteArray("nouveau")
        << QList<QByteArray>{"ABAT\tancien", "ABATTRE\tfaire tomber", "ABA\tnouveau"} << 1;
    QTest::newRow("comparison is case-sensitive")
        << QByteArray("abat") << QByteArray("minuscules")
        << QList<QByteArray>{"ABAT\tancien", "ABATTRE\tfaire tomber", "abat\tminuscules"} << 1;
    QTest::newRow("empty word writes nothing") << QByteArray() << QByteArray("rien") << start << 0;
    QTest::newRow("empty definition writes nothing")
        << QByteArray("ABAT") << QByteArray() << start << 0;
}

void DefinitionsEditorTest::writingTheFields() {
    QFETCH(QByteArray, word);
    QFETCH(QByteArray, definition);
    QFETCH(QList<QByteArray>, expected);
    QFETCH(int, indice);
    DefinitionsEditor editor = openedOn({"ABAT\tancien", "ABATTRE\tfaire tomber"});
    editor.Mot = word;
    editor.Definition = definition;
    editor.EcritMot();
    QCOMPARE(editor.ListeTravail, expected);
    QCOMPARE(editor.Indice, indice);
    QVERIFY(!editor.SaisieFaite);
}

void DefinitionsEditorTest::movesWriteFirstAndStayInTheList() {
    DefinitionsEditor editor = openedOn({"A\t1", "B\t2", "C\t3"});
    editor.Precedent();
    QCOMPARE(editor.Indice, 0);
    editor.Definition = "deux";
    editor.Mot = "B";
    editor.Suivant();
    QCOMPARE(editor.ListeTravail.at(1), QByteArray("B\tdeux"));
    QCOMPARE(editor.Indice, 1);
    QCOMPARE(editor.Mot, QByteArray("B"));
    QCOMPARE(editor.Definition, QByteArray("deux"));
    editor.Suivant();
    editor.Suivant();
    QCOMPARE(editor.Indice, 2);
    QCOMPARE(editor.Mot, QByteArray("C"));
    editor.Precedent();
    QCOMPARE(editor.Indice, 1);
    QCOMPARE(editor.Selection, 1);

    // On an empty list, next gives -1 and the next append brings it to 0.
    DefinitionsEditor empty = openedOn({});
    empty.Mot.clear();
    empty.Suivant();
    QCOMPARE(empty.Indice, -1);
    empty.Mot = "PREMIER";
    empty.Definition = "le premier";
    empty.EcritMot();
    QCOMPARE(empty.ListeTravail, QList<QByteArray>{"PREMIER\tle premier"});
    QCOMPARE(empty.Indice, 0);
}

void DefinitionsEditorTest::deletion_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<QList<QByteArray>>("expected");
    QTest::addColumn<int>("indice");
    QTest::addColumn<QByteArray>("shownWord");
    QTest::newRow("current entry")
        << 1 << QByteArray("B") << QList<QByteArray>{"A\t1", "C\t3"} << 0 << QByteArray("A");
    QTest::newRow("another entry, by its word")
        << 2 << QByteArray("A") << QList<QByteArray>{"B\t2", "C\t3"} << 1 << QByteArray("C");
    QTest::newRow("first entry stays at 0")
        << 0 << QByteArray("A") << QList<QByteArray>{"B\t2", "C\t3"} << 0 << QByteArray("B");
    QTest::newRow("unknown word") << 1 << QByteArray("Z")
                                  << QList<QByteArray>{"A\t1", "B\t2", "C\t3"} << 1
                                  << QByteArray("Z");
    QTest::newRow("empty word") << 1 << QByteArray() << QList<QByteArray>{"A\t1", "B\t2", "C\t3"}
                                << 1 << QByteArray();
}

void DefinitionsEditorTest::deletion() {
    QFETCH(int, start);
    QFETCH(QByteArray, word);
    QFETCH(QList<QByteArray>, expected);
    QFETCH(int, indice);
    QFETCH(QByteArray, shownWord);
    DefinitionsEditor editor = openedOn({"A\t1", "B\t2", "C\t3"});
    editor.Indice = start;
    editor.LitMot();
    editor.Mot = word;
    editor.Supprime();
    QCOMPARE(editor.ListeTravail, expected);
    QCOMPARE(editor.Indice, indice);
    QCOMPARE(editor.Mot, shownWord);
    QVERIFY(!editor.SaisieFaite);
}

void DefinitionsEditorTest::appendAfterEmptyingKeepsTheCurrentEntryInTheList() {
    DefinitionsEditor editor = openedOn({});
    for (const char* word : {"UN", "DEUX"}) {
        editor.Mot = word;
        editor.Definition = "d";
        editor.EcritMot();
    }
    QCOMPARE(editor.ListeTravail.size(), 2);
    QCOMPARE(editor.Indice, 1);
    editor.Mot = "DEUX";
    editor.Supprime();
    QCOMPARE(editor.Indice, 0);
    QCOMPARE(editor.Mot, QByteArray("UN"));
    editor.Supprime();
    QVERIFY(editor.ListeTravail.isEmpty());
    QCOMPARE(editor.Indice, 0);
    // The fields still show the deleted word; writing it again makes the one entry current.
    editor.EcritMot();
    QCOMPARE(editor.ListeTravail, QList<QByteArray>{"UN\td"});
    QCOMPARE(editor.Indice, 0);
    editor.Precedent();
    QCOMPARE(editor.Mot, QByteArray("UN"));
    QCOMPARE(editor.Selection, 0);
}

void DefinitionsEditorTest::choosingARowTakesThatRowsOwnEntry() {
    // "RAS\tà ras" contains the whole of the later line "AS\tà ras".
    const QList<QByteArray> lines{"RAS\t\xe0 ras", "AS\t\xe0 ras", "ZOO\tanimaux"};
    DefinitionsEditor editor = openedOn(lines);
    editor.Choisit(1);
    QCOMPARE(editor.Indice, 1);
    QCOMPARE(editor.Mot, QByteArray("AS"));
    QCOMPARE(editor.Selection, 1);

    DefinitionsEditor far = openedOn(numbered(100));
    far.Indice = 30;
    far.LitMot();
    far.Choisit(20);
    QCOMPARE(far.Indice, 45);
    QCOMPARE(far.Debut, 40);
    QCOMPARE(far.Mot, QByteArray("MOT45"));
}

void DefinitionsEditorTest::choosingOutsideTheShownRowsDoesNothing() {
    DefinitionsEditor editor = openedOn({"A\t1", "B\t2"});
    editor.Choisit(2);
    editor.Choisit(-1);
    QCOMPARE(editor.Indice, 0);
    // The list emptied: the list box still shows the old lines, which stand for nothing.
    editor.Supprime();
    editor.Mot = "B";
    editor.Supprime();
    QVERIFY(editor.ListeTravail.isEmpty());
    QCOMPARE(editor.Lignes.size(), 1);
    editor.Choisit(0);
    QCOMPARE(editor.Indice, 0);
}

void DefinitionsEditorTest::wordFieldKeys_data() {
    QTest::addColumn<char>("key");
    QTest::addColumn<bool>("passes");
    QTest::addColumn<char>("becomes");
    QTest::newRow("capital") << 'Q' << true << 'Q';
    QTest::newRow("lower case turned to capital") << 'q' << true << 'Q';
    QTest::newRow("backspace") << '\b' << true << '\b';
    QTest::newRow("enter") << '\r' << false << '\r';
    QTest::newRow("space") << ' ' << false << ' ';
    QTest::newRow("digit") << '5' << false << '5';
    QTest::newRow("hyphen") << '-' << false << '-';
    QTest::newRow("e acute") << '\xe9' << false << '\xe9';
    QTest::newRow("E acute") << '\xc9' << false << '\xc9';
}

void DefinitionsEditorTest::wordFieldKeys() {
    QFETCH(char, key);
    QFETCH(bool, passes);
    QFETCH(char, becomes);
    DefinitionsEditor editor = openedOn({"A\t1"});
    QVERIFY(!editor.SaisieFaite);
    QCOMPARE(editor.Edit1KeyPress(key), passes);
    QCOMPARE(key, becomes);
    // Every key counts as typing, even a refused one.
    QVERIFY(editor.SaisieFaite);
}

void DefinitionsEditorTest::longDefinitionStaysWholeUntilEdited() {
    const QByteArray longLine = "LONG\t" + QByteArray(300, 'x');
    const QList<QByteArray> lines = {"ABAT\tpluie", longLine, "ZOO\t" + QByteArray(256, 'z')};
    DefinitionsEditor editor = openedOn(lines);
    // Shown and left, both ways, and written with the field as shown.
    for (int i = 0; i < 3; ++i)
        editor.Suivant();
    editor.Precedent();
    QCOMPARE(editor.Mot, QByteArray("LONG"));
    QCOMPARE(editor.hiddenDefinitionLength(editor.Mot, editor.Definition), 300);
    QCOMPARE(editor.longDefinitionReplaced(), 0);
    editor.EcritMot();
    editor.Precedent();
    QCOMPARE(editor.ListeTravail, lines);
    QCOMPARE(editor.hiddenDefinitionLength("ABAT", "pluie"), 0);

    // An edit of what the field shows would cut it: the window asks first.
    editor.Suivant();
    editor.Definition.chop(1);
    QCOMPARE(editor.hiddenDefinitionLength(editor.Mot, editor.Definition), 0);
    QCOMPARE(editor.longDefinitionReplaced(), 300);
    editor.keepWholeDefinition();
    QCOMPARE(editor.longDefinitionReplaced(), 0);
    editor.Suivant();
    QCOMPARE(editor.ListeTravail, lines);
    // Another word typed over a long one's fields is a new entry, not an edit.
    editor.Mot = "NEUF";
    QCOMPARE(editor.longDefinitionReplaced(), 0);
    // The edit, when the user wants it written.
    editor.Mot = "LONG";
    editor.Definition = "courte";
    QCOMPARE(editor.longDefinitionReplaced(), 300);
    editor.EcritMot();
    QCOMPARE(editor.ListeTravail.at(1), QByteArray("LONG\tcourte"));
}

QTEST_APPLESS_MAIN(DefinitionsEditorTest)
#include "definitions_editor_test.moc"
