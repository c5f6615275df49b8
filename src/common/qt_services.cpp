// Production implementations of the services.
#include "common/qt_services.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace orv {

void QtMessageService::information(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

void QtMessageService::error(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, applicationTitle(), text + QLatin1Char('.'),
                    QMessageBox::Ok, parent);
    box.exec();
}

MessageService::Answer QtMessageService::question(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Avertissement"), text,
                    QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    if (box.clickedButton() == no)
        return Answer::No;
    return Answer::Cancel;
}

int QtMessageService::choice(QWidget* parent, const QString& text, const QStringList& choices) {
    QMessageBox box(QMessageBox::Warning, applicationTitle(), text, QMessageBox::NoButton, parent);
    QList<QPushButton*> buttons;
    for (const QString& c : choices)
        buttons.append(box.addButton(c, QMessageBox::AcceptRole));
    box.exec();
    return int(buttons.indexOf(static_cast<QPushButton*>(box.clickedButton())));
}

bool QtMessageService::confirm(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, applicationTitle(), text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    // Replacing is the answer that can lose work: it is never the default.
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i];
        if (!label.contains(QLatin1Char('(')))
            label += QStringLiteral(" (%1)").arg(parts[i + 1]);
        out << label;
    }
    return out.join(QStringLiteral(";;"));
}

QString QtFileDialogService::openFile(QWidget* parent, const QString& filter, Existing existing) {
    if (existing == Existing::Required)
        return QFileDialog::getOpenFileName(parent, QString(), QDir::currentPath(),
                                            qtFilter(filter), nullptr,
                                            QFileDialog::DontUseNativeDialog);
    // An open dialog that takes any typed name: the command itself tells the
    // user when the file does not exist.
    QFileDialog dialog(parent, QString(), QDir::currentPath(), qtFilter(filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtFileDialogService::saveFile(QWidget* parent, const QString& filter) {
    // The program adds the extension and never asks before overwriting itself;
    // the file is replaced atomically, so no confirmation is asked here either.
    return QFileDialog::getSaveFileName(
        parent, QString(), QDir::currentPath(), qtFilter(filter), nullptr,
        QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
}

QString QtFileDialogService::saveTypedFile(QWidget* parent, const QString& filter) {
    QString chosenFilter;
    QString path = QFileDialog::getSaveFileName(
        parent, QString(), QDir::currentPath(), qtFilter(filter), &chosenFilter,
        QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    // The pattern of the chosen entry, "Document PDF (*.pdf)" giving ".pdf".
    const qsizetype star = chosenFilter.lastIndexOf(QLatin1String("*."));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty() && star >= 0)
        path += chosenFilter.mid(star + 1)
                    .section(QLatin1Char(')'), 0, 0)
                    .section(QLatin1Char(' '), 0, 0);
    return path;
}

void ExecModalRunner::run(QDialog& window) { window.exec(); }

} // namespace orv
