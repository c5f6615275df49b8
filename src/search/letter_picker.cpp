// The letter picker's buttons, four to a row: A to Z, then a blank one.
#include "search/letter_picker.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>

namespace orv {
namespace {

constexpr int kButtons = 27;
constexpr int kPerRow = 4;
constexpr int kSide = 25;

} // namespace

TLettre::TLettre(QWidget* parent)
    // A dialog border: a title and a close box, nothing to size or maximise.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Lettre"));
    setWindowTitle(QStringLiteral("Lettre"));
    setFixedSize(129, 201);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(8, 8, 113, 185);
    const int left = (panel->width() - kPerRow * kSide) / 2;
    const int top = (panel->height() - (kButtons + kPerRow - 1) / kPerRow * kSide) / 2;

    QFont font = this->font();
    font.setBold(true);
    for (int k = 0; k < kButtons; ++k) {
        const char lettre = k < 26 ? char('A' + k) : '\0';
        auto* button = new QToolButton(panel);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(k + 1));
        button->setFont(font);
        if (lettre)
            button->setText(QString(QChar(lettre)));
        button->setGeometry(left + k % kPerRow * kSide, top + k / kPerRow * kSide, kSide, kSide);
        connect(button, &QToolButton::clicked, this, [this, lettre] { SpeedButtonClick(lettre); });
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TLettre::showEvent(QShowEvent* event) {
    LettreRetenue = '\0';
    QDialog::showEvent(event);
}

void TLettre::SpeedButtonClick(char lettre) {
    LettreRetenue = lettre;
    close();
}

} // namespace orv
