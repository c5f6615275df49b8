// Every command entry point (menu item, tool button, dialog button) runs
// behind this guard: an error that escapes the command is shown in the
// standard error box and the program goes on.
#pragma once

#include "common/errors.h"
#include "common/services.h"

#include <exception>
#include <utility>

namespace orv {

// Returns true when the command ran to its end without an error.
template <typename F> bool guarded(MessageService& messages, QWidget* parent, F&& command) {
    try {
        std::forward<F>(command)();
        return true;
    } catch (const OrvError& e) {
        messages.error(parent, e.message());
    } catch (const std::bad_alloc&) {
        messages.error(parent, QStringLiteral("Mémoire insuffisante"));
    } catch (const std::exception& e) {
        messages.error(parent, QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace orv
