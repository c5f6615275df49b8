// The definitions editor window.
#include "definitions/definitions_window.h"

#include "common/codec.h"
#include "common/services.h"
#include "definitions/typed_text.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace orv {
namespace {

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Enter belongs to the fields: it must never press a button of the window.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QToolButton* makeArrow(const QString& name, QStyle::StandardPixmap arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(parent->style()->standardIcon(arrow));
    button->setIconSize(QSize(18, 18));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(28, 26);
    return button;
}

} // namespace

// ---------------------------------------------------------------- list box

QSize DefinitionListBox::sizeHint() const {
    const int line = fontMetrics().height() + 2;
    return {560, DefinitionsEditor::kVisibleLines * line + 2 * frameWidth() + 4};
}

void DefinitionListBox::keyPressEvent(QKeyEvent* event) {
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0)
        Q_EMIT rowChosen(currentRow());
}

void DefinitionListBox::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        Q_EMIT rowChosen(index.row());
}

void DefinitionListBox::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }
// The selection follows the current entry only: dragging must not move it.
void DefinitionListBox::mouseMoveEvent(QMouseEvent* event) { event->accept(); }
void DefinitionListBox::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

// ---------------------------------------------------------------- window

TDefinitions::TDefinitions(MessageService& messages, QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setObjectName(QStringLiteral("Definitions"));
    setWindowTitle(QStringLiteral("Définitions des mots"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->setSpacing(6);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1 = panel;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(4, 3, 8, 3);
    bar->setSpacing(2);
    SpeedButton2 = makeArrow(QStringLiteral("SpeedButton2"), QStyle::SP_ArrowLeft, Panel1);
    SpeedButton1 = makeArrow(QStringLiteral("SpeedButton1"), QStyle::SP_ArrowRight, Panel1);
    Button1 = makeButton(QStringLiteral("Button1"), QStringLiteral("Fermer"), Panel1);
    bar->addWidget(SpeedButton2);
    bar->addWidget(SpeedButton1);
    bar->addStretch(1);
    bar->addWidget(Button1);
    layout->addWidget(Panel1);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 0, 10, 0);
    body->setSpacing(6);
    auto* wordRow = new QHBoxLayout;
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setValidator(new CapitalsValidator(Edit1));
    Edit1->setFixedWidth(240);
    Button2 = makeButton(QStringLiteral("Button2"), QStringLiteral("Ajouter"), this);
    Button3 = makeButton(QStringLiteral("Button3"), QStringLiteral("Supprimer"), this);
    wordRow->addWidget(Edit1);
    wordRow->addSpacing(8);
    wordRow->addWidget(Button2);
    wordRow->addWidget(Button3);
    wordRow->addStretch(1);
    body->addLayout(wordRow);

    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setValidator(new LineTextValidator(Edit2));
    Edit2->setMaxLength(DefinitionsEditor::kShownDefinition);
    body->addWidget(Edit2);
    LabelLongueur = new QLabel(this);
    LabelLongueur->setObjectName(QStringLiteral("LabelLongueur"));
    body->addWidget(LabelLongueur);
    connect(Edit1, &QLineEdit::textChanged, this, &TDefinitions::showLength);
    connect(Edit2, &QLineEdit::textChanged, this, &TDefinitions::showLength);

    ListBox1 = new DefinitionListBox(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    body->addWidget(ListBox1);
    layout->addLayout(body);

    setTabOrder(Edit1, Button2);
    setTabOrder(Button2, Button3);
    setTabOrder(Button3, Edit2);
    setTabOrder(Edit2, ListBox1);
    setTabOrder(ListBox1, Button1);

    for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2),
                       static_cast<QWidget*>(ListBox1)})
        w->installEventFilter(this);

    connect(Button1, &QPushButton::clicked, this, &TDefinitions::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TDefinitions::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TDefinitions::Button3Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TDefinitions::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TDefinitions::SpeedButton2Click);
    connect(ListBox1, &DefinitionListBox::rowChosen, this, &TDefinitions::ListBox1Click);

    setFixedSize(sizeHint().expandedTo(QSize(620, 0)));
}

void TDefinitions::Init(const QList<QByteArray>& list) {
    editor_.Init(list);
    affiche();
}

void TDefinitions::Result(QList<QByteArray>& list, bool& changed) { editor_.Result(list, changed); }

void TDefinitions::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    Edit1->setFocus(Qt::OtherFocusReason);
}

template <typename F> void TDefinitions::commande(F&& step) {
    lisChamps();
    step();
    affiche();
}

void TDefinitions::lisChamps() {
    editor_.Mot = fromUiLossy(Edit1->text());
    editor_.Definition = fromUiLossy(Edit2->text());
}

