// The about box and the splash window.
#include "app/about_box.h"

#include "common/pictures.h"
#include "common/program_version.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace orv {
namespace {

QLabel* label(QWidget* parent, const QString& text, int x, int y, int pixels, bool bold) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setPixelSize(pixels);
    f.setBold(bold);
    l->setFont(f);
    l->move(x, y);
    l->adjustSize();
    return l;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("A propos"));
    setFixedSize(329, 218);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 8, 313, 161);
    auto* picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setPixmap(programPicture(QSize(57, 65)));
    picture->setGeometry(8, 8, 57, 65);
    QLabel* product = label(panel, QStringLiteral("Orv Grille"), 88, 16, 17, true);
    product->setObjectName(QStringLiteral("ProductName"));
    label(panel, QStringLiteral("Version %1").arg(programVersion()), 88, 42, 13, false)
        ->setObjectName(QStringLiteral("Version"));
    label(panel, QStringLiteral("Licence %1").arg(programLicence()), 88, 62, 13, false)
        ->setObjectName(QStringLiteral("Licence"));
    QLabel* comments =
        label(panel, QStringLiteral("Générateur de grilles de mots croisés"), 8, 110, 13, false);
    comments->setObjectName(QStringLiteral("Comments"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(127, 180, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

TSplash::TSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Splash"));
    setFixedSize(318, 221);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(0, 0, 318, 221);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor(0, 255, 255));
    panel->setPalette(pal);
    auto* picture = new QLabel(panel);
    picture->setPixmap(programPicture(QSize(89, 113)));
    picture->setGeometry(32, 16, 89, 113);
    QLabel* title = label(panel, QStringLiteral("Orv Grille"), 144, 48, 23, true);
    title->setFont([&] {
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(23);
        f.setBold(true);
        return f;
    }());
    title->adjustSize();
    label(panel, QStringLiteral("Version %1").arg(programVersion()), 144, 96, 17, true);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

} // namespace orv
