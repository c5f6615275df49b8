// Fake services for window tests.
#include "support/fake_services.h"

#include <QApplication>

namespace orv::test {

void FakeMessages::information(QWidget*, const QString& text) { infos.append(text); }
void FakeMessages::error(QWidget*, const QString& text) { errors.append(text + QLatin1Char('.')); }

bool FakeMessages::confirm(QWidget*, const QString& text) {
    confirmations.append(text);
    return !confirmAnswers.isEmpty() && confirmAnswers.takeFirst();
}

MessageService::Answer FakeMessages::question(QWidget*, const QString& text) {
    questions.append(text);
    return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
}

int FakeMessages::choice(QWidget*, const QString& text, const QStringList& choices) {
    choiceTexts.append(text);
    choiceSets.append(choices);
    return choiceAnswers.isEmpty() ? -1 : choiceAnswers.takeFirst();
}

QString FakeFiles::openFile(QWidget*, const QString& filter, Existing existing) {
    openFilters.append(filter);
    openExisting.append(existing);
    return openPaths.isEmpty() ? QString() : openPaths.takeFirst();
}

QString FakeFiles::saveFile(QWidget*, const QString& filter) {
    saveFilters.append(filter);
    return savePaths.isEmpty() ? QString() : savePaths.takeFirst();
}

void FakeModal::run(QDialog& window) {
    shown.append(window.objectName());
    Script script = scripts.isEmpty() ? Script() : scripts.takeFirst();
    window.setModal(true);
    window.show();
    if (settle)
        QApplication::processEvents();
    if (script)
        script(window);
    if (window.isVisible())
        window.close();
}

int ScriptedRandom::Random(int n) {
    asked.append(n);
    if (n <= 0)
        return 0;
    if (!next.isEmpty())
        return next.takeFirst() % n;
    return seeded_.Random(n);
}

} // namespace orv::test
