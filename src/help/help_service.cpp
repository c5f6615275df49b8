// Opens, raises and points the help window.
#include "help/help_service.h"

#include "help/help_window.h"

namespace orv {

HelpWindowService::~HelpWindowService() {
    // A window owned by the main window has gone with it already.
    delete window_.data();
}

void HelpWindowService::showTopic(QWidget* parent, int topic) {
    if (!window_)
        // Owned by the main window, so that closing the program closes the help too.
        window_ = new HelpWindow(parent ? parent->window() : nullptr);
    window_->showTopic(topic);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace orv
