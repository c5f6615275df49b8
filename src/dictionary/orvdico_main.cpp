// Entry of orvdico, the dictionary's command-line companion.
#include "dictionary/orvdico_tool.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return orv::runOrvdico(QCoreApplication::arguments().mid(1), out, err);
}
