// The dimensions dialog and its clamping spin fields.
#include "grid/dimensions_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace orv {
namespace {

constexpr int kMinPlaying = 6;
constexpr int kMaxPlaying = 20;

} // namespace

SpinEdit::SpinEdit(QWidget* parent) : QSpinBox(parent) {}

int SpinEdit::Value() const { return valueFromText(lineEdit()->text()); }

QValidator::State SpinEdit::validate(QString& input, int&) const {
    // Signs and digits may be typed in any order; what they make is settled
    // when the field is left.
    const bool plain = std::all_of(input.cbegin(), input.cend(), [](QChar c) {
        return c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-');
    });
    return plain ? QValidator::Acceptable : QValidator::Invalid;
}

int SpinEdit::valueFromText(const QString& text) const {
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok);
    if (!ok)
        return minimum();
    return int(std::clamp<qlonglong>(n, minimum(), maximum()));
}

void SpinEdit::fixup(QString& input) const { input = QString::number(valueFromText(input)); }

TFTaille::TFTaille(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FTaille"));
    setWindowTitle(QStringLiteral("Définir grille"));
    setFixedSize(362, 116);

    // Created first so that they come first in the tab order, "Annuler" leading.
    Button1 = new QPushButton(QStringLiteral("Annuler"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(264, 20, 81, 27);
    Button2 = new QPushButton(QStringLiteral("OK"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(264, 64, 81, 27);
    // Neither button is the default: Enter only settles the field being typed in.
    for (QPushButton* b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(Button1, &QPushButton::clicked, this, &TFTaille::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFTaille::Button2Click);

    auto addField = [this](const QString& caption, const char* name, int top) {
        auto* label = new QLabel(caption, this);
        label->setGeometry(24, top + 3, 130, 18);
        auto* field = new SpinEdit(this);
        field->setObjectName(QString::fromLatin1(name));
        field->setRange(kMinPlaying, kMaxPlaying);
        field->setValue(kMinPlaying);
        field->setGeometry(168, top, 65, 24);
        label->setBuddy(field);
        return field;
    };
    SpinEdit1 = addField(QStringLiteral("Nombre de lignes"), "SpinEdit1", 21);
    SpinEdit2 = addField(QStringLiteral("Nombre de colonnes"), "SpinEdit2", 65);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, SpinEdit1);
    setTabOrder(SpinEdit1, SpinEdit2);
}

void TFTaille::Init(std::int32_t rows, std::int32_t columns) {
    SpinEdit1->setValue(rows - 1);
    SpinEdit2->setValue(columns - 1);
}

void TFTaille::Result(std::int32_t& rows, std::int32_t& columns) const {
    if (!Valide)
        return;
    rows = SpinEdit1->Value() + 1;
    columns = SpinEdit2->Value() + 1;
}

void TFTaille::Button1Click() {
    Valide = false;
    close();
}

void TFTaille::Button2Click() {
    Valide = true;
    close();
}

void TFTaille::keyPressEvent(QKeyEvent* event) {
    // Both buttons cancel; Esc presses the first of them, "Annuler". The close
    // box, unlike Esc, leaves Valide as the last button press set it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Button1->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace orv
