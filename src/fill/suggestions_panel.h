// The suggestions panel, docked at the right of the main window: for the
// current cell, the words that fit the row's slot ("Horizontalement") and the
// column's slot ("Verticalement"), best first, each list headed by the slot's
// name, its pattern and its count; each word shows its score at the right
// and, once the look-ahead has tried it, a mark at its left: ✓ when a full
// fill exists with it, ✗ when none does (those words go to the end of the
// list), ? when the bounded search could not tell.
// Typing letters in a list jumps to the first word that starts with them; a
// double click or Enter chooses a word.
#pragma once

#include "fill/suggestion_lookahead.h"
#include "fill/suggestions.h"

#include <QAbstractListModel>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QListView>

class QLabel;

namespace orv {

class WordIndex;

// The role that gives a row's WordOutlook (as an int).
constexpr int kOutlookRole = Qt::UserRole + 2;

// The words of one slot's suggestions, read from the index only when shown.
class SuggestionListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit SuggestionListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    void setSuggestions(SlotSuggestions suggestions, const WordIndex* index);
    const SlotSuggestions& suggestions() const { return suggestions_; }
    QByteArray word(int row) const;
    // The row's word's score, or -1 without such a row.
    int score(int row) const;
    // The first row, from the top, whose word starts with the prefix, or -1.
    int firstStartingWith(const QByteArray& prefix) const;
    // The row holding the word, or -1.
    int rowOf(const QByteArray& word) const;
    WordOutlook outlook(int row) const;
    // Marks the word's row; a dead end moves to the end of the list.
    void setOutlook(const QByteArray& word, WordOutlook outlook);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    SlotSuggestions suggestions_;
    std::vector<WordOutlook> outlooks_; // by row
    const WordIndex* index_ = nullptr;
};

// A list that takes typed letters as a prefix to look for from the top, and
// Enter as the choice of the current word.
class SuggestionListView : public QListView {
    Q_OBJECT
public:
    explicit SuggestionListView(QWidget* parent = nullptr);
    void keyboardSearch(const QString& search) override;

Q_SIGNALS:
    void chosen(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QByteArray typed_;
    QElapsedTimer sinceTyped_;
};

class SuggestionsPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit SuggestionsPanel(QWidget* parent = nullptr);

    // The lists of the row's and the column's slot through the current cell.
    void showSuggestions(SlotSuggestions across, SlotSuggestions down, const WordIndex* index);
    // The look-ahead's answer for a word of the list of `slot`.
    void setOutlook(int slot, const QByteArray& word, WordOutlook outlook);

    SuggestionListModel& model(SlotDirection direction) {
        return direction == SlotDirection::Horizontal ? across_ : down_;
    }
    SuggestionListView* view(SlotDirection direction) {
        return direction == SlotDirection::Horizontal ? acrossView_ : downView_;
    }

Q_SIGNALS:
    // A word chosen in one of the lists, for that list's slot.
    void wordChosen(int slot, const QByteArray& word);
    // The panel's own close button was used.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build(QWidget* box, const QString& title, SuggestionListModel& model,
               SuggestionListView*& view, QLabel*& heading, QLabel*& count, const char* name);
    void showOne(SuggestionListModel& model, SuggestionListView* view, QLabel* heading,
                 QLabel* count);

    SuggestionListModel across_;
    SuggestionListModel down_;
    SuggestionListView* acrossView_ = nullptr;
    SuggestionListView* downView_ = nullptr;
    QLabel* acrossHeading_ = nullptr;
    QLabel* downHeading_ = nullptr;
    QLabel* acrossCount_ = nullptr;
    QLabel* downCount_ = nullptr;
};

} // namespace orv
