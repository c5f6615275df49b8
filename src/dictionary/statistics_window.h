// The statistics window "Statistiques": the number of dictionary words in all
// and by length from 2 to 19, counted afresh at every opening.
#pragma once

#include "dictionary/word_list.h"

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

namespace orv {

class TStats : public QDialog {
    Q_OBJECT
public:
    explicit TStats(QWidget* parent = nullptr);

    // Counts the list and writes the nineteen label texts.
    void Init(const WordList& list);

    QLabel* Label1 = nullptr; // the total
    // lengthLabel(n) for n from 2 to 19 (Label3 holds 2 and Label2 holds 3).
    QLabel* lengthLabel(int length) const { return byLength_[size_t(length)]; }
    QPushButton* Button1 = nullptr; // "OK"

private:
    std::array<QLabel*, 20> byLength_{};
};

} // namespace orv
