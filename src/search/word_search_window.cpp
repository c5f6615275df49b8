// The word search window.
#include "search/word_search_window.h"

#include "dictionary/word_block_model.h"

#include <algorithm>

#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QToolButton>

namespace orv {
namespace {

constexpr int kLeft = 16;
constexpr int kBoxWidth = 29;
constexpr int kBoxHeight = 22;
constexpr int kBoxTop = 68;
constexpr int kPanelButton = 26;
constexpr int kPanelColumns = 4;

} // namespace

PatternBox::PatternBox(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::StrongFocus);
    QFont f = font();
    f.setBold(true);
    setFont(f);
    setStyleSheet(QStringLiteral("QLabel { background: white; color: black;"
                                 " border: 1px solid gray; }"
                                 "QLabel:focus { border: 2px solid #2a62c9; }"));
}

void PatternBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void PatternBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Q_EMIT clicked();
        break;
    default:
        event->ignore(); // letters go on to the window, which picks them
    }
}

QValidator::State LengthSpinBox::validate(QString& input, int&) const {
    if (input.isEmpty())
        return QValidator::Intermediate;
    if (input.size() > 3 ||
        !std::all_of(input.begin(), input.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return QValidator::Invalid;
    const int typed = input.toInt();
    return typed >= minimum() && typed <= maximum() ? QValidator::Acceptable
                                                    : QValidator::Intermediate;
}

void LengthSpinBox::fixup(QString& input) const {
    bool number = false;
    const int typed = input.toInt(&number);
    input = QString::number(number ? std::clamp(typed, minimum(), maximum()) : minimum());
}

TRMots::TRMots(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("RMots"));
    setWindowTitle(QStringLiteral("Utilitaire de recherche de mots"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(412, 410);

    auto* label1 = new QLabel(QStringLiteral("Longueur"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(kLeft, 16, 60, 20);
    SpinEdit1 = new LengthSpinBox(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(kMinSearchLength, kMaxSearchLength);
    SpinEdit1->setValue(kMinSearchLength);
    SpinEdit1->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    SpinEdit1->setGeometry(80, 12, 50, 24);
    label1->setBuddy(SpinEdit1);

    buildPatternRow();

    auto* label14 = new QLabel(QStringLiteral("Résultat de la recherche"), this);
    label14->setObjectName(QStringLiteral("Label14"));
    label14->setGeometry(kLeft, 106, 150, 20);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setGeometry(170, 104, 96, 24);

    ListBox1 = new QListView(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(kLeft, 136, 250, 258);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results_ = new WordBlockModel(this);
    ListBox1->setModel(results_);

    buildLetterPanel();

    Button2 = new QPushButton(QStringLiteral("Rechercher"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(282, 334, 112, 25);
    // Enter in the length field searches; it never clears the pattern or closes.
    Button2->setDefault(true);
    connect(Button2, &QPushButton::clicked, this, &TRMots::Button2Click);
    Button3 = new QPushButton(QStringLiteral("Fermer"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(282, 369, 112, 25);
    Button3->setAutoDefault(false);
    connect(Button3, &QPushButton::clicked, this, &QDialog::close);
}

void TRMots::buildPatternRow() {
    auto* numbers = new QStandardItemModel(0, kPatternBoxes, this);
    QStringList sections;
    for (int p = 1; p <= kPatternBoxes; ++p)
        sections << QStringLiteral("%1").arg(p, 2);
    numbers->setHorizontalHeaderLabels(sections);
    Header1 = new QHeaderView(Qt::Horizontal, this);
    Header1->setObjectName(QStringLiteral("Header1"));
    Header1->setModel(numbers);
    Header1->setMinimumSectionSize(kBoxWidth);
    Header1->setDefaultSectionSize(kBoxWidth);
    Header1->setSectionResizeMode(QHeaderView::Fixed);
    Header1->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Header1->setGeometry(kLeft, kBoxTop - 20, kBoxWidth * kPatternBoxes, 20);
    Header1->setEnabled(false);

    for (int p = 1; p <= kPatternBoxes; ++p) {
        auto* box = new PatternBox(this);
        box->setObjectName(QStringLiteral("Label%1").arg(p + 1));
        box->setText(QString(QLatin1Char(pattern.box(p))));
        box->setGeometry(kLeft + kBoxWidth * (p - 1), kBoxTop, kBoxWidth, kBoxHeight);
        connect(box, &PatternBox::clicked, this, [this, p] { LabelClick(p); });
        boxes_[size_t(p - 1)] = box;
    }

    Button1 = new QPushButton(QStringLiteral("C"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(kLeft + kBoxWidth * kPatternBoxes + 8, kBoxTop - 1, 26, 24);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TRMots::Button1Click);
}

void TRMots::buildLetterPanel() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    const int rows = (27 + kPanelColumns - 1) / kPanelColumns;
    Panel1->setGeometry(282, 136, kPanelColumns * kPanelButton + 8, rows * kPanelButton + 8);
    for (int k = 0; k < 27; ++k) {
        const char character = k < 26 ? char('A' + k) : kFreePosition;
        auto* button = new QToolButton(Panel1);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(k + 1));
        button->setText(QString(QLatin1Char(character)));
        button->setGeometry(4 + (k % kPanelColumns) * kPanelButton,
                            4 + (k / kPanelColumns) * kPanelButton, kPanelButton, kPanelButton);
        connect(button, &QToolButton::clicked, this,
                [this, character] { SpeedButtonClick(character); });
    }
    Panel1->hide();
}

void TRMots::Init(const WordList& list) {
    CopieMots = list; // shared until one side changes: no copy of the words
    index_.assign(CopieMots);
}

void TRMots::LabelClick(int position) {
    if (!pattern.click(position, SpinEdit1->value()))
        return;
    Panel1->show();
}

void TRMots::SpeedButtonClick(char character) {
    pattern.LettreChoisie = character;
    Lettre();
}

void TRMots::Lettre() {
    pattern.Lettre();
    if (pattern.PositionChoisie >= 1 && pattern.PositionChoisie <= kPatternBoxes)
        box(pattern.PositionChoisie)
            ->setText(QString(QLatin1Char(pattern.box(pattern.PositionChoisie))));
    Panel1->hide();
}

void TRMots::Button1Click() {
    pattern.clear();
    for (int p = 1; p <= kPatternBoxes; ++p)
        box(p)->setText(QString(QLatin1Char(pattern.box(p))));
}

void TRMots::Button2Click() {
    WordBlock found = index_.search(pattern.Motif(SpinEdit1->value()));
    const qsizetype count = found.count();
    ListBox1->setUpdatesEnabled(false);
    results_->setWords(std::move(found));
    ListBox1->setUpdatesEnabled(true);
    Edit1->setText(countText(count));
}

void TRMots::keyPressEvent(QKeyEvent* event) {
    // While the letter panel is open, typing a letter or "." picks it.
    const QString text = event->text();
    if (Panel1->isVisible() && text.size() == 1) {
        const char c = text.at(0).toUpper().toLatin1();
        if ((c >= 'A' && c <= 'Z') || c == kFreePosition) {
            SpeedButtonClick(c);
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void TRMots::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Panel1->hide();
}

void TRMots::done(int result) {
    CopieMots.clear();
    index_.clear();
    QDialog::done(result);
}

} // namespace orv
