// The calendar window: banner, month buttons, keys and closing.
#include "utilities/calendar_window.h"

#include "common/keys.h"
#include "utilities/calendar_grid.h"
#include "utilities/month_calendar.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace orv {
namespace {

const QColor kTeal(0, 128, 128);
constexpr int kBannerWidth = 372;

// A filled triangle pointing left or right, the month buttons' picture.
QIcon triangle(bool left) {
    QPixmap pm(12, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    const QPolygon shape = left ? QPolygon({QPoint(10, 1), QPoint(10, 11), QPoint(2, 6)})
                                : QPolygon({QPoint(2, 1), QPoint(2, 11), QPoint(10, 6)});
    p.drawPolygon(shape);
    return QIcon(pm);
}

} // namespace

TCalendrier::TCalendrier(Services& services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Calendrier"));
    setWindowTitle(QStringLiteral("Calendrier"));
    setGeometry(200, 112, 369, 243);
    QFont font = this->font();
    font.setPixelSize(17);
    setFont(font);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(0, 0, 369, 96);
    panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setMidLineWidth(2);
    panel->setAutoFillBackground(true);
    QPalette teal = panel->palette();
    teal.setColor(QPalette::Window, kTeal);
    panel->setPalette(teal);

    Label1 = new QLabel(QStringLiteral("1998"), panel);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont banner(QStringLiteral("Arial"));
    banner.setPixelSize(23);
    banner.setBold(true);
    Label1->setFont(banner);
    QPalette red = Label1->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label1->setPalette(red);
    Label1->setGeometry(-16, 55, kBannerWidth, 30);

    QPushButton* close = addButton(panel, "Button1", QStringLiteral("Fermer"), 262);
    QPushButton* previous = addButton(panel, "BitBtn1", QStringLiteral("Mois"), 16);
    previous->setIcon(triangle(true));
    QPushButton* next = addButton(panel, "BitBtn2", QStringLiteral("Mois"), 126);
    next->setIcon(triangle(false));
    next->setLayoutDirection(Qt::RightToLeft); // the triangle after the caption
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(previous, &QPushButton::clicked, this, &TCalendrier::BitBtn1Click);
    connect(next, &QPushButton::clicked, this, &TCalendrier::BitBtn2Click);

    Calendar1 = new TCalendar(services.clock.now().date(), this);
    Calendar1->setObjectName(QStringLiteral("Calendar1"));
    Calendar1->setGeometry(-3, 98, 372, 143);
    Calendar1->onKeyDown = [this](int& key) { Calendar1KeyDown(key); };
    Calendar1->onKeyPress = [this](QChar& key) { Calendar1KeyPress(key); };
    connect(Calendar1, &TCalendar::OnChange, this, &TCalendrier::Calendar1Change);

    setTabOrder(Calendar1, close);
    setTabOrder(close, previous);
    setTabOrder(previous, next);
}

QPushButton* TCalendrier::addButton(QWidget* panel, const char* name, const QString& caption,
                                    int x) {
    auto* button = new QPushButton(caption, panel);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, 10, 89, 33);
    button->installEventFilter(this);
    return button;
}

void TCalendrier::FormActivate() { Calendar1Change(); }

void TCalendrier::Calendar1Change() {
    Label1->setText(monthBanner(Calendar1->SelectedDate()));
    // Kept at full width so that the centred text stays centred over the window.
    Label1->resize(kBannerWidth, Label1->height());
}

void TCalendrier::BitBtn1Click() { Calendar1->StepMonth(-1); }
void TCalendrier::BitBtn2Click() { Calendar1->StepMonth(1); }

void TCalendrier::Calendar1KeyDown(int& key) {
    if (key == vk::PageDown)
        Calendar1->StepMonth(1);
    else if (key == vk::PageUp)
        Calendar1->StepMonth(-1);
    else if (key == vk::Escape)
        close();
}

void TCalendrier::Calendar1KeyPress(QChar& key) {
    // Escape has already closed the window on its way down.
    if (key == QChar(vk::Escape) && isVisible())
        close();
}

void TCalendrier::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormActivate();
        Calendar1->setFocus(Qt::OtherFocusReason);
    }
}

bool TCalendrier::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        int key = vk::fromQtKey(static_cast<QKeyEvent*>(event)->key());
        if (key == vk::PageDown || key == vk::PageUp)
            Calendar1KeyDown(key);
        else if (key == vk::Escape) {
            Calendar1KeyDown(key);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace orv
