// « Recherche rapide », docked at the right of the main window: a typed
// pattern (« C?A* ») or letters to make anagrams of (« AEINRST? »), and the
// dictionary's words found, best score first, each with its score at the
// right and their count above them. The search runs as the text is typed; a
// text that is no pattern says why in place of the count. A double click on a
// word (or Enter) chooses it.
#pragma once

#include "search/quick_search.h"

#include <QAbstractListModel>
#include <QDockWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QListView;
class QRadioButton;

namespace orv {

class WordIndex;

class QuickResultModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setResult(QuickSearchResult result);
    const QuickSearchResult& result() const { return result_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QuickSearchResult result_;
};

class QuickSearchPanel : public QDockWidget {
    Q_OBJECT
public:
    // `index` gives the dictionary's pattern index, up to date, at each search.
    QuickSearchPanel(std::function<const WordIndex&()> index, QWidget* parent = nullptr);

    // Shows the panel with the text field ready for typing.
    void showForTyping();
    // Runs the search again on the text as it stands (after the words changed).
    void search();

    QLineEdit* text() const { return text_; }
    QRadioButton* patternMode() const { return pattern_; }
    QRadioButton* anagramMode() const { return anagram_; }
    QLabel* count() const { return count_; }
    QListView* list() const { return list_; }
    QuickResultModel& model() { return model_; }

Q_SIGNALS:
    void wordChosen(const QByteArray& word);

private:
    std::function<const WordIndex&()> index_;
    QuickResultModel model_;
    QRadioButton* pattern_ = nullptr;
    QRadioButton* anagram_ = nullptr;
    QLineEdit* text_ = nullptr;
    QLabel* hint_ = nullptr;
    QLabel* count_ = nullptr;
    QListView* list_ = nullptr;
};

} // namespace orv
