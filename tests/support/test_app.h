// A whole program for window tests: a temporary working folder with the data
// files, the fake services, and the main window with every other window.
#pragma once

#include "app/main_window.h"
#include "support/fake_services.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;

namespace orv {
class TDico;
class FillOptionsDialog;
} // namespace orv

namespace orv::test {

class TestApp {
public:
    // Moves into a fresh temporary folder; the data files are written there
    // before the main window starts.
    TestApp();
    ~TestApp();

    // Writes a data file in the working folder (Dicogrd.dat lines are written as given).
    void writeFile(const QString& name, const QByteArray& bytes);
    QByteArray readFile(const QString& name) const;
    QString path(const QString& name) const;

    // Creates the main window and the others, and shows it (which loads the data).
    TMainForm& start();
    TMainForm& main() { return *main_; }
    FakeServices fakes;

private:
    QTemporaryDir dir_;
    QString previousDir_;
    std::unique_ptr<TMainForm> main_;
};

// Finds a child by object name; fails the test (returns nullptr) when absent.
template <typename T> T* child(QObject* root, const char* name) {
    return root->findChild<T*>(QString::fromLatin1(name));
}

// A byte string of dictionary lines with CR LF ends.
QByteArray crlfLines(const QList<QByteArray>& lines);

// Starts the program on a dictionary holding these plain words.
TMainForm& startWith(TestApp& app, const QList<QByteArray>& plainWords);

// The words of a generated list, as startWith takes them.
QList<QByteArray> listOf(const std::vector<QByteArray>& words);

// Changes the grid through the document's one change path, as a command would
// (one undo step; the grid is then modified if anything changed).
void editGrid(TMainForm& w, const std::function<void(Grille&)>& edit);

// Puts a layout's cells (and its size) in the program's grid, as one change,
// and marks the grid saved.
void setGrid(TMainForm& w, const Grille& layout);

// Triggers a menu command of the main window by its object name.
void trigger(TMainForm& w, const char* action);

// Clicks a radio button or a check box on its mark, as a user does.
void clickMark(QAbstractButton* button);

// Chooses the line of a word in the dictionary browser's list; fails the
// test when the word is not listed.
void chooseWord(TDico& dico, const QString& word);

// Opens « Options de remplissage » from the menu; `steps` works the dialog
// and closes it. Fails the test when the dialog was not shown.
void workFillOptions(TestApp& app, TMainForm& w,
                     const std::function<void(FillOptionsDialog&)>& steps);

} // namespace orv::test
