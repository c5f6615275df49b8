// The help window's controls, the contents list, the search and the history.
#include "help/help_window.h"

#include "help/help_pages.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace orv {
namespace {

const char* const kStyle = "body { font-size: 11pt; }"
                           "h1 { color: #1f3f7f; font-size: 16pt; }"
                           "h2 { color: #1f3f7f; font-size: 13pt; }"
                           "th { background-color: #dde4f0; }"
                           "code, pre { font-family: monospace; }";

QToolButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& hint, QStyle::StandardPixmap icon) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolTip(hint);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

QString fileOf(const QUrl& url) { return url.fileName(); }

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Aide"));
    setWindowTitle(QStringLiteral("Aide d'Orv Grille"));
    resize(900, 640);

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    Precedente = makeButton(this, "Precedente", QStringLiteral("Précédente"),
                            QStringLiteral("Page précédente (Alt+Gauche)"), QStyle::SP_ArrowBack);
    Suivante = makeButton(this, "Suivante", QStringLiteral("Suivante"),
                          QStringLiteral("Page suivante (Alt+Droite)"), QStyle::SP_ArrowForward);
    Sommaire = makeButton(this, "Sommaire", QStringLiteral("Sommaire"),
                          QStringLiteral("Sommaire de l'aide"), QStyle::SP_DirHomeIcon);
    Precedente->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    Suivante->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    Recherche = new QLineEdit(this);
    Recherche->setObjectName(QStringLiteral("Recherche"));
    Recherche->setPlaceholderText(QStringLiteral("Rechercher dans l'aide"));
    Recherche->setClearButtonEnabled(true);
    Recherche->setToolTip(QStringLiteral("Les pages qui contiennent tous les mots tapés"));
    bar->addWidget(Precedente);
    bar->addWidget(Suivante);
    bar->addWidget(Sommaire);
    bar->addSpacing(16);
    bar->addWidget(new QLabel(QStringLiteral("Rechercher :"), this));
    bar->addWidget(Recherche, 1);
    layout->addLayout(bar);

    auto* splitter = new QSplitter(this);
    auto* side = new QWidget(splitter);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    Trouvees = new QLabel(side);
    Trouvees->setObjectName(QStringLiteral("Trouvees"));
    Pages = new QListWidget(side);
    Pages->setObjectName(QStringLiteral("Pages"));
    sideLayout->addWidget(Trouvees);
    sideLayout->addWidget(Pages, 1);
    Texte = new QTextBrowser(splitter);
    Texte->setObjectName(QStringLiteral("Texte"));
    Texte->setOpenLinks(true);
    Texte->setOpenExternalLinks(false);
    Texte->setSearchPaths({help::resourceFolder()});
    Texte->document()->setDefaultStyleSheet(QString::fromLatin1(kStyle));
    splitter->addWidget(side);
    splitter->addWidget(Texte);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    layout->addWidget(splitter, 1);

    connect(Precedente, &QToolButton::clicked, Texte, &QTextBrowser::backward);
    connect(Suivante, &QToolButton::clicked, Texte, &QTextBrowser::forward);
    connect(Sommaire, &QToolButton::clicked, this, [this] { showTopic(help::ContentsTopic); });
    connect(Texte, &QTextBrowser::backwardAvailable, Precedente, &QToolButton::setEnabled);
    connect(Texte, &QTextBrowser::forwardAvailable, Suivante, &QToolButton::setEnabled);
    connect(Texte, &QTextBrowser::sourceChanged, this, &HelpWindow::sourceChanged);
    connect(Recherche, &QLineEdit::textChanged, this, &HelpWindow::search);
    connect(Recherche, &QLineEdit::returnPressed, this, &HelpWindow::openFirstFound);
    connect(Pages, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toString()); });
    connect(Pages, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toString()); });
    Precedente->setEnabled(false);
    Suivante->setEnabled(false);

    loadPages();
    search(QString());
}

void HelpWindow::loadPages() {
    for (const help::Page& page : help::pages()) {
        QFile file(help::resourceFolder() + QLatin1Char('/') + page.file);
        if (file.open(QIODevice::ReadOnly))
            index_.add(page.file, QString::fromUtf8(file.readAll()));
    }
}

void HelpWindow::listPages(const QStringList& files) {
    Pages->clear();
    for (const QString& file : files) {
        auto* item = new QListWidgetItem(index_.title(file), Pages);
        item->setData(Qt::UserRole, file);
    }
    selectCurrentInList();
}

void HelpWindow::search(const QString& query) {
    const QStringList found = index_.find(query);
    listPages(found);
    if (query.trimmed().isEmpty())
        Trouvees->setText(QStringLiteral("Sommaire"));
    else if (found.isEmpty())
        Trouvees->setText(QStringLiteral("Aucune page trouvée"));
    else if (found.size() == 1)
        Trouvees->setText(QStringLiteral("1 page trouvée"));
    else
        Trouvees->setText(QStringLiteral("%1 pages trouvées").arg(found.size()));
}

void HelpWindow::openFirstFound() {
    if (Pages->count() == 0)
        return;
    showPage(Pages->item(0)->data(Qt::UserRole).toString());
    // Brings the first searched word into view, selected.
    const QStringList words = Recherche->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!words.isEmpty()) {
        Texte->moveCursor(QTextCursor::Start);
        Texte->find(words.front());
    }
}

void HelpWindow::showTopic(int topic) { showPage(help::pageForTopic(topic)); }

void HelpWindow::showPage(const QString& file) {
    const QUrl url(help::resourceUrl(file));
    if (file != current_)
        Texte->setSource(url);
}

QString HelpWindow::currentPage() const { return current_; }

void HelpWindow::sourceChanged(const QUrl& url) {
    // The browser tells the new page before its history, which source() reads.
    current_ = fileOf(url);
    setWindowTitle(QStringLiteral("Aide d'Orv Grille - ") + Texte->documentTitle());
    selectCurrentInList();
}

void HelpWindow::selectCurrentInList() {
    const QString current = currentPage();
    const QSignalBlocker block(Pages);
    Pages->clearSelection();
    for (int i = 0; i < Pages->count(); ++i) {
        if (Pages->item(i)->data(Qt::UserRole).toString() == current) {
            Pages->setCurrentRow(i);
            return;
        }
    }
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace orv
