// The version comes from the header CMake generates, included here only, so
// that a new number rebuilds this one file.
#include "common/program_version.h"

#include "orv_version.h"

namespace orv {

QString programVersion() { return QStringLiteral(ORV_PROGRAM_VERSION); }

QString programLicence() { return QStringLiteral("GPL-3.0-or-later"); }

QString versionText(const QString& program) {
    return QStringLiteral("%1 (Orv Grille) %2\n"
                          "Licence %3 : GNU GPL version 3 ou ultérieure "
                          "<https://gnu.org/licenses/gpl.html>.\n"
                          "Ceci est un logiciel libre : vous êtes libre de le modifier et de le "
                          "redistribuer.\n"
                          "Il n'y a AUCUNE GARANTIE, dans les limites permises par la loi.\n")
        .arg(program, programVersion(), programLicence());
}

QString helpOptionsText(const QString& program) {
    return QStringLiteral("  %1 COMMANDE --help\n"
                          "      Affiche l'aide de cette commande seule.\n"
                          "  %1 --help\n"
                          "      Affiche cette aide.\n"
                          "  %1 --version\n"
                          "      Affiche la version et la licence.\n")
        .arg(program);
}

} // namespace orv
