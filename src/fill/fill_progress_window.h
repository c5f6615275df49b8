// The small window shown while a grid fills: the time spent, the slots
// placed, a button that stops the search and, once the search holds a
// complete fill (while it looks for better words), « Autre remplissage »,
// which ends the search with that fill and asks for another one in the same
// window. It reads the search's progress from shared counters on a timer, so
// the search never calls into it.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <atomic>
#include <exception>
#include <functional>
#include <thread>

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
    // The search holds a complete fill (it may still look for a better one).
    std::atomic<bool> filled{false};
    // The user asked for another fill: the search stops keeping its fill.
    std::atomic<bool> another{false};

    // For the next search in the same window.
    void reset() {
        placed = 0;
        total = 0;
        stop = false;
        filled = false;
        another = false;
    }
};

class FillProgressWindow : public QDialog {
    Q_OBJECT
public:
    FillProgressWindow(FillShared& shared, QWidget* parent);

    QLabel* ElapsedLabel;
    QPushButton* StopButton;
    QPushButton* OtherFillButton; // « Autre remplissage », once a fill exists
    QLabel* PlacedLabel;
    QLabel* ThreadsLabel; // how many searches run side by side

    // Runs the work on its own thread while the window shows modally; returns once the work has
    // ended (the window's closing asks it to stop, which it answers within a few milliseconds) and
    // throws what the work threw (or what `next` threw). When a work ends, `next` (if set, on
    // the window's thread) gives the work to run next in the same window, or none to close it.
    using Work = std::function<void()>;
    // Whether the search holds a complete fill (« Autre remplissage » may be asked).
    bool fillFound() const { return shared_.filled.load(); }
    void runWhile(const Work& work, ModalRunner& modal, std::function<Work()> next = nullptr);

public Q_SLOTS:
    // The work has ended: the next one starts, or the window closes.
    void finish();
    // « Autre remplissage »: the search ends keeping the fill it holds, and
    // another is asked for (the button's action; nothing before a fill).
    void otherFill();

protected:
    void reject() override; // Esc and the close box stop the search too

private:
    void refresh();
    void stopSearch();
    void startWork(Work work);

    FillShared& shared_;
    QElapsedTimer elapsed_;
    QTimer* timer_;
    std::thread worker_;
    std::exception_ptr failure_;
    std::function<Work()> next_;
    bool running_ = false; // between runWhile's start and its end
    bool stopping_ = false;
};

} // namespace orv
