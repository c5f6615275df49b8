// The help service of the program: F1 and "Sommaire de l'aide" open the help
// window, created at first use, at the page of the topic asked for.
#pragma once

#include "common/services.h"
#include "help/help_window.h"

#include <QPointer>

namespace orv {

class HelpWindowService : public HelpService {
public:
    HelpWindowService() = default;
    HelpWindowService(const HelpWindowService&) = delete;
    HelpWindowService& operator=(const HelpWindowService&) = delete;
    ~HelpWindowService() override;

    void showTopic(QWidget* parent, int topic) override;
    // The window once it exists; null before the first use.
    HelpWindow* window() const { return window_; }

private:
    QPointer<HelpWindow> window_;
};

} // namespace orv
