// The French typography of printed texts on sample clues: the spaces before
// « : ; ! ? » and inside « », apostrophes and dashes, and the texts it must
// leave alone (already right, times, addresses).
#include "publish/french_typography.h"

#include <QTest>

using namespace orv;

class FrenchTypographyTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rules_data();
    void rules();
};

void FrenchTypographyTest::rules_data() {
    // In the expected texts « ~ » stands for U+00A0 and « ^ » for U+202F.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("printed");
    const auto row = [](const char* name, const char* typed, const char* printed) {
        QTest::newRow(name) << QString::fromUtf8(typed) << QString::fromUtf8(printed);
    };
    row("space before a colon", "Fleuve : Loire", "Fleuve~: Loire");
    row("colon typed against the word", "Fleuve: Loire", "Fleuve~: Loire");
    row("several spaces typed", "Fleuve   : Loire", "Fleuve~: Loire");
    row("thin space before ; ! ?", "Vrai ; faux ! Qui ?", "Vrai^; faux^! Qui^?");
    row("marks typed against the word", "Qui?! Oui; non!", "Qui^?! Oui^; non^!");
    row("guillemets", "Dit «fiable» ou « sûr »", "Dit «^fiable^» ou «^sûr^»");
    row("apostrophes", "L'eau d'aujourd'hui", "L’eau d’aujourd’hui");
    row("dash between clues", "Fleuve - Note", "Fleuve – Note");
    row("hyphen in a word stays", "Arc-en-ciel -5", "Arc-en-ciel -5");
    row("time stays", "À 10:30 ou 12:00", "À 10:30 ou 12:00");
    row("address stays", "Voir http://orv.fr/a?b=c;d", "Voir http://orv.fr/a?b=c;d");
    row("already right stays", "Fleuve~: Loire ; «^fiable^» l’on – x^?",
        "Fleuve~: Loire^; «^fiable^» l’on – x^?");
    row("non-breaking space typed stays", "Qui~? Quoi^:", "Qui~? Quoi^:");
    row("marks at the edges", ": début ; fin ?", ": début^; fin^?");
    row("empty", "", "");
}

void FrenchTypographyTest::rules() {
    QFETCH(QString, typed);
    QFETCH(QString, printed);
    const auto spaces = [](QString s) {
        return s.replace(QLatin1Char('~'), kNoBreakSpace)
            .replace(QLatin1Char('^'), kThinNoBreakSpace);
    };
    QCOMPARE(frenchTypography(spaces(typed)), spaces(printed));
    // Applied again, the printed text is already right.
    QCOMPARE(frenchTypography(spaces(printed)), spaces(printed));
}

QTEST_MAIN(FrenchTypographyTest)
#include "french_typography_test.moc"
