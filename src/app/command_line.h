// The options of orvgrille that are answered on the terminal, before any
// window is made or any display is needed (`orvgrille --version`). Everything
// else on the command line is for the program itself (the grid to open).
#pragma once

#include <QStringList>
#include <optional>

class QTextStream;

namespace orv {

// The arguments as main() receives them, the program's name first.
QStringList commandLineArguments(int argc, const char* const* argv);

// Answers an option that needs no window, and returns the exit status; returns
// nothing when the program is to start.
std::optional<int> answerWithoutWindow(const QStringList& arguments, QTextStream& out);

} // namespace orv
