// The real services: Qt message boxes and file dialogs, exec() for modal
// windows, the seeded generator, the system clock. The help service is the
// help window's (help/help_service.h).
#pragma once

#include "common/services.h"

namespace orv {

class QtMessageService : public MessageService {
public:
    void information(QWidget* parent, const QString& text) override;
    void error(QWidget* parent, const QString& text) override;
    Answer question(QWidget* parent, const QString& text) override;
    int choice(QWidget* parent, const QString& text, const QStringList& choices) override;
    bool confirm(QWidget* parent, const QString& text) override;
};

class QtFileDialogService : public FileDialogService {
public:
    QString openFile(QWidget* parent, const QString& filter,
                     Existing existing = Existing::Required) override;
    QString saveFile(QWidget* parent, const QString& filter) override;
    QString saveTypedFile(QWidget* parent, const QString& filter) override;
};

class ExecModalRunner : public ModalRunner {
public:
    void run(QDialog& window) override;
};

// "Label (*.ext)|*.ext|Other (*.*)|*.*" to Qt's "Label (*.ext);;Other (*.*)".
QString qtFilter(const QString& filter);

} // namespace orv
