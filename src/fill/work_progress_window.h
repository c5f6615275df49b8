// The progress window of long work (filling or making a grid): the work runs
// on a worker thread while this modal window shows the elapsed time and the
// work's own report, and "Arrêter" raises the work's stop flag. Closing the
// window any other way stops the work too; the window never returns before
// the worker has ended, so the caller reads the result at once.
#pragma once

#include <QDialog>
#include <QMutex>
#include <QString>
#include <atomic>
#include <functional>
#include <thread>

class QLabel;
class QPushButton;
class QTimer;

namespace orv {

class ModalRunner;

class WorkProgressWindow : public QDialog {
    Q_OBJECT
public:
    // The work: it watches `stop` and may call `report` from its thread with a
    // line of French text that the window shows.
    using Work = std::function<void(const std::atomic<bool>& stop,
                                    const std::function<void(const QString&)>& report)>;

    WorkProgressWindow(const QString& title, QWidget* parent = nullptr);
    ~WorkProgressWindow() override;

    // Starts the work, shows the window through `modal` until the work ends
    // or is stopped, and waits for the worker. True when the work ran to its
    // end without being stopped from the window.
    bool run(ModalRunner& modal, Work work);

    QLabel* Temps = nullptr;        // elapsed time
    QLabel* Etat = nullptr;         // the work's last report
    QPushButton* Arreter = nullptr; // "Arrêter"

protected:
    void done(int result) override;

private:
    void poll();
    void stopWork();

    QTimer* timer_ = nullptr;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{false};
    bool stoppedHere_ = false;
    QMutex mutex_;
    QString report_;
    qint64 startedMs_ = 0;
};

} // namespace orv
