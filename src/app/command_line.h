// The options of orvgrille that are answered on the terminal, before any
// window is made or any display is needed (`orvgrille --version`, `--help`),
// and the refusal to start without a display. Everything else on the command
// line is for the program itself (the grid to open) and for Qt.
#pragma once

#include <QStringList>
#include <optional>

class QProcessEnvironment;
class QTextStream;

namespace orv {

// The arguments as main() receives them, the program's name first.
QStringList commandLineArguments(int argc, const char* const* argv);

// What `orvgrille --help` prints.
QString orvgrilleUsage();

// Answers an option that needs no window, and returns the exit status; returns
// nothing when the program is to start.
std::optional<int> answerWithoutWindow(const QStringList& arguments, QTextStream& out);

// Whether Qt can show the windows: a display is named (DISPLAY, or
// WAYLAND_DISPLAY), or the platform chosen ("-platform NAME" among the
// arguments, otherwise QT_QPA_PLATFORM, a list separated by ";") needs none,
// as offscreen does.
bool windowsCanShow(const QStringList& arguments, const QProcessEnvironment& environment);

// When the windows cannot show, says so on err in French and returns 1,
// before Qt would abort with its own message; returns nothing otherwise.
std::optional<int> refuseWithoutDisplay(const QStringList& arguments,
                                        const QProcessEnvironment& environment, QTextStream& err);

} // namespace orv
