// Help search: the text a reader sees, accent folding, and which pages a
// query finds in which order.
#include "help/help_pages.h"
#include "help/help_search.h"

#include <QTest>

using namespace orv::help;

class HelpSearchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void plainTextDropsTagsAndHead();
    void foldingIgnoresCaseAndAccents_data();
    void foldingIgnoresCaseAndAccents();
    void findKeepsPagesHoldingEveryWord_data();
    void findKeepsPagesHoldingEveryWord();
    void everyTopicHasItsOwnPage();
};

void HelpSearchTest::plainTextDropsTagsAndHead() {
    const QString html = QStringLiteral(
        "<html><head><title>Le   dictionnaire</title><style>h1{}</style></head>"
        "<body><h1>Titre</h1><p>Fichier &gt; Quitter&nbsp;(Alt+X) &amp; <b>Echap</b></p></body>");
    QCOMPARE(plainText(html), QStringLiteral("Titre Fichier > Quitter (Alt+X) & Echap"));
    QCOMPARE(pageTitle(html), QStringLiteral("Le dictionnaire"));
    QCOMPARE(pageTitle(QStringLiteral("<p>sans titre</p>")), QString());
}

void HelpSearchTest::foldingIgnoresCaseAndAccents_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");
    QTest::newRow("capitals") << QStringLiteral("GRILLE") << QStringLiteral("grille");
    QTest::newRow("accents") << QStringLiteral("Définitions à créer, où ça ?")
                             << QStringLiteral("definitions a creer, ou ca ?");
    QTest::newRow("capital accent") << QStringLiteral("ÉTÉ") << QStringLiteral("ete");
    QTest::newRow("ligature") << QStringLiteral("Œuvre cœur") << QStringLiteral("oeuvre coeur");
}

void HelpSearchTest::foldingIgnoresCaseAndAccents() {
    QFETCH(QString, text);
    QFETCH(QString, folded);
    QCOMPARE(foldForSearch(text), folded);
}

void HelpSearchTest::findKeepsPagesHoldingEveryWord_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("found");
    const auto list = [](std::initializer_list<const char*> ids) {
        QStringList out;
        for (const char* id : ids)
            out << QString::fromLatin1(id);
        return out;
    };
    QTest::newRow("empty: every page in order") << QString() << list({"jeu", "grille", "dico"});
    QTest::newRow("blank") << QStringLiteral("   ") << list({"jeu", "grille", "dico"});
    QTest::newRow("one word, most occurrences first")
        << QStringLiteral("lettre") << list({"jeu", "grille"});
    QTest::newRow("title before text") << QStringLiteral("dictionnaire") << list({"dico", "jeu"});
    QTest::newRow("every word required") << QStringLiteral("lettre noire") << list({"grille"});
    QTest::newRow("accents and case ignored")
        << QStringLiteral("CASES NOIRES ÉCRITES") << list({"grille"});
    QTest::newRow("accent typed, none in page")
        << QStringLiteral("dictionnàire") << list({"dico", "jeu"});
    QTest::newRow("nothing") << QStringLiteral("calculatrice") << QStringList();
    QTest::newRow("words from the title only") << QStringLiteral("Jouer") << list({"jeu"});
    QTest::newRow("tags are not text") << QStringLiteral("table") << QStringList();
}

void HelpSearchTest::findKeepsPagesHoldingEveryWord() {
    QFETCH(QString, query);
    QFETCH(QStringList, found);
    HelpIndex index;
    index.add(QStringLiteral("jeu"),
              QStringLiteral("<html><head><title>Jouer</title></head><body>Chaque lettre "
                             "révélée coûte un point ; une lettre, deux lettres. Le bouton "
                             "Dictionnaire.</body></html>"));
    index.add(QStringLiteral("grille"),
              QStringLiteral("<title>La grille</title><table><tr><td>Une lettre, des cases "
                             "noires écrites avec Espace.</td></tr></table>"));
    index.add(QStringLiteral("dico"), QStringLiteral("<title>Le dictionnaire</title><p>Les mots "
                                                     "par initiale.</p>"));
    QCOMPARE(index.find(query), found);
    QCOMPARE(index.title(QStringLiteral("grille")), QStringLiteral("La grille"));
}

void HelpSearchTest::everyTopicHasItsOwnPage() {
    // The contents answers unknown numbers; every number that the program asks
    // for has a page of its own, and no two share one.
    QStringList seen;
    for (int topic : topics()) {
        const QString page = pageForTopic(topic);
        QVERIFY2(!seen.contains(page), qPrintable(page));
        seen << page;
    }
    QCOMPARE(pageForTopic(ContentsTopic), pages().front().file);
    QCOMPARE(pageForTopic(5), pageForTopic(ContentsTopic));
    QCOMPARE(pageForTopic(0), pageForTopic(ContentsTopic));
}

QTEST_GUILESS_MAIN(HelpSearchTest)
#include "help_search_test.moc"
