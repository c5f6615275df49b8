// « Base d'indices »: the clues already written, searched by word, by
// pattern or by the words of the clue, edited and deleted one by one, and
// exchanged with CSV files. A read-only run may search only.
#pragma once

#include "common/services.h"
#include "definitions/clue_base.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace orv {

class ClueBaseWindow : public QDialog {
    Q_OBJECT
public:
    enum SearchKind { ByWord, ByPattern, ByText };

    ClueBaseWindow(Services& services, QWidget* parent = nullptr);

    // The base shown; the search starts afresh on every opening.
    void setBase(ClueBase& base);

    QComboBox* searchKind = nullptr;
    QLineEdit* searchText = nullptr;
    QPushButton* searchButton = nullptr;
    QTableWidget* results = nullptr;
    QLabel* countLabel = nullptr;
    QLineEdit* wordEdit = nullptr;
    QLineEdit* clueEdit = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* changeButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QPushButton* importButton = nullptr;
    QPushButton* exportButton = nullptr;
    QPushButton* closeButton = nullptr;

    // The entries of the last search, in the order of the table's rows.
    const std::vector<ClueEntry>& shown() const { return shown_; }

public Q_SLOTS:
    void searchClick();
    void addClick();
    void changeClick();
    void deleteClick();
    void importClick();
    void exportClick();

private:
    void showEntries(std::vector<ClueEntry> entries);
    void rowChosen();
    // Runs an action, turning an OrvError into the standard error box.
    template <typename F> void guarded(F action);

    Services& services_;
    ClueBase* base_ = nullptr;
    std::vector<ClueEntry> shown_;
};

} // namespace orv
