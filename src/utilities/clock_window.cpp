// The clock window: its look, the refresh timer, freezing and adjusting.
#include "utilities/clock_window.h"

#include "common/command_guard.h"
#include "common/up_down_button.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace orv {
namespace {

QFont arialFont(int pixels, bool italic = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(true);
    f.setItalic(italic);
    return f;
}

QLabel* framedLabel(QWidget* parent, const char* frameName, const char* labelName, int y) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(frameName));
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(2);
    frame->setGeometry(14, y, 150, 38);
    frame->setAutoFillBackground(true);
    QPalette pal = frame->palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    frame->setPalette(pal);
    auto* label = new QLabel(frame);
    label->setObjectName(QString::fromLatin1(labelName));
    label->setGeometry(2, 2, 146, 34);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(arialFont(23));
    QPalette text = label->palette();
    text.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(text);
    return label;
}

} // namespace

THorloge::THorloge(Services& services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      services_(services) {
    setObjectName(QStringLiteral("Horloge"));
    setWindowTitle(QStringLiteral("Horloge"));
    setFixedSize(292, 172);
    QFont font = this->font();
    font.setPixelSize(17);
    setFont(font);

    auto* panel1 = new QFrame(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setGeometry(0, 0, 292, 172);
    panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel1->setLineWidth(2);
    panel1->setAutoFillBackground(true);
    QPalette black = panel1->palette();
    black.setColor(QPalette::Window, Qt::black);
    panel1->setPalette(black);

    Label1 = framedLabel(panel1, "Panel2", "Label1", 14);
    auto* line = new QFrame(panel1);
    line->setObjectName(QStringLiteral("Label4"));
    line->setGeometry(14, 58, 150, 2);
    line->setAutoFillBackground(true);
    QPalette white = line->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::white);
    line->setPalette(white);
    Label2 = framedLabel(panel1, "Panel3", "Label2", 66);

    auto* orv = new QLabel(QStringLiteral("ORV"), panel1);
    orv->setObjectName(QStringLiteral("Label3"));
    orv->setFont(arialFont(27, true));
    orv->setPalette(white);
    orv->setGeometry(16, 120, 90, 36);

    buildRadioGroup(panel1);

    auto* spin = new UpDownButton(panel1);
    spin->setObjectName(QStringLiteral("SpinButton1"));
    spin->setGeometry(248, 14, 24, 40);
    connect(spin, &UpDownButton::upClick, this, &THorloge::SpinButton1UpClick);
    connect(spin, &UpDownButton::downClick, this, &THorloge::SpinButton1DownClick);

    auto* set = new QPushButton(QStringLiteral("Set"), panel1);
    set->setObjectName(QStringLiteral("Button2"));
    set->setGeometry(238, 64, 44, 28);
    connect(set, &QPushButton::clicked, this, &THorloge::Button2Click);

    auto* close = new QPushButton(QStringLiteral("Fermer"), panel1);
    close->setObjectName(QStringLiteral("Button1"));
    close->setGeometry(196, 128, 82, 30);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &THorloge::Timer1Timer);
    Timer1->start();
}

void THorloge::buildRadioGroup(QWidget* panel) {
    auto* group = new QGroupBox(panel);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    group->setGeometry(174, 8, 64, 114);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(6, 2, 2, 2);
    layout->setSpacing(0);
    items_ = new QButtonGroup(this);
    const char* captions[] = {"Hr", "Mn", "Jo", "Mo", "An"};
    for (int i = 0; i < 5; ++i) {
        auto* item = new QRadioButton(QString::fromLatin1(captions[i]), group);
        item->setObjectName(QString::fromLatin1(captions[i]));
        QPalette white = item->palette();
        white.setColor(QPalette::WindowText, Qt::white);
        item->setPalette(white);
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
        items_->addButton(item, i);
        layout->addWidget(item);
    }
}

std::optional<ClockField> THorloge::chosenField() const {
    const int id = items_->checkedId();
    if (id < 0)
        return std::nullopt;
    return ClockField(id);
}

void THorloge::Timer1Timer() {
    const QDateTime now = services_.clock.now();
    Label1->setText(clockTimeText(now));
    Label2->setText(clockDateText(now));
}

void THorloge::FormActivate() {
    Timer1Timer();
    ModeReglage = false;
    Timer1->start();
}

void THorloge::Button2Click() {
    if (ModeReglage) {
        Timer1->start();
        Timer1Timer();
    } else {
        Timer1->stop();
    }
    ModeReglage = !ModeReglage;
}

void THorloge::adjust(int step) {
    const auto field = chosenField();
    if (!field)
        return;
    guarded(services_.messages, this, [&] {
        QString time = Label1->text();
        QString date = Label2->text();
        adjustClockField(time, date, *field, step);
        Label1->setText(time);
        Label2->setText(date);
    });
}

void THorloge::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

} // namespace orv
