// The fixture that tests one controller at a time.
#include "support/controller_harness.h"

#include <QDir>
#include <QTest>

namespace orv::test {

QAction* FakeMainView::addCommand(const QString& menu, const QString& name, const QString& caption,
                                  const QString& hint) {
    auto* action = new QAction(caption, &window_);
    action->setObjectName(name);
    action->setStatusTip(hint);
    commands.append({menu, name});
    return action;
}

void FakeMainView::beginBusy(std::function<void()> cancelWork) {
    busy = true;
    cancel = std::move(cancelWork);
}

ControllerHarness::ControllerHarness() : previousDir_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
}

ControllerHarness::~ControllerHarness() { QDir::setCurrent(previousDir_); }

void ControllerHarness::trigger(const char* name) {
    auto* action = window.findChild<QAction*>(QString::fromLatin1(name));
    QVERIFY2(action, name);
    action->trigger();
}

} // namespace orv::test
