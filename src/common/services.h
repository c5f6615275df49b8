// The services that windows use to reach the world: messages, file dialogs,
// modal showing, random numbers, the clock and help. Built once in main.cpp
// and injected through constructors, so tests can replace every one of them.
#pragma once

#include "common/clock_source.h"
#include "common/random_source.h"

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace orv {

class MessageService {
public:
    enum class Answer { Yes, No, Cancel };
    virtual ~MessageService() = default;
    // Plain message: the application's title as caption, no icon, one OK button.
    virtual void information(QWidget* parent, const QString& text) = 0;
    // Standard error box: the text with a full stop appended, a stop icon, OK.
    virtual void error(QWidget* parent, const QString& text) = 0;
    // Warning box captioned "Avertissement" with "&Oui", "&Non" and "Annuler".
    virtual Answer question(QWidget* parent, const QString& text) = 0;
    // Warning box with the application's title and one button per choice;
    // the index of the chosen one, or -1 when the box was closed.
    virtual int choice(QWidget* parent, const QString& text, const QStringList& choices) = 0;
    // Question box captioned with the application's title, "&Oui" and "&Non";
    // true for "&Oui". Closing the box answers "&Non".
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    enum class Existing { Required, NotRequired };
    // The filter is given in the program's form "Label (*.ext)|*.ext|...".
    // An empty result means the user cancelled. With NotRequired the dialog
    // also accepts a typed name of a file that does not exist.
    virtual QString openFile(QWidget* parent, const QString& filter,
                             Existing existing = Existing::Required) = 0;
    virtual QString saveFile(QWidget* parent, const QString& filter) = 0;
    // A save dialog whose filter entries each name one file type: when the
    // user types a name without an extension, the extension of the chosen
    // entry is added, so that the entry decides the type.
    virtual QString saveTypedFile(QWidget* parent, const QString& filter) {
        return saveFile(parent, filter);
    }
};

class ModalRunner {
public:
    virtual ~ModalRunner() = default;
    // Shows the window modally and returns once it has closed.
    virtual void run(QDialog& window) = 0;
};

class HelpService {
public:
    virtual ~HelpService() = default;
    // Opens the program's help at the page of a topic number.
    virtual void showTopic(QWidget* parent, int topic) = 0;
};

struct Services {
    MessageService& messages;
    FileDialogService& files;
    ModalRunner& modal;
    RandomSource& random;
    ClockSource& clock;
    HelpService& help;
};

// The application's title, the caption of every message box.
inline QString applicationTitle() { return QStringLiteral("Orv Grille"); }

} // namespace orv
