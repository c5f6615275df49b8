// The table of help pages and topics.
#include "help/help_pages.h"

namespace orv::help {

const QList<Page>& pages() {
    static const QList<Page> all = {
        {QStringLiteral("sommaire.html"), ContentsTopic},
        {QStringLiteral("fenetre_principale.html"), MainWindowTopic},
        {QStringLiteral("saisie_grille.html"), 0},
        {QStringLiteral("menu_fichier.html"), FileMenuTopic},
        {QStringLiteral("menu_edition.html"), 0},
        {QStringLiteral("menu_mots.html"), WordsMenuTopic},
        {QStringLiteral("menu_grille.html"), 0},
        {QStringLiteral("menu_affichage.html"), 0},
        {QStringLiteral("menu_jeu.html"), 0},
        {QStringLiteral("menu_utilitaires.html"), UtilitiesMenuTopic},
        {QStringLiteral("menu_aide.html"), HelpMenuTopic},
        {QStringLiteral("ajout_mot.html"), 0},
        {QStringLiteral("importer.html"), 0},
        {QStringLiteral("dictionnaire.html"), 0},
        {QStringLiteral("statistiques.html"), 0},
        {QStringLiteral("recherche.html"), 0},
        {QStringLiteral("definitions.html"), 0},
        {QStringLiteral("base_indices.html"), 0},
        {QStringLiteral("dimensions.html"), 0},
        {QStringLiteral("definitions_grille.html"), 0},
        {QStringLiteral("jeu.html"), 0},
        {QStringLiteral("calculatrice.html"), 0},
        {QStringLiteral("horloge.html"), 0},
        {QStringLiteral("calendrier.html"), 0},
        {QStringLiteral("fichiers.html"), 0},
        {QStringLiteral("outils.html"), 0},
    };
    return all;
}

QList<int> topics() {
    return {ContentsTopic,  MainWindowTopic,    FileMenuTopic,
            WordsMenuTopic, UtilitiesMenuTopic, HelpMenuTopic};
}

QString pageForTopic(int topic) {
    for (const Page& page : pages())
        if (page.topic == topic && topic != 0)
            return page.file;
    return pages().front().file;
}

} // namespace orv::help
