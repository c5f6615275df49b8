// Entry of orvgrid, the grids' command-line companion.
#include "tools/orvgrid_tool.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return orv::runOrvgrid(QCoreApplication::arguments().mid(1), out, err);
}
