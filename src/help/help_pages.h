// The program's help: its pages, in the order of the contents, and the topic
// numbers that F1 asks for. Every topic maps to a page here, so the help can
// never be asked for a page that does not exist.
#pragma once

#include <QList>
#include <QString>

namespace orv::help {

enum Topic {
    ContentsTopic = 1, // "Sommaire de l'aide"
    MainWindowTopic = 2,
    FileMenuTopic = 3,
    WordsMenuTopic = 4,
    UtilitiesMenuTopic = 6,
    HelpMenuTopic = 7
};

struct Page {
    QString file; // name of the page among the help resources
    int topic;    // 0: reached from the contents and the links only
};

// Every page, in the order of the contents list.
const QList<Page>& pages();

// Every topic number that the program asks for.
QList<int> topics();

// The page of a topic; the contents page for a number that has none.
QString pageForTopic(int topic);

// Where the pages live among the program's resources.
inline QString resourceFolder() { return QStringLiteral(":/aide"); }
inline QString resourceUrl(const QString& file) { return QStringLiteral("qrc:/aide/") + file; }

} // namespace orv::help
