// The common ground of the subsystems' controllers: each is built from the
// document, the services and the main window (seen as a plain QMainWindow and
// its MainView), adds its own menu commands and runs them behind the error guard.
#pragma once

#include "common/command_guard.h"
#include "common/main_view.h"
#include "common/services.h"

#include <QAction>
#include <QMainWindow>
#include <QObject>

namespace orv {

class Document;

class Controller : public QObject {
    Q_OBJECT
public:
    Controller(Document& document, Services& services, QMainWindow* window, MainView& view)
        : QObject(window), doc_(document), services_(services), window_(window), view_(view) {}

protected:
    // Adds a command to the named menu and runs `slot` when it is chosen:
    //   addCommand(this, "GrilleMenu", "fill", "&Remplir", "Remplir la grille",
    //              &GridController::fillClick);
    template <typename C>
    QAction* addCommand(C* self, const char* menu, const char* name, const QString& caption,
                        const QString& hint, void (C::*slot)()) {
        QAction* action =
            view_.addCommand(QString::fromLatin1(menu), QString::fromLatin1(name), caption, hint);
        connect(action, &QAction::triggered, self, slot);
        return action;
    }
    // A window of this controller, made by `make` on first use and kept, so
    // that its state lasts between showings.
    template <typename W, typename Make> W& ownWindow(W*& slot, Make make) {
        if (!slot)
            slot = make();
        return *slot;
    }
    template <typename F> bool guard(F&& command) {
        return guarded(services_.messages, window_, std::forward<F>(command));
    }

    Document& doc_;
    Services& services_;
    QMainWindow* window_;
    MainView& view_;
};

} // namespace orv
