// The word dialog TAjout.
#include "dictionary/word_dialog.h"

#include "common/codec.h"
#include "dictionary/word_scores.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

namespace orv {
namespace {

constexpr int kMaxTyped = 14;
constexpr char16_t kBackspace = 8;
constexpr char16_t kEnter = 13;

bool capitalsOnly(const QString& text) {
    for (QChar c : text)
        if (c < u'A' || c > u'Z')
            return false;
    return true;
}

} // namespace

TAjout::TAjout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Ajout"));
    setWindowTitle(QStringLiteral("Ajouter mot"));
    setFixedSize(287, 81);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 11, 137, 24);
    Edit1->setMaxLength(kMaxTyped);
    Edit1->installEventFilter(this);
    connect(Edit1, &QLineEdit::textEdited, this, &TAjout::keepCapitalsOnly);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(188, 9, 75, 25);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TAjout::Button1Click);

    Button2 = new QPushButton(QStringLiteral("Annuler"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(188, 41, 75, 25);
    Button2->setAutoDefault(false);
    connect(Button2, &QPushButton::clicked, this, &TAjout::Button2Click);

    LabelScore = new QLabel(QStringLiteral("Score :"), this);
    LabelScore->setObjectName(QStringLiteral("LabelScore"));
    LabelScore->setGeometry(8, 47, 45, 20);
    SpinScore = new QSpinBox(this);
    SpinScore->setObjectName(QStringLiteral("SpinScore"));
    SpinScore->setGeometry(56, 45, 89, 24);
    SpinScore->setRange(0, kMaxScore);
    SpinScore->setValue(kUserAddedScore);
    SpinScore->setToolTip(QStringLiteral(
        "Score du mot : de 0 (jamais pris par le remplissage) à 100 (mot très courant)"));
    LabelScore->setBuddy(SpinScore);
    setScoreShown(false);

    setTabOrder(Edit1, SpinScore);
    setTabOrder(SpinScore, Button1);
    setTabOrder(Button1, Button2);
}

void TAjout::setScoreShown(bool shown) {
    LabelScore->setVisible(shown);
    SpinScore->setVisible(shown);
}

int TAjout::Score() const { return SpinScore->value(); }

QByteArray TAjout::Result() const { return confirme_ ? fromUiLossy(Edit1->text()) : QByteArray(); }

void TAjout::Edit1KeyPress(QChar& key) {
    if (key >= u'a' && key <= u'z')
        key = QChar(char16_t(key.unicode() - u'a' + u'A'));
    if (key == QChar(kBackspace) || (key >= u'A' && key <= u'Z'))
        return;
    const bool enter = key == QChar(kEnter);
    key = QChar();
    if (enter)
        Button1Click();
}

void TAjout::Button1Click() { accept(); }
void TAjout::Button2Click() { reject(); }

void TAjout::done(int result) {
    confirme_ = result == QDialog::Accepted;
    QDialog::done(result);
}

void TAjout::FormActivate() {
    Edit1->clear();
    SpinScore->setValue(kUserAddedScore);
    lastText_.clear();
    Edit1->setFocus();
}

void TAjout::setVisible(bool visible) {
    // Centred on the screen rather than over the main window.
    if (visible && !isVisible()) {
        const QScreen* where = parentWidget() ? parentWidget()->screen() : screen();
        move(where->availableGeometry().center() - rect().center());
    }
    QDialog::setVisible(visible);
}

void TAjout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

bool TAjout::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Edit1 || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* press = static_cast<QKeyEvent*>(event);
    // Keys without a character (arrows, Home, Delete), the dialog's own keys
    // (Escape, Tab) and shortcuts (Ctrl+C, Ctrl+V) keep their usual roles.
    const int k = press->key();
    if (press->text().isEmpty() || k == Qt::Key_Escape || k == Qt::Key_Tab ||
        k == Qt::Key_Backtab || (press->modifiers() & Qt::ControlModifier))
        return false;
    QChar key = press->text().at(0);
    const QChar typed = key;
    Edit1KeyPress(key);
    if (key.isNull())
        return true;
    if (key != typed) {
        Edit1->insert(QString(key));
        lastText_ = Edit1->text();
        return true;
    }
    return false;
}

void TAjout::keepCapitalsOnly(const QString& edited) {
    // Text that does not come through the key filter (pasted) is taken only
    // when, put in capitals, it is a word of the letters A to Z.
    QString upper = edited;
    for (QChar& c : upper)
        if (c >= u'a' && c <= u'z')
            c = QChar(char16_t(c.unicode() - u'a' + u'A'));
    if (!capitalsOnly(upper)) {
        Edit1->setText(lastText_);
        return;
    }
    if (upper != edited) {
        const int cursor = Edit1->cursorPosition();
        Edit1->setText(upper);
        Edit1->setCursorPosition(cursor);
    }
    lastText_ = upper;
}

} // namespace orv
