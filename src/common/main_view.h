// What the subsystems' controllers need of the main window, without knowing
// it: a place for their menu commands, the grid's drawing, the status text,
// the progress bar, the caption and the grid control's current cell.
#pragma once

#include <QPoint>
#include <QString>
#include <functional>

class QAction;

namespace orv {

class MainView {
public:
    virtual ~MainView() = default;

    // A command of the named menu (its objectName: "FileMenu", "EditionMenu",
    // "MotsMenu", "GrilleMenu", "JeuMenu", "UtilitairesMenu", "AideMenu"). The
    // main window's table puts the commands it knows in their place and their
    // tool buttons beside them; any other goes at the end of its menu.
    virtual QAction* addCommand(const QString& menu, const QString& name, const QString& caption,
                                const QString& hint) = 0;

    // Sizes the grid control to the document's dimensions.
    virtual void DessinGrille() = 0;
    // Repaints every cell from the document.
    virtual void Remplit() = 0;
    // The status text, painted at once (long work holds the event loop).
    virtual void setStatusText(const QString& text) = 0;
    virtual void updateCaption() = 0;
    // Column and row of the grid control's current cell.
    virtual QPoint currentCell() const = 0;

    // The progress bar stands in for the status bar from begin to end.
    virtual void beginProgress() = 0;
    virtual void showProgress(int percent) = 0;
    virtual void endProgress() = 0;

    // Long work that lets the event loop turn: an "Annuler" button at the
    // progress bar's right end calls cancel (once), and the window takes no
    // command and does not close until endBusy.
    virtual void beginBusy(std::function<void()> cancel) = 0;
    virtual void endBusy() = 0;
};

// Keeps the progress bar up for a scope, whichever way it is left.
class ProgressScope {
public:
    explicit ProgressScope(MainView& view) : view_(view) { view_.beginProgress(); }
    ~ProgressScope() { view_.endProgress(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;
    void show(int percent) { view_.showProgress(percent); }

private:
    MainView& view_;
};

// Keeps the window busy for a scope, whichever way it is left.
class BusyScope {
public:
    BusyScope(MainView& view, std::function<void()> cancel) : view_(view) {
        view_.beginBusy(std::move(cancel));
    }
    ~BusyScope() { view_.endBusy(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    MainView& view_;
};

} // namespace orv
