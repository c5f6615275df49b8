// The calculator window: its look, its buttons and keys, and the error box
// for what the calculator throws.
#include "utilities/calculator_window.h"

#include "common/command_guard.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <vector>

namespace orv {
namespace {

const QColor kNavy(0, 0, 128);
const QColor kSilver(192, 192, 192);

constexpr int kDisplayPixels = 17;
constexpr int kSmallestDisplayPixels = 9;
constexpr int kLeft = 8;
constexpr int kTop = 57;
constexpr int kPitchX = 38; // 34-pixel buttons, 4-pixel gaps
constexpr int kPitchY = 37; // 33-pixel buttons

struct ButtonPlan {
    int number; // ButtonN
    const char* caption;
    int col;
    int row;
    std::optional<CalculatorCommand> command; // none: "Fermer"
};

using C = CalculatorCommand;

std::vector<ButtonPlan> buttonPlans() {
    std::vector<ButtonPlan> plans;
    const int digitCols[10] = {1, 0, 1, 2, 0, 1, 2, 0, 1, 2};
    const int digitRows[10] = {3, 2, 2, 2, 1, 1, 1, 0, 0, 0};
    for (int d = 0; d <= 9; ++d)
        plans.push_back({d, nullptr, digitCols[d], digitRows[d], C{C::Digit, d}});
    plans.push_back({10, ",", 0, 3, C{C::Comma}});
    plans.push_back({11, "=", 2, 3, C{C::Equals}});
    const char ops[4] = {'+', '-', '*', '/'};
    for (int i = 0; i < 4; ++i)
        plans.push_back({12 + i, nullptr, 3, i, C{C::Operator, 0, ops[i]}});
    plans.push_back({16, "1/x", 4, 0, C{C::Reciprocal}});
    plans.push_back({17, "sqr", 4, 1, C{C::SquareRoot}});
    plans.push_back({18, "C", 4, 2, C{C::Clear}});
    plans.push_back({19, "Fermer", 4, 3, std::nullopt});
    return plans;
}

void fill(QWidget* w, const QColor& color) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, color);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QString captionOf(const ButtonPlan& plan) {
    if (plan.caption)
        return QString::fromLatin1(plan.caption);
    if (plan.command->kind == C::Digit)
        return QString::number(plan.command->digit);
    return QString(QChar::fromLatin1(plan.command->op));
}

} // namespace

TPocket::TPocket(Services& services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      services_(services) {
    setObjectName(QStringLiteral("Pocket"));
    setWindowTitle(QStringLiteral("Calculatrice"));
    setFixedSize(242, 209);
    QFont font = this->font();
    font.setPixelSize(kDisplayPixels);
    font.setBold(true);
    setFont(font);
    fill(this, kNavy);

    auto* panel1 = new QFrame(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setGeometry(0, 0, 242, 49);
    fill(panel1, Qt::white);
    auto* panel2 = new QFrame(panel1);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setGeometry(kLeft, 4, 185, 41);
    panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel2->setLineWidth(2);
    fill(panel2, kNavy);
    Label1 = new QLabel(panel2);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(4, 4, 177, 33);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    fill(Label1, kSilver);
    QPalette display = Label1->palette();
    display.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(display);
    auto* label2 = new QLabel(panel1);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(kLeft + 185 + 6, 8, 5, 33);
    fill(label2, Qt::red);

    buildButtons();
}

void TPocket::buildButtons() {
    for (const ButtonPlan& plan : buttonPlans()) {
        auto* button = new QPushButton(captionOf(plan), this);
        button->setObjectName(QStringLiteral("Button%1").arg(plan.number));
        button->setGeometry(kLeft + plan.col * kPitchX, kTop + plan.row * kPitchY,
                            plan.number == 19 ? 74 : 34, 33);
        button->installEventFilter(this);
        if (plan.command) {
            const CalculatorCommand command = *plan.command;
            connect(button, &QPushButton::clicked, this, [this, command] { ButtonClick(command); });
            if (command.kind == C::Reciprocal || command.kind == C::SquareRoot)
                deafButtons_ << button;
            if (command.kind == C::Equals)
                equalsButton_ = button;
        } else {
            connect(button, &QPushButton::clicked, this, &QDialog::close);
        }
    }
}

void TPocket::ButtonClick(const CalculatorCommand& command) {
    guarded(services_.messages, this, [&] { runCommand(calc_, command); });
    showDisplay();
}

void TPocket::FormActivate() {
    calc_.reset();
    showDisplay();
    equalsButton_->setFocus(Qt::OtherFocusReason);
}

void TPocket::showDisplay() {
    // A long number is shown whole in a smaller font rather than losing its
    // leading digits; only an entry too long even for the smallest font is
    // cut, on the left, so that the digits being typed stay in view.
    const QString text = calc_.display();
    QFont f = font();
    const int room = Label1->contentsRect().width() - 4;
    int pixels = kDisplayPixels;
    for (; pixels > kSmallestDisplayPixels; --pixels) {
        f.setPixelSize(pixels);
        if (QFontMetrics(f).horizontalAdvance(text) <= room)
            break;
    }
    f.setPixelSize(pixels);
    Label1->setFont(f);
    Label1->setText(text);
}

bool TPocket::FormKeyPress(QChar key) {
    const auto command = calculatorKey(key);
    if (!command)
        return false;
    ButtonClick(*command);
    return true;
}

void TPocket::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

bool TPocket::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    // Escape goes on to the dialog, which closes; Enter and Space press the button.
    if (key->text().size() != 1 || key->key() == Qt::Key_Escape)
        return false;
    const QChar ch = key->text().at(0);
    if (deafButtons_.contains(watched))
        return calculatorKey(ch).has_value();
    return FormKeyPress(ch);
}

} // namespace orv
