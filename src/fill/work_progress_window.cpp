// The progress window polls the worker from a timer of the user-interface
// thread: the worker never touches a widget, it only leaves its report text
// behind a mutex and raises a flag when it ends.
#include "fill/work_progress_window.h"

#include "common/services.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QMutexLocker>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace orv {

WorkProgressWindow::WorkProgressWindow(const QString& title, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("WorkProgressWindow"));
    setWindowTitle(title);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    Temps = new QLabel(this);
    Temps->setObjectName(QStringLiteral("Temps"));
    Etat = new QLabel(this);
    Etat->setObjectName(QStringLiteral("Etat"));
    Etat->setMinimumWidth(320);
    Arreter = new QPushButton(QStringLiteral("Arrêter"), this);
    Arreter->setObjectName(QStringLiteral("Arreter"));
    layout->addWidget(Temps);
    layout->addWidget(Etat);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Arreter);
    layout->addLayout(buttons);
    connect(Arreter, &QPushButton::clicked, this, [this] {
        stoppedHere_ = true;
        stopWork();
        Arreter->setEnabled(false);
        Etat->setText(QStringLiteral("Arrêt en cours..."));
    });
    timer_ = new QTimer(this);
    timer_->setInterval(50);
    connect(timer_, &QTimer::timeout, this, &WorkProgressWindow::poll);
}

WorkProgressWindow::~WorkProgressWindow() {
    stopWork();
    if (worker_.joinable())
        worker_.join();
}

void WorkProgressWindow::stopWork() { stop_.store(true); }

bool WorkProgressWindow::run(ModalRunner& modal, Work work) {
    stop_ = false;
    finished_ = false;
    stoppedHere_ = false;
    Arreter->setEnabled(true);
    Temps->setText(QStringLiteral("Temps écoulé : 0 s"));
    Etat->clear();
    startedMs_ = QDateTime::currentMSecsSinceEpoch();
    worker_ = std::thread([this, work = std::move(work)] {
        work(stop_, [this](const QString& text) {
            QMutexLocker lock(&mutex_);
            report_ = text;
        });
        finished_.store(true);
    });
    timer_->start();
    modal.run(*this);
    timer_->stop();
    // However the window closed, the work ends before the caller goes on.
    if (!finished_.load())
        stopWork();
    worker_.join();
    return !stoppedHere_;
}

void WorkProgressWindow::poll() {
    const qint64 ms = QDateTime::currentMSecsSinceEpoch() - startedMs_;
    Temps->setText(QStringLiteral("Temps écoulé : %1 s").arg(ms / 1000));
    {
        QMutexLocker lock(&mutex_);
        if (!report_.isEmpty() && !stoppedHere_)
            Etat->setText(report_);
    }
    if (finished_.load() && isVisible())
        accept();
}

// Closing the window (Escape, the close box) stops the work like "Arrêter".
void WorkProgressWindow::done(int result) {
    if (!finished_.load()) {
        stoppedHere_ = true;
        stopWork();
    }
    QDialog::done(result);
}

} // namespace orv
