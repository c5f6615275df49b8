// One subsystem's controller without the whole program: a document, the fake
// services, a plain QMainWindow and a fake main view that records the
// commands, the status texts and the progress. Commands are triggered by their
// object name, as the menus would.
#pragma once

#include "common/main_view.h"
#include "document/document.h"
#include "support/fake_services.h"

#include <QAction>
#include <QMainWindow>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace orv::test {

class FakeMainView : public MainView {
public:
    explicit FakeMainView(QMainWindow& window) : window_(window) {}

    QAction* addCommand(const QString& menu, const QString& name, const QString& caption,
                        const QString& hint) override;
    void DessinGrille() override { ++redraws; }
    void Remplit() override { ++repaints; }
    void setStatusText(const QString& text) override { statusTexts.append(text); }
    void updateCaption() override { ++captions; }
    QPoint currentCell() const override { return current; }
    void beginProgress() override { progress.append(-1); }
    void showProgress(int percent) override { progress.append(percent); }
    void endProgress() override { progress.append(101); }
    void beginBusy(std::function<void()> cancel) override;
    void endBusy() override { busy = false; }

    // (menu, object name) of every command, in the order added.
    QList<QPair<QString, QString>> commands;
    QStringList statusTexts;
    QList<int> progress; // -1 at the start, 101 at the end
    QPoint current{1, 1};
    int redraws = 0;
    int repaints = 0;
    int captions = 0;
    bool busy = false;
    std::function<void()> cancel;

private:
    QMainWindow& window_;
};

// Runs in a fresh temporary working folder (empty data files), restored after.
class ControllerHarness {
public:
    ControllerHarness();
    ~ControllerHarness();

    // Builds the controller on this harness's document, services and view.
    template <typename C> C& make() {
        auto* controller = new C(doc, fakes.services, &window, view);
        return *controller;
    }
    // Triggers a command by its object name; fails the test when it is absent.
    void trigger(const char* name);
    QString path(const QString& name) const { return dir_.filePath(name); }

    FakeServices fakes;
    QMainWindow window;
    FakeMainView view{window};
    Document doc;

private:
    QTemporaryDir dir_;
    QString previousDir_;
};

} // namespace orv::test
