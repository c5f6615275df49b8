// The fill's progress window.
#include "fill/fill_progress_window.h"

#include "common/services.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMetaObject>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>
#include <thread>

namespace orv {

FillProgressWindow::FillProgressWindow(FillShared& shared, QWidget* parent)
    : QDialog(parent), shared_(shared) {
    setObjectName(QStringLiteral("FillProgress"));
    setWindowTitle(QStringLiteral("Remplissage de la grille"));
    auto* layout = new QVBoxLayout(this);
    ElapsedLabel = new QLabel(this);
    ElapsedLabel->setObjectName(QStringLiteral("ElapsedLabel"));
    PlacedLabel = new QLabel(this);
    PlacedLabel->setObjectName(QStringLiteral("PlacedLabel"));
    ThreadsLabel = new QLabel(this);
    ThreadsLabel->setObjectName(QStringLiteral("ThreadsLabel"));
    StopButton = new QPushButton(QStringLiteral("Arrêter"), this);
    StopButton->setObjectName(QStringLiteral("StopButton"));
    layout->addWidget(ElapsedLabel);
    layout->addWidget(PlacedLabel);
    layout->addWidget(ThreadsLabel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(StopButton);
    buttons->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(300);
    connect(StopButton, &QPushButton::clicked, this, &FillProgressWindow::stopSearch);
    timer_ = new QTimer(this);
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, &FillProgressWindow::refresh);
    elapsed_.start();
    timer_->start();
    refresh();
}

void FillProgressWindow::refresh() {
    const double seconds = double(elapsed_.elapsed()) / 1000.0;
    ElapsedLabel->setText(QStringLiteral("Temps écoulé : %1 s")
                              .arg(QLocale(QLocale::French).toString(seconds, 'f', 1)));
    const int total = shared_.total.load();
    PlacedLabel->setText(
        total > 0 ? QStringLiteral("Mots placés : %1 sur %2").arg(shared_.placed.load()).arg(total)
                  : QStringLiteral("Préparation..."));
    const int threads = shared_.threads.load();
    ThreadsLabel->setText(
        threads > 1 ? QStringLiteral("%1 recherches en parallèle, une par cœur").arg(threads)
                    : QStringLiteral("1 recherche"));
}

void FillProgressWindow::stopSearch() {
    shared_.stop = true;
    StopButton->setEnabled(false);
    PlacedLabel->setText(QStringLiteral("Arrêt en cours..."));
    timer_->stop();
}

void FillProgressWindow::reject() {
    stopSearch();
    QDialog::reject();
}

void FillProgressWindow::finish() {
    timer_->stop();
    accept();
}

void FillProgressWindow::runWhile(const std::function<void()>& work, ModalRunner& modal) {
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(this, "finish", Qt::QueuedConnection);
    });
    modal.run(*this);
    shared_.stop = true;
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace orv
