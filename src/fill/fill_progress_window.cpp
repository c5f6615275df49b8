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
    OtherFillButton = new QPushButton(QStringLiteral("&Autre remplissage"), this);
    OtherFillButton->setObjectName(QStringLiteral("OtherFillButton"));
    OtherFillButton->setToolTip(
        QStringLiteral("Garder le remplissage trouvé et en chercher un autre"));
    OtherFillButton->setEnabled(false);
    layout->addWidget(ElapsedLabel);
    layout->addWidget(PlacedLabel);
    layout->addWidget(ThreadsLabel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(StopButton);
    buttons->addWidget(OtherFillButton);
    buttons->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(300);
    connect(StopButton, &QPushButton::clicked, this, &FillProgressWindow::stopSearch);
    connect(OtherFillButton, &QPushButton::clicked, this, &FillProgressWindow::otherFill);
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
    OtherFillButton->setEnabled(shared_.filled.load() && !stopping_);
}

void FillProgressWindow::stopSearch() {
    shared_.stop = true;
    stopping_ = true;
    StopButton->setEnabled(false);
    OtherFillButton->setEnabled(false);
    PlacedLabel->setText(QStringLiteral("Arrêt en cours..."));
    timer_->stop();
}

void FillProgressWindow::otherFill() {
    if (!shared_.filled.load() || stopping_)
        return;
    shared_.another = true;
    stopSearch();
    PlacedLabel->setText(QStringLiteral("Autre remplissage..."));
}

void FillProgressWindow::reject() {
    stopSearch();
    QDialog::reject();
}

void FillProgressWindow::startWork(Work work) {
    worker_ = std::thread([this, work = std::move(work)] {
        try {
            work();
        } catch (...) {
            failure_ = std::current_exception();
        }
        QMetaObject::invokeMethod(this, "finish", Qt::QueuedConnection);
    });
}

void FillProgressWindow::finish() {
    // Queued by the work as its last act: the thread is ending.
    if (worker_.joinable())
        worker_.join();
    // A window already closed (the user stopped the search) starts nothing.
    if (running_ && isVisible() && !failure_ && next_) {
        Work work;
        try {
            work = next_();
        } catch (...) {
            failure_ = std::current_exception();
        }
        if (work) {
            stopping_ = false;
            StopButton->setEnabled(true);
            elapsed_.restart();
            timer_->start();
            refresh();
            startWork(std::move(work));
            return;
        }
    }
    timer_->stop();
    accept();
}

void FillProgressWindow::runWhile(const Work& work, ModalRunner& modal,
                                  std::function<Work()> next) {
    next_ = std::move(next);
    failure_ = nullptr;
    running_ = true;
    startWork(work);
    modal.run(*this);
    running_ = false;
    shared_.stop = true;
    if (worker_.joinable())
        worker_.join();
    if (failure_)
        std::rethrow_exception(failure_);
}

} // namespace orv