void TDefinitions::affiche() {
    const QString word = toUi(editor_.Mot);
    if (Edit1->text() != word)
        Edit1->setText(word);
    const QString definition = toUi(editor_.Definition);
    if (Edit2->text() != definition)
        Edit2->setText(definition);

    const QSignalBlocker block(ListBox1);
    const int lines = int(editor_.Lignes.size());
    while (ListBox1->count() > lines)
        delete ListBox1->takeItem(ListBox1->count() - 1);
    for (int i = 0; i < lines; ++i) {
        const QString text = toUi(editor_.Lignes.at(i));
        if (i < ListBox1->count())
            ListBox1->item(i)->setText(text);
        else
            ListBox1->addItem(text);
    }
    if (editor_.Selection >= 0 && editor_.Selection < lines)
        ListBox1->setCurrentRow(editor_.Selection);
    else
        ListBox1->clearSelection();
    showLength();
}

void TDefinitions::showLength() {
    const auto length = Edit2->text().size();
    const qsizetype whole =
        editor_.hiddenDefinitionLength(fromUiLossy(Edit1->text()), fromUiLossy(Edit2->text()));
    LabelLongueur->setText(
        whole > 0 ? QStringLiteral("%1 / %2 caractères : la définition entière en a %3, la "
                                   "modifier la coupe")
                        .arg(length)
                        .arg(DefinitionsEditor::kShownDefinition)
                        .arg(whole)
                  : QStringLiteral("%1 / %2 caractères")
                        .arg(length)
                        .arg(DefinitionsEditor::kShownDefinition));
}

bool TDefinitions::acceptsWriting() {
    lisChamps();
    const qsizetype whole = editor_.longDefinitionReplaced();
    if (whole == 0)
        return true;
    const int answer = messages_.choice(
        this,
        QStringLiteral("La définition de %1 a %2 caractères et le champ n'en montre que les %3 "
                       "premiers : l'enregistrer ainsi la coupe.")
            .arg(toUi(editor_.Mot))
            .arg(whole)
            .arg(DefinitionsEditor::kShownDefinition),
        {QStringLiteral("Enregistrer ainsi"), QStringLiteral("Garder la définition entière"),
         QStringLiteral("Annuler")});
    if (answer == 0)
        return true;
    if (answer != 1)
        return false;
    editor_.keepWholeDefinition();
    affiche();
    return true;
}

void TDefinitions::Button1Click() { close(); }

void TDefinitions::Button2Click() {
    if (!acceptsWriting())
        return;
    commande([this] { editor_.EcritMot(); });
    focusWordForNext();
}

void TDefinitions::focusWordForNext() {
    // The stored word stays in view, selected, so that the next word typed
    // replaces it rather than being appended to it.
    Edit1->setFocus();
    Edit1->selectAll();
}

void TDefinitions::Button3Click() {
    commande([this] { editor_.Supprime(); });
}

void TDefinitions::SpeedButton1Click() {
    if (!acceptsWriting())
        return;
    commande([this] { editor_.Suivant(); });
    Edit1->setFocus();
}

void TDefinitions::SpeedButton2Click() {
    if (!acceptsWriting())
        return;
    commande([this] { editor_.Precedent(); });
    Edit1->setFocus();
}

void TDefinitions::ListBox1Click(int row) {
    commande([this, row] { editor_.Choisit(row); });
}

bool TDefinitions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (FormKeyDown(key))
        return true;
    if (watched == Edit1)
        return Edit1KeyPress(key);
    if (watched == Edit2)
        return Edit2KeyPress(key);
    return false;
}

bool TDefinitions::FormKeyDown(QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    if (event->key() == Qt::Key_PageDown) {
        SpeedButton1Click();
        return true;
    }
    if (event->key() == Qt::Key_PageUp) {
        SpeedButton2Click();
        return true;
    }
    return false;
}

bool TDefinitions::Edit1KeyPress(QKeyEvent* event) {
    if (!isTypedCharacter(event))
        return false;
    // Shortcuts such as copy and paste keep working; the validator guards
    // what a paste brings.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        editor_.SaisieFaite = true;
        return false;
    }
    const QChar typed = event->text().at(0);
    const auto byte = byteFromChar(typed);
    char key = byte ? char(*byte) : '\0';
    const bool passes = editor_.Edit1KeyPress(key) && byte;
    if (!passes)
        return true;
    const QChar shown = charFromByte(static_cast<unsigned char>(key));
    if (shown == typed)
        return false;
    Edit1->insert(QString(shown));
    return true;
}

bool TDefinitions::Edit2KeyPress(QKeyEvent* event) {
    if (!isTypedCharacter(event))
        return false;
    const QChar typed = event->text().at(0);
    const auto byte = byteFromChar(typed);
    if (!byte) {
        // Refused here: the definitions file cannot hold it.
        editor_.SaisieFaite = true;
        return true;
    }
    if (*byte == '\r' && !acceptsWriting()) {
        editor_.SaisieFaite = true;
        return true;
    }
    lisChamps();
    if (editor_.Edit2KeyPress(char(*byte)))
        return false;
    affiche();
    focusWordForNext();
    return true;
}

} // namespace orv
