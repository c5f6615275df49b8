// Fake services for window tests: messages and file dialogs answered from
// queues and logged, modal windows driven by scripts, a fixed clock, a
// scripted or seeded random generator, a recording help service.
#pragma once

#include "common/services.h"

#include <QDateTime>
#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

namespace orv::test {

class FakeMessages : public MessageService {
public:
    void information(QWidget*, const QString& text) override;
    void error(QWidget*, const QString& text) override;
    Answer question(QWidget*, const QString& text) override;
    int choice(QWidget*, const QString& text, const QStringList& choices) override;
    bool confirm(QWidget*, const QString& text) override;

    QStringList infos;             // plain messages, as shown
    QStringList errors;            // error boxes, as shown (with the full stop)
    QStringList questions;         // save questions, as shown
    QList<Answer> answers;         // answers to the next questions; Cancel when empty
    QStringList choiceTexts;       // texts of the choice boxes, as shown
    QList<QStringList> choiceSets; // their buttons
    QList<int> choiceAnswers;      // indexes chosen next; -1 (closed) when empty
    QStringList confirmations;     // yes/no questions, as shown
    QList<bool> confirmAnswers;    // answers to the next yes/no questions; "&Non" when empty
    int total() const {
        return int(infos.size() + errors.size() + questions.size() + choiceTexts.size() +
                   confirmations.size());
    }
};

class FakeFiles : public FileDialogService {
public:
    QString openFile(QWidget*, const QString& filter,
                     Existing existing = Existing::Required) override;
    QString saveFile(QWidget*, const QString& filter) override;

    QStringList openPaths; // next answers of the open dialog; "" or empty queue = cancel
    QStringList savePaths; // next answers of the save dialog
    QStringList openFilters;
    QList<Existing> openExisting; // whether each open dialog required an existing file
    QStringList saveFilters;
};

// Shows the window, runs the next script on it (typing, clicking) and closes
// it if the script left it open, as the user's close box would.
class FakeModal : public ModalRunner {
public:
    using Script = std::function<void(QDialog&)>;
    void run(QDialog& window) override;

    QList<Script> scripts; // one per coming modal showing; none = closed at once
    QStringList shown;     // object names of the windows shown, in order
    // Whether the events are processed after the show, before the script:
    // off, the script finds the window as the show left it (a work started
    // behind it has not been answered yet).
    bool settle = true;
};

class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::uint64_t seed = 1) : seeded_(seed) {}
    int Random(int n) override;
    QList<int> next;  // values returned first (taken modulo n), then the seeded generator
    QList<int> asked; // the n of every call

private:
    SeededRandom seeded_;
};

class FakeClock : public ClockSource {
public:
    QDateTime now() const override { return current; }
    QDateTime current{QDate(2026, 12, 7), QTime(14, 5, 9)};
};

class FakeHelp : public HelpService {
public:
    void showTopic(QWidget*, int topic) override { topics.append(topic); }
    QList<int> topics;
};

struct FakeServices {
    FakeMessages messages;
    FakeFiles files;
    FakeModal modal;
    ScriptedRandom random;
    FakeClock clock;
    FakeHelp help;
    Services services{messages, files, modal, random, clock, help};
};

} // namespace orv::test
