// orvgrille's options that are answered on the terminal.
#include "app/command_line.h"

#include "common/program_version.h"

#include <QTextStream>

namespace orv {

QStringList commandLineArguments(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

std::optional<int> answerWithoutWindow(const QStringList& arguments, QTextStream& out) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--version")) {
            out << versionText(QStringLiteral("orvgrille")) << Qt::flush;
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace orv
