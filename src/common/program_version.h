// The program's version and licence, as the about box and the --version of
// every program show them. The number is the one of the top-level CMake
// project; nothing else in the code spells it.
#pragma once

#include <QString>

namespace orv {

// "1.0"
QString programVersion();

// The SPDX identifier of the program's licence.
QString programLicence();

// What `PROGRAM --version` prints: the program's name with the product's and
// the version, then the licence and the absence of warranty.
QString versionText(const QString& program);

// The last paragraphs of a command-line tool's help: how to get one
// command's help, this help and the version.
QString helpOptionsText(const QString& program);

} // namespace orv
