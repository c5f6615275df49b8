// The dictionary browser window.
#include "dictionary/dictionary_browser.h"

#include "common/codec.h"
#include "common/keys.h"
#include "common/pictures.h"
#include "dictionary/dictionary_browse.h"
#include "dictionary/word_block_model.h"
#include "dictionary/word_scores.h"
#include "document/dictionary.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

namespace orv {

TDico::TDico(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Dico"));
    setWindowTitle(QStringLiteral("Dictionnaire"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(290, 442);
    move(374, 77);

    auto* panel1 = new QFrame(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel1->setGeometry(0, 0, 290, 33);

    SpeedButton2 = new QToolButton(panel1);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setIcon(toolIcon(ToolPicture::ArrowLeft));
    SpeedButton1 = new QToolButton(panel1);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setIcon(toolIcon(ToolPicture::ArrowRight));
    for (QToolButton* arrow : {SpeedButton2, SpeedButton1}) {
        arrow->setAutoRaise(true);
        arrow->setFocusPolicy(Qt::NoFocus); // Page Up / Page Down do the same from the keyboard
        arrow->setIconSize(QSize(19, 19));
    }
    SpeedButton2->setGeometry(21, 4, 25, 25);
    SpeedButton1->setGeometry(45, 4, 25, 25);
    connect(SpeedButton1, &QToolButton::clicked, this, &TDico::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TDico::SpeedButton2Click);

    Button27 = new QPushButton(QStringLiteral("Fermer"), panel1);
    Button27->setObjectName(QStringLiteral("Button27"));
    Button27->setGeometry(197, 4, 75, 25);
    connect(Button27, &QPushButton::clicked, this, &QDialog::close);

    auto* panel3 = new QFrame(this);
    panel3->setObjectName(QStringLiteral("Panel3"));
    panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel3->setGeometry(270, 33, 20, 409);
    buildLetterButtons(panel3);

    ListBox1 = new QListView(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(0, 33, 270, 409);
    ListBox1->setUniformItemSizes(true);
    // Each word with its score at the right (looked up for the rows painted only).
    ListBox1->setItemDelegate(new WordScoreDelegate(ListBox1, 16));
    ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    words_ = new WordBlockModel(this);
    ListBox1->setModel(words_);

    buildScoreBox(panel1);
    connect(ListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TDico::showCurrentScore);
    connect(words_, &QAbstractItemModel::modelReset, this, &TDico::showCurrentScore);

    installEventFilter(this);
    ListBox1->installEventFilter(this);
    Button27->installEventFilter(this);
}

void TDico::buildScoreBox(QWidget* panel) {
    LabelScore = new QLabel(QStringLiteral("Score :"), panel);
    LabelScore->setObjectName(QStringLiteral("LabelScore"));
    LabelScore->setGeometry(78, 4, 42, 25);
    SpinScore = new QSpinBox(panel);
    SpinScore->setObjectName(QStringLiteral("SpinScore"));
    SpinScore->setGeometry(120, 4, 70, 25);
    SpinScore->setRange(0, kMaxScore);
    SpinScore->setToolTip(QStringLiteral(
        "Score du mot choisi : de 0 (jamais pris par le remplissage) à 100 (mot très courant)"));
    SpinScore->setEnabled(false);
    LabelScore->setBuddy(SpinScore);
    connect(SpinScore, &QSpinBox::valueChanged, this, &TDico::setCurrentScore);
}

void TDico::setDictionary(Dictionary* dictionary) {
    dictionary_ = dictionary;
    words_->setScores(dictionary ? &dictionary->scores() : nullptr);
    showCurrentScore();
}

QByteArray TDico::currentWord() const {
    const QModelIndex at = ListBox1->currentIndex();
    return at.isValid() ? fromUiLossy(at.data().toString()) : QByteArray();
}

void TDico::showCurrentScore() {
    const QByteArray word = currentWord();
    const bool shown = dictionary_ && !word.isEmpty();
    showingScore_ = true;
    SpinScore->setEnabled(shown);
    SpinScore->setValue(shown ? dictionary_->score(word) : 0);
    showingScore_ = false;
}

void TDico::setCurrentScore(int score) {
    const QByteArray word = currentWord();
    if (showingScore_ || !dictionary_ || word.isEmpty())
        return;
    dictionary_->setUserScore(word, score);
    words_->scoreChanged(ListBox1->currentIndex().row());
}

void TDico::buildLetterButtons(QWidget* panel) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setBold(true);
    font.setPixelSize(11);
    for (int i = 0; i < 26; ++i) {
        const char letter = char('A' + i);
        auto* button = new QPushButton(QString(QLatin1Char(letter)), panel);
        button->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        button->setFont(font);
        button->setGeometry(1, 14 + 15 * i, 18, 15);
        button->setStyleSheet(QStringLiteral("padding: 0px;"));
        button->setFocusPolicy(Qt::ClickFocus); // outside the tab order
        button->setAutoDefault(false);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, letter] { AffMots(letter); });
    }
}

void TDico::Init(const WordList& list) {
    CopieMots = list; // shared until one side changes: no copy of the words
    AffMots('A');
}

void TDico::AffMots(char letter) {
    LettreCourante = letter;
    ListBox1->setUpdatesEnabled(false);
    words_->setWords(wordsWithInitial(CopieMots, letter));
    ListBox1->setUpdatesEnabled(true);
}

void TDico::SpeedButton1Click() { AffMots(nextInitial(LettreCourante)); }

void TDico::SpeedButton2Click() { AffMots(previousInitial(LettreCourante)); }

void TDico::FormKeyDown(int& key) {
    if (key == vk::PageDown) {
        SpeedButton1Click();
        key = vk::Clear;
    }
    if (key == vk::PageUp) {
        SpeedButton2Click();
        key = vk::Clear;
    }
}

bool TDico::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        int key = vk::fromQtKey(static_cast<QKeyEvent*>(event)->key());
        const int typed = key;
        FormKeyDown(key);
        if (key != typed)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TDico::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Button27->setFocus();
}

void TDico::done(int result) {
    CopieMots.clear();
    // The plain words leave memory with the window.
    words_->setWords({});
    QDialog::done(result);
}

} // namespace orv
