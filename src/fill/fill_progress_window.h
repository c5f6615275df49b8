// The small window shown while a grid fills: the time spent, the slots
// placed and a button that stops the search. It reads the search's progress
// from shared counters on a timer, so the search never calls into it.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <atomic>
#include <functional>

class QLabel;
class QPushButton;
class QTimer;

namespace orv {

class ModalRunner;

// What the searching thread publishes and what the window asks of it.
struct FillShared {
    std::atomic<int> placed{0};
    std::atomic<int> total{0};
    std::atomic<bool> stop{false};
    std::atomic<int> threads{1}; // searches running side by side
};

class FillProgressWindow : public QDialog {
    Q_OBJECT
public:
    FillProgressWindow(FillShared& shared, QWidget* parent);

    QLabel* ElapsedLabel;
    QPushButton* StopButton;
    QLabel* PlacedLabel;
    QLabel* ThreadsLabel; // how many searches run side by side

    // Runs the work on its own thread while the window shows modally; returns once the work has
    // ended (the window's closing asks it to stop, which it answers within a few milliseconds) and
    // throws what the work threw.
    void runWhile(const std::function<void()>& work, ModalRunner& modal);

public Q_SLOTS:
    // The search has ended: the window closes.
    void finish();

protected:
    void reject() override; // Esc and the close box stop the search too

private:
    void refresh();
    void stopSearch();

    FillShared& shared_;
    QElapsedTimer elapsed_;
    QTimer* timer_;
};

} // namespace orv
