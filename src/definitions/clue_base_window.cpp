// The clue base's window: a search line, the entries found, the fields of the
// chosen entry and the CSV exchange.
#include "definitions/clue_base_window.h"

#include "common/errors.h"
#include "common/text_file.h"

#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orv {

namespace {

QString csvFilter() { return QStringLiteral("Fichiers CSV (*.csv)|*.csv"); }

} // namespace

ClueBaseWindow::ClueBaseWindow(Services& services, QWidget* parent)
    : QDialog(parent), services_(services) {
    setObjectName(QStringLiteral("ClueBaseWindow"));
    setWindowTitle(QStringLiteral("Base d'indices"));
    resize(760, 520);

    searchKind = new QComboBox(this);
    searchKind->setObjectName(QStringLiteral("searchKind"));
    searchKind->addItems({QStringLiteral("Mot"), QStringLiteral("Motif (? ou . pour une lettre)"),
                          QStringLiteral("Mots de l'indice")});
    searchText = new QLineEdit(this);
    searchText->setObjectName(QStringLiteral("searchText"));
    searchButton = new QPushButton(QStringLiteral("&Rechercher"), this);
    searchButton->setObjectName(QStringLiteral("searchButton"));
    searchButton->setDefault(true);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchKind);
    searchRow->addWidget(searchText, 1);
    searchRow->addWidget(searchButton);

    results = new QTableWidget(0, 4, this);
    results->setObjectName(QStringLiteral("results"));
    results->setHorizontalHeaderLabels({QStringLiteral("Mot"), QStringLiteral("Indice"),
                                        QStringLiteral("Grille"), QStringLiteral("Date")});
    results->setSelectionBehavior(QAbstractItemView::SelectRows);
    results->setSelectionMode(QAbstractItemView::SingleSelection);
    results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results->verticalHeader()->hide();
    results->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    countLabel = new QLabel(this);
    countLabel->setObjectName(QStringLiteral("countLabel"));

    wordEdit = new QLineEdit(this);
    wordEdit->setObjectName(QStringLiteral("wordEdit"));
    clueEdit = new QLineEdit(this);
    clueEdit->setObjectName(QStringLiteral("clueEdit"));
    addButton = new QPushButton(QStringLiteral("&Ajouter"), this);
    addButton->setObjectName(QStringLiteral("addButton"));
    changeButton = new QPushButton(QStringLiteral("&Modifier"), this);
    changeButton->setObjectName(QStringLiteral("changeButton"));
    deleteButton = new QPushButton(QStringLiteral("&Supprimer"), this);
    deleteButton->setObjectName(QStringLiteral("deleteButton"));
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Mot :"), this), 0, 0);
    fields->addWidget(wordEdit, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Indice :"), this), 1, 0);
    fields->addWidget(clueEdit, 1, 1, 1, 4);
    fields->addWidget(addButton, 0, 2);
    fields->addWidget(changeButton, 0, 3);
    fields->addWidget(deleteButton, 0, 4);

    importButton = new QPushButton(QStringLiteral("&Importer CSV..."), this);
    importButton->setObjectName(QStringLiteral("importButton"));
    exportButton = new QPushButton(QStringLiteral("&Exporter CSV..."), this);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    closeButton = new QPushButton(QStringLiteral("Fermer"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(importButton);
    bottom->addWidget(exportButton);
    bottom->addStretch(1);
    bottom->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(results, 1);
    layout->addWidget(countLabel);
    layout->addLayout(fields);
    layout->addLayout(bottom);

    connect(searchButton, &QPushButton::clicked, this, &ClueBaseWindow::searchClick);
    connect(searchText, &QLineEdit::returnPressed, this, &ClueBaseWindow::searchClick);
    connect(addButton, &QPushButton::clicked, this, &ClueBaseWindow::addClick);
    connect(changeButton, &QPushButton::clicked, this, &ClueBaseWindow::changeClick);
    connect(deleteButton, &QPushButton::clicked, this, &ClueBaseWindow::deleteClick);
    connect(importButton, &QPushButton::clicked, this, &ClueBaseWindow::importClick);
    connect(exportButton, &QPushButton::clicked, this, &ClueBaseWindow::exportClick);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(results, &QTableWidget::itemSelectionChanged, this, &ClueBaseWindow::rowChosen);
}

template <typename F> void ClueBaseWindow::guarded(F action) {
    try {
        action();
    } catch (const OrvError& e) {
        services_.messages.error(this, e.message());
    }
}

void ClueBaseWindow::setBase(ClueBase& base) {
    base_ = &base;
    const bool writable = !base.isReadOnly();
    for (QPushButton* button : {addButton, changeButton, deleteButton, importButton})
        button->setEnabled(writable);
    setWindowTitle(writable ? QStringLiteral("Base d'indices")
                            : QStringLiteral("Base d'indices (lecture seule)"));
    wordEdit->clear();
    clueEdit->clear();
    guarded([this] { showEntries(base_->all()); });
}

void ClueBaseWindow::showEntries(std::vector<ClueEntry> entries) {
    shown_ = std::move(entries);
    results->clearContents();
    results->setRowCount(int(shown_.size()));
    for (int row = 0; row < int(shown_.size()); ++row) {
        const ClueEntry& e = shown_[std::size_t(row)];
        int column = 0;
        for (const QString& text : {e.word, e.clue, e.grid, e.date})
            results->setItem(row, column++, new QTableWidgetItem(text));
    }
    const int n = int(shown_.size());
    countLabel->setText(n >= ClueBase::kMaxResults
                            ? QStringLiteral("Les %1 premiers indices").arg(n)
                        : n == 0 ? QStringLiteral("Aucun indice")
                        : n == 1 ? QStringLiteral("1 indice")
                                 : QStringLiteral("%1 indices").arg(n));
}

void ClueBaseWindow::rowChosen() {
    const int row = results->currentRow();
    if (row < 0 || row >= int(shown_.size()))
        return;
    wordEdit->setText(shown_[std::size_t(row)].word);
    clueEdit->setText(shown_[std::size_t(row)].clue);
}

void ClueBaseWindow::searchClick() {
    if (!base_)
        return;
    guarded([this] {
        const QString text = searchText->text().trimmed();
        if (text.isEmpty())
            showEntries(base_->all());
        else if (searchKind->currentIndex() == ByWord)
            showEntries(base_->byWord(text));
        else if (searchKind->currentIndex() == ByPattern)
            showEntries(base_->byPattern(text));
        else
            showEntries(base_->byText(text));
    });
}

void ClueBaseWindow::addClick() {
    guarded([this] {
        const QString word = plainWord(wordEdit->text());
        if (word.isEmpty() || clueEdit->text().trimmed().isEmpty())
            throw OrvError(QStringLiteral("Un indice a besoin d'un mot et d'un texte"));
        base_->add({{0, word, clueEdit->text(), QString(), clueDate(services_.clock.now())}});
        searchKind->setCurrentIndex(ByWord);
        searchText->setText(word);
        searchClick();
    });
}

void ClueBaseWindow::changeClick() {
    const int row = results->currentRow();
    if (row < 0 || row >= int(shown_.size()))
        return;
    guarded([this, row] {
        ClueEntry entry = shown_[std::size_t(row)];
        entry.word = wordEdit->text();
        entry.clue = clueEdit->text();
        base_->update(entry);
        searchClick();
    });
}

void ClueBaseWindow::deleteClick() {
    const int row = results->currentRow();
    if (row < 0 || row >= int(shown_.size()))
        return;
    const ClueEntry entry = shown_[std::size_t(row)];
    if (!services_.messages.confirm(
            this,
            QStringLiteral("Supprimer l'indice « %1 » du mot %2 ?").arg(entry.clue, entry.word)))
        return;
    guarded([this, &entry] {
        base_->remove(entry.id);
        searchClick();
    });
}

void ClueBaseWindow::importClick() {
    const QString path = services_.files.openFile(this, csvFilter());
    if (path.isEmpty())
        return;
    guarded([this, &path] {
        const int added = base_->importCsv(readWholeFile(path), services_.clock.now());
        services_.messages.information(
            this, added == 1 ? QStringLiteral("1 indice ajouté à la base.")
                             : QStringLiteral("%1 indices ajoutés à la base.").arg(added));
        searchClick();
    });
}

void ClueBaseWindow::exportClick() {
    const QString path = services_.files.saveFile(this, csvFilter());
    if (path.isEmpty())
        return;
    guarded([this, &path] { writeWholeFile(path, base_->exportCsv()); });
}

} // namespace orv
